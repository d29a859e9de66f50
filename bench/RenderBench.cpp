// Render/...: the rasteriser's throughput on one core. Triangles of a given screen area, lines of
// a given length and width, and whole-frame clearing, saving and restoring at 1024 x 768. The
// frame has its pick buffer on and shading on, as a 3-D pane in edit mode has.
//
// Render/<file>/plain and Render/<file>/fast: a whole model (the first model of a multi-part
// file, its sub-models resolved) drawn at 1024 x 768 from the default view as a 3-D pane draws it
// in edit mode, with FastRender 0 and 3 (every library part from its part image), and
// Render/<file>/default with the program's default FastRender 2 (meshes, small parts from images). Part images are
// freed before every frame, as a full re-render of a pane does, so "fast" pays for making them.
// With PLANDOR_BENCH_OUT set, each frame is written there once as "<file>.plain.png" and
// "<file>.fast.png" (BMP when the benchmark is built without the GUI toolkit).
#include <benchmark/benchmark.h>

#include <ctime>
#include <cmath>
#include <memory>
#include <random>
#include <vector>

#include "BenchInputs.h"
#include "config/ColorTable.h"
#include "config/PathResolver.h"
#include "config/ScanOrder.h"
#include "config/Settings.h"
#include "model/FileCache.h"
#include "model/MpdFile.h"
#include "model/QvFile.h"
#include "model/TextHandler.h"
#include "render/C3DStub.h"
#include "render/MemHeap.h"
#ifdef PLANDOR_BENCH_PNG
#include <wx/image.h>

#include "app/PictureFile.h"
#endif

