#include "model/QvFile.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <new>

#include "config/StringUtils.h"
#include "config/Tracer.h"
#include "model/CopyBuffer.h"
#include "model/FileCache.h"
#include "model/QvCommentPart.h"
#include "model/SelectionGroup.h"

CQvFile::CQvFile() { m_rotationPoints.ResetPoints(); }

CQvFile::~CQvFile() {
  // Clones in the copy buffer may refer to this file as a document model.
  CCopyBuffer::ReleaseModelRefs(this);
  if (studLineFile) ReleaseCachedFile(studLineFile->partKey);
  if (studVariantFile) ReleaseCachedFile(studVariantFile->partKey);
  ClearSelection();
  m_elements.clear();
}

void CQvFile::RemoveAll() {
  m_selected.clear();
  m_selectedIndex.clear();
  m_elements.clear();
  InvalidateExtent();
  if (!m_rotationPoints.ResetPoints()) theTracer.Printf("ERROR: Couldn't initialize rotation points!\n");
}

int32_t CQvFile::IndexOf(const CQvPart* element) const {
  for (size_t i = 0; i < m_elements.size(); ++i)
    if (m_elements[i].get() == element) return static_cast<int32_t>(i);
  return -1;
}

size_t CQvFile::Append(std::unique_ptr<CQvPart> element) {
  m_elements.push_back(std::move(element));
  InvalidateExtent();
  return m_elements.size() - 1;
}

size_t CQvFile::InsertAt(size_t index, std::unique_ptr<CQvPart> element) {
  if (index > m_elements.size()) index = m_elements.size();
  m_elements.insert(m_elements.begin() + static_cast<std::ptrdiff_t>(index), std::move(element));
  InvalidateExtent();
  for (int32_t& i : m_selectedIndex)
    if (i >= static_cast<int32_t>(index)) ++i;
  return index;
}

std::unique_ptr<CQvPart> CQvFile::RemoveAt(size_t index) {
  if (index >= m_elements.size()) return nullptr;
  InvalidateExtent();
  CQvPart* element = m_elements[index].get();
  for (size_t p = 0; p < m_selected.size(); ++p)
    if (m_selected[p] == element) {
      RemoveFromSelection(p);
      break;
    }
  for (int32_t& i : m_selectedIndex)
    if (i > static_cast<int32_t>(index)) --i;
  if (element->GetType() == ElementType::Group)
    static_cast<CSelectionGroup*>(element)->RemoveAllMembers();
  else if (CSelectionGroup* group = element->GetGroup())
    group->RemoveMember(element);
  std::unique_ptr<CQvPart> taken = std::move(m_elements[index]);
  m_elements.erase(m_elements.begin() + static_cast<std::ptrdiff_t>(index));
  return taken;
}

// --- selection ---

bool CQvFile::AddToSelection(CQvPart* element, int32_t index) {
  try {
    m_selected.reserve(m_selected.size() + 1);
    m_selectedIndex.reserve(m_selectedIndex.size() + 1);
  } catch (const std::bad_alloc&) {
    return false;
  }
  m_selected.push_back(element);
  m_selectedIndex.push_back(index);
  element->selected = true;
  return true;
}

void CQvFile::RemoveFromSelection(size_t position) {
  m_selected[position]->selected = false;
  m_selected.erase(m_selected.begin() + static_cast<std::ptrdiff_t>(position));
  m_selectedIndex.erase(m_selectedIndex.begin() + static_cast<std::ptrdiff_t>(position));
}

int CQvFile::Select(int32_t index) {
  if (index < 0 || static_cast<size_t>(index) >= m_elements.size()) return 0;
  CQvPart* element = m_elements[static_cast<size_t>(index)].get();
  if (element->selected || !AddToSelection(element, index)) return 0;
  if (CSelectionGroup* group = element->GetGroup()) {
    if (!group->selected) {
      int32_t groupIndex = IndexOf(group);
      if (groupIndex >= 0) AddToSelection(group, groupIndex);
    }
    for (CQvPart* member : group->GetMembers())
      if (!member->selected) {
        int32_t memberIndex = IndexOf(member);
        if (memberIndex >= 0) AddToSelection(member, memberIndex);
      }
  }
  return 1;
}

