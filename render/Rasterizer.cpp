// The rasteriser of C3DStub. Coordinates are whole pixels and depths whole depth units; positions
// and depths along edges are fixed point with 8 fraction bits (value x 256), held in 64 bits so
// that no product overflows for any clamped vertex (the results equal those of 32-bit arithmetic
// wherever that did not overflow). Divisions truncate toward zero, ">> 8" rounds toward minus
// infinity.
//
// Depth rules: a surface pixel is written when its depth is smaller than the stored one (ties keep
// what is there); a line pixel when the stored depth is at least its depth plus the line depth
// bias (2). A colour of the pair with alpha 0 leaves pixel, depth and pick id alone; the first
// colour serves pixels whose x + y is odd, the second those whose x + y is even.
#include <algorithm>
#include <cstdlib>

#include "render/C3DStub.h"

namespace {

// One edge walked row by row (or, for lines, one coordinate walked along the major axis).
struct Edge {
  int64_t x = 0, z = 0, dx = 0, dz = 0;
  void Advance() {
    x += dx;
    z += dz;
  }
};

// Steps from a to b over their row distance (0 for a flat edge); when a lies above row 0 the edge
// is moved on to row 0 in one multiplication.
Edge MakeEdge(const ScreenVertex& a, const ScreenVertex& b) {
  Edge e;
  e.x = static_cast<int64_t>(a.x) * 256;
  e.z = static_cast<int64_t>(a.z) * 256;
  const int64_t dy = static_cast<int64_t>(b.y) - a.y;
  if (dy != 0) {
    e.dx = (static_cast<int64_t>(b.x) - a.x) * 256 / dy;
    e.dz = (static_cast<int64_t>(b.z) - a.z) * 256 / dy;
  }
  if (a.y < 0) {
    e.x -= a.y * e.dx;
    e.z -= a.y * e.dz;
  }
  return e;
}

// One frame row of the three buffers.
struct RowTarget {
  int32_t* depth;
  uint8_t* image;
  PickId* pick;
};

// Writes pixels xl..xr of a row with the surface depth test (nearer wins, ties keep).
template <bool kPick, bool kUniform>
void FillRow(const RowTarget& row, int32_t xl, int32_t xr, int32_t y, int64_t z, int64_t step,
             const RgbaColor* colors, PickId pickId) {
  for (int32_t x = xl; x <= xr; ++x, z += step) {
    const int32_t d = static_cast<int32_t>(z);
    if (d >= row.depth[x]) continue;
    const RgbaColor& c = kUniform ? colors[0] : colors[(x + y) & 1];
    if (!kUniform && !c.a) continue;
    row.depth[x] = d;
    if constexpr (kPick) row.pick[x] = pickId;
    uint8_t* px = row.image + 3 * static_cast<size_t>(x);
    px[0] = c.b;
    px[1] = c.g;
    px[2] = c.r;
  }
}

// The buffers a line writes to, copied out of the renderer so that the byte stores of the image
// do not force the compiler to reload them for every pixel.
struct LineTarget {
  int32_t* depth;
  uint8_t* image;
  PickId* pick;
  size_t width;
  int32_t bias;
  ColorPair pair;
  PickId pickId;

  // The line depth test: the stored depth must be at least this depth plus the bias.
  void Write(int32_t x, int32_t y, int32_t d) const {
    const size_t i = static_cast<size_t>(y) * width + static_cast<size_t>(x);
    if (depth[i] < d + bias) return;
    const RgbaColor& c = ((x + y) & 1) ? pair.first : pair.second;
    if (!c.a) return;
    depth[i] = d;
    if (pick) pick[i] = pickId;
    uint8_t* px = image + 3 * i;
    px[0] = c.b;
    px[1] = c.g;
    px[2] = c.r;
  }
};

RgbaColor Shade(RgbaColor c, double factor) {
  c.r = static_cast<uint8_t>(c.r * factor);
  c.g = static_cast<uint8_t>(c.g * factor);
  c.b = static_cast<uint8_t>(c.b * factor);
  return c;
}

}  // namespace

