// One play frame (rebuild, behaviours, drawing of the active list) on a
// crowded screen, on the headless display.
#include <benchmark/benchmark.h>

#include <string>

#include "app/Velmora_Win.h"
#include "behaviours/helpers.h"
#include "sprites/Sprite.h"
#include "state/globals.h"
#include "support/sprite_fixtures.h"
#include "support/test_window.h"
#include "synthetic_scene.h"

namespace {

constexpr int kScreen = 640;

// Everything wraps around the screen while still visible (only visible
// sprites run), so the crowd never thins out.
void wrap(Sprite* s, int width) {
    if (s->x < -width / 2)
        s->x += kScreen + width / 2;
    else if (s->x > kScreen - 8)
        s->x -= kScreen;
}

// An enemy: weaves, takes damage from player shots, fires through the gate.
void bench_enemy(Sprite* s) {
    animateloop(s);
    s->y += (s->param1 & 16) ? 1 : -1;
    ++s->param1;
    if (s->hitsomthing(kHitPlayerShot) != 0) s->param2++;  // counted, never killed
    if (shoot(s)) s->param3++;
    s->param4 = findangletoplayer(s->x, s->y);
    wrap(s, 32);
}

// A player shot: flies right and looks for enemies.
void bench_shot(Sprite* s) {
    s->x += 6;
    if (s->hitsomthing(kHitEnemy) != 0) s->param2++;
    wrap(s, 16);
}

// A ground unit walking the terrain pixel by pixel.
void bench_walker(Sprite* s) {
    animatebackandforth(s);
    movealongground(s, -2);
    wrap(s, 24);
}

void bench_scenery(Sprite* s) { wrap(s, 64); }

void bench_background(Sprite* s) {
    animateloop(s);
    wrap(s, 48);
}

// A boss part that keeps itself next to its body.
void bench_part(Sprite* s) {
    s->x = s->parent->x + s->param1;
    s->y = s->parent->y + s->param2;
    if (s->hitsomthing(kHitPlayerShot) != 0) s->param3++;
}

void build_crowd() {
    Sprite* enemy = make_master("enemy", 4, 32, 24);
    make_transparent_rect(enemy, 0, 0, 32, 4);  // a ragged top edge to scan past
    enemy->behavior = bench_enemy;
    enemy->hitclass = kHitEnemy;
    enemy->firedelay = 35;
    make_master("shot", 2, 16, 6)->behavior = bench_shot;
    Sprite::getnamedsprite("shot")->hitclass = kHitPlayerShot;
    Sprite* walker = make_master("walker", 3, 24, 20);
    walker->behavior = bench_walker;
    walker->hitclass = kHitEnemy;
    make_master("ground", 1, 64, 32)->behavior = bench_scenery;
    make_master("cloud", 6, 48, 48)->behavior = bench_background;
    Sprite* part = make_master("part", 1, 24, 24);
    part->behavior = bench_part;
    part->hitclass = kHitEnemy;
    make_master("body", 1, 96, 96)->behavior = bench_scenery;

    for (int i = 0; i < 40; ++i) place("enemy", 20 + (i * 97) % 600, 40 + (i * 53) % 300, 0);
    for (int i = 0; i < 40; ++i) place("shot", (i * 131) % 640, 50 + (i * 29) % 300, 0);
    for (int i = 0; i < 11; ++i) place("ground", i * 64, 384, 1);
    for (int i = 0; i < 20; ++i) place("walker", 10 + i * 31, 360, 0);
    for (int i = 0; i < 30; ++i) place("cloud", (i * 71) % 640, (i * 37) % 360, 2 + i % 2);
    Sprite* body = place("body", 400, 120, 0);
    for (int i = 0; i < 8; ++i) body->spawnchildbyname(body, "part", 0, 0, 0);
    int k = 0;
    for (Sprite* c = body->nextchild; c != nullptr; c = c->nextchild, ++k) {
        c->param1 = (k % 4) * 24;
        c->param2 = (k / 4) * 72;
    }
}

void BM_PlayFrameCrowded(benchmark::State& state) {
    Velmora_Win win;
    if (!bench::open_synthetic_scene(state, win)) return;
    player1hitpoints = player2hitpoints = 4;
    player1h = 100, player1v = 200, player2h = 100, player2v = 260;
    scroll = 1;
    build_crowd();

    size_t active = 0;
    for (auto _ : state) {
        win.make_sprite_active_list();
        win.move_sprite_active_list();
        win.draw_sprite_active_list();
        active = Sprite::list_of_active_sprites->size();
        benchmark::ClobberMemory();
    }
    state.counters["active"] = static_cast<double>(active);
    state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                               benchmark::Counter::kIsRate);
    clear_sprites();
    Sprite::set_window_ptr(nullptr);
    reset_globals_to_program_start();
}
BENCHMARK(BM_PlayFrameCrowded)->Unit(benchmark::kMicrosecond);

}  // namespace
