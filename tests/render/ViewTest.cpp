// Colour pairs, view set-up, perspective, the matrix stack and the frame's life cycle.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "RenderTestSupport.h"

using namespace render_test;

namespace {

constexpr RgbaColor kClear{0, 0, 0, 0};

TEST(ColorPairs, TableEntriesByAlpha) {
  TestColors colors;
  colors.table[20] = Entry(10, 20, 30, 85);
  colors.table[21] = Entry(10, 20, 30, 86);
  colors.table[22] = Entry(10, 20, 30, 170);
  colors.table[23] = Entry(10, 20, 30, 171);
  colors.table[511] = Entry(1, 2, 3, 255);
  colors.table[16] = Entry(5, 6, 7, 255);
  colors.table[24] = Entry(8, 9, 10, 100);
  C3DStub r;
  r.SetColorTable(colors.table.data());
  const RgbaColor solid{10, 20, 30, 255};
  const RgbaColor gone{10, 20, 30, 0};
  struct Case {
    uint32_t color;
    ColorPair pair;
  } cases[] = {
      {20, {gone, kClear}},
      {21, {solid, kClear}},
      {22, {solid, kClear}},
      {23, {solid, solid}},
      {511, {{1, 2, 3, 255}, {1, 2, 3, 255}}},
      // 16 and 24 are looked up like any other number.
      {16, {{5, 6, 7, 255}, {5, 6, 7, 255}}},
      {24, {{8, 9, 10, 255}, kClear}},
  };
  for (const Case& c : cases) EXPECT_EQ(r.GetColorPair(c.color), c.pair) << c.color;
}

TEST(ColorPairs, NumberedForms) {
  C3DStub r;
  struct Case {
    uint32_t color;
    ColorPair pair;
  } cases[] = {
      {0x2123456, {{0x12, 0x34, 0x56, 255}, {0x12, 0x34, 0x56, 255}}},
      {0x2FFFFFF, {{255, 255, 255, 255}, {255, 255, 255, 255}}},
      {0x3123456, {{0x12, 0x34, 0x56, 255}, {0x12, 0x34, 0x56, 0}}},
      // Two 12-bit colours: first from bits 0-11, second from bits 12-23, nibbles x 17.
      {0x4F00F00, {{255, 0, 0, 255}, {255, 0, 0, 255}}},
      {0x5F00F00, {{255, 0, 0, 0}, {255, 0, 0, 255}}},
      {0x6F00F00, {{255, 0, 0, 255}, {255, 0, 0, 0}}},
      {0x7ABC123, {{0x11, 0x22, 0x33, 0}, {0xAA, 0xBB, 0xCC, 0}}},
      {0x4000000, {{0, 0, 0, 255}, {0, 0, 0, 255}}},
      {512, {{127, 127, 127, 255}, {127, 127, 127, 255}}},
      {0x1FFFFFF, {{127, 127, 127, 255}, {127, 127, 127, 255}}},
      {0x8000000, {{127, 127, 127, 255}, {127, 127, 127, 255}}},
      {0xFFFFFFFF, {{127, 127, 127, 255}, {127, 127, 127, 255}}},
  };
  for (const Case& c : cases) EXPECT_EQ(r.GetColorPair(c.color), c.pair) << std::hex << c.color;
}

TEST(ColorPairs, ResetPutsTheDefaultTableBack) {
  TestColors colors;
  C3DStub r;
  r.SetColorTable(colors.table.data());
  EXPECT_EQ(r.GetColorTable(), colors.table.data());
  ASSERT_EQ(r.Reset(8, 4, 1), 1);
  EXPECT_EQ(r.GetColorTable(), theDefaultColors);
  r.SetColorTable(nullptr);
  EXPECT_EQ(r.GetColorTable(), theDefaultColors);
}

TEST(Background, PaintedByLinearIndexWithAlphaIgnored) {
  TestColors colors;
  C3DStub r;
  r.SetBackgroundColor(0x50F0F00);  // first red (alpha 0: ignored here), second green
  ASSERT_EQ(r.Reset(8, 2, 1), 1);
  // Even indexes take the first colour: (0,0) red, (1,0) green, and row 1 starts at index 8.
  EXPECT_EQ(PixelAt(r, 0, 0), (Bgr{0, 0, 255}));
  EXPECT_EQ(PixelAt(r, 1, 0), (Bgr{0, 255, 0}));
  EXPECT_EQ(PixelAt(r, 0, 1), (Bgr{0, 0, 255}));
  r.SetBackgroundColor(0x2404040);
  ASSERT_EQ(r.BeginFrame(8, 2), 0);
  EXPECT_EQ(PixelAt(r, 5, 1), (Bgr{0x40, 0x40, 0x40}));
}

TEST(Frame, ConstructedDefaults) {
  C3DStub r;
  EXPECT_EQ(r.GetScaleX(), 1.0);
  EXPECT_EQ(r.GetDepthScale(), 4.0);
  EXPECT_EQ(r.GetBackgroundColor(), 15u);
  EXPECT_TRUE(r.GetShading());
  EXPECT_FALSE(r.GetSurfacesOff());
  EXPECT_FALSE(r.IsPickBufferOn());
  EXPECT_EQ(r.GetLineWidth(), 1);
  EXPECT_FALSE(r.IsInitialised());
  EXPECT_EQ(r.GetMatrixStack().GetTopIndex(), 0u);
}

TEST(Frame, ResetClearsDepthAndPickAndRefusesEmptySizes) {
  TestColors colors;
  C3DStub r;
  Prepare(r, colors, 8, 4);
  EXPECT_TRUE(r.IsImageDirty());
  EXPECT_EQ(r.GetDepth(7, 3), C3DStub::kEmptyDepth);
  EXPECT_EQ(r.GetPickId(7, 3), kNoPickId);
  r.DrawLine(kRed, P(0, 0), P(7, 0), 4);
  EXPECT_EQ(r.GetPickId(7, 0), 4u);
  ASSERT_EQ(r.BeginFrame(8, 4), 0);  // "0 CLEAR": same size, buffers cleared
  EXPECT_EQ(r.GetPickId(7, 0), kNoPickId);
  EXPECT_EQ(r.Reset(0, 4, 1), 0);
  EXPECT_FALSE(r.IsInitialised());
  EXPECT_EQ(r.Reset(8, 0, 1), 0);
  EXPECT_EQ(r.GetPickId(0, 0), kNoPickId);
}

TEST(Frame, GetPickIdOutsideTheFrameOrWithoutBuffer) {
  TestColors colors;
  C3DStub r;
  Prepare(r, colors, 8, 4);
  r.DrawTriangle(kRed, P(-9, -9), P(20, -9), P(-9, 20), 6);
  EXPECT_EQ(r.GetPickId(0, 0), 6u);
  EXPECT_EQ(r.GetPickId(-1, 0), kNoPickId);
  EXPECT_EQ(r.GetPickId(8, 0), kNoPickId);
  EXPECT_EQ(r.GetPickId(0, 4), kNoPickId);
  EXPECT_EQ(r.GetPickId(0, -1), kNoPickId);
  C3DStub n;
  Prepare(n, colors, 8, 4, false);
  n.DrawTriangle(kRed, P(-9, -9), P(20, -9), P(-9, 20), 6);
  EXPECT_EQ(n.GetPickId(0, 0), kNoPickId);
}

TEST(Frame, PickBufferSwitchedOnTakesEffectAtTheNextFrame) {
  TestColors colors;
  C3DStub r;
  Prepare(r, colors, 8, 4, false);
  r.EnablePickBuffer(1);
  EXPECT_FALSE(r.HasPickBuffer());
  r.DrawLine(kRed, P(0, 0), P(7, 0), 4);  // no buffer yet: nothing stored, nothing breaks
  ASSERT_EQ(r.BeginFrame(8, 4), 0);
  EXPECT_TRUE(r.HasPickBuffer());
  r.DrawLine(kRed, P(0, 0), P(7, 0), 4);
  EXPECT_EQ(r.GetPickId(3, 0), 4u);
  r.EnablePickBuffer(0);
  EXPECT_FALSE(r.HasPickBuffer());
  EXPECT_EQ(r.GetPickId(3, 0), kNoPickId);
}

TEST(Frame, LineWidthIsClamped) {
  C3DStub r;
  r.SetLineWidth(0);
  EXPECT_EQ(r.GetLineWidth(), 1);
  r.SetLineWidth(7);
  EXPECT_EQ(r.GetLineWidth(), 3);
}

TEST(Mapping, HalfPixelOffsetAndTruncationTowardZero) {
  C3DStub r;
  r.SetView(10, 20, 2);  // depth scale 4 / 2 = 2
  struct Case {
    CVector3 p;
    ScreenVertex surface, line;
  } cases[] = {
      {{0, 0, 0}, {10, 20, 0}, {10, 20, -2}},
      {{0.49, -0.5, 1}, {10, 20, 2}, {10, 20, 0}},
      {{-10.7, -20.2, -1}, {0, 0, -1}, {0, 0, -4}},      // -0.2 and 0.3 truncate to 0
      {{-11.6, -21.6, 0.3}, {-1, -1, 1}, {-1, -1, -1}},  // -1.1 -> -1; 0.6 + 0.5 -> 1
  };
  for (const Case& c : cases) {
    ScreenVertex s, l;
    ASSERT_TRUE(r.MapPoint(c.p, false, s));
    ASSERT_TRUE(r.MapPoint(c.p, true, l));
    EXPECT_EQ(s.x, c.surface.x);
    EXPECT_EQ(s.y, c.surface.y);
    EXPECT_EQ(s.z, c.surface.z) << c.p.z;
    EXPECT_EQ(l.z, c.line.z) << c.p.z;
  }
}

TEST(Mapping, OutOfRangeValuesClampAndNotANumberIsRefused) {
  C3DStub r;
  ScreenVertex s;
  ASSERT_TRUE(r.MapPoint({1e300, -1e300, 1e300}, false, s));
  EXPECT_EQ(s.x, C3DStub::kMaxCoordinate);
  EXPECT_EQ(s.y, -C3DStub::kMaxCoordinate);
  EXPECT_EQ(s.z, C3DStub::kMaxDepthUnits);
  ASSERT_TRUE(r.MapPoint({std::numeric_limits<double>::infinity(), 0, 0}, true, s));
  EXPECT_EQ(s.x, C3DStub::kMaxCoordinate);
  EXPECT_FALSE(r.MapPoint({std::nan(""), 0, 0}, false, s));
  EXPECT_FALSE(r.MapPoint({0, 0, std::nan("")}, true, s));
  // The nearest and farthest depths still fit the depth buffer below the empty value.
  EXPECT_LT(static_cast<int64_t>(C3DStub::kMaxDepthUnits) * 256 + 2, C3DStub::kEmptyDepth);
}

TEST(Views, SetViewDepthScale) {
  C3DStub r;
  r.SetView(3, 4, 0.5);
  EXPECT_EQ(r.GetDepthScale(), 4.0);
  EXPECT_EQ(r.GetOffsetX(), 3.0);
  EXPECT_EQ(r.GetOffsetY(), 4.0);
  r.SetView(0, 0, 8);
  EXPECT_EQ(r.GetDepthScale(), 0.5);
  EXPECT_EQ(r.GetScaleX(), 8.0);
  EXPECT_EQ(r.GetScaleY(), 8.0);
  r.SetView(0, 0, 1);
  EXPECT_EQ(r.GetDepthScale(), 4.0);
}

TEST(Views, CenterViewUsesIntegerHalves) {
  C3DStub r;
  r.CenterView(401, 301, 2, 3, -4);
  EXPECT_EQ(r.GetOffsetX(), 203.0);
  EXPECT_EQ(r.GetOffsetY(), 146.0);
  EXPECT_EQ(r.GetScaleX(), 2.0);
  EXPECT_EQ(r.GetDepthScale(), 2.0);
}

// 100 x 50 into 400 x 400: width limits, s = 4 x 0.95 = 3.8; the extent becomes 380 x 190 and is
// centred: offset x = (400 - 380) / 2 + 50 x 3.8 = 200, offset y = (400 - 190) / 2 + 25 x 3.8 = 200.
TEST(Views, FitViewCentresTheExtent) {
  C3DStub r;
  r.FitView(400, 400, -50, -25, -10, 50, 25, 20);
  EXPECT_DOUBLE_EQ(r.GetScaleX(), 3.8);
  EXPECT_DOUBLE_EQ(r.GetScaleY(), 3.8);
  EXPECT_DOUBLE_EQ(r.GetOffsetX(), 200.0);
  EXPECT_DOUBLE_EQ(r.GetOffsetY(), 200.0);
  EXPECT_DOUBLE_EQ(r.GetDepthScale(), 1000000.0 / 20 / 3.8 * 4);
  // Height limits: 100 x 100 into 400 x 200 gives 2 x 0.95.
  r.FitView(400, 200, 0, 0, 0, 100, 100, 1);
  EXPECT_DOUBLE_EQ(r.GetScaleX(), 1.9);
  EXPECT_DOUBLE_EQ(r.GetOffsetX(), (400 - 190) * 0.5);
  EXPECT_DOUBLE_EQ(r.GetOffsetY(), (200 - 190) * 0.5);
}

TEST(Views, FitViewOfFlatOrEmptyExtentsGivesAUsableView) {
  struct Case {
    const char* name;
    double minX, minY, minZ, maxX, maxY, maxZ;
    double scale;
  } cases[] = {
      {"flat in x", 5, -10, -1, 5, 10, 1, 400.0 / 20 * 0.95},
      {"flat in y", -20, 3, -1, 20, 3, 1, 400.0 / 40 * 0.95},
      {"flat in z", -20, -10, 0, 20, 10, 0, 400.0 / 40 * 0.95},
      {"a single point", 7, 8, 9, 7, 8, 9, 0.95},
      {"not a number", std::nan(""), 0, 0, 1, 1, 1, 0.95},
      {"infinite", -INFINITY, 0, 0, INFINITY, 1, 1, 0.95},
  };
  for (const Case& c : cases) {
    C3DStub r;
    r.FitView(400, 400, c.minX, c.minY, c.minZ, c.maxX, c.maxY, c.maxZ);
    EXPECT_DOUBLE_EQ(r.GetScaleX(), c.scale) << c.name;
    EXPECT_TRUE(std::isfinite(r.GetOffsetX())) << c.name;
    EXPECT_TRUE(std::isfinite(r.GetOffsetY())) << c.name;
    EXPECT_TRUE(std::isfinite(r.GetDepthScale()) && r.GetDepthScale() > 0) << c.name;
  }
  // A single point lands in the middle of the frame.
  C3DStub r;
  r.FitView(400, 300, 7, 8, 9, 7, 8, 9);
  ScreenVertex s;
  ASSERT_TRUE(r.MapPoint({7 * 0.95, 8 * 0.95, 9}, false, s));
  EXPECT_EQ(s.x, 200);
  EXPECT_EQ(s.y, 150);
  // Flat in z: the depth scale SetView would give.
  r.FitView(400, 400, -20, -10, 0, 20, 10, 0);
  EXPECT_DOUBLE_EQ(r.GetDepthScale(), 4 / 9.5);
}

TEST(Views, PerspectiveShrinksTowardTheCentre) {
  C3DStub r;
  ASSERT_EQ(r.Reset(100, 80, 1), 1);
  r.SetView(0, 0, 1);
  r.SetPerspective(1, 0, 10);  // depth range 20, near depth 0, centre (50, 40)
  CVector3 out;
  r.TransformPoint(out, {90, 10, 0});
  EXPECT_EQ(out, CVector3(90, 10, 0));  // at the near depth: unchanged
  r.TransformPoint(out, {90, 0, 20});   // a depth range further back: half way to the centre
  EXPECT_DOUBLE_EQ(out.x, 70);
  EXPECT_DOUBLE_EQ(out.y, 20);
  EXPECT_DOUBLE_EQ(out.z, 10);
  r.TransformPoint(out, {90, 0, 20}, 1);  // the no-perspective flag
  EXPECT_EQ(out, CVector3(90, 0, 20));
  // Offsets move the centre: offset (10, 20) puts it at (40, 20) in transformed coordinates.
  r.SetView(10, 20, 2);
  r.SetPerspective(1, 0, 5);  // D = 5 x 2 x 2 = 20
  r.TransformPoint(out, {0, 0, 20});
  EXPECT_DOUBLE_EQ(out.x, 20);
  EXPECT_DOUBLE_EQ(out.y, 10);
}

TEST(Views, PerspectiveOfAFlatModelOrBehindTheEyeKeepsPointsFinite) {
  C3DStub r;
  ASSERT_EQ(r.Reset(100, 80, 1), 1);
  r.SetView(0, 0, 1);
  r.SetPerspective(1, 5, 5);  // no depth range
  CVector3 out;
  r.TransformPoint(out, {90, 10, 5});
  EXPECT_EQ(out, CVector3(90, 10, 5));
  r.SetPerspective(1, 0, 10);
  r.TransformPoint(out, {90, 10, -20});  // on the eye
  EXPECT_TRUE(std::isfinite(out.x) && std::isfinite(out.y) && std::isfinite(out.z));
  r.TransformPoint(out, {90, 10, -50});  // behind it
  EXPECT_TRUE(std::isfinite(out.x) && std::isfinite(out.y) && std::isfinite(out.z));
}

TEST(MatrixStack, GrowsByFiftyKeepingItsContents) {
  CMatrix4DStack stack;
  EXPECT_EQ(stack.GetCapacity(), 50u);
  CMatrix4D t = CMatrix4D::Identity();
  for (uint32_t i = 1; i <= 49; ++i) {
    t.m[0][3] = i;
    ASSERT_EQ(stack.Push(t), 1);
  }
  EXPECT_EQ(stack.GetTopIndex(), 49u);
  EXPECT_EQ(stack.GetCapacity(), 50u);
  t.m[0][3] = 50;
  ASSERT_EQ(stack.Push(t), 1);
  EXPECT_EQ(stack.GetCapacity(), 100u);
  EXPECT_EQ(stack.GetTopIndex(), 50u);
  for (uint32_t i = 1; i <= 50; ++i) EXPECT_EQ(stack.At(i).m[0][3], i);
  EXPECT_EQ(stack.At(0).m[0][3], 0.0);
  EXPECT_EQ(stack.At(99).m[0][0], 1.0);  // the new block is identity matrices
}

TEST(MatrixStack, PushMultiplyComposesPlacements) {
  C3DStub r;
  CMatrix4DStack& s = r.GetMatrixStack();
  // View: scale 2 and shift (1, 2, 3); placement: quarter turn about y and shift (10, 0, 0).
  CMatrix4D view = CMatrix4D::FromPlacement(CMatrix3(2, 0, 0, 0, 2, 0, 0, 0, 2), {1, 2, 3});
  ASSERT_EQ(s.Push(view), 1);
  ASSERT_EQ(s.PushMultiply(CMatrix4D::FromPlacement(CMatrix3(0, 0, 1, 0, 1, 0, -1, 0, 0), {10, 0, 0})), 1);
  CVector3 out;
  r.TransformPoint(out, {1, 1, 1});
  // Placement: (0*1 + 0 + 1 + 10, 1, -1 + 0) = (11, 1, -1); view: (23, 4, 1).
  EXPECT_EQ(out, CVector3(23, 4, 1));
  EXPECT_EQ(s.Top().m[3][0], 0.0);
  EXPECT_EQ(s.Top().m[3][3], 1.0);
  EXPECT_EQ(s.Pop(), 1);
  r.TransformPoint(out, {1, 1, 1});
  EXPECT_EQ(out, CVector3(3, 4, 5));
  EXPECT_EQ(s.Pop(), 1);
  EXPECT_EQ(s.Pop(), 0);  // the identity stays
  r.TransformPoint(out, {1, 1, 1});
  EXPECT_EQ(out, CVector3(1, 1, 1));
}

TEST(MatrixStack, RefusesToGrowPastItsLimit) {
  CMatrix4DStack stack;
  const CMatrix4D id = CMatrix4D::Identity();
  uint32_t pushed = 0;
  while (stack.Push(id)) ++pushed;
  EXPECT_EQ(stack.GetTopIndex(), pushed);
  EXPECT_LE(stack.GetCapacity(), CMatrix4DStack::kMaxCapacity);
  EXPECT_EQ(stack.PushMultiply(id), 0);
  EXPECT_EQ(stack.GetTopIndex(), pushed);
}

}  // namespace

namespace {

TEST(Frame, DrawingMarksTheImageChanged) {
  TestColors colors;
  C3DStub r;
  Prepare(r, colors, 8, 4);
  r.ClearImageDirty();
  r.DrawLine(kRed, P(0, 0), P(3, 0), 1);
  EXPECT_TRUE(r.IsImageDirty());
  r.ClearImageDirty();
  r.DrawTriangle(kRed, P(0, 0), P(3, 0), P(0, 3), 1);
  EXPECT_TRUE(r.IsImageDirty());
}

}  // namespace

namespace {

TEST(Frame, WidthIsRoundedDownToAMultipleOfFour) {
  C3DStub r;
  ASSERT_EQ(r.Reset(10, 3, 1), 1);
  EXPECT_EQ(r.GetWidth(), 8u);
  EXPECT_EQ(r.GetImage().GetStride(), 24);
  EXPECT_EQ(r.Reset(3, 3, 1), 0);
}

}  // namespace
