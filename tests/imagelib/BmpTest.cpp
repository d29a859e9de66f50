// BMP reading (every depth, RLE8/RLE4, hostile headers) and writing.
#include <gtest/gtest.h>

#include <filesystem>

#include "ImageTestUtil.h"
#include "support/TestData.h"

namespace {

using tolvo::LoadBmp;

// A 24-bit file of w x h whose rows are all zero.
std::string Plain24(uint32_t w, uint32_t h) {
  return BmpHeader(w, h, 24, 0, 54) + std::string(((w * 3 + 3) & ~3u) * h, '\0');
}

// A palette file header followed by a grey colour table of 2^bits entries.
std::string PaletteHeader(uint32_t w, uint32_t h, uint16_t bits, uint32_t compression) {
  uint32_t entries = 1u << bits;
  std::string s = BmpHeader(w, h, bits, compression, 54 + entries * 4);
  for (uint32_t i = 0; i < entries; ++i) s += {char(i), char(i), char(i), 0};
  return s;
}

struct RefuseCase {
  const char* what;
  std::string bytes;
};

class BmpRefuseTest : public ::testing::TestWithParam<RefuseCase> {};

TEST_P(BmpRefuseTest, HostileHeadersAreRefused) { EXPECT_FALSE(LoadFromBytes(LoadBmp, GetParam().bytes)); }

std::string WithField(std::string s, size_t at, uint32_t v) {
  std::string f;
  Put32(f, v);
  s.replace(at, 4, f);
  return s;
}

INSTANTIATE_TEST_SUITE_P(
    Table, BmpRefuseTest,
    ::testing::Values(RefuseCase{"one pixel wide", Plain24(1, 4)},
                      RefuseCase{"one row", Plain24(4, 1)},
                      RefuseCase{"16 bits", BmpHeader(2, 2, 16, 0, 54) + std::string(16, '\0')},
                      RefuseCase{"32 bits", BmpHeader(2, 2, 32, 0, 54) + std::string(16, '\0')},
                      RefuseCase{"bit fields", BmpHeader(2, 2, 24, 3, 54) + std::string(16, '\0')},
                      // 65538 is 2 in its low 16 bits: the full value counts.
                      RefuseCase{"width 65538", WithField(Plain24(2, 2), 18, 65538)},
                      RefuseCase{"height 65538", WithField(Plain24(2, 2), 22, 65538)},
                      RefuseCase{"width 8193", WithField(Plain24(2, 2), 18, 8193)},
                      RefuseCase{"negative height", WithField(Plain24(2, 2), 22, uint32_t(-2))},
                      RefuseCase{"core header", WithField(Plain24(2, 2), 14, 12)},
                      RefuseCase{"RLE8 on 24 bits", BmpHeader(2, 2, 24, 1, 54) + std::string(16, '\0')},
                      RefuseCase{"RLE4 on 8 bits", PaletteHeader(2, 2, 8, 2) + std::string(16, '\0')},
                      RefuseCase{"not BM", "XM" + Plain24(2, 2).substr(2)},
                      RefuseCase{"short header", Plain24(2, 2).substr(0, 40)},
                      RefuseCase{"palette cut off", PaletteHeader(2, 2, 8, 0).substr(0, 300)},
                      RefuseCase{"no pixel data", Plain24(2, 2).substr(0, 54)},
                      RefuseCase{"data offset past the end", WithField(Plain24(2, 2), 10, 0x7FFFFFF0)}));

TEST(BmpReadTest, TwoByTwoTrueColourIsRead) {
  std::string s = BmpHeader(2, 2, 24, 0, 54);
  s += std::string("\x01\x02\x03\x04\x05\x06\0\0", 8);  // bottom row
  s += std::string("\x07\x08\x09\x0A\x0B\x0C\0\0", 8);  // top row
  ImagePtr image = LoadFromBytes(LoadBmp, s);
  ASSERT_TRUE(image);
  EXPECT_TRUE(tolvo::IsBottomUp(image.get()));
  EXPECT_EQ(PixelAt(image.get(), 0, 0), (Rgb{9, 8, 7}));
  EXPECT_EQ(PixelAt(image.get(), 1, 1), (Rgb{6, 5, 4}));
  EXPECT_EQ(image->aspectX, 0);
}

TEST(BmpReadTest, PaletteEntriesAreStoredAsRgbAndAfterALargerHeader) {
  // A 108-byte header: the colour table follows it, not the first 40 bytes.
  std::string s = BmpHeader(2, 2, 1, 0, 14 + 108 + 8, 108) + std::string(68, '\0');
  s += std::string("\x10\x20\x30\0\x40\x50\x60\0", 8);
  s += std::string("\x80\0\0\0\x40\0\0\0", 8);  // bottom row: 1 0; top row: 0 1
  ImagePtr image = LoadFromBytes(LoadBmp, s);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->colorCount, 2);
  EXPECT_EQ(PixelAt(image.get(), 0, 1), (Rgb{0x60, 0x50, 0x40}));
  EXPECT_EQ(PixelAt(image.get(), 1, 1), (Rgb{0x30, 0x20, 0x10}));
  EXPECT_EQ(IndexAt(image.get(), 0, 0), 0);
  EXPECT_EQ(IndexAt(image.get(), 1, 0), 1);
}

