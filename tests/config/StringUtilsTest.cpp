#include <gtest/gtest.h>

#include "config/StringUtils.h"
#include "tests/support/TestData.h"

namespace {

TEST(StringUtils, TrimString) {
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {{"", ""}, {"   ", ""}, {" a b \r\n", "a b"}, {"\tx", "x"}, {"abc", "abc"}};
  for (const Case& c : cases) {
    std::string s = c.in;
    EXPECT_EQ(TrimString(s), static_cast<int>(std::string(c.out).size())) << c.in;
    EXPECT_EQ(s, c.out);
  }
}

TEST(StringUtils, ContainsNoCase) {
  EXPECT_EQ(ContainsNoCase("Brick 2 x 4", "BRICK"), 0);
  EXPECT_EQ(ContainsNoCase("Brick 2 x 4", "x 4"), 0);
  EXPECT_EQ(ContainsNoCase("Brick", "Plate"), 1);
  EXPECT_EQ(ContainsNoCase("", "a"), 1);
  EXPECT_EQ(ContainsNoCase("a", ""), 1);
  EXPECT_EQ(ContainsNoCase("ab", "abc"), 1);
}

TEST(StringUtils, GetNthWord) {
  EXPECT_EQ(GetNthWord("  one two", 1), "two");
  EXPECT_EQ(GetNthWord("  one two", 0), "one");
  EXPECT_EQ(GetNthWord("  one two", 2), "");
  EXPECT_EQ(GetNthWord("", 0), "");
  std::string_view text = "a  b";
  EXPECT_EQ(GetNthWord(text, 1).data(), text.data() + 3) << "points into the text";
}

TEST(StringUtils, GetSubString) {
  EXPECT_EQ(GetSubString("a|b|c", 0), "a");
  EXPECT_EQ(GetSubString("a|b|c", 2), "c");
  EXPECT_EQ(GetSubString("a|b|c", 3), "");
  EXPECT_EQ(GetSubString("whole", 0), "whole");
  EXPECT_EQ(GetSubString("a||c", 1), "");
}

TEST(StringUtils, CaseHelpers) {
  EXPECT_EQ(ToLowerAscii("P\\STUD.DAT"), "p\\stud.dat");
  EXPECT_TRUE(EqualsNoCase("3001.DAT", "3001.dat"));
  EXPECT_FALSE(EqualsNoCase("3001.dat", "3001.da"));
  EXPECT_TRUE(StartsWithNoCase("Model\\x", "MODEL\\"));
}

// File names fold A-Z only, whatever the process locale: bytes of other characters (UTF-8 or
// Latin-1 umlauts) and the characters next to the letters stay as they are.
TEST(StringUtils, CaseFoldingIsAsciiOnlyInAnyLocale) {
  const std::string before = ToLowerAscii("@AZ[`az{\xC4\xE4\xC3\x84");
  {
    REQUIRE_GERMAN_LOCALE(locale);
    EXPECT_EQ(ToLowerAscii("@AZ[`az{\xC4\xE4\xC3\x84"), before);
    EXPECT_FALSE(EqualsNoCase("\xC4.dat", "\xE4.dat"));
  }
  EXPECT_EQ(before, "@az[`az{\xC4\xE4\xC3\x84");
}

}  // namespace
