// Steps and navigation: the step count with the extra step, the navigation commands in view and
// edit mode with their hints and enable rules, the step operations of printing, print mode and
// automatic steps.
#include <gtest/gtest.h>

#include "DocModel.h"
#include "model/QvStepPart.h"

namespace {

constexpr uint32_t kStep = 0x10040000;  // steps in view mode: panes only, keep the image

class StepNavigationTest : public DocumentTest {
 protected:
  // View mode on a model of `steps` steps, showing step `shown` with nothing drawn before.
  void ViewModel(int steps, int shown = 1) {
    LoadDocument(doc, SteppedModel(steps));
    ASSERT_EQ(doc.GetStepCount(0), steps);
    doc.OnViewMode();
    doc.SetStep(shown);
    ASSERT_EQ(doc.GetShownStep(), shown);
    ClearRecords();
  }
};

TEST_F(StepNavigationTest, StepCountWithTheExtraStep) {
  struct Case {
    int steps, apvt, expected;
  };
  // The extra last step shows the finished model; a model of one step has none.
  const Case cases[] = {{0, 1, 0}, {1, 1, 1}, {2, 1, 3}, {7, 1, 8},
                        {7, 3, 8}, {0, 0, 0}, {1, 0, 1}, {7, 0, 7}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.steps << " steps, APVT " << c.apvt);
    theSettings.APVT = c.apvt;
    LoadDocument(doc, SteppedModel(c.steps));
    EXPECT_EQ(doc.GetStepCount(0), c.steps);
    EXPECT_EQ(doc.GetStepCount(1), c.expected);
  }
}

enum class Nav { First, Previous, Next, Last, FastBackward, FastForward };

void RunNav(CQuorvelDoc& doc, Nav nav) {
  switch (nav) {
    case Nav::First:
      return doc.OnFirst();
    case Nav::Previous:
      return doc.OnPrevious();
    case Nav::Next:
      return doc.OnNext();
    case Nav::Last:
      return doc.OnLast();
    case Nav::FastBackward:
      return doc.OnFastBackward();
    case Nav::FastForward:
      return doc.OnFastForward();
  }
}

bool Enabled(const CQuorvelDoc& doc, Nav nav) {
  switch (nav) {
    case Nav::First:
    case Nav::Previous:
      return doc.CanGoBack();
    case Nav::Next:
    case Nav::Last:
      return doc.CanGoForward();
    case Nav::FastBackward:
      return doc.CanFastBackward();
    case Nav::FastForward:
      return doc.CanFastForward();
  }
  return false;
}

struct NavCase {
  const char* what;
  int steps, fastStep, shown;
  Nav nav;
  bool enabled;
  int shownAfter, prevAfter;
  std::vector<uint32_t> hints;
};

