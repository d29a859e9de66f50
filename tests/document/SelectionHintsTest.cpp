// Selection notifications and mode switches: which hint each sends, what they do to the
// selection, and the redraw put off while Tab is held.
#include <gtest/gtest.h>

#include "DocModel.h"

namespace {

// Four top-level lines; elements 4 to 6 are a group "G" of two lines and the group element.
const char kModel[] =
    "2 24 0 0 0 10 0 0\n"
    "2 24 0 0 0 0 10 0\n"
    "2 24 0 0 0 0 0 10\n"
    "2 24 0 0 0 10 10 0\n"
    "0 TOLVO BTG G\n"
    "2 24 0 0 0 5 0 0\n"
    "0 TOLVO BTG G\n"
    "2 24 0 0 0 0 5 0\n"
    "0 GROUP 2 G\n";

class SelectionHintsTest : public DocumentTest {
 protected:
  void SetUp() override {
    LoadDocument(doc, kModel);
    ASSERT_EQ(Model().GetCount(), 7u);
    ClearRecords();
  }
};

struct SelectCase {
  int drawToSelection;
  bool tab;
  int listFlag;
  uint32_t hint;
  bool deferred;  // FlushDeferredRedraw then sends HINT_FULL
};

TEST_F(SelectionHintsTest, SelectElementHintByDrawToSelectionTabAndListFlag) {
  const SelectCase cases[] = {
      {0, false, 1, 0x100000, false},  {0, false, 0, 0x10100000, false}, {0, true, 1, 0x100000, false},
      {0, true, 0, 0x10100000, false}, {1, false, 1, 0x20000000, false}, {1, false, 0, 0x10000000, false},
      {1, true, 1, 0x100000, true},    {1, true, 0, 0x10100000, true},
  };
  for (const SelectCase& c : cases) {
    for (bool ctrl : {false, true}) {
      SCOPED_TRACE(testing::Message() << "DrawToSelection " << c.drawToSelection << " tab " << c.tab
                                      << " list " << c.listFlag << " ctrl " << ctrl);
      theSettings.DrawToSelection = c.drawToSelection;
      Model().SelectOnly(0);
      ClearRecords();
      EXPECT_EQ(doc.SelectElement(2, c.listFlag, SelectKeys{ctrl, c.tab}), 1);
      EXPECT_EQ(observer.hints, std::vector<uint32_t>{c.hint});
      // Ctrl or Shift adds to the selection; without them the element becomes the only one.
      EXPECT_EQ(Model().GetSelectedCount(), ctrl ? 2u : 1u);
      EXPECT_TRUE(Model().GetAt(2)->selected);
      observer.hints.clear();
      doc.FlushDeferredRedraw();
      EXPECT_EQ(observer.hints, c.deferred ? std::vector<uint32_t>{HINT_FULL} : std::vector<uint32_t>{});
    }
  }
}

TEST_F(SelectionHintsTest, WithTabHeldOnlySelectionHintsUntilTheKeyIsReleased) {
  theSettings.DrawToSelection = 1;
  const SelectKeys tab{true, true};
  for (int32_t i : {0, 1, 3}) EXPECT_EQ(doc.SelectElement(i, 1, tab), 1);
  EXPECT_EQ(observer.hints, (std::vector<uint32_t>{HINT_SELECTION, HINT_SELECTION, HINT_SELECTION}));
  EXPECT_EQ(Model().GetSelectedCount(), 3u);
  doc.FlushDeferredRedraw();
  doc.FlushDeferredRedraw();  // the put-off redraw comes once
  EXPECT_EQ(observer.hints.back(), HINT_FULL);
  EXPECT_EQ(observer.hints.size(), 4u);
}

TEST_F(SelectionHintsTest, FailedSelectionSendsNothingButClearingIsAChange) {
  // Adding index -1 fails; selecting the only selected element again changes nothing.
  Model().SelectOnly(1);
  EXPECT_EQ(doc.SelectElement(-1, 1, SelectKeys{true, false}), 0);
  EXPECT_EQ(doc.SelectElement(1, 1, SelectKeys{}), 0);
  EXPECT_TRUE(observer.hints.empty());
  // Selecting nothing without Ctrl clears the selection: the views must redraw it.
  EXPECT_EQ(doc.SelectElement(-1, 0, SelectKeys{}), 1);
  EXPECT_EQ(Model().GetSelectedCount(), 0u);
  EXPECT_EQ(observer.hints, std::vector<uint32_t>{0x10100000});
}

TEST_F(SelectionHintsTest, SelectFromListTakesTheGroupAndNeverAsksTheListToFollow) {
  Model().SelectOnly(0);
  doc.SelectFromList(-1, SelectKeys{});
  EXPECT_TRUE(observer.hints.empty());
  EXPECT_EQ(Model().GetSelectedCount(), 1u);

  doc.SelectFromList(4, SelectKeys{});  // a group member: the whole group
  EXPECT_EQ(Model().GetSelectedCount(), 3u);
  EXPECT_FALSE(Model().GetAt(0)->selected);
  EXPECT_EQ(observer.hints, std::vector<uint32_t>{0x10100000});

  theSettings.DrawToSelection = 1;
  observer.hints.clear();
  doc.SelectFromList(2, SelectKeys{});
  doc.SelectFromList(3, SelectKeys{false, true});
  doc.FlushDeferredRedraw();
  EXPECT_EQ(observer.hints, (std::vector<uint32_t>{0x10000000, 0x10100000, HINT_FULL}));
}

TEST_F(SelectionHintsTest, DeselectFromListSendsOnlyWhenSomethingChanged) {
  Model().SelectOnly(0);
  Model().Select(2);
  doc.DeselectFromList(1, 1);  // not selected
  EXPECT_TRUE(observer.hints.empty());
  doc.DeselectFromList(0, 1);
  doc.DeselectFromList(2, 0);
  EXPECT_EQ(observer.hints, (std::vector<uint32_t>{HINT_SELECTION, 0x10100000}));
  EXPECT_EQ(Model().GetSelectedCount(), 0u);
}

TEST_F(SelectionHintsTest, BuildSelectionClearAddFinish) {
  Model().SelectOnly(3);
  struct Step {
    int kind;
    int32_t index;
    int result;
  };
  const Step steps[] = {{0, -1, 1}, {1, 0, 1}, {1, 0, 1}, {1, 2, 1}, {1, -1, 0}, {1, 99, 0}, {7, 0, 0}};
  for (const Step& s : steps)
    EXPECT_EQ(doc.BuildSelection(s.kind, s.index), s.result) << s.kind << " " << s.index;
  EXPECT_TRUE(observer.hints.empty());
  EXPECT_EQ(Model().GetSelectedCount(), 2u);
  EXPECT_FALSE(Model().GetAt(3)->selected);
  EXPECT_EQ(doc.BuildSelection(2, 0), 1);
  theSettings.DrawToSelection = 1;
  EXPECT_EQ(doc.BuildSelection(2, 0), 1);
  EXPECT_EQ(observer.hints, (std::vector<uint32_t>{HINT_SELECTION, HINT_FULL}));
}

// --- mode switches ---

struct ModeState {
  int editMode, subMode, shownStep, prevDrawnStep;
};

void ExpectState(const CQuorvelDoc& doc, const ModeState& s) {
  EXPECT_EQ(doc.GetEditMode(), s.editMode);
  EXPECT_EQ(doc.GetEditSubMode(), s.subMode);
  EXPECT_EQ(doc.GetShownStep(), s.shownStep);
  EXPECT_EQ(doc.GetPreviousDrawnStep(), s.prevDrawnStep);
}

TEST_F(SelectionHintsTest, ToViewModeClearsTheSelectionAndShowsStepOne) {
  doc.SetEditMode(2);
  Model().SelectOnly(1);
  ClearRecords();
  doc.OnViewMode();
  ExpectState(doc, {0, 0, 1, 0});
  EXPECT_EQ(Model().GetSelectedCount(), 0u);
  EXPECT_EQ(host.editModes, std::vector<int>{0});
  EXPECT_EQ(observer.hints, std::vector<uint32_t>{HINT_MODE_CHANGED});
  // Already in view mode: nothing.
  doc.OnViewMode();
  EXPECT_EQ(observer.hints.size(), 1u);
  EXPECT_EQ(host.editModes.size(), 1u);
}

TEST_F(SelectionHintsTest, SubModeSwitchesTable) {
  struct Case {
    bool fromViewMode;
    int from, to;
    std::vector<uint32_t> hints;
    std::vector<int> frameModes;
    ModeState after;
  };
  const Case cases[] = {
      {false, 0, 0, {}, {}, {1, 0, -1, -1}},                  // the same sub-mode: nothing
      {false, 0, 1, {HINT_SUBMODE}, {}, {1, 1, -1, -1}},      // pan
      {false, 1, 3, {HINT_SUBMODE}, {}, {1, 3, -1, -1}},      // zoom
      {false, 3, 2, {HINT_SUBMODE}, {}, {1, 2, -1, -1}},      // rotate
      {false, 1, 4, {}, {}, {1, 1, -1, -1}},                  // no such mouse mode
      {true, 0, 0, {HINT_MODE_CHANGED}, {1}, {1, 0, -1, 0}},  // view mode: Edit Mode
      {true, 0, 1, {HINT_MODE_CHANGED}, {1}, {1, 1, -1, 0}},  // view mode: Pan Mode
      {true, 0, 3, {HINT_MODE_CHANGED}, {1}, {1, 3, -1, 0}},  // view mode: Zoom Mode
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "view " << c.fromViewMode << " " << c.from << " -> " << c.to);
    LoadDocument(doc, kModel);
    doc.SetEditMode(c.from);
    if (c.fromViewMode) doc.OnViewMode();
    Model().SelectOnly(2);
    ClearRecords();
    doc.SetEditMode(c.to);
    EXPECT_EQ(observer.hints, c.hints);
    EXPECT_EQ(host.editModes, c.frameModes);
    ExpectState(doc, c.after);
    // Leaving view mode clears the selection; a sub-mode change in edit mode keeps it.
    EXPECT_EQ(Model().GetSelectedCount(), c.fromViewMode ? 0u : 1u);
  }
}

}  // namespace

namespace {

TEST_F(SelectionHintsTest, SetSelectionColorRecoloursTheSelectionInOneUndoStep) {
  Model().SelectOnly(0);
  Model().Select(2);
  EXPECT_EQ(doc.SetSelectionColor(4, 0), 1);
  EXPECT_EQ(observer.hints, std::vector<uint32_t>{0x20040000u});
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(Model().GetAt(0)->GetColor(), 4u);
  EXPECT_EQ(Model().GetAt(1)->GetColor(), 24u);
  EXPECT_EQ(Model().GetAt(2)->GetColor(), 4u);
  // A changed colour table redraws everything.
  observer.hints.clear();
  EXPECT_EQ(doc.SetSelectionColor(1, 1), 1);
  EXPECT_EQ(observer.hints, std::vector<uint32_t>{HINT_FULL});
  doc.OnEditUndo();
  doc.OnEditUndo();
  EXPECT_FALSE(doc.IsModified());
  EXPECT_EQ(Model().GetAt(0)->GetColor(), 24u);
}

}  // namespace
