#include "dialogs/SettingsPagePrinting.h"

#include "dialogs/SettingsPageLayout.h"

CMyPropertyPage3::CMyPropertyPage3(wxWindow* parent)
    : wxPanel(parent, 112, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL, "Printing") {
  SetExtraStyle(wxWS_EX_VALIDATE_RECURSIVELY);
  auto* top = new wxBoxSizer(wxVERTICAL);
  PrintingPageValues& v = m_values;
  wxCheckBox* model = AddCheck(this, top, 1135, "Print model", &v.printModel);
  m_steps = AddCheck(this, top, 1080, "Print steps", &v.printSteps);
  m_multi = AddCheck(this, top, 1078, "Multiple steps per page", &v.multiSteps);
  m_hq = AddCheck(this, top, 1081, "High quality", &v.printHQ);
  wxCheckBox* list = AddCheck(this, top, 1076, "Print parts list", &v.printPL);
  m_perStep = AddCheck(this, top, 1077, "Print parts per step", &v.printPLPP);
  AddCheck(this, top, 1147, "Print all models", &v.printSubModel);
  AddCheck(this, top, 1148, "Separate parts list", &v.printSubList);
  AddCheck(this, top, 1300, "Print header", &v.printHeader);
  AddCheck(this, top, 1301, "Print footer", &v.printFooter);
  AddCheck(this, top, 1335, "Print step numbers", &v.printStepNum);
  SetSizer(top);
  for (wxCheckBox* check : {model, m_steps, list})
    check->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) {
      TransferDataFromWindow();
      EnableDependents();
    });
}

bool CMyPropertyPage3::TransferDataToWindow() {
  bool ok = wxPanel::TransferDataToWindow();
  EnableDependents();
  return ok;
}

void CMyPropertyPage3::EnableDependents() {
  m_steps->Enable(m_values.StepsEnabled());
  m_hq->Enable(m_values.StepsEnabled());
  m_multi->Enable(m_values.MultiStepsEnabled());
  m_perStep->Enable(m_values.PartsPerStepEnabled());
}