TEST_F(StepNavigationTest, ViewModeNavigationTable) {
  // 7 steps with APVT on: N = 8.
  const NavCase cases[] = {
      {"next draws only the new step", 7, 5, 3, Nav::Next, true, 4, 3, {kStep}},
      {"next is disabled at N", 7, 5, 8, Nav::Next, false, 8, 0, {}},
      {"next reaches the extra step", 7, 5, 7, Nav::Next, true, 8, 7, {kStep}},
      {"previous redraws from the start", 7, 5, 5, Nav::Previous, true, 4, 0, {kStep}},
      {"previous is disabled at 1", 7, 5, 1, Nav::Previous, false, 1, 0, {}},
      {"first", 7, 5, 5, Nav::First, true, 1, 0, {kStep}},
      {"first is disabled at 1", 7, 5, 1, Nav::First, false, 1, 0, {}},
      {"last refits", 7, 5, 3, Nav::Last, true, 8, 3, {HINT_PANES_ONLY}},
      {"last is disabled at N", 7, 5, 8, Nav::Last, false, 8, 0, {}},
      {"fast forward stops at N", 7, 5, 6, Nav::FastForward, true, 8, 6, {kStep}},
      {"fast forward by FastStep", 7, 5, 1, Nav::FastForward, true, 6, 1, {kStep}},
      {"fast forward is disabled at N", 7, 5, 8, Nav::FastForward, false, 8, 0, {}},
      {"fast backward stops at 1", 7, 5, 3, Nav::FastBackward, true, 1, 0, {kStep}},
      {"fast backward by FastStep", 7, 5, 7, Nav::FastBackward, true, 2, 0, {kStep}},
      {"fast backward is disabled at 1", 7, 5, 1, Nav::FastBackward, false, 1, 0, {}},
      {"FastStep 0 still moves forward", 7, 0, 2, Nav::FastForward, true, 3, 2, {kStep}},
      {"negative FastStep still moves back", 7, -4, 5, Nav::FastBackward, true, 4, 0, {kStep}},
      // One step: N = 1 and nothing to go to.
      {"single step: next", 1, 5, 1, Nav::Next, false, 1, 0, {}},
      {"single step: last", 1, 5, 1, Nav::Last, false, 1, 0, {}},
      {"single step: fast forward", 1, 5, 1, Nav::FastForward, false, 1, 0, {}},
      // No steps at all: N = 0, every command disabled.
      {"no steps: next", 0, 5, 1, Nav::Next, false, 1, 0, {}},
      {"no steps: fast forward", 0, 5, 1, Nav::FastForward, false, 1, 0, {}},
  };
  for (const NavCase& c : cases) {
    SCOPED_TRACE(c.what);
    theSettings.FastStep = c.fastStep;
    ViewModel(c.steps, c.shown);
    EXPECT_EQ(Enabled(doc, c.nav), c.enabled);
    RunNav(doc, c.nav);
    EXPECT_EQ(doc.GetShownStep(), c.shownAfter);
    EXPECT_EQ(doc.GetPreviousDrawnStep(), c.prevAfter);
    EXPECT_EQ(observer.hints, c.hints);
    EXPECT_EQ(doc.GetEditMode(), 0);
  }
}

TEST_F(StepNavigationTest, FastCommandsAreDisabledInEditMode) {
  LoadDocument(doc, SteppedModel(7));
  EXPECT_FALSE(doc.CanFastForward());
  EXPECT_FALSE(doc.CanFastBackward());
  doc.OnFastForward();
  EXPECT_EQ(doc.GetShownStep(), -1);
}

TEST_F(StepNavigationTest, NextStepWrapsAtTheEndAndIsSilentInPrintMode) {
  ViewModel(7, 3);
  EXPECT_EQ(doc.NextStep(), 1);
  EXPECT_EQ(doc.GetShownStep(), 4);
  EXPECT_EQ(doc.GetPreviousDrawnStep(), 3);
  doc.SetStep(8);
  EXPECT_EQ(doc.NextStep(), 1);
  // Past N: step 1 again, drawn from scratch.
  EXPECT_EQ(doc.GetShownStep(), 1);
  EXPECT_EQ(doc.GetPreviousDrawnStep(), 0);
  EXPECT_EQ(observer.hints, (std::vector<uint32_t>{kStep, kStep}));

  doc.SetPrintMode(1);
  observer.hints.clear();
  EXPECT_EQ(doc.NextStep(), 1);
  EXPECT_EQ(doc.GetShownStep(), 2);
  EXPECT_TRUE(observer.hints.empty());
}

TEST_F(StepNavigationTest, NextStepInEditModeShowsTheWholeModel) {
  LoadDocument(doc, SteppedModel(3));
  ClearRecords();
  EXPECT_EQ(doc.NextStep(), 0);
  EXPECT_EQ(doc.GetShownStep(), -1);
  EXPECT_EQ(doc.GetPreviousDrawnStep(), 0);
  EXPECT_TRUE(observer.hints.empty());
}

