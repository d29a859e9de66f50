#pragma once
// The points that decide a file's extent: every vertex the full extent walk visits (line, triangle
// and quadrilateral corners, the end points of conditional lines, sub-files flattened through
// their placements), kept once per distinct point. The box of a file under any matrix is the box
// of these points under that matrix, vertex for vertex what the walk through the elements finds,
// so a placed file is measured without walking its sub-files again.
//
// A few boxes under the most recent matrices are kept too: a part is mostly placed in a few
// orientations. Boxes are asked for from several threads (panes drawn at once), so the kept boxes
// are guarded.
#include <algorithm>
#include <array>
#include <cstddef>
#include <mutex>
#include <vector>

#include "config/Geometry.h"

// The box of a box's points under a matrix that only swaps and negates axes (a quarter turn, a
// mirror, the identity), exactly as turning every point finds it (x * 1 + y * 0 + z * 0 is x);
// false for any other matrix, leaving out untouched.
bool SwappedAxesBox(const CMatrix3& matrix, const CVector3& lo, const CVector3& hi, CVector3& outLo,
                    CVector3& outHi);

// Widens min and max to hold the box lo..hi moved by offset.
inline void ExtendByBox(const CVector3& lo, const CVector3& hi, const CVector3& offset, CVector3& min,
                        CVector3& max) {
  min.Set(std::min(min.x, lo.x + offset.x), std::min(min.y, lo.y + offset.y), std::min(min.z, lo.z + offset.z));
  max.Set(std::max(max.x, hi.x + offset.x), std::max(max.y, hi.y + offset.y), std::max(max.z, hi.z + offset.z));
}

class CExtentPoints {
 public:
  // Keeps each distinct point once (-0 counts as 0).
  explicit CExtentPoints(std::vector<CVector3> points);

  size_t Count() const { return m_count; }
  CVector3 Point(size_t i) const { return {m_xs[i], m_ys[i], m_zs[i]}; }
  // The box of the points under the matrix; false (lo and hi untouched) without points.
  bool Box(const CMatrix3& matrix, CVector3& lo, CVector3& hi) const;

 private:
  struct KeptBox {
    CMatrix3 matrix;
    CVector3 lo, hi;
  };
  static constexpr size_t kKeptBoxes = 8;

  // The box under the identity, when every point is finite: a matrix that only swaps and negates
  // axes maps it exactly onto the box the points would give (x * 1 + y * 0 + z * 0 is x).
  bool m_finite = true;
  CVector3 m_lo, m_hi;
  bool SwappedAxesBox(const CMatrix3& matrix, CVector3& lo, CVector3& hi) const;

  // The points by coordinate, so that four are turned at once; the last point is repeated up to
  // a multiple of four (a repeat changes no box).
  size_t m_count = 0;
  std::vector<double> m_xs, m_ys, m_zs;
  mutable std::mutex m_mutex;
  mutable std::array<KeptBox, kKeptBoxes> m_kept{};
  mutable size_t m_keptCount = 0;
  mutable size_t m_nextKept = 0;  // the kept box a new matrix replaces next
};
