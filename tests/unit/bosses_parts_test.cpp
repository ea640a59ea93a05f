// Boss parts: the brain cell that breaks loose,
// the city boss's eyes, the cave boss's and the dragon heads' fire, the
// dragon's heads and necks, the mountain boss's eyes.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "bosses_fixture.h"

class BossParts : public BossTest {
protected:
    void SetUp() override {
        BossTest::SetUp();
        masters({"waterboss", "waterbraincell", "cityboss",
                 "citybosseyesone", "citybosseyestwo", "citybosseyesthree", "citybosseyesfour",
                 "citybossshotone", "citybossshotfour", "bossdragonhead", "caveboss", "mountainbosseye",
                 "mountainbosseyelid", "mountainbosseyetwo", "mountainbosscannonup",
                 "mountainbosscannondown", "mountainbossenergyhorizontal", "mountainbossenergyverticle"});
        masters({"neckone", "necktwo", "neckthree", "neckfour"}, 12, 6, 6);
        masters({"mountainboss"}, 3, 60, 60);
        set_behaviors();
    }
    static int shots_in_level() {
        int n = 0;
        for (const Sprite* s : *Sprite::the_level) n += s->behavior == &moveenemyshot || s->behavior == &movesqurmyshot;
        return n;
    }
};

TEST_F(BossParts, AShotDownBrainCellFliesOnAtTheShipAsAShot) {
    scroll = 0;
    Sprite* boss = place("waterboss", 300, 50);
    boss->param2 = 101;
    frames(52);  // released, sunk out of the boss, circling its centre
    Sprite* cell = boss->nextchild;
    ASSERT_NE(cell, nullptr);
    EXPECT_NEAR(std::hypot(cell->x - 370, cell->y - 120), 127, 3);
    hit_once(cell, 1000);
    EXPECT_EQ(cell->behavior, &moveenemyshot);
    EXPECT_EQ(cell->hitpoints, 2);
    frames();  // aims at the ship's middle (135, 205)
    const int x0 = cell->x, y0 = cell->y;
    frames(3);
    EXPECT_EQ(std::max(std::abs(cell->x - x0), std::abs(cell->y - y0)), 36);
    EXPECT_LT(std::abs(cell->x - 135) + std::abs(cell->y - 205), std::abs(x0 - 135) + std::abs(y0 - 205));
}

TEST_F(BossParts, CityEyeCountsDownNineteenFramesAndPassesItsHitsToTheBody) {
    Sprite* body = place("cityboss", 303, 100);
    frames();
    EXPECT_EQ(scroll, 0);
    body->state = 3;  // on frame 1: opens an eye at once
    player1h = 400;   // between the eye's two reaches: no fire
    const int shots = shots_in_level();
    frames();
    Sprite* eye = body->nextchild;
    ASSERT_NE(eye, nullptr);
    EXPECT_EQ(eye->x, body->x - 63);
    frames(18);
    EXPECT_EQ(eye->hitpoints, 1);
    EXPECT_EQ(eye->framenumber, 4);  // open
    EXPECT_EQ(shots_in_level(), shots);
    const int body_hp = body->hitpoints;
    hit_once(eye, 50);
    EXPECT_EQ(body->hitpoints, body_hp - 50);
    EXPECT_EQ(eye->hitpoints, 1);  // its timer is not its life
    for (int f = 0; f < 20 && body->nextchild != nullptr; ++f) frames();
    EXPECT_EQ(body->nextchild, nullptr);  // closed and gone
    frames(2);
    EXPECT_EQ(body->state, 2);  // a new leg

    player1h = 100;  // left of the next eye: it fires
    body->state = 3;
    setframe(body, 1);
    frames(6);
    ASSERT_NE(body->nextchild, nullptr);
    EXPECT_GT(shots_in_level(), shots);
    hit_once(body->nextchild, body->hitpoints);
    EXPECT_LT(body->hitpoints, 1);
    EXPECT_EQ(scroll, 1);
}

// Both fire on every frame that shows their firing image, however long the
// image is held, not only on the frame it comes up.
TEST_F(BossParts, CaveBossAndDragonHeadFireOnEveryFrameOfTheirFiringImage) {
    scroll = 0;
    for (const int delay : {0, 1, 3}) {
        Sprite* wheel = place("caveboss", 300, 200);
        wheel->state = 1;
        wheel->param1 = 1;  // spinning forwards
        wheel->param2 = 0;  // riding nowhere
        wheel->framedelay = delay;
        int shots = 0, first_image = 0;
        for (int call = 0; call < 3 * 8 * (delay + 2); ++call) {  // three turns of eight images
            const size_t before = Sprite::the_level->size();
            run(wheel);
            const bool fired = Sprite::the_level->size() > before;
            ASSERT_EQ(fired, wheel->curframe == wheel->firstframe) << "delay " << delay << " call " << call;
            shots += fired;
            first_image += wheel->curframe == wheel->firstframe;
        }
        EXPECT_EQ(shots, 3 * (delay + 2)) << "each image shows for delay + 2 frames";
        wheel->hitpoints = 0;
        frames();

        Sprite* head = place("bossdragonhead", 200, 200);
        head->state = 1;
        head->param4 = 1;  // no neck
        head->framedelay = delay;
        int head_shots = 0, last_image = 0;
        for (int call = 0; call < 500 && head->state == 1; ++call) {
            const size_t before = Sprite::the_level->size();
            const bool swing_over = head->param3 == 1;
            run(head);
            if (swing_over && head->param3 == 0) break;  // back on its first image: a new move
            const bool fired = Sprite::the_level->size() > before;
            ASSERT_EQ(fired, head->curframe == head->lastframe) << "delay " << delay << " call " << call;
            head_shots += fired;
            last_image += head->curframe == head->lastframe;
        }
        EXPECT_EQ(head_shots, delay + 2) << "one swing";
        head->hitpoints = 0;
        frames();
    }
}

