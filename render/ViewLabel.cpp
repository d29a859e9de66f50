#include "render/ViewLabel.h"

#include "config/ColorTable.h"
#include "config/Settings.h"
#include "config/StringUtils.h"
#include "platform/StringTable.h"
#include "resources/StringIds.h"

namespace {

// Two per view: the horizontal arrow's, then the vertical arrow's.
constexpr const char* kAxisLabels = "-X|+Z|-X|-Z|+Z|-Y|-Z|-Y|-X|-Y|+X|-Y|++|++|--|--";

// The arrows point away from the pane's edges; mirrored, an axis changes its sign.
std::string SwapSign(std::string label) {
  if (!label.empty()) label[0] = label[0] == '+' ? '-' : '+';
  return label;
}

}  // namespace

LabelRgb PaneBackgroundColor(uint32_t colorNumber) {
  if (colorNumber < static_cast<uint32_t>(kColorCount)) {
    const ColorEntry& e = theDefaultColors[colorNumber];
    return {e.red, e.green, e.blue};
  }
  ColorRGBA main{}, second{};
  GetColorRGBA(theDefaultColors, colorNumber, main, second);
  return {main.red, main.green, main.blue};
}

LabelRgb LabelTextColor(LabelRgb background) {
  const bool light = (background.r + background.g + background.b) / 3 > 128;
  return light ? LabelRgb{0, 0, 0} : LabelRgb{255, 255, 255};
}

ViewLabelLayout LayoutViewLabel(IViewLabelPainter& painter, int view, bool left, bool top, int32_t paneWidth,
                                int32_t paneHeight, uint32_t backgroundColor) {
  ViewLabelLayout out;
  if (view < 0 || view > 7) return out;
  out.visible = true;
  out.backgroundColor = PaneBackgroundColor(backgroundColor);
  out.textColor = LabelTextColor(out.backgroundColor);

  const int32_t w = paneWidth, h = paneHeight;
  out.name = GetSubString(LoadResString(kStringViewNames), view);
  const LabelSize t = painter.MeasureText(out.name);
  out.nameTopLeft.x = left ? 2 : w - (t.width + 5);
  out.nameBottomRight.x = left ? t.width + 5 : w;
  out.nameTopLeft.y = top ? 2 : h - (t.height + 5);
  out.nameBottomRight.y = top ? t.height + 5 : h;
  if (view > 5) return out;

  out.arrows = true;
  out.horizontalLabel = GetSubString(kAxisLabels, 2 * view);
  out.verticalLabel = GetSubString(kAxisLabels, 2 * view + 1);
  if (!left) out.horizontalLabel = SwapSign(out.horizontalLabel);
  if (!top) out.verticalLabel = SwapSign(out.verticalLabel);
  const LabelSize hs = painter.MeasureText(out.horizontalLabel);
  const LabelSize vs = painter.MeasureText(out.verticalLabel);
  // The arrows sit in the corner opposite the name: x mirrored when the name is at the left, y
  // when it is at the top. px/py map a distance from that corner's edges to pane coordinates.
  auto px = [&](int32_t d) { return left ? w - d : d; };
  auto py = [&](int32_t d) { return top ? h - d : d; };
  // The heads are one pixel off symmetric, and mirror differently in x and y.
  const int32_t headNear = left ? 13 : 12, headFar = left ? 8 : 7;
  const int32_t headNearY = top ? 13 : 12, headFarY = top ? 8 : 7;
  out.arrowLine = {LabelPoint{px(40), py(10)}, LabelPoint{px(30), py(headNearY)}, LabelPoint{px(30), py(headFarY)},
                   LabelPoint{px(40), py(10)}, LabelPoint{px(10), py(10)},        LabelPoint{px(10), py(40)},
                   LabelPoint{px(headNear), py(30)}, LabelPoint{px(headFar), py(30)}, LabelPoint{px(10), py(40)}};
  out.horizontalAt.x = left ? w - hs.width - 45 : 45;
  out.horizontalAt.y = top ? h - hs.height / 2 - 10 : 11 - (t.height + 5) / 2;
  out.verticalAt.x = left ? w - vs.width / 2 - 11 : 10 - vs.width / 2;
  out.verticalAt.y = top ? h - vs.height - 40 : 40;
  return out;
}

void DrawViewLabel(IViewLabelPainter& painter, int view, bool left, bool top, int32_t paneWidth,
                   int32_t paneHeight) {
  const ViewLabelLayout l =
      LayoutViewLabel(painter, view, left, top, paneWidth, paneHeight, theSettings.BackgroundColor);
  if (!l.visible) return;
  painter.DrawCenteredText(l.name, l.nameTopLeft, l.nameBottomRight, l.textColor, l.backgroundColor);
  if (!l.arrows) return;
  painter.DrawPolyline(l.arrowLine.data(), l.arrowLine.size(), 2, l.textColor);
  painter.DrawText(l.horizontalLabel, l.horizontalAt, l.textColor, l.backgroundColor);
  painter.DrawText(l.verticalLabel, l.verticalAt, l.textColor, l.backgroundColor);
}
