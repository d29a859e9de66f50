#include "render/GdiLines.h"

void DrawGdiLine(ILinePainter& dc, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  dc.MoveTo(x1, y1);
  dc.LineTo(x2, y2);
}

void DrawGdiLine2(ILinePainter& dc, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  DrawGdiLine(dc, x1, y1, x2, y2);
}

void DrawGdiRect(ILinePainter& dc, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  dc.MoveTo(x1, y1);
  dc.LineTo(x2, y1);
  dc.LineTo(x2, y2);
  dc.LineTo(x1, y2);
  dc.LineTo(x1, y1);
}
