// The picture adapter: the renderer's pictures copied and stretched into wx images, pixel by
// pixel, with row padding skipped and 8-bit pictures read through their colour table.
#include <gtest/gtest.h>
#include <wx/image.h>
#include <wx/init.h>

#include <cstring>

#include "dialogs/DibBitmap.h"
#include "render/Dib.h"

namespace {

class DibBitmapTest : public ::testing::Test {
 protected:
  static wxInitializer& Initializer() {
    static wxInitializer initializer;
    return initializer;
  }
  void SetUp() override { ASSERT_TRUE(Initializer().IsOk()); }

  // Pixel (x, y) of a 24-bit picture gets red 10 x + 1, green 20 y + 2, blue 3; the padding
  // bytes of every row are 0xEE, which must never show.
  static void Fill24(CDib& dib, int w, int h) {
    ASSERT_TRUE(dib.Create(w, h, true));
    for (int y = 0; y < h; ++y) {
      uint8_t* row = dib.GetRow(y);
      std::memset(row, 0xEE, static_cast<size_t>(dib.GetStride()));
      for (int x = 0; x < w; ++x) {
        row[3 * x] = 3;
        row[3 * x + 1] = static_cast<uint8_t>(20 * y + 2);
        row[3 * x + 2] = static_cast<uint8_t>(10 * x + 1);
      }
    }
  }
  static void ExpectPixel(const wxImage& image, int x, int y, int r, int g, int b) {
    SCOPED_TRACE(testing::Message() << "pixel " << x << "," << y);
    EXPECT_EQ(image.GetRed(x, y), r);
    EXPECT_EQ(image.GetGreen(x, y), g);
    EXPECT_EQ(image.GetBlue(x, y), b);
  }
};

TEST_F(DibBitmapTest, TwentyFourBitCopySwapsToRgbAndSkipsThePadding) {
  CDib dib;
  Fill24(dib, 5, 3);  // 15 bytes of pixels in a 16-byte row
  ASSERT_EQ(dib.GetStride(), 16);
  const wxImage image = DibToImage(dib);
  ASSERT_TRUE(image.IsOk());
  ASSERT_EQ(image.GetWidth(), 5);
  ASSERT_EQ(image.GetHeight(), 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) ExpectPixel(image, x, y, 10 * x + 1, 20 * y + 2, 3);
}

TEST_F(DibBitmapTest, EightBitPixelsAreLookedUpInTheColourTable) {
  CDib dib;
  ASSERT_TRUE(dib.Create(3, 2, false));  // 3 bytes of pixels in a 4-byte row
  uint8_t* table = dib.GetBitmapInfo() + CDib::kHeaderSize;
  const uint8_t entries[3][4] = {{0, 0, 255, 0}, {0, 255, 0, 0}, {255, 0, 0, 0}};  // B, G, R, 0
  for (int i = 0; i < 3; ++i) std::memcpy(table + 4 * (7 + i), entries[i], 4);
  const uint8_t rows[2][4] = {{7, 8, 9, 0xEE}, {9, 9, 7, 0xEE}};
  for (int y = 0; y < 2; ++y) std::memcpy(dib.GetRow(y), rows[y], 4);
  const wxImage image = DibToImage(dib);
  ASSERT_TRUE(image.IsOk());
  ASSERT_EQ(image.GetWidth(), 3);
  ExpectPixel(image, 0, 0, 255, 0, 0);  // index 7: red
  ExpectPixel(image, 1, 0, 0, 255, 0);  // index 8: green
  ExpectPixel(image, 2, 0, 0, 0, 255);  // index 9: blue
  ExpectPixel(image, 0, 1, 0, 0, 255);
  ExpectPixel(image, 2, 1, 255, 0, 0);
}

// Each target pixel takes the source pixel under its top-left corner: target column c of width
// W from a source of width w is source column floor(c x w / W), and the same for rows.
TEST_F(DibBitmapTest, StretchingTakesTheSourcePixelUnderEachTargetCorner) {
  struct Case {
    int sw, sh, tw, th;
  } cases[] = {{2, 2, 4, 4}, {4, 1, 2, 1}, {3, 1, 2, 1}, {5, 3, 7, 2}, {3, 2, 3, 2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.sw << "x" << c.sh << " -> " << c.tw << "x" << c.th);
    CDib dib;
    Fill24(dib, c.sw, c.sh);
    const wxImage image = DibToImage(dib, c.tw, c.th);
    ASSERT_TRUE(image.IsOk());
    ASSERT_EQ(image.GetWidth(), c.tw);
    ASSERT_EQ(image.GetHeight(), c.th);
    for (int y = 0; y < c.th; ++y)
      for (int x = 0; x < c.tw; ++x)
        ExpectPixel(image, x, y, 10 * (x * c.sw / c.tw) + 1, 20 * (y * c.sh / c.th) + 2, 3);
  }
}

TEST_F(DibBitmapTest, StretchedEightBitPicturesKeepTheirColourTable) {
  CDib dib;
  ASSERT_TRUE(dib.Create(2, 1, false));
  uint8_t* table = dib.GetBitmapInfo() + CDib::kHeaderSize;
  table[4 * 1 + 2] = 200;  // index 1: red 200
  table[4 * 2 + 0] = 100;  // index 2: blue 100
  dib.GetRow(0)[0] = 1;
  dib.GetRow(0)[1] = 2;
  const wxImage image = DibToImage(dib, 4, 2);
  ASSERT_TRUE(image.IsOk());
  ExpectPixel(image, 1, 1, 200, 0, 0);
  ExpectPixel(image, 2, 0, 0, 0, 100);
}

TEST_F(DibBitmapTest, NothingToCopyGivesAnInvalidPicture) {
  CDib empty;
  EXPECT_FALSE(DibToImage(empty).IsOk());
  EXPECT_FALSE(DibToImage(empty, 4, 4).IsOk());
  EXPECT_FALSE(DibToBitmap(empty).IsOk());
  CDib dib;
  Fill24(dib, 2, 2);
  EXPECT_FALSE(DibToImage(dib, 0, 4).IsOk());
  EXPECT_FALSE(DibToImage(dib, 4, -1).IsOk());
}

TEST_F(DibBitmapTest, BitmapsCarryTheSamePixels) {
  CDib dib;
  Fill24(dib, 3, 2);
  const wxBitmap bitmap = DibToBitmap(dib, 6, 4);
  ASSERT_TRUE(bitmap.IsOk());
  EXPECT_EQ(bitmap.GetWidth(), 6);
  EXPECT_EQ(bitmap.GetHeight(), 4);
  const wxImage back = bitmap.ConvertToImage();
  ExpectPixel(back, 5, 3, 10 * 2 + 1, 20 * 1 + 2, 3);
  ExpectPixel(back, 0, 0, 1, 2, 3);
}

}  // namespace
