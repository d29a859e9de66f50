#include "render/C3DStub.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <new>
#include <exception>
#include <mutex>
#include <thread>
#include <typeinfo>

#include "render/BandRaster.h"
#include "render/DrawBatch.h"
#include "render/FakeBuffer.h"
#include "render/RasterWalk.h"
#include "render/WorkerPool.h"

namespace {

using rasterwalk::TruncClamp;

RgbaColor Opaque(uint8_t r, uint8_t g, uint8_t b) { return {r, g, b, 255}; }

int MachineThreads() { return std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, 256); }

// One thread per processor unless the environment sets the count (0 there: one per processor).
// A whole model is walked once per band of rows by the threads, so they gain on every frame of a
// few thousand primitives or more, part images included.
int ThreadsFromEnvironment() {
  const char* env = std::getenv("PLANDOR_RENDER_THREADS");
  if (!env || !*env) return MachineThreads();
  const int n = std::atoi(env);
  return n >= 1 ? std::min(n, 256) : MachineThreads();
}

// The processor time of the calling thread: what a band cost, whatever else the machine runs.
double ThreadSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

std::atomic<int>& DefaultThreads() {
  static std::atomic<int> threads{ThreadsFromEnvironment()};
  return threads;
}

}  // namespace

C3DStub::C3DStub() = default;
C3DStub::~C3DStub() { Finish(); }

void C3DStub::SetDefaultThreads(int threads) {
  DefaultThreads().store(threads >= 1 ? std::min(threads, 256) : MachineThreads());
}

int C3DStub::GetDefaultThreads() { return DefaultThreads().load(); }

void C3DStub::SetThreads(int threads) {
  Finish();
  m_threads = std::clamp(threads, 0, 256);
  UpdateBatch();
}

int C3DStub::GetThreads() const { return m_threads > 0 ? m_threads : GetDefaultThreads(); }

void C3DStub::Finish() const {
  if (!m_batch || !m_batch->HasPending()) return;
  m_batch->Finish();
  for (const CFakeBuffer* image : m_stampedImages) image->ClearStamped();
  m_stampedImages.clear();
}

void C3DStub::DrawInBands(const std::function<void(C3DStub&)>& walk) {
  const int threads = GetThreads();
  // Bands of fewer rows than this cost more in walking than they save in drawing.
  constexpr int32_t kMinBandRows = 8;
  const auto height = static_cast<int32_t>(m_height);
  if (threads <= 1 || !m_initialised || m_parent || typeid(*this) != typeid(C3DStub) ||
      height < 2 * kMinBandRows) {
    walk(*this);
    return;
  }
  Finish();
  if (!m_pool || m_pool->GetThreads() != threads) {
    m_pool = std::make_unique<CWorkerPool>(threads);
    m_bands.clear();
  }
  while (m_bands.size() < static_cast<size_t>(threads)) m_bands.push_back(std::make_unique<C3DStub>());
  // Every band walks again the parts across its borders. On many threads the split by the last
  // walk's costs evens out one band each; a few threads (a pane drawn beside others) take two
  // bands each, which evens out what the split misses.
  const int perThread = threads >= 4 ? 1 : 2;
  const auto bands = static_cast<int32_t>(std::min(threads * perThread, height / kMinBandRows));
  const std::vector<int32_t> edges = m_bandSplit.Split(bands, height, kMinBandRows);
  std::vector<double> costs(static_cast<size_t>(bands), 0.0);
  std::atomic<int32_t> next{0};
  std::mutex errorLock;
  std::exception_ptr error;
  m_pool->Run([&](int worker) {
    C3DStub& band = *m_bands[static_cast<size_t>(worker)];
    band.m_counts = {};
    band.m_imageDirty = false;
    try {
      for (int32_t b = next.fetch_add(1); b < bands; b = next.fetch_add(1)) {
        const double start = ThreadSeconds();
        band.AdoptBand(*this, edges[static_cast<size_t>(b)], edges[static_cast<size_t>(b) + 1]);
        walk(band);
        costs[static_cast<size_t>(b)] = ThreadSeconds() - start;
      }
    } catch (...) {
      std::lock_guard<std::mutex> lock(errorLock);
      if (!error) error = std::current_exception();
      next.store(bands);
    }
  });
  if (!error) m_bandSplit.Record(costs);
  for (const auto& band : m_bands) {
    m_counts.primitives += band->m_counts.primitives;
    m_counts.triangles += band->m_counts.triangles;
    m_counts.imagesCreated += band->m_counts.imagesCreated;
    m_counts.imagesStamped += band->m_counts.imagesStamped;
    band->m_counts = {};
    m_imageDirty = m_imageDirty || band->m_imageDirty;
    band->m_parent = nullptr;
    band->m_bandLo = -INFINITY;
    band->m_bandHi = INFINITY;
  }
  if (error) std::rethrow_exception(error);
}

