// The mountain world (level 6): alpine dusk, granite and snow, an army in
// olive camouflage, and a pair of floating crags that carry the boss's eyes.
#pragma once

#include "generator/art/art.h"
#include "generator/worlds/common/terrain.h"
#include "generator/worlds/common/world.h"

namespace mountain {

// Materials shared by the world's pictures.
struct Look {
    art::Color outline;
    art::Ramp rock, snow, camo, khaki, bronze, steel, glass;
    art::Color energy, energy_core;
};
const Look& look();

void add_craft(worlds::World& world);  // mountaincamohelicopter, hovertank, landwalker
void add_boss(worlds::World& world);   // mountainboss and its parts

// The look of the floor (`dressed`: its face and the stones on it) and of the roof.
worlds::TerrainLook ground_look(const worlds::Terrain& t, const art::Noise& noise, bool dressed);
// The sky and the ridge behind the level, laid over `length` level pixels.
void add_backdrops(worlds::World& world, int length);
// Terrain, backdrops and the level layout.
void add_land_and_level(worlds::World& world);

}  // namespace mountain
