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
#include "render/RasterWalk.h"

namespace {


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
  const ScreenVertex *pt, *pm, *pb;
  rasterwalk::OrderCorners(v, pt, pm, pb);
  const ScreenVertex& top = *pt;
  const ScreenVertex& bottom = *pb;
  const ScreenVertex& middle = *pm;

  if (top.y >= height || bottom.y < 0) return;
  if (std::min({v1.x, v2.x, v3.x}) >= width || std::max({v1.x, v2.x, v3.x}) < 0) return;

  const int32_t firstRow = std::max(top.y, 0);
  const int32_t row = rasterwalk::WalkTriangleRows(top, middle, bottom, height,
                                                   [this](int32_t r, int32_t xl, int32_t zl, int32_t xr, int32_t zr) {
                                                     m_left[r] = {xl, zl};
                                                     m_right[r] = {xr, zr};
                                                   });
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

void C3DStub::RasterLine(const ScreenVertex& a, const ScreenVertex& b, const ColorPair& pair, PickId pickId) {
  m_lineDepthBias = 2;
  m_lineRecursion = 3 - m_lineWidth;
  const LineTarget target{.depth = m_depth.data(),
                          .image = m_bits,
                          .pick = m_pick.empty() ? nullptr : m_pick.data(),
                          .width = m_width,
                          .bias = m_lineDepthBias,
                          .pair = pair,
                          .pickId = pickId};
  rasterwalk::WideLine(a, b, m_lineWidth, static_cast<int32_t>(m_width), static_cast<int32_t>(m_height), target);
}
