#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/textctrl.h>

#include "GuiTest.h"
#include "dialogs/AboutDlg.h"
#include "dialogs/ProgressDlg.h"
#include "dialogs/ZoomFactDlg.h"

namespace {

TEST(ProgressDlg, PercentText) {
  struct Case {
    int pos, lower, upper;
    const char* text;
  };
  const Case cases[] = {
      {0, 0, 100, "0%"},    {42, 0, 100, "42%"},  {100, 0, 100, "100%"}, {150, 0, 100, "50%"},
      {200, 0, 100, "0%"},  {5, 0, 10, "50%"},    {10, 0, 10, "100%"},   {15, 10, 20, "50%"},
      {1, 0, 3, "33%"},     {7, 7, 7, "0%"},      {0, 0, 1, "0%"},       {1, 0, 1, "100%"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ProgressPercentText(c.pos, c.lower, c.upper), c.text) << c.pos << " in " << c.lower << ".." << c.upper;
}

TEST(ZoomFactDlg, AcceptedRange) {
  const std::pair<const char*, bool> cases[] = {
      {"1", true},       {"0.0001", true}, {"1000", true},  {" 2.5 ", true},
      {"0.00005", false}, {"1001", false}, {"0", false},     {"-1", false},
      {"", false},       {"abc", false},   {"1,5", false},   {"nan", false}};
  for (auto [text, ok] : cases) {
    double v = -7;
    EXPECT_EQ(ParseZoomFactor(text, v), ok) << text;
  }
  double v = 0;
  ASSERT_TRUE(ParseZoomFactor("1000", v));
  EXPECT_EQ(v, 1000.0);
}

TEST(ProgressDlg, DisablesItsOwnerAndCancelOnlySetsTheFlag) {
  REQUIRE_GUI();
  auto* owner = new wxFrame(nullptr, wxID_ANY, "owner");
  owner->Show();
  {
    auto* dlg = new CProgressDlg();
    ASSERT_TRUE(dlg->Create(owner));
    EXPECT_FALSE(owner->IsEnabled());
    EXPECT_EQ(dlg->GetTitle(), "Progress");
    EXPECT_EQ(dlg->GetPercentText(), " 0 %");
    dlg->SetRange(0, 10);
    dlg->SetStep(3);
    EXPECT_EQ(dlg->StepIt(), 0);
    EXPECT_EQ(dlg->GetPercentText(), "30%");
    dlg->SetPos(10);
    EXPECT_EQ(dlg->GetPercentText(), "100%");
    EXPECT_FALSE(dlg->CheckCancel());
    wxCommandEvent press(wxEVT_BUTTON, wxID_CANCEL);
    dlg->OnCancel(press);
    dlg->OnCancel(press);
    EXPECT_TRUE(dlg->CheckCancel());
    EXPECT_TRUE(dlg->IsShown());  // the caller decides when the window goes
    delete dlg;
  }
  EXPECT_TRUE(owner->IsEnabled());
  owner->Destroy();
  PumpEvents(20);
}

TEST(ProgressDlg, CallsLetWaitingEventsRunAndTheButtonCancels) {
  REQUIRE_GUI();
  auto* owner = new wxFrame(nullptr, wxID_ANY, "owner");
  owner->Show();
  auto* dlg = new CProgressDlg();
  ASSERT_TRUE(dlg->Create(owner));
  int ran = 0;
  owner->CallAfter([&] { ++ran; });
  EXPECT_FALSE(dlg->CheckCancel());
  EXPECT_EQ(ran, 1);
  owner->CallAfter([&] { ++ran; });
  dlg->SetPos(50);
  EXPECT_EQ(ran, 2);
  EXPECT_EQ(dlg->GetPercentText(), "50%");
  // A click on Cancel as the button sends it.
  wxWindow* cancel = dlg->FindWindow(wxID_CANCEL);
  ASSERT_NE(cancel, nullptr);
  wxCommandEvent click(wxEVT_BUTTON, wxID_CANCEL);
  click.SetEventObject(cancel);
  cancel->GetEventHandler()->ProcessEvent(click);
  EXPECT_TRUE(dlg->CheckCancel());
  delete dlg;
  EXPECT_TRUE(owner->IsEnabled());
  owner->Destroy();
  PumpEvents(20);
}

TEST(ProgressDlg, OwnerDisabledBeforeStaysDisabled) {
  REQUIRE_GUI();
  auto* owner = new wxFrame(nullptr, wxID_ANY, "owner");
  owner->Show();
  owner->Enable(false);
  auto* dlg = new CProgressDlg(0);
  ASSERT_TRUE(dlg->Create(owner));
  delete dlg;
  EXPECT_FALSE(owner->IsEnabled());
  owner->Destroy();
  PumpEvents(20);
}

TEST(ZoomFactDlg, DefaultButtonAndTransfer) {
  REQUIRE_GUI();
  CZoomFactDlg dlg(nullptr);
  dlg.m_zoomFactor = 2.5;
  ASSERT_TRUE(dlg.TransferDataToWindow());
  ASSERT_TRUE(dlg.TransferDataFromWindow());
  EXPECT_EQ(dlg.m_zoomFactor, 2.5);
  wxCommandEvent press(wxEVT_BUTTON, 1156);
  press.SetEventObject(dlg.FindWindow(1156));
  dlg.FindWindow(1156)->GetEventHandler()->ProcessEvent(press);
  EXPECT_EQ(dlg.m_zoomFactor, 1.0);
  EXPECT_EQ(dynamic_cast<wxTextCtrl*>(dlg.FindWindow(1108))->GetValue(), "1");
}

TEST(AboutDlg, ShowsTheVersionTitle) {
  REQUIRE_GUI();
  CAboutDlg dlg(nullptr, "Plandor Version 9.9");
  wxWindow* text = dlg.FindWindow(1238);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->GetLabel(), "Plandor Version 9.9");
  EXPECT_EQ(dlg.GetTitle(), "About Plandor");
}

}  // namespace
