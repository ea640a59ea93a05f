// The generated Castle world: its level resolves and runs its course past
// the horse to the dragon; houses, towers, siege engines, wizards and
// walkers stand on the ground; the horse's pieces join its body where the
// behaviour puts them; mouths, cups and muzzles are where shots leave.
#include <gtest/gtest.h>

#include <algorithm>

#include "content_world_checks.h"

namespace {

using world_checks::Record;
using world_checks::WorldData;

class CastleWorld : public ::testing::Test {
protected:
    static void SetUpTestSuite() { data = new WorldData("Castle"); }
    static void TearDownTestSuite() {
        delete data;
        data = nullptr;
    }
    static WorldData* data;
};
WorldData* CastleWorld::data = nullptr;

// The lowest opaque row of a frame drawn at (x, y), or -1.
int lowest_row(const WorldData& d, const std::string& name, int frame, int x, int y) {
    const world_checks::Box b = d.box(name, frame, x, y);
    for (int row = b.bottom - 1; row >= b.top; --row)
        for (int col = b.left; col < b.right; ++col)
            if (d.opaque(name, frame, col - x, row - y)) return row;
    return -1;
}

TEST_F(CastleWorld, LevelResolvesAndEverySpawnedNameHasItsFrames) {
    data->expect_every_record_resolves();
    // Neck segments show frames 1..12 by direction; towers need their second piece.
    data->expect_frames({{"horse", 1},          {"horsehead", 2},       {"horseback", 2},
                         {"bossdragon", 1},     {"bossdragonhead", 2},  {"neckone", 12},
                         {"necktwo", 12},       {"neckthree", 12},      {"neckfour", 12},
                         {"fireball", 1},       {"houseone", 1},        {"catapult", 2},
                         {"wizard", 2},         {"smalltower", 2},      {"bigtower", 2},
                         {"fire", 2},           {"greendragon", 2},     {"reddragonflying", 2},
                         {"reddragonwalking", 2}, {"magiccarpet", 2},   {"blimp", 2},
                         {"enemyshot", 1},      {"enemyshottwo", 1}});
    for (const char* name : {"horse", "bossdragon", "neckfour", "fire", "blimp"})
        EXPECT_TRUE(data->world_has(name)) << name;
}

TEST_F(CastleWorld, BackdropCoversTheFieldAndTheLevelRunsItsCourse) {
    data->expect_backdrop_covers_field();
    data->expect_timeline("bossdragon");
    // The horse bars the road half-way, well before the dragon.
    const std::vector<Record> horses = data->placed("horse"), dragons = data->placed("bossdragon");
    ASSERT_EQ(horses.size(), 1u);
    ASSERT_EQ(dragons.size(), 1u);
    const int dragon_x = WorldData::level_x(dragons[0]);
    EXPECT_GT(horses[0].x, dragon_x / 4);
    EXPECT_LT(horses[0].x, dragon_x * 3 / 4);
}

TEST_F(CastleWorld, BuildingsEnginesAndWalkersStandOnTheGround) {
    data->expect_standing({"houseone", "smalltower", "catapult", "wizard", "horse"}, "castleground", 6);
    data->expect_standing({"greendragon", "reddragonwalking"}, "castleground", 12);
    data->expect_clear_of({"reddragonflying", "magiccarpet", "blimp", "fireball"}, {"castleground"});
    // The big tower's second piece stands 10 rows lower and its art lines up
    // with the tower's foot.
    EXPECT_NEAR(lowest_row(*data, "bigtower", 1, 0, 10), lowest_row(*data, "bigtower", 0, 0, 0), 1);
    // Big towers stand on ramparts, whose merlons rise above the walkway: the
    // foot rests between the highest and the lowest ground under it.
    for (const Record& r : data->placed("bigtower")) {
        const int foot = lowest_row(*data, "bigtower", 0, r.x, r.y) + 1;
        int high = 1 << 20, low = -1;
        for (int x = r.x + 4; x < r.x + 100; ++x) {
            const int row = data->floor_row("castleground", x);
            if (row < 0) continue;
            high = std::min(high, row);
            low = std::max(low, row);
        }
        EXPECT_GE(foot, high) << "big tower at " << r.x << " floats";
        EXPECT_LE(foot, low + 4) << "big tower at " << r.x << " is buried";
    }
}

TEST_F(CastleWorld, HorsePiecesJoinTheBodyAndShootFromMouthAndMuzzle) {
    // Head at (x - 77, y + 2), back at (x + 152, y + 82).
    EXPECT_GT(data->covered_by("horsehead", 0, -77, 2, "horse", 0, 0, 0), 0.02) << "the head floats free of the neck";
    EXPECT_GT(data->covered_by("horseback", 0, 152, 82, "horse", 0, 0, 0), 0.05) << "the tower floats above the back";
    const int head_open = data->master("horsehead")->frame_count() - 1;
    EXPECT_LE(data->distance_to_art("horsehead", head_open, 5, 65), 6.0);
    EXPECT_LE(data->distance_to_art("horseback", 0, -70, -45), 3.0);
}

TEST_F(CastleWorld, MouthsCupsAndStavesAreWhereShotsLeave) {
    const int jaws = data->master("bossdragonhead")->frame_count() - 1;  // fires on its last frame
    EXPECT_LE(data->distance_to_art("bossdragonhead", jaws, -5, 25), 6.0);
    EXPECT_LE(data->distance_to_art("catapult", 0, 5, -55), 4.0);        // the throw from the arm's cup
    const int raised = data->master("wizard")->frame_count() - 1;
    EXPECT_LE(data->distance_to_art("wizard", raised, 0, -20), 4.0);
    for (const char* walker : {"greendragon", "reddragonwalking"})
        EXPECT_LE(data->distance_to_art(walker, 0, -5, 5), 4.0) << walker;
    EXPECT_LE(data->distance_to_art("reddragonflying", 0, -5, 10), 4.0);
    EXPECT_LE(data->distance_to_art("magiccarpet", 0, -5, 10), 4.0);
    EXPECT_LE(data->distance_to_art("blimp", 0, -5, 60), 3.0);
    // Neck segments are centred on their position: the behaviour follows centres.
    for (const char* seg : {"neckone", "necktwo", "neckthree", "neckfour"}) {
        const world_checks::Box b = data->box(seg, 0, 0, 0);
        EXPECT_NEAR((b.left + b.right) / 2.0, 0, 1) << seg;
        EXPECT_NEAR((b.top + b.bottom) / 2.0, 0, 1) << seg;
    }
}

}  // namespace
