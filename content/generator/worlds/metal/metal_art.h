// The Metal world (level 2): a factory of blue steel and hazard paint, with
// turrets, radars, hatches that launch fighters, crushers, walkers, a robot
// guarding the middle and a reactor core with three orbiting guns at the end.
#pragma once

#include "generator/art/art.h"
#include "generator/worlds/common/terrain.h"
#include "generator/worlds/common/world.h"

namespace metal {

struct Look {
    art::Color outline = art::Color::hex(0x0a0c12);
    art::Ramp steel{art::Color::hex(0x262c3a), art::Color::hex(0x66728a), art::Color::hex(0xc8d2e2)};
    art::Ramp dark{art::Color::hex(0x12151e), art::Color::hex(0x333a4a), art::Color::hex(0x6a7488)};
    art::Ramp blue{art::Color::hex(0x0e1c52), art::Color::hex(0x2e5ec4), art::Color::hex(0xa6c8ff)};
    art::Ramp olive{art::Color::hex(0x1e3414), art::Color::hex(0x5a8c34), art::Color::hex(0xc6ec98)};
    art::Ramp hazard{art::Color::hex(0x6a4a06), art::Color::hex(0xe8b020), art::Color::hex(0xfff0a0)};
    art::Ramp rust{art::Color::hex(0x3a1a0c), art::Color::hex(0x9a4a24), art::Color::hex(0xe8a070)};
    art::Ramp glass{art::Color::hex(0x0a1a30), art::Color::hex(0x2a88c0), art::Color::hex(0xc0f4ff)};
    art::Ramp red{art::Color::hex(0x4a0808), art::Color::hex(0xc02020), art::Color::hex(0xff9a80)};
    art::Color lamp = art::Color::hex(0xff8a20);
    art::Color energy = art::Color::hex(0xff5a1a);
};
const Look& look();

// A band of yellow and black diagonal stripes over the rectangle (clipped to it).
void hazard_band(art::Canvas& c, double x, double y, double w, double h);

void add_craft(worlds::World& world);    // metalbluehelicopter, metalgreenship, metalbossshot
void add_ground(worlds::World& world);   // turrets, radars, hatches, crusher, landwalker
void add_bosses(worlds::World& world);   // robot, robothead, robotgun, metalboss, metalbossgun
void add_scenery(worlds::World& world);
// The doors, fans and machines laid over the plain wall on layer 3 (called by add_scenery).
void add_wall_fittings(worlds::World& world);
void add_level(worlds::World& world);

// The level's floor and roof, shared by the scenery and the level script
// (turrets, hatches and walkers stand on them).
constexpr int kLength = 14600;
const worlds::Terrain& floor_line();
const worlds::Terrain& roof_line();

}  // namespace metal
