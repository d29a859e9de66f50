#pragma once
// The name and axis arrows of a 2-D view in a corner of a 3-D pane. The placement is worked out
// here, without any toolkit; the pane (or whatever paints its picture) supplies a painter that
// measures and draws text and draws lines, and calls DrawViewLabel after the rendered image.
#include <array>
#include <cstdint>
#include <string>

struct LabelPoint {
  int32_t x = 0, y = 0;
  bool operator==(const LabelPoint&) const = default;
};
struct LabelSize {
  int32_t width = 0, height = 0;
};
struct LabelRgb {
  uint8_t r = 0, g = 0, b = 0;
  bool operator==(const LabelRgb&) const = default;
};

// Where everything of one view label goes.
struct ViewLabelLayout {
  bool visible = false;  // views above 7 have no label
  std::string name;
  LabelRgb textColor, backgroundColor;
  LabelPoint nameTopLeft, nameBottomRight;  // the text is centred in this rectangle
  bool arrows = false;                      // only the six axis views have them
  // Tip, head, head, tip, corner, vertical tip, head, head, vertical tip: one line, pen width 2.
  std::array<LabelPoint, 9> arrowLine{};
  std::string horizontalLabel, verticalLabel;
  LabelPoint horizontalAt, verticalAt;  // top-left corners of the two texts
};

// What the pane draws with: its device on the window or on a picture.
class IViewLabelPainter {
 public:
  virtual ~IViewLabelPainter() = default;
  // The extent of a text in the overlay font (MakeStampFont, weight 400).
  virtual LabelSize MeasureText(const std::string& text) = 0;
  // The text centred in the rectangle, on the background colour.
  virtual void DrawCenteredText(const std::string& text, LabelPoint topLeft, LabelPoint bottomRight,
                                LabelRgb textColor, LabelRgb background) = 0;
  virtual void DrawText(const std::string& text, LabelPoint topLeft, LabelRgb textColor, LabelRgb background) = 0;
  virtual void DrawPolyline(const LabelPoint* points, size_t count, int penWidth, LabelRgb color) = 0;
};

// The RGB of a background colour number as the pane shows it: a table entry gives its own colour
// whatever its opacity (the renderer paints the background so), direct and dithered numbers their
// first colour.
LabelRgb PaneBackgroundColor(uint32_t colorNumber);
// The label colour that reads on a background: black on a light one, else white.
LabelRgb LabelTextColor(LabelRgb background);

// The layout for view 0-7 (Top, Below, Left, Right, Front, Back, 3D, Custom) with the name at the
// left or right and top or bottom of a pane, on the given background colour number (looked up in
// the default colour table).
ViewLabelLayout LayoutViewLabel(IViewLabelPainter& painter, int view, bool left, bool top, int32_t paneWidth,
                                int32_t paneHeight, uint32_t backgroundColor);
// Lays the label out with the settings' background colour and paints it.
void DrawViewLabel(IViewLabelPainter& painter, int view, bool left, bool top, int32_t paneWidth,
                   int32_t paneHeight);
