// Water scenery: deep water with shafts of light and far ruins on layer 3,
// a kelp forest on layer 2, a sandy sea bed and a roof of rock on layer 1,
// both grown with weed and coral.
#include <cmath>

#include "generator/art/prelude.h"
#include "generator/worlds/common/backdrop.h"
#include "generator/worlds/water/water_art.h"

namespace water {

namespace {

constexpr int kDeepPeriod = 1280;
constexpr int kKelpPeriod = 1600;

// Shafts of light slanting down from the surface, at uneven places: the sum
// of three families whose periods divide the picture's.
double light_shafts(double x, double y) {
    constexpr double kTau = 6.283185307179586;
    const double u = x + y * 0.35;
    double ray = 0;
    const double weights[] = {1.0, 0.7, 0.55};
    const int counts[] = {3, 5, 7};
    for (int i = 0; i < 3; ++i) {
        const double phase = u * kTau * counts[i] / kDeepPeriod + i * 1.7;
        ray += weights[i] * std::pow(std::max(0.0, std::sin(phase)), 16 + 6 * i);
    }
    return std::min(1.0, ray) * (0.6 + 0.4 * std::sin(u * kTau * 2 / kDeepPeriod + 0.4));
}

// Far ruins on the bottom: a different silhouette in each place.
void far_ruins(Canvas& c) {
    const Color far = Color::hex(0x0a2438);
    const auto columns = [&](double x, int n, double h) {
        for (int j = 0; j < n; ++j) c.rect(x + j * 44, 416 - h + (j % 2) * 26, 16, h + 4);
        c.fill(Paint::solid(far));
    };
    worlds::wrap_x(kDeepPeriod, [&](double dx) {
        // An arcade of three columns under an arch.
        columns(90 + dx, 3, 116);
        c.arc(142 + dx, 300, 44, 180, 360);
        c.stroke(Paint::solid(far), 12, false);
        // A dome on a drum.
        c.rect(360 + dx, 330, 120, 90);
        c.fill(Paint::solid(far));
        c.arc(420 + dx, 332, 56, 180, 360);
        c.fill(Paint::solid(far));
        c.rect(416 + dx, 262, 8, 16);
        c.fill(Paint::solid(far));
        // Broken columns of unequal height.
        for (const auto& [cx, h] : {std::pair{610.0, 150.0}, {652.0, 96.0}, {700.0, 122.0}, {742.0, 60.0}}) {
            c.polygon({{cx + dx, 420}, {cx + dx, 416 - h}, {cx + dx + 8, 416 - h - 6}, {cx + dx + 16, 416 - h + 4},
                       {cx + dx + 16, 420}});
            c.fill(Paint::solid(far));
        }
        // A toppled statue's head and a leaning tower.
        c.circle(860 + dx, 392, 30);
        c.fill(Paint::solid(far));
        c.polygon({{980 + dx, 420}, {1000 + dx, 220}, {1030 + dx, 224}, {1020 + dx, 420}});
        c.fill(Paint::solid(far));
        // A long wall with a gateway.
        c.rect(1090 + dx, 350, 150, 70);
        c.fill(Paint::solid(far));
        c.arc(1165 + dx, 376, 20, 180, 360);
        c.fill(Paint::solid(Color::hex(0x061a2a)));
        c.rect(1145 + dx, 376, 40, 44);
        c.fill(Paint::solid(Color::hex(0x061a2a)));
    });
}

void paint_deep(Canvas& c) {
    const art::Noise noise(art::seed_of("waterdeep"));
    const double s = 10.0 / kDeepPeriod;
    c.map_pixels([&](int x, int y, Color& out) {
        const double t = y / 416.0;
        Color base = Color::hex(0x0e4a6a).mixed(Color::hex(0x041428), std::pow(t, 0.8));
        const double n = worlds::periodic_noise(noise, x * s, y * s, 10, 4);
        base = base.scaled(0.8 + 0.4 * n);
        base = base.mixed(Color::hex(0x8ae0ff), light_shafts(x, y) * 0.24 * (1 - t));
        out = base.with_alpha(1);
    });
    far_ruins(c);
    // Motes drifting in the water.
    art::Random random(art::seed_of("waterdeep motes"));
    for (int i = 0; i < 220; ++i) {
        const double x = random.range(0, kDeepPeriod), y = random.range(0, 416);
        const double a = random.range(0.15, 0.5);
        worlds::wrap_x(kDeepPeriod, [&](double dx) {
            c.rect(std::floor(x + dx), std::floor(y), 1, 1);
            c.fill(Paint::solid(Color::hex(0xc0f0ff).with_alpha(a)));
        });
    }
}

void kelp(Canvas& c, double x, double height, double sway, uint64_t seed) {
    art::Random random(seed);
    const Color stem = Color::hex(0x0c3a2a), leaf = Color::hex(0x16583a), outline = Color::hex(0x031410);
    std::vector<Pt> pts;
    for (int j = 0; j <= 8; ++j) {
        const double y = 420 - j * height / 8;
        pts.push_back({x + std::sin(j * 0.8 + sway) * (3 + j * 1.5), y});
    }
    c.smooth(pts, false);
    c.stroke(Paint::solid(outline), 6);
    c.smooth(pts, false);
    c.stroke(Paint::solid(stem), 3.5);
    for (size_t j = 2; j < pts.size(); ++j) {
        const double side = j % 2 ? 1 : -1;
        const Pt p = pts[j];
        c.smooth({{p.x, p.y}, {p.x + side * 10, p.y - 6}, {p.x + side * 18, p.y - 2}, {p.x + side * 9, p.y + 2}});
        c.fill_outlined(Paint::solid(leaf.mixed(stem, random.range(0, 0.4))), outline, 1.0);
    }
}

void paint_kelp(Canvas& c) {
    art::Random random(art::seed_of("waterkelp"));
    for (int i = 0; i < 16; ++i) {
        const double x = random.range(0, kKelpPeriod), h = random.range(110, 230), sway = random.range(0, 6);
        const uint64_t seed = random.next();
        worlds::wrap_x(kKelpPeriod, [&](double dx) { kelp(c, x + dx, h, sway, seed); });
    }
    // Rocks the kelp grows from.
    for (int i = 0; i < 6; ++i) {
        const double x = random.range(0, kKelpPeriod), w = random.range(40, 90), h = random.range(20, 40);
        worlds::wrap_x(kKelpPeriod, [&](double dx) {
            c.smooth({{x + dx - w / 2, 420}, {x + dx - w * 0.35, 420 - h}, {x + dx + w * 0.1, 420 - h * 1.1},
                      {x + dx + w / 2, 420}});
            c.fill_outlined(Paint::solid(Color::hex(0x0a2a30)), Color::hex(0x031018), 1.0);
        });
    }
}

Color seabed(const art::Noise& noise, const worlds::GroundPixel& p) {
    const Look& k = look();
    const double n = noise.fractal(p.x * 0.06, p.y * 0.06, 4);
    const double ripple = 0.5 + 0.5 * std::sin(p.x * 0.25 + p.depth * 0.6 + n * 4);
    double t = 0.25 + 0.5 * std::exp(-p.depth / 16.0) + (n - 0.5) * 0.5 + ripple * 0.08;
    // Pebbles.
    const double peb = noise.at(p.x * 0.3 + 50, p.y * 0.3);
    if (peb > 0.82 && p.depth > 6) return k.stone.at(0.3 + (peb - 0.82) * 3);
    return k.sand.at(std::clamp(t, 0.0, 1.0));
}

Color roof_rock(const art::Noise& noise, const worlds::GroundPixel& p) {
    const Look& k = look();
    const double n = noise.fractal(p.x * 0.05, p.y * 0.05, 4);
    const double t = 0.15 + 0.55 * std::exp(-p.depth / 10.0) + (n - 0.5) * 0.6;
    return k.stone.at(std::clamp(t, 0.0, 1.0));
}

// Tufts of weed and fans of coral along the sea bed, hanging weed under the roof.
void growth(Canvas& c, int origin_x, const std::function<int(int)>& surface, bool roof) {
    const Look& k = look();
    art::Random random(art::seed_of("watergrowth") ^ uint64_t(origin_x) * 0x9e3779b97f4a7c15ull ^ (roof ? 3 : 0));
    for (int col = 16; col < c.width() - 16; col += random.integer(30, 70)) {
        const double base = surface(col) + (roof ? -2 : 2);
        const double dir = roof ? 1 : -1;
        if (!roof && random.chance(0.35)) {
            // A coral fan.
            const Ramp& ramp = random.chance(0.5) ? k.coral : k.pink;
            for (int b = 0; b < 5; ++b) {
                const double a = (-60 + b * 30) * 3.14159265 / 180;
                c.line({double(col), base}, {col + std::sin(a) * 14, base - std::cos(a) * 18});
            }
            c.stroke(Paint::solid(k.outline), 4.5);
            for (int b = 0; b < 5; ++b) {
                const double a = (-60 + b * 30) * 3.14159265 / 180;
                c.line({double(col), base}, {col + std::sin(a) * 14, base - std::cos(a) * 18});
            }
            c.stroke(Paint::solid(ramp.mid), 2.5);
            continue;
        }
        const int blades = random.integer(2, 4);
        for (int b = 0; b < blades; ++b) {
            const double x = col + random.range(-6, 6), h = random.range(10, 22), bend = random.range(-6, 6);
            const std::vector<Pt> blade{{x, base}, {x + bend * 0.5, base + dir * h * 0.5}, {x + bend, base + dir * h}};
            c.smooth(blade, false);
            c.stroke(Paint::solid(k.outline), 3.6);
            c.smooth(blade, false);
            c.stroke(Paint::solid(Color::hex(0x3aa04a).mixed(Color::hex(0x1a6a3a), random.uniform())), 2.0);
        }
    }
}

}  // namespace

const worlds::Terrain& floor_line() {
    static const worlds::Terrain floor = [] {
        worlds::Terrain t(worlds::Terrain::Kind::Floor, kLength, art::seed_of("waterfloor"));
        t.keys({{0, 376, 6},      {1600, 368, 10},  {2600, 340, 14},  {3400, 372, 8},   {4400, 350, 12},
                {5400, 380, 6},   {6400, 336, 14},  {7400, 366, 10},  {8400, 344, 14},  {9400, 378, 6},
                {10400, 350, 12}, {11400, 372, 8},  {12200, 384, 2},  {double(kLength), 384, 2}});
        return t;
    }();
    return floor;
}

const worlds::Terrain& roof_line() {
    static const worlds::Terrain roof = [] {
        worlds::Terrain t(worlds::Terrain::Kind::Roof, kLength, art::seed_of("waterroof"));
        t.keys({{0, -40, 0},      {1800, -40, 0},   {2200, 40, 10},   {3400, 56, 14},   {4200, 30, 10},
                {5000, 70, 16},   {6000, 40, 12},   {6400, -40, 0},   {7200, -40, 0},   {7600, 50, 12},
                {8800, 74, 16},   {9800, 40, 12},   {10800, 60, 14},  {11600, 30, 8},   {12100, -40, 0},
                {double(kLength), -40, 0}});
        return t;
    }();
    return roof;
}

void add_scenery(worlds::World& world) {
    worlds::lay_backdrop(world, {.prefix = "waterdeep", .period = kDeepPeriod, .paint = paint_deep}, 3, 0, kLength);
    worlds::lay_backdrop(world, {.prefix = "waterkelp", .period = kKelpPeriod, .paint = paint_kelp}, 2, 0, kLength);
    const art::Noise noise(art::seed_of("waterbed"));
    worlds::TerrainLook bed;
    bed.material = [&](const worlds::GroundPixel& p) { return seabed(noise, p); };
    bed.outline = look().outline;
    bed.rim = look().sand.light.with_alpha(0.8);
    bed.margin = 24;
    bed.dressing = [](Canvas& c, int origin_x, int, const std::function<int(int)>& surface) {
        growth(c, origin_x, surface, false);
    };
    floor_line().lay(world, "waterfloor", bed);
    worlds::TerrainLook rock = bed;
    rock.material = [&](const worlds::GroundPixel& p) { return roof_rock(noise, p); };
    rock.rim = look().stone.light.with_alpha(0.6);
    rock.dressing = [](Canvas& c, int origin_x, int, const std::function<int(int)>& surface) {
        growth(c, origin_x, surface, true);
    };
    roof_line().lay(world, "waterroof", rock);
}

}  // namespace water
