// The line list without a window: the texts and icons of its rows, its reaction to each update
// hint, the selection kept in step with the model both ways, view mode, the too-small pane and
// the drops of rows.
#include <gtest/gtest.h>

#include "ViewTestSupport.h"
#include "app/LineListState.h"
#include "app/PartDragData.h"
#include "config/PartList.h"

namespace {

std::vector<std::string> FixtureModel() {
  return {
      "0 Test model",                                      // row 0
      "2 4 0 0 0 10 0 0",                                  // row 1
      "0 STEP",                                            // row 2
      "1 4 10 20 30 1 0 0 0 1 0 0 0 1 nosuch.dat",         // row 3
      "3 1 0 0 0 10 0 0 0 10 0",                           // row 4
      "0 Last",                                            // row 5
  };
}

class LineListStateTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_doc.OnNewDocument();
    ASSERT_TRUE(LoadModelText(m_doc, FixtureModel()));
    m_state.OnSize(400, 200);
    m_state.Attach(&m_doc);
  }
  CQvFile& Model() { return *m_doc.GetActiveModel(); }
  std::vector<int32_t> ModelSelection() {
    std::vector<int32_t> out;
    for (size_t i = 0; i < Model().GetSelectedCount(); ++i)
      out.push_back(Model().GetSelectedIndex(static_cast<int32_t>(i)));
    std::sort(out.begin(), out.end());
    return out;
  }

  CViewSettingsScope m_settings;
  CQuorvelDoc m_doc;
  CLineListState m_state;
};

TEST_F(LineListStateTest, RowsShowEveryLineWithItsColumns) {
  ASSERT_EQ(m_state.GetRowCount(), 6u);
  struct Case {
    long row;
    std::array<const char*, 6> columns;
    int icon;
  };
  const Case cases[] = {
      {0, {"COMMENT", "--", "------", "------", "------", "Test model"}, 1},
      {2, {"STEP", "--", "------", "------", "------", ""}, 4},
      // A part whose file is missing: the file cache lists it as an extra file without a
      // description; the row says the file was not found, with the not-found icon.
      {3,
       {"PART", "Red", "10.000,20.000,30.000", "1.000,0.000,0.000 0.000,1.000,0.000 0.000,0.000,1.000", "nosuch.dat",
        "FILE NOT FOUND!"},
       0},
      {5, {"COMMENT", "--", "------", "------", "------", "Last"}, 1},
  };
  for (const Case& c : cases) {
    const LineRow& row = m_state.GetRow(c.row);
    for (int col = 0; col < 6; ++col) EXPECT_EQ(row.columns[static_cast<size_t>(col)], c.columns[static_cast<size_t>(col)]) << "row " << c.row << " column " << col;
    EXPECT_EQ(row.icon, c.icon) << "row " << c.row;
  }
  EXPECT_EQ(m_state.GetRow(1).columns[0], "Line");
  EXPECT_EQ(m_state.GetRow(1).icon, 8);
  EXPECT_EQ(m_state.GetRow(4).columns[0], "Triangle");
  EXPECT_EQ(m_state.GetRow(4).icon, 9);
}

TEST(LineListRows, KindsFlagsAndPartListEntries) {
  CPartList list;  // the document's library part list, here one of the test's own
  struct Case {
    uint32_t typeFlags;
    const char* name;
    int icon;
  };
  // Hidden, ghost and not found in that order: the later flag decides the icon.
  const Case cases[] = {
      {1, "STEP", 4},         {10, "ROT-STEP", 3},     {11, "ROT-END", 5},
      {103, "ARROW", 21},     {256, "GROUP", 16},      {99, "????", 6},
      {3 | 0x1000, "PART", 7}, {3 | 0x4000, "PART", 17}, {2 | 0x1000 | 0x4000, "COMMENT", 17},
      {3 | 0x1000 | 0x4000 | 0x2000, "PART", 0},
  };
  for (const Case& c : cases) {
    ElementDescription d;
    d.typeFlags = c.typeFlags;
    d.text = "x";
    LineRow row = CLineListState::MakeRow(d, list);
    EXPECT_EQ(row.columns[0], c.name) << c.typeFlags;
    EXPECT_EQ(row.icon, c.icon) << c.typeFlags;
  }
  // A part-list entry without a description: "Part unknown!" and the not-found icon.
  const PartHandle extra = list.AddExtraEntry("mystery.dat");
  ASSERT_NE(extra, 0u);
  ElementDescription d;
  d.typeFlags = 3;
  d.partKey = static_cast<int32_t>(extra);
  LineRow row = CLineListState::MakeRow(d, list);
  EXPECT_EQ(row.columns[4], "mystery.dat");
  EXPECT_EQ(row.columns[5], "Part unknown!");
  EXPECT_EQ(row.icon, 0);
}

TEST_F(LineListStateTest, EachHintDoesWhatTheListNeeds) {
  struct Case {
    uint32_t hint;
    bool rebuilt, selection, repaint;
  };
  const Case cases[] = {
      {HINT_PANES_ONLY, false, false, false},
      {HINT_PANES_ONLY | HINT_SELECTION, false, false, false},
      {HINT_SAVE_STATE, false, false, false},
      {HINT_SUBMODE, false, false, false},
      {HINT_MODE_CHANGED, false, true, false},
      {HINT_SELECTION, false, true, false},
      {HINT_LIST_STATES, false, true, true},
      {HINT_FULL, true, true, false},
      {HINT_LIST_ONLY, true, true, false},
      {HINT_LIST_ONLY | HINT_MODEL_INFO, true, true, false},
      {HINT_SUSPEND, true, true, false},
      {HINT_SETTINGS, true, true, false},
  };
  for (const Case& c : cases) {
    LineListUpdate u = m_state.OnUpdate(c.hint, 0);
    EXPECT_EQ(u.rebuilt, c.rebuilt) << std::hex << c.hint;
    EXPECT_EQ(u.selection, c.selection) << std::hex << c.hint;
    EXPECT_EQ(u.repaint, c.repaint) << std::hex << c.hint;
  }
}

