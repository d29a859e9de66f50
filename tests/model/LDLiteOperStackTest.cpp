#include <gtest/gtest.h>

#include "model/LDLiteOperStack.h"
#include "model/QvLinePart.h"

namespace {

void ExpectNear(const CVector3& v, double x, double y, double z, const char* what = "") {
  EXPECT_NEAR(v.x, x, 1e-9) << what;
  EXPECT_NEAR(v.y, y, 1e-9) << what;
  EXPECT_NEAR(v.z, z, 1e-9) << what;
}

// Where the stack in force maps a point.
CVector3 Map(const CLDLiteOperStack& s, const CVector3& p) { return s.GetMatrix() * p + s.GetOffset(); }

TEST(LDLite, EmptyStackIsTheIdentity) {
  CLDLiteOperStack s;
  EXPECT_EQ(s.IsActive(), 0);
  EXPECT_EQ(s.GetMatrix().m, CMatrix3::Identity().m);
  ExpectNear(s.GetOffset(), 0, 0, 0);
}

// One command at a time on a fresh stack: is it taken, and where does (1, 2, 3) go afterwards?
struct CommandCase {
  const char* command;
  const char* text;
  int taken;
  CVector3 image;  // of (1, 2, 3)
};

int RunCommand(CLDLiteOperStack& s, const std::string& command, const char* text) {
  if (command == "ROTATE") return s.Rotate(text);
  if (command == "TRANSLATE") return s.Translate(text);
  if (command == "TRANSFORM") return s.Transform(text);
  if (command == "SCALE") return s.Scale(text);
  if (command == "POINT") return s.DefinePoint(text);
  return s.DefineMatrix(text);
}

TEST(LDLite, CommandTable) {
  const CommandCase cases[] = {
      // 90 degrees about y: (x, y, z) -> (z, y, -x).
      {"ROTATE", "90 0 1 0", 1, {3, 2, -1}},
      {"ROTATE", "90 0 2 0 trailing", 1, {3, 2, -1}},  // the axis need not be a unit vector
      {"ROTATE", "90 0 1", 0, {1, 2, 3}},
      {"ROTATE", "end", 0, {1, 2, 3}},  // nothing to pop
      {"TRANSLATE", "0 -24 0", 1, {1, -22, 3}},
      {"TRANSLATE", "0 -24", 0, {1, 2, 3}},
      {"TRANSLATE", "END", 0, {1, 2, 3}},
      {"TRANSFORM", "10 20 30 1 0 0 0 -1 0 0 0 2", 1, {11, 18, 36}},
      {"TRANSFORM", "10 20 30 1 0 0 0 -1 0 0 0", 0, {1, 2, 3}},
      {"TRANSFORM", "end", 0, {1, 2, 3}},
      {"SCALE", "2", 1, {2, 4, 6}},
      {"SCALE", "x", 0, {1, 2, 3}},
      {"SCALE", "", 0, {1, 2, 3}},
      {"SCALE", "End", 0, {1, 2, 3}},
      {"POINT", "p1 1 2 3", 1, {1, 2, 3}},
      {"POINT", "p1 1 2", 0, {1, 2, 3}},
      {"POINT", "", 0, {1, 2, 3}},
      {"MATRIX", "m 1 0 0 0 1 0 0 0 1", 1, {1, 2, 3}},
      {"MATRIX", "m 1 0 0 0 1 0 0 0", 0, {1, 2, 3}},
      {"TRANSLATE", "nan 0 0", 0, {1, 2, 3}},
  };
  for (const CommandCase& c : cases) {
    CLDLiteOperStack s;
    const std::string what = std::string(c.command) + " " + c.text;
    EXPECT_EQ(RunCommand(s, c.command, c.text), c.taken) << what;
    ExpectNear(Map(s, CVector3(1, 2, 3)), c.image.x, c.image.y, c.image.z, what.c_str());
  }
}

TEST(LDLite, TranslationMovesAFollowingPrimitiveAndEndRestores) {
  CLDLiteOperStack s;
  ASSERT_EQ(s.Translate("0 -24 0"), 1);
  CQvLinePart line;
  line.Parse("2 24 10 0 0 0 0 0");
  ASSERT_EQ(s.IsActive(), 1);
  line.ApplyTransform(s.GetMatrix(), s.GetOffset());
  ExpectNear(line.GetVertex(0), 10, -24, 0);
  ExpectNear(line.GetVertex(1), 0, -24, 0);
  EXPECT_EQ(s.Translate("END"), 1);
  EXPECT_EQ(s.IsActive(), 0);
}

TEST(LDLite, RotationThenTranslationPushesTheRotatedOffset) {
  CLDLiteOperStack s;
  ASSERT_EQ(s.Rotate("90 0 1 0"), 1);
  ASSERT_EQ(s.Translate("10 0 0"), 1);
  // R (10, 0, 0) = (0, 0, -10); a point p maps to R p + R (10, 0, 0).
  ExpectNear(s.GetOffset(), 0, 0, -10);
  ExpectNear(Map(s, CVector3(1, 0, 0)), 0, 0, -11);
}

TEST(LDLite, TransformPushesItsOffsetUnderTheTransformInForce) {
  CLDLiteOperStack s;
  ASSERT_EQ(s.Scale("2"), 1);
  ASSERT_EQ(s.Transform("1 0 0 0 -1 0 1 0 0 0 0 1"), 1);
  ExpectNear(s.GetOffset(), 2, 0, 0);
  // Matrix 2 * (x -> -y, y -> x): (1, 2, 3) -> (-4, 2, 6), plus the offset.
  ExpectNear(Map(s, CVector3(1, 2, 3)), -2, 2, 6);
  EXPECT_EQ(s.Transform("END"), 1);
  ExpectNear(Map(s, CVector3(1, 2, 3)), 2, 4, 6);
}

TEST(LDLite, NestedEndsUndoInReverseOrderEachOnItsOwnStack) {
  CLDLiteOperStack s;
  ASSERT_EQ(s.Translate("5 0 0"), 1);
  ASSERT_EQ(s.Scale("2"), 1);
  ASSERT_EQ(s.Rotate("90 0 1 0"), 1);
  ExpectNear(Map(s, CVector3(1, 0, 0)), 5, 0, -2);
  // SCALE END pops the matrix stack: here the rotation, the last matrix pushed.
  EXPECT_EQ(s.Scale("end"), 1);
  ExpectNear(Map(s, CVector3(1, 0, 0)), 7, 0, 0);
  EXPECT_EQ(s.Rotate("END"), 1);
  ExpectNear(Map(s, CVector3(1, 0, 0)), 6, 0, 0);
  EXPECT_EQ(s.Rotate("END"), 0);  // the matrix stack is empty; the offset stays
  EXPECT_EQ(s.Translate("APPEND"), 1);
  EXPECT_EQ(s.IsActive(), 0);
}

TEST(LDLite, TransformEndWithOnlyARotationPopsItAndIsNotTaken) {
  CLDLiteOperStack s;
  ASSERT_EQ(s.Rotate("45 1 0 0"), 1);
  EXPECT_EQ(s.Transform("END"), 0);
  EXPECT_EQ(s.GetMatrixCount(), 0u);
  EXPECT_EQ(s.IsActive(), 0);

  ASSERT_EQ(s.Translate("1 1 1"), 1);
  EXPECT_EQ(s.Transform("end"), 0);
  EXPECT_EQ(s.GetOffsetCount(), 0u);
}

TEST(LDLite, ScaleDoublesAPrimitive) {
  CLDLiteOperStack s;
  ASSERT_EQ(s.Scale("2"), 1);
  CQvLinePart line;
  line.Parse("2 4 1 2 3 -4 5 -6");
  line.ApplyTransform(s.GetMatrix(), s.GetOffset());
  ExpectNear(line.GetVertex(0), 2, 4, 6);
  ExpectNear(line.GetVertex(1), -8, 10, -12);
}

TEST(LDLite, NumbersAreSinglePrecision) {
  CLDLiteOperStack s;
  ASSERT_EQ(s.Translate("0.1 0 0"), 1);
  EXPECT_EQ(s.GetOffset().x, static_cast<double>(0.1f));
}

TEST(LDLite, NamedPointsAreReplacedByName) {
  CLDLiteOperStack s;
  ASSERT_EQ(s.DefinePoint("corner 1 2 3"), 1);
  ASSERT_EQ(s.DefinePoint("other 0 0 0"), 1);
  ASSERT_EQ(s.DefinePoint("CORNER 4 5 6"), 1);
  ASSERT_EQ(s.GetPoints().size(), 2u);
  EXPECT_EQ(s.GetPoints()[0].name, "CORNER");
  EXPECT_EQ(s.GetPoints()[0].x, 4);
  EXPECT_EQ(s.GetPoints()[0].z, 6);
  // Defining points changes no transform.
  EXPECT_EQ(s.IsActive(), 0);

  ASSERT_EQ(s.DefineMatrix("turn 0 1 0 -1 0 0 0 0 1"), 1);
  ASSERT_EQ(s.DefineMatrix("Turn 1 0 0 0 1 0 0 0 1"), 1);
  ASSERT_EQ(s.GetMatrices().size(), 1u);
  EXPECT_EQ(s.GetMatrices()[0].m[1], 0);
  EXPECT_EQ(s.GetMatrices()[0].m[8], 1);
  EXPECT_EQ(s.IsActive(), 0);
}

TEST(LDLite, LongNamesAreKeptWhole) {
  CLDLiteOperStack s;
  const std::string name(2000, 'q');
  ASSERT_EQ(s.DefinePoint(name + " 1 2 3"), 1);
  EXPECT_EQ(s.GetPoints()[0].name, std::string(2000, 'Q'));
}

TEST(LDLite, ResetForgetsEverything) {
  CLDLiteOperStack s;
  s.Translate("1 2 3");
  s.Rotate("90 1 0 0");
  s.DefinePoint("a 1 1 1");
  s.Reset();
  EXPECT_EQ(s.IsActive(), 0);
  EXPECT_TRUE(s.GetPoints().empty());
  EXPECT_EQ(s.Rotate("END"), 0);
}

}  // namespace
