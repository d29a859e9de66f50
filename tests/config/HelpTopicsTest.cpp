// The help table, the help folder and the pages shipped with the program.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <regex>
#include <set>

#include "config/HelpPages.h"
#include "config/HelpTopics.h"
#include "platform/Folders.h"
#include "support/TestData.h"

namespace {

constexpr uint32_t C = kHelpIdCommand, D = kHelpIdDialog;

TEST(HelpTopicsTest, TheTableHasItsRowsAndFindsTheFirstRowOfAnId) {
  EXPECT_EQ(GetHelpTopicCount(), 180);
  struct Case {
    uint32_t id;
    const char* page;  // "" for no row
  } cases[] = {
      {C + 1064, "toolbars.htm#ColorBar"},  // the colour bar's first and last slot
      {C + 1079, "toolbars.htm#ColorBar"},
      {C + 1080, ""},
      {C + 32808, "Plandor.htm#viewmode"},
      {C + 32922, "Plandor.htm#placemode"},
      {C + 32784, "view.htm#Step"},
      {C + 32858, "Menus.htm#MenuNavigate"},
      {C + 57616, "Menus.htm#MenuFile"},
      {C + 57631, "Menus.htm#MenuFile"},
      {C + 57608, "Export.htm#Print"},
      {C + 57644, "Menus.htm#MenuEdit"},
      {C + 57669, "Menus.htm#MenuHelp"},
      {C + 57670, ""},
      {D + 110, "Configure.htm#SetGen"},
      {D + 207, "Configure.htm#SetView"},
      {D + 160, "view.htm#RotStep"},
      {D + 215, "Menus.htm#MenuSettings"},  // a real page, not the bare folder
      {D + 168, ""},                        // the help window's own id
      {32808, ""},                          // a bare command id is no help id
      {0, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(GetHelpPage(c.id), c.page) << std::hex << c.id;
}

TEST(HelpTopicsTest, AnIdListedTwiceResolvesToItsFirstRow) {
  std::vector<int> rows;
  for (int i = 1; i <= GetHelpTopicCount(); ++i)
    if (GetHelpTopic(i)->helpId == C + 32858) rows.push_back(i);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(FindHelpTopic(C + 32858), rows[0]);
  EXPECT_EQ(FindHelpTopic(C + 0x1234), 0);
  EXPECT_EQ(GetHelpTopic(0), nullptr);
  EXPECT_EQ(GetHelpTopic(GetHelpTopicCount() + 1), nullptr);
}

TEST(HelpPagesTest, PagesSplitIntoFileAndLowerCaseAnchor) {
  EXPECT_EQ(SplitHelpPage("view.htm#RotStep").file, "view.htm");
  EXPECT_EQ(SplitHelpPage("view.htm#RotStep").anchor, "rotstep");
  EXPECT_EQ(SplitHelpPage("Menus.htm").anchor, "");
  EXPECT_EQ(SplitHelpPage("Menus.htm").file, "Menus.htm");
}

TEST(HelpPagesTest, TheLanguageFolderIsTheChosenEntryElseTheFirst) {
  std::vector<std::string> list{"English", "Deutsch"};
  EXPECT_EQ(GetHelpLanguage(list, 1), "Deutsch");
  EXPECT_EQ(GetHelpLanguage(list, 2), "English");
  EXPECT_EQ(GetHelpLanguage(list, -1), "English");
  EXPECT_EQ(GetHelpLanguage({"Deutsch"}, 4), "Deutsch");
  EXPECT_EQ(GetHelpLanguage({}, 0), "English");
}

class HelpFolderTest : public ::testing::Test {
 protected:
  void Page(const std::string& relative) {
    std::filesystem::path p = m_dir / relative;
    std::filesystem::create_directories(p.parent_path());
    ASSERT_TRUE(WriteFileBytes(p.string(), "<html></html>"));
  }
  CScratchDir m_dir;
};

TEST_F(HelpFolderTest, TheFirstRootWithTheLanguageWinsAndEnglishStandsIn) {
  Page("program/Help/Deutsch/Plandor.htm");
  Page("data/help/english/Plandor.htm");  // an installed folder spelt in lower case
  std::vector<std::string> roots{m_dir / "program/", m_dir / "data/"};
  EXPECT_EQ(CHelpPages(roots, "Deutsch").GetFolder(), m_dir / "program/Help/Deutsch/");
  EXPECT_EQ(CHelpPages(roots, "English").GetFolder(), m_dir / "data/help/english/");
  EXPECT_EQ(CHelpPages(roots, "Dansk").GetFolder(), m_dir / "data/help/english/");
  EXPECT_EQ(CHelpPages(roots, "../..").GetFolder(), m_dir / "data/help/english/");

  CHelpPages none({m_dir / "nowhere/", m_dir / "also-not/"}, "Dansk");
  EXPECT_EQ(none.GetFolder(), "");
  EXPECT_NE(none.DescribeSearch().find(m_dir / "nowhere/Help/Dansk/"), std::string::npos);
  EXPECT_NE(none.DescribeSearch().find(m_dir / "also-not/Help/Dansk/"), std::string::npos);
  EXPECT_NE(none.DescribeSearch().find(m_dir / "also-not/Help/English/"), std::string::npos);
  EXPECT_EQ(none.FindPageFile("Plandor.htm"), "");
}

TEST_F(HelpFolderTest, PagesAreFoundWhateverTheirCaseAndOnlyInsideTheFolder) {
  Page("Help/English/create.htm");
  Page("Help/English/Plandor.htm");
  Page("Help/secret.htm");
  CHelpPages pages({m_dir.Path()}, "English");
  std::string folder = m_dir / "Help/English/";
  struct Case {
    const char* file;
    std::string path;
  } cases[] = {
      {"create.htm", folder + "create.htm"},
      {"Create.htm", folder + "create.htm"},
      {"PLANDOR.HTM", folder + "Plandor.htm"},
      {"Tips.htm", ""},
      {"../secret.htm", ""},
      {"..", ""},
      {"", ""},
      {"/etc/passwd", ""},
      {"a\\b.htm", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(pages.FindPageFile(c.file), c.path) << c.file;
}

TEST(HelpPagesTest, FileAddressesEncodeWhatAnAddressCannotHold) {
  EXPECT_EQ(MakeFileUrl("/opt/Plandor/Help/English/Plandor.htm"),
            "file:///opt/Plandor/Help/English/Plandor.htm");
  EXPECT_EQ(MakeFileUrl("/my models/Help/Fran\xC3\xA7"
                        "ais/view.htm",
                        "step"),
            "file:///my%20models/Help/Fran%C3%A7ais/view.htm#step");
  EXPECT_EQ(MakeFileUrl("/a#b?c%d.htm"), "file:///a%23b%3Fc%25d.htm");
}

// The pages shipped with the program: the contents and the index exist, every link of a page
// reaches a page of the folder and an anchor on it, and the pages of the program's main parts
// have every anchor the help table names (in lower case, as the window asks for it). Other pages
// leave out the anchors of commands not built yet; those requests show the page from its top.
TEST(HelpPagesTest, TheShippedPagesHoldTheirLinksAndTheTablesAnchors) {
  std::string folder = TestFixture("../../resources/help/English/");
  ASSERT_TRUE(IsDirectory(folder)) << folder;
  std::map<std::string, std::set<std::string>> anchors;  // lower-case file name -> anchors
  std::map<std::string, std::string> texts;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    std::string name = entry.path().filename().string();
    std::string lower = name;
    for (char& ch : lower) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    texts[lower] = ReadFileBytes(entry.path().string());
    std::regex named(R"re(<a name="([^"]+)")re");
    for (std::sregex_iterator it(texts[lower].begin(), texts[lower].end(), named), end; it != end; ++it)
      anchors[lower].insert((*it)[1]);
  }
  ASSERT_TRUE(texts.count("plandor.htm"));
  ASSERT_TRUE(texts.count("mainindex.htm"));
  for (const auto& [file, text] : texts) {
    std::regex link(R"re(<a href="([^"]*)")re");
    for (std::sregex_iterator it(text.begin(), text.end(), link), end; it != end; ++it) {
      std::string href = (*it)[1];
      HelpPageRef ref = SplitHelpPage(href);
      std::string target = ref.file.empty() ? file : ref.file;
      for (char& ch : target) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
      ASSERT_TRUE(texts.count(target)) << file << " links to " << href;
      if (!ref.anchor.empty()) {
        EXPECT_TRUE(anchors[target].count(ref.anchor)) << file << " links to " << href;
      }
      EXPECT_EQ(href.find_first_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ", href.find('#')), std::string::npos)
          << file << ": anchors are written in lower case: " << href;
    }
  }
  for (int i = 1; i <= GetHelpTopicCount(); ++i) {
    HelpPageRef ref = SplitHelpPage(GetHelpTopic(i)->page);
    std::string lower = ref.file;
    for (char& ch : lower) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    if (ref.anchor.empty() || (lower != "plandor.htm" && lower != "menus.htm" && lower != "configure.htm"))
      continue;
    ASSERT_TRUE(texts.count(lower)) << lower;
    EXPECT_TRUE(anchors[lower].count(ref.anchor)) << GetHelpTopic(i)->page;
  }
}

}  // namespace
