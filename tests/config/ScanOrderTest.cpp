// The ini file reader and the library scan order read from its [SCAN_ORDER] section.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "PartListTestSupport.h"
#include "config/IniFile.h"
#include "config/PartList.h"
#include "config/ScanOrder.h"
#include "config/Tracer.h"
#include "platform/Folders.h"
#include "support/LogCaptureScope.h"

namespace {

struct Entry {
  std::string path;
  uint32_t flags;
  bool operator==(const Entry&) const = default;
};

std::vector<Entry> Entries(const CScanOrder& order) {
  std::vector<Entry> out;
  for (int i = 0; i < order.GetCount(); ++i) out.push_back({order.GetPath(i), order.GetFlags(i)});
  return out;
}

void PrintTo(const Entry& e, std::ostream* os) { *os << "{" << e.path << ", " << e.flags << "}"; }

TEST(IniFile, SectionsAndLines) {
  CScratchDir dir;
  WriteFileBytes(dir / "Plandor.ini",
                 "; comment\n"
                 "[Other]\n"
                 "x = 1\n"
                 "[scan_order]\r\n"
                 "  first  \n"
                 "; a comment inside\n"
                 "\n"
                 "second\n"
                 "third\n"
                 "[SCAN ORDER]\n"
                 "after\n");
  CIniFile ini(dir / "Plandor.ini");
  ASSERT_TRUE(ini.IsOpen());
  EXPECT_EQ(ini.FindSection("SCAN_ORDER"), 3);
  EXPECT_EQ(ini.GetLineNumber(), 4);
  std::string line;
  ASSERT_TRUE(ini.NextLine(line));
  EXPECT_EQ(line, "first");
  EXPECT_EQ(ini.GetLineNumber(), 5);
  ASSERT_TRUE(ini.NextLine(line));
  EXPECT_EQ(line, "second");
  EXPECT_EQ(ini.GetLineNumber(), 8);
  ASSERT_TRUE(ini.NextLine(line));
  ASSERT_TRUE(ini.NextLine(line));
  EXPECT_EQ(line, "[SCAN ORDER]");  // NextLine does not stop at a header
  EXPECT_EQ(ini.FindSection("SCAN ORDER"), 1);
  EXPECT_EQ(ini.FindSection("Other"), 1);
  EXPECT_EQ(ini.FindSection("missing"), 0);
  EXPECT_EQ(ini.FindSection("[Other]"), 0);

  WriteFileBytes(dir / "blank.ini", "[ SCAN_ORDER ]\nx\n[EMPTY]\n");
  CIniFile blank(dir / "blank.ini");
  EXPECT_EQ(blank.FindSection("SCAN_ORDER"), 0);
  EXPECT_EQ(blank.FindSection("Empty"), 0);

  CIniFile missing(dir / "none.ini");
  EXPECT_FALSE(missing.IsOpen());
  EXPECT_EQ(missing.FindSection("SCAN_ORDER"), 0);
  EXPECT_FALSE(missing.NextLine(line));
}

// The ini file is found in the program's real folder, whose name is never changed in case.
TEST(IniFile, FoundInTheProgramFolder) {
  std::string path = GetProgramDirectory() + CIniFile::kFileName;
  ASSERT_TRUE(IsDirectory(GetProgramDirectory()));
  if (FileExists(path)) GTEST_SKIP() << "a " << path << " of someone else's is in the way";
  ASSERT_TRUE(WriteFileBytes(path, "[Scan_Order]\nHIDE <LDRAWDIR>\\P\n"));
  {
    CIniFile ini;
    EXPECT_TRUE(ini.IsOpen());
    EXPECT_EQ(ini.FindSection("SCAN_ORDER"), 1);
  }
  std::filesystem::remove(path);
}

// The library of these tests: folders in mixed case, and an absolute folder outside it.
struct ScanOrderFixture {
  ScanOrderFixture() {
    namespace fs = std::filesystem;
    for (const char* d : {"P", "parts/Custom", "Models/Extra", "Unofficial/Parts"})
      fs::create_directories(lib / d);
    fs::create_directories(outside / "Extra Parts");
  }
  CScanOrder Load(const std::string& section) {
    WriteFileBytes(ini / "Plandor.ini", "[OTHER]\nSHOW x\n" + section + "[NEXT]\nHIDE y\n");
    CScanOrder order;
    EXPECT_EQ(order.LoadFromIni(lib.Path(), ini / "Plandor.ini"), 1);
    return order;
  }
  CScratchDir lib, outside, ini;
};

const std::vector<Entry> kDefault = {{"P", 0}, {"Parts", 0}, {"Models", 1}};

TEST(ScanOrder, EveryFormOfTheSection) {
  ScanOrderFixture f;
  std::string abs = f.outside.Path() + "Extra Parts";  // absolute, without the trailing '/'
  struct Case {
    const char* what;
    std::string section;
    std::vector<Entry> expected;
    std::vector<std::pair<std::string, int>> log;  // text, times
  } cases[] = {
      {"no section", "", kDefault, {{"INFO: Using default scan order for parts ...\n", 1}}},
      {"the usual three",
       "[SCAN_ORDER]\nHIDE <LDRAWDIR>\\P\nHIDE <LDRAWDIR>\\Parts\nSHOW <LDRAWDIR>\\Models\n",
       kDefault,
       {{"INFO: Loaded 3 entries from ScanOrder section in ini file.\n", 1}, {"WARNING", 0}}},
      {"lower-case header and keywords, key and '='",
       "[scan_order]\n1=hide <ldrawdir>\\p\nEntry2 = Hide <LDrawDir>/parts/\nx=show <LDRAWDIR>models\n",
       {{"p", 0}, {"parts", 0}, {"models", 1}},
       {{"WARNING", 0}}},
      {"only Parts",
       "[SCAN_ORDER]\nHIDE <LDRAWDIR>\\Parts\n",
       {{"Parts", 0}, {"P", 0}, {"Models", 1}},
       {{"WARNING: Mandatory 'P' path missing, adding it now (search order might be wrong)!\n", 1},
        {"WARNING: Mandatory 'Model' path missing, adding it now (search order might be wrong)!\n", 1},
        {"WARNING: Mandatory 'Parts'", 0}}},
      {"SHOW P is forced to HIDE",
       "[SCAN_ORDER]\nSHOW <LDRAWDIR>\\P\nSHOW <LDRAWDIR>\\Parts\nHIDE <LDRAWDIR>\\Models\n",
       kDefault,
       {}},
      {"extra folders, quotes and separators",
       "[SCAN_ORDER]\nSHOW <LDRAWDIR>\\Unofficial\\Parts\\\nSHOW <LDRAWDIR>\\\\Models\\Extra\\\\\nSHOW "
       "<LDRAWDIR>\"\\parts\\Custom\\\"\n",
       {{"Unofficial/Parts", 1},
        {"Models/Extra", 1},
        {"parts/Custom", 1},
        {"P", 0},
        {"Parts", 0},
        {"Models", 1}},
       {{"ERROR", 0}}},
      {"absolute folder",
       "[SCAN_ORDER]\nSHOW " + abs + "/\nHIDE \"" + abs + "\"\n",
       {{abs, 3}, {abs, 2}, {"P", 0}, {"Parts", 0}, {"Models", 1}},
       {}},
      {"model-relative folder is not tested",
       "[SCAN_ORDER]\nSHOW <MODELDIR>\\Sub\\\nHIDE <modeldir>parts\n",
       {{"Sub", 5}, {"parts", 4}, {"P", 0}, {"Parts", 0}, {"Models", 1}},
       {}},
      // A model's own "Parts" folder is the user's: it keeps its flags and is not the library's.
      {"model-relative and absolute Parts keep their flags",
       "[SCAN_ORDER]\nSHOW <MODELDIR>\\Parts\nSHOW " + f.lib.Path() + "parts\n",
       {{"Parts", 5}, {f.lib.Path() + "parts", 3}, {"P", 0}, {"Parts", 0}, {"Models", 1}},
       {{"WARNING: Mandatory 'Parts' path missing", 1}}},
      {"bad entries",
       "[SCAN_ORDER]\nSHOW\nSHOWP\nLIST <LDRAWDIR>\\P\nSHOW <LDRAWDIR>\\Missing\nSHOW <LDRAWDIR>\nSHOW "
       "<LDRAWDIR>\\\\\nSHOW relative/folder\nHIDE <LDRAWDIR>\\P\n",
       {{"P", 0}, {"Parts", 0}, {"Models", 1}},
       {{"ERROR: ScanOrder Entry 'SHOW' ignored because: No seperator!\n", 1},
        {"ERROR: ScanOrder Entry 'SHOWP' ignored because: No seperator!\n", 1},
        {"ERROR: ScanOrder Entry 'LIST <LDRAWDIR>\\P' ignored because: Illegal keyword!\n", 1},
        {"ERROR: ScanOrder Entry 'SHOW <LDRAWDIR>\\Missing' ignored because: Path does not exist!\n", 1},
        {"ERROR: ScanOrder Entry 'SHOW <LDRAWDIR>' ignored because: Path does not exist!\n", 1},
        {"ERROR: ScanOrder Entry 'SHOW relative/folder' ignored because: Path does not exist!\n", 1},
        {"INFO: Loaded 1 entries", 1}}},
      {"nothing usable",
       "[SCAN_ORDER]\nSHOW <LDRAWDIR>\\Missing\n; only a comment\n",
       kDefault,
       {{"ERROR: ScanOrder section in ini file had no usable information!\n", 1},
        {"INFO: Using default scan order for parts ...\n", 1}}},
      {"a blank inside the header",
       "[SCAN ORDER]\nSHOW <LDRAWDIR>\\Unofficial\\Parts\n",
       kDefault,
       {{"INFO: Using default scan order", 1}}},
      {"tab as separator",
       "[SCAN_ORDER]\nSHOW\t<LDRAWDIR>\\Models\\Extra\n",
       {{"Models/Extra", 1}, {"P", 0}, {"Parts", 0}, {"Models", 1}},
       {}},
  };
  for (const Case& c : cases) {
    CLogCaptureScope log("ScanOrderTest");
    CScanOrder order = f.Load(c.section);
    EXPECT_EQ(Entries(order), c.expected) << c.what;
    for (const auto& [text, times] : c.log) EXPECT_EQ(log.Count(text), times) << c.what << ": " << text;
  }
}

TEST(ScanOrder, MissingIniGivesTheDefault) {
  CScratchDir lib;
  CScanOrder order;
  order.LoadFromIni(lib.Path(), lib / "no-such.ini");
  EXPECT_EQ(Entries(order), kDefault);
  EXPECT_EQ(order.GetPath(3), nullptr);
  EXPECT_EQ(order.GetPath(-1), nullptr);
  EXPECT_EQ(order.GetFlags(3), 0u);
}

TEST(ScanOrder, ShownFoldersAreScannedIntoThePartList) {
  ScanOrderFixture f;
  CTestPartList t;
  WriteFileBytes(f.lib / "Models/Extra/Truck.LDR", "0 Truck\n");
  WriteFileBytes(f.lib / "parts/Custom/9001.DAT", "0 Custom Brick\n");
  WriteFileBytes(f.lib / "parts/3001.dat", "0 Brick  2 x  4\n");  // a HIDE folder
  WriteFileBytes(f.lib / "Models/car.ldr", "0 Car\n");
  WriteFileBytes(f.outside / "Extra Parts/abs.dat", "0 Absolute Part\n");
  CScratchDir model;
  std::filesystem::create_directories(model / "Sub");
  WriteFileBytes(model / "Sub/local.dat", "0 Local Part\n");
  // The process's current folder holds a folder of the same name that must never be scanned.
  CScratchDir cwd;
  std::filesystem::create_directories(cwd / "Sub");
  WriteFileBytes(cwd / "Sub/wrong.dat", "0 Wrong Part\n");
  auto oldCwd = std::filesystem::current_path();
  std::filesystem::current_path(cwd.Path());

  CScanOrder order =
      f.Load("[SCAN_ORDER]\nSHOW <LDRAWDIR>\\MODELS\\EXTRA\nSHOW <LDRAWDIR>\\Parts\\Custom\nSHOW " +
             f.outside.Path() + "Extra Parts\nSHOW <MODELDIR>\\Sub\n");
  t.list.LoadPartsList(f.lib.Path());
  EXPECT_EQ(order.ScanShownDirs(t.list, f.lib.Path()), 1);
  EXPECT_NE(t.list.FindByName("truck.ldr", kLibraryModels), 0u);
  EXPECT_NE(t.list.FindByName("car.ldr", kLibraryModels), 0u);
  EXPECT_NE(t.list.FindByName("9001.dat", kLibraryParts), 0u);
  EXPECT_NE(t.list.FindByName("abs.dat", kLibraryParts), 0u);
  EXPECT_EQ(t.list.FindByName("3001.dat"), 0u);
  EXPECT_EQ(t.list.FindByName("local.dat"), 0u);  // no model yet
  EXPECT_EQ(t.list.FindByName("wrong.dat"), 0u);

  EXPECT_EQ(order.ScanShownDirs(t.list, f.lib.Path(), model.Path()), 1);
  EXPECT_NE(t.list.FindByName("local.dat", kLibraryParts), 0u);
  EXPECT_EQ(t.list.FindByName("wrong.dat"), 0u);
  // Nothing new the second time.
  EXPECT_EQ(order.ScanShownDirs(t.list, f.lib.Path(), model.Path()), 0);
  std::filesystem::current_path(oldCwd);
}

}  // namespace
