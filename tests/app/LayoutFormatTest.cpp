#include <gtest/gtest.h>

#include "app/LayoutFormat.h"

namespace {

TEST(LayoutFormat, WindowPosRoundTrip) {
  WindowPlacement p;
  p.flags = 2;
  p.showCmd = 3;
  p.minX = -1;
  p.minY = -1;
  p.maxX = -8;
  p.maxY = -31;
  p.normal = {-1600, 20, -200, 900};
  std::string text = FormatWindowPos(p);
  EXPECT_EQ(text, "2,3,-1,-1,-8,-31,-1600,20,-200,900");
  auto back = ParseWindowPos(text);
  ASSERT_TRUE(back);
  EXPECT_EQ(*back, p);
}

TEST(LayoutFormat, WindowPosNeedsAllTenNumbers) {
  const char* bad[] = {"",
                       "0,1,-1,-1,-1,-1,10,10,800",         // nine
                       "0,1,-1,-1,-1,-1,10,10,800,600,5",   // eleven
                       "0,1,-1,-1,-1,-1,10,10,800,abc",     // not a number
                       "0,1,-1,-1,-1,-1,10,,800,600",       // empty field
                       "-1,1,-1,-1,-1,-1,10,10,800,600",    // negative flags
                       "0,1,-1,-1,-1,-1,10,10,800,3000000000"};  // beyond 32 bits signed
  for (const char* t : bad) EXPECT_FALSE(ParseWindowPos(t)) << t;
  auto ok = ParseWindowPos(" 0, 1,-1,-1,-1,-1,10,10,800,600");
  ASSERT_TRUE(ok);
  EXPECT_EQ(ok->normal, (LayoutRect{10, 10, 800, 600}));
}

TEST(LayoutFormat, MinimizedShowCommandsAreNotApplied) {
  for (unsigned cmd : {0u, 1u, 3u, 4u, 5u, 8u, 9u}) EXPECT_FALSE(IsMinimizedShowCmd(cmd)) << cmd;
  for (unsigned cmd : {2u, 6u, 7u}) EXPECT_TRUE(IsMinimizedShowCmd(cmd)) << cmd;
}

TEST(LayoutFormat, SplitterPosRoundTripAndIncomplete) {
  SplitterSizes s = {200, 700, 200, 350, 800, 150, 400, 260};
  EXPECT_EQ(FormatSplitterPos(s), "200,700,200,350,800,150,400,260");
  auto back = ParseSplitterPos(FormatSplitterPos(s));
  ASSERT_TRUE(back);
  EXPECT_EQ(*back, s);
  EXPECT_FALSE(ParseSplitterPos("200,700,200,350,800,150,400"));
  EXPECT_FALSE(ParseSplitterPos("200,700,200,350,800,150,400,x"));
  EXPECT_FALSE(ParseSplitterPos(""));
}

struct ClampCase {
  const char* name;
  LayoutRect in;
  LayoutRect expected;
};

TEST(LayoutFormat, PlacementOffTheScreensIsPulledBack) {
  // Two screens side by side: 1920x1040 work area, and a 1280x1024 one to its right.
  const std::vector<LayoutRect> screens = {{0, 0, 1920, 1040}, {1920, 0, 3200, 1024}};
  const ClampCase cases[] = {
      {"inside stays", {100, 100, 900, 700}, {100, 100, 900, 700}},
      {"on the second screen stays", {2000, 50, 3000, 900}, {2000, 50, 3000, 900}},
      {"left of every screen", {-3000, 100, -2200, 700}, {0, 100, 800, 700}},
      {"a third screen that is gone", {3500, 200, 4300, 800}, {2400, 200, 3200, 800}},
      {"below the screens", {100, 2000, 900, 2600}, {100, 440, 900, 1040}},
      {"half off the right edge of the second", {2800, 100, 3600, 700}, {2400, 100, 3200, 700}},
      {"straddling both: the larger share wins", {1700, 100, 2500, 700}, {1920, 100, 2720, 700}},
      {"larger than the screen shrinks", {-50, -50, 2500, 1500}, {0, 0, 1920, 1040}},
      {"inside out takes the screen", {500, 500, 400, 400}, {0, 0, 1920, 1040}},
  };
  for (const ClampCase& c : cases) EXPECT_EQ(ClampRectToScreens(c.in, screens), c.expected) << c.name;
  // With no screen information the placement stays.
  EXPECT_EQ(ClampRectToScreens({-3000, 0, -2000, 500}, {}), (LayoutRect{-3000, 0, -2000, 500}));
}

}  // namespace
