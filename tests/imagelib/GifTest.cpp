// GIF reading from hand-built streams (extensions, interlace, truncation, hostile code sizes) and
// writing (header fields, sub-blocks, round trips).
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <utility>
#include <vector>

#include "ImageTestUtil.h"
#include "support/TestData.h"

namespace {

using tolvo::LoadGif;

// Packs (code, width) pairs least significant bit first, as GIF data does.
std::string PackCodes(const std::vector<std::pair<int, int>>& codes) {
  std::string out;
  uint32_t bits = 0;
  int count = 0;
  for (auto [code, width] : codes) {
    bits |= uint32_t(code) << count;
    count += width;
    while (count >= 8) {
      out += char(bits & 0xFF);
      bits >>= 8;
      count -= 8;
    }
  }
  if (count > 0) out += char(bits & 0xFF);
  return out;
}

std::string SubBlocks(const std::string& data) {
  std::string out;
  for (size_t at = 0; at < data.size(); at += 255) {
    size_t n = std::min<size_t>(255, data.size() - at);
    out += char(n);
    out += data.substr(at, n);
  }
  return out + '\0';
}

// "GIF89a", a screen of w x h with a global table of four colours (red, green, blue, white).
std::string Header(uint16_t w, uint16_t h, uint8_t aspect = 0) {
  std::string s = "GIF89a";
  Put16(s, w);
  Put16(s, h);
  s += {char(0x81), 0, char(aspect)};
  s += std::string("\xFF\0\0\0\xFF\0\0\0\xFF\xFF\xFF\xFF", 12);
  return s;
}

std::string Image(uint16_t w, uint16_t h, uint8_t packed, int minCode, const std::string& data) {
  std::string s = ",";
  Put16(s, 0);
  Put16(s, 0);
  Put16(s, w);
  Put16(s, h);
  s += char(packed);
  s += char(minCode);
  return s + SubBlocks(data);
}

// Pixels 0 1 / 1 0 as the codes a GIF encoder makes of them (min code size 2).
const std::string kTwoByTwo = PackCodes({{4, 3}, {0, 3}, {1, 3}, {1, 3}, {0, 4}, {5, 4}});

TEST(GifReadTest, ExtensionsBeforeTheImageAreSkipped) {
  std::string s = Header(2, 2) + "!\xF9\x04\x01\x00\x00\x00" + std::string(1, '\0') + "!\xFE\x03" "abc" +
                  std::string(1, '\0') + Image(2, 2, 0, 2, kTwoByTwo) + ";";
  ImagePtr image = LoadFromBytes(LoadGif, s);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->colorCount, 4);
  EXPECT_TRUE(tolvo::IsBottomUp(image.get()));
  EXPECT_EQ(PixelAt(image.get(), 0, 0), (Rgb{255, 0, 0}));
  EXPECT_EQ(PixelAt(image.get(), 1, 0), (Rgb{0, 255, 0}));
  EXPECT_EQ(PixelAt(image.get(), 0, 1), (Rgb{0, 255, 0}));
  EXPECT_EQ(PixelAt(image.get(), 1, 1), (Rgb{255, 0, 0}));
  EXPECT_EQ(image->aspectX, 4);
  EXPECT_EQ(image->aspectY, 3);
}

TEST(GifReadTest, ASecondImageIsIgnoredAndAnAspectIsKept) {
  std::string second = PackCodes({{4, 3}, {3, 3}, {3, 3}, {3, 3}, {3, 4}, {5, 4}});
  std::string s = Header(2, 2, 17) + Image(2, 2, 0, 2, kTwoByTwo) + Image(2, 2, 0, 2, second) + ";";
  ImagePtr image = LoadFromBytes(LoadGif, s);
  ASSERT_TRUE(image);
  EXPECT_EQ(IndexAt(image.get(), 0, 0), 0);
  EXPECT_EQ(IndexAt(image.get(), 0, 1), 1);
  EXPECT_EQ(image->aspectX, 0);
}

