// Project/Snapshot/<file>, Project/Restore/<file>: taking and restoring an undo snapshot of a whole
// project. Project/EditAll/<largest>: selecting, moving and deleting every element of the largest.
// Project/ManyModels/<n>: restoring a project of n models, a main model placing the others.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "BenchInputs.h"
#include "config/ScanOrder.h"
#include "config/Settings.h"
#include "model/FileCache.h"
#include "model/MpdFile.h"
#include "model/QvFile.h"
#include "model/TextHandler.h"

namespace {

// The project of the file, read once with the benchmark library.
std::unique_ptr<CMpdFile> LoadProject(const std::string& path) {
  theSettings.BasePath = BenchLibraryDir();
  theSettings.ShowWarnings = 0;
  theScanOrder.SetDefault();
  auto project = std::make_unique<CMpdFile>();
  CFileTextHandler in;
  if (!in.Open(path, "r") || !project->LoadFromText(in, path)) return nullptr;
  return project;
}

size_t CountElements(const CMpdFile& project) {
  size_t n = 0;
  for (size_t i = 0; i < project.GetModelCount(); ++i) n += project.GetModel(i)->GetCount();
  return n;
}

void BM_Snapshot(benchmark::State& state, std::string path) {
  auto project = LoadProject(path);
  if (!project) {
    state.SkipWithError("cannot read the model");
    return;
  }
  size_t lines = 0;
  for (auto _ : state) {
    auto snapshot = project->SaveUndo();
    lines = snapshot ? snapshot->GetLines().size() : 0;
    benchmark::DoNotOptimize(snapshot);
  }
  state.counters["lines"] = static_cast<double>(lines);
  state.counters["models"] = static_cast<double>(project->GetModelCount());
  project.reset();
  theFileCache.Flush(0);
}

void BM_Restore(benchmark::State& state, std::string path) {
  auto project = LoadProject(path);
  if (!project) {
    state.SkipWithError("cannot read the model");
    return;
  }
  auto snapshot = project->SaveUndo();
  for (auto _ : state) {
    project->LoadUndo(snapshot.get());
    benchmark::DoNotOptimize(project->GetCurrentFile());
  }
  state.counters["elements"] = static_cast<double>(CountElements(*project));
  project.reset();
  theFileCache.Flush(0);
}

// Every model in turn: select all, move the selection one grid step, delete it from the end.
void BM_EditAll(benchmark::State& state, std::string path) {
  auto project = LoadProject(path);
  if (!project) {
    state.SkipWithError("cannot read the model");
    return;
  }
  auto snapshot = project->SaveUndo();
  size_t elements = 0;
  for (auto _ : state) {
    state.PauseTiming();
    project->LoadUndo(snapshot.get());
    elements = CountElements(*project);
    state.ResumeTiming();
    for (size_t m = 0; m < project->GetModelCount(); ++m) {
      CQvFile& model = *project->GetModel(m);
      model.SelectAll();
      for (size_t i = 0; i < model.GetSelectedCount(); ++i)
        if (CQvPart* e = model.GetSelected(i); e->movable) e->Move(20, 0, 0, 3, 0, 0, 0);
      while (model.GetCount() > 0) model.RemoveAt(model.GetCount() - 1);
    }
  }
  state.counters["elements"] = static_cast<double>(elements);
  project.reset();
  theFileCache.Flush(0);
}

// A main model placing n - 1 sub-models of one library brick each, as an undo snapshot (the
// index of the current model first).
void WriteManyModels(CArrayTextHandler& out, int n) {
  out.WriteString("0\n");
  out.WriteString("0 FILE main.ldr\n0 Main\n");
  for (int i = 1; i < n; ++i)
    out.WriteString("1 16 " + std::to_string(i % 100 * 40) + " 0 " + std::to_string(i / 100 * 40) +
                    " 1 0 0 0 1 0 0 0 1 model" + std::to_string(i) + ".ldr\n");
  out.WriteString("0\n");
  for (int i = 1; i < n; ++i) {
    out.WriteString("0 FILE model" + std::to_string(i) + ".ldr\n");
    out.WriteString("0 Model " + std::to_string(i) + "\n");
    out.WriteString("1 4 0 -24 0 1 0 0 0 1 0 0 0 1 3001.dat\n0\n");
  }
  out.WriteString("0\n");
}

void BM_ManyModels(benchmark::State& state) {
  theSettings.BasePath = BenchLibraryDir();
  theSettings.ShowWarnings = 0;
  theScanOrder.SetDefault();
  CArrayTextHandler snapshot;
  WriteManyModels(snapshot, static_cast<int>(state.range(0)));
  for (auto _ : state) {
    CMpdFile project;
    project.LoadUndo(&snapshot);
    if (project.GetModelCount() != static_cast<size_t>(state.range(0))) {
      state.SkipWithError("the project was not read");
      break;
    }
  }
  theFileCache.Flush(0);
}

[[maybe_unused]] const bool registered = [] {
  benchmark::RegisterBenchmark("Project/ManyModels", BM_ManyModels)
      ->Arg(400)
      ->Arg(1600)
      ->Arg(10000)
      ->Unit(benchmark::kMillisecond);
  std::string largest;
  std::uintmax_t largestSize = 0;
  for (const std::string& model : BenchModelFiles()) {
    const std::string name = BenchFileName(model);
    benchmark::RegisterBenchmark(("Project/Snapshot/" + name).c_str(), BM_Snapshot, model)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("Project/Restore/" + name).c_str(), BM_Restore, model)
        ->Unit(benchmark::kMillisecond);
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(model, ec);
    if (!ec && size > largestSize) {
      largestSize = size;
      largest = model;
    }
  }
  if (!largest.empty())
    benchmark::RegisterBenchmark(("Project/EditAll/" + BenchFileName(largest)).c_str(), BM_EditAll, largest)
        ->Unit(benchmark::kMillisecond);
  return true;
}();

}  // namespace
