// The selection and editing commands: one row per command on a small project (selection in,
// model text, hint, modified flag and undo count out, then Undo back to the loaded text), the
// enable rules, and the settings commands.
#include "EditCommandsFixture.h"

namespace {
using namespace edit_test;

using RunFn = std::function<int(CQuorvelDoc&, CEditEditor&, CScriptedPorts&)>;

struct Row {
  const char* what;
  std::vector<int32_t> selection;
  int grid;  // GridType
  RunFn run;
  std::string text;  // main's element lines afterwards
  std::vector<uint32_t> hints;
  bool modified;
};

// A command of the document without arguments.
RunFn Call(int (CQuorvelDoc::*command)()) {
  return [command](CQuorvelDoc& d, CEditEditor&, CScriptedPorts&) { return (d.*command)(); };
}

// One grid step of a move or a turn, by its command id.
RunFn MoveStep(int command) {
  return [command](CQuorvelDoc& d, CEditEditor&, CScriptedPorts&) { return d.MoveByGrid(command); };
}
RunFn TurnStep(int command) {
  return [command](CQuorvelDoc& d, CEditEditor&, CScriptedPorts&) { return d.RotateByGrid(command); };
}

// The keyboard entry command, its dialog answered with `entry`.
RunFn ByKeyboard(const KeyboardEntry& entry) {
  return [entry](CQuorvelDoc& d, CEditEditor&, CScriptedPorts& p) {
    p.entries.push_back(entry);
    return d.OnKeyboardEntry();
  };
}

KeyboardEntry PositionEntry(double x, double y, double z) {
  KeyboardEntry entry;
  entry.usePosition = true;
  entry.position[0] = x;
  entry.position[1] = y;
  entry.position[2] = z;
  return entry;
}

// A quarter turn about y.
KeyboardEntry QuarterTurnEntry() {
  KeyboardEntry entry;
  entry.useRotation = true;
  const double quarter[9] = {0, 0, 1, 0, 1, 0, -1, 0, 0};
  std::copy(quarter, quarter + 9, entry.matrix);
  return entry;
}

// The sort command, its dialog answered with `choice`.
RunFn BySort(const SortChoice& choice) {
  return [choice](CQuorvelDoc& d, CEditEditor&, CScriptedPorts& p) {
    p.sorts.push_back(choice);
    return d.OnSort();
  };
}

TEST_F(EditCommandsTest, EveryCommandOnTheProject) {
  using D = CQuorvelDoc;
  using E = CEditEditor;
  using P = CScriptedPorts;
  const std::string same = MainWith({});
  // Pasted elements in the middle of the list shift the pick ids of those behind them, so the
  // panes draw everything again rather than only the new elements.
  const Row rows[] = {
      {"copy", {1}, 0, Call(&D::OnEditCopy), same, {}, false},
      {"cut", {1}, 0, Call(&D::OnEditCut), MainWith({{1, nullptr}}), {HINT_FULL}, true},
      {"erase", {3}, 0, Call(&D::OnEditErase), MainWith({{3, nullptr}}), {HINT_FULL}, true},
      {"erase a group", {6}, 0, Call(&D::OnEditErase),
       MainWith({{6, nullptr}, {7, nullptr}, {8, nullptr}}), {HINT_FULL}, true},
      {"duplicate", {1}, 0, Call(&D::OnEditDuplicate), MainWith({{1, kMain[1], true}}), {HINT_FULL}, true},
      {"copy then paste", {3}, 0,
       [](D& d, E&, P&) {
         d.OnEditCopy();
         return d.OnEditPasteAny();
       },
       MainWith({{3, kMain[3], true}}), {HINT_FULL}, true},
      // Moves: one step of the grid in use, in the settings' axes.
      {"X -> coarse", {1}, 0, MoveStep(32792),
       MainWith({{1, "1 4 20 0 0 1 0 0 0 1 0 0 0 1 sub.ldr\n"}}), {kMoved}, true},
      {"<- X medium", {1}, 1, MoveStep(32793),
       MainWith({{1, "1 4 -10 0 0 1 0 0 0 1 0 0 0 1 sub.ldr\n"}}), {kMoved}, true},
      {"Y -> goes up (-y)", {1}, 0, MoveStep(32794),
       MainWith({{1, "1 4 0 -8 0 1 0 0 0 1 0 0 0 1 sub.ldr\n"}}), {kMoved}, true},
      {"<- Y fine", {1}, 2, MoveStep(32795),
       MainWith({{1, "1 4 0 1 0 1 0 0 0 1 0 0 0 1 sub.ldr\n"}}), {kMoved}, true},
      {"Z -> on a line", {3}, 0, MoveStep(32796),
       MainWith({{3, "2 24 0 0 20 10 0 20\n"}}), {kMoved}, true},
      {"<- Z on two parts", {1, 2}, 0, MoveStep(32797),
       MainWith({{1, "1 4 0 0 -20 1 0 0 0 1 0 0 0 1 sub.ldr\n"},
                 {2, "1 1 23 -21 -16 0 0 1 0 1 0 -1 0 0 sub.ldr\n"}}),
       {kMoved}, true},
      // Turns about the first selected part's origin: "<- X" by +angle, "X ->" by -angle, the y
      // and z pairs the other way round.
      {"<- X coarse: +90 about x", {1}, 0, TurnStep(32816),
       MainWith({{1, "1 4 0 0 0 1 0 0 0 0 -1 0 1 0 sub.ldr\n"}}), {kMoved}, true},
      {"X -> coarse: -90 about x", {1}, 0, TurnStep(32817),
       MainWith({{1, "1 4 0 0 0 1 0 0 0 0 1 0 -1 0 sub.ldr\n"}}), {kMoved}, true},
      {"<- Y coarse: -90 about y", {1}, 0, TurnStep(32818),
       MainWith({{1, "1 4 0 0 0 0 0 -1 0 1 0 1 0 0 sub.ldr\n"}}), {kMoved}, true},
      {"Y -> coarse: +90 about y", {1}, 0, TurnStep(32819),
       MainWith({{1, "1 4 0 0 0 0 0 1 0 1 0 -1 0 0 sub.ldr\n"}}), {kMoved}, true},
      {"<- Z coarse: -90 about z", {1}, 0, TurnStep(32820),
       MainWith({{1, "1 4 0 0 0 0 1 0 -1 0 0 0 0 1 sub.ldr\n"}}), {kMoved}, true},
      // A line turns about its first vertex, unrounded: (10, 0, 0) by 22.5 degrees about z is
      // (10 cos 22.5, 10 sin 22.5, 0), written with 9 significant digits.
      {"Z -> fine on a line: +22.5 about z", {3}, 2, TurnStep(32821),
       MainWith({{3, "2 24 0 0 0 9.23879533 3.82683432 0\n"}}), {kMoved}, true},
      // The turned part snaps along its own axes: (23, -21, 4) to (20, -24, 0).
      {"snap", {2}, 0, Call(&D::OnSnapToGrid),
       MainWith({{2, "1 1 20 -24 0 0 0 1 0 1 0 -1 0 0 sub.ldr\n"}}), {kMoved}, true},
      {"hide", {1}, 0, Call(&D::OnHide),
       MainWith({{1, "0 TOLVO HIDE 1 4 0 0 0 1 0 0 0 1 0 0 0 1 sub.ldr\n"}}), {HINT_FULL}, true},
      {"unhide", {5}, 0, Call(&D::OnUnhide),
       MainWith({{5, "2 24 0 0 0 0 0 10\n"}}), {HINT_FULL}, true},
      {"unhide all", {}, 0, Call(&D::OnUnhideAll),
       MainWith({{5, "2 24 0 0 0 0 0 10\n"}}), {HINT_FULL}, true},
      {"ghost", {3}, 0, Call(&D::OnGhost),
       MainWith({{3, "0 GHOST 2 24 0 0 0 10 0 0\n"}}), {kMoved}, true},
      {"unghost", {3}, 0,
       [](D& d, E&, P&) {
         d.GetActiveModel()->SetGhostOfSelected(true);
         return d.OnUnghost();
       },
       same, {kMoved}, true},
      {"group", {1, 3}, 0,
       [](D& d, E& e, P&) {
         e.groupNames.push_back("g1");
         return d.OnGroup();
       },
       MainWith({{1, "0 TOLVO BTG g1\n1 4 0 0 0 1 0 0 0 1 0 0 0 1 sub.ldr\n"},
                 {3, "0 TOLVO BTG g1\n2 24 0 0 0 10 0 0\n"},
                 {3, "0 GROUP 2 g1\n", true}}),
       {HINT_KEEP_IMAGE}, true},
      // Kept as the command always was: a cancelled name still takes a snapshot and updates.
      {"group cancelled", {1, 3}, 0, Call(&D::OnGroup), same, {HINT_KEEP_IMAGE}, true},
      {"ungroup", {7}, 0, Call(&D::OnUngroup),
       MainWith({{6, "2 24 0 0 0 0 0 20\n"}, {7, "2 24 0 0 0 0 0 30\n"}, {8, nullptr}}), {HINT_KEEP_IMAGE}, true},
      {"select all", {}, 0, Call(&D::OnSelectAll), same, {HINT_SELECTION}, false},
      {"select same type", {1}, 0, Call(&D::OnSelectSameType), same, {HINT_SELECTION}, false},
      {"select same colour", {3}, 0, Call(&D::OnSelectSameColor), same, {HINT_SELECTION}, false},
      {"grid fine", {}, 0,
       [](D& d, E&, P&) {
         d.SetGridType(2);
         return theSettings.GridType == 2 ? 1 : 0;
       },
       same, {}, false},
      {"refresh", {3}, 0,
       [](D& d, E&, P&) {
         d.OnRefresh();
         return 1;
       },
       same, {HINT_REFIT}, false},
      {"pane coordinates", {}, 0,
       [](D& d, E&, P&) {
         d.OnTogglePaneCoordinates();
         return 1;
       },
       same, {HINT_PANES_ONLY | HINT_SELECTION}, false},
      {"keyboard entry, one part: absolute", {1}, 0, ByKeyboard(PositionEntry(40, -8, 0)),
       MainWith({{1, "1 4 40 -8 0 1 0 0 0 1 0 0 0 1 sub.ldr\n"}}), {kMoved}, true},
      {"keyboard entry, two elements: relative", {1, 3}, 0, ByKeyboard(PositionEntry(0, 0, 10)),
       MainWith({{1, "1 4 0 0 10 1 0 0 0 1 0 0 0 1 sub.ldr\n"}, {3, "2 24 0 0 10 10 0 10\n"}}), {kMoved}, true},
      {"keyboard entry, one part: absolute turn", {1}, 0, ByKeyboard(QuarterTurnEntry()),
       MainWith({{1, "1 4 0 0 0 0 0 1 0 1 0 -1 0 0 sub.ldr\n"}}), {kMoved}, true},
      // Relative turns go about the rotation centre, the first selected part's origin (0, 0, 0):
      // the line's (10, 0, 0) turns to (0, 0, -10).
      {"keyboard entry, two elements: relative turn", {1, 3}, 0, ByKeyboard(QuarterTurnEntry()),
       MainWith({{1, "1 4 0 0 0 0 0 1 0 1 0 -1 0 0 sub.ldr\n"}, {3, "2 24 0 0 0 0 0 -10\n"}}), {kMoved}, true},
      {"sort by colour, selected only", {1, 2}, 0, BySort(SortChoice{true, false, true, 0}),
       same, {}, false},
      {"keyboard entry, nothing ticked", {1}, 0, ByKeyboard(KeyboardEntry{}),
       same, {}, false},
      {"colour", {1}, 0,
       [](D& d, E&, P& p) {
         p.colors.push_back(ColorChoice{2, false});
         return d.OnChooseColor();
       },
       MainWith({{1, "1 2 0 0 0 1 0 0 0 1 0 0 0 1 sub.ldr\n"}}), {kMoved}, true},
      {"sort by colour, ascending", {}, 0, BySort(SortChoice{false, true, false, 0}),
       MainWith({{1, kMain[2]}, {2, kMain[1]}}), {HINT_FULL}, true},
      {"modify a comment", {4}, 0,
       [](D& d, E& e, P&) {
         e.comments.push_back("changed");
         return d.EditSelectedElement();
       },
       MainWith({{4, "0 changed\n"}}), {HINT_LIST_STATES}, true},
  };
  ports.offered = {DocPort::Color, DocPort::Sort, DocPort::KeyboardEntry};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    Load({});
    for (int32_t i : row.selection) Model().Select(i);
    theSettings.GridType = row.grid;
    const std::string before = ProjectText(doc);
    row.run(doc, editor, ports);
    EXPECT_EQ(ModelText(Model()), row.text);
    EXPECT_EQ(observer.hints, row.hints);
    EXPECT_EQ(doc.IsModified(), row.modified);
    EXPECT_EQ(doc.GetUndoCount(), row.modified ? 2 : 1);
    EXPECT_TRUE(prompt.shown.empty());
    if (row.modified) {
      doc.OnEditUndo();
      EXPECT_EQ(ProjectText(doc), before);
      EXPECT_FALSE(doc.IsModified());
    }
  }
}

