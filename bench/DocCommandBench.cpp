// The document's side of three commands, without drawing (the panes' cost is the render road's):
//   Doc/CycleCheck/<file>   the model-cycle check every addition (part, paste, Modify) makes
//   Doc/AddPart/<file>      Add Part by name: insertion, cycle check, position, undo snapshot
//   Doc/StepThrough/<file>  view mode, then NextStep through every step of the main model
//   Doc/SelectNext/<file>   edit mode: Next from the first to the last top-level element
#include <benchmark/benchmark.h>

#include <memory>

#include "BenchInputs.h"
#include "document/QuorvelDoc.h"
#include "model/FileCache.h"
#include "model/QvFile.h"

namespace {

// The benchmark document, marked modified.
std::unique_ptr<CQuorvelDoc> LoadDocument(const std::string& path) {
  auto doc = LoadBenchDocument(path);
  if (doc) doc->SetModifiedFlag(1);
  return doc;
}

void Finish(std::unique_ptr<CQuorvelDoc>& doc) {
  doc.reset();
  theFileCache.Flush(0);
}

void BM_CycleCheck(benchmark::State& state, std::string path) {
  auto doc = LoadDocument(path);
  if (!doc) return state.SkipWithError("cannot read the model");
  for (auto _ : state) benchmark::DoNotOptimize(doc->GetProject().HasRecursion());
  state.counters["models"] = static_cast<double>(doc->GetProject().GetModelCount());
  Finish(doc);
}

void BM_AddPart(benchmark::State& state, std::string path) {
  auto doc = LoadDocument(path);
  if (!doc) return state.SkipWithError("cannot read the model");
  for (auto _ : state) benchmark::DoNotOptimize(doc->AddPartByName("3001.dat"));
  state.counters["elements"] = static_cast<double>(doc->GetActiveModel()->GetCount());
  Finish(doc);
}

void BM_StepThrough(benchmark::State& state, std::string path) {
  auto doc = LoadDocument(path);
  if (!doc) return state.SkipWithError("cannot read the model");
  doc->OnViewMode();
  const int steps = doc->GetStepCount(1);
  for (auto _ : state) {
    doc->SetStep(1);
    for (int i = 1; i < steps; ++i) doc->NextStep();
    benchmark::DoNotOptimize(doc->GetShownStep());
  }
  state.counters["steps"] = steps;
  Finish(doc);
}

void BM_SelectNext(benchmark::State& state, std::string path) {
  auto doc = LoadDocument(path);
  if (!doc) return state.SkipWithError("cannot read the model");
  size_t moves = 0;
  for (auto _ : state) {
    doc->GetActiveModel()->SelectOnly(0);
    moves = 0;
    while (doc->CanGoForward()) {
      doc->OnNext();
      ++moves;
    }
  }
  state.counters["elements"] = static_cast<double>(moves);
  Finish(doc);
}

[[maybe_unused]] const bool registered = [] {
  for (const std::string& model : BenchModelFiles()) {
    const std::string name = BenchFileName(model);
    benchmark::RegisterBenchmark(("Doc/CycleCheck/" + name).c_str(), BM_CycleCheck, model);
    benchmark::RegisterBenchmark(("Doc/AddPart/" + name).c_str(), BM_AddPart, model)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(20);
    benchmark::RegisterBenchmark(("Doc/StepThrough/" + name).c_str(), BM_StepThrough, model);
    benchmark::RegisterBenchmark(("Doc/SelectNext/" + name).c_str(), BM_SelectNext, model)
        ->Unit(benchmark::kMillisecond);
  }
  return true;
}();

}  // namespace
