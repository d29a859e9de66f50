// The full extent (what Fit measures) of models whose sub-files keep their extent points must be
// the box that a walk through every element of every sub-file finds, vertex for vertex: not the
// looser box of a transformed box.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "config/PartList.h"
#include "model/ExtentPoints.h"
#include "model/FileCache.h"
#include "model/MpdFile.h"
#include "model/QvElement.h"
#include "model/QvFile.h"
#include "model/QvLinePart.h"
#include "model/TextHandler.h"
#include "tests/model/LibraryScope.h"
#include "tests/model/ModelText.h"
#include "tests/support/PartListScope.h"
#include "tests/support/TestData.h"

namespace {

struct Box {
  CVector3 min{1e200, 1e200, 1e200}, max{-1e200, -1e200, -1e200};
};

// The walk through every element, as the extent was measured before files kept their points:
// references recurse with their placement composed, ghosts of sub-files and hidden elements count
// nothing, every other element measures itself.
void WalkExtent(const CQvFile& file, const CVector3& offset, const CMatrix3& matrix, Box& box, bool ghosts) {
  for (size_t i = 0; i < file.GetCount(); ++i) {
    CQvPart* e = file.GetAt(i);
    if (e->ghost && !ghosts) continue;
    if (auto* ref = dynamic_cast<CQvElement*>(e)) {
      if (ref->hidden || !ref->GetFile()) continue;
      WalkExtent(*ref->GetFile(), matrix * ref->GetPosition() + offset, matrix * ref->GetMatrix(), box,
                 false);
    } else {
      e->ExtendBoundingBox(offset, matrix, box.min, box.max, 1);
    }
  }
}

Box KeptExtent(CQvFile& model, const CMatrix3& matrix) {
  Box box;
  model.ExtendBoundingBoxAll(CVector3(), matrix, box.min, box.max);
  return box;
}

// Flattening the sub-files reorders the sums of their placements: the two boxes may differ by
// rounding, never by more. A box of transformed boxes would be off by whole units.
void ExpectSameBox(const Box& a, const Box& b) {
  const double as[6] = {a.min.x, a.min.y, a.min.z, a.max.x, a.max.y, a.max.z};
  const double bs[6] = {b.min.x, b.min.y, b.min.z, b.max.x, b.max.y, b.max.z};
  for (int i = 0; i < 6; ++i) EXPECT_NEAR(as[i], bs[i], 1e-9 * (1 + std::fabs(bs[i]))) << "coordinate " << i;
}

CMatrix3 Turned(double ax, double ay, double az) {
  CMatrix3 m;
  m.SetEuler(ax, ay, az);
  return m;
}

// A small library: a part with a quadrilateral, a conditional line whose control points lie far
// outside (they do not count), a hidden line (does not count) and a primitive placed at a slant.
void WriteLibrary(const CScratchDir& dir) {
  std::filesystem::create_directories(dir / "parts");
  std::filesystem::create_directories(dir / "p");
  WriteFileBytes(dir / "p/rim.dat",
                 "0 Rim\n"
                 "2 24 6 0 0 0 0 6\n"
                 "2 24 0 0 6 -4 0 -4\n"
                 "3 16 0 -2 0 5 -2 1 1 -2 5\n");
  WriteFileBytes(dir / "parts/slanted.dat",
                 "0 Slanted\n"
                 "4 16 -10 0 -10 10 0 -10 10 0 10 -10 0 10\n"
                 "5 24 0 0 0 0 -4 0 500 500 500 -500 -500 -500\n"
                 "0 TOLVO HIDE 2 24 900 0 0 -900 0 0\n"
                 "1 16 10 -4 0 0.7071 0 0.7071 0 1 0 -0.7071 0 0.7071 rim.dat\n");
}

}  // namespace

TEST(Extent, KeptPointsGiveTheBoxOfTheWalkUnderTurnedPlacements) {
  CScratchDir dir;
  WriteLibrary(dir);
  CLibraryScope library{dir.Path(), 0};
  auto model = LoadText(
      "1 4 0 0 0 1 0 0 0 1 0 0 0 1 slanted.dat\n"
      "1 4 40 -24 8 0.866 0 0.5 0 1 0 -0.5 0 0.866 slanted.dat\n"
      "1 4 -30 0 20 1 0 0 0 0.6 -0.8 0 0.8 0.6 SLANTED.DAT\n"
      "0 GHOST 1 4 400 0 0 1 0 0 0 1 0 0 0 1 slanted.dat\n");
  ASSERT_EQ(model->GetCount(), 4u);
  for (const CMatrix3& view : {CMatrix3::Identity(), Turned(30, 45, 0), Turned(-20, 130, 10)}) {
    Box walked;
    WalkExtent(*model, CVector3(), view, walked, true);
    ExpectSameBox(KeptExtent(*model, view), walked);
    // Asked again, from the kept boxes of the sub-files.
    ExpectSameBox(KeptExtent(*model, view), walked);
  }
  // Under the identity: the ghost at x 400 counts as a top-level element, and its rim, turned by
  // 45 degrees at x 10, reaches 0.7071 * 6 further.
  Box plain = KeptExtent(*model, CMatrix3::Identity());
  EXPECT_NEAR(plain.max.x, 410 + 0.7071 * 6, 1e-9);
  EXPECT_LT(plain.max.y, 20);  // the control points at +-500 are not measured
}

