// The render road: drawing over a kept frame must give exactly the picture, depth and pick ids
// of drawing everything again, in edit mode (selection changes, moves, inserted elements) and in
// view mode (one step forward, rotation steps, the extra last step); sizes, refits and failures.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <set>

#include "DocTestHost.h"
#include "RenderRoadSupport.h"
#include "model/ParseContext.h"
#include "support/LogCapture.h"

namespace {

// Seven shapes that overlap at different depths; no two share a depth where they overlap, so the
// order in which they are drawn cannot matter to a z-buffer. Element i is at list index i.
const char kShapes[] =
    "4 4 -40 -40 0 40 -40 0 40 40 0 -40 40 0\n"
    "4 1 -20 -50 -12 50 -50 -12 50 20 -12 -20 20 -12\n"
    "3 2 -60 0 7 0 -60 7 30 50 7\n"
    "2 0 -60 -60 -20 60 55 -20\n"
    "4 14 0 0 -5 45 0 -5 45 45 -5 0 45 -5\n"
    "3 5 -50 30 -15 -10 10 -15 -30 55 -15\n"
    "2 16 -55 45 3 50 -45 3\n";

// The same shapes in six steps; step 3 holds the triangle and the black line.
const char kSteps[] =
    "4 4 -40 -40 0 40 -40 0 40 40 0 -40 40 0\n"
    "0 STEP\n"
    "4 1 -20 -50 -12 50 -50 -12 50 20 -12 -20 20 -12\n"
    "0 STEP\n"
    "3 2 -60 0 7 0 -60 7 30 50 7\n"
    "2 0 -60 -60 -20 60 55 -20\n"
    "0 STEP\n"
    "4 14 0 0 -5 45 0 -5 45 45 -5 0 45 -5\n"
    "0 STEP\n"
    "3 5 -50 30 -15 -10 10 -15 -30 55 -15\n"
    "0 STEP\n"
    "2 16 -55 45 3 50 -45 3\n";
constexpr int kStepCount = 6;
constexpr int kStep4Quad = 7;  // list index of the only element of step 4

bool HasPickId(const C3DStub& r, PickId id) {
  for (int y = 0; y < static_cast<int>(r.GetHeight()); ++y)
    for (int x = 0; x < static_cast<int>(r.GetWidth()); ++x)
      if (r.GetPickId(x, y) == id) return true;
  return false;
}

std::unique_ptr<CQvPart> ParseElement(const std::string& line) {
  CQvFile scratch;
  ParseContext ctx;
  scratch.ParseLine(ctx, line, 0);
  return scratch.RemoveAt(0);
}

class RenderRoadTest : public CRoadSettingsTest {
 protected:
  // A fresh renderer drawn from scratch in the document's present state.
  void FullEdit(CCountingStub& r) {
    r.EnablePickBuffer(1);
    ASSERT_EQ(Edit(r, 1), 1);
  }
  CQvFile& Model() { return *doc.GetActiveModel(); }
};

TEST_F(RenderRoadTest, SelectionChangesOverTheKeptFrameEqualAFullDrawing) {
  LoadModel(doc, kShapes);
  CCountingStub kept;
  kept.EnablePickBuffer(1);
  Model().SelectOnly(1);
  ASSERT_EQ(Edit(kept, 1), 1);

  struct Change {
    const char* what;
    void (*apply)(CQvFile&);
  };
  const Change changes[] = {
      {"another element", [](CQvFile& m) { m.SelectOnly(4); }},
      {"a third element", [](CQvFile& m) { m.SelectOnly(5); }},
      {"one added", [](CQvFile& m) { m.Select(2); }},
      {"back to the first", [](CQvFile& m) { m.SelectOnly(1); }},
      {"nothing", [](CQvFile& m) { m.SelectOnly(-1); }},
  };
  for (const Change& change : changes) {
    SCOPED_TRACE(change.what);
    change.apply(Model());
    kept.primitives = 0;
    ASSERT_EQ(Edit(kept, 0), 1);
    // At most the element left out of the frame is drawn, never all seven.
    EXPECT_LE(kept.primitives, 1);
    CCountingStub full;
    FullEdit(full);
    EXPECT_TRUE(SameFrame(kept, full));
  }
}

TEST_F(RenderRoadTest, WithoutASelectionTheWholePictureIsKept) {
  LoadModel(doc, kShapes);
  CCountingStub kept;
  kept.EnablePickBuffer(1);
  ASSERT_EQ(Edit(kept, 1), 1);
  Model().SelectOnly(3);
  kept.primitives = 0;
  ASSERT_EQ(Edit(kept, 0), 1);
  // The kept frame already shows every element.
  EXPECT_EQ(kept.primitives, 0);
  CCountingStub full;
  FullEdit(full);
  EXPECT_TRUE(SameFrame(kept, full));
}

// A newly selected element is still drawn into the kept frame. Moving it must not leave its old
// picture behind: the next drawing with the same selection draws everything again, after which
// moves draw only the selection.
TEST_F(RenderRoadTest, MovingAnElementSelectedOverTheFrameLeavesNoTrace) {
  LoadModel(doc, kShapes);
  CCountingStub kept;
  kept.EnablePickBuffer(1);
  Model().SelectOnly(1);
  ASSERT_EQ(Edit(kept, 1), 1);
  Model().SelectOnly(4);
  ASSERT_EQ(Edit(kept, 0), 1);
  for (int move = 0; move < 3; ++move) {
    SCOPED_TRACE(move);
    Model().GetAt(4)->Move(6, -4, 0, 3, 0, 0, 0);
    kept.primitives = 0;
    ASSERT_EQ(Edit(kept, 0), 1);
    if (move > 0) {
      EXPECT_EQ(kept.primitives, 1);
    }
    CCountingStub full;
    FullEdit(full);
    EXPECT_TRUE(SameFrame(kept, full));
  }
}

TEST_F(RenderRoadTest, ATurnedOrPannedViewZoomOrSizeDrawsEverythingAgain) {
  LoadModel(doc, kShapes);
  CCountingStub kept;
  kept.EnablePickBuffer(1);
  Model().SelectOnly(1);
  ASSERT_EQ(Edit(kept, 1), 1);
  Model().SelectOnly(2);
  kept.primitives = 0;
  ASSERT_EQ(Edit(kept, 0, kFrontView), 1);
  EXPECT_EQ(kept.primitives, 7);
  kept.primitives = 0;
  ASSERT_EQ(Edit(kept, 0, kFrontView, 160, 120), 1);
  EXPECT_EQ(kept.primitives, 7);
  EXPECT_EQ(kept.GetWidth(), 160u);
  RenderRequest panned = MakeRequest(160, 120, kFrontView, 0, 1.5, 0, 0);
  panned.offset[0] = 6;
  panned.offset[1] = -3;
  kept.primitives = 0;
  ASSERT_EQ(doc.Create3DStub(kept, bases[&kept], panned), 1);
  EXPECT_EQ(kept.primitives, 7);
  kept.primitives = 0;
  panned.zoom = 2;
  ASSERT_EQ(doc.Create3DStub(kept, bases[&kept], panned), 1);
  EXPECT_EQ(kept.primitives, 7);
  EXPECT_DOUBLE_EQ(kept.GetScaleX(), 2);
}

TEST_F(RenderRoadTest, WithDrawToSelectionASelectionChangeDrawsEverything) {
  theSettings.DrawToSelection = 1;
  LoadModel(doc, kShapes);
  CCountingStub kept;
  kept.EnablePickBuffer(1);
  Model().SelectOnly(5);
  ASSERT_EQ(Edit(kept, 1), 1);
  Model().SelectOnly(2);
  ASSERT_EQ(Edit(kept, 0), 1);
  CCountingStub full;
  FullEdit(full);
  EXPECT_TRUE(SameFrame(kept, full));
  // Drawing stops at the first selected element: the elements after it are not in the picture.
  EXPECT_FALSE(HasPickId(full, 4));
}

TEST_F(RenderRoadTest, AnAppendedElementDrawnIntoThePanesEqualsAFullDrawing) {
  CRecordingObserver observer;
  doc.AddObserver(&observer);
  LoadModel(doc, kShapes);
  // Two panes with frames of their own (slanted and front), one that never drew.
  ScenePicture panes[3];
  const double* views[] = {kSlantedView, kFrontView, kSlantedView};
  for (ScenePicture& p : panes) p.renderer.EnablePickBuffer(1);
  Model().SelectOnly(2);
  ASSERT_EQ(Edit(panes[0], 1, kSlantedView), 1);
  ASSERT_EQ(Edit(panes[1], 1, kFrontView), 1);

  const size_t added = Model().Append(ParseElement("4 25 -30 -30 -25 10 -30 -25 10 10 -8 -30 10 -8"));
  Model().SelectOnly(static_cast<int32_t>(added));
  observer.hints.clear();
  doc.DrawChangedIntoPanes();
  // Announced once; each pane then draws the new element over its own frame.
  EXPECT_EQ(observer.hints, std::vector<uint32_t>{HINT_APPENDED});
  for (int pane = 0; pane < 3; ++pane) {
    double matrix[9];
    std::copy(views[pane], views[pane] + 9, matrix);
    EXPECT_EQ(doc.DrawAppended(panes[pane], matrix), pane < 2) << pane;
  }
  EXPECT_FALSE(panes[2].renderer.IsInitialised());

  for (int pane : {0, 1}) {
    SCOPED_TRACE(pane);
    CCountingStub full;
    full.EnablePickBuffer(1);
    ASSERT_EQ(Edit(full, 1, views[pane]), 1);
    EXPECT_TRUE(SameFrame(panes[pane].renderer, full));
    EXPECT_TRUE(HasPickId(full, static_cast<PickId>(added)));
  }
  // The frame kept by the fast path serves the next selection change too.
  Model().SelectOnly(4);
  ASSERT_EQ(Edit(panes[0], 0, kSlantedView), 1);
  CCountingStub full;
  FullEdit(full);
  EXPECT_TRUE(SameFrame(panes[0].renderer, full));
}

// Pick ids are list positions: an element inserted before others moves their ids, so the pane
// images cannot simply gain it.
TEST_F(RenderRoadTest, AnElementInsertedBeforeOthersMakesThePanesDrawEverything) {
  CRecordingObserver observer;
  doc.AddObserver(&observer);
  LoadModel(doc, kShapes);
  ScenePicture pane;
  pane.renderer.EnablePickBuffer(1);
  ASSERT_EQ(Edit(pane, 1), 1);
  Model().InsertAt(2, ParseElement("4 25 -30 -30 -25 10 -30 -25 10 10 -8 -30 10 -8"));
  Model().SelectOnly(2);
  doc.DrawChangedIntoPanes();
  EXPECT_EQ(observer.hints, std::vector<uint32_t>{HINT_FULL});
  EXPECT_FALSE(doc.DrawAppended(pane, kSlantedView));
  // And a drawing over the old frame is refused as well: its list is not the model's any more.
  CCountingStub kept;
  kept.EnablePickBuffer(1);
  Model().SelectOnly(-1);
  ASSERT_EQ(Edit(kept, 1), 1);
  Model().RemoveAt(0);
  Model().SelectOnly(1);
  kept.primitives = 0;
  ASSERT_EQ(Edit(kept, 0), 1);
  EXPECT_EQ(kept.primitives, 7);
}

TEST_F(RenderRoadTest, FastPathInViewModeOrWithDrawToSelectionAsksForAFullUpdate) {
  CRecordingObserver observer;
  doc.AddObserver(&observer);
  LoadModel(doc, kShapes);
  Model().SelectOnly(6);
  theSettings.DrawToSelection = 1;
  doc.DrawChangedIntoPanes();
  theSettings.DrawToSelection = 0;
  CDocTestAccess::ShowStep(doc, 0, 1);
  doc.DrawChangedIntoPanes();
  EXPECT_EQ(observer.hints, (std::vector<uint32_t>{HINT_FULL, HINT_FULL}));
}

// --- view mode ---

struct StepCase {
  int apvt;
  int perspective;
};

class StepForwardTest : public RenderRoadTest, public ::testing::WithParamInterface<StepCase> {};

TEST_P(StepForwardTest, StepThreeToFourEqualsAFullDrawingOfStepFour) {
  theSettings.APVT = GetParam().apvt;
  LoadModel(doc, kSteps);
  ASSERT_EQ(Model().CountSteps(), kStepCount);
  CCountingStub stepped;
  stepped.EnablePickBuffer(1);
  CDocTestAccess::ShowStep(doc, 0, 3);
  ASSERT_EQ(View(stepped, 1, GetParam().perspective), 1);
  CDocTestAccess::ShowStep(doc, 3, 4);
  stepped.primitives = 0;
  ASSERT_EQ(View(stepped, 0, GetParam().perspective), 1);
  EXPECT_EQ(stepped.primitives, 1);  // step 4 alone

  CCountingStub full;
  full.EnablePickBuffer(1);
  CDocTestAccess::ShowStep(doc, 0, 4);
  ASSERT_EQ(View(full, 1, GetParam().perspective), 1);
  EXPECT_TRUE(SameFrame(stepped, full));
  EXPECT_EQ(full.IsPerspectiveOn(), GetParam().perspective != 0);
  // The earlier steps are toned down and no longer pickable; step 4 is.
  EXPECT_EQ(HasPickId(full, 0), GetParam().apvt == 0 || GetParam().apvt == 3);
  EXPECT_TRUE(HasPickId(full, kStep4Quad));
}

INSTANTIATE_TEST_SUITE_P(Modes, StepForwardTest,
                         ::testing::Values(StepCase{0, 0}, StepCase{1, 0}, StepCase{2, 0}, StepCase{3, 0},
                                           StepCase{0, 1}, StepCase{1, 1}, StepCase{3, 1}));

TEST_F(RenderRoadTest, SteppingBackClearsAndRedrawsWithoutRefitting) {
  LoadModel(doc, kSteps);
  CCountingStub r;
  r.EnablePickBuffer(1);
  CDocTestAccess::ShowStep(doc, 0, 4);
  ASSERT_EQ(View(r, 1), 1);
  ASSERT_TRUE(HasPickId(r, kStep4Quad));
  r.SetView(30, 20, 0.75);
  CDocTestAccess::ShowStep(doc, 0, 3);
  ASSERT_EQ(View(r, 0), 1);
  EXPECT_DOUBLE_EQ(r.GetScaleX(), 0.75);
  EXPECT_DOUBLE_EQ(r.GetOffsetX(), 30);
  EXPECT_FALSE(HasPickId(r, kStep4Quad));
  EXPECT_TRUE(HasPickId(r, 0));
  EXPECT_TRUE(HasPickId(r, 4));
}

// Step 2 ends with a rotation step that turns the view a quarter about y: the long quad of step 1
// then runs into the screen, so the model fits differently.
TEST_F(RenderRoadTest, ARotationStepDrawsEverythingAgainAndRefits) {
  theSettings.APVT = 1;
  LoadModel(doc,
            "4 4 -80 -10 0 80 -10 0 80 10 0 -80 10 0\n"
            "0 STEP\n"
            "2 1 0 -30 -20 0 30 20\n"
            "0 ROTSTEP 0 90 0 ABS\n"
            "3 2 -10 0 -30 10 0 -30 0 20 30\n");
  CCountingStub stepped;
  stepped.EnablePickBuffer(1);
  CDocTestAccess::ShowStep(doc, 0, 1);
  ASSERT_EQ(View(stepped, 1, 0, kFrontView), 1);
  const double scaleAtOne = stepped.GetScaleX();
  CDocTestAccess::ShowStep(doc, 1, 2);
  stepped.primitives = 0;
  ASSERT_EQ(View(stepped, 0, 0, kFrontView), 1);
  EXPECT_EQ(stepped.primitives, 2);
  EXPECT_NE(stepped.GetScaleX(), scaleAtOne);

  CCountingStub full;
  full.EnablePickBuffer(1);
  CDocTestAccess::ShowStep(doc, 0, 2);
  ASSERT_EQ(View(full, 1, 0, kFrontView), 1);
  EXPECT_TRUE(SameFrame(stepped, full));
  EXPECT_DOUBLE_EQ(stepped.GetScaleX(), full.GetScaleX());
}

TEST_F(RenderRoadTest, TheExtraStepByNextRedrawsWithoutToningAndKeepsTheFit) {
  theSettings.APVT = 1;
  LoadModel(doc, kSteps);
  ASSERT_EQ(doc.GetStepCount(1), kStepCount + 1);
  CCountingStub stepped;
  stepped.EnablePickBuffer(1);
  CDocTestAccess::ShowStep(doc, 0, kStepCount);
  ASSERT_EQ(View(stepped, 1), 1);
  const double fitted = stepped.GetScaleX();
  stepped.SetView(12, -8, 0.8);
  CDocTestAccess::ShowStep(doc, kStepCount, kStepCount + 1);
  ASSERT_EQ(View(stepped, 0), 1);
  EXPECT_DOUBLE_EQ(stepped.GetScaleX(), 0.8);
  EXPECT_DOUBLE_EQ(stepped.GetOffsetY(), -8);

  // The finished model as drawn without any toning, in the same view.
  theSettings.APVT = 0;
  CCountingStub plain;
  plain.EnablePickBuffer(1);
  CDocTestAccess::ShowStep(doc, 0, kStepCount);
  ASSERT_EQ(View(plain, 1), 1);
  plain.SetView(12, -8, 0.8);
  ASSERT_EQ(View(plain, 0), 1);
  EXPECT_TRUE(SameFrame(stepped, plain));
  for (PickId id : {0, 2, kStep4Quad}) EXPECT_TRUE(HasPickId(stepped, id)) << id;

  // Reached with Last, a full update: the model is fitted again.
  theSettings.APVT = 1;
  CDocTestAccess::ShowStep(doc, kStepCount, kStepCount + 1);
  ASSERT_EQ(View(stepped, 1), 1);
  EXPECT_DOUBLE_EQ(stepped.GetScaleX(), fitted);
}

TEST_F(RenderRoadTest, TurningTheViewKeepsTheFitWithoutPerspectiveOrToning) {
  theSettings.APVT = 2;
  LoadModel(doc, kSteps);
  CCountingStub r;
  r.EnablePickBuffer(1);
  CDocTestAccess::ShowStep(doc, 0, 3);
  ASSERT_EQ(View(r, 1, 1), 1);
  ASSERT_TRUE(r.IsPerspectiveOn());
  r.SetView(5, 6, 0.9);
  CDocTestAccess::ShowStep(doc, 3, 4);
  ASSERT_EQ(View(r, 1, 1, kFrontView, 1), 1);
  EXPECT_FALSE(r.IsPerspectiveOn());
  EXPECT_DOUBLE_EQ(r.GetScaleX(), 0.9);
  EXPECT_TRUE(HasPickId(r, 0));
  EXPECT_TRUE(HasPickId(r, kStep4Quad));
}

// --- sizes and failures ---

TEST_F(RenderRoadTest, SizesAreRoundedDownToMultiplesOfFour) {
  LoadModel(doc, kShapes);
  C3DStub edit, view;
  ASSERT_EQ(Edit(edit, 1, kSlantedView, 203, 150), 1);
  EXPECT_EQ(edit.GetWidth(), 200u);
  EXPECT_EQ(edit.GetHeight(), 148u);
  CDocTestAccess::ShowStep(doc, 0, 1);
  ASSERT_EQ(DrawOnce(doc, view, 203, 150, kSlantedView, 1, 1, 0, 0), 1);
  EXPECT_EQ(view.GetWidth(), 200u);
  EXPECT_EQ(view.GetHeight(), 148u);
}

TEST_F(RenderRoadTest, PanesBelowFourPixelsDrawNothingAndBreakNothing) {
  LoadModel(doc, kShapes);
  Model().SelectOnly(6);
  const int sizes[][2] = {{0, 0}, {3, 3}, {3, 100}, {100, 3}, {-8, -8}, {-2147483647 - 1, 64}};
  for (int mode : {1, 0}) {
    CDocTestAccess::ShowStep(doc, 0, 2);
    CDocTestAccess::SetEditMode(doc, mode);
    for (const auto& size : sizes) {
      SCOPED_TRACE(std::to_string(size[0]) + " x " + std::to_string(size[1]));
      C3DStub r;
      EXPECT_EQ(Edit(r, 1, kSlantedView, size[0], size[1], 1), 0);
      EXPECT_FALSE(r.IsInitialised());
      EXPECT_EQ(Edit(r, 0, kSlantedView, size[0], size[1], 1), 0);
    }
  }
  // A pane that never got a frame is skipped by the fast path.
  CDocTestAccess::SetEditMode(doc, 1);
  ScenePicture pane;
  EXPECT_FALSE(doc.DrawAppended(pane, kSlantedView));
  EXPECT_FALSE(pane.renderer.IsInitialised());
}

TEST_F(RenderRoadTest, DegenerateExtentsGiveASaneFit) {
  struct Case {
    const char* what;
    const char* text;
  };
  const Case cases[] = {
      {"a single point", "2 4 5 5 5 5 5 5\n"},
      {"an empty model", ""},
      {"a line seen end-on", "2 4 0 0 -30 0 0 30\n"},
      {"coordinates beyond any finite box",
       "4 4 -1.5e308 -1.5e308 0 1.5e308 -1.5e308 0 1.5e308 1.5e308 0 "
       "-1.5e308 1.5e308 0\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    LoadModel(doc, c.text);
    for (int step : {1, 2, 0, -3}) {
      CDocTestAccess::ShowStep(doc, 0, step);
      C3DStub r;
      r.EnablePickBuffer(1);
      const double* view = std::string(c.what) == "a line seen end-on" ? kFrontView : kSlantedView;
      ASSERT_EQ(DrawOnce(doc, r, 200, 148, view, 1, 1, 0, 1), 1);
      EXPECT_TRUE(std::isfinite(r.GetScaleX()) && r.GetScaleX() > 0) << r.GetScaleX();
      EXPECT_TRUE(std::isfinite(r.GetOffsetX()) && std::isfinite(r.GetOffsetY()));
      EXPECT_TRUE(std::isfinite(r.GetDepthScale()) && r.GetDepthScale() > 0);
      // One stud round the point: 20 units fill 95% of the 148 rows.
      if (std::string(c.what) != "coordinates beyond any finite box") {
        EXPECT_NEAR(r.GetScaleX(), 148.0 / 20 * 0.95, 1e-9);
      }
      // Without depth there is no perspective to apply.
      if (std::string(c.what) != "a line seen end-on") {
        EXPECT_FALSE(r.IsPerspectiveOn());
      }
    }
  }
}

class RenderRoadLogTest : public CLogCaptureTest {
 protected:
  void SetUp() override {
    CLogCaptureTest::SetUp();
    shading = theSettings.Shading;
    theSettings.Shading = 1;
    doc.OnNewDocument();
    LoadModel(doc, kShapes);
  }
  void TearDown() override {
    theSettings.Shading = shading;
    CLogCaptureTest::TearDown();
  }
  CQuorvelDoc doc;
  int shading = 1;
};

// A frame too large to allocate (a print page, say) is an error the caller reports; the program
// goes on and the same renderer draws again at a sane size.
TEST_F(RenderRoadLogTest, ARendererThatCannotBeResetIsAnErrorNotTheEnd) {
  for (int mode : {1, 0}) {
    SCOPED_TRACE(mode);
    CDocTestAccess::ShowStep(doc, 0, 1);
    CDocTestAccess::SetEditMode(doc, mode);
    C3DStub r;
    EXPECT_EQ(DrawOnce(doc, r, 1 << 20, 1 << 20, kSlantedView, 1, 1, 0, 0), 0);
    EXPECT_FALSE(r.IsInitialised());
    EXPECT_EQ(DrawOnce(doc, r, 1 << 20, 1 << 20, kSlantedView, 0, 1, 0, 0), 0);
    EXPECT_EQ(DrawOnce(doc, r, 200, 148, kSlantedView, 0, 1, 0, 0), 1);
    EXPECT_TRUE(r.IsInitialised());
  }
  const std::string log = Log();
  size_t count = 0;
  for (size_t at = log.find("ERROR: Stub.Reset(1048576, 1048576, 1) failed!\n"); at != std::string::npos;
       at = log.find("ERROR: Stub.Reset(1048576, 1048576, 1) failed!\n", at + 1))
    ++count;
  EXPECT_EQ(count, 4u);
}

}  // namespace
