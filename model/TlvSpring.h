#pragma once
// A spring: a wire swept along a helix and closed with flat rings.
#include "model/GeneratorParams.h"
#include "model/TlvGeneratedPart.h"

class CTlvSpring : public CTlvGeneratedPart {
 public:
  CTlvSpring();
  std::unique_ptr<CQvPart> Clone() const override;
  const SpringParams& GetParams() const { return m_params; }
  // Takes the parameters and rebuilds; false (nothing changed) when they are outside the bounds.
  bool SetFromDialog(const SpringParams& params);

 protected:
  const char* Keyword() const override { return "SPRING"; }
  const char* Text() const override { return "Spring"; }
  std::string FormatParams() const override;
  bool ParseParams(CTokenReader& reader) override;
  void BuildGeometry(CGeneratorFile& file) const override;
  bool EditParams() override;

 private:
  SpringParams m_params;
};
