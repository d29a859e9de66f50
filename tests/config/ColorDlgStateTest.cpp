// The colour dialog's rules without its window: typed numbers, sorts, what Define... may do,
// captions, and the colour bar's names and shapes.
#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <string>

#include "config/ColorBarLayout.h"
#include "config/ColorDlgState.h"
#include "config/ColorTable.h"
#include "config/HsvColor.h"

namespace {

std::string Name(const ColorEntry& e) { return std::string(e.name, strnlen(e.name, sizeof(e.name))); }
std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

class ColorDlgStateTest : public ::testing::Test {
 protected:
  void SetUp() override { BuildColorTable(BuiltinColors.data(), entries, kColorCount); }
  ColorEntry entries[kColorCount];
};

TEST_F(ColorDlgStateTest, TypedNumbers) {
  struct Case {
    const char* text;
    bool restricted;
    bool accepted;
    uint32_t colour;  // after the entry (starting from 7)
    const char* shown;
  } cases[] = {
      {"0x1A", false, true, 26, "26"},
      {"26", false, true, 26, "26"},
      {"abc", false, false, 7, "7"},
      {"", false, false, 7, "7"},
      {"134217728", false, false, 7, "7"},
      {"0x8000000", false, false, 7, "7"},
      {"0x100000000", false, false, 7, "7"},
      {"134217727", false, true, 0x7FFFFFF, "0x07FFFFFF"},
      {"512", false, true, 512, "0x00000200"},
      {"511", false, true, 511, "511"},
      {"32", true, false, 7, "7"},
      {"31", true, true, 31, "31"},
  };
  for (const Case& c : cases) {
    CColorDlgState s;
    s.colour = 7;
    s.restricted = c.restricted;
    EXPECT_EQ(s.TypeNumber(c.text), c.accepted) << c.text;
    EXPECT_EQ(s.colour, c.colour) << c.text;
    EXPECT_EQ(s.NumberText(), c.shown) << c.text;
  }
}

TEST_F(ColorDlgStateTest, NamesOfNumbers) {
  CColorDlgState s;
  s.colour = 134217727;
  EXPECT_EQ(s.NameText(entries), "Custom color");
  s.colour = 511;
  EXPECT_EQ(s.NameText(entries), Name(entries[511]));
  EXPECT_EQ(ColorBarName(entries, 300), "Custom color");
  EXPECT_EQ(ColorBarName(entries, -1), "Custom color");
  EXPECT_EQ(ColorBarName(entries, 4), Name(entries[4]));
}

TEST_F(ColorDlgStateTest, NameSortPutsUnusedLastAndNamesInOrder) {
  auto order = SortColorOrder(entries, 1);
  bool seenUnused = false;
  std::string previous;
  int named = 0;
  for (uint16_t n : order) {
    std::string name = Lower(Name(entries[n]));
    if (name == "unused") {
      seenUnused = true;
      continue;
    }
    EXPECT_FALSE(seenUnused) << "named entry " << n << " after an unused one";
    EXPECT_LE(previous, name);
    previous = name;
    ++named;
  }
  EXPECT_GT(named, 30);
  // A permutation of 0-511.
  std::array<int, kColorCount> seen{};
  for (uint16_t n : order) ++seen[n];
  for (int count : seen) EXPECT_EQ(count, 1);
}

TEST_F(ColorDlgStateTest, HueSortDescendsByKey) {
  auto order = SortColorOrder(entries, 2);
  uint32_t previous = 0xFFFFFFFF;
  bool seenUnused = false;
  for (uint16_t n : order) {
    if (Lower(Name(entries[n])) == "unused") {
      seenUnused = true;
      continue;
    }
    EXPECT_FALSE(seenUnused);
    uint32_t key = ColorHueKey(entries[n]);
    EXPECT_LE(key, previous);
    previous = key;
  }
}

TEST_F(ColorDlgStateTest, HueKeyOfTheLargestComponentsFillsThirtyTwoBits) {
  ColorEntry e = entries[4];
  std::strcpy(e.name, "Red");
  e.red = 255, e.green = 0, e.blue = 5;  // hue 359 degrees: 255; saturation and value 255
  e.alpha = 255;
  EXPECT_EQ(ColorHueKey(e), 0xFFFFFFFFu);
  std::strcpy(e.name, "UNUSED");
  EXPECT_EQ(ColorHueKey(e), 0u);
}

TEST_F(ColorDlgStateTest, DefineIsOfferedOnlyForSlotsItCanWrite) {
  struct Case {
    uint32_t colour;
    int restricted, editable;
    bool enabled;
  } cases[] = {
      {100, 0, 1, true}, {64, 0, 1, true},  {255, 0, 1, true},  {63, 0, 1, false}, {40, 0, 1, false},
      {256, 0, 1, false}, {600, 0, 1, false}, {100, 1, 1, false}, {100, 0, 0, false},
  };
  for (const Case& c : cases) {
    CColorDlgState s;
    s.colour = c.colour;
    s.restricted = c.restricted;
    s.paletteEditable = c.editable;
    EXPECT_EQ(s.DefineEnabled(), c.enabled) << c.colour;
  }
}

TEST_F(ColorDlgStateTest, OpeningOnColour100ShowsPageZeroThenASwatchClickDisablesDefine) {
  ColorDlgSortTab = 0;
  CColorDlgState s;
  s.colour = 100;
  EXPECT_EQ(s.Init(entries), 3);
  EXPECT_EQ(s.page, 0);
  EXPECT_EQ(s.SwatchColor(0), 0u);
  EXPECT_TRUE(s.DefineEnabled());
  ASSERT_TRUE(s.SelectSwatch(5));
  EXPECT_EQ(s.colour, 5u);
  EXPECT_FALSE(s.DefineEnabled());
  EXPECT_EQ(s.PageCaption("Select Color:", entries), "Select Color: - 0-31");
  s.page = 2;
  EXPECT_EQ(s.PageCaption("T", entries), "T - 64-95");
  EXPECT_EQ(s.SwatchTip(entries, 1), "65 " + Name(entries[65]));
  ColorDlgSortTab = 1;
}

TEST_F(ColorDlgStateTest, RestrictedStartsAt15AndOffersOnlyTheFirst32) {
  ColorDlgSortTab = 1;  // the name sort would put colours above 31 on page 0
  CColorDlgState s;
  s.restricted = 1;
  s.colour = 40;
  s.Init(entries);
  EXPECT_EQ(s.colour, 15u);
  for (int i = 0; i < kColorPageSize; ++i) {
    EXPECT_TRUE(s.SelectSwatch(i));
    EXPECT_LE(s.colour, 31u);
  }
  s.Sort(entries, 1);
  for (int i = 0; i < kColorPageSize; ++i)
    if (s.SwatchColor(i) > 31) {
      EXPECT_FALSE(s.SelectSwatch(i));
    }
}

TEST_F(ColorDlgStateTest, NameCaptionNamesTheFirstAndLastSwatch) {
  CColorDlgState s;
  s.Sort(entries, 1);
  std::string expected = "T - " + Name(entries[s.order[0]]) + "-" + Name(entries[s.order[31]]);
  EXPECT_EQ(s.PageCaption("T", entries), expected);
}

TEST_F(ColorDlgStateTest, TransparentMeansTheSecondPixelIsMissing) {
  CColorDlgState s;
  s.colour = 0x3FF0000;
  EXPECT_TRUE(s.Transparent(entries));
  s.colour = 0x2FF0000;
  EXPECT_FALSE(s.Transparent(entries));
}

TEST_F(ColorDlgStateTest, LoadingATableCountsAsAChangeEvenBeforeOK) {
  CColorTable table;
  table.MakePrivate();
  CColorDlgState s;
  s.LoadDefaultColors(&table);
  EXPECT_TRUE(table.IsShared());
  EXPECT_EQ(s.paletteChanged, 1);
  CColorDlgState t;
  t.LoadLDConfigColors(&table);
  EXPECT_FALSE(table.IsShared());
  EXPECT_EQ(t.paletteChanged, 1);
}

TEST(ColorBarLayoutTest, ShapesByHeight) {
  struct Case {
    int width, height, shape, rows, columns;
    BarRect more;
    bool shortCaption;
  } cases[] = {
      {90, 120, 2, 4, 4, {27, 80, 36, 16}, false},
      {400, 30, 3, 1, 16, {320, 0, 36, 16}, false},
      {30, 400, 0, 16, 1, {0, 320, 16, 16}, true},
      {50, 180, 1, 8, 2, {7, 160, 36, 16}, false},
      {50, 10, 3, 1, 16, {320, 0, 36, 16}, false},
  };
  for (const Case& c : cases) {
    ColorBarLayout l = LayoutColorBar(c.width, c.height);
    EXPECT_EQ(l.shape, c.shape) << c.height;
    EXPECT_EQ(l.more, c.more) << c.height;
    EXPECT_EQ(l.shortCaption, c.shortCaption);
    // The last swatch sits in the last row and column, at a 20-pixel pitch.
    EXPECT_EQ(l.swatches[15], (BarRect{20 * (c.columns - 1), 20 * (c.rows - 1), 16, 16})) << c.height;
  }
}

TEST(ColorBarLayoutTest, FloatingDragPicksAShape) {
  EXPECT_EQ(ColorBarShapeForDrag(150, true), 2);
  EXPECT_EQ(ColorBarShapeForDrag(10, true), 3);
  EXPECT_EQ(ColorBarShapeForDrag(400, true), 0);
  EXPECT_EQ(ColorBarShapeForDrag(100, false), 2);
  EXPECT_EQ(ColorBarShapeForDrag(10, false), 0);
  EXPECT_EQ(ColorBarShapeForDrag(500, false), 3);
}

}  // namespace
