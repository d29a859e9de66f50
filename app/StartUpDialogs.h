#pragma once
// The windows the start-up shows before the main window exists: the progress of the library scan
// and the question for the library base folder.
#include <memory>
#include <string>

#include "app/StartUp.h"

class CProgressDlg;

class CStartUpProgressDlg : public IStartUpProgress {
 public:
  CStartUpProgressDlg();
  ~CStartUpProgressDlg() override;
  void Begin(const std::string& text) override;
  void End() override;

 private:
  CProgressDlg* m_dialog = nullptr;
};

// Asks for the folder of the LDraw library in the base-path dialog, which closes with OK only for a
// usable folder; false when cancelled (the program then ends). The folder given is shown first and
// receives the choice.
bool AskForBasePath(std::string& folder);
