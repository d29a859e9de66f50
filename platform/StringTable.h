#pragma once
// The program's user texts, looked up by the ids of the string table (resources/strings.txt).
#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

// The English text of a string id, passed through the active translation; empty when unknown.
std::string LoadResString(unsigned id);

// Every id of the string table with its English text, in id order (a language pack must
// translate all of them).
std::vector<std::pair<unsigned, std::string>> GetResStringTable();

// The language pack's translation of an English text (identity when none is set).
using StringTranslator = std::function<std::string(const char* english)>;
void SetStringTranslator(StringTranslator translator);

// A table text with its conversions ("%s", "%lu", "%u", "%d") replaced by the arguments in order,
// already formatted by the caller; "%%" is one '%'. The text is never used as a printf format, so
// a translation with other conversions cannot read past the arguments.
std::string FillTextArgs(const std::string& text, std::initializer_list<std::string> args);
