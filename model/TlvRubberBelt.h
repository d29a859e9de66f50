#pragma once
// A rubber belt around two wheels in the XY plane.
#include "model/TlvGeneratedPart.h"

class CTlvRubberBelt : public CTlvParamPart<CTlvRubberBelt, BeltParams, &IElementEditor::EditRubberBelt> {
 public:
  CTlvRubberBelt();

 protected:
  const char* Keyword() const override { return "RUBBER_BELT"; }
  const char* Text() const override { return "Rubber belt"; }
  std::string PackParams(const BeltParams& p) const override;
  bool UnpackParams(CTokenReader& reader, BeltParams& p) const override;
  void BuildGeometry(CGeneratorFile& file) const override;
};
