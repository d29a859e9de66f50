#include "model/RotationModel.h"

#include <algorithm>
#include <cmath>

#include "model/GeneratorBrickTable.h"

void CRotationModel::Resize(int32_t radius, int32_t height) {
  m_radius = std::clamp(radius, kMinRadius, kMaxRadius);
  m_height = std::clamp(height, kMinHeight, kMaxHeight);
  m_profile.assign(static_cast<size_t>(m_radius) * m_height, kEmpty);
}

void CRotationModel::Clear() { std::fill(m_profile.begin(), m_profile.end(), kEmpty); }

int32_t CRotationModel::GetCell(int32_t column, int32_t row) const {
  if (column < 0 || row < 0 || column >= m_radius || row >= m_height) return kEmpty;
  return m_profile[static_cast<size_t>(row) * m_radius + column];
}

void CRotationModel::SetCell(int32_t column, int32_t row, int32_t color) {
  if (column < 0 || row < 0 || column >= m_radius || row >= m_height) return;
  m_profile[static_cast<size_t>(row) * m_radius + column] = color < 0 ? kEmpty : color;
}

std::vector<int32_t> CRotationModel::BuildVoxels() const {
  const int32_t n = 2 * m_radius;
  std::vector<int32_t> cells(static_cast<size_t>(n) * n * m_height, kEmpty);
  for (int32_t layer = 0; layer < m_height; ++layer)
    for (int32_t z = 0; z < n; ++z)
      for (int32_t x = 0; x < n; ++x) {
        const double dx = x - m_radius + 0.5, dz = z - m_radius + 0.5;
        const int32_t k = static_cast<int32_t>(std::trunc(std::sqrt(dx * dx + dz * dz)));
        if (k < m_radius) cells[(static_cast<size_t>(layer) * n + z) * n + x] = GetCell(m_radius - 1 - k, layer);
      }
  return cells;
}

CLayeredBuilder::Result CRotationModel::Generate(const Options& options, CGeneratorSink& sink,
                                                 const CLayeredBuilder::ProgressFn& progress) const {
  const int32_t maxSize = std::clamp(options.maxBrickSize, 0, kMaxBrickSizeIndex);
  const bool plates = options.usePlates;
  const int32_t n = 2 * m_radius;
  const size_t sliceSize = static_cast<size_t>(n) * n;
  sink.Clear();
  std::vector<int32_t> voxels = BuildVoxels();
  int32_t k = maxSize, sub = 0, offset = 0, base = 0;
  bool placed = false;
  auto fail = [&](CLayeredBuilder::Result r) {
    sink.Clear();
    return r;
  };
  for (int32_t layer = m_height - 1; layer >= 0; --layer) {
    int32_t* slice = voxels.data() + sliceSize * layer;
    auto empty = [&] { return std::all_of(slice, slice + sliceSize, [](int32_t c) { return c == kEmpty; }); };
    if (empty()) continue;  // an empty row takes no level
    for (;;) {
      const int32_t index = k + (plates ? kPlateRowOffset : 0);
      const GeneratorBrick& brick = GeneratorBrickTable[index];
      if (!sink.HasPart(brick.file)) return fail(CLayeredBuilder::kFailed);
      const bool plateMode = plates && sub < 2;
      const int32_t unit = plateMode ? 1 : (plates ? 3 : 1);
      const int32_t level = base + offset;
      double y = -8.0 * level;
      if (!plates) y *= 3;
      else if (unit == 1) y += 16;
      // Unturned footprints first, then (for oblong parts) the turned ones in what is left.
      for (int turned = 0; turned < (brick.width != brick.depth ? 2 : 1); ++turned) {
        const int32_t w = turned ? brick.depth : brick.width, e = turned ? brick.width : brick.depth;
        for (int32_t z = 0; z + e <= n; ++z)
          for (int32_t x = 0; x + w <= n; ++x) {
            const int32_t c = slice[static_cast<size_t>(z) * n + x];
            if (c == kEmpty) continue;
            bool same = true;
            for (int32_t v = 0; v < e && same; ++v)
              for (int32_t u = 0; u < w && same; ++u) same = slice[static_cast<size_t>(z + v) * n + x + u] == c;
            if (!same) continue;
            CVector3 corner(20.0 * x, y, 20.0 * z);
            if (turned) {
              corner.x -= 10.0 * brick.depth;
              corner.z += 10.0 * brick.depth;
            }
            if (!sink.PlacePart(brick.file, corner, c, turned != 0)) return fail(CLayeredBuilder::kFailed);
            placed = true;
            for (int32_t v = 0; v < e; ++v)
              for (int32_t u = 0; u < w; ++u) slice[static_cast<size_t>(z + v) * n + x + u] = kEmpty;
          }
      }
      const bool done = empty();
      if (k == 0 || done) {
        k = maxSize;
        ++offset;
        ++sub;
        if (placed) sink.AddStep();
        placed = false;
        if (sub == 3 || !plates) {
          sub = 0;
          offset = 0;
          base += plates ? 3 : 1;
          if (progress && !progress(base)) return fail(CLayeredBuilder::kCancelled);
        } else if (sub == 2) {
          offset = 0;
        }
      } else {
        --k;
      }
      if (done) break;
    }
  }
  return CLayeredBuilder::kDone;
}
