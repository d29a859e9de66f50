// The render road: bringing one renderer up to date with the active model. In edit mode the part
// of the model that is not selected is kept as the renderer's saved frame and only the selection
// is drawn over it; in view mode only the steps after the previously drawn one are drawn over the
// image, the earlier ones toned down by the renderer's highlight.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "config/Settings.h"
#include "config/Tracer.h"
#include "document/QuorvelDoc.h"
#include "model/FileCache.h"
#include "model/QvFile.h"
#include "platform/Prompt.h"
#include "render/FitBox.h"

namespace {

// Frame widths must be multiples of 4 (rows without padding); heights follow for a uniform rule.
int RoundDown4(int size) { return size > 0 ? size & ~3 : 0; }

CMatrix3 ToMatrix(const double m[9]) {
  CMatrix3 out;
  std::copy(m, m + 9, out.m.begin());
  return out;
}

CMatrix3 Scaled(const CMatrix3& view, double scale) {
  CMatrix3 out = view;
  for (double& v : out.m) v *= scale;
  return out;
}

bool SameBytes(const CMatrix3& a, const CMatrix3& b) {
  return std::memcmp(a.m.data(), b.m.data(), sizeof a.m) == 0;
}

std::vector<int32_t> SortedSelection(const CQvFile& model) {
  std::vector<int32_t> out;
  out.reserve(model.GetSelectedCount());
  for (size_t i = 0; i < model.GetSelectedCount(); ++i)
    out.push_back(model.GetSelectedIndex(static_cast<int32_t>(i)));
  std::sort(out.begin(), out.end());
  return out;
}

std::vector<const CQvPart*> ElementList(const CQvFile& model) {
  std::vector<const CQvPart*> out(model.GetCount());
  for (size_t i = 0; i < out.size(); ++i) out[i] = model.GetAt(i);
  return out;
}

bool SameElements(const CQvFile& model, const std::vector<const CQvPart*>& elements) {
  if (elements.size() != model.GetCount()) return false;
  for (size_t i = 0; i < elements.size(); ++i)
    if (model.GetAt(i) != elements[i]) return false;
  return true;
}

bool NeverDrawn(const CQvPart& e) {
  return e.GetType() == ElementType::Clear || e.GetType() == ElementType::BufExchg;
}

int ResetRenderer(C3DStub& renderer, int width, int height) {
  if (renderer.Reset(static_cast<uint32_t>(width), static_cast<uint32_t>(height), theSettings.Shading))
    return 1;
  theTracer.Printf("ERROR: Stub.Reset(%lu, %lu, %lu) failed!\n", static_cast<unsigned long>(width),
                   static_cast<unsigned long>(height), static_cast<unsigned long>(theSettings.Shading));
  return 0;
}

// The elements at the given sorted list indices, drawn as the edit form draws the selection.
void DrawListed(CQvFile& model, C3DStub& renderer, const CMatrix3& matrix,
                const std::vector<int32_t>& indices) {
  renderer.SetColorTable(model.GetColorTable().GetEntries());
  CMatrix4DStack& stack = renderer.GetMatrixStack();
  if (!stack.PushMultiply(CMatrix4D::FromPlacement(matrix, CVector3()))) return;
  DrawContext ctx;
  ctx.parentColor = theSettings.PreviewColor;
  ctx.colorEntries = model.GetColorTable().GetEntries();
  ctx.studReplacement = theSettings.StudMode < 3;
  for (int32_t i : indices) {
    CQvPart* e = model.GetAt(static_cast<size_t>(i));
    if (e && !NeverDrawn(*e)) e->Draw(renderer, static_cast<PickId>(i), ctx);
  }
  stack.Pop();
}

}  // namespace

int CQuorvelDoc::Create3DStub(ScenePicture& picture, const RenderRequest& request) {
  return Create3DStub(picture.renderer, picture.editBase, request);
}

int CQuorvelDoc::Create3DStub(C3DStub& renderer, std::optional<EditBaseRecord>& editBase,
                              const RenderRequest& request) {
  CBusyCursor busy;
  PrepareSceneDrawing();
  return DrawScene(renderer, editBase, request);
}

void CQuorvelDoc::PrepareSceneDrawing() { theFileCache.Flush(2); }

int CQuorvelDoc::DrawScene(ScenePicture& picture, const RenderRequest& request) const {
  return DrawScene(picture.renderer, picture.editBase, request);
}

int CQuorvelDoc::DrawScene(C3DStub& renderer, std::optional<EditBaseRecord>& editBase,
                           const RenderRequest& request) const {
  const int width = RoundDown4(request.width);
  const int height = RoundDown4(request.height);
  // A pane squeezed below 4 pixels has nothing to show; its renderer is left as it is.
  if (width == 0 || height == 0) return 0;
  const CMatrix3 view = ToMatrix(request.viewMatrix);
  if (m_editMode || request.rotating) renderer.SetPerspective(0, 0, 0);
  if (m_editMode)
    return DrawEditMode(renderer, editBase, width, height, request.offset, view, request.reRender, request.zoom);
  return DrawViewMode(renderer, editBase, width, height, view, request.reRender, request.rotating,
                      request.perspective);
}

