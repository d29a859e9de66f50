#include "app/LineListState.h"

#include <algorithm>

#include "app/PartDragData.h"
#include "config/PartList.h"
#include "config/Settings.h"
#include "document/QuorvelDoc.h"
#include "model/QvFile.h"

namespace {

struct KindInfo {
  uint32_t code;
  const char* name;
  int icon;
};

constexpr KindInfo kKinds[] = {
    {1, "STEP", 4},          {2, "COMMENT", 1},      {3, "PART", 2},        {4, "Line", 8},
    {5, "Triangle", 9},      {6, "Quadrilateral", 10}, {7, "Optional-Line", 11}, {10, "ROT-STEP", 3},
    {11, "ROT-END", 5},      {12, "BACKGROUND", 12}, {13, "BFC", 13},       {14, "CLEAR", 14},
    {15, "BUFEXCHG", 15},    {100, "BELT", 19},      {101, "SPRING", 18},   {102, "FLEX", 20},
    {103, "ARROW", 21},      {256, "GROUP", 16},
};
constexpr const char* kNone = "------";
constexpr int kIconNotFound = 0, kIconHidden = 7, kIconGhost = 17;

const KindInfo* FindKind(uint32_t code) {
  for (const KindInfo& k : kKinds)
    if (k.code == code) return &k;
  return nullptr;
}

}  // namespace

const char* CLineListState::KindName(uint32_t typeCode) {
  const KindInfo* k = FindKind(typeCode & 0xFFF);
  return k ? k->name : "????";
}

int CLineListState::KindIcon(uint32_t typeCode) {
  const KindInfo* k = FindKind(typeCode & 0xFFF);
  return k ? k->icon : 6;
}

LineRow CLineListState::MakeRow(const ElementDescription& d, const CPartList& partList) {
  LineRow row;
  row.columns[0] = KindName(d.typeFlags);
  row.columns[1] = d.colorName.empty() ? "--" : d.colorName;
  row.columns[2] = d.position.empty() ? kNone : d.position;
  row.columns[3] = d.matrix.empty() ? kNone : d.matrix;
  const PartListEntry* entry = d.partKey > 0 ? partList.GetEntry(static_cast<PartHandle>(d.partKey)) : nullptr;
  row.columns[4] = entry ? entry->fileName : kNone;
  if (!d.text.empty())
    row.columns[5] = d.text;
  else if (d.partKey > 0)
    row.columns[5] = entry && !entry->description.empty() ? entry->description : "Part unknown!";
  // Hidden, then ghost, then a missing file: the later one wins.
  row.icon = KindIcon(d.typeFlags);
  if (d.typeFlags & kDescribeHidden) row.icon = kIconHidden;
  if (d.typeFlags & kDescribeGhost) row.icon = kIconGhost;
  if (d.typeFlags & kDescribeNoFile) row.icon = kIconNotFound;
  if (d.partKey > 0 && (!entry || entry->description.empty()) && (d.typeFlags & 0xFFF) == 3) row.icon = kIconNotFound;
  return row;
}

LineListUpdate CLineListState::Attach(CQuorvelDoc* doc) {
  m_doc = doc;
  m_skipNext = false;
  m_rows.clear();
  m_rowOfElement.clear();
  m_selectedRows.clear();
  m_modelNames.clear();
  m_cachedRow = -1;
  if (!doc) {
    LineListUpdate u;
    u.rebuilt = u.models = u.selection = true;
    return u;
  }
  return OnUpdate(HINT_REFIT, 0);
}

LineListUpdate CLineListState::OnUpdate(uint32_t hint, int firstVisible) {
  LineListUpdate u;
  m_cachedRow = -1;
  if (!m_doc || m_tooSmall) return u;
  if ((hint & (HINT_PANES_ONLY | HINT_SAVE_STATE)) || hint == HINT_SUBMODE) return u;
  // A project replaced or another model active starts again at the top.
  m_firstVisible = (hint & HINT_REFIT) ? 0 : std::max(0, firstVisible);
  if (m_skipNext) {
    m_skipNext = false;
    return u;
  }
  if (hint & HINT_SKIP_NEXT) m_skipNext = true;
  CQvFile* model = m_doc->GetActiveModel();
  if (!model) return u;
  if (hint & (HINT_MODE_CHANGED | HINT_SELECTION)) {
    ReadSelection();
    u.selection = true;
  } else if (hint & HINT_LIST_STATES) {
    ReadSelection();
    u.selection = u.repaint = true;
  } else {
    ReadModels();
    Rebuild();
    ReadSelection();
    u.rebuilt = u.selection = u.models = true;
  }
  if (!m_selectedRows.empty())
    u.focusRow = static_cast<int>(m_selectedRows.back());
  else if (u.rebuilt || u.repaint)
    u.topRow = std::min<int>(m_firstVisible, static_cast<int>(m_rows.size()) - 1);
  return u;
}

LineListUpdate CLineListState::OnSize(int width, int height) {
  const bool small = width < kMinWidth || height < kMinHeight;
  LineListUpdate u;
  if (small == m_tooSmall) return u;
  m_tooSmall = small;
  if (small) {
    m_rows.clear();
    m_rowOfElement.clear();
    m_selectedRows.clear();
    m_cachedRow = -1;
    u.rebuilt = u.selection = true;
    return u;
  }
  return OnUpdate(HINT_FULL, m_firstVisible);
}

