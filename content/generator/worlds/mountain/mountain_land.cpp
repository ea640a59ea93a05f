// The mountain range: granite floor with snow on its gentle slopes and
// stones strewn on it, overhanging crags in two passes (layer 1, over the
// backdrops of mountain_backdrops.cpp); and the level's timeline.
#include <algorithm>
#include <cmath>

#include "generator/art/prelude.h"
#include "generator/worlds/mountain/mountain.h"

namespace mountain {

using worlds::Terrain;

namespace {

constexpr int kLength = 14200;      // level x covered by terrain and backdrops
constexpr int kBossX = 12400;       // arrives (x < 350) after about 180 s
constexpr int kExitX = 12800;       // off screen while the boss holds the view
constexpr int kBossY = 5;

// ---- terrain ----
struct Ground {
    Terrain floor{Terrain::Kind::Floor, kLength, art::seed_of("mountainfloor")};
    Terrain roof{Terrain::Kind::Roof, kLength, art::seed_of("mountainroof")};
};

void shape(Ground& g) {
    g.floor.keys({{0, 372, 6},     {700, 368, 10},   {1100, 330, 14},  {1400, 262, 18},  {1700, 340, 8},
                  {2000, 372, 0},  {2500, 372, 0},   {2750, 300, 16},  {2980, 238, 20},  {3250, 320, 10},
                  {3500, 362, 0},  {3950, 362, 0},   {4250, 384, 6},   {4650, 318, 12},  {4950, 290, 14},
                  {5250, 344, 10}, {5500, 352, 0},   {6050, 352, 0},   {6350, 270, 18},  {6560, 236, 22},
                  {6850, 330, 10}, {7100, 366, 0},   {7650, 366, 0},   {7950, 300, 14},  {8300, 262, 18},
                  {8600, 334, 8},  {8900, 360, 0},   {9550, 360, 0},   {9850, 292, 16},  {10100, 250, 20},
                  {10400, 340, 10}, {10700, 370, 0}, {11250, 370, 0},  {11600, 388, 4},  {14200, 388, 4}});
    // Two overhangs: the pass narrows under hanging crags.
    g.roof.keys({{0, -30, 0},    {4350, -30, 0},   {4550, 70, 14},   {4900, 96, 18},   {5150, 60, 12},
                 {5350, -30, 0}, {8000, -30, 0},   {8200, 84, 16},   {8500, 110, 20},  {8750, 70, 12},
                 {8950, -30, 0}, {14200, -30, 0}});
}

// ---- the timeline ----
// A ground unit's y: its lowest row just above the floor and the stones on
// it, across its width (it drops onto them on its first move).
int on_floor(const Ground& g, int x, int width, int foot) { return g.floor.surface_over(x, x + width) - foot - 7; }

void place_level(worlds::World& world, const Ground& g) {
    worlds::LevelScript& level = world.level();
    level.place(110, 110, 0, "entranceportal");

    const auto heli = [&](int x, int y) { level.place(x, y, 0, "mountaincamohelicopter"); };
    // Feet span x + 19 .. x + 49 on a walker, the skirt x - 2 .. x + 78 on a tank.
    const auto walker = [&](int x) { level.place(x, on_floor(g, x + 19, 30, 61), 0, "landwalker"); };
    const auto tank = [&](int x) { level.place(x, on_floor(g, x - 2, 80, 33), 0, "hovertank"); };

    // Scouts, then the first patrols on the foothills.
    heli(900, 120);
    heli(1350, 70);
    heli(1420, 170);
    heli(1700, 230);
    heli(1760, 280);
    tank(1950);
    walker(2150);
    walker(2330);
    heli(2600, 60);
    heli(2680, 130);
    heli(2760, 100);
    heli(2950, 40);
    heli(3010, 100);
    heli(3150, 130);
    heli(3300, 180);
    heli(3360, 230);
    // The first armour on the pad below the high peak.
    tank(3600);
    tank(3820);
    heli(3700, 80);
    heli(4100, 150);
    walker(4200);
    // Under the first overhang.
    heli(4700, 180);
    heli(4780, 230);
    walker(5000);
    heli(5300, 150);
    tank(5600);
    walker(5800);
    tank(5950);
    heli(5700, 70);
    heli(5760, 130);
    heli(6150, 60);
    heli(6220, 200);
    heli(6380, 140);
    // Squadron over the next peak.
    for (int i = 0; i < 4; ++i) heli(6600 + 70 * i, 50 + 40 * i);
    tank(7200);
    tank(7400);
    tank(7600);
    walker(7300);
    heli(7450, 90);
    // The second pass.
    heli(8150, 200);
    heli(8450, 230);
    heli(8800, 170);
    walker(8950);
    tank(9040);
    walker(9150);
    tank(9300);
    walker(9450);
    heli(9100, 60);
    heli(9160, 120);
    heli(9400, 90);
    heli(9650, 150);
    heli(9720, 210);
    heli(9800, 130);
    heli(10000, 80);
    // Last stand before the crags.
    for (int i = 0; i < 5; ++i) heli(10200 + 60 * i, 40 + 30 * i);
    tank(10800);
    walker(10900);
    tank(11000);
    walker(11100);
    tank(11200);
    heli(11300, 80);
    heli(11380, 150);
    // The crags' pickets.
    walker(11600);
    heli(11700, 60);
    heli(11760, 120);
    tank(11900);
    heli(12050, 200);
    heli(12110, 250);
    walker(12200);
    // A star cache before the crags: bursting stars light the eyes wherever
    // the crags wander.
    for (const auto& [x, y] : std::vector<std::pair<int, int>>{{11500, 200}, {11800, 120}, {12000, 260}, {12250, 160}})
        level.place(x, y, 0, "starpowerup");

    // The crags rise from the top of the field: where they start their
    // wandering decides how long they take to corner (from seeds 1 to 5 the
    // fight lasts 500 to 750 frames from here; from row 70 it lasted 105 to
    // 1,200).
    level.place(kBossX, kBossY, 0, "mountainboss");
    level.place(kExitX, 120, 0, "exitportal");
}

}  // namespace

void add_land_and_level(worlds::World& world) {
    add_backdrops(world, kLength);

    Ground ground;
    shape(ground);
    const art::Noise noise(art::seed_of("mountaingranite"));
    ground.floor.lay(world, "mountainfloor", ground_look(ground.floor, noise, true));
    ground.roof.lay(world, "mountainroof", ground_look(ground.roof, noise, false));
    place_level(world, ground);
}

}  // namespace mountain
