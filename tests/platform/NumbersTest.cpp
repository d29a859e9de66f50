#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "platform/Numbers.h"
#include "support/TestData.h"

namespace {

struct FormatCase {
  double value;
  const char* text;
};

// Expected texts are those of C's "%g" in the "C" locale.
const FormatCase kFormatCases[] = {
    {0.0, "0"},         {-0.0, "-0"},          {1.5, "1.5"},           {-12.25, "-12.25"},
    {100000, "100000"}, {1000000, "1e+06"},    {0.0001, "0.0001"},     {0.00001, "1e-05"},
    {1.0 / 3, "0.333333"}, {123456789, "1.23457e+08"}, {20.000001, "20"}, {-0.5, "-0.5"},
};

TEST(Numbers, FormatGMatchesPrintfInAnyLocale) {
  REQUIRE_GERMAN_LOCALE(german);
  char probe[32];
  std::snprintf(probe, sizeof probe, "%g", 1.5);
  ASSERT_STREQ(probe, "1,5") << "the locale should use a decimal comma for this test to mean anything";
  for (const FormatCase& c : kFormatCases) {
    EXPECT_EQ(FormatG(c.value), c.text) << c.value;
    EXPECT_EQ(StrPrintf("%g", c.value), c.text) << c.value;
  }
}

TEST(Numbers, ParseRoundTripUnderCommaLocale) {
  REQUIRE_GERMAN_LOCALE(german);
  for (const FormatCase& c : kFormatCases) {
    double back = 42;
    ASSERT_TRUE(ParseDouble(c.text, back)) << c.text;
    EXPECT_EQ(FormatG(back), c.text);
  }
  double v = 0;
  EXPECT_TRUE(ParseDouble(" 0.5 ", v));
  EXPECT_EQ(v, 0.5);
  EXPECT_FALSE(ParseDouble("0,5", v));
  float f1 = 0, f2 = 0;
  EXPECT_EQ(StrScanf("1.25 -3.5", "%f %f", &f1, &f2), 2);
  EXPECT_EQ(f1, 1.25f);
  EXPECT_EQ(f2, -3.5f);
}

TEST(Numbers, ParseRefusesJunkAndNonFinite) {
  double v = 7;
  for (const char* bad : {"", " ", "abc", "1.5x", "nan", "inf", "-inf", "1e999", "--1", "1 2"}) {
    EXPECT_FALSE(ParseDouble(bad, v)) << bad;
    EXPECT_EQ(v, 7) << "a refused text leaves the value alone";
  }
  EXPECT_TRUE(ParseDouble("+2e3", v));
  EXPECT_EQ(v, 2000);
}

// Reals of model files: the shortest text of at most 9 significant digits that reads back as the
// same double, else the 9-digit rounding; laid out as "%.9g" would (expected texts worked out by
// hand from those two rules).
const FormatCase kRealCases[] = {
    {0.0, "0"},
    {-0.0, "-0"},
    {-1212.641, "-1212.641"},          // "%g" wrote -1212.64
    {20.000001, "20.000001"},
    {123456789, "123456789"},
    {1234567890, "1.23456789e+09"},
    {1000000, "1000000"},
    {1e9, "1e+09"},
    {0.0001, "0.0001"},
    {0.00001, "1e-05"},
    {-1.5e-7, "-1.5e-07"},
    {1e-300, "1e-300"},
    {1.0 / 3, "0.333333333"},          // no 9-digit text reads back: rounded
    {0.7071067811865476, "0.707106781"},
    {1.0000000000000002, "1"},         // float noise of a rotation
    {-0.9999999999999998, "-1"},
    {0.1 + 0.2, "0.3"},
    {123456.78949, "123456.789"},
    {999999999.6, "1e+09"},            // the rounding carries into the exponent
    {-40.5, "-40.5"},
    {1e21, "1e+21"},
};

TEST(Numbers, FormatRealIsShortestUpToNineDigits) {
  REQUIRE_GERMAN_LOCALE(german);
  for (const FormatCase& c : kRealCases) EXPECT_EQ(FormatReal(c.value), c.text) << c.text;
}

// The writers of whole lines take the same text into a buffer of their own, also for values that
// no model file holds.
TEST(Numbers, FormatRealToWritesTheSameText) {
  REQUIRE_GERMAN_LOCALE(german);
  std::vector<double> values = {HUGE_VAL, -HUGE_VAL, std::nan(""), -1.7976931348623157e308,
                                4.9406564584124654e-324};
  for (const FormatCase& c : kRealCases) values.push_back(c.value);
  for (const double value : values) {
    char text[kRealTextSize + 1];
    std::memset(text, '#', sizeof text);
    const size_t length = FormatRealTo(value, text);
    ASSERT_LE(length, kRealTextSize);
    EXPECT_EQ(std::string(text, length), FormatReal(value));
    EXPECT_EQ(text[kRealTextSize], '#');  // nothing written past the room given
  }
}

// Every value with at most 9 significant digits comes back bit for bit: a deterministic sweep over
// mantissas and exponents.
TEST(Numbers, FormatRealReadsBackBitIdentical) {
  uint64_t state = 12345;
  for (int i = 0; i < 20000; ++i) {
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    const long long mantissa = static_cast<long long>((state >> 20) % 1000000000ULL) * ((state & 1) ? -1 : 1);
    const int exponent = static_cast<int>((state >> 8) % 24) - 12;
    const std::string text = std::to_string(mantissa) + "e" + std::to_string(exponent);
    double value = 0, back = 0;
    ASSERT_TRUE(ParseDouble(text, value)) << text;
    const std::string written = FormatReal(value);
    ASSERT_TRUE(ParseDouble(written, back)) << written;
    ASSERT_EQ(std::memcmp(&value, &back, sizeof value), 0) << text << " written as " << written;
    ASSERT_LE(written.size(), 16u) << written;
  }
}

// Values of up to nine digits (most numbers of a model) are written as their decimal text, whichever way the writer takes: m / 10^d written from m and d by hand.
TEST(Numbers, FormatRealWritesShortDecimalsAsTheirText) {
  uint64_t state = 987654321;
  for (int i = 0; i < 20000; ++i) {
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    const int d = static_cast<int>((state >> 8) % 10);
    const long long limit = (state >> 12) % 3 == 0 ? 1000 : 1000000000;
    const long long m = static_cast<long long>((state >> 20) % static_cast<uint64_t>(limit));
    if (m == 0) continue;
    const bool negative = state & 1;
    std::string digits = std::to_string(m);
    if (static_cast<int>(digits.size()) <= d) digits.insert(0, static_cast<size_t>(d) + 1 - digits.size(), '0');
    std::string text = d == 0 ? digits : digits.substr(0, digits.size() - d) + "." + digits.substr(digits.size() - d);
    if (d > 0) {
      while (text.back() == '0') text.pop_back();
      if (text.back() == '.') text.pop_back();
    }
    if (negative) text.insert(0, "-");
    static constexpr double kPowers[] = {1, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};
    const double value = (negative ? -1.0 : 1.0) * static_cast<double>(m) / kPowers[d];
    if (std::fabs(value) < 1e-4) continue;  // written as "%g" writes small values: d.dde-XX
    ASSERT_EQ(FormatReal(value), text) << m << "e-" << d;
  }
  EXPECT_EQ(FormatReal(0.0), "0");
  EXPECT_EQ(FormatReal(-0.0), "-0");
  EXPECT_EQ(FormatReal(0.0001), "0.0001");
  EXPECT_EQ(FormatReal(0.00012), "0.00012");
  EXPECT_EQ(FormatReal(999999999.0), "999999999");
  EXPECT_EQ(FormatReal(0.70710678118654757), "0.707106781");
}

TEST(Numbers, SinglePrecisionValuesHaveNoNoiseDigits) {
  EXPECT_EQ(FormatReal(0.1f), "0.1");
  EXPECT_EQ(FormatReal(12.3f), "12.3");
  EXPECT_EQ(FormatReal(-22.5f), "-22.5");
  EXPECT_EQ(WidenFloat(12.3f), 12.3);
  EXPECT_EQ(WidenFloat(0.1f), 0.1);
  EXPECT_EQ(static_cast<float>(WidenFloat(1.17549435e-38f)), 1.17549435e-38f);
  EXPECT_EQ(FormatReal(static_cast<double>(0.1f)), "0.100000001") << "a double is written as the double it is";
}

TEST(Numbers, Integers) {
  int32_t i = 0;
  uint32_t u = 0;
  EXPECT_TRUE(ParseInt32("-5", i));
  EXPECT_EQ(i, -5);
  EXPECT_FALSE(ParseInt32("2147483648", i));
  EXPECT_TRUE(ParseUInt32("4294967295", u));
  EXPECT_EQ(u, 4294967295u);
  EXPECT_FALSE(ParseUInt32("4294967296", u));
  EXPECT_FALSE(ParseUInt32("-1", u));
  EXPECT_TRUE(ParseHex32("0x2FF0000", u));
  EXPECT_EQ(u, 0x2FF0000u);
  EXPECT_TRUE(ParseHex32("ff", u));
  EXPECT_EQ(u, 0xFFu);
  EXPECT_EQ(FormatU32(4294967295u), "4294967295");
  EXPECT_EQ(FormatU32(static_cast<uint32_t>(-1)), "4294967295");
}

TEST(Numbers, StrPrintfHasNoLengthLimit) {
  std::string big(20000, 'x');
  EXPECT_EQ(StrPrintf("<%s>", big.c_str()).size(), 20002u);
}

TEST(Numbers, TokenReader) {
  CTokenReader r("  1 16\t0.5 -2 rest of it  ");
  int32_t a = 0, b = 0;
  double c = 0, d = 0;
  EXPECT_TRUE(r.NextInt32(a));
  EXPECT_TRUE(r.NextInt32(b));
  EXPECT_TRUE(r.NextDouble(c));
  EXPECT_TRUE(r.NextDouble(d));
  EXPECT_EQ(a + b, 17);
  EXPECT_EQ(c, 0.5);
  EXPECT_EQ(d, -2);
  EXPECT_FALSE(r.NextDouble(c));
  EXPECT_EQ(r.Rest(), "rest of it  ");
  EXPECT_EQ(r.NextWord(), "rest");
}

}  // namespace
