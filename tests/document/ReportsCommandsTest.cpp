// The information commands: the model's dimensions, and the part scan and cache reset that
// rebuild the part list, in their order and with their failures.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <functional>

#include "DocModel.h"
#include "config/ScanOrder.h"
#include "model/FileCache.h"
#include "model/LibraryContext.h"
#include "tests/support/TestData.h"

namespace {

TEST(ReportsCommandsTest, DimensionsOfOneBrickTwoStackedAndAGhost) {
  REQUIRE_LDRAW_LIBRARY(lib);
  CLibraryScope library(lib, 0);
  CCommandSettings settings;
  CScriptedPrompt prompt;
  CQuorvelDoc doc;
  struct Case {
    const char* model;
    double size[3];
  } cases[] = {
      // A 1 x 1 brick is 20 wide and deep, 24 high plus its 4-unit stud.
      {"1 4 0 0 0 1 0 0 0 1 0 0 0 1 3005.dat\n", {20, 28, 20}},
      {"1 4 0 0 0 1 0 0 0 1 0 0 0 1 3005.dat\n1 4 0 -24 0 1 0 0 0 1 0 0 0 1 3005.dat\n", {20, 52, 20}},
      {"1 4 0 0 0 1 0 0 0 1 0 0 0 1 3005.dat\n0 GHOST 1 4 40 0 0 1 0 0 0 1 0 0 0 1 3005.dat\n", {60, 28, 20}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.model);
    LoadDocument(doc, c.model);
    ASSERT_TRUE(doc.CanMeasure());
    double size[3] = {};
    ASSERT_EQ(doc.GetModelDimensions(size), 1);
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(size[i], c.size[i], 1e-6) << "axis " << i;
  }
  LoadDocument(doc, "0 only a comment\n");
  EXPECT_FALSE(doc.CanMeasure());
  EXPECT_FALSE(doc.CanReportParts());
  EXPECT_TRUE(doc.CanListComments());
}

// A library of our own with Parts.lst listing 3001 only; 3003 is added on disk before a scan.
// The host notes, at each 0x8007, whether the old part list and project were still there.
class ScanPartsTest : public ::testing::Test {
 protected:
  class CWatchingHost : public CScriptedDocumentHost {
   public:
    std::function<void()> onPartListInvalid;
    void SendPrivateMessage(unsigned message, long w, long l) override {
      CScriptedDocumentHost::SendPrivateMessage(message, w, l);
      if (message == WM_PART_LIST_INVALID && onPartListInvalid) onPartListInvalid();
    }
  };

  void SetUp() override {
    for (const char* folder : {"parts", "p"}) ASSERT_EQ(mkdir((lib / folder).c_str(), 0700), 0);
    ASSERT_TRUE(WriteFileBytes(lib / "parts/3001.dat", "0 Brick  2 x  4\n2 24 0 0 0 40 24 20\n"));
    ASSERT_TRUE(WriteFileBytes(lib / "p/stud.dat", "0 Stud\n"));
    thePartList.Clear();
    int changed = 0;
    ASSERT_EQ(thePartList.ScanDirectory(lib.Path(), "Parts", false, changed), 1);
    thePartList.SavePartsList(lib.Path());
    ASSERT_EQ(thePartList.LoadPartsList(lib.Path()), 1);
    ASSERT_TRUE(WriteFileBytes(lib / "parts/3003.dat", "0 Brick  2 x  2\n2 24 0 0 0 20 24 20\n"));
    doc.SetHost(&host);
    LoadDocument(doc, "0 Wall\n1 4 0 0 0 1 0 0 0 1 0 0 0 1 3001.dat\n");
    doc.SetPathName(lib / "wall.ldr", false);
    host.onPartListInvalid = [this] {
      listed3001AtWarning.push_back(thePartList.FindByName("3001.dat") != 0);
      projectAtWarning.push_back(doc.GetPathName());
    };
    host.messages.clear();
  }
  void TearDown() override { thePartList.Clear(); }

  bool Listed(const char* name) { return thePartList.FindByName(name) != 0; }

