#pragma once
// A flexible hose: library segments along a Bezier curve.
#include "model/TlvGeneratedPart.h"

class CTlvHose : public CTlvParamPart<CTlvHose, HoseParams, &IElementEditor::EditHose> {
 public:
  CTlvHose();

 protected:
  const char* Keyword() const override { return "FLEXHOSE"; }
  const char* Text() const override { return "Flex Hose"; }
  std::string PackParams(const HoseParams& p) const override;
  bool UnpackParams(CTokenReader& reader, HoseParams& p) const override;
  void BuildGeometry(CGeneratorFile& file) const override;
};
