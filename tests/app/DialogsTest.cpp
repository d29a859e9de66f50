#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/stattext.h>
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

// The field takes per cent, as its label says: 1% to 500%. A factor of 200 (20000%) once gave a
// pane the colour of one part's inside.
TEST(ZoomFactDlg, AcceptedRangeIsInPerCent) {
  const std::pair<const char*, double> cases[] = {
      {"1", 0.01},     {"500", 5.0},    {"100", 1.0},    {" 250 ", 2.5},  {"75%", 0.75},
      {"12.5 %", 0.125}, {"0.5", -1},   {"501", -1},     {"20000", -1},   {"1000", -1},
      {"0", -1},       {"-1", -1},      {"", -1},        {"abc", -1},     {"1,5", -1},
      {"nan", -1},     {"%", -1}};
  for (auto [text, factor] : cases) {
    double v = -7;
    EXPECT_EQ(ParseZoomPercent(text, v), factor > 0) << text;
    if (factor > 0) {
      EXPECT_DOUBLE_EQ(v, factor) << text;
    }
  }
}

// What the field shows is what it takes: the factor in per cent, kept in the range.
TEST(ZoomFactDlg, ShowsTheFactorInPerCent) {
  const std::pair<double, const char*> cases[] = {
      {1.0, "100"}, {2.5, "250"}, {0.0123456, "1.23"}, {0.75, "75"}, {5.0, "500"},
      {200.0, "500"}, {0.001, "1"}, {0.0, "1"}};
  for (auto [factor, text] : cases) {
    EXPECT_EQ(FormatZoomPercent(factor), text) << factor;
    double back = 0;
    EXPECT_TRUE(ParseZoomPercent(FormatZoomPercent(factor), back)) << factor;
  }
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
  EXPECT_EQ(dynamic_cast<wxTextCtrl*>(dlg.FindWindow(1108))->GetValue(), "250");
  ASSERT_TRUE(dlg.TransferDataFromWindow());
  EXPECT_EQ(dlg.m_zoomFactor, 2.5);
  wxCommandEvent press(wxEVT_BUTTON, 1156);
  press.SetEventObject(dlg.FindWindow(1156));
  dlg.FindWindow(1156)->GetEventHandler()->ProcessEvent(press);
  EXPECT_EQ(dlg.m_zoomFactor, 1.0);
  EXPECT_EQ(dynamic_cast<wxTextCtrl*>(dlg.FindWindow(1108))->GetValue(), "100");
  bool labelled = false;
  for (wxWindow* child : dlg.GetChildren())
    if (auto* text = dynamic_cast<wxStaticText*>(child))
      labelled |= text->GetLabel() == "Zoom factor 1% to 500%:";
  EXPECT_TRUE(labelled);
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
