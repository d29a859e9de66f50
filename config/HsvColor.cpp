#include "config/HsvColor.h"

#include <algorithm>

HsvValue RgbToHsv(int red, int green, int blue) {
  int max = std::max({red, green, blue});
  int min = std::min({red, green, blue});
  if (max == 0) return {};
  HsvValue hsv;
  hsv.value = max;
  int d = max - min;
  hsv.saturation = d * 255 / max;
  if (hsv.saturation == 0) return hsv;
  int rc = (max - red) * 255 / d;
  int gc = (max - green) * 255 / d;
  int bc = (max - blue) * 255 / d;
  int degrees;
  if (red == max)
    degrees = (bc - gc) * 60 / 255;
  else if (green == max)
    degrees = (rc - bc) * 60 / 255 + 120;
  else
    degrees = (gc - rc) * 60 / 255 + 240;
  if (degrees < 0) degrees += 360;
  if (degrees >= 360) degrees -= 360;
  hsv.hue = degrees * 256 / 360;
  return hsv;
}

RgbValue HsvToRgb(int hue, int saturation, int value) {
  if (saturation == 0 || value == 0) return {value, value, value};
  int sector = hue * 45 / 1920;
  int f = hue * 360 / 256 - 60 * sector;
  int up = (255 - (60 - f) * saturation / 60) * value / 255;
  int down = (255 - saturation * f / 60) * value / 255;
  int low = (255 - saturation) * value / 255;
  switch (sector) {
    case 0: return {value, up, low};
    case 1: return {down, value, low};
    case 2: return {low, value, up};
    case 3: return {low, down, value};
    case 4: return {up, low, value};
    default: return {value, low, down};
  }
}

bool HsvBoxAt(int x, int y, int w, int h, int& hue, int& saturation) {
  if (w < 2 || h < 2) return false;
  x = std::clamp(x, 0, w - 1);
  y = std::clamp(y, 0, h - 1);
  hue = x * 255 / (w - 1);
  saturation = 255 - y * 255 / (h - 1);
  return true;
}

bool HsvSliderAt(int y, int h, int& value) {
  if (h < 2) return false;
  value = std::clamp(y, 0, h - 1) * 255 / (h - 1);
  return true;
}

void HsvBoxCentre(int hue, int saturation, int w, int h, int& cx, int& cy) {
  cx = hue * (w - 1) / 255;
  cy = (255 - saturation) * (h - 1) / 255;
}

int HsvSliderRow(int value, int h) { return value * (h - 1) / 255; }
