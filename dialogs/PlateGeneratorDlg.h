#pragma once
// "Baseplate Generator": a plate of W x L studs and H LDU, with or without studs.
#include "dialogs/GeneratorDlg.h"
#include "model/GeneratorParams.h"

class CPlateGenerator : public CGeneratorDlg {
 public:
  explicit CPlateGenerator(wxWindow* parent);
  PlateParams m_params;

 protected:
  void Build(CGeneratorFile& file) const override;
  // H is a whole number of plate layers of 4 LDU.
  bool ParamsValid() const override { return IsValid(m_params) && m_params.height % 4 == 0; }
};
