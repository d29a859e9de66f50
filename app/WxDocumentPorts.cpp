#include "app/WxDocumentPorts.h"

#include <wx/app.h>

#include "app/ColorBar.h"
#include "app/MainFrame.h"
#include "dialogs/ColorDlg.h"
#include "dialogs/ProgressDlg.h"

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

PortResult CWxDocumentPorts::ChooseColor(ColorChoice& choice) {
  CColorDlg dialog(wxTheApp ? wxTheApp->GetTopWindow() : nullptr);
  dialog.state.colour = choice.color;
  int answer = dialog.ShowModal();
  choice.tableChanged = dialog.state.paletteChanged != 0;
  // The bar's swatches show the same table.
  if (choice.tableChanged && theMainFrame)
    if (auto* bar = dynamic_cast<CColorBar*>(theMainFrame->GetColorBar())) bar->RefreshButtons();
  if (answer != wxID_OK) return PortResult::Cancelled;
  choice.color = dialog.state.colour;
  return PortResult::Ok;
}
