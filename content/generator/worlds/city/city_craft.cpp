// City craft. Every gun ends where its behaviour spawns the shot.
//
// White ship (weaving stalker): 7 frames, 4 level, lower frames nose up,
// higher nose down; fires from (x, y + 20). Green ship (diver): 11 frames, 6
// level, diving steps toward 11; fires from (x, y + 20). Frog ship (rectangle
// looper): 7 frames, the behaviour's middle frame 3 level, 1..2 banked up,
// 4..7 banked down; fires from (x, y + 20). Helicopter: the shared airframe
// in police colours. Blimp (wanderer): 6 frames of turning propellers and
// blinking lamps (played both ways); its three guns end at (x - 20, y - 5),
// (x - 5, y + 60) and (x - 20, y + 125). Rocket: 4 frames of flame.
#include <cmath>

#include "generator/art/prelude.h"
#include "generator/worlds/city/city.h"
#include "generator/worlds/common/rotorcraft.h"
#include "generator/worlds/common/sentinel.h"

namespace city {

namespace {

// A craft drawn facing left in image pixels, pitched about the box's origin
// (art::pitches).
std::vector<art::Frame> pitched_frames(const art::FrameBox& box, const std::vector<double>& pitches,
                                       void (*paint)(Canvas&)) {
    return art::turned_frames(box, pitches, [&](Canvas& c, int) {
        c.translate(-box.origin_x, -box.origin_y);
        paint(c);
    });
}

void engine_glow(Canvas& c, double x, double y, double len, double h, const Color& colour) {
    c.ellipse(x + len / 2, y, len / 2 + 1, h);
    c.fill(Paint::radial({x + 1, y}, 0, len, {{0, Color{1, 1, 1}}, {0.4, colour.lighter(0.4)}, {1, colour.darker(0.3)}}));
}

void gun(Canvas& c, double x, double y, double len) {
    const Look& k = look();
    c.rect(x, y - 1.5, len, 3);
    c.shade(k.steel, k.outline, 0.8, 90);
}

// ---- white interceptor: 64 x 34, pivot (32, 16), gun tip at (2, 24) ----
void paint_white(Canvas& c) {
    const Look& k = look();
    engine_glow(c, 54, 16, 9, 3, k.neon_cyan);
    c.polygon({{34, 13}, {46, 2}, {53, 2}, {50, 13}});
    c.shade(Ramp{k.white.dark, k.white.mid, k.white.light}, k.outline);
    const std::vector<Pt> hull = {{3, 18}, {14, 12}, {34, 10}, {52, 12}, {56, 17}, {52, 21}, {34, 23}, {14, 22}};
    c.polygon(hull);
    c.shade(k.white, k.outline, 1.0, 110);
    c.polygon({{26, 20}, {44, 31}, {52, 31}, {46, 20}});
    c.shade(k.white, k.outline);
    c.polygon({{30, 25}, {46, 30}, {48, 28}, {34, 24}});
    c.fill(Paint::solid(k.neon_pink));
    c.smooth({{12, 15}, {20, 11}, {30, 11}, {32, 15}, {20, 16}});
    c.shade(k.glass, k.outline, 0.9, 130);
    c.highlight(20, 12.5, 3.5, 1.1, 0.9);
    gun(c, 2, 24, 16);
    c.rect(16, 21, 6, 4);
    c.shade(k.steel, k.outline, 0.8);
    c.polyline({{14, 12.8}, {34, 10.8}, {50, 12.8}});
    c.stroke(Paint::solid(Color{1, 1, 1, 0.6}), 0.9);
}

// ---- green diver: 64 x 36, pivot (32, 18), gun tip at (2, 24) ----
void paint_green(Canvas& c) {
    const Look& k = look();
    engine_glow(c, 52, 18, 10, 3.5, Color::hex(0x9aff6a));
    // Forward-swept wings.
    c.polygon({{40, 15}, {24, 3}, {19, 3}, {28, 15}});
    c.shade(Ramp{k.green.dark.darker(0.3), k.green.dark, k.green.mid}, k.outline);
    const std::vector<Pt> hull = {{3, 19}, {10, 14}, {30, 12}, {48, 13}, {54, 18}, {48, 23}, {30, 24}, {10, 23}};
    c.polygon(hull);
    c.shade(k.green, k.outline, 1.0, 110);
    c.polygon({{40, 21}, {24, 33}, {18, 33}, {28, 21}});
    c.shade(k.green, k.outline);
    c.rect(30, 16, 16, 3);
    c.fill(Paint::solid(k.gold.mid));
    c.smooth({{9, 17}, {15, 13.5}, {24, 13.5}, {26, 17}, {16, 18}});
    c.shade(k.glass, k.outline, 0.9, 130);
    c.highlight(15, 14.8, 3, 1, 0.9);
    gun(c, 2, 24, 14);
    c.circle(16, 24, 2.5);
    c.shade(k.steel, k.outline, 0.8);
}

// ---- frog ship: 64 x 42, pivot (32, 22), gun tip at (2, 24) ----
void paint_frog(Canvas& c) {
    const Look& k = look();
    // Tucked legs (landing struts) behind, then the round body.
    for (double lx : {18.0, 42.0}) {
        c.polyline({{lx, 30}, {lx + 8, 37}, {lx - 2, 38}});
        c.stroke(Paint::solid(k.outline), 4.5);
        c.polyline({{lx, 30}, {lx + 8, 37}, {lx - 2, 38}});
        c.stroke(Paint::solid(k.frog.dark), 2.5);
    }
    engine_glow(c, 52, 24, 8, 3, Color::hex(0xd0ff60));
    c.ellipse(30, 24, 24, 12);
    c.shade(k.frog, k.outline, 1.0, 110);
    {
        auto s = c.scoped();
        c.ellipse(30, 24, 24, 12).clip();
        c.ellipse(30, 33, 22, 6);
        c.fill(Paint::solid(Color::hex(0xf0f0b0).with_alpha(0.85)));
        art::Random r(art::seed_of("cityfrogship"));
        for (int i = 0; i < 6; ++i) {
            c.circle(r.range(14, 46), r.range(15, 26), r.range(1.5, 3));
            c.fill(Paint::solid(k.frog.dark.with_alpha(0.8)));
        }
    }
    // Bulging eyes: two domed canopies.
    for (double ex : {19.0, 33.0}) {
        c.circle(ex, 13, 6);
        c.shade(k.frog, k.outline);
        c.circle(ex - 0.5, 12.5, 4);
        c.fill_outlined(Paint::radial({ex - 1.5, 11}, 0, 4, {{0, Color{1, 1, 0.9}}, {0.6, k.gold.mid}, {1, k.gold.dark}}),
                        k.outline, 0.8);
        c.rect(ex - 2.5, 12, 4, 1.6);
        c.fill(Paint::solid(k.outline));
    }
    // A wide mouth with the gun in it.
    c.polyline({{7, 24}, {14, 27}, {24, 28}});
    c.stroke(Paint::solid(k.outline), 1.2);
    gun(c, 2, 24, 12);
}

std::vector<Frame> police_helicopter() {
    const Look& k = look();
    worlds::RotorcraftLook l;
    l.hull = k.police;
    l.trim = k.white;
    l.glass = k.glass;
    l.metal = k.steel;
    l.outline = k.outline;
    l.marking = Color{1, 1, 1};
    l.seed = art::seed_of("citybluehelicopter");
    std::vector<Frame> frames = worlds::helicopter_frames(l, 4);
    // Light bar on the roof: red and blue taking turns.
    for (size_t i = 0; i < frames.size(); ++i) {
        Canvas& c = frames[i].image;
        const bool red = i % 2 == 0;
        c.rounded_rect(28, 9, 12, 3, 1);
        c.fill_outlined(Paint::solid(k.steel.dark), k.outline, 0.7);
        c.orb(31, 10.5, 1.8, Color{1, 1, 1}, red ? Color::hex(0xff2a2a) : Color::hex(0x6a0a0a));
        c.orb(37, 10.5, 1.8, Color{1, 1, 1}, red ? Color::hex(0x0a1a6a) : Color::hex(0x3a7aff));
        // A searchlight beam under the nose.
        c.orb(10, 27.5, 1.8, Color{1, 1, 1}, Color::hex(0xfff6c0));
    }
    return frames;
}

// ---- blimp: 176 x 146, offsets (-24, -12) ----
Canvas blimp(int frame) {
    const Look& k = look();
    Canvas c(176, 146);
    const double ox = 24, oy = 12;  // the sprite's (x, y) in the image
    const auto at = [&](double x, double y) { return Pt{ox + x, oy + y}; };
    // Tail fins.
    for (double dir : {-1.0, 1.0}) {
        const Pt root = at(140, 50 + dir * 22);
        c.polygon({root, at(168, 50 + dir * 54), at(150, 50 + dir * 54), at(126, 50 + dir * 20)});
        c.shade(k.hull, k.outline);
    }
    // The envelope, banded, lit from the top left.
    const Pt centre = at(75, 48);
    c.ellipse(centre.x, centre.y, 80, 50);
    c.fill_outlined(Paint::radial({centre.x - 30, centre.y - 26}, 4, {centre.x, centre.y}, 82,
                                  {{0, k.hull.light}, {0.45, k.hull.mid}, {1, k.hull.dark}}),
                    k.outline, 1.2);
    {
        auto s = c.scoped();
        c.ellipse(centre.x, centre.y, 80, 50).clip();
        for (double bx = -60; bx <= 60; bx += 24) {
            c.ellipse(centre.x + bx, centre.y, 3, 50);
            c.fill(Paint::solid(k.hull.dark.with_alpha(0.5)));
        }
        // A neon advertising band that scrolls its light.
        c.rect(centre.x - 80, centre.y - 6, 160, 12);
        c.fill(Paint::solid(Color::hex(0x120a1e)));
        for (int i = 0; i < 14; ++i) {
            const double x = centre.x - 74 + i * 11;
            const bool lit = (i + frame) % 3 != 0;
            c.rect(x, centre.y - 3, 7, 6);
            c.fill(Paint::solid(lit ? (i % 2 ? k.neon_pink : k.neon_cyan) : Color::hex(0x301a40)));
        }
    }
    c.highlight(centre.x - 30, centre.y - 30, 22, 8, 0.45);
    // Guns: a long barrel on the top ridge, one in the nose, one under the gondola.
    c.rounded_rect(ox + 14, oy - 10, 26, 10, 3);
    c.shade(k.steel, k.outline);
    c.rect(ox - 20, oy - 7, 36, 4);
    c.shade(k.steel, k.outline, 0.9, 90);
    c.circle(ox + 2, oy + 60, 6);
    c.shade(k.steel, k.outline);
    c.rect(ox - 5, oy + 58, 10, 4);
    c.shade(k.steel, k.outline, 0.9, 90);
    // Gondola hung on struts.
    for (double sx : {50.0, 90.0}) {
        c.line(at(sx, 94), at(sx - 4, 108));
        c.stroke(Paint::solid(k.outline), 2.5);
    }
    c.rounded_rect(ox + 20, oy + 106, 90, 22, 6);
    c.shade(k.steel, k.outline, 1.0, 110);
    for (int i = 0; i < 6; ++i) {
        c.rect(ox + 30 + i * 12, oy + 111, 7, 6);
        c.fill(Paint::solid((i + frame) % 4 ? k.window : Color::hex(0x5a4a30)));
    }
    c.rect(ox - 20, oy + 123, 44, 4);
    c.shade(k.steel, k.outline, 0.9, 90);
    // Propellers at the gondola's back, seen edge on: the blade's reach turns.
    const double a = frame * kPi / 3;
    const Pt hub = at(114, 117);
    c.circle(hub.x, hub.y, 3);
    c.shade(k.steel, k.outline, 0.8);
    c.line({hub.x + 2, hub.y - 13 * std::cos(a)}, {hub.x + 2, hub.y + 13 * std::cos(a)});
    c.stroke(Paint::solid(k.outline), 3.0);
    c.line({hub.x + 2, hub.y - 13 * std::cos(a)}, {hub.x + 2, hub.y + 13 * std::cos(a)});
    c.stroke(Paint::solid(k.steel.light), 1.5);
    // Beacon on top, blinking.
    c.orb(ox + 76, oy - 1, 2.5, Color{1, 1, 1}, frame % 2 ? Color::hex(0xff3030) : Color::hex(0x601010));
    return c;
}

std::vector<Frame> blimp_frames() {
    std::vector<Frame> frames;
    for (int f = 0; f < 6; ++f) frames.push_back({.image = blimp(f), .xoffset = -24, .yoffset = -12});
    return frames;
}

// ---- rocket: 78 x 24, nose at the left ----
std::vector<Frame> rocket_frames() {
    const Look& k = look();
    return art::frames_of({.width = 80, .height = 24, .yoffset = -12}, 4, [&](Canvas& c, int f) {
        const double flame = 10 + 4 * std::sin(f * kPi / 2);
        c.polygon({{60, 8}, {60 + flame + 6, 12}, {60, 16}});
        c.fill(Paint::linear({60, 0}, {78, 0}, {{0, Color{1, 1, 1}}, {0.4, Color::hex(0xffd040)}, {1, Color::hex(0xff4010).with_alpha(0.2)}}));
        for (double dir : {-1.0, 1.0}) {
            c.polygon({{46, 12 + dir * 3}, {60, 12 + dir * 10}, {62, 12 + dir * 10}, {58, 12 + dir * 3}});
            c.shade(Ramp::of(Color::hex(0xc02a2a)), k.outline);
        }
        c.polygon({{2, 12}, {14, 6.5}, {58, 6.5}, {60, 12}, {58, 17.5}, {14, 17.5}});
        c.shade(k.white, k.outline, 1.0, 100);
        c.polygon({{2, 12}, {14, 6.5}, {16, 6.5}, {16, 17.5}, {14, 17.5}});
        c.fill(Paint::solid(Color::hex(0xd02a2a)));
        c.rect(30, 6.5, 4, 11);
        c.fill(Paint::solid(k.neon_pink));
        c.polyline({{14, 8}, {56, 8}});
        c.stroke(Paint::solid(Color{1, 1, 1, 0.8}), 0.9);
    });
}

}  // namespace

void add_craft(worlds::World& world) {
    world.sprite(
        "citywhiteship",
        pitched_frames({.width = 64, .height = 34, .xoffset = -2, .yoffset = -4, .origin_x = 32, .origin_y = 16},
                       art::pitches(7, 4, 9), paint_white));
    world.sprite(
        "citygreenship",
        pitched_frames({.width = 64, .height = 36, .xoffset = -2, .yoffset = -4, .origin_x = 32, .origin_y = 18},
                       art::pitches(11, 6, 7), paint_green));
    world.sprite(
        "cityfrogship",
        pitched_frames({.width = 64, .height = 42, .xoffset = -2, .yoffset = -4, .origin_x = 32, .origin_y = 22},
                       art::pitches(7, 3, 8), paint_frog));
    world.sprite("citybluehelicopter", police_helicopter());
    world.sprite("cityblimp", blimp_frames());
    world.sprite("rocketship", rocket_frames());
}


// The sentinels: armoured police guns on concrete plinths in the street.
void add_sentinels(worlds::World& world) {
    const Look& k = look();
    const worlds::SentinelStyle style{.mound = k.concrete,
                                      .barrel = k.police,
                                      .veins = k.neon_cyan.with_alpha(0.7),
                                      .eye = k.neon_pink,
                                      .mouth = k.neon_cyan,
                                      .outline = k.outline};
    world.sprite("mountainbosscannonup", worlds::sentinel_frames(style, true));
    world.sprite("mountainbosscannondown", worlds::sentinel_frames(style, false));
}

}  // namespace city
