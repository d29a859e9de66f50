// The part tree without a window: branches from a small Parts.lst and its groups, the browser's
// group and position for a selection, favourites, drops and the part search.
#include <gtest/gtest.h>

#include <memory>

#include "app/PartDragData.h"
#include "app/PartTreeState.h"
#include "config/PartList.h"
#include "platform/Profile.h"
#include "support/TestData.h"

namespace {

constexpr const char* kPartsLst =
    "3001.dat       Brick  2 x  4\n"
    "3003.DAT       Brick  2 x  2\n"
    "3020.dat       Plate  2 x  4\n"
    "3705.dat       Technic Axle  4\n"
    "4073.dat       Round Plate 1 x 1\n"
    "99.dat         3-Way Connector\n";

class PartTreeStateTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetProfile(std::make_unique<CFileProfile>(m_dir / "Plandor.conf"));
    ASSERT_TRUE(WriteFileBytes(m_dir / "Parts.lst", kPartsLst));
    PartListPlaces places;
    places.userFolder = m_dir.Path();
    places.importFolder = m_dir.Path();
    m_list.SetPlaces(places);
    ASSERT_EQ(m_list.LoadPartsList(m_dir.Path()), 1);
    // Two parents that differ only in case share one branch; "Axles" has no parent.
    m_list.SetGroups({{"Bricks\\Two wide", "<Brick & 2"}, {"BRICKS\\Plates", "<Plate"}, {"Axles", "Axle"}});
    m_tree.SetPartList(m_list);
    ASSERT_TRUE(m_tree.Build());
  }
  void TearDown() override { SetProfile(nullptr); }

  PartHandle Handle(const char* name) { return m_list.FindByName(name, kLibraryParts); }
  int Root(const std::string& text) {
    for (int r : m_tree.Roots())
      if (m_tree.Node(r).text == text) return r;
    return -1;
  }
  std::vector<std::string> Texts(int node) {
    std::vector<std::string> out;
    for (int c : m_tree.Node(node).children) out.push_back(m_tree.Node(c).text);
    return out;
  }

  CScratchDir m_dir;
  CPartList m_list;
  CPartTreeState m_tree;
};

TEST_F(PartTreeStateTest, GroupsBecomeBranchesWithTheirParts) {
  // 3 user groups, "Other Parts" for the 27 letter groups, Models, Favorites, Document.
  std::vector<std::string> roots;
  for (int r : m_tree.Roots()) roots.push_back(m_tree.Node(r).text);
  EXPECT_EQ(roots, (std::vector<std::string>{"Bricks", "Axles", "Other Parts", "Models", "Favorites", "Document"}));
  const int bricks = Root("Bricks");
  EXPECT_EQ(Texts(bricks), (std::vector<std::string>{"Two wide", "Plates"}));
  EXPECT_EQ(Texts(m_tree.GroupNode(0)), (std::vector<std::string>{"Brick  2 x  4", "Brick  2 x  2"}));
  EXPECT_EQ(Texts(m_tree.GroupNode(1)), (std::vector<std::string>{"Plate  2 x  4"}));
  EXPECT_EQ(Texts(Root("Axles")), (std::vector<std::string>{"Technic Axle  4"}));
  // Parts of no user group are filed by their first letter.
  const int other = Root("Other Parts");
  ASSERT_GE(other, 0);
  EXPECT_EQ(m_tree.Node(other).children.size(), 27u);
  EXPECT_EQ(Texts(m_tree.GroupNode(3 + 17)), (std::vector<std::string>{"Round Plate 1 x 1"}));  // R
  EXPECT_EQ(Texts(m_tree.GroupNode(3 + 26)), (std::vector<std::string>{"3-Way Connector"}));   // Others
  EXPECT_EQ(m_tree.FavoritesNode(), m_tree.GroupNode(m_list.GetGroupCount() - 2));
  EXPECT_EQ(m_tree.DocumentNode(), m_tree.GroupNode(m_list.GetGroupCount() - 1));
}

TEST_F(PartTreeStateTest, SelectionTellsTheBrowserGroupAndPosition) {
  struct Case {
    int node;
    std::pair<long, long> params;
  };
  const int twoWide = m_tree.GroupNode(0);
  const Case cases[] = {
      {Root("Bricks"), {0, 1}},                              // a parent branch
      {twoWide, {1, 1}},                                     // a group branch
      {m_tree.Node(twoWide).children[1], {1, 2}},            // its second part
      {Root("Axles"), {3, 1}},
      {m_tree.GroupNode(3), {0, 1}},                         // "Other Parts\A" is empty
      {m_tree.FavoritesNode(), {static_cast<long>(m_list.GetGroupCount()) - 1, 1}},
  };
  for (const Case& c : cases) EXPECT_EQ(m_tree.ShowGroupParams(c.node), c.params) << m_tree.Node(c.node).text;
}

