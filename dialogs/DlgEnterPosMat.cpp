#include "dialogs/DlgEnterPosMat.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <cmath>

#include "dialogs/EditCheckCtrl.h"
#include "platform/Numbers.h"

namespace {
constexpr int kDialogId = 206;
constexpr int kPositionId = 1089;  // 1089-1091
constexpr int kVectorId = 1092;    // 1092-1094
constexpr int kMatrixTextId = 1296;
constexpr int kAngleId = 1304;
constexpr int kAbsoluteId = 1305;
constexpr int kUsePositionId = 1309;
constexpr int kUseVectorId = 1310;
constexpr int kUseMatrixId = 1311;
constexpr int kResetId = 1306;
constexpr int kClearId = 1307;
constexpr double kMaxAngle = 180;
}  // namespace

std::string FormatMatrixText(const CMatrix3& matrix) {
  std::string text;
  for (int i = 0; i < 9; ++i) text += (i ? " " : "") + FormatG(matrix.m[i] == 0.0 ? 0.0 : matrix.m[i]);
  return text;
}

bool ParseMatrixText(const std::string& text, CMatrix3& matrix) {
  CTokenReader reader(text);
  CMatrix3 read;
  for (double& v : read.m)
    if (!reader.NextDouble(v) || !std::isfinite(v)) return false;
  if (!reader.AtEnd()) return false;
  matrix = read;
  return true;
}

CMatrix3 RoundedAxisAngle(const CVector3& axis, double degrees) {
  CMatrix3 m;
  m.SetAxisAngle(axis, degrees);
  for (double& v : m.m) v = static_cast<double>(std::llround(v * 1000000.0)) / 1000000.0 + 0.0;
  return m;
}

CDlgEnterPosMat::CDlgEnterPosMat(wxWindow* parent)
    : wxDialog(parent, kDialogId, "Position & Orientation", wxDefaultPosition, wxDefaultSize, wxDEFAULT_DIALOG_STYLE,
               "DlgEnterPosMat") {
  auto field = [this](int id, const char* name) {
    return new CEditCheckCtrl(this, id, NumberFieldType::Real, wxSize(90, -1), name);
  };
  auto check = [this](int id, const char* label, const char* name) {
    return new wxCheckBox(this, id, label, wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator, name);
  };
  const char* posNames[] = {"PosX", "PosY", "PosZ"};
  const char* vecNames[] = {"VecX", "VecY", "VecZ"};
  for (int i = 0; i < 3; ++i) {
    m_pos[i] = field(kPositionId + i, posNames[i]);
    m_vec[i] = field(kVectorId + i, vecNames[i]);
  }
  m_angleField = field(kAngleId, "Angle");
  m_matrixText = new wxTextCtrl(this, kMatrixTextId, wxEmptyString, wxDefaultPosition, wxSize(380, -1), 0,
                                wxDefaultValidator, "MatrixText");
  m_absolute = check(kAbsoluteId, "Absolute values", "Absolute");
  m_usePositionBox = check(kUsePositionId, "Use position values", "UsePosition");
  m_useVectorBox = check(kUseVectorId, "Use rotation vector values", "UseVector");
  m_useMatrixBox = check(kUseMatrixId, "Use rotation matrix values", "UseMatrix");

  auto* grid = new wxFlexGridSizer(4, 4, 6);
  grid->AddSpacer(0);
  for (const char* axis : {"X", "Y", "Z"}) grid->Add(new wxStaticText(this, wxID_ANY, axis), 0, wxALIGN_CENTER);
  grid->Add(new wxStaticText(this, wxID_ANY, "Position:"), 0, wxALIGN_CENTER_VERTICAL);
  for (auto* f : m_pos) grid->Add(f);
  grid->Add(new wxStaticText(this, wxID_ANY, "Rotation vector:"), 0, wxALIGN_CENTER_VERTICAL);
  for (auto* f : m_vec) grid->Add(f);
  grid->Add(new wxStaticText(this, wxID_ANY, "Angle:"), 0, wxALIGN_CENTER_VERTICAL);
  grid->Add(m_angleField);
  auto* top = new wxBoxSizer(wxVERTICAL);
  top->Add(grid, 0, wxALL, 10);
  auto* matrixRow = new wxBoxSizer(wxHORIZONTAL);
  matrixRow->Add(new wxStaticText(this, wxID_ANY, "Rotation matrix:"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 6);
  matrixRow->Add(m_matrixText, 1);
  top->Add(matrixRow, 0, wxLEFT | wxRIGHT | wxEXPAND, 10);
  auto* checks = new wxFlexGridSizer(2, 4, 16);
  checks->Add(m_absolute);
  checks->Add(m_usePositionBox);
  checks->Add(m_useVectorBox);
  checks->Add(m_useMatrixBox);
  top->Add(checks, 0, wxALL, 10);
  auto* buttons = new wxBoxSizer(wxHORIZONTAL);
  auto* reset = new wxButton(this, kResetId, "&Reset", wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator, "Reset");
  auto* clear = new wxButton(this, kClearId, "&Clear", wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator, "Clear");
  buttons->Add(reset, 0, wxRIGHT, 6);
  buttons->Add(clear, 0, wxRIGHT, 20);
  buttons->AddStretchSpacer();
  buttons->Add(CreateStdDialogButtonSizer(wxOK | wxCANCEL));
  top->Add(buttons, 0, wxALL | wxEXPAND, 10);
  SetSizerAndFit(top);

  reset->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnReset(); });
  clear->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnClear(); });
  m_absolute->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { ApplyEnableRules(); });
  m_usePositionBox->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { ApplyEnableRules(); });
  // The two rotation options exclude each other.
  m_useVectorBox->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) {
    if (m_useVectorBox->GetValue()) m_useMatrixBox->SetValue(false);
    ApplyEnableRules();
  });
  m_useMatrixBox->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) {
    if (m_useMatrixBox->GetValue()) m_useVectorBox->SetValue(false);
    ApplyEnableRules();
  });
  CentreOnParent();
}

