#include "render/BandSplit.h"

#include <algorithm>

const std::vector<int32_t>& CBandSplit::Split(int32_t bands, int32_t height, int32_t minRows) {
  bands = std::max(bands, 1);
  height = std::max(height, 0);
  minRows = std::clamp(minRows, 0, height / bands);
  m_edges.assign(static_cast<size_t>(bands) + 1, 0);
  m_edges[static_cast<size_t>(bands)] = height;
  if (m_rowCost.size() != static_cast<size_t>(height)) {
    m_rowCost.clear();
    for (int32_t b = 1; b < bands; ++b)
      m_edges[static_cast<size_t>(b)] = static_cast<int32_t>(int64_t{height} * b / bands);
    return m_edges;
  }
  // prefix[y]: the cost of the rows above row y.
  std::vector<double> prefix(static_cast<size_t>(height) + 1, 0.0);
  for (size_t y = 0; y < m_rowCost.size(); ++y) prefix[y + 1] = prefix[y] + m_rowCost[y];
  for (int32_t b = 1; b < bands; ++b) {
    const double goal = prefix.back() * b / bands;
    const auto y =
        static_cast<int32_t>(std::lower_bound(prefix.begin(), prefix.end(), goal) - prefix.begin());
    // Room for minRows in this band and in each band after it.
    const int32_t lowest = m_edges[static_cast<size_t>(b) - 1] + minRows;
    const int32_t highest = height - (bands - b) * minRows;
    m_edges[static_cast<size_t>(b)] = std::clamp(y, lowest, highest);
  }
  return m_edges;
}

void CBandSplit::Record(const std::vector<double>& costs) {
  if (costs.size() + 1 != m_edges.size()) return;
  const auto height = static_cast<size_t>(m_edges.back());
  double total = 0;
  for (const double c : costs) total += c;
  if (!(total > 0) || height == 0) return;
  // No row is free, since every band walks the model anew.
  const double floor = total / static_cast<double>(height) / 16;
  const bool refine = m_rowCost.size() == height;
  m_rowCost.resize(height, 0.0);
  for (size_t b = 0; b + 1 < m_edges.size(); ++b) {
    const int32_t from = m_edges[b], to = m_edges[b + 1];
    double before = 0;
    if (refine)
      for (int32_t y = from; y < to; ++y) before += m_rowCost[static_cast<size_t>(y)];
    if (before > 0) {
      // The band's rows keep the shape of the estimate, learnt from earlier splits with other
      // edges, scaled half way to what the band cost now: spread evenly, the cost of a few dense
      // rows would move with every edge and the split would swing from frame to frame. Half,
      // so that one slow band (the machine was busy) does not throw the next split off.
      const double scale = (1 + costs[b] / before) / 2;
      for (int32_t y = from; y < to; ++y) {
        double& row = m_rowCost[static_cast<size_t>(y)];
        row = std::max(row * scale, floor);
      }
    } else {
      for (int32_t y = from; y < to; ++y) m_rowCost[static_cast<size_t>(y)] = costs[b] / (to - from) + floor;
    }
  }
}
