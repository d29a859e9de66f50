// The 3-D view's state without a window: the reaction to each update hint, zoom and fit
// arithmetic, scrolling, directions, switches and the status texts.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "ViewTestSupport.h"
#include "app/QuorvelViewState.h"
#include "document/QuorvelDoc.h"
#include "render/C3DStub.h"

namespace {

class QuorvelViewStateTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_doc.OnNewDocument();
    ASSERT_TRUE(LoadModelText(m_doc, CubeModel()));
    ASSERT_FALSE(m_doc.IsModelEmpty());
  }

  // A view of pane 0 (Front) of 400 x 300 whose render requests are recorded.
  void Open(CQuorvelViewState& view, int width = 400, int height = 300) {
    view.SetRenderRoad([this](CQuorvelDoc&, ScenePicture&, const RenderRequest& r) { m_requests.push_back(r); });
    view.OnSize(width, height);
    view.Attach(&m_doc);
    m_requests.clear();
  }

  CViewSettingsScope m_settings;
  CQuorvelDoc m_doc;
  std::vector<RenderRequest> m_requests;
};

// One row: the hint, the mode, and what the view must do.
struct HintCase {
  const char* name;
  uint32_t hint;
  int editMode;
  bool invalidate, rendered, reRender, refit;
};

TEST_F(QuorvelViewStateTest, HintTable) {
  const HintCase cases[] = {
      {"full", HINT_FULL, 1, true, true, true, false},
      {"settings", HINT_SETTINGS, 1, true, true, true, false},
      {"repaint only", HINT_REPAINT_ONLY, 1, true, false, false, false},
      {"keep image", HINT_KEEP_IMAGE, 1, true, true, false, false},
      {"selection", HINT_SELECTION, 1, true, false, false, false},
      {"selection, panes only", HINT_SELECTION | HINT_PANES_ONLY, 1, true, false, false, false},
      {"list states", HINT_LIST_STATES, 1, true, true, true, false},
      {"step in view mode", HINT_PANES_ONLY | HINT_KEEP_IMAGE, 0, true, true, false, false},
      {"list only", HINT_LIST_ONLY, 1, false, false, false, false},
      {"model info re-renders", HINT_LIST_ONLY | HINT_MODEL_INFO, 1, true, true, true, false},
      {"mode changed, edit", HINT_MODE_CHANGED, 1, true, true, true, true},
      {"mode changed with more bits does not refit", HINT_MODE_CHANGED | HINT_KEEP_IMAGE, 1, true, true, false, false},
      {"refit, edit", HINT_REFIT, 1, true, true, true, true},
      {"refit, view", HINT_REFIT, 0, true, true, true, true},
      {"sub-mode", HINT_SUBMODE, 1, false, false, false, false},
      {"save state", HINT_SAVE_STATE, 1, false, false, false, false},
  };
  for (const HintCase& c : cases) {
    SCOPED_TRACE(c.name);
    CDocTestAccess::SetEditMode(m_doc, c.editMode);
    CQuorvelViewState view(0);
    Open(view);
    // Move away from the fitted view so that a refit shows.
    view.SetZoom(123.0);
    m_requests.clear();
    ViewUpdate update = view.OnUpdate(c.hint);
    EXPECT_EQ(update.invalidate, c.invalidate);
    EXPECT_EQ(update.rendered, c.rendered);
    ASSERT_EQ(m_requests.size(), c.rendered ? 1u : 0u);
    if (c.rendered) {
      EXPECT_EQ(m_requests[0].reRender, c.reRender);
    }
    if (c.refit && c.editMode) {
      EXPECT_NE(view.GetZoom(), 123.0);
    }
    if (c.refit && !c.editMode) {
      EXPECT_EQ(view.GetZoom(), 1.0);
      EXPECT_EQ(view.GetOffsetX(), 0);
      EXPECT_EQ(view.GetOffsetY(), 0);
    }
    if (!c.refit) {
      EXPECT_EQ(view.GetZoom(), 123.0);
    }
  }
}

