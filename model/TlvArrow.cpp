#include "model/TlvArrow.h"

#include "model/ElementEditor.h"
#include "platform/Numbers.h"

namespace {
std::string G(double v) { return " " + FormatReal(v); }
std::string I(int32_t v) { return StrPrintf(" %ld", static_cast<long>(v)); }
}  // namespace

CTlvArrow::CTlvArrow() : CTlvGeneratedPart(ElementType::ArrowPlate) { Rebuild(); }

std::unique_ptr<CQvPart> CTlvArrow::Clone() const {
  auto clone = std::make_unique<CTlvArrow>();
  CopyPlacement(*clone);
  clone->m_params = m_params;
  clone->Rebuild();
  return clone;
}

bool CTlvArrow::SetFromDialog(const ArrowParams& params) {
  if (!IsValid(params)) return false;
  m_params = params;
  Rebuild();
  return true;
}

bool CTlvArrow::EditParams() {
  ArrowParams p = m_params;
  if (!TheElementEditor().EditArrow(p) || !IsValid(p)) return false;
  m_params = p;
  return true;
}

std::string CTlvArrow::FormatParams() const {
  const ArrowParams& p = m_params;
  return " " + G(p.w1) + G(p.w2) + G(p.l1) + G(p.l2) + " " + G(p.xDistance) + G(p.radius) + I(p.indicatorType) +
         I(p.sections) + " " + StrPrintf(" %lu %lu", static_cast<unsigned long>(p.pointerColor),
                                          static_cast<unsigned long>(p.indicatorColor));
}

bool CTlvArrow::ParseParams(CTokenReader& r) {
  ArrowParams p;
  if (!r.NextDouble(p.w1) || !r.NextDouble(p.w2) || !r.NextDouble(p.l1) || !r.NextDouble(p.l2) ||
      !r.NextDouble(p.xDistance) || !r.NextDouble(p.radius) || !r.NextInt32(p.indicatorType) ||
      !r.NextInt32(p.sections) || !ParseUInt32(r.NextWord(), p.pointerColor) ||
      !ParseUInt32(r.NextWord(), p.indicatorColor) || !IsValid(p))
    return false;
  m_params = p;
  return true;
}

void CTlvArrow::BuildGeometry(CGeneratorFile& file) const {
  const ArrowParams& p = m_params;
  file.AddArrowGeometry(p.indicatorType, p.w1, p.l1, p.xDistance, p.pointerColor, p.w2, p.l2, p.radius,
                        p.indicatorColor, p.sections);
}
