// Drawing a referenced part from its pre-rendered image (the FastRender setting): the part is
// rendered once per view rotation and drawing mode into the file's part image, and every copy
// is stamped from it in its own colours. The image's key holds everything that changes the
// picture, so an image is never used for a drawing it was not made for.
#include <atomic>
#include <cmath>
#include <cstdint>
#include <mutex>
#include <shared_mutex>
#include <span>
#include <typeinfo>

#include "config/ColorTable.h"
#include "config/Settings.h"
#include "model/NestingDepth.h"
#include "model/QvElement.h"
#include "model/QvFile.h"
#include "model/QvGfxPart.h"
#include "model/QvLinePart.h"
#include "model/ThreadPartImages.h"
#include "render/C3DStub.h"
#include "render/MemHeap.h"

namespace {

// Deep enough for any real library nesting; a deeper (or looping) chain counts as coloured,
// which only means drawing without an image.
constexpr int kMaxColorDepth = 64;

bool ColoredBelow(const CQvFile& file, int depth) {
  if (file.explicitColors || depth > kMaxColorDepth) return true;
  for (size_t i = 0; i < file.GetCount(); ++i) {
    const auto* ref = dynamic_cast<const CQvElement*>(file.GetAt(i));
    if (ref && ref->GetFile() && ColoredBelow(*ref->GetFile(), depth + 1)) return true;
  }
  return false;
}

void Extend(CVector3& min, CVector3& max, const CVector3& lo, const CVector3& hi) {
  min.Set(std::min(min.x, lo.x), std::min(min.y, lo.y), std::min(min.z, lo.z));
  max.Set(std::max(max.x, hi.x), std::max(max.y, hi.y), std::max(max.z, hi.z));
}

// The box the file's ExtendBoundingBox (noCache 0) measures, with the same arithmetic, but
// without keeping boxes in the files and meshes: the images of several files are made on
// several threads at once, and their sub-files are shared. False for an element of a kind
// this does not know (the caller then measures under a lock of its own).
bool MeasureFile(const CQvFile& file, const CVector3& offset, const CMatrix3& matrix, CVector3& min, CVector3& max);

bool MeasureElement(const CQvPart& e, const CVector3& offset, const CMatrix3& matrix, CVector3& min,
                    CVector3& max) {
  if (e.IsLinePrimitive()) {
    // Keeps nothing: measured as it is.
    const_cast<CQvPart&>(e).ExtendBoundingBox(offset, matrix, min, max, 0);
    return true;
  }
  // Most elements of a library file are folded meshes: known without a cast through the
  // hierarchy, which costs more than measuring a small mesh.
  const CQvGfxPart* mesh = typeid(e) == typeid(CQvGfxPart) ? static_cast<const CQvGfxPart*>(&e) : nullptr;
  if (const auto* ref = mesh ? nullptr : dynamic_cast<const CQvElement*>(&e); ref && e.GetType() == ElementType::Reference) {
    if (e.hidden || !ref->GetFile()) return true;
    CNestingLevel level;
    if (level.TooDeep()) return true;
    return MeasureFile(*ref->GetFile(), matrix * ref->GetPosition() + offset, matrix * ref->GetMatrix(), min, max);
  }
  if (!mesh) mesh = dynamic_cast<const CQvGfxPart*>(&e);
  if (mesh) {
    CVector3 lo(1e200, 1e200, 1e200), hi(-1e200, -1e200, -1e200);
    for (size_t i = 0; i < mesh->GetVertexCount(); ++i) {
      const CVector3 p = matrix * mesh->GetVertex(i);
      Extend(lo, hi, p, p);
    }
    if (hi.x < lo.x) return true;  // no vertex
    const CVector3 a = lo + offset, b = hi + offset;
    Extend(min, max, a, a);
    Extend(min, max, b, b);
    return true;
  }
  // Every other kind measures nothing, unless it is one of the kinds above in another guise.
  return !dynamic_cast<const CQvElement*>(&e) && !dynamic_cast<const CQvLinePart*>(&e);
}

bool MeasureFile(const CQvFile& file, const CVector3& offset, const CMatrix3& matrix, CVector3& min, CVector3& max) {
  if (file.libraryFile) {
    CVector3 lo(1e200, 1e200, 1e200), hi(-1e200, -1e200, -1e200);
    for (size_t i = 0; i < file.GetCount(); ++i)
      if (!MeasureElement(*file.GetAt(i), CVector3(), matrix, lo, hi)) return false;
    ExtendByBox(lo, hi, offset, min, max);
    return true;
  }
  for (size_t i = 0; i < file.GetCount(); ++i) {
    const CQvPart& e = *file.GetAt(i);
    if (!e.ghost && !MeasureElement(e, offset, matrix, min, max)) return false;
  }
  return true;
}

// Serialises the measuring of files with elements of other kinds, whose boxes may be kept.
std::mutex theMeasureLock;

bool Finite(const CVector3& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

}  // namespace

bool CQvFile::HasExplicitColorsDeep() const {
  // Asked by panes drawn at the same time: the answer is the same for all, the write is atomic.
  std::atomic_ref<int8_t> known(m_deepColors);
  int8_t answer = known.load(std::memory_order_relaxed);
  if (answer < 0) {
    answer = ColoredBelow(*this, 0) ? 1 : 0;
    known.store(answer, std::memory_order_relaxed);
  }
  return answer != 0;
}

void CQvFile::FreePartImages() {
  for (CFakeBuffer& image : partImages) image.Free();
}

bool CQvFile::DrawFromPartImage(C3DStub& renderer, PickId pickId, const DrawContext& ctx) {
  const ColorEntry* entries = ctx.colorEntries ? ctx.colorEntries : theDefaultColors;
  const auto parent = static_cast<uint32_t>(ctx.parentColor);
  // The colours the part's own 16 and 24 lines would be drawn in directly.
  const uint32_t main = ResolveColorCode(kMainColor, parent, entries);
  const uint32_t edge = ResolveColorCode(kEdgeColor, parent, entries);
  // An image keeps only the nearest surface of each pixel, so what lies behind a see-through
  // surface of the same part would be lost: see-through (and dithered) colours draw directly.
  const ColorPair mainPair = renderer.GetColorPair(main), edgePair = renderer.GetColorPair(edge);
  if (!mainPair.first.a || !mainPair.second.a || !edgePair.first.a || !edgePair.second.a) return false;
  CMatrix4DStack& stack = renderer.GetMatrixStack();
  const CMatrix4D top = stack.Top();
  const CMatrix3 rotation = top.GetRotation();
  PartImageKey key = PartImageKey::Of(renderer, rotation);
  // Studs drawn as their replacement give another picture than real studs.
  key.content = ctx.studReplacement ? 1 + theSettings.StudMode : 0;
  const auto frameWidth = static_cast<int32_t>(renderer.GetWidth());
  const auto frameHeight = static_cast<int32_t>(renderer.GetHeight());
  // While panes draw together every thread, band threads included, uses images of its own and
  // needs no lock; the band threads of a pane drawn alone share the file's images under its lock.
  CThreadPartImages::Slots* own = CThreadPartImages::Current() ? &CThreadPartImages::Current()->For(this) : nullptr;
  const std::span<CFakeBuffer> images = own ? std::span<CFakeBuffer>(own->images) : std::span<CFakeBuffer>(partImages);
  uint8_t& nextImage = own ? own->next : m_nextPartImage;
  auto find = [&]() -> CFakeBuffer* {
    for (CFakeBuffer& image : images)
      if (!image.IsInvalid(key, frameWidth, frameHeight)) return &image;
    return nullptr;
  };
  const CVector3 translation = top.GetTranslation();
  std::shared_mutex& imageLock = theRenderCache.ImageLock(this);
  {
    std::shared_lock<std::shared_mutex> lock(imageLock, std::defer_lock);
    if (!own) lock.lock();
    if (const CFakeBuffer* found = find()) {
      renderer.DrawCachedPart(*found, main, edge, translation + found->origin, pickId);
      return true;
    }
  }
  // Another thread may make the image between the two locks: look again.
  std::unique_lock<std::shared_mutex> lock(imageLock, std::defer_lock);
  if (!own) lock.lock();
  CFakeBuffer* found = find();
  if (!found) {
    CVector3 lo(1e200, 1e200, 1e200), hi(-1e200, -1e200, -1e200);
    if (!MeasureFile(*this, CVector3(), rotation, lo, hi)) {
      std::lock_guard<std::mutex> measuring(theMeasureLock);
      lo.Set(1e200, 1e200, 1e200);
      hi.Set(-1e200, -1e200, -1e200);
      ExtendBoundingBox(CVector3(), rotation, lo, hi, 0);
    }
    // An empty box (nothing drawable) or one that is not finite gives no sensible image size;
    // the images of other rotations stay.
    if (!Finite(lo) || !Finite(hi) || hi.x < lo.x || hi.y < lo.y || hi.z < lo.z) return false;
    const double w = std::ceil(hi.x - lo.x), h = std::ceil(hi.y - lo.y);
    if (w > frameWidth / 2 || h > frameHeight / 2) return false;
    // The images are replaced in turn.
    CFakeBuffer& partImage = images[nextImage];
    nextImage = static_cast<uint8_t>((nextImage + 1) % images.size());
    if (!partImage.Create(static_cast<int32_t>(w), static_cast<int32_t>(h), frameWidth, frameHeight, key))
      return false;  // Create has freed it
    ++renderer.Counts().imagesCreated;
    partImage.origin = lo;
    // The elements draw relative to the box's minimum: the rotation stays, the translation goes.
    CMatrix4D shifted = top;
    shifted.m[0][3] = -lo.x;
    shifted.m[1][3] = -lo.y;
    shifted.m[2][3] = -lo.z;
    if (!stack.Push(shifted)) {
      partImage.Free();
      return false;
    }
    DrawContext inner = ctx;
    inner.partImageTarget = &partImage;
    inner.drawingIntoImage = true;
    for (const auto& e : m_elements) {
      const ElementType t = e->GetType();
      if (t != ElementType::Clear && t != ElementType::BufExchg && !e->ghost) e->Draw(renderer, pickId, inner);
    }
    stack.Pop();
    found = &partImage;
  }
  renderer.DrawCachedPart(*found, main, edge, translation + found->origin, pickId);
  return true;
}
