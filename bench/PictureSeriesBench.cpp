// Pictures/<file>/Series: Save Image(s) of every building step of every model as 1024 x 768 PNG
// files into a scratch folder, through the document's render road and the app's picture writer
// (steps/s counts the pictures written). Built only with the GUI toolkit's image encoders.
#ifdef PLANDOR_BENCH_PNG
#include <benchmark/benchmark.h>
#include <wx/image.h>

#include <unistd.h>

#include <filesystem>
#include <memory>

#include "BenchInputs.h"
#include "app/PictureFile.h"
#include "document/PictureSeries.h"
#include "document/QuorvelDoc.h"
#include "model/FileCache.h"
#include "platform/Folders.h"

namespace {

namespace fs = std::filesystem;

class CCountingWriter : public IPictureWriter {
 public:
  bool Write(const std::string& path, const CDib& picture, const std::string& formatWord) override {
    ++written;
    return SavePictureFile(path, picture, formatWord) == 1;
  }
  long written = 0;
};

void BM_PictureSeries(benchmark::State& state, std::string path) {
  static const bool handlers = [] {
    wxInitAllImageHandlers();
    return true;
  }();
  (void)handlers;
  auto doc = LoadBenchDocument(path);
  if (!doc) return state.SkipWithError("cannot read the model");
  const fs::path folder = fs::path(GetTempDirectory()) / ("plandor_pictures_" + std::to_string(getpid()));
  fs::create_directories(folder);
  PictureSeriesOptions options;
  options.kind = 0;
  options.resolution = 4;  // 1024 x 768
  options.fileType = 3;    // PNG
  CCountingWriter writer;
  SeriesResult result = SeriesResult::Written;
  for (auto _ : state) {
    writer.written = 0;
    result = SavePictureSeries(*doc, options, (folder / "step.png").string(), writer);
  }
  if (result != SeriesResult::Written) state.SkipWithError("the series was not written");
  state.counters["steps"] = static_cast<double>(writer.written);
  state.counters["steps/s"] =
      benchmark::Counter(static_cast<double>(writer.written) * static_cast<double>(state.iterations()),
                         benchmark::Counter::kIsRate);
  std::error_code error;
  fs::remove_all(folder, error);
  doc.reset();
  theFileCache.Flush(0);
}

[[maybe_unused]] const bool registered = [] {
  for (const std::string& model : BenchModelFiles())
    benchmark::RegisterBenchmark(("Pictures/" + BenchFileName(model) + "/Series").c_str(), BM_PictureSeries, model)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1);
  return true;
}();

}  // namespace
#endif
