#pragma once
// The progress window of a model generator's build: "Computing image & model ..." with Cancel,
// advanced by the generator once per band.
#include <memory>

#include "dialogs/ProgressDlg.h"
#include "model/LayeredBuilder.h"

class CGeneratorProgress {
 public:
  CGeneratorProgress(wxWindow* owner, int bands);
  // The generator's callback: moves the bar, false once Cancel was pressed.
  CLayeredBuilder::ProgressFn Callback();

 private:
  std::unique_ptr<CProgressDlg> m_dialog;
};
