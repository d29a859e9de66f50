#include <gtest/gtest.h>

#include <filesystem>

#include "PartListTestSupport.h"
#include "config/LdrException.h"
#include "config/PartList.h"
#include "platform/Folders.h"
#include "platform/Numbers.h"

namespace {

// A line of Parts.lst as the file format defines it.
std::string ListLine(const std::string& name, const std::string& description) {
  return StrPrintf("%-14s %-64.64s\n", name.c_str(), description.c_str());
}

struct ScannedFixture : CTestPartList {
  ScannedFixture() {
    WriteFixtureLibrary(lib.Path());
    list.LoadPartsList(lib.Path());
    EXPECT_EQ(list.ScanDirectory(lib.Path(), "\\PARTS\\", false, partsChanged), 1);
    EXPECT_EQ(list.ScanDirectory(lib.Path(), "Models", true, modelsChanged), 1);
  }
  CScratchDir lib;
  int partsChanged = -1;
  int modelsChanged = -1;
};

TEST(PartList, ScanOfAMixedCaseLibraryWritesTheExpectedPartsLst) {
  ScannedFixture f;
  EXPECT_EQ(f.partsChanged, 1);
  EXPECT_EQ(f.modelsChanged, 1);
  f.list.SavePartsList(f.lib.Path());
  // Sorted by description; the moved part, the "Model\" part and the .txt file are not listed.
  std::string expected = ListLine("bom.dat", "Axle 3") + ListLine("3005.DAT", "Brick  1 x  1") +
                         ListLine("3001.dat", "Brick  2 x  4") + "verylongpartname.dat " +
                         FixtureLongDescription().substr(0, 64) + "\n" +
                         ListLine("NoZero.dat", "NoZero.dat") + ListLine("Write.dat", "Plate 1 x 2");
  std::string written = ReadFileBytes(f.lib / "Parts.lst");
  EXPECT_EQ(written, expected);
  EXPECT_EQ(written.find("3005.DAT       Brick  1 x  1" + std::string(51, ' ') + "\n"),
            ListLine("bom.dat", "").size());
  // Without an earlier list there is no Parts.old.
  EXPECT_FALSE(FileExists(f.lib / "Parts.old"));
}

TEST(PartList, DescriptionsAndFlagsAfterAScan) {
  ScannedFixture f;
  ASSERT_EQ(f.list.GetCount(kLibraryParts), 7u);  // .dat files minus the moved one
  PartHandle car = f.list.FindByName("CAR1.DAT", kLibraryParts);
  ASSERT_NE(car, 0u);
  EXPECT_STREQ(f.list.GetDescription(car), "Model\\Car");
  EXPECT_EQ(f.list.FindByName("91.dat", kAllCategories), 0u);
  EXPECT_EQ(f.list.FindByName("readme.txt", kAllCategories), 0u);
  EXPECT_STREQ(f.list.GetDescription(f.list.FindByName("verylongpartname.dat")),
               FixtureLongDescription().c_str());
  const PartListEntry* e = f.list.GetEntry(f.list.FindByName("3001.DAT"));
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->flags & PartListEntry::kSeen, PartListEntry::kSeen);
  // Models: .dat first, then .ldr, sorted by description.
  ASSERT_EQ(f.list.GetCount(kLibraryModels), 2u);
  EXPECT_STREQ(f.list.GetFileName(MakePartHandle(kLibraryModels, 0)), "house.dat");
  EXPECT_STREQ(f.list.GetFileName(MakePartHandle(kLibraryModels, 1)), "Car.LDR");
  EXPECT_EQ(f.list.GetCount(7), 9u);
}

// A folder of many parts is read on several threads: every part keeps its own description, and a
// name that cannot be opened (a link to nothing) is left out as it is when read alone.
TEST(PartList, AScanOfManyPartsGivesEachItsOwnDescription) {
  CTestPartList t;
  CScratchDir lib;
  constexpr int kParts = 1500;
  std::filesystem::create_directories(lib / "parts");
  for (int i = 0; i < kParts; ++i)
    WriteFileBytes(lib / ("parts/" + StrPrintf("p%04d.dat", i)), StrPrintf("0 Part number %04d\n", i));
  std::filesystem::create_symlink(lib / "parts/nothing.dat", lib / "parts/p9999.dat");
  int changed = 0;
  ASSERT_EQ(t.list.ScanDirectory(lib.Path(), "parts", false, changed), 1);
  EXPECT_EQ(changed, 1);
  ASSERT_EQ(t.list.GetCount(kLibraryParts), static_cast<unsigned>(kParts));
  for (int i = 0; i < kParts; i += 7) {
    const PartHandle h = t.list.FindByName(StrPrintf("p%04d.dat", i), kLibraryParts);
    ASSERT_NE(h, 0u) << i;
    EXPECT_EQ(std::string(t.list.GetDescription(h)), StrPrintf("Part number %04d", i));
  }
  EXPECT_EQ(t.list.FindByName("p9999.dat", kLibraryParts), 0u);
}

