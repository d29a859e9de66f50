#include "app/WxDocumentPorts.h"

#include <wx/app.h>

#include "dialogs/DlgEnterPosMat.h"
#include "dialogs/DlgSortParameters.h"
#include "dialogs/ColorDlg.h"
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

namespace {
wxWindow* DialogParent() { return wxTheApp ? wxTheApp->GetTopWindow() : nullptr; }
}  // namespace

PortResult CWxDocumentPorts::ChooseSort(SortChoice& choice) {
  CDlgSortParameters dialog(DialogParent());
  dialog.m_hasSelection = choice.hasSelection;
  dialog.m_ascending = choice.ascending;
  dialog.m_selectedOnly = choice.selectedOnly;
  dialog.m_sortKey = choice.sortKey;
  if (dialog.ShowModal() != wxID_OK) return PortResult::Cancelled;
  choice.ascending = dialog.m_ascending;
  choice.selectedOnly = dialog.m_selectedOnly;
  choice.sortKey = dialog.m_sortKey;
  return PortResult::Ok;
}

// The document says absolute when one part reference started the dialog, with its values; the
// dialog hands back whether the values stay absolute and which of them to use.
PortResult CWxDocumentPorts::EnterByKeyboard(KeyboardEntry& entry) {
  CDlgEnterPosMat dialog(DialogParent());
  dialog.m_noElement = entry.absolute ? 0 : 1;
  dialog.m_position = CVector3(entry.position[0], entry.position[1], entry.position[2]);
  for (int i = 0; i < 9; ++i) dialog.m_matrix.m[static_cast<size_t>(i)] = entry.matrix[i];
  if (dialog.ShowModal() != wxID_OK) return PortResult::Cancelled;
  entry.absolute = !dialog.m_relative;
  entry.usePosition = dialog.m_usePosition;
  entry.useRotation = dialog.m_useMatrix || dialog.m_useVector;
  entry.position[0] = dialog.m_position.x;
  entry.position[1] = dialog.m_position.y;
  entry.position[2] = dialog.m_position.z;
  for (int i = 0; i < 9; ++i) entry.matrix[i] = dialog.m_matrix.m[static_cast<size_t>(i)];
  return PortResult::Ok;
}

PortResult CWxDocumentPorts::ChooseColor(ColorChoice& choice) {
  CColorDlg dialog(wxTheApp ? wxTheApp->GetTopWindow() : nullptr);
  dialog.state.colour = choice.color;
  int answer = dialog.ShowModal();
  choice.tableChanged = dialog.state.paletteChanged != 0;
  // The bar's swatches show the same table.
  if (choice.tableChanged && m_colorTableChanged) m_colorTableChanged();
  if (answer != wxID_OK) return PortResult::Cancelled;
  choice.color = dialog.state.colour;
  return PortResult::Ok;
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
