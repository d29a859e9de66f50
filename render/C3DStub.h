#pragma once
// The software renderer: a z-buffer rasteriser of lines, conditional lines, triangles and
// quadrilaterals into a 24-bit picture, beside a depth buffer and an optional pick-id buffer.
// Elements draw themselves into it under its matrix stack; the caller sets the view up first and
// copies the finished image out (output to a window is the 3-D view's business, not this class's).
#include <array>
#include <climits>
#include <cmath>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "config/ColorEntry.h"
#include "config/Geometry.h"
#include "render/BandSplit.h"
#include "render/Dib.h"
#include "render/Matrix4DStack.h"
#include "render/PickId.h"

class CDrawBatch;
class CFakeBuffer;
class CWorkerPool;
namespace bandraster {
// Rows rowFrom..rowTo-1 of the frame's buffers (the pick buffer may be absent).
struct FrameBand {
  int32_t* depth = nullptr;
  uint8_t* bits = nullptr;
  PickId* pick = nullptr;
  int32_t width = 0, height = 0;
  int32_t rowFrom = 0, rowTo = 0;
};
}  // namespace bandraster

// One colour of a pair; alpha 0 leaves the pixel alone, anything else is opaque.
struct RgbaColor {
  uint8_t r = 0, g = 0, b = 0, a = 0;
  bool operator==(const RgbaColor&) const = default;
};
// The first colour paints pixels whose x + y is odd, the second those whose x + y is even.
struct ColorPair {
  RgbaColor first, second;
  bool operator==(const ColorPair&) const = default;
};

// A point mapped to the frame: whole pixels and whole depth units (smaller is nearer).
struct ScreenVertex {
  int32_t x = 0, y = 0, z = 0;
};

class C3DStub {
 public:
  static constexpr int32_t kEmptyDepth = INT32_MAX;
  static constexpr uint32_t kSlotCount = 26;
  // Mapped coordinates are clamped to this many pixels either side of the origin, depths to this
  // many depth units: the rasteriser's 64-bit fixed point then never overflows, and depth x 256
  // always fits the int32 depth buffer below the empty value.
  static constexpr int32_t kMaxCoordinate = 1 << 30;
  static constexpr int32_t kMaxDepthUnits = (INT32_MAX >> 8) - 16;

  C3DStub();
  virtual ~C3DStub();
  C3DStub(const C3DStub&) = delete;
  C3DStub& operator=(const C3DStub&) = delete;

  // --- set-up ---
  // Puts the default colour table back, drops the saved state and begins a frame of the size
  // (the width is rounded down to a multiple of 4). 1, or 0 when the size is empty or memory runs out.
  int Reset(uint32_t width, uint32_t height, int shading);
  // (Re)allocates the buffers when the size changed and clears the frame; 0, or -1 on failure
  // (the renderer is then not initialised).
  int BeginFrame(uint32_t width, uint32_t height);
  void SetView(double offsetX, double offsetY, double scale);
  void FitView(int width, int height, double minX, double minY, double minZ, double maxX, double maxY,
               double maxZ);
  void CenterView(int width, int height, double scale, int shiftX, int shiftY);
  void SetPerspective(int on, double minZ, double maxZ);
  // Switching off frees the buffer; switching on takes effect at the next BeginFrame.
  void EnablePickBuffer(int on);

  // --- worker threads ---
  // A frame is drawn by this many threads, each owning bands of rows; 1 draws every primitive at
  // once on the caller's thread. The picture is the same either way. 0 takes the default, which
  // starts as the environment variable PLANDOR_RENDER_THREADS (0 there: one thread per processor)
  // or, without it, one thread per processor; SetDefaultThreads(0) sets one per processor.
  void SetThreads(int threads);
  int GetThreads() const;
  static void SetDefaultThreads(int threads);
  static int GetDefaultThreads();
  // Waits until the worker threads have drawn everything handed to them. Everything that reads or
  // changes the buffers calls it first, so callers need not; a part image that is being stamped
  // calls it before it changes.
  void Finish() const;

  // --- a model walked on the worker threads ---
  // Calls walk once per band of frame rows, on the worker threads, each time with a renderer of
  // this one's view, state and top matrix that draws only into the band's rows. Every walk draws
  // the same primitives in the same order, so each pixel sees the writes a single walk would
  // make: the frame is the same. With one thread, or for a renderer of a derived class (one that
  // records its calls), walk is called once with this renderer. Whatever a walk changes besides
  // the renderer it is given must be safe to change from several threads at once (the part
  // images lock theRenderCache's image lock).
  void DrawInBands(const std::function<void(C3DStub&)>& walk);
  bool IsBand() const { return m_parent != nullptr; }

