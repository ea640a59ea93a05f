// One world played through by the autopilot in god mode and watched frame by
// frame: how long the level takes, how long the scroll stands still for each
// boss, how much of that time the boss (or one of its parts) is on screen, and
// the longest stretch with no enemy on screen.
#pragma once

namespace world_play {

// Plays the level with seed 1 (and seeds 2..N when VELMORA_WORLD_PLAY_SEEDS
// is N) and checks each run: it started, the scroll stood still for the boss
// at most a minute a fight with the boss on screen for at least 80 % of it
// (and, in the worlds placed for it, framed by the field for 90 % and
// lasting long enough to be read),
// no fifteen seconds passed without an enemy, and the level ended by its exit
// portal within three to five minutes; and that the hits the runs took stay
// near the figure the world's placements were shaped for, which rises
// through the game. Skips when the level is not generated.
void expect_played_through(int level);

// Plays each of the last three worlds alone from its start, seeds 1 to 5,
// with the autopilot taking damage (no god mode), and checks that these
// fifteen runs lose at least one ship: the end of the game can kill a
// player who is careless for a moment.
void expect_last_worlds_can_kill();

}  // namespace world_play
