// plandor_pane_bench: for each shared model, the time from the start of loading it to the first
// paint of all four 3-D panes of a main frame showing it (run under Xvfb: xvfb-run -a). Not part
// of the tests.
//
//   plandor_pane_bench [--own-road] [--shots DIR] [--size WxH] [--steps] [--only TEXT] [--repeat N]
//     --own-road  draw through a plain edit-mode road here instead of the document's render road
//                 (for measuring the panes while the document's road is not there yet)
//     --shots DIR write each pane's picture (PNG) after its first paint
//     --steps     after the first paint, also time what redraws all four panes, from the command
//                 to the last pane's next image paint (median of --repeat runs):
//                   Zoom  a zoom preset of the frame (100 % and 50 % in turn), edit mode
//                   Next  in view mode, the step before the last one after the one before it
//                   Back  in view mode, one step back from there (a full drawing)
//                   Last  in view mode, from the first step to the last
//                 and adds the synthetic model of 98 steps (Synthetic5000x98).
//     --only TEXT only the models whose file name holds TEXT
// Models: the shared models, plus PLANDOR_BENCH_MODELS; library: LDRAWDIR or ../shared/ldraw.
#include <wx/app.h>
#include <wx/image.h>
#include <wx/init.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <vector>
#include <algorithm>
#include <memory>
#include <string>
#include <thread>

#include "../BenchInputs.h"
#include "BenchDocument.h"
#include "app/CommandTable.h"
#include "app/MainFrame.h"
#include "app/QuorvelView.h"
#include "config/ColorTable.h"
#include "config/ScanOrder.h"
#include "config/Settings.h"
#include "document/QuorvelDoc.h"
#include "model/FileCache.h"
#include "model/MpdFile.h"
#include "model/QvFile.h"
#include "platform/Folders.h"
#include "platform/Profile.h"
#include "render/C3DStub.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::time_point a, Clock::time_point b) {
  return std::chrono::duration<double, std::milli>(b - a).count();
}

// The edit-mode road in its plainest form: the whole model, no saved state, no step filter.
void PlainRoad(CQuorvelDoc& doc, ScenePicture& picture, const RenderRequest& q) {
  C3DStub& r = picture.renderer;
  CQvFile* model = doc.GetActiveModel();
  if (!model || !q.reRender) return;
  r.SetPerspective(0, 0, 0);
  r.SetBackgroundColor(theSettings.BackgroundColor);
  if (!r.Reset(static_cast<uint32_t>(q.width), static_cast<uint32_t>(q.height), theSettings.Shading)) return;
  r.CenterView(q.width & ~3, q.height, q.zoom, q.offset[0], q.offset[1]);
  CMatrix3 view;
  std::copy(q.viewMatrix, q.viewMatrix + 9, view.m.begin());
  view.Scale(r.GetScaleX());
  r.GetMatrixStack().Clear();
  r.GetMatrixStack().PushMultiply(CMatrix4D::FromPlacement(view, CVector3()));
  model->DrawTo3DStub(r, CVector3(), CMatrix3::Identity(), theSettings.PreviewColor, -1, 0, 1, 1);
}

// One operation from its call to the four panes' next image paints, in ms; negative on timeout.
double TimePaints(CQuorvelView* const (&views)[4], const std::function<void()>& op) {
  PumpBenchEvents();
  int before[4];
  for (int i = 0; i < 4; ++i) before[i] = views[i]->GetImagePaintCount();
  const Clock::time_point start = Clock::now();
  op();
  const bool ok = WaitForPaints(views, before, 30);
  return ok ? Ms(start, Clock::now()) : -1;
}

double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

void PrintTimes(const std::string& name, const std::vector<double>& t) {
  if (t.empty()) return;
  const bool timedOut = std::find_if(t.begin(), t.end(), [](double v) { return v < 0; }) != t.end();
  std::printf("  %-40s %9.1f %9.1f %9.1f%s\n", name.c_str(), Median(t), *std::min_element(t.begin(), t.end()),
              *std::max_element(t.begin(), t.end()), timedOut ? " (timed out)" : "");
  std::fflush(stdout);
}

// The zoom presets in edit mode, then the steps in view mode.
void TimeSteps(CMainFrame& frame, CQuorvelDoc& doc, CQuorvelView* const (&views)[4], const std::string& name,
               int repeat) {
  std::vector<double> zoom, next, back, last;
  for (int r = 0; r < repeat; ++r)
    zoom.push_back(TimePaints(views, [&] { frame.Router().Run(cmd::kZoomFirst + (r % 2 ? 5 : 3)); }));
  // A main model without steps (one made of placed submodels): step through its model with the
  // most steps, as a user would activate it.
  std::string shown;
  if (doc.GetStepCount(1) <= 2) {
    int best = 0, bestSteps = 0;
    for (size_t m = 0; m < doc.GetProject().GetModelCount(); ++m) {
      doc.ActivateModel(static_cast<int>(m));
      if (doc.GetStepCount(1) > bestSteps) best = static_cast<int>(m), bestSteps = doc.GetStepCount(1);
    }
    TimePaints(views, [&] {
      doc.ActivateModel(best);
      doc.UpdateAllViews(HINT_REFIT);
    });
    shown = ", model " + std::to_string(best + 1);
  }
  TimePaints(views, [&] { doc.OnViewMode(); });
  const int steps = doc.GetStepCount(1);
  if (steps > 2) {
    TimePaints(views, [&] {
      doc.SetStep(steps - 2);
      doc.UpdateAllViews(HINT_PANES_ONLY);
    });
    for (int r = 0; r < repeat; ++r) {
      next.push_back(TimePaints(views, [&] { doc.OnNext(); }));
      back.push_back(TimePaints(views, [&] { doc.OnPrevious(); }));
    }
  }
  // A model without steps has no last step to go to.
  for (int r = 0; r < repeat && steps > 1; ++r) {
    TimePaints(views, [&] { doc.OnFirst(); });
    last.push_back(TimePaints(views, [&] { doc.OnLast(); }));
  }
  std::printf("%s (%d steps%s)              median ms   min       max\n", name.c_str(), steps, shown.c_str());
  PrintTimes("Zoom", zoom);
  PrintTimes("Next (step " + std::to_string(steps - 1) + ")", next);
  PrintTimes("Back (step " + std::to_string(steps - 2) + ")", back);
  PrintTimes("Last", last);
}

}  // namespace

