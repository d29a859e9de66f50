// Drawing a referenced part from its pre-rendered image (the FastRender setting): the part is
// rendered once per view rotation and drawing mode into the file's part image, and every copy
// is stamped from it in its own colours. The image's key holds everything that changes the
// picture, so an image is never used for a drawing it was not made for.
#include <cmath>
#include <cstdint>
#include <mutex>
#include <shared_mutex>

#include "config/ColorTable.h"
#include "config/Settings.h"
#include "model/QvElement.h"
#include "model/QvFile.h"
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

bool Finite(const CVector3& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

}  // namespace

bool CQvFile::HasExplicitColorsDeep() const {
  if (m_deepColors < 0) m_deepColors = ColoredBelow(*this, 0) ? 1 : 0;
  return m_deepColors != 0;
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
  auto find = [&]() -> CFakeBuffer* {
    for (CFakeBuffer& image : partImages)
      if (!image.IsInvalid(key, frameWidth, frameHeight)) return &image;
    return nullptr;
  };
  const CVector3 translation = top.GetTranslation();
  {
    std::shared_lock<std::shared_mutex> lock(theRenderCache.ImageLock());
    if (const CFakeBuffer* found = find()) {
      renderer.DrawCachedPart(*found, main, edge, translation + found->origin, pickId);
      return true;
    }
  }
  // Another thread may make the image between the two locks: look again.
  std::unique_lock<std::shared_mutex> lock(theRenderCache.ImageLock());
  CFakeBuffer* found = find();
  if (!found) {
    CVector3 lo(1e200, 1e200, 1e200), hi(-1e200, -1e200, -1e200);
    ExtendBoundingBox(CVector3(), rotation, lo, hi, 0);
    // An empty box (nothing drawable) or one that is not finite gives no sensible image size;
    // the images of other rotations stay.
    if (!Finite(lo) || !Finite(hi) || hi.x < lo.x || hi.y < lo.y || hi.z < lo.z) return false;
    const double w = std::ceil(hi.x - lo.x), h = std::ceil(hi.y - lo.y);
    if (w > frameWidth / 2 || h > frameHeight / 2) return false;
    // The images are replaced in turn.
    CFakeBuffer& partImage = partImages[m_nextPartImage];
    m_nextPartImage = static_cast<uint8_t>((m_nextPartImage + 1) % kPartImageCount);
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