TEST_F(QuorvelViewStateTest, SelectionMakesTheNextRenderClearTheRenderer) {
  CQuorvelViewState view(0);
  Open(view);
  view.OnUpdate(HINT_SELECTION);
  EXPECT_TRUE(view.IsReRenderPending());
  view.OnUpdate(HINT_KEEP_IMAGE);
  ASSERT_EQ(m_requests.size(), 1u);
  EXPECT_TRUE(m_requests[0].reRender);
  EXPECT_FALSE(view.IsReRenderPending());
}

TEST_F(QuorvelViewStateTest, SuspendIgnoresUntilTheNextOtherUpdate) {
  CQuorvelViewState view(0);
  Open(view);
  EXPECT_EQ(view.OnUpdate(HINT_SUSPEND), ViewUpdate{});
  EXPECT_TRUE(view.IsSuspended());
  // A suspended pane does not render when it is resized (the layout is being switched).
  EXPECT_FALSE(view.OnSize(500, 300));
  EXPECT_TRUE(m_requests.empty());
  EXPECT_TRUE(view.OnUpdate(HINT_FULL).rendered);
  EXPECT_FALSE(view.IsSuspended());
  EXPECT_EQ(m_requests.back().width, 500);
}

TEST_F(QuorvelViewStateTest, NoUpdateIsSwallowedAfterAnOpen) {
  CQuorvelViewState view(0);
  Open(view);
  // An open announces itself once; whatever comes next is a real change and is drawn.
  EXPECT_TRUE(view.OnUpdate(HINT_REFIT).rendered);
  EXPECT_TRUE(view.OnUpdate(HINT_FULL).rendered);
  EXPECT_TRUE(view.OnUpdate(HINT_REFIT | HINT_SKIP_NEXT).rendered);
  EXPECT_TRUE(view.OnUpdate(HINT_FULL).rendered);
  EXPECT_EQ(m_requests.size(), 4u);
}

TEST_F(QuorvelViewStateTest, SubModeIsTakenWithoutRenderingAlsoWhenUnchanged) {
  CQuorvelViewState view(0);
  Open(view);
  CDocTestAccess::SetSubMode(m_doc, 1);
  EXPECT_EQ(view.OnUpdate(HINT_SUBMODE), ViewUpdate{});
  EXPECT_EQ(view.GetMouseMode(), 1);
  EXPECT_EQ(view.GetCursor(), ViewCursor::Move);
  // The same sub-mode again: still no frame rendered.
  EXPECT_EQ(view.OnUpdate(HINT_SUBMODE), ViewUpdate{});
  EXPECT_TRUE(m_requests.empty());
  CDocTestAccess::SetSubMode(m_doc, 3);
  view.OnUpdate(HINT_SUBMODE);
  EXPECT_EQ(view.GetCursor(), ViewCursor::SizeNS);
}

TEST_F(QuorvelViewStateTest, AFailedStateSaveDoesNotEndTheProgramButRendersFullyNextTime) {
  CQuorvelViewState view(0);
  Open(view);
  ASSERT_NE(view.GetRenderer(), nullptr);
  ASSERT_FALSE(view.GetRenderer()->IsInitialised());
  EXPECT_EQ(view.OnUpdate(HINT_SAVE_STATE), ViewUpdate{});
  view.OnUpdate(HINT_KEEP_IMAGE);
  ASSERT_EQ(m_requests.size(), 1u);
  EXPECT_TRUE(m_requests[0].reRender);

  // With a frame to save, the state is kept and nothing renders.
  ASSERT_EQ(view.GetRenderer()->Reset(400, 300, 1), 1);
  view.OnUpdate(HINT_SAVE_STATE);
  EXPECT_TRUE(view.GetRenderer()->HasSavedState());
  EXPECT_EQ(m_requests.size(), 1u);
}

