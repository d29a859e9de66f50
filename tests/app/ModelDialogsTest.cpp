// The small dialogs of the model and project commands.
#include <gtest/gtest.h>
#include <wx/listctrl.h>
#include <wx/radiobut.h>

#include <cstdio>
#include <wx/textctrl.h>

#include "GuiTest.h"
#include "config/PartList.h"
#include "dialogs/DlgAutosteps.h"
#include "dialogs/DlgModelSequence.h"
#include "dialogs/DlgNewModel.h"
#include "dialogs/DlgSelModel.h"
#include "dialogs/WindowSizes.h"
#include "platform/Profile.h"
#include "support/ScriptedPrompt.h"
#include "support/TestData.h"

namespace {

TEST(DlgNewModel, NameRules) {
  CPartList list;
  list.ReserveDocumentModels(1);
  list.AddDocumentModel(0, "wheel.ldr", "Wheel");
  list.AddExtraEntry("Axle.DAT");
  struct Case {
    const char* typed;
    const char* starting;
    const char* accepted;  // "" = refused as taken
  };
  const Case cases[] = {
      {"  gear  ", "", "gear.ldr"},
      {"gear.dat", "", "gear.dat"},
      {"", "", ".ldr"},
      // Taken, in any category and whatever the case.
      {"wheel", "", ""},
      {"WHEEL.LDR", "", ""},
      {"axle.dat", "", ""},
      // The unchanged starting name is kept as it is, even though the list has it.
      {"wheel.ldr", "wheel.ldr", "wheel.ldr"},
      // Its own name in other letters is no clash with another model.
      {" Wheel.LDR ", "wheel.ldr", "Wheel.LDR"},
      {"WHEEL", "wheel.ldr", "WHEEL.ldr"},
      // Changed back to another taken name after starting from one.
      {"axle.dat", "wheel.ldr", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(AcceptModelName(c.typed, c.starting, list), c.accepted) << c.typed;
}

TEST(DlgModelSequence, MovesStopAtTheEnds) {
  std::vector<size_t> order = {0, 1, 2};
  EXPECT_FALSE(MoveInOrder(order, 0, -1));
  EXPECT_FALSE(MoveInOrder(order, 2, 1));
  EXPECT_FALSE(MoveInOrder(order, -1, 1));
  EXPECT_EQ(order, (std::vector<size_t>{0, 1, 2}));
  EXPECT_TRUE(MoveInOrder(order, 2, -1));
  EXPECT_EQ(order, (std::vector<size_t>{0, 2, 1}));
  EXPECT_TRUE(MoveInOrder(order, 0, 1));
  EXPECT_EQ(order, (std::vector<size_t>{2, 0, 1}));
}

class ModelDialogsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!GuiAvailable()) GTEST_SKIP() << "no display (run the GUI tests under xvfb-run)";
    SetProfile(std::make_unique<CFileProfile>(m_scratch / "Plandor.conf"));
  }
  void TearDown() override { SetProfile(nullptr); }
  CScratchDir m_scratch;
};

TEST_F(ModelDialogsTest, AutostepsCountOnlyInItsModeAndInRange) {
  CDlgAutosteps dialog(nullptr);
  auto* count = static_cast<wxTextCtrl*>(dialog.FindWindow("PartCount"));
  auto* byHeight = static_cast<wxRadioButton*>(dialog.FindWindow("ByHeight"));
  ASSERT_TRUE(count && byHeight);
  dialog.m_mode = CDlgAutosteps::kByHeight;
  dialog.TransferDataToWindow();
  EXPECT_FALSE(count->IsEnabled());
  dialog.m_mode = CDlgAutosteps::kByCount;
  dialog.m_partCount = 5;
  dialog.TransferDataToWindow();
  EXPECT_TRUE(count->IsEnabled());
  EXPECT_EQ(count->GetValue(), "5");
  for (const char* bad : {"0", "100001", "abc"}) {
    count->ChangeValue(bad);
    EXPECT_FALSE(dialog.Validate() && dialog.TransferDataFromWindow()) << bad;
  }
  count->ChangeValue("100000");
  ASSERT_TRUE(dialog.Validate() && dialog.TransferDataFromWindow());
  EXPECT_EQ(dialog.m_partCount, 100000);
  EXPECT_EQ(dialog.m_mode, CDlgAutosteps::kByCount);
  // By height the count field is not read at all.
  byHeight->SetValue(true);
  count->ChangeValue("0");
  ASSERT_TRUE(dialog.TransferDataFromWindow());
  EXPECT_EQ(dialog.m_mode, CDlgAutosteps::kByHeight);
}