TEST(GifReadTest, InterlacedRowsLandInTheirPlaces) {
  // One column, three rows; the data holds rows 0, 2, 1.
  std::string data = PackCodes({{4, 3}, {1, 3}, {2, 3}, {3, 3}, {5, 4}});
  ImagePtr image = LoadFromBytes(LoadGif, Header(1, 3) + Image(1, 3, 0x40, 2, data) + ";");
  ASSERT_TRUE(image);
  EXPECT_EQ(IndexAt(image.get(), 0, 0), 1);
  EXPECT_EQ(IndexAt(image.get(), 0, 1), 3);
  EXPECT_EQ(IndexAt(image.get(), 0, 2), 2);
}

TEST(GifReadTest, ALocalTableReplacesTheGlobalOne) {
  std::string local = std::string("\x01\x02\x03\x04\x05\x06", 6);
  std::string s = Header(2, 2) + ",";
  Put16(s, 0), Put16(s, 0), Put16(s, 2), Put16(s, 2);
  s += char(0x80);  // local table of 2 entries
  s += local + char(2) + SubBlocks(kTwoByTwo) + ";";
  ImagePtr image = LoadFromBytes(LoadGif, s);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->colorCount, 2);
  EXPECT_EQ(PixelAt(image.get(), 0, 0), (Rgb{1, 2, 3}));
  EXPECT_EQ(PixelAt(image.get(), 1, 0), (Rgb{4, 5, 6}));
}

TEST(GifReadTest, DataEndingEarlyGivesTheRowsDecodedSoFar) {
  // Two rows of four; the data stops (no end code, no terminator) after the first row.
  std::string data = PackCodes({{4, 3}, {1, 3}, {1, 3}, {1, 3}, {1, 4}});
  std::string s = Header(4, 2) + ",";
  Put16(s, 0), Put16(s, 0), Put16(s, 4), Put16(s, 2);
  s += char(0);
  s += char(2);
  s += char(data.size());
  s += data;
  ImagePtr image = LoadFromBytes(LoadGif, s);
  ASSERT_TRUE(image);
  for (uint32_t x = 0; x < 4; ++x) EXPECT_EQ(IndexAt(image.get(), x, 0), 1);
  for (uint32_t x = 0; x < 4; ++x) EXPECT_EQ(IndexAt(image.get(), x, 1), 0);
}

TEST(GifReadTest, RepeatedStringsAndCodesPastTheTableDoNotBreakDecoding) {
  // 0 then the code being defined (6): 0 0 0. Then a code beyond the table (13) in a second image row.
  std::string data = PackCodes({{4, 3}, {0, 3}, {6, 3}, {5, 3}});
  ImagePtr image = LoadFromBytes(LoadGif, Header(3, 1) + Image(3, 1, 0, 2, data) + ";");
  ASSERT_TRUE(image);
  for (uint32_t x = 0; x < 3; ++x) EXPECT_EQ(IndexAt(image.get(), x, 0), 0);
  std::string bad = PackCodes({{4, 3}, {1, 3}, {7, 3}, {7, 3}, {5, 4}});
  image = LoadFromBytes(LoadGif, Header(4, 2) + Image(4, 2, 0, 2, bad) + ";");
  ASSERT_TRUE(image);
}

TEST(GifReadTest, IndexesPastTheColourTableBecomeZero) {
  // Code size 8 with a 4-entry table: literal 200 does not name a colour.
  std::string data = PackCodes({{256, 9}, {200, 9}, {2, 9}, {257, 9}});
  ImagePtr image = LoadFromBytes(LoadGif, Header(2, 1) + Image(2, 1, 0, 8, data) + ";");
  ASSERT_TRUE(image);
  EXPECT_EQ(IndexAt(image.get(), 0, 0), 0);
  EXPECT_EQ(IndexAt(image.get(), 1, 0), 2);
}

struct RefuseCase {
  const char* what;
  std::string bytes;
};

class GifRefuseTest : public ::testing::TestWithParam<RefuseCase> {};

