// The settings sheet and its pages on screen, alone and through the settings command.
#include <gtest/gtest.h>
#include <wx/bookctrl.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/menu.h>
#include <wx/radiobut.h>
#include <wx/textctrl.h>

#include <functional>

#include "GuiTest.h"
#include "app/CommandTable.h"
#include "app/MainFrame.h"
#include "config/Settings.h"
#include "config/SettingsSheet.h"
#include "dialogs/MyPropertySheet.h"
#include "dialogs/SettingsPageDocument.h"
#include "dialogs/SettingsPageGeneral.h"
#include "dialogs/SettingsPageGrid.h"
#include "dialogs/SettingsPagePrinting.h"
#include "dialogs/SettingsPageRendering.h"
#include "dialogs/SettingsPageViewMode.h"
#include "platform/Profile.h"
#include "support/ScriptedPrompt.h"
#include "support/SettingsSnapshot.h"
#include "support/TestData.h"

namespace {

template <typename T>
T* Control(wxWindow* page, int id) {
  auto* control = dynamic_cast<T*>(page->FindWindow(id));
  EXPECT_NE(control, nullptr) << "control " << id;
  return control;
}

void SetText(wxWindow* page, int id, const char* text) { Control<wxTextCtrl>(page, id)->ChangeValue(text); }

void Press(wxWindow* window, wxEventType type, int id) {
  wxCommandEvent event(type, id);
  event.SetEventObject(window->FindWindow(id));
  window->FindWindow(id)->GetEventHandler()->ProcessEvent(event);
}

// One change on each page, made through the controls.
void ChangeEveryPage(CMyPropertySheet& sheet) {
  SetText(sheet.m_page1, 1191, "Brick Builder");
  Control<wxChoice>(sheet.m_page2, 1361)->SetSelection(2);
  Control<wxCheckBox>(sheet.m_page3, 1300)->SetValue(false);
  Control<wxRadioButton>(sheet.m_page4, 1097)->SetValue(true);
  SetText(sheet.m_page5, 1136, "7.5");
  SetText(sheet.m_page6, 1322, "12");
}

class SettingsSheetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!GuiAvailable()) GTEST_SKIP() << "no display (run the GUI tests under xvfb-run)";
    SetProfile(std::make_unique<CFileProfile>(m_scratch / "Plandor.conf"));
    theSettings.BasePath = m_scratch.Path();
    theSettings.LineWidth = 1;
    theSettings.UsePrevColor = 1;
    theSettings.PrintHeader = 1;
    theSettings.OffRotAngle = 22.5;
    theSettings.FastStep = 5;
    theSettings.Author = "Tolvo";
  }
  void TearDown() override { SetProfile(nullptr); }

  CScratchDir m_scratch;
  SettingsSnapshot m_settings;
};

TEST_F(SettingsSheetTest, PagesShowTheValuesAndTakeTheChanges) {
  CMyPropertySheet sheet(nullptr);
  SettingsSheetValues values = SheetValuesFrom(theSettings);
  values.rendering.lineWidth = 2;
  values.document.color = 0;
  sheet.SetValues(values);
  EXPECT_EQ(sheet.GetTitle(), "Plandor Settings");
  ASSERT_EQ(sheet.GetBookCtrl()->GetPageCount(), 6u);
  const char* tabs[] = {"General", "Rendering", "Printing", "Document", "Step, Grid, Snap", "View Mode"};
  for (size_t i = 0; i < 6; ++i) EXPECT_EQ(sheet.GetBookCtrl()->GetPageText(i), tabs[i]);
  EXPECT_EQ(Control<wxChoice>(sheet.m_page2, 1361)->GetSelection(), 2);
  EXPECT_TRUE(Control<wxRadioButton>(sheet.m_page4, 1096)->GetValue());  // "Same as previous"
  EXPECT_EQ(Control<wxTextCtrl>(sheet.m_page6, 1322)->GetValue(), "5");

  ChangeEveryPage(sheet);
  ASSERT_TRUE(sheet.Accept());
  SettingsSheetValues taken = sheet.GetValues();
  EXPECT_EQ(taken.general.author, "Brick Builder");
  EXPECT_EQ(taken.rendering.lineWidth, 2);
  EXPECT_FALSE(taken.printing.printHeader);
  EXPECT_EQ(taken.document.color, 1);
  EXPECT_DOUBLE_EQ(taken.grid.angles[2], 7.5);
  EXPECT_EQ(taken.viewMode.fastStep, 12);
}

