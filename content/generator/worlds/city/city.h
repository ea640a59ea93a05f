// The city world (level 9): a neon city at night, police and raider craft
// over the streets, towers that block the way, and a flying fortress that
// watches through the visor across its face.
#pragma once

#include <string>
#include <vector>

#include "generator/art/art.h"
#include "generator/worlds/common/world.h"

namespace city {

struct Look {
    art::Color outline;
    art::Ramp white, green, frog, police, steel, glass, concrete, brick, hull, gold;
    art::Color neon_pink, neon_cyan, window;
};
const Look& look();
// Neon lettering on a sign: `height` pixels high, centred on x, its top at y,
// white-hot at the top of the letters and `glow` at their foot.
void sign_text(art::Canvas& c, double x, double y, const std::string& text, double height, const art::Color& glow,
               double weight = 0.9, double tracking = 1.2);

void add_craft(worlds::World& world);      // citywhiteship, citygreenship, cityfrogship, citybluehelicopter,
                                           // cityblimp, rocketship
void add_boss(worlds::World& world);       // cityboss, its eyes and shots
void add_sentinels(worlds::World& world);  // the guns in the street that no shot breaks
void add_buildings(worlds::World& world);  // buildingone, buildinglights, housetwo, houseone, fire, scenery towers
void add_land_and_level(worlds::World& world);

// Scenery towers of the street (names outside the registry), with their sizes.
struct Tower {
    const char* name;
    int width, height;
};
const std::vector<Tower>& towers();
// The picture of a tower of the list past the first four (each its own kind).
art::Canvas more_tower(const std::string& name, int width, int height);

}  // namespace city
