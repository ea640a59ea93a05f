// The mountain boss's eyes and the final boss's shell and guns.
#include "bosses_fixture.h"

class MountainFinal : public BossTest {
protected:
    void SetUp() override {
        BossTest::SetUp();
        masters({"mountainboss"}, 3, 60, 60);
        masters({"mountainbosseye", "mountainbosseyelid", "mountainbosseyetwo", "mountainbosscannonup",
                 "mountainbosscannondown", "mountainbossenergyhorizontal", "mountainbossenergyverticle"},
                5);
        masters({"finalbossshell"}, 1, 100, 100);
        masters({"finalbossgunone", "finalbossguntwo", "finalbossgunthree", "finalbossgunfour",
                 "finalbossgunfive", "finalbossshotone", "finalbossshottwo", "citybossshotone"},
                1);
        set_behaviors();
    }
    // The body's eyes in chain order: target, trigger one, trigger two.
    static std::vector<Sprite*> eyes(Sprite* body) {
        std::vector<Sprite*> out;
        for (Sprite* s = body->nextchild; s != nullptr; s = s->nextchild)
            if (s->behavior == &movemountainbosseye) out.push_back(s);
        return out;
    }
};

TEST_F(MountainFinal, TopEyeLosesExactlyOnePerHitOnlyWhileBothTriggerEyesAreLit) {
    Sprite* body = place("mountainboss", 352, 100);
    frames(2);
    EXPECT_EQ(scroll, 0);
    body->state = 4;  // hold the body still
    body->param6 = 1000000;
    body->param7 = body->param8 = 0;
    const std::vector<Sprite*> e = eyes(body);
    ASSERT_EQ(e.size(), 3u);
    Sprite *target = e[0], *one = e[1], *two = e[2];
    EXPECT_EQ(target->x, body->x - 18);
    EXPECT_EQ(two->y, body->y + 250);
    EXPECT_EQ(living("mountainbosseyetwo"), 4);  // two placed, two lit copies

    Sprite* on_target = shot_on(target, 50);
    frames(40);
    EXPECT_EQ(target->hitpoints, 3);
    Sprite* on_one = shot_on(one, 50);
    frames(40);
    EXPECT_EQ(body->param1, 1);
    EXPECT_EQ(body->param2, 0);
    EXPECT_EQ(target->hitpoints, 3);

    on_target->hitpoints = 0;
    on_one->hitpoints = 0;
    frames();
    for (int expected : {2, 1}) {
        Sprite* a = shot_on(one, 50);
        Sprite* b = shot_on(two, 50);
        int f = 0;
        while ((body->param1 != 1 || body->param2 != 1) && f++ < 200) frames();
        a->hitpoints = b->hitpoints = 0;
        frames();
        hit_once(target, 50);
        EXPECT_EQ(target->hitpoints, expected);
        EXPECT_EQ(body->param1, 0);  // unlit again
        EXPECT_EQ(body->param2, 0);
        hit_once(target, 50);
        EXPECT_EQ(target->hitpoints, expected);
    }
    EXPECT_EQ(scroll, 0);
    Sprite* a = shot_on(one, 50);
    Sprite* b = shot_on(two, 50);
    int f = 0;
    while ((body->param1 != 1 || body->param2 != 1) && f++ < 200) frames();
    a->hitpoints = b->hitpoints = 0;
    frames();
    hit_once(target, 50);
    EXPECT_EQ(body->param4, 1);
    frames();
    EXPECT_LT(body->hitpoints, 1);
    for (const Sprite* s = body->nextchild; s != nullptr; s = s->nextchild)
        if (s->state != 2 || s->behavior != &movemountainboss) {
            EXPECT_LT(s->hitpoints, 1);
        }
    EXPECT_EQ(scroll, 1);
    frames();
    EXPECT_EQ(living("mountainbosseye"), 0);
    EXPECT_EQ(scroll, 1);
}

TEST_F(MountainFinal, FinalShellIsHurtOnlyOnceItsFiveGunsAreGone) {
    Sprite* shell = place("finalbossshell", 402, 150);
    frames();
    EXPECT_EQ(scroll, 0);
    int guns = 0;
    for (Sprite* g = shell->nextchild; g != nullptr; g = g->nextchild) ++guns;
    EXPECT_EQ(guns, 5);
    shell->state = 4;  // pause: no ramming during the test
    Sprite* s = shot_on(shell, 5);
    frames(3);
    EXPECT_EQ(shell->hitpoints, 100 * 4 + 4 * 2);
    s->hitpoints = 0;
    for (Sprite* g = shell->nextchild; g != nullptr; g = g->nextchild) g->hitpoints = 0;
    shell->state = 4;
    hit_once(shell, 5);
    EXPECT_EQ(shell->hitpoints, 100 * 4 + 4 * 2 - 5);
    shell->state = 4;
    hit_once(shell, 1000);
    EXPECT_EQ(scroll, 1);
}

TEST_F(MountainFinal, FinalGunsFireOnlyWhileTheShellSwitchesThemOn) {
    scroll = 0;
    Sprite* shell = place("finalbossshell", 300, 150);
    run(shell);  // brings out its guns
    shell->state = 4;
    Sprite* gun_one = nullptr;
    for (Sprite* g = shell->nextchild; g != nullptr; g = g->nextchild)
        if (g->behavior == &movefinalbossgunone) gun_one = g;
    ASSERT_NE(gun_one, nullptr);
    auto shots_of_gun_one = [] {
        int n = 0;
        for (const Sprite* s : *Sprite::the_level) n += s->behavior == &movefinalbossshottwo;
        return n;
    };
    gun_one->firecount = 1000;
    run(gun_one);
    EXPECT_EQ(shots_of_gun_one(), 0);
    EXPECT_EQ(gun_one->x, shell->x + 20);
    shell->param2 = 1;  // sweeping down
    gun_one->firecount = 1000;
    run(gun_one);
    EXPECT_EQ(shots_of_gun_one(), 1);
}
