// Boss parts: the city boss's eyes, the cave boss's and the dragon heads'
// fire, the dragon's heads and necks, the mountain boss's eyes.
#include <vector>

#include "bosses_fixture.h"

class BossParts : public BossTest {
protected:
    void SetUp() override {
        BossTest::SetUp();
        masters({"cityboss",
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
