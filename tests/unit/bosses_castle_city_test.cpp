// The castle's horse gate and dragon, and the city boss with its eyes.
#include "bosses_fixture.h"

class CastleCity : public BossTest {
protected:
    void SetUp() override {
        BossTest::SetUp();
        masters({"horse", "horsehead", "horseback", "bossdragon", "bossdragonhead", "cityboss",
                 "citybosseyesone", "citybosseyestwo", "citybosseyesthree", "citybosseyesfour",
                 "citybossshotone", "citybossshotfour"},
                4);
        masters({"neckone", "necktwo", "neckthree", "neckfour"}, 12, 6, 6);
        set_behaviors();
    }
    static int shots_in_level() {
        int n = 0;
        for (const Sprite* s : *Sprite::the_level) n += s->behavior == &moveenemyshot || s->behavior == &movesqurmyshot;
        return n;
    }
};

TEST_F(CastleCity, HorseGateHoldsUntilHeadAndBackHaveFallen) {
    Sprite* body = place("horse", 402, 100);
    frames(2);
    EXPECT_EQ(scroll, -1);
    Sprite* head = first("horsehead");
    Sprite* back = first("horseback");
    ASSERT_NE(head, nullptr);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(head->x, body->x - 77);
    EXPECT_EQ(back->y, body->y + 82);
    hit_once(head, 1000);
    EXPECT_EQ(scroll, 0);
    EXPECT_GE(body->hitpoints, 1);
    hit_once(back, 1000);
    EXPECT_EQ(scroll, 1);
    frames();
    EXPECT_LT(body->hitpoints, 1);
}

TEST_F(CastleCity, DragonHeadLungesUntilAnEdgeAndIsOnlyHeldAtTheTop) {
    scroll = 0;
    struct Case {
        int player_h, player_v;
        int end_x, end_y;  // where the lunge ends (-1: not checked)
    };
    // Up and left: held at y 20 until x < 50. Down: ends at y 380. Right: ends past x 320.
    for (const Case c : {Case{-300, -300, 48, 20}, Case{200, 900, -1, 380}, Case{900, 60, 324, -1}}) {
        Sprite* head = place("bossdragonhead", 280, 25);
        head->state = 2;
        head->param4 = 1;  // no neck
        player1h = c.player_h;
        player1v = c.player_v;
        run(head, 2);  // wound up, then aimed
        int frames_run = 0;
        while (head->state == 2 && frames_run++ < 500) {
            run(head);
            EXPECT_GE(head->y, 20);
            EXPECT_LE(head->y, 380);
        }
        EXPECT_EQ(head->state, 1);
        EXPECT_EQ(head->param2, 0);
        if (c.end_x >= 0) {
            EXPECT_EQ(head->x, c.end_x);
        }
        if (c.end_y >= 0) {
            EXPECT_EQ(head->y, c.end_y);
        }
        head->hitpoints = 0;
    }
}

TEST_F(CastleCity, DragonHeadTakesItsWholeNeckWithItWithoutDrops) {
    Sprite* head = place("bossdragonhead", 300, 200);
    head->state = 1;
    scroll = 0;
    frames();
    int segments = 0;
    for (Sprite* s = head->nextchild; s != nullptr; s = s->nextchild) ++segments;
    ASSERT_EQ(segments, 24);
    Sprite* base = head->nextchild;  // spawned last, next to the head in the chain
    EXPECT_EQ(base->state, 4);
    EXPECT_EQ(base->param1, 1);
    EXPECT_EQ(base->nextchild->param1, 1);
    const int bx = base->x, by = base->y;
    head->state = 5;  // move left for a while
    head->param1 = 30;
    frames(20);
    EXPECT_EQ(head->x, 220);
    EXPECT_EQ(base->x, bx);
    EXPECT_EQ(base->y, by);
    Sprite* neck_end = base;
    while (neck_end->nextchild != nullptr) neck_end = neck_end->nextchild;
    EXPECT_EQ(neck_end->state, 0);
    EXPECT_LT(neck_end->x, 300);  // follows the head

    scroll = -2;
    const int head_rows = 2;  // a 10-pixel head bursts in rows 1 and 7
    head->hitpoints = 1;
    hit_once(head, 1);  // not enough to hurt a segment
    EXPECT_EQ(scroll, -1);
    EXPECT_EQ(living("powerup"), head_rows);
    frames();
    EXPECT_EQ(living("neckone") + living("necktwo") + living("neckthree") + living("neckfour"), 0);
}

TEST_F(CastleCity, CityEyeCountsDownNineteenFramesAndPassesItsHitsToTheBody) {
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
    EXPECT_EQ(eye->hitpoints, 19);
    frames(18);
    EXPECT_EQ(eye->hitpoints, 1);
    EXPECT_EQ(eye->framenumber, 4);  // open
    EXPECT_EQ(shots_in_level(), shots);
    const int body_hp = body->hitpoints;
    hit_once(eye, 50);
    EXPECT_EQ(body->hitpoints, body_hp - 50);
    EXPECT_EQ(eye->hitpoints, 1);
    int closing = 0;
    while (body->nextchild != nullptr && closing++ < 20) frames();
    EXPECT_LT(closing, 20);
    frames(2);
    EXPECT_EQ(body->state, 2);  // a new leg

    // Fire resumes at a ship to the left; the body dies only through an eye.
    player1h = 100;
    body->state = 3;
    setframe(body, 1);
    frames();
    ASSERT_NE(body->nextchild, nullptr);
    frames(5);
    EXPECT_GT(shots_in_level(), shots);
    hit_once(body->nextchild, body->hitpoints);
    EXPECT_LT(body->hitpoints, 1);
    EXPECT_EQ(scroll, 1);
}

TEST_F(CastleCity, CityBodyArtIsShiftedOnceWhateverTheNumberOfBodies) {
    place("cityboss", 600, 100);
    place("cityboss", 620, 200);
    frames(3);
    for (const Sprite::frame* f : Sprite::getnamedsprite("cityboss")->frames) {
        EXPECT_EQ(f->xoffset, 110);
        EXPECT_EQ(f->yoffset, 90);
    }
}