TEST_F(EditCommandsTest, SelectingSimilarElements) {
  Load({1});
  EXPECT_EQ(doc.OnSelectSameType(), 1);  // both references to sub, whatever their colour
  EXPECT_EQ(Model().GetSelectionOrder().size(), 2u);
  Load({3});
  EXPECT_EQ(doc.OnSelectSameColor(), 1);
  // Every element in colour 24: the four lines and the group element that joins its members.
  EXPECT_EQ(Model().CountSelected(1), 4);
  Load({});
  EXPECT_EQ(doc.OnSelectAll(), 1);
  EXPECT_EQ(Model().GetSelectedCount(), kMainCount);
  theSettings.DrawToSelection = 1;
  Load({1});
  EXPECT_EQ(doc.OnSelectSameType(), 1);
  EXPECT_EQ(observer.hints, std::vector<uint32_t>{HINT_FULL});
}

TEST_F(EditCommandsTest, RefreshRefitsThePanesAndTellsTheWindows) {
  Load({3});
  doc.OnRefresh();
  EXPECT_EQ(observer.hints, std::vector<uint32_t>{HINT_REFIT});
  EXPECT_EQ(host.messages, std::vector<unsigned>{WM_MODEL_CHANGED});
}

TEST_F(EditCommandsTest, DrawToSelectionToggleAndGroupHint) {
  Load({1, 3});
  doc.OnToggleDrawToSelection();
  EXPECT_EQ(theSettings.DrawToSelection, 1);
  editor.groupNames.push_back("g");
  EXPECT_EQ(doc.OnGroup(), 1);
  EXPECT_EQ(observer.hints, (std::vector<uint32_t>{HINT_FULL, HINT_FULL}));
  doc.OnToggleDrawToSelection();
  EXPECT_EQ(theSettings.DrawToSelection, 0);
}

