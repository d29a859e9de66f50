#pragma once
// Numbers in model text, settings and the log are read and written the same way whatever the
// process locale says (GTK sets LC_NUMERIC from the environment, which would turn "0.5" into
// "0,5"). Every printf- and scanf-style call of the program goes through these functions, which
// run under the "C" locale.
#include <cstdarg>
#include <cstdint>
#include <string>
#include <string_view>

// printf into a std::string, any length, "C" locale.
std::string StrPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string VStrPrintf(const char* format, va_list args);

// sscanf under the "C" locale; returns what sscanf returns.
int StrScanf(const char* text, const char* format, ...) __attribute__((format(scanf, 2, 3)));

// A real as C's "%g" writes it ("C" locale): settings and the log.
std::string FormatG(double value);
// A real of a model file: the shortest text of at most 9 significant digits that reads back as the
// same double, else the value rounded to 9 digits (so float noise such as 1.0000000000000002
// comes out as "1"); laid out as "%.9g" lays it out, "C" locale. A value read from a file is thus
// written back unchanged.
std::string FormatReal(double value);
// The same text written to text, which has room for kRealTextSize chars (no terminator is
// written); returns its length. Writers of many numbers use it to build a line without a string
// per number.
constexpr size_t kRealTextSize = 32;
size_t FormatRealTo(double value, char* text);
// A single-precision value (the rotation-step angles, the primitive dialog's fields) in the
// shortest text that reads back as the same float: 0.1f is "0.1", not "0.100000001".
std::string FormatReal(float value);
// A single-precision value widened to the double that its shortest text reads as, so that a value
// typed as 12.3 is kept (and written) as 12.3 rather than as 12.3000001907.
double WidenFloat(float value);
// A 32-bit unsigned value in decimal, as the Parts' "%lu" writes colour numbers and counts.
std::string FormatU32(uint32_t value);

// Whole-text conversions: leading and trailing blanks are allowed, anything else is refused;
// so are reals that are not finite (a "nan" in a model file must not reach the geometry).
bool ParseDouble(std::string_view text, double& out);
bool ParseInt32(std::string_view text, int32_t& out);    // decimal, optional sign
bool ParseUInt32(std::string_view text, uint32_t& out);  // decimal
bool ParseHex32(std::string_view text, uint32_t& out);   // hexadecimal, optional "0x"

// Reads a line word by word: the fast path of the model reader (no sscanf per field).
class CTokenReader {
 public:
  explicit CTokenReader(std::string_view text) : m_rest(text) {}
  // The next run of non-blank characters, or an empty view at the end.
  std::string_view NextWord();
  // The next word as a number; false (and nothing consumed) when it is not one.
  bool NextDouble(double& out);
  bool NextInt32(int32_t& out);
  // What is left after the blanks that follow the last word read.
  std::string_view Rest() const;
  bool AtEnd() const { return Rest().empty(); }

 private:
  std::string_view m_rest;
};

// Runs the calling thread under the "C" locale while it lives.
class CCLocaleScope {
 public:
  CCLocaleScope();
  ~CCLocaleScope();
  CCLocaleScope(const CCLocaleScope&) = delete;
  CCLocaleScope& operator=(const CCLocaleScope&) = delete;

 private:
  void* m_previous;
};
