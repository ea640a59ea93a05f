// The metal world's flyers.
//
// metalbluehelicopter loops its rotor and fires from (x, y + 20), where its
// chin gun is. metalgreenship rises out of floor hatches stepping its frame
// down and sinks out of ceiling hatches stepping it up, then flies level on
// frame 3: 5 frames from nose-up to nose-down; it fires from (x - 5, y + 10),
// just ahead of its nose. metalbossshot is an enemy shot, centred.
#include <cmath>

#include "generator/art/prelude.h"
#include "generator/worlds/metal/metal_art.h"

namespace metal {

namespace {

void helicopter(Canvas& c, int frame) {
    const Look& k = look();
    const double phase = frame / 4.0;  // a quarter turn of the two blades per frame
    // Tail boom and tail rotor.
    c.polygon({{30, 12}, {74, 10}, {76, 14}, {32, 20}});
    c.shade(k.blue, k.outline, 1.0, 100);
    c.polygon({{68, 10}, {74, 1}, {79, 1}, {77, 12}});
    c.shade(k.blue, k.outline, 1.0, 120);
    {
        const double a = phase * 2 * kPi;
        const double rx = 7 * std::abs(std::cos(a)) + 1.2, ry = 7 * std::abs(std::sin(a)) + 1.2;
        c.ellipse(76, 11, rx, ry);
        c.fill(Paint::solid(k.dark.mid.with_alpha(0.6)));
        c.line({76 - 7 * std::cos(a), 11 - 7 * std::sin(a)}, {76 + 7 * std::cos(a), 11 + 7 * std::sin(a)});
        c.stroke(Paint::solid(k.outline), 1.6);
    }
    // Skids.
    c.polyline({{10, 37}, {12, 39}, {46, 39}, {50, 36}});
    c.stroke(Paint::solid(k.outline), 3.2);
    c.polyline({{10, 37}, {12, 39}, {46, 39}, {50, 36}});
    c.stroke(Paint::solid(k.steel.mid), 1.5);
    for (double x : {18.0, 40.0}) {
        c.line({x, 30}, {x - 2, 39});
        c.stroke(Paint::solid(k.outline), 2.4);
    }
    // Fuselage.
    const std::vector<Pt> body{{6, 22}, {10, 12}, {22, 8}, {40, 8}, {48, 12}, {50, 22}, {44, 31}, {14, 32}};
    c.smooth(body);
    c.shade(k.blue, k.outline, 1.0, 110);
    {
        auto s = c.scoped();
        c.smooth(body).clip();
        c.rect(0, 24, 60, 10);
        c.fill(Paint::solid(k.blue.dark.with_alpha(0.6)));
        hazard_band(c, 38, 8, 5, 26);
        c.line({30, 8}, {30, 32});
        c.stroke(Paint::solid(k.blue.dark), 0.8, false);
    }
    // Canopy.
    c.smooth({{8, 20}, {11, 13}, {20, 10}, {27, 12}, {26, 21}, {14, 23}});
    c.shade(k.glass, k.outline, 1.0, 130);
    c.highlight(15, 14, 4, 1.6, 0.9);
    // Engine cowl and rotor mast.
    c.rounded_rect(24, 3, 20, 7, 3);
    c.shade(k.steel, k.outline, 1.0);
    c.rect(32, 0, 4, 4);
    c.fill_outlined(Paint::solid(k.dark.mid), k.outline, 1.0);
    // Main rotor: the blades seen edge-on sweep their length.
    {
        const double a = phase * kPi;
        const double reach = 38 * std::abs(std::cos(a)) + 6;
        c.ellipse(34, 1.5, reach, 2.2);
        c.fill(Paint::solid(k.dark.mid.with_alpha(0.45)));
        c.line({34 - reach, 1.5}, {34 + reach, 1.5});
        c.stroke(Paint::solid(k.outline), 2.0, false);
        c.line({34 - reach * 0.9, 1.0}, {34 + reach * 0.9, 1.0});
        c.stroke(Paint::solid(k.steel.light), 0.8, false);
    }
    // Chin gun.
    c.rect(2, 20, 12, 4);
    c.shade(k.dark, k.outline, 0.9);
    c.orb(44, 26, 1.6, Color{1, 1, 1}, k.red.mid);
}

void green_fighter(Canvas& c) {
    const Look& k = look();
    // Exhaust.
    c.ellipse(28, 0, 6, 2.6);
    c.fill(Paint::radial({24, 0}, 0, 8, {{0, Color{1, 1, 1}}, {0.5, k.lamp.lighter(0.3)}, {1, k.lamp.darker(0.3)}}));
    // Far wing.
    c.polygon({{-2, -3}, {10, -11}, {16, -11}, {12, -3}});
    c.shade(k.olive, k.outline, 1.0, 110);
    const std::vector<Pt> body{{-24, 0}, {-14, -4}, {8, -5}, {22, -4}, {25, 0}, {22, 4.5}, {6, 5.5}, {-14, 4}};
    c.polygon(body);
    c.shade(k.olive, k.outline, 1.0, 100);
    {
        auto s = c.scoped();
        c.polygon(body).clip();
        hazard_band(c, -24, -1, 8, 6);
        c.rect(-30, 2.5, 60, 4);
        c.fill(Paint::solid(k.olive.dark.with_alpha(0.6)));
    }
    c.smooth({{-14, -3}, {-8, -8}, {2, -8.5}, {6, -4.5}});
    c.shade(k.glass, k.outline, 1.0, 130);
    c.highlight(-4, -6.6, 2.6, 0.9, 0.9);
    // Near wing with its missile rail.
    c.polygon({{-2, 3}, {10, 11}, {17, 11}, {13, 3}});
    c.shade(k.olive, k.outline, 1.0, 110);
    c.rect(2, 9, 12, 2.4);
    c.shade(k.steel, k.outline, 0.8);
    c.rect(-22, 2, 6, 1.8);
    c.fill(Paint::solid(k.dark.mid));
}

void boss_shot(Canvas& c, int frame) {
    const Look& k = look();
    const double pulse = 0.8 + 0.2 * std::sin(frame * kPi / 2);
    c.circle(0, 0, 7.5 * pulse);
    c.fill(Paint::radial({0, 0}, 0, 8, {{0, Color{1, 1, 1}}, {0.4, Color::hex(0xffd060)}, {0.8, k.energy}, {1, k.red.dark}}));
    for (int i = 0; i < 4; ++i) {
        const double a = (i * 90 + frame * 22.5) * kPi / 180;
        c.line({std::cos(a) * 3, std::sin(a) * 3}, {std::cos(a) * 8.5, std::sin(a) * 8.5});
    }
    c.stroke(Paint::solid(Color::hex(0xfff0b0)), 1.2);
}

}  // namespace

void hazard_band(Canvas& c, double x, double y, double w, double h) {
    const Look& k = look();
    auto s = c.scoped();
    c.rect(x, y, w, h).clip();
    c.rect(x, y, w, h);
    c.fill(Paint::solid(k.hazard.mid));
    for (double sx = x - h; sx < x + w + h; sx += 8) c.polygon({{sx, y + h}, {sx + 4, y + h}, {sx + 4 + h, y}, {sx + h, y}});
    c.fill(Paint::solid(Color::hex(0x15120a)));
}

void add_craft(worlds::World& world) {
    world.sprite("metalbluehelicopter",
                 art::frames_of({.width = 84, .height = 44, .xoffset = -4, .yoffset = -2}, 4, helicopter));
    world.sprite("metalgreenship",
                 art::turned_frames({.width = 58, .height = 40, .yoffset = -10, .origin_x = 27, .origin_y = 20},
                                    art::angle_steps(5, 24, -24), [](Canvas& c, int) { green_fighter(c); }));
    world.sprite(
        "metalbossshot",
        art::frames_of({.width = 20, .height = 20, .xoffset = -10, .yoffset = -10, .origin_x = 10, .origin_y = 10}, 4,
                       boss_shot));
}

}  // namespace metal
