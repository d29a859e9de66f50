#pragma once
// Small helpers of the line parsers: white space as isspace sees it (on the byte, so text in any
// 8-bit encoding is safe), trimming in place, and the text that follows a meta command's keyword.
#include <string>
#include <string_view>

inline bool IsWhite(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// Strips leading and trailing white space in place.
void TrimWhitespace(std::string& text);
std::string_view TrimWhitespace(std::string_view text);
std::string_view SkipWhite(std::string_view text);

// The text after "0", the keyword and the white space that follows it; the whole line when it does
// not begin that way (an element parsed from a line it was not made for keeps its defaults).
std::string_view TextAfterKeyword(std::string_view line, std::string_view keyword);

// ASCII upper case (bytes above 127 unchanged).
std::string UpperCaseAscii(std::string_view text);
