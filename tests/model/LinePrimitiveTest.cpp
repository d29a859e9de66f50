#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>

#include "ElementTestUtil.h"
#include "config/Settings.h"
#include "model/ElementEnvironment.h"
#include "model/ElementFactory.h"
#include "model/QvFivePart.h"
#include "model/SelectionGroup.h"
#include "support/SettingsSnapshot.h"

namespace {

std::unique_ptr<CQvLinePart> MakePrimitive(int lineType) {
  switch (lineType) {
    case 2:
      return std::make_unique<CQvLinePart>();
    case 3:
      return std::make_unique<CQvTrianglePart>();
    case 4:
      return std::make_unique<CQvQuadPart>();
    default:
      return std::make_unique<CQvFivePart>();
  }
}

void ExpectVertex(const CVector3& v, double x, double y, double z, const char* what = "") {
  EXPECT_DOUBLE_EQ(v.x, x) << what;
  EXPECT_DOUBLE_EQ(v.y, y) << what;
  EXPECT_DOUBLE_EQ(v.z, z) << what;
}

TEST(LinePrimitive, NewElementsHaveTheirTypeFlagsAndNoColour) {
  const ElementType types[] = {ElementType::Line, ElementType::Triangle, ElementType::Quad,
                               ElementType::CondLine};
  for (int t = 2; t <= 5; ++t) {
    auto p = MakePrimitive(t);
    EXPECT_EQ(p->GetType(), types[t - 2]);
    EXPECT_EQ(p->LineType(), t);
    EXPECT_EQ(p->GetColor(), -1);
    EXPECT_TRUE(p->movable && p->stepContent);
    EXPECT_FALSE(p->stepBoundary);
    EXPECT_EQ(p->CanEdit(), 1);
    for (int i = 0; i < 4; ++i) ExpectVertex(p->GetVertex(i), 0, 0, 0);
  }
}

TEST(LinePrimitive, FactoryMakesEachClass) {
  const ElementClass kinds[] = {ElementClass::Line,     ElementClass::Triangle, ElementClass::Quad,
                                ElementClass::CondLine, ElementClass::Step,     ElementClass::RotateCmd};
  const uint16_t codes[] = {4, 5, 6, 7, 1, 10};
  for (int i = 0; i < 6; ++i) {
    auto e = CElementFactory::Create(kinds[i]);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->GetTypeCode(), codes[i]);
  }
}

// Lines read and written back. An empty "written" means the line must be refused.
struct ParseCase {
  const char* line;
  ColorNumber color;
  const char* written;
};

