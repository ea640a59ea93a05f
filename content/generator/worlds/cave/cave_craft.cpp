// Cave craft and obstacles.
//
// Red ship: zigzag flyer firing from (x - 5, y + 10): its nose gun ends at
// (x - 4, y + 10); 48 x 28, spawned by the hatches at (hatch x + 20, y) or
// (+ 20, + 20) and pushed out of them. Helicopter: the shared airframe.
// Mining tank: walks on the floor (its treads are the lowest rows, 40 below
// y) and never fires. Rock: frame 1 whole, 2..7 crumbling (played once when
// it has taken its hits).
#include <cmath>

#include "generator/art/prelude.h"
#include "generator/worlds/cave/cave.h"
#include "generator/worlds/common/rotorcraft.h"

namespace cave {

namespace {

// ---- red ship ----
Canvas red_ship(int frame) {
    const Look& k = look();
    Canvas c(50, 28);
    // Exhaust flicker behind.
    const double flame = 4 + 2.5 * std::abs(std::sin(frame * 1.3));
    c.ellipse(46, 14, flame, 2.6);
    c.fill(Paint::radial({44, 14}, 0, flame + 1, {{0, Color{1, 1, 1}}, {0.45, Color::hex(0xffd060)}, {1, k.lava}}));
    // Swept wings, upper and lower.
    c.polygon({{30, 11}, {40, 2}, {46, 2}, {42, 12}});
    c.shade(Ramp{k.rust.dark.darker(0.3), k.rust.dark, k.rust.mid}, k.outline);
    c.polygon({{28, 16}, {42, 26}, {47, 26}, {42, 15}});
    c.shade(k.rust, k.outline);
    // Hull: a blade-nosed wedge.
    const std::vector<Pt> hull = {{2, 14}, {12, 9}, {28, 7}, {42, 9}, {44, 14}, {42, 19}, {26, 20}, {12, 18}};
    c.polygon(hull);
    c.shade(k.rust, k.outline, 1.0, 110);
    {
        auto s = c.scoped();
        c.polygon(hull).clip();
        c.rect(14, 13, 30, 2);
        c.fill(Paint::solid(k.hazard.mid));
    }
    c.smooth({{14, 11}, {20, 8}, {28, 8}, {30, 12}, {20, 13}});
    c.shade(k.glass, k.outline, 0.9, 130);
    c.highlight(20, 9.5, 3, 1, 0.9);
    // Nose gun: the firing point.
    c.rect(1, 15, 9, 2.5);
    c.shade(k.steel, k.outline, 0.7, 90);
    c.polyline({{12, 9.8}, {28, 7.8}});
    c.stroke(Paint::solid(Color{1, 1, 1, 0.4}), 0.9);
    return c;
}

std::vector<Frame> red_ship_frames() {
    std::vector<Frame> frames;
    for (int f = 0; f < 4; ++f) frames.push_back({.image = red_ship(f), .xoffset = -3, .yoffset = -6});
    return frames;
}

std::vector<Frame> helicopter() {
    const Look& k = look();
    worlds::RotorcraftLook l;
    l.hull = k.hazard;
    l.trim = Ramp{Color::hex(0x1e1c1a), Color::hex(0x3c3a36), Color::hex(0x6c6a64)};
    l.glass = k.glass;
    l.metal = k.steel;
    l.outline = k.outline;
    l.camo = {};
    l.marking = Color::hex(0x1e1c1a);
    l.seed = art::seed_of("cavehelicopter");
    std::vector<Frame> frames = worlds::helicopter_frames(l, 4);
    // Hazard chevrons on the tail boom and a lamp under the nose for the dark.
    for (Frame& f : frames) {
        Canvas& c = f.image;
        for (int i = 0; i < 3; ++i) {
            c.polygon({{50.0 + i * 5, 17.5}, {53.0 + i * 5, 17.5}, {51.0 + i * 5, 22}, {48.0 + i * 5, 22}});
            c.fill(Paint::solid(Color::hex(0x1e1c1a)));
        }
        c.orb(9, 27, 2, Color{1, 1, 1}, Color::hex(0xfff0a0));
    }
    return frames;
}

// ---- mining tank ----
Canvas mining_tank(int frame) {
    const Look& k = look();
    Canvas c(88, 46);
    // Treads: a rounded belt with cleats that move with the frame.
    c.rounded_rect(18, 30, 66, 14, 7);
    c.shade(Ramp{Color::hex(0x141414), Color::hex(0x34322e), Color::hex(0x64605a)}, k.outline);
    for (double x = 22 + (frame % 4) * 2.5; x < 82; x += 10) {
        c.rect(x, 42, 4, 2);
        c.fill(Paint::solid(Color::hex(0x0c0c0c)));
        c.rect(x, 30, 4, 2);
        c.fill(Paint::solid(Color::hex(0x0c0c0c)));
    }
    for (double wx : {26.0, 40.0, 54.0, 68.0, 78.0}) {
        c.circle(wx, 37, 4.2);
        c.shade(k.steel, k.outline, 0.8);
        c.circle(wx, 37, 1.4);
        c.fill(Paint::solid(k.steel.dark));
    }
    // Body and cab.
    c.polygon({{22, 30}, {26, 16}, {62, 14}, {82, 18}, {84, 30}});
    c.shade(k.hazard, k.outline, 1.0, 110);
    {
        auto s = c.scoped();
        c.polygon({{22, 30}, {26, 16}, {62, 14}, {82, 18}, {84, 30}}).clip();
        for (int i = 0; i < 8; ++i) {
            const double x = 24 + i * 8;
            c.polygon({{x, 30}, {x + 4, 30}, {x + 9, 24}, {x + 5, 24}});
            c.fill(Paint::solid(Color::hex(0x1e1c1a)));
        }
    }
    c.rounded_rect(52, 4, 24, 13, 3);
    c.shade(k.hazard, k.outline, 1.0, 110);
    c.rounded_rect(55, 6, 9, 7, 1.5);
    c.shade(k.glass, k.outline, 0.8, 130);
    c.orb(72, 3.5, 2.2, Color{1, 1, 1}, frame % 2 ? Color::hex(0xff6020) : Color::hex(0xffb040));
    // The drill: a fluted cone whose grooves turn with the frame.
    const std::vector<Pt> cone = {{2, 24}, {24, 13}, {24, 35}};
    c.polygon(cone);
    c.shade(k.steel, k.outline, 1.0, 100);
    {
        auto s = c.scoped();
        c.polygon(cone).clip();
        for (int g = -2; g < 6; ++g) {
            const double x = 6 + g * 5 + (frame % 4) * 1.25;
            c.line({x, 8}, {x + 6, 40});
            c.stroke(Paint::solid(k.steel.dark.with_alpha(0.9)), 1.2);
        }
    }
    c.rect(22, 16, 5, 16);
    c.shade(k.steel, k.outline);
    return c;
}

std::vector<Frame> mining_tank_frames() {
    std::vector<Frame> frames;
    for (int f = 0; f < 4; ++f) frames.push_back({.image = mining_tank(f)});
    return frames;
}

// ---- breakable rock ----
std::vector<Pt> boulder_outline(double cx, double cy, double rx, double ry, uint64_t seed) {
    art::Random r(seed);
    std::vector<Pt> pts;
    const int n = 11;
    for (int i = 0; i < n; ++i) {
        const double a = 2 * kPi * i / n;
        const double k = r.range(0.82, 1.05);
        pts.push_back({cx + std::cos(a) * rx * k, cy + std::sin(a) * ry * k});
    }
    return pts;
}

void boulder(Canvas& c, const std::vector<Pt>& shape, uint64_t seed) {
    const Look& k = look();
    c.polygon(shape);
    art::textured(c, k.rock, art::Noise(seed), 0.12, 0.55, 120);
    c.polygon(shape);
    c.stroke(Paint::solid(k.outline), 1.2);
}

std::vector<Frame> rock_frames() {
    const Look& k = look();
    std::vector<Frame> frames;
    const uint64_t seed = art::seed_of("rockexplosion");
    {
        Canvas c(60, 52);
        boulder(c, boulder_outline(30, 27, 26, 22, seed), seed);
        // Crystal veins: the rock is worth cracking.
        for (const Pt& p : std::vector<Pt>{{22, 18}, {38, 32}, {30, 40}}) {
            c.polygon({{p.x, p.y - 5}, {p.x + 3, p.y}, {p.x, p.y + 5}, {p.x - 3, p.y}});
            c.fill_outlined(Paint::solid(k.crystal.light), k.outline, 0.7);
        }
        c.highlight(20, 14, 7, 3, 0.35);
        frames.push_back({.image = std::move(c)});
    }
    // Crumbling: the pieces drift apart and fall, in a cloud of dust.
    art::Random r(seed ^ 0x77);
    struct Chunk {
        double x, y, vx, vy, size;
    };
    std::vector<Chunk> chunks;
    for (int i = 0; i < 9; ++i)
        chunks.push_back({r.range(14, 46), r.range(12, 42), r.range(-1.6, 1.6), r.range(-1.8, 0.4), r.range(5, 10)});
    for (int f = 1; f <= 6; ++f) {
        Canvas c(60, 52);
        const double t = f / 6.0;
        c.circle(30, 27, 10 + 18 * t);
        c.fill(Paint::radial({30, 27}, 0, 10 + 18 * t,
                             {{0, k.rock.light.with_alpha(0.7 * (1 - t))}, {1, k.rock.mid.with_alpha(0.2 * (1 - t))}}));
        int i = 0;
        for (const Chunk& ch : chunks) {
            const double x = ch.x + ch.vx * f * 3, y = ch.y + ch.vy * f * 3 + 0.9 * f * f;
            const double s = ch.size * (1 - 0.12 * f);
            if (s < 1.5 || y > 50) continue;
            boulder(c, boulder_outline(x, y, s, s * 0.8, seed + uint64_t(i++)), seed + 99);
        }
        frames.push_back({.image = std::move(c), .edges = art::Edges::Dither});
    }
    return frames;
}

}  // namespace

void add_craft(worlds::World& world) {
    world.sprite("caveredship", red_ship_frames());
    world.sprite("cavehelicopter", helicopter());
    world.sprite("cavetank", mining_tank_frames());
    world.sprite("rockexplosion", rock_frames());
}

}  // namespace cave
