// Submarines of the water world, both bows to the left.
//
// wateryellowsub plays its propeller back and forth (4 frames) and fires
// from (x, y + 20): a torpedo tube low in its bow. watergreysub dives by
// stepping its frame up and levels out on frame 4: 7 frames from bow-up (1)
// to bow-down (7). It launches a row of three shots from (x + 35, y),
// (x + 50, y) and (x + 65, y): the hatches of the launch tubes on its deck,
// which lies on row y + 2 in level trim.
#include <cmath>

#include "generator/art/prelude.h"
#include "generator/worlds/water/water_art.h"

namespace water {

namespace {

// A propeller seen from the side at the stern: its blades turn through `phase`.
void propeller(Canvas& c, double x, double y, double r, double phase, const Ramp& ramp, const Color& outline) {
    for (int b = 0; b < 3; ++b) {
        const double a = (phase + b / 3.0) * 2 * kPi;
        const double tip = std::sin(a) * r, width = 2.5 + 2 * std::abs(std::cos(a));
        c.ellipse(x + 1, y + tip / 2, width, std::abs(tip) / 2 + 1);
        c.shade(ramp, outline, 0.8);
    }
    c.circle(x, y, 2.2);
    c.fill_outlined(Paint::solid(ramp.dark), outline, 0.8);
}

void yellow_sub(Canvas& c, int frame) {
    const Look& k = look();
    propeller(c, 74, 20, 9, frame / 8.0, k.grey, k.outline);
    // Stern fins.
    c.polygon({{58, 16}, {70, 6}, {74, 8}, {68, 18}});
    c.shade(k.yellow, k.outline);
    c.polygon({{58, 24}, {70, 33}, {74, 31}, {68, 22}});
    c.shade(k.yellow, k.outline);
    // Hull.
    const std::vector<Pt> hull{{2, 20}, {6, 12}, {20, 8}, {56, 9}, {70, 16}, {70, 24}, {56, 31}, {20, 32}, {6, 28}};
    c.smooth(hull);
    c.shade(k.yellow, k.outline, 1.0, 110);
    {
        auto s = c.scoped();
        c.smooth(hull).clip();
        c.rect(0, 24, 80, 10);
        c.fill(Paint::solid(k.yellow.dark.with_alpha(0.45)));
        for (double x : {24.0, 44.0}) c.line({x, 8}, {x, 32});
        c.stroke(Paint::solid(k.yellow.dark.with_alpha(0.7)), 0.8, false);
    }
    // Conning tower and periscope.
    c.polygon({{28, 10}, {31, 1}, {48, 1}, {52, 10}});
    c.shade(k.yellow, k.outline, 1.0, 110);
    c.polyline({{36, 1}, {36, -6}, {31, -6}});
    c.stroke(Paint::solid(k.outline), 3);
    c.polyline({{36, 1}, {36, -6}, {31, -6}});
    c.stroke(Paint::solid(k.grey.light), 1.4);
    // Port holes.
    for (double x : {14.0, 26.0, 38.0, 50.0}) {
        c.circle(x, 17, 3);
        c.fill_outlined(Paint::radial({x - 1, 16}, 0, 3, {{0, Color{1, 1, 1}}, {0.5, k.glass.light}, {1, k.glass.mid}}),
                        k.outline, 1.0);
    }
    // Torpedo tube in the bow.
    c.circle(5, 22, 2.4);
    c.fill_outlined(Paint::solid(Color::hex(0x101010)), k.outline, 0.8);
    c.highlight(30, 11, 12, 2, 0.6);
}

void grey_sub(Canvas& c, int frame) {
    const Look& k = look();
    propeller(c, 46, 0, 8, frame / 7.0, k.grey, k.outline);
    c.polygon({{30, -2}, {42, -12}, {46, -10}, {40, -1}});
    c.shade(k.grey, k.outline);
    c.polygon({{30, 4}, {42, 13}, {46, 11}, {40, 3}});
    c.shade(k.grey, k.outline);
    const std::vector<Pt> hull{{-45, 2}, {-40, -8}, {-20, -13}, {26, -13}, {42, -5}, {42, 5}, {26, 12}, {-20, 13}, {-40, 10}};
    c.smooth(hull);
    c.shade(k.grey, k.outline, 1.0, 110);
    {
        auto s = c.scoped();
        c.smooth(hull).clip();
        c.rect(-50, 5, 100, 10);
        c.fill(Paint::solid(k.grey.dark.with_alpha(0.55)));
        // Launch-tube hatches along the deck.
        for (double x : {-10.0, 5.0, 20.0}) {
            c.rect(x - 4, -14, 8, 4);
            c.fill_outlined(Paint::solid(k.grey.dark), k.outline, 0.8);
        }
        c.rect(-50, -1, 100, 1.5);
        c.fill(Paint::solid(Color::hex(0xc03030)));
    }
    // Sail with a red lamp.
    c.polygon({{-30, -12}, {-27, -22}, {-12, -22}, {-8, -12}});
    c.shade(k.grey, k.outline, 1.0, 110);
    c.orb(-19, -18, 2, Color{1, 1, 1}, Color::hex(0xff3030));
    c.highlight(-5, -10, 14, 2, 0.5);
}

}  // namespace

void add_subs(worlds::World& world) {
    world.sprite(
        "wateryellowsub",
        art::frames_of({.width = 82, .height = 44, .xoffset = -2, .yoffset = -8, .origin_y = 8}, 4, yellow_sub));
    // Level trim: the deck (row -13 of the drawing) lies on row y + 2 and the
    // middle of the boat at x + 45.
    world.sprite(
        "watergreysub",
        art::turned_frames({.width = 104, .height = 60, .xoffset = -7, .yoffset = -13, .origin_x = 52, .origin_y = 28},
                           art::angle_steps(7, 24, -24), grey_sub));
}

}  // namespace water
