// Generator/<kind>: building the geometry of a generated part into an empty generator file, with
// the sub-parts resolved through the part-file cache (warm after the first build).
#include <benchmark/benchmark.h>

#include "BenchInputs.h"
#include "config/ScanOrder.h"
#include "config/Settings.h"
#include "model/FileCache.h"
#include "model/GeneratorFile.h"

namespace {

template <typename Build>
void BM_Generator(benchmark::State& state, Build build) {
  theSettings.BasePath = BenchLibraryDir();
  theSettings.ShowWarnings = 0;
  theScanOrder.SetDefault();
  theFileCache.Flush(0);
  size_t elements = 0;
  for (auto _ : state) {
    CGeneratorFile file;
    build(file);
    file.UpdateExtent();
    elements = file.GetCount();
    benchmark::DoNotOptimize(elements);
  }
  theFileCache.Flush(0);
  state.counters["elements"] = static_cast<double>(elements);
}

[[maybe_unused]] const bool registered = [] {
  benchmark::RegisterBenchmark("Generator/Spring100Turns", BM_Generator<void (*)(CGeneratorFile&)>,
                               [](CGeneratorFile& f) { f.AddSpringGeometry(400, 100, 20, 2, 1, 1); });
  benchmark::RegisterBenchmark("Generator/Hose200Segments", BM_Generator<void (*)(CGeneratorFile&)>,
                               [](CGeneratorFile& f) {
                                 f.BuildFlexHose({-37, -78, 150}, {-60, -61, 240}, {120, 30, -1}, {30, 100, 0},
                                                 200, "756.dat", "754.DAT", 1);
                               });
  // The builder wraps two wheels; the densest belt it takes is measured in both modes.
  benchmark::RegisterBenchmark("Generator/BeltCylinders", BM_Generator<void (*)(CGeneratorFile&)>,
                               [](CGeneratorFile& f) { f.BuildRubberBelt(100, 20, 40, 10, 5, 200, 1); });
  benchmark::RegisterBenchmark("Generator/BeltCrossSection", BM_Generator<void (*)(CGeneratorFile&)>,
                               [](CGeneratorFile& f) { f.BuildRubberBelt(100, 20, 40, 10, 5, 200, 0); });
  return true;
}();

}  // namespace
