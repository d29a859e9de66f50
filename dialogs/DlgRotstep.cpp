#include "dialogs/DlgRotstep.h"

#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "dialogs/EditCheckCtrl.h"

namespace {
constexpr int kDialogId = 160;
constexpr int kFirstAngleId = 1123;  // X, Y, Z
constexpr int kFirstModeId = 1126;   // Relative, Absolute, Additive
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
  auto* row = new wxBoxSizer(wxHORIZONTAL);
  row->Add(grid, 0, wxRIGHT, 20);
  row->Add(modeColumn);
  auto* top = new wxBoxSizer(wxVERTICAL);
  top->Add(row, 0, wxALL, 10);
  top->Add(CreateStdDialogButtonSizer(wxOK | wxCANCEL), 0, wxALL | wxEXPAND, 10);
  SetSizerAndFit(top);
  CentreOnParent();
}

bool CDlgRotstep::TransferDataToWindow() {
  m_angles[0]->SetFloat(static_cast<float>(m_data.angleX));
  m_angles[1]->SetFloat(static_cast<float>(m_data.angleY));
  m_angles[2]->SetFloat(static_cast<float>(m_data.angleZ));
  for (int i = 0; i < 3; ++i) m_modes[i]->SetValue(m_data.mode == i);
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
