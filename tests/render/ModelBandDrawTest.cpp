// The shared real models drawn by one thread and by several, parts drawn directly and from part
// images, and with parts behind what is drawn left out or walked: the frames must agree in every
// pixel, depth and pick id. And the same models drawn with every part exactly against parts
// smaller than a pixel drawn as a dot: a few pixels may differ.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "config/ColorTable.h"
#include "config/Settings.h"
#include "model/FileCache.h"
#include "model/MpdFile.h"
#include "model/QvFile.h"
#include "model/TextHandler.h"
#include "render/C3DStub.h"
#include "render/MemHeap.h"
#include "support/Sanitized.h"
#include "support/SettingsSnapshot.h"
#include "support/TestData.h"
#include "tests/model/LibraryScope.h"

namespace fs = std::filesystem;

namespace {

constexpr uint32_t kWidth = 640, kHeight = 480;

// The shared models drawn in the program's built-in colours (a test process starts with an empty
// table) and with the studs as they are; both are put back at the end.
struct SharedModelDrawing {
  SharedModelDrawing() {
    EXPECT_EQ(CreateRenderCache(1), 1);
    InitColorTableUnused(theDefaultColors);
    BuildColorTable(BuiltinColors.data(), theDefaultColors, kColorCount);
    theSettings.StudMode = 3;
  }
  ~SharedModelDrawing() { std::copy(colors.begin(), colors.end(), theDefaultColors); }
  std::vector<ColorEntry> colors{theDefaultColors, theDefaultColors + kColorCount};
  SettingsSnapshot settings;
};

// The model of the file as a project reads it; null (with a failure) when it cannot be read.
std::unique_ptr<CMpdFile> ReadProject(const std::string& path) {
  auto project = std::make_unique<CMpdFile>();
  CFileTextHandler in;
  EXPECT_TRUE(in.Open(path, "r")) << path;
  EXPECT_TRUE(project->LoadFromText(in, path)) << path;
  EXPECT_GT(project->GetModelCount(), 0u) << path;
  return project->GetModelCount() > 0 ? std::move(project) : nullptr;
}

struct Frame {
  std::vector<uint8_t> bits;
  std::vector<int32_t> depth;
  std::vector<PickId> pick;
};

// The model fitted to the frame in the default view, as the program's first drawing does.
Frame DrawModel(CQvFile& model, int threads, bool tinyPartDots = true, bool skipHidden = true) {
  C3DStub r;
  r.SetThreads(threads);
  r.SetDotsForTinyParts(tinyPartDots);
  r.SetSkipHiddenParts(skipHidden);
  r.EnablePickBuffer(1);
  theFileCache.Flush(2);
  const CMatrix3 view = theDefaultViewMatrix;
  CVector3 lo(1e30, 1e30, 1e30), hi(-1e30, -1e30, -1e30);
  model.ExtendBoundingBox(CVector3(), view, lo, hi, 0);
  EXPECT_EQ(r.Reset(kWidth, kHeight, 1), 1);
  r.FitView(kWidth, kHeight, lo.x, lo.y, lo.z, hi.x, hi.y, hi.z);
  CMatrix3 scaled = view;
  scaled.Scale(r.GetScaleX());
  r.GetMatrixStack().Clear();
  r.GetMatrixStack().PushMultiply(CMatrix4D::FromPlacement(scaled, CVector3()));
  model.DrawTo3DStub(r, CVector3(), CMatrix3::Identity(), 7, -1, 0, 0, 1);
  Frame f;
  const CDib& image = r.GetImage();
  for (uint32_t y = 0; y < kHeight; ++y) {
    const uint8_t* row = image.GetRow(static_cast<int32_t>(y));
    f.bits.insert(f.bits.end(), row, row + 3 * kWidth);
    for (uint32_t x = 0; x < kWidth; ++x) {
      f.depth.push_back(r.GetDepth(static_cast<int>(x), static_cast<int>(y)));
      f.pick.push_back(r.GetPickId(static_cast<int>(x), static_cast<int>(y)));
    }
  }
  return f;
}

size_t CountDifferent(const auto& a, const auto& b) {
  size_t n = a.size() == b.size() ? 0 : std::max(a.size(), b.size());
  for (size_t i = 0; i < std::min(a.size(), b.size()); ++i) n += a[i] != b[i];
  return n;
}

// Every shared model in every FastRender mode, dealt out to shards that run in parallel (a frame
// of a big model takes minutes in the sanitizer build); a model's modes go to different shards.
constexpr int kDrawShards = 8;

class SharedModelBandDraw : public ::testing::TestWithParam<int> {};

TEST_P(SharedModelBandDraw, DrawsTheSameOnOneThreadAndOnSeveral) {
  REQUIRE_LDRAW_MODELS(models);
  REQUIRE_LDRAW_LIBRARY(base);
  SharedModelDrawing drawing;
  std::vector<std::string> paths;
  for (const auto& entry : fs::directory_iterator(models)) {
    const std::string ext = entry.path().extension().string();
    if (ext == ".ldr" || ext == ".mpd") paths.push_back(entry.path().string());
  }
  std::sort(paths.begin(), paths.end());
  constexpr int kModes[] = {0, 1, 2, 3};
  constexpr size_t kModeCount = std::size(kModes);
  int drawings = 0;
  for (size_t job = static_cast<size_t>(GetParam()); job < paths.size() * kModeCount; job += kDrawShards) {
    const std::string& path = paths[job / kModeCount];
    const int fastRender = kModes[job % kModeCount];
    // The loader folds primitives into meshes and the drawing uses part images by this setting.
    CLibraryScope library(base, 0, fastRender);
    auto project = ReadProject(path);
    ASSERT_TRUE(project) << path;
    CQvFile& model = *project->GetModel(0);
    const Frame one = DrawModel(model, 1);
    {
      // Parts behind what is drawn are left out; walked, they change nothing.
      const Frame walked = DrawModel(model, 1, true, false);
      const std::string what = path + " with FastRender " + std::to_string(fastRender) + ", every part walked";
      EXPECT_EQ(CountDifferent(one.bits, walked.bits), 0u) << what << ": colour bytes differ";
      EXPECT_EQ(CountDifferent(one.depth, walked.depth), 0u) << what << ": depths differ";
      EXPECT_EQ(CountDifferent(one.pick, walked.pick), 0u) << what << ": pick ids differ";
    }
#ifdef PLANDOR_SANITIZED
    // A frame takes many times longer there: one count that still splits the frame unevenly.
    for (const int threads : {3}) {
#else
    for (const int threads : {2, 3, 4, 8}) {
#endif
      const Frame many = DrawModel(model, threads);
      const std::string what = path + " with FastRender " + std::to_string(fastRender) + " on " +
                               std::to_string(threads) + " threads";
      EXPECT_EQ(CountDifferent(one.bits, many.bits), 0u) << what << ": colour bytes differ";
      EXPECT_EQ(CountDifferent(one.depth, many.depth), 0u) << what << ": depths differ";
      EXPECT_EQ(CountDifferent(one.pick, many.pick), 0u) << what << ": pick ids differ";
    }
    size_t drawn = 0;
    for (const int32_t d : one.depth) drawn += d != C3DStub::kEmptyDepth;
    EXPECT_GT(drawn, 0u) << path;
    project.reset();
    ++drawings;
  }
  ASSERT_FALSE(paths.empty());
  if (static_cast<size_t>(GetParam()) < paths.size() * kModeCount) EXPECT_GT(drawings, 0);
}

INSTANTIATE_TEST_SUITE_P(Shards, SharedModelBandDraw, ::testing::Range(0, kDrawShards));

// Pixels whose colour differs between two frames.
size_t DifferentPixels(const Frame& a, const Frame& b) {
  size_t n = 0;
  for (size_t i = 0; i + 2 < std::min(a.bits.size(), b.bits.size()); i += 3)
    n += a.bits[i] != b.bits[i] || a.bits[i + 1] != b.bits[i + 1] || a.bits[i + 2] != b.bits[i + 2];
  return n;
}

TEST(ModelBandDraw, PartsSmallerThanAPixelChangeAFewPixelsOfTheSharedModels) {
  REQUIRE_LDRAW_MODELS(models);
  REQUIRE_LDRAW_LIBRARY(base);
  SharedModelDrawing drawing;
  std::vector<std::string> paths;
  for (const auto& entry : fs::directory_iterator(models)) {
    const std::string ext = entry.path().extension().string();
    if (ext == ".ldr" || ext == ".mpd") paths.push_back(entry.path().string());
  }
  std::sort(paths.begin(), paths.end());
  for (const std::string& path : paths) {
    CLibraryScope library(base, 0, 2);
    auto project = ReadProject(path);
    ASSERT_TRUE(project) << path;
    CQvFile& model = *project->GetModel(0);
    const Frame exact = DrawModel(model, 1, false);
    const Frame dots = DrawModel(model, 1, true);
    size_t drawn = 0;
    for (const int32_t d : exact.depth) drawn += d != C3DStub::kEmptyDepth;
    const size_t differ = DifferentPixels(exact, dots);
    std::printf("%s: %zu of %zu drawn pixels differ with dots for parts below a pixel\n",
                fs::path(path).filename().string().c_str(), differ, drawn);
    // A dot stands for what the part's primitives would have left in its one pixel.
    EXPECT_LE(differ, 10u) << path;
    project.reset();
  }
}

}  // namespace
