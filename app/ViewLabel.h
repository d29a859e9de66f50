#pragma once
// The direction label of a 3-D pane: the view's name in one corner and, for the six axis views,
// two axis arrows with their labels in the opposite corner. This is the geometry, without a
// toolkit; CQuorvelView draws it into the pane's picture.
#include <array>
#include <functional>
#include <string>
#include <utility>

#include "config/ColorTable.h"

struct LabelPoint {
  int x = 0, y = 0;
  bool operator==(const LabelPoint&) const = default;
};

struct ViewLabelLayout {
  bool drawn = false;  // false for views above 7
  std::string name;
  // The name is drawn centred in this rectangle (right and bottom exclusive).
  int nameLeft = 0, nameTop = 0, nameRight = 0, nameBottom = 0;
  bool arrows = false;  // views 0 to 5
  std::string horizontalLabel, verticalLabel;
  // One poly-line: horizontal tip, its two head corners, the tip again, the corner, the vertical
  // tip, its two head corners, the vertical tip again.
  std::array<LabelPoint, 9> polyline{};
  LabelPoint horizontalAt, verticalAt;  // top-left corners of the labels
};

// Text size in pixels (width, height) in the label font.
using MeasureText = std::function<std::pair<int, int>(const std::string&)>;

// left/top: the name goes into the left/top corner (else right/bottom); the arrows go into the
// opposite corner, and an axis that then points the other way has its label's sign exchanged.
ViewLabelLayout LayoutViewLabel(int view, bool left, bool top, int width, int height, const MeasureText& measure);

// The view names "Top|Below|Left|Right|Front|Back|3D|Custom" (string 1138) and the axis labels,
// two per view (horizontal, vertical).
std::string ViewName(int view);
std::string AxisLabel(int view, bool vertical);

// The background of the panes: the BackgroundColor setting in the default colour table; and the
// label colour that reads on it (black on a light background, else white).
ColorRGBA PaneBackgroundColor();
ColorRGBA LabelTextColor(const ColorRGBA& background);
