// The in-memory picture: block layout, copies, cut-outs, stretching and BMP files, including files
// that lie about their sizes.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "render/Dib.h"
#include "support/TestData.h"

namespace {

uint32_t U32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24; }
uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

TEST(Dib, RowStrideTable) {
  const int stride24[] = {4, 8, 12, 12, 16, 20, 24, 24};
  const int stride8[] = {4, 4, 4, 4, 8, 8, 8, 8};
  for (int w = 1; w <= 8; ++w) {
    CDib a, b;
    ASSERT_EQ(a.Create(w, 2, true), 1);
    ASSERT_EQ(b.Create(w, 2, false), 1);
    EXPECT_EQ(a.GetStride(), stride24[w - 1]) << w;
    EXPECT_EQ(b.GetStride(), stride8[w - 1]) << w;
    EXPECT_EQ(a.GetBlockSize(), stride24[w - 1] * 2 + 44);
    EXPECT_EQ(b.GetBlockSize(), stride8[w - 1] * 2 + 1068);
  }
}

TEST(Dib, HeaderOfA24BitPicture) {
  CDib d;
  ASSERT_EQ(d.Create(320, 200, true), 1);
  const uint8_t* h = d.GetBitmapInfo();
  EXPECT_EQ(U32(h + 0), 40u);
  EXPECT_EQ(U32(h + 4), 320u);
  EXPECT_EQ(static_cast<int32_t>(U32(h + 8)), -200);
  EXPECT_EQ(U16(h + 12), 1);
  EXPECT_EQ(U16(h + 14), 24);
  EXPECT_EQ(U32(h + 16), 0u);
  EXPECT_EQ(U32(h + 20), 960u * 200);
  EXPECT_EQ(U32(h + 24), 320u);
  EXPECT_EQ(U32(h + 28), 200u);
  EXPECT_EQ(U32(h + 32), 0u);
  EXPECT_EQ(U32(h + 36), 0u);
  EXPECT_EQ(U32(h + 40), 0u);
  EXPECT_EQ(d.GetBits(), h + 44);
  EXPECT_EQ(d.GetBlockSize(), 960 * 200 + 44);
  EXPECT_TRUE(d.Is24Bit());
}

TEST(Dib, HeaderAndZeroColourTableOfAn8BitPicture) {
  CDib d;
  ASSERT_EQ(d.Create(5, 3, false), 1);
  const uint8_t* h = d.GetBitmapInfo();
  EXPECT_EQ(U16(h + 14), 8);
  EXPECT_EQ(U32(h + 20), 8u * 3);
  EXPECT_EQ(U32(h + 32), 256u);
  EXPECT_EQ(U32(h + 36), 256u);
  for (int i = 40; i < 1068; ++i) ASSERT_EQ(h[i], 0) << i;
  EXPECT_EQ(d.GetBits(), h + 1068);
  EXPECT_FALSE(d.Is24Bit());
}

TEST(Dib, CreateRefusesEmptyAndOversizedPictures) {
  CDib d;
  EXPECT_EQ(d.Create(0, 5, true), 0);
  EXPECT_EQ(d.Create(5, 0, true), 0);
  EXPECT_EQ(d.Create(-1, 10, true), 0);
  EXPECT_EQ(d.Create(1, -10, true), 0);
  EXPECT_EQ(d.Create(100000, 100000, true), 0);  // 30 GB: past 32 bits
  EXPECT_EQ(d.Create(INT32_MAX, 1, true), 0);
  EXPECT_FALSE(d.HasBlock());
  EXPECT_EQ(d.GetBits(), nullptr);
  EXPECT_EQ(d.GetBlockSize(), 0);
}

void Fill(CDib& d, uint8_t seed) {
  for (int y = 0; y < d.GetHeight(); ++y)
    for (int i = 0; i < d.GetStride(); ++i) d.GetRow(y)[i] = static_cast<uint8_t>(seed + 7 * y + i);
}

