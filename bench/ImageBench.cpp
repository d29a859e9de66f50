// Image/Save/<format> and Image/Load/<format>: a 1600 x 1200 picture written and read through the
// image library, bound as the program binds it (libtolvo.so beside the benchmark program).
// Throughput counts the picture's 24-bit pixel bytes.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <string>

#include "BenchInputs.h"
#include "config/DllContainer.h"
#include "platform/Folders.h"

namespace {

constexpr uint16_t kWidth = 1600, kHeight = 1200;

// A photo-like picture: smooth gradients with fine noise (deterministic).
void FillPicture(imImage* image) {
  uint32_t seed = 2024;
  for (uint32_t y = 0; y < image->height; ++y) {
    uint8_t* row = image->pixels + static_cast<size_t>(y) * image->stride;
    for (uint32_t x = 0; x < image->width; ++x) {
      seed = seed * 1664525u + 1013904223u;
      int noise = static_cast<int>(seed >> 29) - 4;
      row[x * 3 + 0] = static_cast<uint8_t>((((x ^ y) >> 3) & 0x7F) + 64 + noise);
      row[x * 3 + 1] = static_cast<uint8_t>(y * 200 / image->height + 20 + noise);
      row[x * 3 + 2] = static_cast<uint8_t>(x * 230 / image->width + 10 + noise);
    }
  }
}

std::string PicturePath(const char* format) {
  std::string dir = BenchOutDir();
  if (dir.empty()) dir = GetTempDirectory();
  return dir + "bench-picture." + format;
}

imImage* NewPicture(CDllContainer& dll) {
  imImage* image = dll.ImAlloc(kWidth, kHeight, 0, 1);
  if (image) FillPicture(image);
  return image;
}

void BM_Save(benchmark::State& state, std::string format) {
  CDllContainer dll;
  std::string path = PicturePath(format.c_str());
  for (auto _ : state) {
    state.PauseTiming();
    imImage* image = NewPicture(dll);
    state.ResumeTiming();
    if (!image || dll.FiSaveFile(path, image, format) != 1) {
      state.SkipWithError("the picture could not be written");
      break;
    }
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * kWidth * kHeight * 3);
}

void BM_Load(benchmark::State& state, std::string format) {
  CDllContainer dll;
  std::string path = PicturePath(format.c_str());
  imImage* source = NewPicture(dll);
  if (!source || dll.FiSaveFile(path, source, format) != 1) {
    state.SkipWithError("the picture could not be written");
    return;
  }
  for (auto _ : state) {
    imImage* image = dll.FiLoadFile(path);
    if (!image) {
      state.SkipWithError("the picture could not be read");
      break;
    }
    benchmark::DoNotOptimize(image->pixels);
    dll.ImFree(image);
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * kWidth * kHeight * 3);
}

[[maybe_unused]] const bool registered = [] {
  for (const char* format : {"BMP", "GIF", "JPG"}) {
    benchmark::RegisterBenchmark((std::string("Image/Save/") + format).c_str(), BM_Save, std::string(format))
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark((std::string("Image/Load/") + format).c_str(), BM_Load, std::string(format))
        ->Unit(benchmark::kMillisecond);
  }
  return true;
}();

}  // namespace
