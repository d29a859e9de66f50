#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>

#include "config/ColorTable.h"
#include "config/PathResolver.h"
#include "config/Tracer.h"
#include "platform/Numbers.h"
#include "support/TestData.h"

namespace {

std::string Name(const ColorEntry& e) { return std::string(e.name, strnlen(e.name, sizeof(e.name))); }

ColorRGBA Px(int r, int g, int b, int a) {
  return {static_cast<uint8_t>(r), static_cast<uint8_t>(g), static_cast<uint8_t>(b), static_cast<uint8_t>(a)};
}

// Every test starts from the built-in table in both process-wide tables.
class ColorTableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    BuildColorTable(BuiltinColors.data(), theLDConfigColors, kColorCount);
    std::memcpy(theDefaultColors, theLDConfigColors, sizeof(theDefaultColors));
  }
};

TEST_F(ColorTableTest, ColourNumbersGiveTheirPixels) {
  ColorEntry table[kColorCount];
  InitColorTableUnused(table);
  table[1] = table[2] = table[3] = table[4] = table[5] = table[6] = table[0];
  const uint8_t alphas[] = {0, 85, 86, 170, 171, 255};
  for (int i = 0; i < 6; ++i) {
    table[i].red = 10, table[i].green = 20, table[i].blue = 30, table[i].alpha = alphas[i];
  }
  const ColorRGBA none = Px(0, 0, 0, 0), solid = Px(10, 20, 30, 255), grey = Px(127, 127, 127, 255);
  struct Case {
    uint32_t n;
    ColorRGBA main, second;
  } cases[] = {
      {0, none, none},    // alpha 0
      {1, none, none},    // alpha 85: not drawn
      {2, solid, none},   // alpha 86: every second pixel
      {3, solid, none},   // alpha 170
      {4, solid, solid},  // alpha 171: solid
      {5, solid, solid},  // alpha 255
      {511, grey, grey},  // unused slot
      {512, grey, grey},  // first number past the table
      {0x1FFFFFF, grey, grey},
      {0x2000000, Px(0, 0, 0, 255), Px(0, 0, 0, 255)},
      {0x2FFFFFF, Px(255, 255, 255, 255), Px(255, 255, 255, 255)},
      {0x3000000, Px(0, 0, 0, 255), Px(0, 0, 0, 0)},
      {0x3FF0000, Px(255, 0, 0, 255), Px(255, 0, 0, 0)},
      {0x3FFFFFF, Px(255, 255, 255, 255), Px(255, 255, 255, 0)},
      {0x4000000, Px(0, 0, 0, 255), Px(0, 0, 0, 255)},
      {0x4000F00, Px(255, 0, 0, 255), Px(0, 0, 0, 255)},
      {0x5000F00, Px(255, 0, 0, 0), Px(0, 0, 0, 255)},  // bit 24: first invisible
      {0x60F0000, Px(0, 0, 0, 255), Px(0, 255, 0, 0)},  // bit 25: second invisible
      {0x4123456, Px(0x4 * 17, 0x5 * 17, 0x6 * 17, 255), Px(0x1 * 17, 0x2 * 17, 0x3 * 17, 255)},
      {0x7FFFFFF, Px(255, 255, 255, 0), Px(255, 255, 255, 0)},
      {0x8000000, grey, grey},
      {0xFFFFFFFF, grey, grey},
  };
  for (const Case& c : cases) {
    ColorRGBA main{1, 1, 1, 1}, second{1, 1, 1, 1};
    GetColorRGBA(table, c.n, main, second);
    EXPECT_EQ(main, c.main) << std::hex << c.n;
    EXPECT_EQ(second, c.second) << std::hex << c.n;
  }
}