TEST(LinePrimitive, ParseAndWriteTable) {
  const ParseCase cases[] = {
      {"2 4 0 0 0 10 0 0", 4, "2 4 0 0 0 10 0 0\n"},
      {"2 24 1.5 -2.25 3 -4 5e-07 6\r\n", 24, "2 24 1.5 -2.25 3 -4 5e-07 6\n"},
      {"  2\t4   0 0 0 10 0 0  ", 4, "2 4 0 0 0 10 0 0\n"},
      // Hexadecimal colours, with and without the prefix, are written back in decimal.
      {"2 0x2FF0000 1 2 3 4 5 6", 0x2FF0000, "2 50266112 1 2 3 4 5 6\n"},
      {"2 0X2ff0000 1 2 3 4 5 6", 0x2FF0000, "2 50266112 1 2 3 4 5 6\n"},
      {"2 2FF0000 1 2 3 4 5 6", 0x2FF0000, "2 50266112 1 2 3 4 5 6\n"},
      // Colour numbers are 32-bit: the unset colour keeps its written form.
      {"2 4294967295 0 0 0 1 1 1", -1, "2 4294967295 0 0 0 1 1 1\n"},
      {"2 -1 0 0 0 1 1 1", -1, "2 4294967295 0 0 0 1 1 1\n"},
      // Text after the last number is ignored.
      {"2 4 0 0 0 10 0 0 extra words 7", 4, "2 4 0 0 0 10 0 0\n"},
      {"3 16 1 2 3 4 5 6 7 8 9", 16, "3 16 1 2 3 4 5 6 7 8 9\n"},
      {"3 16 1 2 3 4 5 6 7 8 9 10", 16, "3 16 1 2 3 4 5 6 7 8 9\n"},
      {"4 1 1 2 3 4 5 6 7 8 9 10 11 12", 1, "4 1 1 2 3 4 5 6 7 8 9 10 11 12\n"},
      {"5 24 1 2 3 4 5 6 7 8 9 10 11 12", 24, "5 24 1 2 3 4 5 6 7 8 9 10 11 12\n"},
      {"5 24 0.1 0.2 0.3 1e+07 1e-05 123456789 0 0 0 0 0 0", 24,
       "5 24 0.1 0.2 0.3 10000000 1e-05 123456789 0 0 0 0 0 0\n"},
      // Malformed lines.
      {"2 4 0 0 0 10 0", 0, ""},               // too few numbers
      {"2 4", 0, ""},                          // no coordinates
      {"2", 0, ""},                            // no colour
      {"3 4 1 2 3 4 5 6 7 8", 0, ""},          // triangle one short
      {"4 4 1 2 3 4 5 6 7 8 9 10 11", 0, ""},  // quadrilateral one short
      {"5 4 1 2 3 4 5 6 7 8 9 10 11", 0, ""},  // conditional line one short
      {"2 red 0 0 0 10 0 0", 0, ""},           // colour is no number
      {"2 99999999999 0 0 0 10 0 0", 0, ""},   // colour beyond 32 bits
      {"2 0x1FFFFFFFF 0 0 0 10 0 0", 0, ""},   // hex colour beyond 32 bits
      {"2 -3000000000 0 0 0 10 0 0", 0, ""},   // below the 32-bit range
      {"2 4 0 0 0 nan 0 0", 0, ""},            // not finite
      {"2 4 0 0 0 inf 0 0", 0, ""},
      {"2 4 0 0 0 1e999 0 0", 0, ""},
      {"2 4 0 0 x 10 0 0", 0, ""},
      {"x 4 0 0 0 10 0 0", 0, ""},
  };
  for (const ParseCase& c : cases) {
    const int type = c.line[strspn(c.line, " \t")] - '0';
    auto p = MakePrimitive(type >= 2 && type <= 5 ? type : 2);
    if (!*c.written) {
      EXPECT_THROW(p->Parse(c.line), CParseError) << c.line;
      // A refused line leaves the element as it was.
      EXPECT_EQ(p->GetColor(), -1) << c.line;
      for (int i = 0; i < 4; ++i) ExpectVertex(p->GetVertex(i), 0, 0, 0, c.line);
      continue;
    }
    ASSERT_EQ(p->Parse(c.line), 1) << c.line;
    EXPECT_EQ(p->GetColor(), c.color) << c.line;
    EXPECT_EQ(WrittenText(*p), c.written) << c.line;
  }
}

TEST(LinePrimitive, ParseReadsVerticesInOrder) {
  CQvFivePart p;
  p.Parse("5 24 1 2 3 4 5 6 7 8 9 10 11 12");
  ExpectVertex(p.GetVertex(0), 1, 2, 3);
  ExpectVertex(p.GetVertex(1), 4, 5, 6);
  ExpectVertex(p.GetVertex(2), 7, 8, 9);
  ExpectVertex(p.GetVertex(3), 10, 11, 12);
}

TEST(LinePrimitive, HiddenGhostTriangleIsOneLineWithBothPrefixes) {
  CQvTrianglePart t;
  t.Parse("3 4 1 0 0 0 1 0 0 0 1");
  t.ghost = true;
  t.hidden = true;
  CArrayTextHandler out;
  EXPECT_EQ(t.Write(out), 1);
  ASSERT_EQ(out.GetLines().size(), 1u);
  EXPECT_EQ(out.GetLines()[0], "0 GHOST 0 TOLVO HIDE 3 4 1 0 0 0 1 0 0 0 1\n");

  CQvLinePart hiddenOnly;
  hiddenOnly.Parse("2 4 0 0 0 1 1 1");
  hiddenOnly.hidden = true;
  EXPECT_EQ(WrittenText(hiddenOnly), "0 TOLVO HIDE 2 4 0 0 0 1 1 1\n");
}

TEST(LinePrimitive, GroupMemberWritesItsGroupLineFirst) {
  CSelectionGroup group("Hose 1");
  CQvLinePart line;
  line.Parse("2 24 0 0 0 1 0 0");
  line.SetGroup(&group);
  EXPECT_EQ(WrittenText(line), "0 TOLVO BTG Hose 1\n2 24 0 0 0 1 0 0\n");
}

