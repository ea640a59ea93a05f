// The generated Crystal world: its level resolves and its backdrop covers
// the field; cannons stand in the rock; the gate's two openers close the
// level on the same frame and the pod hides the crystals it drops; the big
// blob is centred where it sheds small ones.
#include <gtest/gtest.h>

#include "content_world_checks.h"

namespace {

using world_checks::WorldData;

class CrystalWorld : public ::testing::Test {
protected:
    static void SetUpTestSuite() { data = new WorldData("Crystal"); }
    static void TearDownTestSuite() {
        delete data;
        data = nullptr;
    }
    static WorldData* data;
};
WorldData* CrystalWorld::data = nullptr;

TEST_F(CrystalWorld, LevelResolvesAndEverySpawnedNameHasItsFrames) {
    data->expect_every_record_resolves();
    data->expect_frames({{"crystalwhiteship", 7},       {"crystalwhitehelicopter", 2},
                         {"crystalredship", 2},         {"crystalyellowship", 3},
                         {"crystalyellowcannonup", 9},  {"crysalyellowcannondown", 8},
                         {"crystalbossredverticle", 2}, {"crystalbosssilververticle", 2},
                         {"crystalbosssilverhorizontal", 2}, {"crystalbossredhorizontal", 2},
                         {"crystalopenerdown", 2},      {"crystalopenerup", 2},
                         {"crystalblobbig", 2},         {"crystalblobsmall", 2},
                         {"enemyshot", 1}});
}

TEST_F(CrystalWorld, BackdropCoversTheFieldAndTheLevelRunsItsCourse) {
    data->expect_backdrop_covers_field();
    data->expect_timeline("crystalopenerdown");
}

TEST_F(CrystalWorld, CannonsAndTheGateStandInTheRockAndFlyersStartInTheOpen) {
    data->expect_standing({"crystalyellowcannonup", "crystalopenerup"}, "crystalfloor", 12, 6);
    data->expect_hanging({"crysalyellowcannondown", "crystalopenerdown"}, "crystalroof", 12, 6);
    data->expect_clear_of({"crystalwhiteship", "crystalwhitehelicopter", "crystalredship", "crystalyellowship",
                           "crystalblobbig"},
                          {"crystalfloor", "crystalroof"});
}

TEST_F(CrystalWorld, GateClosesAtOnceAndThePodHidesItsCrystals) {
    const auto pods = data->placed("crystalopenerdown");
    const auto spires = data->placed("crystalopenerup");
    ASSERT_EQ(pods.size(), 1u);
    ASSERT_EQ(spires.size(), 1u);
    // The pod closes the level below x 10, the spire below x 500.
    EXPECT_EQ((pods[0].x - 10) / 3, (spires[0].x - 500) / 3);
    const int open = data->master("crystalopenerdown")->frame_count() - 1;
    for (const char* crystal : {"crystalbossredverticle", "crystalbosssilververticle"})
        EXPECT_GE(data->covered_by(crystal, 0, 7, 0, "crystalopenerdown", open, 0, 0), 0.5) << crystal;
    // The forms are about 35 pixels across their path.
    for (const char* name : {"crystalbossredverticle", "crystalbosssilververticle"}) {
        const world_checks::Box b = data->box(name, 0, 0, 0);
        EXPECT_NEAR(b.right - b.left, 35, 3) << name;
    }
    for (const char* name : {"crystalbossredhorizontal", "crystalbosssilverhorizontal"}) {
        const world_checks::Box b = data->box(name, 0, 0, 0);
        EXPECT_NEAR(b.bottom - b.top, 35, 3) << name;
    }
}

TEST_F(CrystalWorld, BlobsAndShipsFitWhereTheirBehavioursActFrom) {
    for (int f = 0; f < data->master("crystalblobbig")->frame_count(); ++f)
        EXPECT_TRUE(data->opaque("crystalblobbig", f, 40, 50)) << f;
    EXPECT_LE(data->distance_to_art("crystalwhiteship", 3, 0, 20), 5.0);
    EXPECT_LE(data->distance_to_art("crystalwhitehelicopter", 0, 0, 20), 3.0);
    EXPECT_LE(data->distance_to_art("crystalredship", 0, -5, 10), 6.0);
    EXPECT_LE(data->distance_to_art("crystalyellowship", 2, -5, 10), 8.0);
}

}  // namespace
