// The dimensions, comments and LSynth-command dialogs.
#include <gtest/gtest.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/listbox.h>
#include <wx/listctrl.h>


#include "GuiTest.h"
#include "dialogs/CommentDlg.h"
#include "dialogs/DimensionsDlg.h"
#include "dialogs/DlgAddLSynth.h"

namespace {

// A module is 32 LDU and 1.27 cm; an inch 2.54 cm.
TEST(DimensionsDlg, RowsInModulesCentimetresAndInches) {
  struct Case {
    double ldu;
    const char* modules;
    const char* cm;
    const char* inches;
  };
  const Case cases[] = {
      {64, "2", "2.54", "1.00"},
      {32, "1", "1.27", "0.50"},
      {33, "2", "1.31", "0.52"},
      {0, "0", "0.00", "0.00"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatDimension(0, c.ldu), c.modules) << c.ldu;
    EXPECT_EQ(FormatDimension(1, c.ldu), c.cm) << c.ldu;
    EXPECT_EQ(FormatDimension(2, c.ldu), c.inches) << c.ldu;
  }
}

TEST(DimensionsDlg, ShowsWidthDepthHeight) {
  REQUIRE_GUI();
  CDimensionsDlg dialog(nullptr, 64, 24, 32);  // X, Y, Z
  auto* list = dynamic_cast<wxListCtrl*>(dialog.FindWindow("Dimensions"));
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->GetItemCount(), 3);
  ASSERT_EQ(list->GetColumnCount(), 4);
  wxListItem head;
  head.SetMask(wxLIST_MASK_TEXT);
  list->GetColumn(2, head);
  EXPECT_EQ(head.GetText(), "Depth");
  EXPECT_EQ(list->GetItemText(0, 0), "Module");
  EXPECT_EQ(list->GetItemText(0, 1), "2");  // width
  EXPECT_EQ(list->GetItemText(0, 2), "1");  // depth
  EXPECT_EQ(list->GetItemText(0, 3), "1");  // height: 24 LDU
  EXPECT_EQ(list->GetItemText(2, 1), "1.00");
}

TEST(CommentDlg, RefillsByTheCheckBoxes) {
  REQUIRE_GUI();
  std::vector<uint32_t> asked;
  CCommentDlg dialog(nullptr, [&](std::vector<std::string>& list, uint32_t flags) {
    asked.push_back(flags);
    list.push_back("flags " + std::to_string(flags));
  });
  dialog.TransferDataToWindow();
  auto* list = dynamic_cast<wxListBox*>(dialog.FindWindow("Comments"));
  auto* parts = dynamic_cast<wxCheckBox*>(dialog.FindWindow("PartsComments"));
  auto* old = dynamic_cast<wxCheckBox*>(dialog.FindWindow("OldStyle"));
  ASSERT_TRUE(list && parts && old);
  EXPECT_EQ(list->GetString(0), "flags 0");
  parts->SetValue(true);
  old->SetValue(true);
  wxCommandEvent click(wxEVT_CHECKBOX, old->GetId());
  click.SetEventObject(old);
  old->GetEventHandler()->ProcessEvent(click);
  ASSERT_EQ(list->GetCount(), 1u);
  EXPECT_EQ(list->GetString(0), "flags 3");
  CCommentDlg empty(nullptr, nullptr);
  empty.TransferDataToWindow();
  EXPECT_EQ(dynamic_cast<wxListBox*>(empty.FindWindow("Comments"))->GetCount(), 0u);
}

TEST(DlgAddLSynth, HandsBackThePositionInTheCallersList) {
  REQUIRE_GUI();
  CDlgAddLSynth dialog(nullptr, {"BAND", "HOSE", "CHAIN"});
  auto* choice = dynamic_cast<wxChoice*>(dialog.FindWindow("Commands"));
  ASSERT_NE(choice, nullptr);
  EXPECT_EQ(choice->GetSelection(), 0);
  choice->SetSelection(2);
  ASSERT_TRUE(dialog.TransferDataFromWindow());
  EXPECT_EQ(dialog.m_result, 2);
  CDlgAddLSynth none(nullptr, {});
  ASSERT_TRUE(none.TransferDataFromWindow());
  EXPECT_EQ(none.m_result, -1);
}

}  // namespace
