// The line list and the part tree as windows in the real main frame (under Xvfb): the list shows
// the model's lines, a row selected in the list selects the element for the panes and a selection
// made elsewhere shows in the list; the tree lists the library's groups, rebuilds when they change
// and tells the part browser what is selected.
#include <gtest/gtest.h>
#include <wx/choice.h>
#include <wx/listctrl.h>
#include <wx/treectrl.h>

#include <unistd.h>

#include <memory>
#include <string>

#include "GuiTest.h"
#include "ViewTestSupport.h"
#include "app/LineListView.h"
#include "app/MainFrame.h"
#include "app/PartTreeView.h"
#include "app/PrivateEvents.h"
#include "config/PartList.h"
#include "platform/Process.h"
#include "platform/Profile.h"
#include "support/TestData.h"

namespace {

constexpr const char* kPartsLst =
    "3001.dat       Brick  2 x  4\n"
    "3003.dat       Brick  2 x  2\n"
    "3705.dat       Technic Axle  4\n"
    "32000.dat      Technic Brick  1 x  2 with Holes\n";

struct CHintRecorder : IDocObserver {
  void OnUpdate(uint32_t hint) override { hints.push_back(hint); }
  std::vector<uint32_t> hints;
};

class SidePanesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!GuiAvailable()) GTEST_SKIP() << "no display (run the GUI tests under xvfb-run)";
    SetProfile(std::make_unique<CFileProfile>(m_scratch / "Plandor.conf"));
    ASSERT_TRUE(WriteFileBytes(m_scratch / "Parts.lst", kPartsLst));
    PartListPlaces places;
    places.userFolder = m_scratch.Path();
    places.importFolder = m_scratch.Path();
    thePartList.SetPlaces(places);
    ASSERT_EQ(thePartList.LoadPartsList(m_scratch.Path()), 1);
    m_doc = std::make_unique<CQuorvelDoc>();
    m_doc->OnNewDocument();
    ASSERT_TRUE(LoadModelText(*m_doc, CubeModel()));
    m_frame = new CMainFrame(nullptr);
    m_frame->SetSize(0, 0, 1000, 760);
    m_frame->AttachDocument(m_doc.get());
    m_frame->Show();
    PumpEvents(200);
    m_doc->AddObserver(&m_recorder);
  }
  void TearDown() override {
    if (m_doc) m_doc->RemoveObserver(&m_recorder);
    if (m_frame) {
      m_frame->AttachDocument(nullptr);
      m_frame->Destroy();
      PumpEvents(30);
    }
    m_doc.reset();
    thePartList.Clear();
    thePartList.SetPlaces({});
    SetProfile(nullptr);
  }
  CLineListView* List() { return dynamic_cast<CLineListView*>(m_frame->GetLineListPane()); }
  CPartTreeView* Tree() { return dynamic_cast<CPartTreeView*>(m_frame->GetPartTreePane()); }
  std::vector<std::string> TopLevel() {
    std::vector<std::string> out;
    wxTreeCtrl* tree = Tree()->GetTree();
    wxTreeItemIdValue cookie;
    for (wxTreeItemId i = tree->GetFirstChild(tree->GetRootItem(), cookie); i.IsOk(); i = tree->GetNextChild(tree->GetRootItem(), cookie))
      out.push_back(tree->GetItemText(i).utf8_string());
    return out;
  }

  CViewSettingsScope m_settings;
  CScratchDir m_scratch;
  std::unique_ptr<CQuorvelDoc> m_doc;
  CMainFrame* m_frame = nullptr;
  CHintRecorder m_recorder;
};

