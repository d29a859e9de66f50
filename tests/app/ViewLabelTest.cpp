// The geometry of a pane's direction label: name corner, arrows in the opposite corner, signs.
#include <gtest/gtest.h>

#include "app/ViewLabel.h"

namespace {

// Every character 7 pixels wide, every text 13 high.
std::pair<int, int> Measure(const std::string& text) { return {static_cast<int>(text.size()) * 7, 13}; }

TEST(ViewLabelTest, NamesAndAxisLabels) {
  EXPECT_EQ(ViewName(0), "Top");
  EXPECT_EQ(ViewName(1), "Below");
  EXPECT_EQ(ViewName(6), "3D");
  EXPECT_EQ(ViewName(7), "Custom");
  EXPECT_EQ(ViewName(8), "");
  EXPECT_EQ(AxisLabel(4, false), "-X");
  EXPECT_EQ(AxisLabel(4, true), "-Y");
  EXPECT_EQ(AxisLabel(2, false), "+Z");
  EXPECT_EQ(AxisLabel(2, true), "-Y");
}

TEST(ViewLabelTest, FrontWithTheNameBottomRightHasPlusXAndPlusYTopLeft) {
  const int W = 300, H = 200;
  ViewLabelLayout l = LayoutViewLabel(4, false, false, W, H, Measure);
  ASSERT_TRUE(l.drawn);
  EXPECT_EQ(l.name, "Front");
  // "Front" is 35 x 13: the name's box is the last 40 x 18 pixels of the pane.
  EXPECT_EQ(l.nameLeft, W - 40);
  EXPECT_EQ(l.nameRight, W);
  EXPECT_EQ(l.nameTop, H - 18);
  EXPECT_EQ(l.nameBottom, H);
  ASSERT_TRUE(l.arrows);
  EXPECT_EQ(l.horizontalLabel, "+X");
  EXPECT_EQ(l.verticalLabel, "+Y");
  const std::array<LabelPoint, 9> line = {
      LabelPoint{40, 10}, {30, 12}, {30, 7}, {40, 10}, {10, 10}, {10, 40}, {12, 30}, {7, 30}, {10, 40}};
  EXPECT_EQ(l.polyline, line);
  EXPECT_EQ(l.horizontalAt, (LabelPoint{45, 11 - 18 / 2}));
  EXPECT_EQ(l.verticalAt, (LabelPoint{10 - 14 / 2, 40}));
}

TEST(ViewLabelTest, NameTopLeftPutsTheArrowsBottomRightWithTheTableSigns) {
  const int W = 300, H = 200;
  ViewLabelLayout l = LayoutViewLabel(4, true, true, W, H, Measure);
  EXPECT_EQ(l.nameLeft, 2);
  EXPECT_EQ(l.nameRight, 40);
  EXPECT_EQ(l.nameTop, 2);
  EXPECT_EQ(l.nameBottom, 18);
  EXPECT_EQ(l.horizontalLabel, "-X");  // the arrow points left
  EXPECT_EQ(l.verticalLabel, "-Y");    // and up
  const std::array<LabelPoint, 9> line = {LabelPoint{W - 40, H - 10}, {W - 30, H - 13}, {W - 30, H - 8},
                                          {W - 40, H - 10},           {W - 10, H - 10}, {W - 10, H - 40},
                                          {W - 13, H - 30},           {W - 8, H - 30},  {W - 10, H - 40}};
  EXPECT_EQ(l.polyline, line);
  EXPECT_EQ(l.horizontalAt, (LabelPoint{W - 14 - 45, H - 13 / 2 - 10}));
  EXPECT_EQ(l.verticalAt, (LabelPoint{W - 14 / 2 - 11, H - 13 - 40}));
}

TEST(ViewLabelTest, MixedCorners) {
  const int W = 320, H = 240;
  // Name right and top: arrows bottom left.
  ViewLabelLayout a = LayoutViewLabel(0, false, true, W, H, Measure);
  EXPECT_EQ(a.horizontalLabel, "+X");  // "-X" exchanged: the name is not on the left
  EXPECT_EQ(a.verticalLabel, "+Z");
  EXPECT_EQ(a.polyline[0], (LabelPoint{40, H - 10}));
  EXPECT_EQ(a.polyline[1], (LabelPoint{30, H - 13}));
  EXPECT_EQ(a.polyline[4], (LabelPoint{10, H - 10}));
  EXPECT_EQ(a.polyline[6], (LabelPoint{12, H - 30}));
  EXPECT_EQ(a.horizontalAt, (LabelPoint{45, H - 13 / 2 - 10}));
  EXPECT_EQ(a.verticalAt, (LabelPoint{10 - 14 / 2, H - 13 - 40}));
  // Name left and bottom: arrows top right.
  ViewLabelLayout b = LayoutViewLabel(2, true, false, W, H, Measure);
  EXPECT_EQ(b.horizontalLabel, "+Z");
  EXPECT_EQ(b.verticalLabel, "+Y");
  EXPECT_EQ(b.polyline[0], (LabelPoint{W - 40, 10}));
  EXPECT_EQ(b.polyline[2], (LabelPoint{W - 30, 7}));
  EXPECT_EQ(b.polyline[7], (LabelPoint{W - 8, 30}));
  EXPECT_EQ(b.horizontalAt, (LabelPoint{W - 14 - 45, 11 - 18 / 2}));
  EXPECT_EQ(b.verticalAt, (LabelPoint{W - 14 / 2 - 11, 40}));
}

TEST(ViewLabelTest, ThreeDHasOnlyItsNameAndViewEightNothing) {
  ViewLabelLayout d3 = LayoutViewLabel(6, true, true, 200, 200, Measure);
  EXPECT_TRUE(d3.drawn);
  EXPECT_EQ(d3.name, "3D");
  EXPECT_FALSE(d3.arrows);
  EXPECT_FALSE(LayoutViewLabel(8, true, true, 200, 200, Measure).drawn);
}

TEST(ViewLabelTest, LabelColourReadsOnTheBackground) {
  EXPECT_EQ(LabelTextColor({255, 255, 255, 255}), (ColorRGBA{0, 0, 0, 255}));
  EXPECT_EQ(LabelTextColor({20, 20, 40, 255}), (ColorRGBA{255, 255, 255, 255}));
  // An average of exactly 128 is not light.
  EXPECT_EQ(LabelTextColor({128, 128, 128, 255}), (ColorRGBA{255, 255, 255, 255}));
}

}  // namespace
