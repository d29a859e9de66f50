#pragma once
// Integer hue-saturation-value arithmetic of the colour dialogs: every component is a byte, the
// hue runs once round the circle over 0-255, and every division truncates, so a colour typed as
// RGB and shown again as RGB can drift by a few steps (never more).
#include <cstdint>

struct HsvValue {
  int hue = 0, saturation = 0, value = 0;
  bool operator==(const HsvValue&) const = default;
};
struct RgbValue {
  int red = 0, green = 0, blue = 0;
  bool operator==(const RgbValue&) const = default;
};

HsvValue RgbToHsv(int red, int green, int blue);
RgbValue HsvToRgb(int hue, int saturation, int value);

// Where a pointer lands in the hue-saturation field and the value slider (w x h pixels), clamped
// into the control; both need at least 2 x 2 pixels (false otherwise: GTK sizes a control to one
// pixel for a moment while it lays a dialog out).
bool HsvBoxAt(int x, int y, int w, int h, int& hue, int& saturation);
bool HsvSliderAt(int y, int h, int& value);
// The centre of the field's cross-hair and the row of the slider's marker.
void HsvBoxCentre(int hue, int saturation, int w, int h, int& cx, int& cy);
int HsvSliderRow(int value, int h);
