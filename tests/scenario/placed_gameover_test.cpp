// A data set whose level places the game-over sprite: the level ends as a game
// over while the ship lives and is loaded again, and the reloaded level must
// play (not end on its first frame) and answer Escape.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "state/game_states.h"
#include "whole_game_fixture.h"
#include "support/fixture_world.h"

using namespace whole_game;
using PlacedGameOver = GameRun;

TEST_F(PlacedGameOver, TheLevelRestartsAndPlaysInsteadOfEndingEveryFrame) {
    ASSERT_TRUE(write_fixture_data(data.path(), fixture_world::kName, {}, {{100, 150, 0, "entranceportal"},
                                                              {140, 180, 0, "gameover"}}));
    // Skip the logos, 1 Player, no fire (the sprite then ends the level by
    // itself after its longest showing); Escape and back at 1500 and 1520.
    const scenario::RunResult r = run(3000,
                                      {"2 mouse button 0 down", "4 mouse button 0 up", "6 mouse move -120 200",
                                       "8 mouse button 0 down", "9 mouse button 0 up", "1500 key down 0x1B",
                                       "1501 key up 0x1B", "1520 key down 0x1B", "1521 key up 0x1B"},
                                      {}, {1502, 1522});
    ASSERT_EQ(r.exit_code, 0) << r.output;
    const std::string t = trace();
    // Each showing lasts over 600 frames: a handful of loads in 3,000 frames,
    // not one every few frames.
    const size_t starts = trace_events(t, "start level 1").size();
    EXPECT_GE(starts, 2u) << t;
    EXPECT_LE(starts, 5u) << t;
    EXPECT_GE(trace_events(t, "end level 1 game-over").size(), 1u) << t;
    EXPECT_TRUE(trace_events(t, "continue-screen").empty()) << "the ship lives: no continue screen";
    EXPECT_EQ(values("game_state"), (std::vector<long long>{kStateTitleMenu, kStatePlaying})) << "paused, then resumed";
}