TEST(BmpReadTest, FourBitRowsPutTheLeftPixelInTheHighNibble) {
  std::string s = PaletteHeader(3, 2, 4, 0);
  s += std::string("\x12\x30\0\0", 4);
  s += std::string("\xAB\xC0\0\0", 4);
  ImagePtr image = LoadFromBytes(LoadBmp, s);
  ASSERT_TRUE(image);
  EXPECT_EQ(IndexAt(image.get(), 0, 1), 1);
  EXPECT_EQ(IndexAt(image.get(), 1, 1), 2);
  EXPECT_EQ(IndexAt(image.get(), 2, 1), 3);
  EXPECT_EQ(IndexAt(image.get(), 0, 0), 0xA);
  EXPECT_EQ(IndexAt(image.get(), 2, 0), 0xC);
}

TEST(BmpReadTest, ATruncatedFileGivesTheRowsReadSoFar) {
  std::string full = BmpHeader(2, 3, 24, 0, 54) + std::string(8, '\x11') + std::string(8, '\x22') + std::string(8, '\x33');
  ImagePtr partial = LoadFromBytes(LoadBmp, full.substr(0, 54 + 8 + 5));
  ASSERT_TRUE(partial);
  EXPECT_EQ(PixelAt(partial.get(), 0, 2).r, 0x11);  // the file's first row is the bottom row
  EXPECT_EQ(PixelAt(partial.get(), 0, 1).r, 0);
  EXPECT_FALSE(LoadFromBytes(LoadBmp, full.substr(0, 54 + 5)));
}

std::string Rle8(uint32_t w, uint32_t h, const std::string& stream) { return PaletteHeader(w, h, 8, 1) + stream; }

TEST(BmpRleTest, AbsoluteRunWithPadByteKeepsTheStreamInStep) {
  // Row 0: absolute run 7 8 9 (one pad byte), then 2 x 5. Row 1: 5 x 1.
  std::string stream("\x00\x03\x07\x08\x09\x00\x02\x05\x00\x00\x05\x01\x00\x01", 14);
  ImagePtr image = LoadFromBytes(LoadBmp, Rle8(5, 2, stream));
  ASSERT_TRUE(image);
  const uint8_t row0[5] = {7, 8, 9, 5, 5};
  for (int x = 0; x < 5; ++x) EXPECT_EQ(IndexAt(image.get(), x, 1), row0[x]) << x;
  for (int x = 0; x < 5; ++x) EXPECT_EQ(IndexAt(image.get(), x, 0), 1) << x;
}

TEST(BmpRleTest, DeltaCodeFailsTheLoad) {
  EXPECT_FALSE(LoadFromBytes(LoadBmp, Rle8(4, 2, std::string("\x02\x01\x00\x02\x01\x01\x00\x01", 8))));
}

