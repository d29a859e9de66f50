#pragma once
// What the custom colour dialog edits, without the dialog: a main and an edge colour, each held as
// R, G, B and as H, S, V, a mode, and the colour number built from them. In custom mode the
// result is a direct or dithered colour number; in define mode it is a new definition of one slot
// of the active colour table.
#include <cstdint>
#include <string>
#include <string_view>

#include "config/ColorTable.h"
#include "config/HsvColor.h"

enum class CustomColorMode { Solid = 0, Transparent = 1, Direct = 2, DirectTransparent = 3 };

// The number of a colour built in a mode: 0x2RRGGBB / 0x3RRGGBB, or the dithered pair with the
// main colour in bits 0-11 and the edge colour in bits 12-23 (4 bits per component), plus
// 0x2000000 for the transparent pair.
uint32_t BuildCustomColor(CustomColorMode mode, RgbValue main, RgbValue edge);
// A slot name as the table keeps it: at most 40 bytes, cut before a partial UTF-8 character.
std::string CutEntryName(std::string_view name);

class CCustomColorState {
 public:
  static constexpr int kMaxName = 40;
  // Only these slots may be redefined: the lower ones are the library's fixed colours, the
  // higher ones are not saved with a model's name table.
  static constexpr int kFirstDefinable = 64, kLastDefinable = 255;

  struct Component {
    HsvValue hsv;
    RgbValue rgb;
  };

  // In: the colour (custom mode) or the slot (define mode) and the mode flag.
  uint32_t colour = 0;
  int customMode = 0;
  // The fields.
  Component main, edge;
  CustomColorMode mode = CustomColorMode::Solid;
  std::string name;
  int slot = 0;

  // Fills the fields from the colour, read through the entries (512).
  void Open(const ColorEntry* entries);
  void SetFromHsv(bool edgeColor, int hue, int saturation, int value);
  void SetFromRgb(bool edgeColor, int red, int green, int blue);
  // Rebuilds colour from the fields and the mode.
  uint32_t BuildColor();
  bool EdgeEnabled() const { return mode == CustomColorMode::Solid || mode == CustomColorMode::Transparent; }
  // OK in define mode: writes the slot into the table (made private first) and returns true; a
  // slot outside 64-255, or no table, writes nothing and returns false. colour becomes the slot.
  bool ApplyDefinition(CColorTable* table);
};
