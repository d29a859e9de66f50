// Operations of a model that the selection and settings commands of the editor call directly:
// snapping the selection, the rotation-point dialog and collecting comments.
#include "model/ElementEditor.h"
#include "model/QvElement.h"
#include "model/QvFile.h"

void CQvFile::SnapSelectedToGrid() {
  for (CQvPart* e : m_selected)
    if (e->IsPartLike()) static_cast<CQvElement*>(e)->SnapToGrid();
}

int CQvFile::EditRotationPoint() {
  IElementEditor& editor = TheElementEditor();
  if (!editor.OffersRotationPoint()) return 0;
  RotationPointEdit data{m_rotationPoints.mode, m_rotationPoints.show, m_rotationPoints.GetPoints()};
  if (!editor.EditRotationPoint(data)) return 0;
  // A mode that names no custom point would turn about a point that is not there.
  const int32_t custom = static_cast<int32_t>(data.points.size());
  if (data.mode < 0 || data.mode >= CRotationPoints::kFirstCustom + custom) data.mode = CRotationPoints::kPartOrigin;
  m_rotationPoints.SetPoints(std::move(data.points));
  m_rotationPoints.mode = data.mode;
  m_rotationPoints.show = data.show;
  return 1;
}

void CQvFile::CollectComments(std::vector<std::string>& list, uint32_t flags) {
  for (auto& e : m_elements) e->CollectComments(list, flags);
}
