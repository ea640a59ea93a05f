// Turrets and hatches.
#include <cmath>

#include "enemies_fixture.h"

namespace {

struct Offset {
    int dx, dy;
};

// Puts player one in the middle of direction d's sector as seen from (x, y).
void put_player_toward(int d, int x, int y) {
    const double a = (d - 1) * 22.5 * M_PI / 180.0;  // clockwise from left
    player1h = x + int(std::lround(-std::cos(a) * 1000));
    player1v = y + int(std::lround(-std::sin(a) * 1000));
}

}  // namespace

class Ground : public EnemyTest {
protected:
    void SetUp() override {
        EnemyTest::SetUp();
        master("enemyshot");
        master("silvercannonup", 9, 60, 20);
        master("silvercannondown", 8, 60, 20);
        master("metalopenerup", 3, 40, 10);
        master("caveopenerdown", 3, 40, 10);
        master("metalgreenship", 5);
        master("caveredship", 5);
        set_behaviors();
    }

    // One frame of turret t at (300, 300) with the gate open, facing d; the
    // shot it fired, if any.
    static const Sprite* fire_turret(Sprite* t, int d) {
        put_player_toward(d, 330, 310);
        const size_t before = copies_of("enemyshot").size();
        ready_to_fire(t);
        run(t);
        return copies_of("enemyshot").size() > before ? copies_of("enemyshot").back() : nullptr;
    }
};

TEST_F(Ground, FloorTurretFacesEveryDirectionAndNeverFiresDown) {
    const Offset muzzle[10] = {{},        {-15, 5},  {-15, 0},  {-5, -5}, {20, -50},
                               {35, -50}, {45, -40}, {95, -30}, {95, 0},  {100, 0}};
    Sprite* t = place("silvercannonup", 300, 300);
    for (int d = 1; d <= 16; ++d) {
        const Sprite* shot = fire_turret(t, d);
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

TEST_F(Ground, CeilingTurretAnswersAShipAboveWithTheMirroredFrame) {
    const int frame[17] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 8, 8, 7, 6, 5, 4, 3, 2};
    const Offset muzzle[9] = {{},       {-15, 20}, {-15, 20}, {-10, 35}, {20, 50},
                              {35, 65}, {45, 60},  {95, 35},  {95, 30}};
    Sprite* t = place("silvercannondown", 300, 300);
    for (int d = 1; d <= 16; ++d) {
        const Sprite* shot = fire_turret(t, d);
        const int f = frame[d];
        EXPECT_EQ(t->framenumber, f) << d;
        ASSERT_NE(shot, nullptr) << d;
        EXPECT_EQ(shot->x - 300, muzzle[f].dx) << d;
        EXPECT_EQ(shot->y - 300, muzzle[f].dy) << d;
    }
}

TEST_F(Ground, HatchReleasesItsShipOnTheSecondFrameOfTheOpenImage) {
    Sprite* h = place("metalopenerup", 200, 300);
    run(h, 4);  // frames 1, 1, 2, 2 then 3 on the fourth call
    ASSERT_EQ(h->curframe, h->lastframe);
    EXPECT_TRUE(copies_of("metalgreenship").empty());
    run(h);
    ASSERT_EQ(copies_of("metalgreenship").size(), 1u);
    Sprite* ship = Sprite::the_level->front();
    EXPECT_EQ(ship->x, 220);
    EXPECT_EQ(ship->y, 300);
    EXPECT_EQ(ship->param1, -11);
    EXPECT_EQ(Sprite::getnamedsprite("metalgreenship")->param1, 0);
    run(h, 10);  // one release per opening
    EXPECT_EQ(copies_of("metalgreenship").size(), 2u);

    Sprite* cave = place("caveopenerdown", 100, 100);
    run(cave, 5);
    ASSERT_EQ(copies_of("caveredship").size(), 1u);
    EXPECT_EQ(copies_of("caveredship")[0]->param1, 12);
    EXPECT_EQ(copies_of("caveredship")[0]->y, 120);
}
