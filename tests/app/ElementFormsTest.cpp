// The rules of the element dialogs that need no window: vertex swaps, the BFC options, buffer
// letters, group names, the matrix text, the rounded axis-angle matrix, where a background
// picture is found and how a preview fits its picture.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "dialogs/BmpView.h"
#include "dialogs/DlgBfc.h"
#include "dialogs/DlgBgnd.h"
#include "dialogs/DlgBufExchg.h"
#include "dialogs/DlgEnterPosMat.h"
#include "dialogs/DlgPrimitive.h"
#include "dialogs/DlgRotPoint.h"
#include "dialogs/DlgSelGrpData.h"
#include "support/TestData.h"

namespace {

PrimitiveEdit Rows(int count) {
  PrimitiveEdit d;
  d.vertexCount = count;
  for (int i = 0; i < 4; ++i) {
    d.x[i] = static_cast<float>(i + 1);
    d.y[i] = static_cast<float>(10 * (i + 1));
    d.z[i] = static_cast<float>(100 * (i + 1));
  }
  return d;
}

TEST(ElementForms, SwapReversesTheVerticesInUse) {
  struct Case {
    int count;
    float expectedX[4];
  };
  const Case cases[] = {
      {2, {2, 1, 3, 4}},
      {3, {3, 2, 1, 4}},
      {4, {4, 3, 2, 1}},
      // The conditional line's control points stay where they are.
      {5, {1, 2, 3, 4}},
  };
  for (const Case& c : cases) {
    PrimitiveEdit d = Rows(c.count);
    SwapVertices(d);
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(d.x[i], c.expectedX[i]) << c.count << " row " << i;
      // Each vertex moves with its three coordinates.
      EXPECT_EQ(d.y[i], 10 * c.expectedX[i]);
      EXPECT_EQ(d.z[i], 100 * c.expectedX[i]);
    }
  }
  EXPECT_EQ(PrimitiveRows(2), 2);
  EXPECT_EQ(PrimitiveRows(5), 4);
}

TEST(ElementForms, SmallRules) {
  EXPECT_TRUE(BfcOptionsEnabled(0));   // Not set
  EXPECT_FALSE(BfcOptionsEnabled(1));  // UNCERTIFIED
  EXPECT_TRUE(BfcOptionsEnabled(2));   // CERTIFIED
  EXPECT_EQ(BufferLetter(0), "A");
  EXPECT_EQ(BufferLetter(25), "Z");
  const std::vector<std::string> others = {"Wheels", "Cab"};
  EXPECT_TRUE(AcceptGroupName("Group name", others));
  EXPECT_FALSE(AcceptGroupName("", others));
  EXPECT_FALSE(AcceptGroupName("Cab", others));
  EXPECT_TRUE(AcceptGroupName("cab", others));  // names are compared as written
  EXPECT_EQ(RotPointChoice(2), 2);
  EXPECT_EQ(RotPointChoice(7), 4);
}

TEST(ElementForms, MatrixTextTakesExactlyNineFiniteNumbers) {
  CMatrix3 m = CMatrix3::Identity();
  EXPECT_EQ(FormatMatrixText(m), "1 0 0 0 1 0 0 0 1");
  struct Case {
    const char* text;
    bool taken;
  };
  const Case cases[] = {
      {"0 -1 0 1 0 0 0 0 1", true},  {"  0 -1 0 1 0 0 0 0 1  ", true}, {"0 -1 0 1 0 0 0 0", false},
      {"0 -1 0 1 0 0 0 0 1 5", false}, {"nan 0 0 0 1 0 0 0 1", false}, {"inf 0 0 0 1 0 0 0 1", false},
      {"1 0 0 0 1 0 0 0 x", false},    {"", false},
  };
  for (const Case& c : cases) {
    CMatrix3 read = CMatrix3::Identity();
    EXPECT_EQ(ParseMatrixText(c.text, read), c.taken) << c.text;
    if (c.taken) {
      EXPECT_EQ(read.m[1], -1);
      EXPECT_EQ(read.m[3], 1);
    } else {
      EXPECT_EQ(read.m[0], 1);  // untouched
    }
  }
}

// A quarter turn about z: cos 90 = 0 and sin 90 = 1 exactly after rounding.
TEST(ElementForms, AxisAngleRoundsToExactQuarterTurns) {
  CMatrix3 m = RoundedAxisAngle(CVector3(0, 0, 1), 90);
  const double expected[9] = {0, -1, 0, 1, 0, 0, 0, 0, 1};
  for (int i = 0; i < 9; ++i) EXPECT_EQ(m.m[static_cast<size_t>(i)], expected[i]) << i;
  CMatrix3 half = RoundedAxisAngle(CVector3(1, 0, 0), 30);
  EXPECT_EQ(half.m[4], 0.866025);  // cos 30 to six decimals
  EXPECT_EQ(half.m[7], 0.5);
}

TEST(ElementForms, BackgroundPictureIsFoundByNameFilePartOrLibraryFolder) {
  CScratchDir scratch;
  std::filesystem::create_directories(scratch / "lib/BITMAP");
  for (const std::string& path : {scratch / "lib/BITMAP/pic.bmp", scratch / "own.bmp"}) {
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fclose(f);
  }
  const std::string base = scratch / "lib";
  EXPECT_EQ(FindBackgroundFile(scratch / "own.bmp", base), scratch / "own.bmp");
  EXPECT_EQ(FindBackgroundFile("C:\\x\\pic.bmp", base), scratch / "lib/BITMAP/pic.bmp");
  EXPECT_EQ(FindBackgroundFile("/nowhere/pic.bmp", base), scratch / "lib/BITMAP/pic.bmp");
  EXPECT_EQ(FindBackgroundFile("C:\\x\\other.bmp", base), "");
  EXPECT_EQ(FindBackgroundFile("", base), "");
}

TEST(ElementForms, PreviewFitsThePictureAndCentresIt) {
  struct Case {
    int w, h, windowW, windowH;
    FitResult expected;
  };
  const Case cases[] = {
      {200, 100, 100, 100, {0, 25, 100, 50}},
      {100, 200, 100, 100, {25, 0, 50, 100}},
      {100, 100, 300, 100, {100, 0, 100, 100}},
      // No width, no height or no window: nothing is drawn (and nothing is divided by zero).
      {0, 100, 100, 100, {0, 0, 0, 0}},
      {100, 0, 100, 100, {0, 0, 0, 0}},
      {100, 100, 0, 0, {0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    FitResult r = FitRect(c.w, c.h, c.windowW, c.windowH);
    EXPECT_EQ(r.x, c.expected.x) << c.w << "x" << c.h;
    EXPECT_EQ(r.y, c.expected.y);
    EXPECT_EQ(r.width, c.expected.width);
    EXPECT_EQ(r.height, c.expected.height);
  }
}

}  // namespace
