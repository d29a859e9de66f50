// The parts list: rows per part and colour (and per step and model), the columns of each mode,
// sorting as text, and the two file layouts.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "DocModel.h"
#include "config/BuiltinColors.h"
#include "config/ColorTable.h"
#include "document/PartsReport.h"
#include "tests/support/TestData.h"

namespace {

// Two library parts of our own, scanned into the part list; everything else is "UNKNOWN".
class PartsReportTest : public DocumentTest {
 protected:
  void SetUp() override {
    ASSERT_EQ(mkdir((lib / "parts").c_str(), 0700), 0);
    ASSERT_TRUE(WriteFileBytes(lib / "parts/3001.dat", "0 Brick  2 x  4\n"));
    ASSERT_TRUE(WriteFileBytes(lib / "parts/3005.dat", "0 Brick  1 x  1\n"));
    BuildColorTable(BuiltinColors.data(), colors, kColorCount);
    thePartList.Clear();
    int changed = 0;
    ASSERT_EQ(thePartList.ScanDirectory(lib.Path(), "parts", false, changed), 1);
  }
  void TearDown() override { thePartList.Clear(); }

  std::vector<std::vector<std::string>> Cells(const CPartsReport& filled) {
    std::vector<std::vector<std::string>> rows;
    for (const auto& row : filled.Rows()) {
      std::vector<std::string> cells;
      for (int column : filled.Columns()) cells.push_back(row.cells[static_cast<size_t>(column)]);
      rows.push_back(cells);
    }
    return rows;
  }

