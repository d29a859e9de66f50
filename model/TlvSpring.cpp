#include "model/TlvSpring.h"

#include "model/ElementEditor.h"
#include "platform/Numbers.h"

namespace {
std::string G(double v) { return " " + FormatReal(v); }
std::string I(int32_t v) { return StrPrintf(" %ld", static_cast<long>(v)); }
}  // namespace

CTlvSpring::CTlvSpring() : CTlvGeneratedPart(ElementType::Spring) { Rebuild(); }

std::unique_ptr<CQvPart> CTlvSpring::Clone() const {
  auto clone = std::make_unique<CTlvSpring>();
  CopyPlacement(*clone);
  clone->m_params = m_params;
  clone->Rebuild();
  return clone;
}

bool CTlvSpring::SetFromDialog(const SpringParams& params) {
  if (!IsValid(params)) return false;
  m_params = params;
  Rebuild();
  return true;
}

bool CTlvSpring::EditParams() {
  SpringParams p = m_params;
  if (!TheElementEditor().EditSpring(p) || !IsValid(p)) return false;
  m_params = p;
  return true;
}

std::string CTlvSpring::FormatParams() const {
  const SpringParams& p = m_params;
  return G(p.height) + G(p.revolutions) + G(p.diameter) + G(p.wire) + I(p.topRings) + I(p.bottomRings);
}

bool CTlvSpring::ParseParams(CTokenReader& r) {
  SpringParams p;
  if (!r.NextDouble(p.height) || !r.NextDouble(p.revolutions) || !r.NextDouble(p.diameter) ||
      !r.NextDouble(p.wire) || !r.NextInt32(p.topRings) || !r.NextInt32(p.bottomRings) || !IsValid(p))
    return false;
  m_params = p;
  return true;
}

void CTlvSpring::BuildGeometry(CGeneratorFile& file) const {
  const SpringParams& p = m_params;
  file.AddSpringGeometry(p.height, p.revolutions, p.diameter, p.wire, p.topRings, p.bottomRings);
}