namespace {

constexpr uint32_t kWidth = 1024, kHeight = 768;
// Each primitive is one depth unit nearer than the one before, so every pixel passes the depth
// test (the expensive case); the frame is cleared (untimed) before the depths run out.
constexpr int kDepthCycle = 1 << 20;

struct Triangle {
  CVector3 a, b, c;
};

ColorEntry theBenchColors[kColorCount];

void Prepare(C3DStub& r) {
  theBenchColors[1].red = 200;
  theBenchColors[1].green = 100;
  theBenchColors[1].blue = 40;
  theBenchColors[1].alpha = 255;
  r.SetThreads(1);  // the rasteriser on one core, every primitive drawn at once
  r.EnablePickBuffer(1);
  r.Reset(kWidth, kHeight, 1);
  r.SetColorTable(theBenchColors);
  r.SetView(0, 0, 1);
}

// Right triangles with legs sqrt(2 x area) at seeded random places, half of them mirrored; the
// surface faces the viewer at a slant so that shading is computed.
std::vector<Triangle> MakeTriangles(double area, size_t count) {
  std::mt19937 rng(12345);
  const double leg = std::sqrt(2 * area);
  std::uniform_real_distribution<double> px(0, kWidth - leg - 1), py(0, kHeight - leg - 1);
  std::vector<Triangle> t(count);
  for (size_t i = 0; i < count; ++i) {
    const double x = px(rng), y = py(rng);
    if (i & 1)
      t[i] = {{x, y, 0}, {x + leg, y, 0.01}, {x, y + leg, 0.02}};
    else
      t[i] = {{x + leg, y, 0}, {x + leg, y + leg, 0.01}, {x, y + leg, 0.02}};
  }
  return t;
}

// Pixels the set actually covers, counted on an empty frame per triangle.
double CoveredPixels(const std::vector<Triangle>& tris) {
  C3DStub r;
  Prepare(r);
  double total = 0;
  for (size_t i = 0; i < tris.size(); ++i) {
    r.BeginFrame(kWidth, kHeight);
    r.DrawTriangle(1, tris[i].a, tris[i].b, tris[i].c, 1);
    for (uint32_t y = 0; y < kHeight; y += 1)
      for (uint32_t x = 0; x < kWidth; ++x)
        if (r.GetPickId(static_cast<int>(x), static_cast<int>(y)) != kNoPickId) total += 1;
    if (i == 15) return total / 16 * static_cast<double>(tris.size());
  }
  return total;
}

void BM_Triangles(benchmark::State& state) {
  const double area = static_cast<double>(state.range(0));
  const std::vector<Triangle> tris = MakeTriangles(area, 4096);
  const double pixelsPerSet = CoveredPixels(tris);
  C3DStub r;
  Prepare(r);
  int depth = 0;
  int64_t drawn = 0;
  for (auto _ : state) {
    for (const Triangle& t : tris) {
      const double z = -0.25 * depth++;
      r.DrawTriangle(1, {t.a.x, t.a.y, z}, {t.b.x, t.b.y, z}, {t.c.x, t.c.y, z}, 7);
    }
    drawn += static_cast<int64_t>(tris.size());
    if (depth >= kDepthCycle) {
      state.PauseTiming();
      r.BeginFrame(kWidth, kHeight);
      depth = 0;
      state.ResumeTiming();
    }
  }
  const double sets = static_cast<double>(drawn) / static_cast<double>(tris.size());
  state.counters["Mtri/s"] =
      benchmark::Counter(static_cast<double>(drawn) / 1e6, benchmark::Counter::kIsRate);
  state.counters["Mpx/s"] = benchmark::Counter(sets * pixelsPerSet / 1e6, benchmark::Counter::kIsRate);
  state.counters["px/tri"] = pixelsPerSet / static_cast<double>(tris.size());
}

// Squares of the given area as quadrilaterals: three triangle set-ups each, and the third one
// covers pixels the first two already hold.
void BM_Quads(benchmark::State& state) {
  const double side = std::sqrt(static_cast<double>(state.range(0)));
  const std::vector<Triangle> spots = MakeTriangles(state.range(0) / 2.0, 4096);
  C3DStub r;
  Prepare(r);
  int depth = 0;
  int64_t drawn = 0;
  for (auto _ : state) {
    for (const Triangle& t : spots) {
      const double z = -0.25 * depth++, x = t.a.x, y = t.a.y;
      r.DrawQuad(1, {x, y, z}, {x + side, y, z}, {x + side, y + side, z}, {x, y + side, z}, 7);
    }
    drawn += static_cast<int64_t>(spots.size());
    if (depth >= kDepthCycle) {
      state.PauseTiming();
      r.BeginFrame(kWidth, kHeight);
      depth = 0;
      state.ResumeTiming();
    }
  }
  state.counters["Mquads/s"] =
      benchmark::Counter(static_cast<double>(drawn) / 1e6, benchmark::Counter::kIsRate);
}

void BM_Lines(benchmark::State& state) {
  const double length = static_cast<double>(state.range(0));
  const int width = static_cast<int>(state.range(1));
  std::mt19937 rng(777);
  std::uniform_real_distribution<double> angle(0, 6.283185307179586);
  std::uniform_real_distribution<double> px(length + 4, kWidth - length - 4),
      py(length + 4, kHeight - length - 4);
  std::vector<std::pair<CVector3, CVector3>> lines(4096);
  for (auto& l : lines) {
    const double x = px(rng), y = py(rng), a = angle(rng);
    l = {{x, y, 0}, {x + length * std::cos(a), y + length * std::sin(a), 0}};
  }
  C3DStub r;
  Prepare(r);
  r.SetLineWidth(width);
  int depth = 0;
  int64_t drawn = 0;
  for (auto _ : state) {
    for (const auto& l : lines) {
      const double z = -0.25 * depth++;
      r.DrawLine(1, {l.first.x, l.first.y, z}, {l.second.x, l.second.y, z}, 3);
    }
    drawn += static_cast<int64_t>(lines.size());
    if (depth >= kDepthCycle) {
      state.PauseTiming();
      r.BeginFrame(kWidth, kHeight);
      depth = 0;
      state.ResumeTiming();
    }
  }
  state.counters["Mlines/s"] =
      benchmark::Counter(static_cast<double>(drawn) / 1e6, benchmark::Counter::kIsRate);
  // A line walks about max(|dx|, |dy|) + 1 pixels per copy.
  state.counters["Mpx/s"] = benchmark::Counter(static_cast<double>(drawn) * (length * 0.9 + 1) * width / 1e6,
                                               benchmark::Counter::kIsRate);
}

void BM_Clear(benchmark::State& state) {
  C3DStub r;
  Prepare(r);
  for (auto _ : state) {
    r.BeginFrame(kWidth, kHeight);
    benchmark::ClobberMemory();
  }
  state.counters["Mpx/s"] = benchmark::Counter(
      static_cast<double>(state.iterations()) * kWidth * kHeight / 1e6, benchmark::Counter::kIsRate);
}

void BM_SaveState(benchmark::State& state) {
  C3DStub r;
  Prepare(r);
  for (auto _ : state) {
    r.SaveState();
    benchmark::ClobberMemory();
  }
}

void BM_RestoreState(benchmark::State& state) {
  C3DStub r;
  Prepare(r);
  r.SaveState();
  for (auto _ : state) {
    r.RestoreState();
    benchmark::ClobberMemory();
  }
}

void BM_SlotRoundTrip(benchmark::State& state) {
  C3DStub r;
  Prepare(r);
  for (auto _ : state) {
    r.SaveSlot(0);
    r.RestoreSlot(0);
    benchmark::ClobberMemory();
  }
}

void DrawModelFrame(CQvFile& model, C3DStub& r) {
  const CMatrix3 view = theDefaultViewMatrix;
  // The fit of a 3-D pane: the model's full extent from the extents its files keep.
  CVector3 lo(1e30, 1e30, 1e30), hi(-1e30, -1e30, -1e30);
  model.ExtendBoundingBoxAll(CVector3(), view, lo, hi);
  r.Reset(kWidth, kHeight, 1);
  r.FitView(kWidth, kHeight, lo.x, lo.y, lo.z, hi.x, hi.y, hi.z);
  // The renderer adds the offset itself; the matrix carries the turn and the scale.
  CMatrix3 scaled = view;
  scaled.Scale(r.GetScaleX());
  r.GetMatrixStack().Clear();
  r.GetMatrixStack().PushMultiply(CMatrix4D::FromPlacement(scaled, CVector3()));
  model.DrawTo3DStub(r, CVector3(), CMatrix3::Identity(), 7, -1, 0, 0, 1);
}

void WriteFrame(const C3DStub& r, const std::string& name) {
  if (BenchOutDir().empty()) return;
#ifdef PLANDOR_BENCH_PNG
  static const bool handlers = [] {
    wxInitAllImageHandlers();
    return true;
  }();
  (void)handlers;
  SavePictureFile(BenchOutDir() + name + ".png", r.GetImage(), "PNG");
#else
  r.GetImage().SaveBmp(BenchOutDir() + name + ".bmp");
#endif
}

void BM_Model(benchmark::State& state, const std::string& path, int fast) {
  CreateRenderCache(1);
  theSettings.BasePath = BenchLibraryDir();
  UseLibraryColors();
  theSettings.ShowWarnings = 0;
  theSettings.FastRender = fast;  // read by the loader (mesh) and the drawing (images)
  theSettings.StudMode = 3;
  theScanOrder.SetDefault();
  theFileCache.Flush(0);
  {
    auto project = std::make_unique<CMpdFile>();
    CFileTextHandler in;
    if (!in.Open(path, "r") || !project->LoadFromText(in, path) || project->GetModelCount() == 0) {
      state.SkipWithError("cannot read the model");
      return;
    }
    CQvFile& model = *project->GetModel(0);
    C3DStub r;
    r.EnablePickBuffer(1);
    theFileCache.Flush(2);
    DrawModelFrame(model, r);  // untimed: counts and the picture
    const C3DStub::DrawCounts counts = r.Counts();
    WriteFrame(r, BenchFileName(path) + (fast == 3 ? ".fast" : fast == 2 ? ".default" : ".plain"));
    for (auto _ : state) {
      theFileCache.Flush(2);
      DrawModelFrame(model, r);
      benchmark::DoNotOptimize(r.GetImage().GetBits());
    }
    // Frames that find the images of the last one (a redraw with the same view), measured here
    // in processor time like the benchmark's own figures (the machines are shared).
    constexpr int kWarmFrames = 5;
    DrawModelFrame(model, r);
    const std::clock_t start = std::clock();
    for (int i = 0; i < kWarmFrames; ++i) DrawModelFrame(model, r);
    state.counters["ms_reusing_images"] =
        1000.0 * static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC / kWarmFrames;
    // Processor time of all threads for a frame that makes its images: what the worker threads
    // cost beside the wall-clock time.
    const std::clock_t cpuStart = std::clock();
    for (int i = 0; i < kWarmFrames; ++i) {
      theFileCache.Flush(2);
      DrawModelFrame(model, r);
    }
    state.counters["cpu_ms_per_frame"] =
        1000.0 * static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC / kWarmFrames;
    state.counters["ms_per_frame"] = benchmark::Counter(static_cast<double>(state.iterations()) / 1000.0,
                                                        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["primitives"] = static_cast<double>(counts.primitives);
    state.counters["triangles"] = static_cast<double>(counts.triangles);
    state.counters["images_created"] = static_cast<double>(counts.imagesCreated);
    state.counters["images_stamped"] = static_cast<double>(counts.imagesStamped);
  }
  theFileCache.Flush(0);
  theSettings.FastRender = 2;
}

[[maybe_unused]] const bool registered = [] {
  if (!BenchLibraryDir().empty())
    for (const std::string& model : BenchModelFiles()) {
      const std::string name = "Render/" + BenchFileName(model);
      // Wall-clock time: PLANDOR_RENDER_THREADS can have worker threads draw the frame.
      benchmark::RegisterBenchmark((name + "/plain").c_str(), BM_Model, model, 0)
          ->Unit(benchmark::kMillisecond)
          ->UseRealTime();
      benchmark::RegisterBenchmark((name + "/fast").c_str(), BM_Model, model, 3)
          ->Unit(benchmark::kMillisecond)
          ->UseRealTime();
      benchmark::RegisterBenchmark((name + "/default").c_str(), BM_Model, model, 2)
          ->Unit(benchmark::kMillisecond)
          ->UseRealTime();
    }
  for (int area : {1, 10, 100, 1000, 10000})
    benchmark::RegisterBenchmark(("Render/Triangle/area:" + std::to_string(area)).c_str(), BM_Triangles)
        ->Arg(area);
  for (int area : {10, 100, 1000})
    benchmark::RegisterBenchmark(("Render/Quad/area:" + std::to_string(area)).c_str(), BM_Quads)->Arg(area);
  for (int length : {10, 100})
    for (int width : {1, 3})
      benchmark::RegisterBenchmark(
          ("Render/Line/length:" + std::to_string(length) + "/width:" + std::to_string(width)).c_str(),
          BM_Lines)
          ->Args({length, width});
  benchmark::RegisterBenchmark("Render/Frame1024x768/Clear", BM_Clear)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("Render/Frame1024x768/SaveState", BM_SaveState)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("Render/Frame1024x768/RestoreState", BM_RestoreState)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("Render/Frame1024x768/SlotSaveAndRestore", BM_SlotRoundTrip)
      ->Unit(benchmark::kMillisecond);
  return true;
}();

}  // namespace
