// The parts-list dialog: its columns follow the check boxes, the total enables Save, and the
// file is written in the form its name asks for; a file that cannot be written is reported.
#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/listctrl.h>
#include <wx/textctrl.h>

#include "GuiTest.h"
#include "config/BuiltinColors.h"
#include "config/ColorTable.h"
#include "dialogs/RepPiecesDlg.h"
#include "document/DocModel.h"
#include "support/TestData.h"

namespace {

class RepPiecesDlgTest : public DocumentTest {
 protected:
  void SetUp() override {
    BuildColorTable(BuiltinColors.data(), colors, kColorCount);
    LoadDocument(doc,
                 "0 FILE main.ldr\n0 Main\n1 4 0 0 0 1 0 0 0 1 0 0 0 1 a.dat\n1 1 0 0 0 1 0 0 0 1 0 0 0 1 a.dat\n"
                 "0 STEP\n1 4 0 0 0 1 0 0 0 1 0 0 0 1 b.dat\n"
                 "0 FILE other.ldr\n0 Other\n1 4 0 0 0 1 0 0 0 1 0 0 0 1 b.dat\n");
  }
  template <class T>
  T* Child(wxWindow& dialog, int id) {
    return dynamic_cast<T*>(dialog.FindWindow(id));
  }
  void Tick(wxWindow& dialog, int id) {
    auto* box = Child<wxCheckBox>(dialog, id);
    box->SetValue(!box->GetValue());
    wxCommandEvent event(wxEVT_CHECKBOX, id);
    event.SetEventObject(box);
    box->ProcessWindowEvent(event);
  }
  ColorEntry colors[kColorCount] = {};
};

TEST_F(RepPiecesDlgTest, ColumnsFollowTheCheckBoxesAndTheTotalIsShown) {
  REQUIRE_GUI();
  CRepPiecesDlg dialog(nullptr, doc.GetProject(), colors, host);
  auto* list = Child<wxListCtrl>(dialog, 1067);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->GetColumnCount(), 4);
  EXPECT_EQ(list->GetItemCount(), 3);
  EXPECT_EQ(Child<wxTextCtrl>(dialog, 1068)->GetValue(), "3");
  EXPECT_TRUE(Child<wxButton>(dialog, 1356)->IsEnabled());
  EXPECT_TRUE(Child<wxCheckBox>(dialog, 1362)->IsEnabled()) << "two models";

  Tick(dialog, 1355);  // ignore colours: a and b once each
  EXPECT_EQ(list->GetColumnCount(), 3);
  EXPECT_EQ(list->GetItemCount(), 2);
  Tick(dialog, 1106);  // per step
  EXPECT_EQ(list->GetColumnCount(), 4);
  EXPECT_EQ(list->GetItemCount(), 2);
  Tick(dialog, 1362);  // every model: the other model's b as well
  EXPECT_EQ(list->GetColumnCount(), 5);
  EXPECT_EQ(list->GetItemCount(), 3);
  EXPECT_EQ(Child<wxTextCtrl>(dialog, 1068)->GetValue(), "4");
}

TEST_F(RepPiecesDlgTest, SaveWritesTabsForCsvAndReportsAFileThatCannotBeWritten) {
  REQUIRE_GUI();
  CScratchDir dir;
  CRepPiecesDlg dialog(nullptr, doc.GetProject(), colors, host);
  host.files.push_back(dir / "list.CSV");
  ASSERT_TRUE(dialog.SaveList());
  const std::string text = ReadFileBytes(dir / "list.CSV");
  EXPECT_EQ(text.substr(0, text.find('\n')), "No.\tColor\tPart no.\tPart name");
  ASSERT_EQ(host.fileRequests.size(), 1u);
  EXPECT_EQ(host.fileRequests[0].title, "File Name");
  EXPECT_TRUE(host.fileRequests[0].save);

  host.files.push_back(dir / "no-such-folder/list.txt");
  EXPECT_FALSE(dialog.SaveList());
  ASSERT_EQ(prompt.shown.size(), 1u);
  EXPECT_NE(prompt.shown[0].text.find("could not be written"), std::string::npos);

  host.files.push_back("");  // Cancel
  EXPECT_FALSE(dialog.SaveList());
  EXPECT_EQ(prompt.shown.size(), 1u);
}

TEST_F(RepPiecesDlgTest, AModelWithoutPartsCannotBeSaved) {
  REQUIRE_GUI();
  LoadDocument(doc, "0 Empty\n");
  CRepPiecesDlg dialog(nullptr, doc.GetProject(), colors, host);
  EXPECT_EQ(Child<wxTextCtrl>(dialog, 1068)->GetValue(), "0");
  EXPECT_FALSE(Child<wxButton>(dialog, 1356)->IsEnabled());
  EXPECT_FALSE(Child<wxCheckBox>(dialog, 1362)->IsEnabled());
}

}  // namespace
