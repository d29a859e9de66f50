#include "app/AppCommands.h"

#include <wx/app.h>
#include <wx/window.h>

#include "app/CommandMap.h"
#include "app/CommandTable.h"
#include "app/HelpCommands.h"
#include "dialogs/AboutDlg.h"

std::unique_ptr<CCommandMap> MakeApplicationCommands(const wxString& versionTitle) {
  auto commands = std::make_unique<CCommandMap>();
  // Exit closes the main window the normal way (save question, layout), which ends the program.
  commands->Set(
      cmd::kAppExit,
      [] {
        if (wxWindow* top = wxTheApp ? wxTheApp->GetTopWindow() : nullptr) top->Close();
      },
      CCommandMap::Always);
  commands->Set(
      cmd::kAppAbout,
      [versionTitle] { CAboutDlg(wxTheApp ? wxTheApp->GetTopWindow() : nullptr, versionTitle).ShowModal(); },
      CCommandMap::Always);
  BindHelpCommands(*commands);
  return commands;
}
