// Hives and the bee forms that turn into each other.
#include "enemies_fixture.h"

class Hives : public EnemyTest {
protected:
    void SetUp() override {
        EnemyTest::SetUp();
        for (const char* name : {"hivedown", "hivebeebluefly", "hivebeeblueattack", "hivebeeyellow",
                                 "hivebeeyellowattack"})
            master(name, 3, 20, 20);
        set_behaviors();
    }
};

TEST_F(Hives, HangingHiveDropsBeesWithTheLevelsHitPointsLeavingTheMastersAlone) {
    Sprite* hive = place("hivedown", 100, 50);
    for (int i = 0; i < 10; ++i) {
        ready_to_fire(hive);
        run(hive);
        const Sprite* bee = Sprite::the_level->front();
        ASSERT_NE(bee, hive);
        EXPECT_EQ(bee->x, 130);
        EXPECT_EQ(bee->y, 75);
        EXPECT_EQ(bee->param1, 15);
        EXPECT_EQ(bee->hitpoints, basehitpoints + totalpoweruplevel);
    }
    EXPECT_FALSE(copies_of("hivebeebluefly").empty());
    EXPECT_FALSE(copies_of("hivebeeyellow").empty());
    EXPECT_EQ(Sprite::getnamedsprite("hivebeeyellow")->hitpoints, basehitpoints + 2 * totalpoweruplevel);
}

TEST_F(Hives, YellowBeeAttacksAndReturnsToDodgingWithItsHitPointsAndHeading) {
    Sprite* bee = place("hivebeeyellow", 400, 200);
    bee->hitpoints = 7;
    bee->param4 = 1;
    ready_to_fire(bee);
    run(bee);
    ASSERT_EQ(copies_of("hivebeeyellowattack").size(), 1u);
    Sprite* attack = copies_of("hivebeeyellowattack")[0];
    EXPECT_EQ(attack->hitpoints, 7);
    EXPECT_EQ(attack->param4, 1);

    run(attack);  // still right of the ship at x 100
    EXPECT_EQ(attack->hitpoints, 7);
    attack->x = 99;
    run(attack);
    EXPECT_EQ(attack->hitpoints, 0);
    ASSERT_EQ(copies_of("hivebeeyellow").size(), 2u);
    const Sprite* again = copies_of("hivebeeyellow")[1];
    EXPECT_EQ(again->hitpoints, 7);
    EXPECT_EQ((std::vector<int>{again->param1, again->param2, again->param3, again->param4}),
              (std::vector<int>{0, 1, 10, 1}));
    EXPECT_EQ(Sprite::getnamedsprite("hivebeeyellow")->param2, 0);
}
