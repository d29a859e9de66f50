// The image record, format detection, row order and the ownership rules of the exports.
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <cstdlib>
#include <filesystem>

#include "ImageTestUtil.h"
#include "platform/PlatformInit.h"
#include "support/TestData.h"

namespace {

struct AllocCase {
  uint16_t w, h, colors, type;
  bool ok;
  uint32_t stride, paletteBytes;
};

class ImAllocTest : public ::testing::TestWithParam<AllocCase> {};

TEST_P(ImAllocTest, RefusesOutOfRangeValuesAndLaysOutRows) {
  const AllocCase& c = GetParam();
  imImage* image = imAlloc(c.w, c.h, c.colors, c.type);
  ASSERT_EQ(image != nullptr, c.ok);
  if (!image) return;
  EXPECT_EQ(image->width, c.w);
  EXPECT_EQ(image->height, c.h);
  EXPECT_EQ(image->stride, c.stride);
  EXPECT_EQ(image->pixelBytes, c.stride * c.h);
  EXPECT_EQ(image->paletteBytes, c.paletteBytes);
  EXPECT_EQ(image->palette != nullptr, c.paletteBytes != 0);
  EXPECT_EQ(image->flags, c.type);
  EXPECT_EQ(image->resolutionX, 0);
  EXPECT_EQ(image->resolutionY, 0);
  EXPECT_EQ(imFree(image), 0);
}

INSTANTIATE_TEST_SUITE_P(Table, ImAllocTest,
                         ::testing::Values(AllocCase{8192, 8192, 0, 1, true, 24576, 0},
                                           AllocCase{8193, 1, 0, 1, false, 0, 0},
                                           AllocCase{1, 8193, 0, 1, false, 0, 0},
                                           AllocCase{0, 5, 0, 1, false, 0, 0},
                                           AllocCase{5, 0, 0, 1, false, 0, 0},
                                           AllocCase{10, 10, 1, 2, false, 0, 0},
                                           AllocCase{10, 10, 4097, 2, false, 0, 0},
                                           AllocCase{10, 10, 2, 2, true, 12, 6},
                                           AllocCase{10, 10, 4096, 2, true, 12, 12288},
                                           AllocCase{5, 3, 0, 1, true, 16, 0},
                                           AllocCase{1, 1, 0, 1, true, 4, 0},
                                           AllocCase{10, 10, 16, 3, false, 0, 0},
                                           AllocCase{10, 10, 16, 0, false, 0, 0}));

TEST(ImFreeTest, NoImageIsFine) { EXPECT_EQ(imFree(nullptr), 0); }

struct DetectCase {
  const char* name;
  std::string bytes;
  int format;
};

std::string Filler(size_t n) { return std::string(n, 'x'); }

class DetectTest : public ::testing::TestWithParam<DetectCase> {};

TEST_P(DetectTest, ContentFirstThenName) {
  CScratchDir dir;
  std::filesystem::create_directories(dir / "x.gif.d");
  std::string path = dir / GetParam().name;
  ASSERT_TRUE(WriteFileBytes(path, GetParam().bytes));
  std::string before = path;
  EXPECT_EQ(tolvo::DetectFormat(path.c_str()), GetParam().format);
  EXPECT_EQ(path, before);  // the caller's text is never upper-cased
}

INSTANTIATE_TEST_SUITE_P(
    Table, DetectTest,
    ::testing::Values(DetectCase{"picture.BMP", "GIF89a" + Filler(10), 1},
                      DetectCase{"picture.jpg", "BM" + Filler(10), 2},
                      DetectCase{"noname", "xxxxxxJFIFxx", 3},
                      DetectCase{"camera", std::string("\xFF\xD8\xFF\xE1\x12\x34" "Exif\x00\x00", 12), 3},
                      DetectCase{"short.gif", "GIF89a123", 0},
                      DetectCase{"short.bmp", "", 0},
                      DetectCase{"photo.jpg", Filler(12), 3},
                      DetectCase{"Photo.JPG", Filler(12), 3},
                      DetectCase{"scan.rle", Filler(12), 2},
                      DetectCase{"scan.Bmp", Filler(12), 2},
                      DetectCase{"anim.gIf", Filler(12), 1},
                      DetectCase{"notes.txt", Filler(12), 0},
                      DetectCase{"x.gif.d/photo", Filler(12), 0}));

TEST(DetectTest, MissingFileIsUnknown) { EXPECT_EQ(tolvo::DetectFormat("/nonexistent/picture.gif"), 0); }

// A 24-bit BMP (rows bottom-up in the file) whose picture rows are red, green, blue, white from the top.
std::string FourRowBmp(uint32_t rows) {
  const Rgb colours[4] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};
  std::string s = BmpHeader(2, rows, 24, 0, 54);
  for (uint32_t fileRow = 0; fileRow < rows; ++fileRow) {
    Rgb c = colours[rows - 1 - fileRow];
    for (int x = 0; x < 2; ++x) s += {static_cast<char>(c.b), static_cast<char>(c.g), static_cast<char>(c.r)};
    s += std::string(2, '\0');
  }
  return s;
}