TEST_F(ColorTableTest, ResolveInheritsFromTheParent) {
  ColorEntry table[kColorCount];
  InitColorTableUnused(table);
  table[0].edgeColor = 8;
  table[5].edgeColor = -1;
  table[5].edgeRed = 1, table[5].edgeGreen = 2, table[5].edgeBlue = 3;
  struct Case {
    uint32_t color, parent;
    uint8_t alpha5;
    uint32_t expected;
  } cases[] = {
      {16, kNoColor, 255, 0},
      {16, 4, 255, 4},
      {7, 4, 255, 7},
      {kNoColor, 4, 255, 4},
      {kNoColor, kNoColor, 255, 0},
      {16, 0x2123456, 255, 0x2123456},
      {24, kNoColor, 255, 8},  // entry 0's edge number
      {24, 5, 100, 0x3010203},
      {24, 5, 127, 0x3010203},
      {24, 5, 128, 0x2010203},
      {24, 5, 255, 0x2010203},
      {24, 0x4000000, 255, 0x4000000},
      {24, 0x7FFFFFF, 255, 0x4000000},
      {24, 0x2000000, 255, 0x2000000},
      {24, 0x3FFFFFF, 255, 0x2000000},
      {24, 600, 255, 0},
      {24, 0x8000000, 255, 0},
      {0x3FF0000, 4, 255, 0x3FF0000},
  };
  for (const Case& c : cases) {
    table[5].alpha = c.alpha5;
    EXPECT_EQ(ResolveColorCode(c.color, c.parent, table), c.expected)
        << std::hex << c.color << " under " << c.parent << " alpha " << int(c.alpha5);
  }
}

TEST_F(ColorTableTest, BuiltinTableSpotRows) {
  ColorEntry t[kColorCount];
  BuildColorTable(BuiltinColors.data(), t, kColorCount);
  struct Case {
    int row;
    const char* name;
    int edge, r, g, b, a;
  } cases[] = {
      {0, "Black", 8, 34, 34, 34, 255},
      {4, "Red", 12, 204, 0, 0, 255},
      {15, "White", 8, 255, 255, 255, 255},
      {28, "Tan-Solid", 0, 204, 170, 102, 255},
      {30, "unused", 0, 127, 127, 127, 255},
      {35, "Trans-Dark_Cyan", 11, 0, 170, 170, 128},
      {47, "Trans-White", 8, 255, 255, 255, 128},
      {48, "unused", 0, 127, 127, 127, 128},
      {49, "unused", 2, 127, 127, 127, 128},
      {57, "Trans-Orange", 8, 255, 102, 0, 128},
      {255, "unused", 0, 127, 127, 127, 128},
      {256, "unused", 8, 34, 34, 34, 255},         // black with black
      {257, "unused", 8, 17, 42, 106, 255},        // black with blue: (34+0)/2, (34+51)/2, (34+178)/2
      {323, "Dark red", 12, 102, 85, 85, 255},     // red with dark cyan
      {335, "Sand red", 12, 229, 127, 127, 255},   // red with white
      {383, "Chrome", 8, 212, 212, 212, 255},      // light grey with white
      {418, "Bright green", 2, 25, 191, 76, 255},  // light green with green
      {494, "Yellow", 8, 255, 229, 0, 255},
      {503, "Light gray", 8, 212, 212, 212, 255},  // white with light grey, white's edge
      {511, "unused", 8, 255, 255, 255, 255},
  };
  for (const Case& c : cases) {
    const ColorEntry& e = t[c.row];
    EXPECT_EQ(Name(e), c.name) << c.row;
    EXPECT_EQ(e.edgeColor, c.edge) << c.row;
    EXPECT_EQ(e.red, c.r) << c.row;
    EXPECT_EQ(e.green, c.g) << c.row;
    EXPECT_EQ(e.blue, c.b) << c.row;
    EXPECT_EQ(e.alpha, c.a) << c.row;
    EXPECT_EQ(e.edgeRed | e.edgeGreen | e.edgeBlue, 0) << c.row;
    EXPECT_EQ(e.reserved, 255) << c.row;
  }
}

TEST_F(ColorTableTest, UnusedSlot) {
  ColorEntry t[kColorCount];
  std::memset(t, 0xAB, sizeof(t));
  InitColorTableUnused(t);
  for (const ColorEntry& e : t) {
    ASSERT_EQ(Name(e), "unused");
    ASSERT_EQ(e.edgeColor, -1);
    ASSERT_EQ(e.red + e.green + e.blue, 3 * 127);
    ASSERT_EQ(e.alpha, 255);
    ASSERT_EQ(e.edgeRed | e.edgeGreen | e.edgeBlue, 0);
    ASSERT_EQ(e.reserved, 255);
    ASSERT_EQ(e.name[43], 0);
  }
}

struct DefinitionCase {
  const char* line;
  bool ok;
  uint32_t code = 0;
  const char* name = "";
  int edge = 0, r = 0, g = 0, b = 0, a = 0, er = 0, eg = 0, eb = 0;
};

