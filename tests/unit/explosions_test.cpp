// Explosions and drops: blast layout, the drop table, boss blasts, the rock.
#include <cmath>
#include <string>

#include "players_fixture.h"

namespace {

class Explosions : public PlayField {
protected:
    // A dying sprite of w x h pixels at (200, 100), its image offset by (3, 4).
    Sprite* victim(int w, int h) {
        const std::string name = "victim" + std::to_string(++victims);
        make_master(name, 1, w, h, 3, 4);
        return place(name, 200, 100);
    }
    int victims = 0;
};

TEST_F(Explosions, SizesOfAPlainExplosion) {
    setframe(master("standardexplosionbig"), 5);
    explode(victim(40, 20), false, 0);
    ASSERT_EQ(count("standardexplosionbig"), 1);
    const Sprite* big = copies("standardexplosionbig")[0];
    EXPECT_EQ(at(big), std::pair(223, 114));
    EXPECT_EQ(big->framenumber, 1);
    EXPECT_EQ(Sprite::the_level->size(), 2u) << "no drop without the drop flag";

    explode(victim(12, 25), false, 1);
    const std::vector<Sprite*> small = copies("standardexplosion");
    ASSERT_EQ(small.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(small[i]->y, 101 + 10 * i);
        EXPECT_GE(small[i]->x, 200);
        EXPECT_LE(small[i]->x, 212);
    }
    explode(victim(12, 1), false, 1);
    EXPECT_EQ(count("standardexplosion"), 3) << "a 1-pixel sprite makes no blast";
}

TEST_F(Explosions, DropTableProportions) {
    Sprite* s = victim(40, 20);
    const int draws = 20000;
    for (int i = 0; i < draws; ++i) explode(s, true, 0);
    const char* kinds[] = {"bluepowerup", "missilepowerup", "heatseekerpowerup", "photonpowerup",
                           "starpowerup"};
    const double shares[] = {8.0 / 26, 4.0 / 26, 4.0 / 26, 4.0 / 26, 6.0 / 26};
    int weapons = 0;
    for (const char* k : kinds) weapons += count(k);
    // Within five standard deviations of the expected count.
    auto near = [](int seen, int n, double p) {
        return std::abs(seen - n * p) < 5 * std::sqrt(n * p * (1 - p));
    };
    EXPECT_TRUE(near(count("powerup"), draws, 400.0 / 1001)) << count("powerup");
    EXPECT_TRUE(near(weapons, draws, 100.0 / 1001)) << weapons;
    for (int i = 0; i < 5; ++i) EXPECT_TRUE(near(count(kinds[i]), weapons, shares[i])) << kinds[i];
    const Sprite* drop = copies("powerup").front();
    EXPECT_EQ(at(drop), std::pair(223, 104));
}

TEST_F(Explosions, BossExplosionAlternatesRows) {
    bossexplode(victim(50, 120), true);
    const std::vector<Sprite*> small = copies("standardexplosion");
    const std::vector<Sprite*> big = copies("standardexplosionbig");
    ASSERT_EQ(small.size(), 10u);
    ASSERT_EQ(big.size(), 10u);
    EXPECT_EQ(count("powerup"), 20);
    bool varied = false;
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(small[i]->y, 101 + 12 * i);
        EXPECT_EQ(big[i]->y, 107 + 12 * i);
        varied = varied || small[i]->framenumber != small[0]->framenumber;
    }
    EXPECT_TRUE(varied) << "blasts start on different frames";

    clear_sprites();
    PlayField::SetUp();
    bossexplode(victim(30, 6), false);
    EXPECT_EQ(count("standardexplosion"), 1);
    EXPECT_EQ(count("standardexplosionbig") + count("powerup"), 0);
}

TEST_F(Explosions, RockCrumblesAfterTheThirdHit) {
    Sprite* rock = place("rockexplosion", 300, 200);
    rock->hitpoints = 10;
    place("blueshot", 305, 210)->damage = 4;
    step(rock);
    step(rock);
    EXPECT_EQ(rock->state, 0);
    step(rock);
    EXPECT_EQ(rock->state, 1);
    EXPECT_EQ(rock->framenumber, 2);
    step(rock);  // still hit: held at 1 while it crumbles
    EXPECT_EQ(rock->hitpoints, 1);
    step(rock);
    EXPECT_EQ(rock->hitpoints, 0);
}

}  // namespace
