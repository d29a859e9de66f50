#include "app/PanePlaceholder.h"

#include <wx/dcbuffer.h>
#include <wx/settings.h>

#include "app/PrivateEvents.h"

CPanePlaceholder::CPanePlaceholder(wxWindow* parent, const wxString& name, const wxString& title)
    : wxPanel(parent, wxID_ANY, wxDefaultPosition, wxSize(100, 100),
              wxBORDER_SUNKEN | wxFULL_REPAINT_ON_RESIZE, name),
      m_title(title) {
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  Bind(wxEVT_PAINT, &CPanePlaceholder::OnPaint, this);
  Bind(EVT_PLANDOR_SET_ZOOM, [this](CPrivateMessageEvent& e) {
    m_lastZoom = e.GetLParam();
    Refresh();
  });
}

void CPanePlaceholder::OnPaint(wxPaintEvent&) {
  wxAutoBufferedPaintDC dc(this);
  dc.SetBackground(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW)));
  dc.Clear();
  dc.SetTextForeground(wxSystemSettings::GetColour(wxSYS_COLOUR_GRAYTEXT));
  dc.SetFont(wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT));
  wxString text = m_title;
  if (m_lastZoom >= 0) text += m_lastZoom == 0 ? wxString("\nzoom: fit") : wxString::Format("\nzoom: %ld%%", m_lastZoom);
  wxSize size = GetClientSize();
  wxCoord w = 0, h = 0;
  dc.GetMultiLineTextExtent(text, &w, &h);
  dc.DrawLabel(text, wxRect(0, 0, size.x, size.y), wxALIGN_CENTER);
}
