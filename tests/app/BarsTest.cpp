// The frame's bars: where the resizable colour bar takes which of its sizes.
#include <gtest/gtest.h>
#include <wx/aui/framemanager.h>
#include <wx/frame.h>

#include <map>
#include <set>
#include <string>

#include "GuiTest.h"
#include "app/BarTable.h"
#include "app/CommandIcons.h"
#include "app/MainFrame.h"
#include "app/SizeableCtrlBar.h"
#include "platform/Profile.h"
#include "support/TestData.h"

namespace {

// Docked at the top the bar has its horizontal size; docked at the left or right its vertical
// one; floating its floating one, and a floating frame the user resized keeps that size.
TEST(SizeableCtrlBar, TakesTheSizeOfTheSideItIsDockedAtOrFloating) {
  REQUIRE_GUI();
  auto* frame = new wxFrame(nullptr, wxID_ANY, "bars", wxDefaultPosition, wxSize(800, 600));
  wxAuiManager aui(frame);
  auto* bar = new CDvSizeableCtrlBar();
  ASSERT_TRUE(bar->Create(frame, 116, "ColorBar", {46, 189}, true));
  bar->SetHorzSize({300, 32});
  bar->SetFloatSize({120, 90});
  bar->AddToManager(aui, bar->MakePaneInfo("Colorbar", "Colorbar"));
  frame->Show();
  aui.Update();
  PumpEvents(50);
  wxAuiPaneInfo& pane = aui.GetPane(bar);
  EXPECT_EQ(pane.best_size, wxSize(300, 32));

  for (int side : {wxAUI_DOCK_LEFT, wxAUI_DOCK_RIGHT}) {
    pane.Direction(side);
    aui.Update();
    PumpEvents(50);
    EXPECT_EQ(pane.best_size, wxSize(46, 189)) << side;
    EXPECT_EQ(bar->GetSize(), wxSize(46, 189)) << side;
  }
  pane.Bottom();
  aui.Update();
  PumpEvents(50);
  EXPECT_EQ(pane.best_size, wxSize(300, 32));
  EXPECT_EQ(bar->GetSize(), wxSize(300, 32));

  pane.Float();
  aui.Update();
  PumpEvents(50);
  EXPECT_EQ(pane.best_size, wxSize(120, 90));
  EXPECT_EQ(pane.floating_size, wxSize(120, 90));
  ASSERT_NE(pane.frame, nullptr);
  EXPECT_EQ(pane.frame->GetSize(), wxSize(120, 90));
  // The user drags the floating frame larger; the next float opens at that size.
  pane.FloatingSize(150, 110);
  EXPECT_TRUE(bar->FollowPlace());
  EXPECT_EQ(bar->GetFloatSize(), (BarSize{150, 110}));
  EXPECT_EQ(pane.best_size, wxSize(150, 110));
  // ... but never smaller than the minimum.
  pane.FloatingSize(10, 10);
  bar->FollowPlace();
  EXPECT_EQ(bar->GetFloatSize(), (BarSize{33, 32}));

  pane.Top().Dock();
  aui.Update();
  PumpEvents(50);
  EXPECT_EQ(pane.best_size, wxSize(300, 32));
  aui.UnInit();
  frame->Destroy();
  PumpEvents(20);
}

}  // namespace

namespace {

// Counts the pixels a drawing covers.
int Covered(const wxImage& image) {
  int n = 0;
  for (int y = 0; y < image.GetHeight(); ++y)
    for (int x = 0; x < image.GetWidth(); ++x)
      if (!image.HasAlpha() || image.GetAlpha(x, y) > 64) ++n;
  return n;
}

// Every button of the nine tool bars has a picture: the theme's for the standard actions, else a
// pictogram of the program's own (the zoom presets their per cent), never a numbered tile.
// Each pictogram is drawn (a drawing the vector reader refuses would be empty), at the screen's
// density too, and no two look alike.
TEST(CommandIcons, EveryToolBarButtonHasARecognisablePicture) {
  REQUIRE_GUI();
  const std::set<int> theme = {57600, 57601, 57603, 32869, 57635, 57634, 57637, 57607,
                               57664, 57669};
  std::map<std::string, int> seen;
  for (const BarInfo& bar : BarTable()) {
    for (int id : bar.buttons) {
      if (id == 0 || theme.count(id)) continue;
      bool zoomPreset = id >= 32885 && id <= 32893;
      EXPECT_TRUE(HasOwnPictogram(id) || zoomPreset) << id;
      wxBitmapBundle bundle = DrawCommandBitmap(id);
      ASSERT_TRUE(bundle.IsOk()) << id;
      wxImage small = bundle.GetBitmap(wxSize(16, 16)).ConvertToImage();
      wxImage large = bundle.GetBitmap(wxSize(32, 32)).ConvertToImage();
      EXPECT_EQ(small.GetSize(), wxSize(16, 16)) << id;
      EXPECT_EQ(large.GetSize(), wxSize(32, 32)) << id;
      EXPECT_GT(Covered(small), 30) << id;
      EXPECT_GT(Covered(large), 4 * 30) << id;
      std::string pixels(reinterpret_cast<const char*>(small.GetData()), 16 * 16 * 3);
      if (small.HasAlpha()) pixels.append(reinterpret_cast<const char*>(small.GetAlpha()), 16 * 16);
      auto [it, fresh] = seen.emplace(pixels, id);
      EXPECT_TRUE(fresh) << id << " looks like " << it->second;
    }
  }
  EXPECT_TRUE(GetCommandBitmap(57600).IsOk());
}

}  // namespace