void C3DStub::FillTriangle(const ScreenVertex& v1, const ScreenVertex& v2, const ScreenVertex& v3,
                           const ColorPair& pair, double factor, PickId pickId) {
  const int32_t width = static_cast<int32_t>(m_width);
  const int32_t height = static_cast<int32_t>(m_height);
  // Top: the first vertex in argument order with the smallest row. Bottom: of the other two the
  // one with the larger row, the later one on a tie. Middle: the remaining one.
  const ScreenVertex* v[3] = {&v1, &v2, &v3};
  int t = 0;
  if (v[1]->y < v[t]->y) t = 1;
  if (v[2]->y < v[t]->y) t = 2;
  const int o1 = t == 0 ? 1 : 0;
  const int o2 = t == 2 ? 1 : 2;
  const int bi = v[o2]->y >= v[o1]->y ? o2 : o1;
  const ScreenVertex& top = *v[t];
  const ScreenVertex& bottom = *v[bi];
  const ScreenVertex& middle = *v[bi == o2 ? o1 : o2];

  if (top.y >= height || bottom.y < 0) return;
  if (std::min({v1.x, v2.x, v3.x}) >= width || std::max({v1.x, v2.x, v3.x}) < 0) return;

  Edge longEdge = MakeEdge(top, bottom);
  int32_t row = std::max(top.y, 0);
  const int32_t firstRow = row;
  // The edge with the smaller x is the left end; on a tie the short edge is.
  auto record = [this](int32_t r, const Edge& shortEdge, const Edge& longE) {
    const bool longLeft = longE.x < shortEdge.x;
    const Edge& l = longLeft ? longE : shortEdge;
    const Edge& rt = longLeft ? shortEdge : longE;
    m_left[r] = {static_cast<int32_t>(l.x >> 8), static_cast<int32_t>(l.z)};
    m_right[r] = {static_cast<int32_t>(rt.x >> 8), static_cast<int32_t>(rt.z)};
  };
  if (middle.y != top.y && middle.y >= 0) {
    Edge upper = MakeEdge(top, middle);
    const int32_t end = std::min(middle.y, height);
    for (; row < end; ++row) {
      record(row, upper, longEdge);
      upper.Advance();
      longEdge.Advance();
    }
  }
  if (middle.y < height) {
    Edge lower = MakeEdge(middle, bottom);
    const int32_t last = std::min(bottom.y, height - 1);
    for (; row <= last; ++row) {
      record(row, lower, longEdge);
      lower.Advance();
      longEdge.Advance();
    }
  }
  if (row == firstRow) return;

  ColorPair shaded = pair;
  if (m_shading) {
    shaded.first = Shade(pair.first, factor);
    shaded.second = Shade(pair.second, factor);
  }
  const bool constantDepth = v1.z == v2.z && v2.z == v3.z;
  FillSpans(firstRow, row - 1, constantDepth, v1.z, shaded, pickId);
}

// Fills the recorded rows. A triangle of constant depth skips rows whose two ends are the same
// column (a pointed apex is left out); every other row runs from the left end to the right end
// with the depth stepped per pixel and clipped to the frame.
void C3DStub::FillSpans(int32_t firstRow, int32_t lastRow, bool constantDepth, int32_t depth,
                        const ColorPair& pair, PickId pickId) {
  const int32_t width = static_cast<int32_t>(m_width);
  const RgbaColor colors[2] = {pair.second, pair.first};  // index: parity of x + y
  const bool uniform = pair.first == pair.second && pair.first.a != 0;
  PickId* pickBase = m_pick.empty() ? nullptr : m_pick.data();
  for (int32_t y = firstRow; y <= lastRow; ++y) {
    int32_t xl = m_left[y].x, xr = m_right[y].x;
    int64_t z, step;
    if (constantDepth) {
      if (xl == xr) continue;
      z = static_cast<int64_t>(depth) * 256;
      step = 0;
    } else {
      z = m_left[y].z;
      step =
          xl == xr ? 0 : (static_cast<int64_t>(m_right[y].z) - m_left[y].z) / (static_cast<int64_t>(xr) - xl);
    }
    if (xr < 0 || xl >= width) continue;  // nothing of the row lies in the frame
    if (xl < 0) {
      z -= xl * step;
      xl = 0;
    }
    xr = std::min(xr, width - 1);
    const size_t base = static_cast<size_t>(y) * m_width;
    RowTarget row{m_depth.data() + base, m_bits + base * 3, pickBase ? pickBase + base : nullptr};
    // Opaque single colours (the common case) need no parity or alpha test per pixel.
    if (uniform) {
      if (row.pick)
        FillRow<true, true>(row, xl, xr, y, z, step, colors, pickId);
      else
        FillRow<false, true>(row, xl, xr, y, z, step, colors, pickId);
    } else {
      if (row.pick)
        FillRow<true, false>(row, xl, xr, y, z, step, colors, pickId);
      else
        FillRow<false, false>(row, xl, xr, y, z, step, colors, pickId);
    }
  }
}

// A line of width w is the line itself and its copies shifted by -1 .. -(w - 1) along the minor
// axis (x for vertical and steep lines, y for horizontal and shallow ones), drawn from the
// farthest copy to the line itself, as a recursion counter started at 3 - w allows.
void C3DStub::RasterLine(const ScreenVertex& a, const ScreenVertex& b, const ColorPair& pair, PickId pickId) {
  m_lineDepthBias = 2;
  m_lineRecursion = 3 - m_lineWidth;
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
  for (int32_t shift = m_lineRecursion - 2; shift <= 0; ++shift) {
    ScreenVertex sa = a, sb = b;
    if (minorX) {
      sa.x += shift;
      sb.x += shift;
    } else {
      sa.y += shift;
      sb.y += shift;
    }
    LineItself(sa, sb, pair, pickId);
  }
}

void C3DStub::LineItself(const ScreenVertex& a, const ScreenVertex& b, const ColorPair& pair, PickId pickId) {
  const int32_t width = static_cast<int32_t>(m_width);
  const int32_t height = static_cast<int32_t>(m_height);
  const LineTarget target{.depth = m_depth.data(),
                          .image = m_bits,
                          .pick = m_pick.empty() ? nullptr : m_pick.data(),
                          .width = m_width,
                          .bias = m_lineDepthBias,
                          .pair = pair,
                          .pickId = pickId};
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
  const bool steep =
      std::llabs(static_cast<int64_t>(b.y) - a.y) > std::llabs(static_cast<int64_t>(b.x) - a.x);
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
