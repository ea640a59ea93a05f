// Enemy rules: the floor turret, hives and bees, the enemy shot, and the
// meteors and blobs that split. (Where each enemy is at which frame is the
// golden traces' business.)
#include <algorithm>
#include <cmath>

#include "enemies_fixture.h"

class Enemies : public EnemyTest {
protected:
    void SetUp() override {
        EnemyTest::SetUp();
        for (const char* name : {"hivedown", "hivebeebluefly", "hivebeeblueattack", "hivebeeyellow",
                                 "hivebeeyellowattack"})
            master(name, 3, 20, 20);
        master("enemyshot");
        master("silvercannonup", 9, 60, 20);
        master("playerone", 1, 40, 20);
        master("rock", 1, 40, 40);
        master("spacemetiorbig", 4, 80, 80);
        master("spacemetiorsmall", 2);
        master("crystalblobbig", 3, 80, 80);
        master("crystalblobsmall", 2);
        master("blueshot", 1, 20, 20);
        set_behaviors();
    }

    // Hits `name` placed at (200, 100) with `hitpoints` once for `damage`;
    // returns how many `fragment` copies appeared.
    static int fragments_after_hit(const char* name, const char* fragment, int hitpoints, int damage) {
        Sprite* target = place(name, 200, 100);
        target->hitpoints = hitpoints;
        Sprite* shot = place("blueshot", 210, 110);
        shot->damage = damage;
        const size_t before = copies_of(fragment).size();
        run(target);
        target->hitpoints = shot->hitpoints = 0;  // out of the way of the next hit
        return int(copies_of(fragment).size() - before);
    }
};

TEST_F(Enemies, FloorTurretFacesEveryDirectionAndNeverFiresDown) {
    const struct { int dx, dy; } muzzle[10] = {{},        {-15, 5},  {-15, 0},  {-5, -5}, {20, -50},
                                               {35, -50}, {45, -40}, {95, -30}, {95, 0},  {100, 0}};
    Sprite* t = place("silvercannonup", 300, 300);
    for (int d = 1; d <= 16; ++d) {
        // Player one in the middle of direction d's sector (clockwise from left).
        const double a = (d - 1) * 22.5 * M_PI / 180.0;
        player1h = 330 + int(std::lround(-std::cos(a) * 1000));
        player1v = 310 + int(std::lround(-std::sin(a) * 1000));
        const size_t before = copies_of("enemyshot").size();
        ready_to_fire(t);
        run(t);
        const Sprite* shot = copies_of("enemyshot").size() > before ? copies_of("enemyshot").back() : nullptr;
        EXPECT_EQ(t->framenumber, std::min(d, 9)) << d;  // the last frame for a ship below
        if (d >= 10) {
            EXPECT_EQ(shot, nullptr) << d;
            continue;
        }
        ASSERT_NE(shot, nullptr) << d;
        EXPECT_EQ(shot->x - 300, muzzle[d].dx) << d;
        EXPECT_EQ(shot->y - 300, muzzle[d].dy) << d;
    }
}

TEST_F(Enemies, HangingHiveDropsBeesWithTheLevelsHitPointsLeavingTheMastersAlone) {
    Sprite* hive = place("hivedown", 100, 50);
    for (int i = 0; i < 10; ++i) {
        ready_to_fire(hive);
        run(hive);
        const Sprite* bee = Sprite::the_level->front();
        ASSERT_NE(bee, hive);
        EXPECT_EQ(bee->x, 130);
        EXPECT_EQ(bee->y, 75);
        EXPECT_EQ(bee->param1, 15);
        EXPECT_EQ(bee->hitpoints, basehitpoints + totalpoweruplevel);
    }
    EXPECT_FALSE(copies_of("hivebeebluefly").empty());
    EXPECT_FALSE(copies_of("hivebeeyellow").empty());
    EXPECT_EQ(Sprite::getnamedsprite("hivebeeyellow")->hitpoints, basehitpoints + 2 * totalpoweruplevel);
}

TEST_F(Enemies, YellowBeeAttacksAndReturnsToDodgingWithItsHitPointsAndHeading) {
    Sprite* bee = place("hivebeeyellow", 400, 200);
    bee->hitpoints = 7;
    bee->param4 = 1;
    ready_to_fire(bee);
    run(bee);
    ASSERT_EQ(copies_of("hivebeeyellowattack").size(), 1u);
    Sprite* attack = copies_of("hivebeeyellowattack")[0];
    EXPECT_EQ(attack->hitpoints, 7);
    EXPECT_EQ(attack->param4, 1);

    run(attack);  // still right of the ship at x 100
    EXPECT_EQ(attack->hitpoints, 7);
    attack->x = 99;
    run(attack);
    EXPECT_EQ(attack->hitpoints, 0);
    ASSERT_EQ(copies_of("hivebeeyellow").size(), 2u);
    const Sprite* again = copies_of("hivebeeyellow")[1];
    EXPECT_EQ(again->hitpoints, 7);
    EXPECT_EQ((std::vector<int>{again->param1, again->param2, again->param3, again->param4}),
              (std::vector<int>{0, 1, 10, 1}));
    EXPECT_EQ(Sprite::getnamedsprite("hivebeeyellow")->param2, 0);
}

