// The mouse in a 3-D pane without a window: clicks and rubber bands over a rendered fixture
// select what lies under them (through the pick ids and through the geometric hit test), a drag of
// the selection moves it by whole grid steps in one undo step, the view drags pan, zoom and turn,
// and a lost capture ends every drag.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "ViewTestSupport.h"
#include "app/QuorvelViewState.h"
#include "app/ViewMouse.h"
#include "config/PartList.h"
#include "document/QuorvelDoc.h"
#include "model/QvElement.h"
#include "model/QvFile.h"
#include "model/TextHandler.h"
#include "render/C3DStub.h"

namespace {

// Two flat squares side by side across the front view, and a third far to the right.
std::vector<std::string> SquaresModel() {
  return {
      "0 Squares",
      "4 4 -60 -20 0 -20 -20 0 -20 20 0 -60 20 0",
      "4 2 20 -20 0 60 -20 0 60 20 0 20 20 0",
      "4 1 100 -20 0 140 -20 0 140 20 0 100 20 0",
  };
}

class ViewMouseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_doc.OnNewDocument();
    ASSERT_TRUE(LoadModelText(m_doc, SquaresModel()));
    CDocTestAccess::SetEditMode(m_doc, 1);
    m_view.OnSize(400, 300);
    m_view.Attach(&m_doc);
    ASSERT_NE(m_view.GetRenderer(), nullptr);
    ASSERT_TRUE(m_view.GetRenderer()->IsInitialised());
  }

  // The pixel where the renderer put a model point (its own scale, offset and the view matrix).
  void Pixel(double x, double y, double z, int& px, int& py) const {
    const C3DStub& r = *m_view.GetRenderer();
    const CVector3 p = m_view.GetViewMatrix() * CVector3(x, y, z);
    px = static_cast<int>(std::lround(p.x * r.GetScaleX() + r.GetOffsetX()));
    py = static_cast<int>(std::lround(p.y * r.GetScaleY() + r.GetOffsetY()));
  }

  MouseInput At(double x, double y, bool ctrl = false, bool shift = false) const {
    MouseInput in;
    Pixel(x, y, 0, in.x, in.y);
    in.ctrl = ctrl;
    in.shift = shift;
    return in;
  }

  std::set<int> Selected() const { return SelectedIndices(*m_doc.GetActiveModel()); }

  void Click(const MouseInput& in) {
    m_mouse.ButtonDown(in);
    m_mouse.ButtonUp(in);
    // The window hears of the new selection and draws it.
    m_view.OnUpdate(HINT_SELECTION);
    m_view.Render();
  }

  void Band(MouseInput from, MouseInput to) {
    const MouseReply down = m_mouse.ButtonDown(from);
    EXPECT_TRUE(down.capture);
    EXPECT_EQ(m_view.GetMouseMode(), CViewMouse::kRubberBand);
    m_mouse.Motion(to);
    int l, t, r, b;
    ASSERT_TRUE(m_mouse.GetRubberBand(l, t, r, b));
    const MouseReply up = m_mouse.ButtonUp(to);
    EXPECT_TRUE(up.release);
    EXPECT_FALSE(m_mouse.GetRubberBand(l, t, r, b));
    EXPECT_EQ(m_view.GetMouseMode(), 0);
    m_view.OnUpdate(HINT_SELECTION);
    m_view.Render();
  }

  // The squares only.
  std::vector<std::string> SavedLines() { return WrittenQuadLines(*m_doc.GetActiveModel()); }

  CViewSettingsScope m_settings;
  CQuorvelDoc m_doc;
  CQuorvelViewState m_view{0};
  CViewMouse m_mouse{m_view};
};

