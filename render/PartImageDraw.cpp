// Filling part images and stamping them into the frame. An image pixel holds a depth relative to
// the image's origin and a shade byte instead of a colour; the stamp adds the origin's depth and
// colours the pixel with the copy's main or edge colour. The fill follows the frame's rules
// (same edge walk, same line walk, same depth tests) with three differences: points map to
// trunc(x + 2.5), trunc(y + 2.5) without the view offset, nothing is coloured or picked, and every
// recorded triangle row is filled, one-pixel rows of constant-depth triangles included.
#include <algorithm>
#include <climits>
#include <cmath>

#include "config/Tracer.h"
#include "render/BandRaster.h"
#include "render/C3DStub.h"
#include "render/DrawBatch.h"
#include "render/FakeBuffer.h"
#include "render/RasterWalk.h"

namespace {

using rasterwalk::TruncClamp;

bool MapToImage(const CVector3& p, bool lineDepth, double depthScale, ScreenVertex& out) {
  const double z = p.z * depthScale + (lineDepth ? -2.0 : 0.5);
  return TruncClamp(p.x + 2.5, C3DStub::kMaxCoordinate, out.x) &&
         TruncClamp(p.y + 2.5, C3DStub::kMaxCoordinate, out.y) &&
         TruncClamp(z, C3DStub::kMaxDepthUnits, out.z);
}

// Lines into an image: the frame's line depth test (stored at least depth + 2).
struct ImageLineTarget {
  int32_t* depth;
  uint8_t* shade;
  size_t width;
  uint8_t value;
  void Write(int32_t x, int32_t y, int32_t d) const {
    const size_t i = static_cast<size_t>(y) * width + static_cast<size_t>(x);
    if (depth[i] < d + 2) return;
    depth[i] = d;
    shade[i] = value;
  }
};

}  // namespace

void C3DStub::DrawTriangleToCache(CFakeBuffer& image, const CVector3& p1, const CVector3& p2, const CVector3& p3) {
  if (m_surfacesOff || m_boundingBoxMode) return;
  ScreenVertex a, b, c;
  if (!MapToImage(p1, false, m_depthScale, a) || !MapToImage(p2, false, m_depthScale, b) ||
      !MapToImage(p3, false, m_depthScale, c))
    return;
  ++m_counts.primitives;
  ++m_counts.triangles;
  FillImageTriangle(image, a, b, c, ImageShade(p1, p2, p3));
}

void C3DStub::DrawQuadToCache(CFakeBuffer& image, const CVector3& p1, const CVector3& p2, const CVector3& p3,
                              const CVector3& p4) {
  if (m_surfacesOff || m_boundingBoxMode) return;
  ScreenVertex a, b, c, d;
  if (!MapToImage(p1, false, m_depthScale, a) || !MapToImage(p2, false, m_depthScale, b) ||
      !MapToImage(p3, false, m_depthScale, c) || !MapToImage(p4, false, m_depthScale, d))
    return;
  ++m_counts.primitives;
  m_counts.triangles += 3;
  // As in the frame: three triangles, all shaded by the first three corners.
  const uint8_t shade = ImageShade(p1, p2, p3);
  FillImageTriangle(image, a, b, c, shade);
  FillImageTriangle(image, a, c, d, shade);
  FillImageTriangle(image, b, c, d, shade);
}

uint8_t C3DStub::ImageShade(const CVector3& p1, const CVector3& p2, const CVector3& p3) const {
  if (!m_shading) return CFakeBuffer::kUnshaded;
  return static_cast<uint8_t>(ShadingFactor(p1, p2, p3) * CFakeBuffer::kUnshaded);
}

