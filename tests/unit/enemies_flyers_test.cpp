// The flying families, each through the states of its pattern.
#include <algorithm>

#include "enemies_fixture.h"

class Flyers : public EnemyTest {
protected:
    void SetUp() override {
        EnemyTest::SetUp();
        for (const char* name : {"metalbluehelicopter", "spacewhiteship",
                                 "crystalredship", "magiccarpet", "spacegreenship", "spacefrogship",
                                 "metalgreenship"})
            master(name, 8);
        set_behaviors();
    }
};

TEST_F(Flyers, HelicopterDartsInToFortyFivePixelsAndBacksOff) {
    Sprite* h = place("metalbluehelicopter", 300, 200);
    h->state = 1;
    int min_x = h->x, dips = 0;
    for (int i = 0, last = h->x; i < 200; ++i, last = h->x) {
        run(h);
        min_x = std::min(min_x, h->x);
        if (h->x > last && last < 150) ++dips;  // turned back right near the ship
    }
    EXPECT_GE(min_x, 100 + 45 - 4);
    EXPECT_GE(dips, 2);
}

TEST_F(Flyers, StalkerWithNoStandOffComesLevelWithTheShipBeforeBackingOff) {
    Sprite* s = place("spacewhiteship", 130, 200);
    s->state = 1;
    int min_x = s->x;
    for (int i = 0; i < 15; ++i, min_x = std::min(min_x, s->x)) run(s);
    EXPECT_EQ(min_x, 97);
    EXPECT_EQ(s->x, 97 + 4 * 8);  // backing off
    EXPECT_EQ(s->y, 200 + 11 * 4);  // weaving down while closing in
}

TEST_F(Flyers, ZigzagsStayInTheirBands) {
    for (auto [name, band] : {std::pair{"crystalredship", 10}, std::pair{"magiccarpet", 30}}) {
        Sprite* z = place(name, 495, 200);
        int lo = 200, hi = 200;
        for (int i = 0; i < 120; ++i, lo = std::min(lo, z->y), hi = std::max(hi, z->y)) run(z);
        EXPECT_EQ(z->param1, 200) << name;  // the base line
        EXPECT_EQ(hi, 200 + band + 2) << name;
        EXPECT_EQ(lo, 200 - band - 2) << name;
    }
}

TEST_F(Flyers, DiversDiveFromHighAndClimbFromLow) {
    Sprite* high = place("spacegreenship", 400, 100);
    Sprite* low = place("spacegreenship", 400, 300);
    high->state = low->state = 1;
    run(high, 52);
    run(low, 52);
    EXPECT_EQ(high->y, 100 + 51 * 4);
    EXPECT_EQ(low->y, 300 - 51 * 4);
    run(high);
    EXPECT_EQ(high->x, 400 - 51 * 3 - 6);  // then level flight
    EXPECT_EQ(high->y, 304);
}

TEST_F(Flyers, LooperFliesItsRectangle) {
    Sprite* f = place("spacefrogship", 300, 100);
    std::vector<int> states{0};
    for (int i = 0; i < 300 && states.size() < 7; ++i) {
        run(f);
        if (f->state != states.back()) states.push_back(f->state);
    }
    EXPECT_EQ(states, (std::vector<int>{0, 1, 2, 3, 4, 5, 2}));
}

TEST_F(Flyers, EmergingFighterLeavesItsHatchThenFliesLevelOnFrameThree) {
    Sprite* up = place("metalgreenship", 300, 300);
    Sprite* down = place("metalgreenship", 300, 100);
    up->param1 = -11;
    down->param1 = 11;
    run(up, 11);
    run(down, 11);
    EXPECT_EQ(up->y, 245);
    EXPECT_EQ(down->framenumber, 8);
    run(up, 3);
    run(down, 5);
    EXPECT_EQ(up->x, 270);
    EXPECT_EQ(up->framenumber, 3);
    EXPECT_EQ(down->framenumber, 3);
}