// Element indices: 0 the comment, 1 the left square, 2 the middle one, 3 the right one.
TEST_F(ViewMouseTest, ClickSelectsTheElementUnderThePointWithAndWithoutPickIds) {
  struct Case {
    const char* name;
    int screenSelection;
    bool wireframe;
  };
  for (const Case& c : {Case{"pick ids", 1, false}, Case{"geometric, setting off", 0, false},
                        Case{"geometric, wireframe pane", 1, true}}) {
    SCOPED_TRACE(c.name);
    theSettings.ScreenSelection = c.screenSelection;
    if (c.wireframe != m_view.IsWireframe()) m_view.ToggleWireframe();
    m_view.OnUpdate(HINT_FULL);
    EXPECT_EQ(m_view.GetRenderer()->HasPickBuffer(), c.screenSelection == 1 && !c.wireframe);
    Click(At(-40, 0));
    EXPECT_EQ(Selected(), (std::set<int>{1}));
    Click(At(40, 0));
    EXPECT_EQ(Selected(), (std::set<int>{2}));
    Click(At(120, 5, true));
    EXPECT_EQ(Selected(), (std::set<int>{2, 3}));
  }
}

TEST_F(ViewMouseTest, ClickWithShiftPansInsteadOfSelecting) {
  const int x0 = m_view.GetOffsetX();
  MouseInput in = At(-40, 0, false, true);
  EXPECT_TRUE(m_mouse.ButtonDown(in).capture);
  EXPECT_EQ(m_view.GetMouseMode(), CViewMouse::kPan);
  in.x += 30;
  m_mouse.Motion(in);
  m_mouse.ButtonUp(in);
  EXPECT_EQ(m_view.GetOffsetX(), x0 + 30);
  EXPECT_EQ(m_view.GetMouseMode(), 0);
  EXPECT_FALSE(m_view.IsDragging());
  EXPECT_TRUE(Selected().empty());
}

TEST_F(ViewMouseTest, RubberBandSelectsWhatItCovers) {
  struct Case {
    const char* name;
    bool shift;  // the geometric test
  };
  for (const Case& c : {Case{"pick ids", false}, Case{"geometric", true}}) {
    SCOPED_TRACE(c.name);
    m_doc.BuildSelection(0, 0);
    m_view.OnUpdate(HINT_FULL);
    // From empty space above the left square to below the middle one.
    MouseInput from = At(-70, -40), to = At(50, 40);
    from.shift = false;  // the press itself must not pan
    to.shift = c.shift;
    Band(from, to);
    EXPECT_EQ(Selected(), (std::set<int>{1, 2}));
    // With Ctrl a second band keeps them and adds the right square.
    MouseInput from2 = At(90, -40), to2 = At(150, 40, true, c.shift);
    Band(from2, to2);
    EXPECT_EQ(Selected(), (std::set<int>{1, 2, 3}));
    // A band over empty space clears.
    Band(At(-70, -100), At(150, -60));
    EXPECT_TRUE(Selected().empty());
  }
}

TEST_F(ViewMouseTest, DraggingTheSelectionMovesItByWholeGridStepsInOneUndoStep) {
  Click(At(40, 0));
  ASSERT_EQ(Selected(), (std::set<int>{2}));
  const int undoBefore = m_doc.GetUndoCurrent();
  const double step = theSettings.DefStep.x;
  // One grid step and a little less than half of another: the move snaps to one step.
  const double scale = m_view.GetRenderer()->GetScaleX();
  MouseInput in = At(40, 0);
  m_mouse.ButtonDown(in);
  EXPECT_TRUE(m_view.IsDragging());
  in.x += static_cast<int>(std::lround(step * 1.4 * scale));
  m_mouse.Motion(in);
  EXPECT_TRUE(m_mouse.IsDraggingSelection());
  m_mouse.ButtonUp(in);
  EXPECT_FALSE(m_view.IsDragging());
  EXPECT_EQ(m_doc.GetUndoCurrent(), undoBefore + 1);
  const std::vector<std::string> lines = SavedLines();
  ASSERT_EQ(lines.size(), 3u);
  // The middle square, every x moved by exactly the grid step (16 by default).
  EXPECT_EQ(lines[1], "4 2 36 -20 0 76 -20 0 76 20 0 36 20 0");
  EXPECT_EQ(lines[0], "4 4 -60 -20 0 -20 -20 0 -20 20 0 -60 20 0");
}

