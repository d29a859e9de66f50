#pragma once
// The part search of the part tree ("Search Part"): a search expression, whether it is tested
// against part numbers (file names) or part names (descriptions), and Match case. OK compiles the
// expression; an invalid one is reported and the dialog stays open.
#include <wx/dialog.h>

#include <string>

class wxCheckBox;
class wxRadioButton;
class wxTextCtrl;

class CSearchPartDlg : public wxDialog {
 public:
  static constexpr size_t kMaxText = 512;
  explicit CSearchPartDlg(wxWindow* parent);

  // Filled by the caller before ShowModal, read back after OK.
  std::string m_text;
  int m_field = 1;  // 0: part number, 1: part name, -1: no choice
  bool m_matchCase = false;

  bool TransferDataToWindow() override;
  bool TransferDataFromWindow() override;

 private:
  wxTextCtrl* m_edit;
  wxRadioButton* m_byNumber;
  wxRadioButton* m_byName;
  wxCheckBox* m_case;
};
