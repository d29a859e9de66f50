// The mouse in a real 3-D pane window under Xvfb: pointer events made by the X server (through
// wxUIActionSimulator) click-select, draw a rubber band and drag a square by one grid step; the
// model text is compared afterwards. The mouse is always given back.
#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/uiaction.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "GuiTest.h"
#include "ViewTestSupport.h"
#include "app/PaneDropTarget.h"
#include "app/QuorvelView.h"
#include "config/PartList.h"
#include "document/QuorvelDoc.h"
#include "model/QvFile.h"
#include "model/TextHandler.h"
#include "render/C3DStub.h"

namespace {

std::vector<std::string> SquaresModel() {
  return {
      "0 Squares",
      "4 4 -60 -20 0 -20 -20 0 -20 20 0 -60 20 0",
      "4 2 20 -20 0 60 -20 0 60 20 0 20 20 0",
  };
}

class RealMouseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    REQUIRE_GUI();
    m_doc = std::make_unique<CQuorvelDoc>();
    m_doc->OnNewDocument();
    ASSERT_TRUE(LoadModelText(*m_doc, SquaresModel()));
    CDocTestAccess::SetEditMode(*m_doc, 1);
    m_frame = new wxFrame(nullptr, wxID_ANY, "mouse test", wxPoint(0, 0));
    m_view = new CQuorvelView(m_frame, 0, "View3D_0");
    m_frame->SetClientSize(400, 300);
    m_frame->Show();
    PumpEvents(100);
    m_view->SetSize(0, 0, 400, 300);
    m_view->SetDocument(m_doc.get());
    PumpEvents(100);
    ASSERT_NE(m_view->State().GetRenderer(), nullptr);
    ASSERT_TRUE(m_view->State().GetRenderer()->IsInitialised());
  }
  void TearDown() override {
    if (m_frame) {
      m_view->SetDocument(nullptr);
      m_frame->Destroy();
      PumpEvents(30);
    }
  }

  // The screen point where the renderer put a model point.
  wxPoint Screen(double x, double y) const {
    const C3DStub& r = *m_view->State().GetRenderer();
    const CVector3 p = m_view->State().GetViewMatrix() * CVector3(x, y, 0);
    const wxPoint client(static_cast<int>(std::lround(p.x * r.GetScaleX() + r.GetOffsetX())),
                         static_cast<int>(std::lround(p.y * r.GetScaleY() + r.GetOffsetY())));
    return m_view->ClientToScreen(client);
  }

  void MoveTo(const wxPoint& p) {
    m_sim.MouseMove(p);
    PumpEvents(60);
  }
  void Click(const wxPoint& p) {
    MoveTo(p);
    m_sim.MouseDown();
    PumpEvents(40);
    m_sim.MouseUp();
    PumpEvents(80);
  }
  void Drag(const wxPoint& from, const wxPoint& to) {
    MoveTo(from);
    m_sim.MouseDown();
    PumpEvents(60);
    MoveTo(wxPoint((from.x + to.x) / 2, (from.y + to.y) / 2));
    MoveTo(to);
    m_sim.MouseUp();
    PumpEvents(100);
  }

  std::set<int> Selected() const { return SelectedIndices(*m_doc->GetActiveModel()); }
  std::vector<std::string> Squares() { return WrittenQuadLines(*m_doc->GetActiveModel()); }

  CViewSettingsScope m_settings;
  std::unique_ptr<CQuorvelDoc> m_doc;
  wxFrame* m_frame = nullptr;
  CQuorvelView* m_view = nullptr;
  wxUIActionSimulator m_sim;
};

TEST_F(RealMouseTest, ClickBandAndDragWithTheRealPointer) {
  Click(Screen(-40, 0));
  EXPECT_EQ(Selected(), (std::set<int>{1}));
  EXPECT_FALSE(m_view->HasCapture());

  // A band from empty space round both squares.
  Drag(Screen(-80, -40), Screen(80, 40));
  EXPECT_EQ(Selected(), (std::set<int>{1, 2}));
  EXPECT_FALSE(m_view->HasCapture());
  EXPECT_EQ(m_view->State().GetMouseMode(), 0);

  // The middle square alone, dragged one grid step (16) to the right.
  Click(Screen(40, 0));
  ASSERT_EQ(Selected(), (std::set<int>{2}));
  const double step = theSettings.DefStep.x;
  const wxPoint from = Screen(40, 0);
  Drag(from, Screen(40 + step, 0));
  EXPECT_FALSE(m_view->HasCapture());
  EXPECT_FALSE(m_view->State().IsDragging());
  const std::vector<std::string> lines = Squares();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "4 4 -60 -20 0 -20 -20 0 -20 20 0 -60 20 0");
  EXPECT_EQ(lines[1], "4 2 36 -20 0 76 -20 0 76 20 0 36 20 0");
}

