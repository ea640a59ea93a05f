// Solid ground and roof on layer 1: a surface line over the whole level,
// drawn as one continuous landscape and cut into tiles (each its own sprite
// outside the registry: an inert, solid piece of scenery).
//
// A floor's surface is the field row of its top edge (416 or more: no floor
// there); a roof's is the row of its lower edge (0 or less: no roof there).
// The line is shaped by keys: (level x, surface row, roughness), joined by
// smooth steps, with fractal noise of the keys' roughness on top. Keys with no
// roughness make flat pads for turrets and walkers.
//
//   worlds::Terrain floor(worlds::Terrain::Kind::Floor, level_length, art::seed_of("metalfloor"));
//   floor.keys({{0, 380, 6}, {2000, 330, 10}, {2300, 350, 0}, {2600, 350, 0}});
//   worlds::TerrainLook look{...};
//   floor.lay(world, "metalfloor", look);   // tiles written and placed on layer 1
//   int top = floor.surface(2400);          // stand a turret on the pad
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "generator/art/art.h"
#include "generator/worlds/common/world.h"

namespace worlds {

struct TerrainKey {
    double x = 0;      // level x
    double y = 0;      // surface row
    double rough = 0;  // noise amplitude in pixels around this key
};

// A pixel of solid ground, as the material sees it.
struct GroundPixel {
    int x = 0, y = 0;   // level x and field row
    double depth = 0;   // pixels from the surface into the ground
};

struct TerrainLook {
    // Colour of a solid pixel. The default is `rock` shaded by depth and noise.
    std::function<art::Color(const GroundPixel&)> material;
    art::Ramp rock;            // the default material's ramp (light at the surface)
    art::Color outline;        // the line along the surface
    art::Color rim;            // a lit line just inside the surface; alpha 0 leaves it off
    double noise_scale = 0.05;
    int margin = 14;           // rows kept above a floor (below a roof) for dressing
    int tile_width = 256;
    // Details drawn on each tile after the material (rivets, crystals, coral).
    // Coordinates on the canvas are field columns relative to the tile's level
    // x (`origin_x`) and field rows relative to the tile's top (`origin_y`).
    std::function<void(art::Canvas&, int origin_x, int origin_y, const std::function<int(int)>& surface)> dressing;
};

class Terrain {
public:
    enum class Kind { Floor, Roof };

    Terrain(Kind kind, int length, uint64_t seed);

    // Replaces the shape: keys in increasing x; before the first and after the
    // last key the line holds the key's height.
    void keys(const std::vector<TerrainKey>& keys);
    // The surface row at a level x (the edge row of the solid).
    int surface(int x) const;
    // The highest floor row (lowest roof row) over [x0, x1): where something
    // standing across that span rests.
    int surface_over(int x0, int x1) const;
    // True where the line is on the field at level x.
    bool present(int x) const;
    Kind kind() const { return kind_; }
    int length() const { return length_; }

    // Draws the tiles "<prefix>a", "<prefix>b", ... and places them on layer 1.
    // Returns the number of tiles.
    int lay(World& world, const std::string& prefix, const TerrainLook& look) const;

private:
    Kind kind_;
    int length_;
    uint64_t seed_;
    std::vector<int> rows_;  // per level x
};

// Places a level's records against its floor and roof; a world's own placer
// adds its turrets, hatches and buildings on top.
class GroundPlacer {
public:
    GroundPlacer(LevelScript& level, const Terrain& floor, const Terrain& roof)
        : level_(level), floor_(floor), roof_(roof) {}
    // The row something `w` wide at level x stands on (the floor) or hangs from (the roof).
    int floor(int x, int w) const { return floor_.surface_over(x, x + w); }
    int roof(int x, int w) const { return roof_.surface_over(x, x + w); }
    void group(const std::string& name, int x, int y, const std::vector<art::Pt>& at) {
        level_.formation(name, x, y, at);
    }
    LevelScript& level() { return level_; }
    // A cannon 56 pixels wide, set on the floor or hung from the roof by the
    // ground under its middle (from 14 pixels in).
    void floor_cannon(int x, const std::string& sprite) { level_.place(x, floor(x + 14, 56) - 30, 0, sprite); }
    void roof_cannon(int x, const std::string& sprite) { level_.place(x, roof(x + 14, 56) - 2, 0, sprite); }

private:
    LevelScript& level_;
    const Terrain& floor_;
    const Terrain& roof_;
};

}  // namespace worlds
