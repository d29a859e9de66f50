// Views/Browser/FirstScreen: the part browser's first screen of thumbnails (40 cells of 72 x 72,
// a pane of about 360 x 580) for a group of 500 library parts, with the part-file cache emptied
// before each screen: every part is read and drawn.
#include <benchmark/benchmark.h>

#include "BenchInputs.h"
#include "app/PartGridState.h"
#include "app/PartThumbnail.h"
#include "config/ColorTable.h"
#include "config/PartList.h"
#include "config/ScanOrder.h"
#include "config/Settings.h"
#include "model/FileCache.h"
#include "platform/Folders.h"
#include "platform/Profile.h"
#include "render/C3DStub.h"

namespace {

void BM_FirstScreen(benchmark::State& state) {
  const std::string lib = BenchLibraryDir();
  theSettings.BasePath = lib;
  theSettings.ShowWarnings = 0;
  theScanOrder.SetDefault();
  BuildColorTable(BuiltinColors.data(), theDefaultColors, kColorCount);
  CPartList& list = thePartList;
  list.Clear();
  int changed = 0;
  if (list.ScanDirectory(lib, "parts", false, changed) != 1) {
    state.SkipWithError("the library cannot be scanned");
    return;
  }
  // A group of 500 parts: the first 500 of the library in its order.
  std::vector<PartHandle> group;
  for (uint32_t i = 0; group.size() < 500 && i < list.GetCount(kLibraryParts); ++i)
    group.push_back(MakePartHandle(kLibraryParts, i));
  CPartGridState grid;
  grid.Layout(360, 580);
  C3DStub renderer;
  size_t drawn = 0;
  for (auto _ : state) {
    state.PauseTiming();
    theFileCache.Flush(0);
    state.ResumeTiming();
    for (PartHandle handle : CPartGridState::ShownParts(group, 1, grid.GetCellCount()))
      drawn += RenderPartThumbnail(theFileCache, handle, CPartGridState::CellSize(), renderer) == ThumbnailResult::Drawn;
  }
  state.counters["cells"] = grid.GetCellCount();
  state.counters["drawn"] = static_cast<double>(drawn) / static_cast<double>(state.iterations());
  theFileCache.Flush(0);
  list.Clear();
}

[[maybe_unused]] const bool registered = [] {
  if (BenchLibraryDir().empty()) return false;
  benchmark::RegisterBenchmark("Views/Browser/FirstScreen", BM_FirstScreen)->Unit(benchmark::kMillisecond);
  return true;
}();

}  // namespace
