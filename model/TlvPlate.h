#pragma once
// A plate, brick or baseplate of any size. The studs flag is not in the meta line: a plate read
// from text has studs.
#include "model/TlvGeneratedPart.h"

class CTlvPlate : public CTlvParamPart<CTlvPlate, PlateParams, &IElementEditor::EditPlate> {
 public:
  CTlvPlate();
  // Shown in the line list like a placed part.
  int Describe(ElementDescription& out) const override;

 protected:
  const char* Keyword() const override { return "PLATE"; }
  const char* Text() const override { return "Plate"; }
  std::string PackParams(const PlateParams& p) const override;
  bool UnpackParams(CTokenReader& reader, PlateParams& p) const override;
  void BuildGeometry(CGeneratorFile& file) const override;
};
