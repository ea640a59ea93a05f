// The generated Mountain world: its level resolves and runs its course, its
// ground units stand on the floor, its craft fire from their guns, and the
// crag boss's eyes stick out of the rock far enough for shots to reach them.
#include <gtest/gtest.h>

#include "content_world_checks.h"

namespace {

using world_checks::WorldData;

class MountainWorld : public ::testing::Test {
protected:
    static void SetUpTestSuite() { data = new WorldData("Mountain"); }
    static void TearDownTestSuite() {
        delete data;
        data = nullptr;
    }
    static WorldData* data;
};
WorldData* MountainWorld::data = nullptr;

struct Point {
    int x, y;
};

// Where the body puts each eye and its lid.
constexpr Point kEyes[] = {{-18, 12}, {23, 130}, {-17, 250}};
constexpr Point kLids[] = {{-20, 12}, {21, 130}, {-19, 250}};

// The leftmost opaque column of a frame on one row, or a large number.
int leftmost(const WorldData& d, const std::string& name, int frame, int x, int y, int row) {
    const world_checks::Box b = d.box(name, frame, x, y);
    for (int col = b.left; col < b.right; ++col)
        if (d.opaque(name, frame, col - x, row - y)) return col;
    return 1 << 20;
}

TEST_F(MountainWorld, LevelResolvesAndEverySpawnedNameHasItsFrames) {
    data->expect_every_record_resolves();
    // The core shows frame 3 when beaten; eyes show 5 when exposed; lids step
    // through 5; indicators 3; cannons pick 1..5; the tank aims over 6.
    data->expect_frames({{"mountainboss", 3},          {"mountainbosseye", 5},       {"mountainbosseyelid", 5},
                         {"mountainbosseyetwo", 3},    {"mountainbosscannonup", 5},  {"mountainbosscannondown", 5},
                         {"mountainbossenergyhorizontal", 2}, {"mountainbossenergyverticle", 2},
                         {"mountaincamohelicopter", 2}, {"hovertank", 6},            {"landwalker", 2},
                         {"enemyshot", 1}});
    for (const char* name : {"mountainboss", "mountainbosseye", "mountaincamohelicopter", "hovertank", "landwalker"})
        EXPECT_TRUE(data->world_has(name)) << name;
}

TEST_F(MountainWorld, BackdropCoversTheFieldAndTheLevelRunsItsCourse) {
    data->expect_backdrop_covers_field();
    data->expect_timeline("mountainboss");
}

TEST_F(MountainWorld, GroundUnitsStandOnTheFloorAndHelicoptersFlyClear) {
    data->expect_standing({"hovertank", "landwalker"}, "mountainfloor", 12);
    data->expect_clear_of({"mountaincamohelicopter", "hovertank", "landwalker"}, {"mountainfloor", "mountainroof"});
}

TEST_F(MountainWorld, CraftFireFromTheirGuns) {
    const int heli_frames = data->master("mountaincamohelicopter")->frame_count();
    for (int f = 0; f < heli_frames; ++f) EXPECT_LE(data->distance_to_art("mountaincamohelicopter", f, 0, 20), 3.0);
    for (int f = 0; f < data->master("landwalker")->frame_count(); ++f)
        EXPECT_LE(data->distance_to_art("landwalker", f, -5, 10), 6.0) << "walker frame " << f + 1;
    // The tank's gun turns about (x + 30, y + 5): aiming left its barrel
    // reaches toward the left muzzle, aiming up toward the upper one.
    EXPECT_LE(data->distance_to_art("hovertank", 0, -15, 5), 10.0);
    EXPECT_LE(data->distance_to_art("hovertank", 4, 35, -50), 22.0);
}

TEST_F(MountainWorld, EyesStickOutOfTheCragAndTheirLidsOpenAndShut) {
    // The body and the core are both the crag; a shot from the left must meet
    // each eye before the rock, on the row through the eye's middle.
    for (const Point& e : kEyes) {
        const int row = e.y + 16;
        const int eye_left = leftmost(*data, "mountainbosseye", 0, e.x, e.y, row);
        const int crag_left = std::min(leftmost(*data, "mountainboss", 0, 0, 0, row),
                                       leftmost(*data, "mountainboss", 0, 130, -25, row));
        EXPECT_LT(eye_left + 8, crag_left) << "eye at " << e.x << ", " << e.y;
    }
    // Lid frame 1 (and 5) leave the eye to be seen; frame 3 covers it.
    for (size_t i = 0; i < 3; ++i) {
        const Point e = kEyes[i], l = kLids[i];
        EXPECT_LT(data->covered_by("mountainbosseye", 0, e.x, e.y, "mountainbosseyelid", 0, l.x, l.y), 0.35);
        EXPECT_LT(data->covered_by("mountainbosseye", 4, e.x, e.y, "mountainbosseyelid", 4, l.x, l.y), 0.35);
        EXPECT_GT(data->covered_by("mountainbosseye", 0, e.x, e.y, "mountainbosseyelid", 2, l.x, l.y), 0.8);
    }
}

TEST_F(MountainWorld, BossPartsHangOnTheCrags) {
    // Cannons reach the crag on their arms; beams lie on or between the crags.
    for (const auto& [name, at] : std::vector<std::pair<std::string, Point>>{{"mountainbosscannonup", {-43, -35}},
                                                                              {"mountainbosscannondown", {-42, 37}},
                                                                              {"mountainbosscannonup", {-42, 203}},
                                                                              {"mountainbosscannondown", {-41, 275}}})
        EXPECT_GT(data->covered_by(name, 0, at.x, at.y, "mountainboss", 0, 0, 0), 0.02) << name << " at " << at.y;
    EXPECT_GT(data->covered_by("mountainbossenergyverticle", 0, 177, 78, "mountainboss", 0, 130, -25), 0.9);
    EXPECT_GT(data->covered_by("mountainbossenergyverticle", 0, 177, 197, "mountainboss", 0, 130, -25), 0.5);
    // The cannon turned left puts its muzzle by the left shot's point.
    EXPECT_LE(data->distance_to_art("mountainbosscannonup", 2, -15, 5), 8.0);
}

}  // namespace
