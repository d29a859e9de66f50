// Part images in the renderer: filling an image, stamping it into the frame, and the promise that
// a part stamped from its image looks exactly as the part drawn directly wherever the fill and the
// frame follow the same rules (opaque colours, no shading, whole-pixel positions, triangles that
// are not of one constant depth).
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "render/C3DStub.h"
#include "render/FakeBuffer.h"
#include "render/MemHeap.h"

namespace {

constexpr uint32_t kMain = 0x2C86432;  // opaque (200, 100, 50)
constexpr uint32_t kEdge = 0x2102030;  // opaque (16, 32, 48)

class PartImage : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(CreateRenderCache(0), 1); }
  static void Frame(C3DStub& r, uint32_t w, uint32_t h, int shading = 0) {
    r.EnablePickBuffer(1);
    ASSERT_EQ(r.Reset(w, h, shading), 1);
    r.SetView(0, 0, 1);
  }
  static PartImageKey Key(const C3DStub& r) { return PartImageKey::Of(r, CMatrix3::Identity()); }
  // B, G, R of a frame pixel.
  static std::vector<int> Pixel(const C3DStub& r, int x, int y) {
    const uint8_t* p = r.GetImage().GetRow(y) + 3 * x;
    return {p[0], p[1], p[2]};
  }
};

TEST_F(PartImage, AShadeNinetySixPixelTakesThreeQuartersOfTheMainColour) {
  C3DStub r;
  Frame(r, 16, 16);
  CFakeBuffer image;
  ASSERT_EQ(image.Create(2, 2, 16, 16, Key(r)), 1);  // 10 x 10
  image.GetShade()[0] = 96;
  image.GetDepth()[0] = 0;
  r.DrawCachedPart(image, kMain, kEdge, CVector3(5, 5, 0), 7);
  // Column trunc(0.5 + 5 - 2.5) = 3; row trunc(0.5 + 5 - 3.5) + 1 = 3.
  EXPECT_EQ(Pixel(r, 3, 3), (std::vector<int>{37, 75, 150}));
  EXPECT_EQ(r.GetPickId(3, 3), 7u);
  EXPECT_EQ(r.GetDepth(3, 3), 0);
  EXPECT_EQ(r.GetPickId(4, 3), kNoPickId);  // empty image pixels are skipped
  EXPECT_EQ(r.Counts().imagesStamped, 1u);
}

TEST_F(PartImage, AnImagePartlyLeftOfTheFrameDrawsOnlyItsVisibleColumns) {
  C3DStub r;
  Frame(r, 16, 16);
  CFakeBuffer image;
  ASSERT_EQ(image.Create(2, 2, 16, 16, Key(r)), 1);  // 10 x 10
  for (int i = 0; i < 100; ++i) image.GetShade()[i] = CFakeBuffer::kUnshaded, image.GetDepth()[i] = 0;
  // Column trunc(0.5 - 3 - 2.5) = -5: image columns 5 to 9 land on frame columns 0 to 4;
  // row trunc(0.5 + 4 - 3.5) = 1: image rows land on frame rows 2 to 11.
  r.DrawCachedPart(image, kMain, kEdge, CVector3(-3, 4, 0), 1);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      const bool covered = x <= 4 && y >= 2 && y <= 11;
      EXPECT_EQ(r.GetPickId(x, y) == 1, covered) << x << "," << y;
    }
}

TEST_F(PartImage, ImagesTallerThanAShortFrameHaveRowTablesOfTheirOwn) {
  // A frame of 8 rows allows parts of 4 rows, whose images have 12: more than the frame's tables.
  C3DStub r;
  Frame(r, 16, 8);
  CFakeBuffer image;
  ASSERT_EQ(image.Create(4, 4, 16, 8, Key(r)), 1);
  ASSERT_EQ(image.GetHeight(), 12);
  r.DrawTriangleToCache(image, CVector3(-2, -2, 0), CVector3(9, -2, 1), CVector3(-2, 9, 2));
  // Points map to trunc(v + 2.5): the triangle covers columns and rows 0 to 11 on its left edge.
  for (int row = 0; row < 12; ++row) EXPECT_EQ(image.GetShade()[row * 12], CFakeBuffer::kUnshaded) << row;
  EXPECT_EQ(image.GetShade()[11 * 12 + 11], CFakeBuffer::kEmpty);
}