void C3DStub::AdoptBand(const C3DStub& parent, int32_t rowFrom, int32_t rowTo) {
  m_parent = &parent;
  m_rowFrom = rowFrom;
  m_rowTo = rowTo;
  m_threads = 1;
  m_colors = parent.m_colors;
  m_width = parent.m_width;
  m_height = parent.m_height;
  m_pixelCount = parent.m_pixelCount;
  m_initialised = parent.m_initialised;
  m_shading = parent.m_shading;
  m_surfacesOff = parent.m_surfacesOff;
  m_boundingBoxMode = parent.m_boundingBoxMode;
  m_pickOn = parent.m_pickOn;
  m_scaleX = parent.m_scaleX;
  m_scaleY = parent.m_scaleY;
  m_depthScale = parent.m_depthScale;
  m_offsetX = parent.m_offsetX;
  m_offsetY = parent.m_offsetY;
  m_roundX = parent.m_roundX;
  m_roundY = parent.m_roundY;
  m_background = parent.m_background;
  m_lineWidth = parent.m_lineWidth;
  m_tinyPartDots = parent.m_tinyPartDots;
  m_skipHiddenParts = parent.m_skipHiddenParts;
  m_perspectiveOn = parent.m_perspectiveOn;
  m_perspectiveRange = parent.m_perspectiveRange;
  m_perspectiveNear = parent.m_perspectiveNear;
  m_perspectiveCenterX = parent.m_perspectiveCenterX;
  m_perspectiveCenterY = parent.m_perspectiveCenterY;
  m_stack.Clear();
  m_stack.Push(parent.m_stack.Top());
  // A point lands on trunc(y + the rounding offset), within a pixel of it. The first band takes
  // everything above the frame, the last everything below.
  m_bandLo = rowFrom > 0 ? rowFrom - m_roundY - 2 : -INFINITY;
  m_bandHi = rowTo < static_cast<int32_t>(m_height) ? rowTo - m_roundY + 1 : INFINITY;
  m_bandTarget = parent.WholeFrame();
  m_bandTarget.rowFrom = rowFrom;
  m_bandTarget.rowTo = rowTo;
}

const CVector3* C3DStub::TransformPoints(const CVector3* in, size_t n) {
  if (m_scratch.size() < n) m_scratch.resize(n);
  CVector3* out = m_scratch.data();
  if (!m_perspectiveOn) {
    const CMatrix4D& t = m_stack.Top();
    for (size_t i = 0; i < n; ++i) out[i] = t.Apply(in[i]);
  } else {
    for (size_t i = 0; i < n; ++i) TransformPoint(out[i], in[i], 0);
  }
  return out;
}

