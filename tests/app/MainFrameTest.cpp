#include <gtest/gtest.h>

#include <map>
#include <wx/aui/framemanager.h>
#include <wx/choice.h>
#include <wx/menu.h>
#include <wx/splitter.h>

#include "GuiTest.h"
#include "app/AppCommands.h"
#include "app/CommandMap.h"
#include "app/CommandTable.h"
#include "app/MainFrame.h"
#include "app/MsgList.h"
#include "app/QuorvelView.h"
#include "app/PartTreeView.h"
#include "app/PrivateEvents.h"
#include "app/SizeableCtrlBar.h"
#include "config/PartList.h"
#include "config/Settings.h"
#include "model/LibraryContext.h"
#include "platform/Profile.h"
#include "support/SettingsSnapshot.h"
#include "support/TestData.h"

namespace {

// Every test gets a profile of its own in a scratch folder.
class MainFrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!GuiAvailable()) GTEST_SKIP() << "no display (run the GUI tests under xvfb-run)";
    m_profilePath = m_scratch / "Plandor.conf";
    SetProfile(std::make_unique<CFileProfile>(m_profilePath));
  }
  void TearDown() override {
    SetProfile(nullptr);
  }

  CMainFrame* OpenFrame() {
    auto* frame = new CMainFrame(nullptr);
    frame->Show();
    PumpEvents(150);
    return frame;
  }
  void CloseFrame(CMainFrame* frame) {
    frame->Close(true);
    PumpEvents(50);
    EXPECT_EQ(theMainFrame, nullptr);
  }

  CScratchDir m_scratch;
  std::string m_profilePath;
};

TEST_F(MainFrameTest, HasTheFourViewPanesTheOtherAreasAndTheMenus) {
  CMainFrame* frame = OpenFrame();
  EXPECT_EQ(theMainFrame, frame);
  for (int i = 0; i < 4; ++i) {
    wxWindow* pane = frame->GetViewPane(i / 2, i % 2);
    ASSERT_NE(pane, nullptr);
    EXPECT_EQ(pane->GetName(), wxString::Format("View3D_%d", i));
    EXPECT_EQ(wxWindow::FindWindowByName(wxString::Format("View3D_%d", i), frame), pane);
    EXPECT_TRUE(pane->IsShownOnScreen());
    EXPECT_GE(pane->GetSize().x, 50);
    EXPECT_GE(pane->GetSize().y, 50);
  }
  // The four panes do not overlap: (0,1) is right of (0,0), (1,0) below it.
  EXPECT_GT(frame->GetViewPane(0, 1)->GetPosition().x, frame->GetViewPane(0, 0)->GetPosition().x);
  EXPECT_GT(frame->GetViewPane(1, 0)->GetPosition().y, frame->GetViewPane(0, 0)->GetPosition().y);
  for (const char* name : {"PartTree", "PartBrowser", "LineList", "ColorBar"}) {
    wxWindow* w = wxWindow::FindWindowByName(name, frame);
    ASSERT_NE(w, nullptr) << name;
    EXPECT_TRUE(w->IsShownOnScreen()) << name;
  }

  wxMenuBar* bar = frame->GetMenuBar();
  ASSERT_NE(bar, nullptr);
  std::vector<wxString> titles;
  for (size_t i = 0; i < bar->GetMenuCount(); ++i) titles.push_back(wxMenuItem::GetLabelText(bar->GetMenuLabel(i)));
  EXPECT_EQ(titles, (std::vector<wxString>{"File", "Edit", "Navigate", "View", "Multipart", "Extras",
                                           "Settings", "Help"}));
  // Every command of the menus is there under its id.
  for (const CommandInfo& c : CommandTable()) {
    if (!c.id || !*c.menuPath || c.id == cmd::kFileMru) continue;
    EXPECT_NE(bar->FindItem(ToWxId(c.id)), nullptr) << c.id;
  }
  wxMenuItem* save = bar->FindItem(ToWxId(cmd::kFileSave));
  ASSERT_NE(save, nullptr);
  EXPECT_EQ(save->GetItemLabelText(), "Save");
  // GetAccel hands over a new entry.
  std::unique_ptr<wxAcceleratorEntry> accel(save->GetAccel());
  EXPECT_EQ(accel ? accel->ToString() : wxString(), "Ctrl+S");
  // Keys the 3-D view keeps are not menu accelerators (GTK would make them global).
  ASSERT_NE(bar->FindItem(ToWxId(32792)), nullptr);
  std::unique_ptr<wxAcceleratorEntry> none(bar->FindItem(ToWxId(32792))->GetAccel());
  EXPECT_EQ(none, nullptr);

  // Ten bars docked through AUI, all shown.
  wxAuiManager& aui = frame->GetAuiManager();
  for (const char* name : {"Colorbar", "Toolbar", "Elementbar", "Editbar", "Movementbar", "Viewbar",
                           "Expertbar", "Zoombar", "Modificationbar", "Extrasbar"}) {
    ASSERT_TRUE(aui.GetPane(name).IsOk()) << name;
    EXPECT_TRUE(aui.GetPane(name).IsShown()) << name;
  }
  EXPECT_EQ(aui.GetPane("Modificationbar").caption, "Visibilitybar");
  EXPECT_EQ(aui.GetPane("Extrasbar").caption, "Extrasbar");
  ASSERT_NE(frame->GetStatusBar(), nullptr);
  EXPECT_EQ(frame->GetStatusBar()->GetFieldsCount(), 4);
  CloseFrame(frame);
}

