// Crystal scenery: a glowing cavern wall on layer 3, columns of crystal
// rising and hanging in the middle distance on layer 2, and a rock floor and
// roof grown with clusters of crystal on layer 1. Violet is the cave's own
// hue; amber, the second, runs through the rock in veins, glows in pockets of
// the far wall and grows among the crystals.
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
    const art::Noise warm(art::seed_of("crystalcavern amber"));
    const double s = 16.0 / kWallPeriod;
    c.map_pixels([&](int x, int y, Color& out) {
        const double n = worlds::periodic_noise(noise, x * s, y * s, 16, 5);
        const double veins = std::abs(worlds::periodic_noise(noise, x * s * 2 + 5, y * s * 2, 32, 3) - 0.5);
        const double amber_veins = std::abs(worlds::periodic_noise(warm, x * s * 1.5 + 3, y * s * 1.5, 24, 3) - 0.5);
        // Pockets of amber light deep in the wall.
        const double pocket = std::clamp((worlds::periodic_noise(warm, x * s * 0.5, y * s * 0.5 + 9, 8, 2) - 0.6) * 4, 0.0, 1.0);
        const double depth = std::abs(y - 208) / 208.0;  // darker towards roof and floor
        Color base = Color::hex(0x120a26).mixed(Color::hex(0x2a1850), std::clamp(n * 1.3 - 0.2, 0.0, 1.0));
        base = base.mixed(Color::hex(0x3a1c20), pocket * 0.6);
        base = base.scaled(1.0 - 0.45 * depth);
        if (veins < 0.016) base = base.mixed(k.cyan.mid, (0.016 - veins) / 0.016 * 0.3);
        if (amber_veins < 0.012) base = base.mixed(k.amber.mid, (0.012 - amber_veins) / 0.012 * (0.25 + 0.35 * pocket));
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
            if (i % 3 == 2)
                c.fill(Paint::linear({x + dx - w / 2, 0}, {x + dx + w / 2, 0},
                                     {{0, Color::hex(0x5a3418)}, {0.5, Color::hex(0x3a2014)}, {1, Color::hex(0x22120e)}}));
            else
                c.fill(Paint::linear({x + dx - w / 2, 0}, {x + dx + w / 2, 0},
                                     {{0, Color::hex(0x3a2a6a)}, {0.5, Color::hex(0x22184a)}, {1, Color::hex(0x160e30)}}));
        });
    }
    for (int i = 0; i < 160; ++i) {
        const double x = random.range(0, kWallPeriod), y = random.range(20, 396);
        const double pick = random.uniform();
        const Color tint = pick < 0.4 ? k.glow : pick < 0.75 ? k.magenta.light : k.amber.light;
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

// Violet rock in layers, broken into facets lit at different angles, split by
// dark cracks and run through with glowing amber veins, glints of mica.
Color cave_rock(const art::Noise& noise, const art::Noise& grain, const worlds::GroundPixel& p) {
    const Look& k = look();
    const double n = noise.fractal(p.x * 0.04, p.y * 0.06, 4);
    const double strata = 0.5 + 0.5 * std::sin(p.y * 0.35 + n * 6);
    // Facets: the rock in flat plates, each with its own light.
    const double facet = grain.at(std::floor(p.x / 13.0 + n * 2.5) * 1.37, std::floor(p.y / 9.0 + n * 1.5) * 1.91);
    double t = 0.18 + 0.5 * std::exp(-p.depth / 12.0) + (n - 0.5) * 0.42 + strata * 0.07 + (facet - 0.5) * 0.22;
    const double crack = std::abs(grain.fractal(p.x * 0.035 + 11, p.y * 0.05, 3) - 0.5);
    if (crack < 0.014) t -= 0.25;
    else if (crack < 0.024) t += 0.06;  // the lit lip of a crack
    Color out = k.rock.at(std::clamp(t, 0.0, 1.0));
    // Amber veins, glowing where they run deep.
    const double vein = std::abs(grain.fractal(p.x * 0.011, p.y * 0.028 + 40, 4) - 0.5);
    if (p.depth > 3) {
        if (vein < 0.007) out = out.mixed(k.amber.mid.lighter(0.2), 0.5 + 0.35 * (0.007 - vein) / 0.007);
        else if (vein < 0.02) out = out.mixed(k.amber.dark.lighter(0.15), 0.5 * (0.02 - vein) / 0.013);
    }
    if (grain.at(p.x * 0.9, p.y * 0.9) > 0.93) out = out.mixed(Color::hex(0xe8d8ff), 0.5);
    return out;
}

// Clusters of two to four crystals standing on the floor or hanging from the
// roof, fully inside one tile so neighbouring tiles never cut them.
void crystal_clusters(Canvas& c, int origin_x, const std::function<int(int)>& surface, bool roof, int reach) {
    const Look& k = look();
    art::Random random(art::seed_of("crystalclusters") ^ uint64_t(origin_x) * 2654435761u ^ (roof ? 7 : 0));
    for (int col = 24; col < c.width() - 24; col += random.integer(40, 90)) {
        const int n = random.integer(2, 4);
        const double pick = random.uniform();
        const Ramp& ramp = pick < 0.4 ? k.cyan : pick < 0.7 ? k.magenta : k.amber;
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
    const art::Noise grain(art::seed_of("crystalrock grain"));
    worlds::TerrainLook rock;
    rock.material = [&](const worlds::GroundPixel& p) { return cave_rock(noise, grain, p); };
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
