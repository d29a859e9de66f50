#pragma once
// The recent-file list of the File menu. wx's own list appends its entries at the end of the
// menus it serves, which puts them below Exit; this one keeps them at a place of the File menu:
// in order, just before a given item (the separator above Exit).
#include <wx/filehistory.h>

class wxMenuItem;

class CRecentFileHistory : public wxFileHistory {
 public:
  explicit CRecentFileHistory(size_t maxFiles);

  // The entries go into the menu right before `before`, an item of that menu; a second call moves
  // them to another menu.
  void ShowInMenu(wxMenu* menu, wxMenuItem* before);
  // Takes the entries out of the menu and forgets it (the menu is about to go).
  void ForgetMenu();

  void AddFileToHistory(const wxString& file) override;
  void RemoveFileFromHistory(size_t i) override;

  // The label of entry i: "&1 /models/truck.ldr".
  wxString EntryLabel(size_t i) const;

 private:
  void RemoveEntries();
  void InsertEntries();

  wxMenu* m_menu = nullptr;
  wxMenuItem* m_before = nullptr;
  int m_depth = 0;  // nesting of the list's own changes
};
