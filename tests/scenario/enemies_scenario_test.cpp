// Three enemies of one kind in a small world of plain shapes, met by the
// autopilot in god mode: they come on screen, act, fire at the ship (the
// shooters that live long enough: the autopilot takes turrets and helicopters
// out within their first firing delay) or split (the meteor), and die to the
// ship's shots (the score grows only by the bonuses that kills drop, so a score
// means at least one was shot down). The game is read through state dumps every
// few frames (live sprites per collision class); the explosions themselves
// are checked by the unit tests of the explosion code.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "support/scenario.h"
#include "support/temp_dir.h"
#include "whole_game_fixture.h"

using namespace scenario;
using namespace whole_game;

namespace {

constexpr long kFrames = 2500;
constexpr long kStep = 20;

struct EnemyCase {
    const char* label;
    std::vector<FixtureSprite> sprites;
    writers::LevelRecord first;  // two more follow, 160 pixels apart
    enum { Fires, Splits, Dies } shows;  // what it must be seen doing besides dying
};

const EnemyCase kCases[] = {
    {"WhiteFighter", {{"spacewhiteship", 44, 20, 3, {230, 230, 240}}}, {900, 150, 0, "spacewhiteship"}, EnemyCase::Fires},
    {"BlueHelicopter", {{"metalbluehelicopter", 48, 24, 3, {60, 90, 220}}}, {900, 120, 0, "metalbluehelicopter"}, EnemyCase::Dies},
    {"OrangeShip", {{"hiveorangeship", 44, 24, 3, {240, 150, 40}}}, {900, 200, 0, "hiveorangeship"}, EnemyCase::Fires},
    {"CeilingTurret", {{"silvercannondown", 30, 24, 16, {180, 180, 190}}}, {800, 40, 0, "silvercannondown"}, EnemyCase::Dies},
    {"GreySubmarine", {{"watergreysub", 50, 24, 3, {150, 150, 160}}}, {900, 220, 0, "watergreysub"}, EnemyCase::Fires},
    {"FloorTurret", {{"silvercannonup", 30, 24, 16, {180, 180, 190}}}, {800, 360, 0, "silvercannonup"}, EnemyCase::Dies},
    {"SplittingMeteor",
     {{"spacemetiorbig", 48, 48, 1, {150, 110, 80}}, {"spacemetiorsmall", 16, 16, 1, {150, 110, 80}}},
     {900, 180, 0, "spacemetiorbig"},
     EnemyCase::Splits},
};

class EnemyScenario : public ::testing::TestWithParam<EnemyCase> {};

}  // namespace

TEST_P(EnemyScenario, EntersActsFiresAndDiesToTheShipsShots) {
    const EnemyCase& c = GetParam();
    TempDir data, out;
    std::vector<writers::LevelRecord> level = {{100, 150, 0, "entranceportal"}};
    for (int i = 0; i < 3; ++i) level.push_back({c.first.x + 160 * i, c.first.y, c.first.layer, c.first.name});
    ASSERT_TRUE(write_fixture_data(data.path(), "Space", c.sprites, level));

    std::vector<std::string> args = autopilot_args(data.path(), out.file("trace.txt"), 1, kFrames);
    args.insert(args.end(), {"--god", "--start-level", "1"});
    for (long f = kStep; f <= kFrames; f += kStep)
        args.insert(args.end(), {"--dump-state", std::to_string(f) + ":" + out.file(std::to_string(f))});
    const RunResult r = run_velmora(args, {{"XDG_CONFIG_HOME", out.file("config")}, {"VELMORA_DATA", ""}});
    ASSERT_EQ(r.exit_code, 0) << r.output;

    long first_seen = -1, enemy_shots = 0, peak_enemies = 0;
    std::string last, series;
    for (long f = kStep; f <= kFrames; f += kStep) {
        const std::string dump = read_file(out.file(std::to_string(f)));
        ASSERT_FALSE(dump.empty()) << "no state dump at frame " << f;
        const long enemies = dumped(dump, "live_hitclass6");
        series += ' ';
        series += std::to_string(enemies);
        if (enemies > 0 && first_seen < 0) first_seen = f;
        peak_enemies = std::max(peak_enemies, enemies);
        enemy_shots = std::max(enemy_shots, dumped(dump, "live_hitclass7"));
        last = dump;
    }
    ASSERT_GT(first_seen, 0) << c.label << " never came on screen";
    if (c.shows == EnemyCase::Fires) {
        EXPECT_GT(enemy_shots, 0) << c.label << " never fired:" << series;
    }
    if (c.shows == EnemyCase::Splits) {
        EXPECT_GT(peak_enemies, 3) << c.label << " never split:" << series;
    }
    EXPECT_GT(dumped(last, "player1score"), 0) << c.label << " was never shot down\n" << last;
    EXPECT_EQ(dumped(last, "player1hitpoints"), 100) << "god mode";
}

INSTANTIATE_TEST_SUITE_P(Families, EnemyScenario, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<EnemyCase>& info) { return info.param.label; });
