// Small flames for the burning structures' "fire": a house or tower hit by a
// shot spawns one at (hit point - 5), and it burns there, played back and
// forth. The flames' foot is 5 pixels right of and below that point, so the
// fire rises from where the shot struck.
#pragma once

#include <vector>

#include "generator/art/art.h"

namespace worlds {

// `count` frames of 16 x 22 flames, offsets (-3, -12); `heat` shifts the
// colour (0.45 is an ordinary orange fire, higher burns whiter).
std::vector<art::Frame> flame_frames(int count = 6, double heat = 0.45);

}  // namespace worlds