TEST(LinePrimitive, WriteStopsAtTheFirstFailedWrite) {
  CQvQuadPart q;
  q.Parse("4 1 0 0 0 1 0 0 1 1 0 0 1 0");
  q.ghost = true;
  // Two writes: the ghost prefix, then the line.
  for (int failFrom = 1; failFrom <= 2; ++failFrom) {
    CFailingTextHandler out(failFrom);
    EXPECT_EQ(q.Write(out), 0) << failFrom;
    EXPECT_EQ(out.writes, failFrom) << "no write after the failed one";
  }
  CFailingTextHandler fine(3);
  EXPECT_EQ(q.Write(fine), 1);
  EXPECT_EQ(fine.written, "0 GHOST 4 1 0 0 0 1 0 0 1 1 0 0 1 0\n");
}

TEST(LinePrimitive, MoveModes) {
  // Mode 2 sets every slot, also those a line does not use.
  CQvLinePart line;
  line.Parse("2 4 1 1 1 2 2 2");
  line.Move(5, 6, 7, kMoveSet, 1, 1, 1);
  for (int i = 0; i < 4; ++i) ExpectVertex(line.GetVertex(i), 5, 6, 7);

  // Mode 3 adds the delta to the vertices in use only.
  CQvTrianglePart tri;
  tri.Parse("3 4 0 0 0 10 0 0 0 10 0");
  tri.Move(1, 2, 3, kMoveAdd, 5, 5, 5);
  ExpectVertex(tri.GetVertex(0), 1, 2, 3);
  ExpectVertex(tri.GetVertex(1), 11, 2, 3);
  ExpectVertex(tri.GetVertex(2), 1, 12, 3);
  ExpectVertex(tri.GetVertex(3), 0, 0, 0);

  // Modes 0 and 1 add delta times grid step.
  CQvFivePart cond;
  cond.Parse("5 24 0 0 0 1 0 0 0 1 0 0 0 1");
  cond.Move(1, -1, 2, kMoveGridAlt, 2, 3, 4);
  ExpectVertex(cond.GetVertex(0), 2, -3, 8);
  ExpectVertex(cond.GetVertex(1), 3, -3, 8);
  ExpectVertex(cond.GetVertex(2), 2, -2, 8);
  ExpectVertex(cond.GetVertex(3), 2, -3, 9);

  // Any other mode moves nothing.
  CQvLinePart still;
  still.Parse("2 4 1 2 3 4 5 6");
  still.Move(9, 9, 9, 7, 1, 1, 1);
  ExpectVertex(still.GetVertex(0), 1, 2, 3);
  ExpectVertex(still.GetVertex(1), 4, 5, 6);
}

TEST(LinePrimitive, MoveWithoutGridTakesTheCurrentGridAndCleansNearZero) {
  SettingsSnapshot settings;
  theSettings.GridType = 1;
  theSettings.DefStep.Set(1, 1, 1);
  theSettings.MidStep.Set(20, 8, 24);
  theSettings.OffStep.Set(2, 2, 2);
  CQvLinePart line;
  line.Parse("2 4 -19.999995 0 0 10 0 0");
  line.Move(1, -1, 0, kMoveGrid, 0, 0, 0);
  CQvLinePart fine;
  theSettings.GridType = 2;
  fine.Move(1, -1, 3, kMoveGridAlt, 0, 0, 0);
  ExpectVertex(fine.GetVertex(0), 2, -2, 6);
  // -19.999995 + 20 = 0.000005 lies within 0.00001 of 0 and becomes exactly 0.
  EXPECT_EQ(line.GetVertex(0).x, 0.0);
  ExpectVertex(line.GetVertex(0), 0, -8, 0);
  ExpectVertex(line.GetVertex(1), 30, -8, 0);
}

TEST(LinePrimitive, MoveVertexAddsToOneSlotWithoutCleaning) {
  CQvLinePart line;
  line.MoveVertex(3, 1, 2, 0.000001);  // slot 4 of a line: allowed
  ExpectVertex(line.GetVertex(3), 1, 2, 0.000001);
  line.MoveVertex(4, 1, 1, 1);
  line.MoveVertex(-1, 1, 1, 1);
  for (int i = 0; i < 3; ++i) ExpectVertex(line.GetVertex(i), 0, 0, 0);
}

// 90 degrees about y, written out: x goes to -z, z goes to x.
const CMatrix3 kQuarterY(0, 0, 1, 0, 1, 0, -1, 0, 0);

