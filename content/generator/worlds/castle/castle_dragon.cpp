// The three-headed dragon.
//
// "bossdragon" (placed on layer 2: drawn behind, out of reach of shots)
// stops the level as soon as it is on screen, so it stands at the right
// edge, and the heads build their necks where it stands: the base
// of each neck stays at its x, y for the whole fight. A neck reaches about
// 300 pixels from its head, and the heads roam the left of the screen, so
// the body is a great bulk reaching far left and up from x, y: its image
// (330 x 420, offsets (-300, -330)) is wings raised high behind a long chest
// and shoulders, where a stretched neck's end always lies over it. Nothing
// of it reaches left of x - 300, where the heads (x up to 320) must stay
// open to shots. "bossdragonhead": 66 x 48, offsets (0, 0), facing left; 5
// frames from jaws shut to wide open and burning (the last frame is the one
// it fires on, from its mouth at (x - 5, y + 25)), the torn end of its neck at
// the back of the skull, which the first vertebra covers while the neck holds. Neck segments, smallest at
// the head: "neckone" 20, "necktwo" 24, "neckthree" 30, "neckfour" 38 pixels,
// round (a segment shows frame 1 for four directions as well as its own) and
// centred on x, y, each at least as wide as the farthest its behaviour lets
// it trail its leader, so a whole neck is one unbroken column; 12 frames,
// frame d with its ridge pointing along direction d toward the segment it
// follows.
#include <cmath>

#include "generator/art/prelude.h"
#include "generator/worlds/castle/castle.h"