TEST(Dib, CopyFromReusesTheBlockOnlyForTheSameHeader) {
  CDib a, b, c;
  ASSERT_EQ(a.Create(6, 4, true), 1);
  ASSERT_EQ(b.Create(6, 4, true), 1);
  Fill(a, 1);
  const uint8_t* block = b.GetBitmapInfo();
  ASSERT_EQ(b.CopyFrom(a), 1);
  EXPECT_EQ(b.GetBitmapInfo(), block);
  EXPECT_EQ(std::memcmp(a.GetBitmapInfo(), b.GetBitmapInfo(), static_cast<size_t>(a.GetBlockSize())), 0);
  ASSERT_EQ(c.Create(2, 2, false), 1);
  ASSERT_EQ(c.CopyFrom(a), 1);
  EXPECT_EQ(c.GetBlockSize(), a.GetBlockSize());
  EXPECT_EQ(c.GetWidth(), 6);
  EXPECT_TRUE(c.Is24Bit());
  EXPECT_EQ(std::memcmp(a.GetBitmapInfo(), c.GetBitmapInfo(), static_cast<size_t>(a.GetBlockSize())), 0);
  CDib empty;
  ASSERT_EQ(c.CopyFrom(empty), 1);  // an empty source empties the copy
  EXPECT_FALSE(c.HasBlock());
}

TEST(Dib, SplitDibCopiesTheRectangle) {
  CDib src;
  ASSERT_EQ(src.Create(5, 4, true), 1);
  Fill(src, 0);
  auto part = SplitDib(src, 1, 2, 3, 2);
  ASSERT_TRUE(part);
  EXPECT_EQ(part->GetWidth(), 3);
  EXPECT_EQ(part->GetHeight(), 2);
  for (int y = 0; y < 2; ++y) EXPECT_EQ(std::memcmp(part->GetRow(y), src.GetRow(2 + y) + 3, 9), 0);
  EXPECT_FALSE(SplitDib(src, 3, 0, 3, 1));  // one pixel past the right edge
  EXPECT_FALSE(SplitDib(src, 0, 3, 1, 2));  // one row past the bottom
  EXPECT_FALSE(SplitDib(src, -1, 0, 2, 2));
  EXPECT_FALSE(SplitDib(src, 0, -1, 2, 2));
  EXPECT_FALSE(SplitDib(src, 0, 0, 0, 2));
  EXPECT_FALSE(SplitDib(src, 1, 0, INT32_MAX, 1));
  CDib empty, grey;
  EXPECT_FALSE(SplitDib(empty, 0, 0, 1, 1));
  ASSERT_EQ(grey.Create(8, 8, false), 1);
  EXPECT_FALSE(SplitDib(grey, 0, 0, 1, 1));
}

TEST(Dib, StretchDibTakesTheNearestPixel) {
  CDib src;
  ASSERT_EQ(src.Create(2, 2, true), 1);
  const uint8_t colours[2][2] = {{10, 20}, {30, 40}};
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 2; ++x) std::memset(src.GetRow(y) + 3 * x, colours[y][x], 3);
  auto big = StretchDib(src, 4, 4);
  ASSERT_TRUE(big);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(big->GetRow(y)[3 * x + 1], colours[y / 2][x / 2]);
  // Shrinking 3 -> 2 columns takes columns 0 and 1 (x * 3 / 2).
  CDib row;
  ASSERT_EQ(row.Create(3, 1, false), 1);
  row.GetRow(0)[0] = 1, row.GetRow(0)[1] = 2, row.GetRow(0)[2] = 3;
  auto small = StretchDib(row, 2, 1);
  ASSERT_TRUE(small);
  EXPECT_FALSE(small->Is24Bit());
  EXPECT_EQ(small->GetRow(0)[0], 1);
  EXPECT_EQ(small->GetRow(0)[1], 2);
  EXPECT_FALSE(StretchDib(src, 0, 4));
  CDib empty;
  EXPECT_FALSE(StretchDib(empty, 4, 4));
}

