#pragma once
// A spring: a wire swept along a helix and closed with flat rings.
#include "model/TlvGeneratedPart.h"

class CTlvSpring : public CTlvParamPart<CTlvSpring, SpringParams, &IElementEditor::EditSpring> {
 public:
  CTlvSpring();

 protected:
  const char* Keyword() const override { return "SPRING"; }
  const char* Text() const override { return "Spring"; }
  std::string PackParams(const SpringParams& p) const override;
  bool UnpackParams(CTokenReader& reader, SpringParams& p) const override;
  void BuildGeometry(CGeneratorFile& file) const override;
};