TEST_F(QuorvelViewStateTest, ATooSmallPaneStopsRendering) {
  CQuorvelViewState view(0);
  Open(view);
  EXPECT_FALSE(view.IsTooSmall());
  EXPECT_FALSE(view.OnSize(9, 300));
  EXPECT_TRUE(view.IsTooSmall());
  EXPECT_EQ(view.OnUpdate(HINT_FULL), ViewUpdate{});
  EXPECT_EQ(view.OnUpdate(HINT_REPAINT_ONLY), ViewUpdate{});
  EXPECT_FALSE(view.OnZoomPreset(100));
  EXPECT_TRUE(m_requests.empty());
  // Enlarged again: it renders at once.
  EXPECT_TRUE(view.OnSize(10, 10));
  EXPECT_FALSE(view.IsTooSmall());
  ASSERT_EQ(m_requests.size(), 1u);
  EXPECT_TRUE(m_requests[0].reRender);
}

TEST_F(QuorvelViewStateTest, AttachTakesTheDirectionAndMatrixOfItsPane) {
  theSettings.ViewRB = 0;  // pane 3 looks from the top
  CQuorvelViewState view(3);
  Open(view);
  EXPECT_EQ(view.GetDirection(), 0);
  const double top[9] = {1, 0, 0, 0, 0, -1, 0, 1, 0};
  for (int i = 0; i < 9; ++i) EXPECT_EQ(view.GetViewMatrix().m[i], top[i]) << i;
  // The pane draws into a picture of its own, a new one for each document.
  ASSERT_NE(view.GetPicture(), nullptr);
  EXPECT_EQ(view.GetRenderer(), &view.GetPicture()->renderer);
  ASSERT_EQ(view.GetRenderer()->Reset(40, 40, 1), 1);
  CQuorvelDoc other;
  view.Attach(&other);
  EXPECT_FALSE(view.GetRenderer()->IsInitialised());
  view.Attach(nullptr);
  EXPECT_EQ(view.GetRenderer(), nullptr);
}

TEST_F(QuorvelViewStateTest, DirectionCommandStoresTheDirectionAndKeepsTheZoom) {
  CQuorvelViewState view(0);
  Open(view);
  view.SetZoom(2.0);
  m_requests.clear();
  view.SetDirection(kDirLeft);
  EXPECT_EQ(theSettings.ViewLT, kDirLeft);  // the next start shows this pane from the left
  EXPECT_EQ(view.GetZoom(), 2.0);
  const double left[9] = {0, 0, -1, 0, 1, 0, 1, 0, 0};
  ASSERT_EQ(m_requests.size(), 1u);
  EXPECT_TRUE(m_requests[0].reRender);
  for (int i = 0; i < 9; ++i) EXPECT_EQ(m_requests[0].viewMatrix[i], left[i]) << i;
}

TEST_F(QuorvelViewStateTest, ZoomInOutAndWheelClamp) {
  CQuorvelViewState view(0);
  Open(view);
  view.SetZoom(800);
  view.ZoomIn();
  EXPECT_EQ(view.GetZoom(), 1000.0);  // not 1200
  view.SetZoom(0.0012);
  view.ZoomOut();
  EXPECT_EQ(view.GetZoom(), 0.001);
  view.SetZoom(2.0);
  view.OnWheel(240);  // two notches at once
  EXPECT_DOUBLE_EQ(view.GetZoom(), 6.0);
  view.OnWheel(-120);
  EXPECT_DOUBLE_EQ(view.GetZoom(), 4.0);
  view.SetZoom(900);
  view.OnWheel(120);
  EXPECT_EQ(view.GetZoom(), 1000.0);
  // The zoom dialog and the presets are not clamped.
  view.SetZoom(2500);
  EXPECT_EQ(view.GetZoom(), 2500.0);
  EXPECT_TRUE(view.OnZoomPreset(150));
  EXPECT_DOUBLE_EQ(view.GetZoom(), 1.5);
}

TEST_F(QuorvelViewStateTest, SmallWheelStepsZoomTheWayTheWheelTurns) {
  // Touch pads and smooth wheels send a fraction of a notch; the linear factor would be below 1
  // there and zoom out while the user scrolls in.
  CQuorvelViewState view(0);
  Open(view);
  view.SetZoom(2.0);
  view.OnWheel(60);
  EXPECT_GT(view.GetZoom(), 2.0);
  EXPECT_LT(view.GetZoom(), 3.0);
  const double in = view.GetZoom();
  view.OnWheel(-60);
  EXPECT_NEAR(view.GetZoom(), 2.0, 1e-12);
  EXPECT_LT(view.GetZoom(), in);
  view.OnWheel(1);
  EXPECT_GT(view.GetZoom(), 2.0);
}