void CDlgEnterPosMat::StartValues() {
  if (m_noElement) {
    m_matrix = CMatrix3::Identity();
    m_position = CVector3();
  }
  m_absolute->SetValue(!m_noElement);
  m_absolute->Enable(!m_noElement);
  for (int i = 0; i < 3; ++i) m_pos[i]->SetReal(i == 0 ? m_position.x : i == 1 ? m_position.y : m_position.z);
  m_matrixText->ChangeValue(FormatMatrixText(m_matrix));
}

bool CDlgEnterPosMat::TransferDataToWindow() {
  m_startPosition = m_position;
  m_startMatrix = m_matrix;
  m_startNoElement = m_noElement;
  StartValues();
  m_vec[0]->SetReal(m_vector.x);
  m_vec[1]->SetReal(m_vector.y);
  m_vec[2]->SetReal(m_vector.z);
  m_angleField->SetReal(m_angle);
  m_usePositionBox->SetValue(m_usePosition);
  m_useMatrixBox->SetValue(m_useMatrix);
  m_useVectorBox->SetValue(m_useVector && !m_useMatrix);
  ApplyEnableRules();
  return true;
}

void CDlgEnterPosMat::ApplyEnableRules() {
  // A rotation vector only turns relative to the current orientation.
  const bool absolute = m_absolute->GetValue();
  if (absolute) m_useVectorBox->SetValue(false);
  m_useVectorBox->Enable(!absolute);
  const bool usePosition = m_usePositionBox->GetValue();
  const bool useVector = m_useVectorBox->GetValue();
  for (auto* f : m_pos) f->Enable(usePosition);
  for (auto* f : m_vec) f->Enable(useVector);
  m_angleField->Enable(useVector);
  m_matrixText->Enable(m_useMatrixBox->GetValue());
}

void CDlgEnterPosMat::OnReset() {
  m_position = m_startPosition;
  m_matrix = m_startMatrix;
  m_noElement = m_startNoElement;
  StartValues();
  ApplyEnableRules();
}

void CDlgEnterPosMat::OnClear() {
  if (m_usePositionBox->GetValue())
    for (auto* f : m_pos) f->SetReal(0);
  if (m_useMatrixBox->GetValue()) m_matrixText->ChangeValue("1 0 0 0 1 0 0 0 1");
}

bool CDlgEnterPosMat::TransferDataFromWindow() {
  const bool usePosition = m_usePositionBox->GetValue();
  const bool useVector = m_useVectorBox->GetValue();
  const bool useMatrix = m_useMatrixBox->GetValue();
  double p[3] = {m_position.x, m_position.y, m_position.z};
  double v[3] = {m_vector.x, m_vector.y, m_vector.z};
  double angle = m_angle;
  if (usePosition)
    for (int i = 0; i < 3; ++i)
      if (!m_pos[i]->ReadReal(p[i])) return false;
  if (useVector) {
    for (int i = 0; i < 3; ++i)
      if (!m_vec[i]->ReadReal(v[i])) return false;
    if (!m_angleField->ReadReal(angle, -kMaxAngle, kMaxAngle)) return false;
  }
  CMatrix3 matrix = m_matrix;
  if (useVector) {
    matrix = RoundedAxisAngle(CVector3(v[0], v[1], v[2]), angle);
    m_matrixText->ChangeValue(FormatMatrixText(matrix));
  } else if (useMatrix && !ParseMatrixText(m_matrixText->GetValue().utf8_string(), matrix)) {
    // Anything but nine numbers gives the starting matrix back.
    matrix = m_startMatrix;
    m_matrixText->ChangeValue(FormatMatrixText(m_startMatrix));
  }
  m_position = CVector3(p[0], p[1], p[2]);
  m_vector = CVector3(v[0], v[1], v[2]);
  m_angle = angle;
  m_matrix = matrix;
  m_usePosition = usePosition;
  m_useVector = useVector;
  m_useMatrix = useMatrix;
  m_relative = !m_absolute->GetValue();
  return true;
}
