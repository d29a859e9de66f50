// The integer HSV arithmetic, the custom colour numbers and the definition of a table slot.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "config/ColorTable.h"
#include "config/CustomColorState.h"
#include "config/HsvColor.h"
#include "config/Settings.h"

namespace {

std::string Name(const ColorEntry& e) { return std::string(e.name, strnlen(e.name, sizeof(e.name))); }

// Values worked out by hand from the conversion rules (integer divisions truncating).
TEST(HsvColorTest, RgbToHsvTable) {
  struct Case {
    RgbValue rgb;
    HsvValue hsv;
  } cases[] = {
      {{0, 0, 0}, {0, 0, 0}},
      {{128, 128, 128}, {0, 0, 128}},
      {{255, 0, 0}, {0, 255, 255}},
      {{0, 255, 0}, {85, 255, 255}},   // 120 degrees x 256 / 360 = 85.3
      {{0, 0, 255}, {170, 255, 255}},  // 240 degrees
      {{255, 128, 0}, {21, 255, 255}}, // (255 - 127) x 60 / 255 = 30 degrees
      {{255, 0, 5}, {255, 255, 255}},  // -1 degree wraps to 359
  };
  for (const Case& c : cases)
    EXPECT_EQ(RgbToHsv(c.rgb.red, c.rgb.green, c.rgb.blue), c.hsv) << c.rgb.red << "," << c.rgb.green << "," << c.rgb.blue;
}

TEST(HsvColorTest, HsvToRgbTable) {
  struct Case {
    HsvValue hsv;
    RgbValue rgb;
  } cases[] = {
      {{77, 0, 200}, {200, 200, 200}},
      {{77, 200, 0}, {0, 0, 0}},
      {{0, 255, 255}, {255, 0, 0}},
      {{85, 255, 255}, {5, 255, 0}},    // sector 1, 59 degrees in: down = 255 - 250
      {{170, 255, 255}, {0, 5, 255}},   // sector 3
      {{128, 128, 200}, {99, 200, 200}}, // sector 3 at its start
  };
  for (const Case& c : cases)
    EXPECT_EQ(HsvToRgb(c.hsv.hue, c.hsv.saturation, c.hsv.value), c.rgb) << c.hsv.hue << "," << c.hsv.saturation;
}

// The hue has 256 steps for 360 degrees and three truncations (to whole degrees, to a hue step,
// back to degrees) lose up to 1 + 1.4 + 1 degrees; a full component changes by 255 / 60 per
// degree, so a colour shown as HSV and back moves by at most about 14.5.
TEST(HsvColorTest, RoundTripOfEvery12BitColourStaysClose) {
  int worst = 0;
  for (int r = 0; r < 256; r += 17)
    for (int g = 0; g < 256; g += 17)
      for (int b = 0; b < 256; b += 17) {
        HsvValue hsv = RgbToHsv(r, g, b);
        RgbValue back = HsvToRgb(hsv.hue, hsv.saturation, hsv.value);
        worst = std::max({worst, std::abs(back.red - r), std::abs(back.green - g), std::abs(back.blue - b)});
        EXPECT_EQ(hsv.value, std::max({r, g, b}));
      }
  EXPECT_LE(worst, 14);
}

TEST(HsvColorTest, PointerMappingClampsAndNeedsTwoPixels) {
  int hue = -1, sat = -1, value = -1;
  ASSERT_TRUE(HsvBoxAt(-5, 300, 101, 101, hue, sat));
  EXPECT_EQ(hue, 0);
  EXPECT_EQ(sat, 0);
  ASSERT_TRUE(HsvBoxAt(100, 0, 101, 101, hue, sat));
  EXPECT_EQ(hue, 255);
  EXPECT_EQ(sat, 255);
  EXPECT_FALSE(HsvBoxAt(0, 0, 1, 50, hue, sat));
  EXPECT_FALSE(HsvSliderAt(0, 1, value));
  ASSERT_TRUE(HsvSliderAt(51, 101, value));
  EXPECT_EQ(value, 51 * 255 / 100);
  int cx = 0, cy = 0;
  HsvBoxCentre(255, 0, 101, 101, cx, cy);
  EXPECT_EQ(cx, 100);
  EXPECT_EQ(cy, 100);
}

TEST(CustomColorTest, BuildColorNumbers) {
  struct Case {
    CustomColorMode mode;
    RgbValue main, edge;
    uint32_t number;
  } cases[] = {
      {CustomColorMode::Direct, {255, 0, 0}, {}, 0x2FF0000},
      {CustomColorMode::DirectTransparent, {255, 0, 0}, {}, 0x3FF0000},
      {CustomColorMode::Solid, {255, 128, 0}, {0, 0, 255}, 0x400FF80},
      {CustomColorMode::Transparent, {255, 128, 0}, {0, 0, 255}, 0x600FF80},
  };
  for (const Case& c : cases) EXPECT_EQ(BuildCustomColor(c.mode, c.main, c.edge), c.number) << static_cast<int>(c.mode);
}

class DefineSlotTest : public ::testing::Test {
 protected:
  void SetUp() override {
    BuildColorTable(BuiltinColors.data(), theLDConfigColors, kColorCount);
    std::memcpy(saved, theDefaultColors, sizeof(saved));
    std::memcpy(theDefaultColors, theLDConfigColors, sizeof(theDefaultColors));
  }
  void TearDown() override { std::memcpy(theDefaultColors, saved, sizeof(saved)); }
  ColorEntry saved[kColorCount];
};

TEST_F(DefineSlotTest, OpeningADitheredNumberKeepsBothColours) {
  CCustomColorState s;
  s.customMode = 1;
  s.colour = 0x600FF80;
  s.Open(theDefaultColors);
  EXPECT_EQ(s.mode, CustomColorMode::Transparent);
  EXPECT_EQ(s.main.rgb, (RgbValue{255, 136, 0}));  // each 4-bit part times 17
  EXPECT_EQ(s.edge.rgb, (RgbValue{0, 0, 255}));
  // OK without an edit hands back the number the dialog was opened with.
  EXPECT_EQ(s.colour, 0x600FF80u);
}

TEST_F(DefineSlotTest, OpeningADirectNumberPicksItsMode) {
  for (uint32_t n : {0x2123456u, 0x3123456u}) {
    CCustomColorState s;
    s.customMode = 1;
    s.colour = n;
    s.Open(theDefaultColors);
    EXPECT_EQ(s.mode, n >= 0x3000000 ? CustomColorMode::DirectTransparent : CustomColorMode::Direct);
    EXPECT_EQ(s.colour, n);
  }
}

TEST_F(DefineSlotTest, EditingTheEdgeChangesOnlyTheEdge) {
  CCustomColorState s;
  s.customMode = 1;
  s.colour = 0x400FF80;
  s.Open(theDefaultColors);
  RgbValue main = s.main.rgb;
  s.SetFromRgb(true, 255, 255, 255);
  EXPECT_EQ(s.main.rgb, main);
  EXPECT_EQ(s.colour, 0x4FFFF80u);
}

TEST_F(DefineSlotTest, SlotBelow64WritesNothingAndTheTableStaysShared) {
  CColorTable table;
  CCustomColorState s;
  s.colour = 40;
  s.Open(table.GetEntries());
  s.SetFromRgb(false, 1, 2, 3);
  EXPECT_FALSE(s.ApplyDefinition(&table));
  EXPECT_TRUE(table.IsShared());
  EXPECT_NE(theDefaultColors[40].red, 1);
}

TEST_F(DefineSlotTest, SlotAbove63IsWrittenIntoAPrivateTableAndSavedWithTheModel) {
  CColorTable table;
  CCustomColorState s;
  s.colour = 100;
  s.Open(table.GetEntries());
  s.name = std::string(50, 'x');
  s.mode = CustomColorMode::Solid;
  s.SetFromRgb(false, 10, 20, 30);
  s.SetFromRgb(true, 40, 50, 60);
  ASSERT_TRUE(s.ApplyDefinition(&table));
  EXPECT_FALSE(table.IsShared());
  const ColorEntry& e = table.GetEntries()[100];
  EXPECT_EQ(Name(e), std::string(40, 'x'));
  EXPECT_EQ(e.red, 10);
  EXPECT_EQ(e.blue, 30);
  EXPECT_EQ(e.edgeGreen, 50);
  EXPECT_EQ(e.edgeColor, -1);
  EXPECT_EQ(e.alpha, 255);
  EXPECT_EQ(s.colour, 100u);
  // The default table (and so every other model) is untouched.
  EXPECT_EQ(std::memcmp(&theDefaultColors[100], &theLDConfigColors[100], sizeof(ColorEntry)), 0);
  std::vector<std::string> lines;
  table.WriteColourDefinitions(lines);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_NE(lines[0].find("CODE 100"), std::string::npos) << lines[0];
}

// A transparent definition must stay visible: every second pixel drawn, not none.
TEST_F(DefineSlotTest, TransparentDefinitionIsHalfTransparentAndReopensTransparent) {
  CColorTable table;
  CCustomColorState s;
  s.colour = 200;
  s.Open(table.GetEntries());
  s.mode = CustomColorMode::Transparent;
  s.SetFromRgb(false, 200, 0, 0);
  ASSERT_TRUE(s.ApplyDefinition(&table));
  ColorRGBA first{}, second{};
  GetColorRGBA(table.GetEntries(), 200, first, second);
  EXPECT_EQ(first.alpha, 255);
  EXPECT_EQ(second.alpha, 0);
  CCustomColorState again;
  again.colour = 200;
  again.Open(table.GetEntries());
  EXPECT_EQ(again.mode, CustomColorMode::Transparent);
  EXPECT_EQ(again.main.rgb, (RgbValue{200, 0, 0}));
}

TEST(CustomColorTest, NamesAreCutAtACharacterBoundary) {
  EXPECT_EQ(CutEntryName(std::string(50, 'a')).size(), 40u);
  // 39 ASCII bytes and a two-byte character: the character does not fit whole.
  std::string name = std::string(39, 'a') + "\xC3\xA9" + "b";
  EXPECT_EQ(CutEntryName(name), std::string(39, 'a'));
  EXPECT_EQ(CutEntryName("Red"), "Red");
}

}  // namespace
