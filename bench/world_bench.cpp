// Per world of the generated data: the busiest play frame and the level load.
// Worlds are found at start-up, so a world generated later is measured
// without touching this file.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <limits>
#include <map>
#include <string>
#include <vector>

#include "app/Velmora_Win.h"
#include "app/motion_blend.h"
#include "app/options.h"
#include "bench_registry.h"
#include "game_session.h"
#include "state/game_states.h"
#include "state/globals.h"
#include "util/random.h"

namespace bench {
namespace {

using Clock = std::chrono::steady_clock;

// How far a level is played looking for its busiest frame (VELMORA_BENCH_SCAN_FRAMES).
long scan_limit() {
    const char* env = std::getenv("VELMORA_BENCH_SCAN_FRAMES");
    const long n = env != nullptr ? std::atol(env) : 0;
    return n > 0 ? n : 6000;
}

constexpr long kWindow = 16;  // frames timed around the busiest one
constexpr int kLoads = 8;

// Replays of the busiest window (VELMORA_BENCH_PASSES; 1 under callgrind).
int passes() {
    const char* env = std::getenv("VELMORA_BENCH_PASSES");
    const int n = env != nullptr ? std::atoi(env) : 0;
    return n > 0 ? n : 5;
}

// The timed frames go through here, so that an instruction count can be
// limited to them: valgrind --tool=callgrind --toggle-collect='*timed_frame*'.
[[gnu::noinline]] void timed_frame(GameSession& game) { game.play_frame(); }
[[gnu::noinline]] void timed_mix(GameSession& game) { game.mix_sound(); }

struct Busiest {
    long frame = -1;  // frames played before it (0: the first play frame)
    int sprites = 0;
    long scanned = 0;
};

// Plays the level once with the fixed seed and notes the frame with the most
// sprites on screen. Cached: every pass replays the same game.
const Busiest& busiest_frame(const WorldLevel& world) {
    static std::map<int, Busiest> cache;
    auto it = cache.find(world.level);
    if (it != cache.end()) return it->second;
    Busiest b;
    GameSession game(data_dir());
    if (game.start_level(world.level)) {
        const long limit = scan_limit();
        while (game.playing() && game.frames_played() < limit) {
            const long index = game.frames_played();
            game.frame();
            const int n = GameSession::sprites_on_screen();
            if (n > b.sprites) {
                b.sprites = n;
                b.frame = index;
            }
        }
        b.scanned = game.frames_played();
    }
    return cache[world.level] = b;
}

double seconds_since(Clock::time_point t0) {
    return std::chrono::duration<double>(Clock::now() - t0).count();
}

// One iteration is one pass: a fresh game replayed (untimed) to a little
// before the busiest frame, then kWindow frames timed one by one. The
// reported time is the mean frame of the pass; the counters keep the
// fastest time seen for each frame over all passes.
void play_frame_busiest(benchmark::State& state, const WorldLevel& world) {
    const Busiest& b = busiest_frame(world);
    if (b.frame < 0) {
        state.SkipWithError("the level did not load");
        return;
    }
    const long first = std::max(0L, b.frame - kWindow / 2);
    // The fastest time seen of each frame: the game thread's part, the
    // mixing of its 46 ms of sound, and both (as headless runs do them).
    std::vector<double> best(kWindow, std::numeric_limits<double>::max()), best_mix = best, best_both = best;
    int sprites_seen = 0;
    long timed = 0;
    for (auto _ : state) {
        GameSession game(data_dir());
        game.start_level(world.level);
        while (game.playing() && game.frames_played() < first) game.frame();
        double pass = 0;
        long n = 0;
        for (; n < kWindow && game.playing(); ++n) {
            const bool busiest = game.frames_played() == b.frame;
            const auto t0 = Clock::now();
            timed_frame(game);
            const double s = seconds_since(t0);
            const auto t1 = Clock::now();
            timed_mix(game);
            const double m = seconds_since(t1);
            best[size_t(n)] = std::min(best[size_t(n)], s);
            best_mix[size_t(n)] = std::min(best_mix[size_t(n)], m);
            best_both[size_t(n)] = std::min(best_both[size_t(n)], s + m);
            pass += s;
            if (busiest) sprites_seen = GameSession::sprites_on_screen();
        }
        timed = n;
        state.SetIterationTime(n > 0 ? pass / double(n) : 0.0);
    }
    if (timed == 0) return;
    const auto mean_of = [timed](const std::vector<double>& v) {
        double sum = 0;
        for (long i = 0; i < timed; ++i) sum += v[size_t(i)];
        return sum / double(timed);
    };
    const double mean_best = mean_of(best);
    state.counters["busiest_frame"] = double(b.frame);
    state.counters["sprites"] = double(b.sprites);
    // The replay is deterministic when the busiest frame shows the same crowd again.
    state.counters["replayed_sprites"] = double(sprites_seen);
    state.counters["best_frame_us"] = 1e6 * mean_best;
    state.counters["mix_us"] = 1e6 * mean_of(best_mix);
    state.counters["with_mix_us"] = 1e6 * mean_of(best_both);
    state.counters["fps"] = 1.0 / mean_best;
}

// One picture of smooth motion in the busiest frame: the play field drawn
// half way between the step before and the busiest one, over a copy of the
// step's picture (what each picture between two steps costs before it is
// handed to the window). The game is replayed with smooth motion on, as a
// window would play it.
void blended_picture_busiest(benchmark::State& state, const WorldLevel& world) {
    const Busiest& b = busiest_frame(world);
    if (b.frame < 0) {
        state.SkipWithError("the level did not load");
        return;
    }
    LaunchOptions& launch = launch_options();
    const LaunchOptions saved = launch;
    launch.motion = MotionMode::Smooth;
    launch.refresh_hz = 60;
    {
        GameSession game(data_dir());
        game.start_level(world.level);
        while (game.playing() && game.frames_played() <= b.frame) game.frame();
        Velmora_Win& win = game.window();
        double best = std::numeric_limits<double>::max();
        for (auto _ : state) {
            const auto t0 = Clock::now();
            benchmark::DoNotOptimize(win.pictures.draw_picture(win, motion_blend::kWholeStep / 2).pixels.data());
            const double s = seconds_since(t0);
            best = std::min(best, s);
            state.SetIterationTime(s);
        }
        state.counters["best_us"] = 1e6 * best;
        state.counters["sprites"] = double(win.pictures.playfield().sprites());
        state.counters["blended"] = double(win.pictures.playfield().blended());
    }
    launch = saved;
}

// The load-level frame (definitions, bitmaps, the layout, the tune, the
// loading bar), each iteration on a game that has just started.
void level_load(benchmark::State& state, const WorldLevel& world) {
    GameSession game(data_dir());
    if (!game.ok()) {
        state.SkipWithError("the game did not start");
        return;
    }
    double best = std::numeric_limits<double>::max();
    for (auto _ : state) {
        game_srand(kSeed);
        Velmora_Win& win = game.window();
        currentlevel = world.level;
        player1 = player2 = true;
        win.game_state = kStateNewGame;
        win.DrawScene();  // new game
        const auto t0 = Clock::now();
        win.DrawScene();  // load the level
        const double s = seconds_since(t0);
        if (win.game_state != kStatePlaying) {
            state.SkipWithError("the level did not load");
            return;
        }
        best = std::min(best, s);
        state.SetIterationTime(s);
    }
    state.counters["best_ms"] = 1e3 * best;
}

}  // namespace

void register_world_benchmarks() {
    const std::vector<WorldLevel> worlds = worlds_in(data_dir());
    for (const WorldLevel& w : worlds) {
        benchmark::RegisterBenchmark(("BM_PlayFrameBusiest/" + w.name).c_str(),
                                     [w](benchmark::State& s) { play_frame_busiest(s, w); })
            ->UseManualTime()
            ->Iterations(passes())
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("BM_BlendedPictureBusiest/" + w.name).c_str(),
                                     [w](benchmark::State& s) { blended_picture_busiest(s, w); })
            ->UseManualTime()
            ->Iterations(200)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("BM_LevelLoad/" + w.name).c_str(),
                                     [w](benchmark::State& s) { level_load(s, w); })
            ->UseManualTime()
            ->Iterations(kLoads)
            ->Unit(benchmark::kMillisecond);
    }
}

}  // namespace bench
