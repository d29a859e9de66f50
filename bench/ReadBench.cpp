// Read/<file>: reading model text through the file source, as every reader does.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "BenchInputs.h"
#include "model/TextHandler.h"

namespace {

// Reads every line of the files; returns the bytes read.
size_t ReadFiles(const std::vector<std::string>& paths, size_t& lines) {
  size_t bytes = 0;
  std::string line;
  for (const std::string& path : paths) {
    CFileTextHandler h;
    if (!h.Open(path, "r")) continue;
    while (h.ReadLine(line)) {
      bytes += line.size();
      ++lines;
    }
  }
  return bytes;
}

void BM_Read(benchmark::State& state, std::vector<std::string> paths) {
  size_t bytes = 0, lines = 0;
  for (auto _ : state) {
    lines = 0;
    bytes = ReadFiles(paths, lines);
    benchmark::DoNotOptimize(bytes);
  }
  state.SetBytesProcessed(static_cast<int64_t>(bytes) * state.iterations());
  state.counters["lines"] = static_cast<double>(lines);
  state.counters["files"] = static_cast<double>(paths.size());
}

std::vector<std::string> LibraryFiles(const std::string& base) {
  std::vector<std::string> files;
  for (const auto& e : std::filesystem::recursive_directory_iterator(base))
    if (e.is_regular_file() && (e.path().extension() == ".dat" || e.path().extension() == ".ldr"))
      files.push_back(e.path().string());
  return files;
}

[[maybe_unused]] const bool registered = [] {
  for (const std::string& model : BenchModelFiles())
    benchmark::RegisterBenchmark(("Read/" + BenchFileName(model)).c_str(), BM_Read,
                                 std::vector<std::string>{model});
  if (std::string lib = BenchLibraryDir(); !lib.empty())
    benchmark::RegisterBenchmark("Read/library", BM_Read, LibraryFiles(lib))->Unit(benchmark::kMillisecond);
  return true;
}();

}  // namespace

