// The one entry point of every benchmark in this directory, and of the
// real-time pacing run (`velmora_bench --pacing --help`), the network play
// measurement (`velmora_bench --netplay`), the pictures of smooth motion
// (`velmora_bench --blend-pictures`) and the moves it blends (`--motion-scan`).
#include <benchmark/benchmark.h>

#include <cstring>

#include "bench_registry.h"

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--pacing") == 0) return bench::run_pacing(argc - 1, argv + 1);
    if (argc > 1 && std::strcmp(argv[1], "--netplay") == 0) return bench::run_netplay(argc - 1, argv + 1);
    if (argc > 1 && std::strcmp(argv[1], "--blend-pictures") == 0)
        return bench::run_blend_pictures(argc - 1, argv + 1);
    if (argc > 1 && std::strcmp(argv[1], "--motion-scan") == 0) return bench::run_motion_scan(argc - 1, argv + 1);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    bench::register_world_benchmarks();
    bench::register_keyed_copy_benchmarks();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
