// PartList/*: the library scan with Parts.lst written, reading Parts.lst, and looking up every
// part name. Parts.lst is always written into the program's private temporary folder, never into
// the library.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

#include "BenchInputs.h"
#include "config/PartList.h"
#include "platform/Folders.h"
#include "platform/Profile.h"

namespace {

namespace fs = std::filesystem;

// A scratch folder below the private temporary folder, with a profile of its own so that the
// groups and favourites of a run do not touch the user's settings.
std::string Scratch(const std::string& name) {
  static const bool profileSet = [] {
    std::string dir = GetTempDirectory() + "bench-profile/";
    MakeDirectories(dir);
    SetProfile(std::make_unique<CFileProfile>(dir + "Plandor.conf"));
    return true;
  }();
  (void)profileSet;
  std::string dir = GetTempDirectory() + name + "/";
  MakeDirectories(dir);
  return dir;
}

void SetUp(CPartList& list) {
  PartListPlaces places;
  places.userFolder = Scratch("user");
  places.importFolder = Scratch("import");
  list.SetPlaces(places);
}

size_t CountFiles(const std::string& folder) {
  size_t n = 0;
  for (const auto& e : fs::directory_iterator(folder)) n += e.is_regular_file();
  return n;
}

// Scans parts and models from an empty list and writes Parts.lst.
void BM_Scan(benchmark::State& state, std::string base) {
  std::string out = Scratch("scan-out");
  size_t files =
      CountFiles(base + "parts") + (fs::is_directory(base + "models") ? CountFiles(base + "models") : 0);
  for (auto _ : state) {
    CPartList list;
    SetUp(list);
    list.LoadPartsList(out + "none/");
    int changed = 0;
    list.ScanDirectory(base, "parts", false, changed);
    list.ScanDirectory(base, "models", true, changed);
    list.SavePartsListTo(out);
    benchmark::DoNotOptimize(list.GetCount(kLibraryParts));
  }
  state.counters["files"] = static_cast<double>(files);
  state.counters["files/s"] =
      benchmark::Counter(static_cast<double>(files), benchmark::Counter::kIsIterationInvariantRate);
  if (std::string dir = BenchOutDir(); !dir.empty())
    fs::copy_file(out + "Parts.lst", dir + "/Parts.lst", fs::copy_options::overwrite_existing);
}

// A Parts.lst of the library, made once.
std::string LibraryList(const std::string& base) {
  std::string out = Scratch("list");
  if (!FileExists(out + "Parts.lst")) {
    CPartList list;
    SetUp(list);
    int changed = 0;
    list.ScanDirectory(base, "parts", false, changed);
    list.SavePartsListTo(out);
  }
  return out + "Parts.lst";
}

void BM_ReadList(benchmark::State& state, std::string base) {
  std::string path = LibraryList(base);
  CPartList list;
  SetUp(list);
  for (auto _ : state) {
    list.LoadPartsListFrom(path);
    benchmark::DoNotOptimize(list.GetCount(kLibraryParts));
  }
  state.counters["parts"] = static_cast<double>(list.GetCount(kLibraryParts));
}

void BM_FindEveryName(benchmark::State& state, std::string base) {
  CPartList list;
  SetUp(list);
  list.LoadPartsListFrom(LibraryList(base));
  std::vector<std::string> names;
  for (unsigned i = 0; i < list.GetCount(kLibraryParts); ++i) {
    std::string n = list.GetFileName(MakePartHandle(0, i));
    for (char& c : n)
      c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));  // as models write them
    names.push_back(n);
  }
  size_t found = 0;
  for (auto _ : state) {
    found = 0;
    for (const std::string& n : names) found += list.FindByName(n) != 0;
    benchmark::DoNotOptimize(found);
  }
  state.counters["found"] = static_cast<double>(found);
  state.counters["lookups/s"] =
      benchmark::Counter(static_cast<double>(names.size()), benchmark::Counter::kIsIterationInvariantRate);
}

// A library of 20,000 part files of ordinary length, made once in the temporary folder.
std::string SyntheticLibrary() {
  std::string base = Scratch("synthetic20k");
  if (!fs::is_directory(base + "parts")) {
    MakeDirectories(base + "parts");
    for (int i = 0; i < 20000; ++i) {
      std::ofstream f(base + "parts/" + std::to_string(100000 + i) + ".dat");
      f << "0 Synthetic Part " << (i * 7919) % 20000 << "\r\n0 Name: " << i << ".dat\r\n"
        << "1 16 0 0 0 1 0 0 0 1 0 0 0 1 stud.dat\r\n";
    }
  }
  return base;
}

[[maybe_unused]] const bool registered = [] {
  if (std::string lib = BenchLibraryDir(); !lib.empty()) {
    benchmark::RegisterBenchmark("PartList/ScanLibrary", BM_Scan, lib)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("PartList/ReadPartsLst", BM_ReadList, lib)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("PartList/FindEveryName", BM_FindEveryName, lib)
        ->Unit(benchmark::kMillisecond);
  }
  benchmark::RegisterBenchmark("PartList/ScanSynthetic20k", [](benchmark::State& s) {
    BM_Scan(s, SyntheticLibrary());
  })->Unit(benchmark::kMillisecond);
  return true;
}();

}  // namespace
