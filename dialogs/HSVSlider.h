#pragma once
// The value slider of the custom colour dialog: the colour's hue and saturation from black at the
// top to full value at the bottom, with a triangle marking the value. On release the parent gets
// wxEVT_BUTTON with the slider's id and reads the value.
#include <wx/bitmap.h>
#include <wx/control.h>

class CHSVSlider : public wxControl {
 public:
  CHSVSlider(wxWindow* parent, int id, const wxSize& size);

  int GetValue() const { return m_value; }
  void SetHsv(int hue, int saturation, int value);
  void TakePointer(int y);
  void Release(int y);

 private:
  wxSize DoGetBestSize() const override { return m_size; }
  void OnPaint(wxPaintEvent& event);
  void OnMouse(wxMouseEvent& event);
  const wxBitmap& Ramp(int w, int h);

  uint8_t m_value = 0;
  uint8_t m_hue = 0;
  uint8_t m_saturation = 0;
  int m_dragging = 0;
  wxSize m_size;
  // The ramp for the current hue and saturation; the marker is drawn over it on every paint.
  wxBitmap m_ramp;
  int m_rampHue = -1, m_rampSaturation = -1;
};
