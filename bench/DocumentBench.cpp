// The document's render road on real models, four 512 x 384 panes in the default directions:
//   Open/<file>   read, resolve (the part cache starts empty) and the first drawing of the panes,
//                 drawn together as the main frame draws them (each pane on a thread of the
//                 machine's, in bands on its share of them);
//   ReadCold/<file> the read and resolve of Open alone;
//   Select/<file> a selection change drawn over the kept frames (another part, every pane), in the
//                 model of the project with the most elements;
//   Undo/<file>   one undo of a whole-project snapshot;
//   Steps/<file>  view mode, one pane, every step in turn drawn over the previous one.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <vector>

#include "BenchInputs.h"
#include "config/ScanOrder.h"
#include "config/Settings.h"
#include "document/QuorvelDoc.h"
#include "model/FileCache.h"
#include "model/MpdFile.h"
#include "model/ThreadPartImages.h"
#include "model/QvFile.h"
#include "model/TextHandler.h"
#include "platform/Prompt.h"
#include "render/MemHeap.h"
#include "render/WorkerPool.h"

namespace {

constexpr int kWidth = 512, kHeight = 384;

struct PaneView {
  CMatrix3 matrix;
  double zoom = 1;
  int offset[2] = {0, 0};
};

// A pane's request for its view.
RenderRequest Request(const PaneView& v, bool reRender) {
  RenderRequest q;
  q.width = kWidth;
  q.height = kHeight;
  q.offset[0] = v.offset[0];
  q.offset[1] = v.offset[1];
  std::copy(v.matrix.m.begin(), v.matrix.m.end(), q.viewMatrix);
  q.reRender = reRender;
  q.zoom = v.zoom;
  return q;
}

// Answers every question No (the models stay as stored) without printing anything.
class CQuietPrompt : public IPrompt {
 public:
  PromptAnswer Message(const std::string&, PromptButtons buttons, PromptIcon, const std::string&) override {
    return buttons == PromptButtons::Ok || buttons == PromptButtons::OkCancel ? PromptAnswer::Ok : PromptAnswer::No;
  }
  void Beep() override {}
  void BeginBusy() override {}
  void EndBusy() override {}
};

// The document opened as the recent-file list or the command line opens it.
bool OpenModel(CQuorvelDoc& doc, const std::string& path) {
  static CQuietPrompt quiet;
  SetPrompt(&quiet);
  // The part images' heap, made at start as the program makes it: without it no image is made
  // and every small part is drawn from its elements.
  CreateRenderCache(1);
  theSettings.BasePath = BenchLibraryDir();
  theSettings.ShowWarnings = 0;
  theScanOrder.SetDefault();
  return doc.OnOpenDocument(path) && doc.GetActiveModel() && doc.GetActiveModel()->GetCount() > 0;
}

// Zoom to fit, as the pane does it: the model's box under the pane's direction fills 95%.
PaneView FitPane(CQuorvelDoc& doc, int direction) {
  PaneView v;
  v.matrix = theSettings.GetViewMatrix(direction);
  CVector3 min(1e200, 1e200, 1e200), max(-1e200, -1e200, -1e200);
  doc.GetActiveModel()->ExtendBoundingBoxAll(CVector3(), v.matrix, min, max);
  if (!(min.x <= max.x) || !(min.y <= max.y)) return v;
  const double dx = std::max(max.x - min.x, 1e-6), dy = std::max(max.y - min.y, 1e-6);
  double zoom = kWidth / dx;
  if (zoom * dy > kHeight) zoom = kHeight / dy;
  v.zoom = std::clamp(zoom * 95 / 100, 0.001, 1000.0);
  v.offset[0] = static_cast<int>(-static_cast<int>(min.x + (max.x - min.x) * 0.5) * v.zoom);
  v.offset[1] = static_cast<int>(-static_cast<int>(min.y + (max.y - min.y) * 0.5) * v.zoom);
  return v;
}

std::vector<PaneView> DrawPanes(CQuorvelDoc& doc, std::array<ScenePicture, 4>& pictures, int reRender) {
  const int directions[4] = {theSettings.ViewLT, theSettings.ViewRT, theSettings.ViewLB, theSettings.ViewRB};
  std::vector<PaneView> views;
  for (int pane = 0; pane < 4; ++pane) {
    PaneView v = FitPane(doc, directions[pane]);
    ScenePicture& p = pictures[static_cast<size_t>(pane)];
    p.renderer.EnablePickBuffer(1);
    doc.Create3DStub(p, Request(v, reRender != 0));
    views.push_back(v);
  }
  return views;
}

// The four panes drawn at the same time, as the main frame's pane group draws them after an open.
void DrawPanesTogether(CQuorvelDoc& doc, std::array<ScenePicture, 4>& pictures, CWorkerPool& pool) {
  const int directions[4] = {theSettings.ViewLT, theSettings.ViewRT, theSettings.ViewLB, theSettings.ViewRB};
  PaneView views[4];
  for (int pane = 0; pane < 4; ++pane) views[pane] = FitPane(doc, directions[pane]);
  doc.PrepareSceneDrawing();
  const int share = std::max(1, C3DStub::GetDefaultThreads() / pool.GetThreads());
  CThreadPartImages::Round round;
  std::atomic<int> next{0};
  pool.Run([&](int) {
    for (int pane = next++; pane < 4; pane = next++) {
      ScenePicture& p = pictures[static_cast<size_t>(pane)];
      p.renderer.SetThreads(share);
      p.renderer.EnablePickBuffer(1);
      doc.DrawScene(p, Request(views[pane], true));
      p.renderer.Finish();
    }
  });
}

// List indices of the drawn elements (parts, sub-models, lines) of the active model.
std::vector<int32_t> DrawnIndices(const CQvFile& model) {
  std::vector<int32_t> out;
  for (size_t i = 0; i < model.GetCount(); ++i)
    if (model.GetAt(i)->stepContent) out.push_back(static_cast<int32_t>(i));
  return out;
}

void BM_Open(benchmark::State& state, std::string path) {
  UseLibraryColors();
  size_t elements = 0;
  CWorkerPool pool(std::min(4, C3DStub::GetDefaultThreads()));
  for (auto _ : state) {
    auto doc = std::make_unique<CQuorvelDoc>();
    if (!OpenModel(*doc, path)) {
      state.SkipWithError("cannot read the model");
      return;
    }
    auto pictures = std::make_unique<std::array<ScenePicture, 4>>();
    DrawPanesTogether(*doc, *pictures, pool);
    elements = doc->GetActiveModel()->GetCount();
    state.PauseTiming();
    doc.reset();
    theFileCache.Flush(0);
    state.ResumeTiming();
  }
  state.counters["elements"] = static_cast<double>(elements);
}

// The read alone, every library part read anew: what the start of the program waits for before
// the panes draw.
void BM_ReadCold(benchmark::State& state, std::string path) {
  UseLibraryColors();
  for (auto _ : state) {
    auto doc = std::make_unique<CQuorvelDoc>();
    if (!OpenModel(*doc, path)) {
      state.SkipWithError("cannot read the model");
      return;
    }
    state.PauseTiming();
    doc.reset();
    theFileCache.Flush(0);
    state.ResumeTiming();
  }
}

void BM_Select(benchmark::State& state, std::string path) {
  UseLibraryColors();
  auto doc = std::make_unique<CQuorvelDoc>();
  if (!OpenModel(*doc, path)) {
    state.SkipWithError("cannot read the model");
    return;
  }
  // The model of the project with the most elements to select becomes the active one: a main
  // model often places one sub-model only.
  const CMpdFile& project = doc->GetProject();
  size_t best = 0, bestCount = 0;
  for (size_t m = 0; m < project.GetModelCount(); ++m)
    if (const size_t n = DrawnIndices(*project.GetModel(m)).size(); n > bestCount) {
      best = m;
      bestCount = n;
    }
  if (project.GetModel(best) != doc->GetActiveModel()) doc->ActivateModel(static_cast<int>(best));
  CQvFile& model = *doc->GetActiveModel();
  const std::vector<int32_t> parts = DrawnIndices(model);
  if (parts.size() < 2) {
    state.SkipWithError("fewer than two elements to select");
    return;
  }
  model.SelectOnly(parts[0]);
  auto pictures = std::make_unique<std::array<ScenePicture, 4>>();
  const std::vector<PaneView> views = DrawPanes(*doc, *pictures, 1);
  size_t next = 1;
  for (auto _ : state) {
    // Spread over the list: an element near the start, the middle and the end in turn.
    model.SelectOnly(parts[(next * 7919) % parts.size()]);
    ++next;
    for (int pane = 0; pane < 4; ++pane)
      doc->Create3DStub((*pictures)[static_cast<size_t>(pane)], Request(views[pane], false));
  }
  state.counters["elements"] = static_cast<double>(model.GetCount());
  doc.reset();
  theFileCache.Flush(0);
}

void BM_Undo(benchmark::State& state, std::string path) {
  UseLibraryColors();
  auto doc = std::make_unique<CQuorvelDoc>();
  if (!OpenModel(*doc, path)) {
    state.SkipWithError("cannot read the model");
    return;
  }
  for (auto _ : state) {
    state.PauseTiming();
    CQvFile& model = *doc->GetActiveModel();
    model.SelectAll();
    model.MoveSelected(20, 0, 0, 1);
    doc->SetModifiedFlag(1);
    state.ResumeTiming();
    doc->OnEditUndo();
  }
  state.counters["elements"] = static_cast<double>(doc->GetActiveModel()->GetCount());
  doc.reset();
  theFileCache.Flush(0);
}

void BM_Steps(benchmark::State& state, std::string path) {
  UseLibraryColors();
  auto doc = std::make_unique<CQuorvelDoc>();
  if (!OpenModel(*doc, path)) {
    state.SkipWithError("cannot read the model");
    return;
  }
  const int steps = doc->GetStepCount(1);
  const CMatrix3 view = theSettings.GetViewMatrix(6);
  PaneView pane;
  pane.matrix = view;
  RenderRequest first = Request(pane, true), next = Request(pane, false);
  first.perspective = next.perspective = true;
  auto picture = std::make_unique<ScenePicture>();
  picture->renderer.EnablePickBuffer(1);
  doc->OnViewMode();
  for (auto _ : state) {
    doc->SetStep(1);
    doc->Create3DStub(*picture, first);
    for (int s = 2; s <= steps; ++s) {
      doc->NextStep();
      doc->Create3DStub(*picture, next);
    }
  }
  state.counters["steps"] = static_cast<double>(steps);
  doc.reset();
  theFileCache.Flush(0);
}

// Steps/Synthetic5000x98: a model of 98 steps of 51 bricks each, stacked in layers, written to a
// temporary file first.
void BM_SyntheticSteps(benchmark::State& state) {
  std::string folder = (std::filesystem::temp_directory_path() / "plandor-bench-XXXXXX").string();
  if (!mkdtemp(folder.data())) {
    state.SkipWithError("no temporary folder");
    return;
  }
  const std::string path = WriteSyntheticStepsModel(folder);
  if (path.empty()) {
    state.SkipWithError("cannot write the synthetic model");
    return;
  }
  BM_Steps(state, path);
  std::error_code ec;
  std::filesystem::remove_all(folder, ec);
}

[[maybe_unused]] const bool registered = [] {
  benchmark::RegisterBenchmark("Steps/Synthetic5000x98", BM_SyntheticSteps)->Unit(benchmark::kMillisecond);
  for (const std::string& model : BenchModelFiles()) {
    const std::string name = BenchFileName(model);
    benchmark::RegisterBenchmark(("Open/" + name).c_str(), BM_Open, model)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("ReadCold/" + name).c_str(), BM_ReadCold, model)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("Select/" + name).c_str(), BM_Select, model)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("Undo/" + name).c_str(), BM_Undo, model)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("Steps/" + name).c_str(), BM_Steps, model)->Unit(benchmark::kMillisecond);
  }
  return true;
}();

}  // namespace
