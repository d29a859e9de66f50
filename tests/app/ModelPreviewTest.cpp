// The model preview window: it shows the model once a view is set, turns it by a drag, and tells
// its parent exactly once when the drag ends.
#include <gtest/gtest.h>
#include <wx/dialog.h>

#include "GuiTest.h"
#include "ViewTestSupport.h"
#include "dialogs/ModelPreview.h"

namespace {

class ModelPreviewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    theSettings.BackgroundColor = 15;
    m_doc.OnNewDocument();
    ASSERT_TRUE(LoadModelText(m_doc, CubeModel()));
  }
  void Mouse(wxWindow& window, wxEventType type, int x, int y) {
    wxMouseEvent event(type);
    event.SetEventObject(&window);
    event.SetPosition(wxPoint(x, y));
    event.m_leftDown = type != wxEVT_LEFT_UP;
    window.ProcessWindowEvent(event);
  }

  CViewSettingsScope m_settings;
  CQuorvelDoc m_doc;
};

TEST_F(ModelPreviewTest, ShowsTheModelAndTellsTheParentWhenADragEnds) {
  REQUIRE_GUI();
  wxDialog dialog(nullptr, wxID_ANY, "Preview");
  auto* preview = new CModelPreview(&dialog, 1121, wxSize(200, 160));
  dialog.SetClientSize(220, 180);
  int notices = 0;
  dialog.Bind(wxEVT_MODEL_PREVIEW_VIEW, [&](wxCommandEvent& event) {
    EXPECT_EQ(event.GetId(), 1121);
    ++notices;
  });
  dialog.Show();
  PumpEvents(50);
  preview->SetModel(m_doc.GetActiveModel());
  EXPECT_FALSE(preview->State().IsRendered());
  CMatrix3 view;
  view.SetEuler(-30, 45, 0);
  preview->SetView(view, view);
  ASSERT_TRUE(preview->State().IsRendered());
  EXPECT_FALSE(preview->State().IsBlank());
  EXPECT_EQ(preview->Renderer().GetWidth(), static_cast<uint32_t>(preview->GetClientSize().x & ~3));

  // Mouse rotation is off until the owner switches it on.
  Mouse(*preview, wxEVT_LEFT_DOWN, 100, 80);
  EXPECT_FALSE(preview->State().IsRotating());
  Mouse(*preview, wxEVT_LEFT_UP, 100, 80);

  preview->SetMouseRotation(true);
  Mouse(*preview, wxEVT_LEFT_DOWN, 100, 80);
  EXPECT_TRUE(preview->State().IsRotating());
  Mouse(*preview, wxEVT_MOTION, 60, 80);
  Mouse(*preview, wxEVT_MOTION, 40, 80);
  PumpEvents(30);
  EXPECT_EQ(notices, 0);
  Mouse(*preview, wxEVT_LEFT_UP, 40, 80);
  PumpEvents(50);
  EXPECT_EQ(notices, 1);
  CMatrix3 matrix;
  double angles[3];
  preview->GetView(matrix, angles);
  EXPECT_GT(angles[1], 0) << "a drag to the left turns about +y";
  EXPECT_NE(matrix.Differs(view), 0);
  EXPECT_FALSE(preview->State().IsRotating());
  dialog.Hide();
}

}  // namespace
