// The 3-D view as a window: the picture it shows (the renderer's image with the overlays drawn
// into it), the four panes of the main frame over a document, and the view commands routed to
// the active view. Pictures are read from the view's composed bitmap, never from the screen.
#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/image.h>
#include <wx/menu.h>
#include <wx/modalhook.h>
#include <wx/textctrl.h>

#include <memory>

#include "GuiTest.h"
#include "ViewTestSupport.h"
#include "app/CommandTable.h"
#include "app/MainFrame.h"
#include "app/PrivateEvents.h"
#include "app/QuorvelView.h"
#include "app/ViewCommands.h"
#include "config/ScanOrder.h"
#include "config/Settings.h"
#include "dialogs/ZoomFactDlg.h"
#include "model/FileCache.h"
#include "platform/Profile.h"
#include "render/C3DStub.h"
#include "render/ViewLabel.h"
#include "support/TestData.h"
#include "tests/model/LibraryScope.h"

namespace {

struct Rgb {
  int r, g, b;
  bool operator==(const Rgb&) const = default;
};

Rgb At(const wxImage& image, int x, int y) { return {image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y)}; }

Rgb Background() {
  const LabelRgb c = PaneBackgroundColor(theSettings.BackgroundColor);
  return {c.r, c.g, c.b};
}

// Pixels of the model's red (colour 4, shaded or not) in the middle of the picture, away from the
// label and the arrows in the corners.
int CountRed(const wxImage& image) {
  int n = 0;
  for (int y = image.GetHeight() / 5; y < image.GetHeight() * 4 / 5; ++y)
    for (int x = image.GetWidth() / 5; x < image.GetWidth() * 4 / 5; ++x) {
      Rgb p = At(image, x, y);
      if (p.r > 120 && p.g < 80 && p.b < 80) ++n;
    }
  return n;
}

int CountDark(const wxImage& image, int x0, int y0, int x1, int y1) {
  int n = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) {
      Rgb p = At(image, x, y);
      if (p.r < 100 && p.g < 100 && p.b < 100) ++n;
    }
  return n;
}

wxImage Picture(CQuorvelView* view) { return view->ComposePicture().ConvertToImage(); }

class QuorvelViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!GuiAvailable()) GTEST_SKIP() << "no display (run the GUI tests under xvfb-run)";
    SetProfile(std::make_unique<CFileProfile>(m_scratch / "Plandor.conf"));
    m_doc = std::make_unique<CQuorvelDoc>();
    m_doc->OnNewDocument();
    ASSERT_TRUE(LoadModelText(*m_doc, CubeModel()));
  }
  void TearDown() override {
    if (m_frame) {
      m_frame->Destroy();
      PumpEvents(30);
    }
    SetProfile(nullptr);
  }

  // A plain frame with one view of pane 0 whose road draws a red triangle over the upper-left
  // half of the frame (the renderer's own pixels, without the document's road).
  CQuorvelView* OpenSingleView(int width, int height) {
    m_frame = new wxFrame(nullptr, wxID_ANY, "view test");
    auto* view = new CQuorvelView(m_frame, 0, "View3D_0");
    m_frame->SetClientSize(width, height);
    m_frame->Show();
    PumpEvents(80);
    view->SetSize(0, 0, width, height);
    view->State().SetRenderRoad([](CQuorvelDoc&, ScenePicture& picture, const RenderRequest& q) {
      C3DStub& r = picture.renderer;
      if (!q.reRender) return;
      ASSERT_EQ(r.Reset(q.width, q.height, 1), 1);
      r.SetView(0, 0, 1);
      r.DrawTriangle(4, CVector3(10, 10, 0), CVector3(q.width - 10, 10, 0), CVector3(10, q.height - 10, 0), 1);
    });
    view->SetDocument(m_doc.get());
    PumpEvents(50);
    return view;
  }

  CMainFrame* OpenMainFrame() {
    auto* frame = new CMainFrame(nullptr);
    m_frame = frame;
    frame->SetSize(0, 0, 1000, 760);
    frame->Show();
    PumpEvents(150);
    return frame;
  }

  CQuorvelView* Pane(CMainFrame* frame, int i) { return dynamic_cast<CQuorvelView*>(frame->GetViewPane(i / 2, i % 2)); }

  // True when the document's render road drew into the frame's first pane; the picture tests wait
  // for it.
  bool RoadDraws(CMainFrame* frame) {
    const C3DStub* r = Pane(frame, 0)->State().GetRenderer();
    return r && r->IsInitialised();
  }

  CViewSettingsScope m_settings;
  CScratchDir m_scratch;
  std::unique_ptr<CQuorvelDoc> m_doc;
  wxFrame* m_frame = nullptr;
};

