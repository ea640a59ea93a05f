// The generated Cave world: its level resolves and runs its course to a pack
// of wheels; its fixtures sit on the tunnel's floor and roof; the red ships
// the hatches release start clear of the rock (a mover that starts in solid
// scenery can never leave it); the wheels wait out of the shots' reach until
// they hold the view (one shot down before would let the view run on), clear
// of the rock and of each other (they turn back on touching either, and
// would shake in place).
#include <gtest/gtest.h>

#include <algorithm>

#include "content_world_checks.h"

namespace {

using world_checks::Record;
using world_checks::WorldData;

class CaveWorld : public ::testing::Test {
protected:
    static void SetUpTestSuite() { data = new WorldData("Cave"); }
    static void TearDownTestSuite() {
        delete data;
        data = nullptr;
    }
    static WorldData* data;
};
WorldData* CaveWorld::data = nullptr;

const std::vector<std::string> kRock = {"cavefloor", "caveroof"};

TEST_F(CaveWorld, LevelResolvesAndEverySpawnedNameHasItsFrames) {
    data->expect_every_record_resolves();
    data->expect_frames({{"caveboss", 2},       {"caveopenerup", 2},   {"caveopenerdown", 2},
                         {"rockexplosion", 3},  {"cavecannonup", 9},   {"cavecannondown", 8},
                         {"cavetank", 2},       {"caveredship", 2},    {"cavehelicopter", 2},
                         {"enemyshot", 1},      {"enemyshottwo", 1},   {"standardexplosionbig", 1}});
    for (const char* name : {"caveboss", "caveredship", "rockexplosion", "cavecannonup"})
        EXPECT_TRUE(data->world_has(name)) << name;
}

TEST_F(CaveWorld, BackdropCoversTheFieldAndTheWheelsComeBeforeTheExit) {
    data->expect_backdrop_covers_field();
    const std::vector<Record> wheels = data->placed("caveboss"), exits = data->placed("exitportal");
    ASSERT_GE(wheels.size(), 2u);
    ASSERT_EQ(exits.size(), 1u);
    ASSERT_EQ(data->placed("entranceportal").size(), 1u);
    const auto first = std::min_element(wheels.begin(), wheels.end(), [](const Record& a, const Record& b) {
        return a.x < b.x;
    });
    // When the first wheel stops the view (x < 400) the others are on screen
    // to join it and the exit portal is not.
    const int shift = first->x - 399;
    for (const Record& w : wheels) EXPECT_LT(w.x - shift, 640) << "a wheel at " << w.x << " would wait off screen";
    EXPECT_GE(exits[0].x - shift, 640);
    const double seconds = (first->x - 640) / 3.0 * 0.045;
    EXPECT_GE(seconds, 150);
    EXPECT_LE(seconds, 300);
}

TEST_F(CaveWorld, WheelsWaitOutOfReachClearOfTheRockAndOfEachOther) {
    data->expect_clear_of({"caveboss"}, {"cavefloor", "caveroof", "caveshaftcap"});
    // Shots end at the field's top edge: a wheel wholly above it is out of reach.
    for (const Record& w : data->placed("caveboss"))
        EXPECT_LE(data->box("caveboss", 0, w.x, w.y).bottom, 0) << "wheel at " << w.x << " can be shot before it holds the view";
    // They wait side by side, their teeth apart whichever way each has
    // turned (a wheel that touches another turns back on the spot).
    const std::vector<Record> wheels = data->placed("caveboss");
    const int frames = data->master("caveboss")->frame_count();
    for (size_t i = 0; i + 1 < wheels.size(); ++i)
        for (int fa = 0; fa < frames; ++fa)
            for (int fb = 0; fb < frames; ++fb)
                EXPECT_EQ(data->covered_by("caveboss", fa, wheels[i].x, wheels[i].y, "caveboss", fb, wheels[i + 1].x,
                                           wheels[i + 1].y),
                          0.0)
                    << "wheels at " << wheels[i].x << " and " << wheels[i + 1].x << ", frames " << fa + 1 << ", "
                    << fb + 1;
    // Each wheel fires from its rim at (x - 40, y + 10).
    EXPECT_LE(data->distance_to_art("caveboss", 0, -40, 10), 5.0);
}

TEST_F(CaveWorld, FixturesSitOnTheRockAndFlyersStartInTheOpen) {
    data->expect_standing({"cavecannonup", "caveopenerup", "cavetank"}, "cavefloor", 10);
    data->expect_hanging({"cavecannondown", "caveopenerdown"}, "caveroof", 10);
    // (Boulders may rest on the rock: they are obstacles of layer 0.)
    data->expect_clear_of({"cavehelicopter", "caveredship"}, kRock);
}

TEST_F(CaveWorld, HatchesReleaseTheirShipsClearOfTheRock) {
    const std::vector<Record> up = data->placed("caveopenerup"), down = data->placed("caveopenerdown");
    ASSERT_FALSE(up.empty());
    ASSERT_FALSE(down.empty());
    for (const Record& h : up) {
        const Record ship{h.x + 20, h.y, 0, "caveredship"};
        EXPECT_FALSE(data->overlaps_terrain(ship, kRock)) << "floor hatch at " << h.x;
        // Risen its 55 pixels it is still in the open.
        EXPECT_FALSE(data->overlaps_terrain({h.x + 20, h.y - 55, 0, "caveredship"}, kRock)) << "floor hatch at " << h.x;
    }
    for (const Record& h : down) {
        EXPECT_FALSE(data->overlaps_terrain({h.x + 20, h.y + 20, 0, "caveredship"}, kRock)) << "roof hatch at " << h.x;
        EXPECT_FALSE(data->overlaps_terrain({h.x + 20, h.y + 80, 0, "caveredship"}, kRock)) << "roof hatch at " << h.x;
    }
    // The ship appears over its hatch, which is drawn after it and hides it.
    const int last = data->master("caveopenerup")->frame_count() - 1;
    EXPECT_GT(data->covered_by("caveredship", 0, 20, 0, "caveopenerup", last, 0, 0), 0.1);
}

TEST_F(CaveWorld, CraftFireFromTheirGuns) {
    for (int f = 0; f < data->master("caveredship")->frame_count(); ++f)
        EXPECT_LE(data->distance_to_art("caveredship", f, -5, 10), 4.0) << "red ship frame " << f + 1;
    for (int f = 0; f < data->master("cavehelicopter")->frame_count(); ++f)
        EXPECT_LE(data->distance_to_art("cavehelicopter", f, 0, 20), 3.0) << "helicopter frame " << f + 1;
    // A crumbling rock falls apart: its last frame covers little of the whole rock.
    const Sprite* rock = data->master("rockexplosion");
    ASSERT_NE(rock, nullptr);
    EXPECT_LT(data->covered_by("rockexplosion", 0, 0, 0, "rockexplosion", rock->frame_count() - 1, 0, 0), 0.5);
}

}  // namespace
