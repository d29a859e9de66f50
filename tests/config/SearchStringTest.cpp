#include <gtest/gtest.h>

#include <string>

#include "config/SearchString.h"

namespace {

constexpr int M = CSearchString::kMatch;
constexpr int N = CSearchString::kNoMatch;

struct MatchCase {
  const char* expression;
  const char* text;
  bool ignoreCase;
  int expected;
};

TEST(SearchString, Matches) {
  const MatchCase cases[] = {
      // prefix and contains, with and without case
      {"<Zeb &-Zgr1-", "ZEB Axle 3 -Zgr1-", true, M},
      {"<Zeb &-Zgr1-", "ZEB Axle 3 -Zgr1-", false, N},
      {"<Zeb &-Zgr1-", "Zeb Axle 3 -Zgr2-", true, N},
      {"<Zeb &-Zgr1-", "Axle Zeb -Zgr1-", true, N},
      // precedence: a | b & c = a | (b & c)
      {"a | b & c", "a", false, M},
      {"a | b & c", "b", false, N},
      {"a | b & c", "bc", false, M},
      // a & b | c = (a & b) | c
      {"a & b | c", "c", false, M},
      {"a & b | c", "a", false, N},
      {"a & b | c", "ab", false, M},
      {"( a | b ) & c", "b", false, N},
      {"( a | b ) & c", "bc", false, M},
      {"(a | b ) & c", "ac", false, M},
      // negation
      {"!brick", "Plate 1 x 2", true, M},
      {"!brick", "Brick 1 x 2", true, N},
      {"!brick", "Brick 1 x 2", false, M},
      {"! brick", "a brick", false, N},
      {"!brick & !plate", "Tile", true, M},
      // anchors
      {".dat>", "3001.dat", false, M},
      {".dat>", "3001.ldr", false, N},
      {".DAT>", "3001.dat", true, M},
      {"<", "anything", false, M},
      {">", "", false, M},
      {"<Brick", "Bri", false, N},
      {"<abc>", "x<abc", false, M},  // the ">" rule is tested first
      // quoted terms may hold blanks and operators; what follows a closing quote is recognised
      {"\"2 x 4\"", "Brick  2 x 4", false, M},
      {"\"a & b\"", "a & b", false, M},
      {"\"a & b\"|zzz", "zzz", false, M},
      {"!\"x | y\"", "x | y", false, N},
      // "a&b" is one word
      {"a&b", "xa&by", false, M},
      {"a&b", "ab", false, N},
      {"&a", "a", false, CSearchString::kBroken},
  };
  for (const MatchCase& c : cases) {
    CSearchString s;
    int rc = s.SetExpression(c.expression);
    if (c.expected == CSearchString::kBroken) {
      EXPECT_NE(rc, 0) << c.expression;
      EXPECT_EQ(s.Evaluate(c.text, c.ignoreCase), CSearchString::kBroken) << c.expression;
      continue;
    }
    ASSERT_EQ(rc, 0) << c.expression;
    EXPECT_EQ(s.Evaluate(c.text, c.ignoreCase), c.expected) << c.expression << " on " << c.text;
    // A text folded once answers as Evaluate ignoring case does.
    std::string folded;
    CSearchString::FoldText(c.text, folded);
    EXPECT_EQ(s.EvaluateFolded(folded), s.Evaluate(c.text, true)) << c.expression << " on " << c.text;
  }
}

TEST(SearchString, CompileErrors) {
  struct Case {
    std::string expression;
    int code;
  } cases[] = {
      {"", 4},
      {"   \t", 4},
      {"\"ab\"", 4},  // a quoted text of two characters
      {"\"abc\"", 0},
      {"\"abc", 4},    // unterminated quote
      {"(a | b", 4},   // unclosed "("
      {"a &", 4},      // ends with an operator
      {"a b", 4},      // two words without an operator
      {"(a | b)", 4},  // the last word swallows the parenthesis
      {"(a | b )", 0},
      {"a )", 4},  // closing without opening
      {"& a", 4},
      {"a & | b", 4},
      {"!", 4},
      {"a & !", 4},
      {"()", 4},
      {"a (b)", 4},
      {std::string(512, 'x'), 0},
      {std::string(513, 'x'), 5},
      {"a | \"" + std::string(513, 'y') + "\"", 5},
  };
  for (const Case& c : cases) {
    CSearchString s;
    EXPECT_EQ(s.SetExpression(c.expression), c.code) << c.expression;
  }
}

TEST(SearchString, UncompiledOrFailedExpressionCannotBeEvaluated) {
  CSearchString s;
  EXPECT_EQ(s.Evaluate("x", true), CSearchString::kBroken);
  ASSERT_EQ(s.SetExpression("x"), 0);
  EXPECT_EQ(s.Evaluate("x", true), M);
  ASSERT_EQ(s.SetExpression("x &"), 4);
  EXPECT_EQ(s.Evaluate("x", true), CSearchString::kBroken);
}

// Deep nesting stays within the evaluation stack: parentheses do not take stack room.
TEST(SearchString, LongExpressions) {
  std::string many = "t0";
  for (int i = 1; i < 2000; ++i) many += " | t" + std::to_string(i);
  CSearchString s;
  ASSERT_EQ(s.SetExpression(many), 0);
  EXPECT_EQ(s.Evaluate("xt1999x", false), M);
  EXPECT_EQ(s.Evaluate("none", false), N);
  std::string nested = std::string(3000, '(') + "a" + std::string(3000, ' ');
  for (int i = 0; i < 3000; ++i) nested += " )";
  ASSERT_EQ(s.SetExpression(nested), 0);
  EXPECT_EQ(s.Evaluate("a", false), M);
}

}  // namespace
