#pragma once
// One colour of a colour table: the 56-byte record that is also the layout of the binary colour file.
#include <cstdint>

struct ColorEntry {
  char name[44];       // NUL-terminated, at most 40 characters used
  int32_t edgeColor;   // edge colour number; -1 = use this entry's own edge RGB
  uint8_t red, green, blue;
  uint8_t alpha;       // 255 opaque, 128 transparent (any value allowed)
  uint8_t edgeRed, edgeGreen, edgeBlue;
  uint8_t reserved;    // always 255
};
static_assert(sizeof(ColorEntry) == 56, "a colour entry is 56 bytes");

// A colour table has 512 entries (0x7000 bytes).
inline constexpr int kColorCount = 512;

// The table every model shares until it needs colours of its own, and the colours read from the
// library's colour files. Both exist from program load on.
extern ColorEntry theDefaultColors[kColorCount];
extern ColorEntry theLDConfigColors[kColorCount];
