#include "config/SearchString.h"

#include <array>
#include <cctype>
#include <new>

namespace {

bool IsBlank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }
// A-Z only, inline: the locale's tolower per character was a good part of building the groups.
char Fold(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool Same(std::string_view a, std::string_view b, bool ignoreCase) {
  if (!ignoreCase) return a == b;
  for (size_t i = 0; i < a.size(); ++i)
    if (Fold(a[i]) != Fold(b[i])) return false;
  return true;
}

int Precedence(int op) { return op; }  // OR 0, AND 1, term test 2

}  // namespace

CSearchString::Item CSearchString::MakeItem(ItemKind kind, bool negate, Op op) {
  Item item;
  item.kind = kind;
  item.negate = negate;
  item.op = op;
  return item;
}

namespace {}  // namespace

CSearchString::Item CSearchString::MakeOperand(std::string term) {
  Item item = MakeItem(ItemKind::Operand);
  item.data = std::move(term);
  const std::string& t = item.data;
  if (!t.empty() && t.back() == '>') {
    item.match = Match::Suffix;
    item.pattern = t.substr(0, t.size() - 1);
  } else if (!t.empty() && t.front() == '<') {
    item.match = Match::Prefix;
    item.pattern = t.substr(1);
  } else {
    item.pattern = t;
  }
  // A bare anchor compares nothing and so matches every text.
  if (item.match != Match::Contains && item.pattern.empty()) item.match = Match::All;
  FoldText(item.pattern, item.folded);
  return item;
}

int CSearchString::SetExpression(std::string_view text) {
  m_tokens.clear();
  m_program.clear();
  try {
    m_text = std::string(text);
    int rc = Tokenise(text);
    if (rc == kOk) rc = m_tokens.empty() ? kSyntaxError : Compile();
    m_tokens.clear();
    if (rc != kOk) m_program.clear();
    return rc;
  } catch (const std::bad_alloc&) {
    m_tokens.clear();
    m_program.clear();
    return kNoMemory;
  }
}

int CSearchString::Tokenise(std::string_view s) {
  bool wantOperand = true;
  int depth = 0;
  size_t i = 0;
  while (true) {
    while (i < s.size() && IsBlank(s[i])) ++i;
    if (i >= s.size()) break;
    char c = s[i];
    if (!wantOperand) {
      if (c == '&' || c == '|') {
        m_tokens.push_back(MakeItem(ItemKind::Operator, false, c == '&' ? Op::And : Op::Or));
        wantOperand = true;
        ++i;
      } else if (c == ')') {
        if (--depth < 0) return kSyntaxError;
        m_tokens.push_back(MakeItem(ItemKind::Close));
        ++i;
      } else {
        return kSyntaxError;  // an operand or "(" where an operator belongs
      }
      continue;
    }
    if (c == '(') {
      ++depth;
      m_tokens.push_back(MakeItem(ItemKind::Open));
      ++i;
      continue;
    }
    if (c == '&' || c == '|' || c == ')') return kSyntaxError;
    bool negate = false;
    if (c == '!') {
      negate = true;
      ++i;
      while (i < s.size() && IsBlank(s[i])) ++i;
      if (i >= s.size()) return kSyntaxError;
    }
    std::string term;
    if (s[i] == '"') {
      size_t close = s.find('"', i + 1);
      if (close == std::string_view::npos) return kSyntaxError;
      term = std::string(s.substr(i + 1, close - i - 1));
      // The length counts the text between the quotes.
      if (term.size() <= 2) return kSyntaxError;
      i = close + 1;
    } else {
      size_t end = i;
      while (end < s.size() && !IsBlank(s[end])) ++end;
      term = std::string(s.substr(i, end - i));
      i = end;
    }
    if (term.empty()) return kSyntaxError;
    if (term.size() > kMaxTermLength) return kTermTooLong;
    m_tokens.push_back(MakeOperand(std::move(term)));
    m_tokens.push_back(MakeItem(ItemKind::Operator, negate, Op::Term));
    wantOperand = false;
  }
  if (wantOperand || depth != 0) return kSyntaxError;
  return kOk;
}