TEST(PartList, ReadDescriptionCases) {
  CScratchDir dir;
  struct Case {
    const char* name;
    std::string text;
    const char* expected;
  } cases[] = {
      {"a.dat", "0 WRITE Brick 2 x 4\n", "Brick 2 x 4"},
      {"b.dat", "0 WRITEWRITE  Brick\n", "Brick"},
      {"c.dat", "1 16 0 0 0 1 0 0 0 1 0 0 0 1 x.dat\n", "c.dat"},
      {"d.dat", "0   \r\n", "d.dat"},
      {"e.dat", "", "e.dat"},
      {"f.dat",
       "\xEF\xBB\xBF"
       "0 Plate 1 x 1\r\n",
       "Plate 1 x 1"},
      {"g.dat", "\t0\tTile  2 x 2 \t\r\nsecond line\n", "Tile  2 x 2"},
      {"h.dat", "0 write lower case stays\n", "write lower case stays"},
      // The first line is cut at 1022 characters, the rest of it is not read as a second line.
      {"i.dat", "0 " + std::string(1020, 'x') + "yz\nsecond\n", nullptr},
      {"j.dat", "0 " + std::string(3000, 'w') + "\n0 second\n", nullptr},
      {"k.dat", "0 No line end", "No line end"},
  };
  for (const Case& c : cases) {
    WriteFileBytes(dir / c.name, c.text);
    std::string description;
    EXPECT_EQ(CPartList::ReadDescription(dir.Path(), c.name, description), 1) << c.name;
    if (c.expected)
      EXPECT_EQ(description, c.expected) << c.name;
    else
      EXPECT_EQ(description, c.text.substr(2, 1020)) << c.name;
  }
  std::string description;
  EXPECT_EQ(CPartList::ReadDescription(dir.Path(), "missing.dat", description), 0);
}

// A description longer than Parts.lst keeps must not count as a change when the list is read back.
TEST(PartList, RescanAfterReloadFindsNoChange) {
  ScannedFixture f;
  f.list.SavePartsList(f.lib.Path());
  // "Model\" parts are never written, so a rescan always finds them again; leave them out here.
  std::filesystem::remove(f.lib / "Parts/car1.dat");
  CTestPartList again;
  ASSERT_EQ(again.list.LoadPartsList(f.lib.Path()), 1);
  EXPECT_EQ(again.list.GetCount(kLibraryParts), 6u);
  int changed = -1;
  ASSERT_EQ(again.list.ScanDirectory(f.lib.Path(), "parts", false, changed), 1);
  EXPECT_EQ(changed, 0);
  EXPECT_EQ(again.list.GetCount(kLibraryParts), 6u);  // no duplicate of the long part
  // A second scan in the same run neither.
  ASSERT_EQ(f.list.ScanDirectory(f.lib.Path(), "parts", false, changed), 1);
  EXPECT_EQ(changed, 0);
  EXPECT_EQ(f.list.GetCount(kLibraryParts), 7u);
}

TEST(PartList, ReadBackGivesTheSameList) {
  ScannedFixture f;
  f.list.SavePartsList(f.lib.Path());
  CTestPartList again;
  ASSERT_EQ(again.list.LoadPartsList(f.lib.Path()), 1);
  unsigned j = 0;
  for (unsigned i = 0; i < f.list.GetCount(kLibraryParts); ++i) {
    const char* d = f.list.GetDescription(MakePartHandle(kLibraryParts, i));
    if (std::string(d).rfind("Model\\", 0) == 0) continue;
    EXPECT_STREQ(again.list.GetFileName(MakePartHandle(kLibraryParts, j)),
                 f.list.GetFileName(MakePartHandle(kLibraryParts, i)));
    EXPECT_EQ(std::string(again.list.GetDescription(MakePartHandle(kLibraryParts, j))),
              std::string(d).substr(0, 64));
    ++j;
  }
  EXPECT_EQ(j, again.list.GetCount(kLibraryParts));
  // Read entries are not seen by a scan: writing now writes an empty list.
  EXPECT_EQ(again.list.FormatPartsList(), "");
}