  // Where a box (its 8 corners under the top matrix, perspective included) lands on the rows and
  // columns this renderer draws: wholly outside them (with a margin for rounding, wide lines and
  // part images), inside a single pixel (returned in pixel, x and y, with the nearest depth), or
  // larger. A box with a corner that is not a number, or at or behind the eye, is Larger.
  // A box whose pixels all hold depths at least as near as its nearest point is Hidden: the
  // surfaces, lines and dots of what lies inside it would change none of them (no perspective
  // there). With PartImages, the wider reach and nearer lines of stamped part images are
  // allowed for as well.
  enum class BoxReach { Outside, OnePixel, Hidden, Larger };
  enum class DrawnAs { Elements, PartImages };
  BoxReach ReachOfBox(const CVector3* corners, ScreenVertex& pixel, DrawnAs drawnAs) const;
  // Off: boxes inside a pixel are Larger, so that every part is drawn exactly (on by default).
  void SetDotsForTinyParts(bool on) { m_tinyPartDots = on; }
  bool GetDotsForTinyParts() const { return m_tinyPartDots; }
  // Off: no box is Hidden, so that every part is walked (on by default).
  void SetSkipHiddenParts(bool on) { m_skipHiddenParts = on; }
  // One surface pixel in the colour, through the surface depth test: what a part smaller than a
  // pixel is drawn as.
  void DrawDot(uint32_t color, const ScreenVertex& pixel, PickId pickId);

  // n points through the top matrix (and the perspective step) into the renderer's own scratch
  // block, valid until the next call: every thread drawing has its own renderer, so a mesh
  // shared by them need not keep its transformed points.
  const CVector3* TransformPoints(const CVector3* in, size_t n);
  // Transformed y values outside lo..hi give rows a band leaves to the others (the first band
  // takes everything above the frame, the last everything below); -inf, +inf for the whole
  // frame. A primitive whose points all lie on one side can be left out by the band.
  // Wide lines reach lineWidth - 1 rows up, by the width at the time of asking.
  void GetBandLimits(double& lo, double& hi) const {
    lo = m_bandLo;
    hi = m_bandHi + m_lineWidth;
  }
  // Whether a band leaves out the primitive of these transformed points (see GetBandLimits).
  bool OutsideBand(const CVector3* points, int n) const {
    const double lo = m_bandLo, hi = m_bandHi + m_lineWidth;
    bool above = true, below = true;
    for (int i = 0; i < n; ++i) {
      above = above && points[i].y < lo;
      below = below && points[i].y > hi;
    }
    return above || below;
  }

  CMatrix4DStack& GetMatrixStack() { return m_stack; }
  const CMatrix4DStack& GetMatrixStack() const { return m_stack; }
  // The point through the top matrix, then the perspective step unless noPerspective is set.
  void TransformPoint(CVector3& out, const CVector3& in, int noPerspective = 0) const {
    if (!m_perspectiveOn || noPerspective)
      out = m_stack.Top().Apply(in);
    else
      PerspectivePoint(out, in);
  }

  // --- drawing; every point is already transformed (TransformPoint) ---
  // Virtual so that tests of the drawing elements can record the calls; the pixel work below
  // them is not.
  virtual void DrawTriangle(uint32_t color, const CVector3& p1, const CVector3& p2, const CVector3& p3,
                            PickId pickId);
  virtual void DrawQuad(uint32_t color, const CVector3& p1, const CVector3& p2, const CVector3& p3,
                        const CVector3& p4, PickId pickId);
  virtual void DrawLine(uint32_t color, const CVector3& p1, const CVector3& p2, PickId pickId);
  virtual void DrawOptionalLine(uint32_t color, const CVector3& p1, const CVector3& p2, const CVector3& c1,
                                const CVector3& c2, PickId pickId);

  // --- part images (PartImageDraw.cpp); points are relative to the image's origin ---
  // Virtual like the frame's drawing, so that tests can record what fills an image.
  virtual void DrawTriangleToCache(CFakeBuffer& image, const CVector3& p1, const CVector3& p2, const CVector3& p3);
  virtual void DrawQuadToCache(CFakeBuffer& image, const CVector3& p1, const CVector3& p2, const CVector3& p3,
                               const CVector3& p4);
  // A line of shade 255 (edge set) or 254 (the main colour).
  virtual void DrawLineToCache(CFakeBuffer& image, int edge, const CVector3& p1, const CVector3& p2);
  virtual void DrawOptionalLineToCache(CFakeBuffer& image, int edge, const CVector3& p1, const CVector3& p2,
                                       const CVector3& c1, const CVector3& c2);
  // Stamps the image into the frame with its origin (transformed coordinates) in the two colours.
  virtual void DrawCachedPart(const CFakeBuffer& image, uint32_t mainColor, uint32_t edgeColor,
                              const CVector3& origin, PickId pickId);

