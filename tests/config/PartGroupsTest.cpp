// Part groups and favourites: the profile sections, the one-time imports and the filing rules.
#include <gtest/gtest.h>

#include "PartListTestSupport.h"
#include "config/PartList.h"
#include "platform/Profile.h"

namespace {

std::vector<std::string> GroupNames(const CPartList& list) {
  std::vector<std::string> names;
  for (unsigned i = 0; i < list.GetGroupCount(); ++i) names.push_back(list.GetGroup(i)->name);
  return names;
}

// Loads a Parts.lst of the given text into the list.
void LoadList(CTestPartList& t, const std::string& text) {
  CScratchDir dir;
  WriteFileBytes(dir / "Parts.lst", text);
  ASSERT_EQ(t.list.LoadPartsListFrom(dir / "Parts.lst"), 1);
}

TEST(PartGroups, FirstRunCreatesAndSavesTheDefaultGroups) {
  CTestPartList t;
  LoadList(t, "");
  ASSERT_EQ(t.list.GetGroupCount(), 39u);
  std::vector<std::string> names = GroupNames(t.list);
  EXPECT_EQ(names[0], "Zeb Axles & Spacers");
  EXPECT_EQ(t.list.GetGroup(0)->rule, "<Zeb &-Zgr1-");
  EXPECT_EQ(names[8], "Zeb Misc");
  EXPECT_EQ(names[9], "Other Parts\\A");
  EXPECT_EQ(t.list.GetGroup(9)->rule, "<A");
  EXPECT_EQ(names[34], "Other Parts\\Z");
  EXPECT_EQ(names[35], "Other Parts\\Others");
  EXPECT_EQ(t.list.GetGroup(35)->rule, "<");
  EXPECT_EQ(names[36], "Models");
  EXPECT_EQ(names[37], "Favorites");
  EXPECT_EQ(names[38], "Document");
  CProfile& p = TheProfile();
  EXPECT_EQ(p.GetProfileInt("GroupDefs", "NumEntries", -1), 9);
  EXPECT_EQ(p.GetProfileString("GroupDefs", "GroupName5", ""), "Zeb Gears & Motion");
  EXPECT_EQ(p.GetProfileString("GroupDefs", "GroupRule5", ""), "<Zeb &-Zgr6-");
  EXPECT_EQ(t.list.GetGroupMembers(39), nullptr);
}

TEST(PartGroups, ProfileCountsAndDamage) {
  struct Case {
    const char* what;
    int count;
    std::vector<std::pair<std::string, std::string>> pairs;
    unsigned groups;
    const char* first;
  } cases[] = {
      {"no user groups", 0, {}, 30, "Other Parts\\A"},
      {"two groups", 2, {{" Bricks ", " <Brick "}, {"Plates", "<Plate"}}, 32, "Bricks"},
      {"empty rule", 2, {{"Bricks", "<Brick"}, {"Plates", "  "}}, 39, "Zeb Axles & Spacers"},
      {"missing pair", 3, {{"Bricks", "<Brick"}}, 39, "Zeb Axles & Spacers"},
      {"negative count", -5, {}, 39, "Zeb Axles & Spacers"},
      {"huge count", 2000000000, {}, 39, "Zeb Axles & Spacers"},
  };
  for (const Case& c : cases) {
    CTestPartList t;
    CProfile& p = TheProfile();
    p.WriteProfileInt("GroupDefs", "NumEntries", c.count);
    for (size_t i = 0; i < c.pairs.size(); ++i) {
      p.WriteProfileString("GroupDefs", "GroupName" + std::to_string(i + 1), c.pairs[i].first);
      p.WriteProfileString("GroupDefs", "GroupRule" + std::to_string(i + 1), c.pairs[i].second);
    }
    LoadList(t, "");
    EXPECT_EQ(t.list.GetGroupCount(), c.groups) << c.what;
    EXPECT_EQ(t.list.GetGroup(0)->name, c.first) << c.what;
    if (c.groups == 32) {
      EXPECT_EQ(t.list.GetGroup(0)->rule, "<Brick");
    }
  }
}

TEST(PartGroups, ImportOfTheGroupFile) {
  struct Case {
    const char* what;
    const char* file;  // null: no file
    unsigned groups;
    const char* first;
    int savedCount;
  } cases[] = {
      {"complete", "groups of an old version\n2\nBricks\n<Brick\r\nTechnic\n<Technic | Zeb\n", 32, "Bricks",
       2},
      {"no file", nullptr, 39, "Zeb Axles & Spacers", 9},
      {"no count line", "header only\n", 39, "Zeb Axles & Spacers", 9},
      {"count 0", "header\n0\n", 39, "Zeb Axles & Spacers", 9},
      {"short", "header\n2\nBricks\n<Brick\nTechnic\n", 39, "Zeb Axles & Spacers", 9},
      {"empty line", "header\n2\nBricks\n\nTechnic\n<Technic\n", 39, "Zeb Axles & Spacers", 9},
  };
  for (const Case& c : cases) {
    CTestPartList t;
    if (c.file) WriteFileBytes(t.importDir / "Plandor.grp", c.file);
    LoadList(t, "");
    EXPECT_EQ(t.list.GetGroupCount(), c.groups) << c.what;
    EXPECT_EQ(t.list.GetGroup(0)->name, c.first) << c.what;
    EXPECT_EQ(TheProfile().GetProfileInt("GroupDefs", "NumEntries", -1), c.savedCount) << c.what;
  }
  // Read once: a later start uses the profile even when the file has changed.
  CTestPartList t;
  WriteFileBytes(t.importDir / "Plandor.grp", "h\n1\nOne\n<One\n");
  LoadList(t, "");
  EXPECT_EQ(t.list.GetGroupCount(), 31u);
  WriteFileBytes(t.importDir / "Plandor.grp", "h\n2\nA\n<A\nB\n<B\n");
  LoadList(t, "");
  EXPECT_EQ(t.list.GetGroupCount(), 31u);
}

TEST(PartGroups, FilingRules) {
  CTestPartList t;
  LoadList(t,
           "1.dat Axle 3\n"
           "2.dat 3 x 3 Tile\n"
           "3.dat Zeb Axle 4 -Zgr1-\n"
           "4.dat zeb gear -Zgr6- also -Zgr1-\n"
           "5.dat brick 2 x 4\n");
  auto members = [&](const std::string& name) {
    for (unsigned i = 0; i < t.list.GetGroupCount(); ++i)
      if (t.list.GetGroup(i)->name == name) return *t.list.GetGroupMembers(i);
    ADD_FAILURE() << "no group " << name;
    return std::vector<PartHandle>{};
  };
  EXPECT_EQ(members("Other Parts\\A"), std::vector<PartHandle>{MakePartHandle(0, 0)});
  EXPECT_EQ(members("Other Parts\\Others"), std::vector<PartHandle>{MakePartHandle(0, 1)});
  // User groups take every match; a part in a user group is not filed under "Other Parts".
  EXPECT_EQ(members("Zeb Axles & Spacers"),
            (std::vector<PartHandle>{MakePartHandle(0, 2), MakePartHandle(0, 3)}));
  EXPECT_EQ(members("Zeb Gears & Motion"), std::vector<PartHandle>{MakePartHandle(0, 3)});
  EXPECT_TRUE(members("Other Parts\\Z").empty());
  EXPECT_EQ(members("Other Parts\\B"), std::vector<PartHandle>{MakePartHandle(0, 4)});
  for (unsigned i = 0; i < 5; ++i)
    EXPECT_TRUE(t.list.GetEntry(MakePartHandle(0, i))->flags & PartListEntry::kInGroup);
}

TEST(PartGroups, BadRuleGivesAnEmptyGroup) {
  CTestPartList t;
  LoadList(t, "1.dat Brick 1 x 1\n");
  ASSERT_EQ(t.list.SetGroups({{"Broken", "(Brick"}, {"Bricks", "<Brick"}}), 1);
  EXPECT_TRUE(t.list.GetGroupMembers(0)->empty());
  EXPECT_EQ(*t.list.GetGroupMembers(1), std::vector<PartHandle>{MakePartHandle(0, 0)});
  EXPECT_EQ(TheProfile().GetProfileString("GroupDefs", "GroupRule1", ""), "(Brick");
  ASSERT_EQ(t.list.ResetGroups(), 1);
  EXPECT_EQ(t.list.GetGroupCount(), 39u);
  EXPECT_EQ(TheProfile().GetProfileInt("GroupDefs", "NumEntries", -1), 9);
}

// A profile whose writes fail.
class CBrokenProfile : public CProfile {
 public:
  std::string GetProfileString(const std::string&, const std::string&, const std::string& def) override {
    return def;
  }
  int GetProfileInt(const std::string&, const std::string&, int def) override { return def; }
  bool WriteProfileString(const std::string&, const std::string&, const std::string&) override {
    return false;
  }
  bool WriteProfileInt(const std::string&, const std::string& key, int) override { return key != failKey; }
  bool HasEntry(const std::string&, const std::string&) override { return false; }
  std::vector<std::string> GetKeys(const std::string&) override { return {}; }
  bool DeleteKey(const std::string&, const std::string&) override { return false; }
  bool DeleteSection(const std::string&) override { return false; }
  bool Flush() override { return false; }
  std::string failKey = "none";
};

TEST(PartGroups, FailedProfileWritesAreReported) {
  CTestPartList t;
  LoadList(t, "1.dat Brick 1 x 1\n");
  SetProfile(std::make_unique<CBrokenProfile>());
  EXPECT_EQ(t.list.SetGroups({{"Bricks", "<Brick"}}), 0);
  EXPECT_EQ(t.list.SaveGroupInfos(), 0);
  EXPECT_EQ(t.list.LoadFavorites(true), 0);
}

TEST(PartGroups, Favorites) {
  CTestPartList t;
  WriteFileBytes(t.importDir / "Tlv_Favorites.txt", "favourites\n 3002.DAT \n\nmissing.dat\n3001.dat\n");
  LoadList(t, "3001.dat Brick 2 x 4\n3002.dat Brick 2 x 3\n3003.dat Brick 2 x 2\n");
  const std::vector<PartHandle>* fav = t.list.SetFavorite(0, false);
  ASSERT_NE(fav, nullptr);
  EXPECT_EQ(*fav, (std::vector<PartHandle>{MakePartHandle(0, 1), MakePartHandle(0, 0)}));
  CProfile& p = TheProfile();
  EXPECT_EQ(p.GetProfileInt("Favorites", "NumEntries", -1), 2);
  EXPECT_EQ(p.GetProfileString("Favorites", "Entry1", ""), "3002.dat");
  EXPECT_EQ(p.GetProfileString("Favorites", "Entry2", ""), "3001.dat");

  t.list.SetFavorite(MakePartHandle(0, 2), false);
  t.list.SetFavorite(MakePartHandle(0, 2), false);  // already there: no second copy
  EXPECT_EQ(*fav,
            (std::vector<PartHandle>{MakePartHandle(0, 1), MakePartHandle(0, 0), MakePartHandle(0, 2)}));
  t.list.SetFavorite(MakePartHandle(0, 1), true);
  EXPECT_EQ(p.GetProfileInt("Favorites", "NumEntries", -1), 2);

  // Read back by a new list from the profile; the import file is not read again.
  CTestPartList second;  // its own profile replaces (and so saves) the first one
  std::string profilePath = t.profile.Dir() / "Plandor.conf";
  SetProfile(std::make_unique<CFileProfile>(profilePath));
  CScratchDir dir;
  WriteFileBytes(dir / "Parts.lst", "3003.dat Brick 2 x 2\n3001.dat Brick 2 x 4\n");
  ASSERT_EQ(second.list.LoadPartsListFrom(dir / "Parts.lst"), 1);
  EXPECT_EQ(*second.list.SetFavorite(0, false),
            (std::vector<PartHandle>{MakePartHandle(0, 1), MakePartHandle(0, 0)}));
}

}  // namespace
