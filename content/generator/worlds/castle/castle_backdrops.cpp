// The kingdom's backdrops. Layer 3: a moonlit sky of silver-edged clouds
// and bats over misty far mountains, far hills with a keep on one and a walled
// town on another; the great moon and a castle on its crag are each seen once
// in the level. Layer 2: near hills with woods, a village with its chapel, a
// ruined watchtower and a windmill.
#include <algorithm>
#include <cmath>

#include "generator/art/prelude.h"
#include "generator/worlds/castle/castle.h"
#include "generator/worlds/common/backdrop.h"

namespace castle {

namespace {

constexpr int kSkyPeriod = 1280;
const Color kFar = Color::hex(0x142436), kFarLight = Color::hex(0xffc860);

// Hills as a ridge line of smooth periodic noise, darkening downwards.
void hills(Canvas& c, const art::Noise& noise, double base, double amplitude, double scale, const Color& top,
           const Color& bottom) {
    const int period = c.width();
    c.map_pixels([&](int x, int y, Color& out) {
        const double h = worlds::periodic_noise_px(noise, x, 0.5, period, scale, 3);
        const double ridge = base - amplitude * h;
        if (y < ridge) return;
        out = top.mixed(bottom, std::clamp((y - ridge) / 120.0, 0.0, 1.0));
    });
}

// A few lit windows: tiny warm slits.
void windows(Canvas& c, const std::vector<Pt>& at, double w, double h, const Color& light) {
    for (const Pt& p : at) c.rect(p.x, p.y, w, h);
    c.fill(Paint::solid(light));
}

// ---- silhouettes (drawn at scale s around their foot at cx, ground) ----
// A keep: four towers with pointed roofs over a crenellated hall.
void keep(Canvas& c, double cx, double ground, double s, const Color& body, const Color& light) {
    c.rect(cx - 40 * s, ground - 30 * s, 80 * s, 30 * s + 4);
    for (double tx : {-44.0, -14.0, 22.0, 40.0}) {
        const double th = (tx == -14.0 ? 62 : 44) * s;
        c.rect(cx + tx * s, ground - th, 12 * s, th);
        c.polygon({{cx + tx * s - 2 * s, ground - th}, {cx + tx * s + 6 * s, ground - th - 16 * s},
                   {cx + tx * s + 14 * s, ground - th}});
    }
    for (double bx = -40; bx < 40; bx += 8) c.rect(cx + bx * s, ground - 34 * s, 5 * s, 5 * s);
    c.fill(Paint::solid(body));
    windows(c, {{cx - 10 * s, ground - 22 * s}, {cx - 34 * s, ground - 22 * s}, {cx + 26 * s, ground - 22 * s}},
            2.5 * s, 4 * s, light);
}

// A walled town climbing a hill: a ring wall, roofs packed behind it, a
// church with a tall spire and a round tower at one end.
void town(Canvas& c, double cx, double ground, double s, const Color& body, const Color& light) {
    c.rect(cx - 70 * s, ground - 14 * s, 140 * s, 14 * s + 4);
    for (double bx = -70; bx < 70; bx += 7) c.rect(cx + bx * s, ground - 17 * s, 4 * s, 3 * s);
    art::Random r(art::seed_of("castletownroofs"));
    for (double hx = -62; hx < 56; hx += r.range(9, 15)) {
        const double hh = r.range(8, 20) + (40 - std::abs(hx)) * 0.25;
        c.polygon({{cx + hx * s, ground - 14 * s}, {cx + hx * s, ground - (14 + hh) * s},
                   {cx + (hx + 5) * s, ground - (20 + hh) * s}, {cx + (hx + 10) * s, ground - (14 + hh) * s},
                   {cx + (hx + 10) * s, ground - 14 * s}});
    }
    c.rect(cx - 6 * s, ground - 52 * s, 14 * s, 40 * s);                            // nave and tower
    c.polygon({{cx - 7 * s, ground - 52 * s}, {cx + 1 * s, ground - 96 * s}, {cx + 9 * s, ground - 52 * s}});  // spire
    c.rect(cx + 56 * s, ground - 40 * s, 16 * s, 40 * s);
    c.arc(cx + 64 * s, ground - 40 * s, 8 * s, 180, 360);
    c.fill(Paint::solid(body));
    windows(c, {{cx - 40 * s, ground - 9 * s}, {cx - 12 * s, ground - 26 * s}, {cx + 22 * s, ground - 20 * s},
                {cx + 62 * s, ground - 30 * s}, {cx, ground - 40 * s}},
            2 * s, 3 * s, light);
}

// The great castle on its crag, far off: a curtain wall round a tall keep
// with slender towers, banners, and the crag falling away below.
void great_castle(Canvas& c, double cx, double ground, const Color& body, const Color& rim, const Color& light) {
    // The crag.
    const std::vector<Pt> crag = {{cx - 126, ground + 70}, {cx - 108, ground + 40}, {cx - 100, ground + 22},
                                  {cx - 88, ground + 14}, {cx - 80, ground + 2}, {cx - 40, ground + 4},
                                  {cx + 10, ground - 2}, {cx + 64, ground + 4}, {cx + 78, ground + 18},
                                  {cx + 90, ground + 24}, {cx + 104, ground + 46}, {cx + 132, ground + 70}};
    c.polygon(crag);
    c.fill(Paint::solid(body.darker(0.15)));
    // Its moonlit faces and clefts.
    c.polyline({{cx - 108, ground + 40}, {cx - 100, ground + 22}, {cx - 88, ground + 14}, {cx - 80, ground + 2}});
    c.stroke(Paint::solid(rim.darker(0.25)), 1.5);
    for (const auto& [a, b] : std::vector<std::pair<Pt, Pt>>{{{cx - 70, ground + 10}, {cx - 84, ground + 50}},
                                                            {{cx - 20, ground + 8}, {cx - 30, ground + 56}},
                                                            {{cx + 40, ground + 8}, {cx + 52, ground + 50}}}) {
        c.line(a, b);
        c.stroke(Paint::solid(body.darker(0.45)), 1.5);
    }
    // Curtain wall and its towers.
    c.rect(cx - 76, ground - 26, 150, 28);
    for (double bx = -76; bx < 74; bx += 8) c.rect(cx + bx, ground - 30, 5, 4);
    for (const auto& [tx, th, tw] : std::vector<std::tuple<double, double, double>>{
             {-84, 52, 16}, {-40, 44, 12}, {30, 46, 12}, {68, 58, 16}}) {
        c.rect(cx + tx, ground - th, tw, th);
        c.polygon({{cx + tx - 3, ground - th}, {cx + tx + tw / 2, ground - th - tw * 1.6}, {cx + tx + tw + 3, ground - th}});
    }
    // The keep and its tall towers.
    c.rect(cx - 24, ground - 86, 52, 62);
    for (double bx = -24; bx < 28; bx += 7) c.rect(cx + bx, ground - 90, 4, 4);
    c.rect(cx - 34, ground - 118, 12, 92);
    c.polygon({{cx - 37, ground - 118}, {cx - 28, ground - 150}, {cx - 19, ground - 118}});
    c.rect(cx + 22, ground - 128, 14, 102);
    c.polygon({{cx + 19, ground - 128}, {cx + 29, ground - 166}, {cx + 39, ground - 128}});
    c.rect(cx - 4, ground - 108, 10, 22);
    c.polygon({{cx - 7, ground - 108}, {cx + 1, ground - 132}, {cx + 9, ground - 108}});
    c.fill(Paint::solid(body));
    // Moonlight on the left edges of the towers.
    for (const auto& [x, top, h] : std::vector<std::tuple<double, double, double>>{
             {cx - 34, ground - 118, 92}, {cx + 22, ground - 128, 102}, {cx - 24, ground - 86, 60}, {cx - 84, ground - 52, 26}}) {
        c.rect(x, top, 1.5, h);
        c.fill(Paint::solid(rim));
    }
    // Banners on the spires.
    for (const Pt& tip : std::vector<Pt>{{cx - 28, ground - 150}, {cx + 29, ground - 166}}) {
        c.line(tip, {tip.x, tip.y - 10});
        c.stroke(Paint::solid(body), 1.0);
        c.polygon({{tip.x, tip.y - 10}, {tip.x + 9, tip.y - 8}, {tip.x, tip.y - 6}});
        c.fill(Paint::solid(Color::hex(0x8a2a3a)));
    }
    windows(c, {{cx - 30, ground - 100}, {cx + 27, ground - 110}, {cx + 27, ground - 80}, {cx - 10, ground - 70},
                {cx + 8, ground - 70}, {cx - 10, ground - 50}, {cx + 8, ground - 50}, {cx - 80, ground - 36},
                {cx + 72, ground - 40}, {cx + 1, ground - 100}},
            2.5, 4, light);
}

// A ruined watchtower, its top broken off, a tree growing by it.
void ruin(Canvas& c, double cx, double ground, const Color& body, const Color& light) {
    c.polygon({{cx - 14, ground + 4}, {cx - 12, ground - 70}, {cx - 6, ground - 78}, {cx - 2, ground - 70},
               {cx + 4, ground - 82}, {cx + 8, ground - 64}, {cx + 13, ground - 60}, {cx + 15, ground + 4}});
    c.rect(cx - 30, ground - 18, 18, 22);
    c.polygon({{cx - 30, ground - 18}, {cx - 26, ground - 24}, {cx - 20, ground - 20}, {cx - 12, ground - 26},
               {cx - 12, ground - 18}});
    c.circle(cx + 26, ground - 24, 12);
    c.circle(cx + 34, ground - 18, 9);
    c.rect(cx + 25, ground - 14, 3, 18);
    c.fill(Paint::solid(body));
    windows(c, {{cx - 1, ground - 48}}, 3, 5, light);
}

// A windmill on a knoll, its sails turned to an X.
void windmill(Canvas& c, double cx, double ground, const Color& body, const Color& light) {
    c.polygon({{cx - 12, ground + 4}, {cx - 8, ground - 46}, {cx + 8, ground - 46}, {cx + 12, ground + 4}});
    c.polygon({{cx - 10, ground - 46}, {cx, ground - 58}, {cx + 10, ground - 46}});
    c.fill(Paint::solid(body));
    for (double a : {40.0, 130.0, 220.0, 310.0}) {
        const double rad = a * kPi / 180;
        const Pt hub{cx, ground - 48};
        const Pt tip{hub.x + std::cos(rad) * 34, hub.y + std::sin(rad) * 34};
        const Pt side{std::cos(rad + kPi / 2) * 5, std::sin(rad + kPi / 2) * 5};
        c.line(hub, tip);
        c.stroke(Paint::solid(body), 2.0);
        c.polygon({{hub.x + (tip.x - hub.x) * 0.3, hub.y + (tip.y - hub.y) * 0.3},
                   {tip.x, tip.y}, {tip.x + side.x, tip.y + side.y},
                   {hub.x + (tip.x - hub.x) * 0.3 + side.x, hub.y + (tip.y - hub.y) * 0.3 + side.y}});
        c.fill(Paint::solid(body.lighter(0.06)));
    }
    windows(c, {{cx - 1.5, ground - 26}, {cx - 1.5, ground - 12}}, 3, 4, light);
}

// A village of cottages round a chapel.
void village(Canvas& c, double cx, double ground, const Color& body, const Color& light) {
    art::Random r(art::seed_of("castlevillage"));
    std::vector<Pt> lit;
    for (double hx = -70; hx < 70; hx += r.range(18, 28)) {
        const double w = r.range(14, 22), h = r.range(8, 13), roof = r.range(8, 12);
        const double x = cx + hx, g = ground + r.range(-3, 3);
        c.rect(x, g - h, w, h + 4);
        c.polygon({{x - 2, g - h}, {x + w / 2, g - h - roof}, {x + w + 2, g - h}});
        if (r.chance(0.7)) lit.push_back({x + w * 0.3, g - h * 0.6});
        if (r.chance(0.3)) c.rect(x + w * 0.7, g - h - roof * 0.8, 3, roof * 0.6);  // chimney
    }
    // The chapel with its bell tower.
    c.rect(cx + 4, ground - 22, 30, 26);
    c.polygon({{cx + 2, ground - 22}, {cx + 19, ground - 36}, {cx + 36, ground - 22}});
    c.rect(cx - 6, ground - 44, 10, 48);
    c.polygon({{cx - 8, ground - 44}, {cx - 1, ground - 64}, {cx + 6, ground - 44}});
    c.fill(Paint::solid(body));
    lit.push_back({cx + 15, ground - 14});
    windows(c, lit, 3, 3, light);
}

// ---- the sky ----
enum class Feature { None, Moon, GreatCastle };

constexpr double kMoonX = 380, kMoonY = 110, kHalo = 90;
constexpr int kCastleX = 700, kCastleGround = 250;  // the great castle's foot in the sky picture
constexpr int kCastleBoxX = kCastleX - 130, kCastleBoxY = kCastleGround - 180, kCastleBoxW = 270, kCastleBoxH = 250;

// Moonlit clouds: dark slate bodies with silver upper edges, in two drifting
// banks and some loose puffs.
void clouds(Canvas& c) {
    const int period = c.width();
    const art::Noise noise(art::seed_of("castleclouds"));
    const auto density = [&](double x, double y) {
        const double bank = std::max({std::exp(-std::pow((y - 70 - 20 * std::sin(x * 2 * kPi / period * 2)) / 30.0, 2)),
                                      0.9 * std::exp(-std::pow((y - 165 - 25 * std::sin(x * 2 * kPi / period + 2)) / 26.0, 2))});
        const double n = worlds::periodic_noise_px(noise, x, y * 0.03, period, 0.009, 5);
        return std::clamp((n - 0.47) * 3.4 * bank, 0.0, 1.0);
    };
    c.map_pixels([&](int x, int y, Color& out) {
        if (y > 240) return;
        const double d = density(x, y);
        if (d <= 0.02) return;
        // Lit from above by the moon: thinner cloud above means a silver rim.
        const double above = density(x - 1, y - 3);
        const double rim = std::clamp((d - above) * 3.5, 0.0, 1.0);
        const Color body = Color::hex(0x1a2840).mixed(Color::hex(0x2c3e5a), std::clamp(d, 0.0, 1.0));
        const Color cloud = body.mixed(Color::hex(0xa8bcd8), rim * 0.8);
        out = out.mixed(cloud, std::clamp(d * 1.8, 0.0, 0.95));
    });
}

void bat(Canvas& c, double x, double y, double s, double flap, const Color& colour) {
    c.polygon({{x, y}, {x - 2 * s, y - (1 + flap) * s}, {x - 4 * s, y - (0.4 + flap * 1.4) * s}, {x - 3 * s, y + 0.3 * s},
               {x - 1.5 * s, y + 0.2 * s}, {x, y + 0.9 * s}, {x + 1.5 * s, y + 0.2 * s}, {x + 3 * s, y + 0.3 * s},
               {x + 4 * s, y - (0.4 + flap * 1.4) * s}, {x + 2 * s, y - (1 + flap) * s}});
    c.fill(Paint::solid(colour));
}

void bats(Canvas& c, const std::vector<Pt>& flocks, uint64_t seed) {
    const int period = c.width();
    art::Random r(seed);
    for (const Pt& f : flocks) {
        const int count = r.integer(4, 8);
        for (int i = 0; i < count; ++i) {
            const double x = f.x + r.range(-30, 30), y = f.y + r.range(-14, 14), s = r.range(1.1, 1.8);
            const double flap = r.range(-0.6, 0.8);
            worlds::wrap_x(period, [&](double dx) { bat(c, x + dx, y, s, flap, Color::hex(0x080a14)); });
        }
    }
}

// Misty mountains far behind the hills: peaks whose faces toward the moon
// (upper left) catch its light, snow on the highest, mist at their feet.
void far_mountains(Canvas& c) {
    const int period = c.width();
    const art::Noise noise(art::seed_of("castlefarmountains"));
    std::vector<double> ridge(static_cast<size_t>(period));
    for (int x = 0; x < period; ++x) {
        const double h = worlds::periodic_noise_px(noise, x, 0.7, period, 0.006, 4);
        const double crag = worlds::periodic_noise_px(noise, x, 3.3, period, 0.03, 2);
        ridge[size_t(x)] = 300 - 150 * h * h * 1.5 - 16 * crag;
    }
    const auto at = [&](int x) { return ridge[size_t(((x % period) + period) % period)]; };
    const double top = *std::min_element(ridge.begin(), ridge.end());
    c.map_pixels([&](int x, int y, Color& out) {
        const double r = at(x);
        if (y < r) return;
        const double depth = y - r;
        const double slope = std::clamp((at(x - 3) - at(x + 3)) / 6.0, -1.5, 1.5);
        const double grain = worlds::periodic_noise_px(noise, x, 20 + y * 0.05, period, 0.05, 3);
        const double light = std::clamp(0.45 + slope * 0.5 + (grain - 0.5) * 0.4, 0.0, 1.0) * std::exp(-depth / 45);
        Color m = Color::hex(0x1a2a40).mixed(Color::hex(0x3c5474), light);
        const double altitude = (300 - y) / (300 - top + 1);
        if (altitude > 0.62 + (grain - 0.5) * 0.3 && depth < 26) m = Color::hex(0x6a80a0).mixed(Color::hex(0xb8c8e0), light);
        out = m.mixed(Color::hex(0x2e4a60), std::clamp((y - 230) / 90.0, 0.0, 0.7));
    });
}

void paint_sky_with(Canvas& c, Feature feature) {
    const Look& k = look();
    c.fill_all(Paint::vertical(0, c.height(), {{0, Color::hex(0x060a1c)}, {0.5, Color::hex(0x142a4a)},
                                               {0.85, Color::hex(0x2e5468)}, {1, Color::hex(0x46706e)}}));
    art::Random random(art::seed_of("castlestars"));
    for (int i = 0; i < 160; ++i) {
        c.rect(std::floor(random.range(0, c.width())), std::floor(random.range(0, 220)), 1, 1);
        c.fill(Paint::solid(Color{1, 1, 0.9, random.range(0.25, 0.9)}));
    }
    if (feature == Feature::Moon) {
        c.circle(kMoonX, kMoonY, kHalo);
        c.fill(Paint::radial({kMoonX, kMoonY}, 40, kHalo, {{0, k.moon.with_alpha(0.25)}, {1, k.moon.with_alpha(0)}}));
        c.circle(kMoonX, kMoonY, 46);
        c.fill(Paint::radial({kMoonX - 12, kMoonY - 12}, 0, 48,
                             {{0, Color::hex(0xfffaf0)}, {0.75, k.moon}, {1, Color::hex(0xd8c8a8)}}));
        for (const Pt& m : std::vector<Pt>{{-14, -14}, {14, 14}, {-8, 16}, {18, -18}}) {
            c.circle(kMoonX + m.x, kMoonY + m.y, 5 + std::fmod(kMoonX + m.x, 4));
            c.fill(Paint::solid(Color::hex(0xe0d0b0).with_alpha(0.7)));
        }
    }
    clouds(c);
    if (feature == Feature::Moon) {
        // Bats across the moon's face (its very middle left clear).
        art::Random r(art::seed_of("castlemoonbats"));
        for (const Pt& at : std::vector<Pt>{{-34, -18}, {-18, 22}, {20, -26}, {32, 8}, {2, 34}})
            bat(c, kMoonX + at.x, kMoonY + at.y, r.range(1.6, 2.4), r.range(-0.6, 0.8), Color::hex(0x0a0a12));
    }
    bats(c, {{120, 60}, {880, 120}, {1130, 40}}, art::seed_of("castlebats"));
    far_mountains(c);
    if (feature == Feature::GreatCastle)
        great_castle(c, kCastleX, kCastleGround, Color::hex(0x18283c), Color::hex(0x5a7090), kFarLight);
    hills(c, art::Noise(art::seed_of("castlefarhills")), 330, 90, 0.005, Color::hex(0x1c3042), Color::hex(0x142030));
    keep(c, 180, 290, 0.9, kFar, kFarLight);
    town(c, 1000, 304, 0.8, kFar, kFarLight);
}

void paint_near(Canvas& c) {
    const art::Noise noise(art::seed_of("castlenearhills"));
    hills(c, noise, 372, 110, 0.0045, Color::hex(0x1a3a2c), Color::hex(0x0c1c16));
    const int period = c.width();
    const auto ground = [&](double x) { return 372 - 110 * worlds::periodic_noise_px(noise, x, 0.5, period, 0.0045, 3); };
    const Color body = Color::hex(0x0e1a1c), light = Color::hex(0xffd070);
    // Buildings first, so the woods grow round their feet.
    village(c, 260, ground(260) + 6, body, light);
    ruin(c, 800, ground(800) + 4, body, light);
    windmill(c, 1240, ground(1240) + 4, body, light);
    // Woods along the hills: round crowns, a shade darker.
    art::Random random(art::seed_of("castlewoods"));
    for (int i = 0; i < 160; ++i) {
        const double x = random.range(0, period);
        const double r = random.range(7, 14);
        const double foot = ground(x) + random.range(4, 30);
        // Keep the buildings' fronts clear.
        if (std::abs(x - 260) < 80 || std::abs(x - 800) < 34 || std::abs(x - 1240) < 22) continue;
        worlds::wrap_x(period, [&](double dx) {
            c.circle(x + dx, foot - r, r);
            c.fill(Paint::solid(Color::hex(0x10281e)));
            c.circle(x + dx - r * 0.3, foot - r * 1.3, r * 0.5);
            c.fill(Paint::solid(Color::hex(0x1e4230)));
        });
    }
}

}  // namespace

void add_backdrops(worlds::World& world, int length) {
    worlds::Backdrop sky{.prefix = "castlesky", .period = kSkyPeriod,
                         .paint = [](Canvas& c) { paint_sky_with(c, Feature::None); }};
    sky.once = {.name = "castlemoon",
                .x = int(kMoonX - kHalo),
                .y = int(kMoonY - kHalo),
                .width = int(2 * kHalo),
                .height = int(2 * kHalo),
                .paint = [](Canvas& c) { paint_sky_with(c, Feature::Moon); }};
    worlds::lay_backdrop(world, sky, 3, 0, length);
    // The great castle: a piece of the sky laid once, on a pass of the picture
    // after the moon's (a backdrop left unpainted lays only its piece).
    worlds::Backdrop castle_pass;
    castle_pass.prefix = "castlegreatsky";
    castle_pass.period = kSkyPeriod;
    castle_pass.once = {.name = "castlegreat", .x = kCastleBoxX, .y = kCastleBoxY, .width = kCastleBoxW,
                        .height = kCastleBoxH, .repeat = 2,
                        .paint = [](Canvas& c) { paint_sky_with(c, Feature::GreatCastle); }};
    worlds::lay_backdrop(world, castle_pass, 3, 0, length);
    worlds::Backdrop near{.prefix = "castlehills", .period = 1536, .tile_width = 256, .paint = paint_near};
    worlds::lay_backdrop(world, near, 2, 0, length);
}

}  // namespace castle
