#include "model/ExtentPoints.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#if defined(__x86_64__)
#include <immintrin.h>
#endif

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

// The box of n points under the matrix m (n a multiple of four but for the plain loop). Every
// point is turned with the products and sums of CMatrix3 * CVector3, in the same order and without
// fused steps, so every way finds the box a plain loop finds.
struct PassBox {
  double lo[3], hi[3];
};

PassBox PassPlain(const double* m, const double* xs, const double* ys, const double* zs, size_t n) {
  PassBox box{{1e300, 1e300, 1e300}, {-1e300, -1e300, -1e300}};
  for (size_t i = 0; i < n; ++i) {
    const double v[3] = {m[0] * xs[i] + m[1] * ys[i] + m[2] * zs[i],
                         m[3] * xs[i] + m[4] * ys[i] + m[5] * zs[i],
                         m[6] * xs[i] + m[7] * ys[i] + m[8] * zs[i]};
    for (int k = 0; k < 3; ++k) {
      box.lo[k] = std::min(box.lo[k], v[k]);
      box.hi[k] = std::max(box.hi[k], v[k]);
    }
  }
  return box;
}

#if defined(__x86_64__)
// Lanes are folded in a different order than the plain loop takes the points: with finite points
// and a finite matrix the smallest and largest values are the same whatever the order.
__attribute__((target("avx2"))) PassBox PassWide(const double* m, const double* xs, const double* ys,
                                                 const double* zs, size_t n) {
  __m256d row[9];
  for (int k = 0; k < 9; ++k) row[k] = _mm256_set1_pd(m[k]);
  __m256d lo[3], hi[3];
  for (int k = 0; k < 3; ++k) {
    lo[k] = _mm256_set1_pd(1e300);
    hi[k] = _mm256_set1_pd(-1e300);
  }
  for (size_t i = 0; i < n; i += 4) {
    const __m256d x = _mm256_loadu_pd(xs + i), y = _mm256_loadu_pd(ys + i), z = _mm256_loadu_pd(zs + i);
    for (int k = 0; k < 3; ++k) {
      const __m256d v =
          _mm256_add_pd(_mm256_add_pd(_mm256_mul_pd(row[3 * k], x), _mm256_mul_pd(row[3 * k + 1], y)),
                        _mm256_mul_pd(row[3 * k + 2], z));
      lo[k] = _mm256_min_pd(lo[k], v);
      hi[k] = _mm256_max_pd(hi[k], v);
    }
  }
  PassBox box;
  for (int k = 0; k < 3; ++k) {
    alignas(32) double l[4], h[4];
    _mm256_store_pd(l, lo[k]);
    _mm256_store_pd(h, hi[k]);
    box.lo[k] = std::min(std::min(l[0], l[1]), std::min(l[2], l[3]));
    box.hi[k] = std::max(std::max(h[0], h[1]), std::max(h[2], h[3]));
  }
  return box;
}
#endif

// Finite points under a finite matrix, four at a time where the processor can.
PassBox PassFinite(const double* m, const double* xs, const double* ys, const double* zs, size_t n) {
#if defined(__x86_64__)
  static const bool wide = __builtin_cpu_supports("avx2");
  return wide ? PassWide(m, xs, ys, zs, n) : PassPlain(m, xs, ys, zs, n);
#else
  return PassPlain(m, xs, ys, zs, n);
#endif
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
  m_count = count;
  const size_t padded = (count + 3) / 4 * 4;
  m_xs.resize(padded);
  m_ys.resize(padded);
  m_zs.resize(padded);
  for (size_t i = 0; i < padded; ++i) {
    const CVector3& p = points[std::min(i, count - 1)];
    m_xs[i] = p.x;
    m_ys[i] = p.y;
    m_zs[i] = p.z;
  }
  m_lo.Set(1e300, 1e300, 1e300);
  m_hi.Set(-1e300, -1e300, -1e300);
  for (size_t i = 0; i < count; ++i) {
    const CVector3& p = points[i];
    m_finite = m_finite && std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
    m_lo.Set(std::min(m_lo.x, p.x), std::min(m_lo.y, p.y), std::min(m_lo.z, p.z));
    m_hi.Set(std::max(m_hi.x, p.x), std::max(m_hi.y, p.y), std::max(m_hi.z, p.z));
  }
}

// Parts are mostly placed turned by quarter turns, and the fixed views look along the axes: such
// a matrix needs no pass over the points.
bool CExtentPoints::SwappedAxesBox(const CMatrix3& matrix, CVector3& lo, CVector3& hi) const {
  return m_finite && ::SwappedAxesBox(matrix, m_lo, m_hi, lo, hi);
}

bool SwappedAxesBox(const CMatrix3& matrix, const CVector3& inLo, const CVector3& inHi, CVector3& lo,
                    CVector3& hi) {
  const double* m = matrix.m.data();
  const double los[3] = {inLo.x, inLo.y, inLo.z}, his[3] = {inHi.x, inHi.y, inHi.z};
  double outLo[3], outHi[3];
  unsigned usedColumns = 0;
  for (int row = 0; row < 3; ++row) {
    int column = -1;
    for (int c = 0; c < 3; ++c) {
      const double v = m[row * 3 + c];
      if (v == 0) continue;
      if ((v != 1 && v != -1) || column >= 0) return false;
      column = c;
    }
    if (column < 0 || (usedColumns & (1u << column))) return false;
    usedColumns |= 1u << column;
    const bool negated = m[row * 3 + column] < 0;
    outLo[row] = negated ? -his[column] : los[column];
    outHi[row] = negated ? -los[column] : his[column];
  }
  lo.Set(outLo[0], outLo[1], outLo[2]);
  hi.Set(outHi[0], outHi[1], outHi[2]);
  return true;
}

bool CExtentPoints::Box(const CMatrix3& matrix, CVector3& lo, CVector3& hi) const {
  if (m_count == 0) return false;
  if (SwappedAxesBox(matrix, lo, hi)) return true;
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
  const bool finite = m_finite && std::all_of(m, m + 9, [](double v) { return std::isfinite(v); });
  // A NaN from a point or the matrix is skipped by the plain loop's comparisons, in its order.
  const PassBox box = finite ? PassFinite(m, m_xs.data(), m_ys.data(), m_zs.data(), m_xs.size())
                             : PassPlain(m, m_xs.data(), m_ys.data(), m_zs.data(), m_count);
  lo.Set(box.lo[0], box.lo[1], box.lo[2]);
  hi.Set(box.hi[0], box.hi[1], box.hi[2]);
  std::lock_guard<std::mutex> lock(m_mutex);
  KeptBox& slot = m_kept[m_nextKept];
  slot.matrix = matrix;
  slot.lo = lo;
  slot.hi = hi;
  m_nextKept = (m_nextKept + 1) % kKeptBoxes;
  if (m_keptCount < kKeptBoxes) ++m_keptCount;
  return true;
}
