// The command chain of the main frame (active view, document, frame, application) and the keys
// that reach it: the order of the links, the key table as wx sees it, and real key presses in a
// real frame under Xvfb from a 3-D pane, the line list and the part tree alike.
#include <gtest/gtest.h>
#include <unistd.h>
#include <wx/menu.h>
#include <wx/statusbr.h>
#include <wx/textctrl.h>

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "GuiTest.h"
#include "ViewTestSupport.h"
#include "app/AppCommands.h"
#include "app/CommandKeys.h"
#include "app/CommandMap.h"
#include "app/CommandRouter.h"
#include "app/CommandTable.h"
#include "app/DocumentCommands.h"
#include "app/MainFrame.h"
#include "app/QuorvelView.h"
#include "platform/Process.h"
#include "platform/Profile.h"
#include "support/TestData.h"

namespace {

// A link that owns some commands, each enabled or not, and records what it ran.
class CFakeTarget : public ICommandTarget {
 public:
  CFakeTarget(std::set<int> ids, bool enabled) : m_ids(std::move(ids)), m_enabled(enabled) {}
  bool HandlesCommand(int id) const override { return m_ids.count(id) != 0; }
  CommandState QueryCommand(int) const override { return {m_enabled, false}; }
  void RunCommand(int id) override { ran.push_back(id); }
  std::vector<int> ran;