TEST_F(ColorTableTest, ColourDefinitionLines) {
  const DefinitionCase cases[] = {
      {"0 !COLOUR My Red CODE 100 VALUE #FF0000 EDGE 0", true, 100, "My Red", 0, 255, 0, 0, 255, 0, 0, 0},
      {"0 !COLOUR My Red CODE 100 VALUE #FF0000 EDGE #AABBCC", true, 100, "My Red", -1, 255, 0, 0, 255, 170,
       187, 204},
      {"0 !COLOUR Glass CODE 101 VALUE #aabbcc EDGE 7 ALPHA 128", true, 101, "Glass", 7, 170, 187, 204, 128,
       0, 0, 0},
      // A carriage return ends the last word like a blank.
      {"0 !COLOUR Blue CODE 1 VALUE #1E5AA8 EDGE #333333\r", true, 1, "Blue", -1, 30, 90, 168, 255, 51, 51,
       51},
      {"0 !COLOUR Blue CODE 1 VALUE #1E5AA8 EDGE #333333 ALPHA 200\r\n", true, 1, "Blue", -1, 30, 90, 168,
       200, 51, 51, 51},
      // The MATERIAL clause's VALUE describes the glitter, not the colour.
      {"0 !COLOUR Glitter_Trans_Dark_Pink CODE 114 VALUE #DF6695 EDGE #B9275F ALPHA 128 MATERIAL GLITTER "
       "VALUE #B92790 FRACTION 0.17 VFRACTION 0.2 SIZE 1",
       true, 114, "Glitter_Trans_Dark_Pink", -1, 0xDF, 0x66, 0x95, 128, 0xB9, 0x27, 0x5F},
      {"0 !COLOUR Speckle CODE 75 VALUE #000000 EDGE #AB6038 MATERIAL SPECKLE VALUE #AB6038 ALPHA 10", true,
       75, "Speckle", -1, 0, 0, 0, 255, 0xAB, 0x60, 0x38},
      // Letters "code" inside a word belong to the name.
      {"0 !COLOUR Barcode_Blue CODE 200 VALUE #0000FF EDGE 0", true, 200, "Barcode_Blue", 0, 0, 0, 255, 255,
       0, 0, 0},
      {"0 !COLOUR Code CODE 201 VALUE #0000FF EDGE 0", true, 201, "Code", 0, 0, 0, 255, 255, 0, 0, 0},
      {"0 !COLOUR Bar CODE CODE 201 VALUE #0000FF EDGE 0", true, 201, "Bar CODE", 0, 0, 0, 255, 255, 0, 0, 0},
      {"0 !COLOUR  CODE 201 VALUE #0000FF EDGE 0", true, 201, "", 0, 0, 0, 255, 255, 0, 0, 0},
      {"0 !COLOUR Name_That_Is_Longer_Than_Forty_Characters_In_All CODE 202 VALUE #010203 EDGE 0", true, 202,
       "Name_That_Is_Longer_Than_Forty_Character", 0, 1, 2, 3, 255, 0, 0, 0},
      {"0 !COLOUR Later CODE 203 VALUE #010203 VALUE #040506 EDGE 0", true, 203, "Later", 0, 4, 5, 6, 255, 0,
       0, 0},
      {"0 !COLOUR Edge CODE 511 VALUE #010203 EDGE 511", true, 511, "Edge", 511, 1, 2, 3, 255, 0, 0, 0},
      {"0 !COLOUR Red CODE 100 VALUE FF0000 EDGE 0", false},   // value without "#"
      {"0 !COLOUR Red CODE 512 VALUE #FF0000 EDGE 0", false},  // past the table
      {"0 !COLOUR Metal CODE 10045 VALUE #97CBD9 EDGE #333333 METAL", false},
      {"0 !COLOUR Red CODE 100 VALUE #FF000 EDGE 0", false},
      {"0 !COLOUR Red CODE 100 VALUE #FF00GG EDGE 0", false},
      {"0 !COLOUR Red CODE 100 VALUE #FF0000", false},  // no edge
      {"0 !COLOUR Red CODE 100 VALUE #FF0000 EDGE 512", false},
      {"0 !COLOUR Red CODE 100 VALUE #FF0000 EDGE 0 ALPHA 256", false},
      {"0 !COLOUR Red CODE -1 VALUE #FF0000 EDGE 0", false},
      {"0 !COLOUR Red VALUE #FF0000 EDGE 0", false},  // no code
      {"0 !COLOURED Red CODE 100 VALUE #FF0000 EDGE 0", false},
      {"0 // Red CODE 100 VALUE #FF0000 EDGE 0", false},
  };
  for (const DefinitionCase& c : cases) {
    uint32_t code = 9999;
    ColorEntry e{};
    bool ok = ParseColourDefinition(c.line, code, e);
    ASSERT_EQ(ok, c.ok) << c.line;
    if (!ok) continue;
    EXPECT_EQ(code, c.code) << c.line;
    EXPECT_EQ(Name(e), c.name) << c.line;
    EXPECT_EQ(e.edgeColor, c.edge) << c.line;
    EXPECT_EQ(
        (std::vector<int>{e.red, e.green, e.blue, e.alpha, e.edgeRed, e.edgeGreen, e.edgeBlue, e.reserved}),
        (std::vector<int>{c.r, c.g, c.b, c.a, c.er, c.eg, c.eb, 255}))
        << c.line;
  }
}

