#include "model/ColorQuantizer.h"

#include <gtest/gtest.h>

#include <map>

#include "config/ColorTable.h"

namespace {

struct Table {
  ColorEntry entries[kColorCount];
  Table() { BuildColorTable(BuiltinColors.data(), entries, kColorCount); }
};

// The quantiser's cell of a colour, by the JFIF equations on their own.
int Cell(const ColorEntry& e) {
  const int r = e.red, g = e.green, b = e.blue;
  const int y = (306 * r + 601 * g + 117 * b) >> 10;
  const int cb = (8192 * b - 5428 * g - 2764 * r + 2097152) >> 14;
  const int cr = (8192 * r - 6860 * g - 1332 * b + 2097152) >> 14;
  return (cr >> 4) * 512 + (cb >> 4) * 32 + (y >> 3);
}

std::unique_ptr<CDib> Solid(int w, int h, const ColorEntry& e) {
  auto dib = std::make_unique<CDib>();
  dib->Create(w, h, true);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      dib->GetRow(y)[x * 3] = e.blue;
      dib->GetRow(y)[x * 3 + 1] = e.green;
      dib->GetRow(y)[x * 3 + 2] = e.red;
    }
  return dib;
}

TEST(ColorQuantizer, EachPaletteColourBecomesTheHighestColourOfItsCell) {
  Table t;
  std::map<int, int> winner;  // cell -> highest colour number in it
  for (int n : CColorQuantizer::PaletteColors()) winner[Cell(t.entries[n])] = n;
  for (int n : CColorQuantizer::PaletteColors()) {
    CColorQuantizer q;
    q.Reset();
    auto out = q.CreatePaletteDib(*Solid(3, 2, t.entries[n]), t.entries);
    ASSERT_TRUE(out);
    EXPECT_FALSE(out->Is24Bit());
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 3; ++x) EXPECT_EQ(out->GetRow(y)[x], winner[Cell(t.entries[n])]) << "colour " << n;
    q.Free();
  }
}

// A picture of four table colours in quarters reduces to exactly those four numbers.
TEST(ColorQuantizer, QuartersOfTableColoursKeepTheirNumbers) {
  Table t;
  const int quarters[4] = {4, 1, 14, 2};  // red, blue, yellow, green
  CDib pic;
  pic.Create(8, 8, true);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) {
      const ColorEntry& e = t.entries[quarters[(y / 4) * 2 + x / 4]];
      uint8_t* p = pic.GetRow(y) + x * 3;
      p[0] = e.blue, p[1] = e.green, p[2] = e.red;
    }
  CColorQuantizer q;
  auto out = q.CreatePaletteDib(pic, t.entries);
  ASSERT_TRUE(out);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) EXPECT_EQ(out->GetRow(y)[x], quarters[(y / 4) * 2 + x / 4]) << x << "," << y;
}

TEST(ColorQuantizer, WidePictureAndBadInput) {
  Table t;
  CColorQuantizer q;
  ColorEntry grey = t.entries[7];
  grey.red = 120, grey.green = 121, grey.blue = 119;
  auto out = q.CreatePaletteDib(*Solid(2000, 3, grey), t.entries);
  ASSERT_TRUE(out);
  EXPECT_EQ(out->GetWidth(), 2000);
  CDib eight;
  eight.Create(4, 4, false);
  EXPECT_FALSE(q.CreatePaletteDib(eight, t.entries));
  EXPECT_FALSE(q.CreatePaletteDib(CDib(), t.entries));
}

}  // namespace
