// The start of a benchmark that builds its own sprites instead of loading a
// world: nothing left from an earlier benchmark, the game's globals as at
// start-up, `win` on the headless display and an empty level to place into.
#pragma once

#include <benchmark/benchmark.h>

#include "app/Velmora_Win.h"
#include "sprites/Sprite.h"
#include "state/globals.h"
#include "support/sprite_fixtures.h"
#include "support/test_window.h"

namespace bench {

// False (and the benchmark skipped) when there is no headless display.
inline bool open_synthetic_scene(benchmark::State& state, Velmora_Win& win) {
    clear_sprites();
    reset_globals_to_program_start();
    if (!setup_headless_display(win)) {
        state.SkipWithError("no headless display");
        return false;
    }
    Sprite::set_window_ptr(&win);
    ensure_level();
    return true;
}

}  // namespace bench
