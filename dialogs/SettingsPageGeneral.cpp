#include "dialogs/SettingsPageGeneral.h"

#include <wx/button.h>

#include "dialogs/SettingsPageLayout.h"
#include "dialogs/SettingsValidators.h"

CMyPropertyPage1::CMyPropertyPage1(wxWindow* parent) : wxPanel(parent, 110, wxDefaultPosition, wxDefaultSize,
                                                               wxTAB_TRAVERSAL, "General") {
  SetExtraStyle(wxWS_EX_VALIDATE_RECURSIVELY);
  auto* top = new wxBoxSizer(wxVERTICAL);
  top->Add(new wxStaticText(this, wxID_ANY, "Plandor base path:"), 0, wxLEFT | wxTOP, 8);
  auto* pathRow = new wxBoxSizer(wxHORIZONTAL);
  pathRow->Add(new wxTextCtrl(this, 1006, wxEmptyString, wxDefaultPosition, wxSize(320, -1), 0,
                              CTextValidator(&m_values.basePath)),
               1, wxALL, 4);
  auto* browse = new wxButton(this, 1234, "Browse...");
  pathRow->Add(browse, 0, wxALL, 4);
  top->Add(pathRow, 0, wxEXPAND | wxLEFT | wxRIGHT, 4);

  auto* grid = new wxFlexGridSizer(2, wxSize(4, 0));
  grid->AddGrowableCol(1);
  AddRow(this, grid, "Author name:",
         new wxTextCtrl(this, 1191, wxEmptyString, wxDefaultPosition, wxDefaultSize, 0,
                        CTextValidator(&m_values.author)));
  AddRow(this, grid, "Automatic part upgrade:", MakeChoice(this, 1268, {"Off", "Ask", "On"}, &m_values.autoPartUpgrade));
  m_language = MakeChoice(this, 1337, {}, &m_values.language);
  AddRow(this, grid, "Language:", m_language);
  top->Add(grid, 0, wxEXPAND | wxALL, 4);

  AddCheck(this, top, 1153, "Show warnings", &m_values.showWarnings);
  AddCheck(this, top, 1107, "Enable screen selection", &m_values.screenSelection);
  AddCheck(this, top, 1155, "Activate edit mode on load", &m_values.editOnLoad);
  AddCheck(this, top, 1317, "Register file types", &m_values.regFileTypes);
  SetSizer(top);
  browse->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnBrowse(); });
}

bool CMyPropertyPage1::TransferDataToWindow() {
  m_language->Clear();
  for (const std::string& name : m_values.languages) m_language->Append(wxString::FromUTF8(name));
  return wxPanel::TransferDataToWindow();
}

void CMyPropertyPage1::OnBrowse() {
  // The search starts at the folder as typed, not as last taken.
  TransferDataFromWindow();
  std::string folder = m_values.basePath;
  bool chosen = m_browseBasePath && m_browseBasePath(folder);
  // The folder question has no parent of its own: bring the sheet back in front.
  if (wxWindow* sheet = wxGetTopLevelParent(this)) sheet->Raise();
  if (!chosen) return;
  m_values.basePath = folder;
  TransferDataToWindow();
}
