// The model preview's decisions without a window: angle clamping, the drag arithmetic, the base
// matrix a drag starts from, and what a render draws (or leaves empty).
#include <gtest/gtest.h>

#include <cmath>

#include "ViewTestSupport.h"
#include "dialogs/ModelPreviewState.h"
#include "render/C3DStub.h"

namespace {

struct Counts {
  int red = 0, dark = 0, other = 0;
};

// The cube's red faces against its black edges and the white background.
Counts CountPixels(const CDib& dib) {
  Counts counts;
  for (int y = 0; y < dib.GetHeight(); ++y) {
    const uint8_t* row = dib.GetRow(y);
    for (int x = 0; x < dib.GetWidth(); ++x) {
      const uint8_t b = row[3 * x], g = row[3 * x + 1], r = row[3 * x + 2];
      if (r > 100 && g < 90 && b < 90)
        ++counts.red;
      else if (r < 80 && g < 80 && b < 80)
        ++counts.dark;
      else if (r < 250 || g < 250 || b < 250)
        ++counts.other;
    }
  }
  return counts;
}

double MaxDifference(const CMatrix3& a, const CMatrix3& b) {
  double most = 0;
  for (int i = 0; i < 9; ++i) most = std::max(most, std::fabs(a.m[i] - b.m[i]));
  return most;
}

CMatrix3 Euler(double x, double y, double z) {
  CMatrix3 m;
  m.SetEuler(x, y, z);
  return m;
}

class ModelPreviewStateTest : public ::testing::Test {
 protected:
  void SetUp() override {
    theSettings.BackgroundColor = 15;
    theSettings.Shading = 0;
    m_doc.OnNewDocument();
    ASSERT_TRUE(LoadModelText(m_doc, CubeModel()));
    m_state.SetColor(16);
    m_state.SetMouseRotation(true);
  }