TEST_F(StepNavigationTest, SetStepTable) {
  struct Case {
    int steps, n, shown;
  };
  const Case cases[] = {
      {7, 3, 3}, {7, -1, 8}, {7, 8, 8}, {7, 0, 1}, {7, -5, 1}, {7, 99, 8}, {1, -1, 1}, {0, -1, 1}, {0, 4, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.steps << " steps, SetStep(" << c.n << ")");
    ViewModel(c.steps, 1);
    doc.NextStep();  // something drawn before
    doc.SetStep(c.n);
    EXPECT_EQ(doc.GetShownStep(), c.shown);
    EXPECT_EQ(doc.GetPreviousDrawnStep(), 0);
  }
  // No step operation sends a hint but NextStep.
  observer.hints.clear();
  doc.SetStep(1);
  doc.ActivateModel(0);
  EXPECT_TRUE(observer.hints.empty());
}

TEST_F(StepNavigationTest, PrintModeEnterAndLeave) {
  struct Case {
    bool viewMode;
    int printSteps;
    int shownInPrint;
  };
  const Case cases[] = {{false, 1, 1}, {false, 0, -1}, {true, 1, 1}, {true, 0, -1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "view mode " << c.viewMode << " PrintSteps " << c.printSteps);
    theSettings.PrintSteps = c.printSteps;
    LoadDocument(doc, SteppedModel(7));
    doc.SetEditMode(1);  // pan
    if (c.viewMode) {
      doc.OnViewMode();
      doc.OnNext();
      doc.OnNext();  // step 3, step 2 drawn
    }
    const int editMode = doc.GetEditMode(), shown = doc.GetShownStep(), prev = doc.GetPreviousDrawnStep();
    ClearRecords();

    doc.SetPrintMode(1);
    EXPECT_TRUE(doc.AreStepUpdatesBlocked());
    EXPECT_EQ(doc.GetEditMode(), 0);
    EXPECT_EQ(doc.GetEditSubMode(), 0);
    EXPECT_EQ(doc.GetShownStep(), c.shownInPrint);
    EXPECT_EQ(doc.GetPreviousDrawnStep(), 0);
    // The step commands belong to the print job now.
    EXPECT_FALSE(doc.CanGoForward());
    EXPECT_FALSE(doc.CanGoBack());
    EXPECT_FALSE(doc.CanFastForward());
    doc.OnNext();
    EXPECT_EQ(doc.GetShownStep(), c.shownInPrint);
    // The job walks the steps; from "the whole model" the first NextStep shows step 1.
    doc.NextStep();
    EXPECT_EQ(doc.GetShownStep(), c.shownInPrint == 1 ? 2 : 1);
    EXPECT_EQ(doc.GetPreviousDrawnStep(), c.shownInPrint == 1 ? 1 : 0);
    // Print preview enters a second time inside the job: the inner leave keeps print mode and
    // the outer one goes back to what was there before the first enter.
    doc.SetPrintMode(1);
    EXPECT_EQ(doc.GetShownStep(), c.shownInPrint == 1 ? 2 : 1);
    doc.SetPrintMode(0);
    EXPECT_TRUE(doc.AreStepUpdatesBlocked());
    EXPECT_EQ(doc.GetEditMode(), 0);
    EXPECT_EQ(doc.GetShownStep(), c.shownInPrint == 1 ? 2 : 1);
    EXPECT_FALSE(doc.CanGoForward());

    doc.SetPrintMode(0);
    EXPECT_FALSE(doc.AreStepUpdatesBlocked());
    EXPECT_EQ(doc.GetEditMode(), editMode);
    EXPECT_EQ(doc.GetShownStep(), shown);
    EXPECT_EQ(doc.GetPreviousDrawnStep(), prev);
    EXPECT_EQ(doc.GetEditSubMode(), 0);
    EXPECT_TRUE(observer.hints.empty());
    EXPECT_TRUE(host.editModes.empty());

    // Leaving again restores nothing.
    doc.OnViewMode();
    doc.OnNext();
    const int shownNow = doc.GetShownStep(), prevNow = doc.GetPreviousDrawnStep();
    doc.SetPrintMode(0);
    EXPECT_EQ(doc.GetEditMode(), 0);
    EXPECT_EQ(doc.GetShownStep(), shownNow);
    EXPECT_EQ(doc.GetPreviousDrawnStep(), prevNow);
  }
}

