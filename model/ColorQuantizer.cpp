#include "model/ColorQuantizer.h"

#include <algorithm>
#include <new>

namespace {
void ToYCbCr(int32_t r, int32_t g, int32_t b, int32_t& y, int32_t& cb, int32_t& cr) {
  y = (306 * r + 601 * g + 117 * b) >> 10;
  cb = (8192 * b - 5428 * g - 2764 * r + 2097152) >> 14;
  cr = (8192 * r - 6860 * g - 1332 * b + 2097152) >> 14;
  y = std::clamp(y, 0, 255);
  cb = std::clamp(cb, 0, 255);
  cr = std::clamp(cr, 0, 255);
}
constexpr int32_t kLimit[3] = {15, 15, 31};
}  // namespace

std::vector<int32_t> CColorQuantizer::PaletteColors() {
  std::vector<int32_t> list;
  for (int32_t n = 0; n <= 28; ++n)
    if (n != 16 && n != 24) list.push_back(n);
  return list;
}

void CColorQuantizer::Reset() {
  m_boxes.clear();
  m_boxColor.fill(0);
}

void CColorQuantizer::Free() {
  m_cells.clear();
  m_cells.shrink_to_fit();
  for (auto& row : m_errors) {
    row.clear();
    row.shrink_to_fit();
  }
}

void CColorQuantizer::Shrink(Box& box) const {
  int32_t lo[3] = {kLimit[0], kLimit[1], kLimit[2]}, hi[3] = {0, 0, 0};
  int32_t cells = 0;
  for (int32_t cr = box.lo[0]; cr <= box.hi[0]; ++cr)
    for (int32_t cb = box.lo[1]; cb <= box.hi[1]; ++cb)
      for (int32_t y = box.lo[2]; y <= box.hi[2]; ++y) {
        if (!m_cells[CellIndex(cr, cb, y)]) continue;
        ++cells;
        const int32_t v[3] = {cr, cb, y};
        for (int a = 0; a < 3; ++a) {
          lo[a] = std::min(lo[a], v[a]);
          hi[a] = std::max(hi[a], v[a]);
        }
      }
  box.cells = cells;
  if (!cells) return;
  std::copy(lo, lo + 3, box.lo);
  std::copy(hi, hi + 3, box.hi);
}

void CColorQuantizer::MedianCut() {
  Box all{{0, 0, 0}, {kLimit[0], kLimit[1], kLimit[2]}};
  Shrink(all);
  m_boxes.assign(1, all);
  while (static_cast<int>(m_boxes.size()) < kMaxBoxes) {
    int32_t best = -1, bestSize = 0;
    for (size_t i = 0; i < m_boxes.size(); ++i) {
      const Box& b = m_boxes[i];
      int32_t size = 0;
      for (int a = 0; a < 3; ++a) size += (b.hi[a] - b.lo[a]) * (b.hi[a] - b.lo[a]);
      if (size > bestSize) {
        bestSize = size;
        best = static_cast<int32_t>(i);
      }
    }
    if (best < 0) break;
    Box& old = m_boxes[best];
    const int32_t ext[3] = {old.hi[0] - old.lo[0], old.hi[1] - old.lo[1], old.hi[2] - old.lo[2]};
    const int axis = (ext[2] > ext[0] && ext[2] > ext[1]) ? 2 : (ext[0] < ext[1] ? 1 : 0);
    Box lower = old;
    lower.hi[axis] = old.lo[axis] + ext[axis] / 2;
    old.lo[axis] = lower.hi[axis] + 1;
    Shrink(old);
    Shrink(lower);
    m_boxes.push_back(lower);
  }
}

void CColorQuantizer::ComputeMeans() {
  for (Box& b : m_boxes) {
    uint32_t sum[3] = {0, 0, 0}, weight = 0;
    for (int32_t cr = b.lo[0]; cr <= b.hi[0]; ++cr)
      for (int32_t cb = b.lo[1]; cb <= b.hi[1]; ++cb)
        for (int32_t y = b.lo[2]; y <= b.hi[2]; ++y) {
          const uint32_t n = m_cells[CellIndex(cr, cb, y)];
          if (!n) continue;
          const uint64_t add[3] = {uint64_t(n) * (cr * 16 + 8), uint64_t(n) * (cb * 16 + 8), uint64_t(n) * (y * 8 + 4)};
          if (sum[0] + add[0] > UINT32_MAX || sum[1] + add[1] > UINT32_MAX || sum[2] + add[2] > UINT32_MAX) continue;
          for (int a = 0; a < 3; ++a) sum[a] += static_cast<uint32_t>(add[a]);
          weight += n;
        }
    for (int a = 0; a < 3; ++a) b.mean[a] = weight ? static_cast<int32_t>((sum[a] + weight / 2) / weight) : 0;
  }
}