class RowOrderTest : public ::testing::TestWithParam<uint32_t> {};

TEST_P(RowOrderTest, LoadedPicturesComeBackTopRowFirst) {
  CScratchDir dir;
  uint32_t rows = GetParam();
  ASSERT_TRUE(WriteFileBytes(dir / "rows.bmp", FourRowBmp(rows)));
  imImage* image = fiLoadFile((dir / "rows.bmp").c_str());
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->flags, kImTrueColor);
  const Rgb expected[4] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};
  for (uint32_t y = 0; y < rows; ++y) {
    const uint8_t* row = image->pixels + y * image->stride;
    EXPECT_EQ((Rgb{row[2], row[1], row[0]}), expected[y]) << "row " << y;
  }
  imFree(image);
}

INSTANTIATE_TEST_SUITE_P(Heights, RowOrderTest, ::testing::Values(2u, 4u));

TEST(RowOrderTest, SetRowOrderFlipsOnlyWhenTheOrderDiffers) {
  ImagePtr image = MakeTrueColor(1, 3, [](uint32_t, uint32_t y) { return Rgb{uint8_t(y), 0, 0}; });
  EXPECT_EQ(tolvo::SetRowOrder(image.get(), 1), 0);
  EXPECT_EQ(tolvo::SetRowOrder(image.get(), 0), 1);
  EXPECT_TRUE(tolvo::IsBottomUp(image.get()));
  // Memory rows reversed, the middle row of an odd height stays; the picture is the same.
  EXPECT_EQ(image->pixels[2], 2);
  EXPECT_EQ(image->pixels[image->stride + 2], 1);
  EXPECT_EQ(image->pixels[2 * image->stride + 2], 0);
  for (uint32_t y = 0; y < 3; ++y) EXPECT_EQ(PixelAt(image.get(), 0, y).r, y);
  EXPECT_EQ(tolvo::SetRowOrder(nullptr, 1), 0);
}

TEST(ToTrueColorTest, IndexesPastThePaletteBecomeBlack) {
  ImagePtr pal(tolvo::AllocImage(3, 2, 2, kImPalette));
  pal->palette[0] = 10, pal->palette[1] = 20, pal->palette[2] = 30;
  pal->palette[3] = 40, pal->palette[4] = 50, pal->palette[5] = 60;
  pal->pixels[0] = 0, pal->pixels[1] = 1, pal->pixels[2] = 200;
  ImagePtr rgb(tolvo::ToTrueColor(pal.get()));
  ASSERT_TRUE(rgb);
  EXPECT_EQ(PixelAt(rgb.get(), 0, 0), (Rgb{10, 20, 30}));
  EXPECT_EQ(PixelAt(rgb.get(), 1, 0), (Rgb{40, 50, 60}));
  EXPECT_EQ(PixelAt(rgb.get(), 2, 0), (Rgb{0, 0, 0}));
  EXPECT_EQ(tolvo::ToTrueColor(rgb.get()), nullptr);
}