int CQvFile::SelectOnly(int32_t index) {
  if (index >= 0 && static_cast<size_t>(index) < m_elements.size() && m_selected.size() == 1 &&
      m_selectedIndex[0] == index)
    return 0;
  ClearSelection();
  return index == -1 ? 0 : Select(index);
}

void CQvFile::SelectAll() {
  for (size_t i = 0; i < m_elements.size(); ++i) Select(static_cast<int32_t>(i));
}

void CQvFile::ClearSelection() {
  for (CQvPart* e : m_selected) e->selected = false;
  m_selected.clear();
  m_selectedIndex.clear();
}

int CQvFile::Deselect(int32_t index) {
  auto it = std::find(m_selectedIndex.begin(), m_selectedIndex.end(), index);
  if (it == m_selectedIndex.end()) return 0;
  size_t position = static_cast<size_t>(it - m_selectedIndex.begin());
  CSelectionGroup* group = m_selected[position]->GetGroup();
  RemoveFromSelection(position);
  if (group)
    for (size_t p = m_selected.size(); p-- > 0;)
      if (m_selected[p]->GetGroup() == group) RemoveFromSelection(p);
  return 1;
}

CQvPart* CQvFile::GetSingleSelected() const { return m_selected.size() == 1 ? m_selected[0] : nullptr; }

uint16_t CQvFile::GetSingleSelectedType() const {
  const CQvPart* e = GetSingleSelected();
  return e ? e->GetTypeCode() : 0;
}

int32_t CQvFile::GetSelectedIndex(int32_t i) const {
  if (i >= 0)
    return static_cast<size_t>(i) < m_selected.size() ? m_selectedIndex[static_cast<size_t>(i)] : -1;
  if (i != -1 || m_selected.empty()) return -1;
  if (m_selected.size() == 1) return m_selectedIndex[0];
  CSelectionGroup* group = m_selected[0]->GetGroup();
  if (!group) return -1;
  int32_t groupIndex = -1;
  for (size_t p = 0; p < m_selected.size(); ++p) {
    if (m_selected[p]->GetGroup() != group) return -1;
    if (m_selected[p] == group) groupIndex = m_selectedIndex[p];
  }
  return groupIndex;
}

CQvPart* CQvFile::GetSelectedMovable(int32_t n) const {
  for (CQvPart* e : m_selected)
    if (e->movable && n-- == 0) return e;
  return nullptr;
}

CQvPart* CQvFile::GetLastSelected(int32_t& position, int32_t& index) const {
  position = index = -1;
  for (size_t p = 0; p < m_selected.size(); ++p)
    if (m_selectedIndex[p] > index) {
      index = m_selectedIndex[p];
      position = static_cast<int32_t>(p);
    }
  return position >= 0 ? m_selected[static_cast<size_t>(position)] : nullptr;
}

std::vector<int32_t> CQvFile::GetSelectionOrder() const {
  std::vector<int32_t> order(m_selected.size());
  for (size_t p = 0; p < order.size(); ++p) order[p] = static_cast<int32_t>(p);
  // List indices are unique, so a plain sort gives the one possible order.
  std::sort(order.begin(), order.end(), [this](int32_t a, int32_t b) {
    return m_selectedIndex[static_cast<size_t>(a)] < m_selectedIndex[static_cast<size_t>(b)];
  });
  return order;
}

int CQvFile::IsSelectionGrouped(int same) const {
  if (m_selected.empty()) return 0;
  for (const CQvPart* e : m_selected) {
    if (!e->GetGroup()) return 0;
    if (same && e->GetGroup() != m_selected[0]->GetGroup()) return 0;
  }
  return 1;
}

int32_t CQvFile::CountMatching(int kind, const CQvPart* e) const {
  switch (kind) {
    case 0:
      return 1;
    case 1:
      return e->IsLinePrimitive() ? 1 : 0;
    case 2:
      return e->IsPartLike() ? 1 : 0;
    case 3:
      return e->stepContent ? 1 : 0;
    case 4:
      return e->movable ? 1 : 0;
    case 5:
      return e->GetType() == ElementType::Group ? 1 : 0;
    case 6:
      return e->ghost ? 1 : 0;
    case 7:
      return e->CanEdit() ? 1 : 0;
    case 8:
      return e->hidden ? 1 : 0;
    default:
      return 0;
  }
}

