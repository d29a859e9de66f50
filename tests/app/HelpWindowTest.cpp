// The help window on screen: pages, links, Back, the messages for what is missing, and the help
// requests of the program (Help Topics, F1 in a dialog, a click in context-help mode).
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/aui/auibar.h>
#include <wx/bookctrl.h>
#include <wx/button.h>
#include <wx/html/htmlwin.h>
#include <wx/menu.h>

#include <filesystem>

#include "GuiTest.h"
#include "app/AppCommands.h"
#include "app/CommandMap.h"
#include "app/CommandTable.h"
#include "app/HelpCommands.h"
#include "app/MainFrame.h"
#include "config/HelpTopics.h"
#include "config/Settings.h"
#include "config/SettingsSheet.h"
#include "dialogs/HelpDialog.h"
#include "dialogs/MyPropertySheet.h"
#include "dialogs/SettingsPageGrid.h"
#include "platform/Profile.h"
#include "support/LogCapture.h"
#include "support/ScriptedPrompt.h"
#include "support/TestData.h"

namespace {

void Press(wxWindow* dialog, int id) {
  wxCommandEvent event(wxEVT_BUTTON, id);
  event.SetEventObject(dialog->FindWindow(id));
  dialog->FindWindow(id)->GetEventHandler()->ProcessEvent(event);
  PumpEvents(20);
}

std::string FileName(const std::string& path) { return std::filesystem::path(path).filename().string(); }

std::string ShownText(CHelpDialog& help) { return help.GetBrowser()->ToText().utf8_string(); }

class HelpWindowTest : public CLogCaptureTest {
 protected:
  void SetUp() override {
    if (!GuiAvailable()) GTEST_SKIP() << "no display (run the GUI tests under xvfb-run)";
    CLogCaptureTest::SetUp();
    // The table asks for "Plandor.htm#viewmode"; the page on disk is spelt in its own case.
    Page("Plandor.htm",
         "<h1>Contents</h1><p><a href=\"second.HTM#Part\">to the second page</a></p>"
         "<p><a name=\"viewmode\"></a>View mode</p>");
    std::string filler;
    for (int i = 0; i < 200; ++i) filler += "<p>line</p>";
    Page("Second.htm", "<h1>Second</h1>" + filler + "<p><a name=\"part\"></a>Part</p>");
    Page("MainIndex.htm", "<h1>Index</h1>");
  }
  void TearDown() override {
    SetHelpRoots({});
    if (GuiAvailable()) CLogCaptureTest::TearDown();
  }
  void Page(const std::string& name, const std::string& body) {
    std::filesystem::create_directories(m_root / "Help/English");
    ASSERT_TRUE(WriteFileBytes(m_root / ("Help/English/" + name), "<html><body>" + body + "</body></html>"));
  }
  CHelpPages Pages() { return CHelpPages({m_root.Path()}, "English"); }