TEST(LinePrimitive, RotatingAConditionalLineTurnsItsControlPoints) {
  CQvFivePart cond;
  cond.Parse("5 24 20 0 0 10 0 0 10 5 10 30 0 0");
  cond.Rotate(kQuarterY, CVector3(10, 0, 0), kRotateAboutCenter);
  // v -> c + M (v - c)
  ExpectVertex(cond.GetVertex(0), 10, 0, -10);
  ExpectVertex(cond.GetVertex(1), 10, 0, 0);
  ExpectVertex(cond.GetVertex(2), 20, 5, 0);
  ExpectVertex(cond.GetVertex(3), 10, 0, -20);

  CQvFivePart origin;
  origin.Parse("5 24 20 0 0 10 0 0 10 5 10 30 0 0");
  origin.Rotate(kQuarterY, CVector3(10, 0, 0), kRotateSetOrientation);
  ExpectVertex(origin.GetVertex(0), 0, 0, -20);
  ExpectVertex(origin.GetVertex(2), 10, 5, -10);
  ExpectVertex(origin.GetVertex(3), 0, 0, -30);
}

TEST(LinePrimitive, RotateCleansTinyCoordinatesAndIgnoresOtherModes) {
  CQvLinePart line;
  line.Parse("2 4 0 5 0 0 -5 0");
  const CMatrix3 skew(1, 1e-7, 0, 0, 1, 0, 0, 0, 1);
  line.Rotate(skew, CVector3(), kRotateSetOrientation);
  EXPECT_EQ(line.GetVertex(0).x, 0.0);  // 5e-7 is cleaned
  EXPECT_EQ(line.GetVertex(1).x, 0.0);
  line.Rotate(kQuarterY, CVector3(), 2);
  ExpectVertex(line.GetVertex(0), 0, 5, 0);
}

TEST(LinePrimitive, ApplyTransformMapsEveryVertexInUse) {
  CQvQuadPart quad;
  quad.Parse("4 1 1 0 0 0 0 1 2 0 0 0 3 0");
  const CVector3 t(10, -24, 0);
  quad.ApplyTransform(kQuarterY, t);
  ExpectVertex(quad.GetVertex(0), 10, -24, -1);
  ExpectVertex(quad.GetVertex(1), 11, -24, 0);
  ExpectVertex(quad.GetVertex(2), 10, -24, -2);
  ExpectVertex(quad.GetVertex(3), 10, -21, 0);

  CQvLinePart line;
  line.Move(1, 1, 1, kMoveSet, 1, 1, 1);  // slots 3 and 4 hold (1, 1, 1) too
  line.TransformVertices(CMatrix3(2, 0, 0, 0, 2, 0, 0, 0, 2), CVector3(0, 0, 1));
  ExpectVertex(line.GetVertex(0), 2, 2, 3);
  ExpectVertex(line.GetVertex(1), 2, 2, 3);
  ExpectVertex(line.GetVertex(2), 1, 1, 1);  // not in use by a line
}

TEST(LinePrimitive, BoundingBoxCountsControlPointsOnlyWithFlagZero) {
  CQvFivePart cond;
  cond.Parse("5 24 0 0 0 10 0 0 5 -30 0 5 0 40");
  const CVector3 t(1, 1, 1);
  const CMatrix3 id = CMatrix3::Identity();

  CVector3 lo(1e30, 1e30, 1e30), hi(-1e30, -1e30, -1e30);
  cond.ExtendBoundingBox(t, id, lo, hi, 1);
  ExpectVertex(lo, 1, 1, 1);
  ExpectVertex(hi, 11, 1, 1);

  lo.Set(1e30, 1e30, 1e30);
  hi.Set(-1e30, -1e30, -1e30);
  cond.ExtendBoundingBox(t, id, lo, hi, 0);
  ExpectVertex(lo, 1, -29, 1);
  ExpectVertex(hi, 11, 1, 41);

  cond.hidden = true;
  CVector3 lo2(5, 5, 5), hi2(6, 6, 6);
  cond.ExtendBoundingBox(t, id, lo2, hi2, 0);
  ExpectVertex(lo2, 5, 5, 5);
  ExpectVertex(hi2, 6, 6, 6);
}

