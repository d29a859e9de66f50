#pragma once
// Settings page 1, "General": library base folder, author, warnings and selection behaviour, part
// upgrades and the language.
#include <wx/panel.h>

#include <functional>
#include <string>

#include "config/SettingsSheet.h"

class wxChoice;

class CMyPropertyPage1 : public wxPanel {
 public:
  explicit CMyPropertyPage1(wxWindow* parent);
  bool TransferDataToWindow() override;

  GeneralPageValues m_values;
  // "Browse...": asks for a library folder, starting at the one given; false when cancelled.
  std::function<bool(std::string& folder)> m_browseBasePath;

 private:
  void OnBrowse();
  wxChoice* m_language;
};
