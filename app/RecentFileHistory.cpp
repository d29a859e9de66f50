#include "app/RecentFileHistory.h"

#include <wx/menu.h>

CRecentFileHistory::CRecentFileHistory(size_t maxFiles) : wxFileHistory(maxFiles) {}

void CRecentFileHistory::ShowInMenu(wxMenu* menu, wxMenuItem* before) {
  RemoveEntries();
  m_menu = menu;
  m_before = before;
  InsertEntries();
}

void CRecentFileHistory::ForgetMenu() {
  RemoveEntries();
  m_menu = nullptr;
  m_before = nullptr;
}

// The base class changes the list and would append to the menus it serves; it serves none, so the
// entries are laid out again here. Adding a listed file removes it first through the same
// calls: only the outermost call lays the menu out.
void CRecentFileHistory::AddFileToHistory(const wxString& file) {
  if (m_depth++ == 0) RemoveEntries();
  wxFileHistory::AddFileToHistory(file);
  if (--m_depth == 0) InsertEntries();
}

void CRecentFileHistory::RemoveFileFromHistory(size_t i) {
  if (m_depth++ == 0) RemoveEntries();
  wxFileHistory::RemoveFileFromHistory(i);
  if (--m_depth == 0) InsertEntries();
}

wxString CRecentFileHistory::EntryLabel(size_t i) const {
  wxString name = GetHistoryFile(i);
  name.Replace("&", "&&");
  // The first nine get their digit as the mnemonic, the tenth 0.
  return wxString::Format("&%d %s", static_cast<int>((i + 1) % 10), name);
}

void CRecentFileHistory::RemoveEntries() {
  if (!m_menu) return;
  for (int id = GetBaseId(); id < GetBaseId() + GetMaxFiles(); ++id)
    if (wxMenuItem* item = m_menu->FindChildItem(id)) m_menu->Destroy(item);
}

void CRecentFileHistory::InsertEntries() {
  if (!m_menu) return;
  const wxMenuItemList& items = m_menu->GetMenuItems();
  int at = m_before ? items.IndexOf(m_before) : wxNOT_FOUND;
  size_t pos = at == wxNOT_FOUND ? items.GetCount() : static_cast<size_t>(at);
  for (size_t i = 0; i < GetCount(); ++i)
    m_menu->Insert(pos + i, GetBaseId() + static_cast<int>(i), EntryLabel(i), GetHistoryFile(i));
}
