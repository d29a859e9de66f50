// Picking elements under the mouse, the whole-file hit tests that sub-file references use, the
// reference walks and the rotation point's move.
#include <algorithm>
#include <climits>
#include <cmath>
#include <vector>

#include "model/QvElement.h"
#include "model/QvFile.h"
#include "render/Matrix4DStack.h"

namespace {
constexpr double kNoDepth = 1e300;

int32_t ToPixel(double v) {
  if (!std::isfinite(v)) return v > 0 ? INT32_MAX : INT32_MIN;
  return static_cast<int32_t>(std::clamp(v, -2.0e9, 2.0e9));
}

const CQvElement* AsReference(const CQvPart* e) {
  return e && e->IsPartLike() ? dynamic_cast<const CQvElement*>(e) : nullptr;
}
}  // namespace

int CQvFile::Pick(const CMatrix4DStack& stack, const ScreenRect& rect, double& depth, int nearest, int add) {
  if (!add) ClearSelection();
  depth = kNoDepth;
  const int32_t count = static_cast<int32_t>(m_elements.size());
  if (rect.left == rect.right && rect.top == rect.bottom) {
    const CVector3 point(rect.left, rect.top, 0);
    int hit = 0;
    int32_t best = -1;
    double bestDepth = kNoDepth;
    for (int32_t i = 0; i < count; ++i) {
      CQvPart* e = m_elements[static_cast<size_t>(i)].get();
      if (e->hidden || (!nearest && e->selected)) continue;
      double d = kNoDepth;
      if (!e->IntersectsRect(stack, rect) || !e->Pick(stack, point, d, nearest)) continue;
      hit = 1;
      if (!nearest) {
        Select(i);
      } else if (best < 0 || d < bestDepth) {
        best = i;
        bestDepth = d;
      }
    }
    if (nearest && best >= 0) {
      Select(best);
      depth = bestDepth;
    }
    return hit;
  }
  int hit = 0;
  if (!nearest) {
    for (int32_t i = 0; i < count; ++i) {
      CQvPart* e = m_elements[static_cast<size_t>(i)].get();
      if (e->hidden || e->selected || !e->IntersectsRect(stack, rect)) continue;
      Select(i);
      hit = 1;
    }
    return hit;
  }
  // Visible elements only: every pixel asks the elements that meet its row for their depth.
  std::vector<int32_t> row;
  for (int32_t y = rect.top; y <= rect.bottom; ++y) {
    row.clear();
    const ScreenRect line{rect.left, y, rect.right, y};
    for (int32_t i = 0; i < count; ++i) {
      CQvPart* e = m_elements[static_cast<size_t>(i)].get();
      if (!e->hidden && e->IntersectsRect(stack, line)) row.push_back(i);
    }
    if (row.empty()) continue;
    for (int32_t x = rect.left; x <= rect.right; ++x) {
      const CVector3 point(x, y, 0);
      int32_t best = -1;
      double bestDepth = kNoDepth;
      for (int32_t i : row) {
        double d = kNoDepth;
        if (m_elements[static_cast<size_t>(i)]->Pick(stack, point, d, 1) && (best < 0 || d < bestDepth)) {
          best = i;
          bestDepth = d;
        }
      }
      if (best < 0) continue;
      hit = 1;
      depth = std::min(depth, bestDepth);
      Select(best);
    }
  }
  return hit;
}

int CQvFile::BoxIntersectsRect(const CMatrix4DStack& stack, const ScreenRect& rect) const {
  const CMatrix4D& top = stack.Top();
  int32_t minX = INT32_MAX, minY = INT32_MAX, maxX = INT32_MIN, maxY = INT32_MIN;
  for (const CVector3& c : m_corners) {
    const int32_t x = ToPixel(top.m[0][0] * c.x + top.m[0][1] * c.y + top.m[0][2] * c.z + top.m[0][3]);
    const int32_t y = ToPixel(top.m[1][0] * c.x + top.m[1][1] * c.y + top.m[1][2] * c.z + top.m[1][3]);
    minX = std::min(minX, x);
    maxX = std::max(maxX, x);
    minY = std::min(minY, y);
    maxY = std::max(maxY, y);
  }
  return rect.right >= minX && maxX >= rect.left && rect.bottom >= minY && maxY >= rect.top ? 1 : 0;
}

int CQvFile::PickElements(const CMatrix4DStack& stack, const CVector3& point, double& depth,
                          int nearest) const {
  int hit = 0;
  double best = kNoDepth;
  for (const auto& e : m_elements) {
    if (e->hidden) continue;
    double d = kNoDepth;
    if (!e->Pick(stack, point, d, nearest)) continue;
    hit = 1;
    best = std::min(best, d);
    if (!nearest) break;
  }
  depth = best;
  return hit;
}

int CQvFile::IsRecursive() {
  if (visiting) return 1;
  visiting = true;
  int recursive = 0;
  for (const auto& e : m_elements) {
    const CQvElement* ref = AsReference(e.get());
    if (ref && ref->GetFile() && ref->GetFile()->IsRecursive()) {
      recursive = 1;
      break;
    }
  }
  visiting = false;
  return recursive;
}

int CQvFile::IsFileReferenced(const CQvFile* file) const {
  for (const auto& e : m_elements) {
    const CQvElement* ref = AsReference(e.get());
    if (ref && ref->GetFile() == file) return 1;
  }
  return 0;
}

void CQvFile::MoveRotationPoint(const CVector3& delta) {
  m_rotationPoints.SetCustomPoint(GetRotationCenter() + delta);
}
