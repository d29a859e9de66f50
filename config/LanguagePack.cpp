#include "config/LanguagePack.h"

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <unordered_set>

#include "platform/StringTable.h"
#include "resources/StringIds.h"

namespace {

constexpr size_t kMaxBytes = 64u << 20;

uint32_t Word(const std::string& b, size_t at, bool swap) {
  auto u = [&](size_t i) { return static_cast<uint32_t>(static_cast<unsigned char>(b[at + i])); };
  return swap ? u(0) << 24 | u(1) << 16 | u(2) << 8 | u(3) : u(3) << 24 | u(2) << 16 | u(1) << 8 | u(0);
}

std::string UpToNul(std::string s) {
  size_t nul = s.find('\0');
  if (nul != std::string::npos) s.resize(nul);
  return s;
}

}  // namespace

bool CLanguagePack::Parse(const std::string& bytes) {
  m_messages.clear();
  if (bytes.size() < 20 || bytes.size() > kMaxBytes) return false;
  uint32_t magic = Word(bytes, 0, false);
  bool swap = magic == 0xde120495;
  if (!swap && magic != 0x950412de) return false;
  uint64_t count = Word(bytes, 8, swap), ids = Word(bytes, 12, swap), texts = Word(bytes, 16, swap);
  if (ids + count * 8 > bytes.size() || texts + count * 8 > bytes.size()) return false;
  auto str = [&](uint64_t entry, std::string& out) {
    uint64_t len = Word(bytes, entry, swap), off = Word(bytes, entry + 4, swap);
    if (off + len >= bytes.size()) return false;
    out = UpToNul(bytes.substr(off, len));
    return true;
  };
  std::string id, text;
  for (uint64_t i = 0; i < count; ++i) {
    if (!str(ids + i * 8, id) || !str(texts + i * 8, text)) {
      m_messages.clear();
      return false;
    }
    if (!id.empty()) m_messages.emplace(id, text);
  }
  return true;
}

bool CLanguagePack::Load(const std::string& path) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) return false;
  std::streamoff size = in.tellg();
  if (size < 0 || static_cast<uint64_t>(size) > kMaxBytes) return false;
  in.seekg(0);
  return Parse(std::string((std::istreambuf_iterator<char>(in)), {}));
}

std::string CLanguagePack::Translate(const std::string& english) const {
  auto it = m_messages.find(english);
  if (it == m_messages.end() || it->second.empty()) return english;
  if (PrintfConversions(it->second) != PrintfConversions(english)) return english;
  return it->second;
}

std::vector<std::string> PrintfConversions(const std::string& text) {
  std::vector<std::string> conversions;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') continue;
    size_t j = i + 1;
    if (j < text.size() && text[j] == '%') {
      i = j;
      continue;
    }
    // Flags, width and precision do not change which argument is read; length and type do.
    for (; j < text.size() && std::strchr("-+ #0123456789.*", text[j]); ++j)
      if (text[j] == '*') conversions.push_back("*");  // a width or precision taken from an argument
    size_t start = j;
    while (j < text.size() && std::strchr("hlLqjzt", text[j])) ++j;
    if (j < text.size()) ++j;
    conversions.push_back(text.substr(start, j - start));
    i = j - 1;
  }
  return conversions;
}

std::vector<std::string> RequiredLanguageIds() {
  std::vector<std::string> ids;
  std::unordered_set<std::string> seen;
  for (const auto& [id, text] : GetResStringTable())
    if (id != kStringLanguageVersion && seen.insert(text).second) ids.push_back(text);
  return ids;
}

bool UseLanguagePack(const std::string& path) {
  auto pack = std::make_shared<CLanguagePack>();
  if (!pack->Load(path)) return false;
  SetStringTranslator([pack](const char* english) { return pack->Translate(english); });
  return true;
}
