// The rotation step dialog's preview: the model turned by the typed angles relative to the default
// view or absolutely, nothing for an additive step, and a drag that writes its angles back.
#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/radiobut.h>

#include "GuiTest.h"
#include "PreviewPicture.h"
#include "ViewTestSupport.h"
#include "dialogs/DlgRotstep.h"
#include "dialogs/EditCheckCtrl.h"
#include "dialogs/ModelPreview.h"

namespace {

class DlgRotstepTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_doc.OnNewDocument();
    ASSERT_TRUE(LoadModelText(m_doc, CubeModel()));
  }
  RotStepEdit Data(int mode) const {
    RotStepEdit data;
    data.angleX = 30;
    data.angleY = 45;
    data.mode = mode;
    data.model = m_doc.GetActiveModel();
    return data;
  }
  static CEditCheckCtrl* Angle(CDlgRotstep& dialog, int axis) {
    return dynamic_cast<CEditCheckCtrl*>(dialog.FindWindow(1123 + axis));
  }
  static void ChooseMode(CDlgRotstep& dialog, int mode) {
    auto* radio = dynamic_cast<wxRadioButton*>(dialog.FindWindow(1126 + mode));
    radio->SetValue(true);
    wxCommandEvent event(wxEVT_RADIOBUTTON, radio->GetId());
    event.SetEventObject(radio);
    radio->ProcessWindowEvent(event);
  }

  CViewSettingsScope m_settings;
  CQuorvelDoc m_doc;
};

TEST_F(DlgRotstepTest, RelativeAndAbsoluteShowTheTurnedModel) {
  REQUIRE_GUI();
  CDlgRotstep dialog(nullptr, Data(0));
  dialog.Show();
  PumpEvents(50);
  dialog.TransferDataToWindow();
  const CModelPreview& preview = *dialog.GetPreview();
  EXPECT_TRUE(dialog.FindWindow(1121)->IsEnabled());
  EXPECT_TRUE(preview.State().GetMouseRotation());
  EXPECT_GT(DrawnPixels(preview), 0);
  CMatrix3 turn, expected = theDefaultViewMatrix;
  turn.SetEuler(30, 45, 0);
  expected.Multiply(turn);
  EXPECT_EQ(preview.State().GetBaseMatrix().m, theDefaultViewMatrix.m);
  EXPECT_EQ(preview.State().GetCurrentMatrix().m, expected.m);
  EXPECT_EQ(preview.State().GetBaseAngles()[1], 45);

  // Typing blanks the old picture; leaving the field shows the new angle.
  const std::vector<uint8_t> relative = PictureBytes(preview);
  Angle(dialog, 1)->SetValue("90");
  EXPECT_FALSE(preview.State().IsRendered());
  dialog.ShowPreview();
  EXPECT_GT(DrawnPixels(preview), 0);
  EXPECT_NE(PictureBytes(preview), relative);

  ChooseMode(dialog, 1);
  turn.SetEuler(30, 90, 0);
  EXPECT_EQ(preview.State().GetBaseMatrix().m, CMatrix3::Identity().m);
  EXPECT_EQ(preview.State().GetCurrentMatrix().m, turn.m);
  EXPECT_GT(DrawnPixels(preview), 0);

  ChooseMode(dialog, 2);
  EXPECT_FALSE(preview.State().IsRendered()) << "an additive step depends on the view it is added to";
  EXPECT_FALSE(preview.State().GetMouseRotation());
  dialog.Hide();
}

TEST_F(DlgRotstepTest, ADragWritesItsAnglesIntoTheFields) {
  REQUIRE_GUI();
  CDlgRotstep dialog(nullptr, Data(1));
  dialog.Show();
  PumpEvents(50);
  dialog.TransferDataToWindow();
  CModelPreview& preview = *dialog.GetPreview();
  auto mouse = [&](wxEventType type, int x) {
    wxMouseEvent event(type);
    event.SetEventObject(&preview);
    event.SetPosition(wxPoint(x, 80));
    event.m_leftDown = type != wxEVT_LEFT_UP;
    preview.ProcessWindowEvent(event);
  };
  mouse(wxEVT_LEFT_DOWN, 100);
  mouse(wxEVT_MOTION, 60);
  mouse(wxEVT_LEFT_UP, 60);
  PumpEvents(50);
  CMatrix3 matrix;
  double angles[3];
  preview.GetView(matrix, angles);
  EXPECT_NE(angles[1], 45);
  double shown = 0;
  ASSERT_TRUE(Angle(dialog, 1)->ReadReal(shown));
  EXPECT_NEAR(shown, angles[1], 1e-3);
  dialog.Hide();
}

TEST_F(DlgRotstepTest, WithoutAModelThereIsNothingToPreview) {
  REQUIRE_GUI();
  RotStepEdit data = Data(0);
  data.model = nullptr;
  CDlgRotstep dialog(nullptr, data);
  dialog.TransferDataToWindow();
  EXPECT_FALSE(dialog.FindWindow(1121)->IsEnabled());
  dialog.ShowPreview();
  EXPECT_FALSE(dialog.GetPreview()->State().IsRendered());
}

}  // namespace
