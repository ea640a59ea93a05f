// Crystal scenery: a glowing cavern wall on layer 3, columns of crystal
// rising and hanging in the middle distance on layer 2, and a rock floor and
// roof grown with clusters of crystal on layer 1.
#include <cmath>

#include "generator/art/prelude.h"
#include "generator/worlds/common/backdrop.h"
#include "generator/worlds/crystal/crystal_art.h"

namespace crystal {

namespace {

constexpr int kWallPeriod = 1280;
constexpr int kColumnPeriod = 1600;

void paint_cavern(Canvas& c) {
    const Look& k = look();
    const art::Noise noise(art::seed_of("crystalcavern"));
    const double s = 16.0 / kWallPeriod;
    c.map_pixels([&](int x, int y, Color& out) {
        const double n = worlds::periodic_noise(noise, x * s, y * s, 16, 5);
        const double veins = std::abs(worlds::periodic_noise(noise, x * s * 2 + 5, y * s * 2, 32, 3) - 0.5);
        const double depth = std::abs(y - 208) / 208.0;  // darker towards roof and floor
        Color base = Color::hex(0x120a26).mixed(Color::hex(0x2a1850), std::clamp(n * 1.3 - 0.2, 0.0, 1.0));
        base = base.scaled(1.0 - 0.45 * depth);
        if (veins < 0.016) base = base.mixed(k.cyan.mid, (0.016 - veins) / 0.016 * 0.3);
        out = base.with_alpha(1);
    });
    // Faint giant crystals far off, and motes of light.
    art::Random random(art::seed_of("crystalcavern spires"));
    for (int i = 0; i < 10; ++i) {
        const double x = random.range(0, kWallPeriod), w = random.range(30, 70), h = random.range(120, 260);
        const bool from_top = i % 2 == 1;
        worlds::wrap_x(kWallPeriod, [&](double dx) {
            const double base = from_top ? 0 : 416, tip = from_top ? h : 416 - h;
            c.polygon({{x + dx - w / 2, base}, {x + dx - w / 2, (base + tip) / 2}, {x + dx, tip},
                       {x + dx + w / 2, (base + tip) / 2}, {x + dx + w / 2, base}});
            c.fill(Paint::linear({x + dx - w / 2, 0}, {x + dx + w / 2, 0},
                                 {{0, Color::hex(0x3a2a6a)}, {0.5, Color::hex(0x22184a)}, {1, Color::hex(0x160e30)}}));
        });
    }
    for (int i = 0; i < 160; ++i) {
        const double x = random.range(0, kWallPeriod), y = random.range(20, 396);
        const Color tint = random.chance(0.5) ? k.glow : k.magenta.light;
        worlds::wrap_x(kWallPeriod, [&](double dx) {
            c.rect(std::floor(x + dx), std::floor(y), 1, 1);
            c.fill(Paint::solid(tint.with_alpha(random.range(0.3, 0.9))));
        });
    }
}

void paint_columns(Canvas& c) {
    const Look& k = look();
    const Ramp far{Color::hex(0x160c2e), Color::hex(0x2e1c58), Color::hex(0x5a40a0)};
    art::Random random(art::seed_of("crystalcolumns"));
    for (int i = 0; i < 7; ++i) {
        const double x = 80 + i * (kColumnPeriod / 7.0) + random.range(-40, 40);
        const bool hanging = i % 2 == 0;
        const double len = random.range(90, 150), w = random.range(26, 44);
        const double base = hanging ? -2 : 418, tip = hanging ? len : 416 - len;
        worlds::wrap_x(kColumnPeriod, [&](double dx) {
            const double cx = x + dx;
            gem(c, {{cx - w / 2, base}, {cx - w / 2, (base * 2 + tip) / 3}, {cx, tip}, {cx + w / 2, (base * 2 + tip) / 3},
                    {cx + w / 2, base}},
                {cx + w * 0.1, (base + tip) / 2}, far, k.outline);
            c.circle(cx, tip + (hanging ? -6 : 6), 3);
            c.fill(Paint::solid(k.glow.with_alpha(0.85)));
        });
    }
}

Color cave_rock(const art::Noise& noise, const worlds::GroundPixel& p) {
    const Look& k = look();
    const double n = noise.fractal(p.x * 0.04, p.y * 0.06, 4);
    const double strata = 0.5 + 0.5 * std::sin(p.y * 0.35 + n * 6);
    double t = 0.2 + 0.5 * std::exp(-p.depth / 12.0) + (n - 0.5) * 0.5 + strata * 0.08;
    return k.rock.at(std::clamp(t, 0.0, 1.0));
}

// Clusters of two to four crystals standing on the floor or hanging from the
// roof, fully inside one tile so neighbouring tiles never cut them.
void crystal_clusters(Canvas& c, int origin_x, const std::function<int(int)>& surface, bool roof, int reach) {
    const Look& k = look();
    art::Random random(art::seed_of("crystalclusters") ^ uint64_t(origin_x) * 2654435761u ^ (roof ? 7 : 0));
    for (int col = 24; col < c.width() - 24; col += random.integer(40, 90)) {
        const int n = random.integer(2, 4);
        const Ramp& ramp = random.chance(0.5) ? k.cyan : k.magenta;
        for (int j = 0; j < n; ++j) {
            const double x = col + random.range(-10, 10);
            const double base = surface(int(x)) + (roof ? -3 : 3);
            const double h = random.range(reach * 0.5, reach), w = random.range(7, 12);
            const double lean = random.range(-0.35, 0.35);
            const double tip = roof ? base + h : base - h;
            const double tx = x + lean * h;
            gem(c, {{x - w / 2, base}, {tx - w * 0.4, (base + tip * 2) / 3}, {tx, tip}, {tx + w * 0.4, (base + tip * 2) / 3},
                    {x + w / 2, base}},
                {(x + tx) / 2, (base + tip) / 2}, ramp, k.outline);
        }
    }
}

}  // namespace

const worlds::Terrain& floor_line() {
    static const worlds::Terrain floor = [] {
        worlds::Terrain t(worlds::Terrain::Kind::Floor, kLength, art::seed_of("crystalfloor"));
        t.keys({{0, 380, 8},      {1500, 360, 16},  {2400, 320, 20},  {3000, 350, 14},  {3800, 300, 24},
                {4400, 360, 16},  {5200, 380, 10},  {6000, 330, 20},  {6800, 290, 26},  {7400, 350, 16},
                {8200, 370, 10},  {9000, 320, 22},  {9800, 300, 24},  {10600, 350, 16}, {11400, 372, 8},
                {12200, 382, 2},  {13400, 382, 2},  {double(kLength), 372, 8}});
        return t;
    }();
    return floor;
}

const worlds::Terrain& roof_line() {
    static const worlds::Terrain roof = [] {
        worlds::Terrain t(worlds::Terrain::Kind::Roof, kLength, art::seed_of("crystalroof"));
        t.keys({{0, 40, 8},       {1500, 70, 16},   {2400, 60, 20},   {3000, 110, 18},  {3800, 70, 20},
                {4400, 50, 12},   {5200, 90, 16},   {6000, 120, 20},  {6800, 80, 24},   {7400, 50, 14},
                {8200, 96, 18},   {9000, 70, 22},   {9800, 40, 16},   {10600, 80, 20},  {11400, 50, 10},
                {12200, 30, 2},   {13400, 30, 2},   {double(kLength), 40, 8}});
        return t;
    }();
    return roof;
}

void add_scenery(worlds::World& world) {
    worlds::lay_backdrop(world, {.prefix = "crystalcavern", .period = kWallPeriod, .paint = paint_cavern}, 3, 0,
                         kLength);
    worlds::lay_backdrop(world, {.prefix = "crystalcolumns", .period = kColumnPeriod, .paint = paint_columns}, 2, 0,
                         kLength);
    const art::Noise noise(art::seed_of("crystalrock"));
    worlds::TerrainLook rock;
    rock.material = [&](const worlds::GroundPixel& p) { return cave_rock(noise, p); };
    rock.outline = look().outline;
    rock.rim = look().violet.light.with_alpha(0.7);
    rock.margin = 30;
    rock.dressing = [](Canvas& c, int origin_x, int, const std::function<int(int)>& surface) {
        crystal_clusters(c, origin_x, surface, false, 26);
    };
    floor_line().lay(world, "crystalfloor", rock);
    rock.dressing = [](Canvas& c, int origin_x, int, const std::function<int(int)>& surface) {
        crystal_clusters(c, origin_x, surface, true, 26);
    };
    roof_line().lay(world, "crystalroof", rock);
}

}  // namespace crystal
