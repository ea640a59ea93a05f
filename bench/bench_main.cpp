// The one entry point of every benchmark in this directory.
#include <benchmark/benchmark.h>

BENCHMARK_MAIN();
