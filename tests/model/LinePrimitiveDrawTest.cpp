#include <gtest/gtest.h>

#include <cstring>

#include "ElementTestUtil.h"
#include "RecordingRenderer.h"
#include "model/QvFivePart.h"
#include "render/Matrix4DStack.h"

namespace {

void ExpectPoint(const CVector3& v, double x, double y, double z, const char* what = "") {
  EXPECT_DOUBLE_EQ(v.x, x) << what;
  EXPECT_DOUBLE_EQ(v.y, y) << what;
  EXPECT_DOUBLE_EQ(v.z, z) << what;
}

// A table whose entry 4 has edge colour 12 and entry 1 edge colour 8.
const ColorEntry* EdgeTable() {
  static ColorEntry table[kColorCount] = {};
  for (ColorEntry& e : table) e.edgeColor = 0;
  table[4].edgeColor = 12;
  table[1].edgeColor = 8;
  return table;
}

struct DrawCase {
  const char* line;
  ColorNumber parent;
  const char* kind;
  uint32_t color;
  size_t points;
};

TEST(LinePrimitiveDraw, EachKindCallsItsRendererOperationInTheResolvedColour) {
  const DrawCase cases[] = {
      {"2 24 1 2 3 4 5 6", 4, "line", 12, 2},  // edge colour of the parent
      {"2 16 1 2 3 4 5 6", 4, "line", 4, 2},   // main colour of the parent
      {"3 2 1 2 3 4 5 6 7 8 9", 4, "triangle", 2, 3},
      {"4 16 1 2 3 4 5 6 7 8 9 10 11 12", 1, "quad", 1, 4},
      {"5 24 1 2 3 4 5 6 7 8 9 10 11 12", 1, "optional", 8, 4},
      {"4 -1 1 2 3 4 5 6 7 8 9 10 11 12", 7, "quad", 7, 4},  // no colour acts as 16
  };
  for (const DrawCase& c : cases) {
    std::unique_ptr<CQvLinePart> p = ParsedPrimitive(c.line);
    CRecordingRenderer r;
    // Everything is drawn under the top matrix: here a shift by (100, 200, 300).
    r.GetMatrixStack().PushMultiply(CMatrix4D::FromPlacement(CMatrix3::Identity(), CVector3(100, 200, 300)));
    DrawContext ctx;
    ctx.parentColor = c.parent;
    ctx.colorEntries = EdgeTable();
    p->Draw(r, 42, ctx);
    ASSERT_EQ(r.calls.size(), 1u) << c.line;
    EXPECT_EQ(r.calls[0].kind, c.kind) << c.line;
    EXPECT_EQ(r.calls[0].color, c.color) << c.line;
    EXPECT_EQ(r.calls[0].pickId, 42u);
    ASSERT_EQ(r.calls[0].points.size(), c.points);
    for (size_t i = 0; i < c.points; ++i)
      ExpectPoint(r.calls[0].points[i], 100 + 3 * i + 1, 200 + 3 * i + 2, 300 + 3 * i + 3, c.line);
  }
}

TEST(LinePrimitiveDraw, HiddenDrawsNothing) {
  CQvTrianglePart t;
  t.Parse("3 4 0 0 0 1 0 0 0 1 0");
  t.hidden = true;
  CRecordingRenderer r;
  t.Draw(r, 1, DrawContext{});
  EXPECT_TRUE(r.calls.empty());
}

TEST(LinePrimitiveDraw, SelectedConditionalLineShowsItsControlPointsInColourFive) {
  CQvFivePart c;
  c.Parse("5 2 1 2 3 4 5 6 7 8 9 10 11 12");
  c.selected = true;
  CRecordingRenderer r;
  c.Draw(r, 9, DrawContext{});
  ASSERT_EQ(r.calls.size(), 2u);
  EXPECT_EQ(r.calls[0].kind, "line");
  EXPECT_EQ(r.calls[0].color, 2u);
  ExpectPoint(r.calls[0].points[1], 4, 5, 6);
  EXPECT_EQ(r.calls[1].kind, "line");
  EXPECT_EQ(r.calls[1].color, 5u);
  ExpectPoint(r.calls[1].points[0], 7, 8, 9);
  ExpectPoint(r.calls[1].points[1], 10, 11, 12);
  EXPECT_EQ(r.calls[1].pickId, 9u);
}

TEST(LinePrimitivePick, TrianglesAndQuadsAreHitLinesNever) {
  CMatrix4DStack stack;
  stack.PushMultiply(CMatrix4D::FromPlacement(CMatrix3::Identity(), CVector3(0, 0, 50)));
  CQvTrianglePart tri;
  tri.Parse("3 4 0 0 0 10 0 0 0 10 0");
  double depth = 0;
  EXPECT_EQ(tri.Pick(stack, CVector3(2, 2, 0), depth, 0), 1);
  EXPECT_DOUBLE_EQ(depth, 50);
  EXPECT_EQ(tri.Pick(stack, CVector3(8, 8, 0), depth, 0), 0);

  CQvQuadPart quad;
  quad.Parse("4 4 0 0 0 10 0 0 10 10 0 0 10 0");
  EXPECT_EQ(quad.Pick(stack, CVector3(8, 8, 0), depth, 1), 1);
  EXPECT_EQ(quad.Pick(stack, CVector3(12, 8, 0), depth, 1), 0);

  CQvLinePart line;
  line.Parse("2 4 0 0 0 10 10 0");
  EXPECT_EQ(line.Pick(stack, CVector3(5, 5, 0), depth, 1), 0);
  CQvFivePart cond;
  cond.Parse("5 4 0 0 0 10 10 0 0 10 0 10 0 0");
  EXPECT_EQ(cond.Pick(stack, CVector3(5, 5, 0), depth, 1), 0);
}

TEST(LinePrimitivePick, RectangleTestTouchingCountsAndConditionalLineUsesEndPoints) {
  CMatrix4DStack stack;
  stack.PushMultiply(CMatrix4D::FromPlacement(CMatrix3::Identity(), CVector3(5, 0, 0)));
  CQvLinePart line;
  line.Parse("2 4 0 0 0 10.9 20 0");  // on screen: x 5 to 15 (15.9 truncated), y 0 to 20
  EXPECT_EQ(line.IntersectsRect(stack, {15, 20, 30, 30}), 1);  // touches the corner
  EXPECT_EQ(line.IntersectsRect(stack, {16, 0, 30, 30}), 0);
  EXPECT_EQ(line.IntersectsRect(stack, {0, 21, 30, 30}), 0);
  EXPECT_EQ(line.IntersectsRect(stack, {-10, -10, 4, 30}), 0);
  EXPECT_EQ(line.IntersectsRect(stack, {-10, -10, 5, -1}), 0);
  EXPECT_EQ(line.IntersectsRect(stack, {-10, -10, 5, 0}), 1);

  CQvFivePart cond;
  cond.Parse("5 24 0 0 0 10 0 0 100 100 0 -100 -100 0");
  EXPECT_EQ(cond.IntersectsRect(stack, {50, 50, 60, 60}), 0);
  CQvQuadPart quad;
  quad.Parse("4 24 0 0 0 10 0 0 100 100 0 -100 -100 0");
  EXPECT_EQ(quad.IntersectsRect(stack, {50, 50, 60, 60}), 1);

  CQvLinePart far;
  far.Parse("2 4 -1e300 -1e300 0 1e300 1e300 0");
  EXPECT_EQ(far.IntersectsRect(stack, {0, 0, 1, 1}), 1);
}

TEST(LinePrimitiveExport, WritesThePlacedLineInTheResolvedColour) {
  CQvQuadPart quad;
  quad.Parse("4 16 1 0 0 0 1 0 0 0 1 1 1 1");
  CArrayTextHandler out;
  ExportContext ctx;
  ctx.output = &out;
  ctx.colorEntries = EdgeTable();
  const CMatrix3 m(0, 0, 1, 0, 1, 0, -1, 0, 0);
  EXPECT_EQ(quad.Export(ctx, CVector3(10, 20, 30), m, 4), 1);
  ASSERT_EQ(out.GetLines().size(), 1u);
  EXPECT_EQ(out.GetLines()[0], "4 4 10 20 29 10 21 30 11 20 30 11 21 29\n");

  // Keeping colours resolves against the own number instead of the parent's: 16 stays 16.
  ctx.keepColors = 1;
  CQvLinePart main;
  main.Parse("2 16 0 0 0 1 0 0");
  EXPECT_EQ(main.Export(ctx, CVector3(), CMatrix3::Identity(), 4), 1);
  EXPECT_EQ(out.GetLines()[1], "2 16 0 0 0 1 0 0\n");
  ctx.keepColors = 0;
  CQvLinePart edge;
  edge.Parse("2 24 0 0 0 1 0 0");
  EXPECT_EQ(edge.Export(ctx, CVector3(), CMatrix3::Identity(), 4), 1);
  EXPECT_EQ(out.GetLines()[2], "2 12 0 0 0 1 0 0\n");
}

TEST(LinePrimitiveExport, AFailedWriteIsReported) {
  CQvLinePart line;
  line.Parse("2 4 0 0 0 1 0 0");
  CFailingTextHandler out(1);
  ExportContext ctx;
  ctx.output = &out;
  EXPECT_EQ(line.Export(ctx, CVector3(), CMatrix3::Identity(), 16), 0);
}

}  // namespace
