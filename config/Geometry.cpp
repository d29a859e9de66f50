#include "config/Geometry.h"

#include <cmath>
#include <cstring>

namespace {
constexpr double kPi = 3.141592653589793;

double SnapOne(double v, double step) {
  if (!(step > 0) || !std::isfinite(step) || !std::isfinite(v)) return v;
  double snapped = step * std::trunc((std::fabs(v) + step / 2) / step);
  return v < 0 ? -snapped : snapped;
}
}  // namespace

void CVector3::Snap(double sx, double sy, double sz) {
  x = SnapOne(x, sx);
  y = SnapOne(y, sy);
  z = SnapOne(z, sz);
}

void CVector3::Clean() {
  if (CountsAsZero(x)) x = 0;
  if (CountsAsZero(y)) y = 0;
  if (CountsAsZero(z)) z = 0;
}

void CVector3::Transform(const CMatrix3& mat) { *this = mat * *this; }

void CMatrix3::SetAxisAngle(const CVector3& axis, double degrees) {
  if (CountsAsZero(degrees) ||
      (CountsAsZero(axis.x) && CountsAsZero(axis.y) && CountsAsZero(axis.z))) {
    SetIdentity();
    return;
  }
  double len = std::sqrt(axis.Dot(axis));
  double h = degrees * kPi / 360.0;
  double w = std::cos(h), s = std::sin(h);
  double x = axis.x / len * s, y = axis.y / len * s, z = axis.z / len * s;
  *this = {1 - 2 * (y * y + z * z), 2 * (x * y - z * w),     2 * (x * z + y * w),
           2 * (x * y + z * w),     1 - 2 * (x * x + z * z), 2 * (y * z - x * w),
           2 * (x * z - y * w),     2 * (y * z + x * w),     1 - 2 * (x * x + y * y)};
}

void CMatrix3::SetEuler(double ax, double ay, double az) {
  double rx = ax * kPi / 180.0, ry = ay * kPi / 180.0, rz = az * kPi / 180.0;
  double sx = std::sin(rx), cx = std::cos(rx);
  double sy = std::sin(ry), cy = std::cos(ry);
  double sz = std::sin(rz), cz = std::cos(rz);
  *this = {cy * cz,                -cy * sz,                sy,
           cx * sz + sx * sy * cz, cx * cz - sx * sy * sz,  -sx * cy,
           sx * sz - cx * sy * cz, sx * cz + cx * sy * sz,  cx * cy};
}

void CMatrix3::Clean() {
  for (double& v : m)
    if (CountsAsZero(v)) v = 0;
}

double CMatrix3::Determinant() const {
  return m[0] * (m[4] * m[8] - m[7] * m[5]) - m[1] * (m[8] * m[3] - m[5] * m[6]) +
         m[2] * (m[7] * m[3] - m[4] * m[6]);
}

int CMatrix3::Invert(CMatrix3& out) const {
  double det = Determinant();
  if (CountsAsZero(det)) return 0;
  const CMatrix3& a = *this;
  CMatrix3 r;
  r(0, 0) = (a(1, 1) * a(2, 2) - a(2, 1) * a(1, 2)) / det;
  r(0, 1) = (a(0, 2) * a(2, 1) - a(0, 1) * a(2, 2)) / det;
  r(0, 2) = (a(0, 1) * a(1, 2) - a(0, 2) * a(1, 1)) / det;
  r(1, 0) = (a(1, 2) * a(2, 0) - a(1, 0) * a(2, 2)) / det;
  r(1, 1) = (a(0, 0) * a(2, 2) - a(0, 2) * a(2, 0)) / det;
  r(1, 2) = (a(1, 0) * a(0, 2) - a(0, 0) * a(1, 2)) / det;
  r(2, 0) = (a(1, 0) * a(2, 1) - a(2, 0) * a(1, 1)) / det;
  r(2, 1) = (a(2, 0) * a(0, 1) - a(0, 0) * a(2, 1)) / det;
  r(2, 2) = (a(0, 0) * a(1, 1) - a(1, 0) * a(0, 1)) / det;
  out = r;
  return 1;
}

CMatrix3 CMatrix3::operator*(const CMatrix3& o) const {
  CMatrix3 r;
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j)
      r(i, j) = (*this)(i, 0) * o(0, j) + (*this)(i, 1) * o(1, j) + (*this)(i, 2) * o(2, j);
  return r;
}

void CMatrix3::Multiply(const CMatrix3& other) { *this = *this * other; }

void CMatrix3::Scale(double s) {
  for (double& v : m) v *= s;
}

int CMatrix3::Differs(const CMatrix3& other) const {
  return std::memcmp(m.data(), other.m.data(), sizeof(double) * 9) != 0;
}

CMatrix3 CMatrix3::Transposed() const {
  return {m[0], m[3], m[6], m[1], m[4], m[7], m[2], m[5], m[8]};
}

// Möller-Trumbore with the ray direction fixed to (0, 0, 1).
int IntersectRayTriangle(const CVector3& p, const CVector3& a, const CVector3& b, const CVector3& c,
                         double& depth) {
  CVector3 e1 = b - a, e2 = c - a;
  CVector3 pv(-e2.y, e2.x, 0);
  double det = e1.Dot(pv);
  if (det > -1e-6 && det < 1e-6) return 0;
  CVector3 t = p - a;
  double u = t.Dot(pv) / det;
  if (u < 0 || u > 1) return 0;
  CVector3 q = t.Cross(e1);
  double v = q.z / det;
  if (v < 0 || u + v > 1) return 0;
  depth = e2.Dot(q) / det;
  return 1;
}

int SideOfLine(const CVector3& a, const CVector3& b, const CVector3& c) {
  if (a.x == b.x) return a.x < c.x ? 1 : 0;
  double y = (b.y - a.y) / (b.x - a.x) * (c.x - a.x) + a.y;
  return y < c.y ? 1 : 0;
}

int IntersectRayQuad(const CVector3& p, const CVector3& a, const CVector3& b, const CVector3& c,
                     const CVector3& d, double& depth) {
  if (IntersectRayTriangle(p, a, b, c, depth) || IntersectRayTriangle(p, a, c, d, depth)) return 1;
  if (SideOfLine(a, c, b) != SideOfLine(a, c, d)) return 0;
  // Not convex along the diagonal a-c: the other split covers it.
  return IntersectRayTriangle(p, b, c, d, depth);
}
