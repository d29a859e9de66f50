#include "config/StringUtils.h"

#include <cctype>

namespace {
bool IsSpace(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }
// ASCII only, whatever the process locale: file names fold the same everywhere.
char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
}  // namespace

int TrimString(std::string& text) {
  size_t first = 0;
  while (first < text.size() && IsSpace(text[first])) ++first;
  size_t last = text.size();
  while (last > first && IsSpace(text[last - 1])) --last;
  text = text.substr(first, last - first);
  return static_cast<int>(text.size());
}

int ContainsNoCase(std::string_view text, std::string_view part) {
  if (text.empty() || part.empty() || part.size() > text.size()) return 1;
  for (size_t i = 0; i + part.size() <= text.size(); ++i)
    if (EqualsNoCase(text.substr(i, part.size()), part)) return 0;
  return 1;
}

std::string_view GetNthWord(std::string_view text, int n) {
  size_t i = 0;
  for (int word = 0;; ++word) {
    while (i < text.size() && IsSpace(text[i])) ++i;
    if (i >= text.size()) return {};
    size_t start = i;
    while (i < text.size() && !IsSpace(text[i])) ++i;
    if (word == n) return text.substr(start, i - start);
  }
}

std::string GetSubString(std::string_view text, int n) {
  size_t start = 0;
  for (int field = 0; field < n; ++field) {
    size_t bar = text.find('|', start);
    if (bar == std::string_view::npos) return {};
    start = bar + 1;
  }
  size_t end = text.find('|', start);
  return std::string(text.substr(start, end == std::string_view::npos ? end : end - start));
}

std::string ToLowerAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = Lower(c);
  return out;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}
