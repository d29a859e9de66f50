// plandor_pane_bench: for each shared model, the time from the start of loading it to the first
// paint of all four 3-D panes of a main frame showing it (run under Xvfb: xvfb-run -a). Not part
// of the tests.
//
//   plandor_pane_bench [--own-road] [--shots DIR] [--size WxH]
//     --own-road  draw through a plain edit-mode road here instead of the document's render road
//                 (for measuring the panes while the document's road is not there yet)
//     --shots DIR write each pane's picture (PNG) after its first paint
// Models: the shared models, plus PLANDOR_BENCH_MODELS; library: LDRAWDIR or ../shared/ldraw.
#include <wx/app.h>
#include <wx/image.h>
#include <wx/init.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <thread>

#include "../BenchInputs.h"
#include "BenchDocument.h"
#include "app/MainFrame.h"
#include "app/QuorvelView.h"
#include "config/ColorTable.h"
#include "config/ScanOrder.h"
#include "config/Settings.h"
#include "document/QuorvelDoc.h"
#include "model/FileCache.h"
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
void PlainRoad(CQuorvelDoc& doc, C3DStub& r, const RenderRequest& q) {
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

}  // namespace

int main(int argc, char** argv) {
  bool ownRoad = false;
  std::string shots;
  int width = 1280, height = 960;
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--own-road"))
      ownRoad = true;
    else if (!std::strcmp(argv[i], "--shots") && i + 1 < argc)
      shots = argv[++i];
    else if (!std::strcmp(argv[i], "--size") && i + 1 < argc)
      std::sscanf(argv[++i], "%dx%d", &width, &height);
  }
  wxApp::SetInstance(new CBenchApp);
  int wxArgc = 1;
  if (!wxEntryStart(wxArgc, argv) || !wxTheApp->CallOnInit()) {
    std::fprintf(stderr, "no display: run under xvfb-run -a\n");
    return 1;
  }
  wxInitAllImageHandlers();
  const std::string scratch = GetTempDirectory();
  SetProfile(std::make_unique<CFileProfile>(scratch + "/pane_bench.conf"));
  BuildColorTable(BuiltinColors.data(), theDefaultColors, kColorCount);
  theSettings.BasePath = BenchLibraryDir();
  theSettings.ShowWarnings = 0;
  theScanOrder.SetDefault();

  // The toolkit's first window costs extra once per process (fonts, themes): not the first model's.
  {
    auto* warm = new CMainFrame(nullptr);
    warm->Show();
    PumpBenchEvents();
    warm->Destroy();
    PumpBenchEvents();
  }
  std::printf("%-36s %10s %12s %12s  %s\n", "model", "load ms", "4 panes ms", "total ms", "road");
  for (const std::string& path : BenchModelFiles()) {
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
    frame->AttachDocument(nullptr);
    frame->Destroy();
    PumpBenchEvents();
  }
  SetProfile(nullptr);
  wxTheApp->OnExit();
  wxEntryCleanup();
  return 0;
}
