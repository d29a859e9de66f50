#include "model/TlvSpring.h"

#include "platform/Numbers.h"

CTlvSpring::CTlvSpring() : CTlvParamPart(ElementType::Spring) { Rebuild(); }

std::string CTlvSpring::PackParams(const SpringParams& p) const {
  return PackReal(p.height) + PackReal(p.revolutions) + PackReal(p.diameter) + PackReal(p.wire) +
         PackInt(p.topRings) + PackInt(p.bottomRings);
}

bool CTlvSpring::UnpackParams(CTokenReader& r, SpringParams& p) const {
  return r.NextDouble(p.height) && r.NextDouble(p.revolutions) && r.NextDouble(p.diameter) &&
         r.NextDouble(p.wire) && r.NextInt32(p.topRings) && r.NextInt32(p.bottomRings);
}

void CTlvSpring::BuildGeometry(CGeneratorFile& file) const {
  const SpringParams& p = m_params;
  file.AddSpringGeometry(p.height, p.revolutions, p.diameter, p.wire, p.topRings, p.bottomRings);
}
