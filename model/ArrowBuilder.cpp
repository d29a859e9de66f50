// The instruction arrow: a pointer towards -x with its base at x = 0 and an optional straight or
// curved indicator behind it, all in the plane z = 0.
#include <cmath>

#include "model/GeneratorFile.h"

namespace {
constexpr double kPi = 3.141592653589793;
}

void CGeneratorFile::AddArrowGeometry(int32_t type, double w1, double l1, double xd, uint32_t pointerColor,
                                      double w2, double l2, double r, uint32_t indicatorColor,
                                      int32_t sections) {
  ArrowParams p;
  p.indicatorType = type;
  p.w1 = w1;
  p.l1 = l1;
  p.xDistance = xd;
  p.w2 = w2;
  p.l2 = l2;
  p.radius = r;
  p.sections = sections;
  if (!IsValid(p)) return;
  const CVector3 tip(-l1, 0, 0);
  // The rear corners reach behind the base only when the pointer is wider than the indicator;
  // otherwise the division below has no meaning.
  if (w1 - w2 > 0.00001 && xd > 0.00001) {
    const CVector3 a(-(w2 * xd / (w1 - w2)), 0, 0);
    AddTriangle(pointerColor, tip, CVector3(xd, -w1 / 2, 0), a);
    AddTriangle(pointerColor, tip, CVector3(xd, w1 / 2, 0), a);
    AddTriangle(pointerColor, a, CVector3(0, -w2 / 2, 0), CVector3(0, w2 / 2, 0));
  } else {
    AddTriangle(pointerColor, tip, CVector3(0, -w1 / 2, 0), CVector3(0, w1 / 2, 0));
  }
  if (type == 1) {
    AddQuad(indicatorColor, CVector3(0, -w2 / 2, 0), CVector3(l2, -w2 / 2, 0), CVector3(l2, w2 / 2, 0),
            CVector3(0, w2 / 2, 0));
  } else if (type == 2) {
    const double k = r - w2 / 2, inner = r - w2;
    for (int32_t i = 0; i < 16 * (sections + 1); ++i) {
      // The last segment of every quarter but the final one is left out: a gap between sections.
      if (i / 16 < sections && i % 16 == 15) continue;
      const double t0 = i * kPi * 0.03125, t1 = (i + 1) * kPi * 0.03125;
      AddQuad(indicatorColor, CVector3(r * std::sin(t0), k - r * std::cos(t0), 0),
              CVector3(r * std::sin(t1), k - r * std::cos(t1), 0),
              CVector3(inner * std::sin(t1), k - inner * std::cos(t1), 0),
              CVector3(inner * std::sin(t0), k - inner * std::cos(t0), 0));
    }
  }
}
