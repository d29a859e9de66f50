// The part chooser: its rows (parts, then library models, then document models), sorting without
// regard to case by a column kept for the whole run, the row selected at the start, what OK gives;
// and the dialog itself under Xvfb.
#include <gtest/gtest.h>
#include <wx/checkbox.h>
#include <wx/listctrl.h>
#include <wx/modalhook.h>
#include <wx/textctrl.h>

#include "GuiTest.h"
#include "dialogs/ModelPreview.h"
#include "dialogs/SelectPartDlg.h"
#include "support/PartListScope.h"
#include "support/TestData.h"
#include "tests/model/LibraryScope.h"

namespace {

class PartChoiceTest : public ::testing::Test {
 protected:
  // Parts.lst order: 3001, axle, 3626b, 3003; then two models of the document.
  static void Fill(CPartList& list, const CScratchDir& dir) {
    ASSERT_TRUE(WriteFileBytes(dir / "Parts.lst",
                               "3001.dat       Brick 2 x 4\n"
                               "Axle.DAT       technic Axle 2\n"
                               "3626b.dat      Minifig Head\n"
                               "3003.dat       Brick 2 x 2\n"));
    ASSERT_EQ(list.LoadPartsListFrom(dir / "Parts.lst"), 1);
    ASSERT_EQ(list.ReserveDocumentModels(2), 1);
    list.AddDocumentModel(0, "main.ldr", "Main model");
    list.AddDocumentModel(1, "wing.ldr", "Wing");
  }
  void SetUp() override {
    CPartChoiceList::SortColumn() = CPartChoiceList::kByNumber;
    Fill(m_list, m_dir);
  }
  void TearDown() override { CPartChoiceList::SortColumn() = CPartChoiceList::kByNumber; }

  static std::vector<std::string> Names(const CPartChoiceList& rows) {
    std::vector<std::string> names;
    for (size_t i = 0; i < rows.GetCount(); ++i) names.push_back(rows.GetFileName(i));
    return names;
  }

  CScratchDir m_dir;
  CPartList m_list;
};

TEST_F(PartChoiceTest, RowsOfEveryCategorySortedByNumberOrNameWithoutRegardToCase) {
  CPartChoiceList rows(m_list);
  ASSERT_EQ(rows.GetCount(), 6u);
  EXPECT_EQ(Names(rows), (std::vector<std::string>{"3001.dat", "3003.dat", "3626b.dat", "Axle.DAT",
                                                   "main.ldr", "wing.ldr"}));
  EXPECT_EQ(rows.GetHandle(0), MakePartHandle(kLibraryParts, 0));
  EXPECT_EQ(rows.GetHandle(1), MakePartHandle(kLibraryParts, 3));
  EXPECT_EQ(rows.GetHandle(5), MakePartHandle(kDocumentModels, 1));
  EXPECT_EQ(rows.GetDescription(3), "technic Axle 2");

  rows.SortBy(CPartChoiceList::kByName);
  // Brick 2 x 2, Brick 2 x 4, Main model, Minifig Head, technic Axle 2, Wing.
  EXPECT_EQ(Names(rows), (std::vector<std::string>{"3003.dat", "3001.dat", "main.ldr", "3626b.dat",
                                                   "Axle.DAT", "wing.ldr"}));
  // The next chooser of the run opens sorted by name.
  EXPECT_EQ(Names(CPartChoiceList(m_list)), Names(rows));
}

TEST_F(PartChoiceTest, TheStartRowAndWhatOkGives) {
  CPartChoiceList rows(m_list);
  struct Case {
    const char* name;
    PartHandle handle;
    size_t row;
  };
  const Case cases[] = {
      {"listed part", MakePartHandle(kLibraryParts, 2), 2},
      {"document model", MakePartHandle(kDocumentModels, 0), 4},
      {"none given", 0, 0},
      {"not listed", MakePartHandle(kLibraryParts, 40), 0},
      {"extra files are not listed", MakePartHandle(kExtraFiles, 0), 0},
  };
  for (const Case& c : cases) EXPECT_EQ(rows.FindRow(c.handle), c.row) << c.name;

  EXPECT_EQ(rows.Chosen(false, 2), MakePartHandle(kLibraryParts, 2));
  EXPECT_EQ(rows.Chosen(true, 2), std::nullopt) << "the custom file, whatever row is selected";
  EXPECT_EQ(rows.Chosen(false, CPartChoiceList::kNoRow), std::nullopt) << "no selected row";

  CPartList empty;
  CPartChoiceList none(empty);
  EXPECT_EQ(none.FindRow(0), CPartChoiceList::kNoRow);
}

// Answers the chooser as the user would, through the dialog's own controls.
class CChooserAnswer : public wxModalDialogHook {
 public:
  CChooserAnswer(long row, int button) : m_row(row), m_button(button) { Register(); }
  ~CChooserAnswer() override { Unregister(); }
  int Enter(wxDialog* dialog) override {
    auto* chooser = dynamic_cast<CSelectPartDlg*>(dialog);
    if (!chooser) return wxID_CANCEL;
    startRow = chooser->GetSelectedRow();
    chooser->SelectRow(m_row);
    if (m_button == wxID_OK) chooser->Accept();
    return m_button;
  }
  void Exit(wxDialog*) override {}
  long startRow = -2;

