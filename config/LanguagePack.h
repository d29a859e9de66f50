#pragma once
// The chosen language pack on the program's side: a gettext catalogue ("tolvolang<Name>.mo")
// whose translations replace the English user texts. The image library decides which packs are
// usable; this reads the chosen one and installs it as the string table's translation.
#include <map>
#include <memory>
#include <string>
#include <vector>

class CLanguagePack {
 public:
  // False when the file is not a whole, well-formed catalogue (every offset is checked).
  bool Load(const std::string& path);
  bool Parse(const std::string& bytes);
  // The translation of an English text; the English text itself when the pack has none or when
  // the translation's printf conversions differ from the English ones (they would not fit the
  // arguments the program passes).
  std::string Translate(const std::string& english) const;
  size_t Size() const { return m_messages.size(); }

 private:
  std::map<std::string, std::string> m_messages;
};

// The message ids a pack must translate: every text of the string table except the version text,
// each once (a catalogue is keyed by the text, so ids sharing a text share its translation).
std::vector<std::string> RequiredLanguageIds();
// The printf conversions of a text in order ("lu", "s", ...), to compare a translation with its
// English text; "%%" is not a conversion.
std::vector<std::string> PrintfConversions(const std::string& text);
// Makes the pack the program's translation for the rest of the run. False (and the previous
// translation kept) when the file cannot be read.
bool UseLanguagePack(const std::string& path);
