// The generated Water world: its level resolves and its backdrop covers the
// field; the sunken city stands on the sea bed and hangs from the roof; the
// brain sits in the middle of its cells' circle; the submarines and the fish
// fire from their tubes and mouths.
#include <gtest/gtest.h>

#include <string>

#include "content_world_checks.h"

namespace {

using world_checks::WorldData;

class WaterWorld : public ::testing::Test {
protected:
    static void SetUpTestSuite() { data = new WorldData("Water"); }
    static void TearDownTestSuite() {
        delete data;
        data = nullptr;
    }
    static WorldData* data;
};
WorldData* WaterWorld::data = nullptr;

const char* const kNumbers[] = {"one", "two", "three", "four", "five", "six", "seven"};

TEST_F(WaterWorld, LevelResolvesAndEverySpawnedNameHasItsFrames) {
    data->expect_every_record_resolves();
    world_checks::Needs needs{{"waterboss", 1},      {"waterbraincell", 1}, {"wateryellowfish", 2},
                              {"waterblob", 2},      {"wateryellowsub", 2}, {"waterpurplefish", 2},
                              {"waterkewlphish", 2}, {"watergreysub", 5},   {"enemyshot", 1}};
    for (const char* n : kNumbers) {
        needs.push_back({std::string("waterbuilding") + n + "up", 1});
        needs.push_back({std::string("waterbuilding") + n + "down", 1});
    }
    data->expect_frames(needs);
}

TEST_F(WaterWorld, BackdropCoversTheFieldAndTheLevelRunsItsCourse) {
    data->expect_backdrop_covers_field();
    data->expect_timeline("waterboss");
}

TEST_F(WaterWorld, TheCityStandsOnTheSeaBedAndHangsFromTheRoof) {
    std::vector<std::string> up, down;
    for (const char* n : kNumbers) {
        up.push_back(std::string("waterbuilding") + n + "up");
        down.push_back(std::string("waterbuilding") + n + "down");
    }
    data->expect_standing(up, "waterfloor", 8, 8);
    data->expect_hanging(down, "waterroof", 8, 8);
    data->expect_clear_of({"wateryellowfish", "waterpurplefish", "waterkewlphish", "wateryellowsub", "watergreysub",
                           "waterblob"},
                          {"waterfloor", "waterroof"});
}

TEST_F(WaterWorld, TheBrainSitsInItsRingOfCells) {
    // The cells circle (x + 70, y + 70) at about 127 pixels: the sphere is
    // centred there and the ring passes outside it.
    EXPECT_TRUE(data->opaque("waterboss", 0, 70, 70));
    EXPECT_FALSE(data->opaque("waterboss", 0, 70 - 127 + 20, 70));
    EXPECT_FALSE(data->opaque("waterboss", 0, 70 + 127 - 20, 70));
    EXPECT_FALSE(data->opaque("waterboss", 0, 70, 70 - 127 + 20));
    const world_checks::Box cell = data->box("waterbraincell", 0, 0, 0);
    EXPECT_NEAR((cell.left + cell.right) / 2.0, 0, 1);
    EXPECT_NEAR((cell.top + cell.bottom) / 2.0, 0, 1);
}

TEST_F(WaterWorld, ShotsLeaveFromMouthsAndTubes) {
    EXPECT_LE(data->distance_to_art("wateryellowfish", 0, -10, 10), 12.0);
    EXPECT_LE(data->distance_to_art("wateryellowsub", 0, 0, 20), 5.0);
    // The grey submarine's deck tubes, in level trim (frame 4).
    for (int dx : {35, 50, 65}) EXPECT_LE(data->distance_to_art("watergreysub", 3, dx, 0), 3.0) << dx;
}

}  // namespace
