#include "app/LineListView.h"

#include <wx/choice.h>
#include <wx/dcmemory.h>
#include <wx/dnd.h>
#include <wx/imaglist.h>
#include <wx/listctrl.h>
#include <wx/menu.h>
#include <wx/stattext.h>
#include <wx/utils.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "app/CommandTable.h"
#include "app/KeyState.h"
#include "app/PartDragData.h"
#include "config/StringUtils.h"
#include "document/QuorvelDoc.h"
#include "platform/StringTable.h"
#include "resources/StringIds.h"

namespace {

constexpr int kColumnWidths[kLineListColumns] = {60, 60, 100, 200, 100, 300};
constexpr int kIconCount = 22, kIconSide = 9;

// The 22 row icons, drawn: a coloured square per kind, a cross for a missing file, an outline
// for hidden and ghost elements.
wxImageList* MakeIcons() {
  static const unsigned char kColours[kIconCount][3] = {
      {220, 0, 0},   {0, 128, 0},   {0, 0, 200},   {160, 0, 160}, {0, 0, 0},     {160, 0, 160},
      {128, 128, 128}, {200, 200, 200}, {0, 128, 128}, {0, 160, 200}, {0, 100, 220}, {100, 100, 220},
      {200, 120, 0}, {120, 80, 0},  {80, 80, 80},  {0, 160, 80},  {220, 160, 0}, {180, 180, 255},
      {180, 0, 80},  {60, 60, 60},  {0, 180, 180}, {240, 80, 0}};
  auto* icons = new wxImageList(kIconSide, kIconSide, true, kIconCount);
  for (int i = 0; i < kIconCount; ++i) {
    wxBitmap bitmap(kIconSide, kIconSide);
    wxMemoryDC dc(bitmap);
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();
    wxColour c(kColours[i][0], kColours[i][1], kColours[i][2]);
    dc.SetPen(wxPen(c));
    if (i == 0) {
      dc.DrawLine(0, 0, kIconSide, kIconSide);
      dc.DrawLine(0, kIconSide - 1, kIconSide, -1);
    } else if (i == 7 || i == 17) {
      dc.SetBrush(*wxTRANSPARENT_BRUSH);
      dc.DrawRectangle(0, 0, kIconSide, kIconSide);
    } else {
      dc.SetBrush(wxBrush(c));
      dc.DrawRectangle(1, 1, kIconSide - 2, kIconSide - 2);
    }
    dc.SelectObject(wxNullBitmap);
    icons->Add(bitmap, *wxWHITE);
  }
  return icons;
}

// The last level of a command's menu path, the label of the sub-menu it sits in.
wxString SubMenuLabel(int id) {
  const CommandInfo* c = FindCommand(id);
  if (!c) return {};
  std::string path = c->menuPath;
  size_t bar = path.rfind('|');
  return wxString::FromUTF8(bar == std::string::npos ? path : path.substr(bar + 1));
}

void AppendCommand(wxMenu& menu, int id) {
  if (const CommandInfo* c = FindCommand(id)) menu.Append(ToWxId(id), wxString::FromUTF8(c->text));
}

}  // namespace

// The list control: rows are asked for while painting.
class CLineListCtrl : public wxListCtrl {
 public:
  CLineListCtrl(CLineListView* owner)
      : wxListCtrl(owner, 1140, wxDefaultPosition, wxDefaultSize,
                   wxLC_REPORT | wxLC_VIRTUAL | wxBORDER_SUNKEN, wxDefaultValidator, "LineListCtrl"),
        m_owner(owner) {}
  wxString OnGetItemText(long item, long column) const override {
    if (column < 0 || column >= kLineListColumns) return {};
    return wxString::FromUTF8(m_owner->m_state.GetRow(item).columns[static_cast<size_t>(column)]);
  }
  int OnGetItemImage(long item) const override { return m_owner->m_state.GetRow(item).icon; }

