// Load/<file>: a model read with its whole sub-file tree from the library, as opening it does:
// an empty file cache and fresh folder listings in every iteration.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <set>

#include "BenchInputs.h"
#include "config/ScanOrder.h"
#include "config/Settings.h"
#include "config/StringUtils.h"
#include "model/FileCache.h"
#include "model/QvElement.h"
#include "model/QvFile.h"
#include "model/TextHandler.h"

namespace {

// Names of the "0 FILE" sections of a multi-part file: references to them are sub-models, which
// the project reader resolves, not the library.
std::set<std::string> SectionNames(const std::string& path) {
  std::set<std::string> names;
  CFileTextHandler in;
  if (!in.Open(path, "r")) return names;
  std::string line;
  while (in.ReadLine(line)) {
    TrimString(line);
    if (line.size() > 7 && line.compare(0, 7, "0 FILE ") == 0) names.insert(ToLowerAscii(line.substr(7)));
  }
  return names;
}

struct Counts {
  size_t elements = 0, unresolved = 0, subModelRefs = 0, lineErrors = 0;
};

void CountFile(const CQvFile& file, const std::set<std::string>& sections, Counts& c) {
  c.elements += file.GetCount();
  c.lineErrors += file.GetLineErrorCount();
  for (size_t i = 0; i < file.GetCount(); ++i) {
    const CQvPart* e = file.GetAt(i);
    if (e->GetType() != ElementType::Reference) continue;
    const auto* ref = static_cast<const CQvElement*>(e);
    if (sections.count(ToLowerAscii(ref->GetFileName())))
      ++c.subModelRefs;
    else if (ref->IsFileMissing())
      ++c.unresolved;
  }
}

void BM_Load(benchmark::State& state, const std::string& path) {
  theSettings.BasePath = BenchLibraryDir();
  theSettings.ShowWarnings = 0;
  theScanOrder.SetDefault();
  const std::set<std::string> sections = SectionNames(path);
  Counts counts;
  size_t files = 0;
  for (auto _ : state) {
    state.PauseTiming();
    theFileCache.Flush(0);  // also forgets the folder listings
    state.ResumeTiming();
    CQvFile model;
    CFileTextHandler in;
    if (!in.Open(path, "r") || !model.ReadFrom(in, path, 0)) {
      state.SkipWithError("cannot read the model");
      break;
    }
    model.ResolveGroups();
    state.PauseTiming();
    counts = {};
    CountFile(model, sections, counts);
    files = theFileCache.GetCount();
    for (size_t i = 0; i < files; ++i) {
      const CQvFile* f = theFileCache.GetAt(i);
      if (sections.count(ToLowerAscii(f->GetName()))) continue;  // sub-model stand-ins
      CountFile(*f, sections, counts);
    }
    state.ResumeTiming();
  }
  theFileCache.Flush(0);
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["files_loaded"] = static_cast<double>(files);
  state.counters["elements"] = static_cast<double>(counts.elements);
  state.counters["unresolved"] = static_cast<double>(counts.unresolved);
  state.counters["sub_model_refs"] = static_cast<double>(counts.subModelRefs);
  state.counters["line_errors"] = static_cast<double>(counts.lineErrors);
  state.counters["peak_rss_kb"] = static_cast<double>(usage.ru_maxrss);
}

[[maybe_unused]] const bool registered = [] {
  if (BenchLibraryDir().empty()) return false;
  for (const std::string& model : BenchModelFiles())
    benchmark::RegisterBenchmark(("Load/" + BenchFileName(model)).c_str(), BM_Load, model)
        ->Unit(benchmark::kMillisecond);
  return true;
}();

}  // namespace
