// Parse/<file> and Write/<file>: the LDraw reader and writer on each benchmark model.
#include <benchmark/benchmark.h>

#include "BenchInputs.h"
#include "model/QvFile.h"
#include "model/TextHandler.h"

namespace {

void BM_Parse(benchmark::State& state, const std::string& path) {
  size_t bytes = 0, elements = 0, errors = 0;
  for (auto _ : state) {
    CQvFile file;
    CFileTextHandler in;
    if (!in.Open(path, "r")) {
      state.SkipWithError("cannot open the model");
      return;
    }
    file.ReadFrom(in, path, 0);
    file.ResolveGroups();
    elements = file.GetCount();
    errors = file.GetLineErrorCount();
    benchmark::DoNotOptimize(elements);
  }
  CFileTextHandler probe;
  if (probe.Open(path, "rb")) {
    std::string piece;
    while (probe.ReadLine(piece)) bytes += piece.size();
  }
  state.SetBytesProcessed(static_cast<int64_t>(bytes) * state.iterations());
  state.counters["elements"] = static_cast<double>(elements);
  state.counters["line_errors"] = static_cast<double>(errors);
}

void BM_Write(benchmark::State& state, const std::string& path) {
  CQvFile file;
  CFileTextHandler in;
  if (!in.Open(path, "r")) {
    state.SkipWithError("cannot open the model");
    return;
  }
  file.ReadFrom(in, path, 0);
  file.ResolveGroups();
  size_t bytes = 0;
  for (auto _ : state) {
    CArrayTextHandler out;
    out.Reserve(file.GetCount() + 16);
    file.WriteTo(out);
    bytes = 0;
    for (const std::string& line : out.GetLines()) bytes += line.size();
    benchmark::DoNotOptimize(bytes);
  }
  state.SetBytesProcessed(static_cast<int64_t>(bytes) * state.iterations());
  state.counters["elements"] = static_cast<double>(file.GetCount());
  state.counters["line_errors"] = static_cast<double>(file.GetLineErrorCount());
  if (std::string dir = BenchOutDir(); !dir.empty()) {
    CFileTextHandler out;
    if (!out.OpenForWrite(dir + BenchFileName(path)) || !file.WriteTo(out) || !out.Close())
      state.SkipWithError("cannot write the model to PLANDOR_BENCH_OUT");
  }
}

[[maybe_unused]] const bool registered = [] {
  for (const std::string& model : BenchModelFiles()) {
    benchmark::RegisterBenchmark(("Parse/" + BenchFileName(model)).c_str(), BM_Parse, model);
    benchmark::RegisterBenchmark(("Write/" + BenchFileName(model)).c_str(), BM_Write, model);
  }
  return true;
}();

}  // namespace