  // What reached the rasteriser since the counts were last cleared (benchmarks and tests).
  struct DrawCounts {
    uint64_t primitives = 0;     // triangles, quadrilaterals, lines and conditional lines, frame or image
    uint64_t triangles = 0;      // triangles set up (a quadrilateral is three)
    uint64_t imagesCreated = 0;  // part images (re)made; the model's drawing counts them
    uint64_t imagesStamped = 0;
  };
  DrawCounts& Counts() { return m_counts; }

  ColorPair GetColorPair(uint32_t color) const;
  PickId GetPickId(int x, int y) const;
  // The stored depth (depth units x 256) at a pixel; kEmptyDepth outside the frame.
  int32_t GetDepth(int x, int y) const;
  // A transformed point in pixels: surface depth (rounded) or line depth (2 units nearer).
  // False when a coordinate is not a number; out-of-range values are clamped.
  bool MapPoint(const CVector3& p, bool lineDepth, ScreenVertex& out) const;
  static double ShadingFactor(const CVector3& p1, const CVector3& p2, const CVector3& p3);

  // --- saved state, frame slots, highlighting, pasting (FrameStore.cpp) ---
  // Virtual so that tests can make it fail as an exhausted memory would.
  virtual int SaveState();
  int RestoreState();
  void FreeSavedState();
  bool HasSavedState() const { return m_saved.inUse; }
  int SaveSlot(uint32_t slot);
  int RestoreSlot(uint32_t slot);
  // Mode 1 darkens, 2 greys, 3 halves every second pixel of each pixel that has a pick id, and
  // clears the id; slot 0-25, or 255 for the current frame and every slot.
  void Highlight(int mode, uint32_t slot);
  int PasteBehind(const C3DStub& other, int x, int y);
  int TileBackground(const CDib& picture);

  // --- state the caller sets and reads ---
  void SetColorTable(const ColorEntry* table) { m_colors = table ? table : theDefaultColors; }
  const ColorEntry* GetColorTable() const { return m_colors; }
  void SetBackgroundColor(uint32_t color) { m_background = color; }
  uint32_t GetBackgroundColor() const { return m_background; }
  void SetSurfacesOff(bool on) { m_surfacesOff = on; }
  bool GetSurfacesOff() const { return m_surfacesOff; }
  void SetBoundingBoxMode(bool on) { m_boundingBoxMode = on; }
  bool GetBoundingBoxMode() const { return m_boundingBoxMode; }
  // 1 to 3 pixels; other values are clamped.
  void SetLineWidth(int width);
  int GetLineWidth() const { return m_lineWidth; }
  bool GetShading() const { return m_shading; }
  bool IsInitialised() const { return m_initialised; }
  bool IsImageDirty() const { return m_imageDirty; }
  // The output calls this once it has copied the image.
  void ClearImageDirty() { m_imageDirty = false; }
  bool IsPickBufferOn() const { return m_pickOn; }
  bool HasPickBuffer() const { return !m_pick.empty(); }
  uint32_t GetWidth() const { return m_width; }
  uint32_t GetHeight() const { return m_height; }
  const CDib& GetImage() const {
    Finish();
    return m_image;
  }
  double GetScaleX() const { return m_scaleX; }
  double GetScaleY() const { return m_scaleY; }
  double GetDepthScale() const { return m_depthScale; }
  double GetOffsetX() const { return m_offsetX; }
  double GetOffsetY() const { return m_offsetY; }
  bool IsPerspectiveOn() const { return m_perspectiveOn; }

 private:
  struct Span {
    int32_t x;
    int32_t z;  // depth x 256
  };
  // A whole frame kept aside: the saved state or one slot.
  struct FrameCopy {
    uint32_t width = 0, height = 0;
    int32_t pixelCount = 0;
    CDib image;
    std::vector<int32_t> depth;
    std::vector<PickId> pick;  // empty when the pick buffer was off
    bool inUse = false;
  };

  void PaintBackground();
  void FreeBuffers();
  void SetScale(double scale);
  void SetRoundingOffsets();
  int StoreFrame(FrameCopy& copy) const;
  int LoadFrame(const FrameCopy& copy);