TEST(LinePrimitive, BoundingBoxOfATriangleUnderAPlacement) {
  CQvTrianglePart tri;
  tri.Parse("3 4 1 0 0 0 2 0 0 0 3");
  CVector3 lo(1e30, 1e30, 1e30), hi(-1e30, -1e30, -1e30);
  tri.ExtendBoundingBox(CVector3(0, 10, 0), kQuarterY, lo, hi, 1);
  // M maps the corners to (0,0,-1), (0,2,0), (3,0,0); then +10 on y.
  ExpectVertex(lo, 0, 10, -1);
  ExpectVertex(hi, 3, 12, 0);
}

TEST(LinePrimitive, ScreenExtentTruncatesAndUsesTheOutlineOnly) {
  const CMatrix3 view = CMatrix3::Identity();
  CQvTrianglePart tri;
  tri.Parse("3 4 1.7 -2.9 0 10.2 3.5 0 -4.6 8 0");
  ScreenPoint pt;
  ScreenRect r;
  tri.GetScreenExtent(pt, r, view);
  EXPECT_EQ(r.left, -4);
  EXPECT_EQ(r.top, -2);
  EXPECT_EQ(r.right, 10);
  EXPECT_EQ(r.bottom, 8);
  EXPECT_EQ(pt.x, 3);
  EXPECT_EQ(pt.y, 3);

  // The control points of a conditional line do not count.
  CQvFivePart cond;
  cond.Parse("5 24 0 0 0 10 20 0 500 500 0 -500 -500 0");
  cond.GetScreenExtent(pt, r, view);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(r.right, 10);
  EXPECT_EQ(r.bottom, 20);
  EXPECT_EQ(pt.x, 5);
  EXPECT_EQ(pt.y, 10);
}

TEST(LinePrimitive, ScreenExtentOfHugeCoordinatesStaysDefined) {
  CQvLinePart line;
  line.Parse("2 4 -1e300 0 0 1e300 1e20 0");
  ScreenPoint pt;
  ScreenRect r;
  line.GetScreenExtent(pt, r, CMatrix3::Identity());
  EXPECT_LT(r.left, -100000000);
  EXPECT_GT(r.right, 100000000);
  EXPECT_GT(r.bottom, 100000000);
  EXPECT_EQ(pt.x, 0);
}

TEST(LinePrimitive, ScreenExtentIgnoresTheViewTranslation) {
  // Only the first two rows of the 3x3 view are used; a view that swaps x and y swaps the box.
  const CMatrix3 swap(0, 1, 0, 1, 0, 0, 0, 0, 1);
  CQvLinePart line;
  line.Parse("2 4 1 5 9 3 7 -9");
  ScreenPoint pt;
  ScreenRect r;
  line.GetScreenExtent(pt, r, swap);
  EXPECT_EQ(r.left, 5);
  EXPECT_EQ(r.right, 7);
  EXPECT_EQ(r.top, 1);
  EXPECT_EQ(r.bottom, 3);
}

TEST(LinePrimitive, VertexHandleIsAFiveByFiveSquare) {
  CQvQuadPart quad;
  quad.Parse("4 1 0 0 0 1 0 0 1 1 0 30.9 -40.2 7");
  ScreenPoint pt;
  ScreenRect r;
  quad.GetVertexScreenRect(3, pt, r, CMatrix3::Identity());
  EXPECT_EQ(pt.x, 30);
  EXPECT_EQ(pt.y, -40);
  EXPECT_EQ(r.left, 28);
  EXPECT_EQ(r.top, -42);
  EXPECT_EQ(r.right, 32);
  EXPECT_EQ(r.bottom, -38);
  quad.GetVertexScreenRect(4, pt, r, CMatrix3::Identity());
  EXPECT_EQ(pt.x, 0);
  EXPECT_EQ(r.left, -2);
  EXPECT_EQ(r.bottom, 2);
}

TEST(LinePrimitive, CenterIsTheMiddleOfTheOutlineBox) {
  CQvTrianglePart tri;
  tri.Parse("3 4 0 0 0 10 -4 0 2 6 8");
  const CVector3 c = tri.GetCenter();
  ExpectVertex(c, 5, 1, 4);

  CQvFivePart cond;
  cond.Parse("5 24 0 0 0 10 0 0 100 100 100 -100 -100 -100");
  ExpectVertex(cond.GetCenter(), 5, 0, 0);
}

