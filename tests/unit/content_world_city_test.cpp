// The generated City world: its level resolves and runs its course, its
// buildings stand on the street, and the art meets the numbers of the
// behaviours: the fortress's eyes open on its face once it has moved its
// frames, the eyes' shots leave from their ends, the blimp's three guns and
// the roof sign's legs are where they are spawned from.
#include <gtest/gtest.h>

#include <utility>

#include "content_world_checks.h"

namespace {

using world_checks::WorldData;

class CityWorld : public ::testing::Test {
protected:
    static void SetUpTestSuite() { data = new WorldData("City"); }
    static void TearDownTestSuite() {
        delete data;
        data = nullptr;
    }
    static WorldData* data;
};
WorldData* CityWorld::data = nullptr;

const char* const kEyes[] = {"citybosseyesone", "citybosseyestwo", "citybosseyesthree", "citybosseyesfour"};

TEST_F(CityWorld, LevelResolvesAndEverySpawnedNameHasItsFrames) {
    data->expect_every_record_resolves();
    // Eyes open on frame 4; the white ship centres on frame 4 and the green
    // one on frame 6, each stepping from there.
    data->expect_frames({{"cityboss", 2},         {"citybosseyesone", 4},   {"citybosseyestwo", 4},
                         {"citybosseyesthree", 4}, {"citybosseyesfour", 4}, {"citybossshotone", 2},
                         {"citybossshottwo", 1},   {"citybossshotthree", 1}, {"citybossshotfour", 1},
                         {"cityblimp", 2},         {"cityfrogship", 3},     {"citywhiteship", 7},
                         {"citygreenship", 11},    {"citybluehelicopter", 2}, {"buildingone", 1},
                         {"buildinglights", 2},    {"housetwo", 1},         {"fire", 2},
                         {"rocketship", 1},        {"enemyshot", 1},        {"enemyshottwo", 1}});
    for (const char* name : {"cityboss", "citybossshotone", "buildinglights", "fire", "rocketship"})
        EXPECT_TRUE(data->world_has(name)) << name;
}

TEST_F(CityWorld, BackdropCoversTheFieldAndTheLevelRunsItsCourse) {
    data->expect_backdrop_covers_field();
    data->expect_timeline("cityboss");
}

TEST_F(CityWorld, BuildingsStandOnTheStreetAndFlyersStartAboveThem) {
    data->expect_standing({"buildingone", "housetwo", "citytowera", "citytowerb", "citytowerc", "citytowerd"},
                          "citystreet", 6);
    std::vector<std::string> solid = {"citystreet", "citytower", "buildingone"};
    data->expect_clear_of({"citywhiteship", "citygreenship", "cityfrogship", "citybluehelicopter", "cityblimp",
                           "rocketship"},
                          solid);
}

TEST_F(CityWorld, EyesOpenOnTheFortressFaceAndShootFromTheirEnds) {
    // The body's behaviour adds (110, 90) to its frame offsets on arrival;
    // an eye is spawned at (body x - 63, body y + 27).
    for (const char* eye : kEyes) {
        EXPECT_GT(data->covered_by(eye, 0, -63, 27, "cityboss", 0, 110, 90), 0.97) << eye << " overhangs the face";
    }
    // An eye's left shots leave at (x - 15, y + 50 or 5), its right ones at
    // (x + 340, y + 5 or 50): from the muzzles of the wing pods at the ends of
    // the face (the body's frames are drawn 110, 90 further on once it arrives).
    for (const auto& [sx, sy] : {std::pair{-15, 50}, {-15, 5}, {340, 5}, {340, 50}})
        EXPECT_LE(data->distance_to_art("cityboss", 0, -110 - 63 + sx, -90 + 27 + sy), 3.0) << sx << ", " << sy;
    // Shut, an eye matches the shutters painted on the body beneath it.
    EXPECT_GT(data->covered_by("cityboss", 0, 110, 90, "citybosseyesone", 0, -63, 27), 0.3);
}

TEST_F(CityWorld, AnOpenEyesPodsAndSensorsTakeShotsForIt) {
    // Seeking missiles make for the top-left corner (+15, +15) of the nearest
    // enemy's picture: the body and every eye have a sensor there to strike.
    for (const char* name : {"cityboss", kEyes[0], kEyes[1], kEyes[2], kEyes[3]}) {
        for (int f = 0; f < data->master(name)->frame_count(); ++f) {
            const world_checks::Box b = data->box(name, f, 0, 0);
            EXPECT_TRUE(data->opaque(name, f, b.left + 15, b.top + 15)) << name << " frame " << f + 1;
        }
    }
    // The left pod, where the eye's left shots leave, is the eye's own.
    for (const char* eye : kEyes) EXPECT_LE(data->distance_to_art(eye, 0, -15, 50), 3.0) << eye;
}

TEST_F(CityWorld, GunsAndSignSitWhereTheirBehavioursSpawnFrom) {
    for (int f = 0; f < data->master("cityblimp")->frame_count(); ++f) {
        EXPECT_LE(data->distance_to_art("cityblimp", f, -20, -5), 2.0) << "blimp frame " << f + 1;
        EXPECT_LE(data->distance_to_art("cityblimp", f, -5, 60), 2.0) << "blimp frame " << f + 1;
        EXPECT_LE(data->distance_to_art("cityblimp", f, -20, 125), 2.0) << "blimp frame " << f + 1;
    }
    for (const char* ship : {"citywhiteship", "citygreenship", "cityfrogship"}) {
        const Sprite* s = data->master(ship);
        ASSERT_NE(s, nullptr);
        EXPECT_LE(data->distance_to_art(ship, s->frame_count() / 2, 0, 20), 3.0) << ship << " level flight";
    }
    // The roof sign spawned at (x + 64, y - 77) stands on the building's roof.
    const world_checks::Box sign = data->box("buildinglights", 0, 64, -77);
    EXPECT_EQ(sign.bottom, 0);
    EXPECT_TRUE(data->opaque("buildinglights", 0, 10, 76)) << "the sign's left leg reaches the roof";
    EXPECT_TRUE(data->opaque("buildingone", 0, 64 + 10, 3)) << "the roof is under the sign's leg";
}

}  // namespace
