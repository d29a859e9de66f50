// LoadColors/LDConfig.ldr: reading the library's colour file into a table, as every start does.
#include <benchmark/benchmark.h>

#include "BenchInputs.h"
#include "config/ColorTable.h"
#include "config/PathResolver.h"

namespace {

void BM_LoadColors(benchmark::State& state, std::string library) {
  // Resolved here: the resolver is another file's static object, not yet built at registration.
  std::string path = thePathResolver.Resolve(library, "LDConfig.ldr");
  ColorEntry table[kColorCount];
  for (auto _ : state) {
    InitColorTableUnused(table);
    if (!LoadLDConfigFile(path, table)) {
      state.SkipWithError("the colour file cannot be read");
      break;
    }
    benchmark::DoNotOptimize(table);
  }
}

[[maybe_unused]] const bool registered = [] {
  if (std::string lib = BenchLibraryDir(); !lib.empty())
    benchmark::RegisterBenchmark("LoadColors/LDConfig.ldr", BM_LoadColors, lib)
        ->Unit(benchmark::kMicrosecond);
  return true;
}();

}  // namespace
