#pragma once
// How the colour bar arranges its 16 swatches and the "More" button: four shapes from one column
// to one row, a 20-pixel pitch for 16 x 16 swatches.
#include <array>

struct ColorBarShape {
  int width, height;     // the floating bar's size in this shape
  int leastClientHeight; // the least client height that picks it
  int rows, columns;
};

inline constexpr int kColorBarSwatches = 16;
inline constexpr int kColorBarPitch = 20;
inline constexpr int kColorBarSwatchSize = 16;

const std::array<ColorBarShape, 4>& ColorBarShapes();
// The shape for a client height: the first whose least height fits, else the one-row shape.
int ColorBarShapeForHeight(int height);
// The floating size while the user drags: by the height, the first shape not taller (else one
// row); by the width, the widest shape not wider (else one column).
int ColorBarShapeForDrag(int length, bool settingHeight);

struct BarRect {
  int x = 0, y = 0, w = 0, h = 0;
  bool operator==(const BarRect&) const = default;
};
struct ColorBarLayout {
  int shape = 3;
  std::array<BarRect, kColorBarSwatches> swatches{};
  BarRect more;
  bool shortCaption = false;  // one column: the button shows only the first letter
};
ColorBarLayout LayoutColorBar(int clientWidth, int clientHeight);
