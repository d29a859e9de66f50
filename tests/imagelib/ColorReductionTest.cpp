// Colour reduction for palette output: median cut in YCbCr cells, then error diffusion.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "ImageTestUtil.h"

namespace {

// Frees the reduction's work buffers after each test, as the exports do.
class ColorReductionTest : public ::testing::Test {
 protected:
  void TearDown() override { tolvo::FreeWork(); }
};

TEST_F(ColorReductionTest, ThreeOccupiedCellsGiveThreeEntries) {
  const Rgb colours[3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
  ImagePtr image = MakeTrueColor(30, 10, [&](uint32_t x, uint32_t) { return colours[x / 10]; });
  ImagePtr result(tolvo::ReduceColors(image.release(), 256));
  ASSERT_TRUE(result);
  EXPECT_EQ(result->colorCount, 3);
  EXPECT_EQ(result->paletteBytes, 9);
  std::set<int> used;
  for (uint32_t x = 0; x < 30; ++x) used.insert(IndexAt(result.get(), x, 5));
  EXPECT_EQ(used.size(), 3u);
  // Each third maps to one index, and that entry is near its colour.
  for (int part = 0; part < 3; ++part) {
    Rgb c = PixelAt(result.get(), part * 10 + 5, 5);
    EXPECT_NEAR(c.r, colours[part].r, 24);
    EXPECT_NEAR(c.g, colours[part].g, 24);
    EXPECT_NEAR(c.b, colours[part].b, 24);
  }
}

TEST_F(ColorReductionTest, OneColourGivesOneEntryAtItsCellCentreAndNoDitherPattern) {
  // (100, 150, 200): Y = 140, Cb = 161, Cr = 98 by the fixed-point equations; the cell
  // (Cr 12, Cb 20, Y 35) has its centre at Cr 100, Cb 164, Y 142, which converts back to (102, 150, 205).
  ImagePtr image = MakeTrueColor(17, 9, [](uint32_t, uint32_t) { return Rgb{100, 150, 200}; });
  ImagePtr result(tolvo::ReduceColors(image.release(), 256));
  ASSERT_TRUE(result);
  EXPECT_EQ(result->colorCount, 1);
  EXPECT_EQ((Rgb{result->palette[0], result->palette[1], result->palette[2]}), (Rgb{102, 150, 205}));
  for (uint32_t y = 0; y < 9; ++y)
    for (uint32_t x = 0; x < 17; ++x) ASSERT_EQ(IndexAt(result.get(), x, y), 0);
}

TEST_F(ColorReductionTest, SmallPaletteImagesPassUnchanged) {
  imImage* image = tolvo::AllocImage(8, 8, 16, kImPalette);
  EXPECT_EQ(tolvo::ReduceColors(image, 256), image);
  tolvo::FreeImage(image);
}

TEST_F(ColorReductionTest, LargePaletteImagesAreReduced) {
  ImagePtr image(tolvo::AllocImage(64, 64, 1000, kImPalette));
  for (int i = 0; i < 1000 * 3; ++i) image->palette[i] = uint8_t(i * 37);
  for (uint32_t y = 0; y < 64; ++y)
    for (uint32_t x = 0; x < 64; ++x) image->pixels[y * image->stride + x] = uint8_t(x * 4 + y);
  tolvo::SetRowOrderFlag(image.get(), 0);
  image->resolutionX = 77;
  ImagePtr result(tolvo::ReduceColors(image.release(), 256));
  ASSERT_TRUE(result);
  EXPECT_LE(result->colorCount, 256);
  EXPECT_TRUE(tolvo::IsBottomUp(result.get()));
  EXPECT_EQ(result->resolutionX, 77);
}

TEST_F(ColorReductionTest, WidePicturesAndGradientsStayWithinTheirBuffersAndClose) {
  ImagePtr image = MakeTrueColor(2000, 6, [](uint32_t x, uint32_t y) {
    return Rgb{uint8_t(x * 255 / 1999), uint8_t(y * 40), uint8_t(255 - x * 255 / 1999)};
  });
  ImagePtr copy = MakeTrueColor(2000, 6, [&](uint32_t x, uint32_t y) { return PixelAt(image.get(), x, y); });
  ImagePtr result(tolvo::ReduceColors(image.release(), 256));
  ASSERT_TRUE(result);
  EXPECT_LE(result->colorCount, 256);
  // Diffusion keeps the average colour of each stretch of 20 pixels close to the original.
  for (uint32_t y = 0; y < 6; ++y)
    for (uint32_t x0 = 0; x0 < 2000; x0 += 20) {
      double sum[2] = {0, 0};
      for (uint32_t x = x0; x < x0 + 20; ++x) sum[0] += PixelAt(result.get(), x, y).r, sum[1] += PixelAt(copy.get(), x, y).r;
      ASSERT_NEAR(sum[0] / 20, sum[1] / 20, 12) << x0 << "," << y;
    }
}

}  // namespace
