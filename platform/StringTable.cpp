#include "platform/StringTable.h"

#include <algorithm>
#include <cstddef>

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