  // The batch follows the thread count and the buffers; nothing may be pending.
  void UpdateBatch();
  void PerspectivePoint(CVector3& out, const CVector3& in) const;
  // Makes this renderer draw rows rowFrom..rowTo-1 of the parent's frame in its view and state.
  void AdoptBand(const C3DStub& parent, int32_t rowFrom, int32_t rowTo);
  // The rows and buffers drawn into: the whole frame, or the band's rows of the parent's.
  bandraster::FrameBand Target() const;
  // The Hidden test of ReachOfBox on the box's screen extent (rounding offsets added).
  bool BehindDrawn(double minX, double maxX, double minY, double maxY, double minZ, DrawnAs drawnAs) const;
  // Whether pixels x0..x1 of rows y0..y1 meet the rows and columns drawn into.
  bool ReachesTarget(int32_t x0, int32_t x1, int32_t y0, int32_t y1) const {
    const int32_t rowFrom = m_parent ? m_rowFrom : 0;
    const int32_t rowTo = m_parent ? m_rowTo : static_cast<int32_t>(m_height);
    return x1 >= 0 && x0 < static_cast<int32_t>(m_width) && y1 >= rowFrom && y0 < rowTo;
  }
  // Counts a primitive whose first frame row (before clipping) is topRow: a band counts only
  // those that start in its rows, so the bands together count what a single walk does.
  bool CountsHere(int32_t topRow) const {
    if (!m_parent) return true;
    const int32_t row = topRow < 0 ? 0 : (topRow >= static_cast<int32_t>(m_height) ? static_cast<int32_t>(m_height) - 1 : topRow);
    return row >= m_rowFrom && row < m_rowTo;
  }

  // Rasterizer.cpp
  bandraster::FrameBand WholeFrame() const;
  // shadePoints: the three transformed points whose plane shades the colours.
  void FillTriangle(const ScreenVertex& v1, const ScreenVertex& v2, const ScreenVertex& v3,
                    const ColorPair& pair, const CVector3* const* shadePoints, PickId pickId);
  // The triangles abc, acd and bcd in that order.
  void FillQuad(const ScreenVertex& a, const ScreenVertex& b, const ScreenVertex& c, const ScreenVertex& d,
                const ColorPair& pair, const CVector3* const* shadePoints, PickId pickId);
  // PartImageDraw.cpp
  uint8_t ImageShade(const CVector3& p1, const CVector3& p2, const CVector3& p3) const;
  void FillImageTriangle(CFakeBuffer& image, const ScreenVertex& a, const ScreenVertex& b, const ScreenVertex& c,
                         uint8_t shade);
  void RasterLine(const ScreenVertex& a, const ScreenVertex& b, const ColorPair& pair, PickId pickId);

  const ColorEntry* m_colors = theDefaultColors;
  std::vector<int32_t> m_depth;
  uint32_t m_width = 0, m_height = 0;
  int32_t m_pixelCount = 0;
  bool m_initialised = false;
  bool m_shading = true;
  bool m_surfacesOff = false;
  bool m_boundingBoxMode = false;
  bool m_imageDirty = false;
  bool m_pickOn = false;
  double m_scaleX = 1.0, m_scaleY = 1.0;
  double m_depthScale = 4.0;
  double m_offsetX = 0, m_offsetY = 0;
  double m_roundX = 0, m_roundY = 0;
  uint32_t m_background = 15;
  std::vector<PickId> m_pick;
  FrameCopy m_saved;
  std::unique_ptr<std::array<FrameCopy, kSlotCount>> m_slots;
  // The row ends of the triangle being drawn into a part image.
  std::vector<Span> m_imageLeft, m_imageRight;
  int m_threads = 0;
  std::unique_ptr<CDrawBatch> m_batch;  // none when drawing at once
  // Part images with stamps handed to the workers, unmarked when they are done.
  mutable std::vector<const CFakeBuffer*> m_stampedImages;
  DrawCounts m_counts;
  // A band's renderer: the parent whose buffers it draws into, and its rows.
  const C3DStub* m_parent = nullptr;
  int32_t m_rowFrom = 0, m_rowTo = 0;
  // The band's limits for GetBandLimits, the line width not yet added to the upper one.
  double m_bandLo = -INFINITY, m_bandHi = INFINITY;
  bandraster::FrameBand m_bandTarget;
  bool m_tinyPartDots = true;
  bool m_skipHiddenParts = true;
  // The renderers and threads of DrawInBands, made at its first use.
  std::vector<std::unique_ptr<C3DStub>> m_bands;
  std::unique_ptr<CWorkerPool> m_pool;
  CBandSplit m_bandSplit;
  std::vector<CVector3> m_scratch;
  CDib m_image;
  uint8_t* m_bits = nullptr;
  int32_t m_lineWidth = 1;
  CMatrix4DStack m_stack;
  bool m_perspectiveOn = false;
  double m_perspectiveRange = 0, m_perspectiveNear = 0;
  double m_perspectiveCenterX = 0, m_perspectiveCenterY = 0;
};