TEST_F(ViewMouseTest, DraggingWithCtrlCopiesTheSelection) {
  Click(At(40, 0));
  const size_t count = m_doc.GetActiveModel()->GetCount();
  const double scale = m_view.GetRenderer()->GetScaleX();
  MouseInput in = At(40, 0);
  m_mouse.ButtonDown(in);
  in.y += static_cast<int>(std::lround(theSettings.DefStep.y * scale));
  in.ctrl = true;
  m_mouse.Motion(in);
  m_mouse.ButtonUp(in);
  EXPECT_EQ(m_doc.GetActiveModel()->GetCount(), count + 1);
  const std::vector<std::string> lines = SavedLines();
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[1], "4 2 20 -20 0 60 -20 0 60 20 0 20 20 0");
  // The copy goes after the original, one grid step lower.
  EXPECT_EQ(lines[2], "4 2 20 -4 0 60 -4 0 60 36 0 20 36 0");
}

TEST_F(ViewMouseTest, DraggingAVertexHandleMovesThatVertexOnly) {
  Click(At(40, 0));
  ASSERT_TRUE(m_mouse.GetCursor().IsVertexMode());
  const int undoBefore = m_doc.GetUndoCurrent();
  const double scale = m_view.GetRenderer()->GetScaleX();
  MouseInput in = At(20, -20);  // the first vertex
  m_mouse.ButtonDown(in);
  in.x -= static_cast<int>(std::lround(theSettings.DefStep.x * scale));
  m_mouse.Motion(in);
  m_mouse.ButtonUp(in);
  EXPECT_EQ(m_doc.GetUndoCurrent(), undoBefore + 1);
  EXPECT_EQ(SavedLines()[1], "4 2 4 -20 0 60 -20 0 60 20 0 20 20 0");
}

TEST_F(ViewMouseTest, AClickWithoutMovementMovesNothing) {
  Click(At(40, 0));
  const int undoBefore = m_doc.GetUndoCurrent();
  MouseInput in = At(40, 0);
  m_mouse.ButtonDown(in);
  in.x += 1;  // below the drag threshold
  m_mouse.Motion(in);
  m_mouse.ButtonUp(in);
  EXPECT_EQ(m_doc.GetUndoCurrent(), undoBefore);
  EXPECT_EQ(SavedLines()[1], "4 2 20 -20 0 60 -20 0 60 20 0 20 20 0");
}

TEST_F(ViewMouseTest, ZoomDragStopsAt500) {
  MouseInput in = At(0, 0, true, true);
  m_mouse.ButtonDown(in);
  EXPECT_EQ(m_view.GetMouseMode(), CViewMouse::kZoom);
  in.y += 5000;
  m_mouse.Motion(in);
  EXPECT_DOUBLE_EQ(m_view.GetZoom(), 500.0);
  m_mouse.ButtonUp(in);
  EXPECT_EQ(m_view.GetMouseMode(), 0);
  // The wheel still reaches 1000.
  for (int i = 0; i < 5; ++i) m_view.OnWheel(120);
  EXPECT_DOUBLE_EQ(m_view.GetZoom(), 1000.0);
}

