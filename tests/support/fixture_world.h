// The world the tests write their own small data sets as. The game plays a
// world only through its world list, so a fixture takes level 1's directory;
// world_list_test keeps that world's descriptor at the default facts, so a
// fixture plays the same whatever the other worlds' rows say.
#pragma once

#include <string>

#include "state/world_list.h"

namespace fixture_world {

inline constexpr int kLevel = 1;
inline const std::string kName = world_list::of_level(kLevel)->name;
// "Levels/<world>", the fixture world's directory in a data set.
inline const std::string kDir = "Levels/" + kName;

}  // namespace fixture_world