// A 5 x 3 picture written as BMP: 14 + 40 header bytes, rows of 16 bytes, bottom row first.
TEST(DibFile, WritesTheExactLayoutAndReadsItBack) {
  CScratchDir dir;
  CDib d;
  ASSERT_EQ(d.Create(5, 3, true), 1);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 15; ++x) d.GetRow(y)[x] = static_cast<uint8_t>(16 * y + x + 1);
  ASSERT_EQ(d.SaveBmp(dir / "pic.bmp"), 1);
  const std::string bytes = ReadFileBytes(dir / "pic.bmp");
  ASSERT_EQ(bytes.size(), 54u + 16 * 3);
  const auto* b = reinterpret_cast<const uint8_t*>(bytes.data());
  EXPECT_EQ(b[0], 'B');
  EXPECT_EQ(b[1], 'M');
  EXPECT_EQ(U32(b + 2), 102u);
  EXPECT_EQ(U32(b + 6), 0u);
  EXPECT_EQ(U32(b + 10), 54u);
  EXPECT_EQ(U32(b + 14), 40u);
  EXPECT_EQ(U32(b + 18), 5u);
  EXPECT_EQ(U32(b + 22), 3u);  // positive: bottom-up
  EXPECT_EQ(U16(b + 26), 1);
  EXPECT_EQ(U16(b + 28), 24);
  EXPECT_EQ(U32(b + 30), 0u);
  EXPECT_EQ(U32(b + 34), 48u);
  EXPECT_EQ(U32(b + 38), 2835u);
  EXPECT_EQ(U32(b + 42), 2835u);
  EXPECT_EQ(U32(b + 46), 0u);
  EXPECT_EQ(U32(b + 50), 0u);
  EXPECT_EQ(b[54], 16 * 2 + 1);  // the bottom row comes first
  EXPECT_EQ(b[54 + 15], 0);      // padding
  EXPECT_EQ(b[54 + 32], 1);      // the top row comes last

  FILE* f = std::fopen((dir / "pic.bmp").c_str(), "rb");
  ASSERT_TRUE(f);
  CDib back;
  EXPECT_EQ(back.ReadFromFile(f), 1);
  std::fclose(f);
  ASSERT_EQ(back.GetWidth(), 5);
  ASSERT_EQ(back.GetHeight(), 3);
  for (int y = 0; y < 3; ++y) EXPECT_EQ(std::memcmp(back.GetRow(y), d.GetRow(y), 15), 0) << y;
}

TEST(DibFile, EightBitFilesCarryTheColourTable) {
  CScratchDir dir;
  CDib d;
  ASSERT_EQ(d.Create(3, 2, false), 1);
  d.GetBitmapInfo()[40 + 4 * 7] = 99;  // blue of entry 7
  d.GetRow(0)[0] = 7;
  d.GetRow(1)[2] = 9;
  ASSERT_EQ(d.SaveBmp(dir / "p8.bmp"), 1);
  const std::string bytes = ReadFileBytes(dir / "p8.bmp");
  ASSERT_EQ(bytes.size(), 54u + 1024 + 4 * 2);
  const auto* b = reinterpret_cast<const uint8_t*>(bytes.data());
  EXPECT_EQ(U32(b + 10), 1078u);
  EXPECT_EQ(U16(b + 28), 8);
  EXPECT_EQ(U32(b + 46), 256u);
  EXPECT_EQ(b[54 + 28], 99);
  EXPECT_EQ(b[1078 + 2], 9);  // bottom row first
  EXPECT_EQ(b[1078 + 4], 7);
  // Reading accepts 24-bit files only.
  FILE* f = std::fopen((dir / "p8.bmp").c_str(), "rb");
  ASSERT_TRUE(f);
  CDib back;
  EXPECT_EQ(back.ReadFromFile(f), 0);
  std::fclose(f);
}

TEST(DibFile, SaveOfAnEmptyPictureOrToAMissingFolderFails) {
  CScratchDir dir;
  CDib empty, d;
  EXPECT_EQ(empty.SaveBmp(dir / "e.bmp"), 0);
  ASSERT_EQ(d.Create(1, 1, true), 1);
  EXPECT_EQ(d.SaveBmp(dir / "missing/sub/e.bmp"), 0);
  EXPECT_EQ(d.WriteToFile(nullptr), 0);
}

// A BMP file of a 2 x 2 24-bit picture, built field by field so that each test can lie in one.
struct BmpBytes {
  std::string bytes;
  explicit BmpBytes(uint32_t infoSize = 40) {
    const uint32_t offset = 14 + infoSize;
    bytes.assign(offset + 16, '\0');
    bytes[0] = 'B';
    bytes[1] = 'M';
    Put32(2, offset + 16);
    Put32(10, offset);
    Put32(14, infoSize);
    Put32(18, 2);
    Put32(22, 2);
    Put16(26, 1);
    Put16(28, 24);
    Put32(34, 16);
    for (int i = 0; i < 16; ++i) bytes[offset + i] = static_cast<char>(i + 1);
  }
  void Put32(size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(v >> (8 * i));
  }
  void Put16(size_t at, uint16_t v) {
    bytes[at] = static_cast<char>(v);
    bytes[at + 1] = static_cast<char>(v >> 8);
  }
};

