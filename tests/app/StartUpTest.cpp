// The start-up before the main window: settings with the library base folder, the scan order and
// the part list, with scripted answers, a small library of our own and a profile of the test's.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "app/BaseFolderChange.h"
#include "app/PrivateEvents.h"
#include "app/StartUp.h"
#include "config/ColorEntry.h"
#include "config/PartList.h"
#include "config/ScanOrder.h"
#include "config/Settings.h"
#include "model/LibraryContext.h"
#include "platform/Folders.h"
#include "platform/Numbers.h"
#include "platform/Profile.h"
#include "platform/StringTable.h"
#include "support/ScriptedPrompt.h"
#include "support/TestData.h"

namespace {

class StartUpTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    m_oldConfig = config ? config : "";
    m_hadConfig = config != nullptr;
    setenv("XDG_CONFIG_HOME", (m_home / "config").c_str(), 1);
    m_user = GetUserConfigDirectory();
    m_list.SetPlaces({m_user, {}, m_home / "none"});
  }
  void TearDown() override {
    if (m_hadConfig)
      setenv("XDG_CONFIG_HOME", m_oldConfig.c_str(), 1);
    else
      unsetenv("XDG_CONFIG_HOME");
    SetProfile(nullptr);
  }

  // A library with the stud primitive and the given parts (names and descriptions).
  std::string MakeLibrary(const std::string& name, const std::vector<std::pair<std::string, std::string>>& parts) {
    std::string base = m_home / name;
    MakeDirectories(base + "/p");
    MakeDirectories(base + "/parts");
    WriteFileBytes(base + "/p/stud.dat", "0 Stud\n4 16 6 0 0 6 -4 0 -6 -4 0 -6 0 0\n");
    for (const auto& [file, description] : parts)
      WriteFileBytes(base + "/parts/" + file, "0 " + description + "\n");
    return base;
  }

  StartUpOptions Options(const std::string& base) {
    StartUpOptions options;
    options.prompt = &m_prompt;
    auto profile = std::make_unique<CFileProfile>(m_home / "Plandor.conf");
    // The file types have tests of their own; here they stay out of the way.
    profile->WriteProfileInt(kSettingsSection, "RegFileTypes", 0);
    options.profile = std::move(profile);
    options.baseFolder = base;
    options.iniPath = m_home / "no-ini-here.ini";
    options.settings = &m_settings;
    options.partList = &m_list;
    options.scanOrder = &m_order;
    options.fileTypes.dataHome = m_home / "data";
    return options;
  }

  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const auto& shown : m_prompt.shown) texts.push_back(shown.text);
    return texts;
  }

  CScratchDir m_home;
  std::string m_user;
  std::string m_oldConfig;
  bool m_hadConfig = false;
  CScriptedPrompt m_prompt;
  CSettings m_settings;
  CPartList m_list;
  CScanOrder m_order;
};

const std::vector<std::pair<std::string, std::string>> kTwoParts = {{"3001.dat", "Brick  2 x  4"},
                                                                    {"3003.dat", "Brick  2 x  2"}};

TEST_F(StartUpTest, WithPartsListLoadsItWithoutAsking) {
  std::string base = MakeLibrary("lib", kTwoParts);
  // The list names a part the folder lacks: it must come from the file, not from a scan.
  WriteFileBytes(base + "/Parts.lst", "3001.dat       Brick  2 x  4\n9999.dat       Listed only\n");
  CStartUp startUp(Options(base));
  ASSERT_TRUE(startUp.Run());
  EXPECT_EQ(startUp.GetPartListLoad(), PartListLoad::Loaded);
  EXPECT_TRUE(m_prompt.shown.empty());
  EXPECT_NE(m_list.FindByName("9999.dat", kLibraryParts), 0u);
  EXPECT_EQ(m_list.FindByName("3003.dat", kLibraryParts), 0u);
  EXPECT_EQ(m_settings.BasePath, base);
}

