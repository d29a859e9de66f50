#pragma once
// A plate, brick or baseplate of any size. The studs flag is not in the meta line: a plate read
// from text has studs.
#include "model/GeneratorParams.h"
#include "model/TlvGeneratedPart.h"

class CTlvPlate : public CTlvGeneratedPart {
 public:
  CTlvPlate();
  std::unique_ptr<CQvPart> Clone() const override;
  // Shown in the line list like a placed part.
  int Describe(ElementDescription& out) const override;
  const PlateParams& GetParams() const { return m_params; }
  // Takes the parameters and rebuilds; false (nothing changed) when they are outside the bounds.
  bool SetFromDialog(const PlateParams& params);

 protected:
  const char* Keyword() const override { return "PLATE"; }
  const char* Text() const override { return "Plate"; }
  std::string FormatParams() const override;
  bool ParseParams(CTokenReader& reader) override;
  void BuildGeometry(CGeneratorFile& file) const override;
  bool EditParams() override;

 private:
  PlateParams m_params;
};
