// Colour reduction for palette output: median cut over a YCbCr cell histogram, then serpentine
// Floyd-Steinberg error diffusion into the chosen palette.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "imagelib/Image.h"

namespace tolvo {
namespace {

constexpr int kCells = 32 * 32 * 64;

// Work state of one reduction, released by FreeWork at the end of every load and save.
uint16_t* theCells = nullptr;
int16_t* theErrors = nullptr;

struct Box {
  int lo[3], hi[3];  // Cr 0-31, Cb 0-31, Y 0-63
  int occupied;
  int mean[3];  // Cr, Cb, Y bytes
};

inline int CellIndex(int cr, int cb, int y) { return cr * 2048 + cb * 64 + y; }

inline void ToYCbCr(int r, int g, int b, int& y, int& cb, int& cr) {
  y = (306 * r + 601 * g + 117 * b) >> 10;
  cb = (8192 * b - 5428 * g - 2764 * r + 2097152) >> 14;
  cr = (8192 * r - 6860 * g - 1332 * b + 2097152) >> 14;
}

inline uint8_t Clamp(int v) { return static_cast<uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v); }

inline void ToRgb(int y, int cb, int cr, uint8_t* rgb) {
  rgb[0] = Clamp(y + ((1436 * cr - 183808) >> 10));
  rgb[1] = Clamp(y - ((93604 * cr + 45107 * cb - 17755008) >> 17));
  rgb[2] = Clamp(y + ((1815 * cb - 232320) >> 10));
}

// The colour of pixel x of a row, as R, G, B.
inline void PixelColor(const imImage* image, const uint8_t* row, uint32_t x, int rgb[3]) {
  if (IsTrueColor(image)) {
    rgb[0] = row[x * 3 + 2];
    rgb[1] = row[x * 3 + 1];
    rgb[2] = row[x * 3];
    return;
  }
  uint32_t index = row[x];
  if (index >= image->colorCount || !image->palette) {
    rgb[0] = rgb[1] = rgb[2] = 0;
    return;
  }
  const uint8_t* p = image->palette + index * 3;
  rgb[0] = p[0];
  rgb[1] = p[1];
  rgb[2] = p[2];
}

// Makes the box the smallest one around its occupied cells and counts them.
void Shrink(Box& box) {
  int lo[3] = {99, 99, 99}, hi[3] = {-1, -1, -1};
  int count = 0;
  for (int cr = box.lo[0]; cr <= box.hi[0]; ++cr)
    for (int cb = box.lo[1]; cb <= box.hi[1]; ++cb)
      for (int y = box.lo[2]; y <= box.hi[2]; ++y) {
        if (theCells[CellIndex(cr, cb, y)] == 0) continue;
        ++count;
        lo[0] = std::min(lo[0], cr), hi[0] = std::max(hi[0], cr);
        lo[1] = std::min(lo[1], cb), hi[1] = std::max(hi[1], cb);
        lo[2] = std::min(lo[2], y), hi[2] = std::max(hi[2], y);
      }
  box.occupied = count;
  if (count == 0) return;
  for (int a = 0; a < 3; ++a) box.lo[a] = lo[a], box.hi[a] = hi[a];
}

int ChooseBox(const std::vector<Box>& boxes, bool byCount) {
  int best = -1;
  long bestValue = 0;
  for (size_t i = 0; i < boxes.size(); ++i) {
    const Box& b = boxes[i];
    long value;
    if (byCount) {
      value = b.occupied > 1 ? b.occupied : 0;
    } else {
      value = 0;
      for (int a = 0; a < 3; ++a) value += long(b.hi[a] - b.lo[a]) * (b.hi[a] - b.lo[a]);
    }
    if (value > bestValue) best = static_cast<int>(i), bestValue = value;
  }
  return best;
}

void MeanColor(Box& box) {
  uint32_t weight = 0, sum[3] = {0, 0, 0};
  for (int cr = box.lo[0]; cr <= box.hi[0]; ++cr)
    for (int cb = box.lo[1]; cb <= box.hi[1]; ++cb)
      for (int y = box.lo[2]; y <= box.hi[2]; ++y) {
        uint32_t n = theCells[CellIndex(cr, cb, y)];
        if (n == 0) continue;
        uint64_t add[3] = {uint64_t(n) * (cr * 8 + 4), uint64_t(n) * (cb * 8 + 4), uint64_t(n) * (y * 4 + 2)};
        // A cell that would overflow a 32-bit sum is left out.
        if (uint64_t(weight) + n > 0xFFFFFFFFu || sum[0] + add[0] > 0xFFFFFFFFu ||
            sum[1] + add[1] > 0xFFFFFFFFu || sum[2] + add[2] > 0xFFFFFFFFu)
          continue;
        weight += n;
        for (int a = 0; a < 3; ++a) sum[a] += static_cast<uint32_t>(add[a]);
      }
  for (int a = 0; a < 3; ++a) box.mean[a] = weight ? static_cast<int>((sum[a] + weight / 2) / weight) : 0;
}

// The palette index for a colour through the cell-to-colour map, filled in on first use.
int Nearest(const std::vector<Box>& boxes, int r, int g, int b) {
  int y, cb, cr;
  ToYCbCr(r, g, b, y, cb, cr);
  int cell = CellIndex(cr >> 3, cb >> 3, y >> 2);
  if (theCells[cell]) return theCells[cell] - 1;
  int best = 0;
  long bestD = -1;
  for (size_t i = 0; i < boxes.size(); ++i) {
    long dcr = boxes[i].mean[0] / 8 - (cr >> 3);
    long dcb = boxes[i].mean[1] / 8 - (cb >> 3);
    long dy = boxes[i].mean[2] / 4 - (y >> 2);
    long d = dcr * dcr + dcb * dcb + dy * dy;
    if (bestD < 0 || d < bestD) best = static_cast<int>(i), bestD = d;
  }
  theCells[cell] = static_cast<uint16_t>(best + 1);
  return best;
}

void Dither(const imImage* src, imImage* dst, const std::vector<Box>& boxes) {
  uint32_t w = src->width;
  size_t entries = (static_cast<size_t>(w) + 2) * 3;
  std::memset(theErrors, 0, entries * 2 * sizeof(int16_t));
  int16_t* rows[2] = {theErrors, theErrors + entries};
  for (uint32_t y = 0; y < src->height; ++y) {
    const uint8_t* in = src->pixels + static_cast<size_t>(y) * src->stride;
    uint8_t* out = dst->pixels + static_cast<size_t>(y) * dst->stride;
    int16_t* cur = rows[y & 1];
    int16_t* next = rows[(y + 1) & 1];
    bool leftToRight = (y & 1) == 0;
    int dir = leftToRight ? 1 : -1;
    // Error entries are indexed by column + 1, so the neighbours of both edges exist.
    std::memset(next, 0, entries * sizeof(int16_t));
    for (uint32_t i = 0; i < w; ++i) {
      uint32_t x = leftToRight ? i : w - 1 - i;
      int rgb[3];
      PixelColor(src, in, x, rgb);
      int16_t* e = cur + (x + 1) * 3;
      for (int c = 0; c < 3; ++c) rgb[c] = Clamp(rgb[c] + ((e[c] + 8) >> 4));
      int index = Nearest(boxes, rgb[0], rgb[1], rgb[2]);
      out[x] = static_cast<uint8_t>(index);
      const uint8_t* chosen = dst->palette + index * 3;
      for (int c = 0; c < 3; ++c) {
        int err = rgb[c] - chosen[c];
        cur[(x + 1 + dir) * 3 + c] = static_cast<int16_t>(cur[(x + 1 + dir) * 3 + c] + err * 7);
        next[(x + 1 - dir) * 3 + c] = static_cast<int16_t>(next[(x + 1 - dir) * 3 + c] + err * 3);
        next[(x + 1) * 3 + c] = static_cast<int16_t>(next[(x + 1) * 3 + c] + err * 5);
        next[(x + 1 + dir) * 3 + c] = static_cast<int16_t>(err);
      }
    }
  }
}

}  // namespace

