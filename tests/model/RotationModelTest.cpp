#include "model/RotationModel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "tests/model/RecordingSink.h"

namespace {

using Voxels = std::set<std::tuple<int, int, int>>;

CRotationModel Profile(int radius, int height) {
  CRotationModel m;
  m.Resize(radius, height);
  return m;
}

TEST(RotationModel, AxisCellGivesOneBrickAroundTheAxis) {
  CRotationModel m = Profile(5, 5);
  m.SetCell(4, 2, 4);
  CRecordingSink sink;
  ASSERT_EQ(m.Generate({2, false}, sink, nullptr), CLayeredBuilder::kDone);
  ASSERT_EQ(sink.parts.size(), 1u);
  EXPECT_EQ(sink.parts[0].file, "3003.dat");
  EXPECT_DOUBLE_EQ(sink.parts[0].corner.x, 80);
  EXPECT_DOUBLE_EQ(sink.parts[0].corner.y, 0);
  EXPECT_DOUBLE_EQ(sink.parts[0].corner.z, 80);
  EXPECT_EQ(sink.parts[0].color, 4);
}

TEST(RotationModel, RadiusFourLayerRows) {
  CRotationModel m = Profile(4, 4);
  for (int c = 0; c < 4; ++c) m.SetCell(c, 3, 15);
  std::vector<int32_t> v = m.BuildVoxels();
  const int n = 8;
  std::vector<int> rows;
  for (int z = 0; z < n; ++z) {
    int count = 0;
    for (int x = 0; x < n; ++x) count += v[(3 * n + z) * n + x] == 15;
    rows.push_back(count);
  }
  EXPECT_EQ(rows, (std::vector<int>{4, 6, 8, 8, 8, 8, 6, 4}));
}

// A vase: a solid profile of varying radius. The parts fill exactly the revolved cells, layer on
// layer without gaps, with no two parts sharing a cell and each in its cells' colour.
TEST(RotationModel, ProfileGivesAClosedSolid) {
  for (bool plates : {false, true}) {
    for (int size = 0; size <= 3; ++size) {
      const int radius = 6, height = 7;
      CRotationModel m = Profile(radius, height);
      const int widths[7] = {3, 4, 6, 6, 5, 3, 4};  // columns from the axis outward, top row first
      for (int row = 0; row < height; ++row)
        for (int k = 0; k < widths[row]; ++k) m.SetCell(radius - 1 - k, row, row % 2 ? 4 : 14);
      CRecordingSink sink;
      ASSERT_EQ(m.Generate({size, plates}, sink, nullptr), CLayeredBuilder::kDone);
      Voxels voxels;
      ASSERT_TRUE(sink.Voxels(voxels)) << "overlap, size " << size << " plates " << plates;
      // Expected: every revolved cell of row r at the height of the (height - 1 - r)-th row from
      // the bottom, one brick (three slices) or one plate a row.
      Voxels expected;
      const int n = 2 * radius;
      for (int row = 0; row < height; ++row) {
        const int up = height - 1 - row;
        for (int z = 0; z < n; ++z)
          for (int x = 0; x < n; ++x) {
            const double dx = x - radius + 0.5, dz = z - radius + 0.5;
            if (static_cast<int>(std::sqrt(dx * dx + dz * dz)) >= widths[row]) continue;
            if (plates) expected.insert({x, z, 2 - up});
            else
              for (int s = 0; s < 3; ++s) expected.insert({x, z, -3 * up + s});
          }
      }
      EXPECT_EQ(voxels, expected) << "size " << size << " plates " << plates;
      for (const auto& p : sink.parts) {
        const int up = plates ? 2 - static_cast<int>(std::lround(p.corner.y / 8)) : -static_cast<int>(std::lround(p.corner.y / 24));
        EXPECT_EQ(p.color, (height - 1 - up) % 2 ? 4 : 14);
      }
    }
  }
}

TEST(RotationModel, EmptyRowTakesNoLevelAndPlatesStackInBands) {
  CRotationModel m = Profile(4, 5);
  for (int row : {0, 1, 2, 4}) m.SetCell(3, row, 1);  // row 3 empty
  CRecordingSink sink;
  ASSERT_EQ(m.Generate({0, true}, sink, nullptr), CLayeredBuilder::kDone);
  std::set<double> ys;
  for (const auto& p : sink.parts) ys.insert(p.corner.y);
  EXPECT_EQ(ys, (std::set<double>{16, 8, 0, -8}));
  CRecordingSink bricks;
  ASSERT_EQ(m.Generate({0, false}, bricks, nullptr), CLayeredBuilder::kDone);
  std::set<double> brickYs;
  for (const auto& p : bricks.parts) brickYs.insert(p.corner.y);
  EXPECT_EQ(brickYs, (std::set<double>{0, -24, -48, -72}));
}

TEST(RotationModel, TurnedPartsAndSizes) {
  CRotationModel m = Profile(4, 4);
  for (int c = 0; c < 4; ++c) m.SetCell(c, 3, 15);
  CRecordingSink sink;
  ASSERT_EQ(m.Generate({1, false}, sink, nullptr), CLayeredBuilder::kDone);
  for (const auto& p : sink.parts) {
    EXPECT_EQ(p.file, "3004.dat");  // every row has an even length
    if (p.turned) {
      EXPECT_EQ(std::fmod(p.corner.x + 10, 20.0), 0.0);
      EXPECT_EQ(std::fmod(p.corner.z - 10, 20.0), 0.0);
    }
  }
  CRotationModel tiny;
  tiny.Resize(2, 500);
  EXPECT_EQ(tiny.GetRadius(), CRotationModel::kMinRadius);
  EXPECT_EQ(tiny.GetHeight(), CRotationModel::kMaxHeight);
  CRecordingSink cancelled;
  EXPECT_EQ(m.Generate({0, false}, cancelled, [](int32_t) { return false; }), CLayeredBuilder::kCancelled);
  EXPECT_TRUE(cancelled.parts.empty());
  CRecordingSink missing;
  missing.missing = {"3004.dat"};
  EXPECT_EQ(m.Generate({1, false}, missing, nullptr), CLayeredBuilder::kFailed);
}

}  // namespace