void CLineListState::Rebuild() {
  m_rows.clear();
  m_rowOfElement.clear();
  const CQvFile* model = m_doc ? m_doc->GetActiveModel() : nullptr;
  if (!model) return;
  const size_t n = model->GetCount();
  m_rows.reserve(n);
  m_rowOfElement.assign(n, -1);
  for (size_t i = 0; i < n; ++i) {
    const CQvPart* e = model->GetAt(i);
    // Group members are listed through their group's row.
    if (e->GetGroup() && e->GetType() != ElementType::Group) continue;
    m_rowOfElement[i] = static_cast<int32_t>(m_rows.size());
    m_rows.push_back(static_cast<int32_t>(i));
  }
}

void CLineListState::ReadSelection() {
  m_selectedRows.clear();
  const CQvFile* model = m_doc ? m_doc->GetActiveModel() : nullptr;
  if (!model) return;
  for (size_t i = 0; i < model->GetSelectedCount(); ++i) {
    long row = RowOfElement(model->GetSelectedIndex(static_cast<int32_t>(i)));
    if (row >= 0) m_selectedRows.push_back(row);
  }
}

void CLineListState::ReadModels() {
  m_modelNames.clear();
  m_modelChoice = 0;
  const CMpdFile& project = m_doc->GetProject();
  if (project.GetModelCount() > 1) {
    m_modelNames = m_doc->GetModelNames();
    m_modelChoice = project.GetCurrentIndex();
  } else if (const CQvFile* model = m_doc->GetActiveModel()) {
    m_modelNames.push_back(model->GetName());
  }
}

int32_t CLineListState::ElementOfRow(long row) const {
  return row >= 0 && static_cast<size_t>(row) < m_rows.size() ? m_rows[static_cast<size_t>(row)] : -1;
}

long CLineListState::RowOfElement(int32_t element) const {
  return element >= 0 && static_cast<size_t>(element) < m_rowOfElement.size()
             ? m_rowOfElement[static_cast<size_t>(element)]
             : -1;
}

const LineRow& CLineListState::GetRow(long row) const {
  if (row == m_cachedRow) return m_cache;
  m_cache = LineRow{};
  ElementDescription d;
  const CQvFile* model = m_doc ? m_doc->GetActiveModel() : nullptr;
  const int32_t element = ElementOfRow(row);
  if (model && element >= 0 && model->DescribeElementAt(static_cast<size_t>(element), d)) m_cache = MakeRow(d, m_doc->Library().partList);
  m_cachedRow = row;
  return m_cache;
}

ListSelectionResult CLineListState::OnListSelection(const std::vector<long>& rows, bool tabHeld) {
  ListSelectionResult r;
  CQvFile* model = m_doc ? m_doc->GetActiveModel() : nullptr;
  if (!model) return r;
  // In view mode the list cannot change the selection: it shows the model's again.
  if (m_doc->GetEditMode() != 1) {
    ReadSelection();
    r.revert = true;
    return r;
  }
  std::vector<char> wanted(m_rows.size(), 0);
  for (long row : rows)
    if (row >= 0 && static_cast<size_t>(row) < m_rows.size()) wanted[static_cast<size_t>(row)] = 1;
  std::vector<int32_t> added, removed;
  for (size_t row = 0; row < m_rows.size(); ++row) {
    const bool now = model->GetAt(static_cast<size_t>(m_rows[row]))->selected;
    if (wanted[row] && !now) added.push_back(m_rows[row]);
    if (!wanted[row] && now) removed.push_back(m_rows[row]);
  }
  r.selected = static_cast<int>(added.size());
  r.deselected = static_cast<int>(removed.size());
  const bool single = rows.size() == 1 && added.size() == 1;
  if (single) {
    // One row clicked: the document's own selection from the list (it clears the rest).
    m_doc->SelectFromList(added.front(), SelectKeys{false, tabHeld});
  } else if (!added.empty() || !removed.empty()) {
    // Ctrl or Shift made several rows: the model takes exactly the list's rows, then the panes
    // hear of it once (the list already shows it).
    for (int32_t e : removed) model->Deselect(e);
    for (int32_t e : added) model->Select(e);
    m_doc->UpdateAllViews(HINT_PANES_ONLY | HINT_SELECTION);
  }
  ReadSelection();
  return r;
}

void CLineListState::OnModelChosen(int choice) {
  if (m_doc && IsModelChoiceEnabled()) m_doc->SelectActiveModel(choice);
}

bool CLineListState::OnDoubleClick() {
  if (!m_doc || !m_doc->CanModify()) return false;
  m_doc->EditSelectedElement();
  return true;
}

bool CLineListState::CanDrop(uint32_t kind) const {
  if (!m_doc || m_doc->GetEditMode() != 1 || !m_doc->GetActiveModel()) return false;
  return kind == static_cast<uint32_t>(PartDragKind::Part) || kind == static_cast<uint32_t>(PartDragKind::ListRows);
}

bool CLineListState::OnDrop(uint32_t kind, uint32_t value, long row) {
  if (!CanDrop(kind)) return false;
  const int32_t element = ElementOfRow(row);
  if (kind == static_cast<uint32_t>(PartDragKind::Part)) {
    const CQvFile* model = m_doc->GetActiveModel();
    const int32_t at = element >= 0 ? element : static_cast<int32_t>(model->GetCount());
    return m_doc->AddPartFromList(value, at, 0, 0, 0, 1, 0, 0, 0) != 0;
  }
  // Rows dropped on the row they came from stay where they are.
  if (m_draggedRow >= 0 && element == m_draggedRow) return true;
  MoveSelectedLines(*m_doc, element);
  return true;
}

int CLineListState::MoveSelectedLines(CQuorvelDoc& doc, int32_t element) {
  if (!doc.GetProject().MoveSelectedBefore(element)) return 0;
  doc.SetModifiedFlag(1);
  doc.UpdateAllViews(theSettings.DrawToSelection ? HINT_FULL : HINT_LIST_ONLY);
  return 1;
}
