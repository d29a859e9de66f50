#include <gtest/gtest.h>
#include <wx/defs.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>

#include "app/BarTable.h"
#include "app/CommandMap.h"
#include "app/CommandTable.h"
#include "config/StringUtils.h"
#include "platform/StringTable.h"

namespace {

// The main menu's command ids as the menu description lists them, menu by menu.
const std::map<std::string, std::vector<int>> kMenuIds = {
    {"&File", {57600, 57601, 57603, 57604, 32919, 32864, 32869, 32978, 57607, 57609, 57606, 32865,
               57616, 57665}},
    {"&Navigate", {32856, 32857, 32970, 32971, 32858, 32859}},
    {"&Multipart", {32872, 32873, 32877, 32874, 32875, 32972, 32876}},
    {"&Help", {57667, 57664}},
};

std::vector<int> IdsUnder(const std::string& top) {
  std::vector<int> ids;
  for (const CommandInfo& c : CommandTable()) {
    std::string path = c.menuPath;
    if (c.id != 0 && (path == top || path.rfind(top + "|", 0) == 0)) ids.push_back(c.id);
  }
  return ids;
}

TEST(CommandTable, MenusHoldTheirCommandsInOrder) {
  for (const auto& [menu, ids] : kMenuIds) EXPECT_EQ(IdsUnder(menu), ids) << menu;
  // Edit: 12 plain items, then Add (9 and 5 primitives), Move (7), Rotate (7), Visibility (5),
  // Group (2), Select (3).
  EXPECT_EQ(IdsUnder("&Edit").size(), 12u + 14 + 7 + 7 + 5 + 2 + 3);
  EXPECT_EQ(IdsUnder("&Edit|&Add|Pr&imitive"), (std::vector<int>{32929, 32930, 32931, 32932, 32937}));
  // Settings: General 2, Grid 3, Parts Tree 2, Zoom 10, then 6 items.
  EXPECT_EQ(IdsUnder("&Settings").size(), 2u + 3 + 2 + 10 + 6);
  EXPECT_EQ(IdsUnder("&View|&Toolbars").size(), 11u);
  // Extras: Reports 3, Generators 2 + the landscape, mosaic, rotation model and minifigure, File Cache 2,
  // LSynth 6.
  EXPECT_EQ(IdsUnder("E&xtras").size(), 3u + 2 + 4 + 2 + 6);
  EXPECT_EQ(IdsUnder("E&xtras|&Generators"), (std::vector<int>{32996, 32992, 32911, 32913, 32984, 32988}));
}

TEST(CommandTable, TopLevelMenusComeInOrder) {
  std::vector<std::string> tops;
  for (const CommandInfo& c : CommandTable()) {
    std::string path = c.menuPath;
    if (path.empty()) continue;
    std::string top = path.substr(0, path.find('|'));
    if (std::find(tops.begin(), tops.end(), top) == tops.end()) tops.push_back(top);
  }
  EXPECT_EQ(tops, (std::vector<std::string>{"&File", "&Edit", "&Navigate", "&View", "&Multipart",
                                            "E&xtras", "&Settings", "&Help"}));
}

TEST(CommandTable, EachCommandIsListedOnceExceptKeyboardEntry) {
  std::map<int, int> count;
  for (const CommandInfo& c : CommandTable())
    if (c.id) ++count[c.id];
  for (const auto& [id, n] : count) EXPECT_EQ(n, id == 32953 ? 2 : 1) << id;
  for (const CommandInfo& c : CommandTable()) {
    if (!c.id) continue;
    EXPECT_NE(std::string(c.text), "") << c.id;
    EXPECT_NE(std::string(c.status), "") << c.id;
  }
}

TEST(CommandTable, AcceleratorsAreTheFiftyEightKeysAndReachKnownCommands) {
  const auto& keys = AcceleratorTable();
  EXPECT_EQ(keys.size(), 58u);
  std::set<std::string> seen;
  for (const AcceleratorInfo& a : keys) {
    ParsedAccelerator parsed;
    EXPECT_TRUE(ParseAccelerator(a.key, parsed)) << a.key;
    EXPECT_TRUE(seen.insert(a.key).second) << "twice: " << a.key;
    EXPECT_NE(FindCommand(a.id), nullptr) << a.key << " -> " << a.id;
  }
  // The menu shows the accelerator of its command where one is given.
  for (const CommandInfo& c : CommandTable()) {
    if (!*c.accel) continue;
    bool found = false;
    for (const AcceleratorInfo& a : keys) found |= a.id == c.id && std::string(a.key) == c.accel;
    EXPECT_TRUE(found) << c.id << " " << c.accel;
  }
}

struct AccelCase {
  const char* text;
  bool ok;
  bool ctrl, shift, alt;
  const char* key;
  bool viewOnly;
};

TEST(CommandTable, AcceleratorParsingAndWhichKeysStayWithTheView) {
  const AccelCase cases[] = {
      {"Ctrl+Shift+F", true, true, true, false, "F", false},
      {"F6", true, false, false, false, "F6", false},
      {"Shift+F6", true, false, true, false, "F6", false},
      {"Alt+Back", true, false, false, true, "Back", false},
      {"A", true, false, false, false, "A", true},
      {"Left", true, false, false, false, "Left", true},
      {"Ctrl+Left", true, true, false, false, "Left", false},
      {"Shift+Delete", true, false, true, false, "Delete", true},
      {"Shift+PageUp", true, false, true, false, "PageUp", true},
      {"NumPlus", true, false, false, false, "NumPlus", false},
      {"Ctrl+", false, false, false, false, "", false},
      {"Meta+A", false, false, false, false, "", false},
      {"Ctrl+Ctrl+A", false, false, false, false, "", false},
      {"", false, false, false, false, "", false},
  };
  for (const AccelCase& c : cases) {
    ParsedAccelerator p;
    ASSERT_EQ(ParseAccelerator(c.text, p), c.ok) << c.text;
    if (!c.ok) continue;
    EXPECT_EQ(p.ctrl, c.ctrl) << c.text;
    EXPECT_EQ(p.shift, c.shift) << c.text;
    EXPECT_EQ(p.alt, c.alt) << c.text;
    EXPECT_EQ(p.key, c.key) << c.text;
    EXPECT_EQ(IsViewOnlyAccelerator(p), c.viewOnly) << c.text;
  }
}

TEST(CommandTable, ZoomPresets) {
  const std::pair<int, int> cases[] = {{32884, -1}, {32885, 300}, {32886, 200}, {32887, 150},
                                       {32888, 100}, {32889, 75},  {32890, 50},  {32891, 25},
                                       {32892, 12},  {32893, 6},   {32894, 0},   {32895, -1}};
  for (auto [id, percent] : cases) EXPECT_EQ(ZoomPresetPercent(id), percent) << id;
}

TEST(CommandTable, WxIdsStayBelowTheLimitAndMapBack) {
  for (const CommandInfo& c : CommandTable()) {
    if (!c.id) continue;
    int wxId = ToWxId(c.id);
    EXPECT_GT(wxId, 0) << c.id;
    EXPECT_LT(wxId, 0x7FFF) << c.id;
    EXPECT_EQ(FromWxId(wxId), c.id) << c.id;
    // Clear of wx's own ids (4999..5999) and of the bars' and dialogs' control ids.
    EXPECT_FALSE(wxId >= 4999 && wxId <= 5999) << c.id;
    EXPECT_GE(wxId, kWxCommandBase) << c.id;
  }
  // wx's own ids (the recent files' among them) are no command ids.
  for (int id : {int(wxID_FILE1), wxID_FILE1 + 9, 4999, 5999}) EXPECT_EQ(FromWxId(id), id);
}

TEST(CommandMap, CommandsWithoutAHandlerAreDisabled) {
  CCommandMap rules;
  EXPECT_FALSE(rules.QueryCommand(57603).enabled);
  EXPECT_FALSE(rules.HandlesCommand(57603));
  rules.Set(57664, [] {}, CCommandMap::Always);
  EXPECT_TRUE(rules.QueryCommand(57664).enabled);
  bool on = false;
  rules.Set(32914, [] {}, [&] { return CommandState{true, on}; });
  EXPECT_FALSE(rules.QueryCommand(32914).checked);
  on = true;
  EXPECT_TRUE(rules.QueryCommand(32914).checked);
  // A command set without a rule is there, and disabled.
  rules.Set(32915, [] {}, nullptr);
  EXPECT_TRUE(rules.HandlesCommand(32915));
  EXPECT_FALSE(rules.QueryCommand(32915).enabled);
}

TEST(BarTable, TenBarsEachWithItsOwnCaption) {
  const auto& bars = BarTable();
  ASSERT_EQ(bars.size(), 10u);
  const char* captions[] = {"Colorbar", "Mainbar",  "Transformationbar", "Objectbar", "Controlbar",
                            "Modebar",  "Expertbar", "Zoombar",          "Visibilitybar", "Extrasbar"};
  for (size_t i = 0; i < bars.size(); ++i) EXPECT_EQ(BarCaption(i), captions[i]) << i;
  // The caption string has exactly one field per bar.
  EXPECT_EQ(GetSubString(LoadResString(1116), 10), "");
  // Every button and toggle is a command of the table (so it has a text, a prompt and a rule).
  for (const BarInfo& bar : bars) {
    EXPECT_NE(FindCommand(bar.toggleId), nullptr) << bar.logName;
    for (int id : bar.buttons) {
      if (!id) continue;
      EXPECT_NE(FindCommand(id), nullptr) << bar.logName << " " << id;
    }
  }
  EXPECT_EQ(bars[7].buttons.size(), 10u);
  EXPECT_EQ(bars[7].buttons.front(), 32885);
  EXPECT_EQ(bars[7].buttons.back(), 32894);
}

}  // namespace