// Stored values that are none of a list's items show no selection and come back unchanged.
TEST_F(SettingsSheetTest, ListValuesOutsideTheirItemsShowNoSelection) {
  CMyPropertySheet sheet(nullptr);
  SettingsSheetValues values = SheetValuesFrom(theSettings);
  values.rendering.lineWidth = 6;
  values.general.autoPartUpgrade = 9;
  values.rendering.studMode = 4;
  sheet.SetValues(values);
  EXPECT_EQ(Control<wxChoice>(sheet.m_page2, 1361)->GetSelection(), wxNOT_FOUND);
  EXPECT_EQ(Control<wxChoice>(sheet.m_page1, 1268)->GetSelection(), wxNOT_FOUND);
  ASSERT_TRUE(sheet.Accept());
  CSettings s;
  s.LineWidth = 7;
  s.AutoPartUpgrade = 9;
  TakeSheetValues(sheet.GetValues(), s);
  EXPECT_EQ(s.LineWidth, 7);
  EXPECT_EQ(s.AutoPartUpgrade, 9);
  EXPECT_EQ(s.StudMode, 1);  // no stud mode selected counts as "Lines"
}

TEST_F(SettingsSheetTest, AnInvalidFieldKeepsTheSheetOnItsPage) {
  struct Case {
    int page, id;
    const char* text;
    bool ok;
  } cases[] = {
      {3, 1092, "361", false}, {3, 1093, "-360", true}, {4, 1099, "0", false},   {4, 1099, "0.001", true},
      {4, 1100, "150", false}, {4, 1100, "100", true},  {4, 1135, "360.5", false}, {5, 1322, "0", false},
      {5, 1322, "100", true},  {5, 1322, "2.5", false},
  };
  for (const Case& c : cases) {
    CScriptedPrompt prompt;
    CMyPropertySheet sheet(nullptr);
    sheet.SetValues(SheetValuesFrom(theSettings));
    SetText(sheet.GetBookCtrl()->GetPage(static_cast<size_t>(c.page)), c.id, c.text);
    EXPECT_EQ(sheet.Accept(), c.ok) << c.id << " " << c.text;
    if (!c.ok) {
      EXPECT_EQ(sheet.GetBookCtrl()->GetSelection(), c.page) << c.id;
      ASSERT_EQ(prompt.shown.size(), 1u);
      EXPECT_EQ(prompt.shown[0].text.rfind("Please enter a number between", 0), 0u);
    }
  }
}

// A tab click away from a page asks first; GTK only honours the veto for clicks, so the test
// sends the question itself.
bool LeavePage(CMyPropertySheet& sheet, int from, int to) {
  wxBookCtrlBase* book = sheet.GetBookCtrl();
  wxBookCtrlEvent changing(wxEVT_BOOKCTRL_PAGE_CHANGING, book->GetId(), to, from);
  changing.SetEventObject(book);
  book->GetEventHandler()->ProcessEvent(changing);
  return changing.IsAllowed();
}

TEST_F(SettingsSheetTest, AnInvalidPageIsNotLeft) {
  CScriptedPrompt prompt;
  CMyPropertySheet sheet(nullptr);
  sheet.SetValues(SheetValuesFrom(theSettings));
  sheet.GetBookCtrl()->ChangeSelection(5);
  SetText(sheet.m_page6, 1322, "0");
  EXPECT_FALSE(LeavePage(sheet, 5, 0));
  EXPECT_EQ(prompt.shown.size(), 1u);
  SetText(sheet.m_page6, 1322, "3");
  EXPECT_TRUE(LeavePage(sheet, 5, 0));
}

TEST_F(SettingsSheetTest, OptimizationAndPrintChoicesEnableTheirDependents) {
  CMyPropertySheet sheet(nullptr);
  SettingsSheetValues values = SheetValuesFrom(theSettings);
  values.rendering.optimization = 0;
  values.rendering.enableBFC = true;
  sheet.SetValues(values);
  auto* bfc = Control<wxCheckBox>(sheet.m_page2, 1357);
  EXPECT_TRUE(bfc->IsEnabled());
  Control<wxChoice>(sheet.m_page2, 1354)->SetSelection(1);
  Press(sheet.m_page2, wxEVT_CHOICE, 1354);
  EXPECT_FALSE(bfc->IsEnabled());
  EXPECT_FALSE(bfc->GetValue());
  Control<wxChoice>(sheet.m_page2, 1354)->SetSelection(0);
  Press(sheet.m_page2, wxEVT_CHOICE, 1354);
  EXPECT_TRUE(bfc->IsEnabled());
  EXPECT_FALSE(bfc->GetValue());

  Control<wxCheckBox>(sheet.m_page3, 1135)->SetValue(false);
  Press(sheet.m_page3, wxEVT_CHECKBOX, 1135);
  for (int id : {1080, 1081, 1078}) {
    EXPECT_FALSE(Control<wxCheckBox>(sheet.m_page3, id)->IsEnabled()) << id;
    EXPECT_TRUE(Control<wxCheckBox>(sheet.m_page3, id)->GetValue()) << id;
  }
}

