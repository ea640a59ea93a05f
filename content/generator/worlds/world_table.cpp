#include "generator/worlds/world_table.h"

#include "generator/module.h"
#include "generator/music/tunes.h"
#include "generator/worlds/castle/castle.h"
#include "generator/worlds/cave/cave.h"
#include "generator/worlds/city/city.h"
#include "generator/worlds/crystal/crystal_art.h"
#include "generator/worlds/hive/hive_art.h"
#include "generator/worlds/last/last.h"
#include "generator/worlds/metal/metal_art.h"
#include "generator/worlds/mountain/mountain.h"
#include "generator/worlds/space/space_art.h"
#include "generator/worlds/water/water_art.h"

namespace worlds {

namespace {

const WorldSetup kSetups[] = {
    {{space::add_ships, space::add_meteors, space::add_boss, space::add_scenery, space::add_level},
     music::space_tune},
    {{metal::add_craft, metal::add_ground, metal::add_bosses, metal::add_scenery, metal::add_level},
     music::metal_tune},
    {{crystal::add_craft, crystal::add_ground, crystal::add_gate, crystal::add_scenery, crystal::add_level},
     music::crystal_tune},
    {{water::add_sea_life, water::add_subs, water::add_city, water::add_boss, water::add_scenery, water::add_level},
     music::water_tune},
    {{hive::add_bees, hive::add_craft, hive::add_nests, hive::add_queen, hive::add_scenery, hive::add_level},
     music::hive_tune},
    {{mountain::add_craft, mountain::add_boss, mountain::add_land_and_level}, music::mountain_tune},
    {{castle::add_creatures, castle::add_horse, castle::add_dragon, castle::add_buildings,
      castle::add_land_and_level},
     music::castle_tune},
    {{cave::add_craft, cave::add_fixtures, cave::add_boss, cave::add_sentinels, cave::add_land_and_level}, music::cave_tune},
    {{city::add_craft, city::add_boss, city::add_sentinels, city::add_buildings, city::add_land_and_level}, music::city_tune},
    {{last::add_boss, last::add_fleet, last::add_gates, last::add_sentinels, last::add_land_and_level}, music::cave_tune},
};
static_assert(std::size(kSetups) == world_list::kCount, "one row for every world the game plays");

bool write_world(const content::Context& context, const world_list::Entry& entry, const WorldSetup& setup) {
    World world(context, entry.name);
    for (const Step step : setup.steps) step(world);
    return world.finish();
}

const bool registered = [] {
    for (int i = 0; i < world_list::kCount; ++i) {
        const world_list::Entry& entry = world_list::kEntries[i];
        content::add_module(module_name(entry.name), [&entry, i](const content::Context& context) {
            return write_world(context, entry, kSetups[i]);
        });
    }
    return true;
}();

}  // namespace

std::span<const WorldSetup, world_list::kCount> world_setups() { return kSetups; }

}  // namespace worlds