namespace castle {

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
constexpr int kBodyW = 342, kBodyH = 412;
constexpr int kRootX = 300, kRootY = 328;  // the necks' base (the body's x, y) in the image

// A wing raised behind: finger bones from the elbow, the membrane between
// them scalloped, darker toward the body.
void body_wing(Canvas& c, const BossColours& col, Pt root, Pt elbow, const std::vector<Pt>& fingers,
               const Ramp& membrane) {
    const Look& k = look();
    std::vector<Pt> edge{root, elbow};
    for (size_t i = 0; i < fingers.size(); ++i) {
        edge.push_back(fingers[i]);
        const Pt next = i + 1 < fingers.size() ? fingers[i + 1] : Pt{root.x - 30, root.y + 10};
        // The membrane sags between two fingertips, toward the elbow.
        edge.push_back({(fingers[i].x + next.x) / 2 * 0.82 + elbow.x * 0.18,
                        (fingers[i].y + next.y) / 2 * 0.82 + elbow.y * 0.18});
    }
    c.smooth(edge);
    c.fill_outlined(Paint::radial(elbow, 20, 330, {{0, membrane.mid}, {0.6, membrane.dark}, {1, membrane.dark.darker(0.3)}}),
                    k.outline, 1.4);
    for (const Pt& f : fingers) {
        c.line(elbow, f);
        c.stroke(Paint::solid(k.outline), 4.0);
        c.line(elbow, f);
        c.stroke(Paint::solid(membrane.light.darker(0.2)), 2.0);
    }
    c.line(root, elbow);
    c.stroke(Paint::solid(k.outline), 9.0);
    c.line(root, elbow);
    c.stroke(Paint::linear(root, elbow, {{0, col.scales.mid}, {1, col.scales.light}}), 6.5);
    c.orb(elbow.x, elbow.y, 5, col.belly.light, col.scales.dark);
    // A claw at the wrist.
    c.polygon({{elbow.x - 4, elbow.y - 2}, {elbow.x - 2, elbow.y - 16}, {elbow.x + 4, elbow.y - 3}});
    c.fill_outlined(Paint::solid(Color::hex(0xe8e0c8)), k.outline, 0.8);
}

std::vector<Frame> body_frames() {
    const Look& k = look();
    const BossColours col = boss_colours();
    Canvas c(kBodyW, kBodyH);
    c.translate(kRootX, kRootY);  // draw around the neck root at (0, 0)
    // Two great wings raised behind, spread up and to the left.
    body_wing(c, col, {20, -70}, {-40, -270}, {{-286, -300}, {-290, -210}, {-250, -130}, {-170, -78}},
              Ramp{col.wing.dark.darker(0.45), col.wing.dark.darker(0.2), col.wing.mid.darker(0.2)});
    body_wing(c, col, {0, -50}, {-90, -240}, {{-296, -250}, {-280, -160}, {-220, -96}, {-140, -54}}, col.wing);
    // The tail curling away behind, off the right edge.
    c.smooth({{0, 40}, {24, 10}, {34, -20}, {40, -40}, {34, 20}, {10, 70}}, true);
    c.shade(col.scales, k.outline, 1.2, 120);
    // A long chest and shoulders, leaning toward the heads.
    const std::vector<Pt> chest = {{-168, -30}, {-140, -84}, {-80, -112}, {-10, -104}, {32, -60}, {30, 40},
                                   {-10, 70},   {-70, 64},   {-128, 36},  {-166, 6}};
    c.smooth(chest);
    c.shade(col.scales, k.outline, 1.4, 120);
    {
        auto scope = c.scoped();
        c.smooth(chest).clip();
        // Belly plates along the underside.
        for (double t = 0; t <= 1.0; t += 0.08) {
            const Pt p{-160 + 160 * t, 4 + 58 * t - 40 * t * (1 - t)};
            c.ellipse(p.x, p.y + 6, 15, 7);
            c.fill_outlined(Paint::vertical(p.y - 1, p.y + 13, {{0, col.belly.light}, {1, col.belly.mid}}), k.outline, 0.8);
        }
        // Scales over the shoulder.
        art::Random r(art::seed_of("bossdragonscales"));
        for (int i = 0; i < 130; ++i) {
            const double x = r.range(-160, 30), y = r.range(-110, 30);
            c.arc(x, y, 5, 20, 160);
            c.stroke(Paint::solid(col.scales.dark.with_alpha(0.8)), 1.0);
        }
        c.highlight(-100, -80, 40, 12, 0.25);
    }
    // The necks leave the shoulder as three thick roots, tapering to the base.
    for (const Pt& from : std::vector<Pt>{{-150, -60}, {-110, -92}, {-60, -100}}) {
        const Pt mid{(from.x + 0) / 2 - 6, (from.y + 0) / 2 - 14};
        c.smooth({from, mid, {0, 0}}, false);
        c.stroke(Paint::solid(k.outline), 40);
        c.smooth({from, mid, {0, 0}}, false);
        c.stroke(Paint::linear({from.x, from.y - 18}, {from.x + 10, from.y + 18},
                               {{0, col.scales.light}, {0.45, col.scales.mid}, {1, col.scales.dark}}),
                 37);
        c.circle(from.x, from.y, 18);
        c.shade(col.scales, k.outline, 1.2);
    }
    c.circle(0, 0, 20);
    c.shade(col.scales, k.outline, 1.2);
    // A clawed foreleg planted in front, a hind leg behind.
    for (const auto& [hip, foot] : std::vector<std::pair<Pt, Pt>>{{{-70, 40}, {-104, 70}}, {{-6, 50}, {-16, 72}}}) {
        const std::vector<Pt> leg = {{hip.x + 16, hip.y - 12}, {hip.x - 16, hip.y}, {foot.x - 6, foot.y - 8},
                                     {foot.x + 14, foot.y}, {hip.x + 22, hip.y + 10}};
        c.smooth(leg);
        c.shade(col.scales, k.outline, 1.2);
        for (int i = 0; i < 3; ++i) {
            const double x = foot.x - 8 + i * 8;
            c.polygon({{x, foot.y - 2}, {x - 6, foot.y + 8}, {x + 4, foot.y + 1}});
            c.fill_outlined(Paint::solid(Color::hex(0xe8e0c8)), k.outline, 0.8);
        }
    }
    std::vector<Frame> frames;
    frames.push_back({.image = std::move(c), .xoffset = -kRootX, .yoffset = -kRootY});
    return frames;
}

// ---- a head: 66 x 48 ----
// The torn end of the neck at the back of the skull, where the first
// vertebra rides while the neck holds: once the vertebrae are shot away it
// shows raw and smouldering, shedding embers (`flicker` 0..1 moves them), so
// a head flying free reads as one torn from its neck. It is painted inside
// the head's own outline, so the head's hit area stays as it was.
void torn_neck(Canvas& c, const BossColours& col, double flicker) {
    const Look& k = look();
    // A collar of darker scales where the neck was, then the wound.
    c.ellipse(56, 26, 7, 9);
    c.fill(Paint::solid(col.scales.dark));
    c.ellipse(58.5, 26.5, 3.4, 7);
    c.fill_outlined(Paint::radial({58.5, 26.5}, 0, 7, {{0, Color::hex(0xffe0a0)}, {0.35, art::fire_colour(0.6)},
                                                       {1, Color::hex(0x7a1010)}}),
                    k.outline, 0.8);
    c.circle(58.8, 26.5, 1.5);
    c.fill(Paint::solid(Color::hex(0xf4f0e0)));
    for (int i = 0; i < 3; ++i) {
        const double t = std::fmod(flicker + i / 3.0, 1.0);
        c.orb(53 - t * 3, 21 + i * 5 + t * 2, 1.2, Color{1, 1, 0.8}, k.fire_glow);
    }
}

// Keeps the opaque pixels of `shape` only: what was painted outside its
// outline goes, what lies inside it is made opaque.
void keep_outline(Canvas& c, Canvas& shape) {
    std::vector<bool> inside;
    shape.map_pixels([&](int, int, Color& p) { inside.push_back(p.a * 255 >= 127.5); });
    size_t i = 0;
    c.map_pixels([&](int, int, Color& p) {
        if (inside[i++]) p.a = 1;
        else p = Color{0, 0, 0, 0};
    });
}

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
    Canvas shape = c.clone();
    torn_neck(c, col, jaw_open);
    keep_outline(c, shape);
    return c;
}

