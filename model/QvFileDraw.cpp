// Drawing a model into the renderer, whole or step by step, and the step walks of counting,
// rotation steps, export and parts lists. Every walk uses StepWalker so that they all agree on
// where a step ends.
#include <cstdint>

#include "config/ColorTable.h"
#include "config/PartList.h"
#include "config/Settings.h"
#include "config/Tracer.h"
#include "model/LibraryLoader.h"
#include "model/QvBackgroundCmd.h"
#include "model/QvBufExchg.h"
#include "model/QvElement.h"
#include "model/QvFile.h"
#include "model/QvRotateCmd.h"
#include "model/SharedDrawLock.h"
#include "render/C3DStub.h"

namespace {

// A boundary ends a step only once some content has been seen since the start of the file.
class StepWalker {
 public:
  // Feeds one element; true when it ended a step (the counter has moved on).
  bool Pass(const CQvPart& e) {
    if (e.stepContent) m_content = true;
    if (e.stepBoundary && m_content) {
      ++m_step;
      return true;
    }
    return false;
  }
  int32_t Step() const { return m_step; }
  bool SeenContent() const { return m_content; }

 private:
  bool m_content = false;
  int32_t m_step = 0;
};

bool NeverDrawn(const CQvPart& e) {
  return e.GetType() == ElementType::Clear || e.GetType() == ElementType::BufExchg;
}

void TileRememberedBackground(CQvFile& file, C3DStub& renderer, const std::string& name) {
  if (name.empty()) return;
  std::lock_guard<std::mutex> lock(SharedDrawMutex());
  // A picture that cannot be loaded is not drawn; the next drawing tries again.
  if (LoadBackground(file, file.backgroundPicture, name, file.pictureFolder))
    renderer.TileBackground(file.backgroundPicture);
}

// CLEAR starts an empty frame, BUFEXCHG keeps or puts back the frame in its letter's slot; a
// hidden one does nothing. A slot that cannot be kept or put back is only logged.
void DrawFrameCommand(const CQvPart& e, C3DStub& renderer) {
  if (e.hidden) return;
  if (e.GetType() == ElementType::Clear) {
    renderer.BeginFrame(renderer.GetWidth(), renderer.GetHeight());
  } else if (auto* x = dynamic_cast<const CQvBufExchg*>(&e)) {
    const int ok = x->GetMode() == CQvBufExchg::kStore ? renderer.SaveSlot(x->GetBuffer())
                                                        : renderer.RestoreSlot(x->GetBuffer());
    if (!ok) theTracer.Printf("BUFEXCHG: Operation failed!\n");
  }
}

}  // namespace

int32_t CQvFile::CountSteps() const {
  StepWalker walk;
  bool contentAfter = false;
  for (const auto& e : m_elements) {
    if (walk.Pass(*e))
      contentAfter = false;
    else if (e->stepContent)
      contentAfter = true;
  }
  return walk.Step() + (contentAfter ? 1 : 0);
}

void CQvFile::GetRotStepMatrix(CMatrix3& matrix, int32_t steps) const {
  const CMatrix3 start = matrix;
  CMatrix3 current = matrix;
  // The same content flag as CountSteps and the drawing: a rotation step after line primitives
  // only must end the same step there as it does here.
  StepWalker walk;
  for (const auto& e : m_elements) {
    if (steps >= 0 && walk.Step() >= steps) break;
    if (e->GetType() == ElementType::RotStep) {
      if (auto* r = dynamic_cast<const CQvRotateCmd*>(e.get())) current = r->ApplyTo(start, current);
    } else if (e->GetType() == ElementType::RotStepEnd) {
      current = start;
    }
    walk.Pass(*e);
  }
  matrix = current;
}

int CQvFile::ExportSteps(ExportContext& ctx, const CVector3& offset, const CMatrix3& matrix,
                         ColorNumber parentColor, int32_t last, int32_t first) {
  if (first == last) return 0;
  StepWalker walk;
  for (const auto& e : m_elements) {
    ctx.colorEntries = m_colors.GetEntries();
    if (walk.Step() >= first && !e->stepBoundary && !e->Export(ctx, offset, matrix, parentColor)) return 0;
    walk.Pass(*e);
    if (last >= 0 && walk.Step() >= last) break;
  }
  return 1;
}

void CQvFile::CollectPartUsage(int32_t last, int32_t first, int mergeColors) const {
  thePartList.ResetUsage();
  StepWalker walk;
  for (const auto& e : m_elements) {
    if (last >= 0 && walk.Step() >= last) break;
    if (walk.Step() >= first && e->IsPartLike() && !e->ghost) {
      auto* ref = dynamic_cast<const CQvElement*>(e.get());
      const std::string name = ref ? ref->GetFileName() : std::string("Unknown");
      thePartList.CountUsage(name, mergeColors ? 0u : static_cast<uint32_t>(e->GetColor()));
    }
    walk.Pass(*e);
  }
}

int CQvFile::HasNoPartAfter(size_t position) const {
  for (size_t i = position; i < m_elements.size(); ++i)
    if (m_elements[i]->IsPartLike()) return 0;
  return 1;
}

