#include "model/TlvHose.h"

#include "platform/Numbers.h"

CTlvHose::CTlvHose() : CTlvParamPart(ElementType::Hose) { Rebuild(); }

std::string CTlvHose::PackParams(const HoseParams& p) const {
  return " " + PackReal(p.start.x) + PackReal(p.start.y) + PackReal(p.start.z) + " " +
         PackReal(p.startControl.x) + PackReal(p.startControl.y) + PackReal(p.startControl.z) +
         PackReal(p.end.x) + PackReal(p.end.y) + PackReal(p.end.z) + PackReal(p.endControl.x) +
         PackReal(p.endControl.y) + PackReal(p.endControl.z) + PackInt(p.steps) + " " + p.firstPart + " " +
         p.part + PackInt(p.drawLine);
}

bool CTlvHose::UnpackParams(CTokenReader& r, HoseParams& p) const {
  for (CVector3* v : {&p.start, &p.startControl, &p.end, &p.endControl})
    if (!r.NextDouble(v->x) || !r.NextDouble(v->y) || !r.NextDouble(v->z)) return false;
  if (!r.NextInt32(p.steps)) return false;
  p.firstPart = std::string(r.NextWord());
  p.part = std::string(r.NextWord());
  return r.NextInt32(p.drawLine);
}

void CTlvHose::BuildGeometry(CGeneratorFile& file) const {
  const HoseParams& p = m_params;
  file.BuildFlexHose(p.start, p.end, p.startControl, p.endControl, p.steps, p.firstPart, p.part, p.drawLine);
}
