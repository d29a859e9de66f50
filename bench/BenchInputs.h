#pragma once
// The benchmark program's inputs, from the environment:
//   LDRAWDIR              library base folder (default ../shared/ldraw beside the project)
//   PLANDOR_BENCH_MODELS  model files separated by ':' (the shared models are always added)
//   PLANDOR_BENCH_OUT     when set, a folder into which each benchmark writes what it produced once
#include <memory>
#include <string>
#include <vector>

class CQuorvelDoc;

std::string BenchLibraryDir();
std::vector<std::string> BenchModelFiles();
std::string BenchOutDir();  // empty when not set
// The file name part of a path ("889-1-RadarTruck.mpd"), used in benchmark names.
std::string BenchFileName(const std::string& path);

// The colour tables as the program has them with the benchmark library: the library's colours
// (LDConfig.ldr, or the built-in colours without one) in force. Drawing benchmarks call it before they draw, since other
// benchmarks may have put another table in place.
void UseLibraryColors();

// A document holding the file's project as a freshly loaded one, read with the benchmark library
// and without warnings; null when it cannot be read.
std::unique_ptr<CQuorvelDoc> LoadBenchDocument(const std::string& path);

// Writes the synthetic model of 98 steps of 51 bricks each (4,998 parts, stacked in layers) into
// the folder as steps.ldr and returns its path; empty when it cannot be written.
std::string WriteSyntheticStepsModel(const std::string& folder);
