#include "app/PartTreeView.h"

#include <wx/dnd.h>
#include <wx/menu.h>
#include <wx/sizer.h>
#include <wx/treectrl.h>
#include <wx/utils.h>

#include "app/CommandTable.h"
#include "app/PaneDropTarget.h"
#include "app/PartDragData.h"
#include "app/PrivateEvents.h"
#include "dialogs/SearchPartDlg.h"
#include "platform/Prompt.h"
#include "platform/StringTable.h"
#include "resources/StringIds.h"

namespace {
namespace id {
constexpr int kAddFavorite = 32847;
constexpr int kRemoveFavorite = 32848;
constexpr int kClearFavorites = 32850;
constexpr int kTreeConfig = 32974;
constexpr int kDefaultGroups = 32975;
}  // namespace id

class CNodeData : public wxTreeItemData {
 public:
  explicit CNodeData(int node) : m_node(node) {}
  int m_node;
};

// Parts dropped on the Favorites branch (or a part under it) become favourites.
class CFavoritesDropTarget : public wxDropTarget {
 public:
  explicit CFavoritesDropTarget(CPartTreeView* view) : wxDropTarget(new CPartDragObject), m_view(view) {}

  wxDragResult OnDragOver(wxCoord x, wxCoord y, wxDragResult def) override {
    const int node = NodeAt(x, y);
    Highlight(node);
    // The payload is read at the drop; while dragging, a part offered for copying is enough.
    return m_view->State().IsUnderFavorites(node) && def == wxDragCopy ? wxDragCopy : wxDragNone;
  }
  void OnLeave() override { Highlight(-1); }
  wxDragResult OnData(wxCoord x, wxCoord y, wxDragResult) override {
    Highlight(-1);
    if (!GetData()) return wxDragNone;
    PartDragData data = static_cast<CPartDragObject*>(GetDataObject())->GetData();
    if (!m_view->State().CanDrop(NodeAt(x, y), data.kind, data.value)) return wxDragNone;
    m_view->ChangeFavorite(data.value, false);
    return wxDragCopy;
  }

 private:
  int NodeAt(wxCoord x, wxCoord y) const {
    int flags = 0;
    wxTreeItemId item = m_view->GetTree()->HitTest(wxPoint(x, y), flags);
    return item.IsOk() ? m_view->NodeOfItem(item) : -1;
  }
  void Highlight(int node) {
    wxTreeCtrl* tree = m_view->GetTree();
    if (m_highlight.IsOk()) tree->SetItemDropHighlight(m_highlight, false);
    m_highlight = m_view->State().IsUnderFavorites(node) ? m_view->ItemOfNode(node) : wxTreeItemId();
    if (m_highlight.IsOk()) tree->SetItemDropHighlight(m_highlight, true);
  }

  CPartTreeView* m_view;
  wxTreeItemId m_highlight;
};

wxString CommandText(int commandId) {
  const CommandInfo* c = FindCommand(commandId);
  return c ? wxString::FromUTF8(c->text) : wxString();
}
}  // namespace

CPartTreeView::CPartTreeView(wxWindow* parent, const wxString& name, const CLibraryContext& library)
    : wxPanel(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL, name), m_state(library.partList) {
  m_tree = new wxTreeCtrl(this, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                          wxTR_HAS_BUTTONS | wxTR_LINES_AT_ROOT | wxTR_HIDE_ROOT | wxTR_SINGLE | wxBORDER_SUNKEN,
                          wxDefaultValidator, "PartTreeCtrl");
  auto* sizer = new wxBoxSizer(wxVERTICAL);
  sizer->Add(m_tree, 1, wxEXPAND);
  SetSizer(sizer);
  m_tree->SetDropTarget(new CFavoritesDropTarget(this));
  m_tree->Bind(wxEVT_TREE_SEL_CHANGED, &CPartTreeView::OnSelChanged, this);
  m_tree->Bind(wxEVT_TREE_BEGIN_DRAG, &CPartTreeView::OnBeginDrag, this);
  m_tree->Bind(wxEVT_TREE_ITEM_RIGHT_CLICK, &CPartTreeView::OnRightClick, this);
  Bind(wxEVT_MENU, &CPartTreeView::OnMenu, this);
  Bind(wxEVT_UPDATE_UI, &CPartTreeView::OnUpdateUI, this);
  Bind(EVT_PLANDOR_GROUPS_CHANGED, &CPartTreeView::OnRebuildMessage, this);
  Bind(EVT_PLANDOR_SETTINGS_CHANGED, &CPartTreeView::OnRebuildMessage, this);
  Bind(EVT_PLANDOR_MODEL_CHANGED, &CPartTreeView::OnModelChanged, this);
  Bind(EVT_PLANDOR_PART_LIST_INVALID, &CPartTreeView::OnPartListInvalid, this);
  // The first build waits until the frame around is complete.
  m_rebuildQueued = true;
  CallAfter([this] {
    m_rebuildQueued = false;
    Rebuild();
  });
}

