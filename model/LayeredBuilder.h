#pragma once
// Stacks bricks and plates on a grid of column heights, layer by layer: each layer is filled with
// the largest allowed footprint first, then every smaller one in the cells left. With plates a
// band of three plate heights takes three passes: plates at its bottom, plates one higher, then
// bricks where three or more heights remain. The landscape and the mosaic generators share it.
#include <cstdint>
#include <functional>
#include <vector>

#include "model/GeneratorSink.h"

struct LayeredGrid {
  int32_t width = 0;   // columns (x)
  int32_t depth = 0;   // rows (z)
  std::vector<int32_t> level;  // remaining height of each cell in units, row by row
  // Optional: cell colours; a footprint then only covers cells of one colour.
  std::vector<int32_t> color;
  int32_t& At(int32_t column, int32_t row) { return level[static_cast<size_t>(row) * width + column]; }
};

struct LayeredPlacement {
  int32_t column, row;     // the footprint's first cell
  int32_t tableIndex;      // GeneratorBrickTable row
  int32_t level;           // layer level
  int32_t unit;            // heights the part takes: 1 for a plate in plate mode, else 3 or 1
};

class CLayeredBuilder {
 public:
  enum Result { kFailed = 0, kDone = 1, kCancelled = 2 };
  struct Options {
    int32_t maxBrickSize = 0;  // 0..3
    bool usePlates = false;
    int32_t maxLevel = 0;      // the loop stops after this base level
  };
  // Places a part for the placement; false fails the build. The part's file has been checked.
  using PlaceFn = std::function<bool(const LayeredPlacement&)>;
  // Called once per finished band with the base level; false cancels.
  using ProgressFn = std::function<bool(int32_t)>;

  CLayeredBuilder(CGeneratorSink& sink, const Options& options) : m_sink(sink), m_options(options) {}
  // Consumes the grid's levels. A failure or a cancel clears the sink.
  Result Run(LayeredGrid& grid, const PlaceFn& place, const ProgressFn& progress);
  int32_t GetPlacedCount() const { return m_count; }

 private:
  bool FillLayer(LayeredGrid& grid, const PlaceFn& place, int32_t tableIndex, bool plateMode, int32_t level,
                 int32_t unit);
  static bool AllZero(const LayeredGrid& grid);

  CGeneratorSink& m_sink;
  Options m_options;
  std::vector<uint8_t> m_used;
  bool m_placed = false;
  int32_t m_count = 0;
};
