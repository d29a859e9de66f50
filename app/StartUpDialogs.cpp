#include "app/StartUpDialogs.h"

#include <wx/dirdlg.h>

#include <filesystem>

#include "config/BasePathCheck.h"
#include "config/Tracer.h"
#include "dialogs/ProgressDlg.h"
#include "platform/Prompt.h"

CStartUpProgressDlg::CStartUpProgressDlg() = default;

CStartUpProgressDlg::~CStartUpProgressDlg() { End(); }

void CStartUpProgressDlg::Begin(const std::string& text) {
  End();
  m_dialog = new CProgressDlg();
  if (!m_dialog->Create()) {
    m_dialog->Destroy();
    m_dialog = nullptr;
    return;
  }
  m_dialog->SetMessage(text);
  m_dialog->SetRange(0, 100);
  // The scan is one call: the window says what runs; the bar starts and ends with it.
  m_dialog->SetPos(0);
}

void CStartUpProgressDlg::End() {
  if (!m_dialog) return;
  m_dialog->SetPos(100);
  m_dialog->Destroy();
  m_dialog = nullptr;
}

bool AskForBasePath(std::string& folder) {
  ShowMessage("Plandor needs the LDraw part library.\n" + folder + ": " + BasePathStatusText(CheckBasePath(folder)) +
                  "\nPlease choose the folder of the library.",
              PromptButtons::Ok, PromptIcon::Information);
  for (;;) {
    // The browser starts in the nearest folder that exists.
    std::filesystem::path start(folder);
    std::error_code ec;
    while (!start.empty() && start != start.root_path() && !std::filesystem::is_directory(start, ec))
      start = start.parent_path();
    wxDirDialog dialog(nullptr, "Plandor Base Path: select the folder of the LDraw library",
                       wxString::FromUTF8(start.string()), wxDD_DEFAULT_STYLE | wxDD_DIR_MUST_EXIST);
    if (dialog.ShowModal() != wxID_OK) return false;
    std::string chosen = dialog.GetPath().utf8_string();
    std::string normalised;
    int status = CheckBasePath(chosen, &normalised);
    if (status == kBasePathOk) {
      folder = normalised;
      theTracer.Printf("Library base folder chosen: '%s'\n", folder.c_str());
      return true;
    }
    folder = chosen;
    ThePrompt().Beep();
    ShowMessage(BasePathStatusText(status), PromptButtons::Ok, PromptIcon::Exclamation);
  }
}
