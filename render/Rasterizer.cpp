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

#include "render/BandRaster.h"
#include "render/C3DStub.h"
#include "render/DrawBatch.h"
#include "render/RasterWalk.h"

namespace {

// One frame row of the three buffers.
struct RowTarget {
  int32_t* depth;
  uint8_t* image;
  PickId* pick;
};

// Writes pixels xl..xr of a row with the surface depth test (nearer wins, ties keep). The
// colours come from shade.Colors() at the first pixel that passes: alpha is the same shaded or
// not, so the unshaded pair decides which pixels a pair with a clear colour leaves alone.
template <bool kPick, bool kUniform, class Shade>
void FillRow(const RowTarget& row, int32_t xl, int32_t xr, int32_t y, int64_t z, int64_t step,
             const RgbaColor* alphas, Shade& shade, PickId pickId) {
  const RgbaColor* colors = nullptr;
  for (int32_t x = xl; x <= xr; ++x, z += step) {
    const int32_t d = static_cast<int32_t>(z);
    if (d >= row.depth[x]) continue;
    if (!kUniform && !alphas[(x + y) & 1].a) continue;
    if (!colors) colors = shade.Colors();
    const RgbaColor& c = kUniform ? colors[0] : colors[(x + y) & 1];
    row.depth[x] = d;
    if constexpr (kPick) row.pick[x] = pickId;
    uint8_t* px = row.image + 3 * static_cast<size_t>(x);
    px[0] = c.b;
    px[1] = c.g;
    px[2] = c.r;
  }
}

// Colours already shaded, indexed by the parity of x + y.
struct ReadyColors {
  RgbaColor colors[2];
  explicit ReadyColors(const ColorPair& pair) : colors{pair.second, pair.first} {}
  const RgbaColor* Colors() const { return colors; }
};

// The buffers a line writes to, copied out of the renderer so that the byte stores of the image
// do not force the compiler to reload them for every pixel. Rows outside the band are left to
// the other bands.
struct LineTarget {
  int32_t* depth;
  uint8_t* image;
  PickId* pick;
  size_t width;
  int32_t rowFrom, rowTo;
  int32_t bias;
  ColorPair pair;
  PickId pickId;

