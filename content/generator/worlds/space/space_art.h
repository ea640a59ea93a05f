// The Space world (level 1): deep violet space with nebulae, a belt of
// asteroid rock, fighters in white, green and frog-green, satellites,
// rockets, spinning meteors and a battleship with eight cannons.
#pragma once

#include "generator/art/art.h"
#include "generator/worlds/common/world.h"

namespace space {

// Shared colours of the world.
struct Look {
    art::Color outline = art::Color::hex(0x0b0a18);
    art::Ramp white{art::Color::hex(0x5a6078), art::Color::hex(0xc4cad8), art::Color::hex(0xffffff)};
    art::Ramp steel{art::Color::hex(0x262a3a), art::Color::hex(0x5c6478), art::Color::hex(0xa8b0c4)};
    art::Ramp gunmetal{art::Color::hex(0x181a26), art::Color::hex(0x3c4052), art::Color::hex(0x7a8096)};
    art::Ramp green{art::Color::hex(0x0d3a1c), art::Color::hex(0x2f9a48), art::Color::hex(0xa8f08a)};
    art::Ramp frog{art::Color::hex(0x2a4a08), art::Color::hex(0x76b81c), art::Color::hex(0xe0ff8a)};
    art::Ramp red{art::Color::hex(0x4a0a10), art::Color::hex(0xc42a2a), art::Color::hex(0xff9a80)};
    art::Ramp gold{art::Color::hex(0x5a3a08), art::Color::hex(0xc89a2a), art::Color::hex(0xfff0a0)};
    art::Ramp panel{art::Color::hex(0x0a1848), art::Color::hex(0x2448b0), art::Color::hex(0x7ab0ff)};
    art::Ramp glass{art::Color::hex(0x061a40), art::Color::hex(0x1a78d0), art::Color::hex(0xb8f4ff)};
    art::Ramp rock{art::Color::hex(0x1e1a22), art::Color::hex(0x5e5258), art::Color::hex(0xb4a49a)};
    art::Color engine = art::Color::hex(0x5ad0ff);
    art::Color hot = art::Color::hex(0xff8a3a);
};
const Look& look();

void add_ships(worlds::World& world);     // spacewhiteship, spacefrogship, spacegreenship, rocketship, spacesatalite
void add_meteors(worlds::World& world);   // spacemetiorbig, spacemetiorsmall
void add_boss(worlds::World& world);      // spaceboss, spacebosscannonup, spacebosscannondown
// The backdrops and the asteroid belt; returns nothing, places them on the level.
void add_scenery(worlds::World& world);
void add_level(worlds::World& world);

constexpr int kExitX = 12100;          // the exit portal
constexpr int kLength = kExitX + 700;  // level x the scenery covers

}  // namespace space