C3DStub::BoxReach C3DStub::ReachOfBox(const CVector3* corners, ScreenVertex& pixel, DrawnAs drawnAs) const {
  // Without a frame there is nothing to measure against (and a recording renderer may have none).
  if (!m_initialised) return BoxReach::Larger;
  double minX = INFINITY, minY = INFINITY, minZ = INFINITY, maxX = -INFINITY, maxY = -INFINITY;
  if (!m_perspectiveOn) {
    // An affine map: the box's centre and its half sizes through the matrix's magnitudes give
    // the box of the eight corners with two products instead of eight.
    const CMatrix4D& t = m_stack.Top();
    CVector3 lo = corners[0], hi = corners[0];
    for (int i = 1; i < 8; ++i) {
      lo.Set(std::min(lo.x, corners[i].x), std::min(lo.y, corners[i].y), std::min(lo.z, corners[i].z));
      hi.Set(std::max(hi.x, corners[i].x), std::max(hi.y, corners[i].y), std::max(hi.z, corners[i].z));
    }
    const CVector3 c = t.Apply((lo + hi) * 0.5), h = (hi - lo) * 0.5;
    const double ex = std::fabs(t.m[0][0]) * h.x + std::fabs(t.m[0][1]) * h.y + std::fabs(t.m[0][2]) * h.z;
    const double ey = std::fabs(t.m[1][0]) * h.x + std::fabs(t.m[1][1]) * h.y + std::fabs(t.m[1][2]) * h.z;
    const double ez = std::fabs(t.m[2][0]) * h.x + std::fabs(t.m[2][1]) * h.y + std::fabs(t.m[2][2]) * h.z;
    minX = c.x - ex;
    maxX = c.x + ex;
    minY = c.y - ey;
    maxY = c.y + ey;
    minZ = c.z - ez;
    if (!(minX == minX) || !(maxX == maxX) || !(minY == minY) || !(maxY == maxY) || !(minZ == minZ))
      return BoxReach::Larger;
  }
  for (int i = 0; i < (m_perspectiveOn ? 8 : 0); ++i) {
    const CVector3 p = m_stack.Top().Apply(corners[i]);
    CVector3 q = p;
    if (m_perspectiveOn) {
      // Only where the step is a true projection does the box of the corners hold the part.
      const double denominator = (p.z - m_perspectiveNear) + m_perspectiveRange;
      if (!(m_perspectiveRange > 0) || !(denominator > 0)) return BoxReach::Larger;
      TransformPoint(q, corners[i], 0);
    }
    if (!(q.x == q.x) || !(q.y == q.y) || !(q.z == q.z)) return BoxReach::Larger;
    minX = std::min(minX, q.x);
    maxX = std::max(maxX, q.x);
    minY = std::min(minY, q.y);
    maxY = std::max(maxY, q.y);
    minZ = std::min(minZ, q.z);
  }
  minX += m_roundX;
  maxX += m_roundX;
  minY += m_roundY;
  maxY += m_roundY;
  // A point lands on trunc(x), within a pixel of x; wide lines reach lineWidth - 1 pixels up or
  // left, and a part image's pixels lie up to two pixels off the points they show.
  const double margin = 4 + m_lineWidth;
  const double rowFrom = m_parent ? m_rowFrom : 0, rowTo = m_parent ? m_rowTo : static_cast<double>(m_height);
  if (maxX + margin < 0 || minX - margin >= static_cast<double>(m_width) || maxY + margin < rowFrom ||
      minY - margin >= rowTo)
    return BoxReach::Outside;
  if (m_tinyPartDots && m_lineWidth == 1 && maxX - minX < 1 && maxY - minY < 1) {
    int32_t x0, x1, y0, y1, z;
    if (TruncClamp(minX, kMaxCoordinate, x0) && TruncClamp(maxX, kMaxCoordinate, x1) &&
        TruncClamp(minY, kMaxCoordinate, y0) && TruncClamp(maxY, kMaxCoordinate, y1) &&
        TruncClamp(minZ * m_depthScale + 0.5, kMaxDepthUnits, z) && x0 == x1 && y0 == y1) {
      pixel = {x0, y0, z};
      return BoxReach::OnePixel;
    }
  }
  if (m_skipHiddenParts && !m_perspectiveOn && BehindDrawn(minX, maxX, minY, maxY, minZ, drawnAs))
    return BoxReach::Hidden;
  return BoxReach::Larger;
}

bool C3DStub::BehindDrawn(double minX, double maxX, double minY, double maxY, double minZ,
                          DrawnAs drawnAs) const {
  // Worker threads may be writing the depths.
  if (m_batch && m_batch->HasPending()) return false;
  if (!(m_depthScale > 0) || !(minX >= -kMaxCoordinate) || !(maxX <= kMaxCoordinate) ||
      !(minY >= -kMaxCoordinate) || !(maxY <= kMaxCoordinate))
    return false;
  int32_t surface, line;
  if (!TruncClamp(minZ * m_depthScale + 0.5, kMaxDepthUnits, surface) ||
      !TruncClamp(minZ * m_depthScale - 2.0, kMaxDepthUnits, line))
    return false;
  // The depths the elements write lie no nearer than their nearest point's: a surface's rounded,
  // a line's moved 2 units nearer, and a line pixel is kept while the stored depth is less than
  // its own plus the bias (2/256 of a unit). A part image stamps at its nearest point's surface
  // depth, its lines up to 2 units nearer, with the same rules. One unit more for the rounding
  // between the box and the points.
  const bool images = drawnAs == DrawnAs::PartImages;
  int64_t nearest = std::min(int64_t{surface} * 256, int64_t{line} * 256 + 1);
  if (images) nearest = std::min(nearest, (int64_t{surface} - 2) * 256 + 1);
  nearest -= 256;
  // A point lands on column trunc(x), between floor(minX) and floor(maxX) + 1; one pixel more
  // on each side for the rounding between the box and the points, and wide lines reach
  // lineWidth - 1 pixels up and left. A part image's pixels lie up to two columns left of the
  // points they show, and its stamp is placed to a whole pixel: one more on each side. Reading a
  // large box costs more than it can save: its elements are left to the depth test.
  const int32_t before = m_lineWidth + (images ? 3 : 0), after = images ? 3 : 2;
  constexpr int64_t kMaxBoxPixels = 1024;
  return bandraster::DepthsNoFartherThan(Target(), static_cast<int32_t>(std::floor(minX)) - before,
                                         static_cast<int32_t>(std::floor(maxX)) + after,
                                         static_cast<int32_t>(std::floor(minY)) - before,
                                         static_cast<int32_t>(std::floor(maxY)) + after, nearest, kMaxBoxPixels);
}

