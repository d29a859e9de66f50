#include "model/TlvArrow.h"

#include "platform/Numbers.h"

CTlvArrow::CTlvArrow() : CTlvParamPart(ElementType::ArrowPlate) { Rebuild(); }

std::string CTlvArrow::PackParams(const ArrowParams& p) const {
  return " " + PackReal(p.w1) + PackReal(p.w2) + PackReal(p.l1) + PackReal(p.l2) + " " +
         PackReal(p.xDistance) + PackReal(p.radius) + PackInt(p.indicatorType) + PackInt(p.sections) + " " +
         PackUInt(p.pointerColor) + PackUInt(p.indicatorColor);
}

bool CTlvArrow::UnpackParams(CTokenReader& r, ArrowParams& p) const {
  return r.NextDouble(p.w1) && r.NextDouble(p.w2) && r.NextDouble(p.l1) && r.NextDouble(p.l2) &&
         r.NextDouble(p.xDistance) && r.NextDouble(p.radius) && r.NextInt32(p.indicatorType) &&
         r.NextInt32(p.sections) && ParseUInt32(r.NextWord(), p.pointerColor) &&
         ParseUInt32(r.NextWord(), p.indicatorColor);
}

void CTlvArrow::BuildGeometry(CGeneratorFile& file) const {
  const ArrowParams& p = m_params;
  file.AddArrowGeometry(p.indicatorType, p.w1, p.l1, p.xDistance, p.pointerColor, p.w2, p.l2, p.radius,
                        p.indicatorColor, p.sections);
}
