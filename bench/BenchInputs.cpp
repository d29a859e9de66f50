#include "BenchInputs.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "config/ColorEntry.h"
#include "config/ColorTable.h"
#include "config/PathResolver.h"
#include "config/ScanOrder.h"
#include "config/Settings.h"
#include "document/QuorvelDoc.h"
#include "model/TextHandler.h"

namespace fs = std::filesystem;

std::string BenchLibraryDir() {
  const char* env = std::getenv("LDRAWDIR");
  std::string dir = env && *env ? env : std::string(PLANDOR_SHARED_DIR) + "/ldraw";
  if (!fs::is_directory(dir)) return {};
  if (dir.back() != '/') dir += '/';
  return dir;
}

std::vector<std::string> BenchModelFiles() {
  std::vector<std::string> files;
  if (const char* env = std::getenv("PLANDOR_BENCH_MODELS"); env && *env) {
    std::string list = env;
    size_t start = 0;
    while (start <= list.size()) {
      size_t colon = list.find(':', start);
      std::string f = list.substr(start, colon == std::string::npos ? std::string::npos : colon - start);
      if (!f.empty()) files.push_back(f);
      if (colon == std::string::npos) break;
      start = colon + 1;
    }
  }
  std::string shared = std::string(PLANDOR_SHARED_DIR) + "/ldraw-models";
  std::vector<std::string> sharedFiles;
  if (fs::is_directory(shared))
    for (const auto& e : fs::directory_iterator(shared)) {
      std::string ext = e.path().extension().string();
      if (e.is_regular_file() && (ext == ".ldr" || ext == ".mpd" || ext == ".dat"))
        sharedFiles.push_back(e.path().string());
    }
  std::sort(sharedFiles.begin(), sharedFiles.end());
  files.insert(files.end(), sharedFiles.begin(), sharedFiles.end());
  return files;
}

std::string BenchOutDir() {
  const char* env = std::getenv("PLANDOR_BENCH_OUT");
  if (!env || !*env) return {};
  fs::create_directories(env);
  std::string dir = env;
  if (dir.back() != '/') dir += '/';
  return dir;
}

std::string BenchFileName(const std::string& path) { return fs::path(path).filename().string(); }

void UseLibraryColors() {
  InitColorTableUnused(theLDConfigColors);
  const std::string path = thePathResolver.Resolve(BenchLibraryDir(), "LDConfig.ldr");
  if (path.empty() || !LoadLDConfigFile(path)) BuildColorTable(BuiltinColors.data(), theLDConfigColors, kColorCount);
  std::copy(theLDConfigColors, theLDConfigColors + kColorCount, theDefaultColors);
}

std::unique_ptr<CQuorvelDoc> LoadBenchDocument(const std::string& path) {
  UseLibraryColors();
  theSettings.BasePath = BenchLibraryDir();
  theSettings.ShowWarnings = 0;
  theScanOrder.SetDefault();
  auto doc = std::make_unique<CQuorvelDoc>();
  doc->OnNewDocument();
  CMpdFile& project = doc->GetProject();
  project.RemoveAll(1);
  project.AddModel(nullptr, nullptr);
  CFileTextHandler in;
  if (!in.Open(path, "r") || !project.LoadFromText(in, path)) return nullptr;
  doc->RefreshActiveModel();
  doc->TrimUndoRing(1);
  return doc;
}

std::string WriteSyntheticStepsModel(const std::string& folder) {
  const std::string path = folder + "/steps.ldr";
  std::FILE* f = std::fopen(path.c_str(), "w");
  if (!f) return {};
  std::fprintf(f, "0 Synthetic steps\n");
  for (int step = 0; step < 98; ++step) {
    for (int i = 0; i < 51; ++i)
      std::fprintf(f, "1 %d %d %d %d 1 0 0 0 1 0 0 0 1 %s\n", 1 + (step + i) % 14, (i % 17) * 40, -24 * step,
                   (i / 17) * 80, i % 2 ? "3001.dat" : "3003.dat");
    std::fprintf(f, "0 STEP\n");
  }
  return std::fclose(f) == 0 ? path : std::string();
}
