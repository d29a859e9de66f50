// Generator/Fractal/64x64, Generator/Mosaic/128x128 and Generator/Rotation/<profile>: the model
// generators' cores from options to placed parts, into a sink that only counts (the part library
// and element building are measured elsewhere). The mosaic reads a 1600 x 1200 JPEG written by the
// image library and fits it into 128 x 128 studs in every iteration.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "BenchInputs.h"
#include "config/ColorTable.h"
#include "config/DllContainer.h"
#include "model/FractalLandscape.h"
#include "model/MosaicBuilder.h"
#include "model/RotationModel.h"
#include "platform/Folders.h"
#include "render/PictureLoader.h"

namespace {

class CCountingSink : public CGeneratorSink {
 public:
  size_t parts = 0, steps = 0;
  bool HasPart(const std::string&) override { return true; }
  bool PlacePart(const std::string&, const CVector3&, ColorNumber, bool) override {
    ++parts;
    return true;
  }
  void AddStep() override { ++steps; }
  void Clear() override { parts = steps = 0; }
};

void BM_Fractal(benchmark::State& state) {
  CFractalLandscape land;
  CFractalLandscape::Options o;
  o.levels = 6;  // 64 x 64 studs
  o.height = 10;
  o.maxBrickSize = 3;
  o.usePlates = true;
  land.SetOptions(o);
  CCountingSink sink;
  uint32_t seed = 1;
  for (auto _ : state) {
    land.Compute(seed++);
    land.BuildModel(sink, nullptr);
    benchmark::DoNotOptimize(sink.parts);
  }
  state.counters["parts"] = static_cast<double>(sink.parts);
}

void BM_Mosaic(benchmark::State& state) {
  CDllContainer dll;
  std::string dir = BenchOutDir();
  if (dir.empty()) dir = GetTempDirectory();
  const std::string path = dir + "bench-mosaic.jpg";
  imImage* image = dll.ImAlloc(1600, 1200, 0, 1);
  if (!image) {
    state.SkipWithError("the image library is missing");
    return;
  }
  for (uint32_t y = 0; y < image->height; ++y)
    for (uint32_t x = 0; x < image->width; ++x) {
      uint8_t* p = image->pixels + static_cast<size_t>(y) * image->stride + x * 3;
      p[0] = static_cast<uint8_t>(x * 255 / 1600), p[1] = static_cast<uint8_t>(y * 255 / 1200);
      p[2] = static_cast<uint8_t>(((x / 100) ^ (y / 100)) & 1 ? 220 : 40);
    }
  const int saved = dll.FiSaveFile(path, image, "JPG");  // the library takes the image
  std::unique_ptr<CDib> picture = saved == 1 ? LoadPicture(dll, path) : nullptr;
  if (!picture) {
    state.SkipWithError("the picture could not be written or read");
    return;
  }
  static ColorEntry table[kColorCount];
  BuildColorTable(BuiltinColors.data(), table, kColorCount);
  CMosaicBuilder builder;
  builder.SetOptions({false, 3, 5, CMosaicBuilder::kColorReal});
  CCountingSink sink;
  for (auto _ : state) {
    std::unique_ptr<CDib> fitted = CMosaicBuilder::FitPicture(*picture, 128);
    builder.Generate(*fitted, table, sink, nullptr);
    benchmark::DoNotOptimize(sink.parts);
  }
  state.counters["parts"] = static_cast<double>(sink.parts);
}

// Profiles: a full cylinder, and a vase whose radius changes by row in two colours.
void BM_Rotation(benchmark::State& state, int kind) {
  CRotationModel model;
  model.Resize(20, 60);
  for (int row = 0; row < 60; ++row) {
    const int width = kind == 0 ? 20 : 6 + (row * 7) % 15;
    for (int k = 0; k < width; ++k) model.SetCell(19 - k, row, kind == 0 ? 15 : (row / 5) % 2 ? 4 : 14);
  }
  CCountingSink sink;
  for (auto _ : state) {
    model.Generate({3, kind != 0}, sink, nullptr);
    benchmark::DoNotOptimize(sink.parts);
  }
  state.counters["parts"] = static_cast<double>(sink.parts);
}

[[maybe_unused]] const bool registered = [] {
  benchmark::RegisterBenchmark("Generator/Fractal/64x64", BM_Fractal)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("Generator/Mosaic/128x128", BM_Mosaic)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("Generator/Rotation/Cylinder20x60", BM_Rotation, 0)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("Generator/Rotation/VasePlates20x60", BM_Rotation, 1)->Unit(benchmark::kMillisecond);
  return true;
}();

}  // namespace
