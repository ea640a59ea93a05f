// The cave, crystal, water and hive bosses and the scroll gate they hold.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "bosses_fixture.h"

class WorldBosses : public BossTest {
protected:
    void SetUp() override {
        BossTest::SetUp();
        masters({"caveboss", "waterboss", "hiveboss"}, 4, 100, 320);
        masters({"waterbraincell", "hivebossshot", "crystalopenerdown", "crystalopenerup",
                 "crystalbosssilverhorizontal", "crystalbossredhorizontal",
                 "crystalbosssilververticle", "crystalbossredverticle"},
                4);
        make_master("wall", 1, 100, 10)->hitclass = 6;
        set_behaviors();
    }
};

TEST_F(WorldBosses, TwoCaveBossesMustBothFallBeforeTheLevelMovesOn) {
    Sprite* near = place("caveboss", 390, 50);
    Sprite* far = place("caveboss", 450, 50);
    frames();
    EXPECT_EQ(near->state, 1);
    EXPECT_EQ(far->state, 1);  // the level had stopped already, so it joins in
    EXPECT_EQ(scroll, -1);
    hit_once(near, 1000);
    EXPECT_EQ(scroll, 0);
    frames(10);
    EXPECT_EQ(scroll, 0);
    hit_once(far, 1000);
    EXPECT_EQ(scroll, 1);
}

TEST_F(WorldBosses, CaveBossRidesBackFromAnotherEnemyAndHoldsStillUnderFire) {
    scroll = 0;
    Sprite* boss = place("caveboss", 300, 100);
    place("wall", 300, 80);  // ends 10 pixels above the boss
    boss->state = 1;
    boss->param1 = 1;
    boss->param2 = 1;  // going up
    frames(6);
    EXPECT_EQ(boss->param2, 2);  // touched the wall at y 89 and turned
    const int y = boss->y;
    EXPECT_GE(y, 90);
    Sprite* s = shot_on(boss, 1);
    frames(3);
    EXPECT_EQ(boss->y, y);
    s->hitpoints = 0;
    frames();
    EXPECT_EQ(boss->y, y + 2);
}

TEST_F(WorldBosses, CrystalGateReopensAfter1100FramesWhetherOrNotItsCrystalsFell) {
    for (bool kill_crystals : {false, true}) {
        clear_sprites();
        SetUp();
        Sprite* down = place("crystalopenerdown", 12, 100);
        place("crystalopenerup", 502, 100);
        frames();
        EXPECT_EQ(scroll, -1);
        int released = 0;
        for (int f = 2; f < 1100; ++f) {
            frames();
            for (const char* name : {"crystalbossredverticle", "crystalbosssilververticle",
                                     "crystalbossredhorizontal", "crystalbosssilverhorizontal"})
                for (Sprite* c = first(name); c != nullptr && kill_crystals; c = first(name)) {
                    c->hitpoints = 0;
                    ++released;
                }
        }
        EXPECT_EQ(scroll, -1);
        EXPECT_EQ(down->hitpoints, 1);
        if (kill_crystals) {
            EXPECT_GT(released, 10);
        } else {
            EXPECT_GT(living("crystalbossredverticle") + living("crystalbosssilververticle") +
                           living("crystalbossredhorizontal") + living("crystalbosssilverhorizontal"),
                      10);
        }
        frames();
        EXPECT_EQ(scroll, 1) << (kill_crystals ? "crystals destroyed" : "crystals alive");
    }
}

TEST_F(WorldBosses, CrystalsSwitchFormToCutAcrossTheShipsPath) {
    scroll = 0;
    Sprite* v = place("crystalbosssilververticle", 300, 150);
    v->state = 2;  // sinking
    v->hitpoints = 9;
    player1v = 160;  // inside the band y .. y + 35 once it has sunk 4
    run(v);
    EXPECT_EQ(v->hitpoints, 0);
    Sprite* h = first("crystalbosssilverhorizontal");
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(h->hitpoints, 9);
    EXPECT_EQ(h->state, 0);  // the ship is to the left
    EXPECT_EQ(h->y, 154);
    player1v = 400;
    run(h, 60);  // at x < 20 it turns back into a vertical crystal
    EXPECT_LT(h->hitpoints, 1);
    Sprite* back = first("crystalbosssilververticle");
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->x, 15);
    EXPECT_TRUE(back->state == 1 || back->state == 2);
    EXPECT_EQ(back->param1, 0);
}

