#include "config/ColorTable.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <string_view>

#include "config/StringUtils.h"
#include "config/Tracer.h"
#include "platform/Numbers.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

struct Word {
  size_t start, end;
};

// Words of a line with their places, so that a name can be taken as written (blanks included).
// A carriage return is white space like any other.
std::vector<Word> SplitWords(std::string_view text, size_t from) {
  std::vector<Word> words;
  size_t i = from;
  while (i < text.size()) {
    while (i < text.size() && IsBlank(text[i])) ++i;
    if (i >= text.size()) break;
    size_t start = i;
    while (i < text.size() && !IsBlank(text[i])) ++i;
    words.push_back({start, i});
  }
  return words;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// "#RRGGBB", exactly.
bool ParseHexRGB(std::string_view text, uint8_t& r, uint8_t& g, uint8_t& b) {
  if (text.size() != 7 || text[0] != '#') return false;
  uint8_t out[3];
  for (int k = 0; k < 3; ++k) {
    int hi = HexDigit(text[1 + 2 * k]), lo = HexDigit(text[2 + 2 * k]);
    if (hi < 0 || lo < 0) return false;
    out[k] = static_cast<uint8_t>(hi * 16 + lo);
  }
  r = out[0], g = out[1], b = out[2];
  return true;
}

bool ParseBounded(std::string_view text, uint32_t max, uint32_t& out) {
  if (text.empty() || text.front() < '0' || text.front() > '9') return false;
  return ParseUInt32(text, out) && out <= max;
}

// A number of the legacy COLOR line: 1-3 decimal digits up to 255, or "0x" and 1-2 hex digits.
bool ParseMetaByte(std::string_view text, uint8_t& out) {
  if (text.size() >= 3 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    std::string_view digits = text.substr(2);
    if (digits.size() > 2) return false;
    int value = 0;
    for (char c : digits) {
      if (HexDigit(c) < 0) return false;
      value = value * 16 + HexDigit(c);
    }
    out = static_cast<uint8_t>(value);
    return true;
  }
  if (text.empty() || text.size() > 3) return false;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  if (value > 255) return false;
  out = static_cast<uint8_t>(value);
  return true;
}

// At most 40 characters; blanks that the cut leaves at the end go too, as a reader would drop them.
void SetEntryName(ColorEntry& entry, std::string_view name) {
  name = name.substr(0, std::min<size_t>(name.size(), 40));
  while (!name.empty() && IsBlank(name.back())) name.remove_suffix(1);
  std::memset(entry.name, 0, sizeof(entry.name));
  if (!name.empty()) std::memcpy(entry.name, name.data(), name.size());
}

}  // namespace

uint32_t ResolveColorCode(uint32_t color, uint32_t parent, const ColorEntry* table) {
  if (color == kMainColor || color == kNoColor) return parent == kNoColor ? 0 : parent;
  if (color != kEdgeColor) return color;
  if (parent == kNoColor || parent < kColorCount) {
    const ColorEntry& e = table[parent == kNoColor ? 0 : parent];
    if (e.edgeColor >= 0) return static_cast<uint32_t>(e.edgeColor);
    uint32_t kind = e.alpha >= 128 ? kDirectOpaque : kDirectTransparent;
    return kind + e.edgeRed * 0x10000u + e.edgeGreen * 0x100u + e.edgeBlue;
  }
  if (IsDitherColor(parent)) return kDitherFirst;
  if (IsDirectColor(parent)) return kDirectOpaque;
  return 0;
}

void GetColorRGBA(const ColorEntry* table, uint32_t n, ColorRGBA& main, ColorRGBA& second) {
  if (n < kColorCount) {
    const ColorEntry& e = table[n];
    ColorRGBA solid{e.red, e.green, e.blue, 255};
    ColorRGBA none{0, 0, 0, 0};
    // Up to a third of opacity is invisible, up to two thirds every second pixel, above that solid.
    main = e.alpha <= 85 ? none : solid;
    second = e.alpha <= 170 ? none : solid;
  } else if (IsDitherColor(n)) {
    auto scale = [](uint32_t v) { return static_cast<uint8_t>((v & 0xF) * 17); };
    main = {scale(n >> 8), scale(n >> 4), scale(n), static_cast<uint8_t>(n & 0x1000000 ? 0 : 255)};
    second = {scale(n >> 20), scale(n >> 16), scale(n >> 12), static_cast<uint8_t>(n & 0x2000000 ? 0 : 255)};
  } else if (IsDirectColor(n)) {
    ColorRGBA rgb{static_cast<uint8_t>(n >> 16), static_cast<uint8_t>(n >> 8), static_cast<uint8_t>(n), 255};
    main = rgb;
    second = rgb;
    if (n >= kDirectTransparent) second.alpha = 0;
  } else {
    main = second = {127, 127, 127, 255};
  }
}

void InitColorTableUnused(ColorEntry* entries) {
  for (int i = 0; i < kColorCount; ++i) {
    ColorEntry& e = entries[i];
    SetEntryName(e, "unused");
    e.edgeColor = -1;
    e.red = e.green = e.blue = 127;
    e.alpha = 255;
    e.edgeRed = e.edgeGreen = e.edgeBlue = 0;
    e.reserved = 255;
  }
}

