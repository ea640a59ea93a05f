// A small play field for the player-side behaviour tests: in-memory masters of
// every sprite those behaviours spawn, bound by the registry.
#pragma once

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "app/Velmora_Win.h"
#include "behaviours/behaviours.h"
#include "behaviours/player_state.h"
#include "behaviours/registry.h"
#include "state/globals.h"
#include "support/sprite_fixtures.h"
#include "util/random.h"

class PlayField : public ::testing::Test {
protected:
    void SetUp() override {
        clear_sprites();
        reset_globals_to_program_start();
        reset_player_state();
        game_srand(7);
        Velmora_Win::curx = 320;
        Velmora_Win::cury = 240;
        const struct { const char* name; int frames, w, h; } masters[] = {
            {"playerone", 5, 40, 20}, {"playertwo", 5, 40, 20}, {"drone", 4, 20, 14},
            {"blueshot", 5, 20, 4}, {"missile", 1, 8, 4}, {"heatseekingmissile", 16, 10, 10},
            {"photon", 2, 10, 10}, {"photonexplosion", 8, 30, 30}, {"starshot", 2, 8, 8},
            {"shield", 3, 60, 50}, {"smoke", 3, 6, 6}, {"standardexplosion", 15, 10, 10},
            {"standardexplosionbig", 8, 30, 30}, {"powerup", 4, 16, 16}, {"bluepowerup", 6, 16, 16},
            {"missilepowerup", 6, 16, 16}, {"heatseekerpowerup", 6, 16, 16},
            {"photonpowerup", 6, 16, 16}, {"starpowerup", 6, 16, 16}, {"gameover", 2, 100, 40},
            {"entranceportal", 2, 40, 80}, {"exitportal", 2, 40, 80}, {"rockexplosion", 3, 30, 30},
            {"enemyshot", 1, 6, 6},
            {"target", 1, 30, 30},  // not in the registry: an inert enemy (class 6)
        };
        for (const auto& m : masters) make_master(m.name, m.frames, m.w, m.h);
        set_behaviors();
        ensure_level();
    }

    void TearDown() override { clear_sprites(); }

    static Sprite* master(const char* name) { return Sprite::getnamedsprite(name); }

    // Every sprite of the level and its child chains made from `name`'s master,
    // in list order.
    static std::vector<Sprite*> copies(const char* name) {
        std::vector<Sprite*> found;
        const Sprite* m = master(name);
        for (Sprite* top : *Sprite::the_level)
            for (Sprite* s = top; s != nullptr; s = s->nextchild)
                if (!s->frames.empty() && s->frames.front() == m->frames.front()) found.push_back(s);
        return found;
    }

    static int count(const char* name) { return static_cast<int>(copies(name).size()); }
    static std::pair<int, int> at(const Sprite* s) { return {s->x, s->y}; }

    // One frame of one behaviour, with the active list as the frame loop builds it.
    static void step(Sprite* s) {
        activate_all();
        s->behavior(s);
    }
};
