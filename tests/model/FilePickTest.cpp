// Picking in a model under a screen transform: a point selects every hit or the nearest one, a
// rectangle every element that meets it or, pixel by pixel, only what is visible; a referenced
// model is hit through its box and its own elements; reference walks find cycles.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "LibraryScope.h"
#include "ModelText.h"
#include "model/MpdFile.h"
#include "model/QvElement.h"
#include "model/QvFile.h"
#include "render/Matrix4DStack.h"

namespace {

// Screen = model x 2 + (100, 100); depth = model z.
CMatrix4DStack ScreenStack() {
  CMatrix4DStack stack;
  CMatrix4D m = CMatrix4D::Identity();
  m.m[0][0] = m.m[1][1] = 2;
  m.m[0][3] = m.m[1][3] = 100;
  stack.Push(m);
  return stack;
}

std::set<int> Selected(const CQvFile& file) {
  std::set<int> out;
  for (size_t i = 0; i < file.GetSelectedCount(); ++i)
    out.insert(file.GetSelectedIndex(static_cast<int32_t>(i)));
  return out;
}

// 0: a square at depth 10 over x, y in [-10, 10]; 1: a larger square behind it at depth 20; 2: a
// square away to the right; 3: a hidden square over the first one.
const char kSquares[] =
    "4 4 -10 -10 10 10 -10 10 10 10 10 -10 10 10\n"
    "4 2 -20 -20 20 20 -20 20 20 20 20 -20 20 20\n"
    "4 1 40 -5 0 50 -5 0 50 5 0 40 5 0\n"
    "0 TOLVO HIDE 4 3 -10 -10 0 10 -10 0 10 10 0 -10 10 0\n";

TEST(FilePickTest, PointAndRectangleModes) {
  auto file = LoadText(kSquares);
  ASSERT_EQ(file->GetCount(), 4u);
  ASSERT_TRUE(file->GetAt(3)->hidden);
  CMatrix4DStack stack = ScreenStack();
  struct Case {
    const char* name;
    ScreenRect rect;
    int nearest;
    std::set<int> expected;
    int hit;
  };
  const Case cases[] = {
      // Model (0, 0) is the screen point (100, 100): both squares lie under it.
      {"point, every hit", {100, 100, 100, 100}, 0, {0, 1}, 1},
      {"point, nearest", {100, 100, 100, 100}, 1, {0}, 1},
      // Model (15, 15): only the large square.
      {"point outside the front square", {130, 130, 130, 130}, 1, {1}, 1},
      {"point on nothing", {10, 10, 10, 10}, 1, {}, 0},
      // Screen 170..210 x 95..105 meets only the square on the right (model x 40..50).
      {"rectangle", {170, 95, 210, 105}, 0, {2}, 1},
      {"rectangle over all", {0, 0, 300, 300}, 0, {0, 1, 2}, 1},
      // Visible only: a rectangle inside the front square sees nothing of the square behind.
      {"visible only", {95, 95, 105, 105}, 1, {0}, 1},
      {"visible only, also the rim", {55, 95, 105, 105}, 1, {0, 1}, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    double depth = 0;
    EXPECT_EQ(file->Pick(stack, c.rect, depth, c.nearest, 0), c.hit);
    EXPECT_EQ(Selected(*file), c.expected);
    if (c.nearest && c.rect.left == c.rect.right && c.hit) {
      EXPECT_DOUBLE_EQ(depth, *c.expected.begin() == 0 ? 10.0 : 20.0);
    }
    if (!c.hit) {
      EXPECT_EQ(depth, 1e300);
    }
  }
  // Adding keeps what was selected.
  double depth = 0;
  file->Pick(stack, ScreenRect{100, 100, 100, 100}, depth, 1, 0);
  file->Pick(stack, ScreenRect{190, 100, 190, 100}, depth, 1, 1);
  EXPECT_EQ(Selected(*file), (std::set<int>{0, 2}));
  // The stack is as it was.
  EXPECT_EQ(stack.GetTopIndex(), 1u);
}

TEST(FilePickTest, BoxAndElementsOfAFileAsAWhole) {
  auto file = LoadText("4 4 0 0 0 10 0 0 10 10 0 0 10 0\n2 0 20 0 5 30 0 5\n");
  file->UpdateExtent();
  CMatrix4DStack stack = ScreenStack();
  // The extent is x 0..30, y 0..10: the screen box 100..160 x 100..120, edges included.
  EXPECT_EQ(file->BoxIntersectsRect(stack, ScreenRect{160, 120, 170, 130}), 1);
  EXPECT_EQ(file->BoxIntersectsRect(stack, ScreenRect{161, 100, 170, 130}), 0);
  EXPECT_EQ(file->BoxIntersectsRect(stack, ScreenRect{0, 0, 99, 99}), 0);
  double depth = 0;
  EXPECT_EQ(file->PickElements(stack, CVector3(110, 110, 0), depth, 1), 1);
  EXPECT_DOUBLE_EQ(depth, 0.0);
  // Inside the box but on no surface.
  EXPECT_EQ(file->PickElements(stack, CVector3(150, 115, 0), depth, 1), 0);
  EXPECT_EQ(depth, 1e300);
}

TEST(FilePickTest, AReferencedModelIsPickedThroughItsPlacement) {
  CLibraryScope library{"", 0};
  CMpdFile project;
  ASSERT_EQ(LoadProjectText(project,
                            "0 FILE main.ldr\n"
                            "1 4 30 0 0 1 0 0 0 1 0 0 0 1 sub.ldr\n"
                            "0 FILE sub.ldr\n"
                            "4 16 -5 -5 0 5 -5 0 5 5 0 -5 5 0\n"),
            1);
  CQvFile* main = project.GetModel(0);
  CQvFile* sub = project.GetModel(1);
  ASSERT_NE(main, nullptr);
  ASSERT_NE(sub, nullptr);
  sub->UpdateExtent();
  CMatrix4DStack stack = ScreenStack();
  double depth = 0;
  // The sub-model's square placed at x 30: screen 150..170.
  EXPECT_EQ(main->Pick(stack, ScreenRect{160, 100, 160, 100}, depth, 1, 0), 1);
  EXPECT_EQ(Selected(*main), (std::set<int>{0}));
  EXPECT_EQ(main->Pick(stack, ScreenRect{100, 100, 100, 100}, depth, 1, 0), 0);
  EXPECT_EQ(main->Pick(stack, ScreenRect{165, 85, 200, 95}, depth, 0, 0), 1);
  EXPECT_EQ(main->Pick(stack, ScreenRect{171, 85, 200, 95}, depth, 0, 0), 0);
  EXPECT_EQ(main->IsFileReferenced(sub), 1);
  EXPECT_EQ(sub->IsFileReferenced(main), 0);
  EXPECT_EQ(main->IsRecursive(), 0);
  EXPECT_FALSE(main->visiting);
}

TEST(FilePickTest, AModelThatPlacesItselfIsRecursive) {
  CLibraryScope library{"", 0};
  CMpdFile project;
  LoadProjectText(project,
                  "0 FILE a.ldr\n"
                  "1 4 0 0 0 1 0 0 0 1 0 0 0 1 b.ldr\n"
                  "0 FILE b.ldr\n"
                  "4 16 -5 -5 0 5 -5 0 5 5 0 -5 5 0\n");
  CQvFile* a = project.GetModel(0);
  CQvFile* b = project.GetModel(1);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(a->IsRecursive(), 0);
  // b now places a, which places b.
  auto back = std::make_unique<CQvElement>();
  back->SetFileByName("a.ldr");
  ASSERT_EQ(back->GetFile(), a);
  b->Append(std::move(back));
  EXPECT_EQ(a->IsRecursive(), 1);
  EXPECT_EQ(b->IsRecursive(), 1);
  EXPECT_FALSE(a->visiting);
  EXPECT_FALSE(b->visiting);
}

TEST(FilePickTest, TheRotationPointMovesOnlyWhenItMayMove) {
  auto file = LoadText("4 4 0 0 0 10 0 0 10 10 0 0 10 0\n");
  CRotationPoints& points = file->GetRotationPoints();
  points.ResetPoints();
  points.mode = CRotationPoints::kFirstCustom;
  ASSERT_EQ(file->IsRotationPointMovable(), 1);
  EXPECT_EQ(file->GetRotationPointMode(), CRotationPoints::kFirstCustom);
  file->MoveRotationPoint(CVector3(8, -16, 4));
  file->MoveRotationPoint(CVector3(8, 0, 0));
  const CVector3 p = points.GetPoint();
  EXPECT_DOUBLE_EQ(p.x, 16);
  EXPECT_DOUBLE_EQ(p.y, -16);
  EXPECT_DOUBLE_EQ(p.z, 4);
  std::vector<RotationPoint> fixed = points.GetPoints();
  fixed[0].movable = 0;
  points.SetPoints(fixed);
  EXPECT_EQ(file->IsRotationPointMovable(), 0);
  file->MoveRotationPoint(CVector3(100, 0, 0));
  EXPECT_DOUBLE_EQ(points.GetPoint().x, 16);
}

}  // namespace
