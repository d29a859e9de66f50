#pragma once
// The rotation model dialog: the profile editor, the current colour (a colour number), brick
// size, plates, grid, "Preview", "Clear" and "Size...". Builds into the dialog's own target with
// progress and Cancel and shows it in a model preview; the caller takes the target only after OK.
#include <wx/dialog.h>

#include "config/ColorEntry.h"
#include "model/QvFile.h"
#include "model/RotationModel.h"

class CModelPreview;
class wxCheckBox;
class wxChoice;
class wxSpinCtrl;
class wxStaticText;
class CRotModEdit;

class CRotationGenDlg : public wxDialog {
 public:
  CRotationGenDlg(wxWindow* parent, const ColorEntry* colors);
  CQvFile& GetTarget() { return m_target; }
  CRotationModel& GetModel() { return m_model; }
  bool Generate();
  CModelPreview* GetModelView() const { return m_modelView; }

 private:
  void OnSize(wxCommandEvent& event);
  void OnOK(wxCommandEvent& event);

  CRotationModel m_model;
  CQvFile m_target;
  CRotModEdit* m_editor = nullptr;
  CModelPreview* m_modelView = nullptr;
  wxSpinCtrl* m_color = nullptr;
  wxChoice* m_size = nullptr;
  wxCheckBox* m_plates = nullptr;
  wxCheckBox* m_grid = nullptr;
  wxStaticText* m_count = nullptr;
  wxButton* m_preview = nullptr;
};
