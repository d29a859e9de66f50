#include "model/LineColor.h"

#include "platform/Numbers.h"

bool ParseLineColor(std::string_view word, ColorNumber& out) {
  if (word.empty()) return false;
  int32_t value = 0;
  if (ParseInt32(word, value)) {
    out = value;
    return true;
  }
  uint32_t bits = 0;
  if (ParseUInt32(word, bits) || ParseHex32(word, bits)) {
    out = static_cast<ColorNumber>(bits);
    return true;
  }
  return false;
}
