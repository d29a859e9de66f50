#pragma once
// The top-left pane: the part library as the part list groups it, in a tree control. The window
// around CPartTreeState: it mirrors the nodes into the tree, tells the part browser which group
// and position is selected (0x8000), drags parts out, takes parts dropped on Favorites, owns the
// part search (Find, Find Again) and the favourites' context menu, and rebuilds when the part
// list or its groups change (0x8003, 0x8006, 0x8007).
#include <wx/panel.h>
#include <wx/treebase.h>

#include <vector>

#include "app/CommandTarget.h"
#include "app/PartTreeState.h"

class wxTreeCtrl;
class wxTreeEvent;
class CPrivateMessageEvent;

// Not a link of the command chain: the tree takes its commands (Find through the frame's broadcast,
// the favourites through its own menu), so view commands keep going to the last 3-D pane.
class CPartTreeView : public wxPanel {
 public:
  explicit CPartTreeView(wxWindow* parent, const wxString& name = "PartTree",
                         const CLibraryContext& library = ProgramLibrary());

  // The pane that hears 0x8000 and 0x8004 (the part browser); null: nobody.
  void SetBrowser(wxWindow* browser) { m_browser = browser; }

  CPartTreeState& State() { return m_state; }
  wxTreeCtrl* GetTree() const { return m_tree; }
  // Builds the tree unless it is built.
  void Rebuild();
  // The tree item of a node (invalid when the node is not shown).
  wxTreeItemId ItemOfNode(int node) const;
  int NodeOfItem(const wxTreeItemId& item) const;

  // Find and Find Again with the search dialog; favourites (the context menu's commands).
  void OnFind();
  void OnFindAgain();
  void ChangeFavorite(PartHandle handle, bool remove);
  void ClearFavorites();
  // The item the context menu was opened on.
  void SetContextNode(int node) { m_contextNode = node; }

  // The part search and the favourites, as its menu and the frame's broadcast run them.
  bool HandlesCommand(int id) const;
  CommandState QueryCommand(int id) const;
  void RunCommand(int id);

 private:
  void Mirror();
  void RefillBranch(int node);
  void AppendItem(const wxTreeItemId& parent, int node);
  void SelectNode(int node);
  void PostToBrowser(unsigned message, long wParam, long lParam);
  void OnSelChanged(wxTreeEvent& event);
  void OnBeginDrag(wxTreeEvent& event);
  void OnRightClick(wxTreeEvent& event);
  void OnMenu(wxCommandEvent& event);
  void OnUpdateUI(wxUpdateUIEvent& event);
  void OnRebuildMessage(CPrivateMessageEvent& event);
  void OnModelChanged(CPrivateMessageEvent& event);
  void OnPartListInvalid(CPrivateMessageEvent& event);

  CPartTreeState m_state;
  wxTreeCtrl* m_tree = nullptr;
  wxWindow* m_browser = nullptr;
  std::vector<wxTreeItemId> m_items;  // node -> item
  bool m_building = true;
  bool m_rebuildQueued = false;
  int m_contextNode = -1;
};
