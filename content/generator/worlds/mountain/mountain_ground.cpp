// The mountain's ground: granite in beds under a crust of snow, lichen on
// the upper slope, and on the face of the slope groves of pines, boulders and
// the army's bunkers dug in. Everything on the face is painted inside the
// solid ground (below its outline), so the ground's outline, and with it
// everything that stands on it or flies into it, stays the terrain's own.
// Snowy stones lie on top, low enough for the walkers to step over.
#include <algorithm>
#include <cmath>

#include "generator/art/prelude.h"
#include "generator/worlds/mountain/mountain.h"

namespace mountain {

using worlds::Terrain;

namespace {

constexpr int kStoneClear = 8;  // rows above the floor kept for stones

Color granite(const Terrain& t, const art::Noise& noise, const worlds::GroundPixel& p) {
    const Look& k = look();
    const double n = noise.fractal(p.x * 0.06, p.y * 0.06, 4);
    // Beds that follow the slope down into the hill, a few rows each.
    const double bed = 0.5 + 0.5 * std::sin(p.depth * 0.32 + p.x * 0.02 + n * 9);
    double tone = 0.22 + 0.5 * std::exp(-p.depth / 22.0) + (n - 0.5) * 0.55 + (bed - 0.5) * 0.1;
    Color rock = k.rock.at(std::clamp(tone, 0.0, 1.0));
    // Colder blue-grey beds and warmer iron-stained ones.
    const double hue = noise.fractal(p.x * 0.006 + 40, p.depth * 0.03, 3);
    rock = rock.mixed(Color::hex(0x6e5648).scaled(0.6 + tone * 0.6), std::clamp((hue - 0.55) * 1.8, 0.0, 0.45));
    rock = rock.mixed(Color::hex(0x404a66).scaled(0.5 + tone * 0.7), std::clamp((0.45 - hue) * 1.8, 0.0, 0.4));
    // Lichen and dry grass on the upper slope, where snow has blown away.
    const double lichen = noise.fractal(p.x * 0.05 + 90, p.y * 0.09, 3);
    if (p.depth > 6 && p.depth < 34 && lichen > 0.58)
        rock = rock.mixed(Color::hex(0x8a8a4a).scaled(0.55 + tone * 0.5), std::min(0.6, (lichen - 0.58) * 4));
    // Snow where the slope is gentle enough to hold it.
    const double slope = std::abs(t.surface(p.x + 3) - t.surface(p.x - 3)) / 6.0;
    const double depth_of_snow = (t.kind() == Terrain::Kind::Floor ? 7.0 : 3.0) * std::max(0.0, 1 - slope * 1.6);
    if (p.depth < depth_of_snow + 2 * n) rock = k.snow.at(0.95 - p.depth / 12 - (n - 0.5) * 0.4);
    // The lower ground falls into the dusk.
    return rock.mixed(Color::hex(0x161222), std::clamp((p.depth - 70) / 160.0, 0.0, 0.45));
}

// ---- on the face ----
enum class Kind { Pine, Boulder, Bunker };

struct Feature {
    Kind kind;
    double x;      // level x of its middle
    double depth;  // rows below the surface of its foot
    double size;
};

// The face's features for the whole floor, chosen once from the level's
// start so a feature crossing a tile's edge goes on in the next tile.
std::vector<Feature> plan(const Terrain& t) {
    std::vector<Feature> out;
    art::Random r(art::seed_of("mountainface"));
    for (double x = r.range(100, 300); x < t.length(); x += r.range(180, 420)) {
        // A grove: pines down the slope, the nearer (lower) ones larger.
        const int trees = r.integer(4, 12);
        const double spread = trees * r.range(8, 13);
        for (int i = 0; i < trees; ++i) {
            const double depth = r.range(10, 64);
            out.push_back({Kind::Pine, x + r.range(0, spread), depth, 12 + depth * 0.25 + r.range(0, 8)});
        }
        // Boulders between the groves.
        const int stones = r.integer(1, 4);
        for (int i = 0; i < stones; ++i) {
            const double depth = r.range(6, 60);
            out.push_back({Kind::Boulder, x + spread + r.range(30, 160), depth, 4 + depth * 0.08 + r.range(0, 5)});
        }
    }
    // Bunkers dug into the slope where the army holds the pass.
    for (const double x : {2250.0, 3725.0, 5780.0, 7380.0, 9230.0, 10980.0})
        out.push_back({Kind::Bunker, x, 0, 1});
    // Deeper features first, so the nearer (higher) ones overlap them.
    std::stable_sort(out.begin(), out.end(), [](const Feature& a, const Feature& b) { return a.depth > b.depth; });
    return out;
}

void pine(Canvas& c, double x, double foot, double h) {
    const Look& k = look();
    const Color body = Color::hex(0x18282a), lit = Color::hex(0x2e4a40), snow = k.snow.mid;
    c.rect(x - 1, foot - h * 0.25, 2, h * 0.25 + 1);
    c.fill(Paint::solid(Color::hex(0x2a1c18)));
    // Three tiers, each a triangle with a lit left flank and snow on its rim.
    for (int tier = 0; tier < 3; ++tier) {
        const double top = foot - h + tier * h * 0.26, bottom = foot - h * 0.18 - (2 - tier) * h * 0.2;
        const double half = h * (0.2 + tier * 0.1);
        c.polygon({{x, top}, {x + half, bottom}, {x - half, bottom}});
        c.fill_outlined(Paint::solid(body), k.outline, 0.8);
        c.polygon({{x, top + 1}, {x - half * 0.3, bottom - 1}, {x - half + 1.5, bottom - 0.5}});
        c.fill(Paint::solid(lit));
        c.line({x - half + 1, bottom - 0.5}, {x + half * 0.4, bottom - 0.8});
        c.stroke(Paint::solid(snow), 1.0);
    }
}

void boulder(Canvas& c, double x, double foot, double r) {
    const Look& k = look();
    c.ellipse(x, foot - r * 0.6, r * 1.2, r * 0.8);
    c.shade(Ramp{k.rock.dark, k.rock.mid.darker(0.1), k.rock.light.darker(0.15)}, k.outline, 0.9, 125);
    c.ellipse(x - r * 0.3, foot - r * 1.15, r * 0.7, r * 0.28);
    c.fill(Paint::solid(k.snow.light.darker(0.05)));
}

// A concrete pillbox with a firing slit, a camouflage net and a snow roof.
void bunker(Canvas& c, double x, double top) {
    const Look& k = look();
    const double w = 40, h = 16;
    c.rounded_rect(x - w / 2, top, w, h + 10, 4);
    c.shade(Ramp{Color::hex(0x3a3c40), Color::hex(0x7a7a70), Color::hex(0xb8b6a8)}, k.outline, 1.0, 100);
    c.rect(x - w * 0.32, top + 6, w * 0.64, 3);
    c.fill(Paint::solid(Color::hex(0x0a0a0e)));
    c.rect(x - w * 0.32, top + 9, w * 0.64, 1);
    c.fill(Paint::solid(Color::hex(0xd8d4c0)));
    art::Random r(art::seed_of("mountainbunker") ^ uint64_t(x));
    for (int i = 0; i < 16; ++i) {
        c.circle(x + r.range(-w / 2 + 3, w / 2 - 3), top + r.range(11, h + 8), r.range(1.2, 2.4));
        c.fill(Paint::solid(r.chance(0.5) ? k.camo.mid : k.camo.dark));
    }
    c.rounded_rect(x - w / 2 + 1, top + 1, w - 2, 3, 1.5);
    c.fill(Paint::solid(k.snow.light));
}

// Draws the planned features that touch this tile, inside the solid ground.
void face(const Terrain& t, const std::vector<Feature>& features, Canvas& c, int origin_x, int origin_y) {
    auto scope = c.scoped();
    std::vector<Pt> solid;
    for (int col = -2; col <= c.width() + 2; ++col) solid.push_back({double(col), t.surface(origin_x + col) - origin_y + 1.0});
    solid.push_back({c.width() + 2.0, double(c.height())});
    solid.push_back({-2.0, double(c.height())});
    c.polygon(solid).clip();
    for (const Feature& f : features) {
        const double col = f.x - origin_x;
        if (col < -40 || col > c.width() + 40) continue;
        const double surface = t.surface(int(f.x)) - origin_y;
        switch (f.kind) {
            case Kind::Pine: pine(c, col, surface + f.depth, f.size); break;
            case Kind::Boulder: boulder(c, col, surface + f.depth, f.size); break;
            case Kind::Bunker: bunker(c, col, t.surface_over(int(f.x) - 20, int(f.x) + 20) - origin_y + 2); break;
        }
    }
}

// Snowy stones on the ground: low enough for the walkers to step over (a
// walker climbs whatever it stands in, so anything taller would be climbed).
void stones(Canvas& c, int origin_x, const std::function<int(int)>& surface) {
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

}  // namespace

worlds::TerrainLook ground_look(const Terrain& t, const art::Noise& noise, bool dressed) {
    worlds::TerrainLook l;
    l.material = [&t, &noise](const worlds::GroundPixel& p) { return granite(t, noise, p); };
    l.rock = look().rock;
    l.outline = look().outline;
    l.rim = Color{1, 1, 1, 0};
    l.margin = dressed ? kStoneClear : 6;
    if (dressed) {
        l.dressing = [&t, features = plan(t)](Canvas& c, int origin_x, int origin_y, const std::function<int(int)>& surface) {
            face(t, features, c, origin_x, origin_y);
            stones(c, origin_x, surface);
        };
    }
    return l;
}

}  // namespace mountain