TEST_F(QuorvelViewStateTest, ZoomKeepsTheCentreInTheMiddle) {
  ASSERT_TRUE(LoadModelText(m_doc, {"4 4 0 -50 0 100 -50 0 100 10 0 0 10 0"}));
  CQuorvelViewState view(0);  // Front: the model's x and y on the screen
  Open(view, 403, 300);
  view.ZoomFit();
  // Box x 0..100, y -50..10 in a frame of 400 x 300: 400 / 100 = 4 fits the height (240 <= 300).
  EXPECT_EQ(view.GetCentreX(), 50);
  EXPECT_EQ(view.GetCentreY(), -20);
  EXPECT_DOUBLE_EQ(view.GetZoom(), 4.0 * 95 / 100);
  EXPECT_EQ(view.GetOffsetX(), -190);
  EXPECT_EQ(view.GetOffsetY(), 76);
  view.SetZoom(2.0);
  EXPECT_EQ(view.GetOffsetX(), -100);
  EXPECT_EQ(view.GetOffsetY(), 40);
}

TEST_F(QuorvelViewStateTest, FitIsLimitedByTheTallerSide) {
  CQuorvelViewState view(0);
  Open(view, 400, 300);
  view.ZoomFit();
  // The cube is 40 x 40: 400 / 40 = 10 would make it 400 high; 300 / 40 = 7.5 fits.
  EXPECT_DOUBLE_EQ(view.GetZoom(), 7.5 * 95 / 100);
  EXPECT_EQ(view.GetCentreX(), 0);
  EXPECT_EQ(view.GetCentreY(), 0);
}

TEST_F(QuorvelViewStateTest, FitOfAFlatOrPointModelStaysFinite) {
  CQuorvelViewState view(0);
  Open(view, 400, 300);
  // A line along the viewing direction is a point on the screen.
  ASSERT_TRUE(LoadModelText(m_doc, {"2 0 10 20 -30 10 20 30"}));
  view.ZoomFit();
  EXPECT_EQ(view.GetZoom(), 1.0);
  EXPECT_EQ(view.GetCentreX(), 10);
  EXPECT_EQ(view.GetCentreY(), 20);
  // A horizontal line: no height, so the width decides.
  ASSERT_TRUE(LoadModelText(m_doc, {"2 0 -100 0 0 100 0 0"}));
  view.ZoomFit();
  EXPECT_DOUBLE_EQ(view.GetZoom(), 400.0 / 200 * 95 / 100);
  // A vertical one: the height decides.
  ASSERT_TRUE(LoadModelText(m_doc, {"2 0 0 -100 0 0 200 0"}));
  view.ZoomFit();
  EXPECT_DOUBLE_EQ(view.GetZoom(), 300.0 / 300 * 95 / 100);
  EXPECT_TRUE(std::isfinite(view.GetZoom()));
}

TEST_F(QuorvelViewStateTest, FitPresetEqualsFitCommandAndCentreKeepsTheZoom) {
  CQuorvelViewState a(0), b(0);
  Open(a);
  Open(b);
  a.SetZoom(5);
  b.SetZoom(7);
  a.ZoomFitCommand();
  EXPECT_TRUE(b.OnZoomPreset(0));
  EXPECT_EQ(a.GetZoom(), b.GetZoom());
  EXPECT_EQ(a.GetOffsetX(), b.GetOffsetX());
  EXPECT_EQ(a.GetOffsetY(), b.GetOffsetY());

  ASSERT_TRUE(LoadModelText(m_doc, {"4 4 0 -50 0 100 -50 0 100 10 0 0 10 0"}));
  a.SetZoom(3);
  a.CenterView();
  EXPECT_EQ(a.GetZoom(), 3.0);
  EXPECT_EQ(a.GetCentreX(), 50);
  EXPECT_EQ(a.GetOffsetX(), -150);
  EXPECT_EQ(a.GetOffsetY(), 60);

  // An empty model: zoom 1 round the origin.
  ASSERT_TRUE(LoadModelText(m_doc, {"0 nothing to draw"}));
  a.ZoomFit();
  EXPECT_EQ(a.GetZoom(), 1.0);
  EXPECT_EQ(a.GetOffsetX(), 0);
}

