// One world played through by the autopilot in god mode and watched frame by
// frame: how long the level takes, how long the scroll stands still for each
// boss, how much of that time the boss (or one of its parts) is on screen, and
// the longest stretch with no enemy on screen.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace world_play {

constexpr long kFewestFrames = 3900;  // three minutes of 46 ms frames
constexpr long kMostFrames = 6500;    // five minutes
constexpr long kLongestHold = 1300;   // a minute with the scroll standing still
constexpr double kBossSeenShare = 0.8;
constexpr long kLongestQuiet = 326;   // fifteen seconds without an enemy

// A stretch of play frames with the scroll standing still: a boss fight.
struct Fight {
    long first = 0;        // play frame it began on (from 1)
    long frames = 0;
    long boss_seen = 0;    // frames of it with the boss or a part on screen
    int weapon = 0, weapon_level = 0;  // player one's as it began
    double seen_share() const { return frames > 0 ? double(boss_seen) / double(frames) : 0; }
};

struct Play {
    std::string error;     // why the run could not be watched; empty when it was
    bool started = false;
    bool exited = false;   // left by the exit portal
    long frames = 0;       // play frames of the level
    std::vector<Fight> fights;
    long quiet = 0;        // longest run of play frames without an enemy on screen
    long quiet_from = 0;   // where it began
    long quiet_scrolled_from = 0;  // frames the level had scrolled by then
    std::string trace;     // the run's trace, for messages
};

// Plays level `level` (1..10) alone from its start until the next level
// starts, with the autopilot and `seed`, in a child process (the game's
// globals stay the test's own), watching every play frame. The run's trace
// is returned in the play; with VELMORA_WORLD_PLAY_LOG set to a directory the
// frame-by-frame log is kept there as <World>-<seed>.txt.
Play play_world(int level, uint32_t seed);

// One line of figures for a play: frames, each fight's hold and share, the
// longest quiet stretch.
std::string summary(const Play& play);

// Plays the level with seed 1 (and seeds 2..N when VELMORA_WORLD_PLAY_SEEDS
// is N) and checks each run: it started, the scroll stood still for the boss
// at most kLongestHold frames a fight with the boss on screen for at least
// kBossSeenShare of it, nothing was quiet for more than kLongestQuiet frames,
// and the level ended by its exit portal within kFewestFrames..kMostFrames.
// Skips when the level is not generated.
void expect_played_through(int level);

}  // namespace world_play
