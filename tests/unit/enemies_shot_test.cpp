// The enemy shot: its aim, its flight and what wears it down.
#include <cmath>

#include "enemies_fixture.h"

class EnemyShot : public EnemyTest {
protected:
    void SetUp() override {
        EnemyTest::SetUp();
        master("enemyshot");
        master("playerone", 1, 40, 20);
        master("rock", 1, 40, 40);
        set_behaviors();
    }
};

TEST_F(EnemyShot, AimsAtTheNearerShipsMiddleThenFliesTwelveAFrameOnOneAxis) {
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
}

TEST_F(EnemyShot, WithBothShipsDeadFliesStraightOffTheTopLeft) {
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

TEST_F(EnemyShot, OnItsAimPointItIsDroppedWithoutADirection) {
    Sprite* s = place("enemyshot", 135, 205);
    run(s);
    EXPECT_LT(s->hitpoints, 1);
    EXPECT_FALSE(std::isnan(s->dirx) || std::isnan(s->diry));
}

TEST_F(EnemyShot, WearsDownOnShipsSceneryAndTheScreenEdge) {
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