 private:
  CLineListView* m_owner;
};

namespace {
// Parts from the tree or the browser are inserted before the row under the pointer; rows of the
// list itself are moved there.
class CLineDropTarget : public wxDropTarget {
 public:
  CLineDropTarget(CLineListView* view) : wxDropTarget(new CPartDragObject), m_view(view) {}

  wxDragResult OnDragOver(wxCoord x, wxCoord y, wxDragResult) override {
    wxDataFormat format = GetMatchingPair();
    if (format != PartDragFormat() || !m_view->State().CanDrop(m_kind)) return wxDragNone;
    AutoScroll(y);
    (void)x;
    return m_kind == static_cast<uint32_t>(PartDragKind::ListRows) ? wxDragMove : wxDragCopy;
  }
  wxDragResult OnEnter(wxCoord x, wxCoord y, wxDragResult def) override {
    // The payload is only known at the drop; until then the source's offer decides.
    m_kind = def == wxDragMove ? static_cast<uint32_t>(PartDragKind::ListRows) : static_cast<uint32_t>(PartDragKind::Part);
    return OnDragOver(x, y, def);
  }
  wxDragResult OnData(wxCoord x, wxCoord y, wxDragResult def) override {
    if (!GetData()) return wxDragNone;
    PartDragData data = static_cast<CPartDragObject*>(GetDataObject())->GetData();
    // The point is in the rows window's coordinates, which HitTest takes too.
    int flags = 0;
    long row = m_view->GetList()->HitTest(wxPoint(x, y), flags);
    return m_view->State().OnDrop(data.kind, data.value, row) ? def : wxDragNone;
  }

 private:
  void AutoScroll(wxCoord y) {
    wxListCtrl* list = m_view->GetList();
    if (list->GetItemCount() == 0) return;
    const long top = list->GetTopItem();
    wxRect first;
    const int rowHeight = list->GetItemRect(top, first) && first.height > 0 ? first.height : 16;
    // The rows window: the list's child that carries this target.
    int height = list->GetClientSize().y;
    for (wxWindow* child : list->GetChildren())
      if (child->GetDropTarget() == this) height = child->GetClientSize().y;
    if (y >= height - rowHeight / 2)
      list->EnsureVisible(std::min<long>(top + list->GetCountPerPage(), list->GetItemCount() - 1));
    else if (y < rowHeight / 2 && top > 0)
      list->EnsureVisible(top - 1);
  }

  CLineListView* m_view;
  uint32_t m_kind = 0;
};
}  // namespace

CLineListView::CLineListView(wxWindow* parent, const wxString& name)
    : wxPanel(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL | wxCLIP_CHILDREN, name) {
  m_label = new wxStaticText(this, 1143, "Active Model:");
  m_models = new wxChoice(this, 1141);
  m_list = new CLineListCtrl(this);
  m_list->AssignImageList(MakeIcons(), wxIMAGE_LIST_SMALL);
  std::string titles = LoadResString(kStringLineListColumns);
  for (int c = 0; c < kLineListColumns; ++c)
    m_list->AppendColumn(wxString::FromUTF8(GetSubString(titles, c)), wxLIST_FORMAT_LEFT, kColumnWidths[c]);
  m_list->SetDropTarget(new CLineDropTarget(this));
  Bind(wxEVT_SIZE, &CLineListView::OnSize, this);
  m_list->Bind(wxEVT_LIST_ITEM_SELECTED, &CLineListView::OnSelectionEvent, this);
  m_list->Bind(wxEVT_LIST_ITEM_DESELECTED, &CLineListView::OnSelectionEvent, this);
  m_list->Bind(wxEVT_LIST_ITEM_FOCUSED, &CLineListView::OnSelectionEvent, this);
  m_list->Bind(wxEVT_LIST_ITEM_ACTIVATED, &CLineListView::OnActivated, this);
  m_list->Bind(wxEVT_LIST_BEGIN_DRAG, &CLineListView::OnBeginDrag, this);
  // The rows are a child window of the list control: its key and mouse releases arrive there.
  std::vector<wxWindow*> parts{m_list};
  for (wxWindow* child : m_list->GetChildren()) parts.push_back(child);
  for (wxWindow* part : parts) {
    part->Bind(wxEVT_KEY_UP, &CLineListView::OnKeyUp, this);
    part->Bind(wxEVT_LEFT_UP, [this](wxMouseEvent& e) {
      QueueSync();
      e.Skip();
    });
  }
  m_models->Bind(wxEVT_CHOICE, &CLineListView::OnModelChoice, this);
  Bind(wxEVT_CONTEXT_MENU, &CLineListView::OnContextMenu, this);
}