TEST_F(RealMouseTest, ALostCaptureEndsTheRubberBand) {
  MoveTo(Screen(-80, -40));
  m_sim.MouseDown();
  PumpEvents(60);
  MoveTo(Screen(0, 0));
  EXPECT_TRUE(m_view->HasCapture());
  EXPECT_EQ(m_view->State().GetMouseMode(), 103);
  // Another window takes the mouse away, as a popup would.
  m_view->ReleaseMouse();
  wxMouseCaptureLostEvent lost(m_view->GetId());
  lost.SetEventObject(m_view);
  m_view->GetEventHandler()->ProcessEvent(lost);
  EXPECT_FALSE(m_view->State().IsDragging());
  EXPECT_EQ(m_view->State().GetMouseMode(), 0);
  m_sim.MouseUp();
  PumpEvents(60);
  EXPECT_FALSE(m_view->HasCapture());
  EXPECT_TRUE(Selected().empty());
}

// The pane's drop target with the payload the part tree and the browser offer.
TEST_F(RealMouseTest, ThePaneTakesADroppedPartFromThisProgramOnly) {
  std::string text =
      "0 FILE main.ldr\n"
      "1 4 0 -24 8 1 0 0 0 1 0 0 0 1 brick.ldr\n"
      "0 FILE brick.ldr\n"
      "4 16 -10 -4 0 10 -4 0 10 4 0 -10 4 0\n";
  FILE* f = fmemopen(text.data(), text.size(), "r");
  ASSERT_NE(f, nullptr);
  ASSERT_EQ(m_doc->LoadFromFile(f, 1, "drop.mpd"), 1);
  std::fclose(f);
  CDocTestAccess::SetEditMode(*m_doc, 1);
  m_doc->UpdateAllViews(HINT_REFIT);
  PumpEvents(50);
  auto* target = dynamic_cast<CPaneDropTarget*>(m_view->GetDropTarget());
  ASSERT_NE(target, nullptr);
  const PartHandle brick = thePartList.FindByName("brick.ldr", kDocumentModels);
  ASSERT_NE(brick, 0u);
  const PartDragData payload{1, brick};
  const wxPoint at = m_view->ScreenToClient(Screen(40, 0));

  // Dragged from this program's part tree: the outline follows, the drop adds the part.
  NotePartDrag(payload);
  EXPECT_EQ(target->OnEnter(at.x, at.y, wxDragCopy), wxDragCopy);
  int l, t, r, b;
  EXPECT_TRUE(m_view->Mouse().GetDropOutline(l, t, r, b));
  EXPECT_EQ(target->OnDragOver(at.x + 5, at.y, wxDragCopy), wxDragCopy);
  EXPECT_TRUE(target->DropPayload(payload, at.x, at.y));
  EXPECT_FALSE(m_view->Mouse().GetDropOutline(l, t, r, b));
  EXPECT_EQ(m_doc->GetActiveModel()->GetCount(), 2u);
  // Lines or a selection dragged from elsewhere are no part.
  EXPECT_FALSE(target->DropPayload(PartDragData{3, 0}, at.x, at.y));
  EXPECT_FALSE(target->DropPayload(PartDragData{2, 0}, at.x, at.y));
  NotePartDrag(PartDragData{});

  // From another program a model of its own document means nothing here.
  EXPECT_EQ(target->OnEnter(at.x, at.y, wxDragCopy), wxDragCopy);
  EXPECT_FALSE(m_view->Mouse().GetDropOutline(l, t, r, b));
  EXPECT_FALSE(target->DropPayload(payload, at.x, at.y));
  target->OnLeave();
  EXPECT_EQ(m_doc->GetActiveModel()->GetCount(), 2u);

  // View mode takes no drop.
  CDocTestAccess::SetEditMode(*m_doc, 0);
  EXPECT_EQ(target->OnEnter(at.x, at.y, wxDragCopy), wxDragNone);
  NotePartDrag(payload);
  EXPECT_FALSE(target->DropPayload(payload, at.x, at.y));
  NotePartDrag(PartDragData{});
  EXPECT_EQ(m_doc->GetActiveModel()->GetCount(), 2u);
}

}  // namespace