TEST_F(ColorTableTest, ModelDefinitionStaysInTheModel) {
  const ColorEntry before = theDefaultColors[100];
  CColorTable a, b;
  ASSERT_TRUE(a.IsShared());
  EXPECT_EQ(a.ParseLDConfigColour("0 !COLOUR MyRed CODE 100 VALUE #FF0000 EDGE 0"), 1);
  EXPECT_FALSE(a.IsShared());
  EXPECT_EQ(Name(a.GetEntries()[100]), "MyRed");
  EXPECT_EQ(a.GetEntries()[100].red, 255);
  // The shared default table and a second model keep their colour.
  EXPECT_EQ(std::memcmp(&theDefaultColors[100], &before, sizeof(before)), 0);
  EXPECT_TRUE(b.IsShared());
  EXPECT_EQ(Name(b.GetEntries()[100]), Name(before));
  // A second model's own definition does not reach the first.
  EXPECT_EQ(b.ParseLDConfigColour("0 !COLOUR Other CODE 100 VALUE #00FF00 EDGE 0"), 1);
  EXPECT_EQ(Name(a.GetEntries()[100]), "MyRed");
  EXPECT_EQ(Name(b.GetEntries()[100]), "Other");
  // A refused line leaves a shared table shared.
  CColorTable c;
  EXPECT_EQ(c.ParseLDConfigColour("0 !COLOUR Bad CODE 512 VALUE #00FF00 EDGE 0"), 0);
  EXPECT_TRUE(c.IsShared());
  // Copies are deep.
  CColorTable d(a);
  d.GetEntries()[100].red = 1;
  EXPECT_EQ(a.GetEntries()[100].red, 255);
  a.UseShared();
  EXPECT_TRUE(a.IsShared());
  EXPECT_EQ(a.GetEntries(), theDefaultColors);
}

TEST_F(ColorTableTest, LDConfigCopyIsPrivate) {
  theLDConfigColors[70].red = 9;
  CColorTable t;
  ASSERT_EQ(t.LoadLDConfigCopy(), 1);
  EXPECT_FALSE(t.IsShared());
  EXPECT_EQ(t.GetEntries()[70].red, 9);
  t.GetEntries()[70].red = 10;
  EXPECT_EQ(theLDConfigColors[70].red, 9);
}

TEST_F(ColorTableTest, LegacyColorMetaLine) {
  struct Case {
    const char* line;
    int ok;
    int code = 0, r = 0, g = 0, b = 0, a = 0, edge = 0;
  } cases[] = {
      {"0 COLOR 64 MyRed 0 255 0 0 255 255 0 0 255", 1, 64, 255, 0, 0, 255, 0},
      {"0 COLOR 64 MyRed 0 255 0 0 255 255 0 0 0", 1, 64, 255, 0, 0, 128, 0},
      {"0 COLOUR 0x40 Mix 0x1F 255 0 0 0 0 0 255 128 extra words", 1, 64, 127, 0, 127, 255, 31},
      {"0 COLOR 255 Last 2 0X0 0x1 0xFF 0 0 0 0 0", 1, 255, 0, 1, 255, 128, 2},
      {"0 COLOR 63 Low 0 255 0 0 255 255 0 0 255", 0},
      {"0 COLOR 64 MyRed 0 256 0 0 255 255 0 0 255", 0},
      {"0 COLOR 64 MyRed 0 0255 0 0 255 255 0 0 255", 0},
      {"0 COLOR 64 MyRed 0 0x100 0 0 255 255 0 0 255", 0},
      {"0 COLOR 64 MyRed 0 255 0 0 255 255 0 0", 0},
      {"0 COLOR 64 MyRed x 255 0 0 255 255 0 0 255", 0},
  };
  for (const Case& c : cases) {
    CColorTable t;
    ASSERT_EQ(t.ParseColorMeta(c.line), c.ok) << c.line;
    EXPECT_EQ(t.IsShared(), c.ok == 0) << c.line;
    if (!c.ok) continue;
    const ColorEntry& e = t.GetEntries()[c.code];
    EXPECT_EQ((std::vector<int>{e.red, e.green, e.blue, e.alpha, e.edgeColor}),
              (std::vector<int>{c.r, c.g, c.b, c.a, c.edge}))
        << c.line;
    EXPECT_EQ(std::memcmp(&theDefaultColors[c.code], &theLDConfigColors[c.code], sizeof(ColorEntry)), 0);
  }
}

