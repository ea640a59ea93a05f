// Hive scenery: a wall of dim, glowing comb on layer 3, strands of honey and
// hanging comb on layer 2, and a waxy floor and roof of comb on layer 1 with
// honey dripping from the roof and eggs along the floor.
#include <cmath>

#include "generator/art/prelude.h"
#include "generator/worlds/common/backdrop.h"
#include "generator/worlds/hive/hive_art.h"

namespace hive {

namespace {

constexpr int kCombPeriod = 1280;
constexpr int kStrandPeriod = 1600;

void paint_comb(Canvas& c) {
    const Look& k = look();
    c.fill_all(Paint::solid(Color::hex(0x140a02)));
    // Columns of hexagons: 40 columns across the period keep the pattern whole.
    const int columns = 40;
    const double r = kCombPeriod / (columns * 1.5);
    const art::Noise noise(art::seed_of("hivecomb"));
    for (int col = 0; col <= columns; ++col)
        for (int row = -1; row < int(416 / (r * 1.732)) + 2; ++row) {
            const double cx = col * r * 1.5, cy = row * r * 1.732 + (col % 2) * r * 0.866;
            // A column is 1.5 r wide, so the noise spans columns * 1.5 / 4 units.
            const double n = worlds::periodic_noise(noise, cx / r * 0.25, cy / r * 0.25, columns * 3 / 8, 3);
            const double depth = std::abs(cy - 208) / 208;
            const double t = std::clamp(0.15 + n * 0.6 - depth * 0.25, 0.0, 1.0);
            hexagon(c, cx, cy, r - 1.6);
            c.fill(Paint::radial({cx - r * 0.3, cy - r * 0.3}, 0, r,
                                 {{0, k.amber.at(t * 0.7).scaled(0.5)}, {1, k.wax.at(t * 0.5).scaled(0.38)}}));
            // Some cells still hold glowing honey.
            if (n > 0.62) {
                c.circle(cx, cy + r * 0.2, r * 0.45);
                c.fill(Paint::solid(k.glow.scaled(0.8).with_alpha(std::min(0.55, (n - 0.62) * 2.5))));
            }
        }
}

void strand(Canvas& c, double x, double length, double width) {
    const Look& k = look();
    c.smooth({{x - width, -2}, {x - width * 0.4, length * 0.6}, {x, length}, {x + width * 0.4, length * 0.6}, {x + width, -2}});
    c.fill_outlined(Paint::linear({x - width, 0}, {x + width, 0},
                                  {{0, k.amber.mid.scaled(0.7)}, {0.35, k.amber.light.scaled(0.85)}, {1, k.amber.dark}}),
                    k.outline, 1.0);
    c.circle(x, length + 5, width * 0.45 + 1);
    c.fill_outlined(Paint::solid(k.amber.mid.scaled(0.8)), k.outline, 1.0);
}

void paint_strands(Canvas& c) {
    const Look& k = look();
    art::Random random(art::seed_of("hivestrands"));
    for (int i = 0; i < 12; ++i) {
        const double x = random.range(0, kStrandPeriod), len = random.range(50, 150), w = random.range(3, 7);
        worlds::wrap_x(kStrandPeriod, [&](double dx) { strand(c, x + dx, len, w); });
    }
    // Chunks of broken comb standing on the bottom.
    for (int i = 0; i < 5; ++i) {
        const double x = random.range(0, kStrandPeriod);
        worlds::wrap_x(kStrandPeriod, [&](double dx) {
            for (int j = 0; j < 5; ++j) {
                const int column = j % 3, row = j / 3;  // three cells, then two on top
                hexagon(c, x + dx + column * 15, 400 - row * 17 - (j % 2) * 8, 9);
                c.fill_outlined(Paint::solid(k.wax.mid.scaled(0.6)), k.outline, 1.0);
            }
        });
    }
}

// Wax shaped into comb: cells cut into the surface layer, solid wax deeper.
Color comb_wall(const art::Noise& noise, const worlds::GroundPixel& p) {
    const Look& k = look();
    const double r = 9;
    // Nearest hexagon centre in a flat-top lattice.
    const double col = std::round(p.x / (r * 1.5));
    const double off = (int(col) % 2 != 0) ? r * 0.866 : 0;
    const double row = std::round((p.y - off) / (r * 1.732));
    const double cx = col * r * 1.5, cy = row * r * 1.732 + off;
    const double d = std::hypot(p.x - cx, p.y - cy) / r;
    const double n = noise.fractal(p.x * 0.05, p.y * 0.05, 3);
    double t = 0.3 + 0.45 * std::exp(-p.depth / 14.0) + (n - 0.5) * 0.3;
    if (d > 0.78) t += 0.25;       // cell walls
    else t -= 0.2 * (1 - d);       // cell hollows
    return k.wax.at(std::clamp(t, 0.0, 1.0)).mixed(k.amber.mid, p.depth < 4 ? 0.4 : 0.0);
}

void drips(Canvas& c, int origin_x, const std::function<int(int)>& surface, bool roof) {
    const Look& k = look();
    art::Random random(art::seed_of("hivedrips") ^ uint64_t(origin_x) * 0x2545f4914f6cdd1dull ^ (roof ? 1 : 0));
    for (int col = 14; col < c.width() - 14; col += random.integer(24, 60)) {
        const double base = surface(col);
        if (roof) {
            const double len = random.range(6, 20), w = random.range(2.5, 4.5);
            c.smooth({{col - w, base - 2}, {col - w * 0.5, base + len * 0.7}, {double(col), base + len},
                      {col + w * 0.5, base + len * 0.7}, {col + w, base - 2}});
            c.fill_outlined(Paint::linear({col - w, 0}, {col + w, 0}, {{0, k.amber.mid}, {0.4, k.glow}, {1, k.amber.dark}}),
                            k.outline, 1.0);
        } else {
            const int eggs = random.integer(1, 3);
            for (int e = 0; e < eggs; ++e) {
                const double x = col + e * 7 - 7;
                c.ellipse(x, base - 4, 3.5, 5.5);
                c.fill_outlined(Paint::radial({x - 1, base - 6}, 0, 6, {{0, Color{1, 1, 0.95}}, {1, Color::hex(0xd8c8a0)}}),
                                k.outline, 0.9);
            }
        }
    }
}

}  // namespace

const worlds::Terrain& floor_line() {
    static const worlds::Terrain floor = [] {
        worlds::Terrain t(worlds::Terrain::Kind::Floor, kLength, art::seed_of("hivefloor"));
        t.keys({{0, 370, 10},     {1400, 350, 16},  {2400, 376, 10},  {3200, 330, 20},  {4200, 360, 14},
                {5200, 340, 18},  {6200, 372, 10},  {7200, 320, 22},  {8200, 356, 16},  {9200, 334, 20},
                {10200, 368, 12}, {11200, 350, 14}, {11900, 386, 2},  {double(kLength), 386, 2}});
        return t;
    }();
    return floor;
}

const worlds::Terrain& roof_line() {
    static const worlds::Terrain roof = [] {
        worlds::Terrain t(worlds::Terrain::Kind::Roof, kLength, art::seed_of("hiveroof"));
        t.keys({{0, 44, 10},      {1400, 70, 16},   {2400, 50, 12},   {3200, 90, 20},   {4200, 60, 14},
                {5200, 84, 18},   {6200, 46, 10},   {7200, 76, 20},   {8200, 56, 16},   {9200, 92, 20},
                {10200, 60, 12},  {11200, 50, 12},  {11900, 24, 2},   {double(kLength), 24, 2}});
        return t;
    }();
    return roof;
}

void add_scenery(worlds::World& world) {
    worlds::lay_backdrop(world, {.prefix = "hivecomb", .period = kCombPeriod, .paint = paint_comb}, 3, 0, kLength);
    worlds::lay_backdrop(world, {.prefix = "hivestrands", .period = kStrandPeriod, .paint = paint_strands}, 2, 0,
                         kLength);
    const art::Noise noise(art::seed_of("hivewax"));
    worlds::TerrainLook wax;
    wax.material = [&](const worlds::GroundPixel& p) { return comb_wall(noise, p); };
    wax.outline = look().outline;
    wax.rim = look().amber.light.with_alpha(0.8);
    wax.margin = 22;
    wax.dressing = [](Canvas& c, int origin_x, int, const std::function<int(int)>& surface) {
        drips(c, origin_x, surface, false);
    };
    floor_line().lay(world, "hivefloor", wax);
    wax.dressing = [](Canvas& c, int origin_x, int, const std::function<int(int)>& surface) {
        drips(c, origin_x, surface, true);
    };
    roof_line().lay(world, "hiveroof", wax);
}

}  // namespace hive
