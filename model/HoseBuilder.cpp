// The flexible hose: library segment parts along a cubic Bezier curve, nearly evenly spaced along
// its length, each turned so that its local -Y axis runs along its chord.
#include <cmath>
#include <vector>

#include "model/GeneratorFile.h"

namespace {

constexpr double kPi = 3.141592653589793;

CVector3 Bezier(const CVector3 p[4], double t) {
  const double u = 1 - t;
  const double a = u * u * u, b = 3 * t * u * u, c = 3 * t * t * u, d = t * t * t;
  return {a * p[0].x + b * p[1].x + c * p[2].x + d * p[3].x, a * p[0].y + b * p[1].y + c * p[2].y + d * p[3].y,
          a * p[0].z + b * p[1].z + c * p[2].z + d * p[3].z};
}

int Sign(double v) { return v < 0 ? -1 : (v > 0 ? 1 : 0); }

// The angles E and D of the segment matrix Ry(D) * Rx(E) for a chord. The signs are compared
// exactly. Every horizontal chord maps -Y onto the chord like all the others, so no segment is laid
// backwards.
void ChordAngles(double dx, double dy, double dz, double& e, double& d) {
  const double rho = std::sqrt(dx * dx + dz * dz);
  const double alpha = dy != 0 ? std::atan(rho / dy) : 0;
  const double beta = dz != 0 ? std::atan(dx / dz) : 0;
  const double gamma = dy != 0 ? std::atan(dx / dy) : 0;
  const int sx = Sign(dx), sy = Sign(dy), sz = Sign(dz);
  if (sx == 0) {
    d = 0;
    if (sy < 0) {
      if (sz == 0) d = kPi;
      e = sz < 0 ? -alpha : (sz == 0 ? 0 : alpha);
    } else if (sy == 0) {
      e = sz < 0 ? kPi / 2 : (sz == 0 ? kPi : -kPi / 2);
      if (sz == 0) d = kPi;
    } else {
      e = sz < 0 ? kPi - alpha : (sz == 0 ? kPi : alpha - kPi);
      if (sz == 0) d = kPi;
    }
    return;
  }
  if (sy == 0) {
    e = sx < 0 ? kPi / 2 : -kPi / 2;
    if (sz == 0)
      d = kPi / 2;
    else if (sx < 0)
      d = sz > 0 ? beta + kPi : beta;
    else
      d = sz > 0 ? beta : beta + kPi;
    return;
  }
  if (sz == 0) {
    d = kPi / 2;
    if (sx < 0)
      e = sy < 0 ? -alpha : gamma - kPi;
    else
      e = sy < 0 ? alpha : alpha - kPi;
    return;
  }
  e = sy < 0 ? -alpha : kPi - alpha;
  d = sz < 0 ? beta : beta - kPi;
}

}  // namespace

void CGeneratorFile::BuildFlexHose(const CVector3& start, const CVector3& end, const CVector3& startControl,
                                   const CVector3& endControl, int32_t n, const std::string& firstPart,
                                   const std::string& part, int32_t drawLine) {
  HoseParams params{start, startControl, end, endControl, n < 0 ? 0 : n, firstPart, part, drawLine};
  if (!IsValid(params)) return;
  const CVector3 p[4] = {start, start - startControl, end - endControl, end};
  if (n >= 1) {
    std::vector<double> chord(static_cast<size_t>(n));
    double sum = 0;
    for (int32_t i = 0; i < n; ++i) {
      const CVector3 a = Bezier(p, static_cast<double>(i) / n), b = Bezier(p, static_cast<double>(i + 1) / n);
      const CVector3 v = b - a;
      chord[i] = std::sqrt(v.Dot(v));
      sum += chord[i];
    }
    const double mean = sum / n;
    // Steps inversely proportional to the chord; a chord of length 0 (coincident samples) would
    // divide by zero, so then the curve is stepped evenly in t.
    bool even = !(mean > 0);
    for (double c : chord) even = even || !(c > 0);
    double q = 0;
    if (!even)
      for (double c : chord) q += (1.0 / n) / (c / mean);
    auto stepOf = [&](int32_t k) { return even ? 1.0 / n : (1.0 / n) / (chord[k] / mean) / q; };
    double t = 0;
    for (int32_t k = 0; k < n; ++k) {
      const double dt = stepOf(k);
      const CVector3 a = Bezier(p, t), f = Bezier(p, t + dt);
      double e = 0, d = 0;
      ChordAngles(f.x - a.x, f.y - a.y, f.z - a.z, e, d);
      const double ce = std::cos(e), se = std::sin(e), cd = std::cos(d), sd = std::sin(d);
      const double m[9] = {cd, se * sd, ce * sd, 0, ce, -se, -sd, se * cd, ce * cd};
      AddSubPart(16, a, m, k == 0 ? firstPart : part);
      t += dt;
    }
  }
  if (drawLine) {
    AddLine(16, p[1], p[0]);
    AddLine(16, p[2], p[3]);
  }
}
