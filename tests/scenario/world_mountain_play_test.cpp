// The Mountain world played from its start by the autopilot in god mode: the
// level scrolls to its boss, the boss holds it still, the boss is beaten and
// the exit portal loads the next level, within the three to five minutes the
// level was made for.
#include <gtest/gtest.h>

#include "world_play_check.h"

TEST(MountainWorldPlay, AutopilotReachesTheBossBeatsItAndLeavesByTheExit) {
    world_play::expect_played_through(6);
}
