#pragma once
// An arrow for building instructions: a pointer and an optional straight or curved indicator.
#include "model/GeneratorParams.h"
#include "model/TlvGeneratedPart.h"

class CTlvArrow : public CTlvGeneratedPart {
 public:
  CTlvArrow();
  std::unique_ptr<CQvPart> Clone() const override;
  const ArrowParams& GetParams() const { return m_params; }
  // Takes the parameters and rebuilds; false (nothing changed) when they are outside the bounds.
  bool SetFromDialog(const ArrowParams& params);

 protected:
  const char* Keyword() const override { return "ARROW"; }
  const char* Text() const override { return "Arrow"; }
  std::string FormatParams() const override;
  bool ParseParams(CTokenReader& reader) override;
  void BuildGeometry(CGeneratorFile& file) const override;
  bool EditParams() override;

 private:
  ArrowParams m_params;
};