#define REQUIRE_RENDER_ROAD(frame)                                                              \
  if (!RoadDraws(frame))                                                                             \
  GTEST_SKIP() << "the document's render road draws nothing yet (CQuorvelDoc::Create3DStub is " \
                  "still the placeholder); the pane pictures are checked once it draws"

TEST_F(QuorvelViewTest, PictureIsTheRenderersImageWithTheOverlaysDrawnIntoIt) {
  // 302 wide: the renderer draws 300 columns, the last two stay background.
  CQuorvelView* view = OpenSingleView(302, 200);
  ASSERT_EQ(view->GetDrawingArea(), wxSize(302, 200));
  const C3DStub& r = *view->State().GetRenderer();
  ASSERT_TRUE(r.IsInitialised());
  ASSERT_EQ(r.GetWidth(), 300u);
  wxImage picture = Picture(view);
  ASSERT_EQ(picture.GetWidth(), 302);
  ASSERT_EQ(picture.GetHeight(), 200);

  // Inside the triangle the picture holds the renderer's pixel, B, G, R turned into R, G, B.
  const uint8_t* p = r.GetImage().GetRow(50) + 3 * 100;
  EXPECT_EQ(At(picture, 100, 50), (Rgb{p[2], p[1], p[0]}));
  EXPECT_GT(p[2], 120);
  EXPECT_EQ(At(picture, 250, 170), Background());
  EXPECT_EQ(At(picture, 301, 100), Background());

  // The focus frame is part of the picture: red only while the view has the focus.
  EXPECT_EQ(At(picture, 0, 100), Background());
  view->State().SetFocused(true);
  picture = Picture(view);
  EXPECT_EQ(At(picture, 0, 100), (Rgb{255, 0, 0}));
  EXPECT_EQ(At(picture, 301, 100), (Rgb{255, 0, 0}));
  EXPECT_EQ(At(picture, 150, 199), (Rgb{255, 0, 0}));
  EXPECT_EQ(At(picture, 150, 0), (Rgb{255, 0, 0}));
  view->State().SetFocused(false);

  // Pane 0 has its name in the top-left corner and the arrows in the bottom-right one, dark on
  // the white background.
  picture = Picture(view);
  EXPECT_GT(CountDark(picture, 2, 2, 60, 24), 0);
  EXPECT_GT(CountDark(picture, 302 - 60, 200 - 60, 302 - 2, 200 - 2), 0);
  theSettings.ShowViewCoords = 0;
  picture = Picture(view);
  EXPECT_EQ(CountDark(picture, 2, 2, 60, 24), 0);
  EXPECT_EQ(CountDark(picture, 302 - 60, 200 - 60, 302 - 2, 200 - 2), 0);

  // An empty model shows only the background, whatever the renderer still holds.
  ASSERT_TRUE(LoadModelText(*m_doc, {"0 nothing"}));
  picture = Picture(view);
  EXPECT_EQ(At(picture, 100, 50), Background());
}

