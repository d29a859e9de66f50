#include "model/LineText.h"

std::string_view SkipWhite(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && IsWhite(text[i])) ++i;
  return text.substr(i);
}

std::string_view TrimWhitespace(std::string_view text) {
  text = SkipWhite(text);
  size_t n = text.size();
  while (n > 0 && IsWhite(text[n - 1])) --n;
  return text.substr(0, n);
}

void TrimWhitespace(std::string& text) {
  size_t end = text.size();
  while (end > 0 && IsWhite(text[end - 1])) --end;
  size_t begin = 0;
  while (begin < end && IsWhite(text[begin])) ++begin;
  text.erase(end);
  text.erase(0, begin);
}

std::string_view TextAfterKeyword(std::string_view line, std::string_view keyword) {
  std::string_view rest = SkipWhite(line);
  if (rest.empty() || rest.front() != '0') return line;
  rest = SkipWhite(rest.substr(1));
  if (rest.substr(0, keyword.size()) != keyword) return line;
  return SkipWhite(rest.substr(keyword.size()));
}

std::string UpperCaseAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}
