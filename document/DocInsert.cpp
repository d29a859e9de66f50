// Adding elements to the active model: one element, a part from the part list or by name, the
// copy buffer's elements (Paste, the copy-drop), and Modify of the selected element.
//
// A model must never place itself, directly or through other models: drawing it would recurse
// without end, and a snapshot holding such a cycle loses every sub-model reference when it is
// read back. So every addition is checked right after it is made and, when it closes a cycle,
// taken out again before anything is drawn and before any undo snapshot is taken: the undo ring,
// the modified flag and the copy buffer stay as they were.
#include <new>
#include <vector>

#include "config/PartList.h"
#include "config/Settings.h"
#include "document/QuorvelDoc.h"
#include "model/CopyBuffer.h"
#include "model/ElementEditor.h"
#include "model/QvElement.h"
#include "model/QvFile.h"
#include "model/TextHandler.h"
#include "platform/Prompt.h"
#include "resources/StringIds.h"

namespace {

// Lines that draw nothing: only the line list has to show them.
bool IsListOnly(ElementType type) {
  switch (type) {
    case ElementType::Step:
    case ElementType::Comment:
    case ElementType::RotStep:
    case ElementType::RotStepEnd:
    case ElementType::Bfc:
    case ElementType::Clear:
    case ElementType::BufExchg:
      return true;
    default:
      return false;
  }
}

// The selected new elements reach the panes: drawn straight into them, or, with DrawToSelection
// on (what is drawn depends on the selection), a full update.
void ShowInserted(CQuorvelDoc& doc) {
  if (theSettings.DrawToSelection)
    doc.UpdateAllViews(HINT_FULL);
  else
    doc.DrawChangedIntoPanes();
}

// After something was put into the active model at index: when a model now places itself, the
// element goes again and the user is told. True when it was refused.
bool RefuseCycle(CQuorvelDoc& doc, size_t index, unsigned message) {
  if (!doc.GetProject().HasRecursion()) return false;
  doc.GetActiveModel()->RemoveAt(index);
  ShowMessageId(message, PromptButtons::Ok, PromptIcon::Stop);
  return true;
}

std::unique_ptr<CQvElement> NewPartReference() {
  std::unique_ptr<CQvElement> part(new (std::nothrow) CQvElement);
  if (!part) ShowMessageId(kStringOutOfMemory, PromptButtons::Ok, PromptIcon::Stop);
  return part;
}

// Where an added part goes once it is in the list: where the insertion put it, to the previous
// part's position, or for a drop to the drop point in the pane's plane and the previous part's
// coordinate along the pane's viewing axis.
enum class PartPosition { AsInserted, Previous, Drop };

// The rest of adding a part reference: insertion, the cycle check, the position, the selection,
// the snapshot and the drawing.
int PlacePart(CQuorvelDoc& doc, std::unique_ptr<CQvElement> part, int32_t insertIndex, PartPosition rule,
              const CVector3& point = {}, const CVector3& axis = {}) {
  CQvFile* model = doc.GetActiveModel();
  CQvElement* raw = part.get();
  const size_t index = doc.GetProject().Insert(std::move(part), insertIndex);
  if (RefuseCycle(doc, index, kStringIncludeRecursion)) return 0;
  const CVector3 previous = model->GetPreviousPartPosition(index);
  if (rule == PartPosition::Previous) raw->Move(previous.x, previous.y, previous.z, kMoveSet, 0, 0, 0);
  if (rule == PartPosition::Drop)
    raw->Move(point.x + previous.x * axis.x, point.y + previous.y * axis.y, point.z + previous.z * axis.z,
              kMoveSet, 0, 0, 0);
  model->SelectOnly(static_cast<int32_t>(index));
  // After the move: the newest snapshot is the state the user sees.
  doc.SetModifiedFlag(1);
  ShowInserted(doc);
  return 1;
}

// The selection as list indices, to put back after a refused paste.
std::vector<int32_t> SelectedIndices(const CQvFile& model) {
  std::vector<int32_t> indices;
  for (size_t i = 0; i < model.GetSelectedCount(); ++i)
    indices.push_back(model.GetSelectedIndex(static_cast<int32_t>(i)));
  return indices;
}

// Pastes the copy buffer into the model; false (and the model as before) when the pasted
// elements would close a cycle of models.
bool PasteChecked(CQuorvelDoc& doc) {
  CQvFile* model = doc.GetActiveModel();
  const std::vector<int32_t> before = SelectedIndices(*model);
  model->PasteFromCopyBuffer();
  const bool pasted = model->GetSelectedCount() > 0;
  if (pasted && !doc.GetProject().HasRecursion()) return true;
  // The pasted elements went in behind the old selection: removing them leaves its indices valid.
  model->DeleteSelected();
  for (int32_t index : before) model->Select(index);
  if (pasted) ShowMessageId(kStringPasteRecursion, PromptButtons::Ok, PromptIcon::Stop);
  return false;
}

std::vector<std::unique_ptr<CQvPart>> CopyOfBuffer() {
  std::vector<std::unique_ptr<CQvPart>> items;
  for (CQvPart* e = CCopyBuffer::GetNext(1); e; e = CCopyBuffer::GetNext(0)) items.push_back(e->Clone());
  return items;
}

void RestoreBuffer(std::vector<std::unique_ptr<CQvPart>>& items) {
  CCopyBuffer::Clear();
  for (auto& e : items)
    if (e) CCopyBuffer::Add(std::move(e));
}

}  // namespace

