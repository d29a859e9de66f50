#pragma once
// Colour numbers and colour tables.
//
// A colour number is 32 bits: 0-511 index a colour table; 16 is the parent's colour and 24 the
// parent's edge colour; 0x2RRGGBB is an opaque and 0x3RRGGBB a transparent direct colour;
// 0x4000000-0x7FFFFFF dither two 12-bit colours (bits 0-11 and 12-23, bit 24/25 = that colour
// invisible); 0xFFFFFFFF means no colour and acts as 16; any other number shows grey.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "config/BuiltinColors.h"
#include "config/ColorEntry.h"

inline constexpr uint32_t kMainColor = 16;
inline constexpr uint32_t kEdgeColor = 24;
inline constexpr uint32_t kNoColor = 0xFFFFFFFF;
inline constexpr uint32_t kDirectOpaque = 0x2000000;
inline constexpr uint32_t kDirectTransparent = 0x3000000;
inline constexpr uint32_t kDitherFirst = 0x4000000;
inline constexpr uint32_t kDitherLast = 0x7FFFFFF;

inline bool IsDitherColor(uint32_t n) { return n >= kDitherFirst && n <= kDitherLast; }
inline bool IsDirectColor(uint32_t n) { return n >= kDirectOpaque && n < kDitherFirst; }

// One pixel of a colour; alpha 0 means the pixel is not drawn.
struct ColorRGBA {
  uint8_t red, green, blue, alpha;
  bool operator==(const ColorRGBA&) const = default;
};

// The number an element is drawn in, with 16 and 24 taken from the parent colour.
uint32_t ResolveColorCode(uint32_t color, uint32_t parent, const ColorEntry* table);
// The two pixels a colour alternates between (dithering and screen-door transparency).
void GetColorRGBA(const ColorEntry* table, uint32_t n, ColorRGBA& main, ColorRGBA& second);

// Fills the 512 entries with "unused" grey.
void InitColorTableUnused(ColorEntry* entries);
// One built-in row as a table entry: the average of both colours when the second is visible,
// else the first colour half transparent. The entry's edge RGB is left as it was.
void ConvertDitherEntry(const BuiltinColorRow& row, ColorEntry& entry);
void BuildColorTable(const BuiltinColorRow* rows, ColorEntry* entries, int count);

// Applies an ldconfig file to a table (by default the library's, theLDConfigColors) without
// making anything private. Definitions that cannot be used (codes above 511, which current
// libraries have, bad values) are skipped with a log line. 1 when the file was read, 0 when it
// could not be opened.
int LoadLDConfigFile(const std::string& path, ColorEntry* entries = theLDConfigColors);

// Parses one "!COLOUR" definition ("0 !COLOUR name CODE n VALUE #RRGGBB EDGE e [ALPHA a] ...").
// False for a line that cannot be used; entry receives the colour, code its number.
bool ParseColourDefinition(std::string_view line, uint32_t& code, ColorEntry& entry);

// The colours of one model file: the shared default table until the model needs colours of its
// own, then a private copy owned by the table.
class CColorTable {
 public:
  CColorTable() = default;
  virtual ~CColorTable() = default;
  // Copies share the default table or get a private copy of their own.
  CColorTable(const CColorTable& other);
  CColorTable& operator=(const CColorTable& other);

  // A private copy of theDefaultColors; 1 also when already private, 0 when memory ran out.
  int MakePrivate();
  void UseShared();
  // A private copy of theLDConfigColors; 0 (and shared) when memory ran out.
  int LoadLDConfigCopy();

  // A model's legacy "0 COLOR|COLOUR code name edge r g b a r g b a" line; 1 when applied.
  int ParseColorMeta(std::string_view line);
  // A model's "0 !COLOUR" line; 1 when applied. The table becomes private first, so that one
  // model's definition never reaches the default table or another model.
  int ParseLDConfigColour(std::string_view line);
  // Appends (as "0 !COLOUR ...\n" lines) the definitions of codes 64-511 that differ from
  // theLDConfigColors in name or in value; returns 1.
  int WriteColourDefinitions(std::vector<std::string>& lines) const;

  ColorEntry* GetEntries() { return m_entries; }
  const ColorEntry* GetEntries() const { return m_entries; }
  bool IsShared() const { return m_private == nullptr; }

 private:
  ColorEntry* m_entries = theDefaultColors;
  std::unique_ptr<ColorEntry[]> m_private;
};
