#include "app/ViewLabel.h"

#include "config/Settings.h"
#include "config/StringUtils.h"
#include "platform/StringTable.h"

namespace {
constexpr unsigned kViewNamesId = 1138;
constexpr const char* kAxisLabels = "-X|+Z|-X|-Z|+Z|-Y|-Z|-Y|-X|-Y|+X|-Y|++|++|--|--";

// '+' becomes '-', anything else '+': the arrow points the other way.
std::string ExchangeSign(std::string label) {
  if (!label.empty()) label[0] = label[0] == '+' ? '-' : '+';
  return label;
}
}  // namespace

std::string ViewName(int view) {
  if (view < 0 || view > 7) return {};
  return GetSubString(LoadResString(kViewNamesId), view);
}

std::string AxisLabel(int view, bool vertical) {
  if (view < 0 || view > 7) return {};
  return GetSubString(kAxisLabels, view * 2 + (vertical ? 1 : 0));
}

ViewLabelLayout LayoutViewLabel(int view, bool left, bool top, int width, int height, const MeasureText& measure) {
  ViewLabelLayout out;
  if (view < 0 || view > 7) return out;
  out.drawn = true;
  out.name = ViewName(view);
  const auto [tw, th] = measure(out.name);
  out.nameLeft = left ? 2 : width - (tw + 5);
  out.nameRight = left ? tw + 5 : width;
  out.nameTop = top ? 2 : height - (th + 5);
  out.nameBottom = top ? th + 5 : height;
  if (view > 5) return out;

  out.arrows = true;
  out.horizontalLabel = AxisLabel(view, false);
  out.verticalLabel = AxisLabel(view, true);
  if (!left) out.horizontalLabel = ExchangeSign(out.horizontalLabel);
  if (!top) out.verticalLabel = ExchangeSign(out.verticalLabel);
  const auto [hw, hh] = measure(out.horizontalLabel);
  const auto [vw, vh] = measure(out.verticalLabel);
  const int W = width, H = height;
  // The arrows sit in the corner opposite the name: x mirrored when the name is left, y when it
  // is on top.
  auto X = [&](int x) { return left ? W - x : x; };
  auto Y = [&](int y) { return top ? H - y : y; };
  const LabelPoint hTip{X(40), Y(10)}, corner{X(10), Y(10)}, vTip{X(10), Y(40)};
  // The head corners are not quite mirror images: one pixel differs between the two sides.
  const LabelPoint h1{X(30), top ? H - 13 : 12}, h2{X(30), top ? H - 8 : 7};
  const LabelPoint v1{left ? W - 13 : 12, Y(30)}, v2{left ? W - 8 : 7, Y(30)};
  out.polyline = {hTip, h1, h2, hTip, corner, vTip, v1, v2, vTip};
  out.horizontalAt = {left ? W - hw - 45 : 45, top ? H - hh / 2 - 10 : 11 - (th + 5) / 2};
  out.verticalAt = {left ? W - vw / 2 - 11 : 10 - vw / 2, top ? H - vh - 40 : 40};
  return out;
}

ColorRGBA PaneBackgroundColor() {
  ColorRGBA main{}, second{};
  GetColorRGBA(theDefaultColors, theSettings.BackgroundColor, main, second);
  return main;
}

ColorRGBA LabelTextColor(const ColorRGBA& background) {
  const int average = (background.red + background.green + background.blue) / 3;
  return average > 128 ? ColorRGBA{0, 0, 0, 255} : ColorRGBA{255, 255, 255, 255};
}
