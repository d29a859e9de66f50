#include "dialogs/SettingsPageViewMode.h"

#include <wx/statbox.h>

#include "dialogs/SettingsPageLayout.h"
#include "dialogs/EditCheckCtrl.h"
#include "dialogs/SettingsValidators.h"

CMyPropertyPage6::CMyPropertyPage6(wxWindow* parent)
    : wxPanel(parent, 207, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL, "View Mode") {
  SetExtraStyle(wxWS_EX_VALIDATE_RECURSIVELY);
  auto* top = new wxBoxSizer(wxVERTICAL);
  auto* button = new wxStaticBoxSizer(wxVERTICAL, this, "Left mouse button in 3D view");
  AddRadio(button->GetStaticBox(), button, 1320, "Draw next step", true, CRadioIndexValidator(&m_values.leftButton, 0));
  AddRadio(button->GetStaticBox(), button, 1321, "Rotate part / model", false,
           CRadioIndexValidator(&m_values.leftButton, 1));
  top->Add(button, 0, wxEXPAND | wxALL, 4);
  auto* grid = new wxFlexGridSizer(2, wxSize(4, 0));
  AddRow(this, grid, "Fast step count:",
         (new CEditCheckCtrl(this, 1322, NumberFieldType::Int, wxSize(70, -1)))
             ->WithValidator(CRangeValidator<int>(&m_values.fastStep, kMinFastStep, kMaxFastStep)));
  AddRow(this, grid, "Added parts view type:",
         MakeChoice(this, 1192, {"Don't differentiate", "Highlight new", "Grayed previous", "Transparent previous"},
                    &m_values.addedParts));
  top->Add(grid, 0, wxALL, 4);
  SetSizer(top);
}
