// Sentinels: guns grown or bolted into a world's floor and roof that no shot
// breaks. They take the behaviour of the mountain's cannons
// ("mountainbosscannonup" stands on the floor, "mountainbosscannondown"
// hangs from the roof): they track the nearer ship and fire while it is to
// their left, above or below, and they stay until the road carries them away.
//
// Five frames by the aim: 1 up, 2 up-left, 3 left, 4 down-left, 5 down. The
// gun turns about a pivot at (x + 6, y + 10), where its aim is taken. Place a
// floor sentinel at y = floor surface - 45 and a roof one at y = roof
// surface + 26 (`sentinel_y`).
#pragma once

#include <vector>

#include "generator/art/art.h"

namespace worlds {

struct SentinelStyle {
    art::Ramp mound;   // the root it grows from
    art::Ramp barrel;  // the ribbed barrel
    art::Color veins;  // cracks down the root
    art::Color eye;    // the glowing eye at the pivot
    art::Color mouth;  // the muzzle's glow
    art::Color outline;
};

std::vector<art::Frame> sentinel_frames(const SentinelStyle& style, bool on_floor);

// The y to place a sentinel at over a floor or under a roof whose surface
// row is `surface`.
int sentinel_y(int surface, bool on_floor);

}  // namespace worlds
