#include "dialogs/SettingsPageDocument.h"

#include <wx/button.h>
#include <wx/statbox.h>

#include "dialogs/SettingsPageLayout.h"
#include "dialogs/EditCheckCtrl.h"
#include "dialogs/SettingsValidators.h"

namespace {
// A framed pair of radio buttons for one index.
void AddRadioPair(wxWindow* parent, wxSizer* sizer, const char* title, int firstId, int secondId,
                  const char* first, const char* second, int* value) {
  auto* box = new wxStaticBoxSizer(wxVERTICAL, parent, title);
  AddRadio(box->GetStaticBox(), box, firstId, first, true, CRadioIndexValidator(value, 0));
  AddRadio(box->GetStaticBox(), box, secondId, second, false, CRadioIndexValidator(value, 1));
  sizer->Add(box, 0, wxEXPAND | wxALL, 4);
}
}  // namespace

CMyPropertyPage4::CMyPropertyPage4(wxWindow* parent)
    : wxPanel(parent, 106, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL, "Document") {
  SetExtraStyle(wxWS_EX_VALIDATE_RECURSIVELY);
  auto* top = new wxBoxSizer(wxVERTICAL);
  auto* angles = new wxStaticBoxSizer(wxHORIZONTAL, this, "Default 3D rotation angles");
  wxWindow* box = angles->GetStaticBox();
  double* rot[] = {&m_values.rotX, &m_values.rotY, &m_values.rotZ};
  const char* axes[] = {"X", "Y", "Z"};
  for (int i = 0; i < 3; ++i) {
    angles->Add(new wxStaticText(box, wxID_ANY, axes[i]), 0, wxALIGN_CENTER_VERTICAL | wxALL, 4);
    angles->Add((new CEditCheckCtrl(box, 1092 + i, NumberFieldType::Real, wxSize(70, -1)))
                    ->WithValidator(CRangeValidator<double>(rot[i], kMinDefaultRotation, kMaxDefaultRotation)),
                0, wxALL, 4);
  }
  top->Add(angles, 0, wxEXPAND | wxALL, 4);
  AddRadioPair(this, top, "Position of new object", 1152, 1151, "Same as previous", "Centered", &m_values.position);
  AddRadioPair(this, top, "Orientation of new object", 1302, 1303, "Same as previous", "Default",
               &m_values.orientation);
  AddRadioPair(this, top, "Color for new object", 1096, 1097, "Same as previous", "Default", &m_values.color);
  auto* row = new wxBoxSizer(wxHORIZONTAL);
  row->Add(new wxStaticText(this, wxID_ANY, "Default color"), 0, wxALIGN_CENTER_VERTICAL | wxALL, 4);
  auto* color = new wxButton(this, 1098, wxEmptyString, wxDefaultPosition, wxSize(120, -1), 0,
                             CColorButtonValidator(&m_values.defaultColor));
  row->Add(color, 0, wxALL, 4);
  top->Add(row, 0, wxALL, 4);
  SetSizer(top);
  // New objects take only the first 32 colours.
  color->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
    TransferDataFromWindow();
    if (AskColorNumber(this, m_values.defaultColor, kMaxRestrictedColor)) TransferDataToWindow();
  });
}