TEST_F(BossParts, DragonHeadLungeEndsOnlyAtX320X50OrY380) {
    scroll = 0;
    struct Case {
        int ship_h, ship_v, end_x, end_y;  // -1: not checked
    };
    // Up and left: held at y 20 until x < 50. Down: ends at y 380. Right: past x 320.
    for (const Case c : {Case{-300, -300, 48, 20}, Case{200, 900, -1, 380}, Case{900, 60, 324, -1}}) {
        Sprite* head = place("bossdragonhead", 280, 25);
        head->state = 2;
        head->param4 = 1;  // no neck
        player1h = c.ship_h;
        player1v = c.ship_v;
        run(head, 2);  // wound up, then aimed
        for (int f = 0; f < 500 && head->state == 2; ++f) {
            run(head);
            ASSERT_GE(head->y, 20);
        }
        EXPECT_EQ(head->state, 1);
        EXPECT_EQ(c.end_x < 0 ? -1 : head->x, c.end_x);
        EXPECT_EQ(c.end_y < 0 ? -1 : head->y, c.end_y);
        head->hitpoints = 0;
    }
}

TEST_F(BossParts, DragonHeadTakesItsWholeNeckWithItWithoutDrops) {
    scroll = 0;
    Sprite* head = place("bossdragonhead", 300, 200);
    head->state = 1;
    frames();
    std::vector<Sprite*> neck;
    for (Sprite* s = head->nextchild; s != nullptr; s = s->nextchild) neck.push_back(s);
    ASSERT_EQ(neck.size(), 24u);
    EXPECT_EQ(neck.front()->param1 + neck[1]->param1, 2);  // the fixed base comes first
    EXPECT_EQ(neck.back()->state, 0);                      // the segment at the head last
    head->state = 5;
    head->param1 = 30;
    frames(20);
    EXPECT_EQ(head->x, 220);
    EXPECT_EQ(neck.front()->x, 300);
    EXPECT_LT(neck.back()->x, 300);  // follows the head

    scroll = -2;
    head->hitpoints = 1;
    hit_once(head, 1);  // too weak to destroy a segment on its own
    EXPECT_EQ(scroll, -1);
    EXPECT_EQ(living("powerup"), 2);  // the 10-pixel head's rows 1 and 7 only
    frames();
    EXPECT_EQ(living("neckone") + living("necktwo") + living("neckthree") + living("neckfour"), 0);
}

TEST_F(BossParts, MountainTopEyeLosesExactlyOnePerHitOnlyWhileBothTriggerEyesAreLit) {
    Sprite* body = place("mountainboss", 352, 100);
    frames(2);
    EXPECT_EQ(scroll, 0);
    body->state = 4;  // hold the body still
    body->param6 = 1000000;
    body->param7 = body->param8 = 0;
    std::vector<Sprite*> eyes;  // target, then the trigger eyes
    for (Sprite* s = body->nextchild; s != nullptr; s = s->nextchild)
        if (s->behavior == &movemountainbosseye) eyes.push_back(s);
    ASSERT_EQ(eyes.size(), 3u);
    Sprite* target = eyes[0];

    Sprite* on_target = shot_on(target, 50);
    Sprite* on_one = shot_on(eyes[1], 50);
    frames(40);
    EXPECT_EQ(body->param1, 1);  // one trigger lit
    EXPECT_EQ(target->hitpoints, 3);
    on_target->hitpoints = on_one->hitpoints = 0;

    for (int expected : {2, 1, 0}) {
        Sprite* a = shot_on(eyes[1], 50);
        Sprite* b = shot_on(eyes[2], 50);
        for (int f = 0; f < 200 && (body->param1 != 1 || body->param2 != 1); ++f) frames();
        a->hitpoints = b->hitpoints = 0;
        frames();
        hit_once(target, 50);
        EXPECT_EQ(target->hitpoints, expected);
        EXPECT_EQ(body->param1 + body->param2, 0);  // unlit again
    }
    EXPECT_EQ(scroll, 0);
    frames();
    EXPECT_LT(body->hitpoints, 1);
    EXPECT_EQ(scroll, 1);
}
