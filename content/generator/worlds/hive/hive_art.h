// The Hive world (level 5): amber honeycomb caves, hives that loose blue and
// yellow bees, beetle craft in green and orange, swaying tendrils, chitin
// cannons, and the queen, who cannot be hurt and must be outlasted.
#pragma once

#include "generator/art/art.h"
#include "generator/worlds/common/terrain.h"
#include "generator/worlds/common/world.h"

namespace hive {

struct Look {
    art::Color outline = art::Color::hex(0x140a02);
    art::Ramp amber{art::Color::hex(0x4a2604), art::Color::hex(0xd88a14), art::Color::hex(0xffe08a)};
    art::Ramp wax{art::Color::hex(0x3a2208), art::Color::hex(0x9a6a2a), art::Color::hex(0xf0c880)};
    art::Ramp chitin{art::Color::hex(0x1a1208), art::Color::hex(0x4a3a20), art::Color::hex(0xa08a5a)};
    art::Ramp green{art::Color::hex(0x0c3010), art::Color::hex(0x3a9a2a), art::Color::hex(0xc8f88a)};
    art::Ramp orange{art::Color::hex(0x4a1a04), art::Color::hex(0xe0601a), art::Color::hex(0xffc080)};
    art::Ramp blue{art::Color::hex(0x0a1a4a), art::Color::hex(0x2a6ae0), art::Color::hex(0xa8d8ff)};
    art::Ramp yellow{art::Color::hex(0x5a4000), art::Color::hex(0xf0c818), art::Color::hex(0xfff6a0)};
    art::Ramp flesh{art::Color::hex(0x3a0a1a), art::Color::hex(0xa02a4a), art::Color::hex(0xff9ab0)};
    art::Color wing = art::Color::hex(0xd8f0ff);
    art::Color glow = art::Color::hex(0xffe860);
};
const Look& look();

// A hexagon path of "radius" r (centre to corner), flat top.
void hexagon(art::Canvas& c, double cx, double cy, double r);

void add_bees(worlds::World& world);     // the four bee forms
void add_craft(worlds::World& world);    // hivegreenship, hiveorangeship
void add_nests(worlds::World& world);    // hiveup, hivedown, tendrils, cannons
void add_queen(worlds::World& world);    // hiveboss, hivebossshot
void add_scenery(worlds::World& world);
void add_level(worlds::World& world);

constexpr int kLength = 13400;
const worlds::Terrain& floor_line();
const worlds::Terrain& roof_line();

}  // namespace hive
