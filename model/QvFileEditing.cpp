// The editing operations of a model: insertion with defaults, delete, copy and paste, moving and
// turning the selection on the grid, recolouring, hiding, selecting similar elements, automatic
// steps and sorting.
#include <algorithm>
#include <cmath>

#include "config/Settings.h"
#include "config/StringUtils.h"
#include "config/Tracer.h"
#include "model/CopyBuffer.h"
#include "model/ElementEnvironment.h"
#include "model/QvCommentPart.h"
#include "model/QvElement.h"
#include "model/QvFile.h"
#include "model/QvLinePart.h"
#include "model/QvStepPart.h"
#include "model/QvTrianglePart.h"
#include "model/SelectionGroup.h"

namespace {

CVector3 AbsVector(const CVector3& v) { return {std::fabs(v.x), std::fabs(v.y), std::fabs(v.z)}; }

double Round6(double v) { return std::round(v * 1e6) / 1e6; }

bool IsReference(const CQvPart& e) { return e.GetType() == ElementType::Reference; }

// Part-like elements (references and the generated parts built on them) are placed elements: they
// share position, matrix and file, so every placement rule treats them alike.
const CQvElement* AsPlaced(const CQvPart* e) {
  return e && e->IsPartLike() ? static_cast<const CQvElement*>(e) : nullptr;
}

}  // namespace

ColorNumber CQvFile::GetDefaultColorAt(int32_t position) const {
  if (theSettings.UsePrevColor)
    for (int32_t i = std::min<int32_t>(position, static_cast<int32_t>(m_elements.size()) - 1); i >= 0; --i)
      if (m_elements[static_cast<size_t>(i)]->IsPartLike()) return m_elements[static_cast<size_t>(i)]->GetColor();
  return static_cast<ColorNumber>(theSettings.DefaultColor);
}

CMatrix3 CQvFile::GetDefaultMatrixAt(int32_t position) const {
  if (!theSettings.UseDefMatrix)
    for (int32_t i = std::min<int32_t>(position, static_cast<int32_t>(m_elements.size()) - 1); i >= 0; --i)
      if (const CQvElement* placed = AsPlaced(m_elements[static_cast<size_t>(i)].get())) return placed->GetMatrix();
  return CMatrix3::Identity();
}

CMatrix3 CQvFile::GetMatrixForNewPart() const {
  int32_t position = 0, index = -1;
  if (!GetLastSelected(position, index)) index = static_cast<int32_t>(m_elements.size()) - 1;
  return GetDefaultMatrixAt(index);
}

size_t CQvFile::AddTriangle(const CVector3& a, const CVector3& b, const CVector3& c, ColorNumber color) {
  auto triangle = std::make_unique<CQvTrianglePart>();
  triangle->SetVertex(0, a);
  triangle->SetVertex(1, b);
  triangle->SetVertex(2, c);
  triangle->SetColor(color);
  return Append(std::move(triangle));
}

size_t CQvFile::Insert(std::unique_ptr<CQvPart> element, int32_t index, int defaults) {
  if (!element) theTracer.Fatal("QvFile", "Insert", "pPart = NULL!\n");
  size_t at = m_elements.size();
  int32_t defaultsAt = static_cast<int32_t>(m_elements.size()) - 1;
  int32_t position = 0, lastIndex = -1;
  if (index != -1 && index >= 0 && static_cast<size_t>(index) < m_elements.size()) {
    at = static_cast<size_t>(index);
    defaultsAt = index;
  } else if (GetLastSelected(position, lastIndex)) {
    at = static_cast<size_t>(lastIndex) + 1;
    defaultsAt = lastIndex;
  }
  if (defaults) {
    element->SetColor(GetDefaultColorAt(defaultsAt));
    if (element->IsPartLike()) {
      element->Rotate(GetDefaultMatrixAt(defaultsAt), CVector3(), 1);
      static_cast<CQvElement*>(element.get())->SnapToGrid();
    }
  }
  return InsertAt(at, std::move(element));
}

int CQvFile::InsertStepBefore(size_t position) {
  InsertAt(position, std::make_unique<CQvStepPart>());
  return 1;
}

CVector3 CQvFile::GetPreviousPartPosition(size_t index) const {
  for (size_t i = std::min(index, m_elements.size()); i-- > 0;)
    if (const CQvElement* placed = AsPlaced(m_elements[i].get())) return placed->GetPosition();
  return CVector3();
}

