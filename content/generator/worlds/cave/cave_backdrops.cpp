// The cave's backdrops, lit. Layer 3: the far cavern wall, dark and cool
// under the roof, its ledges lit from below by a lava lake and two lava
// falls, shafts of daylight slanting down from cracks in the roof with dust
// in them, and clusters of glowing crystal. Layer 2: pillars of wet rock
// between, warm on their lava side, cool and glistening where the shafts
// touch them, dark in the middle.
#include <algorithm>
#include <cmath>

#include "generator/art/prelude.h"
#include "generator/worlds/cave/cave.h"
#include "generator/worlds/common/backdrop.h"

namespace cave {

namespace {

constexpr double kLakeTop = 372;  // the lava lake's surface in the far wall
const Color kDaylight = Color::hex(0xcfe4ff);

// Shafts of daylight: bands slanting down to the right from cracks at these
// columns of the picture, brightest near the roof.
struct Shaft {
    double x, width;
};
const Shaft kShafts[] = {{160, 34}, {610, 22}, {980, 44}};
constexpr double kShaftSlant = 0.42;  // columns right per row down

double shaft_light(int period, double x, double y) {
    double light = 0;
    for (const Shaft& s : kShafts)
        for (double dx : {-double(period), 0.0, double(period)}) {
            const double centre = s.x + dx + y * kShaftSlant;
            const double u = std::abs(x - centre) / (s.width / 2 + y * 0.05);
            if (u < 1) light = std::max(light, (1 - u * u) * std::exp(-y / 260));
        }
    return light;
}

// The lava falls: columns where a fall pours from a crack into the lake.
const double kFalls[] = {420, 1130};
constexpr double kFallTop = 210;

double fall_heat(int period, double x, double y) {
    double heat = 0;
    for (double f : kFalls)
        for (double dx : {-double(period), 0.0, double(period)}) {
            const double d = std::abs(x - (f + dx + std::sin(y * 0.05) * 2.5)) / (4 + (y - kFallTop) * 0.02);
            if (y > kFallTop && y < kLakeTop + 4 && d < 1) heat = std::max(heat, 1 - d * d);
        }
    return heat;
}

void paint_deep(Canvas& c) {
    const int period = c.width();
    const art::Noise noise(art::seed_of("cavedeep"));
    const Look& k = look();
    c.map_pixels([&](int x, int y, Color& out) {
        const double n = worlds::periodic_noise_px(noise, x, y * 0.012, period, 0.012);
        const double m = worlds::periodic_noise_px(noise, x, y * 0.05 + 20, period, 0.05, 3);
        // Ledges of the wall: where the rock's grain steps, its underside is
        // lit by the lava below.
        const double below = worlds::periodic_noise_px(noise, x, (y + 2) * 0.05 + 20, period, 0.05, 3);
        const double underside = std::clamp((below - m) * 14, 0.0, 1.0);
        const double warmth = std::clamp((y - 120) / (kLakeTop - 120), 0.0, 1.0);
        Color wall = Color::hex(0x0c080e).mixed(Color::hex(0x2e1c16), std::clamp(n * 0.9 - 0.05, 0.0, 1.0));
        wall = wall.mixed(Color::hex(0x4a2a1c), std::max(0.0, m - 0.6) * 1.6);
        wall = wall.mixed(Color::hex(0xc8501c), underside * warmth * warmth * 0.7);
        // The lake's glow rising up the wall.
        wall = wall.mixed(Color::hex(0xff6a1c), std::pow(warmth, 3) * 0.35);
        // Lava seams: thin bright veins where the noise crosses a level.
        const double vein = std::abs(n - 0.52);
        if (vein < 0.008 && m > 0.5 && y > 150) wall = wall.mixed(k.lava, (0.008 - vein) / 0.008 * 0.8);
        // Daylight in the shafts, on the wall behind them.
        wall = wall.mixed(kDaylight.mixed(wall, 0.35), shaft_light(period, x, y) * 0.3);
        // The falls and the lake.
        const double fall = fall_heat(period, x, y);
        if (fall > 0) {
            // Molten rock pouring: darker crusted edges, a hot core, lumps flowing down.
            const double lumps = worlds::periodic_noise_px(noise, x, 40 + y * 0.08, period, 0.1, 2);
            wall = art::fire_colour(0.36 + 0.34 * fall + 0.18 * (lumps - 0.5));
        }
        if (y >= kLakeTop) {
            const double flow = worlds::periodic_noise_px(noise, x, 60 + y * 0.15, period, 0.03, 3);
            const double crust = worlds::periodic_noise_px(noise, x, 80 + y * 0.08, period, 0.06, 2);
            Color lava = art::fire_colour(0.5 + 0.35 * flow - (y - kLakeTop) * 0.004);
            if (crust > 0.62) lava = lava.mixed(Color::hex(0x2a0e08), std::min(0.85, (crust - 0.62) * 5));
            wall = lava;
        }
        out = wall.with_alpha(1);
    });
    // Glow round the falls and along the lake's surface.
    for (double f : kFalls)
        worlds::wrap_x(period, [&](double dx) {
            for (double y = kFallTop + 20; y < kLakeTop; y += 36) c.glow(f + dx, y, 26, Color::hex(0xff7a20), 0.35);
            c.glow(f + dx, kLakeTop, 60, Color::hex(0xffa040), 0.5);
        });
    c.rect(0, kLakeTop - 1, period, 1.5);
    c.fill(Paint::solid(Color::hex(0xffd080).with_alpha(0.8)));
    // Dust turning in the shafts.
    art::Random random(art::seed_of("cavedust"));
    for (int i = 0; i < 600; ++i) {
        const double x = random.range(0, period), y = random.range(0, 330);
        const double light = shaft_light(period, x, y);
        if (light < 0.25) continue;
        c.rect(std::floor(x), std::floor(y), 1, 1);
        c.fill(Paint::solid(kDaylight.with_alpha(0.35 + 0.5 * light)));
    }
    // Crystal clusters on ledges of the far wall, each in its own glow: prisms
    // fanning out from a root, lit face and shaded face.
    art::Random crystals(art::seed_of("cavespecks"));
    for (int i = 0; i < 7; ++i) {
        const double x = crystals.range(0, period), y = crystals.range(110, 330);
        const int prisms = crystals.integer(3, 6);
        std::vector<std::pair<double, double>> shape;  // angle, length
        for (int j = 0; j < prisms; ++j) shape.push_back({-90 + (j - (prisms - 1) / 2.0) * 22 + crystals.range(-6, 6), crystals.range(8, 18)});
        worlds::wrap_x(period, [&](double dx) {
            const double cx = x + dx;
            c.glow(cx, y - 6, 30, k.crystal_glow, 0.4);
            for (const auto& [deg, len] : shape) {
                const double a = deg * kPi / 180, w = 2.6;
                const Pt tip{cx + std::cos(a) * len, y + std::sin(a) * len};
                const Pt side{-std::sin(a) * w, std::cos(a) * w};
                const Pt shoulder{cx + std::cos(a) * len * 0.78, y + std::sin(a) * len * 0.78};
                c.polygon({{cx - side.x, y - side.y}, {shoulder.x - side.x, shoulder.y - side.y}, tip, shoulder});
                c.fill(Paint::solid(k.crystal.light));
                c.polygon({{cx + side.x, y + side.y}, {shoulder.x + side.x, shoulder.y + side.y}, tip, shoulder});
                c.fill(Paint::solid(k.crystal.mid));
            }
        });
    }
    for (int i = 0; i < 50; ++i) {
        const double x = crystals.range(0, period), y = crystals.range(60, 360);
        c.orb(x, y, crystals.range(0.8, 1.6), k.crystal.light, k.crystal_glow.darker(0.3));
    }
}

// Pillars from roof to floor, some broken into a hanging and a standing
// half: dark in the middle, a warm rim on their lava side (right), a cool
// glistening rim where the daylight falls (left), wet streaks running down.
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
                const double lx = x - px;  // the pillar's own column, the same wherever it is drawn
                const double grain = noise.fractal(lx * 0.08 + p.x, y * 0.08, 3);
                const double shade = 0.15 + 0.3 * (1 - std::abs(u)) + 0.25 * grain;
                Color col = Color::hex(0x140c0c).mixed(Color::hex(0x4a3024), shade);
                // The lava's light from the right and from below.
                const double low = std::clamp((y - 250) / 166.0, 0.0, 1.0);
                if (u > 0.55) col = col.mixed(Color::hex(0xd8642a), (u - 0.55) * (1.3 + low));
                col = col.mixed(Color::hex(0x8a3a18), low * low * 0.35);
                // Cool wet light on the left where daylight reaches.
                const double day = 0.35 + shaft_light(period, x, y) * 2;
                if (u < -0.6) col = col.mixed(Color::hex(0x9ab4c8), std::min(0.8, (-0.6 - u) * 2.2 * day));
                // Water running down the rock: thin glistening streaks.
                const double streak = noise.at(lx * 0.7, 3.3 + p.x);
                if (streak > 0.86 && u < 0.3 && noise.at(lx * 0.7, y * 0.04 + p.x) > 0.55)
                    col = col.mixed(Color::hex(0xc8d8ec), (streak - 0.86) * 3.5);
                out = col.with_alpha(1);
                return;
            }
        }
    });
}

}  // namespace

void add_backdrops(worlds::World& world, int length) {
    worlds::Backdrop deep{.prefix = "cavedeep", .paint = paint_deep};
    worlds::lay_backdrop(world, deep, 3, 0, length);
    worlds::Backdrop pillars{.prefix = "cavepillars", .period = 1536, .tile_width = 256, .paint = paint_pillars};
    worlds::lay_backdrop(world, pillars, 2, 0, length);
}

}  // namespace cave