TEST_F(QuorvelViewTest, RepaintOnlyShowsWhatTheDocumentDrewIntoThePane) {
  CQuorvelView* view = OpenSingleView(200, 160);
  const int renders = view->State().GetRenderCount();
  C3DStub& r = *view->State().GetRenderer();
  // The document's fast path draws straight into the pane renderer and asks for a repaint.
  r.DrawTriangle(1, CVector3(150, 100, -5), CVector3(190, 100, -5), CVector3(190, 150, -5), 2);
  m_doc->UpdateAllViews(HINT_REPAINT_ONLY);
  PumpEvents(50);
  EXPECT_EQ(view->State().GetRenderCount(), renders);
  wxImage picture = Picture(view);
  Rgb blue = At(picture, 180, 110);
  EXPECT_GT(blue.b, 100);
  EXPECT_LT(blue.r, 80);
  EXPECT_GT(view->GetPaintCount(), 0);
}

TEST_F(QuorvelViewTest, WheelFocusAndZoomPresetEventsReachTheView) {
  CQuorvelView* view = OpenSingleView(200, 160);
  view->State().SetZoom(2.0);
  // Two notches at once, in wx's units (rotation 240 of delta 120).
  wxMouseEvent wheel(wxEVT_MOUSEWHEEL);
  wheel.m_wheelRotation = 240;
  wheel.m_wheelDelta = 120;
  wheel.m_wheelAxis = wxMOUSE_WHEEL_VERTICAL;
  view->GetEventHandler()->ProcessEvent(wheel);
  EXPECT_DOUBLE_EQ(view->State().GetZoom(), 6.0);
  // A horizontal wheel does not zoom.
  wheel.m_wheelAxis = wxMOUSE_WHEEL_HORIZONTAL;
  view->GetEventHandler()->ProcessEvent(wheel);
  EXPECT_DOUBLE_EQ(view->State().GetZoom(), 6.0);

  wxFocusEvent focus(wxEVT_SET_FOCUS);
  view->GetEventHandler()->ProcessEvent(focus);
  EXPECT_TRUE(view->State().IsFocused());
  EXPECT_EQ(At(Picture(view), 0, 80), (Rgb{255, 0, 0}));
  wxFocusEvent lost(wxEVT_KILL_FOCUS);
  view->GetEventHandler()->ProcessEvent(lost);
  EXPECT_EQ(At(Picture(view), 0, 80), Background());

  CPrivateMessageEvent preset = MakePrivateEvent(0x8002, 0, 75);
  view->GetEventHandler()->ProcessEvent(preset);
  EXPECT_DOUBLE_EQ(view->State().GetZoom(), 0.75);
  preset = MakePrivateEvent(0x8002, 0, 0);
  view->GetEventHandler()->ProcessEvent(preset);
  EXPECT_DOUBLE_EQ(view->State().GetZoom(), 160.0 / 40 * 95 / 100);  // the 40-unit cube fitted into 200 x 160
}

