// The water boss: a brain in a glass sphere on a collar of lamps, with
// tentacles trailing below. It pulses back and forth over 6 frames. Its
// cells circle (x + 70, y + 70) at about 127 pixels, so the sphere is centred
// there. waterbraincell (4 frames, pulsing) is centred on its position, the
// point that circles; it fires from (x, y + 20), just under itself.
#include <cmath>

#include "generator/art/prelude.h"
#include "generator/worlds/water/water_art.h"

namespace water {

namespace {

// The brain's folds: wavy strokes inside its outline.
void folds(Canvas& c, double cx, double cy, double r, const Ramp& ramp, double phase) {
    const art::Noise noise(art::seed_of("waterboss folds"));
    for (int i = 0; i < 9; ++i) {
        std::vector<Pt> fold;
        const double y0 = cy - r * 0.8 + i * r * 0.2;
        for (int j = 0; j <= 10; ++j) {
            const double x = cx - r + j * r * 0.2;
            fold.push_back({x, y0 + (noise.at(i * 3.1, j * 0.9) - 0.5) * r * 0.35 + std::sin(j + i + phase) * 1.5});
        }
        c.smooth(fold, false);
        c.stroke(Paint::solid(ramp.dark.with_alpha(0.8)), 1.6);
        c.smooth(fold, false);
        c.stroke(Paint::solid(ramp.light.with_alpha(0.5)), 0.7);
    }
    c.line({cx, cy - r}, {cx + 3, cy + r});
    c.stroke(Paint::solid(ramp.dark), 2.0);
}

void boss(Canvas& c, int frame) {
    const Look& k = look();
    const double pulse = frame / 5.0;  // 0..1 over the to-and-fro
    const double cx = 85, cy = 85;     // (x + 70, y + 70) in the image
    // Tentacles: segmented tubes swaying under the collar.
    for (int t = 0; t < 3; ++t) {
        const double x0 = cx - 28 + t * 28;
        std::vector<Pt> tube;
        for (int j = 0; j <= 6; ++j) {
            tube.push_back({x0 + std::sin(pulse * kPi + j * 0.7 + t * 2) * (2 + j * 1.6), cy + 52 + j * 11.0});
        }
        c.smooth(tube, false);
        c.stroke(Paint::solid(k.outline), 9);
        c.smooth(tube, false);
        c.stroke(Paint::solid(k.grey.mid), 6);
        c.smooth(tube, false);
        c.stroke(Paint::solid(k.grey.light.with_alpha(0.6)), 2);
        c.orb(tube.back().x, tube.back().y + 2, 4, Color{1, 1, 1}, k.teal.mid);
    }
    // Collar of lamps.
    c.rounded_rect(cx - 50, cy + 40, 100, 18, 8);
    c.shade(k.grey, k.outline, 1.2);
    for (int i = 0; i < 6; ++i) {
        const bool lit = (i + frame) % 3 == 0;
        c.orb(cx - 40 + i * 16, cy + 49, 3.2, Color{1, 1, 1}, lit ? k.light : k.coral.dark);
    }
    // The brain, swelling a little with the pulse.
    const double r = 46 + 2.5 * pulse;
    c.smooth({{cx - r, cy + 4}, {cx - r * 0.8, cy - r * 0.7}, {cx, cy - r * 0.95}, {cx + r * 0.8, cy - r * 0.7},
              {cx + r, cy + 4}, {cx + r * 0.7, cy + r * 0.75}, {cx, cy + r * 0.8}, {cx - r * 0.7, cy + r * 0.75}});
    c.shade(k.pink, k.outline, 1.2, 115);
    folds(c, cx, cy, r * 0.9, k.pink, pulse * 2);
    // Glowing veins.
    c.arc(cx, cy - 4, r * 0.55, 200, 340);
    c.stroke(Paint::solid(k.teal.light.with_alpha(0.35 + 0.4 * pulse)), 1.4);
    // The glass sphere.
    c.circle(cx, cy, 64);
    c.stroke(Paint::solid(k.outline), 3.0);
    c.circle(cx, cy, 62.5);
    c.stroke(Paint::solid(k.glass.light.with_alpha(0.8)), 1.4);
    c.arc(cx, cy, 56, 200, 250);
    c.stroke(Paint::solid(Color{1, 1, 1, 0.9}), 3.0);
    c.highlight(cx - 30, cy - 36, 10, 5, 0.9);
}

// A cell: large and bright, a target the ships can follow as it wheels
// round the brain (it moves about 11 pixels a frame).
void cell(Canvas& c, int frame) {
    const Look& k = look();
    const double s = 1 + 0.06 * std::sin(frame * kPi / 2);
    const double r = 28 * s;
    c.circle(0, 0, r);
    c.fill_outlined(Paint::radial({-6, -7}, 0, {0, 0}, r, {{0, k.pink.light}, {0.6, k.pink.mid}, {1, k.purple.dark}}),
                    k.outline, 1.4);
    // Nucleus and organelles.
    c.circle(4, 3, 10);
    c.fill_outlined(Paint::radial({3, 2}, 0, 11, {{0, Color::hex(0xffe8a0)}, {1, k.coral.mid}}), k.outline, 1.0);
    for (const Pt& p : std::vector<Pt>{{-15, 8}, {-5, -16}, {15, -12}, {-16, -5}, {8, 18}, {18, 6}}) {
        c.circle(p.x, p.y, 2.8);
        c.fill(Paint::solid(k.purple.mid));
    }
    c.highlight(-9, -13, 8, 4.5, 0.85);
}

}  // namespace

void add_boss(worlds::World& world) {
    world.sprite("waterboss", art::frames_of({.width = 170, .height = 212, .xoffset = -15, .yoffset = -15}, 6, boss));
    world.sprite(
        "waterbraincell",
        art::frames_of({.width = 62, .height = 62, .xoffset = -31, .yoffset = -31, .origin_x = 31, .origin_y = 31}, 4,
                       cell));
}

}  // namespace water
