#pragma once
// "Rubber Belt Generator": a belt around two wheels of radii R1 and R2 at a distance.
#include "dialogs/GeneratorDlg.h"
#include "model/GeneratorParams.h"

class CrubberbeltDlg : public CGeneratorDlg {
 public:
  explicit CrubberbeltDlg(wxWindow* parent);
  BeltParams m_params;
  static int s_lastOutput;

 protected:
  void Build(CGeneratorFile& file) const override;
  bool ParamsValid() const override { return IsValid(m_params) && ComputeBeltLayout(m_params).valid; }
  void Accepted() override { s_lastOutput = m_output; }
};