TEST_F(MainFrameTest, EnableRulesAndBarToggles) {
  CMainFrame* frame = OpenFrame();
  // No handler yet: disabled. Handlers that exist: enabled.
  EXPECT_FALSE(frame->Router().Query(cmd::kFileSave).enabled);
  EXPECT_FALSE(frame->Router().Query(32783).enabled);
  // About and Exit are the application's: disabled until it joins the chain.
  EXPECT_FALSE(frame->Router().Query(cmd::kAppAbout).enabled);
  std::unique_ptr<CCommandMap> app = MakeApplicationCommands("Plandor Version test");
  frame->Router().SetApplicationTarget(app.get());
  EXPECT_TRUE(frame->Router().Query(cmd::kAppAbout).enabled);
  EXPECT_TRUE(frame->Router().Query(cmd::kAppExit).enabled);
  EXPECT_TRUE(frame->Router().Query(cmd::kFind).enabled);
  EXPECT_TRUE(frame->Router().Query(cmd::kZoomFirst).enabled);

  CommandState zoomBar = frame->Router().Query(32940);
  EXPECT_TRUE(zoomBar.enabled);
  EXPECT_TRUE(zoomBar.checked);
  wxCommandEvent toggle(wxEVT_MENU, ToWxId(32940));
  frame->GetEventHandler()->ProcessEvent(toggle);
  EXPECT_FALSE(frame->GetAuiManager().GetPane("Zoombar").IsShown());
  EXPECT_FALSE(frame->Router().Query(32940).checked);
  // The menu item follows the rule when the menus are updated.
  frame->UpdateWindowUI(wxUPDATE_UI_RECURSE);
  wxMenuItem* item = frame->GetMenuBar()->FindItem(ToWxId(32940));
  ASSERT_NE(item, nullptr);
  frame->GetMenuBar()->GetMenu(frame->GetMenuBar()->FindMenu("View"))->UpdateUI(frame);
  EXPECT_FALSE(item->IsChecked());
  EXPECT_FALSE(frame->GetMenuBar()->FindItem(ToWxId(cmd::kFileSave))->IsEnabled());
  CloseFrame(frame);
}

TEST_F(MainFrameTest, ZoomPresetReachesTheFourPanesOnlyInEditMode) {
  CMainFrame* frame = OpenFrame();
  auto zoomOf = [frame](int i) {
    auto* view = dynamic_cast<CQuorvelView*>(frame->GetViewPane(i / 2, i % 2));
    return view ? view->State().GetZoom() : -1.0;
  };
  wxCommandEvent z150(wxEVT_MENU, ToWxId(32887));
  frame->GetEventHandler()->ProcessEvent(z150);
  PumpEvents(30);
  for (int i = 0; i < 4; ++i) EXPECT_DOUBLE_EQ(zoomOf(i), 1.5) << i;
  // Fit without a model: zoom 1.
  wxCommandEvent fit(wxEVT_MENU, ToWxId(cmd::kZoomLast));
  frame->GetEventHandler()->ProcessEvent(fit);
  PumpEvents(30);
  for (int i = 0; i < 4; ++i) EXPECT_DOUBLE_EQ(zoomOf(i), 1.0) << i;
  frame->GetEventHandler()->ProcessEvent(z150);
  PumpEvents(30);
  EXPECT_DOUBLE_EQ(zoomOf(3), 1.5);

  frame->SetEditMode(0);
  EXPECT_FALSE(frame->Router().Query(32888).enabled);
  wxCommandEvent z100(wxEVT_MENU, ToWxId(32888));
  frame->GetEventHandler()->ProcessEvent(z100);
  PumpEvents(30);
  EXPECT_DOUBLE_EQ(zoomOf(3), 1.5);
  CloseFrame(frame);
}

