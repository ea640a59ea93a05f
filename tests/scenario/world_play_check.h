// One world played through by the autopilot, checked from the run's trace.
#pragma once

namespace world_play {

// Plays level `level` (1..10) alone in god mode from its start until the next
// level starts (the ending after the last), and checks the run: the level
// started, the scroll stood still for the boss (seen in the trace's samples or
// in state dumps every 50 frames), and the level ended by its exit portal
// after 4000 to 6700 frames (three to five minutes). Skips when the level is
// not generated.
void expect_played_through(int level);

}  // namespace world_play