TEST(PartList, ChangedDescriptionIsStagedAndOnlyTheNewOneWritten) {
  ScannedFixture f;
  f.list.SavePartsList(f.lib.Path());
  WriteFileBytes(f.lib / "Parts/3001.dat", "0 Brick  2 x  4 Renamed\n");
  WriteFileBytes(f.lib / "Parts/3005.DAT", "0 ~Moved to 3005a\n");
  CTestPartList again;
  ASSERT_EQ(again.list.LoadPartsList(f.lib.Path()), 1);
  int changed = 0;
  again.list.ScanDirectory(f.lib.Path(), "Parts", false, changed);
  EXPECT_EQ(changed, 1);
  std::string text = again.list.FormatPartsList();
  EXPECT_NE(text.find(ListLine("3001.dat", "Brick  2 x  4 Renamed")), std::string::npos);
  EXPECT_EQ(text.find(ListLine("3001.dat", "Brick  2 x  4")), std::string::npos);
  // The moved part keeps its entry in memory but is no longer written.
  EXPECT_STREQ(again.list.GetDescription(again.list.FindByName("3005.dat")), "Brick  1 x  1");
  EXPECT_EQ(text.find("3005.DAT"), std::string::npos);
}

TEST(PartList, LoadParsesLinesLikeTheFileFormat) {
  CTestPartList t;
  CScratchDir dir;
  WriteFileBytes(dir / "Parts.lst",
                 "3001.dat       Brick  2 x  4                                                   \r\n"
                 "\n"
                 "   \t\n"
                 "onlyname.dat\n"
                 "  3002.dat   Brick  2 x  3   \n"
                 "3001.DAT       Second entry of the same name\n");
  ASSERT_EQ(t.list.LoadPartsListFrom(dir / "Parts.lst"), 1);
  ASSERT_EQ(t.list.GetCount(kLibraryParts), 4u);
  EXPECT_STREQ(t.list.GetDescription(MakePartHandle(0, 0)), "Brick  2 x  4");
  EXPECT_STREQ(t.list.GetDescription(MakePartHandle(0, 1)), "onlyname.dat");
  EXPECT_STREQ(t.list.GetFileName(MakePartHandle(0, 2)), "3002.dat");
  EXPECT_STREQ(t.list.GetDescription(MakePartHandle(0, 2)), "Brick  2 x  3");
  // File order is kept, and the first entry of a name wins.
  EXPECT_EQ(t.list.FindByName("3001.dat"), MakePartHandle(0, 0));
  EXPECT_EQ(t.list.LoadPartsListFrom(dir / "missing.lst"), 0);
  EXPECT_EQ(t.list.GetCount(kLibraryParts), 0u);
}

TEST(PartList, HandlesAndCategories) {
  CTestPartList t;
  EXPECT_EQ(CPartList::GetCategory(0xA0000000u), 4);
  EXPECT_EQ(CPartList::GetCategory(0x60000005u), 3);
  EXPECT_EQ(t.list.GetEntry(0x20000000u), nullptr);
  EXPECT_EQ(t.list.GetEntry(0), nullptr);
  EXPECT_EQ(t.list.GetFileName(0x00000001u), nullptr);
  PartHandle extra = t.list.AddExtraEntry("Custom.DAT");
  EXPECT_EQ(extra, 0x60000001u);
  EXPECT_STREQ(t.list.GetDescription(extra), "");
  EXPECT_EQ(t.list.GetEntry(0x60000002u), nullptr);
  for (int i = 0; i < 150; ++i) t.list.AddExtraEntry(StrPrintf("x%d.dat", i));
  EXPECT_EQ(t.list.GetCount(kExtraFiles), 151u);
  EXPECT_EQ(t.list.FindByName("x149.DAT", kExtraFiles), 0x60000097u);
}

