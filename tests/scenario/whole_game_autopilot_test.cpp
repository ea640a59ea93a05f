// The autopilot plays small worlds written here: the last world to the ending
// and back out through the title menu, and a world it cannot survive through
// the continue screens until it gives up. (Two players: the goldens.)
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

class WholeGameAutopilot : public ::testing::Test {
protected:
    RunResult run(const std::string& world, const std::vector<FixtureSprite>& sprites,
                  const std::vector<writers::LevelRecord>& level, std::vector<std::string> extra) {
        EXPECT_TRUE(write_fixture_data(data.path(), world, sprites, level));
        std::vector<std::string> args = autopilot_args(data.path(), out.file("trace.txt"), 1, 20000);
        args.insert(args.end(), extra.begin(), extra.end());
        return run_velmora(args, {{"XDG_CONFIG_HOME", out.file("config")}, {"VELMORA_DATA", ""}});
    }
    std::string trace() { return read_file(out.file("trace.txt")); }

    TempDir data;
    TempDir out;
};

// Three patrolling submarines that fire at the ship, between the portals.
const std::vector<FixtureSprite> kSubs = {{"wateryellowsub", 50, 24, 3, {230, 200, 40}}};
const std::vector<writers::LevelRecord> kPatrolLevel = {
    {100, 150, 0, "entranceportal"}, {900, 100, 0, "wateryellowsub"}, {1100, 260, 0, "wateryellowsub"},
    {1300, 180, 0, "wateryellowsub"}, {2200, 140, 0, "exitportal"},
};

// The live sprites of a collision class in a trace's sample line.
int live_of_class(const std::string& sample, int hitclass) {
    std::istringstream in(sample.substr(sample.find("classes") + 7));
    int count = -1;
    for (int c = 1; c <= hitclass; ++c)
        if (!(in >> count)) return -1;
    return count;
}

}  // namespace

TEST_F(WholeGameAutopilot, PlaysTheLastWorldToTheEndingThenQuitsFromTheTitle) {
    const RunResult r = run("Last", kSubs, kPatrolLevel, {"--start-level", "10", "--god"});
    ASSERT_EQ(r.exit_code, 0) << r.output;
    const std::string t = trace();
    const std::vector<std::string> screens = {"title", "new-game players 1", "ending", "title", "quit",
                                              "end-of-run quit"};
    std::vector<std::string> seen;
    for (const std::string& e : trace_events(t))
        if (std::find(screens.begin(), screens.end(), e) != screens.end()) seen.push_back(e);
    EXPECT_EQ(seen, screens) << t;
    const std::vector<std::string> ends = trace_events(t, "end level");
    ASSERT_EQ(ends.size(), 1u) << t;
    EXPECT_EQ(ends[0].rfind("end level 10 exit", 0), 0u) << ends[0];
    // It shot the submarines down on the way (none is left when the level has
    // scrolled 500 frames) and picked up what they dropped.
    const std::vector<std::string> samples = trace_events(t, "sample level 10 frame 500 ");
    ASSERT_EQ(samples.size(), 1u) << t;
    EXPECT_EQ(live_of_class(samples[0], 6), 0) << samples[0];
    EXPECT_EQ(ends[0].find("scores 0 "), std::string::npos) << ends[0];
}

TEST_F(WholeGameAutopilot, AnswersTheContinueScreenThenGivesUp) {
    // The ship appears inside a wall twice as wide as the play field, which it
    // cannot leave before its shield is gone: every level start is lost, so
    // each continue restarts it until the autopilot cancels.
    const RunResult r = run("Last", {{"wall", 1280, 416, 1, {90, 90, 120}, false}},
                            {{100, 150, 0, "entranceportal"}, {0, 0, 0, "wall"}}, {"--start-level", "10"});
    ASSERT_EQ(r.exit_code, 0) << r.output;
    const std::string t = trace();
    EXPECT_EQ(trace_events(t, "continue-screen").size(), size_t(1 + 5)) << t;
    EXPECT_EQ(trace_events(t, "new-game").size(), size_t(1 + 5)) << t;
    EXPECT_EQ(trace_events(t, "down player 1").size(), size_t(1 + 5));
    for (const std::string& e : trace_events(t, "start level")) EXPECT_EQ(e, "start level 10 shields 100 0");
    EXPECT_NE(t.find("by wall"), std::string::npos) << "hits name what hit the ship";
    const std::vector<std::string> all = trace_events(t);
    ASSERT_GE(all.size(), 3u);
    EXPECT_EQ(all[all.size() - 3], "title");
    EXPECT_EQ(all.back(), "end-of-run quit");
}
