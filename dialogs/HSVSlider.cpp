#include "dialogs/HSVSlider.h"

#include <wx/dc.h>
#include <wx/image.h>

#include <algorithm>

#include "config/HsvColor.h"

// The rightmost five columns hold the marker.
CHSVSlider::CHSVSlider(wxWindow* parent, int id, const wxSize& size)
    : CHSVPointerControl(parent, id, size, "HSVSlider", 6) {}

void CHSVSlider::SetHsv(int hue, int saturation, int value) {
  m_hue = static_cast<uint8_t>(std::clamp(hue, 0, 255));
  m_saturation = static_cast<uint8_t>(std::clamp(saturation, 0, 255));
  m_value = static_cast<uint8_t>(std::clamp(value, 0, 255));
  Refresh();
}

void CHSVSlider::TakePointer(int y) {
  int value = 0;
  if (!HsvSliderAt(y, GetClientSize().y, value)) return;
  m_value = static_cast<uint8_t>(value);
  Refresh();
}

const wxBitmap& CHSVSlider::Picture(int w, int h) {
  if (m_ramp.IsOk() && m_ramp.GetWidth() == w && m_ramp.GetHeight() == h && m_rampHue == m_hue &&
      m_rampSaturation == m_saturation)
    return m_ramp;
  wxImage image(w, h);
  image.SetRGB(wxRect(0, 0, w, h), 255, 255, 255);
  for (int y = 0; y < h; ++y) {
    RgbValue c = HsvToRgb(m_hue, m_saturation, y * 255 / (h - 1));
    for (int x = 0; x <= w - 6; ++x)
      image.SetRGB(x, y, static_cast<unsigned char>(c.red), static_cast<unsigned char>(c.green),
                   static_cast<unsigned char>(c.blue));
  }
  m_ramp = wxBitmap(image);
  m_rampHue = m_hue;
  m_rampSaturation = m_saturation;
  return m_ramp;
}

void CHSVSlider::DrawMarker(wxDC& dc, int w, int h) {
  int my = HsvSliderRow(m_value, h);
  wxPoint marker[3] = {{w - 5, my}, {w - 1, std::max(my - 4, 0)}, {w - 1, std::min(my + 4, h - 1)}};
  dc.SetPen(*wxBLACK_PEN);
  dc.SetBrush(*wxBLACK_BRUSH);
  dc.DrawPolygon(3, marker);
}
