#include "dialogs/ColorButton.h"

#include <wx/dcbuffer.h>
#include <wx/settings.h>

#include "config/ColorSource.h"
#include "config/ColorTable.h"

CColorButton::CColorButton(wxWindow* parent, int id, const wxSize& size, const wxString& name)
    : wxControl(parent, id, wxDefaultPosition, size, wxBORDER_NONE, wxDefaultValidator, name),
      m_size(size) {
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  SetMinSize(size);
  Bind(wxEVT_PAINT, &CColorButton::OnPaint, this);
  Bind(wxEVT_LEFT_DOWN, [this](wxMouseEvent&) { OnLeftDown(); });
  Bind(wxEVT_LEFT_DCLICK, [this](wxMouseEvent&) { OnLeftDown(); });
  Bind(wxEVT_LEFT_UP, [this](wxMouseEvent&) { OnLeftUp(); });
  Bind(wxEVT_RIGHT_DOWN, [this](wxMouseEvent&) { OnRightDown(); });
}

void CColorButton::SetColor(uint32_t color) {
  m_color = color;
  Refresh();
}

void CColorButton::SetColorBarMode(IColorBarOwner* owner) { m_bar = owner; }

wxColour CColorButton::GetSwatchColour() const {
  ColorRGBA main{}, second{};
  GetColorRGBA(GetActiveTableEntries(), m_color, main, second);
  return wxColour(main.red, main.green, main.blue);
}

void CColorButton::OnLeftDown() {
  if (m_bar) {
    if (!m_bar->CanEditColors()) return;
    m_bar->OnSwatchPicked(*this);
  } else {
    wxCommandEvent event(wxEVT_BUTTON, GetId());
    event.SetEventObject(this);
    ProcessWindowEvent(event);
  }
  m_pressed = 1;
  Refresh();
}

void CColorButton::OnLeftUp() {
  if (m_bar && !m_bar->CanEditColors()) return;
  m_pressed = 0;
  Refresh();
}

void CColorButton::OnRightDown() {
  if (m_bar && m_bar->CanEditColors()) m_bar->OnSwatchChoose(*this);
}

void CColorButton::OnPaint(wxPaintEvent&) {
  wxAutoBufferedPaintDC dc(this);
  DrawSwatch(dc);
}

void CColorButton::DrawSwatch(wxDC& dc) {
  wxSize size = GetClientSize();
  int w = size.x, h = size.y;
  if (w < 4 || h < 4) return;
  wxColour light = wxSystemSettings::GetColour(wxSYS_COLOUR_BTNHIGHLIGHT);
  wxColour dark = wxSystemSettings::GetColour(wxSYS_COLOUR_BTNSHADOW);
  wxColour face = wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE);
  if (m_pressed) std::swap(light, dark);
  // The 3-D frame: top and left in one colour, bottom and right in the other.
  dc.SetPen(*wxTRANSPARENT_PEN);
  dc.SetBrush(wxBrush(dark));
  dc.DrawRectangle(0, 0, w, h);
  dc.SetBrush(wxBrush(light));
  dc.DrawRectangle(0, 0, w - 1, h - 1);
  dc.SetBrush(wxBrush(face));
  dc.DrawRectangle(1, 1, w - 2, h - 2);
  dc.SetBrush(wxBrush(GetSwatchColour()));
  dc.DrawRectangle(2, 2, w - 5, h - 5);
}