TEST_F(PartImage, ShadedSurfacesKeepTheShadingFactorAsAByte) {
  C3DStub r;
  Frame(r, 64, 64, 1);
  CFakeBuffer image;
  ASSERT_EQ(image.Create(20, 20, 64, 64, Key(r)), 1);
  const CVector3 a(0, 0, 0), b(20, 0, 10), c(0, 20, 3);
  r.DrawTriangleToCache(image, a, b, c);
  const auto expected = static_cast<uint8_t>(C3DStub::ShadingFactor(a, b, c) * 128);
  ASSERT_GE(expected, 96);
  ASSERT_LT(expected, 128);
  EXPECT_EQ(image.GetShade()[4 * image.GetWidth() + 4], expected);
}

// Conditional lines into an image: on screen-vertical and -horizontal lines a control point on
// the line agrees with either side; only points strictly on opposite sides hide the line.
TEST_F(PartImage, ConditionalLineTiesOnVerticalAndHorizontalLines) {
  struct Case {
    const char* name;
    CVector3 a, b, c1, c2;
    bool drawn;
  };
  const Case cases[] = {
      {"vertical, opposite sides", {5, 2, 0}, {5, 9, 0}, {3, 5, 0}, {8, 5, 0}, false},
      {"vertical, one on the line", {5, 2, 0}, {5, 9, 0}, {5, 5, 0}, {8, 5, 0}, true},
      {"vertical, same side", {5, 2, 0}, {5, 9, 0}, {3, 5, 0}, {4, 7, 0}, true},
      {"horizontal, opposite sides", {2, 5, 0}, {9, 5, 0}, {5, 3, 0}, {5, 8, 0}, false},
      {"horizontal, one on the line", {2, 5, 0}, {9, 5, 0}, {5, 5, 0}, {5, 8, 0}, true},
      {"diagonal, opposite sides", {2, 2, 0}, {9, 9, 0}, {8, 2, 0}, {2, 8, 0}, false},
      {"diagonal, same side", {2, 2, 0}, {9, 9, 0}, {8, 2, 0}, {9, 3, 0}, true},
      {"both ends on one pixel", {2, 2, 0}, {2.2, 2.2, 0}, {8, 2, 0}, {9, 3, 0}, false},
  };
  for (const Case& c : cases) {
    C3DStub r;
    Frame(r, 64, 64);
    CFakeBuffer image;
    ASSERT_EQ(image.Create(12, 12, 64, 64, Key(r)), 1);
    r.DrawOptionalLineToCache(image, 0, c.a, c.b, c.c1, c.c2);
    int lit = 0;
    for (int i = 0; i < image.GetWidth() * image.GetHeight(); ++i) lit += image.GetShade()[i] == CFakeBuffer::kMainLine;
    EXPECT_EQ(lit > 0, c.drawn) << c.name;
  }
}

TEST_F(PartImage, BoundingBoxModeAndSurfacesOffLeaveSurfacesOut) {
  for (int mode = 0; mode < 2; ++mode) {
    C3DStub r;
    Frame(r, 64, 64);
    (mode ? r.SetBoundingBoxMode(true) : r.SetSurfacesOff(true));
    CFakeBuffer image;
    ASSERT_EQ(image.Create(12, 12, 64, 64, Key(r)), 1);
    r.DrawQuadToCache(image, {0, 0, 0}, {10, 0, 0}, {10, 10, 1}, {0, 10, 1});
    r.DrawTriangleToCache(image, {0, 0, 0}, {10, 0, 0}, {10, 10, 1});
    r.DrawLineToCache(image, 1, {0, 5, 0}, {10, 5, 0});
    int surface = 0, edge = 0;
    for (int i = 0; i < image.GetWidth() * image.GetHeight(); ++i) {
      surface += image.GetShade()[i] <= CFakeBuffer::kUnshaded;
      edge += image.GetShade()[i] == CFakeBuffer::kEdgeLine;
    }
    EXPECT_EQ(surface, 0) << mode;
    EXPECT_GT(edge, 0) << mode;
  }
}

