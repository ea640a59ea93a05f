// The one entry point of every benchmark in this directory, and of the
// real-time pacing run (`velmora_bench --pacing --help`).
#include <benchmark/benchmark.h>

#include <cstring>

#include "bench_registry.h"

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--pacing") == 0) return bench::run_pacing(argc - 1, argv + 1);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    bench::register_world_benchmarks();
    bench::register_keyed_copy_benchmarks();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
