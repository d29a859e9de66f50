#pragma once
// Small frames for the renderer tests: a colour table of our own and pictures of the frame as
// text rows, one character per pixel.
#include <array>
#include <string>
#include <vector>

#include "render/C3DStub.h"

namespace render_test {

// Colour numbers of the test table.
enum : uint32_t {
  kBlack = 0,  // background
  kRed = 1,
  kGreen = 2,
  kBlue = 3,
  kDoorRed = 4,   // alpha 128: screen door
  kHidden = 5,    // alpha 85: draws nothing
  kAlpha86 = 6,   // the lowest screen-door alpha
  kAlpha170 = 7,  // the highest screen-door alpha
  kAlpha171 = 8,  // the lowest solid alpha
  kBrown = 9,     // (200, 100, 40) for shading and highlighting
};

inline ColorEntry Entry(uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
  ColorEntry e{};
  e.red = r;
  e.green = g;
  e.blue = b;
  e.alpha = a;
  e.edgeColor = -1;
  e.reserved = 255;
  return e;
}

struct TestColors {
  std::array<ColorEntry, kColorCount> table{};
  TestColors() {
    table[kBlack] = Entry(0, 0, 0, 255);
    table[kRed] = Entry(255, 0, 0, 255);
    table[kGreen] = Entry(0, 255, 0, 255);
    table[kBlue] = Entry(0, 0, 255, 255);
    table[kDoorRed] = Entry(255, 0, 0, 128);
    table[kHidden] = Entry(255, 0, 0, 85);
    table[kAlpha86] = Entry(255, 0, 0, 86);
    table[kAlpha170] = Entry(255, 0, 0, 170);
    table[kAlpha171] = Entry(255, 0, 0, 171);
    table[kBrown] = Entry(200, 100, 40, 255);
  }
};

// A renderer of the given size: black background, shading off unless asked, view offset 0 and
// scale 1, so an integral point (x, y) maps to pixel (x, y) and depth = 4 z (rounded).
inline void Prepare(C3DStub& r, const TestColors& colors, uint32_t width, uint32_t height, bool pick = true,
                    int shading = 0) {
  r.SetBackgroundColor(kBlack);
  r.EnablePickBuffer(pick ? 1 : 0);
  r.Reset(width, height, shading);
  r.SetColorTable(colors.table.data());
  r.SetView(0, 0, 1);
}

struct Bgr {
  uint8_t b, g, r;
  bool operator==(const Bgr&) const = default;
};

inline Bgr PixelAt(const C3DStub& r, int x, int y) {
  const uint8_t* p = r.GetImage().GetRow(y) + 3 * x;
  return {p[0], p[1], p[2]};
}

// '.' black, 'R' red, 'G' green, 'B' blue, '?' anything else.
inline std::vector<std::string> Picture(const C3DStub& r) {
  std::vector<std::string> rows;
  for (uint32_t y = 0; y < r.GetHeight(); ++y) {
    std::string row;
    for (uint32_t x = 0; x < r.GetWidth(); ++x) {
      const Bgr p = PixelAt(r, static_cast<int>(x), static_cast<int>(y));
      if (p == Bgr{0, 0, 0})
        row += '.';
      else if (p == Bgr{0, 0, 255})
        row += 'R';
      else if (p == Bgr{0, 255, 0})
        row += 'G';
      else if (p == Bgr{255, 0, 0})
        row += 'B';
      else
        row += '?';
    }
    rows.push_back(row);
  }
  return rows;
}

// '#' where a pick id is stored, '.' where none is.
inline std::vector<std::string> PickMask(const C3DStub& r) {
  std::vector<std::string> rows;
  for (uint32_t y = 0; y < r.GetHeight(); ++y) {
    std::string row;
    for (uint32_t x = 0; x < r.GetWidth(); ++x)
      row += r.GetPickId(static_cast<int>(x), static_cast<int>(y)) == kNoPickId ? '.' : '#';
    rows.push_back(row);
  }
  return rows;
}

inline CVector3 P(double x, double y, double z = 0) { return {x, y, z}; }

}  // namespace render_test
