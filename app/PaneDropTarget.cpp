#include "app/PaneDropTarget.h"

#include "app/QuorvelView.h"
#include "config/PartList.h"

namespace {
PartDragData theCurrentDrag;
}  // namespace

void NotePartDrag(const PartDragData& data) { theCurrentDrag = data; }
const PartDragData& CurrentPartDrag() { return theCurrentDrag; }

CPaneDropTarget::CPaneDropTarget(CQuorvelView* view) : m_view(view), m_object(new CPartDragObject()) {
  SetDataObject(m_object);
  SetDefaultAction(wxDragCopy);
}

bool CPaneDropTarget::Accepting() const {
  const CQuorvelViewState& state = m_view->State();
  return state.IsInitialised() && state.IsEditMode() && state.GetRenderer();
}

wxDragResult CPaneDropTarget::OnEnter(wxCoord x, wxCoord y, wxDragResult def) {
  m_outline = false;
  if (!Accepting()) return wxDragNone;
  const PartDragData& local = CurrentPartDrag();
  if (local.kind == static_cast<uint32_t>(PartDragKind::Part)) {
    m_outline = m_view->Mouse().PartDragEnter(local.value, x, y);
    m_view->Refresh(false);
  }
  return OnDragOver(x, y, def);
}

wxDragResult CPaneDropTarget::OnDragOver(wxCoord x, wxCoord y, wxDragResult) {
  if (!Accepting()) return wxDragNone;
  m_view->ShowCoordinates(x, y);
  if (m_outline) {
    m_view->Mouse().PartDragOver(x, y);
    m_view->Refresh(false);
  }
  return wxDragCopy;
}

void CPaneDropTarget::OnLeave() {
  if (m_outline) m_view->Mouse().PartDragLeave();
  m_outline = false;
  m_view->Refresh(false);
}

bool CPaneDropTarget::OnDrop(wxCoord, wxCoord) { return Accepting(); }

wxDragResult CPaneDropTarget::OnData(wxCoord x, wxCoord y, wxDragResult def) {
  m_outline = false;
  if (!Accepting() || !GetData()) return wxDragNone;
  const bool added = DropPayload(m_object->GetData(), x, y);
  return added ? (def == wxDragMove ? wxDragCopy : def) : wxDragNone;
}

bool CPaneDropTarget::DropPayload(const PartDragData& data, int x, int y) {
  m_outline = false;
  bool added = false;
  // Lines of the line list and a pane's selection belong to the place they were dragged from:
  // only a part makes sense here.
  const bool part = data.kind == static_cast<uint32_t>(PartDragKind::Part);
  const bool foreign = CurrentPartDrag().kind == 0;
  const bool ownModel = CPartList::GetCategory(data.value) == kDocumentModels;
  if (Accepting() && part && !(foreign && ownModel) && m_view->Mouse().PartDragEnter(data.value, x, y))
    added = m_view->Mouse().PartDrop(x, y);
  m_view->Mouse().PartDragLeave();
  m_view->Refresh(false);
  return added;
}