void C3DStub::UpdateBatch() {
  const int threads = GetThreads();
  if (threads <= 1) {
    m_batch.reset();
    return;
  }
  if (!m_batch || m_batch->GetThreads() != threads) m_batch = std::make_unique<CDrawBatch>(threads);
  m_batch->SetFrame(WholeFrame());
}

void C3DStub::FreeBuffers() {
  Finish();
  std::vector<int32_t>().swap(m_depth);
  std::vector<PickId>().swap(m_pick);
  m_image.Free();
  m_bits = nullptr;
  m_width = m_height = 0;
  m_pixelCount = 0;
  if (m_batch) m_batch->SetFrame(WholeFrame());
}

int C3DStub::Reset(uint32_t width, uint32_t height, int shading) {
  m_colors = theDefaultColors;
  FreeSavedState();
  m_initialised = false;
  m_shading = shading != 0;
  if (BeginFrame(width, height) != 0) return 0;
  m_imageDirty = true;
  m_initialised = true;
  return 1;
}

int C3DStub::BeginFrame(uint32_t width, uint32_t height) {
  Finish();
  // Image rows have no padding, and every buffer is indexed x + y x width, only when the width is
  // a multiple of 4; callers round down, and so does this, rather than shear the image.
  width &= ~3u;
  if (width == 0 || height == 0 || width > INT32_MAX || height > INT32_MAX ||
      static_cast<uint64_t>(width) * height > INT32_MAX / 3) {
    FreeBuffers();
    m_initialised = false;
    return -1;
  }
  const size_t pixels = static_cast<size_t>(width) * height;
  try {
    if (width != m_width || height != m_height || !m_image.HasBlock()) {
      FreeBuffers();
      if (!m_image.Create(static_cast<int32_t>(width), static_cast<int32_t>(height), true))
        throw std::bad_alloc();
      m_depth.resize(pixels);
      m_width = width;
      m_height = height;
      m_pixelCount = static_cast<int32_t>(pixels);
    }
    if (m_pickOn && m_pick.size() != pixels) m_pick.resize(pixels);
  } catch (const std::bad_alloc&) {
    FreeBuffers();
    m_initialised = false;
    return -1;
  }
  m_bits = m_image.GetBits();
  std::fill(m_depth.begin(), m_depth.end(), kEmptyDepth);
  std::fill(m_pick.begin(), m_pick.end(), kNoPickId);
  PaintBackground();
  m_imageDirty = true;
  UpdateBatch();
  return 0;
}

void C3DStub::PaintBackground() {
  const ColorPair pair = GetColorPair(m_background);
  const RgbaColor& a = pair.first;
  const RgbaColor& b = pair.second;
  const size_t pixels = static_cast<size_t>(m_pixelCount);
  if (a.r == a.g && a.g == a.b && a.r == b.r && b.r == b.g && b.g == b.b) {
    std::memset(m_bits, a.r, pixels * 3);
    return;
  }
  // By linear index, alpha ignored: even indexes take the first colour, odd ones the second.
  uint8_t* p = m_bits;
  for (size_t i = 0; i < pixels; ++i, p += 3) {
    const RgbaColor& c = (i & 1) ? b : a;
    p[0] = c.b;
    p[1] = c.g;
    p[2] = c.r;
  }
}