namespace {

// The default dock rows: each fixed bar goes into the first row with room, the colour bar fills
// the roomiest row (or one of its own), so no row is left mostly empty.
TEST(BarTable, PlanBarRowsFillsTheRows) {
  struct Case {
    std::vector<int> lengths;  // index 0 is the colour bar
    int rowLength;
    std::vector<BarPlace> places;
    int colorLength;
  };
  const Case cases[] = {
      // Two rows of tool bars at 1000 pixels, the short bars going back into the rows above;
      // the colour bar, finding no room, gets the third row to itself.
      {{300, 280, 320, 200, 220, 210, 120, 240, 240, 90},
       1000,
       {{2, 0}, {0, 0}, {0, 1}, {0, 2}, {1, 0}, {1, 1}, {0, 3}, {1, 2}, {1, 3}, {1, 4}},
       1000},
      // The colour bar fills the rest of the last row.
      {{300, 400, 500, 300, 250}, 1000, {{1, 2}, {0, 0}, {0, 1}, {1, 0}, {1, 1}}, 450},
      // Wide enough for all tool bars in one row: the colour bar gets a row of its own.
      {{300, 100, 100, 100}, 400, {{1, 0}, {0, 0}, {0, 1}, {0, 2}}, 400},
      // The colour bar takes the row with the most room.
      {{300, 500, 200, 450}, 800, {{1, 1}, {0, 0}, {0, 1}, {1, 0}}, 350},
      // A bar longer than the row still gets a row.
      {{300, 1200, 100}, 1000, {{1, 1}, {0, 0}, {1, 0}}, 900},
  };
  for (const Case& c : cases) {
    BarRows plan = PlanBarRows(c.lengths, 0, c.rowLength, 300);
    ASSERT_EQ(plan.places.size(), c.places.size());
    for (size_t i = 0; i < c.places.size(); ++i) {
      EXPECT_EQ(plan.places[i].row, c.places[i].row) << "bar " << i << " at " << c.rowLength;
      EXPECT_EQ(plan.places[i].position, c.places[i].position) << "bar " << i << " at " << c.rowLength;
    }
    EXPECT_EQ(plan.sizeableLength, c.colorLength) << c.rowLength;
  }
}

}  // namespace

namespace {

// In the frame itself: the bars lie in full rows at the top, none past the window's right edge,
// no bar in a row where it would have fitted into a row above, and the colour bar runs to the
// end of its row.
TEST(BarTable, TheFramesBarsFillTheirRows) {
  REQUIRE_GUI();
  CScratchDir scratch;
  SetProfile(std::make_unique<CFileProfile>(scratch / "Plandor.conf"));
  auto* frame = new CMainFrame(nullptr);
  frame->Show();
  PumpEvents(150);
  wxAuiManager* aui = wxAuiManager::GetManager(frame);
  ASSERT_NE(aui, nullptr);
  int width = frame->GetClientSize().x;
  std::map<int, int> used, room;  // per dock row
  std::map<int, std::vector<int>> lengths;
  int colorRow = -1, colorRight = 0;
  for (const BarInfo& bar : BarTable()) {
    wxAuiPaneInfo& pane = aui->GetPane(bar.logName);
    ASSERT_TRUE(pane.IsOk()) << bar.logName;
    EXPECT_EQ(pane.dock_direction, wxAUI_DOCK_TOP) << bar.logName;
    wxRect r = pane.window->GetRect();
    EXPECT_LE(r.GetRight(), width) << bar.logName;
    used[pane.dock_row] += r.width;
    lengths[pane.dock_row].push_back(r.width);
    if (bar.id == 116) colorRow = pane.dock_row, colorRight = r.GetRight();
  }
  EXPECT_LE(used.size(), 3u);
  ASSERT_GE(colorRow, 0);
  EXPECT_GE(colorRight, width - 12);
  for (auto& [row, bars] : lengths) {
    if (row == colorRow) continue;
    for (int length : bars)
      for (auto& [above, total] : used)
        if (above < row && above != colorRow) {
          EXPECT_GT(total + length, width) << "row " << row;
        }
  }
  frame->Close(true);
  PumpEvents(50);
  SetProfile(nullptr);
}

}  // namespace
