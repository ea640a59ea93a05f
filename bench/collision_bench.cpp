// A play frame with a thousand or two sprites on screen, all of them asking
// for contact every frame: enemies looking for player shots and for the
// scenery, shots looking for enemies. `Overlapping` packs the enemies into one
// corner of the screen, so every box meets every other; `Spread` spreads them
// over the whole play area, as a real crowd would be.
#include <benchmark/benchmark.h>

#include "app/Velmora_Win.h"
#include "sprites/Sprite.h"
#include "state/globals.h"
#include "support/sprite_fixtures.h"
#include "support/test_window.h"
#include "synthetic_scene.h"

namespace {

enum Layout { kOverlapping = 0, kSpread = 1 };

constexpr int kShots = 40;

// An enemy sways in place, so the crowd keeps its shape.
void crowd_enemy(Sprite* s) {
    s->y += (s->param1 & 8) ? 1 : -1;
    ++s->param1;
    if (s->hitsomthing(kHitPlayerShot) != 0) ++s->param2;  // counted, never killed
    if (s->hitlayer(1) != 0) ++s->param3;
}

// A player shot crosses the screen and comes round again.
void crowd_shot(Sprite* s) {
    s->x += 6;
    if (s->x > 640) s->x -= 660;
    if (s->hitsomthing(kHitEnemy) != 0) ++s->param2;
}

void build(int enemies, Layout layout) {
    Sprite* enemy = make_master("crowdenemy", 1, 32, 24);
    make_transparent_rect(enemy, 0, 0, 32, 4);  // a ragged top edge to scan past
    enemy->behavior = crowd_enemy;
    enemy->hitclass = kHitEnemy;
    Sprite* shot = make_master("crowdshot", 1, 16, 6);
    shot->behavior = crowd_shot;
    shot->hitclass = kHitPlayerShot;
    make_master("crowdground", 1, 64, 32)->hitclass = kHitHarmless;

    for (int i = 0; i < 11; ++i) place("crowdground", i * 64, 384, 1);
    for (int i = 0; i < enemies; ++i) {
        if (layout == kOverlapping)
            place("crowdenemy", 20 + i % 17, 40 + (i / 17) % 23, 0);
        else
            place("crowdenemy", (i * 97) % 608, 10 + (i * 53) % 350, 0);
    }
    for (int i = 0; i < kShots; ++i) place("crowdshot", (i * 131) % 640, 30 + (i * 29) % 120, 0);
}

void BM_CollisionCrowd(benchmark::State& state) {
    Velmora_Win win;
    if (!bench::open_synthetic_scene(state, win)) return;
    scroll = 0;
    build(static_cast<int>(state.range(0)), static_cast<Layout>(state.range(1)));

    size_t active = 0;
    for (auto _ : state) {
        win.make_sprite_active_list();
        win.move_sprite_active_list();
        win.draw_sprite_active_list();
        active = Sprite::list_of_active_sprites->size();
        benchmark::ClobberMemory();
    }
    state.SetLabel(state.range(1) == kOverlapping ? "overlapping" : "spread");
    state.counters["active"] = static_cast<double>(active);
    clear_sprites();
    Sprite::set_window_ptr(nullptr);
    reset_globals_to_program_start();
}
BENCHMARK(BM_CollisionCrowd)
    ->ArgsProduct({{1000, 2000}, {kOverlapping, kSpread}})
    ->ArgNames({"enemies", "layout"})
    ->Unit(benchmark::kMillisecond);

}  // namespace
