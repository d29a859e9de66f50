#include "model/GeneratorParams.h"

#include <cmath>

namespace {

constexpr double kPi = 3.141592653589793;

bool IsLength(double v) { return std::isfinite(v) && std::fabs(v) <= kMaxGeneratorLength; }

bool IsPoint(const CVector3& v) { return IsLength(v.x) && IsLength(v.y) && IsLength(v.z); }

// A part name is one word: the meta line carries it between blanks.
bool IsPartName(const std::string& name) {
  if (name.empty()) return false;
  for (char c : name)
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\0') return false;
  return true;
}

}  // namespace

bool IsValid(const SpringParams& p) {
  return IsLength(p.height) && IsLength(p.diameter) && IsLength(p.wire) && std::isfinite(p.revolutions) &&
         std::fabs(p.revolutions) <= kMaxSpringRevolutions && p.topRings >= 0 &&
         p.topRings <= kMaxSpringRings && p.bottomRings >= 0 && p.bottomRings <= kMaxSpringRings;
}

bool IsValid(const HoseParams& p) {
  return IsPoint(p.start) && IsPoint(p.startControl) && IsPoint(p.end) && IsPoint(p.endControl) &&
         p.steps >= 0 && p.steps <= kMaxHoseSteps && IsPartName(p.firstPart) && IsPartName(p.part);
}

bool IsValid(const BeltParams& p) { return ComputeBeltLayout(p).valid; }

bool IsValid(const ArrowParams& p) {
  return IsLength(p.w1) && IsLength(p.w2) && IsLength(p.l1) && IsLength(p.l2) && IsLength(p.xDistance) &&
         IsLength(p.radius) && p.indicatorType >= 0 && p.indicatorType <= 2 && p.sections >= 0 &&
         p.sections <= 2;
}

bool IsValid(const PlateParams& p) {
  return p.width >= 1 && p.width <= kMaxPlateStuds && p.length >= 1 && p.length <= kMaxPlateStuds &&
         p.height >= 1 && p.height <= kMaxPlateHeight;
}

BeltLayout ComputeBeltLayout(const BeltParams& p) {
  BeltLayout b;
  if (!IsLength(p.xDistance) || !IsLength(p.yDistance) || !IsLength(p.r1) || !IsLength(p.r2) ||
      !IsLength(p.thickness) || p.thickness < 0 || p.precision < 1 || p.precision > kMaxBeltPrecision)
    return b;
  b.phi = std::atan2(p.yDistance, p.xDistance);
  b.dist = std::sqrt(p.xDistance * p.xDistance + p.yDistance * p.yDistance);
  // The outer tangents exist only while neither wheel holds the other.
  if (!(b.dist > std::fabs(p.r2 - p.r1))) return b;
  b.psi = std::asin((p.r2 - p.r1) / b.dist);
  b.n1 = static_cast<int32_t>(std::trunc(p.precision * (kPi - 2 * b.psi) / kPi));
  b.n2 = 2 * p.precision - b.n1;
  if (b.n1 < 1 || b.n2 < 1) return b;
  b.s1 = (kPi - 2 * b.psi) / b.n1;
  b.s2 = (kPi + 2 * b.psi) / b.n2;
  // A cylinder over half a turn would be lengthened without bound.
  if (p.useCylinder && (b.s1 >= kPi - 1e-6 || b.s2 >= kPi - 1e-6)) return b;
  b.a1 = b.phi + kPi * 0.5 + b.psi;
  b.tangent = std::sqrt(b.dist * b.dist - (p.r1 - p.r2) * (p.r1 - p.r2));
  b.valid = std::isfinite(b.tangent) && std::isfinite(b.a1);
  return b;
}