TEST_F(LineListStateTest, SkipNextMakesExactlyTheFollowingUpdateANoOp) {
  EXPECT_TRUE(m_state.OnUpdate(HINT_SKIP_NEXT, 0).rebuilt);  // this one runs
  EXPECT_EQ(m_state.OnUpdate(HINT_FULL, 0), LineListUpdate{});
  EXPECT_TRUE(m_state.OnUpdate(HINT_FULL, 0).rebuilt);
}

TEST_F(LineListStateTest, RefitStartsAtTheTopOtherUpdatesKeepTheFirstRow) {
  EXPECT_EQ(m_state.OnUpdate(HINT_FULL, 3).topRow, 3);
  EXPECT_EQ(m_state.OnUpdate(HINT_REFIT, 3).topRow, 0);
}

TEST_F(LineListStateTest, ModelSelectionReachesTheRows) {
  Model().Select(4);
  Model().Select(1);
  LineListUpdate u = m_state.OnUpdate(HINT_SELECTION, 0);
  EXPECT_TRUE(u.selection);
  EXPECT_EQ(m_state.SelectedRows(), (std::vector<long>{4, 1}));
  EXPECT_EQ(u.focusRow, 1);  // the last one selected gets the focus
}

TEST_F(LineListStateTest, ListSelectionReachesTheModel) {
  m_state.OnListSelection({3}, false);
  EXPECT_EQ(ModelSelection(), (std::vector<int32_t>{3}));
  // Ctrl-click adds a row: the model keeps both.
  ListSelectionResult r = m_state.OnListSelection({1, 3}, false);
  EXPECT_EQ(r.selected, 1);
  EXPECT_EQ(ModelSelection(), (std::vector<int32_t>{1, 3}));
  // A shift range, then a row deselected.
  m_state.OnListSelection({1, 2, 3, 4}, false);
  EXPECT_EQ(ModelSelection(), (std::vector<int32_t>{1, 2, 3, 4}));
  r = m_state.OnListSelection({1, 2, 4}, false);
  EXPECT_EQ(r.deselected, 1);
  EXPECT_EQ(ModelSelection(), (std::vector<int32_t>{1, 2, 4}));
  // A plain click on one row leaves only that one.
  m_state.OnListSelection({5}, false);
  EXPECT_EQ(ModelSelection(), (std::vector<int32_t>{5}));
}

TEST_F(LineListStateTest, ViewModeRefusesSelectionChanges) {
  m_doc.OnViewMode();
  ASSERT_EQ(m_doc.GetEditMode(), 0);
  ListSelectionResult r = m_state.OnListSelection({2}, false);
  EXPECT_TRUE(r.revert);
  EXPECT_TRUE(ModelSelection().empty());
  EXPECT_TRUE(m_state.SelectedRows().empty());
  EXPECT_FALSE(m_state.CanDrop(static_cast<uint32_t>(PartDragKind::ListRows)));
}

TEST_F(LineListStateTest, TooSmallEmptiesTheListAndGrowingRebuildsIt) {
  LineListUpdate u = m_state.OnSize(9, 100);
  EXPECT_TRUE(u.rebuilt);
  EXPECT_EQ(m_state.GetRowCount(), 0u);
  EXPECT_EQ(m_state.OnUpdate(HINT_FULL, 0), LineListUpdate{});
  u = m_state.OnSize(100, 20);
  EXPECT_TRUE(u.rebuilt);
  EXPECT_EQ(m_state.GetRowCount(), 6u);
}

TEST_F(LineListStateTest, RowsDroppedOnTheirOwnRowStayDroppedElsewhereMove) {
  const auto kRows = static_cast<uint32_t>(PartDragKind::ListRows);
  m_state.OnListSelection({5}, false);
  m_state.BeginDrag(5);
  EXPECT_TRUE(m_state.OnDrop(kRows, 0, 5));
  EXPECT_EQ(m_state.GetRow(5).columns[5], "Last");
  EXPECT_FALSE(m_doc.IsModified());
  // Onto row 1: the comment goes before the line.
  EXPECT_TRUE(m_state.OnDrop(kRows, 0, 1));
  m_state.BeginDrag(-1);
  EXPECT_EQ(m_state.GetRow(1).columns[5], "Last");
  EXPECT_EQ(m_state.GetRow(2).columns[0], "Line");
  EXPECT_TRUE(m_doc.IsModified());
  // Another program's kind (a 3-D selection) is refused.
  EXPECT_FALSE(m_state.OnDrop(static_cast<uint32_t>(PartDragKind::Selection), 0, 1));
}

TEST_F(LineListStateTest, APartDroppedOnARowIsInsertedBeforeIt) {
  const PartHandle part = thePartList.AddExtraEntry("droppedpart.dat");
  ASSERT_NE(part, 0u);
  EXPECT_TRUE(m_state.OnDrop(static_cast<uint32_t>(PartDragKind::Part), part, 2));
  m_state.OnUpdate(HINT_FULL, 0);
  ASSERT_EQ(m_state.GetRowCount(), 7u);
  EXPECT_EQ(m_state.GetRow(2).columns[0], "PART");
  EXPECT_EQ(m_state.GetRow(2).columns[4], "droppedpart.dat");
  EXPECT_EQ(m_state.GetRow(3).columns[0], "STEP");
}

}  // namespace
