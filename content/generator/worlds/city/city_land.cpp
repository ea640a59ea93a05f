// The city at night: a street (layer 1) lined with lamps, towers that rise
// from it as solid scenery, a near skyline with neon signs (layer 2) and a
// far skyline under a violet sky (layer 3); and the level's timeline.
#include <algorithm>
#include <cmath>
#include <map>
#include <string>

#include "generator/art/prelude.h"
#include "generator/worlds/city/city.h"
#include "generator/worlds/common/backdrop.h"
#include "generator/worlds/common/sentinel.h"
#include "generator/worlds/common/terrain.h"

namespace city {

using worlds::Terrain;

namespace {

constexpr int kLength = 13800;
constexpr int kStreet = 392;   // the street's surface row
constexpr int kBossX = 12000;  // arrives (x < 400) after about 180 s
constexpr int kExitX = 12700;

// ---- backdrops ----
// A row of blocks with lit windows across a periodic picture.
struct SkylineStyle {
    double base, min_h, max_h, min_w, max_w;
    Color body, edge, window_on, window_off;
    double lit;  // share of lit windows
    bool signs;
};

// Buildings are chosen first and then drawn where they stand and one period
// to either side, so the one crossing the picture's end goes on at its start.
// Each has its own roof (flat, a spire, a setback, a dome, a mast, a water
// tank) and its own way of lighting its windows (a grid, whole floors, bays).
void skyline(Canvas& c, const SkylineStyle& st, uint64_t seed) {
    const int period = c.width();
    const Look& k = look();
    art::Random r(seed);
    // Where the buildings stand: one across the picture's end (so the picture
    // joins inside a building, on the wall between two columns of windows),
    // then the rest along the period up to it.
    std::vector<std::pair<double, double>> spans;  // x, width
    const double across = r.range(st.min_w, st.max_w);
    const double overhang = 8 + 6 * std::round((across * r.range(0.3, 0.7) - 8) / 6);
    spans.push_back({period - overhang, across});
    for (double x = across - overhang + r.range(0, 10);;) {
        double w = r.range(st.min_w, st.max_w);
        if (x + w > period - overhang) w = period - overhang - x;
        if (w < st.min_w * 0.6) break;
        spans.push_back({x, w});
        x += w + r.range(0, 10);
    }
    for (const auto& [x, w] : spans) {
        const double h = r.range(st.min_h, st.max_h);
        const double top = st.base - h;
        const int roof = r.integer(0, 5);
        const int lighting = r.integer(0, 2);
        std::vector<bool> lit;
        for (double wy = top + 6; wy < st.base - 4; wy += 7) {
            const bool floor_lit = r.chance(st.lit);
            for (double wx = x + 4; wx < x + w - 4; wx += 6) {
                const bool bay = int((wx - x) / 6) % 3 != 1;
                lit.push_back(lighting == 0 ? r.chance(st.lit) : lighting == 1 ? floor_lit && r.chance(0.9)
                                                                               : bay && r.chance(st.lit * 1.3));
            }
        }
        const double spire = r.range(14, 34);
        const bool sign = st.signs && r.chance(0.35);
        const double sign_y = sign ? top + r.range(10, std::max(12.0, h * 0.5)) : 0;
        const Color sign_colour = sign && r.chance(0.5) ? k.neon_pink : k.neon_cyan;
        worlds::wrap_x(period, [&](double dx) {
            const double bx = x + dx;
            if (bx > period || bx + w < 0) return;
            c.rect(bx, top, w, h + 2);
            c.fill(Paint::vertical(top, st.base, {{0, st.body.lighter(0.08)}, {1, st.body}}));
            c.rect(bx, top, 1.5, h);
            c.fill(Paint::solid(st.edge));
            size_t i = 0;
            for (double wy = top + 6; wy < st.base - 4; wy += 7)
                for (double wx = bx + 4; wx < bx + w - 4; wx += 6) {
                    c.rect(wx, wy, 2.5, 3);
                    c.fill(Paint::solid(lit[i++] ? st.window_on : st.window_off));
                }
            switch (roof) {
                case 1:  // a spire
                    c.polygon({{bx + w * 0.4, top}, {bx + w * 0.5, top - spire}, {bx + w * 0.6, top}});
                    c.fill(Paint::solid(st.body));
                    break;
                case 2:  // a setback
                    c.rect(bx + w * 0.2, top - spire * 0.6, w * 0.6, spire * 0.6 + 1);
                    c.fill(Paint::solid(st.body.lighter(0.04)));
                    break;
                case 3:  // a dome
                    c.arc(bx + w / 2, top + 1, w * 0.3, 180, 360);
                    c.fill(Paint::solid(st.body.lighter(0.04)));
                    break;
                case 4:  // a mast with its light
                    c.rect(bx + w * 0.7, top - spire * 1.4, 1.5, spire * 1.4);
                    c.fill(Paint::solid(st.edge));
                    c.rect(bx + w * 0.7 - 0.5, top - spire * 1.4 - 1, 2.5, 2);
                    c.fill(Paint::solid(Color::hex(0xff4040)));
                    break;
                case 5:  // a water tank on legs
                    c.rect(bx + w * 0.25, top - 12, 10, 9);
                    c.rect(bx + w * 0.25 + 1, top - 4, 1.5, 4);
                    c.rect(bx + w * 0.25 + 7.5, top - 4, 1.5, 4);
                    c.fill(Paint::solid(st.body.lighter(0.05)));
                    break;
                default: break;
            }
            if (sign) {
                c.rect(bx + w * 0.2, sign_y, w * 0.6, 5);
                c.fill(Paint::solid(sign_colour));
                c.rect(bx + w * 0.2, sign_y + 1.5, w * 0.6, 2);
                c.fill(Paint::solid(sign_colour.lighter(0.6)));
            }
        });
    }
}

void paint_sky(Canvas& c) {
    c.fill_all(Paint::vertical(0, c.height(), {{0, Color::hex(0x070716)}, {0.45, Color::hex(0x1e1442)},
                                               {0.78, Color::hex(0x5a2266)}, {1, Color::hex(0xa83a78)}}));
    art::Random random(art::seed_of("citystars"));
    for (int i = 0; i < 90; ++i) {
        c.rect(std::floor(random.range(0, c.width())), std::floor(random.range(0, 150)), 1, 1);
        c.fill(Paint::solid(Color{1, 1, 1, random.range(0.2, 0.7)}));
    }
    // Search beams sweeping up from the city.
    for (double bx : {210.0, 760.0, 1130.0}) {
        c.polygon({{bx, 417}, {bx + 12, 417}, {bx + 150, 0}, {bx + 110, 0}});
        c.fill(Paint::linear({bx, 417}, {bx + 130, 0}, {{0, Color{0.8, 0.85, 1, 0.22}}, {1, Color{0.8, 0.85, 1, 0}}}));
    }
    SkylineStyle far{330, 60, 190, 30, 80, Color::hex(0x1a1434), Color::hex(0x3a2a5a),
                     Color::hex(0xc89a6a), Color::hex(0x221a3a), 0.25, false};
    skyline(c, far, art::seed_of("cityfarskyline"));
    c.rect(0, 328, c.width(), 89);
    c.fill(Paint::vertical(328, 417, {{0, Color::hex(0x1a1434)}, {1, Color::hex(0x2a1a3a)}}));
}

void paint_skyline(Canvas& c) {
    SkylineStyle near{402, 90, 260, 44, 110, Color::hex(0x0e0c1c), Color::hex(0x2a2a4a),
                      Color::hex(0xffd67a), Color::hex(0x16142a), 0.35, true};
    skyline(c, near, art::seed_of("citynearskyline"));
    c.rect(0, 400, c.width(), 16);
    c.fill(Paint::solid(Color::hex(0x0e0c1c)));
}

// ---- the street ----
Color asphalt(const art::Noise& noise, const worlds::GroundPixel& p) {
    const Look& k = look();
    const double n = noise.fractal(p.x * 0.2, p.y * 0.2, 2);
    if (p.depth < 7) return k.concrete.at(0.75 - p.depth * 0.05 + (n - 0.5) * 0.1);  // sidewalk
    if (p.depth < 9) return k.outline;                                             // curb
    Color road = Color::hex(0x1c1c24).mixed(Color::hex(0x2c2c38), n);
    // Dashed lane line.
    if (p.depth >= 14 && p.depth < 16 && (p.x / 24) % 2 == 0) road = k.gold.mid;
    return road;
}

void street_lamps(Canvas& c, int origin_x, int, const std::function<int(int)>& surface) {
    const Look& k = look();
    for (int x = 40 - origin_x % 160; x < c.width(); x += 160) {
        if (x < 4 || x > c.width() - 12) continue;
        const double base = surface(x);
        c.rect(x - 1.5, base - 34, 3, 34);
        c.fill_outlined(Paint::solid(k.steel.dark), k.outline, 0.8);
        c.polyline({{double(x), base - 33}, {x - 8.0, base - 36}});
        c.stroke(Paint::solid(k.steel.dark), 2.0);
        c.orb(x - 9.0, base - 35, 2.5, Color{1, 1, 1}, k.window);
    }
}

worlds::TerrainLook street_look(const art::Noise& noise) {
    worlds::TerrainLook l;
    l.material = [&noise](const worlds::GroundPixel& p) { return asphalt(noise, p); };
    l.rock = look().concrete;
    l.outline = look().outline;
    l.rim = Color{1, 1, 1, 0};
    l.margin = 40;
    l.dressing = street_lamps;
    return l;
}

// ---- the timeline ----
void place_level(worlds::World& world) {
    worlds::LevelScript& level = world.level();
    level.place(110, 110, 0, "entranceportal");

    // Buildings stand with their foot two rows into the street; the street's
    // top row is its outline, one row above its surface.
    struct Block {
        int x0, x1, top;
    };
    std::vector<Block> blocks;
    const auto tower = [&](int x, const Tower& t) {
        level.place(x, kStreet - t.height + 2, 1, t.name);
        blocks.push_back({x, x + t.width, kStreet - t.height + 2});
    };
    const auto building = [&](int x) {
        level.place(x, kStreet - 258, 1, "buildingone");
        blocks.push_back({x, x + 120, kStreet - 258});
        blocks.push_back({x + 64, x + 116, kStreet - 258 - 77});  // its roof sign
    };
    const auto shop = [&](int x, const char* name) { level.place(x, kStreet - 64, 0, name); };

    // The streets: towers and shops all the way, tallest in the middle
    // stretch. The plan gives each place a height (0 tall, 1 middling, 2 the
    // tallest, 3 low, -1 a shop, -2 the lit tower); the kind of that height
    // seen longest ago stands there. A kind comes back only once its last one
    // has left the screen (640 pixels and its own width further on), so no
    // screen shows the same block twice.
    const std::vector<std::vector<const char*>> heights = {
        {"citytowera", "citytowerh", "citytowerk"}, {"citytowerb", "citytowerg", "citytowerj"},
        {"citytowerc", "citytowerf", "citytowere"}, {"citytowerd", "citytoweri"}};
    const auto find_tower = [](const std::string& name) -> const Tower& {
        for (const Tower& t : towers())
            if (name == t.name) return t;
        return towers().front();
    };
    std::map<std::string, int> last;
    const auto free_since = [&](const std::string& name, int x, int width) {
        const auto it = last.find(name);
        return it == last.end() || x - it->second >= worlds::kFieldWidth + width;
    };
    // The kind among `names` (each `width` wide, or a tower's own) free here and seen longest ago.
    const auto pick = [&](const std::vector<const char*>& names, int x, int width) -> const char* {
        const char* best = nullptr;
        int oldest = 0;
        for (const char* n : names) {
            const int w = width > 0 ? width : find_tower(n).width;
            const int seen = last.count(n) ? last[n] : -100000;
            if (free_since(n, x, w) && (best == nullptr || seen < oldest)) {
                best = n;
                oldest = seen;
            }
        }
        return best;
    };
    const int plan[] = {3, -1, 1, -1, 0, -2, 3, -1, 2, -1, 1, -2, 0, -1, 3, -2, 1, -1, 2, 0, -1, 3, -2, 1, -1,
                        0, -1, 3, 1, -2, 2, -1, 0, -1, 3, -2, 1};
    int x = 700;
    for (int step : plan) {
        if (x > kBossX - 900) break;
        if (step == -1) {
            if (const char* name = pick({"housetwo", "houseone"}, x + 20, 100)) {
                shop(x + 20, name);
                last[name] = x + 20;
            }
            x += 160;
        } else if (step == -2) {
            building(x);
            last["buildingone"] = x;
            x += 260;
        } else {
            const char* name = pick(heights[size_t(step)], x, 0);
            const Tower& t = find_tower(name != nullptr ? name : heights[size_t(step)].front());
            tower(x, t);
            last[t.name] = x;
            x += t.width + 90;
        }
        x += 40;
    }

    // A flyer starts above the blocks under it: the movers cannot leave
    // solid scenery they start in.
    const auto clear_y = [&](int fx, int wanted, int width, int height) {
        int y = wanted;
        for (const Block& b : blocks)
            if (fx - 30 < b.x1 && fx + width > b.x0) y = std::min(y, b.top - height - 4);
        return std::max(y, 0);
    };
    const auto white = [&](int x, int y) { level.place(x, clear_y(x, y, 64, 34), 0, "citywhiteship"); };
    const auto green = [&](int x, int y) { level.place(x, clear_y(x, y, 64, 40), 0, "citygreenship"); };
    const auto frog = [&](int x, int y) { level.place(x, clear_y(x, y, 64, 42), 0, "cityfrogship"); };
    const auto heli = [&](int x, int y) { level.place(x, clear_y(x, y, 80, 42), 0, "citybluehelicopter"); };
    const auto blimp = [&](int x, int y) { level.place(x, clear_y(x - 24, y, 176, 146), 0, "cityblimp"); };
    const auto rocket = [&](int x, int y) { level.place(x, clear_y(x, y, 80, 24), 0, "rocketship"); };

    // Police first, then raiders in growing packs.
    heli(900, 60);
    white(1300, 120);
    white(1500, 200);
    heli(1800, 40);
    green(2200, 80);
    green(2260, 140);
    rocket(2600, 60);
    frog(2900, 20);
    white(3200, 100);
    white(3300, 220);
    blimp(3600, 60);
    heli(4000, 30);
    rocket(4300, 110);
    green(4500, 60);
    green(4560, 120);
    green(4620, 180);
    frog(5000, 10);
    frog(5100, 40);
    white(5400, 90);
    white(5460, 170);
    white(5520, 250);
    rocket(5900, 40);
    rocket(5980, 140);
    heli(6200, 50);
    heli(6280, 110);
    blimp(6600, 30);
    green(7000, 60);
    green(7060, 120);
    frog(7400, 20);
    white(7800, 100);
    white(7860, 180);
    rocket(8200, 70);
    heli(8400, 40);
    heli(8480, 100);
    green(8800, 70);
    green(8860, 130);
    green(8920, 190);
    blimp(9300, 50);
    white(9700, 120);
    white(9760, 220);
    frog(10000, 10);
    frog(10080, 30);
    rocket(10300, 50);
    rocket(10340, 130);
    rocket(10380, 210);
    heli(10600, 40);
    heli(10680, 90);
    white(10900, 140);
    green(11100, 80);
    green(11160, 150);
    heli(11400, 60);
    white(11550, 200);
    white(11610, 110);
    frog(11800, 20);
    // A star cache before the fortress: its eyes open only for a moment,
    // and bursting stars reach them wherever they open.
    for (const auto& [x, y] : {std::pair{11300, 200}, {11480, 120}, {11650, 250}, {11820, 160}, {11950, 300}})
        level.place(x, y, 0, "starpowerup");

    // Its guard flies in with it: gunships that hover and raiders that
    // weave about the ship while the eyes open and shut.
    heli(kBossX + 80, 40);
    heli(kBossX + 180, 280);
    white(kBossX + 140, 180);
    heli(kBossX - 60, 300);
    heli(kBossX + 230, 90);
    white(kBossX + 40, 250);
    level.place(kBossX, 60, 0, "cityboss");
    // Police sentinels in the street on the way in and beside it: the fight
    // is fought under their fire.
    for (int x : {kBossX - 900, kBossX - 720, kBossX - 540, kBossX + 120, kBossX + 210})
        worlds::place_sentinel(level, kStreet, x, true);
    level.place(kExitX, 120, 0, "exitportal");
}

}  // namespace

void add_land_and_level(worlds::World& world) {
    worlds::Backdrop sky{.prefix = "citysky", .paint = paint_sky};
    worlds::lay_backdrop(world, sky, 3, 0, kLength);
    worlds::Backdrop near{.prefix = "cityskyline", .period = 1536, .tile_width = 256, .paint = paint_skyline};
    worlds::lay_backdrop(world, near, 2, 0, kLength);

    Terrain street(Terrain::Kind::Floor, kLength, art::seed_of("citystreet"));
    street.keys({{0, kStreet, 0}, {double(kLength), kStreet, 0}});
    const art::Noise noise(art::seed_of("cityasphalt"));
    street.lay(world, "citystreet", street_look(noise));
    place_level(world);
}

}  // namespace city