TEST_F(ColorTableTest, WriterKeepsOwnDefinitions) {
  CColorTable t;
  ASSERT_EQ(t.ParseLDConfigColour("0 !COLOUR Deep Sea CODE 64 VALUE #0A0B0C EDGE #102030 ALPHA 128"), 1);
  ASSERT_EQ(t.ParseLDConfigColour("0 !COLOUR Barcode_Blue CODE 100 VALUE #0000FF EDGE 7"), 1);
  // Same name as the library's colour, other value: still the model's own definition.
  ASSERT_EQ(t.ParseLDConfigColour("0 !COLOUR Gold CODE 334 VALUE #FFD700 EDGE 12"), 1);
  // Same name in other letters and the same values: nothing of its own.
  const ColorEntry& lib = theLDConfigColors[383];
  ASSERT_EQ(t.ParseLDConfigColour(StrPrintf("0 !COLOUR CHROME CODE 383 VALUE #%02X%02X%02X EDGE %d ALPHA %d",
                                            lib.red, lib.green, lib.blue, lib.edgeColor, lib.alpha)),
            1);
  // Below 64 the library's colours are never written.
  ASSERT_EQ(t.ParseLDConfigColour("0 !COLOUR Mine CODE 63 VALUE #010101 EDGE 0"), 1);
  std::vector<std::string> lines;
  EXPECT_EQ(t.WriteColourDefinitions(lines), 1);
  const std::vector<std::string> expected = {
      "0 !COLOUR Deep Sea CODE 64 VALUE #0A0B0C EDGE #102030 ALPHA 128\n",
      "0 !COLOUR Barcode_Blue CODE 100 VALUE #0000FF EDGE 7 ALPHA 255\n",
      "0 !COLOUR Gold CODE 334 VALUE #FFD700 EDGE 12 ALPHA 255\n",
  };
  EXPECT_EQ(lines, expected);
  // What the writer wrote reads back into the same entries.
  CColorTable back;
  for (const std::string& line : lines) ASSERT_EQ(back.ParseLDConfigColour(line), 1) << line;
  for (int code : {64, 100, 334})
    EXPECT_EQ(std::memcmp(&back.GetEntries()[code], &t.GetEntries()[code], sizeof(ColorEntry)), 0) << code;
  // A shared table equal to the library writes nothing.
  CColorTable shared;
  lines.clear();
  shared.WriteColourDefinitions(lines);
  EXPECT_TRUE(lines.empty());
}

// Reads the real colour file independently: one-word names, first VALUE/EDGE/ALPHA of a line.
std::map<int, std::vector<std::string>> ReadRealColours(const std::string& path) {
  std::map<int, std::vector<std::string>> out;
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream words(line);
    std::vector<std::string> w{std::istream_iterator<std::string>(words), {}};
    if (w.size() < 3 || w[1] != "!COLOUR") continue;
    std::string code, value, edge, alpha = "255";
    bool seenValue = false, seenEdge = false, seenAlpha = false;
    for (size_t i = 3; i + 1 < w.size(); ++i) {
      if (w[i] == "CODE" && code.empty()) code = w[i + 1];
      if (w[i] == "VALUE" && !seenValue) value = w[i + 1], seenValue = true;
      if (w[i] == "EDGE" && !seenEdge) edge = w[i + 1], seenEdge = true;
      if (w[i] == "ALPHA" && !seenAlpha) alpha = w[i + 1], seenAlpha = true;
    }
    int n = std::atoi(code.c_str());
    if (n < 512) out[n] = {w[2], value, edge, alpha};
  }
  return out;
}

