#pragma once
// The modeless progress window of long operations on the GUI thread: a message line, a bar, a
// percentage and a Cancel button. Every call lets pending events run, so the program stays
// responsive and Cancel works without a second thread. Its owner is disabled while it is open.
#include <wx/dialog.h>

#include <string>

class wxGauge;
class wxStaticText;

// The percentage text of a position: (pos - lower) * 100 / (upper - lower) as "%d%%", shown modulo
// 100 except at exactly 100. An empty range shows "0%".
std::string ProgressPercentText(int position, int lower, int upper);

class CProgressDlg : public wxDialog {
 public:
  // captionId: the string of the window title; 0 means 104 ("Progress").
  explicit CProgressDlg(unsigned captionId = 0);
  ~CProgressDlg() override;

  // Shows the window; owner null means the main window. false when it cannot be made.
  bool Create(wxWindow* owner = nullptr);

  void SetRange(int lower, int upper);
  void SetStep(int step);
  // Lets pending events run, then moves the bar.
  void SetPos(int position);
  // Lets pending events run, advances by one step; returns the previous position.
  int StepIt();
  // Lets pending events run; true once Cancel (or Escape) was pressed.
  bool CheckCancel();
  void SetMessage(const std::string& text);

  std::string GetPercentText() const;
  // What the Cancel button does (tests press it through here too).
  void OnCancel(wxCommandEvent& event);

 private:
  void PumpMessages();
  void UpdatePercent();
  void UpdatePercent(int shownPosition);
  void OnClose(wxCloseEvent& event);
  void OnCharHook(wxKeyEvent& event);

  unsigned m_captionId;
  int m_lower = 0, m_upper = 100, m_step = 10, m_position = 0;
  bool m_cancelled = false;
  bool m_ownerDisabled = false;
  wxWindow* m_owner = nullptr;
  wxGauge* m_bar = nullptr;
  wxStaticText* m_percent = nullptr;
  wxStaticText* m_message = nullptr;
};
