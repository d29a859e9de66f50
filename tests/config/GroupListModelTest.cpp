// The rows of the parts-tree configuration: adding, editing, moving and deleting user groups, the
// check of every row before OK, and the built-in groups left out.
#include <gtest/gtest.h>

#include "PartListTestSupport.h"
#include "config/GroupListModel.h"

namespace {

CGroupListModel ThreeRows() {
  return CGroupListModel({{"Bricks\\Small", "<Brick"}, {"Plates", "<Plate"}, {"Axles", "Axle"}});
}

TEST(GroupListModel, NameAndRuleTogetherAddARowOneAloneDoesNot) {
  CGroupListModel model;
  EXPECT_FALSE(model.ApplyEdit("Gears", ""));
  EXPECT_FALSE(model.ApplyEdit("", "Gear"));
  EXPECT_TRUE(model.Rows().empty());
  EXPECT_TRUE(model.ApplyEdit("Gears", "Gear"));
  EXPECT_EQ(model.Rows(), (std::vector<GroupRow>{{"Gears", "Gear"}}));
  EXPECT_EQ(model.GetSelected(), 0);
  // With a row selected the edits change that row, even to an invalid rule.
  EXPECT_TRUE(model.ApplyEdit("Gears", "Gear &"));
  EXPECT_EQ(model.Rows()[0].rule, "Gear &");
  EXPECT_EQ(model.FindInvalidRow(), 0);
}

TEST(GroupListModel, MovesStopAtTheEndsAndDeleteForgetsTheSelection) {
  CGroupListModel model = ThreeRows();
  EXPECT_FALSE(model.CanMoveUp());
  EXPECT_FALSE(model.CanDelete());
  model.Select(0);
  EXPECT_FALSE(model.MoveUp());
  EXPECT_TRUE(model.MoveDown());
  EXPECT_EQ(model.GetSelected(), 1);
  EXPECT_EQ(model.Rows()[1].name, "Bricks\\Small");
  model.Select(2);
  EXPECT_FALSE(model.CanMoveDown());
  EXPECT_TRUE(model.MoveUp());
  EXPECT_EQ(model.Rows()[1].name, "Axles");
  EXPECT_TRUE(model.Delete());
  EXPECT_EQ(model.GetSelected(), -1);
  EXPECT_EQ(model.Result(), (std::vector<std::pair<std::string, std::string>>{{"Plates", "<Plate"},
                                                                                {"Bricks\\Small", "<Brick"}}));
}

TEST(GroupListModel, EveryRowIsCheckedNotOnlyTheSelectedOne) {
  CGroupListModel model({{"Good", "<Brick"}, {"Bad", "\"ab\""}, {"", "Axle"}});
  model.Select(0);
  EXPECT_EQ(model.FindInvalidRow(), 1);
  CGroupListModel noName({{"Good", "<Brick"}, {"", "Axle"}});
  EXPECT_EQ(noName.FindInvalidRow(), 1);
  EXPECT_EQ(ThreeRows().FindInvalidRow(), -1);
  EXPECT_TRUE(CGroupListModel().Result().empty());
}

TEST(GroupListModel, OnlyTheUsersGroupsAreShown) {
  CTestPartList fixture;
  fixture.list.AddDefaultGroups();
  CGroupListModel model = CGroupListModel::FromPartList(fixture.list);
  ASSERT_EQ(model.Rows().size(), 9u);
  EXPECT_EQ(model.Rows()[0], (GroupRow{"Zeb Axles & Spacers", "<Zeb &-Zgr1-"}));
  EXPECT_EQ(model.Rows()[8].name, "Zeb Misc");
}

}  // namespace
