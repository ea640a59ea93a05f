// Choices the player makes inside the game: the options screen's rows, the
// Controls screen's keys and Alt+Enter. Each takes effect at once and is
// written to velmora.cfg at once (config.h: choices(), remember_choice), so a
// session that is killed keeps them; the file's comments and unknown keys
// stay. A headless run changes them for the run and writes nothing.
#pragma once

#include <string>

#include "app/config.h"

// A network game's run (--host, --join): its options screen keeps to the
// volumes, so each player's choices stay their own.
bool network_run();

// Full screen or a window, as the window is now.
bool fullscreen_now();
// Switches between full screen and a window. `already_switched`: the back end
// has done it itself (Alt+Enter), only the choice is left to keep.
void switch_fullscreen(bool already_switched = false);

platform::Scaling scaling_now();
void choose_scaling(platform::Scaling scaling);
// The next (step +1) or previous (-1) of auto, integer, fit and stretch.
platform::Scaling next_scaling(platform::Scaling scaling, int step);

// The smooth-motion setting of this run (the picture only; play is the same).
MotionMode motion_now();
void choose_motion(MotionMode motion);

// Autofire of this machine's players (both in a game on one machine).
bool autofire_now();
void choose_autofire(bool on);

// Key jobs (platform::KeyJob): what a player reads on the Controls screen.
const char* key_job_label(int job);
// The job other than `job` whose keys include the key named `name`, or -1.
int job_using_key(const std::string& name, int job);
// Gives `job` the one key `name` (an SDL key name): the game reads it at once.
void choose_key(int job, const std::string& name);

// Said at start-up in a game with a window: why the settings (and, when they
// go to the same place, the volumes) cannot be kept, naming the directory and
// the real reason; empty when they can. `volumes_path` is where the volumes
// are written first (Velmora_Win::prefs_path()).
std::string settings_place_problem(const std::string& config_path, const std::string& volumes_path);
