// View labels: which views have a name and arrows, where they go in each corner, the sign of the
// axis labels, and the text colour against the background.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "config/ColorEntry.h"

#include "render/ViewLabel.h"

namespace {

// Texts measure 7 pixels per character and 13 high; drawing is recorded.
class CRecordingPainter : public IViewLabelPainter {
 public:
  LabelSize MeasureText(const std::string& text) override {
    return {static_cast<int32_t>(7 * text.size()), 13};
  }
  void DrawCenteredText(const std::string& text, LabelPoint, LabelPoint, LabelRgb, LabelRgb) override {
    drawn.push_back("name " + text);
  }
  void DrawText(const std::string& text, LabelPoint, LabelRgb, LabelRgb) override { drawn.push_back(text); }
  void DrawPolyline(const LabelPoint*, size_t count, int width, LabelRgb) override {
    drawn.push_back("line " + std::to_string(count) + " width " + std::to_string(width));
  }
  std::vector<std::string> drawn;
};

constexpr uint32_t kWhite = 0x2FFFFFF, kBlack = 0x2000000;

TEST(ViewLabel, NamesAndArrowsByView) {
  struct Case {
    int view;
    bool left, top;
    const char* name;
    const char* horizontal;
    const char* vertical;
  };
  // Labels 2v and 2v + 1 of "-X|+Z|-X|-Z|+Z|-Y|-Z|-Y|-X|-Y|+X|-Y"; a clear left flag swaps the
  // horizontal sign, a clear top flag the vertical one.
  const Case cases[] = {
      {0, true, true, "Top", "-X", "+Z"},      {1, true, true, "Below", "-X", "-Z"},
      {2, true, false, "Left", "+Z", "+Y"},    {3, false, true, "Right", "+Z", "-Y"},
      {4, false, false, "Front", "+X", "+Y"},  {5, true, true, "Back", "+X", "-Y"},
      {6, true, true, "3D", "", ""},           {7, false, false, "Custom", "", ""},
      // The table's own signs with the name top-left, and one exchange at a time.
      {4, true, true, "Front", "-X", "-Y"},    {0, false, true, "Top", "+X", "+Z"},
      {2, true, true, "Left", "+Z", "-Y"},     {1, true, false, "Below", "-X", "+Z"},
  };
  for (const Case& c : cases) {
    CRecordingPainter p;
    const ViewLabelLayout l = LayoutViewLabel(p, c.view, c.left, c.top, 200, 100, kWhite);
    EXPECT_TRUE(l.visible) << c.view;
    EXPECT_EQ(l.name, c.name);
    EXPECT_EQ(l.arrows, c.view < 6) << c.view;
    EXPECT_EQ(l.horizontalLabel, c.horizontal) << c.view;
    EXPECT_EQ(l.verticalLabel, c.vertical) << c.view;
  }
  CRecordingPainter p;
  const ViewLabelLayout none = LayoutViewLabel(p, 8, true, true, 200, 100, kWhite);
  EXPECT_FALSE(none.visible);
  EXPECT_EQ(none.name, "");
  EXPECT_FALSE(LayoutViewLabel(p, -1, true, true, 200, 100, kWhite).visible);
  DrawViewLabel(p, 8, true, true, 200, 100);
  DrawViewLabel(p, 6, true, true, 200, 100);
  EXPECT_EQ(p.drawn, (std::vector<std::string>{"name 3D"}));
  p.drawn.clear();
  DrawViewLabel(p, 4, false, false, 200, 100);
  EXPECT_EQ(p.drawn, (std::vector<std::string>{"name Front", "line 9 width 2", "+X", "+Y"}));
}

class ViewLabelCorners : public ::testing::TestWithParam<std::pair<int32_t, int32_t>> {};

TEST_P(ViewLabelCorners, PlacesInEveryCorner) {
  const int32_t W = GetParam().first, H = GetParam().second;
  // Name "Front": 35 x 13. Labels are 14 x 13.
  struct Case {
    bool left, top;
    const char *horizontal, *vertical;  // the arrows point away from the name's corner
    LabelPoint nameTopLeft, nameBottomRight;
    std::array<LabelPoint, 9> line;
    LabelPoint horizontalAt, verticalAt;
  };
  const Case cases[] = {
      {false, false, "+X", "+Y", {W - 40, H - 18}, {W, H},
       {{{40, 10}, {30, 12}, {30, 7}, {40, 10}, {10, 10}, {10, 40}, {12, 30}, {7, 30}, {10, 40}}},
       {45, 11 - 18 / 2}, {10 - 7, 40}},
      {false, true, "+X", "-Y", {W - 40, 2}, {W, 18},
       {{{40, H - 10}, {30, H - 13}, {30, H - 8}, {40, H - 10}, {10, H - 10}, {10, H - 40}, {12, H - 30}, {7, H - 30},
         {10, H - 40}}},
       {45, H - 6 - 10}, {10 - 7, H - 13 - 40}},
      {true, false, "-X", "+Y", {2, H - 18}, {40, H},
       {{{W - 40, 10}, {W - 30, 12}, {W - 30, 7}, {W - 40, 10}, {W - 10, 10}, {W - 10, 40}, {W - 13, 30}, {W - 8, 30},
         {W - 10, 40}}},
       {W - 14 - 45, 11 - 18 / 2}, {W - 7 - 11, 40}},
      {true, true, "-X", "-Y", {2, 2}, {40, 18},
       {{{W - 40, H - 10}, {W - 30, H - 13}, {W - 30, H - 8}, {W - 40, H - 10}, {W - 10, H - 10}, {W - 10, H - 40},
         {W - 13, H - 30}, {W - 8, H - 30}, {W - 10, H - 40}}},
       {W - 14 - 45, H - 6 - 10}, {W - 7 - 11, H - 13 - 40}},
  };
  for (const Case& c : cases) {
    CRecordingPainter p;
    const ViewLabelLayout l = LayoutViewLabel(p, 4, c.left, c.top, W, H, kWhite);
    const std::string where = std::string(c.left ? "left" : "right") + (c.top ? " top" : " bottom");
    EXPECT_EQ(l.name, "Front") << where;
    EXPECT_EQ(l.horizontalLabel, c.horizontal) << where;
    EXPECT_EQ(l.verticalLabel, c.vertical) << where;
    EXPECT_EQ(l.nameTopLeft, c.nameTopLeft) << where;
    EXPECT_EQ(l.nameBottomRight, c.nameBottomRight) << where;
    EXPECT_EQ(l.arrowLine, c.line) << where;
    EXPECT_EQ(l.horizontalAt, c.horizontalAt) << where;
    EXPECT_EQ(l.verticalAt, c.verticalAt) << where;
  }
}

INSTANTIATE_TEST_SUITE_P(PaneSizes, ViewLabelCorners,
                         ::testing::Values(std::pair<int32_t, int32_t>{200, 100}, std::pair<int32_t, int32_t>{320, 240}));

TEST(ViewLabel, TextColourContrastsWithTheBackground) {
  CRecordingPainter p;
  EXPECT_EQ(LayoutViewLabel(p, 0, true, true, 200, 100, kWhite).textColor, (LabelRgb{0, 0, 0}));
  EXPECT_EQ(LayoutViewLabel(p, 0, true, true, 200, 100, kBlack).textColor, (LabelRgb{255, 255, 255}));
  // An average of exactly 128 is not light.
  EXPECT_EQ(LayoutViewLabel(p, 0, true, true, 200, 100, 0x2808080).textColor, (LabelRgb{255, 255, 255}));
  EXPECT_EQ(LayoutViewLabel(p, 0, true, true, 200, 100, 0x2818181).textColor, (LabelRgb{0, 0, 0}));
  EXPECT_EQ(LayoutViewLabel(p, 0, true, true, 200, 100, 0x2818181).backgroundColor, (LabelRgb{0x81, 0x81, 0x81}));
}

TEST(ViewLabel, TextColourOfAnRgb) {
  EXPECT_EQ(LabelTextColor({255, 255, 255}), (LabelRgb{0, 0, 0}));
  EXPECT_EQ(LabelTextColor({20, 20, 40}), (LabelRgb{255, 255, 255}));
  EXPECT_EQ(LabelTextColor({128, 128, 128}), (LabelRgb{255, 255, 255}));
  EXPECT_EQ(LabelTextColor({129, 129, 129}), (LabelRgb{0, 0, 0}));
  // The average counts, not the brightest channel: (255 + 255 + 0) / 3 = 170 is light.
  EXPECT_EQ(LabelTextColor({255, 255, 0}), (LabelRgb{0, 0, 0}));
  EXPECT_EQ(LabelTextColor({255, 0, 0}), (LabelRgb{255, 255, 255}));
}

// Replaces one entry of the default colour table for a test.
class CScopedColorEntry {
 public:
  CScopedColorEntry(uint32_t n, uint8_t r, uint8_t g, uint8_t b, uint8_t alpha) : m_n(n), m_saved(theDefaultColors[n]) {
    ColorEntry& e = theDefaultColors[n];
    e.red = r;
    e.green = g;
    e.blue = b;
    e.alpha = alpha;
  }
  ~CScopedColorEntry() { theDefaultColors[m_n] = m_saved; }
  CScopedColorEntry(const CScopedColorEntry&) = delete;
  CScopedColorEntry& operator=(const CScopedColorEntry&) = delete;

 private:
  uint32_t m_n;
  ColorEntry m_saved;
};

TEST(ViewLabel, BackgroundIsTheTableEntrysRgbEvenWhenSeeThrough) {
  // The renderer paints a table background with the entry's RGB whatever its alpha; the label's
  // box and the pane around the image must match it, not turn black.
  {
    CScopedColorEntry entry(47, 200, 210, 220, 40);
    EXPECT_EQ(PaneBackgroundColor(47), (LabelRgb{200, 210, 220}));
    CRecordingPainter p;
    const ViewLabelLayout l = LayoutViewLabel(p, 0, true, true, 200, 100, 47);
    EXPECT_EQ(l.backgroundColor, (LabelRgb{200, 210, 220}));
    EXPECT_EQ(l.textColor, (LabelRgb{0, 0, 0}));
  }
  {
    CScopedColorEntry entry(0, 10, 20, 30, 255);
    EXPECT_EQ(PaneBackgroundColor(0), (LabelRgb{10, 20, 30}));
  }
  // Direct colours give their RGB.
  EXPECT_EQ(PaneBackgroundColor(0x2123456), (LabelRgb{0x12, 0x34, 0x56}));
}

}  // namespace
