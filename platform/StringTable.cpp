#include "platform/StringTable.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

struct StringTableEntry {
  unsigned id;
  const char* text;
};
extern const StringTableEntry kStringTable[];
extern const std::size_t kStringTableSize;

namespace {
StringTranslator& Translator() {
  static StringTranslator translator;
  return translator;
}
}  // namespace

std::string LoadResString(unsigned id) {
  const StringTableEntry* end = kStringTable + kStringTableSize;
  const StringTableEntry* it = std::lower_bound(
      kStringTable, end, id, [](const StringTableEntry& e, unsigned key) { return e.id < key; });
  if (it == end || it->id != id) return {};
  return Translator() ? Translator()(it->text) : std::string(it->text);
}

void SetStringTranslator(StringTranslator translator) { Translator() = std::move(translator); }

std::vector<std::pair<unsigned, std::string>> GetResStringTable() {
  std::vector<std::pair<unsigned, std::string>> table;
  table.reserve(kStringTableSize);
  for (std::size_t i = 0; i < kStringTableSize; ++i) table.emplace_back(kStringTable[i].id, kStringTable[i].text);
  return table;
}

std::string FillTextArgs(const std::string& text, std::initializer_list<std::string> args) {
  std::string out;
  auto arg = args.begin();
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%' || i + 1 >= text.size()) {
      out += text[i];
      continue;
    }
    if (text[i + 1] == '%') {
      out += '%';
      ++i;
      continue;
    }
    size_t length = 0;
    for (const char* conversion : {"lu", "s", "u", "d"}) {
      if (text.compare(i + 1, std::strlen(conversion), conversion) == 0) {
        length = std::strlen(conversion);
        break;
      }
    }
    if (length == 0) {
      out += text[i];
      continue;
    }
    if (arg != args.end()) out += *arg++;
    i += length;
  }
  return out;
}
