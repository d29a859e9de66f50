#pragma once
// The value slider of the custom colour dialog: the colour's hue and saturation from black at the
// top to full value at the bottom, with a triangle marking the value. On release the parent gets
// wxEVT_BUTTON with the slider's id and reads the value.
#include "dialogs/HSVPointerControl.h"

class CHSVSlider : public CHSVPointerControl {
 public:
  CHSVSlider(wxWindow* parent, int id, const wxSize& size);

  int GetValue() const { return m_value; }
  void SetHsv(int hue, int saturation, int value);
  void TakePointer(int y);
  void Release(int y) { ReleaseAt(0, y); }

 private:
  void PointerAt(int, int y) override { TakePointer(y); }
  const wxBitmap& Picture(int w, int h) override;
  void DrawMarker(wxDC& dc, int w, int h) override;

  uint8_t m_value = 0;
  uint8_t m_hue = 0;
  uint8_t m_saturation = 0;
  // The ramp for the current hue and saturation; the marker is drawn over it on every paint.
  wxBitmap m_ramp;
  int m_rampHue = -1, m_rampSaturation = -1;
};
