#pragma once
// The parameters of the five generated parts, with the values a new part gets, and the bounds
// every set of them must keep before geometry is built from it. Values come from files and from
// dialogs; a set outside the bounds is refused, so no builder loops for ever, runs out of memory
// or divides by zero.
#include <cstdint>
#include <string>

#include "config/Geometry.h"

struct SpringParams {
  double height = 20;       // H: total height of the helix
  double revolutions = 1;   // R
  double diameter = 10;     // D: centre line of the wire
  double wire = 2;          // S: thickness of the wire
  int32_t topRings = 1;     // T
  int32_t bottomRings = 1;  // B
};

struct HoseParams {
  CVector3 start{-37, -78, 150};
  CVector3 startControl{120, 30, -1};
  CVector3 end{-60, -61, 240};
  CVector3 endControl{30, 100, 0};
  int32_t steps = 50;
  std::string firstPart = "756.dat";
  std::string part = "754.DAT";
  int32_t drawLine = 0;
};

struct BeltParams {
  double xDistance = 100;
  double yDistance = 20;
  double r1 = 40;
  double r2 = 10;
  double thickness = 5;
  int32_t precision = 16;
  int32_t useCylinder = 1;
};

struct ArrowParams {
  double w1 = 10;
  double w2 = 4;
  double l1 = 12;
  double l2 = 40;
  double xDistance = 3;
  double radius = 30;
  int32_t indicatorType = 0;  // 0 none, 1 straight, 2 circle
  int32_t sections = 2;       // quarter circles minus one, 0 to 2
  uint32_t pointerColor = 16;
  uint32_t indicatorColor = 16;
};

struct PlateParams {
  int32_t width = 10;   // W, studs
  int32_t length = 12;  // L, studs
  int32_t height = 3;   // H, LDU
  int32_t studs = 1;
};

// Bounds. Lengths and coordinates stay within kMaxGeneratorLength LDU.
inline constexpr double kMaxGeneratorLength = 1e6;
inline constexpr double kMaxSpringRevolutions = 1000;  // 16 000 helix segments
inline constexpr int32_t kMaxSpringRings = 100;
inline constexpr int32_t kMaxHoseSteps = 1000;
inline constexpr int32_t kMaxBeltPrecision = 1000;
inline constexpr int32_t kMaxPlateStuds = 128;  // along either side
inline constexpr int32_t kMaxPlateHeight = 10000;

bool IsValid(const SpringParams& p);
bool IsValid(const HoseParams& p);
bool IsValid(const BeltParams& p);
bool IsValid(const ArrowParams& p);
bool IsValid(const PlateParams& p);

// The belt's derived values; valid is false when the wheels overlap or a wheel would get no
// segment or a half-turn cylinder (whose lengthening has no bound).
struct BeltLayout {
  bool valid = false;
  double phi = 0, psi = 0, dist = 0, tangent = 0;
  int32_t n1 = 0, n2 = 0;
  double s1 = 0, s2 = 0, a1 = 0;
};
BeltLayout ComputeBeltLayout(const BeltParams& p);
