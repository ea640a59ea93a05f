// A world's tune that has ended, started again: from the module already in
// memory (what the keep-alive does) against shutting libmikmod down and
// loading the file again, on the game's own largest module.
#include <benchmark/benchmark.h>

#include <string>

#include "audio/music.h"
#include "game_session.h"
#include "support/temp_dir.h"

namespace {

constexpr const char* kTune = "MUSIC/ORB.S3M";

void BM_TuneRestartFromMemory(benchmark::State& state) {
    ScopedChdir in(bench::data_dir());
    if (!music_init() || !music_load(kTune)) {
        state.SkipWithError("the generated music is missing");
        return;
    }
    music_start();
    for (auto _ : state) benchmark::DoNotOptimize(music_restart(kTune));
    music_shutdown();
}

void BM_TuneReloadFromFile(benchmark::State& state) {
    ScopedChdir in(bench::data_dir());
    for (auto _ : state) {
        music_shutdown();
        music_init();
        if (!music_load(kTune)) {
            state.SkipWithError("the generated music is missing");
            break;
        }
        music_start();
    }
    music_shutdown();
}

}  // namespace

BENCHMARK(BM_TuneRestartFromMemory)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TuneReloadFromFile)->Unit(benchmark::kMicrosecond);