  CScratchDir lib;
  CPartsReport report;
  ColorEntry colors[kColorCount] = {};
};

using Table = std::vector<std::vector<std::string>>;

// Step 1: two red 2 x 4, a blue 1 x 1; step 2: a 1 x 1 in a colour above 511, an unknown part,
// and a ghost that is never counted.
const char kTwoSteps[] =
    "0 Tower\n"
    "1 4 0 0 0 1 0 0 0 1 0 0 0 1 3001.dat\n"
    "1 4 0 -24 0 1 0 0 0 1 0 0 0 1 3001.DAT\n"
    "1 1 0 -48 0 1 0 0 0 1 0 0 0 1 3005.dat\n"
    "0 STEP\n"
    "1 600 0 -72 0 1 0 0 0 1 0 0 0 1 3005.dat\n"
    "1 4 0 -96 0 1 0 0 0 1 0 0 0 1 nosuch.dat\n"
    "0 GHOST 1 4 0 -120 0 1 0 0 0 1 0 0 0 1 3001.dat\n";

TEST_F(PartsReportTest, ColumnsOfEachMode) {
  using V = std::vector<int>;
  EXPECT_EQ(CPartsReport::ColumnsOf(0), (V{3, 5, 6}));
  EXPECT_EQ(CPartsReport::ColumnsOf(1), (V{3, 4, 5, 6}));
  EXPECT_EQ(CPartsReport::ColumnsOf(2), (V{2, 3, 5, 6}));
  EXPECT_EQ(CPartsReport::ColumnsOf(3), (V{2, 3, 4, 5, 6}));
  EXPECT_EQ(CPartsReport::ColumnsOf(7), (V{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(CPartsReport::Mode({false, false, false}), 1);
  EXPECT_EQ(CPartsReport::Mode({true, true, true}), 6);
  EXPECT_STREQ(CPartsReport::ColumnName(5), "Part no.");
}

TEST_F(PartsReportTest, CountsPerPartAndColourWithCustomAndUnknown) {
  LoadDocument(doc, kTwoSteps);
  report.Fill(doc.GetProject(), {}, colors);
  // The part list's order (by description), then colour; the ghost is not counted. A missing
  // file sits in the list as an extra entry without a description.
  EXPECT_EQ(Cells(report), (Table{{"1", "Blue", "3005.dat", "Brick  1 x  1"},
                                  {"1", "Custom", "3005.dat", "Brick  1 x  1"},
                                  {"2", "Red", "3001.dat", "Brick  2 x  4"},
                                  {"1", "Red", "nosuch.dat", ""}}));
  EXPECT_EQ(report.Total(), 5u);

  report.Fill(doc.GetProject(), {true, true, false}, colors);
  EXPECT_EQ(Cells(report), (Table{{"1", "1", "3005.dat", "Brick  1 x  1"},
                                  {"1", "2", "3001.dat", "Brick  2 x  4"},
                                  {"2", "1", "3005.dat", "Brick  1 x  1"},
                                  {"2", "1", "nosuch.dat", ""}}));
}

TEST_F(PartsReportTest, AModelWithoutPartsGivesNoRowsAndTotalZero) {
  LoadDocument(doc, "0 Empty\n2 24 0 0 0 1 1 1\n");
  report.Fill(doc.GetProject(), {}, colors);
  EXPECT_TRUE(report.Rows().empty());
  EXPECT_EQ(report.Total(), 0u);
}

TEST_F(PartsReportTest, SortingComparesTextSoTenComesBeforeNine) {
  std::string text = "0 Many\n";
  for (int i = 0; i < 10; ++i) text += "1 4 0 0 0 1 0 0 0 1 0 0 0 1 3001.dat\n";
  for (int i = 0; i < 9; ++i) text += "1 1 0 0 0 1 0 0 0 1 0 0 0 1 3005.dat\n";
  LoadDocument(doc, text);
  report.Fill(doc.GetProject(), {}, colors);
  report.SortBy(CPartsReport::kCount);
  ASSERT_EQ(report.Rows().size(), 2u);
  EXPECT_EQ(report.Rows()[0].cells[CPartsReport::kCount], "10");
  EXPECT_EQ(report.Rows()[1].cells[CPartsReport::kCount], "9");
  report.SortBy(CPartsReport::kPartName);
  EXPECT_EQ(report.Rows()[0].cells[CPartsReport::kPartNo], "3005.dat");
}

TEST_F(PartsReportTest, FixedWidthAndTabSeparatedFiles) {
  LoadDocument(doc, "0 Tower\n1 4 0 0 0 1 0 0 0 1 0 0 0 1 3001.dat\n");
  report.Fill(doc.GetProject(), {}, colors);
  const std::string dashes(79, '-');
  EXPECT_EQ(report.Format(doc.GetProject(), false),
            "  No. Color      Part no.     Part name\n" + dashes +
                "\n"
                "    1 Red        3001.dat     Brick  2 x  4\n");
  EXPECT_EQ(report.Format(doc.GetProject(), true),
            "No.\tColor\tPart no.\tPart name\n" + dashes + "\n1\tRed\t3001.dat\tBrick  2 x  4\n");
  for (auto [path, tabs] : std::vector<std::pair<std::string, bool>>{
           {"/a/parts.CSV", true}, {"parts.csv", true}, {"parts.txt", false}, {"/a.csv/parts", false}, {"csv", false}})
    EXPECT_EQ(CPartsReport::IsTabSeparated(path), tabs) << path;
}

TEST_F(PartsReportTest, WithSubmodelsEachModelHasItsSection) {
  LoadDocument(doc,
               "0 FILE main.ldr\n0 Main\n1 4 0 0 0 1 0 0 0 1 0 0 0 1 3001.dat\n1 16 0 0 0 1 0 0 0 1 0 0 0 1 wing.ldr\n"
               "0 FILE wing.ldr\n0 Wing\n1 1 0 0 0 1 0 0 0 1 0 0 0 1 3005.dat\n1 1 0 0 0 1 0 0 0 1 0 0 0 1 3005.dat\n");
  report.Fill(doc.GetProject(), {false, true, true}, colors);
  ASSERT_EQ(report.GetMode(), 4);
  const std::string dashes(79, '-');
  const std::string header = "  No. Part no.     Part name\n" + dashes + "\n";
  const std::string text = report.Format(doc.GetProject(), false);
  EXPECT_EQ(text.substr(0, text.find("Model: Wing")),
            "Model: Main (main.ldr)\n" + header + "    1 3001.dat     Brick  2 x  4\n" +
                "    1 wing.ldr     Wing\n\n")
      << text;
  EXPECT_NE(text.find("Model: Wing (wing.ldr)\n" + header + "    2 3005.dat     Brick  1 x  1\n\n"), std::string::npos)
      << text;
  EXPECT_EQ(report.Total(), 4u) << "the placed sub-model counts as a part of the main model";
}

}  // namespace