TEST_F(PartTreeStateTest, FavouritesAreAddedOnceRemovedClearedAndStaySaved) {
  const PartHandle brick = Handle("3001.DAT");
  ASSERT_NE(brick, 0u);
  EXPECT_TRUE(m_tree.ChangeFavorite(brick, false));
  EXPECT_FALSE(m_tree.ChangeFavorite(brick, false));  // no second copy
  EXPECT_EQ(Texts(m_tree.FavoritesNode()), (std::vector<std::string>{"Brick  2 x  4"}));
  EXPECT_TRUE(m_tree.ChangeFavorite(Handle("3705.dat"), false));
  EXPECT_TRUE(m_tree.ChangeFavorite(brick, true));
  EXPECT_EQ(Texts(m_tree.FavoritesNode()), (std::vector<std::string>{"Technic Axle  4"}));
  EXPECT_TRUE(m_tree.ClearFavorites());
  EXPECT_TRUE(Texts(m_tree.FavoritesNode()).empty());
  // Groups built again read the favourites from the profile: the cleared ones stay away.
  m_list.BuildGroups();
  m_tree.Invalidate();
  ASSERT_TRUE(m_tree.Build());
  EXPECT_TRUE(Texts(m_tree.FavoritesNode()).empty());
}

TEST_F(PartTreeStateTest, FavouritesSavedUnderOtherLetterCaseAreFoundAgain) {
  TheProfile().WriteProfileInt("Favorites", "NumEntries", 2);
  TheProfile().WriteProfileString("Favorites", "Entry1", "3003.dat");  // listed as 3003.DAT
  TheProfile().WriteProfileString("Favorites", "Entry2", "3020.DAT");
  m_list.BuildGroups();
  m_tree.Invalidate();
  ASSERT_TRUE(m_tree.Build());
  EXPECT_EQ(Texts(m_tree.FavoritesNode()), (std::vector<std::string>{"Brick  2 x  2", "Plate  2 x  4"}));
}

TEST_F(PartTreeStateTest, OnlyNewFavouritesDropOnFavorites) {
  const auto kPart = static_cast<uint32_t>(PartDragKind::Part);
  const PartHandle brick = Handle("3001.dat");
  const int favorites = m_tree.FavoritesNode();
  EXPECT_TRUE(m_tree.CanDrop(favorites, kPart, brick));
  EXPECT_FALSE(m_tree.CanDrop(Root("Axles"), kPart, brick));
  EXPECT_FALSE(m_tree.CanDrop(favorites, static_cast<uint32_t>(PartDragKind::ListRows), brick));
  EXPECT_FALSE(m_tree.CanDrop(favorites, kPart, 0));
  ASSERT_TRUE(m_tree.ChangeFavorite(Handle("3705.dat"), false));
  const int underFavorites = m_tree.Node(m_tree.FavoritesNode()).children[0];
  EXPECT_TRUE(m_tree.CanDrop(underFavorites, kPart, brick));  // onto a part under Favorites
  EXPECT_FALSE(m_tree.CanDrop(underFavorites, kPart, Handle("3705.dat")));  // already one
}

TEST_F(PartTreeStateTest, SearchFindsPartsWithoutRegardToCaseAndBlanks) {
  PartSearch& search = m_tree.Search();
  search.text = "\"brick 2 x 4\"";
  int node = m_tree.Find(false);
  ASSERT_GE(node, 0);
  EXPECT_EQ(m_tree.Node(node).handle, Handle("3001.dat"));
  // Match case: the lower-case phrase finds nothing, and Find Again starts from the top.
  search.matchCase = true;
  EXPECT_LT(m_tree.Find(false), 0);
  EXPECT_EQ(m_tree.GetLastFound(), 0u);
  search.text = "\"Brick 2 x 4\"";
  EXPECT_GE(m_tree.Find(true), 0);
  // File names: every brick of the list in turn, then nothing.
  search = PartSearch{"<300", true, false};
  std::vector<PartHandle> found;
  for (node = m_tree.Find(false); node >= 0; node = m_tree.Find(true)) found.push_back(m_tree.Node(node).handle);
  EXPECT_EQ(found, (std::vector<PartHandle>{Handle("3001.dat"), Handle("3003.dat")}));
  // An invalid expression finds nothing.
  search.text = "brick 2";
  EXPECT_LT(m_tree.Find(false), 0);
}

TEST_F(PartTreeStateTest, BuildResetsTheSearch) {
  m_tree.Search() = PartSearch{"axle", true, true};
  m_tree.Invalidate();
  ASSERT_TRUE(m_tree.Build());
  EXPECT_EQ(m_tree.Search().text, "");
  EXPECT_FALSE(m_tree.Search().byFileName);
  EXPECT_FALSE(m_tree.Search().matchCase);
  EXPECT_FALSE(m_tree.Build());  // built already
}

TEST_F(PartTreeStateTest, TheDocumentBranchFollowsTheProjectsModels) {
  ASSERT_EQ(m_list.ReserveDocumentModels(2), 1);
  m_list.AddDocumentModel(0, "main.ldr", "Main model");
  m_list.AddDocumentModel(1, "wing.ldr", "Wing");
  EXPECT_EQ(m_tree.FillDocumentGroup(), m_tree.DocumentNode());
  EXPECT_EQ(Texts(m_tree.DocumentNode()), (std::vector<std::string>{"Main model", "Wing"}));
  EXPECT_EQ(m_tree.ShowGroupParams(m_tree.Node(m_tree.DocumentNode()).children[1]),
            (std::pair<long, long>{static_cast<long>(m_list.GetGroupCount()), 2}));
  m_list.ClearDocumentModels();
  m_tree.FillDocumentGroup();
  EXPECT_TRUE(Texts(m_tree.DocumentNode()).empty());
  // Not built: nothing to refill.
  m_tree.Invalidate();
  EXPECT_EQ(m_tree.FillDocumentGroup(), -1);
}

}  // namespace
