// Fish and jelly of the water world. All swim left; their frames are played
// back and forth, so each set runs from one end of a swish to the other.
//
// wateryellowfish (4 frames) spits from (x - 10, y + 10): its mouth is at the
// left end of row 11. waterpurplefish (4 frames) and waterkewlphish (6 frames)
// only swim. waterblob (6 frames) is a jelly whose bell pulses.
#include <cmath>

#include "generator/art/prelude.h"
#include "generator/worlds/water/water_art.h"

namespace water {

namespace {

struct FishShape {
    double length, height;  // body, nose at x 0, middle row at 0
    Ramp body, fin;
    Color belly;
    bool stripes = false;
};

// swish -1..1 bends the tail up or down.
void fish(Canvas& c, const FishShape& f, double swish) {
    const Look& k = look();
    const double L = f.length, H = f.height;
    // Tail fin.
    const double tx = L * 0.88, ty = swish * H * 0.25;
    c.polygon({{tx, ty}, {L + H * 0.55, ty - H * 0.62 + swish * 3}, {L + H * 0.4, ty + swish * 2},
               {L + H * 0.55, ty + H * 0.62 + swish * 3}});
    c.shade(f.fin, k.outline, 1.0, 110);
    // Dorsal fin.
    c.polygon({{L * 0.3, -H * 0.42}, {L * 0.5, -H * 0.85}, {L * 0.68, -H * 0.75}, {L * 0.7, -H * 0.3}});
    c.shade(f.fin, k.outline, 1.0, 110);
    // Body, slightly bent with the swish.
    const std::vector<Pt> body{{0, 0.5},         {L * 0.12, -H * 0.38}, {L * 0.4, -H * 0.5}, {L * 0.75, -H * 0.35},
                               {L * 0.92, ty * 0.8}, {L * 0.75, H * 0.38 + ty * 0.3}, {L * 0.4, H * 0.5}, {L * 0.12, H * 0.4}};
    c.smooth(body);
    c.shade(f.body, k.outline, 1.0, 110);
    {
        auto s = c.scoped();
        c.smooth(body).clip();
        c.ellipse(L * 0.42, H * 0.42, L * 0.4, H * 0.25);
        c.fill(Paint::solid(f.belly));
        if (f.stripes) {
            for (double x : {0.35, 0.55, 0.72}) {
                c.rect(L * x, -H, L * 0.06, 2 * H);
            }
            c.fill(Paint::solid(f.body.dark.with_alpha(0.7)));
        }
        // Scales.
        for (double x = L * 0.3; x < L * 0.8; x += 5)
            for (double y = -H * 0.3; y < H * 0.2; y += 5) {
                c.arc(x + (int(y) % 2) * 2.5, y, 2.6, 90, 270);
            }
        c.stroke(Paint::solid(f.body.dark.with_alpha(0.35)), 0.6);
    }
    // Pectoral fin.
    c.polygon({{L * 0.3, H * 0.1}, {L * 0.46, H * 0.28 + swish * 2}, {L * 0.4, H * 0.05}});
    c.shade(f.fin, k.outline, 0.8);
    // Eye and mouth.
    c.circle(L * 0.16, -H * 0.12, H * 0.13 + 0.8);
    c.fill_outlined(Paint::solid(Color{1, 1, 1}), k.outline, 0.8);
    c.circle(L * 0.15, -H * 0.12, H * 0.07 + 0.4);
    c.fill(Paint::solid(k.outline));
    c.polyline({{0.5, 1}, {L * 0.08, 2.5}});
    c.stroke(Paint::solid(k.outline), 1.0);
    c.highlight(L * 0.3, -H * 0.32, L * 0.12, H * 0.08, 0.6);
}

void kewl_phish(Canvas& c, double swish) {
    const Look& k = look();
    FishShape f{80, 40, k.blue, k.teal, Color::hex(0xd0f0ff), true};
    // A crest of fin along the head.
    c.polygon({{12, -14}, {16, -27}, {22, -20}, {26, -29}, {31, -20}, {36, -27}, {38, -14}});
    c.shade(k.coral, k.outline);
    fish(c, f, swish);
    // Shades over the eye.
    c.polygon({{6, -9}, {24, -10}, {22, -3}, {10, -2}});
    c.fill_outlined(Paint::vertical(-10, -2, {{0, Color::hex(0x30304a)}, {1, Color::hex(0x050510)}}), k.outline, 1.0);
    c.line({9, -8}, {19, -8.6});
    c.stroke(Paint::solid(Color{1, 1, 1, 0.8}), 1.0, false);
    c.line({24, -9}, {34, -12});
    c.stroke(Paint::solid(k.outline), 1.6);
    // A grin.
    c.arc(8, 3, 5, 20, 120);
    c.stroke(Paint::solid(k.outline), 1.2);
}

void jelly(Canvas& c, double phase) {
    const Look& k = look();
    const double squash = std::sin(phase * 2 * kPi);
    const double bw = 18 + 3 * squash, bh = 15 - 3 * squash;
    // Tentacles trail below, waving.
    for (int i = 0; i < 5; ++i) {
        const double x0 = -12 + i * 6;
        std::vector<Pt> t;
        for (int j = 0; j <= 5; ++j) {
            const double y = 14 + j * 6.5;
            t.push_back({x0 + 3 * std::sin(phase * 2 * kPi + j * 0.9 + i), y + std::abs(squash) * j * 0.4});
        }
        c.smooth(t, false);
        c.stroke(Paint::solid(k.outline), 3.2);
        c.smooth(t, false);
        c.stroke(Paint::solid(k.purple.light), 1.6);
    }
    // Bell: a dome with a scalloped rim.
    std::vector<Pt> bell;
    for (int i = 0; i <= 8; ++i) {
        const double a = kPi + i * kPi / 8;
        bell.push_back({std::cos(a) * bw, 14 + std::sin(a) * (bh + 6)});
    }
    for (int i = 1; i < 6; ++i) bell.push_back({bw - i * bw / 3, 14 + (i % 2 ? 3.5 : 0.5)});
    c.smooth(bell);
    c.fill_outlined(Paint::radial({-bw * 0.3, 0}, 0, {0, 10}, bw * 1.2,
                                  {{0, k.pink.light}, {0.5, k.purple.light}, {1, k.purple.mid}}),
                    k.outline, 1.2);
    // Glowing organs inside.
    c.ellipse(0, 6, bw * 0.45, bh * 0.35);
    c.fill(Paint::radial({0, 6}, 0, bw * 0.45, {{0, Color{1, 1, 1}}, {1, k.pink.mid}}));
    c.highlight(-bw * 0.4, 14 - bh, bw * 0.25, bh * 0.25, 0.85);
}

}  // namespace

void add_sea_life(worlds::World& world) {
    const Look& k = look();
    const auto swish = [](int i, int n) { return -1.0 + 2.0 * i / (n - 1); };
    world.sprite(
        "wateryellowfish",
        art::frames_of({.width = 62, .height = 32, .yoffset = -5, .origin_x = 1, .origin_y = 16}, 4,
                       [&](Canvas& c, int i) {
                           fish(c, FishShape{44, 22, k.yellow, k.coral, Color::hex(0xfff8d0), true}, swish(i, 4));
                       }));
    world.sprite("waterpurplefish",
                 art::frames_of({.width = 58, .height = 34, .origin_x = 1, .origin_y = 17}, 4, [&](Canvas& c, int i) {
                     fish(c, FishShape{40, 24, k.purple, k.pink, Color::hex(0xf0d8ff), false}, swish(i, 4));
                 }));
    world.sprite("waterkewlphish", art::frames_of({.width = 116, .height = 72, .origin_x = 4, .origin_y = 36}, 6,
                                                  [&](Canvas& c, int i) { kewl_phish(c, swish(i, 6)); }));
    world.sprite("waterblob", art::frames_of({.width = 48, .height = 66, .origin_x = 24, .origin_y = 10}, 6,
                                             [](Canvas& c, int i) { jelly(c, i / 6.0); }));
}

}  // namespace water
