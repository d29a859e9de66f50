#include "render/FakeBuffer.h"

#include <climits>
#include <cstring>

#include "render/C3DStub.h"
#include "render/MemHeap.h"

namespace {
constexpr uint64_t kByteBudget = 0xFFFFFFFFull;
}

PartImageKey PartImageKey::Of(const C3DStub& renderer, const CMatrix3& rotation) {
  PartImageKey key;
  key.rotation = rotation;
  key.surfacesOff = renderer.GetSurfacesOff();
  key.boundingBoxMode = renderer.GetBoundingBoxMode();
  key.shading = renderer.GetShading();
  key.lineWidth = renderer.GetLineWidth();
  key.depthScale = renderer.GetDepthScale();
  return key;
}

bool PartImageKey::SameAs(const PartImageKey& o) const {
  return std::memcmp(rotation.m.data(), o.rotation.m.data(), sizeof(double) * 9) == 0 &&
         surfacesOff == o.surfacesOff && boundingBoxMode == o.boundingBoxMode && shading == o.shading &&
         lineWidth == o.lineWidth && content == o.content && std::memcmp(&depthScale, &o.depthScale, sizeof(double)) == 0;
}

bool CFakeBuffer::MarkStamped(const C3DStub* renderer) const {
  if (m_stampedBy == renderer) return false;
  FinishStamps();  // another renderer's stamps come first
  m_stampedBy = renderer;
  return true;
}

void CFakeBuffer::FinishStamps() const {
  if (m_stampedBy) m_stampedBy->Finish();  // clears the mark
  m_stampedBy = nullptr;
}

int CFakeBuffer::Create(int32_t w, int32_t h, int32_t frameWidth, int32_t frameHeight, const PartImageKey& key) {
  FinishStamps();
  if (w <= 0 || h <= 0 || w > frameWidth / 2 || h > frameHeight / 2) {
    Free();
    return 0;
  }
  const int64_t n = static_cast<int64_t>(w + kBorder) * (h + kBorder);
  if (m_capacity < n || n < m_capacity / 2) {
    Free();
    if (n >= kPixelLimit || theTotal + 5 * static_cast<uint64_t>(n) > kByteBudget) return 0;
    m_depth = static_cast<int32_t*>(theRenderCache.Alloc(static_cast<size_t>(n) * 4));
    m_shade = m_depth ? static_cast<uint8_t*>(theRenderCache.Alloc(static_cast<size_t>(n))) : nullptr;
    if (!m_shade) {
      Free();
      return 0;
    }
    m_capacity = static_cast<int32_t>(n);
    theTotal += 5 * static_cast<uint64_t>(n);
  }
  m_width = w + kBorder;
  m_height = h + kBorder;
  Clear();
  m_key = key;
  return 1;
}

int CFakeBuffer::IsInvalid(const PartImageKey& key, int32_t frameWidth, int32_t frameHeight) const {
  if (!key.SameAs(m_key) || m_width <= 0 || m_height <= 0) return 1;
  return m_width > frameWidth / 2 || m_height > frameHeight / 2 ? 1 : 0;
}

void CFakeBuffer::Clear() {
  FinishStamps();
  const size_t n = static_cast<size_t>(m_width) * static_cast<size_t>(m_height);
  for (size_t i = 0; i < n; ++i) m_depth[i] = INT_MAX;
  if (n) std::memset(m_shade, kEmpty, n);
}

void CFakeBuffer::Forget() {
  FinishStamps();
  m_width = m_height = 0;
}

void CFakeBuffer::Free() {
  FinishStamps();
  // m_depth without m_shade happens when the second allocation failed.
  if (m_depth && m_shade) {
    const uint64_t bytes = 5 * static_cast<uint64_t>(m_capacity);
    if (theTotal >= bytes) {
      theTotal -= bytes;
      if (theTotal == 0) theRenderCache.Compact();
    }
  }
  theRenderCache.Free(m_depth);
  theRenderCache.Free(m_shade);
  m_depth = nullptr;
  m_shade = nullptr;
  m_capacity = m_width = m_height = 0;
}
