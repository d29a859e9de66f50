// The part browser: which parts its grid shows for a group and a first position (the grid is
// always full), how the cells are laid out, and the real pane over a small library of our own:
// thumbnails drawn only for the cells on screen, a part whose file is gone shown as a cross
// without ending anything, and the part tree's 0x8000 with group 0 leaving the grid alone.
#include <gtest/gtest.h>
#include <wx/choice.h>
#include <wx/frame.h>

#include <cstring>
#include <numeric>
#include <vector>

#include "GuiTest.h"
#include "app/PartFormView.h"
#include "app/PartGridState.h"
#include "app/PartThumbnail.h"
#include "app/PrivateEvents.h"
#include "app/StaticPart.h"
#include "config/BuiltinColors.h"
#include "config/ColorTable.h"
#include "config/PartList.h"
#include "config/ScanOrder.h"
#include "config/Settings.h"
#include "model/FileCache.h"
#include "model/LibraryContext.h"
#include "platform/Folders.h"
#include "render/C3DStub.h"
#include "support/PartListScope.h"
#include "support/SettingsSnapshot.h"
#include "support/TestData.h"

namespace {

std::vector<PartHandle> Handles(PartHandle from, size_t count) {
  std::vector<PartHandle> out(count);
  std::iota(out.begin(), out.end(), from);
  return out;
}

TEST(PartGridState, ShownPartsFillTheGridFromTheFirstPosition) {
  const std::vector<PartHandle> ten = Handles(1, 10);
  struct Case {
    int first;
    unsigned cells;
    std::vector<PartHandle> expected;
  } cases[] = {
      {1, 4, {1, 2, 3, 4}},
      {3, 4, {3, 4, 5, 6}},
      {8, 4, {7, 8, 9, 10}},       // past the end: the last four, the grid stays full
      {100, 4, {7, 8, 9, 10}},     //
      {0, 4, {1, 2, 3, 4}},        // below 1 counts as the first
      {5, 12, Handles(1, 10)},     // fewer parts than cells: all of them, whatever the first
      {1, 0, {}},                  // no cells
  };
  for (const Case& c : cases)
    EXPECT_EQ(CPartGridState::ShownParts(ten, c.first, c.cells), c.expected) << c.first << " " << c.cells;
  EXPECT_TRUE(CPartGridState::ShownParts({}, 1, 4).empty());
}

TEST(PartGridState, CellsAreWholeCentredAndStartOnAMultipleOfFour) {
  CPartGridState::SetSmall(false);
  CPartGridState grid;
  EXPECT_TRUE(grid.Layout(230, 160));  // 3 x 2 cells of 72
  EXPECT_EQ(grid.GetColumns(), 3);
  ASSERT_EQ(grid.GetCellCount(), 6u);
  // Left margin (230 - 216) / 2 = 7, rounded down to 4; top margin (160 - 144) / 2 = 8.
  EXPECT_EQ(grid.Cells()[0].x, 4);
  EXPECT_EQ(grid.Cells()[0].y, 8);
  EXPECT_EQ(grid.Cells()[5].x, 4 + 2 * 72);
  EXPECT_EQ(grid.Cells()[5].y, 8 + 72);
  EXPECT_EQ(grid.CellAt(4, 8), 0);
  EXPECT_EQ(grid.CellAt(4 + 72, 8 + 72), 4);
  EXPECT_EQ(grid.CellAt(3, 8), -1);    // in the margin
  EXPECT_EQ(grid.CellAt(4, 159), -1);  // below the last row
  EXPECT_FALSE(grid.Layout(231, 161));  // same number of cells
  CPartGridState::SetSmall(true);
  EXPECT_TRUE(grid.Layout(230, 160));  // 4 x 3 cells of 48
  EXPECT_EQ(grid.GetCellCount(), 12u);
  EXPECT_FALSE(CPartGridState::CanSwitchToLarge(71, 200));
  EXPECT_TRUE(CPartGridState::CanSwitchToLarge(72, 72));
  CPartGridState::SetSmall(false);
  EXPECT_EQ(grid.Layout(0, 0), true);
  EXPECT_EQ(grid.GetCellCount(), 0u);
}

class PartBrowserTest : public ::testing::Test {
 protected:
  void SetUp() override {
    REQUIRE_GUI();
    // Twenty bricks, each one quadrilateral, and one part whose file goes missing after the scan.
    MakeDirectories(m_lib / "parts");
    MakeDirectories(m_lib / "p");
    for (int i = 0; i < 20; ++i)
      ASSERT_TRUE(WriteFileBytes(m_lib / ("parts/b" + std::to_string(100 + i) + ".dat"),
                                 "0 Brick test " + std::to_string(100 + i) +
                                     "\n4 16 -10 0 -10 10 0 -10 10 0 10 -10 0 10\n"));
    ASSERT_TRUE(WriteFileBytes(m_lib / "parts/a999.dat", "0 Brick gone\n"));
    BuildColorTable(BuiltinColors.data(), theDefaultColors, kColorCount);
    theSettings.BasePath = m_lib.Path();
    theScanOrder.SetDefault();
    thePartList.Clear();
    int changed = 0;
    ASSERT_EQ(thePartList.ScanDirectory(m_lib.Path(), "parts", false, changed), 1);
    std::remove((m_lib / "parts/a999.dat").c_str());
    thePartList.SetGroups({{"Bricks", "Brick"}});
    theFileCache.Flush(0);
    m_frame = new wxFrame(nullptr, wxID_ANY, "Browser");
    m_frame->CreateStatusBar();
    m_view = new CPartFormView(m_frame);
    CPartGridState::SetSmall(false);
    m_frame->SetClientSize(260, 260);
    m_frame->Show();
    PumpEvents(200);
  }
  void TearDown() override {
    if (m_frame) m_frame->Destroy();
    PumpEvents();
  }

