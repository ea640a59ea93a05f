// Burning buildings, the wizard and the crusher.
#include "enemies_fixture.h"

class Structures : public EnemyTest {
protected:
    void SetUp() override {
        EnemyTest::SetUp();
        master("enemyshot");
        master("blueshot", 1, 20, 20);
        master("houseone", 1, 100, 60);
        master("fire", 2);
        master("wizard", 3, 20, 40);
        master("crusher", 3, 30, 30);
        master("floor", 1, 800, 20);
        set_behaviors();
    }
};

TEST_F(Structures, HouseCatchesFireWhereItIsHitAndCarriesIt) {
    Sprite* house = place("houseone", 200, 200);
    const int hp = house->hitpoints;
    place("blueshot", 240, 210);  // overlap 240..260 x 210..230
    run(house);
    EXPECT_EQ(house->hitpoints, hp - 1);
    ASSERT_EQ(living_children(house).size(), 1u);
    Sprite* fire = living_children(house)[0];
    EXPECT_EQ(fire->x, 245);  // a quarter of the way into the overlap
    EXPECT_EQ(fire->y, 215);
    EXPECT_EQ(fire->param1, 40);  // 245 - 5 - 200
    EXPECT_EQ(fire->param2, 10);

    house->x = 150;
    run(fire);
    EXPECT_EQ(fire->x, 190);  // rides on the house
    EXPECT_EQ(fire->y, 210);
}

TEST_F(Structures, WizardCastsOncePerSwing) {
    Sprite* w = place("wizard", 300, 200);
    run(w, 40);  // a swing over three frames takes ten frames
    ASSERT_EQ(copies_of("enemyshot").size(), 4u);
    EXPECT_EQ(copies_of("enemyshot")[0]->y, 180);
}

TEST_F(Structures, CrusherShaftGrowsToTheFloorAndShrinksBackToTheHousing) {
    Sprite* housing = place("crusher", 100, 0, 1);
    place("floor", 0, 100, 1);
    run(housing, 3);
    ASSERT_EQ(copies_of("crusher").size(), 2u);  // one head, once
    Sprite* head = copies_of("crusher")[1];
    EXPECT_EQ(head->x, 115);
    EXPECT_EQ(head->y, 24);
    EXPECT_EQ(head->hitclass, 7);

    run(head, 6);  // down to y 66, a segment per stroke
    ASSERT_EQ(living_children(head).size(), 6u);
    const Sprite* first = living_children(head)[0];
    EXPECT_EQ(first->x, 138);
    EXPECT_EQ(first->y, 24);
    EXPECT_EQ(first->hitclass, 7);
    EXPECT_EQ(first->framenumber, 3);
    run(head);  // meets the floor: turns and drops a segment
    EXPECT_EQ(head->y, 66);
    EXPECT_EQ(living_children(head).size(), 5u);
    run(head, 5);
    EXPECT_EQ(head->y, 31);
    EXPECT_TRUE(living_children(head).empty());
    run(head, 2);  // meets the housing, turns down again
    EXPECT_EQ(head->y, 38);
    EXPECT_EQ(living_children(head).size(), 1u);
}