int CQuorvelDoc::DrawEditMode(C3DStub& renderer, std::optional<EditBaseRecord>& editBase, int width, int height,
                              const int offset[2], const CMatrix3& view, int reRender, double zoom) const {
  CQvFile* model = m_activeModel;
  EditBaseRecord wanted;
  wanted.model = model;
  wanted.width = static_cast<uint32_t>(width);
  wanted.height = static_cast<uint32_t>(height);
  wanted.view = view;
  wanted.zoom = zoom > 0 && std::isfinite(zoom) ? zoom : 1;
  wanted.offset[0] = offset ? offset[0] : 0;
  wanted.offset[1] = offset ? offset[1] : 0;
  if (!reRender && model && CanDrawOverBase(renderer, editBase, *model, wanted) &&
      DrawOverBase(renderer, editBase, *model))
    return 1;
  renderer.CenterView(width, height, wanted.zoom, wanted.offset[0], wanted.offset[1]);
  renderer.SetBackgroundColor(theSettings.BackgroundColor);
  renderer.SetLineWidth(std::clamp(theSettings.LineWidth, 1, 3));
  editBase.reset();
  if (!ResetRenderer(renderer, width, height)) return 0;
  if (!model) return 1;
  const CMatrix3 matrix = Scaled(view, renderer.GetScaleX());
  std::vector<int32_t> selection = SortedSelection(*model);
  model->DrawTo3DStub(renderer, CVector3(), matrix, theSettings.PreviewColor, -1, 0, 1, 1);
  // With DrawToSelection the picture depends on the selection: never drawn over.
  if (theSettings.DrawToSelection) return 1;
  // Without a selection nothing was saved; the whole picture is the frame a selection is drawn over.
  if (selection.empty() && !renderer.SaveState()) return 1;
  if (!renderer.HasSavedState()) return 1;
  EditBaseRecord& base = editBase.emplace(wanted);
  base.elements = ElementList(*model);
  base.excluded = selection;
  base.lastSelection = std::move(selection);
  return 1;
}

// The saved frame holds every element but the excluded ones: those are drawn over it, which gives
// the whole picture whatever is selected now (the picture does not depend on the selection). When
// the selection is not among them, the frame with everything is kept instead, so that later
// selection changes draw nothing at all. Only where two elements meet at exactly the same depth
// can this differ from a full drawing, where drawing the selection last decides such ties.
// false when the frame could not be brought back.
bool CQuorvelDoc::DrawOverBase(C3DStub& renderer, std::optional<EditBaseRecord>& editBase, CQvFile& model) const {
  EditBaseRecord& base = *editBase;
  if (!renderer.RestoreState()) {
    editBase.reset();
    return false;
  }
  std::vector<int32_t> selection = SortedSelection(model);
  DrawListed(model, renderer, Scaled(base.view, renderer.GetScaleX()), base.excluded);
  if (!base.excluded.empty() &&
      !std::includes(base.excluded.begin(), base.excluded.end(), selection.begin(), selection.end())) {
    if (renderer.SaveState()) {
      base.excluded.clear();
    } else {
      // The old frame is gone with the failed save: the next drawing starts afresh.
      editBase.reset();
      return true;
    }
  }
  base.lastSelection = std::move(selection);
  return true;
}

// Drawing over the saved frame gives the picture of a full drawing when the frame shows the same
// model, list, size, view, zoom and pan, and every element drawn into it is still as it was
// drawn. Elements left out of the frame are drawn from the model each time, so they may change
// freely. A selected element drawn into the frame is fine for the first drawing after the
// selection changed (a selection change alone changes no element); a later drawing with the same
// selection may follow a move of that element and must draw everything again.
bool CQuorvelDoc::CanDrawOverBase(const C3DStub& renderer, const std::optional<EditBaseRecord>& editBase,
                                  const CQvFile& model, const EditBaseRecord& wanted) const {
  if (theSettings.DrawToSelection || !renderer.IsInitialised() || !renderer.HasSavedState()) return false;
  if (!editBase) return false;
  const EditBaseRecord& base = *editBase;
  if (base.model != &model || base.width != wanted.width || base.height != wanted.height ||
      renderer.GetWidth() != base.width || renderer.GetHeight() != base.height ||
      !SameBytes(base.view, wanted.view) || base.zoom != wanted.zoom || base.offset[0] != wanted.offset[0] ||
      base.offset[1] != wanted.offset[1] || !SameElements(model, base.elements))
    return false;
  const std::vector<int32_t> selection = SortedSelection(model);
  const bool bakedSelected =
      !std::includes(base.excluded.begin(), base.excluded.end(), selection.begin(), selection.end());
  return !(bakedSelected && selection == base.lastSelection);
}