void C3DStub::FillImageTriangle(CFakeBuffer& image, const ScreenVertex& a, const ScreenVertex& b,
                                const ScreenVertex& c, uint8_t shade) {
  const int32_t width = image.GetWidth(), height = image.GetHeight();
  if (width <= 0 || height <= 0) return;
  const ScreenVertex* v[3] = {&a, &b, &c};
  const ScreenVertex *pt, *pm, *pb;
  rasterwalk::OrderCorners(v, pt, pm, pb);
  const ScreenVertex &top = *pt, &middle = *pm, &bottom = *pb;
  if (top.y >= height || bottom.y < 0) return;
  if (std::min({a.x, b.x, c.x}) >= width || std::max({a.x, b.x, c.x}) < 0) return;
  if (m_imageLeft.size() < static_cast<size_t>(height)) {
    m_imageLeft.resize(static_cast<size_t>(height));
    m_imageRight.resize(static_cast<size_t>(height));
  }
  const int32_t firstRow = std::max(top.y, 0);
  const int32_t row = rasterwalk::WalkTriangleRows(top, middle, bottom, height,
                                                   [this](int32_t r, int32_t xl, int32_t zl, int32_t xr, int32_t zr) {
                                                     m_imageLeft[r] = {xl, zl};
                                                     m_imageRight[r] = {xr, zr};
                                                   });
  int32_t* depth = image.GetDepth();
  uint8_t* shades = image.GetShade();
  for (int32_t y = firstRow; y < row; ++y) {
    int32_t xl = m_imageLeft[y].x, xr = m_imageRight[y].x;
    int64_t z = m_imageLeft[y].z;
    const int64_t step = xl == xr ? 0
                                  : (static_cast<int64_t>(m_imageRight[y].z) - m_imageLeft[y].z) /
                                        (static_cast<int64_t>(xr) - xl);
    if (xr < 0 || xl >= width) continue;
    if (xl < 0) {
      z -= xl * step;
      xl = 0;
    }
    xr = std::min(xr, width - 1);
    const size_t base = static_cast<size_t>(y) * static_cast<size_t>(width);
    // The shade bytes may alias anything as far as the compiler knows; separate row pointers
    // let it keep the depth row in registers.
    int32_t* __restrict depthRow = depth + base;
    uint8_t* __restrict shadeRow = shades + base;
    for (int32_t x = xl; x <= xr; ++x, z += step) {
      const auto d = static_cast<int32_t>(z);
      const bool nearer = d < depthRow[x];
      depthRow[x] = nearer ? d : depthRow[x];
      shadeRow[x] = nearer ? shade : shadeRow[x];
    }
  }
}

void C3DStub::DrawLineToCache(CFakeBuffer& image, int edge, const CVector3& p1, const CVector3& p2) {
  const int32_t width = image.GetWidth(), height = image.GetHeight();
  if (width <= 0 || height <= 0) return;
  ScreenVertex a, b;
  if (!MapToImage(p1, true, m_depthScale, a) || !MapToImage(p2, true, m_depthScale, b)) return;
  ++m_counts.primitives;
  const ImageLineTarget target{image.GetDepth(), image.GetShade(), static_cast<size_t>(width),
                               edge ? CFakeBuffer::kEdgeLine : CFakeBuffer::kMainLine};
  rasterwalk::WideLine(a, b, m_lineWidth, width, height, target);
}

void C3DStub::DrawOptionalLineToCache(CFakeBuffer& image, int edge, const CVector3& p1, const CVector3& p2,
                                      const CVector3& c1, const CVector3& c2) {
  if (m_boundingBoxMode) return;
  const int32_t width = image.GetWidth(), height = image.GetHeight();
  if (width <= 0 || height <= 0) return;
  ScreenVertex a, b, ca, cb;
  if (!MapToImage(p1, true, m_depthScale, a) || !MapToImage(p2, true, m_depthScale, b) ||
      !MapToImage(c1, true, m_depthScale, ca) || !MapToImage(c2, true, m_depthScale, cb))
    return;
  if (a.x == b.x && a.y == b.y) return;
  bool draw;
  if (a.x == b.x) {
    // Vertical: hidden only when the control points lie strictly on opposite sides.
    draw = !((ca.x < a.x && cb.x > a.x) || (ca.x > a.x && cb.x < a.x));
  } else if (a.y == b.y) {
    draw = !((ca.y < a.y && cb.y > a.y) || (ca.y > a.y && cb.y < a.y));
  } else {
    auto side = [&a, &b](const ScreenVertex& c) {
      const double ly = (static_cast<double>(b.y) - a.y) / (static_cast<double>(b.x) - a.x) *
                            (static_cast<double>(c.x) - a.x) +
                        a.y;
      return ly <= c.y ? 1 : 0;
    };
    draw = side(ca) == side(cb);
  }
  if (!draw) return;
  ++m_counts.primitives;
  const ImageLineTarget target{image.GetDepth(), image.GetShade(), static_cast<size_t>(width),
                               edge ? CFakeBuffer::kEdgeLine : CFakeBuffer::kMainLine};
  rasterwalk::WideLine(a, b, m_lineWidth, width, height, target);
}

