#pragma once
// What the hue-saturation field and the value slider of the custom colour dialog share: a control
// of fixed size painted from a kept picture with a marker over it, and a left-button drag that
// moves the marker and, on release, sends the parent wxEVT_BUTTON with the control's id.
#include <wx/bitmap.h>
#include <wx/control.h>

class wxDC;

class CHSVPointerControl : public wxControl {
 protected:
  // Nothing is painted while the client area is narrower than minWidth or lower than two pixels.
  CHSVPointerControl(wxWindow* parent, int id, const wxSize& size, const wxString& name, int minWidth);

  // The pointer at a client position, as a press or a drag gives it.
  virtual void PointerAt(int x, int y) = 0;
  // The picture under the marker, for the client size.
  virtual const wxBitmap& Picture(int w, int h) = 0;
  virtual void DrawMarker(wxDC& dc, int w, int h) = 0;
  // Takes the pointer and lets the parent hear of it.
  void ReleaseAt(int x, int y);

 private:
  wxSize DoGetBestSize() const override { return m_size; }
  void OnPaint(wxPaintEvent& event);
  void OnMouse(wxMouseEvent& event);

  int m_dragging = 0;
  wxSize m_size;
  int m_minWidth;
};
