// The generated Metal world: its level resolves and its backdrop covers the
// field; turrets, radars, hatches, walkers and the robot stand on the floor
// or hang from the roof; hatches hide the fighters they launch; the crusher's
// pieces meet where the behaviour moves them; the reactor sits in the middle
// of its guns' circle.
#include <gtest/gtest.h>

#include "content_world_checks.h"

namespace {

using world_checks::WorldData;

class MetalWorld : public ::testing::Test {
protected:
    static void SetUpTestSuite() { data = new WorldData("Metal"); }
    static void TearDownTestSuite() {
        delete data;
        data = nullptr;
    }
    static WorldData* data;
};
WorldData* MetalWorld::data = nullptr;

TEST_F(MetalWorld, LevelResolvesAndEverySpawnedNameHasItsFrames) {
    data->expect_every_record_resolves();
    data->expect_frames({{"metalboss", 1},       {"metalbossgun", 2},      {"metalbossshot", 1},
                         {"metalbluehelicopter", 2}, {"metalgreenship", 5}, {"metalopenerup", 2},
                         {"metalopenerdown", 2}, {"silvercannonup", 9},    {"silvercannondown", 8},
                         {"radarup", 2},         {"radardown", 2},         {"crusher", 3},
                         {"robot", 1},           {"robothead", 1},         {"robotgun", 2},
                         {"landwalker", 2},      {"enemyshot", 1},         {"enemyshottwo", 1}});
    EXPECT_FALSE(data->placed("robot").empty());
    EXPECT_FALSE(data->placed("crusher").empty());
}

TEST_F(MetalWorld, BackdropCoversTheFieldAndTheLevelRunsItsCourse) {
    data->expect_backdrop_covers_field();
    data->expect_timeline("metalboss");
}

TEST_F(MetalWorld, GroundUnitsStandOnTheFloorAndFittingsHangFromTheRoof) {
    data->expect_standing({"silvercannonup", "radarup", "metalopenerup", "landwalker", "robot"}, "metalfloor");
    data->expect_hanging({"silvercannondown", "radardown", "metalopenerdown", "crusher"}, "metalroof");
    data->expect_clear_of({"metalbluehelicopter"}, {"metalfloor", "metalroof"});
}

TEST_F(MetalWorld, HatchesHideTheFighterTheyLaunch) {
    // The fighter is copied on its first frame, under the hatch (drawn first),
    // while the hatch shows its last frame.
    const int up_last = data->master("metalopenerup")->frame_count() - 1;
    const int down_last = data->master("metalopenerdown")->frame_count() - 1;
    EXPECT_GE(data->covered_by("metalgreenship", 0, 20, 0, "metalopenerup", up_last, 0, 0), 0.5);
    EXPECT_GE(data->covered_by("metalgreenship", 0, 20, 10, "metalopenerdown", down_last, 0, 0), 0.5);
    // ... and it is in the open once it has risen or sunk its 55 pixels.
    EXPECT_LE(data->covered_by("metalgreenship", 0, 20, -55, "metalopenerup", up_last, 0, 0), 0.1);
    EXPECT_LE(data->covered_by("metalgreenship", 4, 20, 65, "metalopenerdown", down_last, 0, 0), 0.1);
}

TEST_F(MetalWorld, CrusherHeadStartsClearOfItsHousingAndStopsAgainstIt) {
    // Frame 1 the housing at (0, 0); frame 2 the head at (15, 24), moving 7 rows a step.
    EXPECT_EQ(data->covered_by("crusher", 1, 15, 31, "crusher", 0, 0, 0), 0.0);
    EXPECT_EQ(data->covered_by("crusher", 1, 15, 24, "crusher", 0, 0, 0), 0.0);
    EXPECT_GT(data->covered_by("crusher", 1, 15, 17, "crusher", 0, 0, 0), 0.0);
    // A rod piece left at (head x + 23, head y - 7) fills the seven rows above the head, centred on it.
    const world_checks::Box rod = data->box("crusher", 2, 23, -7);
    const world_checks::Box head = data->box("crusher", 1, 0, 0);
    EXPECT_EQ(rod.bottom - rod.top, 7);
    EXPECT_EQ(rod.bottom, head.top);
    EXPECT_NEAR((rod.left + rod.right) / 2.0, (head.left + head.right) / 2.0, 1.0);
}

TEST_F(MetalWorld, BossPartsFitTheirBodies) {
    // The reactor's guns circle (x + 70, y + 130).
    const world_checks::Box core = data->box("metalboss", 0, 0, 0);
    EXPECT_NEAR((core.left + core.right) / 2.0, 70, 2);
    EXPECT_NEAR((core.top + core.bottom) / 2.0, 130, 2);
    // The robot's head sits on its neck at (x + 105, y - 30), its gun on its
    // elbow at (x + 40, y + 100); both shoot from their muzzles.
    EXPECT_TRUE(data->opaque("robot", 0, 137, 20));
    EXPECT_GE(data->covered_by("robothead", 0, 105, -30, "robot", 0, 0, 0), 0.02);
    EXPECT_TRUE(data->opaque("robot", 0, 138, 120));
    EXPECT_LE(data->distance_to_art("robothead", 0, -15, 15), 16.0);
    EXPECT_LE(data->distance_to_art("robotgun", 0, 0, 20), 3.0);
    // The guns fire from (x, y + 20), below their centre.
    EXPECT_LE(data->distance_to_art("metalbossgun", 1, 0, 20), 3.0);
}

}  // namespace
