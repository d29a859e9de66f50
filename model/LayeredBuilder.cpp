#include "model/LayeredBuilder.h"

#include <algorithm>

#include "model/GeneratorBrickTable.h"

bool CLayeredBuilder::AllZero(const LayeredGrid& grid) {
  return std::all_of(grid.level.begin(), grid.level.end(), [](int32_t v) { return v <= 0; });
}

CLayeredBuilder::Result CLayeredBuilder::Run(LayeredGrid& grid, const PlaceFn& place, const ProgressFn& progress) {
  m_count = 0;
  m_placed = false;
  if (grid.width <= 0 || grid.depth <= 0 ||
      grid.level.size() != static_cast<size_t>(grid.width) * static_cast<size_t>(grid.depth)) {
    m_sink.Clear();
    return kFailed;
  }
  m_used.assign(grid.level.size(), 0);
  const int32_t maxSize = std::clamp(m_options.maxBrickSize, 0, kMaxBrickSizeIndex);
  const bool plates = m_options.usePlates;
  int32_t k = maxSize, sub = 0, offset = 0, base = 0;
  while (!AllZero(grid)) {
    if (base > m_options.maxLevel) {
      m_sink.Clear();
      return kFailed;
    }
    const bool plateMode = plates && sub < 2;
    const int32_t index = k + (plateMode ? kPlateRowOffset : 0);
    if (!m_sink.HasPart(GeneratorBrickTable[index].file) ||
        !FillLayer(grid, place, index, plateMode, base + offset, plateMode ? 1 : (plates ? 3 : 1))) {
      m_sink.Clear();
      return kFailed;
    }
    if (k > 0) {
      --k;
      continue;
    }
    k = maxSize;
    ++offset;
    ++sub;
    std::fill(m_used.begin(), m_used.end(), 0);
    if (m_placed) m_sink.AddStep();
    m_placed = false;
    if (sub == 3 || !plates) {
      sub = 0;
      offset = 0;
      base += plates ? 3 : 1;
      if (progress && !progress(base)) {
        m_sink.Clear();
        return kCancelled;
      }
    } else if (sub == 2) {
      offset = 0;
    }
  }
  return kDone;
}

bool CLayeredBuilder::FillLayer(LayeredGrid& grid, const PlaceFn& place, int32_t tableIndex, bool plateMode,
                                int32_t level, int32_t unit) {
  const int32_t w = GeneratorBrickTable[tableIndex].width;
  const int32_t d = GeneratorBrickTable[tableIndex].depth;
  const bool colors = grid.color.size() == grid.level.size();
  for (int32_t row = 0; row + d <= grid.depth; ++row) {
    for (int32_t column = 0; column + w <= grid.width; ++column) {
      const size_t anchor = static_cast<size_t>(row) * grid.width + column;
      const int32_t v = grid.level[anchor];
      if (m_used[anchor] || v <= 0 || (plateMode && v > 2)) continue;
      // Every covered cell is tested, the used ones too: parts of one layer never overlap.
      bool fits = true;
      for (int32_t i = 0; i < d && fits; ++i) {
        for (int32_t j = 0; j < w && fits; ++j) {
          const size_t cell = anchor + static_cast<size_t>(i) * grid.width + j;
          const int32_t c = grid.level[cell];
          fits = !m_used[cell] && c > 0 && c >= unit && !(plateMode && c > 2) &&
                 (!colors || grid.color[cell] == grid.color[anchor]);
        }
      }
      if (!fits) continue;
      if (!place({column, row, tableIndex, level, unit})) return false;
      ++m_count;
      m_placed = true;
      for (int32_t i = 0; i < d; ++i) {
        for (int32_t j = 0; j < w; ++j) {
          const size_t cell = anchor + static_cast<size_t>(i) * grid.width + j;
          grid.level[cell] -= unit;
          m_used[cell] = 1;
        }
      }
    }
  }
  return true;
}
