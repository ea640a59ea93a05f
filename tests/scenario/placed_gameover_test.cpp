// A data set whose level places the game-over sprite: the level ends as a game
// over while the ship lives and is loaded again, and the reloaded level must
// play (not end on its first frame) and answer Escape.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/scenario.h"
#include "support/temp_dir.h"
#include "whole_game_fixture.h"

using namespace scenario;
using namespace whole_game;

TEST(PlacedGameOver, TheLevelRestartsAndPlaysInsteadOfEndingEveryFrame) {
    TempDir data;
    TempDir out;
    ASSERT_TRUE(write_fixture_data(data.path(), "Space", {}, {{100, 150, 0, "entranceportal"},
                                                              {140, 180, 0, "gameover"}}));
    // Skip the logos, 1 Player, no fire (the sprite then ends the level by
    // itself after its longest showing); Escape and back at 1500 and 1520.
    ASSERT_TRUE(write_input_script(out.file("in.txt"),
                                   {"2 mouse button 0 down", "4 mouse button 0 up", "6 mouse move -120 200",
                                    "8 mouse button 0 down", "9 mouse button 0 up", "1500 key down 0x1B",
                                    "1501 key up 0x1B", "1520 key down 0x1B", "1521 key up 0x1B"}));
    const RunResult r = run_velmora(
        {"--headless", "--data", data.path(), "--seed", "1", "--frames", "3000", "--input", out.file("in.txt"),
         "--trace", out.file("trace.txt"), "--dump-state", "1502:" + out.file("paused.txt"), "--dump-state",
         "1522:" + out.file("resumed.txt")},
        {{"XDG_CONFIG_HOME", out.file("config")}, {"VELMORA_DATA", ""}});
    ASSERT_EQ(r.exit_code, 0) << r.output;
    const std::string t = read_file(out.file("trace.txt"));
    const std::vector<std::string> starts = trace_events(t, "start level 1");
    const std::vector<std::string> ends = trace_events(t, "end level 1 game-over");
    // Each showing lasts over 600 frames: a handful of loads in 3,000 frames,
    // not one every few frames.
    EXPECT_GE(starts.size(), 2u) << t;
    EXPECT_LE(starts.size(), 5u) << t;
    EXPECT_GE(ends.size(), 1u) << t;
    EXPECT_TRUE(trace_events(t, "continue-screen").empty()) << "the ship lives: no continue screen";
    EXPECT_EQ(dumped(read_file(out.file("paused.txt")), "game_state"), 4);
    EXPECT_EQ(dumped(read_file(out.file("resumed.txt")), "game_state"), 8);
}
