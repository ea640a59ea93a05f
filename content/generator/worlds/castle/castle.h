// The castle world (level 7): a moonlit kingdom of stone walls and green
// hills, dragons on the ground and in the air, sorcerers, siege engines, a
// wooden horse that bars the way half-way, and a three-headed dragon.
#pragma once

#include "generator/art/art.h"
#include "generator/worlds/common/world.h"

namespace castle {

struct Look {
    art::Color outline;
    art::Ramp stone, wood, grass, roof, gold, cloth, steel;
    art::Ramp green_scales, red_scales, belly, wing_green, wing_red;
    art::Color moon, fire_glow;
};
const Look& look();

// A dragon seen from the side, facing left. `wing` -1 (down) .. 1 (up);
// `walk` 0..1 a stride (ignored when flying); `jaw` 0 shut .. 1 wide open.
struct DragonPose {
    double walk = 0, wing = 0, jaw = 0;
    bool flying = false;
};
struct DragonColours {
    art::Ramp scales, belly, wing;
};
// Draws the dragon with its body centre at (cx, cy); at `scale` 1 it reaches
// from x - 38 (snout) to x + 49 (tail) and from y - 31 (horns) to y + 23
// (claws), its wings up to y - 34 in flight. The mouth is at
// (cx - 36 * scale, cy - 16 * scale).
void draw_dragon(art::Canvas& c, const DragonColours& colours, const DragonPose& pose, double cx, double cy,
                 double scale);

void add_creatures(worlds::World& world);  // greendragon, reddragonwalking, reddragonflying, magiccarpet, blimp, fireball
void add_horse(worlds::World& world);      // horse, horsehead, horseback
void add_dragon(worlds::World& world);     // bossdragon, bossdragonhead, neckone .. neckfour
void add_buildings(worlds::World& world);  // houseone, smalltower, bigtower, catapult, wizard, fire
// The sky and the near hills behind the level, laid over `length` level pixels.
void add_backdrops(worlds::World& world, int length);
void add_land_and_level(worlds::World& world);

}  // namespace castle