int CQuorvelDoc::InsertElement(std::unique_ptr<CQvPart> element) {
  if (!element || !m_activeModel) return 0;
  const ElementType type = element->GetType();
  const size_t index = m_project.Insert(std::move(element), -1);
  if (RefuseCycle(*this, index, kStringIncludeRecursion)) return 0;
  if (m_editMode != 1) {
    // Edit mode always shows the whole model.
    m_prevDrawnStep = 0;
    m_shownStep = -1;
  }
  m_editMode = 1;
  m_editSubMode = 0;
  m_activeModel->SelectOnly(static_cast<int32_t>(index));
  m_host->SetEditMode(1);
  if (IsListOnly(type))
    UpdateAllViews(HINT_LIST_ONLY);
  else
    ShowInserted(*this);
  SetModifiedFlag(1);
  return 1;
}

int CQuorvelDoc::AddPartFromList(uint32_t partHandle, int32_t insertIndex, double x, double y, double z,
                                 int usePrevious, double axisX, double axisY, double axisZ) {
  if (m_editMode != 1 || partHandle == 0 || !m_activeModel) return 0;
  const PartListEntry* entry = m_library.partList.GetEntry(partHandle);
  if (!entry) return 0;
  std::unique_ptr<CQvElement> part = NewPartReference();
  if (!part) return 0;
  part->SetPart(entry->fileName, CVector3(x, y, z), 1);
  PartPosition rule = PartPosition::Drop;
  if (usePrevious) rule = theSettings.UsePrevPos ? PartPosition::AsInserted : PartPosition::Previous;
  return PlacePart(*this, std::move(part), insertIndex, rule, CVector3(x, y, z),
                   CVector3(axisX, axisY, axisZ));
}

int CQuorvelDoc::AddPartByName(const std::string& name) {
  if (m_editMode != 1 || name.empty() || !m_activeModel) return 0;
  std::unique_ptr<CQvElement> part = NewPartReference();
  if (!part) return 0;
  part->SetPart(name, CVector3(), 1);
  return PlacePart(*this, std::move(part), -1,
                   theSettings.UsePrevPos ? PartPosition::AsInserted : PartPosition::Previous);
}

int CQuorvelDoc::OnAddPart() {
  if (!CanAddElements()) return 0;
  uint32_t handle = 0;
  if (!TheElementEditor().ChoosePart(handle)) return 0;
  return AddChosenPart(handle, {});
}

int CQuorvelDoc::AddChosenPart(uint32_t partHandle, const std::string& typedName) {
  const int added =
      typedName.empty() ? AddPartFromList(partHandle, -1, 0, 0, 0, 1, 0, 0, 0) : AddPartByName(typedName);
  // The command's own snapshot, after the one of the insertion.
  if (added) SetModifiedFlag(1);
  return added;
}

// --- the copy buffer ---

bool CQuorvelDoc::CanPaste() const { return CCopyBuffer::IsEmpty() == 0; }

int CQuorvelDoc::OnEditPaste() {
  if (!m_activeModel || !CanPaste()) return 0;
  if (!PasteChecked(*this)) return 0;
  SetModifiedFlag(1);
  ShowInserted(*this);
  return 1;
}

int CQuorvelDoc::CopyAndMoveSelection(double x, double y, double z) {
  if (!m_activeModel || m_activeModel->GetSelectedCount() == 0) return 0;
  std::vector<std::unique_ptr<CQvPart>> buffer = CopyOfBuffer();
  m_activeModel->CopySelected();
  if (!PasteChecked(*this)) {
    RestoreBuffer(buffer);
    return 0;
  }
  SetModifiedFlag(1);
  m_activeModel->MoveSelected(x, y, z, kMoveAdd);
  ShowInserted(*this);
  SetModifiedFlag(1);
  return 1;
}

// --- Modify ---

bool CQuorvelDoc::CanModify() const {
  if (!m_activeModel) return false;
  const int32_t index = m_activeModel->GetSelectedIndex(-1);
  const CQvPart* element = index >= 0 ? m_activeModel->GetAt(static_cast<size_t>(index)) : nullptr;
  if (!element || (element->GetType() != ElementType::Group && !element->CanEdit())) return false;
  return TheElementEditor().Offers(element->GetType());
}

int CQuorvelDoc::EditSelectedElement() {
  if (!CanModify()) return 0;
  const int32_t index = m_activeModel->GetSelectedIndex(-1);
  CQvPart* element = m_activeModel->GetAt(static_cast<size_t>(index));
  // A single element is kept as it was, to be put back if its new state closes a cycle (a part
  // reference may be pointed at any model of the project).
  std::unique_ptr<CQvPart> original = element->GetType() == ElementType::Group ? nullptr : element->Clone();
  const int result = m_activeModel->EditSelected();
  if (result != 1 && result != 2) return 0;
  if (m_project.HasRecursion()) {
    if (original) {
      m_activeModel->RemoveAt(static_cast<size_t>(index));
      m_activeModel->InsertAt(static_cast<size_t>(index), std::move(original));
      m_activeModel->Select(index);
    } else if (m_undoCurrent >= 0) {
      // Nothing to put back by hand: the newest snapshot is the state before the edit.
      m_project.LoadUndo(m_undo[static_cast<size_t>(m_undoCurrent)].get());
      RefreshActiveModel();
      UpdateAllViews(HINT_FULL);
    }
    ShowMessageId(kStringIncludeRecursion, PromptButtons::Ok, PromptIcon::Stop);
    return 0;
  }
  SetModifiedFlag(1);
  UpdateAllViews(result == 1 ? HINT_LIST_STATES : HINT_LIST_STATES | HINT_KEEP_IMAGE);
  return 1;
}
