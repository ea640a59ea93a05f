// Each world played from its start by the autopilot in god mode: the level
// scrolls to its boss, the boss holds it still for at most a minute and stays
// on screen while it does, no stretch passes without an enemy, and the exit
// portal loads the next level within the three to five minutes the level was
// made for, and the ship takes about the hits the world was shaped to deal. VELMORA_WORLD_PLAY_SEEDS=5 plays seeds 1 to 5 (scripts/world-play).
// Without god mode, the last three worlds lose the autopilot a ship at least
// once in seeds 1 to 5.
#include <gtest/gtest.h>

#include "state/world_list.h"

#include "whole_game_fixture.h"
#include "world_play_check.h"

namespace {

class WorldPlay : public ::testing::TestWithParam<int> {};

TEST_P(WorldPlay, BossHoldsTheScreenBrieflyAndTheLevelEndsInTime) { world_play::expect_played_through(GetParam()); }

INSTANTIATE_TEST_SUITE_P(Worlds, WorldPlay, ::testing::Range(1, world_list::kCount + 1),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return std::string(whole_game::world_name(info.param));
                         });

// Fifteen whole worlds: minutes under the sanitizers, seconds in the suite's
// own build, which is where the figure is kept.
TEST(WorldPlayMortal, TheLastWorldsCanKill) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "fifteen mortal runs are left to the build without sanitizers";
#else
    world_play::expect_last_worlds_can_kill();
#endif
}

}  // namespace
