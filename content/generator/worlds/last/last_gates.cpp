// The fortress's fixtures and its far wall.
//
// "background": the chamber's far wall, veins pulsing across it, 640 x 417
// at offsets (0, 0), 8 frames looped. It is placed once at (0, -1) on layer
// 3, where its behaviour holds it still while the level scrolls, so it fills
// the whole field for the whole level. The heart is not in it but drifts
// over it (last_heart.cpp).
// Gates and fittings (they never act; on layer 1 they are solid):
//   "redbossleft": the last gate, a crimson barrier 64 x 418 at offsets
//     (0, -1), from the top of the field to the bottom; it stops the level
//     when it reaches x 460, with the exit portal before it;
//   "bluebossleft": a pylon standing on the floor, 44 x 150, its foot on row
//     y + 150; "bluebossright": the same pylon hanging from the roof, its top
//     on row y;
//   "bosscannonleft" and "bosscannonright": dead cannons of the fortress on
//     the floor, 90 x 58, facing left and right, foot on row y + 58;
//   "shieldleft": a curved shield of energy facing left, 30 x 120;
//   "shieldshotleft": the emitter that feeds a shield, 24 x 24.
#include <cmath>

#include "generator/art/prelude.h"
#include "generator/worlds/last/last.h"

namespace last {

namespace {

std::vector<Frame> one_frame(Canvas&& c, int xoffset = 0, int yoffset = 0) {
    std::vector<Frame> frames;
    frames.push_back({.image = std::move(c), .xoffset = xoffset, .yoffset = yoffset});
    return frames;
}

// ---- the far wall ----
Canvas wall_base() {
    const Look& k = look();
    Canvas c(640, 417);
    const art::Noise noise(art::seed_of("lastwall"));
    const Pt heart{420, 190};
    c.map_pixels([&](int x, int y, Color& out) {
        // A lattice of cells, like a hive grown of bone, darkening away from the heart.
        const double u = x * 0.045, v = y * 0.052;
        const double cell = std::abs(std::sin(u + std::sin(v * 0.7) * 0.8)) * std::abs(std::sin(v + std::cos(u * 0.6) * 0.8));
        const double n = noise.fractal(x * 0.02, y * 0.02, 4);
        const double d = std::hypot(x - heart.x, y - heart.y);
        const double near = std::exp(-d / 260);
        Color wall = Color::hex(0x07030c).mixed(k.chitin.dark, 0.5 + n * 0.5);
        if (cell > 0.55) wall = wall.mixed(k.chitin.mid, (cell - 0.55) * 1.6 * (0.35 + near));
        wall = wall.mixed(k.flesh.dark, near * 0.45 * n);
        out = wall;
    });
    // Great ribs arching over the chamber, lit from the heart.
    for (int i = 0; i < 7; ++i) {
        const double x = 40 + i * 100;
        c.smooth({{x - 30, 417}, {x - 10, 260}, {x + 30, 120}, {x + 90, 20}, {x + 130, -10}}, false);
        c.stroke(Paint::solid(k.outline), 16);
        c.smooth({{x - 30, 417}, {x - 10, 260}, {x + 30, 120}, {x + 90, 20}, {x + 130, -10}}, false);
        c.stroke(Paint::linear({x - 30, 0}, {x + 100, 0}, {{0, k.bone.dark.darker(0.5)}, {1, k.bone.dark}}), 11);
    }
    return c;
}

std::vector<Frame> background_frames() {
    const Look& k = look();
    const Canvas base = wall_base();
    std::vector<Frame> frames;
    constexpr int kFrames = 8;
    // Veins of light across the wall from edge to edge, their pulses
    // travelling along them. (The heart they feed is a sprite of its own,
    // last_heart.cpp, that drifts in over the wall.)
    art::Random r(art::seed_of("lastwallveins"));
    std::vector<std::vector<Pt>> veins;
    for (int v = 0; v < 6; ++v) {
        std::vector<Pt> vein;
        const bool across = v % 3 != 2;
        const double start = r.range(40, across ? 380 : 600), wander = r.range(30, 80), phase = r.range(0, 6);
        for (int s = 0; s <= 10; ++s) {
            const double t = s / 10.0;
            vein.push_back(across ? Pt{t * 660 - 10, start + std::sin(t * 4 + phase) * wander + std::sin(t * 11) * 8}
                                  : Pt{start + std::sin(t * 3 + phase) * wander, t * 437 - 10});
        }
        veins.push_back(vein);
    }
    for (int f = 0; f < kFrames; ++f) {
        Canvas c = base.clone();
        for (size_t v = 0; v < veins.size(); ++v) {
            c.smooth(veins[v], false);
            c.stroke(Paint::solid(k.flesh.dark.with_alpha(0.8)), v % 2 ? 3.0 : 4.5);
            c.smooth(veins[v], false);
            c.stroke(Paint::solid(k.flesh.mid.with_alpha(0.45)), v % 2 ? 1.0 : 1.5);
            const double t = std::fmod(f / double(kFrames) + double(v) * 0.37, 1.0);
            const size_t i = size_t(t * 10);
            c.glow(veins[v][i].x, veins[v][i].y, 10, k.ember, 0.8);
        }
        art::dither_565(c);
        frames.push_back({.image = std::move(c)});
    }
    return frames;
}

// ---- gates and fittings ----
Canvas red_gate() {
    const Look& k = look();
    Canvas c(64, 418);
    // Two bone posts and the crimson field between them.
    c.rect(14, 0, 36, 418);
    c.fill(Paint::linear({14, 0}, {50, 0}, {{0, k.flesh.dark}, {0.5, k.ember}, {1, k.flesh.dark}}));
    for (double y = 8; y < 418; y += 26) {
        c.polyline({{14, y}, {24, y + 8}, {32, y + 2}, {42, y + 10}, {50, y + 4}});
        c.stroke(Paint::solid(Color::hex(0xffc0a0)), 1.2);
    }
    for (double px : {4.0, 50.0}) {
        c.rounded_rect(px, 0, 12, 418, 4);
        c.shade(k.bone, k.outline, 1.2, 120);
        for (double y = 20; y < 410; y += 40) {
            c.circle(px + 6, y, 3);
            c.fill(Paint::solid(k.flesh.mid));
        }
    }
    return c;
}

Canvas pylon() {
    const Look& k = look();
    Canvas c(44, 150);
    c.polygon({{6, 150}, {12, 40}, {22, 14}, {32, 40}, {38, 150}});
    c.shade(Ramp{Color::hex(0x06163a), Color::hex(0x1e4aa0), Color::hex(0x8ab8ff)}, k.outline, 1.2, 120);
    for (double y = 50; y < 150; y += 20) {
        c.rect(10, y, 24, 4);
        c.fill(Paint::solid(k.outline.with_alpha(0.7)));
    }
    c.orb(22, 24, 8, Color{1, 1, 1}, Color::hex(0x3a8aff));
    c.circle(22, 24, 8);
    c.stroke(Paint::solid(k.outline), 1.0);
    return c;
}

Canvas dead_cannon(bool facing_right) {
    const Look& k = look();
    Canvas c(90, 58);
    c.polygon({{10, 58}, {18, 30}, {60, 26}, {76, 58}});
    c.shade(k.chitin, k.outline, 1.2, 110);
    c.circle(40, 30, 15);
    c.shade(k.metal, k.outline, 1.0, 120);
    {
        auto s = c.scoped();
        c.translate(40, 30);
        c.rotate_deg(200);
        c.rect(8, -5, 42, 10);
        c.shade(k.metal, k.outline, 1.0, 270);
        c.rect(44, -6.5, 8, 13);
        c.shade(k.bone, k.outline);
    }
    c.circle(40, 30, 5);
    c.fill(Paint::solid(k.flesh.dark));
    if (facing_right) return c.flipped(true, false);
    return c;
}

Canvas shield() {
    const Look& k = look();
    Canvas c(30, 120);
    c.smooth({{26, 2}, {8, 30}, {4, 60}, {8, 90}, {26, 118}, {16, 60}}, true);
    c.fill_outlined(Paint::linear({0, 0}, {30, 0}, {{0, k.acid_core}, {0.4, k.acid}, {1, k.acid.darker(0.6)}}), k.outline, 1.2);
    for (double y = 14; y < 110; y += 12) {
        c.line({8, y}, {20, y + 4});
        c.stroke(Paint::solid(k.acid_core.with_alpha(0.8)), 1.0);
    }
    return c;
}

Canvas emitter() {
    const Look& k = look();
    Canvas c(24, 24);
    c.circle(12, 12, 10);
    c.shade(k.bone, k.outline, 1.0);
    art::energy_orb(c, 12, 12, 6, k.acid, k.acid.darker(0.4), 0.25, 3);
    return c;
}

}  // namespace

void add_gates(worlds::World& world) {
    // Dithered glow in more colours than a palette holds.
    world.sprite("background", background_frames(), art::Depth::True24);
    world.sprite("redbossleft", one_frame(red_gate(), 0, -1));
    world.sprite("bluebossleft", one_frame(pylon()));
    world.sprite("bluebossright", one_frame(pylon().flipped(false, true)));
    world.sprite("bosscannonleft", one_frame(dead_cannon(false)));
    world.sprite("bosscannonright", one_frame(dead_cannon(true)));
    world.sprite("shieldleft", one_frame(shield()));
    world.sprite("shieldshotleft", one_frame(emitter()));
    add_heart(world);
}

}  // namespace last