// Quarter turns and mirrors are answered from the box under the identity, without a pass over the
// points, and other matrices turn several points at once; every matrix must give what a plain
// loop over the points gives, whatever the number of points.
TEST(Extent, EveryMatrixGivesThePlainLoopsBox) {
  const std::vector<CVector3> all = {{3, -7, 0.5},  {-2, 4, 9},      {0, 0, -1},    {1.25, -0.5, 2},
                                     {-8.5, 1, -3}, {0.1, 0.2, 0.3}, {6, -6, 12.75}};
  for (size_t count = 1; count <= all.size(); ++count) {
    const std::vector<CVector3> points(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(count));
    const CMatrix3 matrices[] = {CMatrix3::Identity(),
                                 {0, 0, 1, 0, 1, 0, -1, 0, 0},
                                 {0, -1, 0, 0, 0, -1, 1, 0, 0},
                                 {-1, 0, 0, 0, -1, 0, 0, 0, -1},
                                 {1, 0, 0, 0, 0, 1, 0, 1, 0},
                                 {0, 1, 0, 1, 0, 0, 0, 0, 1},
                                 // Not swapped axes: a scale, a repeated column, a turn, a zero row.
                                 {2, 0, 0, 0, 1, 0, 0, 0, 1},
                                 {1, 0, 0, 1, 0, 0, 0, 0, 1},
                                 Turned(30, 0, 0),
                                 {1, 0, 0, 0, 1, 0, 0, 0, 0},
                                 Turned(-20, 130, 10),
                                 Turned(33, -71, 145)};
    const CExtentPoints kept(points);
    for (const CMatrix3& m : matrices) {
      Box pass;
      for (const CVector3& p : points) {
        const CVector3 q = m * p;
        pass.min.Set(std::min(pass.min.x, q.x), std::min(pass.min.y, q.y), std::min(pass.min.z, q.z));
        pass.max.Set(std::max(pass.max.x, q.x), std::max(pass.max.y, q.y), std::max(pass.max.z, q.z));
      }
      Box box;
      ASSERT_TRUE(kept.Box(m, box.min, box.max));
      EXPECT_EQ(box.min, pass.min) << count << " points";
      EXPECT_EQ(box.max, pass.max) << count << " points";
    }
  }
  // A point that is not finite turns a zero into a NaN the pass skips: such points take the pass.
  const CExtentPoints infinite(std::vector<CVector3>{{1, 2, 3}, {HUGE_VAL, 0, 0}});
  Box box;
  ASSERT_TRUE(infinite.Box(CMatrix3{0, 1, 0, 1, 0, 0, 0, 0, 1}, box.min, box.max));
  EXPECT_EQ(box.min, CVector3(2, 1, 3));
  EXPECT_EQ(box.max, CVector3(2, HUGE_VAL, 3));
}

TEST(Extent, ChangingAKeptFileDropsItsPoints) {
  CQvFile file;
  file.KeepExtentPoints();
  file.Append(std::make_unique<CQvLinePart>());
  static_cast<CQvLinePart*>(file.GetAt(0))->MoveVertex(1, 4, 0, 0);
  Box before;
  file.ExtendBoundingBox(CVector3(), CMatrix3::Identity(), before.min, before.max, 1);
  EXPECT_EQ(before.max.x, 4);
  auto far = std::make_unique<CQvLinePart>();
  far->MoveVertex(0, 100, 0, 0);
  file.Append(std::move(far));
  Box after;
  file.ExtendBoundingBox(CVector3(), CMatrix3::Identity(), after.min, after.max, 1);
  EXPECT_EQ(after.max.x, 100);
  file.RemoveAt(1);
  Box removed;
  file.ExtendBoundingBox(CVector3(), CMatrix3::Identity(), removed.min, removed.max, 1);
  EXPECT_EQ(removed.max.x, 4);
}

// Every model of every shared real model, under the default view and two turned ones; each
// model's own box under the identity. The models and views are dealt out to shards that run in
// parallel (the walks take minutes in the sanitizer build).
constexpr int kExtentShards = 8;

class SharedModelExtent : public ::testing::TestWithParam<int> {};

