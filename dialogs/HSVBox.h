#pragma once
// The hue-saturation field of the custom colour dialog: hue grows to the right, saturation
// upwards, at a fixed value. A drag moves the cross-hair; on release the parent gets wxEVT_BUTTON
// with the field's id and reads hue and saturation.
#include "dialogs/HSVPointerControl.h"

class CHSVBox : public CHSVPointerControl {
 public:
  CHSVBox(wxWindow* parent, int id, const wxSize& size);

  int GetHue() const { return m_hue; }
  int GetSaturation() const { return m_saturation; }
  void SetHueSaturation(int hue, int saturation);
  // Takes the pointer at a client position, as a drag does.
  void TakePointer(int x, int y);
  // The end of a drag: the parent hears of it.
  void Release(int x, int y) { ReleaseAt(x, y); }

 private:
  void PointerAt(int x, int y) override { TakePointer(x, y); }
  const wxBitmap& Picture(int w, int h) override;
  void DrawMarker(wxDC& dc, int w, int h) override;

  uint8_t m_saturation = 0;
  uint8_t m_hue = 0;
  // The colour field depends only on the size: kept, so that moving the cross-hair repaints
  // from it (GTK has no inverting pen to draw and undraw the cross-hair with).
  wxBitmap m_field;
};