TEST_F(Enemies, ShotAimsAtTheNearerShipsMiddleThenFliesTwelveAFrameOnOneAxis) {
    player2h = 700;  // as far from the shot as player one: the tie goes to player one
    player2v = 200;
    Sprite* left = place("enemyshot", 400, 205);
    Sprite* up = place("enemyshot", 135, 300);
    run(left);
    EXPECT_EQ(left->x, 400);  // the aiming frame holds still
    EXPECT_FLOAT_EQ(left->dirx, -1.0f);
    EXPECT_FLOAT_EQ(left->diry, 0.0f);
    run(left, 2);
    run(up, 2);
    EXPECT_EQ(left->x, 376);
    EXPECT_EQ(left->y, 205);
    EXPECT_EQ(up->x, 135);
    EXPECT_EQ(up->y, 288);

    scroll = 1;  // the 3 pixels the scroll takes from layer 0 are given back
    run(left);
    EXPECT_EQ(left->x, 376 - 12 + 3);

    // On its aim point it is dropped without a direction.
    Sprite* on = place("enemyshot", 135, 205);
    run(on);
    EXPECT_LT(on->hitpoints, 1);
    EXPECT_FALSE(std::isnan(on->dirx) || std::isnan(on->diry));
}

TEST_F(Enemies, ShotWithBothShipsDeadFliesStraightOffTheTopLeft) {
    player1h = player1v = -10000;
    Sprite* s = place("enemyshot", 300, 200);
    run(s);
    EXPECT_FLOAT_EQ(s->dirx, -1.0f);
    EXPECT_FLOAT_EQ(s->diry, -10195.0f / 10265.0f);  // toward (-9965, -9995)
    int frames = 0;
    for (int last_x = s->x; s->hitpoints > 0 && frames < 100; last_x = s->x, ++frames) {
        run(s);
        EXPECT_EQ(s->x, last_x - 12);
    }
    EXPECT_LE(frames, 17);
}

TEST_F(Enemies, ShotWearsDownOnShipsSceneryAndTheScreenEdge) {
    Sprite* s = place("enemyshot", 400, 205);
    place("playerone", 395, 200);
    for (int hp : {2, 1, 0}) {  // survives two frames on a ship
        run(s);
        s->dirx = s->diry = 0;
        EXPECT_EQ(s->hitpoints, hp);
    }
    place("rock", 200, 100, 1)->damage = 2;
    Sprite* t = place("enemyshot", 210, 110);
    Sprite* off = place("enemyshot", 300, 417);
    run(t);
    run(off);
    EXPECT_EQ(t->hitpoints, 1);
    EXPECT_EQ(off->hitpoints, 0);
}

TEST_F(Enemies, BigMeteorReleasesOneFragmentPerPointOfDamageAndThreeToTenAtTheEnd) {
    EXPECT_EQ(fragments_after_hit("spacemetiorbig", "spacemetiorsmall", 100, 5), 5);  // a level-5 blue shot
    for (const Sprite* f : copies_of("spacemetiorsmall")) {
        EXPECT_EQ(f->x, 240);
        EXPECT_EQ(f->y, 150);
        EXPECT_TRUE(f->param1 >= -10 && f->param1 <= 10 && f->param2 >= -8 && f->param2 <= 6);
    }
    EXPECT_EQ(Sprite::getnamedsprite("spacemetiorsmall")->param1, 0);  // the master keeps its values
    // The crystal blob releases one per odd point: 1, 3, 5, ...
    EXPECT_EQ(fragments_after_hit("crystalblobbig", "crystalblobsmall", 100, 4), 2);
    EXPECT_EQ(fragments_after_hit("crystalblobbig", "crystalblobsmall", 100, 5), 3);

    int most = 0;
    for (unsigned seed = 1; seed <= 40; ++seed) {
        game_srand(seed);
        const int burst = fragments_after_hit("spacemetiorbig", "spacemetiorsmall", 1, 1) - 1;
        EXPECT_GE(burst, 3) << seed;
        EXPECT_LE(burst, 10) << seed;
        most = std::max(most, burst);
    }
    EXPECT_GT(most, 3);  // the burst does go on past three
}
