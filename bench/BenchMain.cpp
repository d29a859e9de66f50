// The benchmark program: each area registers its benchmarks from its own source file. The process
// starts as the program does (InitPlatform), so that a first iteration meets the same heap.
#include <benchmark/benchmark.h>

#include "platform/PlatformInit.h"

int main(int argc, char** argv) {
  InitPlatform();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
