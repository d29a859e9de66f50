// The benchmark program: each area registers its benchmarks from its own source file.
#include <benchmark/benchmark.h>

BENCHMARK_MAIN();
