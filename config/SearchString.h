#pragma once
// The search-expression language of part groups, the part search and the part chooser.
//   expression = operand { ("&" | "|") operand }     "&" binds tighter; both group from the left
//   operand    = "(" expression ")" | term
//   term       = ["!"] ( '"' text of 3 or more characters '"' | bare word )
// A bare word runs to the next white space, so "a&b" is one word and "word)" swallows the
// parenthesis. A term "x>" matches texts ending in x, "<x" texts beginning with x, else texts
// containing x.
#include <string>
#include <string_view>
#include <vector>

class CSearchString {
 public:
  // Results of SetExpression.
  static constexpr int kOk = 0;
  static constexpr int kNoMemory = 2;
  static constexpr int kSyntaxError = 4;
  static constexpr int kTermTooLong = 5;
  // Results of Evaluate.
  static constexpr int kMatch = 0;
  static constexpr int kNoMatch = 1;
  static constexpr int kBroken = 3;

  static constexpr size_t kMaxTermLength = 512;
  static constexpr size_t kStackSize = 1024;

  CSearchString() = default;
  virtual ~CSearchString() = default;
  CSearchString(const CSearchString&) = default;
  CSearchString& operator=(const CSearchString&) = default;
  CSearchString(CSearchString&&) = default;
  CSearchString& operator=(CSearchString&&) = default;

  // Compiles the expression once for many evaluations; 0 or an error code above.
  int SetExpression(std::string_view text);
  // 0 when the text matches, 1 when not, 3 when there is no usable program.
  int Evaluate(std::string_view text, bool ignoreCase) const;
  // Evaluate ignoring case, for a text whose letters A-Z were already folded to a-z (FoldText):
  // one folding of each text for many expressions.
  int EvaluateFolded(std::string_view foldedText) const;
  // The text with A-Z folded to a-z, the folding every case-blind comparison here uses.
  static void FoldText(std::string_view text, std::string& folded);

 private:
  enum class ItemKind { Open = 0, Close = 1, Operand = 4, Operator = 5 };
  enum class Op { Or = 0, And = 1, Term = 2 };
  enum class Match { Contains, Prefix, Suffix, All };
  struct Item {
    ItemKind kind = ItemKind::Operand;
    bool negate = false;  // term test only
    Op op = Op::Or;
    std::string data;  // operand: the term text as written
    Match match = Match::Contains;
    std::string pattern;  // operand: the text compared, without its anchor
    std::string folded;   // the pattern with A-Z folded
  };

  int Tokenise(std::string_view text);
  int Compile();
  static Item MakeItem(ItemKind kind, bool negate = false, Op op = Op::Or);
  static Item MakeOperand(std::string term);
  static bool TermMatches(const Item& term, std::string_view text, bool ignoreCase);
  static bool FoldedTermMatches(const Item& term, std::string_view foldedText);
  template <typename Test>
  int Run(const Test& termMatches) const;

  std::string m_text;
  std::vector<Item> m_program;  // postfix
  std::vector<Item> m_tokens;   // emptied after compiling
};
