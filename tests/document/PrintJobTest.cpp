// Printing's page table, the pictures and numbers of each page, the parts-list pages and where a
// picture goes on the paper.
#include <gtest/gtest.h>

#include "DocModel.h"
#include "document/PrintJob.h"
#include "tests/support/SettingsSnapshot.h"

namespace {

// The print settings, put back after each test.
class CPrintSettings {
 public:
  // PrintModel, PrintSteps, MultiSteps, PrintPL, PrintPLPP, PrintSubModel, PrintHeader, PrintFooter,
  // PrintStepNum.
  void Set(std::initializer_list<int> flags) {
    auto values = Values();
    size_t i = 0;
    for (int flag : flags) *values[i++] = flag;
  }

 private:
  static std::vector<int*> Values() {
    CSettings& s = theSettings;
    return {&s.PrintModel,    &s.PrintSteps,  &s.MultiSteps,  &s.PrintPL,     &s.PrintPLPP,
            &s.PrintSubModel, &s.PrintHeader, &s.PrintFooter, &s.PrintStepNum, &s.PrintHQ};
  }
  SettingsSnapshot m_snapshot;
};

// Model a: 3 steps with 1, 2 and 1 (part, colour) pairs; b: 2 steps of one pair each.
const char kProject[] =
    "0 FILE a.ldr\n0 A\n"
    "1 4 0 0 0 1 0 0 0 1 0 0 0 1 p1.dat\n0 STEP\n"
    "1 4 0 -8 0 1 0 0 0 1 0 0 0 1 p2.dat\n1 1 0 -8 0 1 0 0 0 1 0 0 0 1 p2.dat\n0 STEP\n"
    "1 4 0 -16 0 1 0 0 0 1 0 0 0 1 p3.dat\n0 STEP\n"
    "0 FILE b.ldr\n0 B\n"
    "1 2 0 0 0 1 0 0 0 1 0 0 0 1 p1.dat\n0 STEP\n"
    "1 2 0 -8 0 1 0 0 0 1 0 0 0 1 p1.dat\n0 STEP\n";

// A page of 20 lines of 10 pixels, 100 pixels per inch.
PrintDevice Device(int lines = 20, bool landscape = false) {
  PrintDevice d;
  d.width = landscape ? 1100 : 850;
  d.height = lines * 10;
  d.dpiX = d.dpiY = 100;
  d.lineHeight = 10;
  d.landscape = landscape;
  return d;
}

class PrintJobTest : public DocumentTest {
 protected:
  void SetUp() override {
    theSettings.APVT = 0;
    theSettings.PrintHQ = 0;
    LoadDocument(doc, kProject, 1);
  }
  CPrintSettings print;
};

TEST_F(PrintJobTest, PageTableOfPicturesThenPartsLists) {
  struct Case {
    std::initializer_list<int> flags;
    unsigned pages, firstList;
  } cases[] = {
      // model, steps, multi, PL, PLPP, sub: a has 3 steps (2 pages of two), b 2 (1 page).
      {{1, 1, 1, 0, 0, 1}, 3, 4},
      {{1, 1, 0, 0, 0, 1}, 5, 6},
      {{1, 0, 1, 0, 0, 1}, 2, 3},
      // Only the active model (b).
      {{1, 1, 0, 0, 0, 0}, 2, 3},
      // Parts lists only: one page per model, starting at page 1.
      {{0, 1, 1, 1, 0, 1}, 2, 1},
      {{1, 1, 1, 1, 1, 1}, 5, 4},
  };
  for (const Case& c : cases) {
    print.Set(c.flags);
    CPrintJob job(doc);
    EXPECT_EQ(job.Begin(Device()), c.pages);
    EXPECT_EQ(job.GetFirstPartsListPage(), c.firstList);
    job.End();
  }
  // Nothing chosen: nothing to print.
  print.Set({0, 1, 1, 0, 0, 1});
  CPrintJob job(doc);
  EXPECT_EQ(job.Begin(Device()), 0u);
}

TEST_F(PrintJobTest, TwoStepsPerPageWithStampsRunningOnOverTheModels) {
  print.Set({1, 1, 1, 0, 0, 1, 0, 0, 1});
  CPrintJob job(doc);
  ASSERT_EQ(job.Begin(Device()), 3u);
  struct Expect {
    unsigned page;
    int model;
    bool second;            // a second picture on the page
    unsigned stamps[2];
  } pages[] = {{1, 0, true, {1, 2}}, {2, 0, false, {3, 0}}, {3, 1, true, {4, 5}}};
  for (const Expect& e : pages) {
    SCOPED_TRACE(e.page);
    const CPrintJob::Page page = job.PreparePage(e.page);
    ASSERT_TRUE(page.valid);
    EXPECT_FALSE(page.partsList);
    EXPECT_EQ(page.model, e.model);
    EXPECT_EQ(doc.GetProject().GetCurrentIndex(), e.model);
    EXPECT_TRUE(job.RenderPicture(page, e.page, 0));
    EXPECT_EQ(job.Picture().GetWidth(), 1024);
    EXPECT_EQ(job.StampNumber(page, e.page, 0), e.stamps[0]);
    EXPECT_EQ(job.RenderPicture(page, e.page, 1), e.second);
    if (e.second) {
      EXPECT_EQ(job.StampNumber(page, e.page, 1), e.stamps[1]);
    }
  }
  EXPECT_FALSE(job.PreparePage(4).valid);
  job.End();
  EXPECT_EQ(doc.GetProject().GetCurrentIndex(), 1) << "the active model again";
  EXPECT_EQ(doc.GetEditMode(), 1) << "print mode left";
}

TEST_F(PrintJobTest, PartsListLinesSplitOverPagesAndRunOutEarly) {
  print.Set({0, 1, 1, 1, 1, 0, 0, 0, 0});
  doc.ActivateModel(0);
  CPrintJob job(doc);
  // Model a step by step: p1 red; p2 red, p2 blue; p3 red = 4 lines; 3 lines per page.
  ASSERT_EQ(job.Begin(Device(5)), 2u);
  EXPECT_EQ(job.GetLinesPerPage(), 3);
  EXPECT_EQ(job.PartsListTitle(), "Stp\tNo.\tColor\tPart no.\tPart name");
  EXPECT_EQ(job.TabStops(), (std::vector<int>{6, 12, 28, 46}));
  const auto first = job.PartsListLines(job.PreparePage(1), 1);
  const auto second = job.PartsListLines(job.PreparePage(2), 2);
  ASSERT_EQ(first.size(), 3u);
  ASSERT_EQ(second.size(), 1u);
  EXPECT_EQ(first[0].substr(0, 4), "1\t1\t");
  EXPECT_EQ(second[0].substr(0, 4), "3\t1\t") << "the second page goes on where the first ended";
  // Pages can be asked for in any order (print preview).
  EXPECT_EQ(job.PartsListLines(job.PreparePage(1), 1), first);
}

TEST_F(PrintJobTest, HeaderAndFooterTexts) {
  print.Set({1, 1, 0, 0, 0, 1, 1, 1, 0});
  CPrintJob job(doc);
  ASSERT_EQ(job.Begin(Device()), 5u);
  job.PreparePage(4);
  EXPECT_EQ(job.HeaderText(), "Model: B (b.ldr)");
  EXPECT_EQ(job.FooterText(4), "Page 4 of 5.");
}

TEST_F(PrintJobTest, PictureRectangles) {
  print.Set({1, 1, 1, 1, 1, 1, 0, 0, 0});
  // Portrait 850 x 1100 at 100 dpi: 8 whole inches wide, so a 4:3 picture is 600 high across the
  // width. Stacked, each half is 550 high: the height limits, 5 whole inches give 666 wide.
  PrintDevice portrait = Device(110);
  EXPECT_EQ(CPrintJob::GetPictureRect(portrait, 1024, 768, PictureLayout::Single),
            (PictureRect{0, 250, 850, 600, 0, 0}));
  EXPECT_EQ(CPrintJob::GetPictureRect(portrait, 1024, 768, PictureLayout::Stacked),
            (PictureRect{92, 0, 666, 550, 0, 550}));
  // Landscape 1100 x 850, side by side: each half 550 wide (5 inches), 375 high.
  PrintDevice landscape = Device(85, true);
  EXPECT_EQ(CPrintJob::GetPictureRect(landscape, 1024, 768, PictureLayout::SideBySide),
            (PictureRect{0, 237, 550, 375, 550, 0}));
  // A device without a resolution gets an empty rectangle instead of a division by zero.
  PrintDevice broken = Device();
  broken.dpiX = 0;
  EXPECT_EQ(CPrintJob::GetPictureRect(broken, 1024, 768, PictureLayout::Single).width, 0);
}

}  // namespace