TEST_F(StartUpTest, WithoutPartsListYesScansAndWritesIt) {
  std::string base = MakeLibrary("lib", kTwoParts);
  m_prompt.Answer(PromptAnswer::Yes);
  CStartUp startUp(Options(base));
  ASSERT_TRUE(startUp.Run());
  EXPECT_EQ(startUp.GetPartListLoad(), PartListLoad::Created);
  ASSERT_EQ(m_prompt.shown.size(), 1u);
  EXPECT_EQ(m_prompt.shown[0].text, "The Parts.lst is missing or corrupt!\nCreate a new one now?");
  EXPECT_EQ(m_prompt.shown[0].buttons, PromptButtons::YesNo);
  EXPECT_EQ(m_prompt.shown[0].icon, PromptIcon::Question);
  EXPECT_EQ(m_list.GetCount(kLibraryParts), 2u);
  std::string written = ReadFileBytes(base + "/Parts.lst");
  EXPECT_NE(written.find("3001.dat"), std::string::npos);
  EXPECT_NE(written.find("Brick  2 x  2"), std::string::npos);
  EXPECT_EQ(m_prompt.busyDepth, 0);
}

TEST_F(StartUpTest, WithoutPartsListNoGoesOnWithAnEmptyList) {
  std::string base = MakeLibrary("lib", kTwoParts);
  m_prompt.Answer(PromptAnswer::No);
  CStartUp startUp(Options(base));
  ASSERT_TRUE(startUp.Run());
  EXPECT_EQ(startUp.GetPartListLoad(), PartListLoad::Declined);
  EXPECT_EQ(m_list.GetCount(kLibraryParts), 0u);
  EXPECT_FALSE(FileExists(base + "/Parts.lst"));
  EXPECT_FALSE(FileExists(m_user + "Parts.lst"));
}

TEST_F(StartUpTest, AReadOnlyLibraryGetsItsPartsListInTheUserFolder) {
  std::string base = MakeLibrary("lib", kTwoParts);
  ASSERT_EQ(chmod(base.c_str(), 0555), 0);
  m_prompt.Answer(PromptAnswer::Yes);
  {
    CStartUp startUp(Options(base));
    ASSERT_TRUE(startUp.Run());
    EXPECT_EQ(startUp.GetPartListLoad(), PartListLoad::Created);
  }
  EXPECT_FALSE(FileExists(base + "/Parts.lst"));
  EXPECT_TRUE(FileExists(m_user + "Parts.lst"));
  // The next start reads it from there without asking.
  m_prompt.shown.clear();
  m_list.Clear();
  {
    CStartUp again(Options(base));
    ASSERT_TRUE(again.Run());
    EXPECT_EQ(again.GetPartListLoad(), PartListLoad::Loaded);
  }
  EXPECT_TRUE(m_prompt.shown.empty());
  EXPECT_EQ(m_list.GetCount(kLibraryParts), 2u);
  chmod(base.c_str(), 0755);
}

// Reporting "Error scanning parts!" and then ending as a success would hide the failure from
// whoever started the program: the run ends with a non-zero status.
TEST_F(StartUpTest, AScanThatFindsNothingEndsWithAFailureStatus) {
  std::string base = MakeLibrary("lib", {});
  m_prompt.Answer(PromptAnswer::Yes);
  CStartUp startUp(Options(base));
  EXPECT_FALSE(startUp.Run());
  EXPECT_EQ(startUp.GetPartListLoad(), PartListLoad::NothingFound);
  EXPECT_NE(startUp.ExitCode(), 0);
  ASSERT_EQ(m_prompt.shown.size(), 2u);
  EXPECT_EQ(m_prompt.shown[1].text, "Error scanning parts!");
  EXPECT_FALSE(FileExists(base + "/Parts.lst"));
}

TEST_F(StartUpTest, AnUnusableBaseFolderIsAskedFor) {
  std::string good = MakeLibrary("lib", kTwoParts);
  WriteFileBytes(good + "/Parts.lst", "3001.dat       Brick  2 x  4\n");
  StartUpOptions options = Options(m_home / "nothing-here");
  std::vector<std::string> offered;
  options.chooseBasePath = [&](std::string& folder) {
    offered.push_back(folder);
    folder = good;
    return true;
  };
  CStartUp startUp(std::move(options));
  ASSERT_TRUE(startUp.Run());
  ASSERT_EQ(offered.size(), 1u);
  EXPECT_EQ(offered[0], m_home / "nothing-here");
  EXPECT_EQ(m_settings.BasePath, good);
  EXPECT_EQ(m_list.GetCount(kLibraryParts), 1u);
}

TEST_F(StartUpTest, DecliningToNameALibraryEndsTheStartUp) {
  StartUpOptions options = Options(m_home / "nothing-here");
  options.chooseBasePath = [](std::string&) { return false; };
  CStartUp startUp(std::move(options));
  EXPECT_FALSE(startUp.Run());
  EXPECT_EQ(startUp.ExitCode(), 0);
  EXPECT_TRUE(m_settings.BasePathRefused);
}

