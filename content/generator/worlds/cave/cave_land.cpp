// The cave: a winding tunnel of ochre rock (floor and roof on layer 1) with
// teal crystals on its floor and stalactites on its roof, over the backdrops
// of cave_backdrops.cpp; and the level's timeline.
#include <algorithm>
#include <cmath>

#include "generator/art/prelude.h"
#include "generator/worlds/cave/cave.h"
#include "generator/worlds/common/sentinel.h"
#include "generator/worlds/common/terrain.h"

namespace cave {

using worlds::Terrain;

namespace {

constexpr int kLength = 14000;
constexpr int kBossX = 12300;  // the first wheel stops the view after about 180 s
// The wheels wait in a shaft just above the arena, out of the field and so
// out of reach of every shot, until the first of them holds the view (a
// wheel shot down before it holds the view would let the view run on past
// the others). The first holds it at x 399, so three columns of wheels side
// by side (x 399, 479, 559) stand wholly on screen; the fourth waits over
// the first, nearest the ships, and follows it down. The lowest wait with
// their teeth a row above the field, so the pack drops into view as the
// scroll stops, and a cap of rock a row above each column's top wheel turns
// a wheel rolling up back before it has been out of sight for long.
constexpr int kShaftX0 = kBossX - 60, kShaftX1 = kBossX + 340;
constexpr int kWheelTop = 31, kWheelBottom = 51;  // image rows above and below a wheel's y
constexpr int kWheelY = -1 - kWheelBottom;        // images at rows -83..-1
constexpr int kWheelGap = 80;                     // teeth (radius 39, outlined) apart
constexpr int kStackedY = kWheelY - kWheelTop - kWheelBottom - 2;  // over the first
constexpr int kCapHeight = 40, kCapHalfWidth = 38;  // narrower than a wheel: a column's cap touches no neighbour
constexpr int kExitX = 13100;

// Hatches, known before the terrain is drawn: the rock around them is kept
// bare, so the ships they release start in the open.
constexpr int kFloorHatches[] = {2450, 7650, 8000, 11100};
constexpr int kRoofHatches[] = {3150, 7800, 8150, 11200};

template <size_t N>
bool near_hatch(const int (&hatches)[N], int x) {
    for (int h : hatches)
        if (x > h - 16 && x < h + 90) return true;
    return false;
}

// ---- terrain ----
struct Ground {
    Terrain floor{Terrain::Kind::Floor, kLength, art::seed_of("cavefloor")};
    Terrain roof{Terrain::Kind::Roof, kLength, art::seed_of("caveroof")};
};

void shape(Ground& g) {
    g.floor.keys({{0, 380, 6},     {1400, 380, 8},   {1700, 345, 10},  {2000, 330, 0},   {2400, 330, 0},
                  {2700, 350, 12}, {3000, 335, 0},   {3400, 335, 0},   {3700, 380, 10},  {5300, 380, 10},
                  {5700, 330, 14}, {6200, 292, 16},  {6600, 330, 12},  {7000, 390, 8},   {7600, 370, 0},
                  {8400, 370, 0},  {8800, 350, 10},  {9200, 362, 0},   {9500, 362, 0},   {9800, 340, 12},
                  {10300, 318, 14}, {10800, 340, 12}, {11300, 386, 0}, {14000, 386, 0}});
    g.roof.keys({{0, 36, 8},      {1400, 44, 10},   {1700, 96, 14},   {2000, 110, 0},   {2400, 110, 0},
                 {2700, 90, 12},  {3000, 100, 0},   {3400, 100, 0},   {3700, 40, 10},   {5300, 44, 10},
                 {5700, 50, 14},  {6200, 26, 10},   {6600, 70, 12},   {7000, 140, 16},  {7600, 96, 0},
                 {8400, 96, 0},   {8800, 110, 12},  {9200, 92, 0},    {9500, 92, 0},    {9800, 110, 12},
                 {10300, 118, 14}, {10800, 100, 12}, {11300, 34, 0},  {kShaftX0 - 90, 40, 10},
                 {kShaftX0 - 40, 12, 12}, {kShaftX0 - 8, -110, 0}, {kShaftX1 + 8, -110, 0},
                 {kShaftX1 + 40, 14, 12}, {kShaftX1 + 90, 38, 10}, {14000, 34, 0}});
}

// The tunnel's rock: ochre beds, wet and lit. The roof's underside takes the
// lava's light from below; the floor's top is wet, with glints and puddles
// holding the lava's reflection; cool violet stone shows in patches, and
// the depths go dark.
Color ochre(const art::Noise& noise, const worlds::GroundPixel& p, bool floor) {
    const Look& k = look();
    const double n = noise.fractal(p.x * 0.05, p.y * 0.05, 4);
    const double layers = std::sin(p.y * 0.22 + n * 5.0);
    double t = 0.2 + 0.55 * std::exp(-p.depth / 16.0) + (n - 0.5) * 0.55 + layers * 0.07;
    Color rock = k.rock.at(std::clamp(t, 0.0, 1.0));
    const double cool = noise.fractal(p.x * 0.01 + 70, p.y * 0.02, 3);
    rock = rock.mixed(Color::hex(0x3a2e40).scaled(0.6 + t * 0.7), std::clamp((cool - 0.55) * 2.2, 0.0, 0.5));
    if (floor) {
        // Wet glints along the top and shallow puddles that mirror the glow.
        const double wet = noise.at(p.x * 0.35 + 11, p.y * 0.5);
        if (p.depth > 2 && p.depth < 9 && wet > 0.78) rock = rock.mixed(Color::hex(0xfff0d8), (wet - 0.78) * 3.5);
        const double puddle = noise.fractal(p.x * 0.02 + 30, 0.5, 2);
        if (p.depth > 2 && p.depth < 5 && puddle > 0.62) rock = rock.mixed(Color::hex(0xff9a50), 0.55);
    } else {
        rock = rock.mixed(Color::hex(0xe0743a), std::clamp(1 - p.depth / 18.0, 0.0, 1.0) * 0.45);
        const double drip = noise.at(p.x * 0.6 + 5, 3.5);
        if (p.depth < 12 && drip > 0.84) rock = rock.mixed(Color::hex(0xffe8c8), (drip - 0.84) * 4 * (1 - p.depth / 12.0));
    }
    // Damp, darker rock deep inside.
    return rock.mixed(Color::hex(0x0e080a), std::clamp((p.depth - 50) / 110.0, 0.0, 0.6));
}

void crystals(Canvas& c, int origin_x, int, const std::function<int(int)>& surface) {
    const Look& k = look();
    art::Random random(art::seed_of("cavecrystals") ^ uint64_t(origin_x));
    for (double x = random.range(20, 90); x < c.width() - 10; x += random.range(70, 160)) {
        if (near_hatch(kFloorHatches, origin_x + int(x))) continue;
        const int base = surface(int(x));
        const int count = random.integer(2, 4);
        for (int i = 0; i < count; ++i) {
            const double h = random.range(8, 18), lean = random.range(-0.5, 0.5);
            const double bx = x + random.range(-6, 6);
            const std::vector<Pt> shard = {{bx - 3, double(base + 2)}, {bx - 2.5 + lean * h * 0.6, base - h * 0.8},
                                           {bx + lean * h, base - h}, {bx + 2.5 + lean * h * 0.6, base - h * 0.8},
                                           {bx + 3, double(base + 2)}};
            c.polygon(shard);
            c.fill_outlined(Paint::linear({bx - 3, 0}, {bx + 3, 0}, {{0, k.crystal.light}, {0.5, k.crystal.mid}, {1, k.crystal.dark}}),
                            k.outline, 0.8);
        }
    }
}

void stalactites(Canvas& c, int origin_x, int, const std::function<int(int)>& surface) {
    const Look& k = look();
    art::Random random(art::seed_of("cavestalactites") ^ uint64_t(origin_x));
    for (double x = random.range(10, 40); x < c.width() - 8; x += random.range(24, 70)) {
        if (near_hatch(kRoofHatches, origin_x + int(x))) continue;
        const int base = surface(int(x));
        const double h = random.range(8, 24), w = random.range(4, 9);
        const std::vector<Pt> spike = {{x - w, double(base - 3)}, {x + w, double(base - 3)}, {x + w * 0.25, base + h}};
        c.polygon(spike);
        c.fill_outlined(Paint::linear({x - w, 0}, {x + w, 0}, {{0, k.rock.light}, {0.5, k.rock.mid}, {1, k.rock.dark}}),
                        k.outline, 0.8);
        c.circle(x + w * 0.25, base + h + 1.5, 1.1);
        c.fill(Paint::solid(k.crystal.light));
    }
}

worlds::TerrainLook ground_look(const art::Noise& noise, bool floor) {
    worlds::TerrainLook l;
    l.material = [&noise, floor](const worlds::GroundPixel& p) { return ochre(noise, p, floor); };
    l.rock = look().rock;
    l.outline = look().outline;
    l.rim = look().rock.light.with_alpha(0.8);
    l.margin = floor ? 20 : 26;
    l.dressing = floor ? crystals : stalactites;
    return l;
}

// ---- the timeline ----
void place_level(worlds::World& world, const Ground& g) {
    worlds::LevelScript& level = world.level();
    level.place(110, 120, 0, "entranceportal");

    const auto heli = [&](int x, int y) { level.place(x, y, 0, "cavehelicopter"); };
    const auto red = [&](int x, int y) { level.place(x, y, 0, "caveredship"); };
    const auto tank = [&](int x) { level.place(x, g.floor.surface_over(x, x + 88) - 46, 0, "cavetank"); };
    const auto gun_up = [&](int x) { level.place(x, g.floor.surface_over(x - 4, x + 84) - 30, 0, "cavecannonup"); };
    const auto gun_down = [&](int x) { level.place(x, g.roof.surface_over(x - 4, x + 84) - 2, 0, "cavecannondown"); };
    const auto hatch_up = [&](int x) { level.place(x, g.floor.surface_over(x, x + 66) - 30, 0, "caveopenerup"); };
    const auto hatch_down = [&](int x) { level.place(x, g.roof.surface_over(x, x + 66), 0, "caveopenerdown"); };
    const auto rock = [&](int x, int y) { level.place(x, y, 0, "rockexplosion"); };
    const auto rock_on_floor = [&](int x) { rock(x, g.floor.surface_over(x + 8, x + 52) - 48); };

    for (int x : kFloorHatches) hatch_up(x);
    for (int x : kRoofHatches) hatch_down(x);

    // The entrance cavern.
    red(900, 180);
    red(960, 240);
    heli(1250, 190);
    rock_on_floor(1300);
    red(1550, 150);
    red(1610, 230);
    heli(1800, 170);
    // The low tunnel: guns on the pads, hatches in between.
    gun_up(2050);
    gun_down(2250);
    gun_up(3050);
    gun_down(3300);
    red(2800, 200);
    red(2860, 230);
    // The great cavern: helicopters and the first tanks.
    heli(3800, 140);
    heli(3900, 240);
    tank(4100);
    rock(4300, 160);
    heli(4500, 200);
    tank(4700);
    tank(4900);
    red(5000, 120);
    red(5060, 260);
    rock_on_floor(5200);
    heli(5400, 210);
    red(5600, 170);
    red(5660, 230);
    // The climb and the drop.
    heli(5800, 170);
    red(6100, 150);
    red(6160, 200);
    gun_up(6600);
    gun_down(8250);
    rock(6900, 230);
    heli(7100, 200);
    red(7300, 220);
    red(7360, 260);
    // The hatch gallery.
    tank(7900);
    gun_up(8300);
    tank(8350);
    heli(8200, 200);
    heli(8500, 230);
    red(8700, 200);
    // Boulders block the narrows: shoot through or slip above.
    rock_on_floor(8900);
    rock(8900, 262);
    gun_up(9250);
    gun_down(9350);
    tank(9400);
    heli(9650, 220);
    rock_on_floor(9900);
    rock(9910, 230);
    rock(9920, 180);
    red(10000, 190);
    red(10060, 220);
    heli(10500, 200);
    rock_on_floor(10700);
    rock(10690, 236);
    tank(10900);
    heli(11350, 180);
    heli(11450, 250);
    red(11700, 180);
    red(11760, 240);
    heli(11950, 210);
    red(12150, 230);

    // The pack of wheels in the shaft, clear of its walls, their caps and each
    // other. The first holds the view at x 399, the others are then on screen
    // (x 479 and 559) and join it.
    const auto cap = [&](int x, int wheel_y) {
        level.place(x - kCapHalfWidth, wheel_y - kWheelTop - 1 - kCapHeight, 1, "caveshaftcap");
    };
    for (int column = 0; column < 3; ++column) {
        const int x = kBossX + kWheelGap * column;
        level.place(x, kWheelY, 0, "caveboss");
        const bool stacked = column != 1;
        if (stacked) level.place(x, kStackedY, 0, "caveboss");
        cap(x, stacked ? kStackedY : kWheelY);
    }
    // Sentinels on the road in and on the arena's floor and roof where the
    // ships stand to fight the wheels: the fight is fought under their fire.
    for (int x : {kBossX - 1100, kBossX - 850, kBossX - 600, kBossX - 330, kBossX - 230, kBossX - 130, kBossX - 30})
        worlds::place_sentinel(level, g.floor, x);
    for (int x : {kBossX - 1000, kBossX - 750, kBossX - 500, kBossX - 280, kBossX - 180, kBossX - 90})
        worlds::place_sentinel(level, g.roof, x);
    level.place(kExitX, 130, 0, "exitportal");
}

// The rock that closes the wheels' shaft, far above the field: never seen,
// only bounced off.
std::vector<art::Frame> shaft_cap() {
    const Look& k = look();
    Canvas c(2 * kCapHalfWidth, kCapHeight);
    c.rect(0, 0, c.width(), c.height());
    c.fill(Paint::solid(k.rock.dark));
    std::vector<art::Frame> frames;
    frames.push_back({.image = std::move(c)});
    return frames;
}

}  // namespace

void add_land_and_level(worlds::World& world) {
    world.sprite("caveshaftcap", shaft_cap());
    add_backdrops(world, kLength);

    Ground ground;
    shape(ground);
    const art::Noise noise(art::seed_of("caveochre"));
    ground.floor.lay(world, "cavefloor", ground_look(noise, true));
    ground.roof.lay(world, "caveroof", ground_look(noise, false));
    place_level(world, ground);
}

}  // namespace cave
