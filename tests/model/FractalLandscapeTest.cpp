#include "model/FractalLandscape.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "model/QvFile.h"
#include "tests/model/RecordingSink.h"

namespace {

using Voxels = std::set<std::tuple<int, int, int>>;

CFractalLandscape Computed(int levels, int height, int size, bool plates, uint32_t seed) {
  CFractalLandscape land;
  CFractalLandscape::Options o;
  o.levels = levels;
  o.height = height;
  o.maxBrickSize = size;
  o.usePlates = plates;
  land.SetOptions(o);
  land.Compute(seed);
  return land;
}

TEST(FractalLandscape, FieldRunsFromZeroToThreeTimesTheHeightAndRepeatsForASeed) {
  for (uint32_t seed : {1u, 7u, 12345u}) {
    CFractalLandscape a = Computed(4, 10, 0, false, seed), b = Computed(4, 10, 0, false, seed);
    int32_t top = 0;
    for (int i = 0; i <= 16; ++i)
      for (int j = 0; j <= 16; ++j) {
        EXPECT_GE(a.GetSample(i, j), 0);
        EXPECT_EQ(a.GetSample(i, j), b.GetSample(i, j));
        top = std::max(top, a.GetSample(i, j));
      }
    EXPECT_EQ(top, 30) << seed;
  }
}

TEST(FractalLandscape, SixteenBySixteenOfSingleBricksHasOneBrickPerBrickHeight) {
  CFractalLandscape land = Computed(4, 10, 0, false, 42);
  ASSERT_EQ(land.GetStuds(), 16);
  size_t expected = 0;
  for (int x = 0; x < 16; ++x)
    for (int z = 0; z < 16; ++z) expected += land.GetSample(x, z) / 3;  // bricks only: 3 plates a brick
  CRecordingSink sink;
  ASSERT_EQ(land.BuildModel(sink, nullptr), CLayeredBuilder::kDone);
  ASSERT_FALSE(sink.parts.empty());
  EXPECT_EQ(sink.parts.front().file, "3811.dat");
  EXPECT_DOUBLE_EQ(sink.parts.front().corner.x, -160);
  EXPECT_DOUBLE_EQ(sink.parts.front().corner.y, 24);
  EXPECT_DOUBLE_EQ(sink.parts.front().corner.z, -160);
  EXPECT_EQ(sink.parts.size() - 1, expected);
  for (size_t k = 1; k < sink.parts.size(); ++k) {
    const auto& p = sink.parts[k];
    EXPECT_EQ(p.file, "3005.dat");
    EXPECT_NE(p.color, 1);  // the lowest colour only shows on the surface preview
    EXPECT_EQ(std::fmod(p.corner.y, 24.0), 0.0);
  }
  Voxels voxels;
  EXPECT_TRUE(sink.Voxels(voxels));
}

// Every brick size, with and without plates: no two parts share a cell and every column is as
// high as its sample.
TEST(FractalLandscape, PartsNeverOverlapAndColumnsReachTheirHeights) {
  for (bool plates : {false, true}) {
    for (int size = 0; size <= 3; ++size) {
      CFractalLandscape land = Computed(4, 8, size, plates, 99u + size);
      CRecordingSink sink;
      ASSERT_EQ(land.BuildModel(sink, nullptr), CLayeredBuilder::kDone);
      Voxels voxels;
      ASSERT_TRUE(sink.Voxels(voxels)) << "size " << size << " plates " << plates;
      std::map<std::pair<int, int>, int> column;
      for (auto [x, z, y] : voxels) ++column[{x, z}];
      for (int x = 0; x < 16; ++x)
        for (int z = 0; z < 16; ++z) {
          int want = plates ? land.GetSample(x, z) : land.GetSample(x, z) / 3 * 3;
          int have = column.count({x, z}) ? column[{x, z}] : 0;
          EXPECT_EQ(have, want) << x << "," << z;
        }
    }
  }
}

TEST(FractalLandscape, LargestSizeFirst) {
  CFractalLandscape land = Computed(4, 10, 3, false, 5);
  CRecordingSink sink;
  ASSERT_EQ(land.BuildModel(sink, nullptr), CLayeredBuilder::kDone);
  ASSERT_GT(sink.parts.size(), 1u);
  EXPECT_EQ(sink.parts[1].file, "3001.dat");
}

TEST(FractalLandscape, BaseplatesByLevels) {
  struct Case { int levels; std::vector<std::pair<double, double>> corners; };
  for (const Case& c : {Case{6, {{0, 0}, {640, 0}, {0, 640}, {640, 640}}}, Case{7, {}}}) {
    CFractalLandscape land = Computed(c.levels, 3, 0, false, 3);
    CRecordingSink sink;
    land.BuildModel(sink, nullptr);
    std::vector<std::pair<double, double>> got;
    for (const auto& p : sink.parts)
      if (p.file == "3811.dat") got.push_back({p.corner.x, p.corner.z});
    if (c.levels == 6) EXPECT_EQ(got, c.corners);
    else {
      ASSERT_EQ(got.size(), 16u);
      EXPECT_EQ(got.front(), std::make_pair(0.0, 0.0));
      EXPECT_EQ(got.back(), std::make_pair(1920.0, 1920.0));
    }
  }
}

TEST(FractalLandscape, MissingPartsAndCancel) {
  CFractalLandscape land = Computed(4, 10, 0, false, 8);
  CRecordingSink noBaseplate;
  noBaseplate.missing = {"3811.dat"};
  ASSERT_EQ(land.BuildModel(noBaseplate, nullptr), CLayeredBuilder::kDone);
  for (const auto& p : noBaseplate.parts) EXPECT_NE(p.file, "3811.dat");
  CRecordingSink noBrick;
  noBrick.missing = {"3005.dat"};
  EXPECT_EQ(land.BuildModel(noBrick, nullptr), CLayeredBuilder::kFailed);
  EXPECT_TRUE(noBrick.parts.empty());
  CRecordingSink cancelled;
  EXPECT_EQ(land.BuildModel(cancelled, [](int32_t) { return false; }), CLayeredBuilder::kCancelled);
  EXPECT_TRUE(cancelled.parts.empty());
}

TEST(FractalLandscape, OptionsAreBoundedBeforeUse) {
  CFractalLandscape land;
  CFractalLandscape::Options o;
  o.levels = 40;
  o.height = -5;
  o.maxBrickSize = 2;
  land.SetOptions(o);
  o.maxBrickSize = -1;  // an unknown size keeps the previous one
  land.SetOptions(o);
  EXPECT_EQ(land.GetOptions().levels, 7);
  EXPECT_EQ(land.GetOptions().height, 3);
  EXPECT_EQ(land.GetOptions().maxBrickSize, 2);
  land.Compute(1);
  EXPECT_EQ(land.GetStuds(), 128);
}

TEST(FractalLandscape, SurfaceHasTwoTrianglesPerSquare) {
  CFractalLandscape land = Computed(3, 3, 0, false, 11);
  CQvFile surface;
  land.BuildSurface(surface);
  EXPECT_EQ(surface.GetCount(), 8u * 8u * 2u);
}

}  // namespace