CLineListView::~CLineListView() {
  if (CQuorvelDoc* doc = m_state.GetDocument()) doc->RemoveObserver(this);
}

wxListCtrl* CLineListView::GetList() const { return m_list; }

void CLineListView::SetDocument(CQuorvelDoc* doc) {
  if (CQuorvelDoc* old = m_state.GetDocument()) old->RemoveObserver(this);
  if (doc) doc->AddObserver(this);
  wxSize size = GetClientSize();
  m_state.OnSize(size.x, size.y);
  Apply(m_state.Attach(doc));
}

void CLineListView::OnUpdate(uint32_t hint) {
  long top = m_list->GetItemCount() > 0 ? m_list->GetTopItem() : 0;
  Apply(m_state.OnUpdate(hint, static_cast<int>(top)));
}

void CLineListView::Apply(const LineListUpdate& update) {
  m_updating = true;
  if (update.models) FillModelBox();
  if (update.rebuilt) {
    // Shrinking the list below its first visible row leaves the rows window scrolled past the new
    // end, drawn blank, although the list then reports its top at row 0: scroll to the top while
    // the old rows are still there.
    const long rows = static_cast<long>(m_state.GetRowCount());
    if (m_list->GetItemCount() > 0 && m_list->GetTopItem() >= rows) m_list->EnsureVisible(0);
    m_list->SetItemCount(rows);
    m_list->Refresh();
  }
  if (update.selection) ApplySelection(update);
  if (update.repaint) m_list->Refresh();
  m_updating = false;
}

void CLineListView::ApplySelection(const LineListUpdate& update) {
  if (m_list->GetItemCount() > 0) m_list->SetItemState(-1, 0, wxLIST_STATE_SELECTED);
  for (long row : m_state.SelectedRows()) m_list->SetItemState(row, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
  if (update.focusRow >= 0 && update.focusRow < m_list->GetItemCount()) {
    m_list->SetItemState(update.focusRow, wxLIST_STATE_FOCUSED, wxLIST_STATE_FOCUSED);
    m_list->EnsureVisible(update.focusRow);
  } else if (update.topRow >= 0 && update.topRow < m_list->GetItemCount()) {
    // The remembered first row and one page after it.
    long last = std::min<long>(update.topRow + m_list->GetCountPerPage() - 1, m_list->GetItemCount() - 1);
    m_list->EnsureVisible(last);
    m_list->EnsureVisible(update.topRow);
  }
  m_list->Refresh();
}

void CLineListView::FillModelBox() {
  m_models->Clear();
  for (const std::string& name : m_state.GetModelNames()) m_models->Append(wxString::FromUTF8(name));
  if (!m_state.GetModelNames().empty()) m_models->SetSelection(m_state.GetActiveModelChoice());
  m_models->Enable(m_state.IsModelChoiceEnabled());
}

std::vector<long> CLineListView::GetListSelection() const {
  std::vector<long> rows;
  for (long row = m_list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED); row >= 0;
       row = m_list->GetNextItem(row, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED))
    rows.push_back(row);
  return rows;
}

