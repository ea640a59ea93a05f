// The autopilot in a world it cannot survive: through the continue screens
// until it gives up. (The ending and back out through the title: the full
// runs; two players: the goldens.)
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "whole_game_fixture.h"

using namespace whole_game;
using WholeGameAutopilot = GameRun;

TEST_F(WholeGameAutopilot, AnswersTheContinueScreenThenGivesUp) {
    // The ship appears inside a wall twice as wide as the play field, which it
    // cannot leave before its shield is gone: every level start is lost, so
    // each continue restarts it until the autopilot cancels.
    ASSERT_TRUE(write_fixture_data(data.path(), "Last", {{"wall", 1280, 416, 1, {90, 90, 120}}},
                                   {{100, 150, 0, "entranceportal"}, {0, 0, 0, "wall"}}));
    const scenario::RunResult r = run(20000, {}, {"--autopilot=1", "--start-level", "10"});
    ASSERT_EQ(r.exit_code, 0) << r.output;
    const std::string t = trace();
    for (const char* event : {"continue-screen", "new-game", "down player 1"})
        EXPECT_EQ(trace_events(t, event).size(), size_t(1 + 5)) << event << "\n" << t;
    for (const std::string& e : trace_events(t, "start level")) EXPECT_EQ(e, "start level 10 shields 100 0");
    EXPECT_NE(t.find("by wall"), std::string::npos) << "hits name what hit the ship";
    const std::vector<std::string> all = trace_events(t);
    ASSERT_GE(all.size(), 3u);
    EXPECT_EQ(all[all.size() - 3], "title");
    EXPECT_EQ(all.back(), "end-of-run quit");
}
