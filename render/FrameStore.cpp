// Whole frames of C3DStub kept aside and brought back: the saved state (restored any number of
// times), the 26 one-shot frame slots, highlighting of earlier steps, and pasting or tiling behind
// the model. A frame is only ever brought back into buffers of its own size: a copy taken at
// another size is refused rather than copied over the current buffers.
#include <algorithm>
#include <cstring>
#include <new>

#include "render/C3DStub.h"

int C3DStub::StoreFrame(FrameCopy& copy) const {
  Finish();
  try {
    copy.depth.assign(m_depth.begin(), m_depth.end());
    if (m_pickOn && !m_pick.empty())
      copy.pick.assign(m_pick.begin(), m_pick.end());
    else
      std::vector<PickId>().swap(copy.pick);
  } catch (const std::bad_alloc&) {
    return 0;
  }
  if (!copy.image.CopyFrom(m_image)) return 0;
  copy.width = m_width;
  copy.height = m_height;
  copy.pixelCount = m_pixelCount;
  return 1;
}

int C3DStub::LoadFrame(const FrameCopy& copy) {
  Finish();
  if (copy.width != m_width || copy.height != m_height || copy.depth.size() != m_depth.size() ||
      !copy.image.HasBlock())
    return 0;
  std::copy(copy.depth.begin(), copy.depth.end(), m_depth.begin());
  // Pick ids come back only when both buffers exist; a copy taken without them leaves none.
  if (!m_pick.empty()) {
    if (copy.pick.size() == m_pick.size())
      std::copy(copy.pick.begin(), copy.pick.end(), m_pick.begin());
    else
      std::fill(m_pick.begin(), m_pick.end(), kNoPickId);
  }
  std::memcpy(m_bits, copy.image.GetBits(), static_cast<size_t>(m_pixelCount) * 3);
  m_imageDirty = true;
  return 1;
}

int C3DStub::SaveState() {
  if (!m_initialised || m_depth.empty()) return 0;
  if (!StoreFrame(m_saved)) {
    FreeSavedState();
    return 0;
  }
  m_saved.inUse = true;
  return 1;
}

int C3DStub::RestoreState() {
  if (!m_initialised || !m_saved.inUse) return 0;
  return LoadFrame(m_saved);
}

void C3DStub::FreeSavedState() {
  m_saved.inUse = false;
  std::vector<int32_t>().swap(m_saved.depth);
  std::vector<PickId>().swap(m_saved.pick);
  m_saved.image.Free();
}

int C3DStub::SaveSlot(uint32_t slot) {
  slot &= 0xFF;
  if (!m_initialised || m_depth.empty() || slot >= kSlotCount) return 0;
  if (!m_slots) {
    m_slots.reset(new (std::nothrow) std::array<FrameCopy, kSlotCount>());
    if (!m_slots) return 0;
  }
  FrameCopy& s = (*m_slots)[slot];
  s.inUse = false;
  if (!StoreFrame(s)) return 0;
  s.inUse = true;
  return 1;
}

int C3DStub::RestoreSlot(uint32_t slot) {
  slot &= 0xFF;
  if (!m_initialised || slot >= kSlotCount || !m_slots) return 0;
  FrameCopy& s = (*m_slots)[slot];
  if (!s.inUse || !LoadFrame(s)) return 0;
  // Retrieval is one-shot.
  std::vector<int32_t>().swap(s.depth);
  std::vector<PickId>().swap(s.pick);
  s.inUse = false;
  return 1;
}

namespace {

// Walks the pixels in memory order; only pixels with a pick id change, and lose the id.
void HighlightPixels(int mode, uint8_t* bits, PickId* pick, size_t pixels) {
  const size_t stride = mode == 3 ? 2 : 1;
  for (size_t i = 0; i < pixels; i += stride) {
    if (pick[i] == kNoPickId) continue;
    uint8_t* p = bits + 3 * i;
    if (mode == 1) {
      for (int k = 0; k < 3; ++k) p[k] = static_cast<uint8_t>((p[k] * 3) >> 2);
    } else if (mode == 2) {
      const uint8_t g = static_cast<uint8_t>((p[0] + p[1] + p[2]) >> 2);
      p[0] = p[1] = p[2] = g;
    } else {
      for (int k = 0; k < 3; ++k) p[k] = static_cast<uint8_t>(p[k] >> 1);
    }
    pick[i] = kNoPickId;
  }
}

}  // namespace

void C3DStub::Highlight(int mode, uint32_t slot) {
  Finish();
  if (!m_initialised || mode < 1 || mode > 3) return;
  auto slotPixels = [mode](FrameCopy& s) {
    if (s.inUse && !s.pick.empty() && s.image.HasBlock())
      HighlightPixels(mode, s.image.GetBits(), s.pick.data(), s.pick.size());
  };
  if (slot == 255) {
    if (m_pick.empty()) return;
    HighlightPixels(mode, m_bits, m_pick.data(), m_pick.size());
    if (m_slots)
      for (FrameCopy& s : *m_slots) slotPixels(s);
    return;
  }
  if (slot < kSlotCount && m_slots) slotPixels((*m_slots)[slot]);
}

int C3DStub::PasteBehind(const C3DStub& other, int x, int y) {
  Finish();
  other.Finish();
  if (!m_initialised || !other.m_initialised || x < 0 || y < 0) return 0;
  if (static_cast<uint64_t>(x) + other.m_width > m_width ||
      static_cast<uint64_t>(y) + other.m_height > m_height)
    return 0;
  for (uint32_t j = 0; j < other.m_height; ++j) {
    const size_t row = static_cast<size_t>(y + j) * m_width + static_cast<size_t>(x);
    const uint8_t* src = other.m_bits + static_cast<size_t>(j) * other.m_width * 3;
    for (uint32_t i = 0; i < other.m_width; ++i) {
      if (m_depth[row + i] != kEmptyDepth) continue;
      std::memcpy(m_bits + 3 * (row + i), src + 3 * static_cast<size_t>(i), 3);
    }
  }
  m_imageDirty = true;
  return 1;
}

int C3DStub::TileBackground(const CDib& picture) {
  Finish();
  if (!m_initialised || !picture.HasBlock() || !picture.Is24Bit()) return 0;
  const uint32_t pw = static_cast<uint32_t>(picture.GetWidth());
  const uint32_t ph = static_cast<uint32_t>(picture.GetHeight());
  for (uint32_t row = 0; row < m_height; ++row) {
    const uint8_t* src = picture.GetRow(static_cast<int32_t>(row % ph));
    const size_t base = static_cast<size_t>(row) * m_width;
    for (uint32_t col = 0; col < m_width; ++col) {
      if (m_depth[base + col] != kEmptyDepth) continue;
      std::memcpy(m_bits + 3 * (base + col), src + 3 * static_cast<size_t>(col % pw), 3);
    }
  }
  m_imageDirty = true;
  return 1;
}