 private:
  std::set<int> m_ids;
  bool m_enabled;
};

TEST(CommandRouter, TheFirstLinkThatOwnsACommandDecides) {
  CFakeTarget document({1, 2}, true), frame({2, 3}, true), application({3, 4}, false);
  CCommandRouter router;
  router.SetDocumentTarget(&document);
  router.SetFrameTarget(&frame);
  router.SetApplicationTarget(&application);
  using O = CCommandRouter::Outcome;
  // id, outcome, the link that ran it (null: none)
  const struct {
    int id;
    O outcome;
    CFakeTarget* runner;
  } cases[] = {
      {1, O::Ran, &document},     // the document's own
      {2, O::Ran, &document},     // the document comes before the frame
      {3, O::Ran, &frame},        // the frame before the application
      {4, O::Disabled, nullptr},  // the application's, disabled: nothing runs
      {5, O::NotHandled, nullptr},
  };
  for (const auto& c : cases) {
    for (CFakeTarget* t : {&document, &frame, &application}) t->ran.clear();
    EXPECT_EQ(router.Run(c.id), c.outcome) << c.id;
    EXPECT_EQ(router.LastRouted().id, c.id);
    EXPECT_EQ(router.LastRouted().outcome, c.outcome) << c.id;
    for (CFakeTarget* t : {&document, &frame, &application})
      EXPECT_EQ(t->ran, t == c.runner ? std::vector<int>{c.id} : std::vector<int>{}) << c.id;
    EXPECT_EQ(router.Query(c.id).enabled, c.outcome == O::Ran) << c.id;
  }
  // A link that leaves the chain is asked no more.
  router.SetDocumentTarget(nullptr);
  EXPECT_EQ(router.Run(2), O::Ran);
  EXPECT_EQ(frame.ran.back(), 2);
  EXPECT_EQ(router.Run(1), O::NotHandled);
}

// The frame, the document's and the views' commands and the 3-D view depend on each other only
// one way: no include circle among their headers and sources.
TEST(CommandRouter, NoIncludeCircleAmongTheCommandModules) {
  const std::vector<std::string> modules = {"MainFrame", "DocumentCommands", "QuorvelView", "ViewCommands"};
  // The fixtures' folder lies in the tests' folder, beside the program's folders.
  std::string tests = TestFixture("");
  tests.resize(tests.size() - std::string("data/").size());
  const std::string app = tests + "../app/";
  std::map<std::string, std::set<std::string>> uses;
  for (const std::string& m : modules)
    for (const char* ext : {".h", ".cpp"}) {
      std::string text = ReadFileBytes(app + m + ext);
      ASSERT_FALSE(text.empty()) << m << ext;
      for (const std::string& other : modules)
        if (other != m && text.find("#include \"app/" + other + ".h\"") != std::string::npos) uses[m].insert(other);
    }
  // A walk from each module must never come back to it.
  std::function<bool(const std::string&, const std::string&, std::set<std::string>&)> reaches =
      [&](const std::string& from, const std::string& to, std::set<std::string>& seen) {
        for (const std::string& next : uses[from]) {
          if (next == to) return true;
          if (seen.insert(next).second && reaches(next, to, seen)) return true;
        }
        return false;
      };
  for (const std::string& m : modules) {
    std::set<std::string> seen;
    EXPECT_FALSE(reaches(m, m, seen)) << m << " reaches itself";
  }
  // The frame makes the views; the views and the document's commands know no frame.
  EXPECT_TRUE(uses["MainFrame"].count("QuorvelView"));
}

wxKeyEvent Key(int code, bool ctrl = false, bool shift = false, bool alt = false) {
  wxKeyEvent event(wxEVT_CHAR_HOOK);
  event.m_keyCode = code;
  event.SetControlDown(ctrl);
  event.SetShiftDown(shift);
  event.SetAltDown(alt);
  return event;
}

TEST(CommandKeys, EveryKeyOfTheTableFindsItsCommandWithExactModifiers) {
  const struct {
    wxKeyEvent key;
    int id;
  } cases[] = {
      {Key(WXK_PAGEDOWN), 32858},
      {Key(WXK_PAGEUP), 32857},
      {Key(WXK_PAGEDOWN, false, true), 32971},
      {Key(WXK_PAGEUP, false, true), 32970},
      {Key(WXK_PAGEDOWN, true), 32859},
      {Key(WXK_PAGEUP, true), 32856},
      {Key(WXK_PAGEDOWN, true, true), 0},
      {Key(WXK_NUMPAD_PAGEDOWN), 32858},  // the keypad's Page Down with Num Lock off
      {Key(WXK_LEFT), 32793},
      {Key(WXK_LEFT, true), 32818},
      {Key(WXK_NUMPAD_UP), 32796},
      {Key(WXK_DELETE), 57632},
      {Key(WXK_DELETE, false, true), 57635},
      {Key(WXK_INSERT, true), 57634},
      {Key('C'), 32879},
      {Key('c'), 32879},
      {Key('C', true), 57634},
      {Key('C', false, true), 0},
      {Key('A'), 32819},
      {Key('F', true, true), 32849},
      {Key(WXK_BACK, false, false, true), 57643},
      {Key(WXK_NUMPAD_ADD), 32896},
      {Key(WXK_F4), 32916},
      {Key(WXK_F6, false, true), 57681},
      {Key(WXK_F12), 0},
  };
  for (const auto& c : cases) EXPECT_EQ(CommandOfKey(c.key), c.id) << c.key.GetKeyCode() << " " << c.key.GetModifiers();
  // Every row of the accelerator table is found again from its key.
  for (const AcceleratorInfo& a : AcceleratorTable()) {
    ParsedAccelerator p;
    ASSERT_TRUE(ParseAccelerator(a.key, p)) << a.key;
    wxKeyEvent key = Key(KeyCodeOf(p.key), p.ctrl, p.shift, p.alt);
    int id = CommandOfKey(key);
    // P and M both run Modify; each key finds the first command it has.
    EXPECT_EQ(id, a.id) << a.key;
  }
}

TEST(CommandKeys, ATextFieldKeepsTheKeysOfTyping) {
  const struct {
    wxKeyEvent key;
    bool kept;
  } cases[] = {
      {Key('C'), true},          {Key('C', false, true), true},    {Key(WXK_PAGEDOWN), true},
      {Key(WXK_LEFT, false, true), true}, {Key(WXK_DELETE), true}, {Key('C', true), true},
      {Key('V', true), true},    {Key('Z', true), true},           {Key(WXK_LEFT, true), true},
      {Key(WXK_BACK, false, false, true), true},                   {Key('S', true), false},
      {Key(WXK_PAGEDOWN, true), false}, {Key(WXK_F2), false},       {Key(WXK_F6, false, true), false},
      {Key('G', true, true), false},
  };
  for (const auto& c : cases) EXPECT_EQ(TextFieldKeepsKey(c.key), c.kept) << c.key.GetKeyCode() << " " << c.key.GetModifiers();
}

// A model of 12 steps of plain lines (no library needed).
std::vector<std::string> StepModel() {
  std::vector<std::string> lines = {"0 Steps"};
  for (int i = 0; i < 12; ++i) {
    lines.push_back("2 0 0 " + std::to_string(i * 10) + " 0 40 " + std::to_string(i * 10) + " 0");
    lines.push_back("0 STEP");
  }
  return lines;
}

// The program's frame over a document with its document and application commands.
class CommandRoutingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!GuiAvailable()) GTEST_SKIP() << "no display (run the GUI tests under xvfb-run)";
    SetProfile(std::make_unique<CFileProfile>(m_scratch / "Plandor.conf"));
    m_doc = std::make_unique<CQuorvelDoc>();
    m_doc->OnNewDocument();
    ASSERT_TRUE(LoadModelText(*m_doc, StepModel()));
    m_frame = new CMainFrame(nullptr);
    m_frame->SetSize(0, 0, 1000, 760);
    m_commands = MakeDocumentCommands(*m_doc, nullptr);
    m_app = MakeApplicationCommands("Plandor Version test");
    m_frame->Router().SetDocumentTarget(m_commands.get());
    m_frame->Router().SetApplicationTarget(m_app.get());
    m_frame->AttachDocument(m_doc.get());
    m_frame->Show();
    PumpEvents(150);
  }
  void TearDown() override {
    if (m_frame) {
      m_frame->AttachDocument(nullptr);
      m_frame->Router().SetDocumentTarget(nullptr);
      m_frame->Destroy();
      PumpEvents(30);
    }
    m_doc.reset();
    SetProfile(nullptr);
  }
  CQuorvelView* Pane(int i) { return dynamic_cast<CQuorvelView*>(m_frame->GetViewPane(i / 2, i % 2)); }

  CViewSettingsScope m_settings;
  CScratchDir m_scratch;
  std::unique_ptr<CQuorvelDoc> m_doc;
  std::unique_ptr<CCommandMap> m_commands, m_app;
  CMainFrame* m_frame = nullptr;
};

