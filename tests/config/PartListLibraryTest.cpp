// The part list over the real LDraw library: scan, Parts.lst round trip, groups and the part search.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>

#include "PartListTestSupport.h"
#include "config/PartList.h"
#include "config/StringUtils.h"

namespace {

namespace fs = std::filesystem;

// The first line of a file, read independently of the part list.
std::string FirstLine(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::string line;
  std::getline(in, line);
  return line;
}

struct LibraryScan : CTestPartList {
  explicit LibraryScan(const std::string& base) : lib(base) {
    list.LoadPartsList(scratch.Path());  // an empty start with the groups loaded
    int changed = 0;
    EXPECT_EQ(list.ScanDirectory(lib, "parts", false, changed), 1);
    EXPECT_EQ(changed, 1);
    EXPECT_EQ(list.ScanDirectory(lib, "MODELS", true, changed), 1);
  }
  std::string lib;
  CScratchDir scratch;
};

TEST(PartListLibrary, ScanListsEveryPartOfTheLibrary) {
  REQUIRE_LDRAW_LIBRARY(lib);
  LibraryScan s(lib);
  std::vector<std::string> expected;
  for (const auto& e : fs::directory_iterator(lib + "parts")) {
    std::string name = e.path().filename().string();
    if (!e.is_regular_file() || ToLowerAscii(e.path().extension().string()) != ".dat") continue;
    if (FirstLine(e.path()).find("~Moved to") != std::string::npos) continue;
    expected.push_back(name);
  }
  ASSERT_GT(expected.size(), 1000u);
  EXPECT_EQ(s.list.GetCount(kLibraryParts), expected.size());
  for (const std::string& name : expected) EXPECT_NE(s.list.FindByName(name, kLibraryParts), 0u) << name;
  // Sorted by description.
  for (unsigned i = 1; i < s.list.GetCount(kLibraryParts); ++i)
    ASSERT_LE(std::string(s.list.GetDescription(MakePartHandle(0, i - 1))),
              std::string(s.list.GetDescription(MakePartHandle(0, i))));
  PartHandle brick = s.list.FindByName("3001.DAT");
  ASSERT_NE(brick, 0u);
  EXPECT_STREQ(s.list.GetDescription(brick), "Brick  2 x  4");
  EXPECT_GT(s.list.GetCount(kLibraryModels), 0u);
}

TEST(PartListLibrary, RoundTripThroughPartsLst) {
  REQUIRE_LDRAW_LIBRARY(lib);
  LibraryScan s(lib);
  s.list.SavePartsListTo(s.scratch.Path());
  CTestPartList back;
  ASSERT_EQ(back.list.LoadPartsListFrom(s.scratch / "Parts.lst"), 1);
  unsigned j = 0;
  for (unsigned i = 0; i < s.list.GetCount(kLibraryParts); ++i) {
    std::string d = s.list.GetDescription(MakePartHandle(0, i));
    if (d.rfind("Model\\", 0) == 0) continue;
    ASSERT_LT(j, back.list.GetCount(kLibraryParts));
    EXPECT_STREQ(back.list.GetFileName(MakePartHandle(0, j)), s.list.GetFileName(MakePartHandle(0, i)));
    std::string cut = d.substr(0, 64);
    TrimString(cut);
    EXPECT_EQ(back.list.GetDescription(MakePartHandle(0, j)), cut);
    ++j;
  }
  EXPECT_EQ(j, back.list.GetCount(kLibraryParts));
  // A scan of the unchanged library finds nothing new and writes the same file again.
  int changed = -1;
  ASSERT_EQ(back.list.ScanDirectory(lib, "parts", false, changed), 1);
  unsigned modelDescriptions = s.list.GetCount(kLibraryParts) - j;
  EXPECT_EQ(changed, modelDescriptions ? 1 : 0);
  EXPECT_EQ(back.list.FormatPartsList(), ReadFileBytes(s.scratch / "Parts.lst"));
}

TEST(PartListLibrary, GroupsFileEveryPart) {
  REQUIRE_LDRAW_LIBRARY(lib);
  LibraryScan s(lib);
  const CPartList& l = s.list;
  unsigned filed = 0;
  for (unsigned g = 0; g < l.GetGroupCount(); ++g) {
    const PartGroup* group = l.GetGroup(g);
    if (!group->fixed || group->name.rfind("Other Parts\\", 0) != 0) continue;
    for (PartHandle h : *l.GetGroupMembers(g)) {
      std::string d = l.GetDescription(h);
      char first = d.empty() ? 0 : static_cast<char>(std::toupper(static_cast<unsigned char>(d[0])));
      if (group->name == "Other Parts\\Others")
        EXPECT_FALSE(first >= 'A' && first <= 'Z') << d;
      else
        EXPECT_EQ(first, group->name.back()) << d;
      ++filed;
    }
  }
  unsigned userFiled = 0;
  for (unsigned g = 0; g < l.GetGroupCount(); ++g)
    if (!l.GetGroup(g)->fixed) userFiled += static_cast<unsigned>(l.GetGroupMembers(g)->size());
  // The default groups match no part of the library, so each part sits in exactly one letter group.
  EXPECT_EQ(userFiled, 0u);
  EXPECT_EQ(filed, l.GetCount(kLibraryParts));
  EXPECT_EQ(l.GetGroupMembers(l.GetGroupCount() - 3)->size(), l.GetCount(kLibraryModels));
  for (unsigned i = 0; i < l.GetCount(kLibraryParts); ++i)
    EXPECT_TRUE(l.GetEntry(MakePartHandle(0, i))->flags & PartListEntry::kInGroup);
}

TEST(PartListLibrary, SearchExpressionsOverTheRealList) {
  REQUIRE_LDRAW_LIBRARY(lib);
  LibraryScan s(lib);
  const CPartList& l = s.list;
  struct Case {
    const char* expression;
    bool byName;
    bool ignoreCase;
  } cases[] = {
      {"brick", false, true},
      {"<Brick & \"2 x  4\"", false, false},
      {"<Technic & !Axle | <Plate", false, true},
      {"3001.dat>", true, true},
      {"<30 & .DAT>", true, false},
  };
  for (const Case& c : cases) {
    CSearchString rule;
    ASSERT_EQ(rule.SetExpression(c.expression), 0);
    std::vector<PartHandle> expected;
    for (int cat = 0; cat <= 2; ++cat)
      for (unsigned i = 0; i < l.GetCount(cat); ++i) {
        PartHandle h = MakePartHandle(cat, i);
        if (rule.Evaluate(c.byName ? l.GetFileName(h) : l.GetDescription(h), c.ignoreCase) == 0)
          expected.push_back(h);
      }
    std::vector<PartHandle> found;
    for (PartHandle h = l.FindNext(c.expression, c.byName, 0, c.ignoreCase); h;
         h = l.FindNext(c.expression, c.byName, h, c.ignoreCase))
      found.push_back(h);
    EXPECT_EQ(found, expected) << c.expression;
  }
  // Spot checks that do not go through the expression engine at all.
  unsigned bricks = 0;
  for (unsigned i = 0; i < l.GetCount(kLibraryParts); ++i)
    bricks += ContainsNoCase(l.GetDescription(MakePartHandle(0, i)), "brick") == 0;
  unsigned found = 0;
  for (PartHandle h = l.FindNext("brick", false, 0, true); h && CPartList::GetCategory(h) == 0;
       h = l.FindNext("brick", false, h, true))
    ++found;
  EXPECT_EQ(found, bricks);
  EXPECT_EQ(l.FindNext("3001.dat>", true, 0, false), l.FindByName("3001.dat", kLibraryParts));
  int error = 0;
  EXPECT_EQ(l.FindNext("(brick", false, 0, true, &error), 0u);
  EXPECT_EQ(error, 4);
  EXPECT_EQ(l.FindNext("brick", false, 0x60000001u, true), 0u);
}

}  // namespace
