#pragma once
// Draws the line helpers (render/GdiLines.h) on a wx device context with the context's current
// pen. wxDC::DrawLine leaves out the end point, as the helpers expect; some back ends (cairo) leave
// out the start point too, so the start is painted on its own.
#include <wx/dc.h>

#include "render/GdiLines.h"

class CWxLinePainter : public ILinePainter {
 public:
  explicit CWxLinePainter(wxDC& dc) : m_dc(dc) {}

  void MoveTo(int32_t x, int32_t y) override { m_current = wxPoint(x, y); }
  void LineTo(int32_t x, int32_t y) override {
    const wxPoint to(x, y);
    m_dc.DrawPoint(m_current);
    m_dc.DrawLine(m_current, to);
    m_current = to;
  }

 private:
  wxDC& m_dc;
  wxPoint m_current;
};