void C3DStub::DrawCachedPart(const CFakeBuffer& image, uint32_t mainColor, uint32_t edgeColor,
                             const CVector3& origin, PickId pickId) {
  if (!m_initialised) return;
  const int32_t iw = image.GetWidth(), ih = image.GetHeight();
  if (iw <= 0 || ih <= 0) return;
  int32_t x0, y0, zUnits;
  if (!TruncClamp(m_roundX + origin.x - 2.5, kMaxCoordinate, x0) ||
      !TruncClamp(m_roundY + origin.y - 3.5, kMaxCoordinate, y0) ||
      !TruncClamp(origin.z * m_depthScale + 0.5, kMaxDepthUnits, zUnits))
    return;
  const int32_t fw = static_cast<int32_t>(m_width), fh = static_cast<int32_t>(m_height);
  if (x0 >= fw || y0 >= fh || static_cast<int64_t>(x0) + iw <= 0 || static_cast<int64_t>(y0) + ih <= 0) return;
  m_imageDirty = true;
  // Image row i lands on frame row y0 + i + 1.
  if (!ReachesTarget(x0, static_cast<int32_t>(std::min<int64_t>(INT32_MAX, int64_t{x0} + iw - 1)), y0 + 1,
                     static_cast<int32_t>(std::min<int64_t>(INT32_MAX, int64_t{y0} + ih))))
    return;
  if (CountsHere(y0 + 1)) ++m_counts.imagesStamped;
  bandraster::Stamp stamp;
  stamp.image = &image;
  stamp.x0 = x0;
  stamp.y0 = y0;
  stamp.z0 = static_cast<int64_t>(zUnits) * 256;
  stamp.main = GetColorPair(mainColor);
  stamp.edge = GetColorPair(edgeColor);
  stamp.pickId = pickId;
  if (m_batch) {
    const int32_t firstRow = std::max(0, y0 + 1), lastRow = std::min<int64_t>(fh - 1, int64_t{y0} + ih);
    if (firstRow > lastRow) return;
    // The image must stay as it is until the workers have stamped it.
    if (image.MarkStamped(this)) m_stampedImages.push_back(&image);
    m_batch->AddStamp(stamp, firstRow, static_cast<int32_t>(lastRow));
    return;
  }
  if (const uint8_t bad = bandraster::StampImage(Target(), stamp))
    theTracer.Printf("ERROR: part image holds the shade %u\n", static_cast<unsigned>(bad));
}

namespace bandraster {

uint8_t StampImage(const FrameBand& band, const Stamp& stamp) {
  const CFakeBuffer& image = *stamp.image;
  const int32_t iw = image.GetWidth(), ih = image.GetHeight();
  const int32_t x0 = stamp.x0, y0 = stamp.y0;
  const int64_t z0 = stamp.z0;
  const ColorPair &main = stamp.main, &edgePair = stamp.edge;
  const int32_t* depth = image.GetDepth();
  const uint8_t* shades = image.GetShade();
  int32_t* frameDepth = band.depth;
  uint8_t* bits = band.bits;
  PickId* pick = band.pick;
  const auto fw = static_cast<size_t>(band.width);
  // Image row i lands on frame row y0 + i + 1; only the band's rows are stamped.
  const int32_t firstRow = std::max(0, band.rowFrom - (y0 + 1)), lastRow = std::min(ih - 1, band.rowTo - 2 - y0);
  const int32_t firstCol = std::max(0, -x0), lastCol = std::min(iw - 1, band.width - 1 - x0);
  uint8_t bad = 0;
  for (int32_t i = firstRow; i <= lastRow; ++i) {
    const int32_t y = y0 + i + 1;
    const size_t frameRow = static_cast<size_t>(y) * fw;
    const size_t imageRow = static_cast<size_t>(i) * static_cast<size_t>(iw);
    for (int32_t j = firstCol; j <= lastCol; ++j) {
      const uint8_t s = shades[imageRow + j];
      if (s == CFakeBuffer::kEmpty) continue;
      const int32_t x = x0 + j;
      const size_t f = frameRow + static_cast<size_t>(x);
      const int64_t d = std::max<int64_t>(z0 + depth[imageRow + j], -INT32_MAX);
      const bool odd = ((x + y) & 1) != 0;
      if (s <= CFakeBuffer::kUnshaded) {
        const RgbaColor& c = odd ? main.first : main.second;
        if (!c.a || d >= frameDepth[f]) continue;
        frameDepth[f] = static_cast<int32_t>(d);
        uint8_t* px = bits + 3 * f;
        px[0] = static_cast<uint8_t>((s * c.b) >> 7);
        px[1] = static_cast<uint8_t>((s * c.g) >> 7);
        px[2] = static_cast<uint8_t>((s * c.r) >> 7);
      } else if (s == CFakeBuffer::kMainLine || s == CFakeBuffer::kEdgeLine) {
        const ColorPair& pair = s == CFakeBuffer::kMainLine ? main : edgePair;
        const RgbaColor& c = odd ? pair.first : pair.second;
        if (!c.a || frameDepth[f] < d + 2) continue;
        frameDepth[f] = static_cast<int32_t>(d);
        uint8_t* px = bits + 3 * f;
        px[0] = c.b;
        px[1] = c.g;
        px[2] = c.r;
      } else {
        // No fill writes such a value; the pixel of a damaged image is left out.
        if (!bad) bad = s;
        continue;
      }
      if (pick) pick[f] = stamp.pickId;
    }
  }
  return bad;
}

}  // namespace bandraster
