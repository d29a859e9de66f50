// The side panes' controllers on real data (no window; a virtual list asks only for the rows it
// paints, so these are the costs that grow with the model):
//   Views/LineList/<file>/Fill       the rows of the project's largest model rebuilt (a full
//                                    update) and the texts of the first page of 40 rows;
//   Views/LineList/<file>/SelectAll  every row chosen in the list, handed to the model and the
//                                    rows of the model's selection read back;
//   Views/LineList/<file>/AllTexts   the texts of every row (scrolling through the whole list);
//   Views/LineList/Synthetic10000/*  the same on a model of 10,000 parts;
//   Views/Tree/Rebuild               the part tree's nodes for the library's Parts.lst and groups.
#ifdef PLANDOR_BENCH_VIEWS
#include <benchmark/benchmark.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "BenchInputs.h"
#include "app/LineListState.h"
#include "app/PartTreeState.h"
#include "config/PartList.h"
#include "config/ScanOrder.h"
#include "config/Settings.h"
#include "document/QuorvelDoc.h"
#include "model/MpdFile.h"
#include "model/QvFile.h"
#include "model/TextHandler.h"
#include "platform/Folders.h"
#include "platform/Profile.h"
#include "platform/Prompt.h"

namespace {

class CQuietPrompt : public IPrompt {
 public:
  PromptAnswer Message(const std::string&, PromptButtons buttons, PromptIcon, const std::string&) override {
    return buttons == PromptButtons::Ok || buttons == PromptButtons::OkCancel ? PromptAnswer::Ok : PromptAnswer::No;
  }
  void Beep() override {}
  void BeginBusy() override {}
  void EndBusy() override {}
};

// The project opened, its model with the most lines made the active one; null when unreadable.
std::unique_ptr<CQuorvelDoc> OpenLargest(const std::string& path) {
  static CQuietPrompt quiet;
  SetPrompt(&quiet);
  theSettings.BasePath = BenchLibraryDir();
  theSettings.ShowWarnings = 0;
  theScanOrder.SetDefault();
  auto doc = std::make_unique<CQuorvelDoc>();
  if (!doc->OnOpenDocument(path) || !doc->GetActiveModel()) return nullptr;
  const CMpdFile& project = doc->GetProject();
  size_t best = 0;
  for (size_t m = 1; m < project.GetModelCount(); ++m)
    if (project.GetModel(m)->GetCount() > project.GetModel(best)->GetCount()) best = m;
  doc->SelectActiveModel(static_cast<int>(best));
  return doc;
}

// 10,000 parts of one brick in a grid, one step every 100 lines.
std::unique_ptr<CQuorvelDoc> Synthetic() {
  auto doc = std::make_unique<CQuorvelDoc>();
  doc->OnNewDocument();
  CArrayTextHandler text;
  text.WriteString("0\n0 Synthetic\n");
  for (int i = 0; i < 10000; ++i) {
    text.WriteString("1 4 " + std::to_string(i % 100 * 40) + " 0 " + std::to_string(i / 100 * 20) +
                     " 1 0 0 0 1 0 0 0 1 3001.dat\n");
    if (i % 100 == 99) text.WriteString("0 STEP\n");
  }
  text.Rewind();
  doc->GetProject().RemoveAll(1);
  doc->GetProject().AddModel(nullptr, nullptr);
  doc->GetProject().Transfer(text, 1, "synthetic.ldr");
  doc->RefreshActiveModel();
  return doc;
}

void BM_Fill(benchmark::State& state, std::function<std::unique_ptr<CQuorvelDoc>()> make) {
  auto doc = make();
  if (!doc) return state.SkipWithError("cannot read the model");
  CLineListState list;
  list.OnSize(800, 150);
  list.Attach(doc.get());
  for (auto _ : state) {
    list.OnUpdate(HINT_FULL, 0);
    for (long row = 0; row < 40 && row < static_cast<long>(list.GetRowCount()); ++row)
      benchmark::DoNotOptimize(list.GetRow(row).columns[5].size());
  }
  state.counters["rows"] = static_cast<double>(list.GetRowCount());
}

void BM_SelectAll(benchmark::State& state, std::function<std::unique_ptr<CQuorvelDoc>()> make) {
  auto doc = make();
  if (!doc) return state.SkipWithError("cannot read the model");
  CLineListState list;
  list.OnSize(800, 150);
  list.Attach(doc.get());
  std::vector<long> all(list.GetRowCount());
  for (size_t i = 0; i < all.size(); ++i) all[i] = static_cast<long>(i);
  for (auto _ : state) {
    list.OnListSelection(all, false);
    benchmark::DoNotOptimize(list.SelectedRows().size());
    state.PauseTiming();
    doc->GetActiveModel()->ClearSelection();
    list.OnUpdate(HINT_SELECTION, 0);
    state.ResumeTiming();
  }
  state.counters["rows"] = static_cast<double>(all.size());
}

void BM_AllTexts(benchmark::State& state, std::function<std::unique_ptr<CQuorvelDoc>()> make) {
  auto doc = make();
  if (!doc) return state.SkipWithError("cannot read the model");
  CLineListState list;
  list.OnSize(800, 150);
  list.Attach(doc.get());
  for (auto _ : state)
    for (long row = 0; row < static_cast<long>(list.GetRowCount()); ++row)
      benchmark::DoNotOptimize(list.GetRow(row).columns[3].size());
  state.counters["rows/s"] = benchmark::Counter(static_cast<double>(list.GetRowCount()),
                                                benchmark::Counter::kIsIterationInvariantRate);
}

void BM_TreeRebuild(benchmark::State& state) {
  std::string base = BenchLibraryDir();
  std::string profileDir = GetTempDirectory() + "bench-tree/";
  MakeDirectories(profileDir);
  SetProfile(std::make_unique<CFileProfile>(profileDir + "Plandor.conf"));
  CPartList parts;
  PartListPlaces places;
  places.userFolder = profileDir;
  places.importFolder = profileDir;
  parts.SetPlaces(places);
  if (!parts.LoadPartsList(base) || parts.GetCount(kLibraryParts) == 0) {
    int changed = 0;
    parts.LoadPartsList(profileDir + "none/");
    parts.ScanDirectory(base, "parts", false, changed);
  }
  if (parts.GetCount(kLibraryParts) == 0) return state.SkipWithError("no library parts");
  CPartTreeState tree(parts);
  for (auto _ : state) {
    tree.Invalidate();
    tree.Build();
    benchmark::DoNotOptimize(tree.Nodes().size());
  }
  state.counters["parts"] = static_cast<double>(parts.GetCount(kLibraryParts));
  state.counters["nodes"] = static_cast<double>(tree.Nodes().size());
  SetProfile(nullptr);
}

[[maybe_unused]] const bool registered = [] {
  auto add = [](const std::string& name, std::function<std::unique_ptr<CQuorvelDoc>()> make) {
    benchmark::RegisterBenchmark(("Views/LineList/" + name + "/Fill").c_str(), BM_Fill, make)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("Views/LineList/" + name + "/SelectAll").c_str(), BM_SelectAll, make)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("Views/LineList/" + name + "/AllTexts").c_str(), BM_AllTexts, make)
        ->Unit(benchmark::kMillisecond);
  };
  add("Synthetic10000", [] { return Synthetic(); });
  for (const std::string& model : BenchModelFiles())
    add(BenchFileName(model), [model] { return OpenLargest(model); });
  benchmark::RegisterBenchmark("Views/Tree/Rebuild", BM_TreeRebuild)->Unit(benchmark::kMillisecond);
  return true;
}();

}  // namespace
#endif
