#pragma once
// The colour field of an LDraw line (types 1 to 5): decimal first, failing that hexadecimal with an
// optional "0x". Colour numbers are 32-bit: a decimal above 2147483647 wraps as it was written
// (4294967295 reads back as -1); anything that fits neither form, or no 32-bit value, is refused.
#include <string_view>

#include "model/QvPart.h"

bool ParseLineColor(std::string_view word, ColorNumber& out);