TEST_F(ModelDialogsTest, NewModelRefusesATakenNameAndStaysOpen) {
  CScriptedPrompt prompt;
  thePartList.ReserveDocumentModels(1);
  thePartList.AddDocumentModel(0, "taken.ldr", "Taken");
  CDlgNewModel dialog(nullptr);
  dialog.m_name = "New Model";
  dialog.TransferDataToWindow();
  auto* name = static_cast<wxTextCtrl*>(dialog.FindWindow("Name"));
  auto* description = static_cast<wxTextCtrl*>(dialog.FindWindow("Description"));
  ASSERT_TRUE(name && description);
  name->ChangeValue("taken");
  EXPECT_FALSE(dialog.TransferDataFromWindow());
  ASSERT_EQ(prompt.shown.size(), 1u);
  EXPECT_EQ(prompt.shown[0].text, "Name has already been used for another submodel!\nPlease insert a new name.");
  name->ChangeValue(" cabin ");
  description->ChangeValue("The cabin");
  ASSERT_TRUE(dialog.TransferDataFromWindow());
  EXPECT_EQ(dialog.m_name, "cabin.ldr");
  EXPECT_EQ(dialog.m_description, "The cabin");
  thePartList.ClearDocumentModels();
}

TEST_F(ModelDialogsTest, SelectModelHandsBackTheChosenRowAndKeepsItsRectangle) {
  TheProfile().WriteProfileString("WindowSizes", "DLGSELMODEL", "10 10 300 200");
  {
    CDlgSelModel dialog(nullptr, {"main.ldr", "cab.ldr", "wheel.ldr"});
    EXPECT_EQ(dialog.GetSize(), wxSize(290, 190));
    dialog.m_chosenModel = 2;
    dialog.TransferDataToWindow();
    ASSERT_TRUE(dialog.TransferDataFromWindow());
    EXPECT_EQ(dialog.m_chosenModel, 2);
    dialog.SetSize(wxSize(400, 250));
  }
  std::string stored = TheProfile().GetProfileString("WindowSizes", "DLGSELMODEL", "");
  int l = 0, t = 0, r = 0, b = 0;
  ASSERT_EQ(std::sscanf(stored.c_str(), "%d %d %d %d", &l, &t, &r, &b), 4) << stored;
  EXPECT_EQ(r - l, 400);
  EXPECT_EQ(b - t, 250);
  // Nothing selected hands back 0.
  CDlgSelModel none(nullptr, {"main.ldr"});
  none.m_chosenModel = 0;
  none.TransferDataToWindow();
  ASSERT_TRUE(none.TransferDataFromWindow());
  EXPECT_EQ(none.m_chosenModel, 0);
}