TEST_F(CommandRoutingTest, TheActiveViewComesFirstAndAnyViewCanBeOne) {
  // A view command reaches the active pane; a pane used later takes over.
  Pane(3)->MakeActive();
  EXPECT_EQ(m_frame->Router().GetActiveView(), Pane(3));
  wxCommandEvent wire(wxEVT_MENU, ToWxId(viewcmd::kWireframe));
  m_frame->GetEventHandler()->ProcessEvent(wire);
  EXPECT_TRUE(Pane(3)->State().IsWireframe());
  EXPECT_FALSE(Pane(0)->State().IsWireframe());
  Pane(1)->MakeActive();
  EXPECT_FALSE(m_frame->Router().Query(viewcmd::kWireframe).checked);

  // Any window that is a command target takes part, and comes before the document: a view of
  // the line list that keeps Next for itself.
  class CListView : public wxWindow, public ICommandTarget {
   public:
    explicit CListView(wxWindow* parent) : wxWindow(parent, wxID_ANY) {}
    bool HandlesCommand(int id) const override { return id == 32858; }
    CommandState QueryCommand(int) const override { return {true, false}; }
    void RunCommand(int id) override { ran.push_back(id); }
    std::vector<int> ran;
  };
  auto* list = new CListView(m_frame->GetLineListPane());
  AnnounceActiveView(list);
  EXPECT_EQ(m_frame->Router().GetActiveView(), list);
  m_doc->OnViewMode();
  const int step = m_doc->GetShownStep();
  wxCommandEvent next(wxEVT_MENU, ToWxId(32858));
  m_frame->GetEventHandler()->ProcessEvent(next);
  EXPECT_EQ(list->ran, std::vector<int>{32858});
  EXPECT_EQ(m_doc->GetShownStep(), step);
  // Gone, it leaves the chain: the last pane stands in no more, the first one does.
  list->Destroy();
  PumpEvents(20);
  EXPECT_EQ(m_frame->Router().GetActiveView(), Pane(0));
  m_frame->GetEventHandler()->ProcessEvent(next);
  EXPECT_EQ(m_doc->GetShownStep(), step + 1);
}

