// The two blasts every world uses.
//
// "standardexplosion" is spawned centred on a point (down a sprite's column,
// at the tip of a blue laser); the boss blast picks any of frames 1..15 and
// the laser hit frames 1..7, so it has 16. "standardexplosionbig" is spawned
// at a sprite's centre and started on frames 1..8 by the boss blast; it has 10.
#include "generator/standard/standard_sprites.h"

namespace standard {

void add_explosion_sprites(SpriteList& out) {
    art::ExplosionLook small;
    small.sparks = 6;
    out.push_back({"standardexplosion", art::explosion_frames("standardexplosion", 40, 16, small)});

    art::ExplosionLook big;
    big.sparks = 14;
    big.turbulence = 0.65;
    big.noise_scale = 0.11;
    out.push_back({"standardexplosionbig", art::explosion_frames("standardexplosionbig", 72, 10, big)});
}

}  // namespace standard
