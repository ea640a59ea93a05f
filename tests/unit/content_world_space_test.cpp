// The generated Space world: its level resolves, its backdrop never lets the
// uncleared field show, and its art sits where the behaviours put things
// (the battleship's cannon slots and muzzles, the meteor's fragment point).
#include <gtest/gtest.h>

#include "content_world_checks.h"

namespace {

using world_checks::WorldData;

class SpaceWorld : public ::testing::Test {
protected:
    static void SetUpTestSuite() { data = new WorldData("Space"); }
    static void TearDownTestSuite() {
        delete data;
        data = nullptr;
    }
    static WorldData* data;
};
WorldData* SpaceWorld::data = nullptr;

struct Point {
    int x, y;
};

// Where the battleship bolts its cannons, and where each cannon frame fires from.
constexpr Point kUpperSlots[] = {{43, 127}, {227, 93}, {377, 125}, {551, 126}};
constexpr Point kLowerSlots[] = {{97, 300}, {228, 308}, {375, 275}, {555, 278}};
constexpr Point kUpperMuzzle[] = {{-15, 5}, {-15, 0}, {-5, -5}, {20, -50}, {35, -50}, {45, -40}, {95, -30}, {95, 0}};
constexpr Point kLowerMuzzle[] = {{-15, 20}, {-15, 20}, {-10, 35}, {20, 50}, {35, 65}, {45, 60}, {95, 35}, {95, 30}};

TEST_F(SpaceWorld, LevelResolvesAndEverySpawnedNameHasItsFrames) {
    data->expect_every_record_resolves();
    data->expect_frames({{"spaceboss", 1}, {"spacebosscannonup", 8}, {"spacebosscannondown", 8},
                         {"spacemetiorbig", 2}, {"spacemetiorsmall", 2}, {"spacewhiteship", 7},
                         {"spacegreenship", 7}, {"spacefrogship", 3}, {"rocketship", 1}, {"spacesatalite", 1},
                         {"enemyshot", 1}});
    for (const char* name : {"spaceboss", "spacebosscannonup", "spacebosscannondown", "spacemetiorsmall"})
        EXPECT_TRUE(data->world_has(name)) << name;
}

TEST_F(SpaceWorld, BackdropCoversTheFieldAndTheLevelRunsItsCourse) {
    data->expect_backdrop_covers_field();
    data->expect_timeline("spaceboss");
}

TEST_F(SpaceWorld, FlyersStartOutsideTheAsteroidBelts) {
    data->expect_clear_of({"spacewhiteship", "spacegreenship", "spacefrogship", "rocketship", "spacesatalite",
                           "spacemetiorbig"},
                          {"spacefloor", "spaceroof"});
}

TEST_F(SpaceWorld, CannonsStandOnColumnsFromTheHullWhichShieldsNoneOfThem) {
    // Each cannon carries its column into the hull: an upper one down to the
    // deck (row 157), a lower one up to the keel (row 275).
    for (const Point& s : kUpperSlots) {
        EXPECT_TRUE(data->opaque("spacebosscannonup", 0, 40, 161 - s.y)) << s.x;
        EXPECT_TRUE(data->opaque("spaceboss", 0, s.x + 40, 161)) << s.x;
    }
    for (const Point& s : kLowerSlots) {
        EXPECT_TRUE(data->opaque("spacebosscannondown", 0, 40, 271 - s.y)) << s.x;
        EXPECT_TRUE(data->opaque("spaceboss", 0, s.x + 40, 271)) << s.x;
    }
    // Shots fly from the left and stop at the hull: on the rows of a cannon
    // clear of the hull (and its outline), nothing of the hull lies left of it.
    for (const Point& s : kUpperSlots)
        for (int row = s.y - 34; row < 155; ++row)
            for (int col = -120; col < s.x; col += 2)
                EXPECT_FALSE(data->opaque("spaceboss", 0, col, row)) << "shields upper cannon " << s.x << " at " << col
                                                                     << ", " << row;
    for (const Point& s : kLowerSlots)
        for (int row = 277; row < s.y + 70; ++row)
            for (int col = -120; col < s.x; col += 2)
                EXPECT_FALSE(data->opaque("spaceboss", 0, col, row)) << "shields lower cannon " << s.x << " at " << col
                                                                     << ", " << row;
    // A muzzle lies off the barrel but near it, in the frame that fires from
    // it. The cannons turn to the ship by the direction tables, a wider sweep
    // than the muzzle table was laid out for, so some muzzles lie further off.
    for (int f = 0; f < 8; ++f) {
        const double up = data->distance_to_art("spacebosscannonup", f, kUpperMuzzle[f].x, kUpperMuzzle[f].y);
        const double down = data->distance_to_art("spacebosscannondown", f, kLowerMuzzle[f].x, kLowerMuzzle[f].y);
        EXPECT_GT(up, 0.0) << "upper frame " << f + 1;
        EXPECT_LE(up, 38.0) << "upper frame " << f + 1;
        EXPECT_GT(down, 0.0) << "lower frame " << f + 1;
        EXPECT_LE(down, 38.0) << "lower frame " << f + 1;
    }
}

TEST_F(SpaceWorld, ShotsLeaveFromTheNosesAndFragmentsFromTheMeteorsMiddle) {
    // Level-flight frames: white ship 4, green ship 6, frog 2; all fire from (x, y + 20).
    EXPECT_LE(data->distance_to_art("spacewhiteship", 3, 0, 20), 5.0);
    EXPECT_LE(data->distance_to_art("spacegreenship", 5, 0, 20), 8.0);
    EXPECT_LE(data->distance_to_art("spacefrogship", 1, 0, 20), 10.0);
    for (int f = 0; f < 16; f += 5) {
        const world_checks::Box b = data->box("spacemetiorbig", f, 0, 0);
        EXPECT_NEAR((b.left + b.right) / 2.0, 40, 2) << f;
        EXPECT_NEAR((b.top + b.bottom) / 2.0, 50, 2) << f;
        EXPECT_TRUE(data->opaque("spacemetiorbig", f, 40, 50));
    }
}

}  // namespace
