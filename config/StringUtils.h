#pragma once
// Small text helpers shared by every subsystem.
#include <string>
#include <string_view>

// Strips leading and trailing white space in place and returns the new length; a text of white
// space only becomes empty (0).
int TrimString(std::string& text);
// 0 when the text contains the part without regard to case, 1 when not (also when either is
// empty or the part is longer than the text).
int ContainsNoCase(std::string_view text, std::string_view part);
// Word n (from 0) of the text, words being runs of non-white-space; empty view when there is none.
// The view points into the text.
std::string_view GetNthWord(std::string_view text, int n);
// Field n (from 0) of a '|'-separated text; empty past the last field.
std::string GetSubString(std::string_view text, int n);

// ASCII case folding, as LDraw file names are compared.
std::string ToLowerAscii(std::string_view text);
bool EqualsNoCase(std::string_view a, std::string_view b);
bool StartsWithNoCase(std::string_view text, std::string_view prefix);