TEST_P(SharedModelExtent, MeasuresAsTheWalkDoes) {
  REQUIRE_LDRAW_MODELS(models);
  REQUIRE_LDRAW_LIBRARY(lib);
  CLibraryScope library{lib, 0};
  // The library's files are listed as extra files under the names the models spell them with:
  // later tests must find their own spellings.
  PartListScope listed;
  std::vector<std::string> paths;
  for (const auto& entry : std::filesystem::directory_iterator(models)) {
    const std::string path = entry.path().string();
    if (path.ends_with(".mpd") || path.ends_with(".ldr")) paths.push_back(path);
  }
  std::sort(paths.begin(), paths.end());
  ASSERT_GE(paths.size(), 7u);
  const CMatrix3 views[] = {CMatrix3::Identity(), Turned(30, 45, 0), Turned(-20, 130, 10)};
  for (size_t job = static_cast<size_t>(GetParam()); job < paths.size() * 3; job += kExtentShards) {
    const std::string& path = paths[job / 3];
    const CMatrix3& view = views[job % 3];
    SCOPED_TRACE(path + ", view " + std::to_string(job % 3));
    CMpdFile project;
    project.SetModelFolder(std::filesystem::path(path).parent_path().string());
    CFileTextHandler in;
    ASSERT_EQ(in.Open(path, "r"), 1);
    ASSERT_EQ(project.LoadFromText(in, path), 1);
    for (size_t m = 0; m < project.GetModelCount(); ++m) {
      CQvFile& model = *project.GetModel(m);
      Box walked;
      WalkExtent(model, CVector3(), view, walked, true);
      ExpectSameBox(KeptExtent(model, view), walked);
      if (job % 3 != 0) continue;
      // The box the model keeps, measured as the project registered its models.
      Box plain;
      WalkExtent(model, CVector3(), CMatrix3::Identity(), plain, false);
      if (plain.min.x <= plain.max.x) ExpectSameBox({model.GetCorner(0), model.GetCorner(6)}, plain);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Shards, SharedModelExtent, ::testing::Range(0, kExtentShards));

// Registering a project's models measures each model once and answers quarter turns and mirrors of
// it from its box: every model must still keep the box the walk finds, also after a model placed
// by others changed and the models were registered again.
TEST(Extent, RegisteredModelsKeepTheBoxOfTheWalk) {
  CScratchDir dir;
  WriteLibrary(dir);
  CLibraryScope library{dir.Path(), 0};
  PartListScope listed;
  const std::string text =
      "0 FILE main.ldr\n"
      "1 4 0 0 0 1 0 0 0 1 0 0 0 1 body.ldr\n"
      "1 4 100 -8 30 0 0 -1 0 1 0 1 0 0 body.ldr\n"
      "0\n"
      "0 FILE body.ldr\n"
      "1 16 0 0 0 1 0 0 0 1 0 0 0 1 leg.ldr\n"
      "1 16 40 0 0 0 1 0 -1 0 0 0 0 1 leg.ldr\n"   // a quarter turn about z
      "1 16 -40 0 0 -1 0 0 0 1 0 0 0 1 leg.ldr\n"  // a mirror
      "1 16 0 50 0 0.866 0 0.5 0 1 0 -0.5 0 0.866 leg.ldr\n"
      "0 GHOST 2 24 0 0 0 900 0 0\n"
      "0\n"
      "0 FILE leg.ldr\n"
      "2 24 3 -7 1 11 2 -5\n"
      "3 16 -2 0 4 6 9 -1 1 1 13\n"
      "1 16 5 0 0 0.7071 0 0.7071 0 1 0 -0.7071 0 0.7071 slanted.dat\n"
      "0\n";
  CMpdFile project;
  ASSERT_EQ(LoadProjectText(project, text, "project.mpd"), 1);
  ASSERT_EQ(project.GetModelCount(), 3u);
  auto expectWalkedBoxes = [&project] {
    for (size_t m = 0; m < project.GetModelCount(); ++m) {
      CQvFile& model = *project.GetModel(m);
      SCOPED_TRACE(model.GetName());
      Box walked;
      WalkExtent(model, CVector3(), CMatrix3::Identity(), walked, false);
      ExpectSameBox({model.GetCorner(0), model.GetCorner(6)}, walked);
    }
  };
  expectWalkedBoxes();
  // The ghost line reaching x 900 is no part of the body's box.
  EXPECT_LT(project.GetModel(1)->GetCorner(6).x, 200);

  // The leg grows in place; registering again measures it anew.
  const double bodyBefore = project.GetModel(1)->GetCorner(6).x;
  static_cast<CQvLinePart*>(project.GetModel(2)->GetAt(0))->MoveVertex(1, 60, 2, -5);
  ASSERT_EQ(project.Reorder({0, 1, 2}), 1);
  expectWalkedBoxes();
  EXPECT_GT(project.GetModel(1)->GetCorner(6).x, bodyBefore);
}