TEST_F(EditCommandsTest, RotationPointThroughItsDialog) {
  Load({});
  editor.rotationModes.push_back(3);
  EXPECT_TRUE(doc.CanEditRotationPoint());
  EXPECT_EQ(doc.OnEditRotationPoint(), 1);
  EXPECT_EQ(Model().GetRotationPoints().mode, 3);
  EXPECT_EQ(observer.hints, std::vector<uint32_t>{HINT_PANES_ONLY | HINT_KEEP_IMAGE});
  EXPECT_EQ(doc.GetUndoCount(), 2);
  // Cancel changes nothing; a mode naming a custom point that is not there falls back.
  EXPECT_EQ(doc.OnEditRotationPoint(), 0);
  editor.rotationModes.push_back(9);
  EXPECT_EQ(doc.OnEditRotationPoint(), 1);
  EXPECT_EQ(Model().GetRotationPoints().mode, 0);
  doc.OnEditUndo();
  EXPECT_EQ(Model().GetRotationPoints().mode, 3);
}

TEST_F(EditCommandsTest, ColourCancelledAfterTheTableChanged) {
  ports.offered = {DocPort::Color};
  Load({1});
  ports.colors.clear();  // Cancel
  EXPECT_EQ(doc.OnChooseColor(), 0);
  EXPECT_TRUE(observer.hints.empty());
  // The scripted dialog cancels with the table changed when its answer says so.
  class CTableChangingPorts : public CScriptedPorts {
   public:
    PortResult ChooseColor(ColorChoice& choice) override {
      choice.tableChanged = true;
      return PortResult::Cancelled;
    }
  } changing;
  changing.offered = {DocPort::Color};
  doc.SetPorts(&changing);
  EXPECT_EQ(doc.OnChooseColor(), 0);
  EXPECT_EQ(observer.hints, std::vector<uint32_t>{HINT_FULL});
  EXPECT_FALSE(doc.IsModified());
  doc.SetPorts(&ports);
}