TEST_F(CommandRoutingTest, ApplicationCommandsComeLastAndMenusFollowTheChain) {
  EXPECT_EQ(m_frame->Router().FindTarget(cmd::kAppAbout), m_app.get());
  EXPECT_EQ(m_frame->Router().FindTarget(cmd::kFileNew), m_commands.get());
  EXPECT_EQ(m_frame->Router().FindTarget(cmd::kFind), &m_frame->FrameCommands());
  EXPECT_EQ(m_frame->Router().FindTarget(viewcmd::kTop),
            dynamic_cast<ICommandTarget*>(m_frame->Router().GetActiveView()));
  // The menu items show what the chain says.
  m_doc->OnViewMode();
  m_frame->GetMenuBar()->GetMenu(m_frame->GetMenuBar()->FindMenu("Navigate"))->UpdateUI(m_frame);
  m_frame->GetMenuBar()->GetMenu(m_frame->GetMenuBar()->FindMenu("Settings"))->UpdateUI(m_frame);
  EXPECT_TRUE(m_frame->GetMenuBar()->FindItem(ToWxId(32858))->IsEnabled());
  EXPECT_FALSE(m_frame->GetMenuBar()->FindItem(ToWxId(32857))->IsEnabled());
  EXPECT_TRUE(m_frame->GetMenuBar()->FindItem(ToWxId(cmd::kViewMode))->IsChecked());
  // Pan and Zoom Mode are the panes' mouse modes: enabled, not checked in view mode.
  EXPECT_TRUE(m_frame->GetMenuBar()->FindItem(ToWxId(32916))->IsEnabled());
  EXPECT_TRUE(m_frame->GetMenuBar()->FindItem(ToWxId(32926))->IsEnabled());
  EXPECT_FALSE(m_frame->GetMenuBar()->FindItem(ToWxId(32916))->IsChecked());
}

// Real key presses in the real frame: xdotool gives the frame the X input focus and presses
// keys through XTest, GTK hands them to the focused window. Only this test's own frame is
// focused; the test runs alone (RUN_SERIAL), so no other test takes the focus meanwhile.
class RealKeysTest : public CommandRoutingTest {
 protected:
  void SetUp() override {
    CommandRoutingTest::SetUp();
    if (IsSkipped()) return;
    if (RunShellCommand("command -v xdotool >/dev/null") != 0) GTEST_SKIP() << "xdotool is not installed";
    m_frame->SetTitle(m_title);
    PumpEvents(100);
  }
  // Gives our frame the X focus, then `target` the focus inside it.
  bool Focus(wxWindow* target) {
    bool ok = RunShellCommand("w=$(xdotool search --pid " + std::to_string(getpid()) + " --onlyvisible --name '^" +
                              m_title + "$' 2>/dev/null | head -1); [ -n \"$w\" ] && xdotool windowfocus --sync \"$w\"") == 0;
    PumpEvents(50);
    target->SetFocus();
    PumpEvents(50);
    // A pane made of controls (the line list, the part tree) gives the focus to one of them.
    wxWindow* focus = wxWindow::FindFocus();
    return ok && focus && (focus == target || target->IsDescendant(focus));
  }
  void Press(const std::string& key) {
    RunShellCommand("xdotool key " + key);
    PumpEvents(120);
  }
  std::string StatusText() { return m_frame->GetStatusBar()->GetStatusText(0).utf8_string(); }

