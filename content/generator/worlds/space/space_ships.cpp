// The space world's flyers. All face left, the way they attack.
//
// spacewhiteship weaves: it steps its frame down while climbing and up while
// diving and returns to frame 4 when it backs off, so 7 frames pitch from
// nose-up (1) through level (4) to nose-down (7). spacegreenship dives and
// climbs by whole frames for 50 frames and levels out on frame 6: 11 frames
// from nose-up to nose-down. spacefrogship steps up while diving, down while
// climbing and centres on frame 2 (5 frames / 2): 1 crouched nose-up, 2 level,
// 3..5 legs flung out, nose down. All three fire from (x, y + 20): their noses
// sit on that row in level flight. rocketship accelerates straight on and
// loops its flame; spacesatalite only drifts (one frame).
#include <cmath>

#include "generator/art/prelude.h"
#include "generator/worlds/space/space_art.h"

namespace space {

namespace {

void engine_flame(Canvas& c, double x, double y, double length, double half, const Color& colour) {
    c.ellipse(x + length / 2, y, length / 2, half);
    c.fill(Paint::radial({x + 1, y}, 0, length,
                         {{0, Color{1, 1, 1}}, {0.35, colour.lighter(0.45)}, {0.8, colour}, {1, colour.darker(0.3)}}));
}

// ---- white interceptor ----

void white_ship(Canvas& c, int frame) {
    const Look& k = look();
    const double flicker = (frame % 2) * 1.5;
    engine_flame(c, 22, -1, 8 + flicker, 2.6, k.engine);
    // Far wing, behind the body.
    c.polygon({{-2, -3}, {12, -13}, {19, -13}, {14, -3}});
    c.shade(k.steel, k.outline, 1.0, 100);
    // Tail fin.
    c.polygon({{10, -5}, {17, -15}, {22, -15}, {21, -4}});
    c.shade(k.panel, k.outline, 1.0, 120);
    // Body.
    const std::vector<Pt> body{{-31, 1.5}, {-22, -3}, {-10, -5.5}, {6, -6}, {18, -5.5}, {24, -3.5},
                               {24, 3},    {16, 5.5}, {0, 6},     {-14, 5}, {-24, 3.5}};
    c.polygon(body);
    c.shade(k.white, k.outline, 1.0, 100);
    {
        auto s = c.scoped();
        c.polygon(body).clip();
        c.rect(-32, 2.2, 60, 1.6);
        c.fill(Paint::solid(k.panel.mid));
        c.rect(-32, 4.2, 60, 3);
        c.fill(Paint::solid(k.white.dark.with_alpha(0.7)));
        c.line({-4, -6}, {-4, 5.5});
        c.line({14, -6}, {14, 5.5});
        c.stroke(Paint::solid(k.white.dark.with_alpha(0.8)), 0.7, false);
    }
    // Nozzle.
    c.rounded_rect(21, -4, 4, 6.5, 1);
    c.shade(k.gunmetal, k.outline, 1.0);
    // Canopy.
    c.smooth({{-20, -3.2}, {-15, -8.2}, {-7, -9.2}, {-1, -6.2}, {-3, -4.6}, {-14, -3.6}});
    c.shade(k.glass, k.outline, 1.0, 130);
    c.highlight(-11, -7.4, 3, 1, 0.9);
    // Near wing, swept under the body.
    c.polygon({{-6, 3}, {10, 13}, {18, 13}, {13, 3}});
    c.shade(k.white, k.outline, 1.0, 110);
    c.polygon({{8, 10}, {11, 12}, {17, 12}, {15, 10}});
    c.fill(Paint::solid(k.red.mid));
    // Gun pod under the nose and a nose light.
    c.rect(-24, 2.5, 9, 2.4);
    c.shade(k.gunmetal, k.outline, 0.8);
    c.circle(-29.5, 1.2, 1.2);
    c.fill(Paint::solid(k.red.light));
    c.polyline({{-22, -2.6}, {-10, -4.8}, {8, -5.3}});
    c.stroke(Paint::solid(Color{1, 1, 1, 0.7}), 0.8);
}

// ---- green diver ----

void green_ship(Canvas& c, int frame) {
    const Look& k = look();
    const double flicker = (frame % 3) * 1.0;
    engine_flame(c, 17, -3, 7 + flicker, 2.0, Color::hex(0x9aff6a));
    engine_flame(c, 17, 3.5, 7 + flicker, 2.0, Color::hex(0x9aff6a));
    // Forward-swept wing behind.
    c.polygon({{2, -3}, {-10, -13}, {-5, -14}, {12, -4}});
    c.shade(k.green, k.outline, 1.0, 110);
    // Body.
    const std::vector<Pt> body{{-24, 1}, {-14, -4.5}, {4, -6}, {16, -6}, {19, -2}, {19, 6.5},
                               {10, 8},  {-8, 6.5},   {-18, 4}};
    c.polygon(body);
    c.shade(k.green, k.outline, 1.0, 100);
    {
        auto s = c.scoped();
        c.polygon(body).clip();
        c.rect(-25, 0.5, 46, 1.4);
        c.fill(Paint::solid(k.green.dark.with_alpha(0.8)));
        for (double x : {-6.0, 6.0}) {
            c.line({x, -6}, {x, 8});
        }
        c.stroke(Paint::solid(k.green.dark.with_alpha(0.8)), 0.7, false);
    }
    // Intakes and nozzles.
    c.rounded_rect(16, -5.5, 4, 5, 1);
    c.shade(k.gunmetal, k.outline, 0.8);
    c.rounded_rect(16, 1.5, 4, 5, 1);
    c.shade(k.gunmetal, k.outline, 0.8);
    // Canopy: a long dark visor.
    c.smooth({{-17, -3}, {-10, -7.5}, {0, -8}, {4, -5.5}, {-6, -4}});
    c.shade(Ramp{Color::hex(0x101a08), Color::hex(0x506a20), Color::hex(0xf0ff90)}, k.outline, 1.0, 130);
    c.highlight(-7, -6.4, 3, 0.9, 0.8);
    // Near wing.
    c.polygon({{4, 5}, {-9, 15}, {-3, 16}, {13, 6}});
    c.shade(k.green, k.outline, 1.0, 110);
    c.polygon({{-4, 12}, {-7, 14.5}, {-4, 15}, {1, 11.5}});
    c.fill(Paint::solid(k.gold.light));
    // Twin guns.
    c.rect(-22, 4, 8, 2);
    c.shade(k.gunmetal, k.outline, 0.8);
    c.polyline({{-14, -3.8}, {4, -5.3}, {14, -5.3}});
    c.stroke(Paint::solid(Color{1, 1, 1, 0.55}), 0.8);
}

// ---- frog ship ----

// stretch: 0 legs tucked, 1 legs flung out.
void frog_ship(Canvas& c, double stretch, int frame) {
    const Look& k = look();
    const Color eye_white = Color::hex(0xfff6c0);
    // Hind legs: thrusters on jointed struts that swing back as they stretch.
    const double knee_x = 10 + 6 * stretch, knee_y = 9 + 2 * stretch;
    const double foot_x = 16 + 14 * stretch, foot_y = 6 + 10 * stretch;
    for (double side : {-1.0, 1.0}) {
        const double dy = side < 0 ? -1.5 : 0;
        c.polyline({{4, 4 + dy}, {knee_x, knee_y + dy}, {foot_x, foot_y + dy}});
        c.stroke(Paint::solid(k.outline), 5.2);
        c.polyline({{4, 4 + dy}, {knee_x, knee_y + dy}, {foot_x, foot_y + dy}});
        c.stroke(Paint::solid(side < 0 ? k.frog.dark : k.frog.mid), 3.2);
    }
    c.ellipse(foot_x + 2, foot_y, 4, 2.6);
    c.shade(k.gunmetal, k.outline);
    engine_flame(c, foot_x + 5, foot_y, 4 + 4 * stretch + (frame % 2), 1.8, Color::hex(0xd0ff60));
    // Body: a squat, rounded hull.
    c.smooth({{-20, 2}, {-16, -6}, {-4, -9}, {10, -8}, {18, -2}, {16, 6}, {4, 9}, {-12, 8}});
    c.shade(k.frog, k.outline, 1.0, 105);
    // Belly plate.
    {
        auto s = c.scoped();
        c.smooth({{-20, 2}, {-16, -6}, {-4, -9}, {10, -8}, {18, -2}, {16, 6}, {4, 9}, {-12, 8}}).clip();
        c.ellipse(-2, 10, 18, 5);
        c.fill(Paint::solid(Color::hex(0xe8e0a0)));
        c.ellipse(-2, 10, 18, 5);
        c.stroke(Paint::solid(k.frog.dark), 0.8);
        // Mouth seam with the gun.
        c.polyline({{-21, 2.5}, {-12, 4}, {-2, 3.5}});
        c.stroke(Paint::solid(k.outline), 1.0);
        // Spots.
        for (const Pt& p : std::vector<Pt>{{2, -4}, {9, -3}, {6, 1}, {12, 2}}) {
            c.circle(p.x, p.y, 1.6);
            c.fill(Paint::solid(k.frog.dark.with_alpha(0.7)));
        }
    }
    // Front legs: landing claws that open with the leap.
    c.polyline({{-10, 7}, {-13 - 3 * stretch, 12 + stretch}, {-17 - 3 * stretch, 12 + stretch}});
    c.stroke(Paint::solid(k.outline), 3.4);
    c.polyline({{-10, 7}, {-13 - 3 * stretch, 12 + stretch}, {-17 - 3 * stretch, 12 + stretch}});
    c.stroke(Paint::solid(k.frog.mid), 1.6);
    // Eye domes with slit pupils looking ahead.
    for (double ex : {-11.0, -2.0}) {
        c.circle(ex, -9, 5);
        c.shade(Ramp{Color::hex(0xa07010), Color::hex(0xffc830), eye_white}, k.outline, 1.0, 120);
        c.ellipse(ex - 1.6, -8.6, 1.1, 3.2);
        c.fill(Paint::solid(k.outline));
        c.highlight(ex + 1.2, -11, 1.6, 1.0, 0.95);
    }
    c.circle(-21, 2.5, 1.3);
    c.fill(Paint::solid(k.red.light));
}

// ---- rocket ship ----

void rocket_ship(Canvas& c, int frame) {
    const Look& k = look();
    const double flame = 10 + (frame % 4 == 1 ? 6 : frame % 4 == 3 ? 3 : 0);
    engine_flame(c, 27, 0, flame, 4.2, k.hot);
    // Fins behind.
    c.polygon({{12, -4}, {22, -12}, {27, -12}, {25, -4}});
    c.shade(k.red, k.outline, 1.0, 110);
    // Body: a long shell, white with red bands.
    const std::vector<Pt> body{{-34, 0}, {-27, -4.5}, {-14, -6.5}, {20, -6.5}, {27, -4.5},
                               {27, 4.5}, {20, 6.5},  {-14, 6.5},  {-27, 4.5}};
    c.polygon(body);
    c.shade(k.white, k.outline, 1.0, 100);
    {
        auto s = c.scoped();
        c.polygon(body).clip();
        c.polygon({{-36, -8}, {-24, -8}, {-24, 8}, {-36, 8}});
        c.fill(Paint::vertical(-7, 7, {{0, k.red.light}, {0.5, k.red.mid}, {1, k.red.dark}}));
        for (double x : {-2.0, 12.0}) {
            c.rect(x, -8, 4, 16);
            c.fill(Paint::vertical(-7, 7, {{0, k.red.light}, {0.5, k.red.mid}, {1, k.red.dark}}));
        }
        c.rect(-36, 3.5, 64, 4);
        c.fill(Paint::solid(k.white.dark.with_alpha(0.5)));
    }
    c.polygon(body);
    c.stroke(Paint::solid(k.outline), 1.0);
    // Port holes and the nozzle.
    for (double x : {-18.0, -11.0}) {
        c.circle(x, -1.5, 2);
        c.shade(k.glass, k.outline, 0.8, 130);
    }
    c.rounded_rect(26, -5, 4, 10, 1);
    c.shade(k.gunmetal, k.outline, 1.0);
    // Near fin.
    c.polygon({{12, 4}, {22, 13}, {28, 13}, {25, 4}});
    c.shade(k.red, k.outline, 1.0, 110);
    c.polyline({{-26, -4}, {-14, -5.6}, {18, -5.6}});
    c.stroke(Paint::solid(Color{1, 1, 1, 0.7}), 0.8);
}

// ---- satellite ----

void satellite(Canvas& c) {
    const Look& k = look();
    // Solar wings on a boom.
    c.rect(-44, -1.5, 88, 3);
    c.shade(k.steel, k.outline, 1.0);
    for (double side : {-1.0, 1.0}) {
        const double x0 = side < 0 ? -48 : 16;
        c.polygon({{x0, -14}, {x0 + 32, -18}, {x0 + 32, 14}, {x0, 18}});
        c.shade(k.panel, k.outline, 1.0, 120);
        auto s = c.scoped();
        c.polygon({{x0, -14}, {x0 + 32, -18}, {x0 + 32, 14}, {x0, 18}}).clip();
        for (int i = 1; i < 4; ++i) {
            const double x = x0 + i * 8;
            c.line({x, -20}, {x, 20});
        }
        for (int j = -1; j <= 1; ++j) c.line({x0, j * 8.0}, {x0 + 32, j * 8.0});
        c.stroke(Paint::solid(k.panel.light.with_alpha(0.55)), 0.8, false);
        c.polygon({{x0 + 2, -13}, {x0 + 10, -14}, {x0 + 10, -6}, {x0 + 2, -5}});
        c.fill(Paint::solid(Color{1, 1, 1, 0.25}));
    }
    // The body, wrapped in gold foil.
    c.rounded_rect(-14, -14, 28, 28, 3);
    c.shade(k.gold, k.outline, 1.0, 115);
    {
        auto s = c.scoped();
        c.rounded_rect(-14, -14, 28, 28, 3).clip();
        const art::Noise noise(art::seed_of("spacesatalite"));
        for (int i = 0; i < 7; ++i) {
            const double y = -12 + i * 4 + (noise.at(i * 1.3, 0.5) - 0.5) * 3;
            c.polyline({{-14, y}, {-4, y + (noise.at(i, 2) - 0.5) * 4}, {6, y - 1}, {14, y + 1.5}});
        }
        c.stroke(Paint::solid(k.gold.dark.with_alpha(0.6)), 0.8);
    }
    // Dish antenna on top and a beacon below.
    c.polyline({{0, -14}, {0, -20}});
    c.stroke(Paint::solid(k.outline), 2.4);
    c.ellipse(0, -22, 10, 4);
    c.shade(k.white, k.outline, 1.0, 120);
    c.circle(0, -25, 1.5);
    c.fill(Paint::solid(k.steel.light));
    c.rect(-2, 14, 4, 5);
    c.shade(k.steel, k.outline, 0.8);
    c.orb(0, 20.5, 2.2, Color{1, 1, 1}, k.red.mid);
    c.highlight(-6, -9, 4, 2, 0.6);
}

}  // namespace

void add_ships(worlds::World& world) {
    world.sprite("spacewhiteship", art::turned_frames({.width = 66, .height = 44, .origin_x = 33, .origin_y = 20},
                                                      art::angle_steps(7, 21, -21), white_ship));
    world.sprite("spacegreenship",
                 art::turned_frames({.width = 62, .height = 56, .yoffset = -6, .origin_x = 31, .origin_y = 26},
                                    art::angle_steps(11, 40, -40), green_ship));
    {
        const std::vector<double> tilt{9, 0, -6, -12, -18};
        const std::vector<double> stretch{0, 0.25, 0.55, 0.8, 1.0};
        world.sprite(
            "spacefrogship",
            art::frames_of({.width = 72, .height = 52, .xoffset = -4, .yoffset = -4, .origin_x = 34, .origin_y = 26}, 5,
                           [&](Canvas& c, int i) {
                               c.rotate_deg(tilt[size_t(i)]);
                               frog_ship(c, stretch[size_t(i)], i);
                           }));
    }
    world.sprite(
        "rocketship",
        art::frames_of({.width = 86, .height = 30, .xoffset = -2, .origin_x = 38, .origin_y = 15}, 4, rocket_ship));
    world.sprite("spacesatalite", art::frames_of({.width = 104, .height = 60, .origin_x = 52, .origin_y = 30}, 1,
                                                 [](Canvas& c, int) { satellite(c); }));
}

}  // namespace space