TEST_F(MainFrameTest, LayoutSurvivesARestart) {
  CMainFrame* frame = OpenFrame();
  frame->SetSize(30, 40, 1100, 800);
  PumpEvents(100);
  auto* main = static_cast<wxSplitterWindow*>(wxWindow::FindWindowByName("MainSplitter", frame));
  auto* left = static_cast<wxSplitterWindow*>(wxWindow::FindWindowByName("LeftSplitter", frame));
  auto* right = static_cast<wxSplitterWindow*>(wxWindow::FindWindowByName("RightSplitter", frame));
  ASSERT_TRUE(main && left && right);
  main->SetSashPosition(260);
  left->SetSashPosition(230);
  right->SetSashPosition(120);
  PumpEvents(100);
  auto* grid = frame->GetViewPane(0, 0)->GetParent();
  ASSERT_NE(grid, nullptr);
  frame->GetAuiManager().GetPane("Expertbar").Hide();
  frame->GetAuiManager().Update();
  PumpEvents(50);
  SplitterSizes before = frame->GetSplitterSizes();
  EXPECT_EQ(before[0], 260);
  EXPECT_EQ(before[3], 230);
  EXPECT_EQ(before[5], 120);
  CloseFrame(frame);

  CFileProfile stored(m_profilePath);
  auto pos = ParseWindowPos(stored.GetProfileString(CMainFrame::kEditSection, "WindowPos", ""));
  ASSERT_TRUE(pos);
  EXPECT_EQ(pos->normal.Width(), 1100);
  EXPECT_EQ(pos->normal.Height(), 800);
  EXPECT_TRUE(stored.HasEntry(CMainFrame::kEditSection, "SplitterPos"));
  EXPECT_TRUE(stored.HasEntry(CMainFrame::kEditSection, "BarState"));
  EXPECT_FALSE(stored.HasEntry(CMainFrame::kViewSection, "WindowPos"));

  CMainFrame* again = OpenFrame();
  EXPECT_EQ(again->GetSize(), wxSize(1100, 800));
  EXPECT_EQ(again->GetSplitterSizes(), before);
  EXPECT_FALSE(again->GetAuiManager().GetPane("Expertbar").IsShown());
  EXPECT_TRUE(again->GetAuiManager().GetPane("Zoombar").IsShown());
  CloseFrame(again);
}

TEST_F(MainFrameTest, EachModeKeepsItsOwnLayout) {
  CMainFrame* frame = OpenFrame();
  auto* main = static_cast<wxSplitterWindow*>(wxWindow::FindWindowByName("MainSplitter", frame));
  main->SetSashPosition(240);
  PumpEvents(50);
  frame->SetEditMode(1);  // the current mode: nothing is saved
  CFileProfile(m_profilePath).Flush();
  EXPECT_FALSE(CFileProfile(m_profilePath).HasEntry(CMainFrame::kEditSection, "SplitterPos"));

  frame->SetEditMode(0);
  PumpEvents(50);
  EXPECT_EQ(frame->GetEditMode(), 0);
  main->SetSashPosition(330);
  PumpEvents(50);
  frame->SetEditMode(1);
  PumpEvents(50);
  EXPECT_EQ(main->GetSashPosition(), 240);
  frame->SetEditMode(0);
  PumpEvents(50);
  EXPECT_EQ(main->GetSashPosition(), 330);
  CloseFrame(frame);
  CFileProfile stored(m_profilePath);
  EXPECT_TRUE(stored.HasEntry(CMainFrame::kViewSection, "SplitterPos"));
}