  // The line depth test: the stored depth must be at least this depth plus the bias.
  void Write(int32_t x, int32_t y, int32_t d) const {
    if (y < rowFrom || y >= rowTo) return;
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

// The colours of one surface, shaded when its first pixel passes the depth test: in a big model
// most surfaces lie behind nearer ones, and the shading factor costs a square root and a division.
class LazyShade {
 public:
  // The points are the transformed corners the factor comes from; null when shading is off.
  LazyShade(const ColorPair& pair, const CVector3* const* points) : m_pair(pair), m_points(points) {}
  const RgbaColor* Colors() {
    if (!m_ready) {
      ColorPair p = m_pair;
      if (m_points) {
        const double f = C3DStub::ShadingFactor(*m_points[0], *m_points[1], *m_points[2]);
        p = {Shade(p.first, f), Shade(p.second, f)};
      }
      m_colors[0] = p.second;
      m_colors[1] = p.first;
      m_ready = true;
    }
    return m_colors;
  }
  ColorPair Pair() {
    const RgbaColor* c = Colors();
    return {c[1], c[0]};
  }

 private:
  ColorPair m_pair;
  const CVector3* const* m_points;
  bool m_ready = false;
  RgbaColor m_colors[2];
};

// Fills the walked rows of the band. A triangle of constant depth skips rows whose two ends are
// the same column (a pointed apex is left out); every other row runs from the left end to the
// right end with the depth stepped per pixel and clipped to the frame. pair is the unshaded pair
// (its alphas and whether its two colours are one); shade gives the colours written.
template <class Shade>
void ShadedTriangle(const bandraster::FrameBand& band, const ScreenVertex& v1, const ScreenVertex& v2,
                    const ScreenVertex& v3, const ColorPair& pair, Shade& shade, PickId pickId) {
  const int32_t width = band.width;
  // Top: the first vertex in argument order with the smallest row. Bottom: of the other two the
  // one with the larger row, the later one on a tie. Middle: the remaining one.
  const ScreenVertex* v[3] = {&v1, &v2, &v3};
  const ScreenVertex *pt, *pm, *pb;
  rasterwalk::OrderCorners(v, pt, pm, pb);
  if (pt->y >= band.rowTo || pb->y < band.rowFrom) return;
  if (std::min({v1.x, v2.x, v3.x}) >= width || std::max({v1.x, v2.x, v3.x}) < 0) return;

  const RgbaColor alphas[2] = {pair.second, pair.first};  // index: parity of x + y
  // Shading scales both colours alike, so one colour stays one colour.
  const bool uniform = pair.first == pair.second && pair.first.a != 0;
  const bool constantDepth = v1.z == v2.z && v2.z == v3.z;
  const int64_t depth = static_cast<int64_t>(v1.z) * 256;
  auto fill = [&](int32_t y, int32_t xl, int32_t zl, int32_t xr, int32_t zr) {
    int64_t z, step;
    if (constantDepth) {
      if (xl == xr) return;
      z = depth;
      step = 0;
    } else {
      z = zl;
      step = xl == xr ? 0 : (static_cast<int64_t>(zr) - zl) / (static_cast<int64_t>(xr) - xl);
    }
    if (xr < 0 || xl >= width) return;  // nothing of the row lies in the frame
    if (xl < 0) {
      z -= xl * step;
      xl = 0;
    }
    xr = std::min(xr, width - 1);
    const size_t base = static_cast<size_t>(y) * static_cast<size_t>(width);
    RowTarget row{band.depth + base, band.bits + base * 3, band.pick ? band.pick + base : nullptr};
    // Opaque single colours (the common case) need no parity or alpha test per pixel.
    if (uniform) {
      if (row.pick)
        FillRow<true, true>(row, xl, xr, y, z, step, alphas, shade, pickId);
      else
        FillRow<false, true>(row, xl, xr, y, z, step, alphas, shade, pickId);
    } else {
      if (row.pick)
        FillRow<true, false>(row, xl, xr, y, z, step, alphas, shade, pickId);
      else
        FillRow<false, false>(row, xl, xr, y, z, step, alphas, shade, pickId);
    }
  };
  rasterwalk::WalkTriangleBand(*pt, *pm, *pb, band.rowFrom, band.rowTo, fill);
}

}  // namespace

namespace bandraster {

void Triangle(const FrameBand& band, const ScreenVertex& v1, const ScreenVertex& v2, const ScreenVertex& v3,
              const ColorPair& pair, PickId pickId) {
  ReadyColors ready(pair);
  ShadedTriangle(band, v1, v2, v3, pair, ready, pickId);
}

void Line(const FrameBand& band, const ScreenVertex& a, const ScreenVertex& b, int32_t lineWidth,
          const ColorPair& pair, PickId pickId) {
  const LineTarget target{.depth = band.depth,
                          .image = band.bits,
                          .pick = band.pick,
                          .width = static_cast<size_t>(band.width),
                          .rowFrom = band.rowFrom,
                          .rowTo = band.rowTo,
                          .bias = 2,
                          .pair = pair,
                          .pickId = pickId};
  rasterwalk::WideLine(a, b, lineWidth, band.width, band.height, target);
}

bool DepthsNoFartherThan(const FrameBand& band, int32_t x0, int32_t x1, int32_t y0, int32_t y1, int64_t nearest,
                         int64_t maxPixels) {
  x0 = std::max(x0, 0);
  x1 = std::min(x1, band.width - 1);
  y0 = std::max(y0, band.rowFrom);
  y1 = std::min(y1, band.rowTo - 1);
  if (x0 > x1 || y0 > y1) return true;
  if (static_cast<int64_t>(x1 - x0 + 1) * (y1 - y0 + 1) > maxPixels) return false;
  for (int32_t y = y0; y <= y1; ++y) {
    const int32_t* depth = band.depth + static_cast<size_t>(y) * static_cast<size_t>(band.width);
    int32_t farthest = depth[x0];
    for (int32_t x = x0 + 1; x <= x1; ++x) farthest = std::max(farthest, depth[x]);
    if (farthest > nearest) return false;
  }
  return true;
}

}  // namespace bandraster

bandraster::FrameBand C3DStub::WholeFrame() const {
  bandraster::FrameBand band;
  band.depth = const_cast<int32_t*>(m_depth.data());
  band.bits = m_bits;
  band.pick = m_pick.empty() ? nullptr : const_cast<PickId*>(m_pick.data());
  band.width = static_cast<int32_t>(m_width);
  band.height = static_cast<int32_t>(m_height);
  band.rowFrom = 0;
  band.rowTo = band.height;
  return band;
}

bandraster::FrameBand C3DStub::Target() const { return m_parent ? m_bandTarget : WholeFrame(); }

namespace {

// The rows of the frame a triangle can touch; false when it lies wholly outside the frame.
bool TriangleRows(const ScreenVertex& v1, const ScreenVertex& v2, const ScreenVertex& v3, int32_t width,
                  int32_t height, int32_t& first, int32_t& last) {
  const int32_t top = std::min({v1.y, v2.y, v3.y}), bottom = std::max({v1.y, v2.y, v3.y});
  if (top >= height || bottom < 0) return false;
  if (std::min({v1.x, v2.x, v3.x}) >= width || std::max({v1.x, v2.x, v3.x}) < 0) return false;
  first = std::max(top, 0);
  last = std::min(bottom, height - 1);
  return true;
}

}  // namespace

void C3DStub::FillTriangle(const ScreenVertex& v1, const ScreenVertex& v2, const ScreenVertex& v3,
                           const ColorPair& pair, const CVector3* const* shadePoints, PickId pickId) {
  const auto width = static_cast<int32_t>(m_width), height = static_cast<int32_t>(m_height);
  int32_t first, last;
  if (!TriangleRows(v1, v2, v3, width, height, first, last)) return;
  LazyShade shade(pair, m_shading ? shadePoints : nullptr);
  if (m_batch) {
    m_batch->AddTriangle(v1, v2, v3, shade.Pair(), pickId, first, last);
    return;
  }
  ShadedTriangle(Target(), v1, v2, v3, pair, shade, pickId);
}

void C3DStub::FillQuad(const ScreenVertex& a, const ScreenVertex& b, const ScreenVertex& c,
                       const ScreenVertex& d, const ColorPair& pair, const CVector3* const* shadePoints,
                       PickId pickId) {
  const auto width = static_cast<int32_t>(m_width), height = static_cast<int32_t>(m_height);
  LazyShade shade(pair, m_shading ? shadePoints : nullptr);
  const ScreenVertex* corners[3][3] = {{&a, &b, &c}, {&a, &c, &d}, {&b, &c, &d}};
  if (!m_batch) {
    // The three triangles share the quadrilateral's shade, worked out at most once.
    const bandraster::FrameBand target = Target();
    // Their depths lie between those of the corners, and a pixel takes only a nearer one: a
    // small quadrilateral behind what its box holds (most of them, in a big model) is left out
    // before its edges are walked.
    constexpr int64_t kMaxBoxPixels = 64;
    if (bandraster::DepthsNoFartherThan(target, std::min({a.x, b.x, c.x, d.x}), std::max({a.x, b.x, c.x, d.x}),
                                        std::min({a.y, b.y, c.y, d.y}), std::max({a.y, b.y, c.y, d.y}),
                                        int64_t{std::min({a.z, b.z, c.z, d.z})} * 256, kMaxBoxPixels))
      return;
    for (const auto& t : corners) {
      int32_t f, l;
      if (TriangleRows(*t[0], *t[1], *t[2], width, height, f, l))
        ShadedTriangle(target, *t[0], *t[1], *t[2], pair, shade, pickId);
    }
    return;
  }
  // One record for the three triangles, handed to the rows any of them can touch.
  int32_t first = height, last = -1;
  for (const auto& t : corners) {
    int32_t f, l;
    if (!TriangleRows(*t[0], *t[1], *t[2], width, height, f, l)) continue;
    first = std::min(first, f);
    last = std::max(last, l);
  }
  if (first > last) return;
  m_batch->AddQuad(a, b, c, d, shade.Pair(), pickId, first, last);
}

void C3DStub::RasterLine(const ScreenVertex& a, const ScreenVertex& b, const ColorPair& pair, PickId pickId) {
  if (m_batch) {
    const int32_t top = bandraster::LineTopRow(a, b, m_lineWidth), bottom = bandraster::LineBottomRow(a, b);
    const int32_t height = static_cast<int32_t>(m_height);
    if (bottom < 0 || top >= height) return;
    m_batch->AddLine(a, b, m_lineWidth, pair, pickId, std::max(top, 0), std::min(bottom, height - 1));
    return;
  }
  bandraster::Line(Target(), a, b, m_lineWidth, pair, pickId);
}
