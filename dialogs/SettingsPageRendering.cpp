#include "dialogs/SettingsPageRendering.h"

#include <wx/button.h>
#include <wx/statbox.h>

#include "config/ColorDlgState.h"
#include "dialogs/SettingsPageLayout.h"
#include "dialogs/SettingsValidators.h"


CMyPropertyPage2::CMyPropertyPage2(wxWindow* parent)
    : wxPanel(parent, 111, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL, "Rendering") {
  SetExtraStyle(wxWS_EX_VALIDATE_RECURSIVELY);
  auto* top = new wxBoxSizer(wxVERTICAL);
  AddCheck(this, top, 1074, "Shading", &m_values.shading);
  AddCheck(this, top, 1372, "Perspective", &m_values.perspective);
  auto* grid = new wxFlexGridSizer(2, wxSize(4, 0));
  m_optimization = MakeChoice(this, 1354, {"Off", "Minimum", "Medium", "Maximum"}, &m_values.optimization);
  AddRow(this, grid, "Optimization", m_optimization);
  AddRow(this, grid, "Line width", MakeChoice(this, 1361, {"1", "2", "3"}, &m_values.lineWidth));
  AddRow(this, grid, "Stud mode", MakeChoice(this, 1249, {"None", "Lines", "Coarse", "Normal"}, &m_values.studMode));
  top->Add(grid, 0, wxALL, 4);
  m_bfc = AddCheck(this, top, 1357, "Use BFC statements", &m_values.enableBFC);
  AddCheck(this, top, 1095, "Draw to selected object only", &m_values.drawToSelection);

  auto* colors = new wxFlexGridSizer(2, wxSize(4, 0));
  auto* background = new wxButton(this, 1150, wxEmptyString, wxDefaultPosition, wxSize(120, -1), 0,
                                  CColorButtonValidator(&m_values.backgroundColor));
  AddRow(this, colors, "Background color", background);
  top->Add(colors, 0, wxALL, 4);

  auto* preview = new wxStaticBoxSizer(wxVERTICAL, this, "Preview options");
  auto* row = new wxBoxSizer(wxHORIZONTAL);
  wxWindow* box = preview->GetStaticBox();
  row->Add(new wxStaticText(box, wxID_ANY, "Color"), 0, wxALIGN_CENTER_VERTICAL | wxALL, 4);
  auto* previewColor = new wxButton(box, 1149, wxEmptyString, wxDefaultPosition, wxSize(120, -1), 0,
                                    CColorButtonValidator(&m_values.previewColor));
  row->Add(previewColor, 0, wxALL, 4);
  preview->Add(row);
  AddCheck(box, preview, 1298, "Small images", &m_values.smallPreview);
  top->Add(preview, 0, wxEXPAND | wxALL, 4);
  SetSizer(top);

  m_optimization->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { OnOptimization(); });
  background->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnColor(m_values.backgroundColor, kMaxRestrictedColor); });
  previewColor->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnColor(m_values.previewColor, kMaxTypedColor); });
}

bool CMyPropertyPage2::TransferDataToWindow() {
  bool ok = wxPanel::TransferDataToWindow();
  m_bfc->Enable(m_values.BfcEnabled());
  return ok;
}

void CMyPropertyPage2::OnOptimization() {
  TransferDataFromWindow();
  m_values.SetOptimization(m_optimization->GetSelection());
  TransferDataToWindow();
}

void CMyPropertyPage2::OnColor(unsigned& color, unsigned max) {
  TransferDataFromWindow();
  // Loading the settings turns a background colour above 31 into 15: offer only what is kept.
  // The preview colour may be any colour.
  if (AskColorNumber(this, color, max)) TransferDataToWindow();
}