void C3DStub::EnablePickBuffer(int on) {
  Finish();
  m_pickOn = on != 0;
  if (!m_pickOn) std::vector<PickId>().swap(m_pick);
  if (m_batch) m_batch->SetFrame(WholeFrame());
}

void C3DStub::SetLineWidth(int width) { m_lineWidth = std::clamp(width, 1, 3); }

void C3DStub::SetRoundingOffsets() {
  m_roundX = m_offsetX + 0.5;
  m_roundY = m_offsetY + 0.5;
}

void C3DStub::SetScale(double scale) {
  m_scaleX = m_scaleY = scale;
  m_depthScale = scale > 1 ? 4 / scale : 4;
}

void C3DStub::SetView(double offsetX, double offsetY, double scale) {
  SetScale(scale);
  m_offsetX = offsetX;
  m_offsetY = offsetY;
  SetRoundingOffsets();
}

void C3DStub::CenterView(int width, int height, double scale, int shiftX, int shiftY) {
  SetScale(scale);
  m_offsetX = static_cast<double>(shiftX) + width / 2;
  m_offsetY = static_cast<double>(shiftY) + height / 2;
  SetRoundingOffsets();
}

// The extent fills 95% of the frame in its limiting direction, centred. A model that is flat in x
// or y is fitted by its other extent; a single point (or an extent that is not finite) keeps scale
// 1; a model flat in z takes the depth scale SetView would give.
void C3DStub::FitView(int width, int height, double minX, double minY, double minZ, double maxX, double maxY,
                      double maxZ) {
  const double dx = std::fabs(maxX - minX);
  const double dy = std::fabs(maxY - minY);
  const double w = width, h = height;
  double s;
  if (!std::isfinite(dx) || !std::isfinite(dy) || (dx == 0 && dy == 0))
    s = 1.0;
  else if (dx == 0)
    s = h / dy;
  else if (dy == 0)
    s = w / dx;
  else
    s = (w / dx) * dy > h ? h / dy : w / dx;
  s = s * 95 / 100;
  if (!(s > 0) || !std::isfinite(s)) s = 1.0;
  const double minXs = std::isfinite(minX) ? minX : 0, minYs = std::isfinite(minY) ? minY : 0;
  int32_t tx = 0, ty = 0;
  TruncClamp(dx * s, INT32_MAX, tx);
  TruncClamp(dy * s, INT32_MAX, ty);
  m_offsetX = (w - tx) * 0.5 - minXs * s;
  m_offsetY = (h - ty) * 0.5 - minYs * s;
  m_scaleX = m_scaleY = s;
  const double zmax = std::max(std::fabs(minZ), std::fabs(maxZ));
  if (zmax > 0 && std::isfinite(zmax))
    m_depthScale = 1000000 / zmax / s * 4;
  else
    m_depthScale = s > 1 ? 4 / s : 4;
  if (!std::isfinite(m_depthScale) || m_depthScale <= 0) m_depthScale = s > 1 ? 4 / s : 4;
  SetRoundingOffsets();
}

void C3DStub::SetPerspective(int on, double minZ, double maxZ) {
  m_perspectiveOn = on != 0;
  if (!m_perspectiveOn) return;
  m_perspectiveRange = (maxZ - minZ) * m_scaleX * 2;
  m_perspectiveNear = minZ * m_scaleX;
  m_perspectiveCenterX = static_cast<double>(m_width / 2) - m_offsetX;
  m_perspectiveCenterY = static_cast<double>(m_height / 2) - m_offsetY;
}

void C3DStub::PerspectivePoint(CVector3& out, const CVector3& in) const {
  const CVector3 p = m_stack.Top().Apply(in);
  // e shrinks points behind the near depth toward the centre. With no depth range (a flat
  // model) or a point at or behind the eye the factor would be undefined or flip the point over:
  // such points keep their place.
  const double d = m_perspectiveRange;
  const double denominator = (p.z - m_perspectiveNear) + d;
  double e = d / denominator;
  if (!(d > 0) || !(denominator > 0) || !std::isfinite(e)) e = 1.0;
  out.x = (p.x - m_perspectiveCenterX) * e + m_perspectiveCenterX;
  out.y = (p.y - m_perspectiveCenterY) * e + m_perspectiveCenterY;
  out.z = m_perspectiveNear + (p.z - m_perspectiveNear) * e;
}