TEST(FiSaveFileTest, AnUnknownFormatLeavesTheImageToTheCaller) {
  CScratchDir dir;
  imImage* image = imAlloc(4, 4, 0, 1);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(fiSaveFile((dir / "a.png").c_str(), image, "PNG"), 0);
  EXPECT_FALSE(std::filesystem::exists(dir / "a.png"));
  image->pixels[0] = 1;  // still the caller's: under the sanitizers a use after free would fail here
  EXPECT_EQ(imFree(image), 0);
}

TEST(FiSaveFileTest, KnownFormatsReleaseTheImageEvenWhenTheFileCannotBeMade) {
  // The leak checker of the sanitizer build fails this test if any image stays allocated.
  for (const char* format : {"BMP", "gif", "Jpg"}) {
    imImage* image = imAlloc(4, 4, 0, 1);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(fiSaveFile("/nonexistent/folder/a.pic", image, format), 0) << format;
  }
}

TEST(FiSaveFileTest, FormatNamesIgnoreLetterCase) {
  CScratchDir dir;
  for (const char* format : {"bmp", "GIF", "jpg"}) {
    ImagePtr image = MakeTrueColor(8, 8, [](uint32_t x, uint32_t y) { return Rgb{uint8_t(x * 30), uint8_t(y * 30), 7}; });
    std::string path = dir / (std::string("a.") + format);
    EXPECT_EQ(fiSaveFile(path.c_str(), image.release(), format), 1) << format;
    imImage* back = fiLoadFile(path.c_str());
    ASSERT_NE(back, nullptr) << format;
    EXPECT_EQ(back->width, 8);
    imFree(back);
  }
}

// Noise does not compress: every format's file is far larger than the limit below.
ImagePtr Noise(uint32_t w, uint32_t h) {
  uint32_t seed = 12345;
  return MakeTrueColor(w, h, [&](uint32_t, uint32_t) {
    seed = seed * 1103515245u + 12345u;
    return Rgb{uint8_t(seed >> 16), uint8_t(seed >> 8), uint8_t(seed >> 24)};
  });
}

// Runs in a child process: a file size limit makes the writes fail part-way (EFBIG).
[[noreturn]] void SaveUnderSizeLimit(const std::string& path, const char* format) {
  InitPlatform();  // as the program starts: SIGXFSZ ignored, so the write fails instead
  rlimit limit;
  limit.rlim_cur = limit.rlim_max = 8192;
  setrlimit(RLIMIT_FSIZE, &limit);
  int result = fiSaveFile(path.c_str(), Noise(200, 200).release(), format);
  std::exit(result == 0 && ReadFileBytes(path) == "old" ? 0 : 1);
}

class WriterFailureTest : public ::testing::TestWithParam<const char*> {};

TEST_P(WriterFailureTest, AFailedWriteIsReportedAndKeepsTheOldFile) {
  CScratchDir dir;
  std::string path = dir / "old.pic";
  ASSERT_TRUE(WriteFileBytes(path, "old"));
  EXPECT_EXIT(SaveUnderSizeLimit(path, GetParam()), ::testing::ExitedWithCode(0), "");
}

INSTANTIATE_TEST_SUITE_P(Formats, WriterFailureTest, ::testing::Values("BMP", "GIF", "JPG"));

TEST(WriterFailureTest, AFullDeviceIsReportedByEveryWriter) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  for (const char* format : {"BMP", "GIF", "JPG"}) EXPECT_EQ(fiSaveFile("/dev/full", Noise(64, 64).release(), format), 0) << format;
}

TEST(FiLoadFileTest, MissingAndUnknownFilesGiveNone) {
  CScratchDir dir;
  EXPECT_EQ(fiLoadFile((dir / "missing.bmp").c_str()), nullptr);
  ASSERT_TRUE(WriteFileBytes(dir / "text.txt", "just some text, not a picture"));
  EXPECT_EQ(fiLoadFile((dir / "text.txt").c_str()), nullptr);
  EXPECT_EQ(fiLoadFile(nullptr), nullptr);
}

}  // namespace
