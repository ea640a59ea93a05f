// The castle's flyers and walkers.
//
// Walking dragons (green and red): 8 frames of a stride, 78 x 52; they fire
// from (x - 5, y + 5), their mouth; their claws are the lowest rows, about
// 38 below y. Flying red dragon: 6 frames of a wing beat, 86 x 66, mouth at
// (x - 5, y + 10). Magic carpet: 6 frames of a ripple, the rider's orb at
// (x - 5, y + 10). Airship: 4 frames of propeller and pennant, its bow gun at
// (x - 5, y + 60). Fireball: an aimed shot, 4 frames of flame, centred.
#include <cmath>

#include "generator/art/prelude.h"
#include "generator/worlds/castle/castle.h"

namespace castle {

namespace {

std::vector<Frame> walking_dragon(const DragonColours& colours) {
    return art::frames_of({.width = 78, .height = 52, .xoffset = -11, .yoffset = -12}, 8, [&](Canvas& c, int f) {
        DragonPose pose;
        pose.walk = f / 8.0;
        pose.jaw = 0.15 + 0.15 * std::sin(f * kPi / 4);
        draw_dragon(c, colours, pose, 35, 30, 0.8);
    });
}

std::vector<Frame> flying_dragon(const DragonColours& colours) {
    const double beat[6] = {1.0, 0.5, -0.2, -0.8, -0.3, 0.4};
    return art::frames_of({.width = 86, .height = 66, .xoffset = -11, .yoffset = -14}, 6, [&](Canvas& c, int f) {
        DragonPose pose;
        pose.flying = true;
        pose.wing = beat[f];
        pose.jaw = 0.3;
        draw_dragon(c, colours, pose, 38, 38, 0.9);
    });
}

// ---- magic carpet: 76 x 46, offsets (-12, -8) ----
Canvas carpet(int frame) {
    const Look& k = look();
    Canvas c(76, 46);
    const double phase = frame * 2 * kPi / 6;
    // The carpet: a rippling band with a border and tassels.
    std::vector<Pt> top, bottom;
    for (int i = 0; i <= 16; ++i) {
        const double x = 4 + i * 4.3;
        const double y = 34 + 2.5 * std::sin(phase + i * 0.6) - (i < 3 ? (3 - i) * 1.5 : 0);
        top.push_back({x, y});
        bottom.push_back({x, y + 6});
    }
    std::vector<Pt> band = top;
    for (auto it = bottom.rbegin(); it != bottom.rend(); ++it) band.push_back(*it);
    c.polygon(band);
    c.fill_outlined(Paint::vertical(30, 42, {{0, Color::hex(0xe04040)}, {1, Color::hex(0x7a1020)}}), k.outline, 1.0);
    c.polyline(top);
    c.stroke(Paint::solid(k.gold.mid), 1.4);
    for (size_t i = 1; i + 1 < top.size(); i += 2) {
        c.rect(top[i].x - 1, top[i].y + 2.2, 2, 2);
        c.fill(Paint::solid(k.gold.light));
    }
    for (const Pt& end : {bottom.front(), bottom.back()}) {
        c.line(end, {end.x + (end.x < 30 ? -2 : 2), end.y + 3});
        c.stroke(Paint::solid(k.gold.mid), 1.2);
    }
    // The rider: robe, turban, beard and an arm out holding the orb.
    const double bob = 2.5 * std::sin(phase + 4 * 0.6);
    c.translate(0, bob);
    c.smooth({{26, 34}, {28, 20}, {36, 14}, {44, 20}, {48, 34}});
    c.shade(k.cloth, k.outline, 1.0, 120);
    c.circle(37, 12, 5.5);
    c.shade(Ramp::of(Color::hex(0xd8a070)), k.outline);
    c.ellipse(38, 7, 7, 4.5);
    c.shade(Ramp{Color::hex(0x8a7a60), Color::hex(0xe8e0c8), Color::hex(0xffffff)}, k.outline);
    c.circle(38, 3.5, 1.6);
    c.fill(Paint::solid(Color::hex(0x30c0ff)));
    c.polygon({{32, 14}, {36, 22}, {33, 21}});
    c.fill_outlined(Paint::solid(Color::hex(0xe8e8f0)), k.outline, 0.6);
    c.polyline({{30, 20}, {20, 20}, {11, 18}});
    c.stroke(Paint::solid(k.outline), 4.5);
    c.polyline({{30, 20}, {20, 20}, {11, 18}});
    c.stroke(Paint::solid(k.cloth.mid), 2.8);
    c.orb(7, 18, 3.5, Color{1, 1, 1}, frame % 2 ? Color::hex(0x60e0ff) : Color::hex(0xa070ff));
    return c;
}

std::vector<Frame> carpet_frames() {
    std::vector<Frame> frames;
    for (int f = 0; f < 6; ++f) frames.push_back({.image = carpet(f), .xoffset = -12, .yoffset = -8});
    return frames;
}

// ---- airship: 132 x 92, offsets (-7, -10) ----
Canvas airship(int frame) {
    const Look& k = look();
    Canvas c(132, 92);
    // Balloon with rigging.
    c.ellipse(68, 27, 56, 24);
    c.fill_outlined(Paint::radial({50, 14}, 3, {68, 27}, 60,
                                  {{0, Color::hex(0xfff2d8)}, {0.45, Color::hex(0xd8b888)}, {1, Color::hex(0x6a5030)}}),
                    k.outline, 1.2);
    {
        auto s = c.scoped();
        c.ellipse(68, 27, 56, 24).clip();
        for (double x = 20; x < 120; x += 16) {
            c.ellipse(x, 27, 2, 24);
            c.fill(Paint::solid(Color::hex(0x8a6a40).with_alpha(0.6)));
        }
        c.rect(10, 24, 120, 6);
        c.fill(Paint::solid(k.roof.mid));
    }
    for (double rx : {40.0, 68.0, 96.0}) {
        c.line({rx, 49}, {rx + (68 - rx) * 0.2, 64});
        c.stroke(Paint::solid(k.outline), 1.0);
    }
    // The boat: planked hull with portholes and a bow cannon.
    const std::vector<Pt> hull = {{14, 64}, {112, 64}, {122, 58}, {116, 74}, {100, 84}, {30, 84}, {18, 76}};
    c.polygon(hull);
    c.shade(k.wood, k.outline, 1.0, 100);
    {
        auto s = c.scoped();
        c.polygon(hull).clip();
        for (double y = 69; y < 84; y += 5) {
            c.line({10, y}, {124, y});
            c.stroke(Paint::solid(k.wood.dark.with_alpha(0.7)), 0.8);
        }
    }
    for (double px : {40.0, 60.0, 80.0}) {
        c.circle(px, 71, 2.5);
        c.fill_outlined(Paint::solid(Color::hex(0xffd070)), k.outline, 0.8);
    }
    c.rect(2, 68, 18, 5);
    c.shade(k.steel, k.outline, 0.9, 90);
    c.circle(20, 70.5, 4);
    c.shade(k.steel, k.outline);
    // Propeller at the stern, seen edge on, and a pennant at the masthead.
    const double a = frame * kPi / 4;
    c.line({124, 70 - 11 * std::cos(a)}, {124, 70 + 11 * std::cos(a)});
    c.stroke(Paint::solid(k.outline), 3.0);
    c.line({124, 70 - 11 * std::cos(a)}, {124, 70 + 11 * std::cos(a)});
    c.stroke(Paint::solid(k.wood.light), 1.5);
    c.circle(122, 70, 2.2);
    c.fill(Paint::solid(k.steel.mid));
    c.line({68, 3}, {68, -2});
    const double flap = std::sin(frame * kPi / 2) * 2;
    c.polygon({{68, 1}, {84, 3 + flap}, {68, 6}});
    c.fill(Paint::solid(k.roof.mid));
    return c;
}

std::vector<Frame> airship_frames() {
    std::vector<Frame> frames;
    for (int f = 0; f < 4; ++f) frames.push_back({.image = airship(f), .xoffset = -7, .yoffset = -10});
    return frames;
}

std::vector<Frame> fireball_frames() {
    return art::frames_of({.width = 28, .height = 28, .xoffset = -14, .yoffset = -14}, 4, [&](Canvas& c, int f) {
        for (int i = 0; i < 7; ++i) {
            const double a = i * 2 * kPi / 7 + f * 0.7;
            const double r = 8 + 2.5 * std::sin(f * 1.9 + i * 2.3);
            c.circle(14 + std::cos(a) * r * 0.6, 14 + std::sin(a) * r * 0.6, 5);
            c.fill(Paint::solid(art::fire_colour(0.45)));
        }
        c.orb(14, 14, 8, Color{1, 1, 0.9}, art::fire_colour(0.62));
    });
}

}  // namespace

void add_creatures(worlds::World& world) {
    const Look& k = look();
    world.sprite("greendragon", walking_dragon({k.green_scales, k.belly, k.wing_green}));
    world.sprite("reddragonwalking", walking_dragon({k.red_scales, k.belly, k.wing_red}));
    world.sprite("reddragonflying", flying_dragon({k.red_scales, k.belly, k.wing_red}));
    world.sprite("magiccarpet", carpet_frames());
    world.sprite("blimp", airship_frames());
    world.sprite("fireball", fireball_frames());
}

}  // namespace castle