void ConvertDitherEntry(const BuiltinColorRow& row, ColorEntry& entry) {
  SetEntryName(entry, std::string_view(row.name, strnlen(row.name, sizeof(row.name))));
  entry.edgeColor = row.edgeColor;
  if (row.alpha2 >= 128) {
    entry.red = static_cast<uint8_t>((row.red1 + row.red2) / 2);
    entry.green = static_cast<uint8_t>((row.green1 + row.green2) / 2);
    entry.blue = static_cast<uint8_t>((row.blue1 + row.blue2) / 2);
    entry.alpha = 255;
  } else {
    entry.red = row.red1, entry.green = row.green1, entry.blue = row.blue1;
    entry.alpha = 128;
  }
}

void BuildColorTable(const BuiltinColorRow* rows, ColorEntry* entries, int count) {
  InitColorTableUnused(entries);
  for (int i = 0; i < count && i < kColorCount; ++i) ConvertDitherEntry(rows[i], entries[i]);
}

bool ParseColourDefinition(std::string_view line, uint32_t& code, ColorEntry& entry) {
  std::string upper(line);
  for (char& c : upper)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  size_t keyword = upper.find("!COLOUR");
  if (keyword == std::string::npos) return false;
  size_t from = keyword + 7;
  if (from < upper.size() && !IsBlank(upper[from])) return false;
  std::vector<Word> words = SplitWords(line, from);
  auto upperWord = [&](size_t i) {
    return std::string_view(upper).substr(words[i].start, words[i].end - words[i].start);
  };
  auto wordAt = [&](size_t i) { return line.substr(words[i].start, words[i].end - words[i].start); };

  // The name runs up to the keyword CODE. Letters "code" inside a word are part of the name, and
  // so is a word "Code" that is the first one or is followed by the keyword.
  size_t codeWord = words.size();
  for (size_t i = 1; i < words.size() && codeWord == words.size(); ++i)
    if (upperWord(i) == "CODE" && (i + 1 == words.size() || upperWord(i + 1) != "CODE")) codeWord = i;
  if (codeWord == words.size()) {
    if (words.empty() || upperWord(0) != "CODE") return false;
    codeWord = 0;
  }
  std::string_view name;
  if (codeWord > 0) name = line.substr(words[0].start, words[codeWord - 1].end - words[0].start);

  // Keywords up to a MATERIAL clause, whose own VALUE and ALPHA describe the material's particles.
  std::string_view codeText, valueText, edgeText, alphaText;
  for (size_t i = codeWord; i + 1 < words.size(); ++i) {
    std::string_view key = upperWord(i);
    if (key == "MATERIAL") break;
    std::string_view* target = key == "CODE"    ? &codeText
                               : key == "VALUE" ? &valueText
                               : key == "EDGE"  ? &edgeText
                               : key == "ALPHA" ? &alphaText
                                                : nullptr;
    if (target) *target = wordAt(++i);
  }

  ColorEntry e{};
  uint32_t number = 0, alpha = 255;
  if (!ParseBounded(codeText, kColorCount - 1, number)) return false;
  if (!ParseHexRGB(valueText, e.red, e.green, e.blue)) return false;
  if (!edgeText.empty() && edgeText[0] == '#') {
    if (!ParseHexRGB(edgeText, e.edgeRed, e.edgeGreen, e.edgeBlue)) return false;
    e.edgeColor = -1;
  } else {
    uint32_t edge = 0;
    if (!ParseBounded(edgeText, kColorCount - 1, edge)) return false;
    e.edgeColor = static_cast<int32_t>(edge);
  }
  if (!alphaText.empty() && !ParseBounded(alphaText, 255, alpha)) return false;
  e.alpha = static_cast<uint8_t>(alpha);
  e.reserved = 255;
  SetEntryName(e, name);
  code = number;
  entry = e;
  return true;
}

int LoadLDConfigFile(const std::string& path, ColorEntry* entries) {
  if (path.empty()) return 0;
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return 0;
  char* buffer = nullptr;
  size_t capacity = 0;
  unsigned long lineNumber = 0;
  ssize_t length;
  while ((length = getline(&buffer, &capacity, f)) >= 0) {
    ++lineNumber;
    std::string_view line(buffer, static_cast<size_t>(length));
    if (ContainsNoCase(line, "!COLOUR") != 0) continue;
    uint32_t code = 0;
    ColorEntry entry;
    if (ParseColourDefinition(line, code, entry)) {
      entries[code] = entry;
    } else {
      // Newer libraries define codes this program cannot hold; the rest of the file still counts.
      std::string text(line);
      TrimString(text);
      theTracer.Printf("Skipping colour definition at line %lu of '%s': %s\n", lineNumber, path.c_str(),
                       text.c_str());
    }
  }
  std::free(buffer);
  std::fclose(f);
  return 1;
}

