#include "model/ExtentPoints.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

uint64_t Bits(double d) {
  uint64_t u = 0;
  std::memcpy(&u, &d, sizeof u);
  return u;
}

uint64_t HashPoint(const CVector3& p) {
  uint64_t h = Bits(p.x) * 0x9E3779B97F4A7C15ull;
  h = (h ^ (h >> 29) ^ Bits(p.y)) * 0xBF58476D1CE4E5B9ull;
  h = (h ^ (h >> 31) ^ Bits(p.z)) * 0x94D049BB133111EBull;
  return h ^ (h >> 32);
}

}  // namespace

// Repeated points are dropped through an open-addressing table of indexes into the kept points:
// a part's vertices repeat in every line, triangle and quadrilateral that meets there. The kept
// points move to the front of the given list (a point is read before its place can be written),
// and only they are copied into storage of their own size: several times fewer than were given.
CExtentPoints::CExtentPoints(std::vector<CVector3> points) {
  size_t capacity = 16;
  while (capacity < points.size() * 2) capacity *= 2;
  std::vector<uint32_t> table(capacity, UINT32_MAX);
  size_t count = 0;
  for (const CVector3& given : points) {
    CVector3 p = given;
    p.Set(p.x + 0.0, p.y + 0.0, p.z + 0.0);  // -0 becomes 0
    size_t slot = HashPoint(p) & (capacity - 1);
    for (;;) {
      const uint32_t kept = table[slot];
      if (kept == UINT32_MAX) {
        table[slot] = static_cast<uint32_t>(count);
        points[count++] = p;
        break;
      }
      if (points[kept] == p) break;
      slot = (slot + 1) & (capacity - 1);
    }
  }
  m_points.assign(points.begin(), points.begin() + static_cast<std::ptrdiff_t>(count));
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
