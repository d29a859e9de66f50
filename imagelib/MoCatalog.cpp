#include "imagelib/MoCatalog.h"

#include <cstdint>
#include <fstream>
#include <iterator>

namespace tolvo {
namespace {

constexpr uint32_t kMagic = 0x950412de;
constexpr uint32_t kMagicSwapped = 0xde120495;
// Catalogues larger than this are not language packs.
constexpr size_t kMaxBytes = 64u << 20;

uint32_t Word(const std::string& b, size_t at, bool swap) {
  auto u = [&](size_t i) { return static_cast<uint32_t>(static_cast<unsigned char>(b[at + i])); };
  return swap ? u(0) << 24 | u(1) << 16 | u(2) << 8 | u(3) : u(3) << 24 | u(2) << 16 | u(1) << 8 | u(0);
}

}  // namespace

bool CMoCatalog::Parse(const std::string& bytes) {
  m_messages.clear();
  if (bytes.size() < 20 || bytes.size() > kMaxBytes) return false;
  bool swap = false;
  uint32_t magic = Word(bytes, 0, false);
  if (magic == kMagicSwapped) swap = true;
  else if (magic != kMagic) return false;
  if ((Word(bytes, 4, swap) >> 16) > 1) return false;  // unknown major revision
  uint64_t count = Word(bytes, 8, swap);
  uint64_t idTable = Word(bytes, 12, swap);
  uint64_t textTable = Word(bytes, 16, swap);
  if (idTable + count * 8 > bytes.size() || textTable + count * 8 > bytes.size()) return false;
  // A string is (length, offset); its terminating zero must lie inside the data too.
  auto str = [&](uint64_t entry, std::string& out) {
    uint64_t len = Word(bytes, entry, swap);
    uint64_t off = Word(bytes, entry + 4, swap);
    if (off + len >= bytes.size()) return false;
    out.assign(bytes, off, len);
    return true;
  };
  std::string id, text;
  for (uint64_t i = 0; i < count; ++i) {
    if (!str(idTable + i * 8, id) || !str(textTable + i * 8, text)) {
      m_messages.clear();
      return false;
    }
    if (id.empty()) continue;  // the catalogue's header entry
    // Plural entries hold "singular\0plural": the singular names the message.
    id.resize(id.find('\0') == std::string::npos ? id.size() : id.find('\0'));
    text.resize(text.find('\0') == std::string::npos ? text.size() : text.find('\0'));
    m_messages.emplace(id, text);
  }
  return true;
}

bool CMoCatalog::ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) return false;
  std::streamoff size = in.tellg();
  if (size < 0 || static_cast<uint64_t>(size) > kMaxBytes) return false;
  in.seekg(0);
  std::string bytes((std::istreambuf_iterator<char>(in)), {});
  return Parse(bytes);
}

const std::string* CMoCatalog::Find(const std::string& id) const {
  auto it = m_messages.find(id);
  return it == m_messages.end() ? nullptr : &it->second;
}

}  // namespace tolvo
