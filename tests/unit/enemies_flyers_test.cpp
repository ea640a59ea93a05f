// The flying families' patterns: a stand-off, a band, a loop. (Where each
// is at which frame is the golden traces' business.)
#include <algorithm>

#include "enemies_fixture.h"

class Flyers : public EnemyTest {
protected:
    void SetUp() override {
        EnemyTest::SetUp();
        for (const char* name : {"metalbluehelicopter", "crystalredship", "magiccarpet", "spacefrogship"})
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

TEST_F(Flyers, LooperFliesItsRectangle) {
    Sprite* f = place("spacefrogship", 300, 100);
    std::vector<int> states{0};
    for (int i = 0; i < 300 && states.size() < 7; ++i) {
        run(f);
        if (f->state != states.back()) states.push_back(f->state);
    }
    EXPECT_EQ(states, (std::vector<int>{0, 1, 2, 3, 4, 5, 2}));
}
