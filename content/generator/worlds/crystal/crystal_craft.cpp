// The crystal world's flyers, all facing left.
//
// crystalwhiteship weaves like the space stalker: 7 frames, nose-up (1)
// through level (4) to nose-down (7); it fires from (x, y + 20).
// crystalwhitehelicopter loops a rotor of crystal blades and fires from its
// chin gun at (x, y + 20). crystalredship zigzags with its core pulsing (4
// frames) and fires from (x - 5, y + 10). crystalyellowship banks a frame
// per step while it slides up (towards 1) or down (towards 5), level on 3;
// it fires from (x - 5, y + 10).
#include <cmath>

#include "generator/art/prelude.h"
#include "generator/worlds/crystal/crystal_art.h"

namespace crystal {

namespace {

void thruster(Canvas& c, double x, double y, double length, double half, const Color& colour) {
    c.ellipse(x + length / 2, y, length / 2, half);
    c.fill(Paint::radial({x + 1, y}, 0, length, {{0, Color{1, 1, 1}}, {0.4, colour.lighter(0.4)}, {1, colour.darker(0.2)}}));
}

void white_ship(Canvas& c, int frame) {
    const Look& k = look();
    thruster(c, 20, 0, 7 + (frame % 2) * 2, 2.6, k.glow);
    // Upper and lower blades behind the hull.
    gem(c, {{-4, -3}, {10, -15}, {18, -14}, {14, -3}}, {10, -8}, k.violet, k.outline);
    gem(c, {{-4, 3}, {14, 3}, {18, 14}, {10, 15}}, {10, 8}, k.violet, k.outline);
    // The hull: a long cut stone.
    gem(c, {{-30, 0}, {-18, -6}, {4, -8}, {20, -5}, {23, 0}, {20, 5}, {4, 8}, {-18, 6}}, {-2, 0}, k.ice, k.outline);
    // Cockpit gem.
    gem(c, {{-16, -3}, {-8, -8}, {0, -7}, {-4, -2}}, {-7, -5}, k.cyan, k.outline);
    c.highlight(-8, -6, 2.4, 1, 0.9);
    // Gun spur under the nose.
    c.polygon({{-24, 2}, {-12, 2}, {-12, 5}, {-22, 5}});
    c.shade(k.silver, k.outline, 0.8);
}

void helicopter(Canvas& c, int frame) {
    const Look& k = look();
    const double phase = frame / 4.0;
    // Tail boom and fin.
    c.polygon({{30, 12}, {74, 10}, {76, 14}, {32, 20}});
    c.shade(k.ice, k.outline, 1.0, 100);
    gem(c, {{68, 10}, {73, 0}, {79, 1}, {77, 12}}, {74, 7}, k.violet, k.outline);
    {
        const double a = phase * 2 * kPi;
        c.line({76 - 7 * std::cos(a), 11 - 7 * std::sin(a)}, {76 + 7 * std::cos(a), 11 + 7 * std::sin(a)});
        c.stroke(Paint::solid(k.cyan.light), 2.0);
    }
    // Skids.
    c.polyline({{10, 37}, {12, 39}, {46, 39}, {50, 36}});
    c.stroke(Paint::solid(k.outline), 3.2);
    c.polyline({{10, 37}, {12, 39}, {46, 39}, {50, 36}});
    c.stroke(Paint::solid(k.violet.light), 1.5);
    for (double x : {18.0, 40.0}) {
        c.line({x, 30}, {x - 2, 39});
        c.stroke(Paint::solid(k.outline), 2.4);
    }
    // Body: a faceted shell.
    gem(c, {{6, 22}, {12, 10}, {26, 7}, {42, 8}, {50, 16}, {48, 28}, {36, 33}, {14, 32}}, {30, 20}, k.ice, k.outline);
    // Crystal canopy.
    gem(c, {{8, 20}, {12, 12}, {22, 10}, {26, 20}, {16, 24}}, {18, 17}, k.cyan, k.outline);
    c.highlight(15, 14, 3.6, 1.4, 0.9);
    // Rotor mast and crystal blades sweeping.
    c.rect(32, 1, 4, 7);
    c.fill_outlined(Paint::solid(k.violet.mid), k.outline, 1.0);
    const double reach = 38 * std::abs(std::cos(phase * kPi)) + 6;
    c.polygon({{34 - reach, 1.5}, {34, -0.5}, {34 + reach, 1.5}, {34, 3.5}});
    c.fill_outlined(Paint::linear({34 - reach, 0}, {34 + reach, 0},
                                  {{0, k.cyan.light.with_alpha(0.9)}, {0.5, k.violet.mid}, {1, k.cyan.light.with_alpha(0.9)}}),
                    k.outline, 1.0);
    // Chin gun.
    c.rect(2, 20, 12, 4);
    c.shade(k.silver, k.outline, 0.9);
    c.orb(44, 24, 1.6, Color{1, 1, 1}, k.magenta.mid);
}

void red_ship(Canvas& c, int frame) {
    const Look& k = look();
    const double pulse = 0.5 + 0.5 * std::sin(frame * kPi / 2);
    thruster(c, 40, 10, 6 + pulse * 3, 2.4, Color::hex(0xff6a4a));
    gem(c, {{18, 8}, {32, 0}, {40, 2}, {30, 9}}, {30, 5}, k.red, k.outline);
    gem(c, {{18, 12}, {30, 11}, {40, 18}, {32, 20}}, {30, 15}, k.red, k.outline);
    gem(c, {{0, 10}, {14, 4}, {34, 6}, {42, 10}, {34, 14}, {14, 16}}, {20, 10}, k.red, k.outline, frame / 4.0);
    // The core glows brighter and dimmer.
    c.circle(24, 10, 3.4);
    c.fill(Paint::radial({24, 10}, 0, 3.6, {{0, Color{1, 1, 1}}, {0.5, Color::hex(0xffd0a0).mixed(k.red.light, 1 - pulse)},
                                            {1, k.red.mid}}));
}

void yellow_ship(Canvas& c) {
    const Look& k = look();
    thruster(c, 20, 0, 8, 2.6, Color::hex(0xffe070));
    gem(c, {{-2, -3}, {8, -13}, {16, -13}, {12, -3}}, {9, -8}, k.yellow, k.outline);
    gem(c, {{-24, 0}, {-12, -6}, {8, -6}, {21, -3}, {21, 3}, {8, 6}, {-12, 6}}, {0, 0}, k.yellow, k.outline);
    gem(c, {{-12, -3}, {-5, -8}, {3, -7}, {-1, -2}}, {-4, -5}, k.cyan, k.outline);
    c.highlight(-5, -6, 2.2, 0.9, 0.9);
    gem(c, {{-2, 3}, {12, 3}, {16, 13}, {8, 13}}, {9, 8}, k.yellow, k.outline);
    c.rect(-20, 2, 8, 2.4);
    c.shade(k.silver, k.outline, 0.8);
}

}  // namespace

void gem(Canvas& c, const std::vector<Pt>& rim, Pt core, const Ramp& ramp, const Color& outline, double spin) {
    const size_t n = rim.size();
    for (size_t i = 0; i < n; ++i) {
        const Pt& a = rim[i];
        const Pt& b = rim[(i + 1) % n];
        const double mx = (a.x + b.x) / 2 - core.x, my = (a.y + b.y) / 2 - core.y;
        const double len = std::max(0.001, std::sqrt(mx * mx + my * my));
        const double facing = (-0.6 * mx - 0.8 * my) / len;  // towards the upper left
        const double t = 0.5 + 0.42 * facing + 0.16 * std::sin(i * 2.3 + spin * 2 * kPi);
        c.polygon({core, a, b});
        c.fill(Paint::solid(ramp.at(t)));
        c.polygon({core, a, b});
        c.stroke(Paint::solid(ramp.at(t + 0.25).with_alpha(0.5)), 0.6);
    }
    c.polygon(rim);
    c.stroke(Paint::solid(outline), 1.0);
}

void add_craft(worlds::World& world) {
    world.sprite("crystalwhiteship", art::turned_frames({.width = 64, .height = 44, .origin_x = 32, .origin_y = 20},
                                                        art::angle_steps(7, 18, -18), white_ship));
    world.sprite("crystalwhitehelicopter",
                 art::frames_of({.width = 84, .height = 44, .xoffset = -4, .yoffset = -2}, 4, helicopter));
    world.sprite("crystalredship", art::frames_of({.width = 54, .height = 24}, 4, red_ship));
    world.sprite("crystalyellowship",
                 art::turned_frames({.width = 52, .height = 40, .yoffset = -10, .origin_x = 25, .origin_y = 20},
                                    art::angle_steps(5, 14, -14), [](Canvas& c, int) { yellow_ship(c); }));
}

}  // namespace crystal
