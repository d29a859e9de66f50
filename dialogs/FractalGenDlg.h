#pragma once
// The landscape generator's dialog: size, height, brick size and the three options; "Compute new
// landscape" draws a new field (shown as its surface in the landscape preview), "Preview" builds
// the model into the dialog's own target and shows it in the model preview. OK builds when the model is not up to date; the caller takes the
// target only after OK, so Cancel leaves the document untouched.
#include <wx/dialog.h>

#include "model/FractalLandscape.h"
#include "model/QvFile.h"

class CModelPreview;
class wxCheckBox;
class wxChoice;
class wxSlider;
class wxStaticText;

class CFractalGenDlg : public wxDialog {
 public:
  explicit CFractalGenDlg(wxWindow* parent);
  CQvFile& GetTarget() { return m_target; }
  // Reads the controls, computes a landscape from the seed and shows it.
  void ComputeLandscape(uint32_t seed);
  // Builds the model with progress; false when it failed or was cancelled (the target is empty).
  bool BuildModel();
  bool IsBuilt() const { return m_built; }
  CModelPreview* GetLandscapeView() const { return m_landscapeView; }
  CModelPreview* GetModelView() const { return m_modelView; }

 private:
  void ReadControls();
  void ShowField();
  void OnOK(wxCommandEvent& event);
  void MarkUnbuilt();

  CFractalLandscape m_landscape;
  CQvFile m_target;
  CQvFile m_surface;
  bool m_built = false;
  wxSlider* m_levels = nullptr;
  wxSlider* m_height = nullptr;
  wxChoice* m_size = nullptr;
  wxCheckBox* m_baseplate = nullptr;
  wxCheckBox* m_colors = nullptr;
  wxCheckBox* m_plates = nullptr;
  CModelPreview* m_landscapeView = nullptr;
  CModelPreview* m_modelView = nullptr;
  wxStaticText* m_count = nullptr;
  wxButton* m_preview = nullptr;
};
