#pragma once
// The pieces of the rasteriser shared by the frame and the part images, so that both choose the
// same pixels: the triangle edge walk, and the line walk with its bounds and width rule, whatever
// the pixels are written into. A line target has Write(x, y, depth), called for pixels inside
// width x height only.
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "render/C3DStub.h"

namespace rasterwalk {

// One edge walked row by row, fixed point with 8 fraction bits.
struct Edge {
  int64_t x = 0, z = 0, dx = 0, dz = 0;
  void Advance() {
    x += dx;
    z += dz;
  }
};

// Steps from a to b over their row distance (0 for a flat edge); when a lies above fromRow the
// edge is moved on to that row in one multiplication, which gives the values that stepping row
// by row would (the arithmetic is exact).
inline Edge MakeEdge(const ScreenVertex& a, const ScreenVertex& b, int32_t fromRow = 0) {
  Edge e;
  e.x = static_cast<int64_t>(a.x) * 256;
  e.z = static_cast<int64_t>(a.z) * 256;
  const int64_t dy = static_cast<int64_t>(b.y) - a.y;
  if (dy != 0) {
    e.dx = (static_cast<int64_t>(b.x) - a.x) * 256 / dy;
    e.dz = (static_cast<int64_t>(b.z) - a.z) * 256 / dy;
  }
  if (a.y < fromRow) {
    const int64_t skip = static_cast<int64_t>(fromRow) - a.y;
    e.x += skip * e.dx;
    e.z += skip * e.dz;
  }
  return e;
}

// Truncation toward zero as a C cast does, but saturating at +-limit; false for NaN.
inline bool TruncClamp(double v, int32_t limit, int32_t& out) {
  if (v != v) return false;
  if (v >= limit)
    out = limit;
  else if (v <= -limit)
    out = -limit;
  else
    out = static_cast<int32_t>(v);
  return true;
}

// Orders a triangle's corners for the edge walk. Top: the first vertex in argument order with the
// smallest row. Bottom: of the other two the one with the larger row, the later one on a tie.
// Middle: the remaining one.
inline void OrderCorners(const ScreenVertex* v[3], const ScreenVertex*& top, const ScreenVertex*& middle,
                         const ScreenVertex*& bottom) {
  int t = 0;
  if (v[1]->y < v[t]->y) t = 1;
  if (v[2]->y < v[t]->y) t = 2;
  const int o1 = t == 0 ? 1 : 0;
  const int o2 = t == 2 ? 1 : 2;
  const int bi = v[o2]->y >= v[o1]->y ? o2 : o1;
  top = v[t];
  bottom = v[bi];
  middle = v[bi == o2 ? o1 : o2];
}

// Walks the rows fromRow..toRow-1 of a triangle with ordered corners and hands each row's ends to
// record(row, x, z of the left end, x, z of the right end). The edge with the smaller x is the
// left end; on a tie the short edge is. A row gets the same ends whatever range it is walked in,
// so bands of a frame walked apart choose the pixels the whole frame would. Returns the row after
// the last one walked.
template <class Record>
int32_t WalkTriangleBand(const ScreenVertex& top, const ScreenVertex& middle, const ScreenVertex& bottom,
                         int32_t fromRow, int32_t toRow, const Record& record) {
  Edge longEdge = MakeEdge(top, bottom, fromRow);
  int32_t row = std::max(top.y, fromRow);
  auto walk = [&](Edge shortEdge, int32_t end) {
    for (; row < end; ++row) {
      const bool longLeft = longEdge.x < shortEdge.x;
      const Edge& l = longLeft ? longEdge : shortEdge;
      const Edge& r = longLeft ? shortEdge : longEdge;
      record(row, static_cast<int32_t>(l.x >> 8), static_cast<int32_t>(l.z), static_cast<int32_t>(r.x >> 8),
             static_cast<int32_t>(r.z));
      shortEdge.Advance();
      longEdge.Advance();
    }
  };
  if (middle.y != top.y && middle.y >= fromRow) walk(MakeEdge(top, middle, fromRow), std::min(middle.y, toRow));
  if (middle.y < toRow) walk(MakeEdge(middle, bottom, fromRow), std::min(bottom.y, toRow - 1) + 1);
  return row;
}

// The walk of a whole picture of the given height.
template <class Record>
int32_t WalkTriangleRows(const ScreenVertex& top, const ScreenVertex& middle, const ScreenVertex& bottom,
                         int32_t height, const Record& record) {
  return WalkTriangleBand(top, middle, bottom, 0, height, record);
}

template <class Target>
void LineItself(const ScreenVertex& a, const ScreenVertex& b, int32_t width, int32_t height,
                const Target& target) {
  if (a.x == b.x || a.y == b.y) {
    // Vertical (a single point included) or horizontal: walk the major axis from the smaller end.
    const bool vertical = a.x == b.x;
    const int32_t fixed = vertical ? a.x : a.y;
    if (fixed < 0 || fixed >= (vertical ? width : height)) return;
    const int32_t pa = vertical ? a.y : a.x, pb = vertical ? b.y : b.x;
    const ScreenVertex& s = pb < pa ? b : a;
    const ScreenVertex& e = pb < pa ? a : b;
    const int32_t from = std::min(pa, pb), to = std::max(pa, pb);
    int64_t z = static_cast<int64_t>(s.z) * 256;
    const int64_t step =
        to == from ? 0 : (static_cast<int64_t>(e.z) - s.z) * 256 / (static_cast<int64_t>(to) - from);
    const int32_t last = std::min(to, (vertical ? height : width) - 1);
    if (last < 0) return;
    int32_t i = from;
    if (i < 0) {
      z -= i * step;
      i = 0;
    }
    for (; i <= last; ++i, z += step) {
      if (vertical)
        target.Write(fixed, i, static_cast<int32_t>(z));
      else
        target.Write(i, fixed, static_cast<int32_t>(z));
    }
    return;
  }
  // Shallow lines walk x from the vertex of smaller x; steep ones walk y from the vertex of
  // smaller y. The other coordinate and the depth advance at every step, inside the frame or not.
  const bool steep = std::llabs(static_cast<int64_t>(b.y) - a.y) > std::llabs(static_cast<int64_t>(b.x) - a.x);
  const bool swap = steep ? b.y < a.y : b.x < a.x;
  const ScreenVertex& u = swap ? b : a;
  const ScreenVertex& v = swap ? a : b;
  const int32_t majorFrom = steep ? u.y : u.x, majorTo = steep ? v.y : v.x;
  const int32_t minorFrom = steep ? u.x : u.y, minorTo = steep ? v.x : v.y;
  const int32_t majorLimit = steep ? height : width, minorLimit = steep ? width : height;
  const int64_t span = static_cast<int64_t>(majorTo) - majorFrom;
  int64_t pos = static_cast<int64_t>(minorFrom) * 256;
  int64_t z = static_cast<int64_t>(u.z) * 256;
  const int64_t posStep = (static_cast<int64_t>(minorTo) - minorFrom) * 256 / span;
  const int64_t zStep = (static_cast<int64_t>(v.z) - u.z) * 256 / span;
  const int32_t last = std::min(majorTo, majorLimit - 1);
  if (last < 0 || majorFrom >= majorLimit) return;
  int32_t i = majorFrom;
  if (i < 0) {
    pos -= i * posStep;
    z -= i * zStep;
    i = 0;
  }
  for (; i <= last; ++i, pos += posStep, z += zStep) {
    const int64_t m = pos >> 8;
    if (m < 0 || m >= minorLimit) continue;
    if (steep)
      target.Write(static_cast<int32_t>(m), i, static_cast<int32_t>(z));
    else
      target.Write(i, static_cast<int32_t>(m), static_cast<int32_t>(z));
  }
}

// A line of width w is the line itself and its copies shifted by -1 .. -(w - 1) along the minor
// axis (x for vertical and steep lines, y for horizontal and shallow ones), drawn from the
// farthest copy to the line itself.
template <class Target>
void WideLine(const ScreenVertex& a, const ScreenVertex& b, int32_t lineWidth, int32_t width, int32_t height,
              const Target& target) {
  const int32_t recursion = 3 - lineWidth;
  bool minorX;
  if (a.x == b.x) {
    minorX = true;  // vertical, a single point included
  } else if (a.y == b.y) {
    minorX = false;
  } else {
    const ScreenVertex& u = a.x < b.x ? a : b;
    const ScreenVertex& v = a.x < b.x ? b : a;
    minorX = std::llabs(static_cast<int64_t>(v.y) - u.y) > std::llabs(static_cast<int64_t>(v.x) - u.x);
  }
  for (int32_t shift = recursion - 2; shift <= 0; ++shift) {
    ScreenVertex sa = a, sb = b;
    if (minorX) {
      sa.x += shift;
      sb.x += shift;
    } else {
      sa.y += shift;
      sb.y += shift;
    }
    LineItself(sa, sb, width, height, target);
  }
}

}  // namespace rasterwalk