TEST_F(StepNavigationTest, ActivateModelShowsStepOneOfTheOtherModel) {
  LoadDocument(doc,
               "0 FILE main.ldr\n2 24 0 0 0 1 0 0\n0 STEP\n2 24 0 0 0 0 1 0\n"
               "0 FILE other.ldr\n2 24 0 0 0 0 0 1\n");
  const CQvFile* first = doc.GetActiveModel();
  doc.SetPrintMode(1);
  doc.SetStep(2);
  doc.ActivateModel(1);
  EXPECT_NE(doc.GetActiveModel(), first);
  EXPECT_EQ(doc.GetActiveModel(), doc.GetProject().GetCurrentFile());
  EXPECT_EQ(doc.GetShownStep(), 1);
  EXPECT_EQ(doc.GetPreviousDrawnStep(), 0);
  doc.ActivateModel(-1);  // would be "ask the user" to the project
  EXPECT_EQ(doc.GetActiveModel(), doc.GetProject().GetCurrentFile());
  EXPECT_NE(doc.GetActiveModel(), first);
  doc.ActivateModel(0);
  EXPECT_EQ(doc.GetActiveModel(), first);
  EXPECT_TRUE(observer.hints.empty());
  doc.SetPrintMode(0);
  // Outside print mode too, in edit mode as in view mode, the model shows from step 1.
  for (const bool viewMode : {false, true}) {
    SCOPED_TRACE(viewMode ? "view mode" : "edit mode");
    if (viewMode) doc.OnViewMode();
    ASSERT_EQ(doc.GetEditMode(), viewMode ? 0 : 1);
    doc.ActivateModel(1);
    EXPECT_EQ(doc.GetShownStep(), 1);
    EXPECT_EQ(doc.GetPreviousDrawnStep(), 0);
  }
}

// --- edit mode: the neighbouring top-level element ---

// Elements: 0 comment, 1 line, 2 and 3 members of group G, 4 the group element, 5 line.
const char kElements[] =
    "0 first\n"
    "2 24 0 0 0 10 0 0\n"
    "0 TOLVO BTG G\n"
    "2 24 0 0 0 5 0 0\n"
    "0 TOLVO BTG G\n"
    "2 24 0 0 0 0 5 0\n"
    "0 GROUP 2 G\n"
    "2 24 0 0 0 0 0 9\n";

struct EditNavCase {
  const char* what;
  int32_t selected;  // -1: nothing
  Nav nav;
  bool enabled;
  int32_t selectedAfter;  // the element selected alone (with its group), -1 nothing
};

