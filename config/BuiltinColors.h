#pragma once
// The colour table the program carries for libraries without colour files: 512 rows of a name, an
// edge colour number and two RGBA colours that a row dithers between.
#include <array>
#include <cstdint>

#include "config/ColorEntry.h"

struct BuiltinColorRow {
  char name[44];
  int32_t edgeColor;
  uint8_t red1, green1, blue1, alpha1;
  uint8_t red2, green2, blue2, alpha2;
};
static_assert(sizeof(BuiltinColorRow) == 56, "a built-in row is 56 bytes");

extern const std::array<BuiltinColorRow, kColorCount> BuiltinColors;
