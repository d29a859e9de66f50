// The model generator dialogs show what they build: the fractal landscape's surface at once and
// the built model after "Preview", the rotation model and the mosaic after generating.
#include <gtest/gtest.h>

#include <cstdio>

#include "GuiTest.h"
#include "PreviewPicture.h"
#include "ViewTestSupport.h"
#include "config/PartList.h"
#include "dialogs/FractalGenDlg.h"
#include "dialogs/ModelPreview.h"
#include "dialogs/MosaicGenDlg.h"
#include "dialogs/RotationGenDlg.h"
#include "render/Dib.h"
#include "support/ScriptedPrompt.h"
#include "support/TestData.h"
#include "tests/model/LibraryScope.h"

namespace {

// The model preview shows the target in the default view, from identity or from that view.
void ExpectShown(const CModelPreview& view, const CMatrix3& base) {
  EXPECT_GT(DrawnPixels(view), 0);
  EXPECT_EQ(view.State().GetBaseMatrix().m, base.m);
  EXPECT_EQ(view.State().GetCurrentMatrix().m, theDefaultViewMatrix.m);
}

TEST(ModelGeneratorDlg, FractalShowsItsLandscapeAtOnceAndTheModelAfterBuilding) {
  REQUIRE_GUI();
  CViewSettingsScope settings;
  CFractalGenDlg dialog(nullptr);
  ExpectShown(*dialog.GetLandscapeView(), CMatrix3::Identity());
  EXPECT_FALSE(dialog.GetModelView()->State().IsRendered()) << "nothing built yet";
  const std::vector<uint8_t> first = PictureBytes(*dialog.GetLandscapeView());
  dialog.ComputeLandscape(12345);
  EXPECT_GT(DrawnPixels(*dialog.GetLandscapeView()), 0);
  EXPECT_NE(PictureBytes(*dialog.GetLandscapeView()), first) << "a new landscape is drawn";

  REQUIRE_LDRAW_LIBRARY(lib);
  CLibraryScope library{lib, 0};
  int changed = 0;
  ASSERT_EQ(thePartList.ScanDirectory(lib, "parts", false, changed), 1);
  ASSERT_TRUE(dialog.BuildModel());
  ExpectShown(*dialog.GetModelView(), CMatrix3::Identity());
}

TEST(ModelGeneratorDlg, RotationModelShowsTheGeneratedModel) {
  REQUIRE_GUI();
  CViewSettingsScope settings;
  CRotationGenDlg dialog(nullptr, theDefaultColors);
  EXPECT_FALSE(dialog.GetModelView()->State().IsRendered());
  REQUIRE_LDRAW_LIBRARY(lib);
  CLibraryScope library{lib, 0};
  int changed = 0;
  ASSERT_EQ(thePartList.ScanDirectory(lib, "parts", false, changed), 1);
  CRotationModel& model = dialog.GetModel();
  for (int c = 0; c < model.GetRadius(); ++c) model.SetCell(c, model.GetHeight() - 1, 4);
  ASSERT_TRUE(dialog.Generate());
  ExpectShown(*dialog.GetModelView(), CMatrix3::Identity());
}

TEST(ModelGeneratorDlg, MosaicShowsTheGeneratedModel) {
  REQUIRE_GUI();
  CViewSettingsScope settings;
  CScriptedPrompt prompt;
  REQUIRE_LDRAW_LIBRARY(lib);
  CLibraryScope library{lib, 0};
  int changed = 0;
  ASSERT_EQ(thePartList.ScanDirectory(lib, "parts", false, changed), 1);
  // A small picture, dark on the left and light on the right.
  CDib picture;
  ASSERT_TRUE(picture.Create(8, 8, true));
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      for (int b = 0; b < 3; ++b) picture.GetRow(y)[x * 3 + b] = static_cast<uint8_t>(x * 32);
  const std::string path = ::testing::TempDir() + "mosaic-preview.bmp";
  ASSERT_TRUE(picture.SaveBmp(path)) << path;
  CMosaicGenDlg dialog(nullptr, theDefaultColors);
  EXPECT_FALSE(dialog.GetModelView()->State().IsRendered());
  ASSERT_TRUE(dialog.LoadPicture(path));
  ExpectShown(*dialog.GetModelView(), theDefaultViewMatrix);
  std::remove(path.c_str());
}

}  // namespace