std::vector<Frame> head_frames() {
    std::vector<Frame> frames;
    for (int f = 0; f < 5; ++f) frames.push_back({.image = head(f / 4.0)});
    return frames;
}

// ---- neck segments ----
// A round vertebra with its ridge and spurs pointing along direction d.
std::vector<Frame> segment_frames(int size) {
    const Look& k = look();
    const BossColours col = boss_colours();
    std::vector<Frame> frames;
    for (int d = 1; d <= 12; ++d) {
        Canvas c(size + 1, size + 1);
        const double h = size / 2.0;
        c.circle(h + 0.5, h + 0.5, h - 0.5);
        c.shade(col.scales, k.outline, 1.0, 120);
        {
            auto s = c.scoped();
            c.translate(h + 0.5, h + 0.5);
            c.rotate_deg(art::direction_degrees(d));
            // Belly plate on the underside, scales on the back, a ridge along the spine.
            c.arc(0, 0, h * 0.62, 40, 140);
            c.stroke(Paint::solid(col.belly.light), h * 0.3);
            c.arc(-h * 0.2, 0, h * 0.5, -70, 70);
            c.stroke(Paint::solid(col.scales.dark), 1.2);
            c.arc(h * 0.25, 0, h * 0.4, -70, 70);
            c.stroke(Paint::solid(col.scales.dark), 1.0);
            c.polygon({{-h * 0.35, -h * 0.72}, {0, -h * 0.98}, {h * 0.35, -h * 0.72}});
            c.fill_outlined(Paint::solid(col.belly.light), k.outline, 0.8);
        }
        c.highlight(h * 0.7, h * 0.65, h * 0.3, h * 0.18, 0.4);
        frames.push_back({.image = std::move(c), .xoffset = -size / 2, .yoffset = -size / 2});
    }
    return frames;
}

}  // namespace

void add_dragon(worlds::World& world) {
    world.sprite("bossdragon", body_frames());
    world.sprite("bossdragonhead", head_frames());
    world.sprite("neckone", segment_frames(20));
    world.sprite("necktwo", segment_frames(24));
    world.sprite("neckthree", segment_frames(30));
    world.sprite("neckfour", segment_frames(38));
}

}  // namespace castle
