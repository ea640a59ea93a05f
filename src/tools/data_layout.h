// The files the game reads from its data directory, by name, for the tools
// that check or draw a data set.
#pragma once

#include <string>
#include <vector>

#include "state/world_list.h"

namespace data_layout {

// The shared world every level loads first.
constexpr const char* kSharedWorld = world_list::kSharedWorld;

// The world directory under Levels/ of a level ("Space" ... "Last"); empty
// for a level that has no world.
std::string world_of_level(int level);
// All of them, in level order.
std::vector<std::string> worlds();

// Interface pictures, relative to the data directory (the cursor included).
std::vector<std::string> interface_pictures();
// Sound effects, relative to the data directory ("Sound/g3.WAV", ...).
std::vector<std::string> sound_files();
// Music modules of every state and level, each once, relative to the data
// directory.
std::vector<std::string> music_files();

}  // namespace data_layout