TEST_F(StartUpTest, ALibraryFolderNeedsPPartsAndTheStud) {
  std::string base = MakeLibrary("lib", kTwoParts);
  bool asked = false;
  StartUpOptions options = Options(base);
  options.chooseBasePath = [&](std::string&) { return asked = true; };
  WriteFileBytes(base + "/Parts.lst", "3001.dat       Brick  2 x  4\n");
  CStartUp startUp(std::move(options));
  ASSERT_TRUE(startUp.Run());
  EXPECT_FALSE(asked);
}

TEST_F(StartUpTest, DefaultColoursAreTheBuiltInOnesBeforeTheSettings) {
  std::memset(theDefaultColors, 0, sizeof(theDefaultColors));
  CStartUp startUp(Options(m_home.Path()));
  startUp.FillDefaultColors();
  // Colour 4 is red in every LDraw colour table.
  EXPECT_STRNE(theDefaultColors[4].name, "");
  EXPECT_GT(theDefaultColors[4].red, 150);
  EXPECT_LT(theDefaultColors[4].green, 80);
  EXPECT_LT(theDefaultColors[4].blue, 80);
}

// ---- base folder change (what the settings sheet's result 2 sets off)

class BaseFolderChangeTest : public StartUpTest {
 protected:
  BaseFolderChangeHooks Hooks(bool save) {
    BaseFolderChangeHooks hooks;
    hooks.send = [this](unsigned message) { m_sent.push_back(message); };
    hooks.saveModified = [save] { return save; };
    return hooks;
  }
  // The program's file cache and resolver with the test's own list and order.
  CLibraryContext Library() {
    const CLibraryContext& program = ProgramLibrary();
    return {m_list, program.pathResolver, program.fileCache, m_order};
  }
  static constexpr const char* kBothListed = "3001.dat       Brick  2 x  4\n3003.dat       Brick  2 x  2\n";
  static constexpr const char* kFirstListed = "3001.dat       Brick  2 x  4\n";
  inline static const std::vector<std::pair<std::string, std::string>> kOneNewPart = {{"3004.dat", "Brick  1 x  2"}};

  // Starts in an "old" library of two parts whose Parts.lst holds partsList, then makes a "new"
  // library of newParts the chosen base folder, as the settings sheet leaves it. The old folder.
  std::string StartThenChoose(const std::string& partsList,
                              const std::vector<std::pair<std::string, std::string>>& newParts, std::string& newBase) {
    std::string oldBase = MakeLibrary("old", kTwoParts);
    WriteFileBytes(oldBase + "/Parts.lst", partsList);
    newBase = MakeLibrary("new", newParts);
    m_startUp = std::make_unique<CStartUp>(Options(oldBase));
    EXPECT_TRUE(m_startUp->Run());
    m_settings.BasePath = newBase;
    return oldBase;
  }
  std::vector<unsigned> m_sent;
  std::unique_ptr<CStartUp> m_startUp;
};

TEST_F(BaseFolderChangeTest, CancellingTheSaveQuestionKeepsTheListAndAnnouncesTheSettings) {
  std::string newBase;
  std::string oldBase = StartThenChoose(kBothListed, kOneNewPart, newBase);
  ASSERT_FALSE(HasFailure());
  m_settings.SavePath = newBase + "/models";
  EXPECT_FALSE(ApplyBaseFolderChange(oldBase, oldBase + "/keep", m_settings, Library(), Hooks(false)));
  EXPECT_EQ(m_settings.BasePath, oldBase);
  EXPECT_EQ(m_settings.SavePath, oldBase + "/keep");
  EXPECT_EQ(TheProfile().GetProfileString(kSettingsSection, "Zebpath", ""), oldBase);
  // The windows dropped the list's entries on 0x8007; 0x8006 has them show the same list again.
  EXPECT_EQ(m_sent, (std::vector<unsigned>{msg::kPartListInvalid, msg::kSettingsChanged}));
  EXPECT_EQ(m_list.GetCount(kLibraryParts), 2u);
  EXPECT_TRUE(m_prompt.shown.empty());
}