  CViewSettingsScope m_settings;
  CQuorvelDoc m_doc;
  CModelPreviewState m_state;
  C3DStub m_renderer;
};

TEST(ModelPreviewAngles, ClampLimitsAndWrapBringsBackByWholeTurns) {
  struct Case {
    double in, clamped, wrapped;
  };
  const Case cases[] = {
      {0, 0, 0},       {180, 180, 180}, {-180, -180, -180}, {190, 180, -170}, {-190, -180, 170},
      {540, 180, 180}, {720, 180, 0},   {-540, -180, -180}, {359, 180, -1},   {NAN, 0, 0},
  };
  for (const Case& c : cases) {
    double clamped[3] = {c.in, c.in, c.in}, wrapped[3] = {c.in, c.in, c.in};
    CModelPreviewState::ClampAngles(clamped, true);
    CModelPreviewState::ClampAngles(wrapped, false);
    for (int i = 0; i < 3; ++i) {
      EXPECT_DOUBLE_EQ(clamped[i], c.clamped) << c.in;
      EXPECT_DOUBLE_EQ(wrapped[i], c.wrapped) << c.in;
    }
  }
}

// A preview of 360 x 180: one pixel across is half a degree, one pixel down a whole one.
TEST_F(ModelPreviewStateTest, DragAnglesFollowTheMouse) {
  struct Case {
    const char* name;
    int x, y;
    bool shift;
    double ax, ay, az;
  };
  const Case cases[] = {
      {"left gives +y", 40, 100, false, 0, 30, 0},
      {"left with Shift gives the same as z", 40, 100, true, 0, 0, 30},
      {"right gives -y", 160, 100, false, 0, -30, 0},
      {"down gives +x", 100, 145, false, 45, 0, 0},
      {"the whole height turns by 180", 100, 280, false, 180, 0, 0},
      {"beyond the height is clamped", 100, 400, false, 180, 0, 0},
  };
  const CMatrix3 base = Euler(10, 20, 0);
  for (const Case& c : cases) {
    CModelPreviewState state;
    state.SetMouseRotation(true);
    state.SetView(base, base);
    ASSERT_TRUE(state.ButtonDown(100, 100));
    ASSERT_TRUE(state.MouseMove(c.x, c.y, c.shift, 360, 180));
    CMatrix3 matrix;
    double angles[3];
    state.GetView(matrix, angles);
    EXPECT_NEAR(angles[0], c.ax, 1e-9) << c.name;
    EXPECT_NEAR(angles[1], c.ay, 1e-9) << c.name;
    EXPECT_NEAR(angles[2], c.az, 1e-9) << c.name;
    EXPECT_LT(MaxDifference(matrix, base * Euler(c.ax, c.ay, c.az)), 1e-12) << c.name;
  }
}

TEST_F(ModelPreviewStateTest, TheNextDragContinuesFromTheAnglesReachedAndTheBaseStays) {
  const CMatrix3 base = Euler(30, 45, 0);
  m_state.SetView(base, base);
  m_state.SetAngles(0, 170, 0);
  for (int drag = 0; drag < 2; ++drag) {
    m_state.ButtonDown(100, 100);
    m_state.MouseMove(40, 100, false, 360, 180);  // +30 degrees about y
    EXPECT_TRUE(m_state.ButtonUp());
  }
  // 170 + 30 + 30 = 230, wrapped to -130.
  EXPECT_NEAR(m_state.GetCurrentAngles()[1], -130, 1e-9);
  EXPECT_NEAR(m_state.GetBaseAngles()[1], -130, 1e-9);
  EXPECT_EQ(m_state.GetBaseMatrix().Differs(base), 0);
  EXPECT_LT(MaxDifference(m_state.GetCurrentMatrix(), base * Euler(0, -130, 0)), 1e-12);
}

// The owner passes the view it shows as the base: a small first drag turns it a little, from
// where it is. With identity as the base the same drag throws the view to the front view.
TEST_F(ModelPreviewStateTest, TheFirstDragStartsFromTheViewShown) {
  const CMatrix3 view = Euler(-30, 45, 0);
  m_state.SetView(view, view);
  m_state.ButtonDown(100, 100);
  m_state.MouseMove(101, 100, false, 360, 180);
  EXPECT_LT(MaxDifference(m_state.GetCurrentMatrix(), view), 0.01);

  CModelPreviewState jumping;
  jumping.SetMouseRotation(true);
  jumping.SetView(CMatrix3::Identity(), view);
  jumping.ButtonDown(100, 100);
  jumping.MouseMove(101, 100, false, 360, 180);
  EXPECT_GT(MaxDifference(jumping.GetCurrentMatrix(), view), 0.3);
}

TEST_F(ModelPreviewStateTest, WithoutMouseRotationTheMouseDoesNothing) {
  m_state.SetMouseRotation(false);
  m_state.SetView(CMatrix3::Identity(), CMatrix3::Identity());
  EXPECT_FALSE(m_state.ButtonDown(10, 10));
  EXPECT_FALSE(m_state.MouseMove(50, 50, false, 100, 100));
  EXPECT_FALSE(m_state.ButtonUp());
  EXPECT_FALSE(m_state.IsRotating());
}

TEST_F(ModelPreviewStateTest, WithoutAModelNothingIsRendered) {
  CModelPreviewState state;
  state.SetView(CMatrix3::Identity(), CMatrix3::Identity());
  EXPECT_FALSE(state.Render(m_renderer, 100, 100, true));
  EXPECT_FALSE(state.IsRendered());
}

TEST_F(ModelPreviewStateTest, TheModelIsDrawnInTheViewAndEdgesOnlyWhileTheButtonIsHeld) {
  m_state.SetModel(m_doc.GetActiveModel());
  EXPECT_FALSE(m_state.IsRendered());
  const CMatrix3 view = Euler(-30, 45, 0);
  m_state.SetView(view, view);
  ASSERT_TRUE(m_state.Render(m_renderer, 122, 100, true));
  EXPECT_TRUE(m_state.IsRendered());
  EXPECT_FALSE(m_state.IsBlank());
  EXPECT_EQ(m_renderer.GetWidth(), 120u);  // rounded down to a multiple of 4
  const Counts full = CountPixels(m_renderer.GetImage());
  EXPECT_GT(full.red, 1000);
  EXPECT_GT(full.dark, 50);

  m_state.ButtonDown(60, 50);
  EXPECT_TRUE(m_state.IsFastDraw());
  m_state.Render(m_renderer, 122, 100, false);
  const Counts held = CountPixels(m_renderer.GetImage());
  EXPECT_EQ(held.red, 0);
  EXPECT_GT(held.dark, 50);

  m_state.ButtonUp();
  m_state.Render(m_renderer, 122, 100, true);
  EXPECT_EQ(CountPixels(m_renderer.GetImage()).red, full.red);
}

// No view set (a zero matrix), an area below 4 pixels, or a picture too large for the renderer:
// rendered but empty, and nothing fails.
TEST_F(ModelPreviewStateTest, WhatCannotBeDrawnLeavesTheAreaEmpty) {
  m_state.SetModel(m_doc.GetActiveModel());
  ASSERT_TRUE(m_state.Render(m_renderer, 100, 100, true));
  EXPECT_TRUE(m_state.IsRendered());
  EXPECT_TRUE(m_state.IsBlank());
  const Counts none = CountPixels(m_renderer.GetImage());
  EXPECT_EQ(none.red + none.dark + none.other, 0);

  m_state.SetView(CMatrix3::Identity(), CMatrix3::Identity());
  for (const auto& [w, h] :
       {std::pair{3, 100}, std::pair{100, 0}, std::pair{-5, -5}, std::pair{60000, 60000}}) {
    ASSERT_TRUE(m_state.Render(m_renderer, w, h, true)) << w << " x " << h;
    EXPECT_TRUE(m_state.IsRendered());
    EXPECT_TRUE(m_state.IsBlank()) << w << " x " << h;
  }
  // The same renderer draws again afterwards.
  m_state.Render(m_renderer, 100, 100, true);
  EXPECT_FALSE(m_state.IsBlank());
  m_state.Invalidate();
  EXPECT_FALSE(m_state.IsRendered());
}

}  // namespace
