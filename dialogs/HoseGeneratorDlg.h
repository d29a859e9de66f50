#pragma once
// "Flexible Hose Generator": a chain of parts along a curve from a start to an end point, bent by
// two control points.
#include "dialogs/GeneratorDlg.h"
#include "model/GeneratorParams.h"

class CHoseGeneratorDlg : public CGeneratorDlg {
 public:
  explicit CHoseGeneratorDlg(wxWindow* parent);
  HoseParams m_params;
  static int s_lastOutput;

 protected:
  void Build(CGeneratorFile& file) const override;
  bool ParamsValid() const override { return IsValid(m_params); }
  void Accepted() override { s_lastOutput = m_output; }
};
