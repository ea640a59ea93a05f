// Contact tests during the behaviour pass go through the grid of nearby
// chains; every one of them is compared here with the full walk over a
// restless crowd: sprites jumping across the screen, changing frame, class
// and layer, bosses moving and growing their parts, children dying.
#include <gtest/gtest.h>

#include <random>

#include "app/Velmora_Win.h"
#include "sprites/Sprite.h"
#include "sprites/contact_index.h"
#include "state/globals.h"
#include "support/sprite_fixtures.h"
#include "support/test_window.h"

namespace {

std::mt19937 rng;  // the crowd's moves; reseeded by each test

int roll(int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); }

// What the crowd's sprites remember of their tests, so a wrong answer would
// also change what they do next.
long answers = 0;

void ask_everything(Sprite* s) {
    answers += s->hitsomthing(kHitPlayerShot) + 2 * s->hitsomthing(kHitEnemy) + 3 * s->hitsomthingwhere(kHitEnemyShot) +
               5 * s->hitsomthing2(kHitPlayerShip) + 7 * s->hitlayer(1) + 11 * s->hitlayer(0) + 13 * s->hitlayer(2);
    answers += hitx + hity + (Sprite::g_sprite != nullptr ? static_cast<long>(Sprite::g_sprite->serial) : 0);
}

// A loose sprite: small steps, now and then a jump anywhere, a new frame, a
// new class or layer.
void wander(Sprite* s) {
    s->x += roll(9) - 4;
    s->y += roll(9) - 4;
    if (roll(20) == 0) {
        s->x = roll(760) - 60;
        s->y = roll(520) - 60;
    }
    if (roll(10) == 0) s->curframe = roll(s->frame_count() + 1);  // sometimes no frame at all
    if (roll(40) == 0) s->hitclass = 1 + roll(8);
    if (roll(60) == 0) s->layer = roll(5) - 1;  // -1 counts as below 2; 2 and 3 do not
    ask_everything(s);
}

// A boss body: drags its parts along, grows new ones at either end of its
// chain, lets some die (they stay in the chain until the next rebuild).
void boss(Sprite* s) {
    s->x += roll(2) == 0 ? 7 : -7;
    if (s->x < 0 || s->x > 560) s->x = 280;
    int k = 0;
    for (Sprite* c = s->nextchild; c != nullptr; c = c->nextchild, ++k) {
        c->x = s->x + (k % 5) * 20 - 40;
        c->y = s->y + (k / 5) * 24 - 30;
        if (roll(30) == 0) c->hitpoints = 0;
    }
    if (roll(4) == 0) s->spawnchildbyname(s, "part", s->x, s->y, 0);
    if (roll(6) == 0) s->spawnchildbynametwo(s, "part", s->x + 90, s->y, 0);
    ask_everything(s);
}

// A part asks too, and a new one asks in the pass that made it.
void part(Sprite* s) {
    if (roll(3) == 0) ++s->y;
    ask_everything(s);
}

class ContactIndex : public ::testing::Test {
protected:
    void SetUp() override {
        clear_sprites();
        reset_globals_to_program_start();
        ASSERT_TRUE(setup_headless_display(win));
        Sprite::set_window_ptr(&win);
        contact_index::set_checking(true);
        rng.seed(22);
        answers = 0;
        scroll = 0;
        ensure_level();
        Sprite* loose = make_master("loose", 3, 24, 18);
        make_transparent_rect(loose, 0, 0, 12, 9);  // images that meet by box but not by pixel
        loose->behavior = wander;
        make_master("part", 2, 20, 16)->behavior = part;
        make_master("body", 1, 96, 64)->behavior = boss;
    }
    void TearDown() override {
        contact_index::set_checking(false);
        clear_sprites();
        Sprite::set_window_ptr(nullptr);
        reset_globals_to_program_start();
    }
    void frames(int n) {
        for (int i = 0; i < n; ++i) {
            win.make_sprite_active_list();
            win.move_sprite_active_list();
        }
    }
    Velmora_Win win;
};

TEST_F(ContactIndex, EveryTestDuringThePassMatchesTheFullWalk) {
    for (int i = 0; i < 150; ++i) {
        Sprite* s = place("loose", roll(640), roll(440) - 20, roll(4) == 0 ? 1 : 0);
        s->hitclass = 1 + roll(8);
        s->damage = 1 + roll(5);
    }
    for (int i = 0; i < 3; ++i) {
        Sprite* b = place("body", 100 + 200 * i, 100 + 100 * i, i == 2 ? 1 : 0);
        b->hitclass = kHitEnemy;
        for (int k = 0; k < 6; ++k) b->spawnchildbyname(b, "part", b->x, b->y, k % 2);
    }
    const long before = contact_index::indexed_tests();
    frames(60);
    EXPECT_EQ(contact_index::mismatches(), 0);
    EXPECT_GT(contact_index::indexed_tests() - before, 60 * 150 * 3) << "the tests went through the grid";
    EXPECT_NE(answers, 0) << "the crowd met";
}

// The one thing the grid cannot see: a behaviour moving a sprite of another
// chain. The check is there to say so.
Sprite* victim = nullptr;
void mover_of_others(Sprite* s) {
    answers += s->hitsomthing(kHitEnemy);  // the grid is filled: the victim is far away
    victim->x = s->x;
    victim->y = s->y;
    answers += s->hitsomthing(kHitEnemy);
}

TEST_F(ContactIndex, TheCheckCatchesASpriteMovedByAnotherChain) {
    victim = place("part", 500, 300);
    victim->hitclass = kHitEnemy;
    victim->behavior = nullptr;
    Sprite* mover = place("part", 50, 50);
    mover->behavior = mover_of_others;
    frames(1);
    EXPECT_EQ(contact_index::mismatches(), 1);
    EXPECT_EQ(answers, 1) << "while checking, the answer given is the full walk's";
}

}  // namespace
