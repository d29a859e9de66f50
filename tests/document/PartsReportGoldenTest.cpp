// The parts list of every shared real model, every model of the project with colours, compared
// with a reviewed copy under tests/data/partslists. Its total is also checked against a count
// made here from the file's own text: one per type 1 line that is not a ghost.
// PLANDOR_UPDATE_GOLDEN=1 writes the copies anew (review the difference before committing it).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "DocModel.h"
#include "config/ColorTable.h"
#include "document/PartsReport.h"
#include "tests/support/TestData.h"

namespace {

namespace fs = std::filesystem;

uint64_t CountPartLines(const std::string& text) {
  uint64_t count = 0;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    std::istringstream words(line);
    std::string first;
    if (words >> first && first == "1") ++count;
  }
  return count;
}

class PartsReportGoldenTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    const std::string lib = TestLibraryDir();
    if (lib.empty()) return;
    // The colour names, as the program's start-up gives them: the library's LDConfig.ldr.
    InitColorTableUnused(theDefaultColors);
    LoadLDConfigFile(lib + "LDConfig.ldr", theDefaultColors);
    thePartList.Clear();
    int changed = 0;
    thePartList.ScanDirectory(lib, "parts", false, changed);
  }
  static void TearDownTestSuite() { thePartList.Clear(); }
};

TEST_F(PartsReportGoldenTest, EverySharedModel) {
  REQUIRE_LDRAW_LIBRARY(lib);
  REQUIRE_LDRAW_MODELS(models);
  CLibraryScope library(lib, 0);
  CCommandSettings settings;
  CScriptedPrompt prompt;
  CScriptedDocumentHost host;
  const bool update = std::getenv("PLANDOR_UPDATE_GOLDEN") != nullptr;
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(models))
    if (entry.path().extension() != ".md") files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  ASSERT_FALSE(files.empty());
  for (const fs::path& file : files) {
    SCOPED_TRACE(file.filename().string());
    CQuorvelDoc doc;
    doc.SetHost(&host);
    ASSERT_TRUE(doc.OnOpenDocument(file.string()));
    CPartsReport report;
    report.Fill(doc.GetProject(), {false, false, true}, doc.GetColorTable()->GetEntries());
    const std::string text = report.Format(doc.GetProject(), false);
    EXPECT_EQ(report.Total(), CountPartLines(ReadFileBytes(file.string())));

    const std::string golden = TestFixture("partslists/" + file.stem().string() + ".txt");
    if (update) {
      fs::create_directories(fs::path(golden).parent_path());
      ASSERT_TRUE(WriteFileBytes(golden, text));
      continue;
    }
    const std::string expected = ReadFileBytes(golden);
    ASSERT_FALSE(expected.empty()) << "no reviewed copy: " << golden;
    EXPECT_EQ(text, expected);
    doc.OnCloseDocument();
  }
}

}  // namespace
