#pragma once
// The export sheet "Export Files(s)": page 1 (models, steps, format, folder, log) and page 2 (the
// post processors). It exports nothing: after OK the caller reads the choice back.
#include <wx/propdlg.h>

#include "document/DocumentPorts.h"

class CPropPageExp1;
class CPropPageExp2;

class CPropSheetExp : public wxPropertySheetDialog {
 public:
  // The choice gives the project's model names and step counts and the stored options.
  CPropSheetExp(wxWindow* parent, const ExportChoice& choice);

  // What OK does: both pages read their fields and the choice is checked; on a failure the page
  // concerned is shown and false returned.
  bool Accept();
  const ExportChoice& GetChoice() const { return m_choice; }

  CPropPageExp1* m_page1;
  CPropPageExp2* m_page2;

 private:
  ExportChoice m_choice;
};