// The dialog opens at its remembered rectangle, its list grows with it, long names show whole, and
// the rectangle after a resize is kept (also on Cancel).
TEST_F(ModelDialogsTest, SequenceIsResizableKeepsItsRectangleAndShowsWholeNames) {
  TheProfile().WriteProfileString("WindowSizes", "DLGMODELSEQ", "10 10 300 200");
  const std::string longName = "a-sub-model-with-a-rather-long-file-name-that-runs-on-and-on.ldr";
  std::vector<std::string> names = {longName};
  for (int i = 0; i < 20; ++i) names.push_back("part" + std::to_string(i) + ".ldr");
  {
    CDlgModelSequence dialog(nullptr, names);
    EXPECT_EQ(dialog.GetSize(), wxSize(290, 190));
    auto* list = static_cast<wxListCtrl*>(dialog.FindWindow(1323));
    ASSERT_TRUE(list);
    EXPECT_GE(dialog.GetNameColumnWidth(), list->GetTextExtent(longName).x);
    dialog.SetSize(wxSize(900, 700));
    dialog.Layout();
    PumpEvents(20);
    // The list takes the room: more rows show, and the name column fills its width.
    EXPECT_GT(list->GetSize().y, 500);
    EXPECT_GE(dialog.GetNameColumnWidth(), list->GetClientSize().x);
    EXPECT_GT(list->GetCountPerPage(), 15);
  }
  std::string stored = TheProfile().GetProfileString("WindowSizes", "DLGMODELSEQ", "");
  int l = 0, t = 0, r = 0, b = 0;
  ASSERT_EQ(std::sscanf(stored.c_str(), "%d %d %d %d", &l, &t, &r, &b), 4) << stored;
  EXPECT_EQ(r - l, 900);
  EXPECT_EQ(b - t, 700);
}

// Never sized before, the dialog opens wide enough for its longest name and tall enough for its
// rows (seven rows and cut names at the old fixed size); a stored rectangle is kept as it is.
TEST_F(ModelDialogsTest, SequenceOpensLargeEnoughForItsNamesTheFirstTime) {
  TheProfile().DeleteKey("WindowSizes", "DLGMODELSEQ");
  const std::string longName = "1621 - Vehicle - Front - Signal Holder and a long tail of words.ldr";
  std::vector<std::string> names = {"main.ldr", longName};
  for (int i = 0; i < 10; ++i) names.push_back("part" + std::to_string(i) + ".ldr");
  CDlgModelSequence dialog(nullptr, names);
  auto* list = static_cast<wxListCtrl*>(dialog.FindWindow(1323));
  ASSERT_TRUE(list);
  EXPECT_GE(list->GetClientSize().x, list->GetTextExtent(longName).x);
  EXPECT_GE(list->GetCountPerPage(), 12);
  EXPECT_GE(dialog.GetSize().x, 360);
  EXPECT_GE(dialog.GetSize().y, 240);
}

TEST_F(ModelDialogsTest, SequenceButtonsFollowTheSelection) {
  CDlgModelSequence dialog(nullptr, {"a.ldr", "b.ldr", "c.ldr"});
  auto* up = dialog.FindWindow(1324);
  auto* down = dialog.FindWindow(1325);
  ASSERT_TRUE(up && down);
  EXPECT_FALSE(up->IsEnabled());
  EXPECT_FALSE(down->IsEnabled());
  auto* list = static_cast<wxListCtrl*>(dialog.FindWindow(1323));
  list->SetItemState(2, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
  PumpEvents(20);
  EXPECT_TRUE(up->IsEnabled());
  EXPECT_FALSE(down->IsEnabled());
  dialog.Move(-1);
  dialog.Move(-1);
  EXPECT_EQ(dialog.m_order, (std::vector<size_t>{2, 0, 1}));
  EXPECT_EQ(list->GetItemText(0), "c.ldr");
  EXPECT_EQ(dialog.GetSelectedRow(), 0);
  dialog.Move(-1);  // already at the top
  EXPECT_EQ(dialog.m_order, (std::vector<size_t>{2, 0, 1}));
}

}  // namespace

namespace {
// A rectangle kept from a screen that is no longer there opens on the default rectangle.
TEST(WindowSizes, RectanglesOffEveryScreenFallBackToTheDefault) {
  REQUIRE_GUI();
  EXPECT_EQ(VisibleWindowRect(wxRect(10, 10, 290, 190)), wxRect(10, 10, 290, 190));
  EXPECT_EQ(VisibleWindowRect(wxRect(30000, 30000, 290, 190)), wxRect(100, 50, 360, 240));
  EXPECT_EQ(VisibleWindowRect(wxRect(-5000, 10, 290, 190)), wxRect(100, 50, 360, 240));
}
}  // namespace