void CQvFile::MoveElementsFrom(CQvFile& other, int skipHidden) {
  for (size_t i = 0; i < other.m_elements.size();) {
    if (skipHidden && other.m_elements[i]->hidden) {
      ++i;
      continue;
    }
    Append(other.RemoveAt(i));
  }
}

int CQvFile::MoveSelectionBefore(int32_t index) {
  if (m_selected.empty() || m_selected.size() == m_elements.size()) return 0;
  CQvPart* target = index >= 0 ? GetAt(static_cast<size_t>(index)) : nullptr;
  if (target && target->selected) target = nullptr;
  const std::vector<CQvPart*> moving = m_selected;
  // Out of the list without touching the selection (groups stay as they are).
  std::vector<std::unique_ptr<CQvPart>> taken;
  for (CQvPart* e : moving) {
    auto it = std::find_if(m_elements.begin(), m_elements.end(), [e](const auto& p) { return p.get() == e; });
    taken.push_back(std::move(*it));
    m_elements.erase(it);
  }
  size_t at = target ? static_cast<size_t>(IndexOf(target)) : m_elements.size();
  for (auto& e : taken) m_elements.insert(m_elements.begin() + static_cast<std::ptrdiff_t>(at++), std::move(e));
  for (size_t s = 0; s < m_selected.size(); ++s) m_selectedIndex[s] = IndexOf(m_selected[s]);
  return 1;
}

int CQvFile::UpgradeMovedParts(int checkOnly) {
  int result = checkOnly ? 0 : 1;
  for (auto& e : m_elements) {
    if (!IsReference(*e)) continue;
    auto* ref = static_cast<CQvElement*>(e.get());
    if (checkOnly) {
      if (ref->UpgradeMovedPart(1)) return 1;
    } else if (ref->UpgradeMovedPart(1) && !ref->UpgradeMovedPart(0)) {
      result = 0;
    }
  }
  return result;
}

void CQvFile::DeleteSelected() {
  while (!m_selected.empty()) {
    const int32_t index = m_selectedIndex.front();
    RemoveAt(static_cast<size_t>(index));  // takes it out of the selection as well
  }
}

void CQvFile::CopySelected() {
  if (m_selected.empty()) return;
  CCopyBuffer::Clear();
  for (int32_t position : GetSelectionOrder())
    if (auto clone = m_selected[static_cast<size_t>(position)]->Clone()) CCopyBuffer::Add(std::move(clone));
}

void CQvFile::PasteFromCopyBuffer() {
  if (CCopyBuffer::IsEmpty()) return;
  int32_t position = 0, lastIndex = -1;
  size_t at = GetLastSelected(position, lastIndex) ? static_cast<size_t>(lastIndex) + 1 : m_elements.size();
  ClearSelection();
  for (CQvPart* e = CCopyBuffer::GetNext(1); e; e = CCopyBuffer::GetNext(0)) {
    auto clone = e->Clone();
    if (!clone) continue;
    const size_t index = InsertAt(at, std::move(clone));
    Select(static_cast<int32_t>(index));
    at = index + 1;
  }
}

CVector3 CQvFile::GetSelectionGridStep() const {
  const CVector3 step = GetCurrentGridStep();
  for (CQvPart* e : m_selected) {
    const CQvElement* placed = AsPlaced(e);
    if (!placed) continue;
    const CMatrix3& m = placed->GetMatrix();
    const CVector3 turned = AbsVector(m * step);
    return {Round6(turned.x), Round6(turned.y), Round6(turned.z)};
  }
  return step;
}

int CQvFile::IsGridStepPermutation(const CVector3& step) {
  const CVector3 grid = GetCurrentGridStep();
  const double g[3] = {grid.x, grid.y, grid.z};
  const double s[3] = {std::fabs(step.x), std::fabs(step.y), std::fabs(step.z)};
  static const int kOrders[6][3] = {{0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}, {2, 0, 1}, {2, 1, 0}};
  for (const auto& o : kOrders)
    if (g[0] == s[o[0]] && g[1] == s[o[1]] && g[2] == s[o[2]]) return 1;
  return 0;
}

void CQvFile::MoveSelected(double dx, double dy, double dz, int mode) {
  if (m_selected.empty()) return;
  if (mode == 0) mode = 1;
  CVector3 grid = GetSelectionGridStep();
  if (!IsGridStepPermutation(grid)) grid = GetCurrentGridStep();
  for (CQvPart* e : m_selected)
    if (e->movable) e->Move(dx, dy, dz, mode, grid.x, grid.y, grid.z);
}