  CScratchDir m_root;
};

TEST_F(HelpWindowTest, ShowsAPageFollowsALinkAndGoesBack) {
  auto* help = new CHelpDialog(nullptr, Pages());
  EXPECT_EQ(help->GetTitle(), "Plandor Help");
  EXPECT_FALSE(help->IsShown());
  help->ShowHelp(kHelpIdCommand + cmd::kViewMode, kHelpContext);
  PumpEvents(50);
  EXPECT_TRUE(help->IsShown());
  EXPECT_EQ(FileName(help->GetShownFile()), "Plandor.htm");
  EXPECT_EQ(help->GetShownAnchor(), "viewmode");
  EXPECT_NE(ShownText(*help).find("Contents"), std::string::npos);

  // The link names the page in another case and the anchor in capitals.
  help->GetBrowser()->OnLinkClicked(wxHtmlLinkInfo("second.HTM#Part"));
  PumpEvents(50);
  EXPECT_EQ(FileName(help->GetShownFile()), "Second.htm");
  EXPECT_EQ(help->GetShownAnchor(), "part");
  EXPECT_NE(ShownText(*help).find("Second"), std::string::npos);
  EXPECT_GT(help->GetBrowser()->GetViewStart().y, 0) << "scrolled to the anchor";

  ASSERT_TRUE(help->CanGoBack());
  Press(help, CHelpDialog::kBackId);
  EXPECT_EQ(FileName(help->GetShownFile()), "Plandor.htm");
  EXPECT_NE(ShownText(*help).find("Contents"), std::string::npos);

  Press(help, CHelpDialog::kIndexId);
  EXPECT_EQ(FileName(help->GetShownFile()), "MainIndex.htm");
  Press(help, CHelpDialog::kContentsId);
  EXPECT_EQ(FileName(help->GetShownFile()), "Plandor.htm");

  // Exit and the close box hide the window; it is kept for the next request.
  Press(help, CHelpDialog::kExitId);
  EXPECT_FALSE(help->IsShown());
  help->ShowHelp(0, kHelpContents);
  EXPECT_TRUE(help->IsShown());
  EXPECT_FALSE(help->Close());
  EXPECT_FALSE(help->IsShown());
  help->Destroy();
  PumpEvents(20);
}

TEST_F(HelpWindowTest, RequestsThatTheTableDoesNotAnswer) {
  auto* help = new CHelpDialog(nullptr, Pages());
  // The help window's own id asks for nothing.
  help->ShowHelp(kHelpIdDialog + CHelpDialog::kDialogId, kHelpContext);
  EXPECT_FALSE(help->IsShown());
  // An id without a row: logged, and the contents page shown.
  help->ShowHelp(kHelpIdCommand + 12345, kHelpContext);
  EXPECT_TRUE(help->IsShown());
  EXPECT_EQ(FileName(help->GetShownFile()), "Plandor.htm");
  EXPECT_NE(Log().find("ERROR: Can't locate help for ID = 00013039\n"), std::string::npos);
  help->ShowHelp(0, kHelpQuit);
  EXPECT_FALSE(help->IsShown());
  help->ShowHelp(0, kHelpKey);
  EXPECT_EQ(FileName(help->GetShownFile()), "Plandor.htm");
  help->Destroy();
  PumpEvents(20);
}

TEST_F(HelpWindowTest, AMissingPageOrFolderIsSaidInTheWindow) {
  auto* help = new CHelpDialog(nullptr, Pages());
  help->ShowHelp(0, kHelpContents);
  help->ShowHelp(kHelpIdDialog + 144, kHelpContext);  // "Tips.htm#dims", not written
  EXPECT_EQ(help->GetShownFile(), "");
  EXPECT_NE(
      ShownText(*help).find("The help page Tips.htm is missing from " + m_root.Path() + "Help/English/"),
      std::string::npos)
      << ShownText(*help);
  // Back returns to the page the message replaced.
  ASSERT_TRUE(help->CanGoBack());
  Press(help, CHelpDialog::kBackId);
  EXPECT_EQ(FileName(help->GetShownFile()), "Plandor.htm");
  help->Destroy();

  auto* none = new CHelpDialog(nullptr, CHelpPages({m_root / "elsewhere/"}, "English"));
  none->ShowHelp(0, kHelpContents);
  EXPECT_TRUE(none->IsShown());
  EXPECT_NE(ShownText(*none).find("The help pages are not installed."), std::string::npos);
  EXPECT_NE(ShownText(*none).find(m_root / "elsewhere/Help/English/"), std::string::npos);
  Press(none, CHelpDialog::kIndexId);
  EXPECT_NE(ShownText(*none).find("not installed"), std::string::npos);
  none->Destroy();
  PumpEvents(20);
}

TEST_F(HelpWindowTest, WithoutItsPageViewThePagesGoToTheBrowser) {
  std::vector<std::string> opened;
  bool works = true;
  CScriptedPrompt prompt;
  auto* help = new CHelpDialog(
      nullptr, Pages(),
      [&](const std::string& address) {
        opened.push_back(address);
        return works;
      },
      false);
  EXPECT_FALSE(help->FindWindow(CHelpDialog::kContentsId)->IsEnabled());
  EXPECT_TRUE(help->FindWindow(CHelpDialog::kNoticeId)->IsShown());
  help->ShowHelp(kHelpIdCommand + cmd::kViewMode, kHelpContext);
  ASSERT_EQ(opened.size(), 2u);  // the contents at the start, then the page asked for
  EXPECT_EQ(opened[1], "file://" + m_root.Path() + "Help/English/Plandor.htm#viewmode");
  EXPECT_TRUE(prompt.shown.empty());
  works = false;
  help->ShowHelp(0, kHelpContents);
  ASSERT_EQ(prompt.shown.size(), 1u);
  EXPECT_EQ(
      prompt.shown[0].text.rfind("Sorry, failed to launch Internet Browser with\nfile://" + m_root.Path(), 0),
      0u)
      << prompt.shown[0].text;
  help->Destroy();
  PumpEvents(20);
}

// The program's requests reach the one help window through the application's commands.
class HelpRequestTest : public HelpWindowTest {
 protected:
  void SetUp() override {
    HelpWindowTest::SetUp();
    if (IsSkipped()) return;
    Page("Configure.htm", "<h1>Settings</h1><p><a name=\"setstp\"></a>Grid</p>");
    Page("Menus.htm", "<h1>Menus</h1><p><a name=\"menusettings\"></a>Settings</p>");
    SetHelpRoots({m_root.Path()});
    SetProfile(std::make_unique<CFileProfile>(m_root / "Plandor.conf"));
    m_frame = new CMainFrame(nullptr);
    m_frame->SetSize(0, 0, 1000, 760);
    m_app = MakeApplicationCommands("Plandor Version test");
    m_frame->Router().SetApplicationTarget(m_app.get());
    m_frame->Show();
    PumpEvents(150);
  }
  void TearDown() override {
    if (m_frame) {
      m_frame->Destroy();
      PumpEvents(30);
    }
    SetProfile(nullptr);
    HelpWindowTest::TearDown();
  }
  void Run(int command) {
    wxCommandEvent menu(wxEVT_MENU, ToWxId(command));
    m_frame->GetEventHandler()->ProcessEvent(menu);
    PumpEvents(30);
  }