TEST_F(ViewMouseTest, ALostCaptureEndsEveryDrag) {
  struct Case {
    const char* name;
    bool shift, ctrl;
    double x, y;
  };
  for (const Case& c :
       {Case{"pan", true, false, 0, 0}, Case{"zoom", true, true, 0, 0},
        Case{"rubber band", false, false, -80, -80}, Case{"selection", false, false, 40, 0}}) {
    SCOPED_TRACE(c.name);
    MouseInput in = At(c.x, c.y, c.ctrl, c.shift);
    EXPECT_TRUE(m_mouse.ButtonDown(in).capture);
    EXPECT_TRUE(m_view.IsDragging());
    in.x += 40;
    in.y += 40;
    m_mouse.Motion(in);
    const int undo = m_doc.GetUndoCurrent();
    MouseReply reply = m_mouse.CaptureLost();
    EXPECT_TRUE(reply.hasStatus);
    EXPECT_TRUE(reply.status.empty());
    EXPECT_FALSE(m_view.IsDragging());
    EXPECT_EQ(m_view.GetMouseMode(), 0);
    int l, t, r, b;
    EXPECT_FALSE(m_mouse.GetRubberBand(l, t, r, b));
    EXPECT_FALSE(m_mouse.IsDraggingSelection());
    EXPECT_EQ(m_doc.GetUndoCurrent(), undo);
    // A button up after the loss does nothing more.
    m_mouse.ButtonUp(in);
    EXPECT_EQ(m_doc.GetUndoCurrent(), undo);
  }
}

TEST_F(ViewMouseTest, HandlesOfTheSelectionFollowItInEveryPane) {
  Click(At(40, 0));
  const CSelectionCursor& cursor = m_mouse.GetCursor();
  ASSERT_TRUE(cursor.IsShown());
  // One quadrilateral: four vertex handles and the box round them.
  ASSERT_EQ(cursor.GetHandles().size(), 5u);
  EXPECT_TRUE(cursor.IsVertexMode());
  int cx, cy;
  Pixel(40, 0, 0, cx, cy);
  EXPECT_NEAR(cursor.GetCenterX(), cx, 1);
  EXPECT_NEAR(cursor.GetCenterY(), cy, 1);
  EXPECT_EQ(cursor.HitTest(cx, cy), CSelectionCursor::kWholeSelection);
  int vx, vy;
  Pixel(20, -20, 0, vx, vy);
  EXPECT_EQ(cursor.HitTest(vx, vy), 1);
  EXPECT_EQ(cursor.HitTest(0, 0), CSelectionCursor::kNone);
}

TEST_F(ViewMouseTest, TheRotationPointIsDraggedWhenItMayMove) {
  CQvFile* model = m_doc.GetActiveModel();
  CRotationPoints& points = model->GetRotationPoints();
  points.ResetPoints();
  points.mode = CRotationPoints::kFirstCustom;
  points.show = 1;
  Click(At(40, 0));
  const CSelectionCursor& cursor = m_mouse.GetCursor();
  ASSERT_TRUE(cursor.HasRotationHandle());
  // The point sits at the origin; a drag of 10 model units in x and 5 in y moves it so far,
  // without the grid.
  MouseInput in = At(0, 0);
  EXPECT_EQ(cursor.HitTest(in.x, in.y), CSelectionCursor::kRotationPoint);
  const double scale = m_view.GetRenderer()->GetScaleX();
  m_mouse.ButtonDown(in);
  in.x += static_cast<int>(std::lround(10 * scale));
  in.y += static_cast<int>(std::lround(5 * scale));
  m_mouse.Motion(in);
  m_mouse.ButtonUp(in);
  const CVector3 p = points.GetPoint();
  EXPECT_NEAR(p.x, 10, 0.5 / scale + 1e-9);
  EXPECT_NEAR(p.y, 5, 0.5 / scale + 1e-9);
  EXPECT_EQ(p.z, 0);
  // The squares stayed.
  EXPECT_EQ(SavedLines()[1], "4 2 20 -20 0 60 -20 0 60 20 0 20 20 0");
  // A point that may not move: the press beeps and nothing follows.
  std::vector<RotationPoint> fixed = points.GetPoints();
  fixed[0].movable = 0;
  points.SetPoints(fixed);
  MouseInput on = At(p.x, p.y);
  ASSERT_EQ(m_mouse.GetCursor().HitTest(on.x, on.y), CSelectionCursor::kRotationPoint);
  const MouseReply reply = m_mouse.ButtonDown(on);
  EXPECT_TRUE(reply.beep);
  EXPECT_FALSE(reply.capture);
  EXPECT_FALSE(m_view.IsDragging());
}

