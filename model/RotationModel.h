#pragma once
// The rotation model generator's core: a profile (half a cross-section, radius columns by height
// rows of colour numbers, the last column on the axis) revolved about the vertical axis into
// slices of coloured cells, each slice covered with the largest bricks or plates that sit on cells
// of one colour.
#include <cstdint>
#include <vector>

#include "model/LayeredBuilder.h"

class CRotationModel {
 public:
  // One range for the size dialog, the editor and the generator.
  static constexpr int32_t kMinRadius = 4, kMaxRadius = 20;
  static constexpr int32_t kMinHeight = 4, kMaxHeight = 60;
  static constexpr int32_t kEmpty = -1;

  CRotationModel() { Resize(5, 5); }
  // Brings the size into range and clears the profile.
  void Resize(int32_t radius, int32_t height);
  void Clear();
  int32_t GetRadius() const { return m_radius; }
  int32_t GetHeight() const { return m_height; }
  // Row 0 is the top; column radius - 1 lies on the axis. Outside the grid: kEmpty, no change.
  int32_t GetCell(int32_t column, int32_t row) const;
  void SetCell(int32_t column, int32_t row, int32_t color);

  // The revolved profile: (2 radius)^2 cells per layer, layer = profile row, [layer][z][x].
  std::vector<int32_t> BuildVoxels() const;

  struct Options {
    int32_t maxBrickSize = 0;  // 0..3
    bool usePlates = false;
  };
  // Builds into the sink from the bottom row up; progress gets the base level after each band
  // (false cancels). Failures and cancels leave the sink empty.
  CLayeredBuilder::Result Generate(const Options& options, CGeneratorSink& sink,
                                   const CLayeredBuilder::ProgressFn& progress) const;

 private:
  int32_t m_radius = 0, m_height = 0;
  std::vector<int32_t> m_profile;
};
