#include "model/TlvPlate.h"

#include "platform/Numbers.h"

CTlvPlate::CTlvPlate() : CTlvParamPart(ElementType::ArrowPlate) { Rebuild(); }

std::string CTlvPlate::PackParams(const PlateParams& p) const {
  return " " + PackInt(p.width) + PackInt(p.length) + PackInt(p.height);
}

bool CTlvPlate::UnpackParams(CTokenReader& r, PlateParams& p) const {
  return r.NextInt32(p.width) && r.NextInt32(p.length) && r.NextInt32(p.height);
}

void CTlvPlate::BuildGeometry(CGeneratorFile& file) const {
  const PlateParams& p = m_params;
  file.BuildPlate(p.width, p.length, p.height, p.studs);
}

int CTlvPlate::Describe(ElementDescription& out) const {
  CTlvGeneratedPart::Describe(out);
  out.typeFlags = (out.typeFlags & ~0xFFFu) | ToCode(ElementType::Reference);
  return 1;
}
