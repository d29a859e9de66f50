// Saved state, frame slots, highlighting, pasting behind and tiling.
#include <gtest/gtest.h>

#include "RenderTestSupport.h"

using namespace render_test;
using Rows = std::vector<std::string>;

namespace {

class FrameStore : public ::testing::Test {
 protected:
  void SetUp() override { Prepare(r, colors, 12, 10); }
  void DrawRed() { r.DrawTriangle(kRed, P(1, 1), P(8, 1), P(1, 8), 1); }
  void DrawGreenCover() { r.DrawTriangle(kGreen, P(-20, -20, -5), P(40, -20, -5), P(-20, 40, -5), 2); }
  TestColors colors;
  C3DStub r;
};

TEST_F(FrameStore, RestoreStateTwiceGivesTheSameFrame) {
  DrawRed();
  const Rows red = Picture(r);
  const Rows redPicks = PickMask(r);
  ASSERT_EQ(r.SaveState(), 1);
  EXPECT_TRUE(r.HasSavedState());
  for (int round = 0; round < 2; ++round) {
    DrawGreenCover();
    EXPECT_EQ(Picture(r)[0], "GGGGGGGGGGGG");
    r.ClearImageDirty();
    ASSERT_EQ(r.RestoreState(), 1);
    EXPECT_TRUE(r.IsImageDirty());
    EXPECT_EQ(Picture(r), red);
    EXPECT_EQ(PickMask(r), redPicks);
    EXPECT_EQ(r.GetDepth(0, 0), C3DStub::kEmptyDepth);
    EXPECT_EQ(r.GetDepth(1, 1), 0);
  }
}

TEST_F(FrameStore, RestoreStateWithoutSaveOrAfterResetFails) {
  EXPECT_EQ(r.RestoreState(), 0);
  ASSERT_EQ(r.SaveState(), 1);
  ASSERT_EQ(r.Reset(12, 10, 0), 1);  // Reset drops the saved state
  EXPECT_FALSE(r.HasSavedState());
  EXPECT_EQ(r.RestoreState(), 0);
  C3DStub fresh;
  EXPECT_EQ(fresh.SaveState(), 0);
}

TEST_F(FrameStore, SlotsAreOneShot) {
  DrawRed();
  const Rows red = Picture(r);
  ASSERT_EQ(r.SaveSlot(3), 1);
  DrawGreenCover();
  ASSERT_EQ(r.RestoreSlot(3), 1);
  EXPECT_EQ(Picture(r), red);
  EXPECT_EQ(r.GetPickId(1, 1), 1u);
  EXPECT_EQ(r.RestoreSlot(3), 0);
  EXPECT_EQ(r.RestoreSlot(4), 0);  // never stored
}

TEST_F(FrameStore, SlotNumbers) {
  EXPECT_EQ(r.RestoreSlot(0), 0);  // no slot stored yet
  EXPECT_EQ(r.SaveSlot(26), 0);
  EXPECT_EQ(r.RestoreSlot(255), 0);
  DrawRed();
  ASSERT_EQ(r.SaveSlot(256 + 3), 1);  // the low byte counts
  DrawGreenCover();
  ASSERT_EQ(r.RestoreSlot(3), 1);
  EXPECT_EQ(Picture(r)[1], ".RRRRRRRR...");
  C3DStub fresh;
  EXPECT_EQ(fresh.SaveSlot(0), 0);
}

TEST_F(FrameStore, SlotsSurviveResetButNotASizeChange) {
  DrawRed();
  const Rows red = Picture(r);
  ASSERT_EQ(r.SaveSlot(1), 1);
  ASSERT_EQ(r.Reset(16, 10, 0), 1);
  r.SetColorTable(colors.table.data());
  // Stored at 12 x 10: refused at 16 x 10, and the frame stays as it is.
  EXPECT_EQ(r.RestoreSlot(1), 0);
  EXPECT_EQ(Picture(r)[1], "................");
  ASSERT_EQ(r.Reset(12, 8, 0), 1);
  EXPECT_EQ(r.RestoreSlot(1), 0);
  // Back at the size it was stored at, the slot is still there.
  ASSERT_EQ(r.Reset(12, 10, 0), 1);
  ASSERT_EQ(r.RestoreSlot(1), 1);
  EXPECT_EQ(Picture(r), red);
}

TEST_F(FrameStore, SavedStateIsRefusedAfterAClearAtAnotherSize) {
  DrawRed();
  ASSERT_EQ(r.SaveState(), 1);
  ASSERT_EQ(r.BeginFrame(16, 12), 0);
  EXPECT_EQ(r.RestoreState(), 0);
  EXPECT_EQ(r.GetDepth(1, 1), C3DStub::kEmptyDepth);
}

TEST(FrameStorePick, SavedWithoutPickBufferRestoresNoIds) {
  TestColors colors;
  C3DStub r;
  Prepare(r, colors, 12, 10, false);
  r.DrawTriangle(kRed, P(1, 1), P(8, 1), P(1, 8), 1);
  ASSERT_EQ(r.SaveState(), 1);
  ASSERT_EQ(r.SaveSlot(0), 1);
  r.EnablePickBuffer(1);
  ASSERT_EQ(r.RestoreState(), 1);  // flag on, no buffer yet: nothing to copy
  ASSERT_EQ(r.BeginFrame(12, 10), 0);
  r.DrawTriangle(kGreen, P(1, 1), P(8, 1), P(8, 8), 7);
  EXPECT_EQ(r.GetPickId(8, 1), 7u);
  ASSERT_EQ(r.RestoreState(), 1);
  EXPECT_EQ(Picture(r)[1], ".RRRRRRRR...");
  for (const std::string& row : PickMask(r)) EXPECT_EQ(row, "............");
  r.DrawTriangle(kGreen, P(1, 1), P(8, 1), P(8, 8), 7);
  ASSERT_EQ(r.RestoreSlot(0), 1);
  for (const std::string& row : PickMask(r)) EXPECT_EQ(row, "............");
}

TEST(FrameStorePick, SavedWithPickBufferRestoresIntoAFrameWithout) {
  TestColors colors;
  C3DStub r;
  Prepare(r, colors, 12, 10, true);
  r.DrawTriangle(kRed, P(1, 1), P(8, 1), P(1, 8), 1);
  ASSERT_EQ(r.SaveState(), 1);
  r.EnablePickBuffer(0);
  ASSERT_EQ(r.RestoreState(), 1);
  EXPECT_EQ(Picture(r)[1], ".RRRRRRRR...");
  EXPECT_EQ(r.GetPickId(1, 1), kNoPickId);
}

class Highlighting : public ::testing::Test {
 protected:
  void SetUp() override {
    r.SetBackgroundColor(0x2102030);
    Prepare(r, colors, 8, 4);
    r.SetBackgroundColor(0x2102030);
    ASSERT_EQ(r.BeginFrame(8, 4), 0);
    // Brown over columns 0-3 of every row, pick id 4; columns 4-7 stay background, no id.
    r.DrawQuad(kBrown, P(0, 0), P(3, 0), P(3, 3), P(0, 3), 4);
  }
  TestColors colors;
  C3DStub r;
  const Bgr brown{40, 100, 200};
  const Bgr background{0x30, 0x20, 0x10};
};

TEST_F(Highlighting, ModeOneDarkensToThreeQuarters) {
  r.Highlight(1, 255);
  EXPECT_EQ(PixelAt(r, 0, 0), (Bgr{30, 75, 150}));
  EXPECT_EQ(PixelAt(r, 3, 3), (Bgr{30, 75, 150}));
  EXPECT_EQ(PixelAt(r, 4, 0), background);
  EXPECT_EQ(r.GetPickId(0, 0), kNoPickId);
  r.Highlight(1, 255);  // ids are gone: a second pass changes nothing
  EXPECT_EQ(PixelAt(r, 0, 0), (Bgr{30, 75, 150}));
}

TEST_F(Highlighting, ModeTwoGreys) {
  r.Highlight(2, 255);
  EXPECT_EQ(PixelAt(r, 1, 2), (Bgr{85, 85, 85}));
  EXPECT_EQ(PixelAt(r, 7, 2), background);
}

TEST_F(Highlighting, ModeThreeHalvesEverySecondPixelInMemoryOrder) {
  r.Highlight(3, 255);
  // Indexes 0, 2, 4, ...: with a width of 8 these are the even columns of every row.
  EXPECT_EQ(PixelAt(r, 0, 0), (Bgr{20, 50, 100}));
  EXPECT_EQ(PixelAt(r, 2, 1), (Bgr{20, 50, 100}));
  EXPECT_EQ(PixelAt(r, 1, 0), brown);
  EXPECT_EQ(PixelAt(r, 3, 3), brown);
  EXPECT_EQ(r.GetPickId(0, 0), kNoPickId);
  EXPECT_EQ(r.GetPickId(1, 0), 4u);
  EXPECT_EQ(PixelAt(r, 4, 0), background);
}

TEST_F(Highlighting, OtherModesAndSlotNumbersDoNothing) {
  for (int mode : {0, 4, -1}) r.Highlight(mode, 255);
  for (uint32_t slot : {26u, 100u, 254u, 256u}) r.Highlight(1, slot);
  EXPECT_EQ(PixelAt(r, 0, 0), brown);
  EXPECT_EQ(r.GetPickId(0, 0), 4u);
}

TEST_F(Highlighting, ASlotAloneOrEverySlotWithTheFrame) {
  ASSERT_EQ(r.SaveSlot(2), 1);
  ASSERT_EQ(r.SaveSlot(5), 1);
  r.Highlight(1, 2);
  EXPECT_EQ(PixelAt(r, 0, 0), brown);  // the current frame is not touched
  ASSERT_EQ(r.RestoreSlot(2), 1);
  EXPECT_EQ(PixelAt(r, 0, 0), (Bgr{30, 75, 150}));
  EXPECT_EQ(r.GetPickId(0, 0), kNoPickId);
  r.Highlight(1, 2);                                                          // slot 2 is free now: nothing
  r.DrawQuad(kBrown, P(0, 0, -1), P(3, 0, -1), P(3, 3, -1), P(0, 3, -1), 4);  // nearer
  r.Highlight(2, 255);
  EXPECT_EQ(PixelAt(r, 0, 0), (Bgr{85, 85, 85}));
  ASSERT_EQ(r.RestoreSlot(5), 1);
  EXPECT_EQ(PixelAt(r, 0, 0), (Bgr{85, 85, 85}));
}

TEST(HighlightingWithoutPicks, NothingChanges) {
  TestColors colors;
  C3DStub r;
  Prepare(r, colors, 8, 4, false);
  r.DrawQuad(kBrown, P(0, 0), P(3, 0), P(3, 3), P(0, 3), 4);
  ASSERT_EQ(r.SaveSlot(1), 1);
  r.Highlight(1, 255);
  r.Highlight(1, 1);
  EXPECT_EQ(PixelAt(r, 0, 0), (Bgr{40, 100, 200}));
  ASSERT_EQ(r.RestoreSlot(1), 1);
  EXPECT_EQ(PixelAt(r, 0, 0), (Bgr{40, 100, 200}));
}

TEST(PasteBehind, CopiesIntoEmptyPixelsOnly) {
  TestColors colors;
  C3DStub r, other;
  Prepare(r, colors, 12, 10);
  r.DrawTriangle(kRed, P(1, 1), P(8, 1), P(1, 8), 1);
  Prepare(other, colors, 4, 3);
  other.DrawQuad(kGreen, P(-1, -1), P(9, -1), P(9, 9), P(-1, 9), 1);
  ASSERT_EQ(r.PasteBehind(other, 6, 0), 1);
  // clang-format off
  const Rows expected = {
      "......GGGG..",
      ".RRRRRRRRG..",
      ".RRRRRRRGG..",
      ".RRRRRR.....",
      ".RRRRR......",
      ".RRRR.......",
      ".RRR........",
      ".RR.........",
      "............",
      "............",
  };
  // clang-format on
  EXPECT_EQ(Picture(r), expected);
  EXPECT_EQ(r.GetDepth(6, 0), C3DStub::kEmptyDepth);  // depth and ids stay
  EXPECT_EQ(r.GetPickId(6, 0), kNoPickId);
}

TEST(PasteBehind, RefusesWhatDoesNotFit) {
  TestColors colors;
  C3DStub r, other, unset;
  Prepare(r, colors, 96, 40);
  Prepare(other, colors, 64, 32);
  other.DrawQuad(kGreen, P(-1, -1), P(99, -1), P(99, 99), P(-1, 99), 1);
  const Rows before = Picture(r);
  EXPECT_EQ(r.PasteBehind(other, 96 - 63, 0), 0);
  EXPECT_EQ(r.PasteBehind(other, 0, 9), 0);
  EXPECT_EQ(r.PasteBehind(other, -1, 0), 0);
  EXPECT_EQ(r.PasteBehind(other, 0, -1), 0);
  EXPECT_EQ(r.PasteBehind(unset, 0, 0), 0);
  EXPECT_EQ(Picture(r), before);
  EXPECT_EQ(r.PasteBehind(other, 96 - 64, 8), 1);
  EXPECT_EQ(PixelAt(r, 95, 39), (Bgr{0, 255, 0}));
}

TEST(TileBackground, RepeatsThePictureFromTheTopLeft) {
  TestColors colors;
  C3DStub r;
  Prepare(r, colors, 8, 4);
  r.DrawLine(kRed, P(0, 1), P(7, 1), 1);
  CDib picture;
  ASSERT_EQ(picture.Create(3, 2, true), 1);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) {
      uint8_t* p = picture.GetRow(y) + 3 * x;
      p[0] = static_cast<uint8_t>(x);
      p[1] = static_cast<uint8_t>(y);
      p[2] = 7;
    }
  ASSERT_EQ(r.TileBackground(picture), 1);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 8; ++x) {
      const Bgr expected =
          y == 1 ? Bgr{0, 0, 255} : Bgr{static_cast<uint8_t>(x % 3), static_cast<uint8_t>(y % 2), 7};
      EXPECT_EQ(PixelAt(r, x, y), expected) << x << "," << y;
    }
  CDib empty, grey;
  EXPECT_EQ(r.TileBackground(empty), 0);
  ASSERT_EQ(grey.Create(3, 2, false), 1);
  EXPECT_EQ(r.TileBackground(grey), 0);
}

}  // namespace