TEST_F(BaseFolderChangeTest, ANewBaseFolderGetsThePartsListOffer) {
  std::string newBase;
  std::string oldBase = StartThenChoose(kBothListed, kOneNewPart, newBase);
  ASSERT_FALSE(HasFailure());
  m_prompt.Answer(PromptAnswer::Yes);
  EXPECT_TRUE(ApplyBaseFolderChange(oldBase, oldBase, m_settings, Library(), Hooks(true)));
  ASSERT_EQ(m_prompt.shown.size(), 1u);
  EXPECT_EQ(m_prompt.shown[0].text, "The Parts.lst is missing or corrupt!\nCreate a new one now?");
  EXPECT_TRUE(FileExists(newBase + "/Parts.lst"));
  EXPECT_EQ(m_list.GetCount(kLibraryParts), 1u);
  EXPECT_NE(m_list.FindByName("3004.dat", kLibraryParts), 0u);
  EXPECT_EQ(m_sent, (std::vector<unsigned>{msg::kPartListInvalid, msg::kSettingsChanged, msg::kSettingsChanged}));
}

TEST_F(BaseFolderChangeTest, ANewLibraryWithoutPartsLeavesAnEmptyListAndGoesOn) {
  std::string newBase;
  std::string oldBase = StartThenChoose(kFirstListed, {}, newBase);
  ASSERT_FALSE(HasFailure());
  m_prompt.Answer(PromptAnswer::Yes);
  EXPECT_TRUE(ApplyBaseFolderChange(oldBase, oldBase, m_settings, Library(), Hooks(true)));
  EXPECT_EQ(m_list.GetCount(kLibraryParts), 0u);
  EXPECT_EQ(m_prompt.shown.back().text, "Error scanning parts!");
}


// The whole order of what a base-folder change tells the program, hints and messages alike.
class BaseFolderChangeOrderTest : public BaseFolderChangeTest {
 protected:
  BaseFolderChangeHooks OrderedHooks(bool save) {
    BaseFolderChangeHooks hooks;
    hooks.send = [this](unsigned message) { m_events.push_back(StrPrintf("message %#x", message)); };
    hooks.updateViews = [this](long hint) { m_events.push_back(StrPrintf("hint %#lx", hint)); };
    hooks.saveModified = [save] { return save; };
    hooks.newDocument = [this] {
      m_events.push_back(StrPrintf("new document (%zu questions so far)", m_prompt.shown.size()));
    };
    return hooks;
  }
  std::vector<std::string> m_events;
};

// Cancelled: the windows that let go of the part list show it again, and the settings the sheet
// did apply reach the views as after any applied settings.
TEST_F(BaseFolderChangeOrderTest, CancellingAnnouncesTheAppliedSettingsToViewsAndWindows) {
  std::string newBase;
  std::string oldBase = StartThenChoose(kBothListed, kOneNewPart, newBase);
  ASSERT_FALSE(HasFailure());
  EXPECT_FALSE(ApplyBaseFolderChange(oldBase, oldBase, m_settings, Library(), OrderedHooks(false)));
  EXPECT_EQ(m_events, (std::vector<std::string>{"hint 0", "message 0x8007", "hint 0x10000", "message 0x8006"}));
  EXPECT_EQ(m_list.GetCount(kLibraryParts), 2u);
}

// Going on: a new, empty document first (nothing of the old library stays in use), then the
// same Parts.lst offer as at start-up, then the views and windows hear of the new library.
TEST_F(BaseFolderChangeOrderTest, ANewFolderStartsANewDocumentBeforeItsPartList) {
  std::string newBase;
  std::string oldBase = StartThenChoose(kFirstListed, kOneNewPart, newBase);
  ASSERT_FALSE(HasFailure());
  m_prompt.Answer(PromptAnswer::Yes);
  EXPECT_TRUE(ApplyBaseFolderChange(oldBase, oldBase, m_settings, Library(), OrderedHooks(true)));
  EXPECT_EQ(m_events, (std::vector<std::string>{"hint 0", "message 0x8007", "new document (0 questions so far)",
                                                "hint 0", "message 0x8006", "hint 0x10000", "message 0x8006"}));
  ASSERT_EQ(m_prompt.shown.size(), 1u);
  EXPECT_EQ(m_prompt.shown[0].text, "The Parts.lst is missing or corrupt!\nCreate a new one now?");
  EXPECT_NE(m_list.FindByName("3004.dat", kLibraryParts), 0u);
}

}  // namespace
