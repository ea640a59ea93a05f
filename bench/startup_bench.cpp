// Start-up to the first logo frame on the headless back end: the window and
// display, cursor, sound effects and interface pictures, the start-up frame
// (preferences, the music system and the title tune) and the first logo
// frame with its flip.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <limits>

#include "app/Velmora_Win.h"
#include "game_session.h"
#include "platform/platform.h"
#include "state/game_states.h"
#include "state/globals.h"
#include "support/temp_dir.h"

namespace {

using Clock = std::chrono::steady_clock;

void BM_StartupToFirstLogoFrame(benchmark::State& state) {
    ScopedChdir in(bench::data_dir());
    double best = std::numeric_limits<double>::max();
    for (auto _ : state) {
        reset_globals_to_program_start();
        platform::install_backend(platform::make_headless_backend());
        const auto t0 = Clock::now();
        auto* win = new Velmora_Win;
        const bool created = win->Create("Velmora Win32 V 3.1", 101);
        if (created) {
            win->DrawScene();  // start-up state
            win->DrawScene();  // the publisher logo, flipped
        }
        const double s = std::chrono::duration<double>(Clock::now() - t0).count();
        const bool on_logo = created && win->game_state == kStatePublisherLogo;
        if (created) win->OnDestroy();
        delete win;
        if (!on_logo) {
            state.SkipWithError("the game did not reach the first logo");
            break;
        }
        best = std::min(best, s);
        state.SetIterationTime(s);
    }
    reset_globals_to_program_start();
    state.counters["best_ms"] = 1e3 * best;
}
BENCHMARK(BM_StartupToFirstLogoFrame)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

}  // namespace
