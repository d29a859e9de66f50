#include "platform/Numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <clocale>
#include <cstdio>
#include <locale.h>

namespace {
locale_t CLocale() {
  static locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return loc;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

std::string_view TrimBlanks(std::string_view t) {
  while (!t.empty() && IsBlank(t.front())) t.remove_prefix(1);
  while (!t.empty() && IsBlank(t.back())) t.remove_suffix(1);
  return t;
}

template <typename T>
bool ParseIntegral(std::string_view text, T& out, int base) {
  text = TrimBlanks(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty()) return false;
  T value{};
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (ec != std::errc() || end != text.data() + text.size()) return false;
  out = value;
  return true;
}
}  // namespace

CCLocaleScope::CCLocaleScope() : m_previous(uselocale(CLocale())) {}
CCLocaleScope::~CCLocaleScope() { uselocale(static_cast<locale_t>(m_previous)); }

std::string VStrPrintf(const char* format, va_list args) {
  CCLocaleScope c;
  char small[512];
  va_list copy;
  va_copy(copy, args);
  int n = std::vsnprintf(small, sizeof small, format, copy);
  va_end(copy);
  if (n < 0) return {};
  if (static_cast<size_t>(n) < sizeof small) return std::string(small, static_cast<size_t>(n));
  std::string out(static_cast<size_t>(n), '\0');
  std::vsnprintf(out.data(), out.size() + 1, format, args);
  return out;
}

std::string StrPrintf(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string out = VStrPrintf(format, args);
  va_end(args);
  return out;
}

int StrScanf(const char* text, const char* format, ...) {
  CCLocaleScope c;
  va_list args;
  va_start(args, format);
  int n = std::vsscanf(text, format, args);
  va_end(args);
  return n;
}

std::string FormatG(double value) {
  // to_chars with the general format and precision 6 writes what printf's "%g" writes.
  char buf[64];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 6);
  if (ec != std::errc()) return StrPrintf("%g", value);
  return std::string(buf, end);
}

namespace {

constexpr double kPowers[] = {1, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};

// m / 10^d as text: "-" when negative, the digits, the decimal point before the last d of them.
int WriteDecimal(long long m, int d, bool negative, char* text) {
  char buf[24];
  char* end = std::to_chars(buf, buf + sizeof buf, m).ptr;
  const int digits = static_cast<int>(end - buf);
  int k = 0;
  if (negative) text[k++] = '-';
  if (digits <= d) {
    text[k++] = '0';
    text[k++] = '.';
    for (int i = digits; i < d; ++i) text[k++] = '0';
    for (int i = 0; i < digits; ++i) text[k++] = buf[i];
  } else {
    for (int i = 0; i < digits - d; ++i) text[k++] = buf[i];
    if (d > 0) {
      text[k++] = '.';
      for (int i = digits - d; i < digits; ++i) text[k++] = buf[i];
    }
  }
  return k;
}

// The fewest decimals d (0 to 9, while magnitude * 10^d stays below 10^9) for which magnitude is
// the double nearest to m / 10^d, tried one after the other.
int FormatShortDecimalByTries(double value, char* text) {
  const double magnitude = std::fabs(value);
  for (int d = 0; d < 10; ++d) {
    const double scaled = magnitude * kPowers[d];
    if (scaled >= 1e9) return 0;
    const long long m = static_cast<long long>(scaled + 0.5);
    if (static_cast<double>(m) / kPowers[d] == magnitude) return WriteDecimal(m, d, value < 0, text);
  }
  return 0;
}

// Most numbers of a model are whole or have a few decimals (positions in LDU, matrix entries
// 0 and 1, rotations with a few decimals). When value is exactly the double nearest to m / 10^d
// with at most 9 digits, that text is its shortest round trip; written without the general
// conversion. Returns the length written to text (room for 32 chars), 0 when value is no such
// decimal.
//
// The fewest decimals come from the most: when m / 10^d rounds to magnitude, magnitude * 10^top
// lies within 10^-6 of m * 10^(top - d), so rounding it gives that integer and its trailing zeros
// give d (or fewer, for a quotient that is the same number). A value that fails the check goes
// through the tries, the rule as first stated, which then find nothing.
int FormatShortDecimal(double value, char* text) {
  const double magnitude = std::fabs(value);
  if (!(magnitude >= 1e-4 && magnitude < 1e9)) return 0;
  int d = 9;
  while (d > 0 && magnitude * kPowers[d] >= 1e9) --d;
  long long m = static_cast<long long>(magnitude * kPowers[d] + 0.5);
  while (d > 0 && m % 10 == 0) {
    m /= 10;
    --d;
  }
  if (static_cast<double>(m) / kPowers[d] == magnitude) return WriteDecimal(m, d, value < 0, text);
  return FormatShortDecimalByTries(value, text);
}

}  // namespace

