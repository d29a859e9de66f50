#pragma once
// "Autosteps": a step after every change in height, or after a fixed number of parts.
#include <wx/dialog.h>

class wxRadioButton;
class wxTextCtrl;

class CDlgAutosteps : public wxDialog {
 public:
  static constexpr int kByHeight = 0;
  static constexpr int kByCount = 1;
  static constexpr int kMinCount = 1;
  static constexpr int kMaxCount = 100000;

  explicit CDlgAutosteps(wxWindow* parent);

  // Filled by the caller before ShowModal, read back after OK.
  int m_mode = kByCount;
  int m_partCount = 1;

  bool TransferDataToWindow() override;
  bool TransferDataFromWindow() override;

 private:
  void EnableCount();

  wxRadioButton* m_byHeight;
  wxRadioButton* m_byCount;
  wxTextCtrl* m_count;
};
