#pragma once
// "Spring Generator": a wire helix of height H and R revolutions on diameter D with wire S, closed
// by T and B flat rings.
#include "dialogs/GeneratorDlg.h"
#include "model/GeneratorParams.h"

class CSpring2datDlg : public CGeneratorDlg {
 public:
  explicit CSpring2datDlg(wxWindow* parent);
  SpringParams m_params;
  // The last output choice, offered again for the rest of the run.
  static int s_lastOutput;

 protected:
  void Build(CGeneratorFile& file) const override;
  bool ParamsValid() const override { return IsValid(m_params); }
  void Accepted() override { s_lastOutput = m_output; }
};