// Which commands are enabled for which selection.
TEST_F(EditCommandsTest, EnableRules) {
  struct Case {
    const char* what;
    std::vector<int32_t> selection;
    std::function<bool(const CQuorvelDoc&)> rule;
    bool enabled;
  };
  const Case cases[] = {
      {"copy without selection", {}, [](const CQuorvelDoc& d) { return d.HasSelection(); }, false},
      {"copy", {4}, [](const CQuorvelDoc& d) { return d.HasSelection(); }, true},
      {"snap on a line", {3}, [](const CQuorvelDoc& d) { return d.CanSnapToGrid(); }, false},
      {"snap on a part", {2}, [](const CQuorvelDoc& d) { return d.CanSnapToGrid(); }, true},
      {"move a comment", {4}, [](const CQuorvelDoc& d) { return d.CanMoveByGrid(); }, false},
      {"move a line", {3}, [](const CQuorvelDoc& d) { return d.CanMoveByGrid(); }, true},
      {"hide the hidden", {5}, [](const CQuorvelDoc& d) { return d.CanHide(); }, false},
      {"hide", {3, 5}, [](const CQuorvelDoc& d) { return d.CanHide(); }, true},
      {"unhide the shown", {3}, [](const CQuorvelDoc& d) { return d.CanUnhide(); }, false},
      {"unhide all", {}, [](const CQuorvelDoc& d) { return d.CanUnhideAll(); }, true},
      {"ghost", {3}, [](const CQuorvelDoc& d) { return d.CanGhost(); }, true},
      {"unghost the plain", {3}, [](const CQuorvelDoc& d) { return d.CanUnghost(); }, false},
      {"group one group", {6}, [](const CQuorvelDoc& d) { return d.CanGroup(); }, false},
      {"group a group and a line", {6, 3}, [](const CQuorvelDoc& d) { return d.CanGroup(); }, true},
      {"ungroup a group", {6}, [](const CQuorvelDoc& d) { return d.CanUngroup(); }, true},
      {"ungroup with a loose line", {6, 3}, [](const CQuorvelDoc& d) { return d.CanUngroup(); }, false},
      {"same type of two", {1, 2}, [](const CQuorvelDoc& d) { return d.CanSelectSameType(); }, false},
      {"same colour of a comment", {4}, [](const CQuorvelDoc& d) { return d.CanSelectSameColor(); }, false},
      {"same colour of a part", {1}, [](const CQuorvelDoc& d) { return d.CanSelectSameColor(); }, true},
      {"refresh without drawables", {4}, [](const CQuorvelDoc& d) { return d.CanRefresh(); }, false},
      {"refresh", {3}, [](const CQuorvelDoc& d) { return d.CanRefresh(); }, true},
      {"select all", {}, [](const CQuorvelDoc& d) { return d.CanSelectAll(); }, true},
      {"paste from an empty buffer and clipboard", {}, [](const CQuorvelDoc& d) { return d.CanPasteAny(); },
       false},
      // The dialogs that are not there disable their commands.
      {"colour without its dialog", {1}, [](const CQuorvelDoc& d) { return d.CanChooseColor(); }, false},
      {"keyboard entry without its dialog", {1}, [](const CQuorvelDoc& d) { return d.CanEnterByKeyboard(); },
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Load({});
    for (int32_t i : c.selection) Model().Select(i);
    EXPECT_EQ(c.rule(doc), c.enabled);
  }
  editor.offersRotationPoint = false;
  EXPECT_FALSE(doc.CanEditRotationPoint());
  SetElementEditor(nullptr);  // no dialogs at all
  Load({1, 3});
  EXPECT_FALSE(doc.CanGroup());
  EXPECT_FALSE(doc.CanModify());
  SetElementEditor(&editor);
  doc.OnViewMode();
  Load({3});
  doc.OnViewMode();
  EXPECT_FALSE(doc.CanMoveByGrid());
  EXPECT_FALSE(doc.CanSelectAll());
  EXPECT_FALSE(doc.CanGhost());
}

// --- the desktop clipboard ---

}  // namespace
