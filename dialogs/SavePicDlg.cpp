#include "dialogs/SavePicDlg.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "config/Settings.h"
#include "dialogs/ModelPreview.h"

namespace {
constexpr int kDialogId = 148;

struct RunOptions {
  PictureSeriesOptions options;
  bool firstUse = true;
};

RunOptions& TheRunOptions() {
  static RunOptions run;
  return run;
}

CMatrix3 ToMatrix(const double view[9]) {
  CMatrix3 m;
  for (int i = 0; i < 9; ++i) m.m[i] = view[i];
  return m;
}
}  // namespace

PictureSeriesOptions& CSavePicDlg::Options() {
  RunOptions& run = TheRunOptions();
  if (run.firstUse) {
    run.firstUse = false;
    for (int i = 0; i < 9; ++i) run.options.view[i] = theDefaultViewMatrix.m[i];
  }
  return run.options;
}

void CSavePicDlg::ResetOptions() { TheRunOptions() = RunOptions(); }

CSavePicDlg::CSavePicDlg(wxWindow* parent, CQvFile* model)
    : wxDialog(parent, kDialogId, "Save Image(s) Options", wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE, "SavePicDlg") {
  m_eachStep = new wxRadioButton(this, kEachStepId, "Image for each step", wxDefaultPosition, wxDefaultSize,
                                 wxRB_GROUP);
  m_assembly = new wxRadioButton(this, kAssemblyId, "Complete assembly image");
  const wxString sizes[] = {"160 x 120",  "320 x 240",   "640 x 480",  "800 x 600",
                            "1024 x 768", "1280 x 1024", "1600 x 1200"};
  m_resolution = new wxChoice(this, kResolutionId, wxDefaultPosition, wxDefaultSize, 7, sizes);
  const wxString types[] = {"Bitmap", "Jpeg", "Gif", "Png", "Tiff"};
  m_fileType = new wxChoice(this, kFileTypeId, wxDefaultPosition, wxDefaultSize, 5, types);
  m_submodels = new wxCheckBox(this, kSubmodelsId, "Include images of submodels");
  m_stepNumbers = new wxCheckBox(this, kStepNumbersId, "Show step number in image");
  m_perspective = new wxCheckBox(this, kPerspectiveId, "Central perspective");
  m_preview = new CModelPreview(this, kPreviewId, wxSize(240, 180));
  m_preview->SetMouseRotation(true);
  m_preview->SetModel(model);

  auto* grid = new wxFlexGridSizer(2, 5, 5);
  grid->Add(new wxStaticText(this, wxID_ANY, "Image resolution:"), 0, wxALIGN_CENTER_VERTICAL);
  grid->Add(m_resolution);
  grid->Add(new wxStaticText(this, wxID_ANY, "File type:"), 0, wxALIGN_CENTER_VERTICAL);
  grid->Add(m_fileType);
  auto* left = new wxBoxSizer(wxVERTICAL);
  for (wxWindow* item : std::initializer_list<wxWindow*>{m_eachStep, m_assembly})
    left->Add(item, 0, wxBOTTOM, 5);
  left->Add(grid, 0, wxTOP | wxBOTTOM, 5);
  for (wxWindow* item : std::initializer_list<wxWindow*>{m_submodels, m_stepNumbers, m_perspective})
    left->Add(item, 0, wxBOTTOM, 5);
  auto* right = new wxBoxSizer(wxVERTICAL);
  right->Add(new wxStaticText(this, wxID_ANY, "Click and move mouse to set the view angle(s)"), 0, wxBOTTOM,
             3);
  right->Add(m_preview, 1, wxEXPAND);
  auto* body = new wxBoxSizer(wxHORIZONTAL);
  body->Add(left, 0, wxRIGHT, 10);
  body->Add(right, 1, wxEXPAND);
  auto* buttons = new wxBoxSizer(wxHORIZONTAL);
  buttons->AddStretchSpacer();
  buttons->Add(new wxButton(this, wxID_OK, "Save..."), 0, wxRIGHT, 5);
  buttons->Add(new wxButton(this, wxID_CANCEL, "Cancel"));
  auto* top = new wxBoxSizer(wxVERTICAL);
  top->Add(body, 1, wxALL | wxEXPAND, 8);
  top->Add(buttons, 0, wxLEFT | wxRIGHT | wxBOTTOM | wxEXPAND, 8);
  SetSizerAndFit(top);

  m_perspective->Bind(wxEVT_CHECKBOX,
                      [this](wxCommandEvent&) { m_preview->SetPerspective(m_perspective->GetValue()); });
  Bind(
      wxEVT_BUTTON, [this](wxCommandEvent&) { Accept(); }, wxID_OK);
  ShowOptions();
}

void CSavePicDlg::ShowOptions() {
  const PictureSeriesOptions& options = Options();
  (options.kind == 1 ? m_assembly : m_eachStep)->SetValue(true);
  m_resolution->SetSelection(options.resolution >= 0 && options.resolution < 7 ? options.resolution : 4);
  m_fileType->SetSelection(options.fileType >= 0 && options.fileType < 5 ? options.fileType : 0);
  m_submodels->SetValue(options.submodels);
  m_stepNumbers->SetValue(options.stepNumbers);
  m_perspective->SetValue(options.perspective);
  // The view shown is also the base of the drags, so that the first drag turns it from where it
  // is instead of from the front view.
  const CMatrix3 view = ToMatrix(options.view);
  m_preview->SetAngles(0, 0, 0);
  m_preview->SetPerspective(options.perspective);
  m_preview->SetView(view, view);
}

void CSavePicDlg::Accept() {
  PictureSeriesOptions& options = Options();
  options.kind = m_assembly->GetValue() ? 1 : 0;
  options.resolution = m_resolution->GetSelection();
  options.fileType = m_fileType->GetSelection();
  options.submodels = m_submodels->GetValue();
  options.stepNumbers = m_stepNumbers->GetValue();
  options.perspective = m_perspective->GetValue();
  CMatrix3 view;
  double angles[3];
  m_preview->GetView(view, angles);
  for (int i = 0; i < 9; ++i) options.view[i] = view.m[i];
  if (IsModal())
    EndModal(wxID_OK);
  else
    SetReturnCode(wxID_OK);
}
