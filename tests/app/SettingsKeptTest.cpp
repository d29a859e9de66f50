// A change on each page of the settings sheet, taken with OK through the settings command, is
// there again after a restart: a fresh settings object loading from the profile file.
#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/radiobut.h>
#include <wx/textctrl.h>

#include <cctype>
#include <cstdlib>
#include <functional>

#include "GuiTest.h"
#include "app/CommandTable.h"
#include "app/MainFrame.h"
#include "config/Settings.h"
#include "dialogs/MyPropertySheet.h"
#include "dialogs/SettingsPageDocument.h"
#include "dialogs/SettingsPageGeneral.h"
#include "dialogs/SettingsPageGrid.h"
#include "dialogs/SettingsPagePrinting.h"
#include "dialogs/SettingsPageRendering.h"
#include "dialogs/SettingsPageViewMode.h"
#include "platform/Profile.h"
#include "support/SettingsSnapshot.h"
#include "support/TestData.h"

namespace {

template <typename T>
T* Control(wxWindow* page, int id) {
  auto* control = dynamic_cast<T*>(page->FindWindow(id));
  EXPECT_NE(control, nullptr) << "control " << id;
  return control;
}

struct PageChange {
  const char* page;
  std::function<void(CMyPropertySheet&)> change;
  std::function<bool(const CSettings&)> before;  // the value the run starts with
  std::function<bool(const CSettings&)> kept;    // the changed value, after the restart
};

const PageChange kChanges[] = {
    {"General",
     [](CMyPropertySheet& s) { Control<wxTextCtrl>(s.m_page1, 1191)->ChangeValue("Brick Builder"); },
     [](const CSettings& s) { return s.Author == "Tolvo"; },
     [](const CSettings& s) { return s.Author == "Brick Builder"; }},
    {"Rendering", [](CMyPropertySheet& s) { Control<wxChoice>(s.m_page2, 1361)->SetSelection(2); },
     [](const CSettings& s) { return s.LineWidth == 1; },
     [](const CSettings& s) { return s.LineWidth == 3; }},
    {"Printing", [](CMyPropertySheet& s) { Control<wxCheckBox>(s.m_page3, 1300)->SetValue(false); },
     [](const CSettings& s) { return s.PrintHeader == 1; },
     [](const CSettings& s) { return s.PrintHeader == 0; }},
    {"Document", [](CMyPropertySheet& s) { Control<wxRadioButton>(s.m_page4, 1097)->SetValue(true); },
     [](const CSettings& s) { return s.UsePrevColor == 1; },
     [](const CSettings& s) { return s.UsePrevColor == 0; }},
    {"Step, Grid, Snap",
     [](CMyPropertySheet& s) { Control<wxTextCtrl>(s.m_page5, 1136)->ChangeValue("7.5"); },
     [](const CSettings& s) { return s.OffRotAngle == 22.5; },
     [](const CSettings& s) { return s.OffRotAngle == 7.5; }},
    {"View Mode", [](CMyPropertySheet& s) { Control<wxTextCtrl>(s.m_page6, 1322)->ChangeValue("12"); },
     [](const CSettings& s) { return s.FastStep == 5; }, [](const CSettings& s) { return s.FastStep == 12; }},
};

class SettingsKeptTest : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override {
    if (!GuiAvailable()) GTEST_SKIP() << "no display (run the GUI tests under xvfb-run)";
    setenv("XDG_CONFIG_HOME", (m_scratch / "config").c_str(), 1);
    setenv("XDG_STATE_HOME", (m_scratch / "state").c_str(), 1);
    SetProfile(std::make_unique<CFileProfile>(m_scratch / "Plandor.conf"));
    theSettings.BasePath = m_scratch.Path();
    theSettings.Author = "Tolvo";
    theSettings.LineWidth = 1;
    theSettings.PrintHeader = 1;
    theSettings.UsePrevColor = 1;
    theSettings.OffRotAngle = 22.5;
    theSettings.FastStep = 5;
  }
  void TearDown() override {
    SetProfile(nullptr);
    unsetenv("XDG_CONFIG_HOME");
    unsetenv("XDG_STATE_HOME");
  }

  CScratchDir m_scratch;
  SettingsSnapshot m_settings;
};

TEST_P(SettingsKeptTest, AChangeOnThePageIsKeptAfterOkAndARestart) {
  const PageChange& c = kChanges[GetParam()];
  ASSERT_TRUE(c.before(theSettings)) << c.page;
  auto* frame = new CMainFrame(nullptr);
  frame->Show();
  PumpEvents(100);
  bool answered = false;
  frame->CallAfter([&] {
    auto* sheet = dynamic_cast<CMyPropertySheet*>(wxWindow::FindWindowByName("SettingsSheet"));
    ASSERT_NE(sheet, nullptr);
    answered = true;
    c.change(*sheet);
    wxCommandEvent ok(wxEVT_BUTTON, wxID_OK);
    ok.SetEventObject(sheet->FindWindow(wxID_OK));
    sheet->FindWindow(wxID_OK)->GetEventHandler()->ProcessEvent(ok);
  });
  wxCommandEvent menu(wxEVT_MENU, ToWxId(cmd::kSettings));
  frame->GetEventHandler()->ProcessEvent(menu);
  EXPECT_TRUE(answered);
  frame->Close(true);
  PumpEvents(50);

  // The next run: the profile file read afresh by a settings object of its own.
  SetProfile(std::make_unique<CFileProfile>(m_scratch / "Plandor.conf"));
  CSettings restarted;
  restarted.Load();
  EXPECT_TRUE(c.kept(restarted)) << c.page;
  EXPECT_EQ(restarted.BasePath, m_scratch.Path());
}

INSTANTIATE_TEST_SUITE_P(EveryPage, SettingsKeptTest, ::testing::Range(0, 6),
                         [](const ::testing::TestParamInfo<int>& param) {
                           std::string name = kChanges[param.param].page;
                           std::string out;
                           for (char ch : name)
                             if (std::isalnum(static_cast<unsigned char>(ch))) out += ch;
                           return out;
                         });

}  // namespace
