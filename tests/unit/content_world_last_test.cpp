// The generated Last world: its level resolves and runs its course; its far
// wall is one picture the behaviour holds still, so it must fill the whole
// field in every frame; the last gate stops the level with the exit portal in
// reach and the shell's fight happens before either comes in; the shell's
// guns fire from their muzzles; pods launch their fighters into the open.
#include <gtest/gtest.h>

#include "content_world_checks.h"

namespace {

using world_checks::Record;
using world_checks::WorldData;

class LastWorld : public ::testing::Test {
protected:
    static void SetUpTestSuite() { data = new WorldData("Last"); }
    static void TearDownTestSuite() {
        delete data;
        data = nullptr;
    }
    static WorldData* data;
};
WorldData* LastWorld::data = nullptr;

const std::vector<std::string> kWalls = {"lastfloor", "lastroof"};

TEST_F(LastWorld, LevelResolvesAndEverySpawnedNameHasItsFrames) {
    data->expect_every_record_resolves();
    // The shell fires the squirming shot; guns one, three and five fire the
    // shell's shots; pods launch fighters that bank over five frames.
    data->expect_frames({{"finalbossshell", 1},   {"finalbossgunone", 1},    {"finalbossguntwo", 1},
                         {"finalbossgunthree", 1}, {"finalbossgunfour", 1},  {"finalbossgunfive", 1},
                         {"finalbossshotone", 1}, {"finalbossshottwo", 1},   {"finalbossshotthree", 1},
                         {"citybossshotone", 2},  {"bluebossright", 1},      {"bluebossleft", 1},
                         {"redbossleft", 1},      {"bosscannonright", 1},    {"bosscannonleft", 1},
                         {"shieldleft", 1},       {"shieldshotleft", 1},     {"background", 2},
                         {"metalgreenship", 5},   {"citywhiteship", 7},      {"citygreenship", 11},
                         {"silvercannonup", 9},   {"silvercannondown", 8},   {"enemyshot", 1}});
    for (const char* name : {"finalbossshell", "citybossshotone", "background", "redbossleft"})
        EXPECT_TRUE(data->world_has(name)) << name;
    data->expect_timeline("finalbossshell");
}

TEST_F(LastWorld, FarWallFillsTheFieldInEveryFrame) {
    std::vector<Record> far;
    for (const Record& r : data->records())
        if (r.layer == 3) far.push_back(r);
    ASSERT_EQ(far.size(), 1u);
    const Record& wall = far[0];
    EXPECT_EQ(wall.name, "background");
    EXPECT_EQ(wall.x, 0);
    const Sprite* s = data->master("background");
    ASSERT_NE(s, nullptr);
    for (int f = 0; f < s->frame_count(); ++f) {
        const world_checks::Box b = data->box("background", f, wall.x, wall.y);
        EXPECT_LE(b.left, 0);
        EXPECT_LE(b.top, 0);
        EXPECT_GE(b.right, 640);
        EXPECT_GE(b.bottom, 416);
        int holes = 0;
        for (int y = 0; y < 416; ++y)
            for (int x = 0; x < 640; ++x)
                if (!data->opaque("background", f, x - wall.x, y - wall.y)) ++holes;
        EXPECT_EQ(holes, 0) << "frame " << f + 1;
    }
}

TEST_F(LastWorld, LastGateStopsTheLevelWithTheExitInReach) {
    const std::vector<Record> gates = data->placed("redbossleft"), exits = data->placed("exitportal"),
                              shells = data->placed("finalbossshell");
    ASSERT_EQ(gates.size(), 1u);
    ASSERT_EQ(exits.size(), 1u);
    ASSERT_EQ(shells.size(), 1u);
    // While the shell holds the view (from x 399) neither the portal nor the
    // gate is on screen: the gate would close the level before the fight.
    const int fight = shells[0].x - 399;
    EXPECT_GE(exits[0].x - fight, 640);
    EXPECT_GE(gates[0].x - fight, 460 + 60);
    // The gate stops the level at x 459; the portal's right piece must be on
    // the field then, left of the gate.
    const int stop = gates[0].x - 459;
    const int portal = exits[0].x - stop;
    EXPECT_GE(portal, 0);
    EXPECT_LE(portal + 60, 459);
    // It spans the field from top to bottom.
    const world_checks::Box g = data->box("redbossleft", 0, gates[0].x, gates[0].y);
    EXPECT_LE(g.top, 0);
    EXPECT_GE(g.bottom, 416);
    EXPECT_EQ(gates[0].layer, 1);
}

TEST_F(LastWorld, ShellGunsFireFromTheirMuzzles) {
    for (const char* gun : {"finalbossgunone", "finalbossgunthree"}) {
        EXPECT_LE(data->distance_to_art(gun, 0, -25, 50), 3.0) << gun;
        EXPECT_LE(data->distance_to_art(gun, 0, -45, 20), 3.0) << gun;
    }
    EXPECT_LE(data->distance_to_art("finalbossgunfive", 0, -25, 20), 3.0);
    // The shell's vents: squirming shots leave at (x - 15, y + 50) and (x + 150, y + 50).
    EXPECT_LE(data->distance_to_art("finalbossshell", 0, -15, 50), 3.0);
    EXPECT_LE(data->distance_to_art("finalbossshell", 0, 150, 50), 3.0);
    // Each gun shows on the shell where it sits.
    const struct {
        const char* name;
        int x, y;
    } guns[] = {{"finalbossgunone", 20, 90},   {"finalbossguntwo", -18, 100}, {"finalbossgunthree", -10, 85},
                {"finalbossgunfour", -40, -15}, {"finalbossgunfive", 67, -75}};
    for (const auto& g : guns)
        EXPECT_GT(data->covered_by(g.name, 0, g.x, g.y, "finalbossshell", 0, 0, 0), 0.05) << g.name << " floats free";
}

TEST_F(LastWorld, FixturesSitOnTheWallsAndPodsLaunchIntoTheOpen) {
    data->expect_standing({"silvercannonup", "metalopenerup", "bluebossleft", "bosscannonleft", "bosscannonright"},
                          "lastfloor", 8);
    data->expect_hanging({"silvercannondown", "metalopenerdown", "bluebossright"}, "lastroof", 8, 6);
    data->expect_clear_of({"citywhiteship", "citygreenship", "crystalredship", "rocketship", "finalbossshotthree",
                           "shieldleft", "finalbossshell"},
                          kWalls);
    for (const Record& p : data->placed("metalopenerup")) {
        EXPECT_FALSE(data->overlaps_terrain({p.x + 20, p.y, 0, "metalgreenship"}, kWalls)) << "floor pod at " << p.x;
        EXPECT_FALSE(data->overlaps_terrain({p.x + 20, p.y - 55, 0, "metalgreenship"}, kWalls)) << "floor pod at " << p.x;
    }
    for (const Record& p : data->placed("metalopenerdown")) {
        EXPECT_FALSE(data->overlaps_terrain({p.x + 20, p.y + 10, 0, "metalgreenship"}, kWalls)) << "roof pod at " << p.x;
        EXPECT_FALSE(data->overlaps_terrain({p.x + 20, p.y + 65, 0, "metalgreenship"}, kWalls)) << "roof pod at " << p.x;
    }
}

}  // namespace
