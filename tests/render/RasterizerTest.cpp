// Exact pixels of small primitives. Every expected picture below was worked out by hand from the
// rasterisation rules (vertex order, fixed-point edges, fill and depth rules), not from output.
#include <gtest/gtest.h>

#include <limits>

#include "RenderTestSupport.h"

using namespace render_test;
using Rows = std::vector<std::string>;

namespace {

class Raster : public ::testing::Test {
 protected:
  void SetUp() override { Prepare(r, colors, 12, 10); }
  TestColors colors;
  C3DStub r;
};

// Constant depth: the long edge (1,1)-(1,8) is the left end, the short edge (8,1)-(1,8) moves
// one column left per row; row 8 has both ends at column 1 and is skipped.
TEST_F(Raster, ConstantDepthTriangleSkipsOnePixelRows) {
  r.DrawTriangle(kRed, P(1, 1), P(8, 1), P(1, 8), 5);
  // clang-format off
  const Rows expected = {
      "............",
      ".RRRRRRRR...",
      ".RRRRRRR....",
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
  EXPECT_EQ(r.GetPickId(1, 1), 5u);
  EXPECT_EQ(r.GetDepth(1, 1), 0);
}

// One corner a depth unit nearer (z -0.5 -> trunc(-1.5) = -1): the triangle is no longer of
// constant depth and draws its one-pixel row 8.
TEST_F(Raster, VaryingDepthTriangleDrawsItsApex) {
  r.DrawTriangle(kRed, P(1, 1, -0.5), P(8, 1), P(1, 8), 5);
  // clang-format off
  const Rows expected = {
      "............",
      ".RRRRRRRR...",
      ".RRRRRRR....",
      ".RRRRRR.....",
      ".RRRRR......",
      ".RRRR.......",
      ".RRR........",
      ".RR.........",
      ".R..........",
      "............",
  };
  // clang-format on
  EXPECT_EQ(Picture(r), expected);
  // Depth x 256 at the first corner, then stepped along the long edge: (0 - -256) / 7 = 36 per row.
  EXPECT_EQ(r.GetDepth(1, 1), -256);
  EXPECT_EQ(r.GetDepth(1, 2), -256 + 36);
}

TEST(RasterApex, PointedApexOfConstantDepthIsLeftOut) {
  TestColors colors;
  C3DStub r;
  Prepare(r, colors, 24, 12);
  r.DrawTriangle(kRed, P(10, 0), P(0, 10), P(20, 10), 1);
  EXPECT_EQ(Picture(r)[0], std::string(24, '.'));
  EXPECT_EQ(Picture(r)[1], ".........RRR............");

  C3DStub n;
  Prepare(n, colors, 24, 12);
  n.DrawTriangle(kRed, P(10, 0, -0.5), P(0, 10), P(20, 10), 1);
  EXPECT_EQ(Picture(n)[0], "..........R.............");
}

// The first triangle keeps every pixel it shares with a second one at the same depth.
TEST_F(Raster, DepthTieKeepsTheFirstTriangle) {
  r.DrawTriangle(kRed, P(1, 1), P(8, 1), P(1, 8), 1);
  r.DrawTriangle(kGreen, P(1, 1), P(8, 1), P(8, 8), 2);
  // clang-format off
  const Rows expected = {
      "............",
      ".RRRRRRRR...",
      ".RRRRRRRG...",
      ".RRRRRRGG...",
      ".RRRRRGGG...",
      ".RRRRGGGG...",
      ".RRR..GGG...",
      ".RR....GG...",
      "............",
      "............",
  };
  // clang-format on
  EXPECT_EQ(Picture(r), expected);
  EXPECT_EQ(r.GetPickId(8, 1), 1u);
  EXPECT_EQ(r.GetPickId(8, 2), 2u);
}

// A triangle larger than the frame: every pixel, clipped on all sides.
void DrawCover(C3DStub& r, uint32_t color, double z) {
  r.DrawTriangle(color, P(-20, -20, z), P(40, -20, z), P(-20, 40, z), 3);
}

TEST_F(Raster, LineWinsOverSurfaceAtTheSameZInEitherOrder) {
  // clang-format off
  const Rows expected = {
      "RRRRRRRRRRRR",
      "RRRRRRRRRRRR",
      "RRRRRRRRRRRR",
      "RRRRRRRRRRRR",
      "GGGGGGGGGGGG",
      "RRRRRRRRRRRR",
      "RRRRRRRRRRRR",
      "RRRRRRRRRRRR",
      "RRRRRRRRRRRR",
      "RRRRRRRRRRRR",
  };
  // clang-format on
  DrawCover(r, kRed, 2);
  r.DrawLine(kGreen, P(0, 4, 2), P(11, 4, 2), 9);
  EXPECT_EQ(Picture(r), expected);

  C3DStub s;
  Prepare(s, colors, 12, 10);
  s.DrawLine(kGreen, P(0, 4, 2), P(11, 4, 2), 9);
  DrawCover(s, kRed, 2);
  EXPECT_EQ(Picture(s), expected);
  EXPECT_EQ(s.GetPickId(5, 4), 9u);
  EXPECT_EQ(s.GetDepth(5, 4), (8 - 2) * 256);  // trunc(2 x 4 - 2)
}

TEST_F(Raster, SecondLineAtTheSameDepthDoesNotOverwrite) {
  r.DrawLine(kRed, P(0, 2), P(11, 2), 1);
  r.DrawLine(kGreen, P(0, 2), P(11, 2), 2);
  EXPECT_EQ(Picture(r)[2], "RRRRRRRRRRRR");
  // Half a unit of z nearer is 2 depth units nearer: that is enough.
  r.DrawLine(kGreen, P(0, 2, -0.5), P(11, 2, -0.5), 2);
  EXPECT_EQ(Picture(r)[2], "GGGGGGGGGGGG");
}

TEST(RasterLines, WidthThreeGrowsToTheLeftAndUpwards) {
  TestColors colors;
  C3DStub r;
  Prepare(r, colors, 16, 12);
  r.SetLineWidth(3);
  r.DrawLine(kRed, P(10, 2), P(10, 5), 1);
  r.DrawLine(kGreen, P(2, 10), P(5, 10), 1);
  // clang-format off
  const Rows expected = {
      "................",
      "................",
      "........RRR.....",
      "........RRR.....",
      "........RRR.....",
      "........RRR.....",
      "................",
      "................",
      "..GGGG..........",
      "..GGGG..........",
      "..GGGG..........",
      "................",
  };
  // clang-format on
  EXPECT_EQ(Picture(r), expected);
}

TEST(RasterLines, WidthTwoShiftsAlongTheMinorAxis) {
  TestColors colors;
  C3DStub r;
  Prepare(r, colors, 12, 10);
  r.SetLineWidth(2);
  // Shallow (1,3)-(5,4), y step 256 / 4 = 64: rows 3,3,3,3,4; its copy lies one row up.
  r.DrawLine(kRed, P(1, 3), P(5, 4), 1);
  // Steep (9,2)-(10,7), x step 256 / 5 = 51: 2304 + 51 k stays in column 9; its copy is column 8.
  r.DrawLine(kGreen, P(9, 2), P(10, 7), 1);
  // clang-format off
  const Rows expected = {
      "............",
      "............",
      ".RRRR...GG..",
      ".RRRRR..GG..",
      ".....R..GG..",
      "........GG..",
      "........GG..",
      "........GG..",
      "............",
      "............",
  };
  // clang-format on
  EXPECT_EQ(Picture(r), expected);
}

TEST(RasterLines, ShallowAndSteepWalksTruncateTheMinorPosition) {
  TestColors colors;
  C3DStub r;
  Prepare(r, colors, 12, 10);
  // Shallow (1,1)-(9,4): y step 3 x 256 / 8 = 96, rows (256 + 96 k) >> 8.
  r.DrawLine(kRed, P(1, 1), P(9, 4), 1);
  // Steep (2,1)-(4,8): x step 2 x 256 / 7 = 73, columns (512 + 73 k) >> 8; the last one is 3.
  r.DrawLine(kGreen, P(2, 1), P(4, 8), 1);
  // clang-format off
  const Rows expected = {
      "............",
      ".RRR........",
      "..G.RRR.....",
      "..G....RR...",
      "..G......R..",
      "...G........",
      "...G........",
      "...G........",
      "...G........",
      "............",
  };
  // clang-format on
  EXPECT_EQ(Picture(r), expected);
}

// Lines that cross the frame's left or top edge. Negative coordinates truncate toward zero after
// the half-pixel offset: x = -2 maps to column trunc(-1.5) = -1.
TEST(RasterLines, LinesCrossingColumnZeroAndRowZero) {
  TestColors colors;
  C3DStub r;
  Prepare(r, colors, 12, 10);
  // Steep (-1,0)-(1,9): x step 2 x 256 / 9 = 56 from -256; columns -1 for rows 0-4, 0 for 5-9.
  r.DrawLine(kRed, P(-2, 0), P(1, 9), 1);
  EXPECT_EQ(PickMask(r),
            (Rows{"............", "............", "............", "............", "............",
                  "#...........", "#...........", "#...........", "#...........", "#..........."}));
  C3DStub s;
  Prepare(s, colors, 12, 10);
  // Shallow (0,-1)-(9,1): the same steps along x; row 0 from column 5.
  s.DrawLine(kRed, P(0, -2), P(9, 1), 1);
  EXPECT_EQ(PickMask(s)[0], ".....#####..");
  for (int y = 1; y < 10; ++y) EXPECT_EQ(PickMask(s)[y], "............");
}

// A shallow line that starts left of the frame: (-3,2)-(7,5), y step 768 / 10 = 76, moved on 3
// steps to 740 at column 0; rows (740 + 76 k) >> 8.
TEST(RasterLines, ShallowLineStartingLeftOfTheFrameIsAdvanced) {
  TestColors colors;
  C3DStub r;
  Prepare(r, colors, 12, 10);
  r.DrawLine(kRed, P(-4, 2), P(7, 5), 1);
  // clang-format off
  const Rows expected = {
      "............",
      "............",
      "R...........",
      ".RRR........",
      "....RRRR....",
      "............",
      "............",
      "............",
      "............",
      "............",
  };
  // clang-format on
  EXPECT_EQ(Picture(r), expected);
}

TEST(RasterLines, SinglePointAndClippedEnds) {
  TestColors colors;
  C3DStub r;
  Prepare(r, colors, 12, 10);
  r.DrawLine(kRed, P(3, 3), P(3, 3), 1);    // a single point counts as vertical
  r.DrawLine(kRed, P(11, 6), P(30, 6), 1);  // horizontal, clipped at the right
  r.DrawLine(kRed, P(5, 8), P(5, 40), 1);   // vertical, clipped at the bottom
  r.DrawLine(kRed, P(-5, 1), P(-2, 1), 1);  // columns -4 to -1: left of the frame
  // clang-format off
  const Rows expected = {
      "............",
      "............",
      "............",
      "...R........",
      "............",
      "............",
      "...........R",
      "............",
      ".....R......",
      ".....R......",
  };
  // clang-format on
  EXPECT_EQ(Picture(r), expected);
}

TEST_F(Raster, ScreenDoorDrawsOddPixelsOnly) {
  DrawCover(r, kDoorRed, 0);
  // clang-format off
  const Rows expected = {
      ".R.R.R.R.R.R",
      "R.R.R.R.R.R.",
      ".R.R.R.R.R.R",
      "R.R.R.R.R.R.",
      ".R.R.R.R.R.R",
      "R.R.R.R.R.R.",
      ".R.R.R.R.R.R",
      "R.R.R.R.R.R.",
      ".R.R.R.R.R.R",
      "R.R.R.R.R.R.",
  };
  // clang-format on
  EXPECT_EQ(Picture(r), expected);
  EXPECT_EQ(PickMask(r)[0], ".#.#.#.#.#.#");
  EXPECT_EQ(r.GetDepth(0, 0), C3DStub::kEmptyDepth);
  // A solid surface behind still shows through the gaps.
  DrawCover(r, kGreen, 5);
  EXPECT_EQ(Picture(r)[0], "GRGRGRGRGRGR");
}

TEST_F(Raster, DitheredColourAlternatesByParity) {
  // First colour red (bits 8-11 = 15) on odd x + y, second green (bits 16-19 = 15) on even.
  DrawCover(r, 0x40F0F00, 0);
  EXPECT_EQ(Picture(r)[0], "GRGRGRGRGRGR");
  EXPECT_EQ(Picture(r)[1], "RGRGRGRGRGRG");
}

TEST_F(Raster, TwoColourNumberWithTransparentFirstColour) {
  DrawCover(r, 0x4F00F00, 0);
  EXPECT_EQ(Picture(r)[0], "RRRRRRRRRRRR");
  C3DStub s;
  Prepare(s, colors, 12, 10);
  DrawCover(s, 0x5F00F00, 0);  // bit 24: the first colour (odd x + y) is transparent
  EXPECT_EQ(Picture(s)[0], "R.R.R.R.R.R.");
  EXPECT_EQ(Picture(s)[1], ".R.R.R.R.R.R");
}

TEST_F(Raster, DirectColoursAndTableAlphaThresholds) {
  struct Case {
    uint32_t color;
    std::string row0;
  } cases[] = {
      {0x2FF0000, "RRRRRRRRRRRR"}, {0x3FF0000, ".R.R.R.R.R.R"}, {kHidden, "............"},
      {kAlpha86, ".R.R.R.R.R.R"},  {kAlpha170, ".R.R.R.R.R.R"}, {kAlpha171, "RRRRRRRRRRRR"},
  };
  for (const Case& c : cases) {
    C3DStub s;
    Prepare(s, colors, 12, 10);
    DrawCover(s, c.color, 0);
    EXPECT_EQ(Picture(s)[0], c.row0) << std::hex << c.color;
  }
  C3DStub grey;
  Prepare(grey, colors, 12, 10);
  DrawCover(grey, 512, 0);
  EXPECT_EQ(PixelAt(grey, 0, 0), (Bgr{127, 127, 127}));
}

TEST_F(Raster, HiddenColourLeavesDepthAndPickAlone) {
  DrawCover(r, kHidden, 0);
  EXPECT_EQ(r.GetDepth(3, 3), C3DStub::kEmptyDepth);
  EXPECT_EQ(r.GetPickId(3, 3), kNoPickId);
}

TEST_F(Raster, OptionalLineDrawnOnlyWithControlPointsOnOneSide) {
  r.DrawOptionalLine(kRed, P(1, 5), P(10, 5), P(3, 2), P(7, 1), 1);       // both above
  r.DrawOptionalLine(kGreen, P(1, 7), P(10, 7), P(3, 2), P(7, 9), 1);     // opposite sides
  r.DrawOptionalLine(kBlue, P(4, 1), P(4, 3), P(7, 3), P(9, 9), 1);       // vertical, both right
  r.DrawOptionalLine(kBlue, P(2, 1), P(2, 3), P(1, 3), P(9, 9), 1);       // vertical, opposite
  r.DrawOptionalLine(kGreen, P(6, 8), P(6.3, 8.2), P(0, 0), P(1, 0), 1);  // ends on one pixel
  // clang-format off
  const Rows expected = {
      "............",
      "....B.......",
      "....B.......",
      "....B.......",
      "............",
      ".RRRRRRRRRR.",
      "............",
      "............",
      "............",
      "............",
  };
  // clang-format on
  EXPECT_EQ(Picture(r), expected);
}

TEST_F(Raster, ControlPointOnTheLineCountsAsBelow) {
  // ly = 5 <= C.y = 5: side 1, like a point below the line.
  r.DrawOptionalLine(kRed, P(1, 5), P(10, 5), P(3, 5), P(7, 9), 1);
  EXPECT_EQ(Picture(r)[5], ".RRRRRRRRRR.");
}

TEST_F(Raster, ModesSwitchPrimitivesOff) {
  r.SetSurfacesOff(true);
  DrawCover(r, kRed, 0);
  r.DrawQuad(kRed, P(1, 1), P(5, 1), P(5, 5), P(1, 5), 1);
  r.DrawLine(kGreen, P(0, 0), P(11, 0), 1);
  r.DrawOptionalLine(kBlue, P(0, 2), P(11, 2), P(0, 0), P(1, 0), 1);
  EXPECT_EQ(Picture(r)[0], "GGGGGGGGGGGG");
  EXPECT_EQ(Picture(r)[2], "BBBBBBBBBBBB");
  EXPECT_EQ(Picture(r)[4], "............");
  r.SetSurfacesOff(false);
  r.SetBoundingBoxMode(true);
  DrawCover(r, kRed, 0);
  r.DrawOptionalLine(kBlue, P(0, 6), P(11, 6), P(0, 0), P(1, 0), 1);
  r.DrawLine(kGreen, P(0, 8), P(11, 8), 1);
  EXPECT_EQ(Picture(r)[4], "............");
  EXPECT_EQ(Picture(r)[6], "............");
  EXPECT_EQ(Picture(r)[8], "GGGGGGGGGGGG");
}

TEST_F(Raster, TrianglesOutsideTheFrameDrawNothing) {
  r.DrawTriangle(kRed, P(0, -10), P(5, -10), P(0, -5), 1);  // above
  r.DrawTriangle(kRed, P(-9, 2), P(-2, 2), P(-5, 8), 1);    // left (column -1 at most)
  r.DrawTriangle(kRed, P(12, 2), P(20, 2), P(15, 8), 1);    // right
  r.DrawTriangle(kRed, P(0, 10), P(5, 10), P(0, 15), 1);    // below
  for (const std::string& row : Picture(r)) EXPECT_EQ(row, "............");
}

// Straddling the top: (0,-4) maps to row trunc(-3.5) = -3. The short edge (8,-3)-(0,4) steps
// -2048 / 7 = -292 and is moved on 3 rows to 1172 (column 4) at row 0; row 4 has one pixel and,
// the depth being constant, is left out.
TEST_F(Raster, TriangleStraddlingTheTopStartsAtRowZero) {
  r.DrawTriangle(kRed, P(0, -4), P(8, -4), P(0, 4), 1);
  // clang-format off
  const Rows expected = {
      "RRRRR.......",
      "RRRR........",
      "RRR.........",
      "RR..........",
      "............",
      "............",
      "............",
      "............",
      "............",
      "............",
  };
  // clang-format on
  EXPECT_EQ(Picture(r), expected);
}

TEST_F(Raster, CornersOnOneRowFillBetweenTopAndMiddle) {
  r.DrawTriangle(kRed, P(2, 3), P(6, 3), P(9, 3), 1);
  EXPECT_EQ(Picture(r)[3], "..RRRRR.....");
}

TEST_F(Raster, ConvexQuadFillsItsSquare) {
  r.DrawQuad(kRed, P(1, 1), P(6, 1), P(6, 6), P(1, 6), 1);
  // clang-format off
  const Rows expected = {
      "............",
      ".RRRRRR.....",
      ".RRRRRR.....",
      ".RRRRRR.....",
      ".RRRRRR.....",
      ".RRRRRR.....",
      ".RRRRRR.....",
      "............",
      "............",
      "............",
  };
  // clang-format on
  EXPECT_EQ(Picture(r), expected);
}

TEST_F(Raster, TwistedQuadCoversItsHull) {
  r.DrawQuad(kRed, P(1, 1), P(8, 1), P(1, 8), P(8, 8), 1);
  // clang-format off
  const Rows expected = {
      "............",
      ".RRRRRRRR...",
      ".RRRRRRRR...",
      ".RRRRRRRR...",
      ".RRRRRRRR...",
      ".RRRRRRRR...",
      ".RRRRRRRR...",
      ".RRRRRRRR...",
      ".RRRRRRRR...",
      "............",
  };
  // clang-format on
  EXPECT_EQ(Picture(r), expected);
}

// A quadrilateral behind what is drawn over its whole box is left out before its triangles are
// walked: the frame must be what its three triangles give, whatever lies in front. Each case
// draws a backdrop, then the quad, once as a quad and once as the triangles abc, acd and bcd.
TEST(RasterQuadBehind, DrawsWhatItsThreeTrianglesDraw) {
  struct Case {
    const char* name;
    double backdropZ;  // a cover over the whole frame, or none when NaN
    double z[4];       // the quad's corner depths
    bool seen;         // some pixel of the quad shows
  };
  const double kNone = std::numeric_limits<double>::quiet_NaN();
  const Case cases[] = {
      {"on an empty frame", kNone, {3, 3, 3, 3}, true},
      {"behind the cover", 2, {3, 3, 3, 3}, false},
      {"at the cover's depth (ties keep the cover)", 2, {2, 2, 2, 2}, false},
      {"one corner in front", 2, {3, 3, 1.5, 3}, true},
      {"tilted through the cover", 2, {1, 2, 3, 4}, true},
      {"a hair in front", 2, {1.8, 1.8, 1.8, 1.8}, true},
  };
  TestColors colors;
  struct Drawn {
    Rows picture;
    std::vector<int32_t> depths;
    std::vector<PickId> picks;
  };
  for (const Case& c : cases) {
    auto draw = [&](bool asQuad) {
      C3DStub r;
      Prepare(r, colors, 12, 10);
      if (c.backdropZ == c.backdropZ) DrawCover(r, kRed, c.backdropZ);
      const CVector3 a = P(1, 1, c.z[0]), b = P(8, 1, c.z[1]), d = P(8, 7, c.z[2]), e = P(1, 7, c.z[3]);
      if (asQuad) {
        r.DrawQuad(kGreen, a, b, d, e, 7);
      } else {
        r.DrawTriangle(kGreen, a, b, d, 7);
        r.DrawTriangle(kGreen, a, d, e, 7);
        r.DrawTriangle(kGreen, b, d, e, 7);
      }
      Drawn out{Picture(r), {}, {}};
      for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 12; ++x) {
          out.depths.push_back(r.GetDepth(x, y));
          out.picks.push_back(r.GetPickId(x, y));
        }
      return out;
    };
    const Drawn quad = draw(true), triangles = draw(false);
    EXPECT_EQ(quad.picture, triangles.picture) << c.name;
    EXPECT_EQ(quad.depths, triangles.depths) << c.name;
    EXPECT_EQ(quad.picks, triangles.picks) << c.name;
    bool green = false;
    for (const std::string& row : quad.picture) green = green || row.find('G') != std::string::npos;
    EXPECT_EQ(green, c.seen) << c.name;
  }
}

// Far-off corners (deep zoom on a large model): positions x 256 pass 32 bits, and the visible
// part must still be exact: the long edge from (-K,-K) to (K,K) steps 256 per row exactly.
TEST(RasterFar, HugeCoordinatesDrawTheVisiblePartExactly) {
  // clang-format off
  const Rows expected = {
      "############",
      ".###########",
      "..##########",
      "...#########",
      "....########",
      ".....#######",
      "......######",
      ".......#####",
      "........####",
      ".........###",
  };
  // clang-format on
  for (double k : {1e7, 1e8, 5e9, 1e300}) {
    TestColors colors;
    C3DStub r;
    Prepare(r, colors, 12, 10);
    r.DrawTriangle(kRed, P(-k, -k), P(k, -k), P(k, k), 1);
    EXPECT_EQ(PickMask(r), expected) << k;
    C3DStub l;
    Prepare(l, colors, 12, 10);
    l.DrawLine(kRed, P(-k, -k), P(k, k), 1);  // 45 degrees: shallow, one pixel per column
    l.DrawLine(kRed, P(-k, 9), P(k, 9), 1);
    Rows lines(10, std::string(12, '.'));
    for (int i = 0; i < 10; ++i) lines[i][i] = '#';
    lines[9] = "############";
    EXPECT_EQ(PickMask(l), lines) << k;
  }
}

TEST_F(Raster, NotANumberDrawsNothing) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  r.DrawTriangle(kRed, P(nan, 1), P(8, 1), P(1, 8), 1);
  r.DrawLine(kRed, P(1, nan), P(8, 1), 1);
  r.DrawQuad(kRed, P(1, 1), P(8, 1), P(8, 8), P(1, 8, nan), 1);
  for (const std::string& row : Picture(r)) EXPECT_EQ(row, "............");
}