TEST_F(WorldBosses, WaterBossEndsAfterItsThirdClearedWave) {
    Sprite* boss = place("waterboss", 300, 50);
    frames(80);
    EXPECT_EQ(scroll, -2);
    for (int wave = 1; wave <= 3; ++wave) {
        frames(200);
        std::vector<Sprite*> cells;
        for (Sprite* c = boss->nextchild; c != nullptr; c = c->nextchild)
            if (c->hitpoints >= 1) cells.push_back(c);
        ASSERT_EQ(cells.size(), 13u) << "wave " << wave;
        EXPECT_EQ(scroll, wave - 3);
        EXPECT_GE(boss->hitpoints, 1);
        for (Sprite* c : cells) c->hitpoints = 0;
        frames();
        EXPECT_EQ(scroll, wave - 2);
    }
    EXPECT_LT(boss->hitpoints, 1);
}

TEST_F(WorldBosses, AShotDownBrainCellFliesOnAtTheShipAsAShot) {
    scroll = 0;
    Sprite* boss = place("waterboss", 300, 50);
    boss->param2 = 101;
    frames(12);
    Sprite* cell = boss->nextchild;
    ASSERT_NE(cell, nullptr);
    frames(40);  // sunk out of the boss, now circling
    EXPECT_NEAR(std::hypot(cell->x - 370, cell->y - 120), 127, 3);
    hit_once(cell, 1000);
    EXPECT_EQ(cell->behavior, &moveenemyshot);
    EXPECT_EQ(cell->hitpoints, 2);
    frames();  // aims at the ship's middle
    const int x0 = cell->x, y0 = cell->y;
    frames(3);
    EXPECT_EQ(std::max(std::abs(cell->x - x0), std::abs(cell->y - y0)), 36);
    EXPECT_LT(std::abs(cell->x - 135) + std::abs(cell->y - 205), std::abs(x0 - 135) + std::abs(y0 - 205));
}

TEST_F(WorldBosses, HiveBossCannotBeShotAndIsSpentAfter51Volleys) {
    Sprite* boss = place("hiveboss", 400, 40);
    Sprite* shot = place("testshot", 430, 190);  // on the boss, clear of its mouths
    shot->hitclass = 3;
    shot->damage = 1000;
    frames(80);
    EXPECT_EQ(scroll, 0);
    int volleys = 0;
    while (boss->hitpoints >= 1 && volleys < 1000) {
        frames();
        volleys = boss->param3;
    }
    EXPECT_EQ(volleys, 51);
    EXPECT_EQ(scroll, 1);
    int upper = 0, lower = 0;
    for (const Sprite* s : *Sprite::the_level)
        if (s->behavior == &movehivebossshot) (s->param2 == 0 ? upper : lower) += 1;
    EXPECT_EQ(upper, 26);
    EXPECT_EQ(lower, 25);
}

TEST_F(WorldBosses, HiveShotsSweepThreeHundredPixelsFromTheLinePastTheShip) {
    scroll = 0;
    Sprite* up = place("hivebossshot", 105, 100);
    Sprite* low = place("hivebossshot", 105, 350);
    low->param2 = 1;
    int up_min = 1000, up_max = -1000, low_min = 1000, low_max = -1000;
    for (int i = 0; i < 400; ++i) {
        run(up);
        run(low);
        up_min = std::min(up_min, up->y);
        up_max = std::max(up_max, up->y);
        low_min = std::min(low_min, low->y);
        low_max = std::max(low_max, low->y);
    }
    EXPECT_EQ(up->x, 95);
    EXPECT_EQ(up_min, 100);
    EXPECT_EQ(up_max, 400);
    EXPECT_EQ(low_min, 50);
    EXPECT_EQ(low_max, 350);
}
