#pragma once
// A rubber belt around two wheels in the XY plane.
#include "model/GeneratorParams.h"
#include "model/TlvGeneratedPart.h"

class CTlvRubberBelt : public CTlvGeneratedPart {
 public:
  CTlvRubberBelt();
  std::unique_ptr<CQvPart> Clone() const override;
  const BeltParams& GetParams() const { return m_params; }
  // Takes the parameters and rebuilds; false (nothing changed) when they are outside the bounds.
  bool SetFromDialog(const BeltParams& params);

 protected:
  const char* Keyword() const override { return "RUBBER_BELT"; }
  const char* Text() const override { return "Rubber belt"; }
  std::string FormatParams() const override;
  bool ParseParams(CTokenReader& reader) override;
  void BuildGeometry(CGeneratorFile& file) const override;
  bool EditParams() override;

 private:
  BeltParams m_params;
};
