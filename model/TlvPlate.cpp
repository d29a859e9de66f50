#include "model/TlvPlate.h"

#include "model/ElementEditor.h"
#include "platform/Numbers.h"

namespace {
std::string I(int32_t v) { return StrPrintf(" %ld", static_cast<long>(v)); }
}  // namespace

CTlvPlate::CTlvPlate() : CTlvGeneratedPart(ElementType::ArrowPlate) { Rebuild(); }

std::unique_ptr<CQvPart> CTlvPlate::Clone() const {
  auto clone = std::make_unique<CTlvPlate>();
  CopyPlacement(*clone);
  clone->m_params = m_params;
  clone->Rebuild();
  return clone;
}

bool CTlvPlate::SetFromDialog(const PlateParams& params) {
  if (!IsValid(params)) return false;
  m_params = params;
  Rebuild();
  return true;
}

bool CTlvPlate::EditParams() {
  PlateParams p = m_params;
  if (!TheElementEditor().EditPlate(p) || !IsValid(p)) return false;
  m_params = p;
  return true;
}

std::string CTlvPlate::FormatParams() const {
  const PlateParams& p = m_params;
  return " " + I(p.width) + I(p.length) + I(p.height);
}

bool CTlvPlate::ParseParams(CTokenReader& r) {
  PlateParams p;
  p.studs = m_params.studs;
  if (!r.NextInt32(p.width) || !r.NextInt32(p.length) || !r.NextInt32(p.height) || !IsValid(p)) return false;
  m_params = p;
  return true;
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
