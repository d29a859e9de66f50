#pragma once
// The mosaic generator's dialog: a picture (BMP, JPEG or GIF through the image library), brick
// size, plates, height and colour mode; builds into the dialog's own target with progress and
// Cancel, and shows the result in a model preview. The caller takes the target only after OK.
#include <wx/dialog.h>

#include <memory>
#include <string>

#include "config/ColorEntry.h"
#include "model/MosaicBuilder.h"
#include "model/QvFile.h"

class CModelPreview;
class wxCheckBox;
class wxChoice;
class wxSlider;
class wxStaticBitmap;
class wxStaticText;
class wxTextCtrl;

class CMosaicGenDlg : public wxDialog {
 public:
  CMosaicGenDlg(wxWindow* parent, const ColorEntry* colors);
  CQvFile& GetTarget() { return m_target; }
  // Checks and reads the picture file, fits it to the largest mosaic, shows it and generates.
  // false (with a message) when it is no picture.
  bool LoadPicture(const std::string& path);
  bool Generate();
  CModelPreview* GetModelView() const { return m_modelView; }

 private:
  void ReadControls();
  void OnChanged();
  void OnBrowse(wxCommandEvent& event);
  void OnOK(wxCommandEvent& event);

  const ColorEntry* m_colors;
  CMosaicBuilder m_builder;
  std::unique_ptr<CDib> m_picture;
  CQvFile m_target;
  bool m_changed = false;
  wxTextCtrl* m_path = nullptr;
  wxCheckBox* m_plates = nullptr;
  wxChoice* m_size = nullptr;
  wxSlider* m_height = nullptr;
  wxChoice* m_mode = nullptr;
  wxStaticBitmap* m_view = nullptr;
  CModelPreview* m_modelView = nullptr;
  wxStaticText* m_count = nullptr;
  wxButton* m_preview = nullptr;
};
