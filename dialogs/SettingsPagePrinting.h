#pragma once
// Settings page 3, "Printing": what a printout holds.
#include <wx/panel.h>

#include "config/SettingsSheet.h"

class wxCheckBox;

class CMyPropertyPage3 : public wxPanel {
 public:
  explicit CMyPropertyPage3(wxWindow* parent);
  bool TransferDataToWindow() override;

  PrintingPageValues m_values;

 private:
  // Enables the checks that depend on others, leaving their marks as they are.
  void EnableDependents();
  wxCheckBox *m_steps, *m_hq, *m_multi, *m_perStep;
};