const ColorEntry* NamedTable() {
  static ColorEntry table[kColorCount] = {};
  std::strcpy(table[4].name, "Red");
  std::strcpy(table[511].name, "Last Dither");
  return table;
}

TEST(LinePrimitive, DescribeTable) {
  ActiveColorsSource old = SetActiveColorsSource(&NamedTable);
  struct Case {
    const char* line;
    bool hidden, ghost;
    const char* color;
    const char* position;
    const char* text;
    uint32_t flags;
  };
  const Case cases[] = {
      {"2 4 0 0 0 10 0 0", false, false, "Red", "(0,0,0) (10,0,0)", "Line", 4},
      {"3 511 1 2 3 4 5 6 7.5 8 9", false, false, "Last Dither", "(1,2,3) (4,5,6) (7.5,8,9)", "Triangle", 5},
      {"4 512 1 2 3 4 5 6 7 8 9 10 11 12", false, false, "Custom Color", "(1,2,3) (4,5,6) (7,8,9) (10,11,12)",
       "Quadrilateral", 6},
      {"5 -1 1 2 3 4 5 6 7 8 9 10 11 12", false, true, "Custom Color", "(1,2,3) (4,5,6) (7,8,9) (10,11,12)",
       "Optional-Line", 0x4007},
      {"2 4 0 0 0 10 0 0", true, true, "Red", "(0,0,0) (10,0,0)", "Hidden", 0x5004},
  };
  for (const Case& c : cases) {
    auto p = MakePrimitive(c.line[0] - '0');
    p->Parse(c.line);
    p->hidden = c.hidden;
    p->ghost = c.ghost;
    ElementDescription d;
    d.matrix = "untouched";
    d.partKey = 77;
    EXPECT_EQ(p->Describe(d), 1);
    EXPECT_EQ(d.colorName, c.color) << c.line;
    EXPECT_EQ(d.position, c.position) << c.line;
    EXPECT_EQ(d.text, c.text) << c.line;
    EXPECT_EQ(d.typeFlags, c.flags) << c.line;
    EXPECT_EQ(d.matrix, "untouched");
    EXPECT_EQ(d.partKey, 77);
  }
  SetActiveColorsSource(old);
}

TEST(LinePrimitive, CloneCopiesColourFlagsAndVertices) {
  CQvLinePart line;
  line.Parse("2 4 1 2 3 4 5 6");
  line.MoveVertex(2, 7, 7, 7);  // slot 3, which a line does not use
  line.ghost = true;
  line.selected = true;
  auto c = line.Clone();
  auto* copy = dynamic_cast<CQvLinePart*>(c.get());
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->GetType(), ElementType::Line);
  EXPECT_EQ(copy->GetColor(), 4);
  EXPECT_TRUE(copy->ghost);
  EXPECT_FALSE(copy->selected);
  ExpectVertex(copy->GetVertex(1), 4, 5, 6);
  ExpectVertex(copy->GetVertex(2), 0, 0, 0);  // a line copies two vertices

  for (int t = 3; t <= 5; ++t) {
    auto p = MakePrimitive(t);
    p->Parse(t == 3 ? "3 1 1 2 3 4 5 6 7 8 9" : "4 1 1 2 3 4 5 6 7 8 9 10 11 12");
    auto copyOf = p->Clone();
    auto* q = dynamic_cast<CQvLinePart*>(copyOf.get());
    ASSERT_NE(q, nullptr);
    EXPECT_EQ(q->GetType(), p->GetType());
    EXPECT_EQ(WrittenText(*q), WrittenText(*p));
  }
}

TEST(LinePrimitive, SetVerticesFromSinglePrecision) {
  CQvQuadPart quad;
  quad.SetVertices({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 0.1f});
  // Single precision, kept as the float's shortest text: 0.1f becomes 0.1, which is written as "0.1".
  EXPECT_EQ(quad.GetVertex(3).z, 0.1);
  EXPECT_EQ(static_cast<float>(quad.GetVertex(3).z), 0.1f);
  ExpectVertex(quad.GetVertex(3), 10, 11, 0.1);
  CQvLinePart line;
  line.SetVertices({1, 2, 3, 4, 5, 6});
  ExpectVertex(line.GetVertex(1), 4, 5, 6);
  CQvTrianglePart tri;
  tri.SetVertices({1, 2, 3, 4, 5, 6, 7, 8, 9});
  ExpectVertex(tri.GetVertex(2), 7, 8, 9);
}

}  // namespace