void FreeWork() {
  std::free(theCells);
  std::free(theErrors);
  theCells = nullptr;
  theErrors = nullptr;
}

imImage* ReduceColors(imImage* image, int n) {
  if (!image || n < 1 || n > 256) return nullptr;
  if (!IsTrueColor(image) && image->colorCount <= n) return image;
  FreeWork();
  theCells = static_cast<uint16_t*>(std::calloc(kCells, sizeof(uint16_t)));
  theErrors = static_cast<int16_t*>(std::calloc((static_cast<size_t>(image->width) + 2) * 6, sizeof(int16_t)));
  if (!theCells || !theErrors) return nullptr;

  for (uint32_t y = 0; y < image->height; ++y) {
    const uint8_t* row = image->pixels + static_cast<size_t>(y) * image->stride;
    for (uint32_t x = 0; x < image->width; ++x) {
      int rgb[3], yy, cb, cr;
      PixelColor(image, row, x, rgb);
      ToYCbCr(rgb[0], rgb[1], rgb[2], yy, cb, cr);
      uint16_t& cell = theCells[CellIndex(cr >> 3, cb >> 3, yy >> 2)];
      if (cell < 65535) ++cell;
    }
  }

  std::vector<Box> boxes(1, Box{{0, 0, 0}, {31, 31, 63}, 0, {0, 0, 0}});
  boxes.reserve(n);
  Shrink(boxes[0]);
  while (static_cast<int>(boxes.size()) < n) {
    int k = static_cast<int>(boxes.size());
    int pick = ChooseBox(boxes, k < n / 2);
    if (pick < 0) break;
    Box& old = boxes[pick];
    int ext[3] = {old.hi[0] - old.lo[0], old.hi[1] - old.lo[1], old.hi[2] - old.lo[2]};
    int axis = (ext[2] > ext[0] && ext[2] > ext[1]) ? 2 : (ext[0] < ext[1] ? 1 : 0);
    Box added = old;
    int mid = old.lo[axis] + (old.hi[axis] - old.lo[axis]) / 2;
    added.hi[axis] = mid;
    old.lo[axis] = mid + 1;
    Shrink(old);
    Shrink(added);
    boxes.push_back(added);
  }

  int k = static_cast<int>(boxes.size());
  // imAlloc wants two colours at least; a one-colour result only uses the first entry.
  imImage* result = AllocImage(image->width, image->height, std::max(k, 2), kImPalette);
  if (!result) return nullptr;
  result->colorCount = static_cast<uint16_t>(k);
  result->paletteBytes = static_cast<uint16_t>(k * 3);
  for (int i = 0; i < k; ++i) {
    MeanColor(boxes[i]);
    ToRgb(boxes[i].mean[2], boxes[i].mean[1], boxes[i].mean[0], result->palette + i * 3);
  }
  std::memset(theCells, 0, kCells * sizeof(uint16_t));
  for (int i = 0; i < k; ++i) {
    const Box& b = boxes[i];
    for (int cr = b.lo[0]; cr <= b.hi[0]; ++cr)
      for (int cb = b.lo[1]; cb <= b.hi[1]; ++cb)
        for (int y = b.lo[2]; y <= b.hi[2]; ++y) theCells[CellIndex(cr, cb, y)] = static_cast<uint16_t>(i + 1);
  }
  Dither(image, result, boxes);
  if (IsBottomUp(image)) SetRowOrderFlag(result, 0);
  CopyInfo(result, image);
  FreeImage(image);
  return result;
}

}  // namespace tolvo