int main(int argc, char** argv) {
  bool ownRoad = false, steps = false;
  std::string only;
  int repeat = 9;
  std::string shots;
  int width = 1280, height = 960;
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--own-road"))
      ownRoad = true;
    else if (!std::strcmp(argv[i], "--shots") && i + 1 < argc)
      shots = argv[++i];
    else if (!std::strcmp(argv[i], "--size") && i + 1 < argc)
      std::sscanf(argv[++i], "%dx%d", &width, &height);
    else if (!std::strcmp(argv[i], "--steps"))
      steps = true;
    else if (!std::strcmp(argv[i], "--only") && i + 1 < argc)
      only = argv[++i];
    else if (!std::strcmp(argv[i], "--repeat") && i + 1 < argc)
      repeat = std::max(1, std::atoi(argv[++i]));
  }
  if (!StartBenchApp(argv, "pane_bench.conf")) return 1;
  const std::string scratch = GetTempDirectory();

  // The toolkit's first window costs extra once per process (fonts, themes): not the first model's.
  {
    auto* warm = new CMainFrame(nullptr);
    warm->Show();
    PumpBenchEvents();
    warm->Destroy();
    PumpBenchEvents();
  }
  std::printf("%-36s %10s %12s %12s  %s\n", "model", "load ms", "4 panes ms", "total ms", "road");
  std::vector<std::string> models = BenchModelFiles();
  std::string synthetic;
  if (steps) {
    synthetic = scratch + "/pane_bench_synthetic";
    std::filesystem::create_directories(synthetic);
    if (const std::string path = WriteSyntheticStepsModel(synthetic); !path.empty()) models.push_back(path);
  }
  for (const std::string& path : models) {
    if (!only.empty() && BenchFileName(path).find(only) == std::string::npos &&
        !(path.find("pane_bench_synthetic") != std::string::npos && only.find("Synthetic") != std::string::npos))
      continue;
    theFileCache.Flush(0);
    const Clock::time_point start = Clock::now();
    auto doc = std::make_unique<CQuorvelDoc>();
    doc->OnNewDocument();
    if (!LoadBenchModel(*doc, path)) {
      std::printf("%-36s cannot be read\n", BenchFileName(path).c_str());
      continue;
    }
    const Clock::time_point loaded = Clock::now();
    auto* frame = new CMainFrame(nullptr);
    frame->SetSize(0, 0, width, height);
    frame->Show();
    CQuorvelView* views[4];
    for (int i = 0; i < 4; ++i) {
      views[i] = dynamic_cast<CQuorvelView*>(frame->GetViewPane(i / 2, i % 2));
      if (ownRoad) views[i]->State().SetRenderRoad(PlainRoad);
    }
    PumpBenchEvents();  // the layout settles before the document arrives
    frame->AttachDocument(doc.get());
    // What opening a file announces: the project was replaced, fit it into the panes.
    doc->UpdateAllViews(HINT_REFIT);
    // Done when every pane painted after its renderer holds the model (or, with a road that draws
    // nothing, after its first paint at all).
    const Clock::time_point limit = Clock::now() + std::chrono::seconds(120);
    bool done = false;
    while (!done && Clock::now() < limit) {
      PumpBenchEvents();
      done = true;
      for (CQuorvelView* v : views) {
        C3DStub* r = v->State().GetRenderer();
        const bool drawn = r && r->IsInitialised();
        if (drawn ? v->GetImagePaintCount() == 0 : v->GetPaintCount() == 0) done = false;
      }
      if (!done) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    const Clock::time_point painted = Clock::now();
    const bool roadDrew = views[0]->State().GetRenderer() && views[0]->State().GetRenderer()->IsInitialised();
    std::printf("%-36s %10.1f %12.1f %12.1f  %s%s\n", BenchFileName(path).c_str(), Ms(start, loaded),
                Ms(loaded, painted), Ms(start, painted), ownRoad ? "plain" : "document",
                done ? (roadDrew ? "" : " (drew nothing)") : " (timed out)");
    std::fflush(stdout);
    if (!shots.empty())
      for (int i = 0; i < 4; ++i)
        views[i]->ComposePicture().ConvertToImage().SaveFile(
            wxString::FromUTF8(shots + "/" + BenchFileName(path) + "." + std::to_string(i) + ".png"), wxBITMAP_TYPE_PNG);
    if (steps && done)
      TimeSteps(*frame, *doc, views,
                path.find("pane_bench_synthetic") != std::string::npos ? "Synthetic5000x98" : BenchFileName(path),
                repeat);
    frame->AttachDocument(nullptr);
    frame->Destroy();
    PumpBenchEvents();
  }
  if (!synthetic.empty()) {
    std::error_code ec;
    std::filesystem::remove_all(synthetic, ec);
  }
  SetProfile(nullptr);
  wxTheApp->OnExit();
  wxEntryCleanup();
  return 0;
}
