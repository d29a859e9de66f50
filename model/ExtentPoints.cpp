#include "model/ExtentPoints.h"

#include <algorithm>
#include <tuple>

CExtentPoints::CExtentPoints(std::vector<CVector3> points) : m_points(std::move(points)) {
  for (CVector3& p : m_points) p.Set(p.x + 0.0, p.y + 0.0, p.z + 0.0);  // -0 becomes 0
  auto less = [](const CVector3& a, const CVector3& b) {
    return std::tie(a.x, a.y, a.z) < std::tie(b.x, b.y, b.z);
  };
  std::sort(m_points.begin(), m_points.end(), less);
  m_points.erase(std::unique(m_points.begin(), m_points.end()), m_points.end());
  m_points.shrink_to_fit();
}

bool CExtentPoints::Box(const CMatrix3& matrix, CVector3& lo, CVector3& hi) const {
  if (m_points.empty()) return false;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    for (size_t i = 0; i < m_keptCount; ++i)
      if (!m_kept[i].matrix.Differs(matrix)) {
        lo = m_kept[i].lo;
        hi = m_kept[i].hi;
        return true;
      }
  }
  const double* m = matrix.m.data();
  double minX = 1e300, minY = 1e300, minZ = 1e300, maxX = -1e300, maxY = -1e300, maxZ = -1e300;
  for (const CVector3& v : m_points) {
    // The same products and sums, in the same order, as CMatrix3 * CVector3.
    const double x = m[0] * v.x + m[1] * v.y + m[2] * v.z;
    const double y = m[3] * v.x + m[4] * v.y + m[5] * v.z;
    const double z = m[6] * v.x + m[7] * v.y + m[8] * v.z;
    minX = std::min(minX, x);
    maxX = std::max(maxX, x);
    minY = std::min(minY, y);
    maxY = std::max(maxY, y);
    minZ = std::min(minZ, z);
    maxZ = std::max(maxZ, z);
  }
  lo.Set(minX, minY, minZ);
  hi.Set(maxX, maxY, maxZ);
  std::lock_guard<std::mutex> lock(m_mutex);
  KeptBox& slot = m_kept[m_nextKept];
  slot.matrix = matrix;
  slot.lo = lo;
  slot.hi = hi;
  m_nextKept = (m_nextKept + 1) % kKeptBoxes;
  if (m_keptCount < kKeptBoxes) ++m_keptCount;
  return true;
}
