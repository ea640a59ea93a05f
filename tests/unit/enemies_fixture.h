// Shared set-up for the enemy behaviour tests: in-memory masters bound by the
// registry, player one at a known point, player two absent.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "behaviours/behaviours.h"
#include "behaviours/registry.h"
#include "state/globals.h"
#include "support/sprite_fixtures.h"
#include "util/random.h"

class EnemyTest : public ::testing::Test {
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
        game_srand(7);
    }
    void TearDown() override { clear_sprites(); }

    static Sprite* master(const std::string& name, int frames = 1, int w = 10, int h = 10) {
        return make_master(name, frames, w, h);
    }

    // Runs s's behaviour for `frames` frames, rebuilding the active list first.
    static void run(Sprite* s, int frames = 1) {
        for (int i = 0; i < frames; ++i) {
            activate_all();
            s->behavior(s);
        }
    }

    // Top-level copies of the named master, in level order.
    static std::vector<Sprite*> copies_of(const std::string& name) {
        std::vector<Sprite*> out;
        const Sprite* m = Sprite::getnamedsprite(name.c_str());
        if (m == nullptr || Sprite::the_level == nullptr) return out;
        for (Sprite* s : *Sprite::the_level)
            if (!s->frames.empty() && s->frames[0] == m->frames[0]) out.push_back(s);
        return out;
    }

    // Opens the fire-rate gate for the next call of shoot.
    static void ready_to_fire(Sprite* s) { s->firecount = 100000; }
};
