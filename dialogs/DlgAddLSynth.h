#pragma once
// "Add LSynth Command": one of the LSynth commands the caller lists.
#include <wx/dialog.h>

#include <string>
#include <vector>

class wxChoice;

class CDlgAddLSynth : public wxDialog {
 public:
  CDlgAddLSynth(wxWindow* parent, const std::vector<std::string>& commands);

  // After OK: the position of the chosen command in the caller's list, -1 for none.
  int m_result = -1;

  bool TransferDataFromWindow() override;

 private:
  wxChoice* m_commands;
};
