#pragma once
// The program's user texts, looked up by the ids of the string table (resources/strings.txt).
#include <functional>
#include <string>

// The English text of a string id, passed through the active translation; empty when unknown.
std::string LoadResString(unsigned id);

// The language pack's translation of an English text (identity when none is set).
using StringTranslator = std::function<std::string(const char* english)>;
void SetStringTranslator(StringTranslator translator);