CVector3 CQvFile::SnapToSelectionGrid(const CVector3& point) const {
  if (m_selected.empty()) return CVector3();
  const CVector3 step = GetCurrentGridStep();
  for (CQvPart* e : m_selected) {
    const CQvElement* placed = AsPlaced(e);
    if (!placed) continue;
    const CMatrix3& m = placed->GetMatrix();
    CMatrix3 inverse;
    // A part squashed flat has no axes to snap along: snap unturned rather than to the origin.
    if (!m.Invert(inverse)) break;
    CVector3 local = inverse * point;
    local.Snap(step.x, step.y, step.z);
    return m * local;
  }
  CVector3 snapped = point;
  snapped.Snap(step.x, step.y, step.z);
  return snapped;
}

CVector3 CQvFile::GetRotationCenter(int useOwnPoint, int32_t point) const {
  const int32_t mode = m_rotationPoints.mode;
  if (mode >= CRotationPoints::kFirstCustom || useOwnPoint) return m_rotationPoints.GetPoint(point);
  for (CQvPart* e : m_selected) {
    const CQvElement* ref = AsPlaced(e);
    if (!ref) continue;
    switch (mode) {
      case CRotationPoints::kPartOrigin:
        return ref->GetPosition();
      case CRotationPoints::kPartCenter:
        // The centre lies in the part's own axes: a turned part turns it with it.
        return ref->GetFile() ? ref->GetPosition() + ref->GetMatrix() * ref->GetFile()->GetCenter()
                              : ref->GetPosition();
      case CRotationPoints::kPartRotationPoint:
        return ref->GetPosition() + ref->GetPartRotationPoint();
      default:
        return CVector3();
    }
  }
  if (m_selected.size() == 1 && m_selected[0]->IsLinePrimitive()) {
    const auto* line = static_cast<const CQvLinePart*>(m_selected[0]);
    if (mode == CRotationPoints::kPartOrigin) return line->GetVertex(0);
    if (mode == CRotationPoints::kPartCenter) return line->GetCenter();
  }
  return CVector3();
}

void CQvFile::RotateSelected(const CMatrix3& matrix, int mode) {
  if (m_selected.empty()) return;
  const CVector3 center = GetRotationCenter();
  for (CQvPart* e : m_selected)
    if (e->movable) e->Rotate(matrix, center, mode);
}

void CQvFile::SetColorOfSelected(ColorNumber color) {
  for (CQvPart* e : m_selected) e->SetColor(color);
}

void CQvFile::SetGhostOfSelected(bool ghost) {
  for (CQvPart* e : m_selected) e->ghost = ghost;
}

void CQvFile::SetHiddenOfSelected(bool hidden, int all) {
  if (all) {
    for (auto& e : m_elements)
      if (e->movable) e->hidden = hidden;
    return;
  }
  for (CQvPart* e : m_selected) e->hidden = hidden;
}

void CQvFile::UngroupSelected() {
  for (size_t p = 0; p < m_selected.size();) {
    if (m_selected[p]->GetType() != ElementType::Group) {
      ++p;
      continue;
    }
    const int32_t index = m_selectedIndex[p];
    RemoveAt(static_cast<size_t>(index));  // out of the selection; the members lose their group
  }
}

int CQvFile::GroupSelected() {
  if (m_selected.empty()) return 0;
  UngroupSelected();
  if (m_selected.empty()) return 0;
  auto group = std::make_unique<CSelectionGroup>();
  if (!group->Edit(*this)) return 0;
  CSelectionGroup* raw = group.get();
  int32_t last = -1;
  for (int32_t position : GetSelectionOrder()) {
    raw->AddMember(m_selected[static_cast<size_t>(position)]);
    last = std::max(last, m_selectedIndex[static_cast<size_t>(position)]);
  }
  const size_t index = InsertAt(static_cast<size_t>(last) + 1, std::move(group));
  AddToSelection(raw, static_cast<int32_t>(index));
  return 1;
}

int CQvFile::EditSelected() {
  if (m_selected.empty()) return 0;
  CSelectionGroup* group = m_selected[0]->GetType() == ElementType::Group
                               ? static_cast<CSelectionGroup*>(m_selected[0])
                               : m_selected[0]->GetGroup();
  bool oneGroup = group != nullptr;
  for (CQvPart* e : m_selected)
    if (e != group && e->GetGroup() != group) oneGroup = false;
  if (oneGroup) return group->Edit(*this);
  if (m_selected.size() == 1 && m_selected[0]->CanEdit()) return m_selected[0]->Edit(*this);
  return 0;
}

