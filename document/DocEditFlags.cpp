// Hiding, ghosting, grouping, selecting similar elements, and the edit settings behind the
// Settings menu: grid, rotation point, DrawToSelection, pane coordinates; and Refresh.
#include "config/Settings.h"
#include "document/QuorvelDoc.h"
#include "model/ElementEditor.h"
#include "model/QvFile.h"

namespace {

// With DrawToSelection on, what is drawn depends on the selection and on groups, so the panes
// draw everything again.
uint32_t SelectionHint(uint32_t hint) { return theSettings.DrawToSelection ? HINT_FULL : hint; }

// The selection is exactly one group: its element and its members.
bool IsOneGroup(const CQvFile& model) {
  const int32_t index = model.GetSelectedIndex(-1);
  const CQvPart* e = index >= 0 ? model.GetAt(static_cast<size_t>(index)) : nullptr;
  return e && e->GetType() == ElementType::Group;
}

// Colours mean something for these types only: references, lines, triangles, quadrilaterals,
// conditional lines and the generated parts (not the fast-render mesh, not the arrow).
bool HasMeaningfulColor(uint16_t code) { return (code >= 3 && code <= 7) || (code >= 100 && code <= 102); }

}  // namespace

bool CQuorvelDoc::CanHide() const {
  return m_activeModel && m_activeModel->CountSelected(8) < m_activeModel->CountSelected(3);
}
bool CQuorvelDoc::CanUnhide() const { return m_activeModel && m_activeModel->CountSelected(8) > 0; }
bool CQuorvelDoc::CanUnhideAll() const { return m_activeModel && m_activeModel->CountElements(8) > 0; }
bool CQuorvelDoc::CanGhost() const {
  return m_editMode == 1 && HasSelection() && m_activeModel->CountSelected(6) < m_activeModel->CountSelected(0);
}
bool CQuorvelDoc::CanUnghost() const { return m_editMode == 1 && m_activeModel && m_activeModel->CountSelected(6) > 0; }
bool CQuorvelDoc::CanGroup() const {
  return HasSelection() && !IsOneGroup(*m_activeModel) && TheElementEditor().Offers(ElementType::Group);
}
bool CQuorvelDoc::CanUngroup() const { return m_activeModel && m_activeModel->IsSelectionGrouped(0); }

int CQuorvelDoc::OnHide() {
  if (!CanHide()) return 0;
  m_activeModel->SetHiddenOfSelected(true, 0);
  SetModifiedFlag(1);
  UpdateAllViews(HINT_FULL);
  return 1;
}

int CQuorvelDoc::OnUnhide() {
  if (!CanUnhide()) return 0;
  m_activeModel->SetHiddenOfSelected(false, 0);
  SetModifiedFlag(1);
  UpdateAllViews(HINT_FULL);
  return 1;
}

int CQuorvelDoc::OnUnhideAll() {
  if (!CanUnhideAll()) return 0;
  m_activeModel->SetHiddenOfSelected(false, 1);
  SetModifiedFlag(1);
  UpdateAllViews(HINT_FULL);
  return 1;
}

int CQuorvelDoc::OnGhost() {
  if (!CanGhost()) return 0;
  m_activeModel->SetGhostOfSelected(true);
  SetModifiedFlag(1);
  UpdateAllViews(HINT_LIST_STATES | HINT_KEEP_IMAGE);
  return 1;
}

int CQuorvelDoc::OnUnghost() {
  if (!CanUnghost()) return 0;
  m_activeModel->SetGhostOfSelected(false);
  SetModifiedFlag(1);
  UpdateAllViews(HINT_LIST_STATES | HINT_KEEP_IMAGE);
  return 1;
}

// Grouping first dissolves selected groups, so even a cancelled name dialog may have changed the
// model: both commands always take a snapshot.
int CQuorvelDoc::OnGroup() {
  if (!CanGroup()) return 0;
  m_activeModel->GroupSelected();
  SetModifiedFlag(1);
  UpdateAllViews(SelectionHint(HINT_KEEP_IMAGE));
  return 1;
}

int CQuorvelDoc::OnUngroup() {
  if (!CanUngroup()) return 0;
  m_activeModel->UngroupSelected();
  SetModifiedFlag(1);
  UpdateAllViews(SelectionHint(HINT_KEEP_IMAGE));
  return 1;
}

bool CQuorvelDoc::CanSelectAll() const { return m_editMode == 1 && m_editSubMode == 0 && m_activeModel; }
bool CQuorvelDoc::CanSelectSameType() const { return m_activeModel && m_activeModel->GetSelectedCount() == 1; }
bool CQuorvelDoc::CanSelectSameColor() const {
  return CanSelectSameType() && HasMeaningfulColor(m_activeModel->GetSingleSelectedType());
}

int CQuorvelDoc::OnSelectAll() {
  if (!CanSelectAll() || !m_activeModel->SelectSimilar(0, 1)) return 0;
  UpdateAllViews(SelectionHint(HINT_SELECTION));
  return 1;
}

int CQuorvelDoc::OnSelectSameType() {
  if (!CanSelectSameType() || !m_activeModel->SelectSimilar(0, 0)) return 0;
  UpdateAllViews(SelectionHint(HINT_SELECTION));
  return 1;
}

int CQuorvelDoc::OnSelectSameColor() {
  if (!CanSelectSameColor() || !m_activeModel->SelectSimilar(1, 0)) return 0;
  UpdateAllViews(SelectionHint(HINT_SELECTION));
  return 1;
}

void CQuorvelDoc::SetGridType(int type) {
  if (type >= 0 && type <= 2) theSettings.GridType = type;
}

bool CQuorvelDoc::CanEditRotationPoint() const {
  return m_editMode == 1 && m_activeModel && TheElementEditor().OffersRotationPoint();
}

int CQuorvelDoc::OnEditRotationPoint() {
  if (!CanEditRotationPoint() || !m_activeModel->EditRotationPoint()) return 0;
  SetModifiedFlag(1);
  UpdateAllViews(HINT_PANES_ONLY | HINT_KEEP_IMAGE);
  return 1;
}

void CQuorvelDoc::OnToggleDrawToSelection() {
  theSettings.DrawToSelection = theSettings.DrawToSelection ? 0 : 1;
  UpdateAllViews(HINT_FULL);
}

void CQuorvelDoc::OnRefresh() {
  UpdateAllViews(HINT_REFIT);
  SendModelChanged();
}

void CQuorvelDoc::OnTogglePaneCoordinates() {
  theSettings.ShowViewCoords = theSettings.ShowViewCoords ? 0 : 1;
  UpdateAllViews(HINT_PANES_ONLY | HINT_SELECTION);
}
