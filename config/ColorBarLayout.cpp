#include "config/ColorBarLayout.h"

namespace {
constexpr std::array<ColorBarShape, 4> kShapes = {{
    {27, 360, 335, 16, 1},
    {46, 189, 179, 8, 2},
    {86, 110, 100, 4, 4},
    {385, 26, 25, 1, 16},
}};
}  // namespace

const std::array<ColorBarShape, 4>& ColorBarShapes() { return kShapes; }

int ColorBarShapeForHeight(int height) {
  for (int i = 0; i < 4; ++i)
    if (kShapes[i].leastClientHeight <= height) return i;
  return 3;
}

int ColorBarShapeForDrag(int length, bool settingHeight) {
  if (settingHeight) {
    for (int i = 0; i < 4; ++i)
      if (kShapes[i].height <= length) return i;
    return 3;
  }
  for (int i = 3; i >= 0; --i)
    if (kShapes[i].width <= length) return i;
  return 0;
}

ColorBarLayout LayoutColorBar(int clientWidth, int clientHeight) {
  ColorBarLayout layout;
  layout.shape = ColorBarShapeForHeight(clientHeight);
  const ColorBarShape& s = kShapes[layout.shape];
  for (int i = 0; i < kColorBarSwatches; ++i) {
    int r = i / s.columns, c = i % s.columns;
    layout.swatches[i] = {kColorBarPitch * c, kColorBarPitch * r, kColorBarSwatchSize, kColorBarSwatchSize};
  }
  if (s.rows == 1)
    layout.more = {kColorBarPitch * s.columns, 0, 36, 16};
  else if (s.columns == 1)
    layout.more = {0, kColorBarPitch * s.rows, 16, 16};
  else
    layout.more = {clientWidth / 2 - 18, kColorBarPitch * s.rows, 36, 16};
  layout.shortCaption = s.columns == 1;
  return layout;
}
