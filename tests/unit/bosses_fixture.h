// Shared set-up for the boss tests: the enemy tests' field with the level
// scrolling, real frames (scroll, prune, behaviours) and player shots that
// can be laid on any part.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "app/Velmora_Win.h"
#include "enemies_fixture.h"

class BossTest : public EnemyTest {
protected:
    void SetUp() override {
        EnemyTest::SetUp();
        scroll = 1;
        masters({"enemyshot", "enemyshottwo", "standardexplosion", "standardexplosionbig", "powerup"}, 1, 4, 4);
        make_master("testshot", 1, 40, 40);
    }
    void TearDown() override {
        EnemyTest::TearDown();
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

    // A player shot worth `damage` lying over `target` (40 x 40 around it)
    // until it is given 0 hit points.
    static Sprite* shot_on(const Sprite* target, int damage) {
        Sprite* s = place("testshot", target->x - 15, target->y - 15, 0);
        s->hitclass = kHitPlayerShot;  // the registry leaves unknown masters as enemies
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
