#pragma once
// The grammar of the numeric fields of the dialogs. A field is red while its text is not one
// well-formed number of the field's type; while the user types, the dialog works on the numeric
// prefix of the text ("lenient"), and only OK insists on a whole, well-formed number ("strict").
// Numbers are read the same way whatever the process locale says, and a 32-bit field is checked
// against the 32-bit range even where `long` is wider.
#include <cstdint>
#include <string>
#include <string_view>

enum class NumberFieldType : int32_t {
  Real = 0,      // decimal real, optional sign and exponent; never "inf", "nan" or hex
  Int = 1,       // 32-bit signed decimal
  Unsigned = 2,  // 32-bit unsigned decimal, no sign
  Byte = 3,      // unsigned decimal below 256
  Count = 4,     // as Unsigned
};

// The whole text is one number of the type: blanks and tabs may stand before and after it, a
// value of 0 must be written starting with the digit 0 ("+0", "-0" and ".0" are refused), and
// the value must lie in the type's range.
bool IsWellFormedNumber(std::string_view text, NumberFieldType type);

// The value of the numeric prefix of the text (after leading blanks), 0 when there is none;
// values beyond the range saturate instead of overflowing. Never an error.
double LenientDouble(std::string_view text);
int32_t LenientInt(std::string_view text);

// Whole-text conversions for OK: false unless IsWellFormedNumber holds.
bool StrictDouble(std::string_view text, double& out);
bool StrictInt(std::string_view text, int32_t& out);
bool StrictUnsigned(std::string_view text, uint32_t& out);

// The text a real field is filled with: 15 significant digits, "C" locale, no trailing zeros.
std::string FormatFieldReal(double value);
