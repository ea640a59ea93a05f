#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "app/globals.h"
#include "behaviours/behaviours.h"
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
        walker->layer = 0;
    }
    void TearDown() override { clear_sprites(); }

    // Layer-1 scenery; the walker itself is not in the level list.
    static Sprite* scenery(const char* name, int x, int y) {
        Sprite* s = place(name, x, y, 1);
        activate_all();
        return s;
    }

    void expect_at(int x, int y) const {
        EXPECT_EQ(walker->x, x);
        EXPECT_EQ(walker->y, y);
    }

    Sprite* walker = nullptr;
};

TEST_F(HelpersMovement, GoingLeftSlidesOverALowWallOrUnderAHangingOne) {
    Sprite* wall = scenery("wall", 80, 106);  // top 3 rows above the walker's lowest row (109)
    movespritelayer(walker, -4, 0);
    expect_at(99, 95);

    walker->x = 100;
    walker->y = 100;
    wall->y = 103 - 40;  // bottom row 102: 3 rows below the walker's top
    movespritelayer(walker, -4, 0);
    expect_at(99, 105);
}

TEST_F(HelpersMovement, AHighWallStopsTheWalkerWhereItStarted) {
    scenery("tallwall", 80, 60);
    movespritelayer(walker, -4, 0);
    expect_at(100, 100);
    // No sliding to the right: it stops against the wall it meets.
    walker->x = 50;
    movespritelayer(walker, 40, 0);
    expect_at(70, 100);
}

TEST_F(HelpersMovement, VerticalBlockSkipsTheHorizontalPart) {
    Sprite* floor = scenery("ground", 0, 115);
    movespritelayer(walker, -3, 10);
    expect_at(100, 105);
    floor->x = 1000;
    movespritelayer(walker, -3, -4);
    expect_at(97, 101);
}

TEST_F(HelpersMovement, WalkersFallOntoGroundAndClimbSteps) {
    scenery("ground", 0, 200);
    walker->x = 50;
    walker->y = 150;
    movealongground(walker, 0);
    EXPECT_EQ(walker->y, 160);  // at most 10 a call
    for (int i = 0; i < 5; ++i) movealongground(walker, 0);
    EXPECT_EQ(walker->y, 190);  // standing: lowest row just above the ground

    scenery("ground", 100, 198);  // a step two pixels up
    for (int i = 0; i < 20; ++i) movealongground(walker, 5);
    EXPECT_EQ(walker->y, 188);
    EXPECT_GT(walker->x, 140);
}

TEST_F(HelpersMovement, SixteenDirectionsWithStrictSectorBoundaries) {
    // (|dx|, |dy|) pairs across every boundary of a quadrant, and what each
    // gives in the up-left, down-left, up-right and down-right quadrants.
    const int shape[][2] = {{31, 10}, {30, 10}, {21, 10}, {20, 10}, {10, 10},
                            {10, 20}, {10, 21}, {10, 30}, {10, 31}};
    const int expected[4][9] = {
        {1, 2, 2, 3, 3, 3, 4, 4, 5},
        {1, 16, 16, 15, 15, 15, 14, 14, 13},
        {9, 8, 8, 7, 7, 7, 6, 6, 5},
        {9, 10, 10, 11, 11, 11, 12, 12, 13},
    };
    const int signs[4][2] = {{-1, -1}, {-1, 1}, {1, -1}, {1, 1}};
    std::set<int> seen;
    for (int q = 0; q < 4; ++q)
        for (int i = 0; i < 9; ++i) {
            const int d = direction_of_vector(signs[q][0] * shape[i][0], signs[q][1] * shape[i][1]);
            EXPECT_EQ(d, expected[q][i]) << "quadrant " << q << " case " << i;
            seen.insert(d);
        }
    EXPECT_EQ(seen.size(), 16u);

    const struct {
        int dx, dy, dir;
    } listed[] = {{-10, -10, 3}, {10, 0, 9},   {0, -5, 5},  {-10, 4, 16}, {10, 4, 10}, {10, 3, 9},
                  {-4, 10, 14},  {-4, 7, 15},  {4, -10, 6}, {0, 0, 11},   {-7, 0, 1},  {0, 9, 13}};
    for (const auto& v : listed)
        EXPECT_EQ(direction_of_vector(v.dx, v.dy), v.dir) << v.dx << "," << v.dy;
    EXPECT_EQ(findangletosprite(110, 104, 100, 100), 10);  // target minus origin
}

TEST_F(HelpersMovement, AimsAtTheNearerPlayerAndAtPlayerTwoOnTies) {
    player1h = 0, player1v = 100;      // 100 to the left of (100, 100)
    player2h = 100, player2v = 0;      // 100 above
    EXPECT_EQ(findangletoplayer(100, 100), 5);
    player1h = 10;
    EXPECT_EQ(findangletoplayer(100, 100), 1);
    player1h = player1v = -10000;       // a dead player is far away
    EXPECT_EQ(findangletoplayer(100, 100), 5);
    player1h = player1v = player2h = player2v = 0;
}

class HelpersShoot : public ::testing::Test {
protected:
    void TearDown() override {
        skilllevel = 2;
        player1hitpoints = player2hitpoints = 0;
    }
    // Calls (from 1) on which shoot returned true, over `calls` calls.
    static std::vector<int> firing_calls(int firedelay, int calls) {
        Sprite s;
        s.firedelay = firedelay;
        s.firecount = 0;
        std::vector<int> out;
        for (int i = 1; i <= calls; ++i)
            if (shoot(&s)) out.push_back(i);
        return out;
    }
};

TEST_F(HelpersShoot, GateDependsOnHowManyPlayersAreAliveAndTheSkill) {
    player1hitpoints = 4;
    player2hitpoints = 0;
    EXPECT_EQ(firing_calls(35, 80), (std::vector<int>{36, 72}));
    player2hitpoints = 3;
    EXPECT_EQ(firing_calls(35, 65), (std::vector<int>{30, 60}));
    EXPECT_EQ(firing_calls(3, 15), (std::vector<int>{7, 14}));  // limit never below 6
    skilllevel = 1;
    EXPECT_EQ(firing_calls(10, 12), (std::vector<int>{4, 8, 12}));
}

}  // namespace
