#include "config/ColorDlgState.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <numeric>
#include <string_view>

#include "config/HsvColor.h"
#include "config/Settings.h"
#include "platform/Numbers.h"
#include "platform/StringTable.h"
#include "resources/StringIds.h"

int ColorDlgSortTab = 1;

namespace {
std::string_view NameOf(const ColorEntry& e) { return std::string_view(e.name, strnlen(e.name, sizeof(e.name))); }

int CompareNoCase(std::string_view a, std::string_view b) {
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    int ca = std::tolower(static_cast<unsigned char>(a[i]));
    int cb = std::tolower(static_cast<unsigned char>(b[i]));
    if (ca != cb) return ca - cb;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool IsUnused(const ColorEntry& e) { return CompareNoCase(NameOf(e), "unused") == 0; }
}  // namespace

std::string ColorNumberName(const ColorEntry* entries, uint32_t n) {
  if (n < kColorCount) return std::string(NameOf(entries[n]));
  return LoadResString(kStringCustomColorName);
}

std::string ColorBarName(const ColorEntry* entries, int32_t n) {
  if (n >= 0 && n < 256) return std::string(NameOf(entries[n]));
  return LoadResString(kStringCustomColorName);
}

uint32_t ColorHueKey(const ColorEntry& e) {
  if (IsUnused(e)) return 0;
  HsvValue hsv = RgbToHsv(e.red, e.green, e.blue);
  uint32_t key = static_cast<uint32_t>(hsv.saturation) + 256;
  key = key * 256 + static_cast<uint32_t>(hsv.hue);
  key = key * 256 + static_cast<uint32_t>(hsv.value);
  return key * 128 + e.alpha / 2u;
}

// Both sorts are the exchange sorts the pages were always laid out by: a different (even a
// stable) sort would put equal names or keys in another order and move swatches between pages.
std::array<uint16_t, kColorCount> SortColorOrder(const ColorEntry* entries, int mode) {
  std::array<uint16_t, kColorCount> order;
  std::iota(order.begin(), order.end(), uint16_t{0});
  if (mode == 1) {
    for (size_t k = 0; k + 1 < order.size(); ++k) {
      std::string_view c = NameOf(entries[order[k]]);
      for (size_t j = k + 1; j < order.size(); ++j) {
        const ColorEntry& other = entries[order[j]];
        if ((CompareNoCase(c, NameOf(other)) > 0 && !IsUnused(other)) || CompareNoCase(c, "unused") == 0) {
          std::swap(order[k], order[j]);
          c = NameOf(entries[order[k]]);
        }
      }
    }
  } else if (mode == 2) {
    for (size_t k = 0; k + 1 < order.size(); ++k) {
      uint32_t m = ColorHueKey(entries[order[k]]);
      for (size_t j = k + 1; j < order.size(); ++j) {
        const ColorEntry& other = entries[order[j]];
        uint32_t key = ColorHueKey(other);
        if (!IsUnused(other) && key > m) {
          std::swap(order[k], order[j]);
          m = key;
        }
      }
    }
  }
  return order;
}

bool ParseColorNumberText(const std::string& text, bool restricted, uint32_t& out) {
  std::string_view t = text;
  while (!t.empty() && std::isspace(static_cast<unsigned char>(t.front()))) t.remove_prefix(1);
  uint32_t value = 0;
  bool hex = t.size() > 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X');
  // Both refuse a number beyond 32 bits instead of wrapping it into range.
  if (!(hex ? ParseHex32(t, value) : ParseUInt32(t, value))) return false;
  if (value > kMaxTypedColor || (restricted && value > kMaxRestrictedColorNumber)) return false;
  out = value;
  return true;
}

int CColorDlgState::Init(const ColorEntry* entries) {
  if (restricted && colour > kMaxRestrictedColorNumber) colour = 15;
  int colourPage = static_cast<int>(colour / kColorPageSize);
  if (colourPage >= kColorPages) colourPage = 0;
  // Restricted, only page 0 of the number sort holds nothing but 0-31.
  Sort(entries, restricted ? 0 : ColorDlgSortTab);
  return colourPage;
}

void CColorDlgState::Sort(const ColorEntry* entries, int mode) {
  if (mode < 0 || mode > 2) mode = 0;
  sortMode = mode;
  order = SortColorOrder(entries, mode);
  page = 0;
}

bool CColorDlgState::SelectSwatch(int position) {
  uint32_t n = SwatchColor(position);
  if (restricted && n > kMaxRestrictedColorNumber) return false;
  colour = n;
  return true;
}

bool CColorDlgState::TypeNumber(const std::string& text) {
  uint32_t value = 0;
  if (!ParseColorNumberText(text, restricted != 0, value)) return false;
  colour = value;
  return true;
}

bool CColorDlgState::DefineEnabled() const {
  return colour >= 64 && colour <= 255 && !restricted && paletteEditable;
}

std::string CColorDlgState::NumberText() const {
  if (colour < kColorCount) return FormatU32(colour);
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "0x%08X", colour);
  return buffer;
}

bool CColorDlgState::Transparent(const ColorEntry* entries) const {
  ColorRGBA first{}, second{};
  GetColorRGBA(entries, colour, first, second);
  return first.alpha == 255 && second.alpha == 0;
}

std::string CColorDlgState::PageCaption(const std::string& baseTitle, const ColorEntry* entries) const {
  uint32_t first = static_cast<uint32_t>(page * kColorPageSize);
  if (sortMode == 0)
    return FillTextArgs(LoadResString(kStringColorPageNumbers), {baseTitle, FormatU32(first), FormatU32(first + 31)});
  return FillTextArgs(LoadResString(kStringColorPageNames),
                      {baseTitle, ColorNumberName(entries, order[first]), ColorNumberName(entries, order[first + 31])});
}

std::string CColorDlgState::SwatchTip(const ColorEntry* entries, int position) const {
  uint32_t n = SwatchColor(position);
  return FillTextArgs(LoadResString(kStringColorSwatchTip), {FormatU32(n), ColorNumberName(entries, n)});
}

void CColorDlgState::SaveAsDefault(const ColorEntry* shown) {
  // A shared table shows theDefaultColors itself: nothing to copy then.
  if (shown != theDefaultColors) std::copy(shown, shown + kColorCount, theDefaultColors);
  thePrivateColorsFlag = 1;
}

void CColorDlgState::LDConfigAsDefault() {
  std::copy(theLDConfigColors, theLDConfigColors + kColorCount, theDefaultColors);
  thePrivateColorsFlag = 0;
}

void CColorDlgState::LoadDefaultColors(CColorTable* table) {
  if (table) table->UseShared();
  paletteChanged = 1;
}

void CColorDlgState::LoadLDConfigColors(CColorTable* table) {
  if (table) table->LoadLDConfigCopy();
  paletteChanged = 1;
}
