// Metal scenery: a factory wall of panels, pipes and a duct on layer 3 (its
// doors, machines and windows are laid over it, metal_wall_fittings.cpp),
// trusses and hanging chains on layer 2, and a plated floor and roof on
// layer 1 whose shape the level script reads to stand things on it.
#include <cmath>

#include "generator/art/lettering.h"
#include "generator/art/prelude.h"
#include "generator/worlds/common/backdrop.h"
#include "generator/worlds/metal/metal_art.h"

namespace metal {

namespace {

constexpr int kWallPeriod = 1920;
constexpr int kTrussPeriod = 1536;

// Panels with bevelled seams and grime; their rows shift from bay to bay.
void wall_panels(Canvas& c) {
    const art::Noise noise(art::seed_of("metalwall"));
    const Ramp wall{Color::hex(0x0c0f18), Color::hex(0x1c2232), Color::hex(0x343e56)};
    c.map_pixels([&](int x, int y, Color& out) {
        const int px = (x + 40) % 80, bay = (x + 40) / 80;
        const int py = (y + (bay * 19) % 52) % 52;
        double t = 0.45 + (worlds::periodic_noise_px(noise, x, y * 0.05, kWallPeriod, 0.05, 3) - 0.5) * 0.5;
        t += (worlds::periodic_noise_px(noise, x, y * 0.008 + 40, kWallPeriod, 0.008, 2) - 0.5) * 0.5;
        if (px < 2 || py < 2) t = std::max(t, 0.85);
        else if (px > 77 || py > 49) t = 0.05;
        t -= 0.25 * std::max(0.0, (y - 300) / 116.0);
        out = wall.at(std::clamp(t, 0.0, 1.0));
    });
}

void pipe(Canvas& c, double x, double width, double top, double bottom) {
    const Look& k = look();
    c.rect(x, top, width, bottom - top);
    c.fill(Paint::linear({x, 0}, {x + width, 0},
                         {{0, k.rust.dark}, {0.3, k.rust.mid}, {0.45, k.rust.light}, {1, k.rust.dark.darker(0.4)}}));
    for (double y = top + 30; y < bottom; y += 90) {
        c.rect(x - 3, y, width + 6, 8);
        c.fill(Paint::solid(k.dark.mid));
    }
}

void paint_wall(Canvas& c) {
    const Look& k = look();
    wall_panels(c);
    art::Random r(art::seed_of("metalwallbays"));
    // Pipes of several bores, some stopping at the duct (the fittings laid
    // over the wall stand in front of them).
    for (double x = 100; x < kWallPeriod - 40;) {
        const double w = r.range(12, 30);
        const bool short_pipe = r.chance(0.3);
        pipe(c, x, w, short_pipe ? 172 : 0, 416);
        x += r.range(180, 420);
    }
    // A horizontal duct with joints, junction boxes and warning lamps.
    c.rect(0, 150, kWallPeriod, 22);
    c.fill(Paint::vertical(150, 172, {{0, k.dark.light}, {0.4, k.dark.mid}, {1, k.dark.dark}}));
    for (double x = 32; x < kWallPeriod; x += 64) {
        c.rect(x, 148, 4, 26);
        c.fill(Paint::solid(k.dark.dark));
    }
    for (double x : {300.0, 1100.0, 1760.0}) {
        c.rounded_rect(x, 140, 40, 42, 3);
        c.shade(k.steel, k.outline);
        c.rect(x + 8, 150, 24, 6);
        c.fill(Paint::solid(k.hazard.mid));
    }
    for (double x = 40; x < kWallPeriod; x += 256) c.orb(x, 161, 3, Color{1, 1, 0.8}, k.lamp);
}

void truss(Canvas& c, double x0, double w) {
    const Look& k = look();
    const Ramp beam{Color::hex(0x141822), Color::hex(0x2c3446), Color::hex(0x56627a)};
    for (double rx : {x0, x0 + w - 8}) {
        c.rect(rx, 0, 8, 416);
        c.shade(beam, k.outline);
    }
    for (double y = 0; y < 416; y += w) {
        c.line({x0 + 4, y}, {x0 + w - 4, y + w});
        c.line({x0 + w - 4, y}, {x0 + 4, y + w});
        c.line({x0, y}, {x0 + w, y});
    }
    c.stroke(Paint::solid(k.outline), 5, false);
    for (double y = 0; y < 416; y += w) {
        c.line({x0 + 4, y}, {x0 + w - 4, y + w});
        c.line({x0 + w - 4, y}, {x0 + 4, y + w});
        c.line({x0, y}, {x0 + w, y});
    }
    c.stroke(Paint::solid(beam.mid), 3, false);
}

void chain(Canvas& c, double x, double length) {
    const Look& k = look();
    for (double y = 0; y < length; y += 7) {
        c.ellipse(x, y + 3.5, (int(y / 7) % 2) ? 1.2 : 2.6, 4);
        c.stroke(Paint::solid(k.dark.light), 1.4);
    }
    // A hook.
    c.arc(x, length + 6, 6, -20, 200);
    c.stroke(Paint::solid(k.outline), 4.5, false);
    c.arc(x, length + 6, 6, -20, 200);
    c.stroke(Paint::solid(k.steel.mid), 2.5, false);
}

// A hanging lamp shade with its cone of light.
void hanging_lamp(Canvas& c, double x, double length) {
    const Look& k = look();
    c.line({x, 0}, {x, length});
    c.stroke(Paint::solid(k.dark.light), 1.5);
    c.polygon({{x - 14, length + 12}, {x - 5, length}, {x + 5, length}, {x + 14, length + 12}});
    c.shade(k.dark, k.outline);
    c.orb(x, length + 12, 4, Color{1, 1, 0.85}, k.lamp);
}

void paint_trusses(Canvas& c) {
    truss(c, 60, 40);
    truss(c, 610, 48);
    truss(c, 1090, 36);
    worlds::wrap_x(kTrussPeriod, [&](double dx) {
        chain(c, 300 + dx, 150);
        chain(c, 340 + dx, 90);
        chain(c, 860 + dx, 200);
        chain(c, 1330 + dx, 120);
        chain(c, 1520 + dx, 60);
        hanging_lamp(c, 450 + dx, 40);
        hanging_lamp(c, 960 + dx, 70);
        hanging_lamp(c, 1250 + dx, 30);
    });
}

// Steel plates in rows below a lit lip, with seams and rivets.
Color plating(const art::Noise& noise, const worlds::GroundPixel& p) {
    const Look& k = look();
    const double d = p.depth;
    if (d < 4) return k.steel.at(0.95 - d * 0.1);
    if (d < 6) return k.dark.dark;
    const int row = int((d - 6) / 22);
    const double v = std::fmod(d - 6, 22.0);
    const double u = std::fmod(p.x + row * 24 + 4800.0, 48.0);
    double t = 0.42 + (noise.fractal(p.x * 0.08, p.y * 0.08, 3) - 0.5) * 0.35 - row * 0.06;
    if (u < 1.5 || v < 1.5) t += 0.3;
    if (u > 46.5 || v > 20.5) t -= 0.3;
    if ((u > 4 && u < 6.5 && v > 4 && v < 6.5) || (u > 41.5 && u < 44 && v > 4 && v < 6.5)) t += 0.4;
    return k.steel.at(std::clamp(t, 0.0, 1.0)).mixed(k.dark.mid, 0.35);
}

}  // namespace

const worlds::Terrain& floor_line() {
    static const worlds::Terrain floor = [] {
        worlds::Terrain t(worlds::Terrain::Kind::Floor, kLength, art::seed_of("metalfloor"));
        t.keys({{0, 372, 3},     {1800, 372, 3},   {1900, 334, 0},   {2700, 334, 0},   {2800, 356, 2},
                {3900, 356, 2},  {4000, 384, 3},   {5500, 384, 3},   {5600, 328, 0},   {6500, 328, 0},
                {6600, 376, 0},  {7700, 376, 0},   {7800, 370, 3},   {9400, 370, 3},   {9500, 340, 0},
                {10000, 340, 0}, {10100, 376, 2}, {10600, 376, 2},  {10700, 330, 0},  {11200, 330, 0},
                {11300, 360, 3}, {12600, 360, 3}, {12700, 392, 0},  {double(kLength), 392, 0}});
        return t;
    }();
    return floor;
}

const worlds::Terrain& roof_line() {
    static const worlds::Terrain roof = [] {
        worlds::Terrain t(worlds::Terrain::Kind::Roof, kLength, art::seed_of("metalroof"));
        t.keys({{0, 40, 3},      {1800, 40, 3},   {1900, 62, 0},   {2700, 62, 0},    {2800, 88, 2},
                {3900, 88, 2},   {4000, 32, 3},   {5500, 32, 3},   {5600, 52, 0},    {6500, 52, 0},
                {6600, 30, 0},   {7700, 30, 0},   {7800, 72, 0},   {9400, 72, 0},    {9500, 46, 2},
                {10600, 46, 2},  {10700, 70, 0},  {11200, 70, 0},  {11300, 40, 3},   {12600, 40, 3},
                {12700, 22, 0},  {double(kLength), 22, 0}});
        return t;
    }();
    return roof;
}

void add_scenery(worlds::World& world) {
    worlds::lay_backdrop(world, {.prefix = "metalwall", .period = kWallPeriod, .paint = paint_wall}, 3, 0, kLength);
    add_wall_fittings(world);
    worlds::lay_backdrop(world, {.prefix = "metaltruss", .period = kTrussPeriod, .paint = paint_trusses}, 2, 0,
                         kLength);
    const art::Noise noise(art::seed_of("metalplates"));
    worlds::TerrainLook plates;
    plates.material = [&](const worlds::GroundPixel& p) { return plating(noise, p); };
    plates.outline = look().outline;
    plates.rim = Color{0, 0, 0, 0};
    plates.margin = 2;
    floor_line().lay(world, "metalfloor", plates);
    roof_line().lay(world, "metalroof", plates);
}

}  // namespace metal
