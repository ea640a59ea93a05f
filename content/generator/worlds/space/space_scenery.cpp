// Space scenery: a violet nebula sky on layer 3, distant planets, a station
// and drifting rock clusters on layer 2, and two asteroid belts whose rock
// rises from below and hangs from above on layer 1.
#include <cmath>

#include "generator/art/prelude.h"
#include "generator/worlds/common/backdrop.h"
#include "generator/worlds/common/terrain.h"
#include "generator/worlds/space/space_art.h"

namespace space {

namespace {

constexpr int kSkyPeriod = 1920;

void paint_sky(Canvas& c) {
    art::space_gradient(c, Color::hex(0x05041a), Color::hex(0x120828));
    const art::Noise noise(art::seed_of("spacesky"));
    const double s = 12.0 / kSkyPeriod;  // 12 lattice units across the period
    const Color violet = Color::hex(0x5a1a8a), magenta = Color::hex(0xb02a78), teal = Color::hex(0x1a6a8a);
    c.map_pixels([&](int x, int y, Color& out) {
        const double n = worlds::periodic_noise(noise, x * s, y * s, 12, 5);
        const double m = worlds::periodic_noise(noise, x * s * 2 + 3, y * s * 2 + 11, 24, 3);
        // A band of cloud that wanders across the middle of the sky.
        const double band = std::exp(-std::pow((y - 200 - 90 * std::sin(x * 2 * 3.14159265 / kSkyPeriod)) / 150.0, 2));
        const double v = std::clamp((n - 0.42) * 2.6 * band, 0.0, 1.0);
        const double w = std::clamp((m - 0.55) * 3.0 * band, 0.0, 1.0);
        Color cloud = violet.mixed(magenta, std::clamp((n - 0.5) * 3, 0.0, 1.0)).scaled(v * 0.9);
        cloud = cloud.mixed(teal, w * 0.5);
        out = Color{std::min(1.0, out.r + cloud.r * 0.8), std::min(1.0, out.g + cloud.g * 0.8),
                    std::min(1.0, out.b + cloud.b * 0.8), 1};
    });
    art::Random random(art::seed_of("spacesky stars"));
    Canvas stars(kSkyPeriod, c.height());
    art::starfield(stars, random, 700, 0.9);
    // Stars near the seam appear on both sides of it.
    worlds::wrap_x(kSkyPeriod, [&](double dx) { c.draw(stars, dx, 0); });
}

// A ringed gas giant.
Canvas giant_planet() {
    Canvas c(300, 200);
    const double cx = 150, cy = 100, r = 62;
    const art::Noise noise(art::seed_of("spaceplanet"));
    const Ramp bands{Color::hex(0x3a1a40), Color::hex(0xb0607a), Color::hex(0xf0c8a0)};
    // Far side of the ring, behind the planet.
    // The path is built in the ring's squashed frame and stroked in pixels.
    auto ring = [&](bool front) {
        c.save();
        c.translate(cx, cy);
        c.rotate_deg(-14);
        c.scale(1, 0.26);
        c.arc(0, 0, 128, front ? 0 : 180, front ? 180 : 360);
        c.restore();
        c.stroke(Paint::solid(Color::hex(0xd8b890).with_alpha(0.9)), 9, false);
    };
    ring(false);
    art::planet(c, cx, cy, r, bands, Color::hex(0xff90c0), noise, 140);
    ring(true);
    return c;
}

Canvas moon() {
    Canvas c(90, 90);
    art::planet(c, 45, 45, 34, Ramp{Color::hex(0x20283a), Color::hex(0x6a7890), Color::hex(0xd8e4f0)},
                Color::hex(0x80c0ff), art::Noise(art::seed_of("spacemoon")), 135);
    return c;
}

// A far station: a ring on a spindle, lit windows.
Canvas station() {
    const Look& k = look();
    Canvas c(200, 150);
    const Ramp hull{Color::hex(0x1c1e30), Color::hex(0x4a4e68), Color::hex(0x9ca2bc)};
    c.rect(96, 8, 8, 134);
    c.shade(hull, k.outline);
    c.ellipse(100, 75, 88, 24);
    c.stroke(Paint::solid(k.outline), 11);
    c.ellipse(100, 75, 88, 24);
    c.stroke(Paint::linear({12, 0}, {188, 0}, {{0, hull.light}, {0.5, hull.mid}, {1, hull.dark}}), 8);
    for (int i = 0; i < 24; ++i) {
        const double a = i * 15 * 3.14159265 / 180;
        const double x = 100 + 88 * std::cos(a), y = 75 + 24 * std::sin(a);
        if (std::sin(a) < -0.2) continue;
        c.rect(x - 1, y - 1, 2, 2);
        c.fill(Paint::solid(Color::hex(0xffe080)));
    }
    c.circle(100, 75, 16);
    c.shade(hull, k.outline);
    c.circle(100, 75, 6);
    c.fill(Paint::radial({100, 75}, 0, 6, {{0, Color{1, 1, 1}}, {1, k.engine}}));
    for (double y : {14.0, 136.0}) {
        c.orb(100, y, 3, Color{1, 1, 1}, k.red.mid);
    }
    return c;
}

// A loose cluster of far rocks (dim, so they stay behind the action).
Canvas rock_cluster(uint64_t seed) {
    Canvas c(220, 140);
    art::Random random(seed);
    const Ramp far{Color::hex(0x0e0c16), Color::hex(0x2e2836), Color::hex(0x6a5a66)};
    for (int i = 0; i < 9; ++i) {
        const double x = random.range(20, 200), y = random.range(20, 120), r = random.range(4, 16);
        std::vector<Pt> pts;
        for (int j = 0; j < 9; ++j) {
            const double a = j * 2 * 3.14159265 / 9;
            const double rr = r * random.range(0.7, 1.15);
            pts.push_back({x + rr * std::cos(a), y + rr * std::sin(a) * 0.85});
        }
        c.smooth(pts);
        c.shade(far, Color::hex(0x07060c), 1.0, 130);
    }
    return c;
}

art::Color belt_rock(const art::Noise& noise, const worlds::GroundPixel& p) {
    const Look& k = look();
    const double n = noise.fractal(p.x * 0.045, p.y * 0.045, 4);
    const double crack = std::abs(noise.fractal(p.x * 0.02 + 9, p.y * 0.05, 3) - 0.5);
    double t = 0.08 + 0.55 * std::exp(-p.depth / 9.0) + (n - 0.5) * 0.6;
    if (crack < 0.025) t -= 0.25;
    return k.rock.at(std::clamp(t, 0.0, 1.0));
}

}  // namespace

void add_scenery(worlds::World& world) {
    worlds::Backdrop sky{.prefix = "spacesky", .period = kSkyPeriod, .paint = paint_sky};
    worlds::lay_backdrop(world, sky, 3, 0, kLength);

    // Far objects on layer 2, placed by where the level will be when they pass.
    world.sprite("spacegiant", giant_planet());
    world.sprite("spacemoon", moon());
    world.sprite("spacestation", station());
    world.sprite("spacerocksa", rock_cluster(art::seed_of("spacerocksa")));
    world.sprite("spacerocksb", rock_cluster(art::seed_of("spacerocksb")));
    auto far = [&](int level_x, int y, const char* name) {
        world.level().place(worlds::x_on_layer(level_x, 2), y, 2, name);
    };
    far(840, 40, "spacegiant");
    far(2150, 260, "spacerocksa");
    far(3380, 30, "spacemoon");
    far(4460, 220, "spacestation");
    far(5540, 60, "spacerocksb");
    far(6460, 200, "spacerocksb");
    far(7690, 20, "spacerocksa");
    far(8620, 250, "spacerocksa");
    far(9620, 40, "spacestation");

    // Two belts of rock, coming in from off the field and leaving again.
    worlds::Terrain floor(worlds::Terrain::Kind::Floor, kLength, art::seed_of("spacefloor"));
    floor.keys({{0, 470, 0},     {2690, 470, 0},   {3000, 372, 14}, {3460, 340, 22}, {3770, 384, 18},
                {4150, 350, 20}, {4460, 470, 0},   {6540, 470, 0},  {6850, 350, 16}, {7310, 320, 24},
                {7690, 360, 20}, {8080, 330, 20}, {8390, 470, 0}, {double(kLength), 470, 0}});
    worlds::Terrain roof(worlds::Terrain::Kind::Roof, kLength, art::seed_of("spaceroof"));
    roof.keys({{0, -60, 0},     {2840, -60, 0},  {3150, 46, 14},  {3610, 74, 20}, {4000, 40, 18},
               {4380, -60, 0},  {6620, -60, 0},  {6920, 60, 16},  {7390, 96, 22}, {7770, 62, 20},
               {8160, 86, 18}, {8460, -60, 0}, {double(kLength), -60, 0}});
    const art::Noise grain(art::seed_of("spacebelt"));
    worlds::TerrainLook rock;
    rock.material = [&](const worlds::GroundPixel& p) { return belt_rock(grain, p); };
    rock.outline = look().outline;
    rock.rim = Color::hex(0xe8d0c0).with_alpha(0.8);
    rock.margin = 4;
    floor.lay(world, "spacefloor", rock);
    roof.lay(world, "spaceroof", rock);
}

}  // namespace space
