// The Crystal world (level 3): violet caverns veined with amber, grown with glowing crystal,
// faceted white and yellow craft, red crystal darts, gel blobs that split, and
// a gate of two crystal openers that loose shards across the cave.
#pragma once

#include <vector>

#include "generator/art/art.h"
#include "generator/worlds/common/terrain.h"
#include "generator/worlds/common/world.h"

namespace crystal {

struct Look {
    art::Color outline = art::Color::hex(0x0c0618);
    art::Ramp ice{art::Color::hex(0x5a6a9a), art::Color::hex(0xc8d8f4), art::Color::hex(0xffffff)};
    art::Ramp violet{art::Color::hex(0x1e0c3a), art::Color::hex(0x6a3ab8), art::Color::hex(0xd0a8ff)};
    art::Ramp magenta{art::Color::hex(0x3a0a30), art::Color::hex(0xc02a8a), art::Color::hex(0xffa0e0)};
    art::Ramp cyan{art::Color::hex(0x06304a), art::Color::hex(0x1aa8d8), art::Color::hex(0xb0fcff)};
    art::Ramp red{art::Color::hex(0x4a0614), art::Color::hex(0xd0243a), art::Color::hex(0xffa0a0)};
    art::Ramp silver{art::Color::hex(0x3a4058), art::Color::hex(0xa0a8c0), art::Color::hex(0xffffff)};
    art::Ramp yellow{art::Color::hex(0x5a3a04), art::Color::hex(0xe8b418), art::Color::hex(0xfff4a0)};
    art::Ramp rock{art::Color::hex(0x0e0818), art::Color::hex(0x2e1e46), art::Color::hex(0x6a5488)};
    // The second hue: amber veins in the rock and amber crystals among the violet.
    art::Ramp amber{art::Color::hex(0x4a1e04), art::Color::hex(0xe0861a), art::Color::hex(0xffe2a0)};
    art::Color glow = art::Color::hex(0x7af0ff);
};
const Look& look();

// A faceted gem: the outline `rim` (clockwise), each facet a triangle from
// `core` to one edge, lit by how its edge faces the upper left.
void gem(art::Canvas& c, const std::vector<art::Pt>& rim, art::Pt core, const art::Ramp& ramp,
         const art::Color& outline, double spin = 0);

void add_craft(worlds::World& world);   // crystalwhiteship, crystalwhitehelicopter, crystalredship, crystalyellowship
void add_ground(worlds::World& world);  // the yellow cannons, the blobs
void add_gate(worlds::World& world);    // the two openers and the four crystal pieces
void add_scenery(worlds::World& world);
void add_level(worlds::World& world);

constexpr int kLength = 14200;
const worlds::Terrain& floor_line();
const worlds::Terrain& roof_line();

}  // namespace crystal