TEST_F(MainFrameTest, StoredPlacementOffTheScreenIsPulledBack) {
  CFileProfile(m_profilePath).Flush();
  TheProfile().WriteProfileString(CMainFrame::kEditSection, "WindowPos", "0,1,-1,-1,-1,-1,5000,4000,5800,4600");
  CMainFrame* frame = OpenFrame();
  wxRect r = frame->GetRect();
  std::vector<LayoutRect> screens = CMainFrame::ScreenWorkAreas();
  ASSERT_FALSE(screens.empty());
  bool onScreen = false;
  for (const LayoutRect& s : screens)
    onScreen |= r.x >= s.left && r.y >= s.top && r.GetRight() < s.right && r.GetBottom() < s.bottom;
  EXPECT_TRUE(onScreen) << r.x << "," << r.y << " " << r.width << "x" << r.height;
  // The stored size stays unless the screen is smaller.
  int maxW = 0, maxH = 0;
  for (const LayoutRect& s : screens) maxW = std::max(maxW, s.Width()), maxH = std::max(maxH, s.Height());
  EXPECT_EQ(r.GetSize(), wxSize(std::min(800, maxW), std::min(600, maxH)));
  CloseFrame(frame);
}

TEST_F(MainFrameTest, MinimisedPlacementIsIgnoredButSplittersAreRestored) {
  TheProfile().WriteProfileString(CMainFrame::kEditSection, "WindowPos", "0,2,-1,-1,-1,-1,100,100,400,300");
  TheProfile().WriteProfileString(CMainFrame::kEditSection, "SplitterPos", "180,600,180,250,700,140,300,200");
  CMainFrame* frame = OpenFrame();
  EXPECT_EQ(frame->GetSize(), wxSize(1024, 768));  // the default placement
  SplitterSizes s = frame->GetSplitterSizes();
  EXPECT_EQ(s[0], 180);
  EXPECT_EQ(s[3], 250);
  EXPECT_EQ(s[5], 140);
  EXPECT_EQ(s[6], 300);
  EXPECT_EQ(s[7], 200);
  CloseFrame(frame);
}

TEST_F(MainFrameTest, FirstStartGivesFourEqualPanesAndAShorterTree) {
  CMainFrame* frame = OpenFrame();
  wxSize a = frame->GetViewPane(0, 0)->GetSize(), d = frame->GetViewPane(1, 1)->GetSize();
  EXPECT_LE(std::abs(a.x - d.x), 1);
  EXPECT_LE(std::abs(a.y - d.y), 1);
  int area = frame->GetViewPane(0, 0)->GetParent()->GetSize().y;
  int tree = frame->GetPartTreePane()->GetSize().y;
  EXPECT_NEAR(tree, area - 100, 6);
  CloseFrame(frame);
}

// Records the private messages and menu commands a window receives.
class CListener : public wxWindow {
 public:
  CListener(wxWindow* parent, long answer) : wxWindow(parent, wxID_ANY), m_answer(answer) {
    for (unsigned m = msg::kFirst; m <= msg::kLast; ++m)
      Bind(wxEventTypeTag<CPrivateMessageEvent>(PrivateEventType(m)), [this](CPrivateMessageEvent& e) {
        received.push_back({e.GetMessage(), e.GetWParam(), e.GetLParam()});
        e.SetResult(m_answer);
      });
    Bind(wxEVT_MENU, [this](wxCommandEvent& e) { commands.push_back(FromWxId(e.GetId())); });
  }
  struct Got {
    unsigned message;
    long w, l;
  };
  std::vector<Got> received;
  std::vector<int> commands;

 private:
  long m_answer;
};

