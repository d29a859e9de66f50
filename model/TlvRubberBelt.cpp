#include "model/TlvRubberBelt.h"

#include "platform/Numbers.h"

CTlvRubberBelt::CTlvRubberBelt() : CTlvParamPart(ElementType::RubberBelt) { Rebuild(); }

std::string CTlvRubberBelt::PackParams(const BeltParams& p) const {
  return PackReal(p.xDistance) + PackReal(p.yDistance) + PackReal(p.r1) + PackReal(p.r2) +
         PackReal(p.thickness) + PackInt(p.precision) + PackInt(p.useCylinder);
}

bool CTlvRubberBelt::UnpackParams(CTokenReader& r, BeltParams& p) const {
  return r.NextDouble(p.xDistance) && r.NextDouble(p.yDistance) && r.NextDouble(p.r1) && r.NextDouble(p.r2) &&
         r.NextDouble(p.thickness) && r.NextInt32(p.precision) && r.NextInt32(p.useCylinder);
}

void CTlvRubberBelt::BuildGeometry(CGeneratorFile& file) const {
  const BeltParams& p = m_params;
  file.BuildRubberBelt(p.xDistance, p.yDistance, p.r1, p.r2, p.thickness, p.precision, p.useCylinder);
}
