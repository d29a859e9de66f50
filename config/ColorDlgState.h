#pragma once
// The colour selection dialog without its window: the sort order of the 512 table entries shown
// as 16 pages of 32, the chosen number and what may be done with it, and the four buttons that
// replace the default or the active colour table. The dialog shows what this says.
#include <array>
#include <cstdint>
#include <string>

#include "config/ColorTable.h"

// The sort of the colour dialog (0 number, 1 name, 2 hue): kept for the run, never saved.
extern int ColorDlgSortTab;

inline constexpr int kColorPageSize = 32;
inline constexpr int kColorPages = 16;
// The largest number that can be typed: beyond it a colour number means nothing.
inline constexpr uint32_t kMaxTypedColor = 0x7FFFFFF;
inline constexpr uint32_t kMaxRestrictedColorNumber = 31;

// The name of a colour number: the entry's name for 0-511, else "Custom color".
std::string ColorNumberName(const ColorEntry* entries, uint32_t n);
// The colour bar's name of a slot: the entry's name below 256, anything else (negative numbers
// from an old colour file too) "Custom color".
std::string ColorBarName(const ColorEntry* entries, int32_t n);
// The hue sort's key of an entry: saturation, then hue, value and alpha; 0 for "unused".
uint32_t ColorHueKey(const ColorEntry& entry);
// The order of the 512 entries in a sort mode (0 number, 1 name, 2 hue).
std::array<uint16_t, kColorCount> SortColorOrder(const ColorEntry* entries, int mode);
// A typed colour number: "0x" and hex, else decimal. False for no number, one above 0x7FFFFFF,
// or, restricted, one above 31.
bool ParseColorNumberText(const std::string& text, bool restricted, uint32_t& out);

class CColorDlgState {
 public:
  // In: the colour, the restriction to 0-31, whether the table may be changed. Out: the colour,
  // and whether the active table was replaced or a slot redefined (which counts after Cancel).
  uint32_t colour = 0;
  int restricted = 0;
  int paletteEditable = 1;
  int paletteChanged = 0;

  std::array<uint16_t, kColorCount> order{};
  int sortMode = 0;
  int page = 0;

  // The dialog's start: a restricted colour above 31 becomes 15; the order is sorted and page 0
  // shown. Returns the page the colour lies on (the slider's first position).
  int Init(const ColorEntry* entries);
  // A new sort mode (outside 0-2: 0); page 0 is shown.
  void Sort(const ColorEntry* entries, int mode);
  uint32_t SwatchColor(int position) const { return order[static_cast<size_t>(page * kColorPageSize + position)]; }
  // A swatch click: false (the colour stays) when restricted and the swatch's colour is above 31.
  bool SelectSwatch(int position);
  // The number field left: false means beep; the colour stays.
  bool TypeNumber(const std::string& text);

  // Define... can work only on a slot the custom colour dialog may write.
  bool DefineEnabled() const;
  bool CustomEnabled() const { return !restricted; }
  bool TableButtonsEnabled() const { return paletteEditable != 0; }

  std::string NumberText() const;
  std::string NameText(const ColorEntry* entries) const { return ColorNumberName(entries, colour); }
  bool Transparent(const ColorEntry* entries) const;
  // "title - 0-31" under the number sort, else "title - first name-last name".
  std::string PageCaption(const std::string& baseTitle, const ColorEntry* entries) const;
  std::string SwatchTip(const ColorEntry* entries, int position) const;

  // The four table buttons, after their question was answered yes.
  static void SaveAsDefault(const ColorEntry* shown);
  static void LDConfigAsDefault();
  void LoadDefaultColors(CColorTable* table);
  void LoadLDConfigColors(CColorTable* table);
};