TEST_F(ColorTableTest, RealLibraryColourFileInCrlfAndLf) {
  REQUIRE_LDRAW_LIBRARY(lib);
  std::string path = thePathResolver.Resolve(lib, "ldconfig.ldr");
  ASSERT_FALSE(path.empty());
  std::string crlf = ReadFileBytes(path);
  ASSERT_NE(crlf.find("\r\n"), std::string::npos) << "the library's file is expected in CRLF";
  std::string lf;
  for (char c : crlf)
    if (c != '\r') lf += c;
  CScratchDir scratch;
  ASSERT_TRUE(WriteFileBytes(scratch / "LDConfig-lf.ldr", lf));

  ColorEntry fromCrlf[kColorCount], fromLf[kColorCount];
  InitColorTableUnused(fromCrlf);
  InitColorTableUnused(fromLf);
  EXPECT_EQ(LoadLDConfigFile(path, fromCrlf), 1);
  EXPECT_EQ(LoadLDConfigFile(scratch / "LDConfig-lf.ldr", fromLf), 1);
  EXPECT_EQ(std::memcmp(fromCrlf, fromLf, sizeof(fromLf)), 0);

  auto expected = ReadRealColours(scratch / "LDConfig-lf.ldr");
  ASSERT_GT(expected.size(), 100u);
  int defined = 0;
  for (int code = 0; code < kColorCount; ++code) {
    const ColorEntry& e = fromCrlf[code];
    auto it = expected.find(code);
    if (it == expected.end()) {
      EXPECT_EQ(Name(e), "unused") << code;
      continue;
    }
    ++defined;
    const std::vector<std::string>& x = it->second;
    EXPECT_EQ(Name(e), x[0]) << code;
    EXPECT_EQ(StrPrintf("#%02X%02X%02X", e.red, e.green, e.blue), x[1]) << code;
    if (x[2][0] == '#')
      EXPECT_EQ(StrPrintf("#%02X%02X%02X", e.edgeRed, e.edgeGreen, e.edgeBlue), x[2]) << code;
    else
      EXPECT_EQ(std::to_string(e.edgeColor), x[2]) << code;
    EXPECT_EQ(std::to_string(e.alpha), x[3]) << code;
  }
  EXPECT_EQ(defined, static_cast<int>(expected.size()));
}

TEST_F(ColorTableTest, UnusableLinesAreSkippedAndLogged) {
  CScratchDir scratch;
  setenv("XDG_STATE_HOME", scratch.Path().c_str(), 1);
  theTracer.Close();
  ASSERT_EQ(theTracer.Open("Plandor"), 1);
  std::string file = scratch / "colours.ldr";
  ASSERT_TRUE(WriteFileBytes(file,
                             "0 !COLOUR First CODE 70 VALUE #010203 EDGE 0\r\n"
                             "0 !COLOUR Metallic_Light_Blue CODE 10045 VALUE #97CBD9 EDGE #333333 METAL\r\n"
                             "0 !COLOUR Broken CODE 71 VALUE 010203 EDGE 0\r\n"
                             "0 // a comment\r\n"
                             "0 !COLOUR Last CODE 72 VALUE #040506 EDGE 1"));  // no final newline
  ColorEntry t[kColorCount];
  InitColorTableUnused(t);
  EXPECT_EQ(LoadLDConfigFile(file, t), 1);
  EXPECT_EQ(Name(t[70]), "First");
  EXPECT_EQ(Name(t[71]), "unused");
  EXPECT_EQ(Name(t[72]), "Last");
  theTracer.Close();
  unsetenv("XDG_STATE_HOME");
  std::string log = ReadFileBytes(scratch / "Plandor/Plandor.log");
  EXPECT_NE(log.find("line 2 of '" + file + "'"), std::string::npos) << log;
  EXPECT_NE(log.find("line 3 of '" + file + "'"), std::string::npos) << log;
  EXPECT_EQ(log.find("line 4"), std::string::npos) << log;

  EXPECT_EQ(LoadLDConfigFile(scratch / "missing.ldr", t), 0);
  EXPECT_EQ(LoadLDConfigFile("", t), 0);
}

}  // namespace
