// The grammar of the dialogs' numeric fields, as tables of texts and verdicts.
#include <gtest/gtest.h>

#include <clocale>
#include <limits>
#include <cstdint>
#include <string>

#include "platform/NumberField.h"

namespace {

constexpr NumberFieldType R = NumberFieldType::Real;
constexpr NumberFieldType I = NumberFieldType::Int;
constexpr NumberFieldType U = NumberFieldType::Unsigned;
constexpr NumberFieldType B = NumberFieldType::Byte;
constexpr NumberFieldType C = NumberFieldType::Count;

struct Case {
  const char* text;
  NumberFieldType type;
  bool valid;
};

const Case kCases[] = {
    // Blanks and tabs around a number are allowed; anything else after it is not.
    {"  12.5  ", R, true},
    {"\t12.5\t ", R, true},
    {"12.5x", R, false},
    {"12.5 x", R, false},
    {"", R, false},
    {"   ", R, false},
    {"\t", I, false},
    // Exponents; an exponent without digits leaves its letter behind.
    {"1e3", R, true},
    {"-2.5E-2", R, true},
    {"1e", R, false},
    {"1e+", R, false},
    // C's strtod would take these; a field does not.
    {"inf", R, false},
    {"-infinity", R, false},
    {"nan", R, false},
    {"0x1p4", R, false},
    {"1e999", R, false},
    // Zero must be written starting with the digit 0.
    {"0", R, true},
    {"0.0", R, true},
    {"00", I, true},
    {"-0", R, false},
    {"+0", I, false},
    {".0", R, false},
    {".5", R, true},
    {"5.", R, true},
    {"-.5", R, true},
    {".", R, false},
    {"-", I, false},
    {"abc", R, false},
    // Base 10 only: the parse stops at the x.
    {"0x10", I, false},
    {"12.5", I, false},
    // 32 bits, whatever size `long` has.
    {"2147483647", I, true},
    {"2147483648", I, false},
    {"-2147483648", I, true},
    {"-2147483649", I, false},
    {"3000000000", I, false},
    {"99999999999999999999999", I, false},
    {"4294967295", U, true},
    {"4294967296", U, false},
    {"3000000000", C, true},
    // Unsigned fields take no sign (strtoul would turn -5 into a huge number).
    {"-5", U, false},
    {"-5", C, false},
    {"+5", U, false},
    {"300", I, true},
    {"300", U, true},
    {"300", C, true},
    {"300", B, false},
    {"256", B, false},
    {"255", B, true},
    {"0", B, true},
};

TEST(NumberField, Grammar) {
  for (const Case& c : kCases)
    EXPECT_EQ(IsWellFormedNumber(c.text, c.type), c.valid)
        << '"' << c.text << "\" as type " << static_cast<int>(c.type);
}

TEST(NumberField, LenientValuesTakeTheNumericPrefix) {
  struct Lenient {
    const char* text;
    double real;
    int32_t integer;
  };
  const Lenient cases[] = {
      {"12abc", 12, 12},      {"abc", 0, 0},       {"1e3", 1000, 1},     {"1e", 1, 1},
      {"  -7.9 ", -7.9, -7}, {"", 0, 0},          {"0x10", 0, 0},       {"+4", 4, 4},
      {"inf", 0, 0},          {"nan", 0, 0},       {".5x", 0.5, 0},
      // Overflow saturates.
      {"99999999999", 99999999999.0, INT32_MAX}, {"-99999999999", -99999999999.0, INT32_MIN},
  };
  for (const Lenient& c : cases) {
    EXPECT_DOUBLE_EQ(LenientDouble(c.text), c.real) << c.text;
    EXPECT_EQ(LenientInt(c.text), c.integer) << c.text;
  }
  EXPECT_EQ(LenientDouble("1e999"), std::numeric_limits<double>::max());
}

TEST(NumberField, StrictConversions) {
  double d = -1;
  EXPECT_TRUE(StrictDouble(" 2.25 ", d));
  EXPECT_EQ(d, 2.25);
  EXPECT_FALSE(StrictDouble("2.25cm", d));
  EXPECT_EQ(d, 2.25);  // unchanged on failure
  int32_t i = -1;
  EXPECT_TRUE(StrictInt("-17", i));
  EXPECT_EQ(i, -17);
  EXPECT_FALSE(StrictInt("2147483648", i));
  uint32_t u = 0;
  EXPECT_TRUE(StrictUnsigned("4294967295", u));
  EXPECT_EQ(u, 4294967295u);
}

TEST(NumberField, FieldRealsHoldFifteenDigits) {
  EXPECT_EQ(FormatFieldReal(0.1), "0.1");
  EXPECT_EQ(FormatFieldReal(1.0 / 3.0), "0.333333333333333");
  EXPECT_EQ(FormatFieldReal(-0.0), "0");
  EXPECT_EQ(FormatFieldReal(1e20), "1e+20");
}

// GTK sets LC_NUMERIC from the environment; a comma-decimal locale must change nothing.
TEST(NumberField, CommaLocaleChangesNothing) {
  const char* locales[] = {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8"};
  std::string previous = std::setlocale(LC_NUMERIC, nullptr);
  bool set = false;
  for (const char* name : locales)
    if (std::setlocale(LC_NUMERIC, name)) {
      set = true;
      break;
    }
  if (!set) GTEST_SKIP() << "no comma-decimal locale installed";
  EXPECT_TRUE(IsWellFormedNumber("12.5", R));
  EXPECT_FALSE(IsWellFormedNumber("12,5", R));
  EXPECT_EQ(LenientDouble("12.5"), 12.5);
  EXPECT_EQ(FormatFieldReal(12.5), "12.5");
  std::setlocale(LC_NUMERIC, previous.c_str());
}

}  // namespace
