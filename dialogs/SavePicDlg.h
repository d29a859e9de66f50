#pragma once
// "Save Image(s) Options": a picture per building step or of each complete model, its size and
// file type, pictures of the submodels, step numbers, central perspective, and the view direction,
// set by turning the model in a preview. The choices are kept for the rest of the run (never in
// the profile); Cancel leaves them as they were.
#include <wx/dialog.h>

#include "document/PictureSeries.h"

class CModelPreview;
class CQvFile;
class wxCheckBox;
class wxChoice;
class wxRadioButton;

class CSavePicDlg : public wxDialog {
 public:
  static constexpr int kEachStepId = 1084;
  static constexpr int kAssemblyId = 1085;
  static constexpr int kResolutionId = 1086;
  static constexpr int kPreviewId = 1121;
  static constexpr int kSubmodelsId = 1154;
  static constexpr int kStepNumbersId = 1334;
  static constexpr int kFileTypeId = 1371;
  static constexpr int kPerspectiveId = 1372;

  // The options of the run, read by the Save Image(s) command after OK. The view matrix is the
  // default view until the first dialog of the run takes it.
  static PictureSeriesOptions& Options();
  // Back to the start of a run (the next dialog takes the default view again).
  static void ResetOptions();

  // The model is shown in the preview; it must outlive the dialog.
  CSavePicDlg(wxWindow* parent, CQvFile* model);

  CModelPreview& Preview() const { return *m_preview; }
  // The "Save..." button: the fields and the preview's view become the options; ends with OK.
  void Accept();

 private:
  void ShowOptions();

  CModelPreview* m_preview;
  wxRadioButton* m_eachStep;
  wxRadioButton* m_assembly;
  wxChoice* m_resolution;
  wxChoice* m_fileType;
  wxCheckBox* m_submodels;
  wxCheckBox* m_stepNumbers;
  wxCheckBox* m_perspective;
};
