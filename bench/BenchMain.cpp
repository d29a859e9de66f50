// The benchmark program: each area registers its benchmarks from its own source file. The process
// starts as the program does (InitPlatform), and a first iteration meets the heap the program has
// once its start is over.
#include <benchmark/benchmark.h>

#include "platform/PlatformInit.h"

int main(int argc, char** argv) {
  InitPlatform();
  AwaitMainHeap();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
