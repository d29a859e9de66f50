#include "model/FractalLandscape.h"

#include <algorithm>
#include <cmath>

#include "model/GeneratorBrickTable.h"
#include "model/QvFile.h"

void CFractalLandscape::SetOptions(const Options& options) {
  const int32_t previousSize = m_options.maxBrickSize;
  m_options = options;
  m_options.levels = std::clamp(options.levels, kMinLevels, kMaxLevels);
  m_options.height = std::clamp(options.height, kMinHeight, kMaxHeight);
  if (options.maxBrickSize < 0 || options.maxBrickSize > kMaxBrickSizeIndex) m_options.maxBrickSize = previousSize;
}

void CFractalLandscape::Compute(uint32_t seed) {
  const int32_t height = m_options.height;
  m_field.assign(static_cast<size_t>(kSide + 1) * (kSide + 1), 0);
  Cell(16, 96) = Cell(24, 88) = Cell(96, 64) = 3 * height;
  CGeneratorRandom random(seed);
  auto update = [&](int32_t x, int32_t z, int32_t p, int32_t q, double amplitude) {
    double value = CellAt(x, z) + (p + q) * 0.5 + (random.Next() / 32767.0 - 0.5) * amplitude;
    Cell(x, z) = static_cast<int32_t>(std::trunc(value));
  };
  int32_t d = kSide;
  for (int32_t level = 0; level < m_options.levels; ++level) {
    const int32_t h = d / 2;
    const double amplitude = static_cast<double>(d) * height * 3;
    for (int32_t x = 0; x < kSide; x += d) {
      for (int32_t z = 0; z < kSide; z += d) {
        update(x + h, z, CellAt(x, z), CellAt(x + d, z), amplitude);  // side along x
        update(x, z + h, CellAt(x, z), CellAt(x, z + d), amplitude);  // side along z
        const int32_t cx = x + h, cz = z + h;
        update(cx, cz, CellAt(cx - h, cz + h), CellAt(cx + h, cz - h), amplitude);
        if (cx + cz == kSide) update(cx, cz, CellAt(cx - h, cz + h), CellAt(cx + h, cz - h), amplitude);
      }
      update(x + h, kSide, CellAt(x, kSide), CellAt(x + d, kSide), amplitude);  // far side along x
    }
    for (int32_t z = 0; z < kSide; z += d) update(kSide, z + h, CellAt(kSide, z), CellAt(kSide, z + d), amplitude);
    d = h;
  }
  m_step = d;
  int32_t largest = 0;
  for (int32_t x = 0; x <= kSide; x += m_step) {
    for (int32_t z = 0; z <= kSide; z += m_step) {
      int32_t& v = Cell(x, z);
      if (v < 0) v = 0;
      largest = std::max(largest, v);
    }
  }
  // A field that ended all at or below zero stays flat rather than being divided by zero.
  for (int32_t x = 0; x <= kSide; x += m_step) {
    for (int32_t z = 0; z <= kSide; z += m_step) {
      int32_t& v = Cell(x, z);
      v = largest > 0 ? static_cast<int32_t>(static_cast<int64_t>(v) * height * 3 / largest) : 0;
    }
  }
}

int32_t CFractalLandscape::GetSample(int32_t i, int32_t j) const {
  if (m_field.empty() || i < 0 || j < 0 || i > GetStuds() || j > GetStuds()) return 0;
  return CellAt(i * m_step, j * m_step);
}

void CFractalLandscape::BuildSurface(CQvFile& surface) const {
  if (m_field.empty()) return;
  const int32_t maxHeight = 3 * m_options.height;
  const int32_t s = m_step;
  auto point = [&](int32_t x, int32_t z) {
    return CVector3(20.0 * x / s, -8.0 * CellAt(x, z), 20.0 * z / s);
  };
  auto color = [&](int32_t a, int32_t b, int32_t c) {
    const int32_t t = (a + b + c) / 3;
    return t <= 0 ? LevelColors[0] : LevelColors[std::min(1 + t * 6 / maxHeight, 6)];
  };
  for (int32_t x = 0; x < kSide; x += s) {
    for (int32_t z = 0; z < kSide; z += s) {
      surface.AddTriangle(point(x, z + s), point(x + s, z), point(x + s, z + s),
                          color(CellAt(x, z + s), CellAt(x + s, z), CellAt(x + s, z + s)));
      surface.AddTriangle(point(x, z), point(x, z + s), point(x + s, z),
                          color(CellAt(x, z), CellAt(x, z + s), CellAt(x + s, z)));
    }
  }
}

int32_t CFractalLandscape::GetBandCount() const { return m_options.height; }

CLayeredBuilder::Result CFractalLandscape::BuildModel(CGeneratorSink& sink,
                                                      const CLayeredBuilder::ProgressFn& progress) const {
  sink.Clear();
  if (m_field.empty()) return CLayeredBuilder::kFailed;
  const bool plates = m_options.usePlates;
  const int32_t studs = GetStuds();
  const int32_t maxHeight = plates ? 3 * m_options.height : m_options.height;
  LayeredGrid grid;
  grid.width = grid.depth = studs;
  grid.level.resize(static_cast<size_t>(studs) * studs);
  for (int32_t z = 0; z < studs; ++z) {
    for (int32_t x = 0; x < studs; ++x) grid.At(x, z) = GetSample(x, z) / (plates ? 1 : 3);
  }
  if (m_options.baseplate && sink.HasPart("3811.dat")) {
    const int32_t c = std::max(1, studs / 32);
    for (int32_t i = 0; i < c; ++i) {
      for (int32_t j = 0; j < c; ++j) {
        CVector3 corner(10.0 * studs - 320.0 * c + 640.0 * j, 24, 10.0 * studs - 320.0 * c + 640.0 * i);
        if (!sink.PlacePart("3811.dat", corner, 1, false)) {
          sink.Clear();
          return CLayeredBuilder::kFailed;
        }
      }
    }
    sink.AddStep();
  }
  CLayeredBuilder::Options options;
  options.maxBrickSize = m_options.maxBrickSize;
  options.usePlates = plates;
  options.maxLevel = maxHeight;
  CLayeredBuilder builder(sink, options);
  const bool useColors = m_options.useColors;
  auto place = [&](const LayeredPlacement& p) {
    double y = -8.0 * p.level;
    if (!plates) y *= 3;
    else if (p.unit == 1) y += 16;
    int32_t index = 1 + (p.level + p.unit) * 6 / maxHeight;
    if (index < 0 || index > 6) index = 6;
    ColorNumber color = useColors ? LevelColors[index] : 16;
    return sink.PlacePart(GeneratorBrickTable[p.tableIndex].file, CVector3(p.column * 20.0, y, p.row * 20.0), color,
                          false);
  };
  return builder.Run(grid, place, progress);
}
