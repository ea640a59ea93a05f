// The last world (level 10): the heart of the enemy, a living fortress of
// violet chitin and crimson flesh lit by acid light, its chamber's far wall
// pulsing behind everything, its armada, and the armoured shell at its core.
#pragma once

#include <vector>

#include "generator/art/art.h"
#include "generator/worlds/common/world.h"

namespace last {

struct Look {
    art::Color outline;
    art::Ramp chitin, flesh, bone, metal;
    art::Color acid, acid_core, ember;
};
const Look& look();

void add_boss(worlds::World& world);    // the shell, its five guns, their shots, the shell's squirming shot
void add_fleet(worlds::World& world);   // the armada: darts, divers, zigzaggers, hatches and their fighters,
                                        // turrets, rockets, drifting spores
void add_gates(worlds::World& world);   // background, the gates, mounted cannons, shields
void add_heart(worlds::World& world);  // the heart that drifts over the far wall ("buildinglights")
void add_sentinels(worlds::World& world);  // the bone guns beside the shell that no shot breaks
void add_land_and_level(worlds::World& world);

}  // namespace last
