#include "config/CustomColorState.h"

#include <algorithm>
#include <cstring>

namespace {
uint32_t Nibbles(RgbValue c) {
  return static_cast<uint32_t>((c.red / 16) << 8 | (c.green / 16) << 4 | (c.blue / 16));
}
RgbValue Rgb(const ColorRGBA& c) { return {c.red, c.green, c.blue}; }
uint8_t Byte(int v) { return static_cast<uint8_t>(std::clamp(v, 0, 255)); }
}  // namespace

uint32_t BuildCustomColor(CustomColorMode mode, RgbValue main, RgbValue edge) {
  uint32_t rgb = static_cast<uint32_t>(Byte(main.red) << 16 | Byte(main.green) << 8 | Byte(main.blue));
  switch (mode) {
    case CustomColorMode::Direct: return kDirectOpaque + rgb;
    case CustomColorMode::DirectTransparent: return kDirectTransparent + rgb;
    case CustomColorMode::Solid: return kDitherFirst + (Nibbles(edge) << 12) + Nibbles(main);
    case CustomColorMode::Transparent: return kDitherFirst + 0x2000000 + (Nibbles(edge) << 12) + Nibbles(main);
  }
  return kDitherFirst;
}

std::string CutEntryName(std::string_view name) {
  size_t n = std::min(name.size(), static_cast<size_t>(CCustomColorState::kMaxName));
  // Back off continuation bytes so that no character is cut in half.
  if (n < name.size())
    while (n > 0 && (static_cast<unsigned char>(name[n]) & 0xC0) == 0x80) --n;
  return std::string(name.substr(0, n));
}

void CCustomColorState::Open(const ColorEntry* entries) {
  slot = static_cast<int>(colour);
  ColorRGBA first{}, second{};
  GetColorRGBA(entries, colour, first, second);
  RgbValue mainRgb = Rgb(first), edgeRgb{};
  if (!customMode && colour < kColorCount) {
    const ColorEntry& e = entries[colour];
    name = CutEntryName(std::string_view(e.name, strnlen(e.name, sizeof(e.name))));
    // The entry's own colour and transparency: an invisible or half-transparent slot has no
    // visible main pixel to take them from, and OK without an edit must store what was there.
    mainRgb = {e.red, e.green, e.blue};
    if (e.edgeColor < 0) {
      edgeRgb = {e.edgeRed, e.edgeGreen, e.edgeBlue};
    } else {
      ColorRGBA edgeMain{}, edgeSecond{};
      GetColorRGBA(entries, static_cast<uint32_t>(e.edgeColor), edgeMain, edgeSecond);
      edgeRgb = Rgb(edgeMain);
    }
    mode = e.alpha <= 170 ? CustomColorMode::Transparent : CustomColorMode::Solid;
  } else if (IsDirectColor(colour)) {
    mode = colour & 0x1000000 ? CustomColorMode::DirectTransparent : CustomColorMode::Direct;
  } else {
    bool dithered = IsDitherColor(colour);
    mode = first.alpha < 128 || (dithered && (colour & 0x2000000)) ? CustomColorMode::Transparent
                                                                   : CustomColorMode::Solid;
    // A dithered pair keeps its second colour, so that OK without an edit returns the number it
    // was opened with.
    if (dithered) edgeRgb = Rgb(second);
  }
  SetFromRgb(false, mainRgb.red, mainRgb.green, mainRgb.blue);
  if (EdgeEnabled()) SetFromRgb(true, edgeRgb.red, edgeRgb.green, edgeRgb.blue);
}

void CCustomColorState::SetFromHsv(bool edgeColor, int hue, int saturation, int value) {
  Component& c = edgeColor ? edge : main;
  c.hsv = {Byte(hue), Byte(saturation), Byte(value)};
  c.rgb = HsvToRgb(c.hsv.hue, c.hsv.saturation, c.hsv.value);
  BuildColor();
}

void CCustomColorState::SetFromRgb(bool edgeColor, int red, int green, int blue) {
  Component& c = edgeColor ? edge : main;
  c.rgb = {Byte(red), Byte(green), Byte(blue)};
  c.hsv = RgbToHsv(c.rgb.red, c.rgb.green, c.rgb.blue);
  BuildColor();
}

uint32_t CCustomColorState::BuildColor() {
  colour = BuildCustomColor(mode, main.rgb, edge.rgb);
  return colour;
}

bool CCustomColorState::ApplyDefinition(CColorTable* table) {
  if (!table || slot < kFirstDefinable || slot > kLastDefinable) return false;
  if (!table->MakePrivate()) return false;
  ColorEntry& e = table->GetEntries()[slot];
  e.red = Byte(main.rgb.red);
  e.green = Byte(main.rgb.green);
  e.blue = Byte(main.rgb.blue);
  // Half transparent as the table keeps its transparent colours; 0 would make the slot vanish.
  e.alpha = mode == CustomColorMode::Transparent || mode == CustomColorMode::DirectTransparent ? 128 : 255;
  e.edgeRed = Byte(edge.rgb.red);
  e.edgeGreen = Byte(edge.rgb.green);
  e.edgeBlue = Byte(edge.rgb.blue);
  e.reserved = 255;
  e.edgeColor = -1;
  std::string cut = CutEntryName(name);
  std::memset(e.name, 0, sizeof(e.name));
  std::memcpy(e.name, cut.data(), cut.size());
  colour = static_cast<uint32_t>(slot);
  return true;
}
