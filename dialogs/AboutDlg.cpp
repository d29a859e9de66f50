#include "dialogs/AboutDlg.h"

#include <wx/sizer.h>
#include <wx/stattext.h>

#include "platform/StringTable.h"
#include "resources/StringIds.h"

CAboutDlg::CAboutDlg(wxWindow* parent, const wxString& versionTitle)
    : wxDialog(parent, 100, "About Plandor", wxDefaultPosition, wxDefaultSize, wxDEFAULT_DIALOG_STYLE,
               "AboutDlg") {
  auto* top = new wxBoxSizer(wxVERTICAL);
  auto* title = new wxStaticText(this, 1238, versionTitle, wxDefaultPosition, wxDefaultSize, 0, "VersionTitle");
  title->SetFont(title->GetFont().Bold().Larger());
  top->Add(title, 0, wxALL | wxALIGN_CENTER_HORIZONTAL, 12);
  top->Add(new wxStaticText(this, wxID_ANY, wxString::FromUTF8(LoadResString(kStringAboutDescription))), 0,
           wxLEFT | wxRIGHT | wxALIGN_CENTER_HORIZONTAL, 12);
  top->Add(CreateButtonSizer(wxOK), 0, wxALL | wxEXPAND, 12);
  SetSizerAndFit(top);
  CentreOnParent();
}
