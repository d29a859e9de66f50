#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "config/Geometry.h"

namespace {

void ExpectMatrix(const CMatrix3& m, const CMatrix3& want, double tol = 1e-12) {
  for (int i = 0; i < 9; ++i) EXPECT_NEAR(m.m[i], want.m[i], tol) << "entry " << i;
}

TEST(Matrix, DefaultIsAllZero) {
  CMatrix3 m;
  for (double v : m.m) EXPECT_EQ(v, 0.0);
}

TEST(Matrix, AxisAngleAndEulerTable) {
  const CMatrix3 rz90(0, -1, 0, 1, 0, 0, 0, 0, 1);
  CMatrix3 m;
  m.SetAxisAngle(CVector3(0, 0, 2), 90);
  m.Clean();
  ExpectMatrix(m, rz90);
  m.SetAxisAngle(CVector3(0, 0, 1), 0.000001);
  ExpectMatrix(m, CMatrix3::Identity(), 0);
  m.SetAxisAngle(CVector3(0, 0, 0), 45);
  ExpectMatrix(m, CMatrix3::Identity(), 0);

  m.SetEuler(0, 0, 90);
  m.Clean();
  ExpectMatrix(m, rz90);

  // The default view: Rx(23) * Ry(45), computed independently.
  double c23 = std::cos(23 * M_PI / 180), s23 = std::sin(23 * M_PI / 180), r = std::sqrt(0.5);
  CMatrix3 want(r, 0, r, s23 * r, c23, -s23 * r, -c23 * r, s23, c23 * r);
  m.SetEuler(23, 45, 0);
  ExpectMatrix(m, want);
  EXPECT_NEAR(m.Determinant(), 1.0, 1e-12);
}

TEST(Matrix, InvertRoundTripAndSingular) {
  CMatrix3 a(2, 0, 1, 1, 3, 0, 0, 1, 4), inv;
  ASSERT_EQ(a.Invert(inv), 1);
  ExpectMatrix(a * inv, CMatrix3::Identity(), 1e-12);
  CMatrix3 tiny(0.005, 0, 0, 0, 1, 0, 0, 0, 0.001);  // determinant 0.000005
  CMatrix3 untouched(9, 9, 9, 9, 9, 9, 9, 9, 9);
  CMatrix3 out = untouched;
  EXPECT_EQ(tiny.Invert(out), 0);
  EXPECT_FALSE(out.Differs(untouched));
}

TEST(Matrix, MultiplyScaleDiffers) {
  CMatrix3 a = CMatrix3::Identity();
  a.Scale(2);
  CMatrix3 b(1, 2, 3, 4, 5, 6, 7, 8, 9);
  CMatrix3 c = b;
  c.Multiply(a);
  ExpectMatrix(c, CMatrix3(2, 4, 6, 8, 10, 12, 14, 16, 18), 0);
  EXPECT_TRUE(c.Differs(b));
  CMatrix3 negZero;
  negZero.m[4] = -0.0;
  EXPECT_TRUE(negZero.Differs(CMatrix3()));  // bytes, not values
  CVector3 v(1, 0, 0);
  v.Transform(b);
  EXPECT_EQ(v, CVector3(1, 4, 7));
}

struct SnapCase {
  CVector3 in;
  double sx, sy, sz;
  CVector3 out;
};

TEST(Vector, SnapTable) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const SnapCase cases[] = {
      {{12, -12, 11.9}, 8, 8, 8, {16, -16, 8}},
      {{4, -4, 3.999}, 8, 8, 8, {8, -8, 0}},  // halves round away from zero
      {{10, 10, 10}, 20, 8, 24, {20, 8, 0}},
      {{-0.4, 0.4, 0}, 1, 1, 1, {0, 0, 0}},
      {{5.5, 5.5, 5.5}, 0, -1, nan, {5.5, 5.5, 5.5}},  // no step: left as it is
      {{5.5, 1, 1}, inf, 1, 1, {5.5, 1, 1}},
  };
  for (const SnapCase& c : cases) {
    CVector3 v = c.in;
    v.Snap(c.sx, c.sy, c.sz);
    EXPECT_EQ(v, c.out) << c.in.x << " " << c.in.y << " " << c.in.z;
  }
  CVector3 neg(-0.3, 0, 0);
  neg.Snap(1, 1, 1);
  EXPECT_TRUE(std::signbit(neg.x)) << "the sign is given back";
}

TEST(Vector, Clean) {
  CVector3 v(0.000009, -0.000009, 0.00001);
  v.Clean();
  EXPECT_EQ(v, CVector3(0, 0, 0.00001));
}

struct RayCase {
  const char* what;
  CVector3 p;
  int hit;
  double depth;
};

TEST(Pick, RayTriangleTable) {
  CVector3 a(0, 0, 10), b(10, 0, 10), c(0, 10, 20);
  const RayCase cases[] = {
      {"inside", {2, 2, 0}, 1, 12},
      {"corner", {0, 0, 0}, 1, 10},
      {"edge", {5, 0, 0}, 1, 10},
      {"hypotenuse", {5, 5, 0}, 1, 15},
      {"just outside", {5.01, 5, 0}, 0, 0},
      {"negative x", {-0.01, 1, 0}, 0, 0},
      {"behind the point", {2, 2, 50}, 1, -38},
  };
  for (const RayCase& rc : cases) {
    double depth = -999;
    EXPECT_EQ(IntersectRayTriangle(rc.p, a, b, c, depth), rc.hit) << rc.what;
    if (rc.hit) {
      EXPECT_NEAR(depth, rc.depth, 1e-9) << rc.what;
    }
  }
  double depth = 0;
  // Edge-on triangle (degenerate in x-y): never a hit.
  EXPECT_EQ(IntersectRayTriangle({0, 0, 0}, {0, 0, 0}, {1, 1, 0}, {2, 2, 5}, depth), 0);
}

TEST(Pick, RayQuadConvexAndConcave) {
  double depth = 0;
  CVector3 a(0, 0, 0), b(10, 0, 0), c(10, 10, 0), d(0, 10, 0);
  EXPECT_EQ(IntersectRayQuad({9, 1, -5}, a, b, c, d, depth), 1);
  EXPECT_EQ(IntersectRayQuad({1, 9, -5}, a, b, c, d, depth), 1);
  EXPECT_EQ(IntersectRayQuad({11, 5, -5}, a, b, c, d, depth), 0);
  // Concave along a-c: b and d on the same side, the b-c-d split covers the dent.
  CVector3 cb(10, 0, 0), cc(10, 10, 0), cd(6, 2, 0);
  CVector3 ca(0, 0, 0);
  EXPECT_EQ(SideOfLine(ca, cc, cb), SideOfLine(ca, cc, cd));
  EXPECT_EQ(IntersectRayQuad({9, 3, 0}, ca, cb, cc, cd, depth), 1);
  EXPECT_EQ(IntersectRayQuad({1, 8, 0}, ca, cb, cc, cd, depth), 0);
}

TEST(Pick, SideOfLine) {
  EXPECT_EQ(SideOfLine({0, 0, 0}, {10, 0, 0}, {5, 1, 0}), 1);
  EXPECT_EQ(SideOfLine({0, 0, 0}, {10, 0, 0}, {5, -1, 0}), 0);
  EXPECT_EQ(SideOfLine({0, 0, 0}, {0, 10, 0}, {1, 5, 0}), 1);
  EXPECT_EQ(SideOfLine({0, 0, 0}, {0, 10, 0}, {-1, 5, 0}), 0);
}

}  // namespace
