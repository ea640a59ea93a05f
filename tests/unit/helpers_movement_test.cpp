#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

#include "behaviours/helpers.h"
#include "state/globals.h"
#include "support/sprite_fixtures.h"

namespace {

class HelpersMovement : public ::testing::Test {
protected:
    void SetUp() override {
        clear_sprites();
        make_master("walker", 1, 10, 10);
        make_master("wall", 1, 20, 40);
        make_master("tallwall", 1, 20, 80);
        make_master("ground", 1, 200, 20);
        walker = place("walker", 100, 100);
    }
    void TearDown() override { clear_sprites(); }

    static Sprite* scenery(const char* name, int x, int y) {
        Sprite* s = place(name, x, y, 1);
        activate_all();
        return s;
    }
    std::pair<int, int> at() const { return {walker->x, walker->y}; }
    using P = std::pair<int, int>;
    Sprite* walker = nullptr;
};

TEST_F(HelpersMovement, SlidingOverOrUnderWallsOnlyWhenGoingLeft) {
    Sprite* wall = scenery("wall", 80, 106);  // top 3 rows above the walker's lowest row
    movespritelayer(walker, -4, 0);
    EXPECT_EQ(at(), P(99, 95));
    walker->x = 100, walker->y = 100;
    wall->y = 63;  // bottom row 102: 3 rows below the walker's top
    movespritelayer(walker, -4, 0);
    EXPECT_EQ(at(), P(99, 105));

    wall->x = 1000;
    Sprite* high = scenery("tallwall", 80, 60);
    walker->x = 100, walker->y = 100;
    movespritelayer(walker, -4, 0);
    EXPECT_EQ(at(), P(100, 100));  // stuck where it started
    walker->x = 50;
    movespritelayer(walker, 40, 0);
    EXPECT_EQ(at(), P(70, 100));  // to the right it just stops

    high->x = 1000;
    scenery("ground", 0, 115);
    movespritelayer(walker, -3, 10);
    EXPECT_EQ(at(), P(70, 105));  // blocked vertically: no horizontal part
}

TEST_F(HelpersMovement, SixteenDirectionsWithStrictSectorBoundariesAimedAtTheNearerPlayer) {
    // (|dx|, |dy|) across every boundary of a quadrant, and the direction in
    // the up-left, down-left, up-right and down-right quadrants.
    const int shape[][2] = {{31, 10}, {30, 10}, {21, 10}, {20, 10}, {10, 10},
                            {10, 20}, {10, 21}, {10, 30}, {10, 31}};
    const int expected[4][9] = {{1, 2, 2, 3, 3, 3, 4, 4, 5},
                                {1, 16, 16, 15, 15, 15, 14, 14, 13},
                                {9, 8, 8, 7, 7, 7, 6, 6, 5},
                                {9, 10, 10, 11, 11, 11, 12, 12, 13}};
    const int signs[4][2] = {{-1, -1}, {-1, 1}, {1, -1}, {1, 1}};
    std::set<int> seen;
    for (int q = 0; q < 4; ++q)
        for (int i = 0; i < 9; ++i) {
            const int d = direction_of_vector(signs[q][0] * shape[i][0], signs[q][1] * shape[i][1]);
            EXPECT_EQ(d, expected[q][i]) << "quadrant " << q << " case " << i;
            seen.insert(d);
        }
    EXPECT_EQ(seen.size(), 16u);
    const int listed[][3] = {{-10, -10, 3}, {10, 0, 9}, {0, -5, 5}, {-10, 4, 16}, {10, 4, 10},
                             {10, 3, 9},    {-4, 10, 14}, {-4, 7, 15}, {4, -10, 6}, {0, 0, 11}};
    for (const auto& v : listed) EXPECT_EQ(direction_of_vector(v[0], v[1]), v[2]);
    EXPECT_EQ(findangletosprite(110, 104, 100, 100), 10);  // target minus origin

    // At the nearer player, at player two on ties.
    player1h = 0, player1v = 100;
    player2h = 100, player2v = 0;
    EXPECT_EQ(findangletoplayer(100, 100), 5);
    player1h = 10;
    EXPECT_EQ(findangletoplayer(100, 100), 1);
    player1h = player1v = player2h = player2v = 0;
}

TEST(HelpersShoot, GateDependsOnHowManyPlayersAreAliveAndTheSkill) {
    const auto firing_calls = [](int firedelay, int calls) {
        Sprite s;
        s.firedelay = firedelay;
        s.firecount = 0;
        std::vector<int> out;
        for (int i = 1; i <= calls; ++i)
            if (shoot(&s)) out.push_back(i);
        return out;
    };
    player1hitpoints = 4;
    player2hitpoints = 0;
    EXPECT_EQ(firing_calls(35, 80), (std::vector<int>{36, 72}));
    player2hitpoints = 3;
    EXPECT_EQ(firing_calls(35, 65), (std::vector<int>{30, 60}));
    EXPECT_EQ(firing_calls(3, 15), (std::vector<int>{7, 14}));  // limit never below 6
    skilllevel = 1;
    EXPECT_EQ(firing_calls(10, 12), (std::vector<int>{4, 8, 12}));
    skilllevel = 2;
    player1hitpoints = player2hitpoints = 0;
}

}  // namespace