TEST_F(QuorvelViewStateTest, ScrollTable) {
  using C = ScrollCode;
  const struct {
    ScrollCode code;
    int position, percent;
  } rows[] = {{C::LineUp, 0, -10},       {C::LineDown, 0, 10},       {C::PageUp, 0, -25},
              {C::PageDown, 0, 25},      {C::ThumbPosition, -50, 0}, {C::ThumbTrack, -150, -100},
              {C::ThumbPosition, 51, 101}, {C::Top, 0, -150},        {C::Bottom, 0, 150}};
  for (const auto& row : rows) EXPECT_EQ(CQuorvelViewState::ScrollPercent(row.code, row.position), row.percent);

  CQuorvelViewState view(0);
  Open(view, 400, 300);
  view.SetZoom(2.0);  // centre (0, 0)
  m_requests.clear();
  view.Scroll(true, C::LineDown, 0);
  EXPECT_EQ(view.GetOffsetX(), -40);
  EXPECT_EQ(view.GetCentreX(), 20);
  view.Scroll(false, C::PageUp, 0);
  EXPECT_EQ(view.GetOffsetY(), 75);
  EXPECT_EQ(view.GetCentreY(), -37);
  ASSERT_EQ(m_requests.size(), 2u);
  EXPECT_TRUE(m_requests[1].reRender);
  // Tracking the thumb draws the shifted pane in boxes and keeps the offset.
  view.Scroll(true, C::ThumbTrack, 0);
  ASSERT_EQ(m_requests.size(), 3u);
  EXPECT_EQ(m_requests[2].offset[0], -40 - 200);
  EXPECT_TRUE(view.GetRenderer()->GetBoundingBoxMode());
  EXPECT_EQ(view.GetOffsetX(), -40);
}

TEST_F(QuorvelViewStateTest, ScrollBarsFollowThePaneAndTheMode) {
  CQuorvelViewState view(1);
  Open(view);
  EXPECT_FALSE(view.ScrollBarsShown());
  EXPECT_TRUE(view.UpdateScrollBars(true));
  EXPECT_EQ(theSettings.ScrollBars[1], 1);
  EXPECT_EQ(theSettings.ScrollBars[0], 0);
  EXPECT_TRUE(view.ScrollBarsChecked());
  // View mode never shows them, and the toggle does nothing there.
  CDocTestAccess::SetEditMode(m_doc, 0);
  theSettings.ScrollBars[5] = 1;
  EXPECT_FALSE(view.UpdateScrollBars(true));
  EXPECT_EQ(theSettings.ScrollBars[5], 0);
  EXPECT_EQ(theSettings.ScrollBars[1], 1);
  CDocTestAccess::SetEditMode(m_doc, 1);
  EXPECT_TRUE(view.UpdateScrollBars(false));
  EXPECT_FALSE(view.UpdateScrollBars(true));
}

