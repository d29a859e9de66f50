#pragma once
// A generator sink that records what a generator places, with the part sizes of the generator
// table, so tests can check footprints and stacking without a part library.
#include <cmath>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "model/GeneratorBrickTable.h"
#include "model/GeneratorSink.h"

struct RecordedPart {
  std::string file;
  CVector3 corner;
  ColorNumber color;
  bool turned;
};

class CRecordingSink : public CGeneratorSink {
 public:
  std::set<std::string> missing;  // parts the library "lacks"
  std::vector<RecordedPart> parts;
  int steps = 0;

  bool HasPart(const std::string& file) override { return !missing.count(file); }
  bool PlacePart(const std::string& file, const CVector3& corner, ColorNumber color, bool turned) override {
    parts.push_back({file, corner, color, turned});
    return true;
  }
  void AddStep() override { ++steps; }
  void Clear() override {
    parts.clear();
    steps = 0;
  }

  // The table record of a file; null for others (the baseplate).
  static const GeneratorBrick* Record(const std::string& file) {
    for (const auto& b : GeneratorBrickTable)
      if (file == b.file) return &b;
    return nullptr;
  }
  static bool IsPlate(const std::string& file) {
    const GeneratorBrick* b = Record(file);
    return b && b - GeneratorBrickTable.data() >= kPlateRowOffset;
  }

  // Every (stud x, stud z, plate slice) a table part fills, its corner taken as the top of its
  // body; false when two parts share one.
  bool Voxels(std::set<std::tuple<int, int, int>>& out) const {
    for (const auto& p : parts) {
      const GeneratorBrick* b = Record(p.file);
      if (!b) continue;
      const int w = p.turned ? b->depth : b->width, d = p.turned ? b->width : b->depth;
      // A turned part was placed by its unturned extent and then swung about its own origin.
      const double cx = p.turned ? p.corner.x + 10.0 * (b->width - b->depth) : p.corner.x;
      const double cz = p.turned ? p.corner.z + 10.0 * (b->depth - b->width) : p.corner.z;
      const int x0 = static_cast<int>(std::lround(cx / 20)), z0 = static_cast<int>(std::lround(cz / 20));
      const int y0 = static_cast<int>(std::lround(p.corner.y / 8));
      const int slices = IsPlate(p.file) ? 1 : 3;
      for (int i = 0; i < d; ++i)
        for (int j = 0; j < w; ++j)
          for (int s = 0; s < slices; ++s)
            if (!out.insert({x0 + j, z0 + i, y0 + s}).second) return false;
    }
    return true;
  }
};