TEST_F(ViewMouseTest, PanAndZoomSubModesDragTheViewAndStay) {
  CDocTestAccess::SetSubMode(m_doc, 1);
  m_view.OnUpdate(HINT_FULL);
  ASSERT_EQ(m_view.GetMouseMode(), 1);
  EXPECT_EQ(m_view.GetCursor(), ViewCursor::Move);
  const int x0 = m_view.GetOffsetX(), y0 = m_view.GetOffsetY();
  MouseInput in = At(-40, 0);
  EXPECT_TRUE(m_mouse.ButtonDown(in).capture);
  in.x -= 25;
  in.y += 10;
  m_mouse.Motion(in);
  EXPECT_EQ(m_view.GetOffsetX(), x0 - 25);
  m_mouse.ButtonUp(in);
  EXPECT_EQ(m_view.GetOffsetX(), x0 - 25);
  EXPECT_EQ(m_view.GetOffsetY(), y0 + 10);
  EXPECT_EQ(m_view.GetMouseMode(), 1);
  EXPECT_TRUE(Selected().empty());

  CDocTestAccess::SetSubMode(m_doc, 3);
  m_view.OnUpdate(HINT_FULL);
  const double z0 = m_view.GetZoom();
  in = At(0, 0);
  m_mouse.ButtonDown(in);
  in.y += 100;  // one doubling per 100 pixels down
  m_mouse.Motion(in);
  m_mouse.ButtonUp(in);
  EXPECT_NEAR(m_view.GetZoom(), z0 * 2, 1e-9);
  EXPECT_EQ(m_view.GetMouseMode(), 3);
}

TEST_F(ViewMouseTest, DraggingIn3DTurnsTheView) {
  CQuorvelViewState view3d(3);  // the lower right pane shows 3D
  view3d.OnSize(400, 300);
  view3d.Attach(&m_doc);
  ASSERT_EQ(view3d.GetDirection(), kDir3D);
  CViewMouse mouse(view3d);
  const CMatrix3 before = view3d.GetViewMatrix();
  MouseInput in;
  in.x = 200, in.y = 150;
  EXPECT_TRUE(mouse.ButtonDown(in).capture);
  EXPECT_EQ(view3d.GetMouseMode(), CViewMouse::kTurn);
  in.x -= 200;  // half the width: a quarter turn about the vertical axis
  mouse.Motion(in);
  CMatrix3 turn;
  turn.SetEuler(0, 90, 0);
  const CMatrix3 expected = turn * before;
  for (int i = 0; i < 9; ++i) EXPECT_NEAR(view3d.GetViewMatrix().m[i], expected.m[i], 1e-9) << i;
  mouse.ButtonUp(in);
  EXPECT_EQ(view3d.GetMouseMode(), 0);
  EXPECT_FALSE(view3d.IsDragging());
  // Nothing was selected by the press.
  EXPECT_TRUE(Selected().empty());
}

TEST_F(ViewMouseTest, AClickInViewModeShowsTheNextStepAndWraps) {
  ASSERT_TRUE(LoadModelText(m_doc, {"4 4 -60 -20 0 -20 -20 0 -20 20 0 -60 20 0", "0 STEP",
                                    "4 2 20 -20 0 60 -20 0 60 20 0 20 20 0"}));
  CDocTestAccess::SetEditMode(m_doc, 0);
  CDocTestAccess::ShowStep(m_doc, 0, 1);
  m_view.OnUpdate(HINT_MODE_CHANGED);
  const int count = m_doc.GetStepCount(1);
  ASSERT_GE(count, 2);
  std::vector<int> shown;
  for (int i = 0; i < count; ++i) {
    MouseInput in = At(0, 0);
    const MouseReply reply = m_mouse.ButtonDown(in);
    EXPECT_FALSE(reply.capture);
    m_mouse.ButtonUp(in);
    shown.push_back(m_doc.GetShownStep());
  }
  EXPECT_EQ(shown.front(), 2);
  EXPECT_EQ(shown.back(), 1);  // from the last step back to the first
}

