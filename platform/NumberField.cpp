#include "platform/NumberField.h"

#include <cmath>
#include <cstdlib>
#include <limits>

#include "platform/Numbers.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view SkipBlanks(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  return text.substr(i);
}

size_t Digits(std::string_view text, size_t i) {
  while (i < text.size() && IsDigit(text[i])) ++i;
  return i;
}

// Length of the longest prefix of the form [+-]?(d+(.d*)?|.d+)([eE][+-]?d+)?, 0 when none. An
// exponent without digits is not part of the number, as C's strtod reads it.
size_t ScanReal(std::string_view t) {
  size_t i = 0;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
  size_t intEnd = Digits(t, i);
  size_t end = intEnd;
  bool digits = intEnd > i;
  if (end < t.size() && t[end] == '.') {
    size_t fracEnd = Digits(t, end + 1);
    if (digits || fracEnd > end + 1) {
      end = fracEnd;
      digits = true;
    }
  }
  if (!digits) return 0;
  if (end < t.size() && (t[end] == 'e' || t[end] == 'E')) {
    size_t e = end + 1;
    if (e < t.size() && (t[e] == '+' || t[e] == '-')) ++e;
    size_t expEnd = Digits(t, e);
    if (expEnd > e) end = expEnd;
  }
  return end;
}

// [+-]?d+ for signed fields, d+ for unsigned ones.
size_t ScanInteger(std::string_view t, bool sign) {
  size_t i = 0;
  if (sign && i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
  size_t end = Digits(t, i);
  return end > i ? end : 0;
}

// The real of an accepted prefix. The grammar has already shut out hex, "inf" and "nan", so
// strtod under the "C" locale only adds correct rounding, overflow to infinity and underflow.
double RealOf(std::string_view number) {
  std::string copy(number);
  CCLocaleScope cLocale;
  return std::strtod(copy.c_str(), nullptr);
}

// The integer of an accepted prefix, clamped to [min, max]; `clamped` tells whether it was.
int64_t IntegerOf(std::string_view number, int64_t min, int64_t max, bool& clamped) {
  bool negative = false;
  if (!number.empty() && (number[0] == '+' || number[0] == '-')) {
    negative = number[0] == '-';
    number.remove_prefix(1);
  }
  // Beyond 18 digits every 32-bit range is exceeded; stop accumulating before int64 overflows.
  int64_t v = 0;
  clamped = false;
  for (char c : number) {
    v = v * 10 + (c - '0');
    if (v > int64_t{1} << 40) {
      clamped = true;
      break;
    }
  }
  if (negative) v = -v;
  if (v < min) {
    clamped = true;
    v = min;
  } else if (v > max) {
    clamped = true;
    v = max;
  }
  return v;
}

struct Range {
  int64_t min, max;
};

Range RangeOf(NumberFieldType type) {
  switch (type) {
    case NumberFieldType::Int:
      return {std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()};
    case NumberFieldType::Byte:
      return {0, 255};
    default:
      return {0, std::numeric_limits<uint32_t>::max()};
  }
}

// The number at the start of `text` (blanks already skipped): its length, 0 for none.
size_t Scan(std::string_view text, NumberFieldType type) {
  if (type == NumberFieldType::Real) return ScanReal(text);
  return ScanInteger(text, type == NumberFieldType::Int);
}

}  // namespace

bool IsWellFormedNumber(std::string_view text, NumberFieldType type) {
  std::string_view t = SkipBlanks(text);
  if (t.empty()) return false;
  size_t length = Scan(t, type);
  // Nothing parsed reads as 0, which only a text starting with the digit 0 may be.
  if (length == 0) return false;
  std::string_view number = t.substr(0, length);
  for (char c : t.substr(length))
    if (!IsBlank(c)) return false;
  if (type == NumberFieldType::Real) {
    double v = RealOf(number);
    if (!std::isfinite(v)) return false;
    if (v == 0.0 && t[0] != '0') return false;
    return true;
  }
  Range r = RangeOf(type);
  bool clamped = false;
  int64_t v = IntegerOf(number, r.min, r.max, clamped);
  if (clamped) return false;
  return v != 0 || t[0] == '0';
}

double LenientDouble(std::string_view text) {
  std::string_view t = SkipBlanks(text);
  size_t length = ScanReal(t);
  if (length == 0) return 0.0;
  double v = RealOf(t.substr(0, length));
  if (std::isinf(v)) return v > 0 ? std::numeric_limits<double>::max() : -std::numeric_limits<double>::max();
  return v;
}

int32_t LenientInt(std::string_view text) {
  std::string_view t = SkipBlanks(text);
  size_t length = ScanInteger(t, true);
  if (length == 0) return 0;
  Range r = RangeOf(NumberFieldType::Int);
  bool clamped = false;
  return static_cast<int32_t>(IntegerOf(t.substr(0, length), r.min, r.max, clamped));
}

bool StrictDouble(std::string_view text, double& out) {
  if (!IsWellFormedNumber(text, NumberFieldType::Real)) return false;
  out = LenientDouble(text);
  return true;
}

bool StrictInt(std::string_view text, int32_t& out) {
  if (!IsWellFormedNumber(text, NumberFieldType::Int)) return false;
  out = LenientInt(text);
  return true;
}

bool StrictUnsigned(std::string_view text, uint32_t& out) {
  if (!IsWellFormedNumber(text, NumberFieldType::Unsigned)) return false;
  std::string_view t = SkipBlanks(text);
  bool clamped = false;
  out = static_cast<uint32_t>(IntegerOf(t.substr(0, ScanInteger(t, false)), 0, UINT32_MAX, clamped));
  return true;
}

std::string FormatFieldReal(double value) {
  if (value == 0.0) value = 0.0;  // no "-0"
  return StrPrintf("%.15g", value);
}
