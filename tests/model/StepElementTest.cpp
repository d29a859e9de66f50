#include <gtest/gtest.h>

#include <cmath>

#include "ElementTestUtil.h"
#include "model/QvRotateCmd.h"
#include "model/QvStepPart.h"
#include "model/SelectionGroup.h"

namespace {

TEST(StepElement, WritesStepAndEndsAStep) {
  CQvStepPart step;
  EXPECT_EQ(step.GetTypeCode(), 1);
  EXPECT_TRUE(step.stepBoundary);
  EXPECT_FALSE(step.stepContent);
  EXPECT_EQ(WrittenText(step), "0 STEP\n");
}

TEST(StepElement, InsideAGroupItsGroupLineComesFirst) {
  CSelectionGroup group("Wing");
  CQvStepPart step;
  step.SetGroup(&group);
  EXPECT_EQ(WrittenText(step), "0 TOLVO BTG Wing\n0 STEP\n");
  CFailingTextHandler out(1);
  EXPECT_EQ(step.Write(out), 0);
  EXPECT_EQ(out.writes, 1);
}

TEST(StepElement, DescribeAndClone) {
  CQvStepPart step;
  ElementDescription d;
  EXPECT_EQ(step.Describe(d), 1);
  EXPECT_EQ(d.typeFlags, 1u);
  EXPECT_EQ(d.text, "");
  step.ghost = true;
  EXPECT_EQ(step.Describe(d), 1);
  EXPECT_EQ(d.typeFlags, 0x4001u);
  EXPECT_EQ(d.text, "Ghost");
  auto c = step.Clone();
  ASSERT_NE(dynamic_cast<CQvStepPart*>(c.get()), nullptr);
  EXPECT_TRUE(c->ghost && c->stepBoundary);
}

TEST(StepElement, CannotBeEdited) {
  CQvStepPart step;
  EXPECT_EQ(step.CanEdit(), 0);
}

// Texts after "ROTSTEP" and what they are written back as; empty: a line error.
struct RotCase {
  const char* text;
  const char* written;
  int end, mode;
};

TEST(RotationStep, TextTable) {
  const RotCase cases[] = {
      {"0 0 180 REL", "0 ROTSTEP 0 0 180 REL\n", 0, CQvRotateCmd::kRel},
      {"0 90 0", "0 ROTSTEP 0 90 0 REL\n", 0, CQvRotateCmd::kRel},
      {"0 90 0 abs", "0 ROTSTEP 0 90 0 ABS\n", 0, CQvRotateCmd::kAbs},
      {"10 -20 30 ADD", "0 ROTSTEP 10 -20 30 ADD\n", 0, CQvRotateCmd::kAdd},
      {"1 2 3 ABSOLUTE", "0 ROTSTEP 1 2 3 ADD\n", 0, CQvRotateCmd::kAdd},
      {"1 2 3 rel extra", "0 ROTSTEP 1 2 3 REL\n", 0, CQvRotateCmd::kRel},
      {"1 2 3 RE", "0 ROTSTEP 1 2 3 ADD\n", 0, CQvRotateCmd::kAdd},
      {"0.1 0 0 ABS", "0 ROTSTEP 0.1 0 0 ABS\n", 0, CQvRotateCmd::kAbs},
      {"END", "0 ROTSTEP END\n", 1, 0},
      {"end", "0 ROTSTEP END\n", 1, 0},
      {"10 20 30 APPEND", "0 ROTSTEP END\n", 1, 0},
      {"  End  \r\n", "0 ROTSTEP END\n", 1, 0},
      {"1 2", "", 0, 0},
      {"", "", 0, 0},
      {"1 2 x ABS", "", 0, 0},
      {"1 nan 3", "", 0, 0},
      {"1 1e40 3", "", 0, 0},  // beyond single precision
  };
  for (const RotCase& c : cases) {
    if (!*c.written) {
      EXPECT_THROW(CQvRotateCmd cmd(c.text), CParseError) << c.text;
      continue;
    }
    CQvRotateCmd cmd(c.text);
    EXPECT_EQ(WrittenText(cmd), c.written) << c.text;
    EXPECT_EQ(cmd.IsEnd(), c.end) << c.text;
    EXPECT_EQ(cmd.GetTypeCode(), c.end ? 11 : 10) << c.text;
    EXPECT_TRUE(cmd.stepBoundary);
    if (!c.end) {
      EXPECT_EQ(cmd.GetMode(), c.mode) << c.text;
    }
  }
}

TEST(RotationStep, AnglesAreSinglePrecision) {
  CQvRotateCmd cmd("0.1 0 0");
  EXPECT_EQ(cmd.GetAngles().x, static_cast<double>(0.1f));
  EXPECT_NE(cmd.GetAngles().x, 0.1);
}

void ExpectNear(const CVector3& v, double x, double y, double z) {
  EXPECT_NEAR(v.x, x, 1e-12);
  EXPECT_NEAR(v.y, y, 1e-12);
  EXPECT_NEAR(v.z, z, 1e-12);
}

TEST(RotationStep, MatrixOfNinetyAboutX) {
  CQvRotateCmd cmd("90 0 0 ABS");
  ExpectNear(cmd.GetMatrix() * CVector3(0, 1, 0), 0, 0, 1);
  ExpectNear(cmd.GetMatrix() * CVector3(0, 0, 1), 0, -1, 0);
  ExpectNear(cmd.GetMatrix() * CVector3(1, 0, 0), 1, 0, 0);

  CQvRotateCmd set;
  set.Set(90, 0, 0, CQvRotateCmd::kAbs, 0);
  for (int i = 0; i < 9; ++i) EXPECT_NEAR(set.GetMatrix().m[i], cmd.GetMatrix().m[i], 1e-12);
}

TEST(RotationStep, SetMatchesTheTextForm) {
  CQvRotateCmd text("30 -45 60 ADD");
  CQvRotateCmd set;
  set.Set(30, -45, 60, CQvRotateCmd::kAdd, 0);
  for (int i = 0; i < 9; ++i) EXPECT_NEAR(set.GetMatrix().m[i], text.GetMatrix().m[i], 1e-12);
  // Rx(30) Ry(-45) Rz(60) (1, 0, 0), worked by hand: Rz gives (1/2, r3/2, 0), Ry(-45) gives
  // (c/2, r3/2, c/2), Rx(30) gives (c/2, 3/4 - c/4, r3/4 + r3 c/4), c = cos 45.
  const double c45 = std::sqrt(0.5), r3 = std::sqrt(3.0);
  ExpectNear(set.GetMatrix() * CVector3(1, 0, 0), c45 / 2, 0.75 - c45 / 4, r3 / 4 + r3 * c45 / 4);
}

TEST(RotationStep, SetEndKeepsAnglesAndSetBackMakesAStartAgain) {
  CQvRotateCmd cmd("1 2 3 ABS");
  cmd.Set(0, 0, 0, 0, 1);
  EXPECT_EQ(cmd.IsEnd(), 1);
  EXPECT_EQ(cmd.GetTypeCode(), 11);
  EXPECT_EQ(cmd.GetAngles().y, 2);
  EXPECT_EQ(cmd.GetMode(), CQvRotateCmd::kAbs);
  cmd.Set(5, 0, 0, CQvRotateCmd::kRel, 0);
  EXPECT_EQ(cmd.GetTypeCode(), 10);
  EXPECT_EQ(WrittenText(cmd), "0 ROTSTEP 5 0 0 REL\n");
}

TEST(RotationStep, ApplyToByMode) {
  const CMatrix3 start(2, 0, 0, 0, 2, 0, 0, 0, 2);
  const CMatrix3 current(0, 1, 0, 1, 0, 0, 0, 0, 1);
  const CVector3 p(1, 2, 3);
  CQvRotateCmd rel("90 0 0 REL"), abs("90 0 0 ABS"), add("90 0 0 ADD");
  // R (1,2,3) = (1,-3,2)
  ExpectNear(rel.ApplyTo(start, current) * p, 2, -6, 4);
  ExpectNear(abs.ApplyTo(start, current) * p, 1, -3, 2);
  ExpectNear(add.ApplyTo(start, current) * p, -3, 1, 2);
}

TEST(RotationStep, DescribeTexts) {
  ElementDescription d;
  CQvRotateCmd cmd("90 0 12.3456 ABS");
  cmd.ghost = true;
  EXPECT_EQ(cmd.Describe(d), 1);
  EXPECT_EQ(d.matrix, "90.000,0.000,12.346");
  EXPECT_EQ(d.text, "START ABS");
  EXPECT_EQ(d.typeFlags, 0x400Au);
  ElementDescription e;
  CQvRotateCmd end("END");
  end.Describe(e);
  EXPECT_EQ(e.text, "END");
  EXPECT_EQ(e.typeFlags, 11u);
  EXPECT_EQ(e.matrix, "");
  CQvRotateCmd rel("1 2 3"), add("1 2 3 X");
  rel.Describe(e);
  EXPECT_EQ(e.text, "START REL");
  add.Describe(e);
  EXPECT_EQ(e.text, "START ADD");
}

TEST(RotationStep, CloneCopiesEverything) {
  CQvRotateCmd cmd("10 20 30 ADD");
  auto c = cmd.Clone();
  auto* copy = dynamic_cast<CQvRotateCmd*>(c.get());
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(WrittenText(*copy), "0 ROTSTEP 10 20 30 ADD\n");
  EXPECT_EQ(copy->GetMatrix().m, cmd.GetMatrix().m);
  CQvRotateCmd end("END");
  auto e = end.Clone();
  EXPECT_EQ(e->GetTypeCode(), 11);
  EXPECT_EQ(WrittenText(*e), "0 ROTSTEP END\n");
}

TEST(RotationStep, OnlyTheStartFormCanBeEdited) {
  CQvRotateCmd end("END");
  EXPECT_EQ(end.CanEdit(), 0);
  CQvRotateCmd start("1 2 3");
  EXPECT_EQ(start.CanEdit(), 1);
}

}  // namespace
