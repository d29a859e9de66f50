#include "dialogs/GeneratorProgress.h"

#include "platform/StringTable.h"
#include "resources/StringIds.h"

CGeneratorProgress::CGeneratorProgress(wxWindow* owner, int bands) : m_dialog(std::make_unique<CProgressDlg>()) {
  if (!m_dialog->Create(owner)) {
    m_dialog.reset();
    return;
  }
  m_dialog->SetRange(1, bands + 3);
  m_dialog->SetStep(1);
  m_dialog->SetPos(1);
  m_dialog->SetMessage(LoadResString(kStringGeneratorProgress));
}

CLayeredBuilder::ProgressFn CGeneratorProgress::Callback() {
  CProgressDlg* dialog = m_dialog.get();
  return [dialog](int32_t) {
    if (!dialog) return true;
    dialog->StepIt();
    return !dialog->CheckCancel();
  };
}
