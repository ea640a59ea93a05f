// The wooden horse: a siege engine on wheels that bars the road half-way.
// Body coordinates are measured from the horse's x, y.
//
// "horse" (the body, harmless): 290 x 300 at offsets (-30, 20): a planked
// torso at (0..240, 80..180) on four legs down to a wheeled platform whose
// wheels touch row 320, so it stands at y = ground - 320; the neck rises to
// the head's place. "horsehead" is spawned at (-77, 2): 100 x 100, offsets
// (0, 0), facing left; its jaw opens over 5 frames and its mouth is at
// (5, 65), where it breathes fire. "horseback" is spawned at (152, 82): a
// fighting tower on the horse's back, 140 x 104 at offsets (-118, -96), its
// cannon's muzzle at (-70, -45) (body 82, 37); 5 frames of recoil and banner.
#include <cmath>

#include "generator/art/prelude.h"
#include "generator/worlds/castle/castle.h"

namespace castle {

namespace {

// Planks across a shape: the wood grain in bands along `angle_deg`.
void planks(Canvas& c, const std::vector<Pt>& shape, double spacing, double angle_deg, uint64_t seed) {
    const Look& k = look();
    c.polygon(shape);
    art::textured(c, k.wood, art::Noise(seed), 0.06, 0.35, 110);
    auto s = c.scoped();
    c.polygon(shape).clip();
    const double a = angle_deg * kPi / 180;
    const double dx = std::cos(a), dy = std::sin(a);
    for (double t = -400; t < 400; t += spacing) {
        c.line({150 - dy * t - dx * 400, 150 + dx * t - dy * 400}, {150 - dy * t + dx * 400, 150 + dx * t + dy * 400});
        c.stroke(Paint::solid(k.wood.dark.with_alpha(0.75)), 1.0);
    }
}

void bolt_row(Canvas& c, Pt a, Pt b, int n) {
    const Look& k = look();
    for (int i = 0; i <= n; ++i) {
        const double t = double(i) / n;
        c.circle(a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t, 1.5);
        c.fill_outlined(Paint::solid(k.steel.light), k.outline, 0.6);
    }
}

std::vector<Frame> horse_body() {
    const Look& k = look();
    Canvas c(290, 300);
    c.translate(30, -20);  // draw in body coordinates
    // Platform and wheels.
    c.rect(-12, 286, 266, 16);
    c.shade(k.wood, k.outline, 1.0, 100);
    for (double wx : {18.0, 88.0, 158.0, 228.0}) {
        c.circle(wx, 305, 15);
        c.shade(k.wood, k.outline, 1.2);
        for (int sp = 0; sp < 6; ++sp) {
            const double a = sp * kPi / 3 + wx;
            c.line({wx, 305}, {wx + 13 * std::cos(a), 305 + 13 * std::sin(a)});
            c.stroke(Paint::solid(k.wood.dark), 2.0);
        }
        c.circle(wx, 305, 15);
        c.stroke(Paint::solid(k.steel.mid), 2.0);
        c.circle(wx, 305, 3.5);
        c.shade(k.steel, k.outline, 0.8);
    }
    // Legs, the far pair darker.
    for (const auto& [x, far] : std::vector<std::pair<double, bool>>{{46, true}, {214, true}, {22, false}, {190, false}}) {
        const std::vector<Pt> legshape = {{x - 12, 170}, {x + 12, 170}, {x + 9, 250}, {x + 11, 286}, {x - 11, 286}, {x - 9, 250}};
        planks(c, legshape, 7, 90, art::seed_of("horseleg") + uint64_t(x));
        if (far) {
            c.polygon(legshape);
            c.fill(Paint::solid(Color{0, 0, 0, 0.35}));
        }
        c.polygon(legshape);
        c.stroke(Paint::solid(k.outline), 1.2);
        c.rect(x - 12, 268, 24, 10);
        c.shade(k.steel, k.outline);  // iron hoof bands
    }
    // Tail of rope.
    for (int i = 0; i < 5; ++i) {
        const double d = i;
        c.smooth({{240, 100}, {256 + d * 2, 130}, {250 + d * 3, 170 + d * 6}}, false);
        c.stroke(Paint::solid(i % 2 ? Color::hex(0xc8a060) : Color::hex(0x8a6a3a)), 2.5);
    }
    // Torso and neck.
    const std::vector<Pt> torso = {{-4, 120}, {10, 88}, {60, 78}, {180, 78}, {236, 92}, {246, 130},
                                   {232, 176}, {180, 184}, {60, 184}, {8, 170}};
    planks(c, torso, 9, 0, art::seed_of("horsetorso"));
    c.polygon(torso);
    c.stroke(Paint::solid(k.outline), 1.5);
    const std::vector<Pt> neck = {{-18, 48}, {16, 38}, {56, 84}, {52, 130}, {8, 140}, {-10, 96}};
    planks(c, neck, 8, 60, art::seed_of("horseneck"));
    c.polygon(neck);
    c.stroke(Paint::solid(k.outline), 1.5);
    // Iron bands and bolts, a trapdoor in the belly, a mane of rope.
    for (double bx : {40.0, 120.0, 200.0}) {
        c.rect(bx, 79, 6, 104);
        c.shade(k.steel, k.outline, 0.8, 180);
        bolt_row(c, {bx + 3, 86}, {bx + 3, 176}, 6);
    }
    c.rect(96, 150, 44, 28);
    c.fill_outlined(Paint::solid(k.wood.dark), k.outline, 1.2);
    c.line({118, 150}, {118, 178});
    c.stroke(Paint::solid(k.outline), 1.0);
    for (int i = 0; i < 7; ++i) {
        const double t = i / 6.0;
        const Pt root{-10 + 58 * t, 44 + 36 * t};
        c.line(root, {root.x + 12, root.y - 10});
        c.stroke(Paint::solid(Color::hex(0x6a4a2a)), 3.0);
    }
    c.polyline({{14, 90}, {60, 80}, {180, 80}});
    c.stroke(Paint::solid(k.wood.light.with_alpha(0.7)), 1.2);
    std::vector<Frame> frames;
    frames.push_back({.image = std::move(c), .xoffset = -30, .yoffset = 20});
    return frames;
}

// ---- the head: 100 x 100, facing left ----
Canvas horse_head(double jaw_open) {
    const Look& k = look();
    Canvas c(100, 100);
    const Pt hinge{44, 58};
    const double a = jaw_open * 26 * kPi / 180;
    // Lower jaw swinging down about the hinge.
    {
        auto s = c.scoped();
        c.translate(hinge.x, hinge.y);
        c.rotate_deg(-a * 180 / kPi);
        c.translate(-hinge.x, -hinge.y);
        const std::vector<Pt> jaw = {{hinge.x, hinge.y}, {4, 66}, {4, 74}, {20, 78}, {hinge.x + 6, hinge.y + 14}};
        planks(c, jaw, 6, 0, art::seed_of("horsejaw"));
        c.polygon(jaw);
        c.stroke(Paint::solid(k.outline), 1.2);
        for (double tx = 8; tx < 34; tx += 6) {
            c.polygon({{tx, 66.5}, {tx + 2.5, 62}, {tx + 5, 66.5}});
            c.fill_outlined(Paint::solid(Color::hex(0xf0e8d0)), k.outline, 0.6);
        }
    }
    // Fire in the open mouth.
    if (jaw_open > 0.3) {
        c.polygon({{hinge.x, hinge.y}, {2, 62}, {6, 64 + 18 * jaw_open}});
        c.fill(Paint::solid(Color::hex(0x300808)));
        c.orb(10, 66, 3 + 5 * jaw_open, Color{1, 1, 0.85}, k.fire_glow);
    }
    // Skull: a long wooden face with ears and an iron-bound brow.
    const std::vector<Pt> skull = {{96, 92}, {74, 26}, {66, 6}, {58, 2}, {52, 16}, {32, 26}, {10, 44},
                                   {0, 56}, {2, 64}, {44, 60}, {64, 96}};
    planks(c, skull, 7, 30, art::seed_of("horsehead"));
    c.polygon(skull);
    c.stroke(Paint::solid(k.outline), 1.5);
    c.polygon({{70, 24}, {76, 0}, {82, 26}});
    planks(c, {{70, 24}, {76, 0}, {82, 26}}, 5, 90, art::seed_of("horseear"));
    c.polygon({{70, 24}, {76, 0}, {82, 26}});
    c.stroke(Paint::solid(k.outline), 1.2);
    c.rect(30, 30, 44, 5);
    c.shade(k.steel, k.outline, 0.8);
    bolt_row(c, {34, 32.5}, {70, 32.5}, 4);
    // A burning eye and a nostril.
    c.circle(46, 42, 6);
    c.fill_outlined(Paint::solid(k.wood.dark), k.outline, 1.0);
    c.orb(46, 42, 3.6, Color{1, 1, 0.8}, k.fire_glow);
    c.ellipse(8, 52, 3, 2);
    c.fill(Paint::solid(k.outline));
    c.polyline({{12, 44}, {32, 28}, {54, 18}});
    c.stroke(Paint::solid(k.wood.light.with_alpha(0.8)), 1.2);
    return c;
}

std::vector<Frame> horse_head_frames() {
    std::vector<Frame> frames;
    for (int f = 0; f < 5; ++f) frames.push_back({.image = horse_head(f / 4.0)});
    return frames;
}

// ---- the fighting tower on its back: 140 x 104 ----
Canvas horse_back(int frame) {
    const Look& k = look();
    Canvas c(140, 104);
    // Banner on a pole.
    const double flap = std::sin(frame * kPi / 2.5) * 3;
    c.line({120, 12}, {120, -4});
    c.stroke(Paint::solid(k.outline), 2.0);
    c.polygon({{120, 0}, {102, 3 + flap}, {106, 8 + flap * 0.5}, {120, 10}});
    c.fill_outlined(Paint::solid(k.roof.mid), k.outline, 0.8);
    // The tower: a planked box with crenellations and arrow slits.
    const std::vector<Pt> box = {{64, 20}, {134, 20}, {134, 100}, {64, 100}};
    planks(c, box, 8, 0, art::seed_of("horseback"));
    c.polygon(box);
    c.stroke(Paint::solid(k.outline), 1.5);
    for (double x = 64; x < 134; x += 14) {
        c.rect(x, 10, 9, 11);
        c.shade(k.wood, k.outline, 1.0, 100);
    }
    for (double x : {90.0, 116.0}) {
        c.rect(x, 34, 4, 14);
        c.fill(Paint::solid(Color::hex(0x1a0e08)));
    }
    c.rect(62, 60, 74, 6);
    c.shade(k.steel, k.outline, 0.8);
    // The cannon through the front wall; it kicks back as it fires.
    const double recoil = frame == 4 ? 4 : frame == 3 ? 2 : 0;
    c.rect(48 + recoil, 47.5, 30, 7);
    c.shade(k.steel, k.outline, 1.0, 90);
    c.rect(48 + recoil, 46, 5, 10);
    c.shade(k.steel, k.outline, 0.8);
    c.circle(70, 51, 7);
    c.shade(k.wood, k.outline);
    if (frame == 4) c.orb(45, 51, 4.5, Color{1, 1, 0.85}, k.fire_glow);
    return c;
}

std::vector<Frame> horse_back_frames() {
    std::vector<Frame> frames;
    for (int f = 0; f < 5; ++f) frames.push_back({.image = horse_back(f), .xoffset = -118, .yoffset = -96});
    return frames;
}

}  // namespace

void add_horse(worlds::World& world) {
    world.sprite("horse", horse_body());
    world.sprite("horsehead", horse_head_frames());
    world.sprite("horseback", horse_back_frames());
}

}  // namespace castle