  CScratchDir m_lib;
  SettingsSnapshot m_settings;
  PartListScope m_partList;
  wxFrame* m_frame = nullptr;
  CPartFormView* m_view = nullptr;
};

TEST_F(PartBrowserTest, ShowsTheFirstGroupAndDrawsOnlyTheCellsOnScreen) {
  EXPECT_EQ(m_view->GetShownGroup(), 1);
  CStaticPart& grid = m_view->GetGrid();
  const unsigned cells = grid.GetCellCount();
  ASSERT_GT(cells, 0u);
  ASSERT_LT(cells, 21u) << "the test wants more parts than cells";
  m_frame->Update();
  PumpEvents(100);
  EXPECT_EQ(grid.GetShownParts().size(), cells);
  // Lazily: one picture per shown cell, none for the parts below the fold.
  EXPECT_EQ(grid.GetRenderCount(), cells);
  // The missing part sorts first: its cell is there (a red cross), the rest were drawn.
  EXPECT_STREQ(thePartList.GetFileName(grid.GetShownParts()[0]), "a999.dat");

  // Scrolling to the end fills the grid with the last parts; back again costs no new pictures.
  m_view->ShowGroup(1, 100);
  PumpEvents(100);
  EXPECT_EQ(grid.GetShownParts().size(), cells);
  const std::vector<PartHandle>* members = thePartList.GetGroupMembers(0);
  EXPECT_EQ(grid.GetShownParts().back(), members->back());
  const size_t renders = grid.GetRenderCount();
  m_view->ShowGroup(1, 1);
  PumpEvents(100);
  EXPECT_EQ(grid.GetRenderCount(), renders);
}

TEST_F(PartBrowserTest, ACellThatCannotBeDrawnIsAnErrorOfThatCellOnly) {
  C3DStub renderer;
  const PartHandle brick = thePartList.FindByName("b100.dat");
  ASSERT_NE(brick, 0u);
  EXPECT_EQ(RenderPartThumbnail(theFileCache, brick, 48, renderer), ThumbnailResult::Drawn);
  EXPECT_EQ(renderer.GetImage().GetWidth(), 48);
  // Not blank: the brick's pixels differ from the corner's background.
  const CDib& picture = renderer.GetImage();
  const uint8_t* corner = picture.GetRow(0);
  int drawn = 0;
  for (int32_t y = 0; y < picture.GetHeight(); ++y)
    for (int32_t x = 0; x < picture.GetWidth(); ++x)
      drawn += std::memcmp(picture.GetRow(y) + 3 * x, corner, 3) != 0;
  EXPECT_GT(drawn, 48);  // the flat square, seen from above at an angle
  // A renderer that cannot be made (here: no pixels at all) fails the cell, nothing more.
  EXPECT_EQ(RenderPartThumbnail(theFileCache, brick, 0, renderer), ThumbnailResult::NoMemory);
  EXPECT_EQ(RenderPartThumbnail(theFileCache, thePartList.FindByName("a999.dat"), 48, renderer), ThumbnailResult::NotFound);
  EXPECT_EQ(RenderPartThumbnail(theFileCache, brick, 48, renderer), ThumbnailResult::Drawn);
}

// A browser handed a library with a part list of its own lists that list's groups and parts, not
// the program's (whose one group holds every brick).
TEST_F(PartBrowserTest, TheBrowserShowsThePartListOfTheLibraryItIsHanded) {
  CPartList own;
  int changed = 0;
  ASSERT_EQ(own.ScanDirectory(m_lib.Path(), "parts", false, changed), 1);
  own.SetGroups({{"Only 101", "101"}, {"Bricks", "Brick"}});
  ASSERT_EQ(own.GetGroupMembers(0)->size(), 1u);
  auto* view = new CPartFormView(m_frame, WithPartList(ProgramLibrary(), own));
  view->SetSize(m_view->GetSize());
  PumpEvents(100);
  auto* groups = dynamic_cast<wxChoice*>(view->FindWindow(1109));
  ASSERT_NE(groups, nullptr);
  EXPECT_EQ(groups->GetCount(), own.GetGroupCount());
  EXPECT_EQ(groups->GetString(0), "Only 101");
  ASSERT_EQ(view->GetGrid().GetShownParts(), *own.GetGroupMembers(0));
  EXPECT_STREQ(own.GetFileName(view->GetGrid().GetShownParts()[0]), "b101.dat");
  view->Destroy();  // before the list it shows goes
  PumpEvents();
}

TEST_F(PartBrowserTest, ShowGroupZeroFromTheTreeLeavesTheGridAlone) {
  m_view->ShowGroup(1, 5);
  PumpEvents(50);
  const std::vector<PartHandle> before = m_view->GetGrid().GetShownParts();
  CPrivateMessageEvent event = MakePrivateEvent(msg::kShowGroup, 0, 1);
  m_view->GetEventHandler()->ProcessEvent(event);
  EXPECT_EQ(m_view->GetGrid().GetShownParts(), before);
  EXPECT_EQ(m_view->GetFirstPosition(), 5);
  // A part list about to be rebuilt empties the grid.
  CPrivateMessageEvent invalid = MakePrivateEvent(msg::kPartListInvalid, 0, 0);
  m_view->GetEventHandler()->ProcessEvent(invalid);
  EXPECT_EQ(m_view->GetShownGroup(), 0);
  EXPECT_TRUE(m_view->GetGrid().GetShownParts().empty());
}

}  // namespace
