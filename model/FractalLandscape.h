#pragma once
// The landscape generator's core: a height field grown by midpoint subdivision from three seed
// peaks, the coloured surface that shows it, and the model of stacked bricks or plates built from
// it with an optional baseplate underneath and a step after each layer.
#include <cstdint>
#include <functional>
#include <vector>

#include "model/LayeredBuilder.h"

class CQvFile;

class CFractalLandscape {
 public:
  static constexpr int32_t kSide = 128;           // grid units across the field
  static constexpr int32_t kMinLevels = 3, kMaxLevels = 7;
  static constexpr int32_t kMinHeight = 3, kMaxHeight = 30;

  struct Options {
    int32_t levels = 4;        // subdivisions: 2^levels studs across
    int32_t height = 10;       // plates / bricks of the highest column
    int32_t maxBrickSize = 0;  // 0..3
    bool baseplate = true;
    bool useColors = true;
    bool usePlates = false;
  };

  // Values out of range are brought into range; a brick size out of range keeps the previous one.
  void SetOptions(const Options& options);
  const Options& GetOptions() const { return m_options; }

  // A new field from the seed; the same seed gives the same field.
  void Compute(uint32_t seed);
  // The computed field's heights (0..3 x height) at sample (i, j), i along x, j along z, each
  // 0..studs inclusive.
  int32_t GetSample(int32_t i, int32_t j) const;
  int32_t GetStuds() const { return kSide / m_step; }
  int32_t GetStep() const { return m_step; }

  // Two coloured triangles per square of samples, appended to the surface model.
  void BuildSurface(CQvFile& surface) const;

  // Builds the model into the sink; the progress gets the base level after each band (false
  // cancels). Without a computed field the sink is only emptied.
  CLayeredBuilder::Result BuildModel(CGeneratorSink& sink, const CLayeredBuilder::ProgressFn& progress) const;
  // Number of bands the build advances through (for a progress range).
  int32_t GetBandCount() const;

 private:
  int32_t& Cell(int32_t x, int32_t z) { return m_field[static_cast<size_t>(x) * (kSide + 1) + z]; }
  int32_t CellAt(int32_t x, int32_t z) const { return m_field[static_cast<size_t>(x) * (kSide + 1) + z]; }

  Options m_options;
  std::vector<int32_t> m_field;  // 129 x 129, [x][z]
  int32_t m_step = 8;
};