TEST_P(GifRefuseTest, BrokenFilesFailWithoutHanging) { EXPECT_FALSE(LoadFromBytes(LoadGif, GetParam().bytes)); }

INSTANTIATE_TEST_SUITE_P(
    Table, GifRefuseTest,
    ::testing::Values(RefuseCase{"no image", Header(2, 2) + ";"},
                      RefuseCase{"cut before the descriptor", Header(2, 2)},
                      RefuseCase{"cut inside the descriptor", Header(2, 2) + ",\x00\x00\x00"},
                      RefuseCase{"cut inside an extension", Header(2, 2) + "!\xF9\x04\x01"},
                      RefuseCase{"code size 12", Header(2, 2) + Image(2, 2, 0, 12, kTwoByTwo)},
                      RefuseCase{"code size 40", Header(2, 2) + Image(2, 2, 0, 40, kTwoByTwo)},
                      RefuseCase{"code size 0", Header(2, 2) + Image(2, 2, 0, 0, kTwoByTwo)},
                      RefuseCase{"width 0", Header(2, 2) + Image(0, 2, 0, 2, kTwoByTwo)},
                      RefuseCase{"width 9000", Header(2, 2) + Image(9000, 2, 0, 2, kTwoByTwo)},
                      RefuseCase{"not GIF", "GIT89a" + Header(2, 2).substr(6) + Image(2, 2, 0, 2, kTwoByTwo)},
                      RefuseCase{"cut global table", Header(2, 2).substr(0, 16)}));

TEST(GifWriteTest, TwoColoursMakeATwoEntryTableAndCodeSizeTwo) {
  CScratchDir dir;
  ImagePtr image(tolvo::AllocImage(10, 3, 2, kImPalette));
  std::memcpy(image->palette, "\x0A\x0B\x0C\x0D\x0E\x0F", 6);
  ASSERT_EQ(tolvo::SaveGif((dir / "a.gif").c_str(), image.get()), 1);
  std::string s = ReadFileBytes(dir / "a.gif");
  EXPECT_EQ(s.substr(0, 6), "GIF87a");
  EXPECT_EQ(s.substr(6, 4), std::string("\x0A\x00\x03\x00", 4));  // screen = picture size
  EXPECT_EQ(uint8_t(s[10]), 0x80);
  EXPECT_EQ(s.substr(13, 6), std::string("\x0A\x0B\x0C\x0D\x0E\x0F", 6));
  EXPECT_EQ(s[19], ',');
  EXPECT_EQ(s[29], 2);  // minimum code size
  EXPECT_EQ(s.back(), ';');
}

TEST(GifWriteTest, TwoHundredFiftySixColoursGivePackedF7AndCodeSizeEight) {
  CScratchDir dir;
  ImagePtr image(tolvo::AllocImage(16, 16, 256, kImPalette));
  for (int i = 0; i < 256; ++i) image->pixels[(i / 16) * image->stride + i % 16] = uint8_t(i);
  image->resolutionX = 100;
  image->resolutionY = 50;
  ASSERT_EQ(tolvo::SaveGif((dir / "a.gif").c_str(), image.get()), 1);
  std::string s = ReadFileBytes(dir / "a.gif");
  EXPECT_EQ(s.substr(6, 4), std::string("\x64\x00\x32\x00", 4));
  EXPECT_EQ(uint8_t(s[10]), 0xF7);
  EXPECT_EQ(s[13 + 768 + 10], 8);
}

