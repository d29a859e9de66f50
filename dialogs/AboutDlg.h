#pragma once
// The about box: the program's version title and an OK button.
#include <wx/dialog.h>

class CAboutDlg : public wxDialog {
 public:
  CAboutDlg(wxWindow* parent, const wxString& versionTitle);
};