void CPartTreeView::Rebuild() {
  if (!m_state.Build()) return;
  Mirror();
}

void CPartTreeView::Mirror() {
  m_building = true;
  m_tree->Freeze();
  m_tree->DeleteAllItems();
  m_items.assign(m_state.Nodes().size(), wxTreeItemId());
  wxTreeItemId root = m_tree->AddRoot("Parts");
  for (int node : m_state.Roots()) AppendItem(root, node);
  m_tree->Thaw();
  m_building = false;
}

void CPartTreeView::AppendItem(const wxTreeItemId& parent, int node) {
  // Depth first with a stack of its own: a group may hold thousands of parts.
  std::vector<std::pair<wxTreeItemId, int>> stack{{parent, node}};
  while (!stack.empty()) {
    auto [under, n] = stack.back();
    stack.pop_back();
    const PartTreeNode& info = m_state.Node(n);
    wxTreeItemId item = m_tree->AppendItem(under, wxString::FromUTF8(info.text), -1, -1, new CNodeData(n));
    if (static_cast<size_t>(n) >= m_items.size()) m_items.resize(m_state.Nodes().size());
    m_items[static_cast<size_t>(n)] = item;
    for (auto it = info.children.rbegin(); it != info.children.rend(); ++it) stack.emplace_back(item, *it);
  }
}

void CPartTreeView::RefillBranch(int node) {
  wxTreeItemId item = ItemOfNode(node);
  if (!item.IsOk()) return;
  m_building = true;
  m_tree->Freeze();
  m_tree->DeleteChildren(item);
  m_items.resize(m_state.Nodes().size());
  for (int child : m_state.Node(node).children) AppendItem(item, child);
  m_tree->Thaw();
  m_building = false;
  m_tree->Refresh();
}

wxTreeItemId CPartTreeView::ItemOfNode(int node) const {
  return node >= 0 && static_cast<size_t>(node) < m_items.size() ? m_items[static_cast<size_t>(node)]
                                                                  : wxTreeItemId();
}

int CPartTreeView::NodeOfItem(const wxTreeItemId& item) const {
  auto* data = item.IsOk() ? dynamic_cast<CNodeData*>(m_tree->GetItemData(item)) : nullptr;
  return data ? data->m_node : -1;
}

void CPartTreeView::SelectNode(int node) {
  wxTreeItemId item = ItemOfNode(node);
  if (!item.IsOk()) return;
  m_tree->EnsureVisible(item);
  m_tree->SelectItem(item);
}

void CPartTreeView::PostToBrowser(unsigned message, long wParam, long lParam) {
  if (m_browser) wxQueueEvent(m_browser->GetEventHandler(), new CPrivateMessageEvent(MakePrivateEvent(message, wParam, lParam)));
}

void CPartTreeView::OnSelChanged(wxTreeEvent& event) {
  if (m_building) return;
  auto [group, position] = m_state.ShowGroupParams(NodeOfItem(event.GetItem()));
  PostToBrowser(msg::kShowGroup, group, position);
}

void CPartTreeView::OnBeginDrag(wxTreeEvent& event) {
  const int node = NodeOfItem(event.GetItem());
  if (node < 0 || !m_state.Node(node).handle) return;
  CPartDragObject data(PartDragData{static_cast<uint32_t>(PartDragKind::Part), m_state.Node(node).handle});
  // The panes draw the part's outline under the pointer while it is dragged.
  NotePartDrag(data.GetData());
  wxDropSource source(data, m_tree);
  source.DoDragDrop(wxDrag_CopyOnly);
  NotePartDrag({});
}

void CPartTreeView::OnRightClick(wxTreeEvent& event) {
  m_contextNode = NodeOfItem(event.GetItem());
  wxMenu menu;
  menu.Append(ToWxId(cmd::kFind), CommandText(cmd::kFind));
  menu.Append(ToWxId(cmd::kFindAgain), CommandText(cmd::kFindAgain));
  menu.Append(ToWxId(id::kAddFavorite), wxString::FromUTF8(LoadResString(kStringAddToFavorites)));
  menu.Append(ToWxId(id::kRemoveFavorite), wxString::FromUTF8(LoadResString(kStringRemoveFromFavorites)));
  menu.Append(ToWxId(id::kClearFavorites), wxString::FromUTF8(LoadResString(kStringClearFavoritesMenu)));
  auto* tree = new wxMenu;
  tree->Append(ToWxId(id::kTreeConfig), CommandText(id::kTreeConfig));
  tree->Append(ToWxId(id::kDefaultGroups), CommandText(id::kDefaultGroups));
  const CommandInfo* c = FindCommand(id::kTreeConfig);
  std::string path = c ? c->menuPath : "";
  menu.AppendSubMenu(tree, wxString::FromUTF8(path.substr(path.rfind('|') + 1)));
  PopupMenu(&menu, ScreenToClient(m_tree->ClientToScreen(event.GetPoint())));
}

