#include "dialogs/DlgRotstep.h"

#include <wx/button.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "config/Settings.h"
#include "dialogs/EditCheckCtrl.h"
#include "dialogs/ModelPreview.h"

namespace {
constexpr int kDialogId = 160;
constexpr int kFirstAngleId = 1123;  // X, Y, Z
constexpr int kFirstModeId = 1126;   // Relative, Absolute, Additive
constexpr int kPreviewButtonId = 1121;
constexpr int kPreviewId = 1122;
}  // namespace

CDlgRotstep::CDlgRotstep(wxWindow* parent, const RotStepEdit& data)
    : wxDialog(parent, kDialogId, "Rotation Step Angle", wxDefaultPosition, wxDefaultSize, wxDEFAULT_DIALOG_STYLE,
               "DlgRotstep"),
      m_data(data) {
  auto* grid = new wxFlexGridSizer(2, 6, 8);
  const char* axes[] = {"X angle:", "Y angle:", "Z angle:"};
  const char* names[] = {"AngleX", "AngleY", "AngleZ"};
  for (int i = 0; i < 3; ++i) {
    m_angles[i] = new CEditCheckCtrl(this, kFirstAngleId + i, NumberFieldType::Real, wxSize(90, -1), names[i]);
    grid->Add(new wxStaticText(this, wxID_ANY, axes[i]), 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(m_angles[i]);
  }
  const char* modes[] = {"Relative", "Absolute", "Additive"};
  auto* modeColumn = new wxBoxSizer(wxVERTICAL);
  for (int i = 0; i < 3; ++i) {
    m_modes[i] = new wxRadioButton(this, kFirstModeId + i, modes[i], wxDefaultPosition, wxDefaultSize,
                                   i == 0 ? wxRB_GROUP : 0, wxDefaultValidator, modes[i]);
    modeColumn->Add(m_modes[i], 0, wxBOTTOM, 4);
  }
  m_previewButton = new wxButton(this, kPreviewButtonId, "Preview");
  modeColumn->Add(m_previewButton, 0, wxTOP, 8);
  m_preview = new CModelPreview(this, kPreviewId, wxSize(200, 200));
  auto* row = new wxBoxSizer(wxHORIZONTAL);
  row->Add(grid, 0, wxRIGHT, 20);
  row->Add(modeColumn);
  auto* top = new wxBoxSizer(wxVERTICAL);
  top->Add(row, 0, wxALL, 10);
  top->Add(m_preview, 1, wxLEFT | wxRIGHT | wxEXPAND, 10);
  top->Add(CreateStdDialogButtonSizer(wxOK | wxCANCEL), 0, wxALL | wxEXPAND, 10);
  SetSizerAndFit(top);
  CentreOnParent();

  m_previewButton->Enable(m_data.model != nullptr);
  m_preview->SetMouseRotation(true);
  // The preview only draws the model; it never changes it.
  m_preview->SetModel(const_cast<CQvFile*>(m_data.model));
  m_previewButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { ShowPreview(); });
  for (int i = 0; i < 3; ++i) {
    m_modes[i]->Bind(wxEVT_RADIOBUTTON, [this](wxCommandEvent&) { ShowPreview(); });
    // A half-typed angle must not leave an old picture that seems to show it.
    m_angles[i]->Bind(wxEVT_TEXT, [this](wxCommandEvent& event) {
      m_preview->Invalidate();
      event.Skip();
    });
    m_angles[i]->Bind(wxEVT_KILL_FOCUS, [this](wxFocusEvent& event) {
      ShowPreview();
      event.Skip();
    });
  }
  Bind(wxEVT_MODEL_PREVIEW_VIEW, &CDlgRotstep::OnPreviewDragged, this, kPreviewId);
}

void CDlgRotstep::ShowPreview() {
  if (!m_data.model) return;
  int mode = -1;
  for (int i = 0; i < 3; ++i)
    if (m_modes[i]->GetValue()) mode = i;
  m_preview->SetMouseRotation(mode != 2);
  if (mode != 0 && mode != 1) {
    m_preview->Invalidate();
    return;
  }
  // Typing is checked on OK; the picture follows what reads as a number now.
  const double x = m_angles[0]->LenientReal(), y = m_angles[1]->LenientReal(), z = m_angles[2]->LenientReal();
  CMatrix3 turn;
  turn.SetEuler(x, y, z);
  m_preview->SetAngles(x, y, z);
  if (mode == 0) {
    CMatrix3 current = theDefaultViewMatrix;
    current.Multiply(turn);
    m_preview->SetView(theDefaultViewMatrix, current);
  } else {
    m_preview->SetView(CMatrix3::Identity(), turn);
  }
}

void CDlgRotstep::OnPreviewDragged(wxCommandEvent&) {
  CMatrix3 matrix;
  double angles[3];
  m_preview->GetView(matrix, angles);
  for (int i = 0; i < 3; ++i) m_angles[i]->SetFloat(static_cast<float>(angles[i]));
}

bool CDlgRotstep::TransferDataToWindow() {
  m_angles[0]->SetFloat(static_cast<float>(m_data.angleX));
  m_angles[1]->SetFloat(static_cast<float>(m_data.angleY));
  m_angles[2]->SetFloat(static_cast<float>(m_data.angleZ));
  for (int i = 0; i < 3; ++i) m_modes[i]->SetValue(m_data.mode == i);
  if (m_data.mode < 2) ShowPreview();
  return true;
}

bool CDlgRotstep::TransferDataFromWindow() {
  double a[3];
  for (int i = 0; i < 3; ++i)
    if (!m_angles[i]->ReadReal(a[i], -kMaxAngle, kMaxAngle)) return false;
  m_data.angleX = a[0];
  m_data.angleY = a[1];
  m_data.angleZ = a[2];
  // A step is written as REL, ABS or ADD; without a choice it stays as it was.
  for (int i = 0; i < 3; ++i)
    if (m_modes[i]->GetValue()) m_data.mode = i;
  return true;
}
