// The cave boss: a grinding wheel of stone and iron with a molten hub. A
// pack of them rides up and down between floor and roof, spinning (eight
// frames turn it by two teeth, a fifth of a turn, which its five spokes
// repeat) and firing from (x - 40, y + 10): the wheel is centred on
// (x, y + 10) with a radius of 39 to the tips of its teeth.
#include <cmath>

#include "generator/art/prelude.h"
#include "generator/worlds/cave/cave.h"

namespace cave {

namespace {

constexpr int kSize = 82;
constexpr double kC = kSize / 2.0;
constexpr int kTeeth = 10;
constexpr int kFrames = 8;

Canvas wheel(double turn) {
    const Look& k = look();
    Canvas c(kSize, kSize);
    // Iron teeth round the rim.
    std::vector<Pt> rim;
    for (int i = 0; i < kTeeth; ++i) {
        const double a0 = (i + turn) * 2 * kPi / kTeeth;
        const double step = 2 * kPi / kTeeth;
        for (const auto& [da, r] : std::vector<std::pair<double, double>>{
                 {0.0, 31.0}, {0.18, 39.5}, {0.42, 39.5}, {0.55, 31.0}}) {
            const double a = a0 + da * step;
            rim.push_back({kC + std::cos(a) * r, kC + std::sin(a) * r});
        }
    }
    c.polygon(rim);
    c.shade(k.steel, k.outline, 1.2, 120);
    // The stone disc, its grain turning with it.
    c.circle(kC, kC, 32);
    art::textured(c, k.rock, art::Noise(art::seed_of("cavebosswheel")), 0.12, 0.5, 120);
    c.circle(kC, kC, 32);
    c.stroke(Paint::solid(k.outline), 1.2);
    // Spokes of iron with rivets, and glowing cracks between them.
    for (int i = 0; i < 5; ++i) {
        const double a = (turn / kTeeth + i / 5.0) * 2 * kPi;
        const Pt inner{kC + std::cos(a) * 12, kC + std::sin(a) * 12};
        const Pt outer{kC + std::cos(a) * 30, kC + std::sin(a) * 30};
        c.line(inner, outer);
        c.stroke(Paint::solid(k.outline), 6.5);
        c.line(inner, outer);
        c.stroke(Paint::solid(k.steel.mid), 4.5);
        c.circle(outer.x - std::cos(a) * 3, outer.y - std::sin(a) * 3, 1.3);
        c.fill(Paint::solid(k.steel.light));
        const double b = a + kPi / 5;
        c.polyline({{kC + std::cos(b) * 14, kC + std::sin(b) * 14},
                    {kC + std::cos(b + 0.12) * 21, kC + std::sin(b + 0.12) * 21},
                    {kC + std::cos(b - 0.05) * 28, kC + std::sin(b - 0.05) * 28}});
        c.stroke(Paint::solid(k.lava), 1.5);
    }
    // The molten hub.
    c.circle(kC, kC, 12.5);
    c.shade(k.steel, k.outline, 1.0);
    c.orb(kC, kC, 9, Color{1, 1, 0.85}, k.lava);
    c.circle(kC, kC, 9);
    c.stroke(Paint::solid(k.outline), 1.0);
    c.highlight(kC - 12, kC - 16, 7, 3, 0.35);
    return c;
}

std::vector<Frame> wheel_frames() {
    std::vector<Frame> frames;
    for (int f = 0; f < kFrames; ++f)
        frames.push_back({.image = wheel(2.0 * f / kFrames), .xoffset = -int(kC), .yoffset = 10 - int(kC)});
    return frames;
}

}  // namespace

void add_boss(worlds::World& world) { world.sprite("caveboss", wheel_frames()); }

}  // namespace cave