  CMainFrame* m_frame = nullptr;
  std::unique_ptr<CCommandMap> m_app;
};

TEST_F(HelpRequestTest, HelpTopicsAndF1OpenTheOneWindow) {
  EXPECT_TRUE(m_frame->GetMenuBar()->IsEnabled(ToWxId(cmd::kHelpTopics)));
  Run(cmd::kHelpTopics);
  CHelpDialog* help = GetHelpWindow();
  ASSERT_NE(help, nullptr);
  EXPECT_TRUE(help->IsShown());
  EXPECT_EQ(help->GetParent(), m_frame);
  EXPECT_EQ(FileName(help->GetShownFile()), "Plandor.htm");
  Press(help, CHelpDialog::kExitId);

  // F1 in the main window: the page of its mode, in the same window.
  Run(57670);
  EXPECT_EQ(GetHelpWindow(), help);
  EXPECT_TRUE(help->IsShown());
  EXPECT_EQ(help->GetShownAnchor(), m_frame->GetEditMode() ? "placemode" : "viewmode");
}

TEST_F(HelpRequestTest, F1InTheSettingsSheetShowsThePageOnShow) {
  CMyPropertySheet sheet(m_frame);
  sheet.SetValues(SheetValuesFrom(theSettings));
  sheet.GetBookCtrl()->SetSelection(4);  // "Step, Grid, Snap"
  sheet.Show();
  PumpEvents(50);
  wxKeyEvent key(wxEVT_CHAR_HOOK);
  key.m_keyCode = WXK_F1;
  key.SetEventObject(sheet.m_page5);
  EXPECT_TRUE(FilterHelpEvent(key));
  ASSERT_NE(GetHelpWindow(), nullptr);
  EXPECT_EQ(FileName(GetHelpWindow()->GetShownFile()), "Configure.htm");
  EXPECT_EQ(GetHelpWindow()->GetShownAnchor(), "setstp");
  // Other keys go on as before.
  key.m_keyCode = WXK_F2;
  EXPECT_FALSE(FilterHelpEvent(key));
  sheet.Hide();
}

TEST_F(HelpRequestTest, ContextHelpShowsThePageOfTheToolClickedNext) {
  wxAuiToolBar* zoomBar = nullptr;
  for (wxWindow* child : m_frame->GetChildren())
    if (auto* bar = dynamic_cast<wxAuiToolBar*>(child); bar && bar->FindTool(ToWxId(cmd::kZoomFirst)))
      zoomBar = bar;
  ASSERT_NE(zoomBar, nullptr);
  Run(57669);
  EXPECT_TRUE(InContextHelpMode());
  wxRect tool = zoomBar->GetToolRect(ToWxId(cmd::kZoomFirst));
  wxMouseEvent click(wxEVT_LEFT_DOWN);
  click.SetPosition(tool.GetPosition() + wxPoint(tool.width / 2, tool.height / 2));
  click.SetEventObject(zoomBar);
  EXPECT_TRUE(FilterHelpEvent(click));
  EXPECT_FALSE(InContextHelpMode());
  ASSERT_NE(GetHelpWindow(), nullptr);
  EXPECT_EQ(FileName(GetHelpWindow()->GetShownFile()), "Menus.htm");
  EXPECT_EQ(GetHelpWindow()->GetShownAnchor(), "menusettings");
  // Without the mode a click is the tool's own again; Escape leaves the mode without asking.
  EXPECT_FALSE(FilterHelpEvent(click));
  Run(57669);
  wxKeyEvent escape(wxEVT_CHAR_HOOK);
  escape.m_keyCode = WXK_ESCAPE;
  EXPECT_TRUE(FilterHelpEvent(escape));
  EXPECT_FALSE(InContextHelpMode());
}

}  // namespace

namespace {

// A modal dialog's modality would keep the help window from taking input: from there the window
// runs modal on top of it until Exit.
TEST_F(HelpRequestTest, F1InAModalDialogRunsTheWindowModalUntilExit) {
  wxDialog dialog(m_frame, 162, "Model Information");
  auto* field = new wxButton(&dialog, wxID_ANY, "field");
  bool helpWasModal = false, helpShown = false;
  dialog.CallAfter([&] {
    wxTheApp->CallAfter([&] {
      CHelpDialog* help = GetHelpWindow();
      ASSERT_NE(help, nullptr);
      helpWasModal = help->IsModal();
      helpShown = help->IsShown();
      Press(help, CHelpDialog::kExitId);
    });
    wxKeyEvent key(wxEVT_CHAR_HOOK);
    key.m_keyCode = WXK_F1;
    key.SetEventObject(field);
    EXPECT_TRUE(FilterHelpEvent(key));
    EXPECT_FALSE(GetHelpWindow()->IsShown());
    dialog.EndModal(wxID_OK);
  });
  dialog.ShowModal();
  EXPECT_TRUE(helpWasModal);
  EXPECT_TRUE(helpShown);
  // Dialog 162 has no page of its own here; the request fell back to the contents.
  EXPECT_EQ(FileName(GetHelpWindow()->GetShownFile()), "Plandor.htm");
}

}  // namespace