bool C3DStub::MapPoint(const CVector3& p, bool lineDepth, ScreenVertex& out) const {
  // Lines move 2 depth units nearer before truncation while surfaces round, so a line wins
  // against a surface at the same z.
  const double z = p.z * m_depthScale + (lineDepth ? -2.0 : 0.5);
  return TruncClamp(p.x + m_roundX, kMaxCoordinate, out.x) &&
         TruncClamp(p.y + m_roundY, kMaxCoordinate, out.y) && TruncClamp(z, kMaxDepthUnits, out.z);
}

ColorPair C3DStub::GetColorPair(uint32_t color) const {
  if (color < static_cast<uint32_t>(kColorCount)) {
    const ColorEntry& e = m_colors[color];
    // Alpha up to 85 draws nothing, 86 to 170 every other pixel, 171 and more every pixel.
    ColorPair pair;
    pair.first = {e.red, e.green, e.blue, static_cast<uint8_t>(e.alpha >= 86 ? 255 : 0)};
    if (e.alpha >= 171) pair.second = Opaque(e.red, e.green, e.blue);
    return pair;
  }
  const uint8_t r = static_cast<uint8_t>(color >> 16), g = static_cast<uint8_t>(color >> 8),
                b = static_cast<uint8_t>(color);
  if (color >= 0x2000000 && color <= 0x2FFFFFF) return {Opaque(r, g, b), Opaque(r, g, b)};
  if (color >= 0x3000000 && color <= 0x3FFFFFF) return {Opaque(r, g, b), {r, g, b, 0}};
  if (color >= 0x4000000 && color <= 0x7FFFFFF) {
    auto nibble = [color](int shift) { return static_cast<uint8_t>(((color >> shift) & 15) * 17); };
    ColorPair pair;
    pair.first = {nibble(8), nibble(4), nibble(0), static_cast<uint8_t>((color & 0x1000000) ? 0 : 255)};
    pair.second = {nibble(20), nibble(16), nibble(12), static_cast<uint8_t>((color & 0x2000000) ? 0 : 255)};
    return pair;
  }
  return {Opaque(127, 127, 127), Opaque(127, 127, 127)};
}

PickId C3DStub::GetPickId(int x, int y) const {
  Finish();
  if (!m_initialised || m_pick.empty() || x < 0 || y < 0 || static_cast<uint32_t>(x) >= m_width ||
      static_cast<uint32_t>(y) >= m_height)
    return kNoPickId;
  return m_pick[static_cast<size_t>(y) * m_width + static_cast<size_t>(x)];
}

int32_t C3DStub::GetDepth(int x, int y) const {
  Finish();
  if (m_depth.empty() || x < 0 || y < 0 || static_cast<uint32_t>(x) >= m_width ||
      static_cast<uint32_t>(y) >= m_height)
    return kEmptyDepth;
  return m_depth[static_cast<size_t>(y) * m_width + static_cast<size_t>(x)];
}

// Light comes along (1, 1, 1) in screen space; the factor lies between 0.75 and 1.0, and a
// triangle without area on screen is not shaded.
double C3DStub::ShadingFactor(const CVector3& p1, const CVector3& p2, const CVector3& p3) {
  const CVector3 n = (p2 - p1).Cross(p3 - p1);
  if (n.z == 0) return 1.0;
  const double length = std::sqrt(n.Dot(n));
  const double f = 0.75 + 0.25 * std::fabs(n.x + n.y + n.z) / (std::sqrt(3.0) * length);
  if (!(f >= 0.74 && f <= 1.0)) return 1.0;
  return f;
}

// The drawing calls are flattened: MapPoint and the colour look-up run for every primitive of
// every band.
[[gnu::flatten]] void C3DStub::DrawTriangle(uint32_t color, const CVector3& p1, const CVector3& p2,
                                            const CVector3& p3, PickId pickId) {
  if (!m_initialised || m_surfacesOff || m_boundingBoxMode) return;
  ScreenVertex a, b, c;
  if (!MapPoint(p1, false, a) || !MapPoint(p2, false, b) || !MapPoint(p3, false, c)) return;
  m_imageDirty = true;
  if (CountsHere(std::min({a.y, b.y, c.y}))) {
    ++m_counts.primitives;
    ++m_counts.triangles;
  }
  if (!ReachesTarget(std::min({a.x, b.x, c.x}), std::max({a.x, b.x, c.x}), std::min({a.y, b.y, c.y}),
                     std::max({a.y, b.y, c.y})))
    return;
  const CVector3* shadePoints[3] = {&p1, &p2, &p3};
  FillTriangle(a, b, c, GetColorPair(color), shadePoints, pickId);
}

