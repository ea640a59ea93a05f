// City buildings: the tower with a neon sign on its roof, the corner shop
// that burns where it is hit, the fire, and plain towers of scenery.
//
// "buildingone" (120 x 260, offsets 0, 0) is drawn from its top-left corner:
// its roof is row y, and its sign ("buildinglights", 52 x 77, offsets 0, 0)
// is spawned at (x + 64, y - 77), so the sign's legs stand on the roof.
// "housetwo": 100 x 66, offsets (0, 0); "houseone", the noodle bar, the
// same. "fire": the shared flames. The plain towers are in city_towers.cpp
// beside these (names outside the registry).
#include <cmath>

#include "generator/art/prelude.h"
#include "generator/worlds/city/city.h"
#include "generator/worlds/common/flames.h"

namespace city {

namespace {

std::vector<Frame> one_frame(Canvas&& c) {
    std::vector<Frame> frames;
    frames.push_back({.image = std::move(c)});
    return frames;
}

// A facade of lit and dark windows, deterministic per building.
void windows(Canvas& c, double x0, double y0, double x1, double y1, double pitch_x, double pitch_y, uint64_t seed) {
    const Look& k = look();
    art::Random r(seed);
    for (double y = y0; y + pitch_y * 0.6 < y1; y += pitch_y)
        for (double x = x0; x + pitch_x * 0.6 < x1; x += pitch_x) {
            const double roll = r.uniform();
            const Color col = roll < 0.45 ? k.window : roll < 0.55 ? Color::hex(0x9ad8ff) : Color::hex(0x1c1e30);
            c.rect(x, y, pitch_x * 0.55, pitch_y * 0.55);
            c.fill(Paint::solid(col));
        }
}

Canvas tower(int w, int h, const Ramp& material, uint64_t seed, bool antenna) {
    const Look& k = look();
    Canvas c(w, h);
    const double roof = antenna ? 14 : 2;
    c.rect(1, roof, w - 2, h - roof);
    art::textured(c, material, art::Noise(seed), 0.08, 0.25, 100);
    c.rect(1, roof, w - 2, h - roof);
    c.stroke(Paint::solid(k.outline), 1.5);
    windows(c, 7, roof + 8, w - 5, h - 4, 9, 12, seed);
    // Parapet and a lit edge facing the light.
    c.rect(0, roof, w, 4);
    c.shade(k.concrete, k.outline, 1.0, 90);
    c.line({2, roof + 4}, {2, double(h)});
    c.stroke(Paint::solid(material.light.with_alpha(0.6)), 1.5);
    if (antenna) {
        c.line({w * 0.6, roof}, {w * 0.6, 2});
        c.stroke(Paint::solid(k.outline), 1.6);
        c.orb(w * 0.6, 3, 2, Color{1, 1, 1}, Color::hex(0xff3030));
    }
    return c;
}

std::vector<Frame> building_one() {
    const Look& k = look();
    Canvas c = tower(120, 260, k.concrete, art::seed_of("buildingone"), false);
    // A lobby at the foot and a water tank beside the sign's place.
    c.rect(10, 228, 100, 30);
    c.fill_outlined(Paint::vertical(228, 258, {{0, k.window}, {1, Color::hex(0xc08a30)}}), k.outline, 1.0);
    for (double x = 22; x < 110; x += 18) {
        c.line({x, 228}, {x, 258});
        c.stroke(Paint::solid(k.outline), 1.2);
    }
    c.rounded_rect(14, 4, 26, 12, 3);
    c.shade(k.steel, k.outline);
    return one_frame(std::move(c));
}

// The roof sign: a neon panel on two legs, its letters' light running.
std::vector<Frame> building_lights() {
    const Look& k = look();
    constexpr int kFrames = 6;
    return art::frames_of({.width = 52, .height = 77}, kFrames, [&](Canvas& c, int f) {
        for (double lx : {10.0, 42.0}) {
            c.rect(lx - 1.5, 40, 3, 37);
            c.fill_outlined(Paint::solid(k.steel.dark), k.outline, 0.8);
        }
        c.line({10, 60}, {42, 48});
        c.stroke(Paint::solid(k.steel.dark), 1.4);
        c.rounded_rect(1, 2, 50, 40, 4);
        c.fill_outlined(Paint::solid(Color::hex(0x120c1c)), k.outline, 1.2);
        // Three bars of neon, lit up to the frame: the sign fills and empties.
        for (int bar = 0; bar < 3; ++bar) {
            const bool lit = bar <= f % 4 || f == kFrames - 1;
            const Color col = bar == 1 ? k.neon_cyan : k.neon_pink;
            c.rounded_rect(6, 7 + bar * 11, 40, 7, 3.5);
            c.fill(Paint::solid(lit ? col : col.darker(0.7)));
            if (lit) {
                c.rounded_rect(9, 9 + bar * 11, 34, 2, 1);
                c.fill(Paint::solid(Color{1, 1, 1, 0.8}));
            }
        }
    });
}

std::vector<Frame> house_two() {
    const Look& k = look();
    Canvas c(100, 66);
    // Brick shop with a flat roof, an awning and a glowing shop window.
    c.rect(2, 10, 96, 56);
    art::textured(c, k.brick, art::Noise(art::seed_of("housetwo")), 0.15, 0.35, 110);
    {
        auto s = c.scoped();
        c.rect(2, 10, 96, 56).clip();
        for (double y = 14; y < 66; y += 5) {
            c.line({2, y}, {98, y});
            c.stroke(Paint::solid(k.brick.dark.with_alpha(0.6)), 0.8);
        }
    }
    c.rect(2, 10, 96, 56);
    c.stroke(Paint::solid(k.outline), 1.2);
    c.rect(0, 4, 100, 7);
    c.shade(k.concrete, k.outline);
    c.rect(10, 40, 50, 24);
    c.fill_outlined(Paint::vertical(40, 64, {{0, Color::hex(0xfff0b0)}, {1, k.window.darker(0.2)}}), k.outline, 1.0);
    c.rect(70, 40, 18, 24);
    c.shade(Ramp::of(Color::hex(0x3a2a20)), k.outline);
    // Striped awning.
    std::vector<Pt> awning = {{6, 30}, {94, 30}, {98, 38}, {2, 38}};
    c.polygon(awning);
    c.fill_outlined(Paint::solid(Color::hex(0xe8e0d0)), k.outline, 1.0);
    {
        auto s = c.scoped();
        c.polygon(awning).clip();
        for (double x = 6; x < 98; x += 12) {
            c.rect(x, 30, 6, 8);
            c.fill(Paint::solid(Color::hex(0xc02a3a)));
        }
    }
    // Neon sign over the awning.
    c.rounded_rect(24, 16, 52, 10, 3);
    c.fill_outlined(Paint::solid(Color::hex(0x100a18)), k.outline, 1.0);
    sign_text(c, 50, 18, "OPEN", 6, k.neon_pink, 0.8);
    return one_frame(std::move(c));
}

// The noodle bar: a low teal front with a red lantern sign, steam from its
// vent, its window full of warm light. 100 x 66 like the shop, offsets (0, 0).
std::vector<Frame> noodle_bar() {
    const Look& k = look();
    Canvas c(100, 66);
    const Ramp teal{Color::hex(0x0c2a2a), Color::hex(0x1e6a64), Color::hex(0x6ac8b8)};
    c.rect(2, 12, 96, 54);
    art::textured(c, teal, art::Noise(art::seed_of("houseone")), 0.12, 0.3, 110);
    c.rect(2, 12, 96, 54);
    c.stroke(Paint::solid(k.outline), 1.2);
    c.rect(0, 6, 100, 7);
    c.shade(k.concrete, k.outline);
    c.rect(74, 0, 8, 7);
    c.shade(k.steel, k.outline);
    // The window and the door.
    c.rect(8, 38, 54, 26);
    c.fill_outlined(Paint::vertical(38, 64, {{0, Color::hex(0xffe0a0)}, {1, Color::hex(0xd88a3a)}}), k.outline, 1.0);
    for (double x = 20; x < 62; x += 12) {
        c.line({x, 38}, {x, 64});
        c.stroke(Paint::solid(k.outline), 1.0);
    }
    c.rect(70, 38, 20, 26);
    c.shade(Ramp::of(Color::hex(0x4a1c1c)), k.outline);
    // A curtain of red cloth over the door, lanterns, the sign.
    c.rect(70, 38, 20, 7);
    c.fill_outlined(Paint::solid(Color::hex(0xc02030)), k.outline, 0.8);
    for (double x : {8.0, 92.0}) c.orb(x, 34, 3.5, Color::hex(0xffd0a0), Color::hex(0xd02020));
    c.rounded_rect(16, 16, 68, 14, 4);
    c.fill_outlined(Paint::solid(Color::hex(0x2a0808)), k.outline, 1.0);
    sign_text(c, 50, 19, "NOODLES", 8, Color::hex(0xff5a3a));
    return one_frame(std::move(c));
}

}  // namespace

const std::vector<Tower>& towers() {
    static const std::vector<Tower> all = {
        {"citytowera", 92, 200},  {"citytowerb", 116, 150}, {"citytowerc", 72, 250},  {"citytowerd", 132, 110},
        {"citytowere", 104, 244}, {"citytowerf", 96, 250},  {"citytowerg", 120, 190}, {"citytowerh", 88, 210},
        {"citytoweri", 140, 110}, {"citytowerj", 100, 180}, {"citytowerk", 112, 200}};
    return all;
}

void add_buildings(worlds::World& world) {
    const Look& k = look();
    world.sprite("buildingone", building_one());
    world.sprite("buildinglights", building_lights());
    world.sprite("housetwo", house_two());
    world.sprite("fire", worlds::flame_frames());
    const Ramp materials[] = {k.concrete, Ramp{Color::hex(0x14202a), Color::hex(0x2e4a5a), Color::hex(0x6a98aa)},
                              k.brick, Ramp{Color::hex(0x1c1a26), Color::hex(0x3c3850), Color::hex(0x7a7498)}};
    int i = 0;
    for (const Tower& t : towers()) {
        world.sprite(t.name, one_frame(i < 4 ? tower(t.width, t.height, materials[i], art::seed_of(t.name), i % 2 == 0)
                                             : more_tower(t.name, t.width, t.height)));
        ++i;
    }
    world.sprite("houseone", noodle_bar());
}

}  // namespace city
