#include <gtest/gtest.h>

#include <climits>

#include "ModelText.h"
#include "model/RotationPoints.h"
#include "model/TextHandler.h"

namespace {

std::string Written(const CRotationPoints& points) {
  CArrayTextHandler out;
  EXPECT_EQ(points.WriteMeta(out), 1);
  return Joined(out);
}

CRotationPoints Reset() {
  CRotationPoints p;
  p.ResetPoints();
  return p;
}

TEST(RotationPoints, NewModelWritesTheDefaultPointAndPartOrigin) {
  CRotationPoints p = Reset();
  p.show = 1;
  EXPECT_EQ(Written(p), "0 ROTATION CENTER 0 0 0 1 \"Custom\" \n0 ROTATION CONFIG 0 1\n");
}

TEST(RotationPoints, TwoCenterLinesReplaceTheDefault) {
  CRotationPoints p = Reset();
  EXPECT_EQ(p.ParseMeta("CENTER 1.5 -2 3 1 \"Hinge\""), 1);
  EXPECT_EQ(p.ParseMeta(" CENTER 0 8 0 0 \"Name with blanks\" trailing"), 1);
  ASSERT_EQ(p.GetPoints().size(), 2u);
  EXPECT_EQ(p.GetPoints()[0].name, "Hinge");
  EXPECT_EQ(p.GetPoints()[1].name, "Name with blanks");
  EXPECT_EQ(p.GetPoints()[1].movable, 0);
  EXPECT_EQ(Written(p),
            "0 ROTATION CENTER 1.5 -2 3 1 \"Hinge\" \n"
            "0 ROTATION CENTER 0 8 0 0 \"Name with blanks\" \n"
            "0 ROTATION CONFIG 0 0\n");
}

struct ConfigCase {
  const char* text;
  int taken;
  int32_t mode;  // after the line, starting from mode 0 with two custom points
  int32_t show;
};

TEST(RotationPoints, ConfigTable) {
  const ConfigCase cases[] = {
      {"CONFIG 2 1", 1, 5, 1},
      {"CONFIG 1 0", 1, 4, 0},
      {"CONFIG 3 1", 0, 0, 0},
      {"CONFIG -3 1", 1, 3, 1},
      {"CONFIG 0 0", 1, 0, 0},
      {"CONFIG -1 2", 1, 1, 0},
      {"CONFIG -4 0", 1, 4, 0},
      {"CONFIG -6 0", 0, 0, 0},
      {"CONFIG 5", 0, 0, 0},
      {"CONFIG", 0, 0, 0},
      {"CONFIG x 1", 0, 0, 0},
      {"CONFIG 2147483647 1", 0, 0, 0},
      {"CONFIG -2147483648 1", 0, 0, 0},
  };
  for (const ConfigCase& c : cases) {
    CRotationPoints p = Reset();
    p.ParseMeta("CENTER 1 1 1 1 \"a\"");
    p.ParseMeta("CENTER 2 2 2 1 \"b\"");
    EXPECT_EQ(p.ParseMeta(c.text), c.taken) << c.text;
    EXPECT_EQ(p.mode, c.mode) << c.text;
    EXPECT_EQ(p.show, c.show) << c.text;
  }
}

TEST(RotationPoints, WrittenModeReadsBackToTheSameMode) {
  for (int32_t mode = 0; mode < 7; ++mode) {
    CRotationPoints p = Reset();
    for (int i = 0; i < 3; ++i) p.ParseMeta("CENTER 0 0 0 1 \"p\"");
    p.mode = mode;
    CRotationPoints q = Reset();
    CArrayTextHandler out;
    p.WriteMeta(out);
    for (const std::string& line : out.GetLines())
      EXPECT_EQ(q.ParseMeta(line.substr(std::string("0 ROTATION").size())), 1) << line;
    EXPECT_EQ(q.mode, mode);
    EXPECT_EQ(q.GetPoints().size(), 3u);
  }
}

TEST(RotationPoints, MalformedLinesAreRefusedAndTheDefaultStays) {
  const char* bad[] = {"",
                       "   ",
                       "CENTER 1 2 \"few\"",
                       "CENTER 1 2 3 1 no quotes",
                       "CENTER 1 2 3 1 \"unterminated",
                       "CENTER a b c 1 \"x\"",
                       "CENTER nan 0 0 1 \"x\"",
                       "SPIN 1",
                       "center 1 2 3 1 \"x\""};
  for (const char* text : bad) {
    CRotationPoints p = Reset();
    EXPECT_EQ(p.ParseMeta(text), 0) << text;
    ASSERT_EQ(p.GetPoints().size(), 1u) << text;
    EXPECT_EQ(p.GetPoints()[0].name, "Custom");
    EXPECT_EQ(p.IsPointMovable(), 1);
  }
}

TEST(RotationPoints, AxisIsTakenAndChangesNothing) {
  CRotationPoints p = Reset();
  EXPECT_EQ(p.ParseMeta("AXIS 1 0 0"), 1);
  EXPECT_TRUE(p.IsDefaultList());
  EXPECT_EQ(p.mode, 0);
}

TEST(RotationPoints, LongNamesAreCutToFiftyCharacters) {
  CRotationPoints p = Reset();
  std::string name(70, 'n');
  ASSERT_EQ(p.ParseMeta("CENTER 0 0 0 1 \"" + name + "\""), 1);
  EXPECT_EQ(p.GetPoints()[0].name, std::string(50, 'n'));
}

TEST(RotationPoints, SetCustomPointSwitchesModeAndMovesOnlyMovablePoints) {
  CRotationPoints p = Reset();
  p.mode = 1;
  p.SetCustomPoint(CVector3(1, 2, 3));
  EXPECT_EQ(p.mode, 4);
  EXPECT_EQ(p.GetPoint(), CVector3(1, 2, 3));
  p.ParseMeta("CENTER 5 5 5 0 \"fixed\"");  // replaces the default list
  p.mode = 0;
  p.SetCustomPoint(CVector3(9, 9, 9));
  EXPECT_EQ(p.mode, 4);
  EXPECT_EQ(p.GetPoint(), CVector3(5, 5, 5));
  EXPECT_EQ(p.IsPointMovable(), 0);
}

TEST(RotationPoints, PointsOfModesAndMissingPoints) {
  CRotationPoints p = Reset();
  p.ParseMeta("CENTER 1 2 3 1 \"a\"");
  EXPECT_EQ(p.GetPoint(3), CVector3());
  EXPECT_EQ(p.GetPoint(4), CVector3(1, 2, 3));
  EXPECT_EQ(p.GetPoint(9), CVector3());  // no such point: the origin, never a crash
  CRotationPoints empty;
  EXPECT_EQ(empty.IsPointMovable(), 0);
  empty.SetCustomPoint(CVector3(1, 1, 1));
  EXPECT_EQ(empty.GetPoint(), CVector3());
}

TEST(RotationPoints, ResetKeepsModeAndShow) {
  CRotationPoints p = Reset();
  p.mode = 3;
  p.show = 1;
  p.ParseMeta("CENTER 1 2 3 1 \"a\"");
  p.ResetPoints();
  EXPECT_EQ(p.mode, 3);
  EXPECT_EQ(p.show, 1);
  ASSERT_EQ(p.GetPoints().size(), 1u);
  EXPECT_TRUE(p.IsDefaultList());
}

}  // namespace