TEST(PartList, DocumentModelsAreFoundFirst) {
  CTestPartList t;
  CScratchDir dir;
  WriteFileBytes(dir / "Parts.lst", "3001.dat Brick  2 x  4\n");
  t.list.LoadPartsListFrom(dir / "Parts.lst");
  EXPECT_EQ(t.list.AddDocumentModel(0, "a.ldr", "A"), 0u);  // nothing reserved
  EXPECT_EQ(t.list.ReserveDocumentModels(0), 0);
  ASSERT_EQ(t.list.ReserveDocumentModels(3), 1);
  EXPECT_EQ(t.list.AddDocumentModel(3, "a.ldr", "A"), 0u);
  EXPECT_EQ(t.list.AddDocumentModel(0, nullptr, "A"), 0u);
  EXPECT_EQ(t.list.FindByName("3001.DAT"), MakePartHandle(0, 0));
  // A slot skipped by the caller is empty, not a stale entry.
  EXPECT_EQ(t.list.AddDocumentModel(1, "3001.dat", "My own brick"), 0x40000002u);
  EXPECT_EQ(t.list.GetEntry(0x40000001u), nullptr);
  EXPECT_EQ(t.list.FindByName("3001.DAT"), 0x40000002u);
  EXPECT_EQ(t.list.FindByName("3001.DAT", kLibraryParts), MakePartHandle(0, 0));
  const auto* document = t.list.GetGroupMembers(t.list.GetGroupCount() - 1);
  ASSERT_NE(document, nullptr);
  EXPECT_EQ(*document, std::vector<PartHandle>{0x40000002u});
  t.list.ClearDocumentModels();
  EXPECT_EQ(t.list.GetCount(kDocumentModels), 0u);
  EXPECT_TRUE(t.list.GetGroupMembers(t.list.GetGroupCount() - 1)->empty());
  EXPECT_EQ(t.list.FindByName("3001.DAT"), MakePartHandle(0, 0));
}

// Registering a model again in its slot replaces its name in the look-up.
TEST(PartList, AReplacedDocumentModelIsFoundOnlyUnderItsNewName) {
  CTestPartList t;
  ASSERT_EQ(t.list.ReserveDocumentModels(2), 1);
  EXPECT_EQ(t.list.AddDocumentModel(0, "Old.ldr", "A"), 0x40000001u);
  EXPECT_EQ(t.list.AddDocumentModel(1, "other.ldr", "B"), 0x40000002u);
  EXPECT_EQ(t.list.AddDocumentModel(1, "New.ldr", "B"), 0x40000002u);
  EXPECT_EQ(t.list.FindByName("OTHER.LDR"), 0u);
  EXPECT_EQ(t.list.FindByName("new.LDR"), 0x40000002u);
  EXPECT_EQ(t.list.FindByName("old.ldr"), 0x40000001u);
  // Two slots of the same name: the first is found.
  EXPECT_EQ(t.list.AddDocumentModel(1, "OLD.LDR", "B"), 0x40000002u);
  EXPECT_EQ(t.list.FindByName("old.ldr"), 0x40000001u);
}

TEST(PartList, UsageWalk) {
  CTestPartList t;
  CScratchDir dir;
  WriteFileBytes(dir / "Parts.lst", "3001.dat Brick  2 x  4\n3002.dat Brick  2 x  3\n");
  t.list.LoadPartsListFrom(dir / "Parts.lst");
  t.list.CountUsage("3001.dat", 4);  // no tables yet: nothing counted
  ASSERT_EQ(t.list.ReserveDocumentModels(1), 1);
  t.list.AddDocumentModel(0, "sub.ldr", "Sub model");
  t.list.ResetUsage();
  t.list.CountUsage("3002.DAT", 4);
  t.list.CountUsage("3002.dat", 4);
  t.list.CountUsage("3001.dat", 511);
  t.list.CountUsage("3001.dat", 512);
  t.list.CountUsage("unknown.dat", 0x2FF0000);
  t.list.CountUsage("SUB.LDR", 16);
  struct Expected {
    PartHandle handle;
    uint32_t count, colour;
  } expected[] = {
      {MakePartHandle(0, 0), 1, 511}, {MakePartHandle(0, 0), 1, 512}, {MakePartHandle(0, 1), 2, 4},
      {MakePartHandle(0, 2), 1, 512},  // the unlisted row, one past the last part
      {MakePartHandle(2, 0), 1, 16},
  };
  uint32_t it = 0;
  for (const Expected& e : expected) {
    EXPECT_EQ(t.list.HasUsage(it), 1);
    PartHandle h = 0;
    uint32_t count = 0, colour = 0;
    ASSERT_EQ(t.list.NextUsage(it, h, count, colour), 1);
    EXPECT_EQ(h, e.handle);
    EXPECT_EQ(count, e.count);
    EXPECT_EQ(colour, e.colour);
  }
  EXPECT_EQ(t.list.GetEntry(MakePartHandle(0, 2)), nullptr);
  EXPECT_EQ(t.list.HasUsage(it), 0);
  PartHandle h;
  uint32_t count, colour;
  EXPECT_EQ(t.list.NextUsage(it, h, count, colour), 0);
}

}  // namespace
