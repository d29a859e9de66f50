#pragma once
// A flexible hose: library segments along a Bezier curve.
#include "model/GeneratorParams.h"
#include "model/TlvGeneratedPart.h"

class CTlvHose : public CTlvGeneratedPart {
 public:
  CTlvHose();
  std::unique_ptr<CQvPart> Clone() const override;
  const HoseParams& GetParams() const { return m_params; }
  // Takes the parameters and rebuilds; false (nothing changed) when they are outside the bounds.
  bool SetFromDialog(const HoseParams& params);

 protected:
  const char* Keyword() const override { return "FLEXHOSE"; }
  const char* Text() const override { return "Flex Hose"; }
  std::string FormatParams() const override;
  bool ParseParams(CTokenReader& reader) override;
  void BuildGeometry(CGeneratorFile& file) const override;
  bool EditParams() override;

 private:
  HoseParams m_params;
};
