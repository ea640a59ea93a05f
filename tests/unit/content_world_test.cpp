// The generated worlds: each level resolves, has the frames its behaviours
// ask for and runs its course; its fixtures rest on the ground or hang from
// the roof, its flyers start in the open and its hatches release their ships
// into the open (a mover that starts in solid scenery can never leave it).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "content_world_checks.h"

namespace {

using world_checks::Box;
using world_checks::Record;
using world_checks::WorldData;
using world_checks::WorldSuite;

using Names = std::vector<std::string>;

// Names that rest on the pieces `prefix` (or hang from them), `gap` rows above
// to `sink` rows into the ground at most.
struct Against {
    Names names;
    std::string prefix;
    bool floor;
    int gap = 8, sink = 4;
};

// A hatch's ship where it appears and where it has risen or sunk clear.
struct Launch {
    const char* hatch;
    const char* ship;
    int start_dy, end_dy;
};

struct WorldRow {
    const char* world;
    const char* boss;  // the level's timeline ends with it; null: the world's own test
    bool backdrop;     // the far layer's tiles cover the field (Last holds one wall still)
    world_checks::Needs frames;
    Names own;  // defined by the world itself, not only shared
    std::vector<Against> against;
    Names flyers;       // start clear of the terrain ...
    Names terrain;      // ... made of these pieces
    std::vector<Launch> launches;
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
     {"spaceboss", "spacebosscannonup", "spacebosscannondown", "spacemetiorsmall"},
     {},
     {"spacewhiteship", "spacegreenship", "spacefrogship", "rocketship", "spacesatalite", "spacemetiorbig"},
     {"spacefloor", "spaceroof"},
     {}},
    {"Metal", "metalboss", true,
     {{"metalboss", 1}, {"metalbossgun", 2}, {"metalbossshot", 1}, {"metalbluehelicopter", 2},
      {"metalgreenship", 5}, {"metalopenerup", 2}, {"metalopenerdown", 2}, {"silvercannonup", 9},
      {"silvercannondown", 8}, {"radarup", 2}, {"radardown", 2}, {"crusher", 3}, {"robot", 1}, {"robothead", 1},
      {"robotgun", 2}, {"landwalker", 2}, {"enemyshot", 1}, {"enemyshottwo", 1}},
     {},
     {{{"silvercannonup", "radarup", "metalopenerup", "landwalker", "robot"}, "metalfloor", true},
      {{"silvercannondown", "radardown", "metalopenerdown", "crusher"}, "metalroof", false}},
     {"metalbluehelicopter"},
     {"metalfloor", "metalroof"},
     {}},
    {"Crystal", "crystalopenerup", true,
     {{"crystalwhiteship", 7}, {"crystalwhitehelicopter", 2}, {"crystalredship", 2}, {"crystalyellowship", 3},
      {"crystalyellowcannonup", 9}, {"crysalyellowcannondown", 8}, {"crystalbossredverticle", 2},
      {"crystalbosssilververticle", 2}, {"crystalbosssilverhorizontal", 2}, {"crystalbossredhorizontal", 2},
      {"crystalopenerdown", 2}, {"crystalopenerup", 2}, {"crystalblobbig", 2}, {"crystalblobsmall", 2},
      {"enemyshot", 1}},
     {},
     {{{"crystalyellowcannonup", "crystalopenerup"}, "crystalfloor", true, 12, 6},
      {{"crysalyellowcannondown", "crystalopenerdown"}, "crystalroof", false, 12, 6}},
     {"crystalwhiteship", "crystalwhitehelicopter", "crystalredship", "crystalyellowship", "crystalblobbig"},
     {"crystalfloor", "crystalroof"},
     {}},
    {"Water", "waterboss", true, water_frames(), {},
     {{water_buildings("up"), "waterfloor", true, 8, 8}, {water_buildings("down"), "waterroof", false, 8, 8}},
     {"wateryellowfish", "waterpurplefish", "waterkewlphish", "wateryellowsub", "watergreysub", "waterblob"},
     {"waterfloor", "waterroof"},
     {}},
    {"Hive", "hiveboss", true,
     {{"hiveboss", 1}, {"hivebossshot", 2}, {"hivegreenship", 4}, {"hivecannonup", 9}, {"hivecannondown", 8},
      {"hivedown", 1}, {"hiveup", 1}, {"hivetendralsdown", 2}, {"hivetendralsup", 2}, {"hivebeebluefly", 2},
      {"hivebeeblueattack", 2}, {"hiveorangeship", 2}, {"hivebeeyellow", 2}, {"hivebeeyellowattack", 2},
      {"enemyshot", 1}},
     // Bees come only from the hives, never from the level file.
     {"hivebeebluefly", "hivebeeblueattack", "hivebeeyellow", "hivebeeyellowattack"},
     {{{"hiveup", "hivecannonup", "hivetendralsup"}, "hivefloor", true, 10, 6},
      {{"hivedown", "hivecannondown", "hivetendralsdown"}, "hiveroof", false, 10, 6}},
     {"hivegreenship", "hiveorangeship"},
     {"hivefloor", "hiveroof"},
     {}},
    {"Mountain", "mountainboss", true,
     {{"mountainboss", 3}, {"mountainbosseye", 5}, {"mountainbosseyelid", 5}, {"mountainbosseyetwo", 3},
      {"mountainbosscannonup", 5}, {"mountainbosscannondown", 5}, {"mountainbossenergyhorizontal", 2},
      {"mountainbossenergyverticle", 2}, {"mountaincamohelicopter", 2}, {"hovertank", 6}, {"landwalker", 2},
      {"enemyshot", 1}},
     {"mountainboss", "mountainbosseye", "mountaincamohelicopter", "hovertank", "landwalker"},
     {{{"hovertank", "landwalker"}, "mountainfloor", true, 12}},
     {"mountaincamohelicopter", "hovertank", "landwalker"},
     {"mountainfloor", "mountainroof"},
     {}},
    {"Castle", "bossdragon", true,
     {{"horse", 1}, {"horsehead", 2}, {"horseback", 2}, {"bossdragon", 1}, {"bossdragonhead", 2}, {"neckone", 12},
      {"necktwo", 12}, {"neckthree", 12}, {"neckfour", 12}, {"fireball", 1}, {"houseone", 1}, {"catapult", 2},
      {"wizard", 2}, {"smalltower", 2}, {"bigtower", 2}, {"fire", 2}, {"greendragon", 2}, {"reddragonflying", 2},
      {"reddragonwalking", 2}, {"magiccarpet", 2}, {"blimp", 2}, {"enemyshot", 1}, {"enemyshottwo", 1}},
     {"horse", "bossdragon", "neckfour", "fire", "blimp"},
     {{{"houseone", "smalltower", "catapult", "wizard", "horse"}, "castleground", true, 6},
      {{"greendragon", "reddragonwalking"}, "castleground", true, 12}},
     {"reddragonflying", "magiccarpet", "blimp", "fireball"},
     {"castleground"},
     {}},
    {"Cave", nullptr, true,
     {{"caveboss", 2}, {"caveopenerup", 2}, {"caveopenerdown", 2}, {"rockexplosion", 3}, {"cavecannonup", 9},
      {"cavecannondown", 8}, {"cavetank", 2}, {"caveredship", 2}, {"cavehelicopter", 2}, {"enemyshot", 1},
      {"enemyshottwo", 1}, {"standardexplosionbig", 1}},
     {"caveboss", "caveredship", "rockexplosion", "cavecannonup"},
     {{{"cavecannonup", "caveopenerup", "cavetank"}, "cavefloor", true, 10},
      {{"cavecannondown", "caveopenerdown"}, "caveroof", false, 10}},
     // (Boulders may rest on the rock: they are obstacles of layer 0.)
     {"cavehelicopter", "caveredship", "caveboss"},
     {"cavefloor", "caveroof", "caveshaftcap"},
     {{"caveopenerup", "caveredship", 0, -55}, {"caveopenerdown", "caveredship", 20, 80}}},
    {"City", "cityboss", true,
     {{"cityboss", 2}, {"citybosseyesone", 4}, {"citybosseyestwo", 4}, {"citybosseyesthree", 4},
      {"citybosseyesfour", 4}, {"citybossshotone", 2}, {"citybossshottwo", 1}, {"citybossshotthree", 1},
      {"citybossshotfour", 1}, {"cityblimp", 2}, {"cityfrogship", 3}, {"citywhiteship", 7}, {"citygreenship", 11},
      {"citybluehelicopter", 2}, {"buildingone", 1}, {"buildinglights", 2}, {"housetwo", 1}, {"fire", 2},
      {"rocketship", 1}, {"enemyshot", 1}, {"enemyshottwo", 1}},
     {"cityboss", "citybossshotone", "buildinglights", "fire", "rocketship"},
     {{{"buildingone", "housetwo", "houseone", "citytowera", "citytowerb", "citytowerc", "citytowerd", "citytowere",
        "citytowerf", "citytowerg", "citytowerh", "citytoweri", "citytowerj", "citytowerk"},
       "citystreet", true, 6}},
     {"citywhiteship", "citygreenship", "cityfrogship", "citybluehelicopter", "cityblimp", "rocketship"},
     {"citystreet", "citytower", "buildingone"},
     {}},
    {"Last", "finalbossshell", false,
     {{"finalbossshell", 1}, {"finalbossgunone", 1}, {"finalbossguntwo", 1}, {"finalbossgunthree", 1},
      {"finalbossgunfour", 1}, {"finalbossgunfive", 1}, {"finalbossshotone", 1}, {"finalbossshottwo", 1},
      {"finalbossshotthree", 1}, {"citybossshotone", 2}, {"bluebossright", 1}, {"bluebossleft", 1},
      {"redbossleft", 1}, {"bosscannonright", 1}, {"bosscannonleft", 1}, {"shieldleft", 1}, {"shieldshotleft", 1},
      {"background", 2}, {"metalgreenship", 5}, {"citywhiteship", 7}, {"citygreenship", 11}, {"silvercannonup", 9},
      {"silvercannondown", 8}, {"enemyshot", 1}},
     {"finalbossshell", "citybossshotone", "background", "redbossleft"},
     {{{"silvercannonup", "metalopenerup", "bluebossleft", "bosscannonleft", "bosscannonright"}, "lastfloor", true},
      {{"silvercannondown", "metalopenerdown", "bluebossright"}, "lastroof", false, 8, 6}},
     {"citywhiteship", "citygreenship", "crystalredship", "rocketship", "finalbossshotthree", "shieldleft",
      "finalbossshell"},
     {"lastfloor", "lastroof"},
     {{"metalopenerup", "metalgreenship", 0, -55}, {"metalopenerdown", "metalgreenship", 10, 65}}},
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
    for (const Against& a : row.against) {
        if (a.floor)
            data.expect_standing(a.names, a.prefix, a.gap, a.sink);
        else
            data.expect_hanging(a.names, a.prefix, a.gap, a.sink);
    }
    data.expect_clear_of(row.flyers, row.terrain);
    for (const Launch& l : row.launches) {
        const std::vector<Record> hatches = data.placed(l.hatch);
        EXPECT_FALSE(hatches.empty()) << l.hatch;
        for (const Record& h : hatches)
            for (const int dy : {l.start_dy, l.end_dy})
                EXPECT_FALSE(data.overlaps_terrain({h.x + 20, h.y + dy, 0, l.ship}, row.terrain))
                    << l.hatch << " at " << h.x << ", " << h.y;
    }
}

INSTANTIATE_TEST_SUITE_P(Worlds, EveryWorld, ::testing::ValuesIn(kWorlds),
                         [](const ::testing::TestParamInfo<WorldRow>& info) { return std::string(info.param.world); });

// The Last world's far wall is one picture held still: it alone must fill
// the field (the heart drifting over it only lies over it).
using LastWorld = WorldSuite<"Last">;

TEST_F(LastWorld, FarWallFillsTheFieldInEveryFrame) {
    std::vector<Record> far;
    for (const Record& r : data->records())
        if (r.layer == 3 && r.name != "buildinglights") far.push_back(r);
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
}  // namespace
