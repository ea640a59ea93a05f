// Shared set-up for the boss tests: in-memory masters bound by the registry,
// real frames (scroll, prune, behaviours), player one at a known point and
// player shots that can be laid on any part.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "app/Velmora_Win.h"
#include "app/globals.h"
#include "behaviours/behaviours.h"
#include "behaviours/registry.h"
#include "support/sprite_fixtures.h"
#include "util/random.h"

class BossTest : public ::testing::Test {
protected:
    void SetUp() override {
        clear_sprites();
        reset_globals_to_program_start();
        // Every weapon level at 1: basehitpoints 4, totalpoweruplevel 2.
        p1poweruplevel = p2poweruplevel = 1;
        p1p1poweruplevel = p1p2poweruplevel = p2p1poweruplevel = p2p2poweruplevel = 1;
        player1 = true;
        player1hitpoints = 100;
        player1h = 100;
        player1v = 200;
        player2h = player2v = -10000;
        scroll = 1;
        game_srand(7);
        masters({"enemyshot", "enemyshottwo", "standardexplosion", "standardexplosionbig", "powerup"}, 1, 4, 4);
        make_master("testshot", 1, 40, 40);
    }
    void TearDown() override {
        clear_sprites();
        scroll = 0;
    }

    static void masters(std::initializer_list<const char*> names, int frames = 8, int w = 10, int h = 10) {
        for (const char* n : names) make_master(n, frames, w, h);
    }

    // Whole play frames: scroll and prune, then every behaviour.
    void frames(int n = 1) {
        for (int i = 0; i < n; ++i) {
            win.make_sprite_active_list();
            win.move_sprite_active_list();
        }
    }
    // One call of s's behaviour alone, with the level as the active list.
    static void run(Sprite* s, int n = 1) {
        for (int i = 0; i < n; ++i) {
            activate_all();
            s->behavior(s);
        }
    }

    // A player shot worth `damage` lying over `target` (40 x 40 around it)
    // until it is given 0 hit points.
    static Sprite* shot_on(const Sprite* target, int damage) {
        Sprite* s = place("testshot", target->x - 15, target->y - 15, 0);
        s->hitclass = 3;  // the registry leaves unknown masters as enemies
        s->damage = damage;
        return s;
    }
    void hit_once(const Sprite* target, int damage) {
        Sprite* s = shot_on(target, damage);
        frames();
        s->hitpoints = 0;
    }

    // Living copies of the named master, in the level and in every chain:
    // how many, and the first of them.
    static int living(const std::string& name, Sprite** first = nullptr) {
        const Sprite* m = Sprite::getnamedsprite(name.c_str());
        int n = 0;
        if (Sprite::the_level == nullptr) return 0;
        for (Sprite* top : *Sprite::the_level)
            for (Sprite* s = top; s != nullptr && m != nullptr; s = s->nextchild)
                if (s->hitpoints >= 1 && !s->frames.empty() && s->frames[0] == m->frames[0]) {
                    if (n++ == 0 && first != nullptr) *first = s;
                }
        return n;
    }
    static Sprite* first(const std::string& name) {
        Sprite* s = nullptr;
        living(name, &s);
        return s;
    }

    Velmora_Win win;
};
