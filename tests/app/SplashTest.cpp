#include <gtest/gtest.h>
#include <wx/frame.h>

#include "GuiTest.h"
#include "app/CommandLine.h"
#include "app/SplashWnd.h"

namespace {

TEST(SplashWnd, ShownOnlyWhenEnabledAndClosedByTheFirstPress) {
  REQUIRE_GUI();
  auto* parent = new wxFrame(nullptr, wxID_ANY, "parent");
  CSplashWnd::EnableSplashScreen(ParseCommandLine({"-Embedding"}).showSplash);
  CSplashWnd::ShowSplashScreen(parent);
  EXPECT_EQ(CSplashWnd::Current(), nullptr);

  CSplashWnd::EnableSplashScreen(true);
  CSplashWnd::ShowSplashScreen(parent);
  ASSERT_NE(CSplashWnd::Current(), nullptr);
  EXPECT_EQ(CSplashWnd::Current()->GetClientSize(), wxSize(350, 279));
  // At most one splash window.
  CSplashWnd* first = CSplashWnd::Current();
  CSplashWnd::ShowSplashScreen(parent);
  EXPECT_EQ(CSplashWnd::Current(), first);

  wxMouseEvent motion(wxEVT_MOTION);
  EXPECT_FALSE(CSplashWnd::PreTranslateAppMessage(motion));
  EXPECT_NE(CSplashWnd::Current(), nullptr);
  wxMouseEvent click(wxEVT_LEFT_DOWN);
  EXPECT_TRUE(CSplashWnd::PreTranslateAppMessage(click));  // consumed: goes no further
  EXPECT_EQ(CSplashWnd::Current(), nullptr);
  wxKeyEvent key(wxEVT_KEY_DOWN);
  EXPECT_FALSE(CSplashWnd::PreTranslateAppMessage(key));  // no splash any more: passes on
  CSplashWnd::EnableSplashScreen(false);
  parent->Destroy();
  PumpEvents(20);
}

TEST(SplashWnd, ClosesByItselfAfterTwoSeconds) {
  REQUIRE_GUI();
  CSplashWnd::EnableSplashScreen(true);
  CSplashWnd::ShowSplashScreen(nullptr);
  ASSERT_NE(CSplashWnd::Current(), nullptr);
  PumpEvents(1500);
  EXPECT_NE(CSplashWnd::Current(), nullptr);
  PumpEvents(1000);
  EXPECT_EQ(CSplashWnd::Current(), nullptr);
  CSplashWnd::EnableSplashScreen(false);
}

}  // namespace