int32_t CQvFile::CountSelected(int kind) const {
  if (kind == 0) return static_cast<int32_t>(m_selected.size());
  int32_t n = 0;
  for (const CQvPart* e : m_selected) n += CountMatching(kind, e);
  return n;
}

int32_t CQvFile::CountElements(int kind) const {
  if (kind == 0) return static_cast<int32_t>(m_elements.size());
  int32_t n = 0;
  for (const auto& e : m_elements) n += CountMatching(kind, e.get());
  return n;
}

void CQvFile::ReleaseModelRefs(const CQvFile* model) {
  for (auto& e : m_elements)
    if (e->IsPartLike()) e->ReleaseModelRef(model);
}

std::vector<std::string> CQvFile::GetGroupNames(const CSelectionGroup* except) const {
  std::vector<std::string> names;
  for (const auto& e : m_elements)
    if (e->GetType() == ElementType::Group && e.get() != except)
      names.push_back(static_cast<const CSelectionGroup*>(e.get())->GetName());
  return names;
}

// --- name and description ---

void CQvFile::SetName(const std::string& name) {
  size_t dot = name.rfind('.');
  std::string ext = dot == std::string::npos ? std::string() : name.substr(dot);
  m_name = (EqualsNoCase(ext, ".dat") || EqualsNoCase(ext, ".ldr")) ? name : name + ".ldr";
  SetNameComment(m_name);
}

void CQvFile::SetNameComment(const std::string& path) {
  for (auto& e : m_elements) {
    if (e->GetType() != ElementType::Comment) continue;
    auto* comment = static_cast<CQvCommentPart*>(e.get());
    if (comment->GetKind() == kCommentVerbatim || !StartsWithNoCase(comment->GetText(), "NAME:")) continue;
    size_t slash = path.find_last_of("\\/");
    comment->SetText("Name: " + (slash == std::string::npos ? path : path.substr(slash + 1)));
    return;
  }
}

std::string CQvFile::GetDescription() const {
  if (!m_elements.empty() && m_elements[0]->GetType() == ElementType::Comment) {
    const auto* comment = static_cast<const CQvCommentPart*>(m_elements[0].get());
    if (comment->GetKind() == kCommentPlain) return comment->GetText();
  }
  return m_name;
}

int CQvFile::SetDescription(const std::string& text) {
  if (!m_elements.empty() && m_elements[0]->GetType() == ElementType::Comment) {
    auto* comment = static_cast<CQvCommentPart*>(m_elements[0].get());
    if (comment->GetKind() == kCommentPlain) {
      comment->SetText(text);
      return 1;
    }
  }
  InsertAt(0, std::make_unique<CQvCommentPart>(text, kCommentPlain));
  return 1;
}

// --- extent ---

void CQvFile::InvalidateExtent() {
  if (!m_keepExtent) return;  // nothing kept: reading a model appends without taking the lock
  std::lock_guard<std::mutex> lock(m_extentMutex);
  m_extentPoints.reset();
}

const CExtentPoints* CQvFile::GetExtentPoints() {
  if (!m_keepExtent) return nullptr;
  std::lock_guard<std::mutex> lock(m_extentMutex);
  if (!m_extentPoints) {
    std::vector<CVector3> points;
    const CMatrix3 identity = CMatrix3::Identity();
    for (auto& e : m_elements)
      if (!e->ghost) e->CollectExtentPoints(identity, CVector3(), points);
    m_extentPoints = std::make_unique<CExtentPoints>(std::move(points));
  }
  return m_extentPoints.get();
}

void CQvFile::CollectExtentPoints(const CMatrix3& matrix, const CVector3& offset, std::vector<CVector3>& out) {
  if (const CExtentPoints* kept = GetExtentPoints()) {
    for (size_t i = 0; i < kept->Count(); ++i) out.push_back(matrix * kept->Point(i) + offset);
    return;
  }
  for (auto& e : m_elements)
    if (!e->ghost) e->CollectExtentPoints(matrix, offset, out);
}