int32_t CQvFile::DrawTo3DStub(C3DStub& renderer, const CVector3& offset, const CMatrix3& matrix,
                              ColorNumber parentColor, int32_t last, int32_t first, int highlight, int whole) {
  if (renderer.GetBoundingBoxMode()) highlight = 0;
  renderer.SetColorTable(m_colors.GetEntries());
  CMatrix4DStack& stack = renderer.GetMatrixStack();
  if (!stack.PushMultiply(CMatrix4D::FromPlacement(matrix, offset))) return -1;
  DrawContext ctx;
  ctx.parentColor = parentColor;
  ctx.colorEntries = m_colors.GetEntries();
  ctx.studReplacement = whole && theSettings.StudMode < 3;

  const bool withSelection = highlight && !m_selected.empty();
  bool restored = false;
  if (withSelection && renderer.HasSavedState()) restored = renderer.RestoreState() != 0;

  if (!restored && whole) {
    // Nothing in a whole drawing reads or changes the frame but the primitives: the worker
    // threads can each walk the model for their own rows.
    const bool toSelection = theSettings.DrawToSelection != 0;
    renderer.DrawInBands([&](C3DStub& band) {
      for (size_t i = 0; i < m_elements.size(); ++i) {
        CQvPart& e = *m_elements[i];
        if (NeverDrawn(e)) continue;
        if (highlight && e.selected) {
          if (toSelection) break;
          continue;
        }
        e.Draw(band, static_cast<PickId>(i), ctx);
      }
    });
  } else if (!restored) {
    StepWalker walk;
    std::string background;
    for (size_t i = 0; i < m_elements.size(); ++i) {
      CQvPart& e = *m_elements[i];
      if (walk.Step() >= first) {
        if (e.GetType() == ElementType::Background) {
          if (auto* b = dynamic_cast<const CQvBackgroundCmd*>(&e)) background = b->GetFile();
        } else if (NeverDrawn(e)) {
          DrawFrameCommand(e, renderer);
        } else {
          e.Draw(renderer, static_cast<PickId>(i), ctx);
        }
      }
      if (walk.Pass(e) && last >= 0 && walk.Step() >= last) {
        TileRememberedBackground(*this, renderer, background);
        stack.Pop();
        return HasNoPartAfter(i + 1) ? -1 : walk.Step();
      }
    }
    TileRememberedBackground(*this, renderer, background);
  }

  if (withSelection) {
    // Without a saved frame the selection is still drawn; the next drawing just cannot be quick.
    if (!restored && !renderer.SaveState())
      theTracer.Printf("QvFile::DrawTo3DStub: could not save the frame; drawing without it\n");
    renderer.DrawInBands([&](C3DStub& band) {
      for (size_t i = 0; i < m_elements.size(); ++i) {
        CQvPart& e = *m_elements[i];
        if (e.selected && !NeverDrawn(e)) e.Draw(band, static_cast<PickId>(i), ctx);
      }
    });
  }
  stack.Pop();
  return -1;
}

void CQvFile::DrawParts(C3DStub& renderer, PickId pickId, const DrawContext& ctx) {
  if (studFile && ctx.studReplacement) {
    switch (theSettings.StudMode) {
      case 0:
        return;
      case 1:
        if (studLineFile && studLineFile != this) studLineFile->DrawParts(renderer, pickId, ctx);
        return;
      case 2:
        if (studVariantFile && studVariantFile != this) studVariantFile->DrawParts(renderer, pickId, ctx);
        return;
      default:
        break;
    }
  }
  // A library file's box holds everything it draws (its own files are never edited): one that
  // lands outside the rows and columns drawn is left out. One that lands inside a single pixel
  // is that pixel in its colour; inside another library file it is left out, since the rest of
  // that file covers the pixel and decides its colour more often than not. An image is filled in
  // its own coordinates: no box test there.
  // A box behind what is drawn is left out as well; from FastRender 2 on, part images may be
  // stamped for what lies in it, and they reach a little further.
  const int fast = theSettings.FastRender;
  if (libraryFile && !ctx.drawingIntoImage) {
    ScreenVertex pixel;
    const auto drawnAs = fast >= 2 ? C3DStub::DrawnAs::PartImages : C3DStub::DrawnAs::Elements;
    switch (renderer.ReachOfBox(&GetCorner(0), pixel, drawnAs)) {
      case C3DStub::BoxReach::Outside:
      case C3DStub::BoxReach::Hidden:
        return;
      case C3DStub::BoxReach::OnePixel:
        if (!ctx.insideLibraryFile) renderer.DrawDot(static_cast<uint32_t>(ctx.parentColor), pixel, pickId);
        return;
      case C3DStub::BoxReach::Larger:
        break;
    }
  }
  const ColorEntry* previous = renderer.GetColorTable();
  DrawContext inner = ctx;
  inner.insideLibraryFile = ctx.insideLibraryFile || libraryFile;
  if (!m_colors.IsShared()) {
    inner.colorEntries = m_colors.GetEntries();
    renderer.SetColorTable(m_colors.GetEntries());
  }
  const bool cacheable = !ctx.drawingIntoImage && !renderer.IsPerspectiveOn() &&
                         ((fast == 2 && smallPartName) || (fast == 3 && libraryFile)) && !HasExplicitColorsDeep();
  if (!cacheable || !DrawFromPartImage(renderer, pickId, inner)) {
    for (const auto& e : m_elements)
      if (!NeverDrawn(*e) && !e->ghost) e->Draw(renderer, pickId, inner);
  }
  renderer.SetColorTable(previous);
}
