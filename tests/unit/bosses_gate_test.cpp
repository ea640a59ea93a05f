// The scroll gate through boss fights: lowered on arrival by the parts that
// must die, raised by each, and the boss gone once it is open again.
#include "bosses_fixture.h"

class BossGate : public BossTest {
protected:
    void SetUp() override {
        BossTest::SetUp();
        masters({"metalboss", "caveboss", "waterboss", "hiveboss", "finalbossshell"}, 4, 100, 200);
        masters({"metalbossgun", "crystalopenerdown", "crystalopenerup", "crystalbosssilverhorizontal",
                 "crystalbossredhorizontal", "crystalbosssilververticle", "crystalbossredverticle",
                 "waterbraincell", "hivebossshot", "finalbossgunone", "finalbossguntwo", "finalbossgunthree",
                 "finalbossgunfour", "finalbossgunfive"});
        set_behaviors();
    }
};

TEST_F(BossGate, MetalBossArmsThenEachGunReopensOneNotchAndTheBossBurstsOnce) {
    place("metalboss", 500, 50);
    frames(109);  // hand-over to a copy on layer 2, then 108 of its 110-frame countdown
    Sprite* boss = first("metalboss");
    ASSERT_NE(boss, nullptr);
    EXPECT_EQ(boss->layer, 2);
    EXPECT_EQ(scroll, 1);
    frames();
    EXPECT_EQ(scroll, -2);
    ASSERT_EQ(living("metalbossgun"), 3);
    // Round the boss's centre (x + 70, y + 130) in 72 frames.
    Sprite* gun = first("metalbossgun");
    const int x0 = gun->x, y0 = gun->y;
    frames(36);
    EXPECT_NEAR(gun->x, boss->x + 70 + 125, 2);
    frames(36);
    EXPECT_NEAR(gun->x, x0, 1);
    EXPECT_NEAR(gun->y, y0, 1);

    for (int expected : {-1, 0, 1}) {
        EXPECT_GE(boss->hitpoints, 1);
        hit_once(first("metalbossgun"), 1000);
        EXPECT_EQ(scroll, expected);
    }
    frames();
    EXPECT_LT(boss->hitpoints, 1);
    const int drops = living("powerup");
    frames(5);
    EXPECT_EQ(living("metalboss"), 0);
    EXPECT_EQ(living("powerup"), drops);  // it burst once
    EXPECT_EQ(scroll, 1);
}

TEST_F(BossGate, MetalGunsDestroyedBeforeTheBossArmsLeaveTheGateOpenSoItBurstsOnArming) {
    for (int x : {200, 300, 400}) place("metalbossgun", x, 300);
    for (int expected : {2, 3, 4}) {
        hit_once(first("metalbossgun"), 1000);
        EXPECT_EQ(scroll, expected);
    }
    place("metalboss", 500, 50);
    frames(110);
    EXPECT_EQ(scroll, 1);  // armed: lowered by 3
    Sprite* boss = first("metalboss");
    ASSERT_NE(boss, nullptr);
    frames(2);
    EXPECT_LT(boss->hitpoints, 1);
}

TEST_F(BossGate, TwoCaveBossesMustBothFall) {
    Sprite* near = place("caveboss", 390, 50);
    Sprite* far = place("caveboss", 450, 50);
    frames();
    EXPECT_EQ(far->state, 1);  // arrived beyond x 400 because the level had stopped
    EXPECT_EQ(scroll, -1);
    hit_once(near, 1000);
    frames(10);
    EXPECT_EQ(scroll, 0);
    hit_once(far, 1000);
    EXPECT_EQ(scroll, 1);
}

TEST_F(BossGate, CrystalGateReopensAfter1100FramesWhetherOrNotItsCrystalsFell) {
    const char* const kCrystals[] = {"crystalbossredverticle", "crystalbosssilververticle",
                                     "crystalbossredhorizontal", "crystalbosssilverhorizontal"};
    for (bool kill_crystals : {false, true}) {
        clear_sprites();
        SetUp();
        place("crystalopenerdown", 12, 100);
        place("crystalopenerup", 502, 100);
        int crystals = 0;
        for (int f = 1; f < 1100; ++f) {
            frames();
            EXPECT_EQ(scroll, -1);
            crystals = 0;
            for (const char* name : kCrystals) {
                if (kill_crystals)
                    while (Sprite* c = first(name)) c->hitpoints = 0;
                crystals += living(name);
            }
        }
        EXPECT_EQ(crystals > 10, !kill_crystals);
        frames();
        EXPECT_EQ(scroll, 1);
    }
}

TEST_F(BossGate, WaterBossEndsAfterItsThirdClearedWave) {
    Sprite* boss = place("waterboss", 300, 50);
    frames(80);
    EXPECT_EQ(scroll, -2);
    for (int wave = 1; wave <= 3; ++wave) {
        frames(200);
        int cells = 0;
        for (Sprite* c = boss->nextchild; c != nullptr; c = c->nextchild, ++cells) c->hitpoints = 0;
        EXPECT_EQ(cells, 13);
        EXPECT_GE(boss->hitpoints, 1);
        frames();
        EXPECT_EQ(scroll, wave - 2);
    }
    EXPECT_LT(boss->hitpoints, 1);
}

TEST_F(BossGate, HiveBossCannotBeShotAndIsSpentAfter51Volleys) {
    Sprite* boss = place("hiveboss", 400, 40);
    Sprite* shot = shot_on(boss, 1000);
    shot->y += 100;  // clear of the mouths
    frames(80);
    EXPECT_EQ(scroll, 0);
    for (int f = 0; f < 2000 && boss->hitpoints >= 1; ++f) frames();
    EXPECT_EQ(boss->param3, 51);
    EXPECT_EQ(scroll, 1);
    int upper = 0, lower = 0;  // the mouths take turns, the upper one first
    for (const Sprite* s : *Sprite::the_level)
        if (s->behavior == &movehivebossshot) (s->param2 == 0 ? upper : lower) += 1;
    EXPECT_EQ(upper, 26);
    EXPECT_EQ(lower, 25);
}

TEST_F(BossGate, FinalShellTakesHitsOnlyOnceItsFiveGunsAreGone) {
    Sprite* shell = place("finalbossshell", 402, 150);
    frames();
    EXPECT_EQ(scroll, 0);
    EXPECT_EQ(living("finalbossgunone") + living("finalbossguntwo") + living("finalbossgunthree") +
                  living("finalbossgunfour") + living("finalbossgunfive"),
              5);
    const int full = shell->hitpoints;
    shell->state = 4;  // a pause: it holds still for the next frame
    hit_once(shell, 5);
    EXPECT_EQ(shell->hitpoints, full);
    for (Sprite* g = shell->nextchild; g != nullptr; g = g->nextchild) g->hitpoints = 0;
    shell->state = 4;
    hit_once(shell, full);
    EXPECT_EQ(scroll, 1);
}
