// DocFile/Open/<file>: the document's open of a model (read, sub-files resolved, undo ring reset
// with its first snapshot), without drawing. DocFile/Save/<file>: its atomic save; with
// PLANDOR_BENCH_OUT set, the saved file is put there as "<name>.docsave.<extension>".
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>

#include "BenchInputs.h"
#include "config/ScanOrder.h"
#include "config/Settings.h"
#include "document/QuorvelDoc.h"
#include "model/FileCache.h"

namespace {

void UseBenchLibrary() {
  theSettings.BasePath = BenchLibraryDir();
  theSettings.ShowWarnings = 0;
  theSettings.AutoPartUpgrade = 0;
  theScanOrder.SetDefault();
}

void BM_DocOpen(benchmark::State& state, std::string path) {
  UseBenchLibrary();
  const std::filesystem::path cwd = std::filesystem::current_path();
  {
    CQuorvelDoc doc;
    doc.OnNewDocument();
    for (auto _ : state)
      if (!doc.OnOpenDocument(path)) {
        state.SkipWithError("cannot open the model");
        break;
      }
    state.counters["models"] = static_cast<double>(doc.GetProject().GetModelCount());
  }
  std::filesystem::current_path(cwd);
  theFileCache.Flush(0);
}

void BM_DocSave(benchmark::State& state, std::string path) {
  UseBenchLibrary();
  const std::filesystem::path cwd = std::filesystem::current_path();
  std::string folder = (std::filesystem::temp_directory_path() / "plandor-bench-XXXXXX").string();
  if (!mkdtemp(folder.data())) {
    state.SkipWithError("no temporary folder");
    return;
  }
  {
    CQuorvelDoc doc;
    doc.OnNewDocument();
    if (!doc.OnOpenDocument(path)) {
      state.SkipWithError("cannot open the model");
    } else {
      const std::string saved = folder + "/" + BenchFileName(path);
      doc.SetPathName(saved, false);
      for (auto _ : state)
        if (!doc.OnFileSave()) {
          state.SkipWithError("cannot save");
          break;
        }
      // The document's own save, to be compared with its source outside the tests.
      if (std::string out = BenchOutDir(); !out.empty()) {
        const std::filesystem::path name(BenchFileName(path));
        std::error_code ec;
        std::filesystem::copy_file(saved, out + name.stem().string() + ".docsave" + name.extension().string(),
                                   std::filesystem::copy_options::overwrite_existing, ec);
        if (ec) state.SkipWithError("cannot write the saved model to PLANDOR_BENCH_OUT");
      }
    }
  }
  std::error_code ec;
  std::filesystem::remove_all(folder, ec);
  std::filesystem::current_path(cwd);
  theFileCache.Flush(0);
}

[[maybe_unused]] const bool registered = [] {
  for (const std::string& model : BenchModelFiles()) {
    benchmark::RegisterBenchmark(("DocFile/Open/" + BenchFileName(model)).c_str(), BM_DocOpen, model)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("DocFile/Save/" + BenchFileName(model)).c_str(), BM_DocSave, model)
        ->Unit(benchmark::kMillisecond);
  }
  return true;
}();

}  // namespace
