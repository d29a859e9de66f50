#include "dialogs/SettingsPageGrid.h"

#include "dialogs/SettingsPageLayout.h"
#include "dialogs/EditCheckCtrl.h"
#include "dialogs/SettingsValidators.h"

namespace {
struct GridRow {
  const char* label;
  int x, y, z, angle;  // control ids
};
constexpr GridRow kRows[3] = {
    {"Default for grid coarse", 1095, 1099, 1100, 1134},
    {"Default for grid medium", 1096, 1101, 1102, 1135},
    {"Default for grid fine", 1097, 1103, 1104, 1136},
};
}  // namespace

CMyPropertyPage5::CMyPropertyPage5(wxWindow* parent)
    : wxPanel(parent, 166, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL, "Step, Grid, Snap") {
  SetExtraStyle(wxWS_EX_VALIDATE_RECURSIVELY);
  auto* grid = new wxFlexGridSizer(5, wxSize(4, 4));
  for (const char* head : {"", "X", "Y", "Z", "Rotation angle"})
    grid->Add(new wxStaticText(this, wxID_ANY, head), 0, wxALIGN_CENTER_HORIZONTAL | wxALL, 4);
  auto field = [this, grid](int id, double* value, double min, double max) {
    grid->Add((new CEditCheckCtrl(this, id, NumberFieldType::Real, wxSize(70, -1)))
                  ->WithValidator(CRangeValidator<double>(value, min, max)),
              0, wxALL, 2);
  };
  for (int r = 0; r < 3; ++r) {
    const GridRow& row = kRows[r];
    CVector3& step = m_values.steps[r];
    grid->Add(new wxStaticText(this, wxID_ANY, row.label), 0, wxALIGN_CENTER_VERTICAL | wxALL, 4);
    field(row.x, &step.x, kMinStepUnit, kMaxStepUnit);
    field(row.y, &step.y, kMinStepUnit, kMaxStepUnit);
    field(row.z, &step.z, kMinStepUnit, kMaxStepUnit);
    field(row.angle, &m_values.angles[r], kMinGridAngle, kMaxGridAngle);
  }
  auto* top = new wxBoxSizer(wxVERTICAL);
  top->Add(grid, 0, wxALL, 8);
  SetSizer(top);
}