// A project whose model places a small sub-model; the sub-model is the part dragged in.
class ViewMouseDropTest : public ViewMouseTest {
 protected:
  void SetUp() override {
    std::string text =
        "0 FILE main.ldr\n"
        "1 4 0 -24 8 1 0 0 0 1 0 0 0 1 brick.ldr\n"
        "0 FILE brick.ldr\n"
        "4 16 -10 -4 0 10 -4 0 10 4 0 -10 4 0\n";
    m_doc.OnNewDocument();
    FILE* f = fmemopen(text.data(), text.size(), "r");
    ASSERT_NE(f, nullptr);
    ASSERT_EQ(m_doc.LoadFromFile(f, 1, "drop.mpd"), 1);
    std::fclose(f);
    CDocTestAccess::SetEditMode(m_doc, 1);
    m_view.OnSize(400, 300);
    m_view.Attach(&m_doc);
    ASSERT_TRUE(m_view.GetRenderer()->IsInitialised());
  }
};

TEST_F(ViewMouseDropTest, ADroppedPartLandsOnTheGridAtThePreviousPartsDepth) {
  const PartHandle brick = thePartList.FindByName("brick.ldr", kDocumentModels);
  ASSERT_NE(brick, 0u);
  MouseInput in = At(37, 5);
  ASSERT_TRUE(m_mouse.PartDragEnter(brick, in.x, in.y));
  int l, t, r, b;
  ASSERT_TRUE(m_mouse.GetDropOutline(l, t, r, b));
  // The outline is the part's box (20 x 8 units) round the snapped point (32, 0).
  int cx, cy;
  Pixel(32, 0, 0, cx, cy);
  const double scale = m_view.GetRenderer()->GetScaleX();
  EXPECT_NEAR((l + r) / 2.0, cx, 1.5);
  EXPECT_NEAR((t + b) / 2.0, cy, 1.5);
  EXPECT_NEAR(r - l, 20 * scale + 2, 2);
  // Moving within the same grid cell keeps the outline; the next cell moves it.
  MouseInput next = At(50, 5);
  m_mouse.PartDragOver(next.x, next.y);
  int l2, t2, r2, b2;
  ASSERT_TRUE(m_mouse.GetDropOutline(l2, t2, r2, b2));
  EXPECT_NEAR(l2 - l, 16 * scale, 1.5);
  ASSERT_TRUE(m_mouse.PartDrop(in.x, in.y));
  EXPECT_FALSE(m_mouse.GetDropOutline(l, t, r, b));
  CQvFile* model = m_doc.GetActiveModel();
  ASSERT_EQ(model->GetCount(), 2u);
  const auto* added = dynamic_cast<const CQvElement*>(model->GetAt(1));
  ASSERT_NE(added, nullptr);
  EXPECT_EQ(added->GetFileName(), "brick.ldr");
  EXPECT_DOUBLE_EQ(added->GetPosition().x, 32);
  EXPECT_DOUBLE_EQ(added->GetPosition().y, 0);
  EXPECT_DOUBLE_EQ(added->GetPosition().z, 8);
}

TEST_F(ViewMouseDropTest, NoDropInViewModeOrForAnUnknownPart) {
  MouseInput in = At(0, 0);
  EXPECT_FALSE(m_mouse.PartDragEnter(MakePartHandle(kDocumentModels, 77), in.x, in.y));
  EXPECT_FALSE(m_mouse.PartDrop(in.x, in.y));
  CDocTestAccess::SetEditMode(m_doc, 0);
  EXPECT_FALSE(m_mouse.PartDragEnter(thePartList.FindByName("brick.ldr", kDocumentModels), in.x, in.y));
  EXPECT_EQ(m_doc.GetActiveModel()->GetCount(), 1u);
}

}  // namespace