TEST(BmpRleTest, EndOfBitmapAfterTwoRowsLeavesTheRestZero) {
  std::string stream("\x04\x09\x00\x00\x04\x08\x00\x01", 8);
  ImagePtr image = LoadFromBytes(LoadBmp, Rle8(4, 10, stream));
  ASSERT_TRUE(image);
  EXPECT_EQ(IndexAt(image.get(), 0, 9), 9);
  EXPECT_EQ(IndexAt(image.get(), 3, 8), 8);
  for (uint32_t y = 0; y < 8; ++y)
    for (uint32_t x = 0; x < 4; ++x) EXPECT_EQ(IndexAt(image.get(), x, y), 0);
}

TEST(BmpRleTest, RunsLongerThanTheRowAreCutAndEndOfFileReadsAsZero) {
  // 200 pixels of colour 3 into a 4-pixel row, then an absolute run of 255 cut off by the file's end.
  std::string stream("\xC8\x03\x00\x00\x00\xFF\x01\x02", 8);
  ImagePtr image = LoadFromBytes(LoadBmp, Rle8(4, 2, stream));
  ASSERT_TRUE(image);
  for (uint32_t x = 0; x < 4; ++x) EXPECT_EQ(IndexAt(image.get(), x, 1), 3);
  EXPECT_EQ(IndexAt(image.get(), 0, 0), 1);
  EXPECT_EQ(IndexAt(image.get(), 1, 0), 2);
  EXPECT_EQ(IndexAt(image.get(), 2, 0), 0);
}

TEST(BmpRleTest, Rle4AlternatesNibblesAndUnpacksAbsoluteRuns) {
  // Row 0: 5 pixels alternating 1, 2; row 1: absolute run of 3 pixels 4 5 6 (2 bytes, even).
  std::string stream("\x05\x12\x00\x00\x00\x03\x45\x60\x00\x01", 10);
  ImagePtr image = LoadFromBytes(LoadBmp, PaletteHeader(5, 2, 4, 2) + stream);
  ASSERT_TRUE(image);
  const uint8_t row0[5] = {1, 2, 1, 2, 1};
  for (int x = 0; x < 5; ++x) EXPECT_EQ(IndexAt(image.get(), x, 1), row0[x]);
  EXPECT_EQ(IndexAt(image.get(), 0, 0), 4);
  EXPECT_EQ(IndexAt(image.get(), 1, 0), 5);
  EXPECT_EQ(IndexAt(image.get(), 2, 0), 6);
  EXPECT_EQ(IndexAt(image.get(), 3, 0), 0);
}

uint32_t Le32At(const std::string& s, size_t at) {
  return uint8_t(s[at]) | uint8_t(s[at + 1]) << 8 | uint8_t(s[at + 2]) << 16 | uint32_t(uint8_t(s[at + 3])) << 24;
}

TEST(BmpWriteTest, TrueColourRowsArePaddedAndSizesPatched) {
  CScratchDir dir;
  ImagePtr image = MakeTrueColor(5, 3, [](uint32_t x, uint32_t y) { return Rgb{uint8_t(x), uint8_t(y), 9}; });
  image->resolutionX = 2835;
  ASSERT_EQ(tolvo::SaveBmp((dir / "a.bmp").c_str(), image.get()), 1);
  std::string s = ReadFileBytes(dir / "a.bmp");
  ASSERT_EQ(s.size(), 54u + 16 * 3);
  EXPECT_EQ(Le32At(s, 2), s.size());
  EXPECT_EQ(Le32At(s, 10), 54u);
  EXPECT_EQ(Le32At(s, 34), 16u * 3);
  EXPECT_EQ(Le32At(s, 38), 2835u);
  // The file's first row is the picture's bottom row (y = 2); pixel 1 is B 9, G 2, R 1.
  EXPECT_EQ(s.substr(54 + 3, 3), std::string("\x09\x02\x01", 3));
  EXPECT_EQ(s.substr(54 + 15, 1), std::string(1, '\0'));
}

ImagePtr PaletteImage(uint32_t w, uint32_t h, uint32_t colors) {
  ImagePtr image(tolvo::AllocImage(w, h, colors, kImPalette));
  for (uint32_t i = 0; i < colors * 3; ++i) image->palette[i] = uint8_t(i * 7);
  for (uint32_t y = 0; y < h; ++y)
    for (uint32_t x = 0; x < w; ++x) image->pixels[y * image->stride + x] = uint8_t((x + 2 * y) % colors);
  return image;
}

