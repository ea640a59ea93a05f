// The mountain world's backdrops: a dusk sky with cloud banks, birds and a
// far violet range (layer 3), and a nearer snowy ridge with pines at its foot
// (layer 2). Features seen once in the level (the moon, an airliner, a pair
// of jets) are laid over the repeating sky as pieces of their own.
#include <algorithm>
#include <cmath>

#include "generator/art/prelude.h"
#include "generator/worlds/common/backdrop.h"
#include "generator/worlds/mountain/mountain.h"

namespace mountain {

namespace {

constexpr int kSkyPeriod = 1280;

struct RangeStyle {
    double base = 300, amplitude = 100, crags = 20, scale = 0.005;
    Color body, deep, lit, snow, snow_shade, haze;
    double haze_depth = 0;  // rows over which the foot fades into the haze; 0 for none
    double strata = 12;     // rows between the ledges of the rock's beds
    double relief = 55;     // how strongly the buttresses and gullies catch the light
};

// A mountain range across a periodic picture. The ridge line is broad swells
// and crags; the face below it is a field of buttresses and gullies (a height
// field lit from the upper left and the front), cut by beds of rock that
// follow the mountain's shape, with snow on the crest, on the ledges of the
// high beds and in the gullies that face the sky.
void mountain_range(Canvas& c, const art::Noise& noise, const RangeStyle& st) {
    const int period = c.width();
    const auto height = [&](double x) {
        const double h = worlds::periodic_noise_px(noise, x, 0.3, period, st.scale);
        const double crag = worlds::periodic_noise_px(noise, x, 5.1, period, st.scale * 5);
        return st.base - st.amplitude * h * h * 1.6 - st.crags * crag;
    };
    std::vector<double> ridge(static_cast<size_t>(period));
    for (int x = 0; x < period; ++x) ridge[size_t(x)] = height(x);
    const auto at = [&](int x) { return ridge[size_t(((x % period) + period) % period)]; };
    const double top = *std::min_element(ridge.begin(), ridge.end());

    // Buttresses and gullies: features about twice as tall as they are wide.
    const double fx = st.scale * 7;
    const auto relief = [&](double x, double y) {
        return worlds::periodic_noise_px(noise, x, 40 + y * fx * 0.5, period, fx, 4);
    };
    const auto warp = [&](double x, double y) {
        return worlds::periodic_noise_px(noise, x, 90 + y * fx * 0.8, period, fx * 0.6, 3) - 0.5;
    };
    const auto grain = [&](double x, double y) {
        return worlds::periodic_noise_px(noise, x, 140 + y * 0.09, period, 0.09, 2);
    };
    // Light from the upper left and in front of the face.
    const double lx = -0.45, ly = -0.5, lz = 0.74;

    c.map_pixels([&](int x, int y, Color& out) {
        const double r = at(x);
        if (y < r) return;
        const double depth = y - r;
        // The face's relief, and near the crest the slope of the ridge itself.
        const double gx = (relief(x + 1.5, y) - relief(x - 1.5, y)) / 3 * st.relief * 8;
        const double gy = (relief(x, y + 1.5) - relief(x, y - 1.5)) / 3 * st.relief * 8;
        const double crest = std::exp(-depth / 18);
        const double slope = std::clamp((at(x - 3) - at(x + 3)) / 6.0, -2.0, 2.0);
        const double nx = -gx * (1 - crest) + slope * crest, ny = -gy * (1 - crest) - 0.6 * crest;
        const double norm = std::sqrt(nx * nx + ny * ny + 1);
        double light = std::clamp((nx * lx + ny * ly + lz) / norm, 0.0, 1.0);
        light = 0.15 + 0.85 * light;

        // Beds of rock, bent with the mountain and warped a little.
        // Beds of rock, bent with the mountain and warped a little, thicker
        // and thinner along the range; a ledge shows only where it juts out.
        const double thickness =
            st.strata * (1.05 + 0.7 * (worlds::periodic_noise_px(noise, x, 700.0, period, fx * 0.3, 2) - 0.5));
        const double bed = (y - 0.55 * r + 16 * warp(x, y)) / thickness;
        const double f = bed - std::floor(bed);
        const double juts = worlds::periodic_noise_px(noise, x, 220 + std::floor(bed) * 3.7, period, 0.05, 2);
        const bool ledge_shadow = f < 0.14 && juts > 0.4;
        const bool ledge_top = f >= 0.14 && f < 0.32 && juts > 0.4;
        double tone = light + (grain(x, y) - 0.5) * 0.22;
        if (ledge_shadow) tone *= 0.62;
        if (ledge_top) tone = std::min(1.0, tone * 1.15 + 0.05);
        // The foot of the face lies in the shadow of the range in front.
        tone *= 1 - 0.35 * std::clamp(depth / 150.0, 0.0, 1.0);
        Color rock = st.deep.mixed(st.body, std::clamp(tone * 1.4, 0.0, 1.0))
                         .mixed(st.lit, std::clamp((tone - 0.62) * 2.2, 0.0, 1.0));

        // Snow: a cap along the crest, thicker on high ground; on the ledges
        // and in sky-facing hollows of the upper face.
        const double ridge_alt = std::clamp((st.base - r) / (st.base - top + 1), 0.0, 1.0);
        const double alt = std::clamp((st.base - y) / (st.base - top + 1), 0.0, 1.0);
        const double patch = worlds::periodic_noise_px(noise, x, 300 + y * fx * 0.9, period, fx * 1.7, 3);
        const double cap = (5 + 34 * ridge_alt * ridge_alt) * (0.55 + patch);
        bool snow = depth < cap;
        if (!snow && alt > 0.2) {
            const double cover = alt * 1.3 + (patch - 0.5) * 0.9;
            snow = (ledge_top && cover > 0.45 && juts > 0.52) || (gy > 0.05 && cover > 0.75);
        }
        if (snow) rock = st.snow_shade.mixed(st.snow, std::clamp(light * 1.2 - (ledge_shadow ? 0.3 : 0), 0.0, 1.0));
        if (st.haze_depth > 0) rock = rock.mixed(st.haze, std::clamp((y - st.base) / st.haze_depth, 0.0, 0.6));
        out = rock;
    });
}

// ---- the sky ----
// Where the features seen only once stand in the sky picture.
constexpr int kMoonX = 900, kMoonY = 120, kMoonBox = 40;
constexpr int kLinerX = 380, kLinerY = 62, kLinerW = 150, kLinerH = 22;
constexpr int kJetsX = 1040, kJetsY = 150, kJetsW = 90, kJetsH = 40;

enum class Feature { None, Moon, Liner, Jets };

// Cloud banks of the dusk: long stratus lit rose and gold from below by the
// sun under the horizon, violet on their shaded tops; a few wisps higher up.
void clouds(Canvas& c) {
    const int period = c.width();
    const art::Noise noise(art::seed_of("mountainclouds"));
    const auto density = [&](double x, double y) {
        // Two banks and a high veil, each with its own edge.
        const double bank = std::max({std::exp(-std::pow((y - 150 - 18 * std::sin(x * 2 * kPi / period * 2)) / 22.0, 2)),
                                      0.8 * std::exp(-std::pow((y - 212 - 10 * std::sin(x * 2 * kPi / period * 3 + 1)) / 14.0, 2)),
                                      0.55 * std::exp(-std::pow((y - 70) / 16.0, 2))});
        const double n = worlds::periodic_noise_px(noise, x, y * 0.035, period, 0.008, 5);
        const double streak = worlds::periodic_noise_px(noise, x, 50 + y * 0.12, period, 0.02, 3);
        return std::clamp((n * 0.75 + streak * 0.25 - 0.52) * 3.2 * bank, 0.0, 1.0);
    };
    c.map_pixels([&](int x, int y, Color& out) {
        if (y > 260) return;
        const double d = density(x, y);
        if (d <= 0.02) return;
        // Lit from below: thinner cloud beneath means a lit underside.
        const double below = density(x, y + 3);
        const double lit = std::clamp((d - below) * 4 + 0.35 + (y - 120) / 240.0, 0.0, 1.0);
        const Color shade = Color::hex(0x3c2c60).mixed(Color::hex(0x6a4a80), std::clamp(y / 230.0, 0.0, 1.0));
        const Color glow = Color::hex(0xf0a08a).mixed(Color::hex(0xffd0a0), std::clamp((y - 140) / 100.0, 0.0, 1.0));
        const Color cloud = shade.mixed(glow, lit);
        out = out.mixed(cloud, std::clamp(d * 1.6, 0.0, 0.92));
    });
}

// Flocks of birds: small dark chevrons in loose skeins.
void birds(Canvas& c) {
    const int period = c.width();
    art::Random random(art::seed_of("mountainbirds"));
    for (const Pt& flock : std::vector<Pt>{{200, 110}, {690, 180}, {1150, 96}}) {
        const int count = random.integer(5, 9);
        for (int i = 0; i < count; ++i) {
            const double x = flock.x + i * random.range(7, 11), y = flock.y + std::abs(i - count / 2) * random.range(3, 5);
            const double span = random.range(2.5, 4), lift = random.range(-1, 1.5);
            worlds::wrap_x(period, [&](double dx) {
                c.polyline({{x + dx - span, y - lift}, {x + dx, y + 1}, {x + dx + span, y - lift}});
                c.stroke(Paint::solid(Color::hex(0x1a1430)), 1.1);
            });
        }
    }
}

// An airliner far off, its contrail catching the last sun.
void liner(Canvas& c) {
    const double x = kLinerX + 120, y = kLinerY + 11;
    c.rect(kLinerX, y - 1.5, 112, 3);
    c.fill(Paint::linear({double(kLinerX), 0}, {x, 0}, {{0, Color::hex(0xf4b8a8).with_alpha(0)},
                                                        {1, Color::hex(0xffe0d0).with_alpha(0.8)}}));
    c.polygon({{x - 8, y - 1.5}, {x + 12, y - 1.5}, {x + 15, y}, {x + 12, y + 1.5}, {x - 8, y + 1.5}});
    c.fill(Paint::solid(Color::hex(0x2a2244)));
    c.polygon({{x - 6, y - 1}, {x - 9, y - 6}, {x - 6, y - 6}, {x - 2, y - 1}});  // tail fin
    c.polygon({{x + 3, y}, {x - 2, y + 5}, {x + 1, y + 5}, {x + 7, y}});        // wing
    c.fill(Paint::solid(Color::hex(0x2a2244)));
    c.rect(x + 11, y - 1, 1, 1);
    c.fill(Paint::solid(Color::hex(0xff4040)));
}

// Two jets climbing away over the range, trails behind them.
void jets(Canvas& c) {
    for (int j = 0; j < 2; ++j) {
        const double x = kJetsX + 62 + j * 16, y = kJetsY + 8 + j * 12;
        c.line({x - 56, y + 16}, {x, y});
        c.stroke(Paint::linear({x - 56, y + 16}, {x, y}, {{0, Color::hex(0xe8b0c0).with_alpha(0)},
                                                          {1, Color::hex(0xfff0e8).with_alpha(0.75)}}),
                 1.6);
        c.save();
        c.translate(x, y);
        c.rotate_deg(-16);
        c.polygon({{0, -1}, {10, 0}, {0, 1.2}, {-2, 0}});
        c.polygon({{2, 0}, {-1, -4}, {1, -4}, {5, 0}});
        c.fill(Paint::solid(Color::hex(0x221c3a)));
        c.restore();
    }
}

void paint_sky_with(Canvas& c, Feature feature) {
    const int period = c.width();
    c.fill_all(Paint::vertical(0, c.height(), {{0, Color::hex(0x120e30)}, {0.35, Color::hex(0x35285e)},
                                               {0.62, Color::hex(0x8a4a78)}, {0.8, Color::hex(0xe08a6a)},
                                               {1, Color::hex(0xf6c08a)}}));
    art::Random random(art::seed_of("mountainstars"));
    for (int i = 0; i < 140; ++i) {
        const double x = random.range(0, period), y = random.range(0, 170);
        const double b = random.range(0.3, 1.0) * (1 - y / 200);
        c.rect(std::floor(x), std::floor(y), 1, 1);
        c.fill(Paint::solid(Color{1, 1, 1, b}));
    }
    if (feature == Feature::Moon) {
        c.circle(kMoonX, kMoonY, 26);
        c.fill(Paint::radial({kMoonX - 7.0, kMoonY - 7.0}, 0, 28,
                             {{0, Color::hex(0xfff6e8)}, {0.8, Color::hex(0xf2d8c8)}, {1, Color::hex(0xd0a8b0)}}));
        c.circle(kMoonX + 8, kMoonY + 6, 5);
        c.fill(Paint::solid(Color::hex(0xe6c8c0)));
        c.circle(kMoonX - 8, kMoonY - 12, 3.5);
        c.fill(Paint::solid(Color::hex(0xe6c8c0)));
    }
    if (feature == Feature::Liner) liner(c);
    clouds(c);
    if (feature == Feature::Jets) jets(c);
    birds(c);
    // The far range: violet peaks, their flanks facing the low sun lit pink.
    const RangeStyle far{.base = 262, .amplitude = 110, .crags = 24, .scale = 0.0055,
                         .body = Color::hex(0x4c3f74), .deep = Color::hex(0x2c2652), .lit = Color::hex(0xe6a2c4),
                         .snow = Color::hex(0xf8dcea), .snow_shade = Color::hex(0x9c88c8), .haze = Color::hex(0xe08a6a),
                         .haze_depth = 70, .strata = 9, .relief = 40};
    mountain_range(c, art::Noise(art::seed_of("mountainfar")), far);
}

void paint_ridge(Canvas& c) {
    const int period = c.width();
    const RangeStyle near{.base = 338, .amplitude = 160, .crags = 34, .scale = 0.0042,
                          .body = Color::hex(0x40374e), .deep = Color::hex(0x1a1624), .lit = Color::hex(0x9a7c96),
                          .snow = Color::hex(0xeeeaf8), .snow_shade = Color::hex(0x8478aa), .haze = Color::hex(0x6a5070),
                          .haze_depth = 0, .strata = 14, .relief = 60};
    mountain_range(c, art::Noise(art::seed_of("mountainridge")), near);
    // Dark pines along the foot of the ridge, a lighter rank behind the first.
    art::Random random(art::seed_of("mountainridgepines"));
    for (int rank = 0; rank < 2; ++rank) {
        const Color fir = rank == 0 ? Color::hex(0x232838) : Color::hex(0x141a1e);
        for (int i = 0; i < 110; ++i) {
            const double x = random.range(0, period), h = random.range(12, 26) * (rank == 0 ? 0.8 : 1.0);
            const double base = (rank == 0 ? 396 : 404) + random.range(-8, 10);
            worlds::wrap_x(period, [&](double dx) {
                c.polygon({{x + dx, base - h}, {x + dx + h * 0.32, base}, {x + dx - h * 0.32, base}});
                c.fill(Paint::solid(fir));
            });
        }
    }
}

}  // namespace

void add_backdrops(worlds::World& world, int length) {
    worlds::Backdrop sky{.prefix = "mountainsky", .period = kSkyPeriod,
                         .paint = [](Canvas& c) { paint_sky_with(c, Feature::None); }};
    sky.once = {.name = "mountainmoon",
                .x = kMoonX - kMoonBox,
                .y = kMoonY - kMoonBox,
                .width = 2 * kMoonBox,
                .height = 2 * kMoonBox,
                .paint = [](Canvas& c) { paint_sky_with(c, Feature::Moon); }};
    worlds::lay_backdrop(world, sky, 3, 0, length);
    // The airliner and the jets: each a piece of the sky laid once, on passes
    // of the picture other than the moon's (a backdrop left unpainted lays
    // only its piece).
    worlds::Backdrop liner_pass;
    liner_pass.prefix = "mountainlinersky";
    liner_pass.period = kSkyPeriod;
    liner_pass.once = {.name = "mountainliner", .x = kLinerX, .y = kLinerY, .width = kLinerW, .height = kLinerH,
                       .repeat = 2, .paint = [](Canvas& c) { paint_sky_with(c, Feature::Liner); }};
    worlds::lay_backdrop(world, liner_pass, 3, 0, length);
    worlds::Backdrop jets_pass;
    jets_pass.prefix = "mountainjetsky";
    jets_pass.period = kSkyPeriod;
    jets_pass.once = {.name = "mountainjets", .x = kJetsX, .y = kJetsY, .width = kJetsW, .height = kJetsH,
                      .repeat = 0, .paint = [](Canvas& c) { paint_sky_with(c, Feature::Jets); }};
    worlds::lay_backdrop(world, jets_pass, 3, 0, length);

    worlds::Backdrop ridge{.prefix = "mountainridge", .period = 1536, .tile_width = 256, .paint = paint_ridge};
    worlds::lay_backdrop(world, ridge, 2, 0, length);
}

}  // namespace mountain
