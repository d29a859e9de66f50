#include "app/WxLabelPainter.h"

#include <vector>

CWxLabelPainter::CWxLabelPainter(wxDC& dc, const wxFont& font)
    : m_dc(dc),
      m_oldFont(dc.GetFont()),
      m_oldPen(dc.GetPen()),
      m_oldForeground(dc.GetTextForeground()),
      m_oldBackground(dc.GetTextBackground()),
      m_oldMode(dc.GetBackgroundMode()) {
  m_dc.SetFont(font);
}

CWxLabelPainter::~CWxLabelPainter() {
  if (m_oldFont.IsOk()) m_dc.SetFont(m_oldFont);
  if (m_oldPen.IsOk()) m_dc.SetPen(m_oldPen);
  if (m_oldForeground.IsOk()) m_dc.SetTextForeground(m_oldForeground);
  if (m_oldBackground.IsOk()) m_dc.SetTextBackground(m_oldBackground);
  m_dc.SetBackgroundMode(m_oldMode);
}

wxFont CWxLabelPainter::MakeLabelFont() {
  return wxFont(wxFontInfo(wxSize(0, 13)).Family(wxFONTFAMILY_SWISS).FaceName("Verdana"));
}

LabelSize CWxLabelPainter::MeasureText(const std::string& text) {
  wxCoord w = 0, h = 0;
  m_dc.GetTextExtent(wxString::FromUTF8(text), &w, &h);
  return {static_cast<int32_t>(w), static_cast<int32_t>(h)};
}

void CWxLabelPainter::SetTextColours(LabelRgb textColor, LabelRgb background) {
  // The text sits on a box of the pane's background, so the arrows never run through it.
  m_dc.SetTextForeground(ToWxColour(textColor));
  m_dc.SetTextBackground(ToWxColour(background));
  m_dc.SetBackgroundMode(wxBRUSHSTYLE_SOLID);
}

void CWxLabelPainter::DrawCenteredText(const std::string& text, LabelPoint topLeft, LabelPoint bottomRight,
                                       LabelRgb textColor, LabelRgb background) {
  SetTextColours(textColor, background);
  // The layout's right and bottom edges are exclusive.
  const wxRect box(wxPoint(topLeft.x, topLeft.y), wxSize(bottomRight.x - topLeft.x, bottomRight.y - topLeft.y));
  m_dc.DrawLabel(wxString::FromUTF8(text), box, wxALIGN_CENTER);
}

void CWxLabelPainter::DrawText(const std::string& text, LabelPoint topLeft, LabelRgb textColor,
                               LabelRgb background) {
  SetTextColours(textColor, background);
  m_dc.DrawText(wxString::FromUTF8(text), topLeft.x, topLeft.y);
}

void CWxLabelPainter::DrawPolyline(const LabelPoint* points, size_t count, int penWidth, LabelRgb color) {
  if (count == 0) return;
  std::vector<wxPoint> line;
  line.reserve(count);
  for (size_t i = 0; i < count; ++i) line.emplace_back(points[i].x, points[i].y);
  m_dc.SetPen(wxPen(ToWxColour(color), penWidth));
  m_dc.DrawLines(static_cast<int>(line.size()), line.data());
}
