// Moving and turning the selection: by the grid, by typed values, snapped to the grid, by the
// mouse; recolouring and sorting through their dialogs.
#include "config/Settings.h"
#include "document/QuorvelDoc.h"
#include "model/QvElement.h"
#include "model/QvFile.h"

namespace {

constexpr int kFirstMove = 32792;
constexpr int kFirstRotate = 32816;

// X ->, <- X, Y ->, <- Y, Z ->, <- Z. LDraw's y axis points down, so "Y ->" (up on the screen)
// moves towards -y.
constexpr double kMoveDirections[6][3] = {{1, 0, 0}, {-1, 0, 0}, {0, -1, 0}, {0, 1, 0}, {0, 0, 1}, {0, 0, -1}};

// Axis and sign of the six turns, in command order.
struct Turn {
  CVector3 axis;
  double sign;
};
const Turn kTurns[6] = {{{1, 0, 0}, 1}, {{1, 0, 0}, -1}, {{0, 1, 0}, -1},
                        {{0, 1, 0}, 1}, {{0, 0, 1}, -1}, {{0, 0, 1}, 1}};

double GridAngle() {
  switch (theSettings.GridType) {
    case 1:
      return theSettings.MidRotAngle;
    case 2:
      return theSettings.OffRotAngle;
    default:
      return theSettings.DefRotAngle;
  }
}

}  // namespace

bool CQuorvelDoc::CanSnapToGrid() const { return m_activeModel && m_activeModel->CountSelected(2) > 0; }

int CQuorvelDoc::OnSnapToGrid() {
  if (!CanSnapToGrid()) return 0;
  m_activeModel->SnapSelectedToGrid();
  SetModifiedFlag(1);
  UpdateAllViews(HINT_LIST_STATES | HINT_KEEP_IMAGE);
  return 1;
}

bool CQuorvelDoc::CanMoveByGrid() const { return m_editMode == 1 && CountSelectedDrawables() > 0; }

int CQuorvelDoc::MoveByGrid(int command) {
  const int i = command - kFirstMove;
  if (i < 0 || i >= 6 || !CanMoveByGrid()) return 0;
  m_activeModel->MoveSelected(kMoveDirections[i][0], kMoveDirections[i][1], kMoveDirections[i][2], kMoveGrid);
  SetModifiedFlag(1);
  UpdateAllViews(HINT_LIST_STATES | HINT_KEEP_IMAGE);
  return 1;
}

int CQuorvelDoc::RotateByGrid(int command) {
  const int i = command - kFirstRotate;
  if (i < 0 || i >= 6 || !CanMoveByGrid()) return 0;
  CMatrix3 matrix;
  matrix.SetAxisAngle(kTurns[i].axis, kTurns[i].sign * GridAngle());
  m_activeModel->RotateSelected(matrix, 0);
  SetModifiedFlag(1);
  UpdateAllViews(HINT_LIST_STATES | HINT_KEEP_IMAGE);
  return 1;
}

int CQuorvelDoc::OnKeyboardEntry() {
  if (!CanEnterByKeyboard()) return 0;
  KeyboardEntry entry;
  const CQvPart* single = m_activeModel->GetSingleSelected();
  if (single && single->GetType() == ElementType::Reference) {
    // One placed part: the dialog shows where it is, and what is typed is where it goes.
    const auto* placed = static_cast<const CQvElement*>(single);
    entry.absolute = true;
    entry.position[0] = placed->GetPosition().x;
    entry.position[1] = placed->GetPosition().y;
    entry.position[2] = placed->GetPosition().z;
    for (int k = 0; k < 9; ++k) entry.matrix[k] = placed->GetMatrix().m[static_cast<size_t>(k)];
  }
  if (m_ports->EnterByKeyboard(entry) != PortResult::Ok) return 0;
  if (!entry.usePosition && !entry.useRotation) return 0;
  if (entry.usePosition)
    m_activeModel->MoveSelected(entry.position[0], entry.position[1], entry.position[2],
                                entry.absolute ? kMoveSet : kMoveAdd);
  if (entry.useRotation) {
    const double* m = entry.matrix;
    m_activeModel->RotateSelected(CMatrix3(m[0], m[1], m[2], m[3], m[4], m[5], m[6], m[7], m[8]),
                                  entry.absolute ? 1 : 0);
  }
  SetModifiedFlag(1);
  UpdateAllViews(HINT_LIST_STATES | HINT_KEEP_IMAGE);
  return 1;
}

int CQuorvelDoc::OnChooseColor() {
  if (!CanChooseColor()) return 0;
  ColorChoice choice;
  const CQvPart* single = m_activeModel->GetSingleSelected();
  if (single && single->stepContent) choice.color = single->GetColor();
  if (m_ports->ChooseColor(choice) != PortResult::Ok) {
    // The table may have changed before Cancel: every view then draws again.
    if (choice.tableChanged) UpdateAllViews(HINT_FULL);
    return 0;
  }
  return SetSelectionColor(choice.color, choice.tableChanged ? 1 : 0);
}

int CQuorvelDoc::OnSort() {
  if (!CanSort()) return 0;
  SortChoice choice;
  choice.hasSelection = m_activeModel->CountSelected(2) > 0;
  choice.selectedOnly = choice.hasSelection;
  if (m_ports->ChooseSort(choice) != PortResult::Ok) return 0;
  if (!m_activeModel->SortParts(choice.sortKey, choice.ascending ? 1 : 0,
                                choice.selectedOnly && choice.hasSelection ? 1 : 0))
    return 0;
  SetModifiedFlag(1);
  UpdateAllViews(HINT_FULL);
  return 1;
}

int CQuorvelDoc::MoveSelection(double x, double y, double z) {
  if (!m_activeModel || m_activeModel->CountSelected(4) == 0) return 0;
  m_activeModel->MoveSelected(x, y, z, kMoveAdd);
  SetModifiedFlag(1);
  UpdateAllViews(HINT_LIST_STATES | HINT_KEEP_IMAGE);
  return 1;
}

int CQuorvelDoc::MoveSelectedLines(int32_t index) {
  if (!m_activeModel || !m_project.MoveSelectedBefore(index)) return 0;
  SetModifiedFlag(1);
  UpdateAllViews(theSettings.DrawToSelection ? HINT_FULL : HINT_LIST_ONLY);
  return 1;
}

int CQuorvelDoc::DragHandle(int vertex, double x, double y, double z, int copy) {
  if (!HasSelection()) return 0;
  const size_t count = m_activeModel->GetSelectedCount();
  if (copy) {
    m_activeModel->CopySelected();
    if (!theSettings.DrawToSelection) UpdateAllViews(HINT_SAVE_STATE);
    // Refused (and nothing pushed) when the copy would make a model place itself.
    if (!OnEditPaste()) return 0;
  }
  if (count != 1) return 1;
  m_activeModel->GetSelected(0)->MoveVertex(vertex, x, y, z);
  SetModifiedFlag(1);
  UpdateAllViews(HINT_LIST_STATES | HINT_KEEP_IMAGE);
  return 1;
}