TEST(GifWriteTest, OneColourPictureIsARisingRunOfCodesInFullSubBlocks) {
  CScratchDir dir;
  ImagePtr image(tolvo::AllocImage(512, 512, 2, kImPalette));
  ASSERT_EQ(tolvo::SaveGif((dir / "a.gif").c_str(), image.get()), 1);
  std::string s = ReadFileBytes(dir / "a.gif");
  size_t at = 13 + 6 + 10 + 1;  // header, table, descriptor, code size
  // Clear (4, 3 bits), 0, then codes 6 and 7 (3 bits) and 8... (4 bits): the first byte is 0x84.
  EXPECT_EQ(uint8_t(s[at + 1]), 0x84);
  std::vector<size_t> blocks;
  while (at < s.size() && s[at] != 0) {
    blocks.push_back(uint8_t(s[at]));
    at += 1 + uint8_t(s[at]);
  }
  ASSERT_GE(blocks.size(), 2u);
  for (size_t i = 0; i + 1 < blocks.size(); ++i) EXPECT_EQ(blocks[i], 255u);
  EXPECT_LE(blocks.back(), 255u);
  EXPECT_EQ(s.substr(at), std::string("\0;", 2));
  ImagePtr back = LoadFromBytes(LoadGif, s);
  ASSERT_TRUE(back);
  for (uint32_t y = 0; y < 512; ++y)
    for (uint32_t x = 0; x < 512; ++x) ASSERT_EQ(IndexAt(back.get(), x, y), 0);
}

TEST(GifWriteTest, ALargePictureWithAFullTableRoundTrips) {
  // Enough varied pixels to fill the 4096-code table several times (clear codes mid-stream).
  CScratchDir dir;
  ImagePtr image(tolvo::AllocImage(300, 200, 256, kImPalette));
  for (int i = 0; i < 256 * 3; ++i) image->palette[i] = uint8_t(i * 13);
  uint32_t seed = 7;
  for (uint32_t y = 0; y < 200; ++y)
    for (uint32_t x = 0; x < 300; ++x) {
      seed = seed * 1664525u + 1013904223u;
      image->pixels[y * image->stride + x] = uint8_t((seed >> 24) % (y < 100 ? 256 : 3));
    }
  ASSERT_EQ(tolvo::SaveGif((dir / "a.gif").c_str(), image.get()), 1);
  ImagePtr back = LoadFromBytes(LoadGif, ReadFileBytes(dir / "a.gif"));
  ASSERT_TRUE(back);
  for (uint32_t y = 0; y < 200; ++y)
    for (uint32_t x = 0; x < 300; ++x) ASSERT_EQ(IndexAt(back.get(), x, y), IndexAt(image.get(), x, y)) << x << "," << y;
}

TEST(GifWriteTest, TrueColourAndLargePalettesAreRefused) {
  CScratchDir dir;
  ImagePtr rgb(tolvo::AllocImage(4, 4, 0, kImTrueColor));
  EXPECT_EQ(tolvo::SaveGif((dir / "a.gif").c_str(), rgb.get()), 0);
  ImagePtr big(tolvo::AllocImage(4, 4, 300, kImPalette));
  EXPECT_EQ(tolvo::SaveGif((dir / "a.gif").c_str(), big.get()), 0);
  EXPECT_FALSE(std::filesystem::exists(dir / "a.gif"));
}

TEST(GifThroughExportsTest, TrueColourPicturesAreReducedAndComeBackClose) {
  // The reduced palette holds the centres of colour cells, a few steps from the exact colours.
  CScratchDir dir;
  ImagePtr image = MakeTrueColor(40, 30, [](uint32_t x, uint32_t y) {
    return (x / 10 + y / 10) % 2 ? Rgb{255, 255, 255} : Rgb{0, 0, 0};
  });
  std::string path = dir / "a.gif";
  ASSERT_EQ(fiSaveFile(path.c_str(), image.release(), "GIF"), 1);
  imImage* back = fiLoadFile(path.c_str());
  ASSERT_NE(back, nullptr);
  for (uint32_t y = 0; y < 30; ++y)
    for (uint32_t x = 0; x < 40; ++x) {
      Rgb c = PixelAt(back, x, y);
      bool white = (x / 10 + y / 10) % 2;
      EXPECT_NEAR(c.r, white ? 255 : 0, 10) << x << "," << y;
      EXPECT_NEAR(c.g, white ? 255 : 0, 10);
      EXPECT_NEAR(c.b, white ? 255 : 0, 10);
    }
  imFree(back);
}

}  // namespace
