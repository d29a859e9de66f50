#include "app/StartUpDialogs.h"

#include "config/Tracer.h"
#include "dialogs/DlgBasePath.h"
#include "dialogs/ProgressDlg.h"

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
  CDlgBasePath dialog(nullptr);
  dialog.m_path = folder;
  if (dialog.ShowModal() != wxID_OK) return false;
  folder = dialog.m_path;
  theTracer.Printf("Library base folder chosen: '%s'\n", folder.c_str());
  return true;
}
