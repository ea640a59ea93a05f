// The kingdom by moonlight: grassy hills with stone ramparts (layer 1, over
// the backdrops of castle_backdrops.cpp); and the level's timeline with the
// horse half-way.
#include <algorithm>
#include <cmath>

#include "generator/art/prelude.h"
#include "generator/worlds/castle/castle.h"
#include "generator/worlds/common/terrain.h"

namespace castle {

using worlds::Terrain;

namespace {

constexpr int kLength = 14000;
constexpr int kHorseX = 6400;   // holds the road (x < 400) after about 90 s
constexpr int kGround = 392;
constexpr int kDragonX = 12400;  // on screen after about 176 s
constexpr int kExitX = 12800;

struct Span {
    int x0, x1;
};
const Span kRamparts[] = {{3700, 4300}, {8300, 8900}};

bool on_rampart(int x) {
    for (const Span& s : kRamparts)
        if (x >= s.x0 && x < s.x1) return true;
    return false;
}

// ---- terrain ----
Color ground_material(const art::Noise& noise, const worlds::GroundPixel& p) {
    const Look& k = look();
    const double n = noise.fractal(p.x * 0.07, p.y * 0.07, 3);
    if (on_rampart(p.x)) {
        // Dressed stone: courses of blocks, mortar lines between them.
        const int course = int(std::floor((p.y - 300) / 10.0));
        const bool mortar = (p.y % 10) == 0 || ((p.x + course * 9) % 18) == 0;
        const Color stone = k.stone.at(0.35 + 0.3 * std::exp(-p.depth / 30) + (n - 0.5) * 0.35);
        return mortar ? k.stone.dark : stone;
    }
    if (p.depth < 4 + 2 * n) return k.grass.at(0.75 - p.depth * 0.08 + (n - 0.5) * 0.3);
    const Color earth = Color::hex(0x3a2616).mixed(Color::hex(0x5a3e22), n);
    // Stones buried in the earth.
    const double pebble = noise.fractal(p.x * 0.18 + 30, p.y * 0.18, 2);
    if (pebble > 0.68) return k.stone.at(pebble - 0.3);
    return earth.mixed(Color::hex(0x1a100a), std::clamp(p.depth / 160.0, 0.0, 0.6));
}

void dressing(Canvas& c, int origin_x, int, const std::function<int(int)>& surface) {
    const Look& k = look();
    art::Random random(art::seed_of("castletufts") ^ uint64_t(origin_x));
    for (int col = 0; col < c.width(); ++col) {
        const int x = origin_x + col;
        if (on_rampart(x)) {
            // Merlons along the rampart's top.
            if ((x % 24) < 14) {
                const double base = surface(col);
                c.rect(col, base - 10, 1, 10);
                c.fill(Paint::solid(((x % 24) == 0 || (x % 24) == 13) ? k.outline : k.stone.at(0.6)));
            }
        } else if (random.chance(0.05)) {
            // Tufts and flowers on the grass.
            const double base = surface(col);
            c.line({double(col), base}, {col + random.range(-2, 2), base - random.range(3, 7)});
            c.stroke(Paint::solid(k.grass.light), 1.0);
            if (random.chance(0.15)) {
                c.circle(col, base - 6, 1.2);
                c.fill(Paint::solid(random.chance(0.5) ? Color::hex(0xffe060) : Color::hex(0xe06080)));
            }
        }
    }
}

// ---- the timeline ----
void place_level(worlds::World& world, const Terrain& floor) {
    worlds::LevelScript& level = world.level();
    level.place(110, 110, 0, "entranceportal");
    const auto ground = [&](int x, int w) { return floor.surface_over(x, x + w); };

    const auto house = [&](int x) { level.place(x, ground(x, 100) - 84, 0, "houseone"); };
    const auto small_tower = [&](int x) { level.place(x, ground(x, 72) - 162, 0, "smalltower"); };
    const auto big_tower = [&](int x) { level.place(x, ground(x, 104) - 224, 0, "bigtower"); };
    const auto catapult = [&](int x) { level.place(x, ground(x - 20, 110) - 31, 0, "catapult"); };
    const auto wizard = [&](int x) { level.place(x, ground(x - 8, 28) - 45, 0, "wizard"); };
    // A walking dragon's claws are at x + 20 .. x + 40, 38 rows below y.
    const auto green = [&](int x) { level.place(x, ground(x + 18, 24) - 40, 0, "greendragon"); };
    const auto red_walker = [&](int x) { level.place(x, ground(x + 18, 24) - 40, 0, "reddragonwalking"); };
    const auto red_flyer = [&](int x, int y) { level.place(x, y, 0, "reddragonflying"); };
    const auto carpet = [&](int x, int y) { level.place(x, y, 0, "magiccarpet"); };
    const auto airship = [&](int x, int y) { level.place(x, y, 0, "blimp"); };
    const auto fireball = [&](int x, int y) { level.place(x, y, 0, "fireball"); };

    // The village.
    red_flyer(900, 120);
    house(1000);
    carpet(1300, 80);
    house(1150);
    small_tower(1400);
    wizard(1200);
    green(1700);
    red_flyer(2000, 60);
    red_flyer(2060, 170);
    catapult(2300);
    house(2450);
    carpet(2600, 200);
    fireball(2800, 60);
    fireball(2840, 200);
    green(3000);
    green(3120);
    carpet(3350, 110);
    red_flyer(3500, 200);
    red_flyer(3560, 60);
    // The first rampart, with its tower and sorcerers.
    big_tower(3760);
    wizard(3950);
    wizard(4100);
    catapult(4200);
    red_flyer(3800, 90);
    carpet(4000, 150);
    airship(4400, 40);
    house(4350);
    red_walker(4700);
    fireball(4900, 100);
    red_flyer(5100, 60);
    red_flyer(5160, 140);
    red_flyer(5220, 220);
    carpet(5450, 90);
    carpet(5510, 170);
    fireball(5700, 130);
    fireball(5740, 230);
    house(5950);
    catapult(6100);

    // The wooden horse bars the road.
    level.place(kHorseX, kGround - 320, 0, "horse");

    // Beyond the horse: the realm fights in earnest, more of it the nearer
    // the dragon.
    red_flyer(6700, 100);
    red_flyer(6760, 190);
    carpet(7000, 70);
    carpet(7060, 150);
    carpet(7120, 230);
    wizard(7250);
    catapult(6950);
    red_walker(7300);
    green(7420);
    airship(7700, 30);
    red_flyer(7800, 200);
    fireball(7900, 40);
    fireball(7940, 140);
    fireball(7980, 240);
    small_tower(8350);
    big_tower(8600);
    wizard(8480);
    wizard(8800);
    wizard(8650);
    wizard(9000);
    red_flyer(8500, 80);
    red_flyer(8560, 160);
    catapult(9100);
    fireball(9350, 90);
    fireball(9390, 190);
    carpet(9550, 140);
    carpet(9610, 220);
    red_flyer(9650, 60);
    wizard(9750);
    house(9950);
    house(10300);
    red_walker(9800);
    red_walker(9900);
    green(10000);
    airship(10200, 60);
    carpet(10500, 120);
    carpet(10560, 200);
    catapult(10450);
    wizard(10650);
    red_flyer(10700, 230);
    red_flyer(10900, 50);
    red_flyer(10960, 120);
    red_flyer(11020, 190);
    carpet(11150, 100);
    carpet(11210, 200);
    fireball(11300, 80);
    fireball(11340, 180);
    red_walker(11500);
    green(11600);
    wizard(11450);
    catapult(11850);
    red_flyer(11950, 90);
    red_flyer(12010, 170);
    small_tower(11750);
    // Sorcerers and a catapult stand on the road under the dragon's necks
    // and cast and throw all through the fight.
    wizard(kDragonX - 300);
    wizard(kDragonX - 150);
    catapult(kDragonX - 60);
    catapult(kDragonX - 420);

    // The dragon's body stands on the far layer: a great bulk that neither
    // stops shots nor hurts a ship; its heads and necks come out on layer 0.
    level.place(worlds::x_on_layer(kDragonX, 2), 310, 2, "bossdragon");
    level.place(kExitX, 120, 0, "exitportal");
}

}  // namespace

void add_land_and_level(worlds::World& world) {
    add_backdrops(world, kLength);

    Terrain floor(Terrain::Kind::Floor, kLength, art::seed_of("castlefloor"));
    floor.keys({{0, 380, 6},      {500, 372, 10},   {900, 392, 0},    {1500, 392, 0},   {1750, 350, 12},
                {1950, 336, 10},  {2200, 392, 0},   {2800, 392, 0},   {3100, 342, 14},  {3400, 316, 12},
                {3700, 372, 0},   {4300, 372, 0},   {4600, 350, 12},  {5000, 334, 12},  {5400, 382, 6},
                {5800, 392, 0},   {7100, 392, 0},   {7500, 352, 12},  {7900, 322, 14},  {8300, 366, 0},
                {8900, 366, 0},   {9200, 340, 12},  {9600, 324, 14},  {9900, 392, 0},   {10700, 392, 0},
                {10900, 352, 10}, {11300, 372, 6},  {11700, 392, 0},  {14000, 392, 0}});
    const art::Noise noise(art::seed_of("castleground"));
    worlds::TerrainLook l;
    l.material = [&noise](const worlds::GroundPixel& p) { return ground_material(noise, p); };
    l.rock = look().stone;
    l.outline = look().outline;
    l.rim = Color{1, 1, 1, 0};
    l.margin = 14;
    l.dressing = dressing;
    floor.lay(world, "castleground", l);
    place_level(world, floor);
}

}  // namespace castle