namespace {
std::atomic<uint64_t> theLastExtentPass{0};
// The extent pass running on this thread, 0 for none.
thread_local uint64_t theExtentPass = 0;
}  // namespace

CQvFile::CExtentPass::CExtentPass() : m_outer(theExtentPass == 0) {
  if (m_outer) theExtentPass = ++theLastExtentPass;
}

CQvFile::CExtentPass::~CExtentPass() {
  if (m_outer) theExtentPass = 0;
}

bool CQvFile::PassIdentityBox(CVector3& lo, CVector3& hi) {
  if (theExtentPass == 0 || m_keepExtent || m_passBusy) return false;
  if (m_passId != theExtentPass) {
    m_passBusy = true;
    lo.Set(1e200, 1e200, 1e200);
    hi.Set(-1e200, -1e200, -1e200);
    const CMatrix3 identity = CMatrix3::Identity();
    for (auto& e : m_elements)
      if (!e->ghost) e->ExtendBoundingBox(CVector3(), identity, lo, hi, 1);
    m_passBusy = false;
    m_passLo = lo;
    m_passHi = hi;
    m_passId = theExtentPass;
  }
  lo = m_passLo;
  hi = m_passHi;
  // A box beyond any finite number is measured by the walk itself.
  return std::isfinite(lo.x) && std::isfinite(lo.y) && std::isfinite(lo.z) && std::isfinite(hi.x) &&
         std::isfinite(hi.y) && std::isfinite(hi.z);
}

void CQvFile::ExtendBoundingBox(const CVector3& offset, const CMatrix3& matrix, CVector3& min, CVector3& max,
                                int noCache) {
  if (noCache) {
    if (const CExtentPoints* kept = GetExtentPoints()) {
      CVector3 lo, hi;
      if (kept->Box(matrix, lo, hi)) ExtendByBox(lo, hi, offset, min, max);
      return;
    }
    CVector3 lo, hi, turnedLo, turnedHi;
    if (PassIdentityBox(lo, hi)) {
      if (lo.x > hi.x) return;  // nothing measured
      if (SwappedAxesBox(matrix, lo, hi, turnedLo, turnedHi)) {
        ExtendByBox(turnedLo, turnedHi, offset, min, max);
        return;
      }
    }
  }
  if (libraryFile && !noCache) {
    // A library part is mostly placed with a few matrices: its box under the last one is kept.
    if (matrix.Differs(m_cachedPlacement) || m_cachedMax.x < m_cachedMin.x) {
      m_cachedMin.Set(1e200, 1e200, 1e200);
      m_cachedMax.Set(-1e200, -1e200, -1e200);
      for (auto& e : m_elements) e->ExtendBoundingBox(CVector3(), matrix, m_cachedMin, m_cachedMax, 0);
      m_cachedPlacement = matrix;
    }
    ExtendByBox(m_cachedMin, m_cachedMax, offset, min, max);
    return;
  }
  for (auto& e : m_elements)
    if (!e->ghost) e->ExtendBoundingBox(offset, matrix, min, max, noCache);
}

void CQvFile::ExtendBoundingBoxAll(const CVector3& offset, const CMatrix3& matrix, CVector3& min,
                                   CVector3& max) {
  for (auto& e : m_elements) e->ExtendBoundingBox(offset, matrix, min, max, 1);
}

void CQvFile::UpdateExtent() {
  CVector3 lo(1e200, 1e200, 1e200), hi(-1e200, -1e200, -1e200);
  ExtendBoundingBox(CVector3(), CMatrix3::Identity(), lo, hi, 1);
  m_size = hi - lo;
  m_center = lo + m_size * 0.5;
  m_corners[0].Set(lo.x, lo.y, lo.z);
  m_corners[1].Set(hi.x, lo.y, lo.z);
  m_corners[2].Set(hi.x, lo.y, hi.z);
  m_corners[3].Set(lo.x, lo.y, hi.z);
  m_corners[4].Set(lo.x, hi.y, lo.z);
  m_corners[5].Set(hi.x, hi.y, lo.z);
  m_corners[6].Set(hi.x, hi.y, hi.z);
  m_corners[7].Set(lo.x, hi.y, hi.z);
}