void CLineListView::SyncSelectionFromList() {
  m_syncQueued = false;
  if (m_updating || !m_state.GetDocument()) return;
  ListSelectionResult r = m_state.OnListSelection(GetListSelection(), IsTabKeyDown());
  if (r.revert) {
    m_updating = true;
    LineListUpdate u;
    u.selection = true;
    ApplySelection(u);
    m_updating = false;
  }
}

void CLineListView::QueueSync() {
  // A range selection arrives as many events (or none per row): compare once afterwards.
  if (m_syncQueued || m_updating) return;
  m_syncQueued = true;
  CallAfter([this] { SyncSelectionFromList(); });
}

void CLineListView::OnSelectionEvent(wxListEvent& event) {
  QueueSync();
  event.Skip();
}

void CLineListView::OnActivated(wxListEvent&) {
  // The row's selection reaches the model first.
  if (m_syncQueued) SyncSelectionFromList();
  if (!m_state.OnDoubleClick()) wxBell();
}

void CLineListView::OnBeginDrag(wxListEvent& event) {
  CQuorvelDoc* doc = m_state.GetDocument();
  if (!doc || doc->GetEditMode() != 1) return;
  if (m_syncQueued) SyncSelectionFromList();
  m_state.BeginDrag(event.GetIndex());
  CPartDragObject data(PartDragData{static_cast<uint32_t>(PartDragKind::ListRows), 0});
  wxDropSource source(data, m_list);
  source.DoDragDrop(wxDrag_DefaultMove);
  m_state.BeginDrag(-1);
}

void CLineListView::OnModelChoice(wxCommandEvent& event) {
  if (!m_updating) m_state.OnModelChosen(event.GetSelection());
}

void CLineListView::OnContextMenu(wxContextMenuEvent& event) {
  CQuorvelDoc* doc = m_state.GetDocument();
  if (!doc || doc->GetEditMode() != 1) return;
  wxMenu menu;
  AppendCommand(menu, 32879);
  AppendCommand(menu, 32878);
  auto* visibility = new wxMenu;
  for (int id : {32866, 32867, 32868, 32955, 32956}) AppendCommand(*visibility, id);
  menu.AppendSubMenu(visibility, SubMenuLabel(32866));
  auto* add = new wxMenu;
  for (int id : {32783, 32784, 32785, 32786, 32787, 32927, 32943}) AppendCommand(*add, id);
  auto* primitive = new wxMenu;
  for (int id : {32929, 32930, 32931, 32932, 32937}) AppendCommand(*primitive, id);
  add->AppendSubMenu(primitive, SubMenuLabel(32929));
  menu.AppendSubMenu(add, SubMenuLabel(32783));
  wxPoint p = event.GetPosition();
  p = p == wxDefaultPosition ? wxPoint(5, 5) : ScreenToClient(p);
  PopupMenu(&menu, p);
}

void CLineListView::OnKeyUp(wxKeyEvent& event) {
  if (event.GetKeyCode() == WXK_TAB)
    if (CQuorvelDoc* doc = m_state.GetDocument()) doc->FlushDeferredRedraw();
  QueueSync();
  event.Skip();
}

void CLineListView::OnSize(wxSizeEvent& event) {
  DoLayout();
  wxSize size = GetClientSize();
  LineListUpdate u = m_state.OnSize(size.x, size.y);
  if (u.rebuilt || u.selection) Apply(u);
  event.Skip();
}

void CLineListView::DoLayout() {
  wxSize client = GetClientSize();
  if (client.x < CLineListState::kMinWidth || client.y < CLineListState::kMinHeight) return;
  wxSize label = m_label->GetBestSize();
  wxSize combo = m_models->GetBestSize();
  m_label->SetSize(0, (combo.y - label.y) / 2, label.x, label.y);
  m_models->SetSize(label.x + 20, 0, std::max(10, client.x - label.x - 20), combo.y);
  m_list->SetSize(0, combo.y + 5, client.x, std::max(0, client.y - combo.y - 5));
}