TEST_F(QuorvelViewTest, ViewCommandsGoToTheActiveView) {
  CMainFrame* frame = OpenMainFrame();
  frame->AttachDocument(m_doc.get());
  PumpEvents(50);
  for (int i = 0; i < 4; ++i) {
    ASSERT_NE(Pane(frame, i), nullptr) << i;
    EXPECT_EQ(Pane(frame, i)->GetName(), wxString::Format("View3D_%d", i));
    EXPECT_EQ(Pane(frame, i)->GetDocument(), m_doc.get());
    EXPECT_FALSE(Pane(frame, i)->State().IsTooSmall()) << i;
  }
  EXPECT_EQ(Pane(frame, 3)->State().GetDirection(), kDir3D);

  auto run = [frame](int id) {
    wxCommandEvent event(wxEVT_MENU, ToWxId(id));
    frame->GetEventHandler()->ProcessEvent(event);
  };
  CQuorvelView* target = dynamic_cast<CQuorvelView*>(frame->Router().GetActiveView());
  ASSERT_NE(target, nullptr);
  run(viewcmd::kWireframe);
  EXPECT_TRUE(target->State().IsWireframe());
  EXPECT_TRUE(frame->Router().Query(viewcmd::kWireframe).checked);

  Pane(frame, 3)->MakeActive();
  EXPECT_FALSE(frame->Router().Query(viewcmd::kWireframe).checked);
  run(viewcmd::kBoundingBox);
  EXPECT_TRUE(Pane(frame, 3)->State().IsBoundingBox());
  run(viewcmd::kTop);
  EXPECT_EQ(Pane(frame, 3)->State().GetDirection(), kDirTop);
  EXPECT_EQ(theSettings.ViewRB, kDirTop);
  EXPECT_TRUE(frame->Router().Query(viewcmd::kTop).checked);
  EXPECT_FALSE(frame->Router().Query(viewcmd::k3D).checked);
  const double before = Pane(frame, 3)->State().GetZoom();
  run(viewcmd::kZoomIn);
  EXPECT_DOUBLE_EQ(Pane(frame, 3)->State().GetZoom(), before * 1.5);
  if (target != Pane(frame, 3)) {
    EXPECT_TRUE(target->State().IsWireframe());
  }

  // The scroll bars of the active pane take room from its drawing area.
  CQuorvelView* pane = Pane(frame, 3);
  wxSize area = pane->GetDrawingArea();
  EXPECT_TRUE(frame->Router().Query(viewcmd::kScrollbars).enabled);
  run(viewcmd::kScrollbars);
  PumpEvents(30);
  EXPECT_TRUE(frame->Router().Query(viewcmd::kScrollbars).checked);
  EXPECT_LT(pane->GetDrawingArea().x, area.x);
  EXPECT_EQ(pane->State().GetWidth(), pane->GetDrawingArea().x);
  run(viewcmd::kScrollbars);
  PumpEvents(30);
  EXPECT_EQ(pane->GetDrawingArea(), area);

  frame->AttachDocument(nullptr);
  EXPECT_EQ(Pane(frame, 0)->GetDocument(), nullptr);
}

TEST_F(QuorvelViewTest, ContextMenuHoldsTheViewCommands) {
  std::unique_ptr<wxMenu> menu(MakeViewContextMenu());
  for (int id : {viewcmd::kTop, viewcmd::kBottom, viewcmd::kLeft, viewcmd::kRight, viewcmd::kFront, viewcmd::kBack,
                 viewcmd::k3D, viewcmd::kWireframe, viewcmd::kBoundingBox, viewcmd::kScrollbars}) {
    wxMenuItem* item = menu->FindItem(ToWxId(id));
    ASSERT_NE(item, nullptr) << id;
    EXPECT_TRUE(item->IsCheckable()) << id;
  }
  for (int id : {viewcmd::kZoomIn, viewcmd::kZoomOut, viewcmd::kZoomFit, viewcmd::kZoomSet})
    ASSERT_NE(menu->FindItem(ToWxId(id)), nullptr) << id;
  EXPECT_EQ(menu->FindItem(ToWxId(viewcmd::kZoomSet))->GetItemLabelText(), "Set...");
}

// Answers the zoom dialog: checks what it shows, types a factor and presses OK.
class CZoomAnswer : public wxModalDialogHook {
 public:
  explicit CZoomAnswer(wxString typed) : m_typed(std::move(typed)) { Register(); }
  ~CZoomAnswer() override { Unregister(); }
  int Enter(wxDialog* dialog) override {
    auto* zoom = dynamic_cast<CZoomFactDlg*>(dialog);
    if (!zoom) return wxID_CANCEL;
    zoom->TransferDataToWindow();
    auto* edit = dynamic_cast<wxTextCtrl*>(dialog->FindWindow("ZoomFactor"));
    if (!edit) return wxID_CANCEL;
    shown = edit->GetValue();
    edit->ChangeValue(m_typed);
    return zoom->TransferDataFromWindow() ? wxID_OK : wxID_CANCEL;
  }
  void Exit(wxDialog*) override {}
  wxString shown;

 private:
  wxString m_typed;
};

TEST_F(QuorvelViewTest, ZoomDialogShowsTheZoomInPerCentAndRefusesAnUnusableOne) {
  CQuorvelView* view = OpenSingleView(200, 160);
  view->State().SetZoom(2.0);
  {
    CZoomAnswer answer("500");
    view->RunCommand(viewcmd::kZoomSet);
    EXPECT_EQ(answer.shown, "200");
  }
  EXPECT_EQ(view->State().GetZoom(), 5.0);
  {
    CZoomAnswer answer("20000");
    view->RunCommand(viewcmd::kZoomSet);
  }
  EXPECT_EQ(view->State().GetZoom(), 5.0);
  // Zoom in goes on beyond the dialog's range up to its own limit.
  view->State().SetZoom(800.0);
  view->RunCommand(viewcmd::kZoomIn);
  EXPECT_EQ(view->State().GetZoom(), 1000.0);
}

