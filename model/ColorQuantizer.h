#pragma once
// Maps a 24-bit picture onto the solid colours 0..28 (without 16 and 24) of a colour table: a
// median cut over those colours picks up to 27 boxes of colour space, and Floyd-Steinberg
// dithering writes the colour number of each pixel's box into an 8-bit picture.
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "config/ColorEntry.h"
#include "render/Dib.h"

class CColorQuantizer {
 public:
  static constexpr int kMaxBoxes = 27;

  void Reset();
  // A new 8-bit picture of colour numbers of the same size, or null when the picture is not
  // 24-bit or memory runs out. The table gives the palette colours' main RGB.
  std::unique_ptr<CDib> CreatePaletteDib(const CDib& picture, const ColorEntry* table);
  void Free();

  // The palette's colour numbers in increasing order.
  static std::vector<int32_t> PaletteColors();

 private:
  struct Box {
    int32_t lo[3], hi[3];  // inclusive cell ranges: Cr 0-15, Cb 0-15, Y 0-31
    int32_t cells = 0;     // occupied cells
    int32_t mean[3] = {0, 0, 0};  // Cr, Cb, Y bytes
  };
  static size_t CellIndex(int32_t cr, int32_t cb, int32_t y) { return static_cast<size_t>(cr) * 512 + cb * 32 + y; }
  void Shrink(Box& box) const;
  void MedianCut();
  void ComputeMeans();
  // Box index of a colour, cached in the cell map.
  int32_t NearestBox(int32_t r, int32_t g, int32_t b);
  void Dither(const CDib& picture, CDib& out, const ColorEntry* table);

  std::vector<uint16_t> m_cells;
  std::vector<Box> m_boxes;
  std::array<uint8_t, kMaxBoxes> m_boxColor{};
  std::vector<int32_t> m_errors[2];
};
