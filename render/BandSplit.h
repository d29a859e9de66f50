#pragma once
// How a frame's rows are split into bands for the worker threads: evenly at first, then by what
// each band cost in the last walk. A frame is mostly redrawn in the same view, so bands over dense
// geometry get fewer rows and the threads finish together.
#include <cstdint>
#include <vector>

class CBandSplit {
 public:
  // The edges of bands bands: band b draws rows edges[b] .. edges[b + 1] - 1, edges[0] is 0 and
  // edges[bands] is height. Every band has at least minRows rows (fewer when the height has no
  // room for them). The split is even until a walk of this height recorded its costs.
  const std::vector<int32_t>& Split(int32_t bands, int32_t height, int32_t minRows);
  // What each band of the last split cost to draw (any unit, the same for every walk).
  void Record(const std::vector<double>& costs);

 private:
  std::vector<int32_t> m_edges;   // of the last split
  std::vector<double> m_rowCost;  // the estimated cost of each row; empty before a record
};
