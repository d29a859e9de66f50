// The rubber belt: around wheel 1 at the origin and wheel 2 at (x, y, 0), joined by the two outer
// common tangents, as a chain of cylinders or as a swept square cross-section.
#include <cmath>

#include "model/GeneratorFile.h"

namespace {

constexpr double kPi = 3.141592653589793;

// The belt's square, standing on one corner, at angle theta on a wheel.
void BeltSection(CVector3 out[4], const CVector3& c, double r, double theta, double e) {
  const double co = std::cos(theta), si = std::sin(theta);
  out[0] = c + CVector3(r * co, r * si, e / 2);
  out[1] = c + CVector3((r + e / 2) * co, (r + e / 2) * si, 0);
  out[2] = c + CVector3(r * co, r * si, -e / 2);
  out[3] = c + CVector3((r - e / 2) * co, (r - e / 2) * si, 0);
}

}  // namespace

void CGeneratorFile::BuildRubberBelt(double x, double y, double r1, double r2, double e, int32_t precision,
                                     int32_t useCylinder) {
  const BeltLayout b = ComputeBeltLayout({x, y, r1, r2, e, precision, useCylinder});
  if (!b.valid) return;
  const CVector3 c1(0, 0, 0), c2(x, y, 0);
  if (useCylinder) {
    // One cylinder of length len along direction delta, starting lambda before the point at theta.
    auto cylinder = [&](const CVector3& c, double r, double theta, double delta, double len, double lambda) {
      const double cd = std::cos(delta), sd = std::sin(delta);
      const CVector3 pos = c + CVector3(r * std::cos(theta), r * std::sin(theta), 0) - CVector3(cd, sd, 0) * lambda;
      const double m[9] = {e / 2 * sd, len * cd, 0, -e / 2 * cd, len * sd, 0, 0, 0, e / 2};
      AddSubPart(16, pos, m, "4-4CYLI.DAT");
    };
    // Chords lengthened at both ends so that neighbouring cylinders close outside the bend.
    auto wheel = [&](const CVector3& c, double r, int32_t n, double s, double& theta) {
      const double len = 2 * r * std::sin(s / 2) + e * std::tan(s / 2), lambda = e / 2 * std::tan(s / 2);
      for (int32_t k = 0; k < n; ++k, theta += s) cylinder(c, r, theta, theta + s / 2 + kPi / 2, len, lambda);
    };
    double theta = b.a1;
    wheel(c1, r1, b.n1, b.s1, theta);
    cylinder(c1, r1, theta, theta + kPi / 2, b.tangent, 0);
    wheel(c2, r2, b.n2, b.s2, theta);
    cylinder(c2, r2, theta, theta + kPi / 2, b.tangent, 0);
    return;
  }
  CVector3 prev[4], cur[4];
  bool first = true;
  auto section = [&](const CVector3& c, double r, double theta) {
    BeltSection(cur, c, r, theta, e);
    if (!first) JoinSections(prev, cur, -1);
    first = false;
    for (int i = 0; i < 4; ++i) prev[i] = cur[i];
  };
  for (int32_t k = 0; k <= b.n1; ++k) section(c1, r1, b.a1 + k * b.s1);
  const double start2 = b.a1 + b.n1 * b.s1;
  for (int32_t k = 0; k <= b.n2; ++k) section(c2, r2, start2 + k * b.s2);
  section(c1, r1, b.a1);
}
