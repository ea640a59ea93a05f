// The metal world's two bosses.
//
// robot: a body of no collision class standing on the floor; on its first
// frame it puts its head at (x + 105, y - 30) and its gun arm at (x + 40,
// y + 100). The body image runs from its position down to its feet at row
// 280; the shoulders meet the head's neck at (137, 20) and the elbow the gun
// at (138, 120). robothead fires from (x - 15, y + 15): its jaw gun.
// robotgun fires from (x, y + 20) and spins its barrels (4 frames) while
// firing.
// metalboss: a reactor core drawn on layer 2, centred on (x + 70, y + 130),
// the centre its three guns circle at about 125 pixels. metalbossgun shows
// frame 1 between shots and frame 2 on the frames it fires, from (x, y + 20):
// its muzzle points down; the pod is centred on (x, y + 8).
#include <cmath>

#include "generator/art/prelude.h"
#include "generator/worlds/metal/metal_art.h"

namespace metal {

namespace {

void rivets(Canvas& c, const std::vector<Pt>& at, const Color& colour) {
    for (const Pt& p : at) {
        c.circle(p.x, p.y, 1.3);
        c.fill(Paint::solid(colour));
    }
}

// ---- robot ----

void robot_leg(Canvas& c, double hip_x, const Ramp& ramp, const Color& outline) {
    c.polygon({{hip_x - 18, 176}, {hip_x + 18, 176}, {hip_x + 22, 214}, {hip_x - 14, 214}});
    c.shade(ramp, outline, 1.0, 110);
    c.circle(hip_x + 4, 216, 12);
    c.shade(ramp, outline, 1.0, 110);
    c.polygon({{hip_x - 10, 220}, {hip_x + 18, 220}, {hip_x + 14, 262}, {hip_x - 8, 262}});
    c.shade(ramp, outline, 1.0, 110);
    c.polygon({{hip_x - 30, 280}, {hip_x - 24, 262}, {hip_x + 24, 262}, {hip_x + 30, 280}});
    c.shade(ramp, outline, 1.0, 100);
}

Canvas robot_body() {
    const Look& k = look();
    const Ramp armour{Color::hex(0x1e2434), Color::hex(0x5a6684), Color::hex(0xb8c4dc)};
    Canvas c(272, 292);
    auto s = c.scoped();
    c.translate(6, 6);
    // Far arm and far leg, in shadow.
    c.polygon({{214, 50}, {236, 50}, {244, 150}, {222, 150}});
    c.shade(k.dark, k.outline);
    c.polygon({{218, 150}, {248, 150}, {252, 176}, {240, 168}, {232, 182}, {224, 168}, {214, 176}});
    c.shade(k.dark, k.outline);
    robot_leg(c, 190, k.dark, k.outline);
    // Pelvis.
    c.rounded_rect(108, 146, 110, 36, 6);
    c.shade(k.steel, k.outline);
    hazard_band(c, 112, 164, 102, 6);
    c.rounded_rect(108, 146, 110, 36, 6);
    c.stroke(Paint::solid(k.outline), 1.0);
    robot_leg(c, 130, armour, k.outline);
    // Torso.
    const std::vector<Pt> torso{{84, 22}, {236, 22}, {226, 118}, {204, 154}, {118, 154}, {96, 118}};
    c.polygon(torso);
    c.shade(armour, k.outline, 1.2, 115);
    {
        auto clip = c.scoped();
        c.polygon(torso).clip();
        c.polygon({{84, 100}, {240, 100}, {240, 160}, {84, 160}});
        c.fill(Paint::solid(armour.dark.with_alpha(0.55)));
        for (double y : {48.0, 100.0}) c.line({80, y}, {240, y});
        c.line({160, 22}, {160, 48});
        c.stroke(Paint::solid(armour.dark), 1.2, false);
        for (int i = 0; i < 5; ++i) c.rect(124 + i * 16, 124, 8, 20);
        c.fill(Paint::solid(Color::hex(0x07080c)));
    }
    // Reactor in the chest.
    c.circle(164, 74, 21);
    c.shade(k.dark, k.outline);
    c.circle(164, 74, 15);
    c.fill(Paint::radial({160, 70}, 0, 16, {{0, Color{1, 1, 1}}, {0.35, Color::hex(0xffd070)}, {0.8, k.energy}, {1, k.red.dark}}));
    for (int i = 0; i < 6; ++i) {
        const double a = i * kPi / 3;
        c.line({164 + std::cos(a) * 15, 74 + std::sin(a) * 15}, {164 + std::cos(a) * 21, 74 + std::sin(a) * 21});
    }
    c.stroke(Paint::solid(k.outline), 2.0);
    rivets(c, {{92, 30}, {228, 30}, {100, 110}, {220, 110}, {130, 148}, {196, 148}}, armour.light);
    // Neck collar the head sits on.
    c.rounded_rect(116, 10, 44, 16, 4);
    c.shade(k.dark, k.outline);
    // Near shoulder and upper arm down to the elbow that holds the gun.
    c.polygon({{112, 46}, {136, 46}, {144, 118}, {122, 122}});
    c.shade(armour, k.outline);
    c.circle(134, 122, 12);
    c.shade(k.steel, k.outline);
    c.smooth({{72, 52}, {78, 20}, {106, 8}, {136, 16}, {142, 46}, {120, 64}, {88, 66}});
    c.shade(armour, k.outline, 1.2, 120);
    hazard_band(c, 84, 54, 50, 6);
    c.highlight(104, 22, 14, 5, 0.6);
    c.orb(88, 40, 3, Color{1, 1, 1}, k.lamp);
    return c;
}

Canvas robot_head() {
    const Look& k = look();
    const Ramp armour{Color::hex(0x1e2434), Color::hex(0x5a6684), Color::hex(0xb8c4dc)};
    Canvas c(66, 58);
    // Helmet.
    const std::vector<Pt> helmet{{10, 14}, {20, 3}, {50, 2}, {62, 14}, {62, 44}, {52, 56}, {22, 56}, {12, 44}};
    c.polygon(helmet);
    c.shade(armour, k.outline, 1.2, 120);
    // Crest.
    c.polygon({{30, 4}, {36, -2}, {56, 0}, {50, 6}});
    c.shade(k.red, k.outline);
    // Visor slit, glowing.
    c.polygon({{14, 6}, {46, 5}, {48, 13}, {16, 14}});
    c.fill_outlined(Paint::vertical(5, 14, {{0, Color::hex(0xffe0a0)}, {0.5, k.energy}, {1, k.red.dark}}), k.outline, 1.2);
    c.line({18, 7.5}, {42, 6.5});
    c.stroke(Paint::solid(Color{1, 1, 1, 0.8}), 1.0, false);
    // Snout with the gun, its mouth to the left at row 15.
    c.polygon({{6, 16}, {42, 16}, {46, 36}, {12, 38}});
    c.shade(k.steel, k.outline);
    c.rect(0, 12, 14, 7);
    c.shade(k.dark, k.outline);
    c.circle(1.5, 15.5, 2.2);
    c.fill(Paint::solid(Color::hex(0x050505)));
    for (int i = 0; i < 4; ++i) c.rect(18 + i * 6, 28, 3, 6);
    c.fill(Paint::solid(k.outline));
    c.highlight(34, 46, 10, 3, 0.35);
    rivets(c, {{56, 18}, {56, 40}}, armour.light);
    return c;
}

void robot_gun(Canvas& c, int frame) {
    const Look& k = look();
    // Arm casing, to the right; the barrels reach left to the muzzle at (6, 20).
    c.rounded_rect(52, 4, 50, 32, 6);
    c.shade(k.steel, k.outline, 1.2);
    hazard_band(c, 60, 28, 36, 5);
    c.rounded_rect(52, 4, 50, 32, 6);
    c.stroke(Paint::solid(k.outline), 1.2);
    c.rounded_rect(40, 8, 16, 24, 3);
    c.shade(k.dark, k.outline);
    // Three barrels turning about the axis at row 20: each frame turns them
    // a third of the way to the next.
    for (int b = 0; b < 3; ++b) {
        const double a = (b / 3.0 + frame / 12.0) * 2 * kPi;
        const double dy = 6.5 * std::sin(a), depth = std::cos(a);
        if (depth < 0) {
            c.rect(6, 20 + dy - 2.5, 36, 5);
            c.shade(k.dark, k.outline);
        }
    }
    for (int b = 0; b < 3; ++b) {
        const double a = (b / 3.0 + frame / 12.0) * 2 * kPi;
        const double dy = 6.5 * std::sin(a), depth = std::cos(a);
        if (depth >= 0) {
            c.rect(6, 20 + dy - 2.8, 36, 5.6);
            c.shade(k.steel, k.outline);
        }
    }
    c.rect(10, 11, 4, 18);
    c.shade(k.dark, k.outline);
    c.orb(90, 14, 2.4, Color{1, 1, 1}, frame % 2 ? k.lamp : k.red.dark);
}

// ---- reactor core ----

Canvas reactor() {
    const Look& k = look();
    Canvas c(240, 240);
    const double cx = 120, cy = 120;
    // Spokes behind the ring.
    for (int i = 0; i < 8; ++i) {
        const double a = (i * 45 + 22.5) * kPi / 180;
        c.polygon({{cx + std::cos(a - 0.09) * 60, cy + std::sin(a - 0.09) * 60},
                   {cx + std::cos(a - 0.05) * 116, cy + std::sin(a - 0.05) * 116},
                   {cx + std::cos(a + 0.05) * 116, cy + std::sin(a + 0.05) * 116},
                   {cx + std::cos(a + 0.09) * 60, cy + std::sin(a + 0.09) * 60}});
        c.shade(k.dark, k.outline);
    }
    // Outer ring of armour plates.
    for (int i = 0; i < 12; ++i) {
        const double a0 = i * 30 + 2, a1 = i * 30 + 28;
        std::vector<Pt> plate;
        for (int j = 0; j <= 6; ++j) {
            const double a = (a0 + (a1 - a0) * j / 6) * kPi / 180;
            plate.push_back({cx + std::cos(a) * 104, cy + std::sin(a) * 104});
        }
        for (int j = 6; j >= 0; --j) {
            const double a = (a0 + (a1 - a0) * j / 6) * kPi / 180;
            plate.push_back({cx + std::cos(a) * 84, cy + std::sin(a) * 84});
        }
        c.polygon(plate);
        c.shade(i % 3 == 0 ? Ramp{k.hazard.dark, k.hazard.mid, k.hazard.light} : k.steel, k.outline, 1.2, 115);
        const double am = (a0 + a1) / 2 * kPi / 180;
        c.circle(cx + std::cos(am) * 94, cy + std::sin(am) * 94, 2.2);
        c.fill(Paint::solid(k.steel.light));
    }
    // Inner housing.
    c.circle(cx, cy, 80);
    c.shade(k.dark, k.outline, 1.4);
    c.circle(cx, cy, 62);
    c.shade(k.steel, k.outline, 1.4, 290);
    // Coolant pipes round the core.
    for (int i = 0; i < 6; ++i) {
        const double a = i * 60 * kPi / 180;
        c.circle(cx + std::cos(a) * 71, cy + std::sin(a) * 71, 6);
        c.shade(k.rust, k.outline);
    }
    // The core: a furnace of light behind an iris.
    c.circle(cx, cy, 46);
    c.fill_outlined(Paint::radial({cx - 8, cy - 8}, 0, {cx, cy}, 46,
                                  {{0, Color{1, 1, 1}}, {0.25, Color::hex(0xfff0a0)}, {0.6, k.energy}, {1, k.red.dark}}),
                    k.outline, 1.5);
    for (int i = 0; i < 8; ++i) {
        const double a = i * 45 * kPi / 180;
        c.polygon({{cx + std::cos(a) * 46, cy + std::sin(a) * 46},
                   {cx + std::cos(a + 0.55) * 46, cy + std::sin(a + 0.55) * 46},
                   {cx + std::cos(a + 0.2) * 30, cy + std::sin(a + 0.2) * 30}});
        c.shade(k.dark, k.outline, 1.0);
    }
    c.highlight(cx - 40, cy - 68, 26, 8, 0.5);
    return c;
}

void boss_gun(Canvas& c, bool firing) {
    const Look& k = look();
    // Fins.
    for (int i = 0; i < 4; ++i) {
        auto s = c.scoped();
        c.rotate_deg(45 + i * 90);
        c.polygon({{12, -4}, {22, -2}, {22, 2}, {12, 4}});
        c.shade(k.dark, k.outline);
    }
    c.circle(0, 0, 15);
    c.shade(k.steel, k.outline, 1.2);
    hazard_band(c, -14, -3, 28, 5);
    c.circle(0, 0, 15);
    c.stroke(Paint::solid(k.outline), 1.2);
    // Muzzle underneath.
    c.rect(-4, 10, 8, 8);
    c.shade(k.dark, k.outline);
    if (firing) {
        c.circle(0, 18, 7);
        c.fill(Paint::radial({0, 18}, 0, 7, {{0, Color{1, 1, 1}}, {0.5, Color::hex(0xffe070)}, {1, k.energy}}));
    }
    c.orb(-4, -6, 4, Color{1, 1, 1}, firing ? k.energy : k.red.dark);
    c.highlight(-6, -9, 5, 2, 0.6);
}

}  // namespace

void add_bosses(worlds::World& world) {
    world.sprite("robot", robot_body(), -6, -6);
    world.sprite("robothead", robot_head(), 0, 0);
    world.sprite("robotgun", art::frames_of({.width = 106, .height = 40, .xoffset = -6}, 4, robot_gun));
    world.sprite("metalboss", reactor(), 70 - 120, 130 - 120);
    world.sprite(
        "metalbossgun",
        art::frames_of({.width = 48, .height = 48, .xoffset = -24, .yoffset = -16, .origin_x = 24, .origin_y = 24}, 2,
                       [](Canvas& c, int i) { boss_gun(c, i == 1); }));
}

}  // namespace metal
