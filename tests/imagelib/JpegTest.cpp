// JPEG reading and writing through libjpeg, with error handling that never ends the process.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <vector>

#include <jpeglib.h>

#include "ImageTestUtil.h"
#include "support/TestData.h"

namespace {

// Writes a JPEG straight through libjpeg (independent of the library's writer).
void WriteReferenceJpeg(const std::string& path, int w, int h, bool grey,
                        const std::function<Rgb(int, int)>& colour) {
  jpeg_compress_struct info;
  jpeg_error_mgr err;
  info.err = jpeg_std_error(&err);
  jpeg_create_compress(&info);
  FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  jpeg_stdio_dest(&info, f);
  info.image_width = w;
  info.image_height = h;
  info.input_components = grey ? 1 : 3;
  info.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 95, TRUE);
  jpeg_start_compress(&info, TRUE);
  std::vector<uint8_t> row(w * 3);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      Rgb c = colour(x, y);
      if (grey) row[x] = c.r;
      else row[x * 3] = c.r, row[x * 3 + 1] = c.g, row[x * 3 + 2] = c.b;
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::fclose(f);
}

void ExpectNear(Rgb a, Rgb b, int tolerance) {
  EXPECT_NEAR(a.r, b.r, tolerance);
  EXPECT_NEAR(a.g, b.g, tolerance);
  EXPECT_NEAR(a.b, b.b, tolerance);
}

TEST(JpegReadTest, GreyscaleLoadsAsGreyPaletteAndEndsAsEqualChannels) {
  CScratchDir dir;
  std::string path = dir / "grey.jpg";
  WriteReferenceJpeg(path, 16, 8, true, [](int x, int) { return Rgb{uint8_t(x * 16), 0, 0}; });
  FILE* f = std::fopen(path.c_str(), "rb");
  ImagePtr raw(tolvo::LoadJpg(f));
  std::fclose(f);
  ASSERT_TRUE(raw);
  EXPECT_FALSE(tolvo::IsTrueColor(raw.get()));
  EXPECT_EQ(raw->colorCount, 256);
  EXPECT_EQ(PixelAt(raw.get(), 0, 0).r, PixelAt(raw.get(), 0, 0).g);
  imImage* image = fiLoadFile(path.c_str());
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->flags, kImTrueColor);
  for (uint32_t x = 0; x < 16; ++x) {
    Rgb c = PixelAt(image, x, 3);
    EXPECT_EQ(c.r, c.g);
    EXPECT_EQ(c.g, c.b);
    EXPECT_NEAR(c.r, x * 16, 6);
  }
  imFree(image);
}

TEST(JpegReadTest, TheTopLeftColourIsTheFirstPixelOfTheTopRow) {
  CScratchDir dir;
  std::string path = dir / "colour.jpg";
  WriteReferenceJpeg(path, 640, 480, false,
                     [](int x, int y) { return x < 64 && y < 64 ? Rgb{250, 10, 10} : Rgb{10, 10, 250}; });
  imImage* image = fiLoadFile(path.c_str());
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->width, 640);
  EXPECT_EQ(image->height, 480);
  EXPECT_EQ(image->flags, kImTrueColor);
  EXPECT_EQ(image->stride, 640 * 3);
  ExpectNear(PixelAt(image, 0, 0), {250, 10, 10}, 12);
  ExpectNear(PixelAt(image, 639, 479), {10, 10, 250}, 12);
  imFree(image);
}

TEST(JpegReadTest, DataThatIsNotJpegFailsInsteadOfEndingTheProcess) {
  CScratchDir dir;
  ASSERT_TRUE(WriteFileBytes(dir / "fake.JPG", "this is not a JPEG file at all"));
  EXPECT_EQ(fiLoadFile((dir / "fake.JPG").c_str()), nullptr);
  std::string header("\xFF\xD8\xFF\xE0\x00\x10JFIF\x00\x01\x01\x00", 14);
  EXPECT_FALSE(LoadFromBytes(tolvo::LoadJpg, header));
  EXPECT_FALSE(LoadFromBytes(tolvo::LoadJpg, ""));
}

TEST(JpegReadTest, OversizedFramesAreRefusedBeforeDecoding) {
  CScratchDir dir;
  std::string path = dir / "a.jpg";
  WriteReferenceJpeg(path, 16, 16, false, [](int, int) { return Rgb{1, 2, 3}; });
  std::string bytes = ReadFileBytes(path);
  size_t sof = bytes.find("\xFF\xC0");
  ASSERT_NE(sof, std::string::npos);
  // Frame header: length (2), precision (1), height (2), width (2), big-endian.
  bytes[sof + 5] = char(0x23), bytes[sof + 6] = char(0x28);  // height 9000
  EXPECT_FALSE(LoadFromBytes(tolvo::LoadJpg, bytes));
}

TEST(JpegWriteTest, WritesAJfifFileThatReadsBackWithinTolerance) {
  CScratchDir dir;
  ImagePtr image = MakeTrueColor(64, 48, [](uint32_t x, uint32_t y) { return Rgb{uint8_t(x * 4), uint8_t(y * 5), 128}; });
  std::string path = dir / "a.jpg";
  ASSERT_EQ(tolvo::SaveJpg(path.c_str(), image.get()), 1);
  std::string bytes = ReadFileBytes(path);
  EXPECT_EQ(bytes.substr(6, 4), "JFIF");
  imImage* back = fiLoadFile(path.c_str());
  ASSERT_NE(back, nullptr);
  for (uint32_t y = 0; y < 48; y += 7)
    for (uint32_t x = 0; x < 64; x += 9) ExpectNear(PixelAt(back, x, y), PixelAt(image.get(), x, y), 12);
  imFree(back);
}

TEST(JpegWriteTest, PaletteAndBottomUpImagesAreWrittenAsThePictureShows) {
  CScratchDir dir;
  ImagePtr image(tolvo::AllocImage(32, 32, 2, kImPalette));
  std::memcpy(image->palette, "\xFF\x00\x00\x00\x00\xFF", 6);
  for (uint32_t y = 16; y < 32; ++y) std::memset(image->pixels + y * image->stride, 1, 32);
  tolvo::SetRowOrderFlag(image.get(), 0);  // memory rows 16..31 are the picture's top half
  std::string path = dir / "a.jpg";
  ASSERT_EQ(tolvo::SaveJpg(path.c_str(), image.get()), 1);
  imImage* back = fiLoadFile(path.c_str());
  ASSERT_NE(back, nullptr);
  ExpectNear(PixelAt(back, 4, 4), {0, 0, 255}, 16);
  ExpectNear(PixelAt(back, 4, 28), {255, 0, 0}, 16);
  imFree(back);
}

}  // namespace