int32_t CColorQuantizer::NearestBox(int32_t r, int32_t g, int32_t b) {
  int32_t y, cb, cr;
  ToYCbCr(r, g, b, y, cb, cr);
  const size_t cell = CellIndex(cr >> 4, cb >> 4, y >> 3);
  if (m_cells[cell]) return m_cells[cell] - 1;
  int32_t best = 0, bestD = INT32_MAX;
  for (size_t i = 0; i < m_boxes.size(); ++i) {
    const Box& box = m_boxes[i];
    const int32_t dr = box.mean[0] / 16 - (cr >> 4), db = box.mean[1] / 16 - (cb >> 4), dy = box.mean[2] / 8 - (y >> 3);
    const int32_t d = dr * dr + db * db + dy * dy;
    if (d < bestD) {
      bestD = d;
      best = static_cast<int32_t>(i);
    }
  }
  m_cells[cell] = static_cast<uint16_t>(best + 1);
  return best;
}

std::unique_ptr<CDib> CColorQuantizer::CreatePaletteDib(const CDib& picture, const ColorEntry* table) {
  if (!table || !picture.HasBlock() || !picture.Is24Bit()) return nullptr;
  try {
    m_cells.assign(16 * 16 * 32, 0);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  const std::vector<int32_t> palette = PaletteColors();
  for (int32_t n : palette) {
    int32_t y, cb, cr;
    ToYCbCr(table[n].red, table[n].green, table[n].blue, y, cb, cr);
    uint16_t& count = m_cells[CellIndex(cr >> 4, cb >> 4, y >> 3)];
    if (count < 65535) ++count;
  }
  MedianCut();
  auto out = std::make_unique<CDib>();
  if (!out->Create(picture.GetWidth(), picture.GetHeight(), false)) return nullptr;
  ComputeMeans();
  std::fill(m_cells.begin(), m_cells.end(), 0);
  for (size_t i = 0; i < m_boxes.size(); ++i) {
    const Box& b = m_boxes[i];
    for (int32_t cr = b.lo[0]; cr <= b.hi[0]; ++cr)
      for (int32_t cb = b.lo[1]; cb <= b.hi[1]; ++cb)
        for (int32_t y = b.lo[2]; y <= b.hi[2]; ++y) m_cells[CellIndex(cr, cb, y)] = static_cast<uint16_t>(i + 1);
  }
  m_boxColor.fill(0);
  for (int32_t n : palette) m_boxColor[NearestBox(table[n].red, table[n].green, table[n].blue)] = static_cast<uint8_t>(n);
  try {
    Dither(picture, *out, table);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  return out;
}

void CColorQuantizer::Dither(const CDib& picture, CDib& out, const ColorEntry* table) {
  const int32_t width = picture.GetWidth();
  const size_t entries = (static_cast<size_t>(width) + 2) * 3;
  m_errors[0].assign(entries, 0);
  m_errors[1].assign(entries, 0);
  for (int32_t row = 0; row < picture.GetHeight(); ++row) {
    std::vector<int32_t>& cur = m_errors[row & 1];
    std::vector<int32_t>& next = m_errors[(row & 1) ^ 1];
    std::fill(next.begin(), next.end(), 0);
    const int32_t dir = (row & 1) ? -1 : 1;
    const uint8_t* source = picture.GetRow(row);
    uint8_t* target = out.GetRow(row);
    for (int32_t k = 0; k < width; ++k) {
      const int32_t x = dir > 0 ? k : width - 1 - k;
      const size_t here = (static_cast<size_t>(x) + 1) * 3;
      const size_t ahead = here + dir * 3, behind = here - dir * 3;
      int32_t value[3];
      for (int c = 0; c < 3; ++c)  // R, G, B; the picture holds B, G, R
        value[c] = std::clamp(source[x * 3 + 2 - c] + ((cur[here + c] + 8) >> 4), 0, 255);
      const uint8_t color = m_boxColor[NearestBox(value[0], value[1], value[2])];
      target[x] = color;
      const int32_t actual[3] = {table[color].red, table[color].green, table[color].blue};
      for (int c = 0; c < 3; ++c) {
        const int32_t e = value[c] - actual[c];
        cur[ahead + c] += 7 * e;
        next[behind + c] += 3 * e;
        next[here + c] += 5 * e;
        next[ahead + c] = e;
      }
    }
  }
}
