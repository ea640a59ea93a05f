// Sprite names the game's code asks for by name: the ones every level needs
// (ships, weapons, explosions, power-ups, the status bar), and the ones a
// placed sprite's behaviour spawns (a boss its parts, a hive its bees, a
// hatch its ships), so a data set can be checked for names the code will
// look for in vain.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace spawn_needs {

// Needed in every level, from the shared world.
const std::vector<std::string>& every_level();

// The names the behaviour bound to `name` spawns (empty for most).
std::vector<std::string> spawned_by(const std::string& name);

// Every name a level placing `placed` needs beyond every_level(), each with the
// placed name whose behaviour (directly or through what it spawns) asks for it.
std::map<std::string, std::string> needed_by_level(const std::vector<std::string>& placed);

}  // namespace spawn_needs