 private:
  long m_row;
  int m_button;
};

TEST_F(PartChoiceTest, TheDialogShowsTheRowsAndOkOrCancelDecide) {
  REQUIRE_GUI();
  {
    CSelectPartDlg dialog(nullptr, MakePartHandle(kLibraryParts, 3), WithPartList(ProgramLibrary(), m_list));
    auto* list = dynamic_cast<wxListCtrl*>(dialog.FindWindow(CSelectPartDlg::kListId));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->GetItemCount(), 6);
    EXPECT_EQ(list->GetColumnCount(), 2);
    wxListItem column;
    column.SetMask(wxLIST_MASK_TEXT);
    list->GetColumn(1, column);
    EXPECT_EQ(column.GetText(), "Part name");
    EXPECT_EQ(list->GetItemText(1, 0), "3003.dat");
    EXPECT_EQ(list->GetItemText(1, 1), "Brick 2 x 2");
    EXPECT_EQ(dialog.GetSelectedRow(), 1);
    EXPECT_FALSE(dialog.FindWindow(CSelectPartDlg::kCustomFileId)->IsEnabled());

    dialog.SortByColumn(1);
    EXPECT_EQ(list->GetItemText(0, 0), "3003.dat");
    EXPECT_EQ(dialog.GetSelectedRow(), 0) << "the selection stays on its entry";

    dialog.SetCustom(true, "/models/my part.dat");
    EXPECT_TRUE(dialog.FindWindow(CSelectPartDlg::kCustomFileId)->IsEnabled());
    EXPECT_TRUE(dialog.FindWindow(CSelectPartDlg::kBrowseId)->IsEnabled());
    dialog.Accept();
    EXPECT_EQ(dialog.GetChosen(), std::nullopt);
    EXPECT_TRUE(dialog.IsCustom());
    EXPECT_EQ(dialog.GetCustomFile(), "/models/my part.dat");
  }
  // Through the program's road, which reads the program's part list.
  PartListScope listed;
  CScratchDir dir;
  Fill(thePartList, dir);
  CPartChoiceList::SortColumn() = CPartChoiceList::kByNumber;
  PartHandle handle = MakePartHandle(kLibraryParts, 2);  // 3626b.dat, row 2
  {
    CChooserAnswer cancel(4, wxID_CANCEL);
    EXPECT_FALSE(RunPartChooser(nullptr, handle));
    EXPECT_EQ(cancel.startRow, 2);
  }
  EXPECT_EQ(handle, MakePartHandle(kLibraryParts, 2)) << "Cancel changes nothing";
  {
    CChooserAnswer ok(4, wxID_OK);
    EXPECT_TRUE(RunPartChooser(nullptr, handle));
  }
  EXPECT_EQ(handle, MakePartHandle(kDocumentModels, 0));
}

// Sets a custom file in the chooser and accepts it.
class CCustomAnswer : public wxModalDialogHook {
 public:
  explicit CCustomAnswer(std::string file) : m_file(std::move(file)) { Register(); }
  ~CCustomAnswer() override { Unregister(); }
  int Enter(wxDialog* dialog) override {
    auto* chooser = dynamic_cast<CSelectPartDlg*>(dialog);
    if (!chooser) return wxID_CANCEL;
    rows = chooser->Rows().GetCount();
    chooser->SetCustom(true, m_file);
    chooser->Accept();
    return wxID_OK;
  }
  void Exit(wxDialog*) override {}
  size_t rows = 0;

 private:
  std::string m_file;
};

// The chooser of a library handed down lists that library's part list and files a custom part
// there; the program's list is not touched.
TEST_F(PartChoiceTest, TheChooserUsesThePartListOfTheLibraryItIsHanded) {
  REQUIRE_GUI();
  PartListScope listed;
  const unsigned programExtras = thePartList.GetCount(kExtraFiles);
  PartHandle handle = 0;
  {
    CCustomAnswer custom("/models/handed.dat");
    ASSERT_TRUE(RunPartChooser(nullptr, handle, WithPartList(ProgramLibrary(), m_list)));
    EXPECT_EQ(custom.rows, 6u) << "the rows of the handed list";
  }
  ASSERT_NE(handle, 0u);
  EXPECT_EQ(CPartList::GetCategory(handle), kExtraFiles);
  EXPECT_STREQ(m_list.GetFileName(handle), "/models/handed.dat");
  EXPECT_EQ(thePartList.GetCount(kExtraFiles), programExtras);
  EXPECT_EQ(thePartList.FindByName("/models/handed.dat", kAllCategories), 0u);
}

// The selected library part is drawn in the preview, from the library itself.
TEST_F(PartChoiceTest, TheSelectedLibraryPartIsShownInThePreview) {
  REQUIRE_GUI();
  REQUIRE_LDRAW_LIBRARY(library);
  CLibraryScope scope(library, 0);
  PartListScope listed;
  CScratchDir dir;
  Fill(thePartList, dir);
  {
    CSelectPartDlg dialog(nullptr, MakePartHandle(kLibraryParts, 0));  // 3001.dat, the program's list
    dialog.Show();
    PumpEvents(30);
    const CModelPreview* preview = nullptr;
    for (wxWindow* child : dialog.GetChildren())
      if (auto* p = dynamic_cast<CModelPreview*>(child)) preview = p;
    ASSERT_NE(preview, nullptr);
    EXPECT_NE(preview->State().GetModel(), nullptr);
    EXPECT_TRUE(preview->State().IsRendered());
    EXPECT_FALSE(preview->State().IsBlank());
    dialog.SelectRow(4);  // main.ldr: a document model found nowhere
    EXPECT_TRUE(preview->State().IsBlank()) << "nothing to draw, and nothing fails";
    dialog.Hide();
  }
}

}  // namespace
