// The generated Hive world: its level resolves and its backdrop covers the
// field; hives, cannons and tendrils stand on or hang from the comb; each
// hive hides the bee it lets go; the queen's art holds her two mouths; the
// craft fire from their stings and mandibles.
#include <gtest/gtest.h>

#include "content_world_checks.h"

namespace {

using world_checks::WorldData;

class HiveWorld : public ::testing::Test {
protected:
    static void SetUpTestSuite() { data = new WorldData("Hive"); }
    static void TearDownTestSuite() {
        delete data;
        data = nullptr;
    }
    static WorldData* data;
};
WorldData* HiveWorld::data = nullptr;

TEST_F(HiveWorld, LevelResolvesAndEverySpawnedNameHasItsFrames) {
    data->expect_every_record_resolves();
    data->expect_frames({{"hiveboss", 1},         {"hivebossshot", 2},        {"hivegreenship", 4},
                         {"hivecannonup", 9},     {"hivecannondown", 8},      {"hivedown", 1},
                         {"hiveup", 1},           {"hivetendralsdown", 2},    {"hivetendralsup", 2},
                         {"hivebeebluefly", 2},   {"hivebeeblueattack", 2},   {"hiveorangeship", 2},
                         {"hivebeeyellow", 2},    {"hivebeeyellowattack", 2}, {"enemyshot", 1}});
    // Bees come only from the hives, never from the level file.
    for (const char* bee : {"hivebeebluefly", "hivebeeblueattack", "hivebeeyellow", "hivebeeyellowattack"})
        EXPECT_TRUE(data->world_has(bee)) << bee;
}

TEST_F(HiveWorld, BackdropCoversTheFieldAndTheLevelRunsItsCourse) {
    data->expect_backdrop_covers_field();
    data->expect_timeline("hiveboss");
}

TEST_F(HiveWorld, NestsStandOnTheCombAndFlyersStartInTheOpen) {
    data->expect_standing({"hiveup", "hivecannonup", "hivetendralsup"}, "hivefloor", 10, 6);
    data->expect_hanging({"hivedown", "hivecannondown", "hivetendralsdown"}, "hiveroof", 10, 6);
    data->expect_clear_of({"hivegreenship", "hiveorangeship"}, {"hivefloor", "hiveroof"});
}

TEST_F(HiveWorld, HivesHideTheBeesTheyLetGo) {
    // A bee drops 75 rows from (x + 30, y + 25) or rises 60 from (x + 25, y).
    for (const char* bee : {"hivebeebluefly", "hivebeeyellow"}) {
        EXPECT_GE(data->covered_by(bee, 0, 30, 25, "hivedown", 0, 0, 0), 0.6) << bee;
        EXPECT_LE(data->covered_by(bee, 0, 30, 100, "hivedown", 0, 0, 0), 0.1) << bee;
        EXPECT_GE(data->covered_by(bee, 0, 25, 0, "hiveup", 0, 0, 0), 0.6) << bee;
        EXPECT_LE(data->covered_by(bee, 0, 25, -60, "hiveup", 0, 0, 0), 0.1) << bee;
    }
}

TEST_F(HiveWorld, ShotsLeaveFromMouthsStingsAndMandibles) {
    EXPECT_LE(data->distance_to_art("hiveboss", 0, 87, 10), 3.0);
    EXPECT_LE(data->distance_to_art("hiveboss", 0, -10, 300), 3.0);
    EXPECT_LE(data->distance_to_art("hiveorangeship", 0, 0, 10), 4.0);
    EXPECT_LE(data->distance_to_art("hiveorangeship", 0, 0, 30), 4.0);
    EXPECT_LE(data->distance_to_art("hivegreenship", 0, -5, 20), 9.0);
    const world_checks::Box spore = data->box("hivebossshot", 0, 0, 0);
    EXPECT_NEAR((spore.left + spore.right) / 2.0, 0, 1);
}

}  // namespace
