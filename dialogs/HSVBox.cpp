#include "dialogs/HSVBox.h"

#include <wx/dcbuffer.h>
#include <wx/image.h>

#include <algorithm>

#include "config/HsvColor.h"

CHSVBox::CHSVBox(wxWindow* parent, int id, const wxSize& size)
    : wxControl(parent, id, wxDefaultPosition, size, wxBORDER_NONE, wxDefaultValidator, "HSVBox"), m_size(size) {
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  SetMinSize(size);
  Bind(wxEVT_PAINT, &CHSVBox::OnPaint, this);
  Bind(wxEVT_LEFT_DOWN, &CHSVBox::OnMouse, this);
  Bind(wxEVT_LEFT_UP, &CHSVBox::OnMouse, this);
  Bind(wxEVT_MOTION, &CHSVBox::OnMouse, this);
  Bind(wxEVT_MOUSE_CAPTURE_LOST, [this](wxMouseCaptureLostEvent&) { m_dragging = 0; });
}

void CHSVBox::SetHueSaturation(int hue, int saturation) {
  m_hue = static_cast<uint8_t>(std::clamp(hue, 0, 255));
  m_saturation = static_cast<uint8_t>(std::clamp(saturation, 0, 255));
  Refresh();
}

void CHSVBox::TakePointer(int x, int y) {
  wxSize size = GetClientSize();
  int hue = 0, saturation = 0;
  if (!HsvBoxAt(x, y, size.x, size.y, hue, saturation)) return;
  SetHueSaturation(hue, saturation);
}

void CHSVBox::Release(int x, int y) {
  TakePointer(x, y);
  wxCommandEvent event(wxEVT_BUTTON, GetId());
  event.SetEventObject(this);
  ProcessWindowEvent(event);
}

void CHSVBox::OnMouse(wxMouseEvent& event) {
  if (event.LeftDown()) {
    TakePointer(event.GetX(), event.GetY());
    m_dragging = 1;
    if (!HasCapture()) CaptureMouse();
  } else if (event.LeftUp()) {
    bool wasDragging = m_dragging != 0;
    m_dragging = 0;
    if (HasCapture()) ReleaseMouse();
    if (wasDragging) Release(event.GetX(), event.GetY());
  } else if (event.Dragging() && m_dragging) {
    TakePointer(event.GetX(), event.GetY());
  }
}

const wxBitmap& CHSVBox::Field(int w, int h) {
  if (m_field.IsOk() && m_field.GetWidth() == w && m_field.GetHeight() == h) return m_field;
  wxImage image(w, h);
  unsigned char* p = image.GetData();
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      RgbValue c = HsvToRgb(x * 255 / (w - 1), 255 - y * 255 / (h - 1), 200);
      *p++ = static_cast<unsigned char>(c.red);
      *p++ = static_cast<unsigned char>(c.green);
      *p++ = static_cast<unsigned char>(c.blue);
    }
  m_field = wxBitmap(image);
  return m_field;
}

void CHSVBox::OnPaint(wxPaintEvent&) {
  wxAutoBufferedPaintDC dc(this);
  wxSize size = GetClientSize();
  int w = size.x, h = size.y;
  if (w < 2 || h < 2) return;
  dc.DrawBitmap(Field(w, h), 0, 0);
  int cx = 0, cy = 0;
  HsvBoxCentre(m_hue, m_saturation, w, h, cx, cy);
  // Black on the light field, with a white halo so that it also shows on dark blue.
  for (const wxPen& pen : {wxPen(*wxWHITE, 3), wxPen(*wxBLACK, 1)}) {
    dc.SetPen(pen);
    dc.DrawLine(std::max(cx - 5, 0), cy, std::min(cx + 6, w), cy);
    dc.DrawLine(cx, std::max(cy - 5, 0), cx, std::min(cy + 6, h));
  }
}