std::string FormatReal(double value) {
  if (!std::isfinite(value)) return FormatG(value);
  if (value == 0) return std::signbit(value) ? "-0" : "0";
  if (char shortText[32]; const int length = FormatShortDecimal(value, shortText))
    return std::string(shortText, static_cast<size_t>(length));
  // The digits and the decimal exponent: the shortest round trip, or 9 digits rounded. Fixed
  // buffers throughout: undo snapshots write every number of the project after each change.
  char sci[64];
  auto [end, ec] = std::to_chars(sci, sci + sizeof sci, value, std::chars_format::scientific);
  if (ec != std::errc()) return FormatG(value);
  auto digitsOf = [](const char* from, const char* to, char* digits, int& count, int& exponent) {
    count = 0;
    const char* p = from;
    for (; p < to && *p != 'e'; ++p)
      if (*p >= '0' && *p <= '9') digits[count++] = *p;
    exponent = 0;
    if (p < to) std::from_chars(p + 1 + (p[1] == '+' ? 1 : 0), to, exponent);
  };
  char digits[32];
  int n = 0, exponent = 0;
  digitsOf(sci, end, digits, n, exponent);
  if (n > 9) {
    auto [end9, ec9] = std::to_chars(sci, sci + sizeof sci, value, std::chars_format::scientific, 8);
    if (ec9 != std::errc()) return FormatG(value);
    digitsOf(sci, end9, digits, n, exponent);
  }
  while (n > 1 && digits[n - 1] == '0') --n;
  char out[48];
  int k = 0;
  if (std::signbit(value)) out[k++] = '-';
  if (n == 1 && digits[0] == '0') {
    out[k++] = '0';
  } else if (exponent < -4 || exponent >= 9) {
    // As "%g" writes large and small values: d.ddde+XX.
    out[k++] = digits[0];
    if (n > 1) {
      out[k++] = '.';
      for (int i = 1; i < n; ++i) out[k++] = digits[i];
    }
    out[k++] = 'e';
    out[k++] = exponent < 0 ? '-' : '+';
    const int magnitude = exponent < 0 ? -exponent : exponent;
    if (magnitude < 10) out[k++] = '0';
    k = static_cast<int>(std::to_chars(out + k, out + sizeof out, magnitude).ptr - out);
  } else if (exponent < 0) {
    out[k++] = '0';
    out[k++] = '.';
    for (int i = 0; i < -exponent - 1; ++i) out[k++] = '0';
    for (int i = 0; i < n; ++i) out[k++] = digits[i];
  } else {
    for (int i = 0; i <= exponent; ++i) out[k++] = i < n ? digits[i] : '0';
    if (n > exponent + 1) {
      out[k++] = '.';
      for (int i = exponent + 1; i < n; ++i) out[k++] = digits[i];
    }
  }
  return std::string(out, static_cast<size_t>(k));
}

std::string FormatReal(float value) {
  if (!std::isfinite(value)) return FormatG(value);
  // A float's shortest text has at most 9 digits; the double of that text is laid out the same.
  char buf[64];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific);
  double widened = 0;
  if (ec != std::errc() || std::from_chars(buf, end, widened).ec != std::errc()) return FormatG(value);
  return FormatReal(widened);
}

double WidenFloat(float value) {
  if (!std::isfinite(value)) return value;
  char buf[64];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific);
  double widened = value;
  if (ec == std::errc()) std::from_chars(buf, end, widened);
  return widened;
}

size_t FormatRealTo(double value, char* text) {
  if (std::isfinite(value) && value != 0)
    if (const int length = FormatShortDecimal(value, text)) return static_cast<size_t>(length);
  const std::string general = FormatReal(value);
  const size_t length = std::min(general.size(), kRealTextSize);
  std::memcpy(text, general.data(), length);
  return length;
}

std::string FormatU32(uint32_t value) { return std::to_string(value); }

bool ParseDouble(std::string_view text, double& out) {
  text = TrimBlanks(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty()) return false;
  double value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) return false;
  out = value;
  return true;
}

bool ParseInt32(std::string_view text, int32_t& out) { return ParseIntegral(text, out, 10); }
bool ParseUInt32(std::string_view text, uint32_t& out) { return ParseIntegral(text, out, 10); }

bool ParseHex32(std::string_view text, uint32_t& out) {
  text = TrimBlanks(text);
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text.remove_prefix(2);
  return ParseIntegral(text, out, 16);
}

std::string_view CTokenReader::NextWord() {
  size_t i = 0;
  while (i < m_rest.size() && IsBlank(m_rest[i])) ++i;
  size_t j = i;
  while (j < m_rest.size() && !IsBlank(m_rest[j])) ++j;
  std::string_view word = m_rest.substr(i, j - i);
  m_rest.remove_prefix(j);
  return word;
}

bool CTokenReader::NextDouble(double& out) {
  std::string_view saved = m_rest;
  if (ParseDouble(NextWord(), out)) return true;
  m_rest = saved;
  return false;
}

bool CTokenReader::NextInt32(int32_t& out) {
  std::string_view saved = m_rest;
  if (ParseInt32(NextWord(), out)) return true;
  m_rest = saved;
  return false;
}

std::string_view CTokenReader::Rest() const {
  std::string_view r = m_rest;
  while (!r.empty() && IsBlank(r.front())) r.remove_prefix(1);
  return r;
}
