// Castle buildings and their defenders.
//
// "houseone": a timber house, 100 x 86, offsets (0, 0): stand it at
// y = ground - 84. Towers are two pieces of one master: frame 1 the tower,
// which burns where it is hit, frame 2 its banners and gate drawn over it by
// a second piece at (x, y) (small tower, 72 x 164) or (x, y + 10) (big
// tower, 104 x 226; its frame 2 is drawn 10 rows higher to line up).
// "catapult": 110 x 100 at offsets (-20, -68), wheels on row y + 30; frame 1
// the arm thrown forward with its cup at (x + 5, y - 55), where the stone
// leaves, to frame 6 the arm wound back and loaded. "wizard": 48 x 72 at
// offsets (-20, -26), feet on row y + 44; frame 1 staff low, frame 5 staff
// raised with its orb at (x, y - 20), where the spell leaves.
#include <cmath>

#include "generator/art/prelude.h"
#include "generator/worlds/castle/castle.h"
#include "generator/worlds/common/flames.h"

namespace castle {

namespace {

std::vector<Frame> one_frame(Canvas&& c, int xoffset = 0, int yoffset = 0) {
    std::vector<Frame> frames;
    frames.push_back({.image = std::move(c), .xoffset = xoffset, .yoffset = yoffset});
    return frames;
}

void stones(Canvas& c, double x, double y, double w, double h, uint64_t seed) {
    const Look& k = look();
    c.rect(x, y, w, h);
    art::textured(c, k.stone, art::Noise(seed), 0.1, 0.35, 110);
    auto s = c.scoped();
    c.rect(x, y, w, h).clip();
    int row = 0;
    for (double by = y; by < y + h; by += 8, ++row) {
        c.line({x, by}, {x + w, by});
        for (double bx = x + (row % 2) * 7; bx < x + w; bx += 14) c.line({bx, by}, {bx, by + 8});
    }
    c.stroke(Paint::solid(k.stone.dark.with_alpha(0.8)), 1.0);
}

void battlements(Canvas& c, double x, double y, double w, uint64_t seed) {
    for (double bx = x; bx + 6 <= x + w + 0.5; bx += 12) {
        stones(c, bx, y, 8, 9, seed + uint64_t(bx));
        c.rect(bx, y, 8, 9);
        c.stroke(Paint::solid(look().outline), 1.0);
    }
}

std::vector<Frame> house_one() {
    const Look& k = look();
    Canvas c(100, 86);
    // Stone footing, plastered walls with dark timbers, a steep tiled roof.
    stones(c, 6, 64, 88, 22, art::seed_of("houseonebase"));
    c.rect(8, 36, 84, 30);
    c.fill(Paint::vertical(36, 66, {{0, Color::hex(0xf0e6cc)}, {1, Color::hex(0xb8a888)}}));
    for (double x : {8.0, 36.0, 64.0, 90.0}) {
        c.rect(x, 36, 3, 30);
        c.fill(Paint::solid(k.wood.dark));
    }
    c.line({11, 36}, {36, 64});
    c.line({64, 36}, {90, 64});
    c.stroke(Paint::solid(k.wood.dark), 2.5);
    for (double wx : {18.0, 72.0}) {
        c.rect(wx, 42, 10, 12);
        c.fill_outlined(Paint::vertical(42, 54, {{0, Color::hex(0xffe090)}, {1, Color::hex(0xe09030)}}), k.outline, 1.0);
        c.line({wx + 5, 42}, {wx + 5, 54});
        c.stroke(Paint::solid(k.outline), 0.8);
    }
    c.rect(44, 46, 14, 40);
    c.shade(k.wood, k.outline);
    c.rect(6, 36, 88, 50);
    c.stroke(Paint::solid(k.outline), 1.2);
    // Chimney and roof.
    stones(c, 70, 6, 10, 20, art::seed_of("houseonechimney"));
    c.rect(70, 6, 10, 20);
    c.stroke(Paint::solid(k.outline), 1.0);
    const std::vector<Pt> roof = {{2, 38}, {50, 8}, {98, 38}};
    c.polygon(roof);
    c.shade(k.roof, k.outline, 1.2, 120);
    {
        auto s = c.scoped();
        c.polygon(roof).clip();
        for (double y = 14; y < 40; y += 5) {
            c.line({0, y}, {100, y});
            c.stroke(Paint::solid(k.roof.dark.with_alpha(0.7)), 0.8);
        }
    }
    return one_frame(std::move(c));
}

// Frame 1 the tower, frame 2 its banners, gate and flag (drawn `lift` rows
// higher for a second piece that stands lower).
std::vector<Frame> tower(int w, int h, const char* seed_name, int lift) {
    const Look& k = look();
    std::vector<Frame> frames;
    const uint64_t seed = art::seed_of(seed_name);
    {
        Canvas c(w, h);
        const double top = 30;
        stones(c, 4, top, w - 8, h - top, seed);
        c.rect(4, top, w - 8, h - top);
        c.stroke(Paint::solid(k.outline), 1.2);
        battlements(c, 0, top - 9, w, seed);
        c.rect(0, top - 1, w, 5);
        c.shade(k.stone, k.outline, 1.0, 90);
        // A conical roof behind the battlements.
        c.polygon({{w * 0.2, top - 8}, {w * 0.5, 2}, {w * 0.8, top - 8}});
        c.shade(k.roof, k.outline, 1.0, 120);
        for (double wy = top + 24; wy < h - 40; wy += 36) {
            c.rect(w / 2.0 - 4, wy, 8, 14);
            c.fill_outlined(Paint::vertical(wy, wy + 14, {{0, Color::hex(0xffd070)}, {1, Color::hex(0xc06020)}}), k.outline, 1.0);
        }
        frames.push_back({.image = std::move(c)});
    }
    {
        Canvas c(w, h);
        c.translate(0, -lift);
        // Banners hung from the battlements.
        for (double bx : {w * 0.18, w * 0.72}) {
            c.polygon({{bx, 32}, {bx + w * 0.12, 32}, {bx + w * 0.12, 74}, {bx + w * 0.06, 66}, {bx, 74}});
            c.fill_outlined(Paint::vertical(32, 74, {{0, k.cloth.light}, {1, k.cloth.dark}}), k.outline, 1.0);
            c.circle(bx + w * 0.06, 46, 3);
            c.fill(Paint::solid(k.gold.mid));
        }
        // Gate at the foot.
        const double gw = w * 0.36, gx = (w - gw) / 2, gy = h - 34.0;
        c.rect(gx, gy + gw / 2, gw, 34 - gw / 2);
        c.arc(gx + gw / 2, gy + gw / 2, gw / 2, 180, 360);
        c.fill_outlined(Paint::solid(k.wood.dark), k.outline, 1.2);
        for (double x = gx + 4; x < gx + gw - 2; x += 5) {
            c.line({x, gy + 4}, {x, double(h)});
            c.stroke(Paint::solid(k.steel.dark), 1.2);
        }
        // A pennant on the roof's point.
        c.line({w * 0.5, 2}, {w * 0.5, -8});
        c.stroke(Paint::solid(k.outline), 1.5);
        frames.push_back({.image = std::move(c)});
    }
    return frames;
}

// ---- catapult ----
constexpr double kPivotX = 70, kPivotY = 50;  // image pixels; the sprite's x, y is (20, 68)

Canvas catapult(int frame) {
    const Look& k = look();
    Canvas c(110, 100);
    // Frame of the engine and its wheels.
    c.polygon({{30, 86}, {100, 86}, {92, 78}, {38, 78}});
    c.shade(k.wood, k.outline);
    c.polygon({{kPivotX - 16, 80}, {kPivotX - 3, kPivotY}, {kPivotX + 3, kPivotY}, {kPivotX + 16, 80}});
    c.shade(k.wood, k.outline);
    c.rect(40, 70, 56, 6);
    c.shade(k.wood, k.outline);
    // The arm: frame 1 thrown forward, the last wound back over the top.
    const double angle = (219 + frame * 30) * kPi / 180;
    const double len = 58;
    const Pt tip{kPivotX + len * std::cos(angle), kPivotY + len * std::sin(angle)};
    c.line({kPivotX - 8 * std::cos(angle), kPivotY - 8 * std::sin(angle)}, tip);
    c.stroke(Paint::solid(k.outline), 6.0);
    c.line({kPivotX - 8 * std::cos(angle), kPivotY - 8 * std::sin(angle)}, tip);
    c.stroke(Paint::solid(k.wood.mid), 4.0);
    c.circle(tip.x, tip.y, 5.5);
    c.fill_outlined(Paint::solid(k.wood.dark), k.outline, 1.0);
    if (frame >= 2) {
        c.circle(tip.x, tip.y - 1, 4);
        c.shade(k.stone, k.outline, 0.8);
    }
    // Rope and winch.
    c.line({kPivotX + 8, 74}, {(kPivotX + tip.x) / 2, (kPivotY + tip.y) / 2});
    c.stroke(Paint::solid(Color::hex(0xc8a060)), 1.0);
    c.circle(kPivotX, kPivotY, 4.5);
    c.shade(k.steel, k.outline, 0.8);
    for (double wx : {42.0, 88.0}) {
        c.circle(wx, 88, 10);
        c.shade(k.wood, k.outline, 1.2);
        c.circle(wx, 88, 10);
        c.stroke(Paint::solid(k.steel.mid), 1.5);
        c.circle(wx, 88, 2.5);
        c.fill(Paint::solid(k.steel.dark));
    }
    return c;
}

std::vector<Frame> catapult_frames() {
    std::vector<Frame> frames;
    for (int f = 0; f < 6; ++f) frames.push_back({.image = catapult(f), .xoffset = -20, .yoffset = -68});
    return frames;
}

// ---- wizard ----
Canvas wizard(int frame) {
    const Look& k = look();
    Canvas c(48, 72);
    const double t = frame / 4.0;  // 0 staff low .. 1 raised
    const Pt hand{22 - 2 * t, 40 - 14 * t};
    const Pt staff_top{20 - 12 * (1 - t), 6 + 26 * (1 - t)};
    const Pt staff_foot{staff_top.x + 8 * (1 - t) + 2, staff_top.y + 40};
    // Robe and cloak.
    c.polygon({{16, 70}, {20, 38}, {28, 30}, {36, 38}, {42, 70}});
    c.shade(k.cloth, k.outline, 1.0, 120);
    c.polygon({{26, 34}, {34, 34}, {46, 70}, {38, 70}});
    c.fill_outlined(Paint::solid(k.cloth.dark), k.outline, 0.8);
    c.rect(18, 50, 24, 3);
    c.fill(Paint::solid(k.gold.mid));
    // Head, beard and hat.
    c.circle(28, 27, 5);
    c.shade(Ramp::of(Color::hex(0xe0b088)), k.outline);
    c.polygon({{23, 28}, {33, 28}, {28, 42}});
    c.fill_outlined(Paint::solid(Color::hex(0xf0f0f4)), k.outline, 0.8);
    c.polygon({{20, 24}, {38, 24}, {34, 20}, {31, 2}, {24, 20}});
    c.shade(k.cloth, k.outline, 1.0, 120);
    c.ellipse(29, 24, 11, 2.5);
    c.shade(k.cloth, k.outline);
    c.circle(30, 14, 1.5);
    c.fill(Paint::solid(k.gold.light));
    // Staff and the arm holding it.
    c.line(staff_top, staff_foot);
    c.stroke(Paint::solid(k.outline), 3.0);
    c.line(staff_top, staff_foot);
    c.stroke(Paint::solid(k.wood.mid), 1.6);
    c.line({26, 36}, hand);
    c.stroke(Paint::solid(k.outline), 4.5);
    c.line({26, 36}, hand);
    c.stroke(Paint::solid(k.cloth.mid), 2.8);
    c.orb(staff_top.x, staff_top.y, 2.5 + 2.5 * t, Color{1, 1, 1}, Color::hex(0x60e8ff));
    return c;
}

std::vector<Frame> wizard_frames() {
    std::vector<Frame> frames;
    for (int f = 0; f < 5; ++f) frames.push_back({.image = wizard(f), .xoffset = -20, .yoffset = -26});
    return frames;
}

}  // namespace

void add_buildings(worlds::World& world) {
    world.sprite("houseone", house_one());
    world.sprite("smalltower", tower(72, 164, "smalltower", 0));
    world.sprite("bigtower", tower(104, 226, "bigtower", 10));
    world.sprite("catapult", catapult_frames());
    world.sprite("wizard", wizard_frames());
    world.sprite("fire", worlds::flame_frames());
}

}  // namespace castle
