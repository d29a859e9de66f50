#include "model/TlvRubberBelt.h"

#include "model/ElementEditor.h"
#include "platform/Numbers.h"

namespace {
std::string G(double v) { return " " + FormatReal(v); }
std::string I(int32_t v) { return StrPrintf(" %ld", static_cast<long>(v)); }
}  // namespace

CTlvRubberBelt::CTlvRubberBelt() : CTlvGeneratedPart(ElementType::RubberBelt) { Rebuild(); }

std::unique_ptr<CQvPart> CTlvRubberBelt::Clone() const {
  auto clone = std::make_unique<CTlvRubberBelt>();
  CopyPlacement(*clone);
  clone->m_params = m_params;
  clone->Rebuild();
  return clone;
}

bool CTlvRubberBelt::SetFromDialog(const BeltParams& params) {
  if (!IsValid(params)) return false;
  m_params = params;
  Rebuild();
  return true;
}

bool CTlvRubberBelt::EditParams() {
  BeltParams p = m_params;
  if (!TheElementEditor().EditRubberBelt(p) || !IsValid(p)) return false;
  m_params = p;
  return true;
}

std::string CTlvRubberBelt::FormatParams() const {
  const BeltParams& p = m_params;
  return G(p.xDistance) + G(p.yDistance) + G(p.r1) + G(p.r2) + G(p.thickness) + I(p.precision) +
         I(p.useCylinder);
}

bool CTlvRubberBelt::ParseParams(CTokenReader& r) {
  BeltParams p;
  if (!r.NextDouble(p.xDistance) || !r.NextDouble(p.yDistance) || !r.NextDouble(p.r1) || !r.NextDouble(p.r2) ||
      !r.NextDouble(p.thickness) || !r.NextInt32(p.precision) || !r.NextInt32(p.useCylinder) || !IsValid(p))
    return false;
  m_params = p;
  return true;
}

void CTlvRubberBelt::BuildGeometry(CGeneratorFile& file) const {
  const BeltParams& p = m_params;
  file.BuildRubberBelt(p.xDistance, p.yDistance, p.r1, p.r2, p.thickness, p.precision, p.useCylinder);
}