TEST(BmpWriteTest, TwoColoursAreOneBitAndReadBackTheSame) {
  CScratchDir dir;
  ImagePtr image = PaletteImage(10, 3, 2);
  ASSERT_EQ(tolvo::SaveBmp((dir / "a.bmp").c_str(), image.get()), 1);
  std::string s = ReadFileBytes(dir / "a.bmp");
  EXPECT_EQ(s[28], 1);
  EXPECT_EQ(Le32At(s, 10), 62u);
  EXPECT_EQ(s.size(), 62u + 4 * 3);
  FILE* f = std::fopen((dir / "a.bmp").c_str(), "rb");
  ImagePtr back(LoadBmp(f));
  std::fclose(f);
  ASSERT_TRUE(back);
  for (uint32_t y = 0; y < 3; ++y)
    for (uint32_t x = 0; x < 10; ++x) EXPECT_EQ(IndexAt(back.get(), x, y), IndexAt(image.get(), x, y));
  EXPECT_EQ(PixelAt(back.get(), 1, 0), PixelAt(image.get(), 1, 0));
}

TEST(BmpWriteTest, ThreeColoursAreFourBitsWithASixteenEntryTable) {
  CScratchDir dir;
  ImagePtr image = PaletteImage(5, 2, 3);
  ASSERT_EQ(tolvo::SaveBmp((dir / "a.bmp").c_str(), image.get()), 1);
  std::string s = ReadFileBytes(dir / "a.bmp");
  EXPECT_EQ(s[28], 4);
  EXPECT_EQ(Le32At(s, 10), 118u);
  EXPECT_EQ(s.substr(54 + 12, 52), std::string(52, '\0'));
  EXPECT_EQ(s.substr(54, 4), std::string("\x0E\x07\x00\x00", 4));  // B, G, R, 0 of entry 0
  ImagePtr back = LoadFromBytes(LoadBmp, s);
  ASSERT_TRUE(back);
  for (uint32_t y = 0; y < 2; ++y)
    for (uint32_t x = 0; x < 5; ++x) EXPECT_EQ(IndexAt(back.get(), x, y), IndexAt(image.get(), x, y));
}

TEST(BmpWriteTest, EightBitAndTrueColourRoundTrip) {
  CScratchDir dir;
  ImagePtr pal = PaletteImage(7, 5, 200);
  ASSERT_EQ(tolvo::SaveBmp((dir / "p.bmp").c_str(), pal.get()), 1);
  ImagePtr back = LoadFromBytes(LoadBmp, ReadFileBytes(dir / "p.bmp"));
  ASSERT_TRUE(back);
  for (uint32_t y = 0; y < 5; ++y)
    for (uint32_t x = 0; x < 7; ++x) EXPECT_EQ(PixelAt(back.get(), x, y), PixelAt(pal.get(), x, y));
  ImagePtr rgb = MakeTrueColor(7, 5, [](uint32_t x, uint32_t y) { return Rgb{uint8_t(x * 40), uint8_t(y * 50), uint8_t(x ^ y)}; });
  ASSERT_EQ(tolvo::SaveBmp((dir / "t.bmp").c_str(), rgb.get()), 1);
  back = LoadFromBytes(LoadBmp, ReadFileBytes(dir / "t.bmp"));
  ASSERT_TRUE(back);
  for (uint32_t y = 0; y < 5; ++y)
    for (uint32_t x = 0; x < 7; ++x) EXPECT_EQ(PixelAt(back.get(), x, y), PixelAt(rgb.get(), x, y));
}

TEST(BmpWriteTest, PalettesOfMoreThan256ColoursAreRefused) {
  CScratchDir dir;
  ImagePtr image = PaletteImage(4, 4, 300);
  EXPECT_EQ(tolvo::SaveBmp((dir / "a.bmp").c_str(), image.get()), 0);
  EXPECT_FALSE(std::filesystem::exists(dir / "a.bmp"));
}

TEST(BmpWriteTest, AWriteToAFullDeviceIsReported) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  ImagePtr image = MakeTrueColor(64, 64, [](uint32_t, uint32_t) { return Rgb{1, 2, 3}; });
  EXPECT_EQ(tolvo::SaveBmp("/dev/full", image.get()), 0);
}

}  // namespace
