// The cave: a winding tunnel of ochre rock (floor and roof on layer 1) with
// teal crystals on its floor and stalactites on its roof; behind it pillars
// of rock (layer 2) and the far cavern wall glowing with lava seams and
// crystal specks (layer 3); and the level's timeline.
#include <algorithm>
#include <cmath>

#include "generator/art/prelude.h"
#include "generator/worlds/cave/cave.h"
#include "generator/worlds/common/backdrop.h"
#include "generator/worlds/common/terrain.h"

namespace cave {

using worlds::Terrain;

namespace {

constexpr int kLength = 14000;
constexpr int kBossX = 12300;  // the first wheel stops the view after about 180 s
// The wheels wait side by side in a shallow shaft just above the arena, out
// of the field and so out of reach of every shot, until the first of them
// holds the view (a wheel shot down before it holds the view would let the
// view run on past the others). A cap of rock closes the shaft a wheel's
// height above the field, so a wheel rolling up turns back before it has
// been out of sight for long.
constexpr int kShaftX0 = kBossX - 60, kShaftX1 = kBossX + 340;
constexpr int kWheelY = -62;                 // images at rows -93..-11
constexpr int kWheelGap = 80;                // teeth (radius 39, outlined) apart
constexpr int kCapY = kWheelY - 31 - 9 - 40;  // its 40 rows end 9 rows above the wheels
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

// ---- backdrops ----
void paint_deep(Canvas& c) {
    const int period = c.width();
    const art::Noise noise(art::seed_of("cavedeep"));
    const Look& k = look();
    c.map_pixels([&](int x, int y, Color& out) {
        const double n = worlds::periodic_noise_px(noise, x, y * 0.012, period, 0.012);
        const double m = worlds::periodic_noise_px(noise, x, y * 0.05 + 20, period, 0.05, 3);
        // Darker towards the roof and floor, a warm haze in the middle distance.
        const double mid = 1 - std::abs(y - 230.0) / 230.0;
        Color wall = Color::hex(0x120c0c).mixed(Color::hex(0x3a2418), std::clamp(n * 0.9 + mid * 0.35 - 0.2, 0.0, 1.0));
        wall = wall.mixed(Color::hex(0x5a3420), std::max(0.0, m - 0.62) * 1.5);
        // Lava seams: thin bright veins where the noise crosses a level.
        const double vein = std::abs(n - 0.52);
        if (vein < 0.007 && m > 0.55 && y > 170) wall = wall.mixed(k.lava, (0.007 - vein) / 0.007 * 0.55);
        out = wall;
    });
    // A lava lake's glow along the bottom.
    c.rect(0, 330, period, 87);
    c.fill(Paint::vertical(330, 417, {{0, Color::hex(0xff5a10).with_alpha(0)}, {1, Color::hex(0xff6a10).with_alpha(0.45)}}));
    // Crystal specks in the far wall.
    art::Random random(art::seed_of("cavespecks"));
    for (int i = 0; i < 70; ++i) {
        const double x = random.range(0, period), y = random.range(60, 380);
        const double r = random.range(0.8, 2.0);
        c.orb(x, y, r, k.crystal.light, k.crystal_glow.darker(0.3));
    }
}

// Pillars from roof to floor, some broken into a hanging and a standing
// half, dark against the far wall with a warm rim on their lava side.
void paint_pillars(Canvas& c) {
    const int period = c.width();
    const art::Noise noise(art::seed_of("cavepillars"));
    art::Random random(art::seed_of("cavepillarplan"));
    struct Pillar {
        double x, w;
        double gap_top, gap_bottom;  // rows of a break; equal for a whole column
    };
    std::vector<Pillar> pillars;
    for (double x = 60; x < period - 40; x += random.range(170, 300)) {
        const double w = random.range(40, 90);
        const double g = random.range(140, 240);
        const bool broken = random.chance(0.6);
        pillars.push_back({x, w, broken ? g : 0, broken ? g + random.range(60, 140) : 0});
    }
    c.map_pixels([&](int x, int y, Color& out) {
        for (const Pillar& p : pillars) {
            for (double dx : {-double(period), 0.0, double(period)}) {
                const double px = p.x + dx;
                // Width varies with height: fat at the ends, waisted in the middle.
                const double waist = 1 - 0.35 * std::sin(y / 416.0 * 3.14159);
                const double wobble = (noise.at(y * 0.05, p.x * 0.01) - 0.5) * 10;
                const double half = p.w / 2 * waist;
                const double u = (x - px - wobble) / half;
                if (std::abs(u) > 1) continue;
                if (p.gap_bottom > 0) {
                    // Tapering tips either side of the break.
                    const double tip_top = p.gap_top - 40 * (std::abs(u));
                    const double tip_bottom = p.gap_bottom + 40 * (std::abs(u));
                    if (y > tip_top && y < tip_bottom) continue;
                }
                const double shade = 0.25 + 0.35 * (1 - std::abs(u)) + 0.2 * noise.fractal(x * 0.08, y * 0.08, 3);
                Color col = Color::hex(0x1c120e).mixed(Color::hex(0x4a3024), shade);
                if (u > 0.65) col = col.mixed(Color::hex(0xb05a28), (u - 0.65) * 1.6);  // lit by the lava
                out = col;
                return;
            }
        }
    });
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

Color ochre(const art::Noise& noise, const worlds::GroundPixel& p) {
    const Look& k = look();
    const double n = noise.fractal(p.x * 0.05, p.y * 0.05, 4);
    const double layers = std::sin(p.y * 0.22 + n * 5.0);
    double t = 0.2 + 0.55 * std::exp(-p.depth / 16.0) + (n - 0.5) * 0.55 + layers * 0.07;
    Color rock = k.rock.at(std::clamp(t, 0.0, 1.0));
    // Damp, darker rock deep inside.
    return rock.mixed(Color::hex(0x120a08), std::clamp((p.depth - 60) / 120.0, 0.0, 0.5));
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
    l.material = [&noise](const worlds::GroundPixel& p) { return ochre(noise, p); };
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

    // The pack of wheels in the shaft, clear of its walls, its cap and each
    // other. The first holds the view at x 399, the others are then on screen
    // (x 479..639) and join it.
    level.place(kShaftX0 - 10, kCapY, 1, "caveshaftcap");
    for (int i = 0; i < 4; ++i) level.place(kBossX + kWheelGap * i, kWheelY, 0, "caveboss");
    level.place(kExitX, 130, 0, "exitportal");
}

// The rock that closes the wheels' shaft, far above the field: never seen,
// only bounced off.
std::vector<art::Frame> shaft_cap() {
    const Look& k = look();
    Canvas c(kShaftX1 - kShaftX0 + 20, 40);
    c.rect(0, 0, c.width(), c.height());
    c.fill(Paint::solid(k.rock.dark));
    std::vector<art::Frame> frames;
    frames.push_back({.image = std::move(c)});
    return frames;
}

}  // namespace

void add_land_and_level(worlds::World& world) {
    world.sprite("caveshaftcap", shaft_cap());
    worlds::Backdrop deep{.prefix = "cavedeep", .paint = paint_deep};
    worlds::lay_backdrop(world, deep, 3, 0, kLength);
    worlds::Backdrop pillars{.prefix = "cavepillars", .period = 1536, .tile_width = 256, .paint = paint_pillars};
    worlds::lay_backdrop(world, pillars, 2, 0, kLength);

    Ground ground;
    shape(ground);
    const art::Noise noise(art::seed_of("caveochre"));
    ground.floor.lay(world, "cavefloor", ground_look(noise, true));
    ground.roof.lay(world, "caveroof", ground_look(noise, false));
    place_level(world, ground);
}

}  // namespace cave