TEST_F(MainFrameTest, BroadcastsReachEachRegisteredWindowOnce) {
  CMainFrame* frame = OpenFrame();
  auto* a = new CListener(frame, 11);
  auto* b = new CListener(frame, 22);
  frame->AddEventView(a);
  frame->AddEventView(b);
  frame->AddEventView(a);
  // A send is handled before it returns and answers with the last window's result.
  EXPECT_EQ(frame->NotifyViews(false, msg::kModelChanged, 0, 0), 22);
  ASSERT_EQ(a->received.size(), 1u);
  EXPECT_EQ(a->received[0].message, msg::kModelChanged);
  EXPECT_EQ(b->received.size(), 1u);
  // A post arrives with the event loop.
  frame->NotifyViews(true, msg::kShowGroup, 3, 7);
  EXPECT_EQ(a->received.size(), 1u);
  PumpEvents(30);
  ASSERT_EQ(a->received.size(), 2u);
  EXPECT_EQ(a->received[1].message, msg::kShowGroup);
  EXPECT_EQ(a->received[1].w, 3);
  EXPECT_EQ(a->received[1].l, 7);
  // Find is forwarded to the registered windows whatever has the focus.
  wxCommandEvent find(wxEVT_MENU, ToWxId(cmd::kFind));
  frame->GetEventHandler()->ProcessEvent(find);
  EXPECT_EQ(a->commands, std::vector<int>{cmd::kFind});
  EXPECT_EQ(b->commands, std::vector<int>{cmd::kFind});
  // A window that is gone no longer receives anything.
  b->Destroy();
  PumpEvents(20);
  EXPECT_EQ(frame->NotifyViews(false, msg::kSettingsChanged, 0, 0), 11);
  CloseFrame(frame);
}

// The windows that exist from the start hear the frame's broadcasts without registering by hand:
// the four panes, the colour bar, the part tree and the part browser.
TEST_F(MainFrameTest, TheFramesOwnWindowsHearItsBroadcasts) {
  CMainFrame* frame = OpenFrame();
  std::vector<wxWindow*> windows = {frame->GetPartTreePane(), frame->GetPartBrowserPane(), frame->GetColorBar()};
  for (int i = 0; i < 4; ++i) windows.push_back(frame->GetViewPane(i / 2, i % 2));
  std::map<wxWindow*, std::vector<unsigned>> heard;
  std::map<wxWindow*, int> finds;
  for (wxWindow* w : windows) {
    ASSERT_NE(w, nullptr);
    for (unsigned m : {msg::kModelChanged, msg::kSettingsChanged, msg::kPartListInvalid})
      w->Bind(wxEventTypeTag<CPrivateMessageEvent>(PrivateEventType(m)), [&heard, w](CPrivateMessageEvent& e) {
        heard[w].push_back(e.GetMessage());
        e.Skip();
      });
    w->Bind(wxEVT_MENU, [&finds, w](wxCommandEvent& e) {
      if (FromWxId(e.GetId()) == cmd::kFind) ++finds[w];
      e.Skip();
    });
  }
  for (unsigned m : {msg::kModelChanged, msg::kSettingsChanged, msg::kPartListInvalid})
    frame->NotifyViews(false, m, 0, 0);
  wxCommandEvent find(wxEVT_MENU, ToWxId(cmd::kFind));
  frame->GetEventHandler()->ProcessEvent(find);
  for (wxWindow* w : windows) {
    EXPECT_EQ(heard[w], (std::vector<unsigned>{msg::kModelChanged, msg::kSettingsChanged, msg::kPartListInvalid}))
        << w->GetName();
    EXPECT_EQ(finds[w], 1) << w->GetName();
  }
  CloseFrame(frame);
}

TEST(PrivateEvents, EachMessageHasItsOwnType) {
  std::vector<wxEventType> types;
  for (unsigned m = msg::kFirst; m <= msg::kLast; ++m) {
    wxEventType t = PrivateEventType(m);
    EXPECT_NE(t, wxEVT_NULL) << m;
    EXPECT_EQ(std::count(types.begin(), types.end(), t), 0) << m;
    types.push_back(t);
  }
  EXPECT_EQ(PrivateEventType(0x7FFF), wxEVT_NULL);
  EXPECT_EQ(PrivateEventType(0x8008), wxEVT_NULL);
  CPrivateMessageEvent e = MakePrivateEvent(msg::kSetZoom, 0, 75);
  EXPECT_EQ(e.GetEventType(), EVT_PLANDOR_SET_ZOOM);
  EXPECT_EQ(e.GetLParam(), 75);
}

