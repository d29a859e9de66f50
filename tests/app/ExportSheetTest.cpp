// The export sheet on screen: its start state, the range text that follows the model selection,
// the checks that keep it open on the page concerned, and the choice it hands back.
#include <gtest/gtest.h>
#include <wx/bookctrl.h>
#include <wx/checkbox.h>
#include <wx/listbox.h>
#include <wx/radiobut.h>
#include <wx/textctrl.h>

#include <functional>

#include "GuiTest.h"
#include "dialogs/PropPageExp1.h"
#include "dialogs/PropPageExp2.h"
#include "dialogs/PropSheetExp.h"
#include "support/TestData.h"

namespace {

template <typename T>
T* Control(wxWindow* page, int id) {
  auto* control = dynamic_cast<T*>(page->FindWindow(id));
  EXPECT_NE(control, nullptr) << "control " << id;
  return control;
}

void Press(wxWindow* control, wxEventType type) {
  wxCommandEvent event(type, control->GetId());
  event.SetEventObject(control);
  if (auto* check = dynamic_cast<wxCheckBox*>(control)) event.SetInt(check->GetValue());
  control->GetEventHandler()->ProcessEvent(event);
}

class ExportSheetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!GuiAvailable()) GTEST_SKIP() << "no display (run the GUI tests under xvfb-run)";
    choice.modelNames = {"main.ldr", "wall.ldr", "roof.ldr"};
    choice.modelSteps = {2, 3, 4};
    choice.options.exportPath = out.Path();
    choice.options.logName = out / "export.log";
    sheet = new CPropSheetExp(nullptr, choice);
  }

 public:
  void TearDown() override {
    if (sheet) sheet->Destroy();
    PumpEvents();
  }
  wxWindow* Page(int i) { return sheet->GetBookCtrl()->GetPage(static_cast<size_t>(i)); }

  CScratchDir out;
  ExportChoice choice;
  CPropSheetExp* sheet = nullptr;
};

TEST_F(ExportSheetTest, OpensWithEveryModelAndTheWholeRange) {
  auto* models = Control<wxListBox>(Page(0), 1260);
  wxArrayInt selected;
  EXPECT_EQ(models->GetSelections(selected), 3);
  EXPECT_EQ(Control<wxTextCtrl>(Page(0), 1263)->GetValue(), "1-9");
  EXPECT_FALSE(Control<wxTextCtrl>(Page(0), 1263)->IsEnabled());
  EXPECT_FALSE(Control<wxCheckBox>(Page(0), 1267)->IsEnabled());
  // Fewer models: fewer steps.
  models->Deselect(1);
  Press(models, wxEVT_LISTBOX);
  EXPECT_EQ(Control<wxTextCtrl>(Page(0), 1263)->GetValue(), "1-6");
  ASSERT_TRUE(sheet->Accept());
  EXPECT_EQ(sheet->GetChoice().modelSelection, (std::vector<uint8_t>{1, 0, 1}));
  EXPECT_EQ(sheet->GetChoice().stepSelection, std::vector<uint8_t>(6, 1));
}

TEST_F(ExportSheetTest, ARangeSelectsItsSteps) {
  auto* range = Control<wxRadioButton>(Page(0), 1132);
  range->SetValue(true);
  Press(range, wxEVT_RADIOBUTTON);
  EXPECT_TRUE(Control<wxTextCtrl>(Page(0), 1263)->IsEnabled());
  Control<wxTextCtrl>(Page(0), 1263)->ChangeValue("2;5-6");
  ASSERT_TRUE(sheet->Accept());
  EXPECT_EQ(sheet->GetChoice().stepSelection, (std::vector<uint8_t>{0, 1, 0, 0, 1, 1, 0, 0, 0}));
  EXPECT_EQ(sheet->GetChoice().options.rangeSelection, 1);
}

TEST_F(ExportSheetTest, ChecksKeepTheSheetOnThePageConcerned) {
  struct Case {
    const char* name;
    std::function<void(ExportSheetTest&)> change;
    int page;
  } cases[] = {
      {"folder without its final slash",
       [](ExportSheetTest& t) {
         std::string path = t.out.Path();
         path.pop_back();
         Control<wxTextCtrl>(t.Page(0), 1264)->ChangeValue(path);
       },
       0},
      {"log in a missing folder",
       [](ExportSheetTest& t) { Control<wxTextCtrl>(t.Page(0), 1284)->ChangeValue(t.out / "no/x.log"); }, 0},
      {"no model", [](ExportSheetTest& t) { Control<wxListBox>(t.Page(0), 1260)->DeselectAll(); }, 0},
      {"enabled post processor without program",
       [](ExportSheetTest& t) { Control<wxCheckBox>(t.Page(1), 1287)->SetValue(true); }, 1},
  };
  for (const Case& c : cases) {
    sheet->Destroy();
    sheet = new CPropSheetExp(nullptr, choice);
    c.change(*this);
    EXPECT_FALSE(sheet->Accept()) << c.name;
    EXPECT_EQ(sheet->GetBookCtrl()->GetSelection(), c.page) << c.name;
  }
}

TEST_F(ExportSheetTest, PostProcessorsChainAndEnable) {
  // Post processor 2 ticked while 1 is not: not enabled once the fields are read.
  Control<wxCheckBox>(Page(1), 1290)->SetValue(true);
  Control<wxTextCtrl>(Page(1), 1272)->ChangeValue("sh");
  ASSERT_TRUE(sheet->Accept());
  EXPECT_EQ(sheet->GetChoice().options.postProcessors[1].enabled, 0);

  auto* one = Control<wxCheckBox>(Page(1), 1287);
  EXPECT_FALSE(Control<wxCheckBox>(Page(1), 1290)->IsEnabled());
  EXPECT_FALSE(Control<wxTextCtrl>(Page(1), 1271)->IsEnabled());
  one->SetValue(true);
  Press(one, wxEVT_CHECKBOX);
  EXPECT_TRUE(Control<wxTextCtrl>(Page(1), 1271)->IsEnabled());
  EXPECT_TRUE(Control<wxCheckBox>(Page(1), 1290)->IsEnabled());
  Control<wxTextCtrl>(Page(1), 1271)->ChangeValue("wc");
  Control<wxTextCtrl>(Page(1), 1270)->ChangeValue("-l %0");
  ASSERT_TRUE(sheet->Accept());
  const ExportOptions& o = sheet->GetChoice().options;
  EXPECT_EQ(o.postProcessors[0].enabled, 1);
  EXPECT_EQ(o.postProcessors[0].path, "wc");
  EXPECT_EQ(o.postProcessors[0].parameters, "-l %0");
  EXPECT_EQ(o.postProcessors[1].enabled, 1);
}

}  // namespace
