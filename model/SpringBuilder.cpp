// The spring: a square wire cross-section swept along a helix, closed with flat rings.
#include <cmath>

#include "model/GeneratorFile.h"

namespace {

constexpr double kPi = 3.141592653589793;

// The wire's square, standing on one corner, at angle theta and height y.
void CrossSection(CVector3 out[4], double theta, double y, double d, double s) {
  const double c = std::cos(theta), n = std::sin(theta);
  out[0].Set(c * 0.5 * d, y + s / 2, n * 0.5 * d);
  out[1].Set(c * 0.5 * (d + s), y, n * 0.5 * (d + s));
  out[2].Set(c * 0.5 * d, y - s / 2, n * 0.5 * d);
  out[3].Set(c * 0.5 * (d - s), y, n * 0.5 * (d - s));
}

}  // namespace

void CGeneratorFile::AddRingSection(double y, int omitted, double d, double s) {
  CVector3 prev[4], cur[4];
  double theta = 0;
  for (int k = 0; k <= 16; ++k, theta += kPi * 0.125) {
    CrossSection(cur, theta, y, d, s);
    if (k > 0) JoinSections(prev, cur, omitted);
    for (int i = 0; i < 4; ++i) prev[i] = cur[i];
  }
}

void CGeneratorFile::AddSpringGeometry(double h, double r, double d, double s, int32_t top, int32_t bottom) {
  SpringParams p{h, r, d, s, top, bottom};
  if (!IsValid(p)) return;
  const double limit = 16 * r;
  if (limit >= 0) {
    // No revolutions: a single cross-section and no segment, so the step is never used.
    const double step = r != 0 ? h / r * 0.0625 : 0;
    CVector3 prev[4], cur[4];
    double theta = 0, y = 0;
    for (int32_t k = 0; k <= limit; ++k) {
      CrossSection(cur, theta, y, d, s);
      if (k > 0) JoinSections(prev, cur, -1);
      for (int i = 0; i < 4; ++i) prev[i] = cur[i];
      theta += kPi * 0.125;
      y += step;
    }
  }
  // A ring above the top ring shares its point 2 with it, a ring below the bottom one its point 0.
  for (int32_t i = 0; i < top; ++i) AddRingSection(h + i * s, i == 0 ? -1 : 2, d, s);
  for (int32_t i = 0; i < bottom; ++i) AddRingSection(-i * s, i == 0 ? -1 : 0, d, s);
}