CColorTable::CColorTable(const CColorTable& other) { *this = other; }

CColorTable& CColorTable::operator=(const CColorTable& other) {
  if (this == &other) return *this;
  if (other.IsShared()) {
    UseShared();
  } else {
    if (!m_private) m_private.reset(new ColorEntry[kColorCount]);
    std::copy(other.m_entries, other.m_entries + kColorCount, m_private.get());
    m_entries = m_private.get();
  }
  return *this;
}

int CColorTable::MakePrivate() {
  if (m_private) return 1;
  m_private.reset(new (std::nothrow) ColorEntry[kColorCount]);
  if (!m_private) return 0;
  std::copy(theDefaultColors, theDefaultColors + kColorCount, m_private.get());
  m_entries = m_private.get();
  return 1;
}

void CColorTable::UseShared() {
  m_private.reset();
  m_entries = theDefaultColors;
}

int CColorTable::LoadLDConfigCopy() {
  UseShared();
  m_private.reset(new (std::nothrow) ColorEntry[kColorCount]);
  if (!m_private) return 0;
  std::copy(theLDConfigColors, theLDConfigColors + kColorCount, m_private.get());
  m_entries = m_private.get();
  return 1;
}

int CColorTable::ParseColorMeta(std::string_view line) {
  std::vector<std::string_view> t;
  for (const Word& w : SplitWords(line, 0)) t.push_back(line.substr(w.start, w.end - w.start));
  if (t.size() < 13) return 0;
  if (t[0] != "0" || !(EqualsNoCase(t[1], "COLOR") || EqualsNoCase(t[1], "COLOUR"))) return 0;
  uint8_t code = 0, edge = 0, c1[4], c2[4];
  if (!ParseMetaByte(t[2], code) || code < 64) return 0;
  for (int k = 0; k < 4; ++k)
    if (!ParseMetaByte(t[5 + k], c1[k]) || !ParseMetaByte(t[9 + k], c2[k])) return 0;
  if (!ParseMetaByte(t[4], edge)) return 0;
  if (!MakePrivate()) return 0;
  ColorEntry& e = m_entries[code];
  SetEntryName(e, t[3]);
  e.edgeColor = edge;
  if (c2[3] >= 128) {
    e.red = static_cast<uint8_t>((c1[0] + c2[0]) / 2);
    e.green = static_cast<uint8_t>((c1[1] + c2[1]) / 2);
    e.blue = static_cast<uint8_t>((c1[2] + c2[2]) / 2);
    e.alpha = 255;
  } else {
    e.red = c1[0], e.green = c1[1], e.blue = c1[2];
    e.alpha = 128;
  }
  e.reserved = 255;
  return 1;
}

int CColorTable::ParseLDConfigColour(std::string_view line) {
  uint32_t code = 0;
  ColorEntry entry;
  if (!ParseColourDefinition(line, code, entry)) return 0;
  if (!MakePrivate()) return 0;
  m_entries[code] = entry;
  return 1;
}

namespace {

std::string EntryName(const ColorEntry& e) { return std::string(e.name, strnlen(e.name, sizeof(e.name))); }

std::string_view EntryNameView(const ColorEntry& e) { return std::string_view(e.name, strnlen(e.name, sizeof(e.name))); }

// Whether a definition line written for `own` would change `library`. Every undo snapshot asks
// this of every colour of every model: the numbers first, and the names without copying them.
bool DiffersFromLibrary(const ColorEntry& own, const ColorEntry& library) {
  if (own.red != library.red || own.green != library.green || own.blue != library.blue) return true;
  if (own.alpha != library.alpha || own.edgeColor != library.edgeColor) return true;
  if (own.edgeColor < 0 && (own.edgeRed != library.edgeRed || own.edgeGreen != library.edgeGreen ||
                            own.edgeBlue != library.edgeBlue))
    return true;
  return !EqualsNoCase(EntryNameView(own), EntryNameView(library));
}

}  // namespace

int CColorTable::WriteColourDefinitions(std::vector<std::string>& lines) const {
  for (int code = 64; code < kColorCount; ++code) {
    const ColorEntry& e = m_entries[code];
    if (!DiffersFromLibrary(e, theLDConfigColors[code])) continue;
    std::string name = EntryName(e);
    unsigned long number = static_cast<unsigned long>(code);
    if (e.edgeColor < 0)
      lines.push_back(StrPrintf("0 !COLOUR %s CODE %lu VALUE #%02X%02X%02X EDGE #%02X%02X%02X ALPHA %lu\n",
                                name.c_str(), number, e.red, e.green, e.blue, e.edgeRed, e.edgeGreen,
                                e.edgeBlue, static_cast<unsigned long>(e.alpha)));
    else
      lines.push_back(StrPrintf(
          "0 !COLOUR %s CODE %lu VALUE #%02X%02X%02X EDGE %lu ALPHA %lu\n", name.c_str(), number, e.red,
          e.green, e.blue, static_cast<unsigned long>(e.edgeColor), static_cast<unsigned long>(e.alpha)));
  }
  return 1;
}