TEST_F(StepNavigationTest, EditModeNavigationSelectsTopLevelNeighbours) {
  const EditNavCase cases[] = {
      {"nothing selected: next takes the last", -1, Nav::Next, true, 5},
      {"nothing selected: previous takes the first", -1, Nav::Previous, true, 0},
      {"nothing selected: first", -1, Nav::First, true, 0},
      {"nothing selected: last", -1, Nav::Last, true, 5},
      {"next skips the group members", 1, Nav::Next, true, 4},
      {"previous from the group", 4, Nav::Previous, true, 1},
      {"next from the group", 4, Nav::Next, true, 5},
      {"first from inside", 5, Nav::First, true, 0},
      {"next at the end is disabled", 5, Nav::Next, false, 5},
      {"last at the end is disabled", 5, Nav::Last, false, 5},
      {"previous at the start is disabled", 0, Nav::Previous, false, 0},
      {"first at the start is disabled", 0, Nav::First, false, 0},
  };
  for (const EditNavCase& c : cases) {
    SCOPED_TRACE(c.what);
    LoadDocument(doc, kElements);
    ASSERT_EQ(Model().GetCount(), 6u);
    if (c.selected >= 0) Model().SelectOnly(c.selected);
    ClearRecords();
    EXPECT_EQ(Enabled(doc, c.nav), c.enabled);
    RunNav(doc, c.nav);
    EXPECT_EQ(Model().GetSelectedIndex(-1), c.selectedAfter);
    if (c.enabled) {
      // The selection through SelectElement (no list flag), then the selection hint.
      EXPECT_EQ(observer.hints, (std::vector<uint32_t>{HINT_PANES_ONLY | HINT_SELECTION, HINT_SELECTION}));
    } else {
      EXPECT_TRUE(observer.hints.empty());
    }
    EXPECT_EQ(doc.GetShownStep(), -1);
  }
}

TEST_F(StepNavigationTest, EditModeNavigationIgnoresHeldKeysAndAnEmptyModel) {
  // First replaces the selection: the navigation has no keyboard of its own.
  LoadDocument(doc, kElements);
  Model().SelectOnly(5);
  doc.OnFirst();
  EXPECT_EQ(Model().GetSelectedCount(), 1u);
  EXPECT_TRUE(Model().GetAt(0)->selected);

  LoadDocument(doc, "");
  Model().RemoveAll();
  ClearRecords();
  EXPECT_FALSE(doc.CanGoForward());
  EXPECT_FALSE(doc.CanGoBack());
  doc.OnNext();
  doc.OnLast();
  EXPECT_TRUE(observer.hints.empty());
}

// --- automatic steps ---

TEST_F(StepNavigationTest, AutostepsInsertsStepsAndPushesOnce) {
  const std::string parts = "2 24 0 0 0 1 0 0\n2 24 0 0 0 0 1 0\n2 24 0 0 0 0 0 1\n";
  struct Case {
    int drawToSelection;
    bool answer;
    int count;
    int stepsAfter;
    std::vector<uint32_t> hints;
  };
  const Case cases[] = {
      {0, true, 1, 3, {HINT_LIST_ONLY}},  // a step after every part: two inserted
      {1, true, 1, 3, {HINT_FULL}},
      {0, true, 2, 2, {HINT_LIST_ONLY}},
      {0, true, 3, 1, {}},   // nothing inserted: no hint, no snapshot
      {0, true, 0, 1, {}},   // no such count: refused without the out-of-memory message
      {0, false, 1, 1, {}},  // cancelled
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "count " << c.count << " answer " << c.answer);
    theSettings.DrawToSelection = c.drawToSelection;
    LoadDocument(doc, parts);
    ClearRecords();
    if (c.answer) host.autosteps.push_back({0, c.count});
    doc.OnAutosteps();
    EXPECT_EQ(doc.GetStepCount(0), c.stepsAfter);
    EXPECT_EQ(observer.hints, c.hints);
    const bool changed = c.stepsAfter != 1;
    EXPECT_EQ(doc.GetUndoCount(), changed ? 2 : 1);
    EXPECT_EQ(doc.IsModified(), changed);
    EXPECT_TRUE(host.autosteps.empty());
    EXPECT_TRUE(prompt.shown.empty());
  }
}

TEST_F(StepNavigationTest, AutostepsIsNotOfferedInViewMode) {
  LoadDocument(doc, "2 24 0 0 0 1 0 0\n2 24 0 0 0 0 1 0\n");
  doc.OnViewMode();
  host.autosteps.push_back({0, 1});
  doc.OnAutosteps();
  EXPECT_EQ(host.autosteps.size(), 1u);  // the dialog never opened
  EXPECT_EQ(doc.GetStepCount(0), 1);
}

}  // namespace
