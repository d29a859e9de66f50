#include "app/WxDocumentPorts.h"

#include <wx/app.h>

#include "dialogs/ProgressDlg.h"
#include "dialogs/PropSheetExp.h"
#include "document/ProgramRunner.h"

namespace {

// The progress dialog behind the port; every call lets pending events run, so Cancel is seen.
// A window is destroyed, not deleted: events for it may still be queued.
class CWxProgress : public IProgress {
 public:
  explicit CWxProgress(CProgressDlg* dialog) : m_dialog(dialog) {}
  ~CWxProgress() override { m_dialog->Destroy(); }
  CWxProgress(const CWxProgress&) = delete;
  CWxProgress& operator=(const CWxProgress&) = delete;
  void SetMessage(const std::string& text) override { m_dialog->SetMessage(text); }
  void Step() override { m_dialog->StepIt(); }
  bool IsCancelled() override { return m_dialog->CheckCancel(); }

 private:
  CProgressDlg* m_dialog;
};

}  // namespace

std::unique_ptr<IProgress> CWxDocumentPorts::BeginProgress(const std::string& title, int range) {
  auto* dialog = new CProgressDlg();
  if (!dialog->Create()) {
    dialog->Destroy();
    return nullptr;
  }
  if (!title.empty()) dialog->SetTitle(wxString::FromUTF8(title));
  dialog->SetRange(0, range);
  dialog->SetStep(1);
  return std::make_unique<CWxProgress>(dialog);
}

PortResult CWxDocumentPorts::ChooseExportOptions(ExportChoice& choice) {
  CPropSheetExp sheet(wxTheApp ? wxTheApp->GetTopWindow() : nullptr, choice);
  if (sheet.ShowModal() != wxID_OK) return PortResult::Cancelled;
  choice = sheet.GetChoice();
  return PortResult::Ok;
}

PortResult CWxDocumentPorts::RunProgram(const ProgramRun& run, IProgress* progress, ProgramResult& result) {
  return RunProgramNow(run, progress, result);
}
