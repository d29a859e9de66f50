#include "model/TlvHose.h"

#include "model/ElementEditor.h"
#include "platform/Numbers.h"

namespace {
std::string G(double v) { return " " + FormatReal(v); }
std::string I(int32_t v) { return StrPrintf(" %ld", static_cast<long>(v)); }
}  // namespace

CTlvHose::CTlvHose() : CTlvGeneratedPart(ElementType::Hose) { Rebuild(); }

std::unique_ptr<CQvPart> CTlvHose::Clone() const {
  auto clone = std::make_unique<CTlvHose>();
  CopyPlacement(*clone);
  clone->m_params = m_params;
  clone->Rebuild();
  return clone;
}

bool CTlvHose::SetFromDialog(const HoseParams& params) {
  if (!IsValid(params)) return false;
  m_params = params;
  Rebuild();
  return true;
}

bool CTlvHose::EditParams() {
  HoseParams p = m_params;
  if (!TheElementEditor().EditHose(p) || !IsValid(p)) return false;
  m_params = p;
  return true;
}

std::string CTlvHose::FormatParams() const {
  const HoseParams& p = m_params;
  return " " + G(p.start.x) + G(p.start.y) + G(p.start.z) + " " + G(p.startControl.x) + G(p.startControl.y) +
         G(p.startControl.z) + G(p.end.x) + G(p.end.y) + G(p.end.z) + G(p.endControl.x) + G(p.endControl.y) +
         G(p.endControl.z) + I(p.steps) + " " + p.firstPart + " " + p.part + I(p.drawLine);
}

bool CTlvHose::ParseParams(CTokenReader& r) {
  HoseParams p;
  for (CVector3* v : {&p.start, &p.startControl, &p.end, &p.endControl})
    if (!r.NextDouble(v->x) || !r.NextDouble(v->y) || !r.NextDouble(v->z)) return false;
  if (!r.NextInt32(p.steps)) return false;
  p.firstPart = std::string(r.NextWord());
  p.part = std::string(r.NextWord());
  if (!r.NextInt32(p.drawLine) || !IsValid(p)) return false;
  m_params = p;
  return true;
}

void CTlvHose::BuildGeometry(CGeneratorFile& file) const {
  const HoseParams& p = m_params;
  file.BuildFlexHose(p.start, p.end, p.startControl, p.endControl, p.steps, p.firstPart, p.part, p.drawLine);
}
