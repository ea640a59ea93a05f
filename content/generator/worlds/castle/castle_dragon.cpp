// The three-headed dragon.
//
// "bossdragon" stops the level as soon as it is on screen, so it stands at
// the right edge: its image (260 x 300, offsets (-176, -150)) lies left of
// and around its x, y: wings raised, chest and a clawed foreleg, the three
// necks rooted at x, y, where the heads and the fixed base of each neck
// start. "bossdragonhead": 66 x 48, offsets (0, 0), facing left; 5 frames
// from jaws shut to wide open and burning (the last frame is the one it
// fires on, from its mouth at (x - 5, y + 25)). Neck segments, smallest at
// the head: "neckone" 18, "necktwo" 22, "neckthree" 28, "neckfour" 34
// pixels, centred on x, y; 12 frames, frame d pointing along direction d
// (1 left, 5 up, 9 right, 12 down and right), toward the segment they follow.
#include <cmath>

#include "generator/worlds/castle/castle.h"

namespace castle {

using art::Canvas;
using art::Color;
using art::Frame;
using art::Paint;
using art::Pt;
using art::Ramp;

namespace {

struct BossColours {
    Ramp scales, belly, wing;
    Color eye;
};

BossColours boss_colours() {
    const Look& k = look();
    return {Ramp{Color::hex(0x0a1e1c), Color::hex(0x1e5a4e), Color::hex(0x7ac8a8)}, k.belly,
            Ramp{Color::hex(0x1a1020), Color::hex(0x4a2a4e), Color::hex(0x9a6a9a)}, Color::hex(0xffe040)};
}

// ---- the body ----
std::vector<Frame> body_frames() {
    const Look& k = look();
    const BossColours col = boss_colours();
    Canvas c(260, 300);
    c.translate(176, 150);  // draw around the neck root at (0, 0)
    // Two great wings raised behind.
    for (int w = 0; w < 2; ++w) {
        const double dx = w == 0 ? 30 : 0, dy = w == 0 ? -10 : 0;
        const Ramp membrane = w == 0 ? Ramp{col.wing.dark.darker(0.4), col.wing.dark, col.wing.mid} : col.wing;
        const Pt root{20 + dx, -20 + dy}, elbow{-40 + dx, -120 + dy}, tip{-168 + dx * 0.5, -146 + dy};
        const std::vector<Pt> sail = {root, elbow, tip, {-150 + dx, -96 + dy}, {-110 + dx, -70 + dy},
                                      {-70 + dx, -40 + dy}, {-20 + dx, -10 + dy}};
        c.polygon(sail);
        c.shade(membrane, k.outline, 1.2, 120);
        for (const Pt& end : {sail[3], sail[4], sail[5]}) {
            c.line(elbow, end);
            c.stroke(Paint::solid(membrane.dark), 1.8);
        }
        c.polyline({root, elbow, tip});
        c.stroke(Paint::solid(k.outline), 4.0);
        c.polyline({root, elbow, tip});
        c.stroke(Paint::solid(col.scales.mid), 2.2);
    }
    // Chest and shoulder, the neck roots.
    const std::vector<Pt> chest = {{-30, -20}, {-10, -36}, {30, -40}, {84, -30}, {84, 150}, {20, 150},
                                   {-26, 110}, {-44, 50}, {-46, 10}};
    c.polygon(chest);
    c.shade(col.scales, k.outline, 1.4, 120);
    {
        auto s = c.scoped();
        c.polygon(chest).clip();
        for (double y = -10; y < 150; y += 12) {
            c.ellipse(-20 + y * 0.08, y, 26, 6);
            c.fill_outlined(Paint::vertical(y - 6, y + 6, {{0, col.belly.light}, {1, col.belly.mid}}), k.outline, 0.8);
        }
        // Scales over the shoulder.
        art::Random r(art::seed_of("bossdragonscales"));
        for (int i = 0; i < 60; ++i) {
            const double x = r.range(10, 84), y = r.range(-40, 150);
            c.arc(x, y, 5, 20, 160);
            c.stroke(Paint::solid(col.scales.dark.with_alpha(0.8)), 1.0);
        }
    }
    // Stumps where the three necks leave the shoulder.
    for (const Pt& root : std::vector<Pt>{{-6, -6}, {4, 8}, {-2, 20}}) {
        c.circle(root.x, root.y, 18);
        c.shade(col.scales, k.outline, 1.2);
    }
    // A clawed foreleg planted in front.
    const std::vector<Pt> leg = {{-10, 60}, {-44, 96}, {-50, 134}, {-30, 140}, {-20, 104}, {10, 80}};
    c.polygon(leg);
    c.shade(col.scales, k.outline, 1.2);
    for (int i = 0; i < 3; ++i) {
        const double x = -56 + i * 9;
        c.polygon({{x, 138}, {x - 6, 146}, {x + 4, 140}});
        c.fill_outlined(Paint::solid(Color::hex(0xe8e0c8)), k.outline, 0.8);
    }
    std::vector<Frame> frames;
    frames.push_back({std::move(c), -176, -150});
    return frames;
}

// ---- a head: 66 x 48 ----
Canvas head(double jaw_open) {
    const Look& k = look();
    const BossColours col = boss_colours();
    Canvas c(66, 48);
    const Pt hinge{40, 26};
    const double a = jaw_open * 32;
    {
        auto s = c.scoped();
        c.translate(hinge.x, hinge.y);
        c.rotate_deg(-a);
        c.translate(-hinge.x, -hinge.y);
        const std::vector<Pt> jaw = {hinge, {6, 28}, {4, 32}, {20, 36}, {44, 36}};
        c.polygon(jaw);
        c.shade(col.scales, k.outline, 1.0, 250);
        for (double tx = 8; tx < 34; tx += 6) {
            c.polygon({{tx, 28.5}, {tx + 2.5, 24.5}, {tx + 5, 28.5}});
            c.fill_outlined(Paint::solid(Color::hex(0xf4f0e0)), k.outline, 0.6);
        }
    }
    if (jaw_open > 0.3) {
        c.polygon({hinge, {3, 25}, {8, 28 + 18 * jaw_open}});
        c.fill(Paint::solid(Color::hex(0x3a0606)));
        if (jaw_open > 0.9) c.orb(7, 26, 6, Color{1, 1, 0.85}, k.fire_glow);
    }
    // Skull, horns, brow and eye.
    const std::vector<Pt> skull = {{62, 20}, {56, 8}, {40, 6}, {20, 12}, {2, 20}, {1, 25}, {20, 27}, {40, 28}, {58, 34}};
    c.polygon(skull);
    c.shade(col.scales, k.outline, 1.2, 120);
    for (const auto& [base, tip] : std::vector<std::pair<Pt, Pt>>{{{46, 8}, {64, -2}}, {{52, 12}, {65, 8}}}) {
        c.polygon({{base.x - 4, base.y}, tip, {base.x + 3, base.y + 3}});
        c.fill_outlined(Paint::linear(base, tip, {{0, col.belly.mid}, {1, Color::hex(0xf4f0e0)}}), k.outline, 0.8);
    }
    c.polygon({{22, 12}, {40, 8}, {44, 12}, {26, 15}});
    c.fill(Paint::solid(col.scales.dark));
    c.ellipse(36, 15, 4.5, 2.8);
    c.fill_outlined(Paint::radial({35, 14}, 0, 4.5, {{0, Color{1, 1, 1}}, {0.5, col.eye}, {1, col.eye.darker(0.4)}}), k.outline, 0.8);
    c.rect(35.5, 13, 1.2, 4);
    c.fill(Paint::solid(k.outline));
    c.circle(6, 19, 1.2);
    c.fill(Paint::solid(k.outline));
    c.polyline({{6, 18}, {22, 11}, {42, 7}});
    c.stroke(Paint::solid(col.scales.light.with_alpha(0.8)), 1.0);
    return c;
}

std::vector<Frame> head_frames() {
    std::vector<Frame> frames;
    for (int f = 0; f < 5; ++f) frames.push_back({head(f / 4.0), 0, 0});
    return frames;
}

// ---- neck segments ----
std::vector<Frame> segment_frames(int size) {
    const Look& k = look();
    const BossColours col = boss_colours();
    std::vector<Frame> frames;
    for (int d = 1; d <= 12; ++d) {
        Canvas c(size, size);
        const double h = size / 2.0;
        {
            auto s = c.scoped();
            c.translate(h, h);
            c.rotate_deg(art::direction_degrees(d));
            // A vertebra pointing right: an armoured oval with side spurs and a ridge.
            c.polygon({{-h * 0.2, -h * 0.55}, {h * 0.15, -h * 0.95}, {h * 0.3, -h * 0.5}});
            c.fill_outlined(Paint::solid(col.belly.light), k.outline, 0.8);
            c.polygon({{-h * 0.2, h * 0.55}, {h * 0.15, h * 0.95}, {h * 0.3, h * 0.5}});
            c.fill_outlined(Paint::solid(col.belly.light), k.outline, 0.8);
            c.ellipse(0, 0, h * 0.88, h * 0.7);
            c.shade(col.scales, k.outline, 1.0, 120);
            c.arc(-h * 0.2, 0, h * 0.55, -60, 60);
            c.stroke(Paint::solid(col.scales.dark), 1.2);
            c.arc(h * 0.25, 0, h * 0.45, -60, 60);
            c.stroke(Paint::solid(col.scales.dark), 1.0);
        }
        c.highlight(h * 0.7, h * 0.7, h * 0.3, h * 0.18, 0.4);
        frames.push_back({std::move(c), -size / 2, -size / 2});
    }
    return frames;
}

}  // namespace

void add_dragon(worlds::World& world) {
    world.sprite("bossdragon", body_frames());
    world.sprite("bossdragonhead", head_frames());
    world.sprite("neckone", segment_frames(18));
    world.sprite("necktwo", segment_frames(22));
    world.sprite("neckthree", segment_frames(28));
    world.sprite("neckfour", segment_frames(34));
}

}  // namespace castle
