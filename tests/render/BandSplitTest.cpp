// The split of a frame's rows into bands: even at first, then by the cost each band had, always
// covering every row once with bands of at least the least height.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "render/BandSplit.h"

namespace {

void ExpectCovers(const std::vector<int32_t>& edges, int32_t bands, int32_t height, int32_t minRows) {
  ASSERT_EQ(edges.size(), static_cast<size_t>(bands) + 1);
  EXPECT_EQ(edges.front(), 0);
  EXPECT_EQ(edges.back(), height);
  for (size_t b = 0; b + 1 < edges.size(); ++b) EXPECT_GE(edges[b + 1] - edges[b], minRows) << b;
}

TEST(BandSplit, FirstSplitIsEven) {
  CBandSplit split;
  const std::vector<int32_t> edges = split.Split(4, 100, 8);
  EXPECT_EQ(edges, (std::vector<int32_t>{0, 25, 50, 75, 100}));
}

TEST(BandSplit, CostlyRowsGetNarrowerBands) {
  CBandSplit split;
  split.Split(4, 400, 8);
  // The first band cost as much as the other three together, ten times over.
  split.Record({30, 1, 1, 1});
  const std::vector<int32_t> edges = split.Split(4, 400, 8);
  ExpectCovers(edges, 4, 400, 8);
  EXPECT_LT(edges[1], 100);
  EXPECT_LT(edges[3], 100);
  // Another count of bands from the same costs still covers every row.
  ExpectCovers(split.Split(7, 400, 8), 7, 400, 8);
}

TEST(BandSplit, TheLeastHeightHoldsWhereAllTheCostIs) {
  CBandSplit split;
  split.Split(8, 128, 16);
  split.Record({1000, 0, 0, 0, 0, 0, 0, 0});
  ExpectCovers(split.Split(8, 128, 16), 8, 128, 16);
}

// Frames redrawn in the same view: the costs come from rows of very different cost (a dense
// stretch, an empty one), and the split must settle with every band costing about the same, not
// swing from frame to frame as a few dense rows change bands.
TEST(BandSplit, RepeatedFramesSettleOnEvenBands) {
  constexpr int32_t kHeight = 768, kBands = 8;
  std::vector<double> rowCost(kHeight, 1.0);
  for (int32_t y = 200; y < 260; ++y) rowCost[static_cast<size_t>(y)] = 40;
  for (int32_t y = 600; y < kHeight; ++y) rowCost[static_cast<size_t>(y)] = 0.1;
  CBandSplit split;
  double worst = 0;
  for (int frame = 0; frame < 30; ++frame) {
    const std::vector<int32_t> edges = split.Split(kBands, kHeight, 8);
    ExpectCovers(edges, kBands, kHeight, 8);
    std::vector<double> costs(kBands, 0.0);
    double total = 0;
    for (int32_t b = 0; b < kBands; ++b)
      for (int32_t y = edges[static_cast<size_t>(b)]; y < edges[static_cast<size_t>(b) + 1]; ++y)
        costs[static_cast<size_t>(b)] += rowCost[static_cast<size_t>(y)];
    for (const double c : costs) total += c;
    // The last frames: the costliest band against an even share.
    if (frame >= 20)
      for (const double c : costs) worst = std::max(worst, c / (total / kBands));
    split.Record(costs);
  }
  EXPECT_LT(worst, 1.15);
}

TEST(BandSplit, ANewHeightOrNoCostSplitsEvenly) {
  CBandSplit split;
  split.Split(2, 100, 8);
  split.Record({9, 1});
  EXPECT_EQ(split.Split(2, 60, 8), (std::vector<int32_t>{0, 30, 60}));
  split.Record({0, 0});
  EXPECT_EQ(split.Split(2, 60, 8), (std::vector<int32_t>{0, 30, 60}));
  // Costs of another number of bands than the last split are not taken.
  split.Record({5, 1, 1});
  EXPECT_EQ(split.Split(2, 60, 8), (std::vector<int32_t>{0, 30, 60}));
}

}  // namespace