  CScratchDir lib;
  CLibraryScope library{lib.Path(), 0};
  CCommandSettings settings;
  CScriptedPrompt prompt;
  CWatchingHost host;
  CQuorvelDoc doc;
  std::vector<bool> listed3001AtWarning;
  std::vector<std::string> projectAtWarning;
};

// A document handed a library with a part list of its own scans into that list and reads it
// back from the Parts.lst it wrote; the program's list is left alone.
TEST(ReportsCommandsTest, TheScanFillsThePartListOfTheDocumentsLibrary) {
  CScratchDir lib;
  for (const char* folder : {"parts", "p"}) ASSERT_EQ(mkdir((lib / folder).c_str(), 0700), 0);
  ASSERT_TRUE(WriteFileBytes(lib / "parts/3001.dat", "0 Brick  2 x  4\n2 24 0 0 0 40 24 20\n"));
  ASSERT_TRUE(WriteFileBytes(lib / "p/stud.dat", "0 Stud\n"));
  CLibraryScope library{lib.Path(), 0};
  CCommandSettings settings;
  CScriptedPrompt prompt;
  thePartList.Clear();
  CPartList own;
  CQuorvelDoc doc(WithPartList(ProgramLibrary(), own));
  prompt.Answer(PromptAnswer::Yes);
  EXPECT_EQ(doc.OnScanParts(), 1);
  EXPECT_NE(own.FindByName("3001.dat"), 0u);
  EXPECT_EQ(own.GetCount(kLibraryParts), 1u);
  EXPECT_EQ(thePartList.GetCount(kLibraryParts), 0u);
  EXPECT_NE(ReadFileBytes(lib / "Parts.lst").find("3001.dat"), std::string::npos);
}

TEST_F(ScanPartsTest, YesWritesPartsLstAndTheNewPartIsListed) {
  prompt.Answer(PromptAnswer::Yes);
  EXPECT_EQ(doc.OnScanParts(), 1);
  ASSERT_EQ(prompt.shown.size(), 1u);
  EXPECT_EQ(prompt.shown[0].text, "New parts have been found!\nWrite new Parts.lst file?");
  EXPECT_NE(ReadFileBytes(lib / "Parts.lst").find("3003.dat"), std::string::npos);
  EXPECT_TRUE(Listed("3003.dat"));
  EXPECT_TRUE(Listed("3001.dat"));
  // The holders of part handles hear of it while the old list and project are still there, and
  // once more when the new list is in place; the document is a new, unnamed one.
  ASSERT_EQ(listed3001AtWarning.size(), 2u);
  EXPECT_TRUE(listed3001AtWarning[0]);
  EXPECT_EQ(projectAtWarning[0], lib / "wall.ldr");
  EXPECT_EQ(projectAtWarning[1], "");
  EXPECT_EQ(doc.GetPathName(), "");
  EXPECT_FALSE(doc.CanReportParts());
}

TEST_F(ScanPartsTest, NoReloadsTheOldListWithoutTheNewPart) {
  prompt.Answer(PromptAnswer::No);
  EXPECT_EQ(doc.OnScanParts(), 1);
  EXPECT_EQ(ReadFileBytes(lib / "Parts.lst").find("3003.dat"), std::string::npos);
  EXPECT_FALSE(Listed("3003.dat"));
  EXPECT_TRUE(Listed("3001.dat"));
}

TEST_F(ScanPartsTest, NothingNewSaysSoAndChangesNothing) {
  ASSERT_EQ(std::remove((lib / "parts/3003.dat").c_str()), 0);
  EXPECT_EQ(doc.OnScanParts(), 0);
  ASSERT_EQ(prompt.shown.size(), 1u);
  EXPECT_EQ(prompt.shown[0].text, "There are no new or changed parts!");
  EXPECT_TRUE(host.messages.empty());
  EXPECT_EQ(doc.GetPathName(), lib / "wall.ldr");
}

TEST_F(ScanPartsTest, CancelAtTheSaveQuestionStopsScanAndReset) {
  doc.SetModifiedFlag(1);
  for (int (CQuorvelDoc::*command)() : {&CQuorvelDoc::OnScanParts, &CQuorvelDoc::OnFileCacheReset}) {
    prompt.Answer(PromptAnswer::Cancel);
    EXPECT_EQ((doc.*command)(), 0);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(doc.GetActiveModel()->GetCount(), 2u);
    EXPECT_FALSE(Listed("3003.dat"));
  }
}

TEST_F(ScanPartsTest, AListThatCannotBeReadAgainIsReportedAndTheScanKept) {
  ASSERT_EQ(std::remove((lib / "Parts.lst").c_str()), 0);
  prompt.Answer(PromptAnswer::No);
  EXPECT_EQ(doc.OnScanParts(), 1);
  ASSERT_EQ(prompt.shown.size(), 2u);
  EXPECT_NE(prompt.shown[1].text.find("could not be read again"), std::string::npos);
  EXPECT_TRUE(Listed("3001.dat"));
  EXPECT_TRUE(Listed("3003.dat"));
}

TEST_F(ScanPartsTest, CacheResetEmptiesTheDocumentAndKeepsTheList) {
  EXPECT_EQ(doc.OnFileCacheReset(), 1);
  EXPECT_EQ(doc.GetPathName(), "");
  EXPECT_FALSE(doc.CanReportParts());
  ASSERT_FALSE(host.messages.empty());
  EXPECT_EQ(host.messages.front(), WM_PART_LIST_INVALID);
  EXPECT_TRUE(Listed("3001.dat"));
  EXPECT_FALSE(Listed("3003.dat"));
}

}  // namespace
