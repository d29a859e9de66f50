#include "model/MosaicBuilder.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "config/ColorTable.h"
#include "render/PictureLoader.h"
#include "support/TestData.h"
#include "tests/model/RecordingSink.h"

namespace {
using Voxels = std::set<std::tuple<int, int, int>>;

struct Table {
  ColorEntry entries[kColorCount];
  Table() { BuildColorTable(BuiltinColors.data(), entries, kColorCount); }
};

void Put(CDib& dib, int x, int y, uint8_t r, uint8_t g, uint8_t b) {
  uint8_t* p = dib.GetRow(y) + x * 3;
  p[0] = b, p[1] = g, p[2] = r;
}

CMosaicBuilder Builder(int height, bool plates, int size, int mode) {
  CMosaicBuilder m;
  m.SetOptions({plates, size, height, mode});
  return m;
}

TEST(MosaicBuilder, OneWhitePixelGivesOneBrickAndAStep) {
  CDib pic;
  pic.Create(2, 2, true);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 2; ++x) Put(pic, x, y, 0, 0, 0);
  Put(pic, 1, 0, 255, 255, 255);  // top right; grid row 1
  CMosaicBuilder m = Builder(1, false, 0, CMosaicBuilder::kColorNone);
  CRecordingSink sink;
  ASSERT_EQ(m.Generate(pic, nullptr, sink, nullptr), CMosaicBuilder::kDone);
  ASSERT_EQ(sink.parts.size(), 1u);
  EXPECT_EQ(sink.parts[0].file, "3005.dat");
  EXPECT_DOUBLE_EQ(sink.parts[0].corner.x, 0);   // (1 - 2 / 2) x 20
  EXPECT_DOUBLE_EQ(sink.parts[0].corner.z, 0);   // (1 - 2 / 2) x 20
  EXPECT_DOUBLE_EQ(sink.parts[0].corner.y, -0.0);
  EXPECT_EQ(sink.parts[0].color, 16);
  EXPECT_EQ(sink.steps, 1);
}

TEST(MosaicBuilder, FakeColoursNeverUseTheLowestLevelColour) {
  CDib pic;
  pic.Create(16, 1, true);
  for (int x = 0; x < 16; ++x) Put(pic, x, 0, x * 17, x * 17, x * 17);
  CMosaicBuilder m = Builder(5, true, 1, CMosaicBuilder::kColorFake);
  CRecordingSink sink;
  ASSERT_EQ(m.Generate(pic, nullptr, sink, nullptr), CMosaicBuilder::kDone);
  Voxels voxels;
  ASSERT_TRUE(sink.Voxels(voxels));
  bool top = false;
  for (const auto& p : sink.parts) {
    EXPECT_NE(p.color, 1);
    top = top || p.color == 15;
  }
  EXPECT_TRUE(top);
}

// A 32 x 32 picture of four table colours, read back through the image library, becomes one
// layer of plates: at most one a stud, every plate in the colour of its quarter.
TEST(MosaicBuilder, ThirtyTwoSquarePictureGivesAtMostOnePlateAStudInItsColours) {
  Table t;
  const int quarters[4] = {4, 1, 14, 2};
  CDib pic;
  pic.Create(32, 32, true);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      const ColorEntry& e = t.entries[quarters[(y / 16) * 2 + x / 16]];
      Put(pic, x, y, e.red, e.green, e.blue);
    }
  CScratchDir dir;
  ASSERT_EQ(pic.SaveBmp(dir / "quarters.bmp"), 1);
  const char* bin = std::getenv("PLANDOR_BIN_DIR");
  CDllContainer dll(std::string(bin ? bin : ".") + "/libtolvo.so");
  std::unique_ptr<CDib> loaded = LoadPicture(dll, dir / "quarters.bmp");
  if (!loaded) GTEST_SKIP() << "the image library could not be loaded";

  CMosaicBuilder m = Builder(0, true, 3, CMosaicBuilder::kColorReal);
  CRecordingSink sink;
  ASSERT_EQ(m.Generate(*loaded, t.entries, sink, nullptr), CMosaicBuilder::kDone);
  ASSERT_FALSE(sink.parts.empty());
  EXPECT_LE(sink.parts.size(), 1024u);
  Voxels voxels;
  ASSERT_TRUE(sink.Voxels(voxels));
  EXPECT_EQ(voxels.size(), 1024u);  // every stud covered once
  for (const auto& p : sink.parts) {
    EXPECT_TRUE(CRecordingSink::IsPlate(p.file)) << p.file;
    const int column = static_cast<int>(p.corner.x / 20) + 16, row = static_cast<int>(p.corner.z / 20) + 16;
    const int pictureRow = 31 - row;  // grid row 0 is the bottom of the picture
    EXPECT_EQ(p.color, quarters[(pictureRow / 16) * 2 + column / 16]) << column << "," << row;
  }
  EXPECT_EQ(sink.parts.size(), 4u * 8 * 4);  // 16 x 16 quarters of 4 x 2 plates
}

TEST(MosaicBuilder, LargePicturesAreRefusedUntilFitted) {
  CDib big;
  ASSERT_TRUE(big.Create(1600, 1200, true));
  CMosaicBuilder m = Builder(2, false, 0, CMosaicBuilder::kColorNone);
  CRecordingSink sink;
  EXPECT_EQ(m.Generate(big, nullptr, sink, nullptr), CMosaicBuilder::kNoPicture);
  std::unique_ptr<CDib> fitted = CMosaicBuilder::FitPicture(big, 128);
  ASSERT_TRUE(fitted);
  EXPECT_EQ(fitted->GetWidth(), 128);
  EXPECT_EQ(fitted->GetHeight(), 96);
}

TEST(MosaicBuilder, CancelLeavesNothing) {
  CDib pic;
  pic.Create(8, 8, true);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) Put(pic, x, y, 255, 255, 255);
  CMosaicBuilder m = Builder(15, false, 0, CMosaicBuilder::kColorNone);
  CRecordingSink sink;
  EXPECT_EQ(m.Generate(pic, nullptr, sink, [](int32_t) { return false; }), CMosaicBuilder::kCancelled);
  EXPECT_TRUE(sink.parts.empty());
}

}  // namespace