int CQvFile::DescribeElementAt(size_t index, ElementDescription& out) const {
  const CQvPart* e = GetAt(index);
  if (!e || (e->GetGroup() && e->GetType() != ElementType::Group)) return 0;
  return e->Describe(out);
}

int CQvFile::SelectSimilar(int byColor, int all) {
  if (m_selected.size() != 1) {
    // Without exactly one element to compare with, only "select all" does anything.
    if (!all || byColor) return 0;
    SelectAll();
    return m_selected.size() > 1 ? 1 : 0;
  }
  if (all) {
    SelectAll();
    return m_selected.size() > 1 ? 1 : 0;
  }
  const CQvPart* chosen = m_selected[0];
  const CQvFile* file = IsReference(*chosen) ? static_cast<const CQvElement*>(chosen)->GetFile() : nullptr;
  const PartHandle key = file ? file->partKey : 0;
  for (size_t i = 0; i < m_elements.size(); ++i) {
    const CQvPart* e = m_elements[i].get();
    if (e == chosen) continue;
    bool match;
    if (byColor) {
      match = e->GetColor() == chosen->GetColor();
    } else if (IsReference(*chosen)) {
      const CQvElement* placed = AsPlaced(e);
      const CQvFile* other = placed ? placed->GetFile() : nullptr;
      match = other && (other == file || (key != 0 && other->partKey == key));
    } else {
      match = e->GetType() == chosen->GetType();
    }
    if (match) Select(static_cast<int32_t>(i));
  }
  return m_selected.size() > 1 ? 1 : 0;
}

int32_t CQvFile::FindNeighbour(int direction, int32_t index) const {
  const int32_t count = static_cast<int32_t>(m_elements.size());
  if (index >= count) direction = direction == 2 ? 3 : 0;
  auto fits = [&](int32_t i) {
    const CQvPart* e = m_elements[static_cast<size_t>(i)].get();
    return !e->GetGroup() || e->GetType() == ElementType::Group;
  };
  switch (direction) {
    case 0:
      for (int32_t i = 0; i < count; ++i)
        if (fits(i)) return i;
      break;
    case 1:
      for (int32_t i = std::min(index, count) - 1; i >= 0; --i)
        if (fits(i)) return i;
      break;
    case 2:
      for (int32_t i = std::max(index + 1, 0); i < count; ++i)
        if (fits(i)) return i;
      break;
    default:
      for (int32_t i = count - 1; i >= 0; --i)
        if (fits(i)) return i;
  }
  return -1;
}

int CQvFile::AutoSteps(int byHeight, int count, int& added) {
  added = 0;
  if (!byHeight && count == 0) return 0;
  if (byHeight) {
    bool restart = true;
    double y = 0;
    for (size_t i = 0; i < m_elements.size(); ++i) {
      CQvPart* e = m_elements[i].get();
      const ElementType t = e->GetType();
      if (t == ElementType::Step || t == ElementType::RotStep || t == ElementType::RotStepEnd) {
        restart = true;
      } else if (const CQvElement* placed = AsPlaced(e)) {
        const double py = placed->GetPosition().y;
        if (restart) {
          y = py;
          restart = false;
        } else if (py != y) {
          if (!InsertStepBefore(i)) return 0;
          ++added;
          ++i;
          y = py;
        }
      }
    }
    return 1;
  }
  int n = 0;
  for (size_t i = 0; i < m_elements.size(); ++i) {
    CQvPart* e = m_elements[i].get();
    const ElementType t = e->GetType();
    if (e->IsLineOrPart()) {
      if (n >= count) {
        if (!InsertStepBefore(i)) return 0;
        ++added;
        ++i;
        n = 0;
      }
      ++n;
    } else if (t == ElementType::Step || t == ElementType::RotStep || t == ElementType::RotStepEnd) {
      // A rotation step ends its step by itself: a step before it would be an empty one.
      n = 0;
    }
  }
  return 1;
}

