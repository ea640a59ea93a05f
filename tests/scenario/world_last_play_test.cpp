// The Last world played from its start by the autopilot in god mode: the
// shell holds the level still, its guns and then the shell itself are shot
// down, the level moves on until the last gate stops it for good with the
// exit portal in view, and the portal ends the level (the next level is the
// ending), within the three to five minutes the level was made for.
#include <gtest/gtest.h>

#include "world_play_check.h"

TEST(LastWorldPlay, ShellHoldsTheLevelThenTheLastGateStopsItWithTheExitInReach) {
    world_play::expect_played_through(10);
}
