// The turning circle, the metal boss's scroll gate, and the space boss's
// cannons and flight.
#include <cmath>

#include "behaviours/rotation.h"
#include "bosses_fixture.h"

TEST(BossRotation, StepsTurnClockwiseOnScreenAndPlacementTruncatesTowardZero) {
    Sprite s;
    s.dirx = 100;
    s.diry = 0;
    rotate_offset(&s, 90);
    EXPECT_NEAR(s.dirx, 0, 0.01);
    EXPECT_NEAR(s.diry, 100, 0.01);  // right turns to down
    rotate_offset(&s, 270);
    EXPECT_NEAR(s.dirx, 100, 0.01);
    EXPECT_NEAR(s.diry, 0, 0.01);

    s.param4 = 0;
    s.param5 = 10;
    s.dirx = -2.7f;
    s.diry = 2.7f;
    stand_on_circle(&s);
    EXPECT_EQ(s.x, -2);
    EXPECT_EQ(s.y, 12);
}

class MetalBoss : public BossTest {
protected:
    void SetUp() override {
        BossTest::SetUp();
        masters({"metalboss"}, 1, 150, 200);
        masters({"metalbossgun"}, 2);
        set_behaviors();
    }
};

TEST_F(MetalBoss, ArmsThenEveryGunReopensOneNotchAndTheBossBurstsOnce) {
    place("metalboss", 500, 50);
    frames();  // the placed sprite hands over to a copy out of reach on layer 2
    Sprite* boss = first("metalboss");
    ASSERT_NE(boss, nullptr);
    EXPECT_EQ(boss->layer, 2);
    frames(108);
    EXPECT_EQ(scroll, 1);
    EXPECT_EQ(living("metalbossgun"), 0);
    frames();  // the copy's 109th frame: the countdown reaches 1
    EXPECT_EQ(scroll, -2);
    ASSERT_EQ(living("metalbossgun"), 3);

    // On the circle about (x + 70, y + 130), each offset turned one degree.
    Sprite* gun = first("metalbossgun");
    const double a = 0.0174532;
    EXPECT_EQ(gun->x, static_cast<int>(std::trunc(boss->x + 70 + (-125 * std::cos(a) - 10 * std::sin(a)))));
    EXPECT_EQ(gun->y, static_cast<int>(std::trunc(boss->y + 130 + (-125 * std::sin(a) + 10 * std::cos(a)))));
    const int x0 = gun->x, y0 = gun->y;
    frames(36);
    EXPECT_NEAR(gun->x, boss->x + 70 + 125, 2);  // half a turn at five degrees a frame
    frames(36);
    EXPECT_NEAR(gun->x, x0, 1);
    EXPECT_NEAR(gun->y, y0, 1);

    for (int expected : {-1, 0}) {
        hit_once(first("metalbossgun"), 1000);
        EXPECT_EQ(scroll, expected);
        EXPECT_GE(boss->hitpoints, 1);
    }
    hit_once(first("metalbossgun"), 1000);
    EXPECT_EQ(scroll, 1);
    frames();
    EXPECT_LT(boss->hitpoints, 1);
    const int drops = living("powerup");
    frames(5);
    EXPECT_EQ(living("metalboss"), 0);
    EXPECT_EQ(living("powerup"), drops);
    EXPECT_EQ(scroll, 1);
}

TEST_F(MetalBoss, GunsDestroyedBeforeItArmsLeaveTheGateOpenSoItBurstsOnArming) {
    for (int x : {200, 300, 400}) place("metalbossgun", x, 300);
    for (int expected : {2, 3, 4}) {
        hit_once(first("metalbossgun"), 1000);
        EXPECT_EQ(scroll, expected);
    }
    place("metalboss", 500, 50);
    frames(110);  // hand-over, then the countdown down to 1
    EXPECT_EQ(scroll, 1);
    Sprite* boss = first("metalboss");
    ASSERT_NE(boss, nullptr);
    frames(2);  // the countdown passes 0 and the open gate ends the boss
    EXPECT_LT(boss->hitpoints, 1);
}

class SpaceBoss : public BossTest {
protected:
    void SetUp() override {
        BossTest::SetUp();
        masters({"spaceboss"}, 1, 600, 350);
        masters({"spacebosscannonup", "spacebosscannondown"}, 8);
        set_behaviors();
    }
};

TEST_F(SpaceBoss, CannonsFaceTheShipByTheirTablesAndFireFromTheMuzzleOfThatFrame) {
    // A vector to the ship for every direction 1..16.
    const int vec[16][2] = {{-100, 0},  {-100, -40}, {-100, -100}, {-40, -100}, {0, -100}, {40, -100},
                            {100, -100}, {100, -40}, {100, 0},     {100, 40},   {100, 100}, {40, 100},
                            {0, 100},    {-40, 100}, {-100, 100},  {-100, 40}};
    const int upper_frame[16] = {1, 2, 2, 3, 4, 5, 6, 7, 8, 8, 8, 8, 1, 1, 1, 1};
    const int lower_frame[16] = {1, 1, 1, 1, 1, 8, 8, 8, 7, 6, 5, 4, 3, 2, 1, 1};
    const int upper_muzzle[8][2] = {{-15, 5}, {-15, 0}, {-5, -5}, {20, -50}, {35, -50}, {45, -40}, {95, -30}, {95, 0}};
    const int lower_muzzle[8][2] = {{-15, 20}, {-15, 20}, {-10, 35}, {20, 50}, {35, 65}, {45, 60}, {95, 35}, {95, 30}};
    Sprite* up = place("spacebosscannonup", 300, 200);
    Sprite* down = place("spacebosscannondown", 300, 200);
    for (int d = 1; d <= 16; ++d) {
        player1h = 300 + vec[d - 1][0];
        player1v = 200 + vec[d - 1][1];
        for (auto [c, frame, muzzle] : {std::tuple{up, upper_frame, upper_muzzle},
                                        std::tuple{down, lower_frame, lower_muzzle}}) {
            c->firecount = 1000;
            run(c);
            const int f = frame[d - 1];
            EXPECT_EQ(c->framenumber, f) << "direction " << d;
            const Sprite* shot = Sprite::the_level->back();
            EXPECT_EQ(shot->x, 300 + muzzle[f - 1][0]) << "direction " << d;
            EXPECT_EQ(shot->y, 200 + muzzle[f - 1][1]) << "direction " << d;
        }
    }
}

TEST_F(SpaceBoss, SweepsWithEightCannonsThenFliesToItsCornerAndBurstsOnce) {
    Sprite* boss = place("spaceboss", 26, 100);
    frames();  // scrolls to 23: it arrives
    EXPECT_EQ(scroll, 0);
    EXPECT_EQ(boss->layer, 1);
    ASSERT_EQ(living("spacebosscannonup") + living("spacebosscannondown"), 8);
    Sprite* slot3 = boss->nextchild->nextchild->nextchild;
    EXPECT_EQ(slot3->x, boss->x + 377);
    EXPECT_EQ(slot3->y, boss->y + 125);

    frames(100);  // right to 600, then down
    EXPECT_GT(boss->y, 100);
    for (Sprite* c = boss->nextchild; c != nullptr; c = c->nextchild) c->hitpoints = 0;
    int frames_left = 1000;
    while (boss->hitpoints >= 1 && frames_left-- > 0) frames();
    EXPECT_EQ(boss->param2, 6);
    EXPECT_GT(boss->x, 95);
    EXPECT_LT(boss->x, 110);
    EXPECT_EQ(scroll, 1);
}
