// Render/<file>/plain and Render/<file>/fast: a whole model drawn at 1024 x 768 from the default
// view, as the 3-D pane draws it in edit mode. "plain" loads the library without the fast-render
// mesh, "fast" with it. Multi-part files are drawn as single files (their sub-models are not
// resolved here). With PLANDOR_BENCH_OUT set, each frame is written there once as
// "<file>.plain.bmp" / "<file>.fast.bmp" (BMP: the layers below the app have no PNG encoder).
#include <benchmark/benchmark.h>

#include <string>

#include "BenchInputs.h"
#include "config/ColorTable.h"
#include "config/ScanOrder.h"
#include "config/Settings.h"
#include "model/FileCache.h"
#include "model/QvFile.h"
#include "model/TextHandler.h"
#include "render/C3DStub.h"

namespace {

constexpr uint32_t kWidth = 1024, kHeight = 768;

// Counts what reaches the renderer; used for one untimed frame.
class CCountingStub : public C3DStub {
 public:
  void DrawTriangle(uint32_t c, const CVector3& a, const CVector3& b, const CVector3& d, PickId id) override {
    ++primitives, ++triangles;
    C3DStub::DrawTriangle(c, a, b, d, id);
  }
  void DrawQuad(uint32_t c, const CVector3& a, const CVector3& b, const CVector3& d, const CVector3& e,
                PickId id) override {
    ++primitives, triangles += 2;
    C3DStub::DrawQuad(c, a, b, d, e, id);
  }
  void DrawLine(uint32_t c, const CVector3& a, const CVector3& b, PickId id) override {
    ++primitives;
    C3DStub::DrawLine(c, a, b, id);
  }
  void DrawOptionalLine(uint32_t c, const CVector3& a, const CVector3& b, const CVector3& d, const CVector3& e,
                        PickId id) override {
    ++primitives;
    C3DStub::DrawOptionalLine(c, a, b, d, e, id);
  }
  double primitives = 0, triangles = 0;
};

void DrawFrame(CQvFile& model, C3DStub& r) {
  CMatrix3 view;
  view.SetEuler(23, 45, 0);
  CVector3 lo(1e30, 1e30, 1e30), hi(-1e30, -1e30, -1e30);
  model.ExtendBoundingBox(CVector3(), view, lo, hi, 0);
  r.Reset(kWidth, kHeight, 1);
  r.FitView(kWidth, kHeight, lo.x, lo.y, lo.z, hi.x, hi.y, hi.z);
  // The renderer adds the offset itself; the matrix carries the turn and the scale.
  CMatrix3 scaled = view;
  scaled.Scale(r.GetScaleX());
  r.GetMatrixStack().Clear();
  r.GetMatrixStack().PushMultiply(CMatrix4D::FromPlacement(scaled, CVector3()));
  model.DrawTo3DStub(r, CVector3(), CMatrix3::Identity(), 7, -1, 0, 0, 1);
}

void BM_Render(benchmark::State& state, const std::string& path, int fast) {
  BuildColorTable(BuiltinColors.data(), theDefaultColors, kColorCount);
  theSettings.BasePath = BenchLibraryDir();
  theSettings.ShowWarnings = 0;
  theSettings.FastRender = fast ? 2 : 0;
  theScanOrder.SetDefault();
  theFileCache.Flush(0);
  CQvFile model;
  CFileTextHandler in;
  if (!in.Open(path, "r") || !model.ReadFrom(in, path, 0)) {
    state.SkipWithError("cannot read the model");
    return;
  }
  model.ResolveGroups();
  CCountingStub counter;
  counter.EnablePickBuffer(1);
  DrawFrame(model, counter);
  if (!BenchOutDir().empty())
    counter.GetImage().SaveBmp(BenchOutDir() + "/" + BenchFileName(path) + (fast ? ".fast.bmp" : ".plain.bmp"));
  C3DStub r;
  r.EnablePickBuffer(1);
  for (auto _ : state) {
    DrawFrame(model, r);
    benchmark::DoNotOptimize(r.GetImage().GetBits());
  }
  state.counters["ms_per_frame"] = benchmark::Counter(static_cast<double>(state.iterations()) / 1000.0,
                                                      benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  state.counters["primitives"] = counter.primitives;
  state.counters["triangles"] = counter.triangles;
  // The part-image cache is not built yet: nothing is created or stamped.
  state.counters["images_created"] = 0;
  state.counters["images_stamped"] = 0;
  theFileCache.Flush(0);
}

[[maybe_unused]] const bool registered = [] {
  if (BenchLibraryDir().empty()) return false;
  for (const std::string& model : BenchModelFiles()) {
    const std::string name = "Render/" + BenchFileName(model);
    benchmark::RegisterBenchmark((name + "/plain").c_str(), BM_Render, model, 0)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark((name + "/fast").c_str(), BM_Render, model, 1)->Unit(benchmark::kMillisecond);
  }
  return true;
}();

}  // namespace
