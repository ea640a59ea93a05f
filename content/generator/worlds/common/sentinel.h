// Sentinels: guns grown or bolted into a world's floor and roof that no shot
// breaks. They take the behaviour of the mountain's cannons
// ("mountainbosscannonup" stands on the floor, "mountainbosscannondown"
// hangs from the roof): they track the nearer ship and fire while it is to
// their left, above or below, and they stay until the road carries them away.
//
// Five frames by the aim: 1 up, 2 up-left, 3 left, 4 down-left, 5 down. The
// gun turns about a pivot at (x + 6, y + 10), where its aim is taken;
// `place_sentinel` stands one with its root in the ground.
#pragma once

#include <vector>

#include "generator/art/art.h"

namespace worlds {

class LevelScript;
class Terrain;

struct SentinelStyle {
    art::Ramp mound;   // the root it grows from
    art::Ramp barrel;  // the ribbed barrel
    art::Color veins;  // cracks down the root
    art::Color eye;    // the glowing eye at the pivot
    art::Color mouth;  // the muzzle's glow
    art::Color outline;
};

std::vector<art::Frame> sentinel_frames(const SentinelStyle& style, bool on_floor);

// Places a sentinel at level x `x` on layer 1 (with the walls), its root two
// rows into `ground`: standing on a floor, hanging from a roof.
void place_sentinel(LevelScript& level, const Terrain& ground, int x);
// The same on a flat floor (on_floor) or roof whose surface row is `surface`.
void place_sentinel(LevelScript& level, int surface, int x, bool on_floor);

}  // namespace worlds
