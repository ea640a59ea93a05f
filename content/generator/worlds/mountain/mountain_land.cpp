// The mountain range: granite floor with snow on its gentle slopes and
// stones strewn on it, overhanging crags in two passes, a dusk sky with a far range
// (layer 3) and a nearer snowy ridge (layer 2); and the level's timeline.
#include <algorithm>
#include <cmath>

#include "generator/art/prelude.h"
#include "generator/worlds/common/backdrop.h"
#include "generator/worlds/mountain/mountain.h"

namespace mountain {

using worlds::Terrain;

namespace {

constexpr int kLength = 14200;      // level x covered by terrain and backdrops
constexpr int kBossX = 12400;       // arrives (x < 350) after about 180 s
constexpr int kExitX = 12800;       // off screen while the boss holds the view
constexpr int kStoneClear = 8;      // rows above the floor kept for stones

// ---- backdrops ----
struct RangeStyle {
    double base = 300, amplitude = 100, crags = 20, scale = 0.005;
    Color body, deep, lit, snow, snow_shade, haze;
    double haze_depth = 0;  // rows over which the foot fades into the haze; 0 for none
};

// A mountain range across a periodic picture: a ridge line of broad swells and
// crags, flanks lit by their slope (the light comes from the left), snow
// gathering on the high ground, shadowed gullies.
void mountain_range(Canvas& c, const art::Noise& noise, const RangeStyle& st) {
    const int period = c.width();
    const auto height = [&](double x) {
        const double h = worlds::periodic_noise_px(noise, x, 0.3, period, st.scale);
        const double crag = worlds::periodic_noise_px(noise, x, 5.1, period, st.scale * 5);
        return st.base - st.amplitude * h * h * 1.6 - st.crags * crag;
    };
    std::vector<double> ridge(size_t(period) + 2);
    for (int x = 0; x < period; ++x) ridge[size_t(x)] = height(x);
    const auto at = [&](int x) { return ridge[size_t(((x % period) + period) % period)]; };
    const double top = *std::min_element(ridge.begin(), ridge.begin() + period);
    c.map_pixels([&](int x, int y, Color& out) {
        const double r = at(x);
        if (y < r) return;
        const double depth = y - r;
        // Slope under the light: positive where the ground rises to the right.
        const double slope = std::clamp((at(x - 4) - at(x + 4)) / 8.0, -1.5, 1.5);
        const double gully = noise.fractal(x * 0.04, y * 0.02, 3);
        double light = std::clamp(0.5 - slope * 0.45 + (gully - 0.5) * 0.5, 0.0, 1.0);
        light *= std::max(0.0, 1 - depth / 140);
        Color rock = st.deep.mixed(st.body, std::min(1.0, 0.4 + light)).mixed(st.lit, std::max(0.0, light - 0.45) * 1.2);
        // Snow: deeper on the high ground, broken by gullies.
        const double altitude = std::clamp((st.base - r) / (st.base - top + 1), 0.0, 1.0);
        const double snow_depth = 40 * altitude * altitude + 6;
        if (depth < snow_depth * (0.5 + gully)) rock = st.snow_shade.mixed(st.snow, light);
        if (st.haze_depth > 0) rock = rock.mixed(st.haze, std::clamp((y - st.base) / st.haze_depth, 0.0, 0.6));
        out = rock;
    });
}

// The moon's place in the sky picture: shown once in the level, laid over
// the sky as its own piece (see worlds::Once).
constexpr int kMoonX = 900, kMoonY = 120, kMoonBox = 40;

void paint_sky_with(Canvas& c, bool moon) {
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
    // A pale moon low over the range.
    if (moon) {
        c.circle(kMoonX, kMoonY, 26);
        c.fill(Paint::radial({kMoonX - 7.0, kMoonY - 7.0}, 0, 28,
                             {{0, Color::hex(0xfff6e8)}, {0.8, Color::hex(0xf2d8c8)}, {1, Color::hex(0xd0a8b0)}}));
        c.circle(kMoonX + 8, kMoonY + 6, 5);
        c.fill(Paint::solid(Color::hex(0xe6c8c0)));
        c.circle(kMoonX - 8, kMoonY - 12, 3.5);
        c.fill(Paint::solid(Color::hex(0xe6c8c0)));
    }
    // The far range: violet peaks, their flanks facing the low sun lit pink.
    RangeStyle far;
    far.base = 262;
    far.amplitude = 110;
    far.crags = 24;
    far.scale = 0.0055;
    far.body = Color::hex(0x463a6e);
    far.deep = Color::hex(0x2c2652);
    far.lit = Color::hex(0xe6a2c4);
    far.snow = Color::hex(0xf4d2e2);
    far.snow_shade = Color::hex(0x9c88c8);
    far.haze = Color::hex(0xe08a6a);
    far.haze_depth = 70;
    mountain_range(c, art::Noise(art::seed_of("mountainfar")), far);
}

void paint_sky(Canvas& c) { paint_sky_with(c, false); }

void paint_ridge(Canvas& c) {
    const int period = c.width();
    RangeStyle near;
    near.base = 338;
    near.amplitude = 160;
    near.crags = 34;
    near.scale = 0.0042;
    near.body = Color::hex(0x3a3248);
    near.deep = Color::hex(0x1a1624);
    near.lit = Color::hex(0x8a6e8a);
    near.snow = Color::hex(0xe8e4f6);
    near.snow_shade = Color::hex(0x8478aa);
    near.haze = Color::hex(0x6a5070);
    near.haze_depth = 0;
    mountain_range(c, art::Noise(art::seed_of("mountainridge")), near);
    // Dark pines along the foot of the ridge.
    art::Random random(art::seed_of("mountainridgepines"));
    for (int i = 0; i < 110; ++i) {
        const double x = random.range(0, period), h = random.range(12, 26);
        const double base = 404 + random.range(-8, 10);
        worlds::wrap_x(period, [&](double dx) {
            c.polygon({{x + dx, base - h}, {x + dx + h * 0.32, base}, {x + dx - h * 0.32, base}});
            c.fill(Paint::solid(Color::hex(0x141a1e)));
        });
    }
}

// ---- terrain ----
struct Ground {
    Terrain floor{Terrain::Kind::Floor, kLength, art::seed_of("mountainfloor")};
    Terrain roof{Terrain::Kind::Roof, kLength, art::seed_of("mountainroof")};
};

void shape(Ground& g) {
    g.floor.keys({{0, 372, 6},     {700, 368, 10},   {1100, 330, 14},  {1400, 262, 18},  {1700, 340, 8},
                  {2000, 372, 0},  {2500, 372, 0},   {2750, 300, 16},  {2980, 238, 20},  {3250, 320, 10},
                  {3500, 362, 0},  {3950, 362, 0},   {4250, 384, 6},   {4650, 318, 12},  {4950, 290, 14},
                  {5250, 344, 10}, {5500, 352, 0},   {6050, 352, 0},   {6350, 270, 18},  {6560, 236, 22},
                  {6850, 330, 10}, {7100, 366, 0},   {7650, 366, 0},   {7950, 300, 14},  {8300, 262, 18},
                  {8600, 334, 8},  {8900, 360, 0},   {9550, 360, 0},   {9850, 292, 16},  {10100, 250, 20},
                  {10400, 340, 10}, {10700, 370, 0}, {11250, 370, 0},  {11600, 388, 4},  {14200, 388, 4}});
    // Two overhangs: the pass narrows under hanging crags.
    g.roof.keys({{0, -30, 0},    {4350, -30, 0},   {4550, 70, 14},   {4900, 96, 18},   {5150, 60, 12},
                 {5350, -30, 0}, {8000, -30, 0},   {8200, 84, 16},   {8500, 110, 20},  {8750, 70, 12},
                 {8950, -30, 0}, {14200, -30, 0}});
}

Color granite(const Terrain& t, const art::Noise& noise, const worlds::GroundPixel& p) {
    const Look& k = look();
    const double n = noise.fractal(p.x * 0.06, p.y * 0.06, 4);
    const double strata = 0.5 + 0.5 * std::sin((p.y + p.x * 0.25) * 0.35 + n * 6);
    double tone = 0.25 + 0.5 * std::exp(-p.depth / 18.0) + (n - 0.5) * 0.6 + (strata - 0.5) * 0.12;
    Color rock = k.rock.at(std::clamp(tone, 0.0, 1.0));
    // Patches of warmer, iron-stained stone.
    const double stain = noise.fractal(p.x * 0.008 + 40, p.y * 0.012, 3);
    rock = rock.mixed(Color::hex(0x6e5648).scaled(0.6 + tone * 0.6), std::clamp((stain - 0.5) * 1.6, 0.0, 0.45));
    // Snow where the slope is gentle enough to hold it.
    const double slope = std::abs(t.surface(p.x + 3) - t.surface(p.x - 3)) / 6.0;
    const double depth_of_snow = (t.kind() == Terrain::Kind::Floor ? 7.0 : 3.0) * std::max(0.0, 1 - slope * 1.6);
    if (p.depth < depth_of_snow + 2 * n) rock = k.snow.at(0.95 - p.depth / 12 - (n - 0.5) * 0.4);
    return rock;
}

// Snowy stones on the ground: low enough for the walkers to step over (a
// walker climbs whatever it stands in, so anything taller would be climbed).
void stones(Canvas& c, int origin_x, int, const std::function<int(int)>& surface) {
    const Look& k = look();
    art::Random random(art::seed_of("mountainstones") ^ uint64_t(origin_x));
    for (double x = random.range(10, 60); x < c.width() - 8; x += random.range(30, 90)) {
        const int base = surface(int(x));
        const double w = random.range(3, 7), h = random.range(2, 4.5);
        c.ellipse(x, base + 0.5, w, h);
        c.shade(k.rock, k.outline, 0.8, 120);
        c.ellipse(x - w * 0.2, base - h * 0.45, w * 0.7, h * 0.4);
        c.fill(Paint::solid(k.snow.light));
    }
}

worlds::TerrainLook ground_look(const Terrain& t, const art::Noise& noise, bool dressed) {
    worlds::TerrainLook l;
    l.material = [&t, &noise](const worlds::GroundPixel& p) { return granite(t, noise, p); };
    l.rock = look().rock;
    l.outline = look().outline;
    l.rim = Color{1, 1, 1, 0};
    l.margin = dressed ? kStoneClear : 6;
    if (dressed) l.dressing = stones;
    return l;
}

// ---- the timeline ----
// A ground unit's y: its lowest row just above the floor and the stones on
// it, across its width (it drops onto them on its first move).
int on_floor(const Ground& g, int x, int width, int foot) { return g.floor.surface_over(x, x + width) - foot - 7; }

void place_level(worlds::World& world, const Ground& g) {
    worlds::LevelScript& level = world.level();
    level.place(110, 110, 0, "entranceportal");

    const auto heli = [&](int x, int y) { level.place(x, y, 0, "mountaincamohelicopter"); };
    // Feet span x + 19 .. x + 49 on a walker, the skirt x - 2 .. x + 78 on a tank.
    const auto walker = [&](int x) { level.place(x, on_floor(g, x + 19, 30, 61), 0, "landwalker"); };
    const auto tank = [&](int x) { level.place(x, on_floor(g, x - 2, 80, 33), 0, "hovertank"); };

    // Scouts, then the first patrols on the foothills.
    heli(900, 120);
    heli(1350, 70);
    heli(1420, 170);
    heli(1700, 230);
    heli(1760, 280);
    tank(1950);
    walker(2150);
    walker(2330);
    heli(2600, 60);
    heli(2680, 130);
    heli(2760, 100);
    heli(2950, 40);
    heli(3010, 100);
    heli(3150, 130);
    heli(3300, 180);
    heli(3360, 230);
    // The first armour on the pad below the high peak.
    tank(3600);
    tank(3820);
    heli(3700, 80);
    heli(4100, 150);
    walker(4200);
    // Under the first overhang.
    heli(4700, 180);
    heli(4780, 230);
    walker(5000);
    heli(5300, 150);
    tank(5600);
    walker(5800);
    tank(5950);
    heli(5700, 70);
    heli(5760, 130);
    heli(6150, 60);
    heli(6220, 200);
    heli(6380, 140);
    // Squadron over the next peak.
    for (int i = 0; i < 4; ++i) heli(6600 + 70 * i, 50 + 40 * i);
    tank(7200);
    tank(7400);
    tank(7600);
    walker(7300);
    heli(7450, 90);
    // The second pass.
    heli(8150, 200);
    heli(8450, 230);
    heli(8800, 170);
    walker(8950);
    tank(9040);
    walker(9150);
    tank(9300);
    walker(9450);
    heli(9100, 60);
    heli(9160, 120);
    heli(9400, 90);
    heli(9650, 150);
    heli(9720, 210);
    heli(9800, 130);
    heli(10000, 80);
    // Last stand before the crags.
    for (int i = 0; i < 5; ++i) heli(10200 + 60 * i, 40 + 30 * i);
    tank(10800);
    walker(10900);
    tank(11000);
    walker(11100);
    tank(11200);
    heli(11300, 80);
    heli(11380, 150);
    // The crags' pickets.
    walker(11600);
    heli(11700, 60);
    heli(11760, 120);
    tank(11900);
    heli(12050, 200);
    heli(12110, 250);
    walker(12200);
    // A star cache before the crags: bursting stars light the eyes wherever
    // the crags wander.
    for (const auto& [x, y] : std::vector<std::pair<int, int>>{{11500, 200}, {11800, 120}, {12000, 260}, {12250, 160}})
        level.place(x, y, 0, "starpowerup");

    level.place(kBossX, 70, 0, "mountainboss");
    level.place(kExitX, 120, 0, "exitportal");
}

}  // namespace

void add_land_and_level(worlds::World& world) {
    worlds::Backdrop sky{.prefix = "mountainsky", .paint = paint_sky};
    sky.once = {.name = "mountainmoon",
                .x = kMoonX - kMoonBox,
                .y = kMoonY - kMoonBox,
                .width = 2 * kMoonBox,
                .height = 2 * kMoonBox,
                .paint = [](Canvas& c) { paint_sky_with(c, true); }};
    worlds::lay_backdrop(world, sky, 3, 0, kLength);
    worlds::Backdrop ridge{.prefix = "mountainridge", .period = 1536, .tile_width = 256, .paint = paint_ridge};
    worlds::lay_backdrop(world, ridge, 2, 0, kLength);

    Ground ground;
    shape(ground);
    const art::Noise noise(art::seed_of("mountaingranite"));
    ground.floor.lay(world, "mountainfloor", ground_look(ground.floor, noise, true));
    ground.roof.lay(world, "mountainroof", ground_look(ground.roof, noise, false));
    place_level(world, ground);
}

}  // namespace mountain
