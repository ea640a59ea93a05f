// Meteors and blobs: fragments per hit and the last burst.
#include "enemies_fixture.h"

class Splitters : public EnemyTest {
protected:
    void SetUp() override {
        EnemyTest::SetUp();
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

TEST_F(Splitters, BigMeteorReleasesOneFragmentPerPointOfDamage) {
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
}

TEST_F(Splitters, LastBurstThrowsThreeToTenFragments) {
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
