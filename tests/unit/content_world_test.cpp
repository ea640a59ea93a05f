// The generated worlds: each level resolves, has the frames its behaviours
// ask for, and runs its course; then, world by world, the art sits where the
// behaviours put things (fixtures on the ground, parts on their bodies, shots
// leaving from muzzles and mouths).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "content_world_checks.h"

namespace {

using world_checks::Box;
using world_checks::Record;
using world_checks::WorldData;
using world_checks::WorldSuite;

struct Point {
    int x, y;
};

struct WorldRow {
    const char* world;
    const char* boss;  // the level's timeline ends with it; null: the world's own test
    bool backdrop;     // the far layer's tiles cover the field (Last holds one wall still)
    world_checks::Needs frames;
    std::vector<std::string> own;  // defined by the world itself, not only shared
};

std::vector<std::string> water_buildings(const char* end) {
    std::vector<std::string> out;
    for (const char* n : {"one", "two", "three", "four", "five", "six", "seven"})
        out.push_back(std::string("waterbuilding") + n + end);
    return out;
}

world_checks::Needs water_frames() {
    world_checks::Needs needs{{"waterboss", 1},      {"waterbraincell", 1}, {"wateryellowfish", 2},
                              {"waterblob", 2},      {"wateryellowsub", 2}, {"waterpurplefish", 2},
                              {"waterkewlphish", 2}, {"watergreysub", 5},   {"enemyshot", 1}};
    for (const char* end : {"up", "down"})
        for (const std::string& b : water_buildings(end)) needs.push_back({b, 1});
    return needs;
}

// Frame counts: the City's eyes open on frame 4, its white ship centres on 4
// and the green one on 6; necks show 1..12 by direction; the Mountain's core
// shows 3 when beaten, eyes 5 when exposed, cannons pick 1..5 and the tank
// aims over 6; the Last pods launch fighters that bank over five.
const WorldRow kWorlds[] = {
    {"Space", "spaceboss", true,
     {{"spaceboss", 1}, {"spacebosscannonup", 8}, {"spacebosscannondown", 8}, {"spacemetiorbig", 2},
      {"spacemetiorsmall", 2}, {"spacewhiteship", 7}, {"spacegreenship", 7}, {"spacefrogship", 3},
      {"rocketship", 1}, {"spacesatalite", 1}, {"enemyshot", 1}},
     {"spaceboss", "spacebosscannonup", "spacebosscannondown", "spacemetiorsmall"}},
    {"Metal", "metalboss", true,
     {{"metalboss", 1}, {"metalbossgun", 2}, {"metalbossshot", 1}, {"metalbluehelicopter", 2},
      {"metalgreenship", 5}, {"metalopenerup", 2}, {"metalopenerdown", 2}, {"silvercannonup", 9},
      {"silvercannondown", 8}, {"radarup", 2}, {"radardown", 2}, {"crusher", 3}, {"robot", 1}, {"robothead", 1},
      {"robotgun", 2}, {"landwalker", 2}, {"enemyshot", 1}, {"enemyshottwo", 1}},
     {}},
    {"Crystal", "crystalopenerdown", true,
     {{"crystalwhiteship", 7}, {"crystalwhitehelicopter", 2}, {"crystalredship", 2}, {"crystalyellowship", 3},
      {"crystalyellowcannonup", 9}, {"crysalyellowcannondown", 8}, {"crystalbossredverticle", 2},
      {"crystalbosssilververticle", 2}, {"crystalbosssilverhorizontal", 2}, {"crystalbossredhorizontal", 2},
      {"crystalopenerdown", 2}, {"crystalopenerup", 2}, {"crystalblobbig", 2}, {"crystalblobsmall", 2},
      {"enemyshot", 1}},
     {}},
    {"Water", "waterboss", true, water_frames(), {}},
    {"Hive", "hiveboss", true,
     {{"hiveboss", 1}, {"hivebossshot", 2}, {"hivegreenship", 4}, {"hivecannonup", 9}, {"hivecannondown", 8},
      {"hivedown", 1}, {"hiveup", 1}, {"hivetendralsdown", 2}, {"hivetendralsup", 2}, {"hivebeebluefly", 2},
      {"hivebeeblueattack", 2}, {"hiveorangeship", 2}, {"hivebeeyellow", 2}, {"hivebeeyellowattack", 2},
      {"enemyshot", 1}},
     // Bees come only from the hives, never from the level file.
     {"hivebeebluefly", "hivebeeblueattack", "hivebeeyellow", "hivebeeyellowattack"}},
    {"Mountain", "mountainboss", true,
     {{"mountainboss", 3}, {"mountainbosseye", 5}, {"mountainbosseyelid", 5}, {"mountainbosseyetwo", 3},
      {"mountainbosscannonup", 5}, {"mountainbosscannondown", 5}, {"mountainbossenergyhorizontal", 2},
      {"mountainbossenergyverticle", 2}, {"mountaincamohelicopter", 2}, {"hovertank", 6}, {"landwalker", 2},
      {"enemyshot", 1}},
     {"mountainboss", "mountainbosseye", "mountaincamohelicopter", "hovertank", "landwalker"}},
    {"Castle", "bossdragon", true,
     {{"horse", 1}, {"horsehead", 2}, {"horseback", 2}, {"bossdragon", 1}, {"bossdragonhead", 2}, {"neckone", 12},
      {"necktwo", 12}, {"neckthree", 12}, {"neckfour", 12}, {"fireball", 1}, {"houseone", 1}, {"catapult", 2},
      {"wizard", 2}, {"smalltower", 2}, {"bigtower", 2}, {"fire", 2}, {"greendragon", 2}, {"reddragonflying", 2},
      {"reddragonwalking", 2}, {"magiccarpet", 2}, {"blimp", 2}, {"enemyshot", 1}, {"enemyshottwo", 1}},
     {"horse", "bossdragon", "neckfour", "fire", "blimp"}},
    {"Cave", nullptr, true,
     {{"caveboss", 2}, {"caveopenerup", 2}, {"caveopenerdown", 2}, {"rockexplosion", 3}, {"cavecannonup", 9},
      {"cavecannondown", 8}, {"cavetank", 2}, {"caveredship", 2}, {"cavehelicopter", 2}, {"enemyshot", 1},
      {"enemyshottwo", 1}, {"standardexplosionbig", 1}},
     {"caveboss", "caveredship", "rockexplosion", "cavecannonup"}},
    {"City", "cityboss", true,
     {{"cityboss", 2}, {"citybosseyesone", 4}, {"citybosseyestwo", 4}, {"citybosseyesthree", 4},
      {"citybosseyesfour", 4}, {"citybossshotone", 2}, {"citybossshottwo", 1}, {"citybossshotthree", 1},
      {"citybossshotfour", 1}, {"cityblimp", 2}, {"cityfrogship", 3}, {"citywhiteship", 7}, {"citygreenship", 11},
      {"citybluehelicopter", 2}, {"buildingone", 1}, {"buildinglights", 2}, {"housetwo", 1}, {"fire", 2},
      {"rocketship", 1}, {"enemyshot", 1}, {"enemyshottwo", 1}},
     {"cityboss", "citybossshotone", "buildinglights", "fire", "rocketship"}},
    {"Last", "finalbossshell", false,
     {{"finalbossshell", 1}, {"finalbossgunone", 1}, {"finalbossguntwo", 1}, {"finalbossgunthree", 1},
      {"finalbossgunfour", 1}, {"finalbossgunfive", 1}, {"finalbossshotone", 1}, {"finalbossshottwo", 1},
      {"finalbossshotthree", 1}, {"citybossshotone", 2}, {"bluebossright", 1}, {"bluebossleft", 1},
      {"redbossleft", 1}, {"bosscannonright", 1}, {"bosscannonleft", 1}, {"shieldleft", 1}, {"shieldshotleft", 1},
      {"background", 2}, {"metalgreenship", 5}, {"citywhiteship", 7}, {"citygreenship", 11}, {"silvercannonup", 9},
      {"silvercannondown", 8}, {"enemyshot", 1}},
     {"finalbossshell", "citybossshotone", "background", "redbossleft"}},
};

class EveryWorld : public ::testing::TestWithParam<WorldRow> {};

TEST_P(EveryWorld, LevelResolvesHasItsFramesAndRunsItsCourse) {
    const WorldRow& row = GetParam();
    const WorldData data(row.world);
    data.expect_every_record_resolves();
    data.expect_frames(row.frames);
    for (const std::string& name : row.own) EXPECT_TRUE(data.world_has(name)) << name;
    if (row.backdrop) data.expect_backdrop_covers_field();
    if (row.boss != nullptr) data.expect_timeline(row.boss);
}

INSTANTIATE_TEST_SUITE_P(Worlds, EveryWorld, ::testing::ValuesIn(kWorlds),
                         [](const ::testing::TestParamInfo<WorldRow>& info) { return std::string(info.param.world); });

// ---- Space: the battleship's cannon slots and muzzles, the meteor's fragment point ----

using SpaceWorld = WorldSuite<"Space">;

// Where the battleship bolts its cannons, and where each cannon frame fires from.
constexpr Point kUpperSlots[] = {{43, 127}, {227, 93}, {377, 125}, {551, 126}};
constexpr Point kLowerSlots[] = {{97, 300}, {228, 308}, {375, 275}, {555, 278}};
constexpr Point kUpperMuzzle[] = {{-15, 5}, {-15, 0}, {-5, -5}, {20, -50}, {35, -50}, {45, -40}, {95, -30}, {95, 0}};
constexpr Point kLowerMuzzle[] = {{-15, 20}, {-15, 20}, {-10, 35}, {20, 50}, {35, 65}, {45, 60}, {95, 35}, {95, 30}};

TEST_F(SpaceWorld, FlyersStartOutsideTheBeltsAndShotsLeaveFromNosesAndTheMeteorsMiddle) {
    data->expect_clear_of({"spacewhiteship", "spacegreenship", "spacefrogship", "rocketship", "spacesatalite",
                           "spacemetiorbig"},
                          {"spacefloor", "spaceroof"});
    // Level-flight frames: white ship 4, green ship 6, frog 2; all fire from (x, y + 20).
    EXPECT_LE(data->distance_to_art("spacewhiteship", 3, 0, 20), 5.0);
    EXPECT_LE(data->distance_to_art("spacegreenship", 5, 0, 20), 8.0);
    EXPECT_LE(data->distance_to_art("spacefrogship", 1, 0, 20), 10.0);
    for (int f = 0; f < 16; f += 5) {
        const Box b = data->box("spacemetiorbig", f, 0, 0);
        EXPECT_NEAR((b.left + b.right) / 2.0, 40, 2) << f;
        EXPECT_NEAR((b.top + b.bottom) / 2.0, 50, 2) << f;
        EXPECT_TRUE(data->opaque("spacemetiorbig", f, 40, 50));
    }
}

TEST_F(SpaceWorld, CannonsStandOnColumnsFromTheHullWhichShieldsNoneOfThem) {
    // Each cannon carries its column into the hull: an upper one down to the
    // deck (row 157), a lower one up to the keel (row 275).
    for (const auto& [slots, name, row] : {std::tuple{kUpperSlots, "spacebosscannonup", 161},
                                           std::tuple{kLowerSlots, "spacebosscannondown", 271}})
        for (int i = 0; i < 4; ++i) {
            EXPECT_TRUE(data->opaque(name, 0, 40, row - slots[i].y)) << slots[i].x;
            EXPECT_TRUE(data->opaque("spaceboss", 0, slots[i].x + 40, row)) << slots[i].x;
        }
    // Shots fly from the left and stop at the hull: on the rows of a cannon
    // clear of the hull (and its outline), nothing of the hull lies left of it.
    for (int i = 0; i < 4; ++i) {
        const Point up = kUpperSlots[i], down = kLowerSlots[i];
        for (const auto& [s, first, end] : {std::tuple{up, up.y - 34, 155}, std::tuple{down, 277, down.y + 70}})
            for (int row = first; row < end; ++row)
                for (int col = -120; col < s.x; col += 2)
                    EXPECT_FALSE(data->opaque("spaceboss", 0, col, row))
                        << "shields the cannon at " << s.x << ", " << s.y << " at " << col << ", " << row;
    }
    // A muzzle lies off the barrel but near it, in the frame that fires from
    // it. The cannons turn to the ship by the direction tables, a wider sweep
    // than the muzzle table was laid out for, so some muzzles lie further off.
    for (int f = 0; f < 8; ++f) {
        const double up = data->distance_to_art("spacebosscannonup", f, kUpperMuzzle[f].x, kUpperMuzzle[f].y);
        const double down = data->distance_to_art("spacebosscannondown", f, kLowerMuzzle[f].x, kLowerMuzzle[f].y);
        for (const double d : {up, down}) {
            EXPECT_GT(d, 0.0) << "frame " << f + 1;
            EXPECT_LE(d, 38.0) << "frame " << f + 1;
        }
    }
}

// ---- Metal: fixtures on floor and roof, hatches, the crusher, the reactor and the robot ----

using MetalWorld = WorldSuite<"Metal">;

TEST_F(MetalWorld, GroundUnitsStandOnTheFloorAndFittingsHangFromTheRoof) {
    EXPECT_FALSE(data->placed("robot").empty());
    EXPECT_FALSE(data->placed("crusher").empty());
    data->expect_standing({"silvercannonup", "radarup", "metalopenerup", "landwalker", "robot"}, "metalfloor");
    data->expect_hanging({"silvercannondown", "radardown", "metalopenerdown", "crusher"}, "metalroof");
    data->expect_clear_of({"metalbluehelicopter"}, {"metalfloor", "metalroof"});
}

TEST_F(MetalWorld, HatchesHideTheirFightersAndTheCrusherStopsAgainstItsHousing) {
    // The fighter is copied on its first frame, under the hatch (drawn first),
    // while the hatch shows its last frame ...
    const int up_last = data->master("metalopenerup")->frame_count() - 1;
    const int down_last = data->master("metalopenerdown")->frame_count() - 1;
    EXPECT_GE(data->covered_by("metalgreenship", 0, 20, 0, "metalopenerup", up_last, 0, 0), 0.5);
    EXPECT_GE(data->covered_by("metalgreenship", 0, 20, 10, "metalopenerdown", down_last, 0, 0), 0.5);
    // ... and it is in the open once it has risen or sunk its 55 pixels.
    EXPECT_LE(data->covered_by("metalgreenship", 0, 20, -55, "metalopenerup", up_last, 0, 0), 0.1);
    EXPECT_LE(data->covered_by("metalgreenship", 4, 20, 65, "metalopenerdown", down_last, 0, 0), 0.1);

    // Crusher frame 1 the housing at (0, 0); frame 2 the head at (15, 24), moving 7 rows a step.
    EXPECT_EQ(data->covered_by("crusher", 1, 15, 31, "crusher", 0, 0, 0), 0.0);
    EXPECT_EQ(data->covered_by("crusher", 1, 15, 24, "crusher", 0, 0, 0), 0.0);
    EXPECT_GT(data->covered_by("crusher", 1, 15, 17, "crusher", 0, 0, 0), 0.0);
    // A rod piece left at (head x + 23, head y - 7) fills the seven rows above the head, centred on it.
    const Box rod = data->box("crusher", 2, 23, -7);
    const Box head = data->box("crusher", 1, 0, 0);
    EXPECT_EQ(rod.bottom - rod.top, 7);
    EXPECT_EQ(rod.bottom, head.top);
    EXPECT_NEAR((rod.left + rod.right) / 2.0, (head.left + head.right) / 2.0, 1.0);
}

TEST_F(MetalWorld, BossPartsFitTheirBodies) {
    // The reactor's guns circle (x + 70, y + 130).
    const Box core = data->box("metalboss", 0, 0, 0);
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

// ---- Crystal: cannons in the rock, the gate and its pod, the blob ----

using CrystalWorld = WorldSuite<"Crystal">;

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
    // The forms are about 35 pixels across their path.
    for (const char* crystal : {"crystalbossredverticle", "crystalbosssilververticle"}) {
        EXPECT_GE(data->covered_by(crystal, 0, 7, 0, "crystalopenerdown", open, 0, 0), 0.5) << crystal;
        const Box b = data->box(crystal, 0, 0, 0);
        EXPECT_NEAR(b.right - b.left, 35, 3) << crystal;
    }
    for (const char* name : {"crystalbossredhorizontal", "crystalbosssilverhorizontal"}) {
        const Box b = data->box(name, 0, 0, 0);
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

// ---- Water: the sunken city, the brain in its ring, tubes and mouths ----

using WaterWorld = WorldSuite<"Water">;

TEST_F(WaterWorld, TheCityStandsOnTheSeaBedAndHangsFromTheRoof) {
    data->expect_standing(water_buildings("up"), "waterfloor", 8, 8);
    data->expect_hanging(water_buildings("down"), "waterroof", 8, 8);
    data->expect_clear_of({"wateryellowfish", "waterpurplefish", "waterkewlphish", "wateryellowsub", "watergreysub",
                           "waterblob"},
                          {"waterfloor", "waterroof"});
}

TEST_F(WaterWorld, TheBrainSitsInItsRingOfCellsAndShotsLeaveFromMouthsAndTubes) {
    // The cells circle (x + 70, y + 70) at about 127 pixels: the sphere is
    // centred there and the ring passes outside it.
    EXPECT_TRUE(data->opaque("waterboss", 0, 70, 70));
    EXPECT_FALSE(data->opaque("waterboss", 0, 70 - 127 + 20, 70));
    EXPECT_FALSE(data->opaque("waterboss", 0, 70 + 127 - 20, 70));
    EXPECT_FALSE(data->opaque("waterboss", 0, 70, 70 - 127 + 20));
    const Box cell = data->box("waterbraincell", 0, 0, 0);
    EXPECT_NEAR((cell.left + cell.right) / 2.0, 0, 1);
    EXPECT_NEAR((cell.top + cell.bottom) / 2.0, 0, 1);

    EXPECT_LE(data->distance_to_art("wateryellowfish", 0, -10, 10), 12.0);
    EXPECT_LE(data->distance_to_art("wateryellowsub", 0, 0, 20), 5.0);
    // The grey submarine's deck tubes, in level trim (frame 4).
    for (int dx : {35, 50, 65}) EXPECT_LE(data->distance_to_art("watergreysub", 3, dx, 0), 3.0) << dx;
}

// ---- Hive: nests on the comb, bees hidden in their hives, the queen's mouths ----

using HiveWorld = WorldSuite<"Hive">;

TEST_F(HiveWorld, NestsStandOnTheCombAndHideTheBeesTheyLetGo) {
    data->expect_standing({"hiveup", "hivecannonup", "hivetendralsup"}, "hivefloor", 10, 6);
    data->expect_hanging({"hivedown", "hivecannondown", "hivetendralsdown"}, "hiveroof", 10, 6);
    data->expect_clear_of({"hivegreenship", "hiveorangeship"}, {"hivefloor", "hiveroof"});
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
    const Box spore = data->box("hivebossshot", 0, 0, 0);
    EXPECT_NEAR((spore.left + spore.right) / 2.0, 0, 1);
}

// ---- Mountain: ground units, craft guns, the crag's eyes, lids and cannons ----

using MountainWorld = WorldSuite<"Mountain">;

// Where the body puts each eye and its lid.
constexpr Point kEyes[] = {{-18, 12}, {23, 130}, {-17, 250}};
constexpr Point kLids[] = {{-20, 12}, {21, 130}, {-19, 250}};

// The leftmost opaque column of a frame on one row, or a large number.
int leftmost(const WorldData& d, const std::string& name, int frame, int x, int y, int row) {
    const Box b = d.box(name, frame, x, y);
    for (int col = b.left; col < b.right; ++col)
        if (d.opaque(name, frame, col - x, row - y)) return col;
    return 1 << 20;
}

TEST_F(MountainWorld, GroundUnitsStandOnTheFloorAndCraftFireFromTheirGuns) {
    data->expect_standing({"hovertank", "landwalker"}, "mountainfloor", 12);
    data->expect_clear_of({"mountaincamohelicopter", "hovertank", "landwalker"}, {"mountainfloor", "mountainroof"});
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

// ---- Castle: buildings and engines on the ground, the horse, the dragon ----

using CastleWorld = WorldSuite<"Castle">;

// The lowest opaque row of a frame drawn at (x, y), or -1.
int lowest_row(const WorldData& d, const std::string& name, int frame, int x, int y) {
    const Box b = d.box(name, frame, x, y);
    for (int row = b.bottom - 1; row >= b.top; --row)
        for (int col = b.left; col < b.right; ++col)
            if (d.opaque(name, frame, col - x, row - y)) return row;
    return -1;
}

TEST_F(CastleWorld, BuildingsEnginesAndWalkersStandOnTheGroundBeforeTheHorseBarsTheRoad) {
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
    // The horse bars the road half-way, well before the dragon.
    const std::vector<Record> horses = data->placed("horse"), dragons = data->placed("bossdragon");
    ASSERT_EQ(horses.size(), 1u);
    ASSERT_EQ(dragons.size(), 1u);
    const int dragon_x = WorldData::level_x(dragons[0]);
    EXPECT_GT(horses[0].x, dragon_x / 4);
    EXPECT_LT(horses[0].x, dragon_x * 3 / 4);
}

TEST_F(CastleWorld, PiecesJoinTheirBodiesAndShotsLeaveFromMouthsCupsAndStaves) {
    // The horse's head at (x - 77, y + 2), its back at (x + 152, y + 82).
    EXPECT_GT(data->covered_by("horsehead", 0, -77, 2, "horse", 0, 0, 0), 0.02) << "the head floats free of the neck";
    EXPECT_GT(data->covered_by("horseback", 0, 152, 82, "horse", 0, 0, 0), 0.05) << "the tower floats above the back";
    const int head_open = data->master("horsehead")->frame_count() - 1;
    EXPECT_LE(data->distance_to_art("horsehead", head_open, 5, 65), 6.0);
    EXPECT_LE(data->distance_to_art("horseback", 0, -70, -45), 3.0);
    const int jaws = data->master("bossdragonhead")->frame_count() - 1;  // fires on its last frame
    EXPECT_LE(data->distance_to_art("bossdragonhead", jaws, -5, 25), 6.0);
    EXPECT_LE(data->distance_to_art("catapult", 0, 5, -55), 4.0);  // the throw from the arm's cup
    const int raised = data->master("wizard")->frame_count() - 1;
    EXPECT_LE(data->distance_to_art("wizard", raised, 0, -20), 4.0);
    for (const char* walker : {"greendragon", "reddragonwalking"})
        EXPECT_LE(data->distance_to_art(walker, 0, -5, 5), 4.0) << walker;
    EXPECT_LE(data->distance_to_art("reddragonflying", 0, -5, 10), 4.0);
    EXPECT_LE(data->distance_to_art("magiccarpet", 0, -5, 10), 4.0);
    EXPECT_LE(data->distance_to_art("blimp", 0, -5, 60), 3.0);
    // Neck segments are centred on their position: the behaviour follows centres.
    for (const char* seg : {"neckone", "necktwo", "neckthree", "neckfour"}) {
        const Box b = data->box(seg, 0, 0, 0);
        EXPECT_NEAR((b.left + b.right) / 2.0, 0, 1) << seg;
        EXPECT_NEAR((b.top + b.bottom) / 2.0, 0, 1) << seg;
    }
}

// ---- Cave: the wheels wait out of reach, fixtures on the rock, ships clear of it ----
// A mover that starts in solid scenery can never leave it; a wheel shot down
// before it holds the view would let the view run on; wheels touching the
// rock or each other turn back and shake in place.

using CaveWorld = WorldSuite<"Cave">;

const std::vector<std::string> kRock = {"cavefloor", "caveroof"};

TEST_F(CaveWorld, TheWheelsComeBeforeTheExitAndWaitOutOfReachClearOfTheRockAndOfEachOther) {
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

    data->expect_clear_of({"caveboss"}, {"cavefloor", "caveroof", "caveshaftcap"});
    // Shots end at the field's top edge: a wheel wholly above it is out of reach.
    for (const Record& w : wheels)
        EXPECT_LE(data->box("caveboss", 0, w.x, w.y).bottom, 0) << "wheel at " << w.x << " can be shot before it holds the view";
    // Side by side, their teeth apart whichever way each has turned.
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

TEST_F(CaveWorld, FixturesSitOnTheRockAndHatchesReleaseTheirShipsIntoTheOpen) {
    data->expect_standing({"cavecannonup", "caveopenerup", "cavetank"}, "cavefloor", 10);
    data->expect_hanging({"cavecannondown", "caveopenerdown"}, "caveroof", 10);
    // (Boulders may rest on the rock: they are obstacles of layer 0.)
    data->expect_clear_of({"cavehelicopter", "caveredship"}, kRock);
    const std::vector<Record> up = data->placed("caveopenerup"), down = data->placed("caveopenerdown");
    ASSERT_FALSE(up.empty());
    ASSERT_FALSE(down.empty());
    // Where a floor hatch's ship starts and where it has risen its 55 pixels;
    // a roof hatch's alike.
    for (const auto& [hatches, start, end] : {std::tuple{up, 0, -55}, std::tuple{down, 20, 80}})
        for (const Record& h : hatches)
            for (const int dy : {start, end})
                EXPECT_FALSE(data->overlaps_terrain({h.x + 20, h.y + dy, 0, "caveredship"}, kRock))
                    << "hatch at " << h.x << ", " << h.y;
    // The ship appears over its hatch, which is drawn after it and hides it.
    const int last = data->master("caveopenerup")->frame_count() - 1;
    EXPECT_GT(data->covered_by("caveredship", 0, 20, 0, "caveopenerup", last, 0, 0), 0.1);
}

TEST_F(CaveWorld, CraftFireFromTheirGunsAndRocksCrumble) {
    for (int f = 0; f < data->master("caveredship")->frame_count(); ++f)
        EXPECT_LE(data->distance_to_art("caveredship", f, -5, 10), 4.0) << "red ship frame " << f + 1;
    for (int f = 0; f < data->master("cavehelicopter")->frame_count(); ++f)
        EXPECT_LE(data->distance_to_art("cavehelicopter", f, 0, 20), 3.0) << "helicopter frame " << f + 1;
    // A crumbling rock falls apart: its last frame covers little of the whole rock.
    const Sprite* rock = data->master("rockexplosion");
    ASSERT_NE(rock, nullptr);
    EXPECT_LT(data->covered_by("rockexplosion", 0, 0, 0, "rockexplosion", rock->frame_count() - 1, 0, 0), 0.5);
}

// ---- City: buildings on the street, the fortress's eyes, guns and the roof sign ----

using CityWorld = WorldSuite<"City">;

const char* const kCityEyes[] = {"citybosseyesone", "citybosseyestwo", "citybosseyesthree", "citybosseyesfour"};

TEST_F(CityWorld, BuildingsStandOnTheStreetAndFlyersStartAboveThem) {
    data->expect_standing({"buildingone", "housetwo", "citytowera", "citytowerb", "citytowerc", "citytowerd"},
                          "citystreet", 6);
    data->expect_clear_of({"citywhiteship", "citygreenship", "cityfrogship", "citybluehelicopter", "cityblimp",
                           "rocketship"},
                          {"citystreet", "citytower", "buildingone"});
}

TEST_F(CityWorld, EyesOpenOnTheFortressFaceShootFromTheirEndsAndBearSensors) {
    // The body's behaviour adds (110, 90) to its frame offsets on arrival;
    // an eye is spawned at (body x - 63, body y + 27). The left pod, where
    // the eye's left shots leave, is the eye's own.
    for (const char* eye : kCityEyes) {
        EXPECT_GT(data->covered_by(eye, 0, -63, 27, "cityboss", 0, 110, 90), 0.97) << eye << " overhangs the face";
        EXPECT_LE(data->distance_to_art(eye, 0, -15, 50), 3.0) << eye;
    }
    // An eye's left shots leave at (x - 15, y + 50 or 5), its right ones at
    // (x + 340, y + 5 or 50): from the muzzles of the wing pods at the ends of
    // the face (the body's frames are drawn 110, 90 further on once it arrives).
    for (const auto& [sx, sy] : {std::pair{-15, 50}, {-15, 5}, {340, 5}, {340, 50}})
        EXPECT_LE(data->distance_to_art("cityboss", 0, -110 - 63 + sx, -90 + 27 + sy), 3.0) << sx << ", " << sy;
    // Shut, an eye matches the shutters painted on the body beneath it.
    EXPECT_GT(data->covered_by("cityboss", 0, 110, 90, "citybosseyesone", 0, -63, 27), 0.3);
    // Seeking missiles make for the top-left corner (+15, +15) of the nearest
    // enemy's picture: the body and every eye have a sensor there to strike.
    for (const char* name : {"cityboss", kCityEyes[0], kCityEyes[1], kCityEyes[2], kCityEyes[3]})
        for (int f = 0; f < data->master(name)->frame_count(); ++f) {
            const Box b = data->box(name, f, 0, 0);
            EXPECT_TRUE(data->opaque(name, f, b.left + 15, b.top + 15)) << name << " frame " << f + 1;
        }
}

TEST_F(CityWorld, GunsAndSignSitWhereTheirBehavioursSpawnFrom) {
    for (int f = 0; f < data->master("cityblimp")->frame_count(); ++f)
        for (const auto& [gx, gy] : {std::pair{-20, -5}, {-5, 60}, {-20, 125}})
            EXPECT_LE(data->distance_to_art("cityblimp", f, gx, gy), 2.0) << "blimp frame " << f + 1 << " gun " << gy;
    for (const char* ship : {"citywhiteship", "citygreenship", "cityfrogship"}) {
        const Sprite* s = data->master(ship);
        ASSERT_NE(s, nullptr);
        EXPECT_LE(data->distance_to_art(ship, s->frame_count() / 2, 0, 20), 3.0) << ship << " level flight";
    }
    // The roof sign spawned at (x + 64, y - 77) stands on the building's roof.
    EXPECT_EQ(data->box("buildinglights", 0, 64, -77).bottom, 0);
    EXPECT_TRUE(data->opaque("buildinglights", 0, 10, 76)) << "the sign's left leg reaches the roof";
    EXPECT_TRUE(data->opaque("buildingone", 0, 64 + 10, 3)) << "the roof is under the sign's leg";
}

// ---- Last: the still far wall, the last gate, the shell's guns, the pods ----

using LastWorld = WorldSuite<"Last">;

const std::vector<std::string> kWalls = {"lastfloor", "lastroof"};

TEST_F(LastWorld, FarWallFillsTheFieldInEveryFrame) {
    // One picture the behaviour holds still, so it must fill the whole field.
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
        const Box b = data->box("background", f, wall.x, wall.y);
        EXPECT_TRUE(b.left <= 0 && b.top <= 0 && b.right >= 640 && b.bottom >= 416) << "frame " << f + 1;
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
    const Box g = data->box("redbossleft", 0, gates[0].x, gates[0].y);
    EXPECT_LE(g.top, 0);
    EXPECT_GE(g.bottom, 416);
    EXPECT_EQ(gates[0].layer, 1);
}

TEST_F(LastWorld, ShellGunsSitOnTheShellAndFireFromTheirMuzzles) {
    for (const char* gun : {"finalbossgunone", "finalbossgunthree"}) {
        EXPECT_LE(data->distance_to_art(gun, 0, -25, 50), 3.0) << gun;
        EXPECT_LE(data->distance_to_art(gun, 0, -45, 20), 3.0) << gun;
    }
    EXPECT_LE(data->distance_to_art("finalbossgunfive", 0, -25, 20), 3.0);
    // The shell's vents: squirming shots leave at (x - 15, y + 50) and (x + 150, y + 50).
    EXPECT_LE(data->distance_to_art("finalbossshell", 0, -15, 50), 3.0);
    EXPECT_LE(data->distance_to_art("finalbossshell", 0, 150, 50), 3.0);
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
    for (const auto& [pod, start, end] : {std::tuple{"metalopenerup", 0, -55}, std::tuple{"metalopenerdown", 10, 65}})
        for (const Record& p : data->placed(pod))
            for (const int dy : {start, end})
                EXPECT_FALSE(data->overlaps_terrain({p.x + 20, p.y + dy, 0, "metalgreenship"}, kWalls))
                    << pod << " at " << p.x;
}

}  // namespace