TEST_F(SidePanesTest, TheListShowsTheModelAndItsSelectionGoesBothWays) {
  ASSERT_NE(List(), nullptr);
  wxListCtrl* list = List()->GetList();
  ASSERT_EQ(list->GetItemCount(), static_cast<int>(CubeModel().size()));
  EXPECT_EQ(list->GetItemText(0, 5), "Cube");
  EXPECT_EQ(list->GetItemText(1, 0), "Quadrilateral");
  EXPECT_EQ(list->GetItemText(7, 0), "Line");

  // Rows 3 and 8 chosen in the list: the model selects them and the panes hear of it.
  list->SetItemState(3, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
  list->SetItemState(8, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
  PumpEvents(50);
  List()->SyncSelectionFromList();
  CQvFile* model = m_doc->GetActiveModel();
  ASSERT_EQ(model->GetSelectedCount(), 2u);
  EXPECT_TRUE(model->GetAt(3)->selected);
  EXPECT_TRUE(model->GetAt(8)->selected);
  ASSERT_FALSE(m_recorder.hints.empty());
  EXPECT_TRUE(m_recorder.hints.back() & (HINT_SELECTION | HINT_PANES_ONLY));

  // The document selects element 5 (a click in a pane): the list shows that row alone.
  m_doc->SelectElement(5, 1, SelectKeys{});
  PumpEvents(50);
  EXPECT_EQ(List()->GetListSelection(), std::vector<long>{5});
  EXPECT_EQ(list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_FOCUSED), 5);
}

TEST_F(SidePanesTest, TheModelBoxListsTheProjectsModels) {
  EXPECT_FALSE(List()->GetModelBox()->IsEnabled());  // one model
  EXPECT_EQ(List()->GetModelBox()->GetCount(), 1u);
}

TEST_F(SidePanesTest, TheTreeListsTheLibrarysGroupsAndRebuildsWhenTheyChange) {
  ASSERT_NE(Tree(), nullptr);
  std::vector<std::string> top = TopLevel();
  ASSERT_EQ(top.size(), 9u + 4u);  // the default groups, Other Parts, Models, Favorites, Document
  EXPECT_EQ(top.front(), "Zeb Axles & Spacers");
  EXPECT_EQ(std::vector<std::string>(top.end() - 4, top.end()),
            (std::vector<std::string>{"Other Parts", "Models", "Favorites", "Document"}));

  // New groups announced by 0x8003: the tree shows them.
  thePartList.SetGroups({{"Bricks\\Technic", "Technic & Brick"}, {"bricks\\Plain", "<Brick"}});
  m_frame->NotifyViews(false, msg::kGroupsChanged, 0, 0);
  top = TopLevel();
  ASSERT_EQ(top.size(), 5u);
  EXPECT_EQ(top.front(), "Bricks");

  // A part list replaced (0x8007, a part scan): the tree is built again once the sender is done.
  thePartList.SetGroups({{"Bricks\\Technic", "Technic & Brick"}, {"bricks\\Plain", "<Brick"}, {"Axles", "Axle"}});
  m_frame->NotifyViews(false, msg::kPartListInvalid, 0, 0);
  PumpEvents(50);
  top = TopLevel();
  ASSERT_EQ(top.size(), 6u);
  EXPECT_EQ(top[1], "Axles");

  // Selecting the second part of "Bricks\Plain" tells the browser group 2, position 2.
  std::vector<std::pair<long, long>> shown;
  m_frame->GetPartBrowserPane()->Bind(EVT_PLANDOR_SHOW_GROUP, [&shown](CPrivateMessageEvent& e) {
    shown.emplace_back(e.GetWParam(), e.GetLParam());
  });
  CPartTreeState& state = Tree()->State();
  const int plain = state.GroupNode(1);
  ASSERT_EQ(state.Node(plain).children.size(), 2u);
  Tree()->GetTree()->SelectItem(Tree()->ItemOfNode(state.Node(plain).children[1]));
  PumpEvents(50);
  EXPECT_EQ(shown, (std::vector<std::pair<long, long>>{{2, 2}}));
}

// Real clicks through xdotool: a click and a Shift+click in the list give the model the whole
// range, which a virtual list reports without one event per row. Runs alone (RUN_SERIAL).
class SidePanesRealKeysTest : public SidePanesTest {
 protected:
  void SetUp() override {
    SidePanesTest::SetUp();
    if (IsSkipped()) return;
    if (RunShellCommand("command -v xdotool >/dev/null") != 0) GTEST_SKIP() << "xdotool is not installed";
    m_frame->SetTitle(m_title);
    PumpEvents(100);
    RunShellCommand("w=$(xdotool search --pid " + std::to_string(getpid()) + " --onlyvisible --name '^" + m_title +
                    "$' 2>/dev/null | head -1); [ -n \"$w\" ] && xdotool windowfocus --sync \"$w\"");
    PumpEvents(50);
  }
  // Clicks the middle of a row, with the keys held (xdotool key names).
  void ClickRow(long row, const std::string& held = "") {
    wxListCtrl* list = List()->GetList();
    wxRect r;
    ASSERT_TRUE(list->GetItemRect(row, r));
    wxPoint p = list->ClientToScreen(wxPoint(r.x + 80, r.y + r.height / 2));
    std::string move = "xdotool mousemove " + std::to_string(p.x) + " " + std::to_string(p.y);
    if (!held.empty()) RunShellCommand("xdotool keydown " + held);
    RunShellCommand(move + " click 1");
    if (!held.empty()) RunShellCommand("xdotool keyup " + held);
    PumpEvents(150);
  }
  const std::string m_title = "Plandor side panes test";
};

TEST_F(SidePanesRealKeysTest, AShiftClickRangeReachesTheModel) {
  // Rows 0 to 2 are inside the pane's default height.
  ClickRow(0);
  CQvFile* model = m_doc->GetActiveModel();
  ASSERT_EQ(model->GetSelectedCount(), 1u);
  EXPECT_TRUE(model->GetAt(0)->selected);
  ClickRow(2, "shift");
  EXPECT_EQ(List()->GetListSelection(), (std::vector<long>{0, 1, 2}));
  EXPECT_EQ(model->GetSelectedCount(), 3u);
  for (size_t i = 0; i <= 2; ++i) EXPECT_TRUE(model->GetAt(i)->selected) << i;
  // A plain click leaves one row in both.
  ClickRow(1);
  EXPECT_EQ(model->GetSelectedCount(), 1u);
  EXPECT_TRUE(model->GetAt(1)->selected);
}

}  // namespace