  const std::string m_title = "Plandor key routing test";
};

TEST_F(RealKeysTest, EveryBuiltKeyRunsItsCommandFromAPaneTheLineListAndThePartTree) {
  theSettings.FastStep = 5;
  const int last = m_doc->GetStepCount(1);
  ASSERT_GT(last, 8);
  using O = CCommandRouter::Outcome;
  // key, the command it runs, what became of it, the step shown after it (0: not checked)
  const struct {
    const char* key;
    int id;
    O outcome;
    int step;
  } keys[] = {
      {"F2", 32808, O::Ran, 1},            // view mode, step 1
      {"Next", 32858, O::Ran, 2},          {"Next", 32858, O::Ran, 3},
      {"Prior", 32857, O::Ran, 2},         {"shift+Next", 32971, O::Ran, 7},
      {"shift+Prior", 32970, O::Ran, 2},   {"ctrl+Next", 32859, O::Ran, last},
      {"Next", 32858, O::Disabled, last},  // at the last step Next is disabled
      {"ctrl+Prior", 32856, O::Ran, 1},
      {"KP_Add", 32896, O::Ran, 0},        // zoom in, the active pane's command
      {"ctrl+f", 32846, O::Ran, 0},        // Find goes to the broadcast list
      // Pan and zoom mode (the panes' mouse modes).
      {"F4", 32916, O::Ran, 0},            {"F5", 32926, O::Ran, 0},
      // Editing keys reach the document, which has nothing selected.
      {"Delete", 57632, O::Disabled, 0},   {"Left", 32793, O::Disabled, 0},
      {"ctrl+Left", 32818, O::Disabled, 0}, {"c", 32879, O::Disabled, 0},
      {"F3", 32922, O::Ran, 0},            // back to edit mode
  };
  wxWindow* places[] = {Pane(0), m_frame->GetLineListPane(), m_frame->GetPartTreePane()};
  for (wxWindow* place : places) {
    SCOPED_TRACE(place->GetName().utf8_string());
    ASSERT_TRUE(Focus(place));
    for (const auto& k : keys) {
      Press(k.key);
      EXPECT_EQ(m_frame->Router().LastRouted().id, k.id) << k.key;
      EXPECT_EQ(m_frame->Router().LastRouted().outcome, k.outcome) << k.key;
      if (k.step) {
        EXPECT_EQ(m_doc->GetShownStep(), k.step) << k.key;
      }
      if (k.id == 32858 && k.step == 2) {
        EXPECT_EQ(StatusText(), "Step 2 of " + std::to_string(last));
      }
    }
    EXPECT_EQ(m_doc->GetEditMode(), 1);
  }
}

TEST_F(RealKeysTest, ATextFieldKeepsTypingKeysAndPassesTheOthers) {
  m_doc->OnViewMode();
  auto* field = new wxTextCtrl(m_frame->GetLineListPane(), wxID_ANY, "", wxPoint(5, 5), wxSize(200, -1));
  PumpEvents(50);
  ASSERT_TRUE(Focus(field));
  Press("c");
  Press("Next");
  EXPECT_EQ(field->GetValue(), "c");
  EXPECT_EQ(m_doc->GetShownStep(), 1);
  // Ctrl+Page Down is no typing key: it goes to the chain.
  Press("ctrl+Next");
  EXPECT_EQ(m_doc->GetShownStep(), m_doc->GetStepCount(1));
}

}  // namespace