TEST(RasterShading, FactorFollowsTheLightAlongOneOneOne) {
  EXPECT_DOUBLE_EQ(C3DStub::ShadingFactor(P(1, 0, 0), P(0, 1, 0), P(0, 0, 1)), 1.0);
  EXPECT_DOUBLE_EQ(C3DStub::ShadingFactor(P(0, 0, 0), P(4, 4, 0), P(8, 8, 3)), 1.0);  // no area
  EXPECT_DOUBLE_EQ(C3DStub::ShadingFactor(P(1, 1, 0), P(5, 5, 4), P(9, 1, 0)), 0.75);
}

TEST(RasterShading, ShadedTriangleScalesBothColoursByTruncation) {
  TestColors colors;
  C3DStub r;
  Prepare(r, colors, 12, 10, true, 1);
  // Its plane holds (1,1,1): factor 0.75; (200, 100, 40) becomes (150, 75, 30).
  r.DrawTriangle(kBrown, P(1, 1, 0), P(5, 5, 4), P(9, 1, 0), 1);
  EXPECT_EQ(PixelAt(r, 4, 2), (Bgr{30, 75, 150}));
}

TEST(RasterShading, ShadingOffLeavesColours) {
  TestColors colors;
  C3DStub r;
  Prepare(r, colors, 12, 10, true, 0);
  r.DrawTriangle(kBrown, P(1, 1, 0), P(5, 5, 4), P(9, 1, 0), 1);
  EXPECT_EQ(PixelAt(r, 4, 2), (Bgr{40, 100, 200}));
}