TEST_F(QuorvelViewTest, FourPanesShowTheModelAndCommandsChangeThePicture) {
  CMainFrame* frame = OpenMainFrame();
  frame->AttachDocument(m_doc.get());
  // As opening a file announces it: fit the model into the panes.
  m_doc->UpdateAllViews(HINT_REFIT);
  PumpEvents(100);
  REQUIRE_RENDER_ROAD(frame);
  for (int i = 0; i < 4; ++i) {
    wxImage picture = Picture(Pane(frame, i));
    EXPECT_GT(CountRed(picture), 100) << "pane " << i;
    EXPECT_GT(Pane(frame, i)->GetImagePaintCount(), 0) << "pane " << i;
  }
  // The 3-D pane sees the cube from another side than the front pane.
  EXPECT_NE(CountRed(Picture(Pane(frame, 0))), CountRed(Picture(Pane(frame, 3))));

  CQuorvelView* view = Pane(frame, 0);
  view->MakeActive();
  const wxImage fitted = Picture(view);
  const int fittedRed = CountRed(fitted);
  view->RunCommand(viewcmd::kZoomOut);
  PumpEvents(30);
  const int smaller = CountRed(Picture(view));
  EXPECT_LT(smaller, fittedRed);
  view->RunCommand(viewcmd::kZoomFit);
  PumpEvents(30);
  EXPECT_EQ(CountRed(Picture(view)), fittedRed);
  view->RunCommand(viewcmd::kWireframe);
  PumpEvents(30);
  EXPECT_LT(CountRed(Picture(view)), fittedRed / 4);
  view->RunCommand(viewcmd::kWireframe);
  view->RunCommand(viewcmd::kBoundingBox);
  PumpEvents(30);
  EXPECT_NE(CountRed(Picture(view)), fittedRed);
  frame->AttachDocument(nullptr);
}

TEST_F(QuorvelViewTest, ASharedModelFromTheLibraryFillsEveryPane) {
  REQUIRE_LDRAW_LIBRARY(library);
  REQUIRE_LDRAW_MODELS(models);
  CLibraryScope scope(library, 0, theSettings.FastRender);
  CFileTextHandler in;
  const std::string path = models + "/30023-1-Lighthouse.ldr";
  ASSERT_TRUE(in.Open(path, "r"));
  m_doc->GetProject().RemoveAll(1);
  m_doc->GetProject().AddModel(nullptr, nullptr);
  ASSERT_TRUE(m_doc->GetProject().Transfer(in, 1, path));
  m_doc->RefreshActiveModel();
  CMainFrame* frame = OpenMainFrame();
  frame->AttachDocument(m_doc.get());
  m_doc->UpdateAllViews(HINT_REFIT);
  PumpEvents(200);
  const bool draws = RoadDraws(frame);
  int painted = 0;
  for (int i = 0; i < 4 && draws; ++i) {
    wxImage picture = Picture(Pane(frame, i));
    int differing = 0;
    for (int y = picture.GetHeight() / 4; y < picture.GetHeight() * 3 / 4; ++y)
      for (int x = picture.GetWidth() / 4; x < picture.GetWidth() * 3 / 4; ++x)
        if (At(picture, x, y) != Background()) ++differing;
    EXPECT_GT(differing, 200) << "pane " << i;
    painted += differing > 0;
  }
  frame->AttachDocument(nullptr);
  m_doc->GetProject().RemoveAll(1);  // before the scope empties the cache
  if (!draws)
    GTEST_SKIP() << "the document's render road draws nothing yet; the pane pictures are checked once it draws";
  EXPECT_EQ(painted, 4);
}

}  // namespace
