#pragma once
// A small owner-drawn swatch that shows one colour number through the active colour table. In a
// dialog a left click sends wxEVT_BUTTON with its id to the parent; in colour-bar mode the clicks
// go to the bar, which decides whether they do anything.
#include <wx/control.h>

#include <cstdint>


class CColorButton;

// The colour bar behind its swatches.
class IColorBarOwner {
 public:
  virtual ~IColorBarOwner() = default;
  // Clicks count only while the document is being edited.
  virtual bool CanEditColors() const = 0;
  virtual void OnSwatchPicked(CColorButton& swatch) = 0;
  virtual void OnSwatchChoose(CColorButton& swatch) = 0;
};

class CColorButton : public wxControl {
 public:
  CColorButton(wxWindow* parent, int id, const wxSize& size, const wxString& name = "ColorButton");

  // Shows the number. It is painted through the table active at the time of painting: a table
  // the colour dialog replaced may have been freed, so none is kept.
  void SetColor(uint32_t color);
  uint32_t GetColor() const { return m_color; }
  void SetColorBarMode(IColorBarOwner* owner);
  bool IsPressed() const { return m_pressed != 0; }
  // The colour filled inside the frame.
  wxColour GetSwatchColour() const;

  // What a click does, callable without a mouse.
  void OnLeftDown();
  void OnLeftUp();
  void OnRightDown();

 private:
  wxSize DoGetBestSize() const override { return m_size; }
  bool AcceptsFocus() const override { return false; }
  void OnPaint(wxPaintEvent& event);
  void DrawSwatch(wxDC& dc);

  int m_pressed = 0;
  IColorBarOwner* m_bar = nullptr;
  uint32_t m_color = 0;
  wxSize m_size;
};