// One shape drawn twice: directly into one frame in its colours, and into an image (relative to
// the origin) stamped into a second frame. Both frames must agree in every pixel, depth and pick id.
struct Shape {
  const char* name;
  int lineWidth;
  // Draws the shape at an offset: into the frame (image null) or into the image.
  std::function<void(C3DStub&, CFakeBuffer*, const CVector3&)> draw;
};

void Tri(C3DStub& r, CFakeBuffer* img, const CVector3& o, CVector3 a, CVector3 b, CVector3 c) {
  if (img)
    r.DrawTriangleToCache(*img, a - o, b - o, c - o);
  else
    r.DrawTriangle(kMain, a, b, c, 3);
}
void Quad(C3DStub& r, CFakeBuffer* img, const CVector3& o, CVector3 a, CVector3 b, CVector3 c, CVector3 d) {
  if (img)
    r.DrawQuadToCache(*img, a - o, b - o, c - o, d - o);
  else
    r.DrawQuad(kMain, a, b, c, d, 3);
}
void Line(C3DStub& r, CFakeBuffer* img, const CVector3& o, bool edge, CVector3 a, CVector3 b) {
  if (img)
    r.DrawLineToCache(*img, edge ? 1 : 0, a - o, b - o);
  else
    r.DrawLine(edge ? kEdge : kMain, a, b, 3);
}

TEST_F(PartImage, StampedPartEqualsThePartDrawnDirectly) {
  const Shape shapes[] = {
      {"slanted triangle", 1,
       [](C3DStub& r, CFakeBuffer* i, const CVector3& o) { Tri(r, i, o, {12, 14, 5}, {40, 16, 8}, {20, 44, 6}); }},
      {"quadrilateral", 1,
       [](C3DStub& r, CFakeBuffer* i, const CVector3& o) {
         Quad(r, i, o, {12, 12, 5}, {40, 12, 6}, {40, 40, 7}, {12, 40, 6});
       }},
      {"main and edge lines", 1,
       [](C3DStub& r, CFakeBuffer* i, const CVector3& o) {
         Line(r, i, o, false, {12, 12, 5}, {50, 30, 5});
         Line(r, i, o, true, {12, 40, 6}, {45, 13, 9});
       }},
      {"edges over a surface, wide lines", 3,
       [](C3DStub& r, CFakeBuffer* i, const CVector3& o) {
         Quad(r, i, o, {14, 12, 5}, {40, 12, 6}, {40, 40, 7}, {14, 40, 6});
         Line(r, i, o, true, {14, 12, 5}, {40, 12, 6});
         Line(r, i, o, true, {40, 40, 7}, {14, 40, 6});
         Line(r, i, o, false, {16, 30, 9}, {38, 20, 9});  // behind the quad
       }},
      {"two surfaces crossing", 1,
       [](C3DStub& r, CFakeBuffer* i, const CVector3& o) {
         Tri(r, i, o, {12, 12, 5}, {50, 20, 9}, {14, 50, 6});
         Tri(r, i, o, {48, 12, 10}, {20, 30, 5}, {48, 50, 6});
       }},
  };
  const CVector3 origin(10, 10, 4);
  for (const Shape& s : shapes) {
    C3DStub direct, stamped;
    Frame(direct, 128, 128);
    Frame(stamped, 128, 128);
    direct.SetLineWidth(s.lineWidth);
    stamped.SetLineWidth(s.lineWidth);
    s.draw(direct, nullptr, CVector3());
    CFakeBuffer image;
    // Relative to the origin the shapes reach 40: columns and rows up to 42 of a 56-pixel image.
    ASSERT_EQ(image.Create(48, 48, 128, 128, Key(stamped)), 1) << s.name;
    s.draw(stamped, &image, origin);
    stamped.DrawCachedPart(image, kMain, kEdge, origin, 3);
    int differing = 0, drawn = 0;
    for (int y = 0; y < 128; ++y)
      for (int x = 0; x < 128; ++x) {
        drawn += direct.GetPickId(x, y) == 3;
        differing += Pixel(direct, x, y) != Pixel(stamped, x, y) || direct.GetDepth(x, y) != stamped.GetDepth(x, y) ||
                     direct.GetPickId(x, y) != stamped.GetPickId(x, y);
      }
    EXPECT_GT(drawn, 20) << s.name;
    EXPECT_EQ(differing, 0) << s.name;
  }
}

}  // namespace