TEST(RasterPick, WithoutPickBufferDrawingStillWorks) {
  TestColors colors;
  C3DStub r;
  Prepare(r, colors, 12, 10, false);
  r.DrawTriangle(kRed, P(1, 1), P(8, 1), P(1, 8), 5);
  EXPECT_EQ(Picture(r)[1], ".RRRRRRRR...");
  EXPECT_EQ(r.GetPickId(1, 1), kNoPickId);
}

TEST(RasterPick, DrawingBeforeResetDoesNothing) {
  C3DStub r;
  r.DrawTriangle(kRed, P(1, 1), P(8, 1), P(1, 8), 5);
  r.DrawLine(kRed, P(1, 1), P(8, 1), 5);
  EXPECT_FALSE(r.IsInitialised());
  EXPECT_EQ(r.GetPickId(1, 1), kNoPickId);
}

}  // namespace

namespace {

// Zoom 1000 on a model 200,000 units across: corners 10^8 pixels away. With the view offset
// (6, 5), corner (-1e5, -1e5) maps to (trunc(-99999993.5), trunc(-99999994.5)) =
// (-99999993, -99999994) and (1e5, 1e5) to (100000006, 100000005): the long edge steps exactly
// 256 per row and passes column 1 at row 0, so row y is filled from column y + 1.
TEST(RasterFar, MaximumZoomOnALargeModel) {
  TestColors colors;
  C3DStub r;
  Prepare(r, colors, 12, 10);
  r.CenterView(12, 10, 1000, 0, 0);
  ASSERT_EQ(r.GetMatrixStack().Push(
                CMatrix4D::FromPlacement(CMatrix3(1000, 0, 0, 0, 1000, 0, 0, 0, 1000), {0, 0, 0})),
            1);
  CVector3 a, b, c;
  r.TransformPoint(a, {-1e5, -1e5, 0});
  r.TransformPoint(b, {1e5, -1e5, 0});
  r.TransformPoint(c, {1e5, 1e5, 0});
  r.DrawTriangle(kRed, a, b, c, 1);
  // clang-format off
  const Rows expected = {
      ".###########",
      "..##########",
      "...#########",
      "....########",
      ".....#######",
      "......######",
      ".......#####",
      "........####",
      ".........###",
      "..........##",
  };
  // clang-format on
  EXPECT_EQ(PickMask(r), expected);
}

}  // namespace
