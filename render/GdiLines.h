#pragma once
// Straight lines and rectangle outlines on a device, drawn as a pen moves: from the current
// position to a point, which becomes the current position. As with the platform's own line
// drawing, the end point of each stroke is not painted, so strokes that meet paint every corner
// once. The pane (or whatever paints its picture) supplies the device; no toolkit is needed here.
#include <cstdint>

class ILinePainter {
 public:
  virtual ~ILinePainter() = default;
  // Sets the current position without drawing.
  virtual void MoveTo(int32_t x, int32_t y) = 0;
  // A stroke from the current position up to, not including, (x, y); (x, y) becomes current.
  virtual void LineTo(int32_t x, int32_t y) = 0;
};

// A line from (x1, y1) to (x2, y2), the end point left out.
void DrawGdiLine(ILinePainter& dc, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
// The same line; callers that draw with a second pen use this twin.
void DrawGdiLine2(ILinePainter& dc, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
// The outline through (x1, y1), (x2, y1), (x2, y2), (x1, y2) and back to (x1, y1).
void DrawGdiRect(ILinePainter& dc, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
