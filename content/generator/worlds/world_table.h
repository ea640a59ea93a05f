// The ten worlds, one row each in the order the game plays them. The game's
// list (state/world_list.h) gives each its name, its directory and its tune's
// file; a row holds what sets the world apart: the steps that draw its
// sprites, lay its scenery and script its level, and the tune's composer.
// Every row is written by the same routine as module "world_<name>".
#pragma once

#include <span>

#include "generator/worlds/common/world.h"
#include "state/world_list.h"
#include "writers/s3m_writer.h"

namespace worlds {

// Adds part of a world: sprites, scenery or the level's records.
using Step = void (*)(World& world);

struct WorldSetup {
    // In the order they run: within a layer, records placed earlier are drawn first.
    std::vector<Step> steps;
    writers::S3mModule (*tune)();
};

std::span<const WorldSetup, world_list::kCount> world_setups();

}  // namespace worlds