// The settings command through the frame, with the sheet answered from inside its modal run.
class SettingsCommandTest : public SettingsSheetTest {
 protected:
  void RunCommand(std::function<void(CMyPropertySheet&)> answer) {
    auto* frame = new CMainFrame(nullptr);
    frame->Show();
    PumpEvents(100);
    EXPECT_TRUE(frame->GetMenuBar()->IsEnabled(ToWxId(cmd::kSettings)));
    bool answered = false;
    frame->CallAfter([&] {
      auto* sheet = dynamic_cast<CMyPropertySheet*>(wxWindow::FindWindowByName("SettingsSheet"));
      ASSERT_NE(sheet, nullptr);
      answered = true;
      answer(*sheet);
    });
    wxCommandEvent menu(wxEVT_MENU, ToWxId(cmd::kSettings));
    frame->GetEventHandler()->ProcessEvent(menu);
    EXPECT_TRUE(answered);
    frame->Close(true);
    PumpEvents(50);
  }
};

TEST_F(SettingsCommandTest, OkTakesAChangeOnEveryPageAndSavesIt) {
  RunCommand([](CMyPropertySheet& sheet) {
    ChangeEveryPage(sheet);
    Press(&sheet, wxEVT_BUTTON, wxID_OK);
  });
  EXPECT_EQ(theSettings.Author, "Brick Builder");
  EXPECT_EQ(theSettings.LineWidth, 3);
  EXPECT_EQ(theSettings.PrintHeader, 0);
  EXPECT_EQ(theSettings.UsePrevColor, 0);
  EXPECT_DOUBLE_EQ(theSettings.OffRotAngle, 7.5);
  EXPECT_EQ(theSettings.FastStep, 12);
  CProfile& p = TheProfile();
  EXPECT_EQ(p.GetProfileString("Settings", "Author", ""), "Brick Builder");
  EXPECT_EQ(p.GetProfileInt("Settings", "LineWidth", 0), 3);
  EXPECT_EQ(p.GetProfileInt("Settings", "FastStep", 0), 12);
  EXPECT_EQ(p.GetProfileString("Settings", "OffRotAngle", ""), "7.5");
}

TEST_F(SettingsCommandTest, CancelChangesNothing) {
  RunCommand([](CMyPropertySheet& sheet) {
    ChangeEveryPage(sheet);
    sheet.Accept();  // even values already taken from the controls stay the sheet's own
    Press(&sheet, wxEVT_BUTTON, wxID_CANCEL);
  });
  EXPECT_EQ(theSettings.Author, "Tolvo");
  EXPECT_EQ(theSettings.LineWidth, 1);
  EXPECT_EQ(theSettings.PrintHeader, 1);
  EXPECT_EQ(theSettings.UsePrevColor, 1);
  EXPECT_DOUBLE_EQ(theSettings.OffRotAngle, 22.5);
  EXPECT_EQ(theSettings.FastStep, 5);
  EXPECT_EQ(TheProfile().GetProfileString("Settings", "Author", "none"), "none");
}

TEST_F(SettingsCommandTest, OkWithAnInvalidPageKeepsTheSheetOpenThere) {
  CScriptedPrompt prompt;
  RunCommand([](CMyPropertySheet& sheet) {
    SetText(sheet.m_page6, 1322, "0");
    Press(&sheet, wxEVT_BUTTON, wxID_OK);
    EXPECT_TRUE(sheet.IsModal());
    EXPECT_EQ(sheet.GetBookCtrl()->GetSelection(), 5);
    SetText(sheet.m_page6, 1322, "9");
    Press(&sheet, wxEVT_BUTTON, wxID_OK);
  });
  // Only the range message: the language, shown without a selection, did not change.
  ASSERT_EQ(prompt.shown.size(), 1u);
  EXPECT_EQ(prompt.shown[0].text, "Please enter a number between 1 and 100.");
  EXPECT_EQ(theSettings.FastStep, 9);
}

TEST_F(SettingsCommandTest, DefaultAsksThenRestoresTheDefaultsAndSavesThem) {
  auto* frame = new CMainFrame(nullptr);
  frame->Show();
  PumpEvents(100);
  CScriptedPrompt prompt;
  prompt.Answer(PromptAnswer::No);
  prompt.Answer(PromptAnswer::Yes);
  theSettings.FastStep = 40;
  wxCommandEvent menu(wxEVT_MENU, ToWxId(cmd::kSettingsDefault));
  frame->GetEventHandler()->ProcessEvent(menu);
  EXPECT_EQ(theSettings.FastStep, 40);
  frame->GetEventHandler()->ProcessEvent(menu);
  EXPECT_EQ(theSettings.FastStep, 5);
  EXPECT_EQ(TheProfile().GetProfileInt("Settings", "FastStep", 0), 5);
  ASSERT_EQ(prompt.shown.size(), 2u);
  EXPECT_EQ(prompt.shown[0].text, "Restore default configuration?");
  frame->Close(true);
  PumpEvents(50);
}

}  // namespace
