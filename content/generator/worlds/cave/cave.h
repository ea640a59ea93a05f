// The cave world (level 8): a tunnel of ochre rock lit by teal crystals and
// far lava, rust-red fighters released from hatches, mining machines, and a
// pack of grinding wheels at the end.
#pragma once

#include "generator/art/art.h"
#include "generator/worlds/common/world.h"

namespace cave {

struct Look {
    art::Color outline;
    art::Ramp rock, rust, hazard, steel, glass, crystal;
    art::Color lava, crystal_glow;
};
const Look& look();

void add_craft(worlds::World& world);     // caveredship, cavehelicopter, cavetank, rockexplosion
void add_fixtures(worlds::World& world);  // cavecannonup, cavecannondown, caveopenerup, caveopenerdown
void add_boss(worlds::World& world);      // caveboss
void add_sentinels(worlds::World& world);  // the guns by the arena that no shot breaks
// The far wall and the pillars behind the level, laid over `length` level pixels.
void add_backdrops(worlds::World& world, int length);
void add_land_and_level(worlds::World& world);

}  // namespace cave
