#include "dialogs/HSVBox.h"

#include <wx/dc.h>
#include <wx/image.h>

#include <algorithm>

#include "config/HsvColor.h"

CHSVBox::CHSVBox(wxWindow* parent, int id, const wxSize& size)
    : CHSVPointerControl(parent, id, size, "HSVBox", 2) {}

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

const wxBitmap& CHSVBox::Picture(int w, int h) {
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

void CHSVBox::DrawMarker(wxDC& dc, int w, int h) {
  int cx = 0, cy = 0;
  HsvBoxCentre(m_hue, m_saturation, w, h, cx, cy);
  // Black on the light field, with a white halo so that it also shows on dark blue.
  for (const wxPen& pen : {wxPen(*wxWHITE, 3), wxPen(*wxBLACK, 1)}) {
    dc.SetPen(pen);
    dc.DrawLine(std::max(cx - 5, 0), cy, std::min(cx + 6, w), cy);
    dc.DrawLine(cx, std::max(cy - 5, 0), cx, std::min(cy + 6, h));
  }
}