// Operator precedence parsing to postfix: an operator first emits every stacked operator of equal
// or higher precedence, which makes both binary operators group from the left.
int CSearchString::Compile() {
  std::vector<Item> stack;
  for (Item& t : m_tokens) {
    switch (t.kind) {
      case ItemKind::Operand:
        m_program.push_back(std::move(t));
        break;
      case ItemKind::Open:
        stack.push_back(std::move(t));
        break;
      case ItemKind::Close:
        while (!stack.empty() && stack.back().kind != ItemKind::Open) {
          m_program.push_back(std::move(stack.back()));
          stack.pop_back();
        }
        if (stack.empty()) return kSyntaxError;
        stack.pop_back();
        break;
      case ItemKind::Operator:
        while (!stack.empty() && stack.back().kind == ItemKind::Operator &&
               Precedence(static_cast<int>(stack.back().op)) >= Precedence(static_cast<int>(t.op))) {
          m_program.push_back(std::move(stack.back()));
          stack.pop_back();
        }
        stack.push_back(std::move(t));
        break;
    }
  }
  while (!stack.empty()) {
    if (stack.back().kind != ItemKind::Operator) return kSyntaxError;
    m_program.push_back(std::move(stack.back()));
    stack.pop_back();
  }
  return kOk;
}

bool CSearchString::TermMatches(const Item& term, std::string_view text, bool ignoreCase) {
  const std::string& p = term.pattern;
  switch (term.match) {
    case Match::All:
      return true;
    case Match::Prefix:
      return text.size() >= p.size() && Same(text.substr(0, p.size()), p, ignoreCase);
    case Match::Suffix:
      return text.size() >= p.size() && Same(text.substr(text.size() - p.size()), p, ignoreCase);
    case Match::Contains:
      if (p.empty() || p.size() > text.size()) return false;
      for (size_t i = 0; i + p.size() <= text.size(); ++i)
        if (Same(text.substr(i, p.size()), p, ignoreCase)) return true;
      return false;
  }
  return false;
}

bool CSearchString::FoldedTermMatches(const Item& term, std::string_view foldedText) {
  const std::string_view p = term.folded;
  switch (term.match) {
    case Match::All:
      return true;
    case Match::Prefix:
      return foldedText.substr(0, p.size()) == p;
    case Match::Suffix:
      return foldedText.size() >= p.size() && foldedText.substr(foldedText.size() - p.size()) == p;
    case Match::Contains:
      return !p.empty() && foldedText.find(p) != std::string_view::npos;
  }
  return false;
}

void CSearchString::FoldText(std::string_view text, std::string& folded) {
  folded.resize(text.size());
  for (size_t i = 0; i < text.size(); ++i) folded[i] = Fold(text[i]);
}

int CSearchString::Evaluate(std::string_view text, bool ignoreCase) const {
  return Run([&](const Item& term) { return TermMatches(term, text, ignoreCase); });
}

int CSearchString::EvaluateFolded(std::string_view foldedText) const {
  return Run([&](const Item& term) { return FoldedTermMatches(term, foldedText); });
}

template <typename Test>
int CSearchString::Run(const Test& termMatches) const {
  if (m_program.empty()) return kBroken;
  // Each slot holds either a term (not yet tested) or a truth value.
  struct Slot {
    const Item* term;
    bool value;
  };
  std::array<Slot, kStackSize> stack;
  size_t top = 0;
  for (const Item& item : m_program) {
    if (item.kind == ItemKind::Operand) {
      if (top == stack.size()) return kBroken;
      stack[top++] = Slot{&item, false};
      continue;
    }
    if (item.kind != ItemKind::Operator) return kBroken;
    if (item.op == Op::Term) {
      if (top < 1 || !stack[top - 1].term) return kBroken;
      bool hit = termMatches(*stack[top - 1].term);
      stack[top - 1] = Slot{nullptr, hit != item.negate};
      continue;
    }
    if (top < 2 || stack[top - 1].term || stack[top - 2].term) return kBroken;
    bool a = stack[top - 2].value, b = stack[top - 1].value;
    --top;
    stack[top - 1].value = item.op == Op::And ? (a && b) : (a || b);
  }
  if (top != 1 || stack[0].term) return kBroken;
  return stack[0].value ? kMatch : kNoMatch;
}
