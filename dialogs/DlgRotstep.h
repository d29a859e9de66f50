#pragma once
// "Rotation Step Angle": the three angles of a ROTSTEP line and how they apply: relative to the
// default view, absolute, or added to the current view. With a model given, a preview shows the
// model turned by the angles (relative or absolute), and a drag in it writes its angles back.
#include <wx/dialog.h>

#include "model/ElementEditor.h"

class CEditCheckCtrl;
class CModelPreview;
class wxButton;
class wxRadioButton;

class CDlgRotstep : public wxDialog {
 public:
  static constexpr double kMaxAngle = 360;

  CDlgRotstep(wxWindow* parent, const RotStepEdit& data);

  RotStepEdit m_data;

  bool TransferDataToWindow() override;
  bool TransferDataFromWindow() override;
  CModelPreview* GetPreview() const { return m_preview; }
  // Shows the model as the fields and the mode say; an additive step (or none) shows nothing.
  void ShowPreview();

 private:
  void OnPreviewDragged(wxCommandEvent& event);

  CEditCheckCtrl* m_angles[3];
  wxRadioButton* m_modes[3];
  wxButton* m_previewButton;
  CModelPreview* m_preview;
};