TEST_F(QuorvelViewStateTest, SwitchesExcludeEachOtherAndSetTheRenderer) {
  CQuorvelViewState view(0);
  Open(view);
  C3DStub& r = *view.GetRenderer();
  view.ToggleWireframe();
  EXPECT_TRUE(view.IsWireframe());
  EXPECT_TRUE(r.GetSurfacesOff());
  EXPECT_FALSE(r.IsPickBufferOn());  // no pick ids without surfaces
  ASSERT_EQ(m_requests.size(), 1u);
  EXPECT_TRUE(m_requests[0].reRender);
  view.ToggleBoundingBox();
  EXPECT_TRUE(view.IsBoundingBox());
  EXPECT_FALSE(view.IsWireframe());
  EXPECT_TRUE(r.GetBoundingBoxMode());
  EXPECT_FALSE(r.GetSurfacesOff());
  view.ToggleWireframe();
  EXPECT_FALSE(view.IsBoundingBox());
  view.ToggleWireframe();
  EXPECT_FALSE(view.IsWireframe());
  view.OnUpdate(HINT_FULL);
  EXPECT_FALSE(r.GetSurfacesOff());
  EXPECT_FALSE(r.GetBoundingBoxMode());
  EXPECT_TRUE(r.IsPickBufferOn());
  // A pan drag draws boxes without pick ids.
  view.SetMouseMode(101);
  view.SetDragging(true);
  view.Render();
  EXPECT_TRUE(r.GetBoundingBoxMode());
  EXPECT_FALSE(r.IsPickBufferOn());
}

TEST_F(QuorvelViewStateTest, PerspectiveOnlyInTheViewModesThreeDPane) {
  theSettings.Perspective = 1;
  CQuorvelViewState front(0), threeD(3);
  Open(front);
  Open(threeD);
  threeD.OnUpdate(HINT_FULL);
  EXPECT_FALSE(m_requests.back().perspective);  // edit mode
  CDocTestAccess::SetEditMode(m_doc, 0);
  threeD.OnUpdate(HINT_FULL);
  EXPECT_TRUE(m_requests.back().perspective);
  front.OnUpdate(HINT_FULL);
  EXPECT_FALSE(m_requests.back().perspective);
  // Turning the view with the mouse: no perspective until the button is released.
  threeD.SetMouseMode(100);
  threeD.SetDragging(true);
  threeD.Render();
  EXPECT_TRUE(m_requests.back().rotating);
  threeD.SetDragging(false);
  threeD.Render();
  EXPECT_FALSE(m_requests.back().rotating);
}

TEST_F(QuorvelViewStateTest, StatusTexts) {
  CQuorvelViewState view(0);
  Open(view, 400, 300);
  C3DStub& r = *view.GetRenderer();
  ASSERT_EQ(r.Reset(400, 300, 1), 1);
  r.SetView(200, 150, 2);  // model (0, 0) at the pane's centre, 2 pixels per unit

  // (300, 50) is model (50, -50); the coarse grid of 16 snaps it to (48, -48).
  const struct {
    int direction;
    const char* text;
  } rows[] = {{kDirTop, "x = 48.0, y = 0.0, z = 48.0"},   {kDirBottom, "x = 48.0, y = 0.0, z = -48.0"},
              {kDirLeft, "x = 0.0, y = -48.0, z = -48.0"}, {kDirRight, "x = 0.0, y = -48.0, z = 48.0"},
              {kDirFront, "x = 48.0, y = -48.0, z = 0.0"}, {kDirBack, "x = -48.0, y = -48.0, z = 0.0"},
              {kDir3D, "x = 0.0, y = 0.0, z = 0.0"}};
  for (const auto& row : rows) {
    view.SetDirection(row.direction);
    r.SetView(200, 150, 2);
    EXPECT_EQ(view.CoordinateText(300, 50), row.text) << row.direction;
  }
  view.SetDirection(kDirFront);
  r.SetView(200, 150, 2);
  theSettings.GridType = 2;  // fine grid: steps of 1
  EXPECT_EQ(view.CoordinateText(211, 150), "x = 6.0, y = 0.0, z = 0.0");
  // A point off the drawing area (95% of the pane, centred) is taken at its edge: x 10 .. 389.
  EXPECT_EQ(view.CoordinateText(0, 150), "x = -95.0, y = 0.0, z = 0.0");
  EXPECT_EQ(view.CoordinateText(399, 150), "x = 95.0, y = 0.0, z = 0.0");

  CDocTestAccess::SetEditMode(m_doc, 0);
  CDocTestAccess::SetShownStep(m_doc, 1);
  EXPECT_EQ(view.StepText(), "Step 1 of 1");
}

}  // namespace