bool CPartTreeView::HandlesCommand(int commandId) const {
  return commandId == cmd::kFind || commandId == cmd::kFindAgain || commandId == id::kAddFavorite ||
         commandId == id::kRemoveFavorite || commandId == id::kClearFavorites;
}

CommandState CPartTreeView::QueryCommand(int commandId) const {
  const int node = m_contextNode;
  const PartHandle h = node >= 0 && static_cast<size_t>(node) < m_state.Nodes().size() ? m_state.Node(node).handle : 0;
  switch (commandId) {
    case cmd::kFind: return EnabledIf(true);
    case cmd::kFindAgain: return EnabledIf(m_state.GetLastFound() != 0);
    // Adding a part that already is a favourite would list it twice.
    case id::kAddFavorite: return EnabledIf(h != 0 && !m_state.IsFavorite(h));
    case id::kRemoveFavorite: return EnabledIf(h != 0 && m_state.IsFavorite(h));
    case id::kClearFavorites: return EnabledIf(true);
    default: return {};
  }
}

void CPartTreeView::RunCommand(int commandId) {
  const int node = m_contextNode;
  const PartHandle h = node >= 0 && static_cast<size_t>(node) < m_state.Nodes().size() ? m_state.Node(node).handle : 0;
  switch (commandId) {
    case cmd::kFind: OnFind(); break;
    case cmd::kFindAgain: OnFindAgain(); break;
    case id::kAddFavorite: ChangeFavorite(h, false); break;
    case id::kRemoveFavorite: ChangeFavorite(h, true); break;
    case id::kClearFavorites: ClearFavorites(); break;
    default: break;
  }
}

void CPartTreeView::OnMenu(wxCommandEvent& event) {
  const int commandId = FromWxId(event.GetId());
  // Find forwarded by the frame is run whatever the state; the rest as the rules say.
  if (commandId == cmd::kFind || commandId == cmd::kFindAgain) {
    RunCommand(commandId);
    return;
  }
  if (HandlesCommand(commandId)) {
    if (QueryCommand(commandId).enabled) RunCommand(commandId);
    return;
  }
  event.Skip();  // the tree configuration commands belong to the frame
}

void CPartTreeView::OnUpdateUI(wxUpdateUIEvent& event) {
  const int commandId = FromWxId(event.GetId());
  if (!HandlesCommand(commandId)) {
    event.Skip();
    return;
  }
  event.Enable(QueryCommand(commandId).enabled);
}

void CPartTreeView::OnFind() {
  CSearchPartDlg dialog(this);
  PartSearch& search = m_state.Search();
  dialog.m_text = search.text;
  dialog.m_field = search.byFileName ? 0 : 1;
  dialog.m_matchCase = search.matchCase;
  if (dialog.ShowModal() != wxID_OK) return;
  search.text = dialog.m_text;
  search.byFileName = dialog.m_field == 0;
  search.matchCase = dialog.m_matchCase;
  const int node = m_state.Find(false);
  if (node < 0)
    wxBell();
  else
    SelectNode(node);
}

void CPartTreeView::OnFindAgain() {
  const int node = m_state.Find(true);
  if (node < 0)
    wxBell();
  else
    SelectNode(node);
}

void CPartTreeView::ChangeFavorite(PartHandle handle, bool remove) {
  if (!m_state.ChangeFavorite(handle, remove)) return;
  RefillBranch(m_state.FavoritesNode());
  PostToBrowser(msg::kFavoritesChanged, 0, 0);
}

void CPartTreeView::ClearFavorites() {
  if (ShowMessageId(kStringClearFavorites, PromptButtons::YesNo, PromptIcon::Exclamation) != PromptAnswer::Yes)
    return;
  if (!m_state.ClearFavorites()) return;
  RefillBranch(m_state.FavoritesNode());
  // A browser showing the favourites must not keep the cleared parts.
  PostToBrowser(msg::kFavoritesChanged, 0, 0);
}

void CPartTreeView::OnRebuildMessage(CPrivateMessageEvent&) {
  m_state.Invalidate();
  Rebuild();
}

void CPartTreeView::OnModelChanged(CPrivateMessageEvent&) {
  if (m_state.FillDocumentGroup() >= 0) RefillBranch(m_state.DocumentNode());
}

void CPartTreeView::OnPartListInvalid(CPrivateMessageEvent&) {
  // The part list is replaced right after this: rebuild once the sender is done with it.
  m_state.Invalidate();
  if (m_rebuildQueued) return;
  m_rebuildQueued = true;
  CallAfter([this] {
    m_rebuildQueued = false;
    Rebuild();
  });
}