int CQuorvelDoc::DrawViewMode(C3DStub& renderer, std::optional<EditBaseRecord>& editBase, int width, int height,
                              const CMatrix3& view, int reRender, int rotating, int perspective) const {
  editBase.reset();
  CQvFile* model = m_activeModel;
  const int apvt = theSettings.APVT;
  int prev = std::max(m_prevDrawnStep, 0);
  int shown = m_shownStep;
  // -1 is the whole model (print mode); other values below 1 show the first step.
  if (shown < 1 && shown != -1) shown = 1;
  const int32_t count = model ? model->CountSteps() : 0;

  // A renderer without a frame of this size has nothing to draw over.
  if (!renderer.IsInitialised() || renderer.GetWidth() != static_cast<uint32_t>(width) ||
      renderer.GetHeight() != static_cast<uint32_t>(height))
    reRender = 1;
  CMatrix3 before = view, after = view;
  if (model) {
    if (shown > 1) model->GetRotStepMatrix(before, prev);
    model->GetRotStepMatrix(after, shown);
  }
  if (!SameBytes(before, after)) reRender = 1;
  bool noRefit = false;
  if (apvt && shown > count) {
    if (!reRender) noRefit = true;
    reRender = 1;
  }
  renderer.SetBackgroundColor(theSettings.BackgroundColor);
  if ((prev == 0 && !reRender) || rotating) noRefit = true;
  if (reRender || prev == 0) {
    if (!ResetRenderer(renderer, width, height)) return 0;
    if (!noRefit) {
      CVector3 min(1e200, 1e200, 1e200), max(-1e200, -1e200, -1e200);
      // Without the library files' cached boxes (kept extent points have their own lock): panes
      // drawn at the same time refit at the same time.
      if (model) model->ExtendBoundingBoxAll(CVector3(), after, min, max);
      SaneBox(min, max);
      renderer.FitView(width, height, min.x, min.y, min.z, max.x, max.y, max.z);
      // Without depth there is nothing to put in perspective.
      renderer.SetPerspective(perspective && max.z > min.z, min.z, max.z);
    }
    renderer.SetLineWidth(std::clamp(theSettings.LineWidth, 1, 3));
    prev = 0;
  }
  if (!model) return 1;
  const CMatrix3 matrix = Scaled(after, renderer.GetScaleX());
  const ColorNumber color = theSettings.PreviewColor;
  if (apvt && shown > 1) {
    if (reRender || shown - prev > 1) {
      model->DrawTo3DStub(renderer, CVector3(), matrix, color, shown - 1, prev, 0, 0);
      prev = shown - 1;
    }
    if (shown <= count && !rotating) renderer.Highlight(std::clamp(apvt, 1, 3), 255);
  }
  model->DrawTo3DStub(renderer, CVector3(), matrix, color, shown, prev, 0, 0);
  return 1;
}

bool CQuorvelDoc::CanDrawAppended() const {
  CQvFile* model = m_activeModel;
  if (!model || !m_editMode || theSettings.DrawToSelection) return false;
  const std::vector<int32_t> selection = SortedSelection(*model);
  // The new elements are the selection. Only when they follow every other element do the pick ids
  // in the pane images still name the right elements.
  return !selection.empty() &&
         selection.front() + static_cast<int32_t>(selection.size()) == static_cast<int32_t>(model->GetCount());
}

void CQuorvelDoc::DrawChangedIntoPanes() {
  // Otherwise, and in view mode or with DrawToSelection, the panes draw everything again.
  UpdateAllViews(CanDrawAppended() ? HINT_APPENDED : HINT_FULL);
}

bool CQuorvelDoc::DrawAppended(ScenePicture& picture, const double viewMatrix[9]) const {
  return DrawAppended(picture.renderer, picture.editBase, viewMatrix);
}

bool CQuorvelDoc::DrawAppended(C3DStub& renderer, std::optional<EditBaseRecord>& editBase,
                               const double viewMatrix[9]) const {
  CQvFile* model = m_activeModel;
  if (!CanDrawAppended() || !renderer.IsInitialised()) return false;
  // A pane whose frame cannot be kept keeps its old image until its next full drawing.
  if (!renderer.SaveState()) {
    editBase.reset();
    return false;
  }
  const std::vector<int32_t> selection = SortedSelection(*model);
  const CMatrix3 view = ToMatrix(viewMatrix);
  model->DrawTo3DStub(renderer, CVector3(), Scaled(view, renderer.GetScaleX()), theSettings.PreviewColor, -1, 0, 1,
                      1);
  EditBaseRecord& base = editBase.emplace();
  base.model = model;
  base.width = renderer.GetWidth();
  base.height = renderer.GetHeight();
  base.view = view;
  base.elements = ElementList(*model);
  base.excluded = selection;
  base.lastSelection = selection;
  return true;
}