TEST(SizeableCtrlBar, SizesNeverBelowTheMinimum) {
  EXPECT_EQ(ClampBarSize({10, 100}, {33, 32}), (BarSize{33, 100}));
  EXPECT_EQ(ClampBarSize({200, 5}, {33, 32}), (BarSize{200, 32}));
  REQUIRE_GUI();
  auto* parent = new wxFrame(nullptr, wxID_ANY, "bars");
  auto* bar = new CDvSizeableCtrlBar();
  ASSERT_TRUE(bar->Create(parent, 116, "ColorBar", {46, 189}, true));
  EXPECT_EQ(bar->GetFloatSize(), (BarSize{46, 189}));
  bar->SetFloatSize({10, 150});
  EXPECT_EQ(bar->GetFloatSize(), (BarSize{33, 150}));
  CScratchDir scratch;
  CFileProfile profile(scratch / "p.conf");
  profile.WriteProfileInt("Plandor-SCBar-116", "sizeHorzCY", 5);
  profile.WriteProfileInt("Plandor-SCBar-116", "sizeVertCX", 90);
  bar->LoadBarState(profile, "Plandor");
  EXPECT_EQ(bar->GetHorzSize(), (BarSize{46, 32}));
  EXPECT_EQ(bar->GetVertSize(), (BarSize{90, 189}));
  bar->SaveBarState(profile, "Plandor");
  EXPECT_EQ(profile.GetProfileInt("Plandor-SCBar-116", "sizeHorzCY", 0), 32);
  EXPECT_EQ(profile.GetKeys("Plandor-SCBar-116").size(), 6u);
  parent->Destroy();
  PumpEvents(20);
}

}  // namespace

namespace {

// The settings sheet's result 2 with the document's save question cancelled: the windows that
// let go of the part list on 0x8007 hear 0x8006 and show the unchanged list again, and the old
// library folder is back in the settings and the profile.
TEST_F(MainFrameTest, ACancelledBaseFolderChangeAnnouncesTheSettingsAgain) {
  CMainFrame* frame = OpenFrame();
  auto* tree = new CListener(frame, 0);
  frame->AddEventView(tree);
  SettingsSnapshot settings;
  std::string oldBase = theSettings.BasePath, oldSave = theSettings.SavePath;
  unsigned before = thePartList.GetCount(kLibraryParts);
  theSettings.BasePath = m_scratch / "another-library";
  frame->OnSettingsApplied(2, oldBase, oldSave, [] { return false; });
  ASSERT_EQ(tree->received.size(), 2u);
  EXPECT_EQ(tree->received[0].message, msg::kPartListInvalid);
  EXPECT_EQ(tree->received[1].message, msg::kSettingsChanged);
  EXPECT_EQ(theSettings.BasePath, oldBase);
  EXPECT_EQ(TheProfile().GetProfileString("Settings", "Zebpath", "?"), oldBase);
  EXPECT_EQ(thePartList.GetCount(kLibraryParts), before);
  // Applied settings without a new folder are announced once.
  tree->received.clear();
  frame->OnSettingsApplied(1, oldBase, oldSave);
  ASSERT_EQ(tree->received.size(), 1u);
  EXPECT_EQ(tree->received[0].message, msg::kSettingsChanged);
  CloseFrame(frame);
}

// A frame handed a library hands it on: the part tree builds from that library's part list, the
// browser lists its groups, and Settings > Parts Tree > Default resets its groups; the program's
// list is left alone. (No ASSERT before the frame closes: the panes refer to the local list.)
TEST_F(MainFrameTest, ThePanesUseThePartListOfTheLibraryTheFrameIsHanded) {
  CPartList own;
  own.SetGroups({{"Handed group", "Brick"}});
  const std::string programFirst = thePartList.GetGroupCount() ? thePartList.GetGroup(0)->name : "";
  auto* frame = new CMainFrame(nullptr, WithPartList(ProgramLibrary(), own));
  frame->Show();
  PumpEvents(150);
  auto* tree = dynamic_cast<CPartTreeView*>(frame->GetPartTreePane());
  EXPECT_TRUE(tree && &tree->State().List() == &own);
  auto* groups = dynamic_cast<wxChoice*>(frame->GetPartBrowserPane()->FindWindow(1109));
  EXPECT_TRUE(groups && groups->GetCount() == own.GetGroupCount());
  if (groups && groups->GetCount() > 0) EXPECT_EQ(groups->GetString(0), "Handed group");
  frame->RestoreDefaultGroups();
  EXPECT_NE(own.GetGroup(0)->name, "Handed group");
  EXPECT_EQ(thePartList.GetGroupCount() ? thePartList.GetGroup(0)->name : "", programFirst);
  CloseFrame(frame);
}

}  // namespace
