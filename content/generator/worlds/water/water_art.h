// The Water world (level 4): a sunken city on a sandy sea bed under a roof of
// rock, fish and submarines, jelly blobs, and a great brain in a glass dome
// that sends out rings of cells.
#pragma once

#include "generator/art/art.h"
#include "generator/worlds/common/terrain.h"
#include "generator/worlds/common/world.h"

namespace water {

struct Look {
    art::Color outline = art::Color::hex(0x04101c);
    art::Ramp yellow{art::Color::hex(0x6a4a04), art::Color::hex(0xf0c020), art::Color::hex(0xfff4a8)};
    art::Ramp grey{art::Color::hex(0x1e242e), art::Color::hex(0x5e6a7a), art::Color::hex(0xb4c0cc)};
    art::Ramp purple{art::Color::hex(0x2a0c4a), art::Color::hex(0x8a3ac8), art::Color::hex(0xe0b0ff)};
    art::Ramp teal{art::Color::hex(0x063a3a), art::Color::hex(0x1aa8a0), art::Color::hex(0xa8fff0)};
    art::Ramp blue{art::Color::hex(0x0a1e4a), art::Color::hex(0x2a6ad0), art::Color::hex(0xa0d0ff)};
    art::Ramp pink{art::Color::hex(0x5a1030), art::Color::hex(0xe0608a), art::Color::hex(0xffd0e0)};
    art::Ramp coral{art::Color::hex(0x5a1a0a), art::Color::hex(0xe8603a), art::Color::hex(0xffc0a0)};
    art::Ramp sand{art::Color::hex(0x2a2010), art::Color::hex(0x9a7c4c), art::Color::hex(0xf0dcaa)};
    art::Ramp stone{art::Color::hex(0x0c1620), art::Color::hex(0x2e4450), art::Color::hex(0x7a98a4)};
    art::Ramp glass{art::Color::hex(0x0a2a40), art::Color::hex(0x3aa0c8), art::Color::hex(0xd0fcff)};
    art::Color light = art::Color::hex(0xfff0a0);
};
const Look& look();

void add_sea_life(worlds::World& world);  // the fish, the blob
void add_subs(worlds::World& world);      // wateryellowsub, watergreysub
void add_city(worlds::World& world);      // the fourteen buildings
void add_boss(worlds::World& world);      // waterboss, waterbraincell
void add_scenery(worlds::World& world);
void add_level(worlds::World& world);

constexpr int kLength = 13800;
const worlds::Terrain& floor_line();
const worlds::Terrain& roof_line();

}  // namespace water
