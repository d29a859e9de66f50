// Selection notifications from the 3-D views and the line list, and the edit/view mode switches.
//
// Which hint a selection change sends depends on DrawToSelection: with it on, what the panes show
// depends on the selection, so they re-render fully; with it off, only the selection is redrawn
// over the kept image. While Tab is held (the user picks several elements in turn) the full redraw
// is put off until FlushDeferredRedraw.
#include "config/Settings.h"
#include "document/QuorvelDoc.h"
#include "model/QvFile.h"

namespace {

// The hint of a selection change; tells whether a full redraw was put off.
uint32_t SelectionHint(int listFlag, bool tabHeld, bool& deferred) {
  deferred = false;
  if (theSettings.DrawToSelection && !tabHeld) return listFlag ? HINT_LIST_STATES : HINT_PANES_ONLY;
  deferred = theSettings.DrawToSelection != 0;
  return listFlag ? HINT_SELECTION : HINT_PANES_ONLY | HINT_SELECTION;
}

}  // namespace

int CQuorvelDoc::SelectElement(int32_t index, int listFlag, SelectKeys keys) {
  if (!m_activeModel) return 0;
  const size_t before = m_activeModel->GetSelectedCount();
  const int selected = keys.ctrlOrShift ? m_activeModel->Select(index) : m_activeModel->SelectOnly(index);
  // Selecting "nothing" (index -1, or a stale index) still clears the selection; the views must
  // hear about that as well.
  const bool cleared = before > 0 && m_activeModel->GetSelectedCount() == 0;
  if (!selected && !cleared) return 0;
  bool deferred = false;
  UpdateAllViews(SelectionHint(listFlag, keys.tab, deferred));
  if (deferred) m_deferredRedraw = 1;
  return 1;
}

void CQuorvelDoc::FlushDeferredRedraw() {
  if (!m_deferredRedraw) return;
  m_deferredRedraw = 0;
  UpdateAllViews(HINT_FULL);
}

void CQuorvelDoc::SelectFromList(int32_t index, SelectKeys keys) {
  if (index == -1 || !m_activeModel) return;
  m_activeModel->ClearSelection();
  m_activeModel->Select(index);
  // The line list already shows the change.
  bool deferred = false;
  UpdateAllViews(SelectionHint(0, keys.tab, deferred));
  if (deferred) m_deferredRedraw = 1;
}

void CQuorvelDoc::DeselectFromList(int32_t index, int flag) {
  if (!m_activeModel || !m_activeModel->Deselect(index)) return;
  UpdateAllViews(flag ? HINT_SELECTION : HINT_PANES_ONLY | HINT_SELECTION);
}

int CQuorvelDoc::BuildSelection(int kind, int32_t index) {
  if (!m_activeModel) return 0;
  switch (kind) {
    case 0:
      m_activeModel->ClearSelection();
      return 1;
    case 1:
      if (index < 0 || static_cast<size_t>(index) >= m_activeModel->GetCount()) return 0;
      m_activeModel->Select(index);  // an element met twice by the rubber band stays selected
      return 1;
    case 2:
      UpdateAllViews(theSettings.DrawToSelection ? HINT_FULL : HINT_SELECTION);
      return 1;
    default:
      return 0;
  }
}

void CQuorvelDoc::OnViewMode() {
  if (m_editMode != 1) return;
  m_editMode = 0;
  m_editSubMode = 0;
  m_prevDrawnStep = 0;
  m_shownStep = 1;
  if (m_activeModel) m_activeModel->SelectOnly(-1);
  m_host->SetEditMode(0);
  UpdateAllViews(HINT_MODE_CHANGED);
}

void CQuorvelDoc::SetEditMode(int subMode) {
  // 0 select, 1 pan, 2 rotate, 3 zoom: nothing else is a mouse mode of the views.
  if (subMode < 0 || subMode > 3) return;
  if (m_editMode == 1) {
    if (subMode == m_editSubMode) return;
    m_editSubMode = subMode;
    UpdateAllViews(HINT_SUBMODE);
    return;
  }
  m_editSubMode = subMode;
  m_editMode = 1;
  m_prevDrawnStep = 0;
  m_shownStep = -1;
  if (m_activeModel) m_activeModel->SelectOnly(-1);
  m_host->SetEditMode(1);
  UpdateAllViews(HINT_MODE_CHANGED);
}
