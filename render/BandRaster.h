#pragma once
// The pixel work of the frame's primitives, limited to a band of rows: the renderer draws a
// primitive at once into the band that is the whole frame, or records it and lets worker threads
// draw it into bands of their own. Each band owns its rows of pixels, depths and pick ids, and
// takes the primitives in the order they were drawn, so the result is the same pixel for pixel.
#include <cstdint>

#include "render/C3DStub.h"

class CFakeBuffer;

namespace bandraster {

// FrameBand (rows of the frame's buffers) is declared with the renderer.

// A triangle already mapped and shaded.
void Triangle(const FrameBand& band, const ScreenVertex& v1, const ScreenVertex& v2, const ScreenVertex& v3,
              const ColorPair& pair, PickId pickId);
// A line of lineWidth pixels with the line depth test.
void Line(const FrameBand& band, const ScreenVertex& a, const ScreenVertex& b, int32_t lineWidth,
          const ColorPair& pair, PickId pickId);

// Whether every pixel of the band in columns x0..x1 and rows y0..y1 (clipped to the frame and the
// band) holds a depth no farther than nearest, reading no more than maxPixels of them: false for
// a larger box. What would only write depths at or behind nearest changes none of those pixels.
bool DepthsNoFartherThan(const FrameBand& band, int32_t x0, int32_t x1, int32_t y0, int32_t y1, int64_t nearest,
                         int64_t maxPixels);

// A part image stamped with its top-left pixel at x0, y0 + 1 and its depths shifted by z0.
struct Stamp {
  const CFakeBuffer* image = nullptr;
  int32_t x0 = 0, y0 = 0;
  int64_t z0 = 0;
  ColorPair main, edge;
  PickId pickId = kNoPickId;
};
// The first shade byte no fill writes that the stamp met in the band, or 0.
uint8_t StampImage(const FrameBand& band, const Stamp& stamp);

// The frame rows (inclusive) that each primitive can touch, for handing it to bands.
inline int32_t LineTopRow(const ScreenVertex& a, const ScreenVertex& b, int32_t lineWidth) {
  // Wide lines add copies shifted up to lineWidth - 1 rows up.
  return (a.y < b.y ? a.y : b.y) - (lineWidth - 1);
}
inline int32_t LineBottomRow(const ScreenVertex& a, const ScreenVertex& b) { return a.y > b.y ? a.y : b.y; }

}  // namespace bandraster
