// Regression goldens: for each generated world, the autopilot plays from the
// title menu into that world (god mode, seed 1) until the next world loads,
// and the run's trace (level start and end frames, scores, shields, every hit,
// sprite counts every 500 frames) must match tests/golden/ line for line. A
// few worlds are also played by two players, for what only a second ship and
// its drones bring (two aim points, two fire controls, shared power-ups).
// Every contact test must give what the full walk over the active list gives.
// docs/regression.md says how to regenerate the goldens after a deliberate
// change.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>

#include "state/world_list.h"
#include "support/scenario.h"
#include "support/temp_dir.h"
#include "support/trace_difference.h"
#include "whole_game_fixture.h"

using namespace scenario;
using namespace whole_game;

namespace {

constexpr long kFrameLimit = 20000;  // far beyond any world; a stalled run still ends

struct GoldenRun {
    int level;
    int players;
};

std::string golden_path(const GoldenRun& run) {
    char name[64];
    std::snprintf(name, sizeof name, "/tests/golden/level%02d-%s%s.trace", run.level, world_name(run.level),
                  run.players == 2 ? "-2p" : "");
    return std::string(VELMORA_SOURCE_DIR) + name;
}

class WorldGolden : public ::testing::TestWithParam<GoldenRun> {};

std::vector<GoldenRun> one_player_runs() {
    std::vector<GoldenRun> runs;
    for (int level = 1; level <= world_list::kCount; ++level) runs.push_back({level, 1});
    return runs;
}

std::string run_name(const ::testing::TestParamInfo<GoldenRun>& info) { return world_name(info.param.level); }

}  // namespace

TEST_P(WorldGolden, MatchesItsTrace) {
    const int level = GetParam().level;
    const int players = GetParam().players;
    if (!generated_level_present(level)) GTEST_SKIP() << world_name(level) << " is not generated yet";
    TempDir out;
    std::vector<std::string> args = autopilot_args(VELMORA_DATA, out.file("trace.txt"), players, kFrameLimit);
    args.insert(args.end(), {"--god", "--start-level", std::to_string(level), "--stop-at-level",
                             std::to_string(level + 1)});
    // Every contact test of the run is also taken the long way and compared.
    const RunResult r = run_velmora(
        args, {{"XDG_CONFIG_HOME", out.file("config")}, {"VELMORA_DATA", ""}, {"VELMORA_CHECK_CONTACTS", "1"}});
    ASSERT_EQ(r.exit_code, 0) << r.output;
    const std::string trace = read_file(out.file("trace.txt"));
    ASSERT_NE(trace.find("end level " + std::to_string(level) + " exit"), std::string::npos)
        << "the autopilot did not finish " << world_name(level) << " within " << kFrameLimit << " frames:\n"
        << trace;
    if (players == 2) {
        // Both ships flew the whole world and both scored.
        ASSERT_NE(trace.find("new-game players 2"), std::string::npos) << trace;
        const std::vector<TraceLine> lines = trace_lines(trace);
        long score2 = -1, shield2 = -1;
        for (const TraceLine& l : lines)
            std::sscanf(l.text.c_str(), "end level %*d exit frames %*d scores %*d %ld shields %*d %ld", &score2,
                        &shield2);
        EXPECT_GT(score2, 0) << trace;
        EXPECT_GT(shield2, 0) << trace;
    }

    const std::string path = golden_path(GetParam());
    if (std::getenv("VELMORA_UPDATE_GOLDENS") != nullptr) {
        ASSERT_TRUE(writers::write_text(path, trace)) << path;
        GTEST_SKIP() << "golden written: " << path;
    }
    ASSERT_TRUE(std::filesystem::exists(path))
        << "no golden for " << world_name(level) << "; write it with VELMORA_UPDATE_GOLDENS=1 (docs/regression.md)";
    const std::string golden = read_file(path);
    EXPECT_TRUE(golden == trace) << world_name(level) << " plays differently from its golden, "
                                 << trace_difference::first(golden, trace)
                                 << "If the change is deliberate, regenerate (docs/regression.md).";
}

INSTANTIATE_TEST_SUITE_P(Worlds, WorldGolden, ::testing::ValuesIn(one_player_runs()), run_name);
INSTANTIATE_TEST_SUITE_P(TwoPlayers, WorldGolden,
                         ::testing::Values(GoldenRun{1, 2}, GoldenRun{4, 2}, GoldenRun{7, 2}, GoldenRun{10, 2}),
                         run_name);