int ReadBytes(const std::string& bytes, CDib& out) {
  FILE* f = fmemopen(const_cast<char*>(bytes.data()), bytes.size(), "rb");
  if (!f) return -1;
  const int result = out.ReadFromFile(f);
  std::fclose(f);
  return result;
}

TEST(DibFile, AcceptsTheLargerInformationHeaders) {
  for (uint32_t size : {40u, 52u, 56u, 108u, 124u}) {
    CDib d;
    ASSERT_EQ(ReadBytes(BmpBytes(size).bytes, d), 1) << size;
    EXPECT_EQ(d.GetWidth(), 2);
    // The file's first row (bytes 1-6, then padding) is the bottom row.
    EXPECT_EQ(d.GetRow(1)[0], 1);
    EXPECT_EQ(d.GetRow(0)[0], 9);
  }
}

TEST(DibFile, RefusesHostileHeaders) {
  struct Case {
    const char* name;
    void (*edit)(BmpBytes&);
  } cases[] = {
      {"not BM", [](BmpBytes& b) { b.bytes[1] = 'A'; }},
      {"8 bits per pixel", [](BmpBytes& b) { b.Put16(28, 8); }},
      {"32 bits per pixel", [](BmpBytes& b) { b.Put16(28, 32); }},
      {"compressed", [](BmpBytes& b) { b.Put32(30, 1); }},
      {"two planes", [](BmpBytes& b) { b.Put16(26, 2); }},
      {"negative height", [](BmpBytes& b) { b.Put32(22, static_cast<uint32_t>(-2)); }},
      {"zero width", [](BmpBytes& b) { b.Put32(18, 0); }},
      {"negative width", [](BmpBytes& b) { b.Put32(18, static_cast<uint32_t>(-2)); }},
      {"huge width", [](BmpBytes& b) { b.Put32(18, 100000); }},
      {"overflowing size", [](BmpBytes& b) { b.Put32(18, 0x7FFFFFFF), b.Put32(22, 0x7FFFFFFF); }},
      {"width 1, height -10", [](BmpBytes& b) { b.Put32(18, 1), b.Put32(22, static_cast<uint32_t>(-10)); }},
      {"more rows than the file holds", [](BmpBytes& b) { b.Put32(22, 3); }},
      {"file ends before the last row", [](BmpBytes& b) { b.bytes.resize(b.bytes.size() - 1); }},
      {"data offset past the end", [](BmpBytes& b) { b.Put32(10, 1000); }},
      {"data offset at 4 GB", [](BmpBytes& b) { b.Put32(10, 0xFFFFFFF0); }},
      {"data offset inside the header", [](BmpBytes& b) { b.Put32(10, 20); }},
      {"core header of 12 bytes", [](BmpBytes& b) { b.Put32(14, 12); }},
      {"header larger than the file", [](BmpBytes& b) { b.Put32(14, 0x7FFFFFFF); }},
      {"only the file header", [](BmpBytes& b) { b.bytes.resize(14); }},
      {"a single byte", [](BmpBytes& b) { b.bytes = "B"; }},
  };
  for (const Case& c : cases) {
    BmpBytes b;
    c.edit(b);
    CDib d;
    EXPECT_EQ(ReadBytes(b.bytes, d), 0) << c.name;
    EXPECT_FALSE(d.HasBlock()) << c.name;
  }
  CDib d;
  EXPECT_EQ(d.ReadFromFile(nullptr), 0);
  CScratchDir dir;
  ASSERT_TRUE(WriteFileBytes(dir / "empty.bmp", ""));
  FILE* f = std::fopen((dir / "empty.bmp").c_str(), "rb");
  ASSERT_TRUE(f);
  EXPECT_EQ(d.ReadFromFile(f), 0);
  std::fclose(f);
}

}  // namespace
