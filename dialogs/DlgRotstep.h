#pragma once
// "Rotation Step Angle": the three angles of a ROTSTEP line and how they apply: relative to the
// default view, absolute, or added to the current view.
#include <wx/dialog.h>

#include "model/ElementEditor.h"

class CEditCheckCtrl;
class wxRadioButton;

class CDlgRotstep : public wxDialog {
 public:
  static constexpr double kMaxAngle = 360;

  CDlgRotstep(wxWindow* parent, const RotStepEdit& data);

  RotStepEdit m_data;

  bool TransferDataToWindow() override;
  bool TransferDataFromWindow() override;

 private:
  CEditCheckCtrl* m_angles[3];
  wxRadioButton* m_modes[3];
};
