#include "render/FitBox.h"

#include <cmath>

void SaneBox(CVector3& min, CVector3& max) {
  constexpr double kHalfStud = 10;
  const bool finite = std::isfinite(min.x) && std::isfinite(min.y) && std::isfinite(min.z) &&
                      std::isfinite(max.x) && std::isfinite(max.y) && std::isfinite(max.z);
  if (!finite || min.x > max.x || min.y > max.y || min.z > max.z || !std::isfinite(max.x - min.x) ||
      !std::isfinite(max.y - min.y) || !std::isfinite(max.z - min.z)) {
    min = CVector3(-kHalfStud, -kHalfStud, 0);
    max = CVector3(kHalfStud, kHalfStud, 0);
    return;
  }
  constexpr double kFlat = 1e-9;
  if (max.x - min.x <= kFlat && max.y - min.y <= kFlat) {
    const CVector3 c((min.x + max.x) / 2, (min.y + max.y) / 2, 0);
    min.x = c.x - kHalfStud;
    max.x = c.x + kHalfStud;
    min.y = c.y - kHalfStud;
    max.y = c.y + kHalfStud;
  }
}
