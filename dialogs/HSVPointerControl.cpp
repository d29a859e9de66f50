#include "dialogs/HSVPointerControl.h"

#include <wx/dcbuffer.h>

CHSVPointerControl::CHSVPointerControl(wxWindow* parent, int id, const wxSize& size, const wxString& name,
                                       int minWidth)
    : wxControl(parent, id, wxDefaultPosition, size, wxBORDER_NONE, wxDefaultValidator, name),
      m_size(size),
      m_minWidth(minWidth) {
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  SetMinSize(size);
  Bind(wxEVT_PAINT, &CHSVPointerControl::OnPaint, this);
  Bind(wxEVT_LEFT_DOWN, &CHSVPointerControl::OnMouse, this);
  Bind(wxEVT_LEFT_UP, &CHSVPointerControl::OnMouse, this);
  Bind(wxEVT_MOTION, &CHSVPointerControl::OnMouse, this);
  Bind(wxEVT_MOUSE_CAPTURE_LOST, [this](wxMouseCaptureLostEvent&) { m_dragging = 0; });
}

void CHSVPointerControl::ReleaseAt(int x, int y) {
  PointerAt(x, y);
  wxCommandEvent event(wxEVT_BUTTON, GetId());
  event.SetEventObject(this);
  ProcessWindowEvent(event);
}

void CHSVPointerControl::OnMouse(wxMouseEvent& event) {
  if (event.LeftDown()) {
    PointerAt(event.GetX(), event.GetY());
    m_dragging = 1;
    if (!HasCapture()) CaptureMouse();
  } else if (event.LeftUp()) {
    bool wasDragging = m_dragging != 0;
    m_dragging = 0;
    if (HasCapture()) ReleaseMouse();
    if (wasDragging) ReleaseAt(event.GetX(), event.GetY());
  } else if (event.Dragging() && m_dragging) {
    PointerAt(event.GetX(), event.GetY());
  }
}

void CHSVPointerControl::OnPaint(wxPaintEvent&) {
  wxAutoBufferedPaintDC dc(this);
  wxSize size = GetClientSize();
  int w = size.x, h = size.y;
  if (w < m_minWidth || h < 2) return;
  dc.DrawBitmap(Picture(w, h), 0, 0);
  DrawMarker(dc, w, h);
}