int CQvFile::CompareParts(const CQvPart& a, const CQvPart& b, int key) {
  const auto& ra = static_cast<const CQvElement&>(a);
  const auto& rb = static_cast<const CQvElement&>(b);
  if (key == 0) return a.GetColor() < b.GetColor() ? -1 : (a.GetColor() > b.GetColor() ? 1 : 0);
  if (key == 2) {
    const int c = ra.GetFileName().compare(rb.GetFileName());
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
  }
  if (!ra.GetFile() || !rb.GetFile()) return 0;
  const CVector3 pa = ra.GetPosition() + ra.GetFile()->GetCenter();
  const CVector3 pb = rb.GetPosition() + rb.GetFile()->GetCenter();
  if (pa.y != pb.y) return pa.y < pb.y ? 1 : -1;
  if (pa.z != pb.z) return pa.z < pb.z ? 1 : -1;
  if (pa.x != pb.x) return pa.x > pb.x ? 1 : -1;
  return 0;
}

int CQvFile::SortParts(int key, int ascending, int selectedOnly) {
  auto takes = [&](size_t i) {
    const CQvPart* e = m_elements[i].get();
    return IsReference(*e) && (!selectedOnly || e->selected);
  };
  bool moved = false;
  for (size_t p = 0; p < m_elements.size(); ++p) {
    if (!takes(p)) continue;
    for (size_t q = p + 1; q < m_elements.size(); ++q) {
      if (!takes(q)) continue;
      const int c = CompareParts(*m_elements[p], *m_elements[q], key);
      if (ascending ? c > 0 : c < 0) {
        std::swap(m_elements[p], m_elements[q]);
        moved = true;
      }
    }
  }
  // The selection arrays hold list indices: they follow the elements to their new places.
  if (moved)
    for (size_t s = 0; s < m_selected.size(); ++s) m_selectedIndex[s] = IndexOf(m_selected[s]);
  return moved ? 1 : 0;
}

int CQvFile::ClassifyLSynthLine(const std::string& text) {
  if (text.size() < 5 || !EqualsNoCase(std::string_view(text).substr(0, 5), "SYNTH")) return 0;
  const bool synthesized = ContainsNoCase(text, "SYNTHESIZED") == 0;  // 0 means found
  if (ContainsNoCase(text, "BEGIN") == 0) return synthesized ? 3 : 1;
  if (ContainsNoCase(text, "END") == 0) return synthesized ? 4 : 2;
  return 0;
}

namespace {

// Walks the LSynth markers of the plain comments; visit(element, inDefinition, inSynthesized) for
// every other element. False at the first marker out of place; end tells whether every block closed.
template <typename Fn>
bool WalkLSynth(const CQvFile& file, bool& sawDefinition, bool& closed, Fn visit) {
  bool inDefinition = false, inSynthesized = false;
  sawDefinition = false;
  for (size_t i = 0; i < file.GetCount(); ++i) {
    CQvPart* e = file.GetAt(i);
    int marker = 0;
    if (e->GetType() == ElementType::Comment) {
      const auto* c = static_cast<const CQvCommentPart*>(e);
      if (c->GetKind() == kCommentPlain) marker = CQvFile::ClassifyLSynthLine(c->GetText());
    }
    switch (marker) {
      case 1:
        if (inDefinition || inSynthesized) return false;
        inDefinition = sawDefinition = true;
        break;
      case 2:
        if (!inDefinition || inSynthesized) return false;
        inDefinition = false;
        break;
      case 3:
        if (!inDefinition || inSynthesized) return false;
        inSynthesized = true;
        break;
      case 4:
        if (!inSynthesized) return false;
        inSynthesized = false;
        break;
      default:
        visit(e, inDefinition, inSynthesized);
    }
  }
  closed = !inDefinition && !inSynthesized;
  return true;
}

}  // namespace

int CQvFile::CheckLSynthBlocks() const {
  bool sawDefinition = false, closed = false;
  if (!WalkLSynth(*this, sawDefinition, closed, [](CQvPart*, bool, bool) {})) return 0;
  return closed && sawDefinition ? 1 : 0;
}

int CQvFile::HideLSynthParts(int mode) {
  bool changed = false, sawDefinition = false, closed = false;
  const bool ok = WalkLSynth(*this, sawDefinition, closed, [&](CQvPart* e, bool inDefinition, bool inSynthesized) {
    if (!inDefinition || e->GetType() != ElementType::Reference) return;
    const bool hide = mode == 3 || (mode == 1 && !inSynthesized) || (mode == 2 && inSynthesized);
    if (e->hidden != hide) changed = true;
    e->hidden = hide;
  });
  return ok && changed ? 1 : 0;
}