[[gnu::flatten]] void C3DStub::DrawQuad(uint32_t color, const CVector3& p1, const CVector3& p2,
                                        const CVector3& p3, const CVector3& p4, PickId pickId) {
  if (!m_initialised || m_surfacesOff || m_boundingBoxMode) return;
  ScreenVertex a, b, c, d;
  if (!MapPoint(p1, false, a) || !MapPoint(p2, false, b) || !MapPoint(p3, false, c) ||
      !MapPoint(p4, false, d))
    return;
  m_imageDirty = true;
  const int32_t top = std::min({a.y, b.y, c.y, d.y});
  if (CountsHere(top)) {
    ++m_counts.primitives;
    m_counts.triangles += 3;
  }
  if (!ReachesTarget(std::min({a.x, b.x, c.x, d.x}), std::max({a.x, b.x, c.x, d.x}), top,
                     std::max({a.y, b.y, c.y, d.y})))
    return;
  // Three triangles cover the hull of a concave or twisted quadrilateral as well.
  const CVector3* shadePoints[3] = {&p1, &p2, &p3};
  FillQuad(a, b, c, d, GetColorPair(color), shadePoints, pickId);
}

void C3DStub::DrawDot(uint32_t color, const ScreenVertex& pixel, PickId pickId) {
  if (!m_initialised || m_surfacesOff || m_boundingBoxMode) return;
  m_imageDirty = true;
  if (!ReachesTarget(pixel.x, pixel.x, pixel.y, pixel.y)) return;
  const ColorPair pair = GetColorPair(color);
  const RgbaColor& c = ((pixel.x + pixel.y) & 1) ? pair.first : pair.second;
  if (!c.a) return;
  if (m_batch) {
    // A triangle of one pixel: its row has the same left and right end, and a depth that is
    // not constant over the three corners, so the pixel is filled.
    ScreenVertex top = pixel;
    top.z = pixel.z + 1;
    m_batch->AddTriangle(top, pixel, pixel, pair, pickId, pixel.y, pixel.y);
    return;
  }
  const bandraster::FrameBand t = Target();
  const size_t i = static_cast<size_t>(pixel.y) * m_width + static_cast<size_t>(pixel.x);
  const int32_t d = pixel.z * 256;
  if (d >= t.depth[i]) return;
  t.depth[i] = d;
  if (t.pick) t.pick[i] = pickId;
  uint8_t* px = t.bits + 3 * i;
  px[0] = c.b;
  px[1] = c.g;
  px[2] = c.r;
}

[[gnu::flatten]] void C3DStub::DrawLine(uint32_t color, const CVector3& p1, const CVector3& p2,
                                        PickId pickId) {
  if (!m_initialised) return;
  ScreenVertex a, b;
  if (!MapPoint(p1, true, a) || !MapPoint(p2, true, b)) return;
  m_imageDirty = true;
  if (CountsHere(bandraster::LineTopRow(a, b, m_lineWidth))) ++m_counts.primitives;
  RasterLine(a, b, GetColorPair(color), pickId);
}

[[gnu::flatten]] void C3DStub::DrawOptionalLine(uint32_t color, const CVector3& p1, const CVector3& p2,
                                                const CVector3& c1, const CVector3& c2, PickId pickId) {
  if (!m_initialised || m_boundingBoxMode) return;
  ScreenVertex a, b, ca, cb;
  if (!MapPoint(p1, true, a) || !MapPoint(p2, true, b) || !MapPoint(c1, true, ca) || !MapPoint(c2, true, cb))
    return;
  if (a.x == b.x && a.y == b.y) return;
  // Side of the line through a and b, on pixel columns and rows.
  auto side = [&a, &b](const ScreenVertex& c) {
    if (a.x == b.x) return c.x > a.x ? 1 : 0;
    const double ly = (static_cast<double>(b.y) - a.y) / (static_cast<double>(b.x) - a.x) *
                          (static_cast<double>(c.x) - a.x) +
                      a.y;
    return ly <= c.y ? 1 : 0;
  };
  if (side(ca) != side(cb)) return;
  m_imageDirty = true;
  if (CountsHere(bandraster::LineTopRow(a, b, m_lineWidth))) ++m_counts.primitives;
  RasterLine(a, b, GetColorPair(color), pickId);
}
