#pragma once
// "Arrow Generator": a pointer of width W1 and length L1, with an indicator that is none, straight
// (W2 x L2) or a circle of radius R in one to three quarter sections.
#include "dialogs/GeneratorDlg.h"
#include "model/GeneratorParams.h"

class wxChoice;

class CArrowGenerator : public CGeneratorDlg {
 public:
  explicit CArrowGenerator(wxWindow* parent);
  ArrowParams m_params;

  bool TransferDataToWindow() override;

 protected:
  void Build(CGeneratorFile& file) const override;
  bool ParamsValid() const override;
  void Accepted() override;

 private:
  // Fields that only one indicator type uses are enabled for it alone.
  void ShowType();
  int32_t m_pointerColor = 16, m_indicatorColor = 16;
};
