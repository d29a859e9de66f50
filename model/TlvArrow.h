#pragma once
// An arrow for building instructions: a pointer and an optional straight or curved indicator.
#include "model/TlvGeneratedPart.h"

class CTlvArrow : public CTlvParamPart<CTlvArrow, ArrowParams, &IElementEditor::EditArrow> {
 public:
  CTlvArrow();

 protected:
  const char* Keyword() const override { return "ARROW"; }
  const char* Text() const override { return "Arrow"; }
  std::string PackParams(const ArrowParams& p) const override;
  bool UnpackParams(CTokenReader& reader, ArrowParams& p) const override;
  void BuildGeometry(CGeneratorFile& file) const override;
};
