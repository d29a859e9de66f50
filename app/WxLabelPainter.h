#pragma once
// Paints a pane's view label (render/ViewLabel.h) with a wx device context: the pane draws it into
// its picture after the rendered image. The context's font, pen and text colours are restored
// when the painter goes.
#include <wx/dc.h>
#include <wx/font.h>

#include "render/ViewLabel.h"

inline wxColour ToWxColour(LabelRgb c) { return wxColour(c.r, c.g, c.b); }

class CWxLabelPainter : public IViewLabelPainter {
 public:
  CWxLabelPainter(wxDC& dc, const wxFont& font);
  ~CWxLabelPainter() override;
  CWxLabelPainter(const CWxLabelPainter&) = delete;
  CWxLabelPainter& operator=(const CWxLabelPainter&) = delete;

  // The overlay font: 13 pixels high, normal weight, Verdana in the Swiss family.
  static wxFont MakeLabelFont();

  LabelSize MeasureText(const std::string& text) override;
  void DrawCenteredText(const std::string& text, LabelPoint topLeft, LabelPoint bottomRight, LabelRgb textColor,
                        LabelRgb background) override;
  void DrawText(const std::string& text, LabelPoint topLeft, LabelRgb textColor, LabelRgb background) override;
  void DrawPolyline(const LabelPoint* points, size_t count, int penWidth, LabelRgb color) override;

 private:
  void SetTextColours(LabelRgb textColor, LabelRgb background);

  wxDC& m_dc;
  wxFont m_oldFont;
  wxPen m_oldPen;
  wxColour m_oldForeground, m_oldBackground;
  int m_oldMode;
};
