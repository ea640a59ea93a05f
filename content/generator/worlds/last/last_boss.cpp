// The last boss: a curled shell of chitin and bone, five guns on its face.
// Shell coordinates are measured from the shell's x, y.
//
// "finalbossshell": 186 x 236 at offsets (-22, -64): the curled shell at the
// right, its face at the left, with vents at (-15, 50) and (150, 50) where
// its squirming shots leave. The guns keep fixed offsets from the shell;
// each image is placed so that its muzzles are where its shots appear:
//   gun one (20, 90): the right jaw cannon, 60 x 46 at (-46, 12); muzzles at
//     (-25, 50) and (-45, 20) from the gun;
//   gun three (-10, 85): the left jaw cannon, 60 x 46 at (-48, 16), the same
//     muzzles;
//   gun two (-18, 100): the chin pod, 40 x 30 at (-14, 42), never fires;
//   gun four (-40, -15): the cluster of eyes at the brow, 44 x 36 at (-6, -6),
//     never fires;
//   gun five (67, -75): the dorsal turret on its stalk, 54 x 56 at (-24, -8), muzzle at
//     (-25, 20).
// The five guns feed from one heart on the face at (-20, 124): each gun's
// picture holds the heart and a vein from the gun down to it, all alike, so
// the heart shows as one and a shot into it wounds every gun still alive
// (the guns' pictures overlap there, and a shot hurts all it touches). The
// heart stays until the last gun is gone.
// Shots: "finalbossshotone" an aimed acid orb, "finalbossshottwo" a bolt
// flying left, "finalbossshotthree" a drifting spore (4 frames, looped), and
// the shell's own "citybossshotone", a writhing parasite (5 frames, back and
// forth); all centred on x, y.
#include <cmath>

#include "generator/art/prelude.h"
#include "generator/worlds/last/last.h"

namespace last {

namespace {

std::vector<Frame> one_frame(Canvas&& c, int xoffset, int yoffset) {
    std::vector<Frame> frames;
    frames.push_back({.image = std::move(c), .xoffset = xoffset, .yoffset = yoffset});
    return frames;
}

void vent(Canvas& c, double x, double y, double r) {
    const Look& k = look();
    c.circle(x, y, r + 2.5);
    c.shade(k.bone, k.outline, 1.0);
    c.orb(x, y, r, k.acid_core, k.acid.darker(0.3));
}

// ---- the shell ----
std::vector<Frame> shell_frames() {
    const Look& k = look();
    Canvas c(186, 236);
    c.translate(22, 64);
    // The curled shell: chambers spiralling in to the right.
    const Pt centre{96, 56};
    std::vector<Pt> outer;
    for (int i = 0; i <= 40; ++i) {
        const double a = -kPi * 0.55 + i * (2 * kPi * 0.92) / 40;
        const double r = 64 + 44 * (1 - double(i) / 40);
        outer.push_back({centre.x + std::cos(a) * r * 0.98, centre.y + std::sin(a) * r * 0.95});
    }
    c.smooth(outer);
    art::textured(c, k.chitin, art::Noise(art::seed_of("finalbossshell")), 0.05, 0.4, 120);
    c.smooth(outer);
    c.stroke(Paint::solid(k.outline), 1.6);
    {
        auto s = c.scoped();
        c.smooth(outer).clip();
        // Chamber walls: curved ribs of bone from the hub outwards.
        for (int i = 0; i < 11; ++i) {
            const double a = -kPi * 0.5 + i * 2 * kPi / 11;
            const double r0 = 10, r1 = 110;
            c.smooth({{centre.x + std::cos(a) * r0, centre.y + std::sin(a) * r0},
                      {centre.x + std::cos(a + 0.35) * r1 * 0.5, centre.y + std::sin(a + 0.35) * r1 * 0.5},
                      {centre.x + std::cos(a + 0.5) * r1, centre.y + std::sin(a + 0.5) * r1}},
                     false);
            c.stroke(Paint::solid(k.outline), 4.5);
            c.smooth({{centre.x + std::cos(a) * r0, centre.y + std::sin(a) * r0},
                      {centre.x + std::cos(a + 0.35) * r1 * 0.5, centre.y + std::sin(a + 0.35) * r1 * 0.5},
                      {centre.x + std::cos(a + 0.5) * r1, centre.y + std::sin(a + 0.5) * r1}},
                     false);
            c.stroke(Paint::linear({centre.x - 60, centre.y - 60}, {centre.x + 60, centre.y + 60},
                                   {{0, k.bone.light}, {0.5, k.bone.mid}, {1, k.bone.dark}}),
                     2.5);
        }
        // Glowing seams between the chambers.
        c.arc(centre.x, centre.y, 34, 0, 360);
        c.stroke(Paint::solid(k.flesh.mid), 2.0);
        c.arc(centre.x, centre.y, 70, 200, 420);
        c.stroke(Paint::solid(k.flesh.dark), 3.0);
    }
    c.orb(centre.x, centre.y, 10, k.acid_core, k.flesh.mid);
    c.highlight(centre.x - 40, centre.y - 60, 22, 8, 0.35);
    // The face: a carapace with a brow ridge, where the guns sit.
    const std::vector<Pt> face = {{-20, 20}, {0, -20}, {40, -36}, {70, -20}, {58, 40}, {50, 110},
                                  {30, 150}, {-10, 160}, {-22, 110}, {-12, 60}};
    c.polygon(face);
    c.shade(k.flesh, k.outline, 1.4, 120);
    {
        auto s = c.scoped();
        c.polygon(face).clip();
        for (double y = -30; y < 170; y += 14) {
            c.arc(20, y, 48, 200, 340);
            c.stroke(Paint::solid(k.flesh.dark.with_alpha(0.8)), 1.5);
        }
    }
    c.polygon({{-24, 10}, {10, -30}, {46, -44}, {40, -30}, {8, -18}, {-14, 16}});
    c.shade(k.bone, k.outline, 1.0, 120);
    vent(c, -15, 50, 6);
    vent(c, 150, 50, 6);
    return one_frame(std::move(c), -22, -64);
}

// ---- guns ----
void barrel(Canvas& c, Pt tip, double length, double width, double angle_deg) {
    const Look& k = look();
    auto s = c.scoped();
    c.translate(tip.x, tip.y);
    c.rotate_deg(angle_deg);
    c.rect(0, -width / 2, length, width);
    c.shade(k.metal, k.outline, 1.0, 90);
    c.rect(0, -width / 2 - 1.5, 5, width + 3);
    c.shade(k.bone, k.outline, 0.8);
    c.rect(0.5, -width / 2 + 1.5, 1.5, width - 3);
    c.fill(Paint::solid(k.acid));
}

// A jaw cannon: a bony mandible holding a long barrel (muzzle at `upper`)
// and a short one (muzzle at `lower`), image pixels.
Canvas jaw_cannon(Pt upper, Pt lower, bool far) {
    const Look& k = look();
    Canvas c(60, 46);
    const Ramp bone = far ? Ramp{k.bone.dark.darker(0.3), k.bone.dark, k.bone.mid} : k.bone;
    barrel(c, upper, 34, 7, 25);
    barrel(c, lower, 22, 8, 0);
    const std::vector<Pt> mandible = {{upper.x + 22, upper.y + 4}, {58, 10}, {58, 30}, {lower.x + 26, lower.y + 8},
                                      {lower.x + 18, lower.y - 6}, {upper.x + 26, upper.y + 14}};
    c.polygon(mandible);
    c.shade(bone, k.outline, 1.2, 120);
    c.orb(46, 20, 4.5, k.acid_core, k.acid.darker(0.2));
    c.circle(46, 20, 4.5);
    c.stroke(Paint::solid(k.outline), 1.0);
    return c;
}

Canvas chin_pod() {
    const Look& k = look();
    Canvas c(40, 30);
    c.ellipse(20, 14, 17, 11);
    c.shade(k.flesh, k.outline, 1.2, 120);
    for (int i = 0; i < 4; ++i) {
        c.polygon({{8.0 + i * 8, 22}, {11.0 + i * 8, 29}, {14.0 + i * 8, 22}});
        c.fill_outlined(Paint::solid(k.bone.light), k.outline, 0.8);
    }
    c.orb(20, 12, 5, k.acid_core, k.ember);
    return c;
}

Canvas eye_cluster() {
    const Look& k = look();
    Canvas c(44, 36);
    c.ellipse(22, 18, 20, 15);
    c.shade(k.chitin, k.outline, 1.2, 120);
    const Pt eyes[] = {{12, 14}, {24, 10}, {33, 18}, {18, 25}, {29, 27}};
    for (const Pt& e : eyes) {
        const double r = e.x == 24 ? 5 : 3.5;
        c.circle(e.x, e.y, r);
        c.fill_outlined(Paint::radial({e.x - 1, e.y - 1}, 0, r, {{0, Color{1, 1, 0.9}}, {0.5, Color::hex(0xffd020)}, {1, k.ember}}),
                        k.outline, 0.8);
        c.rect(e.x - 0.6, e.y - r * 0.7, 1.2, r * 1.4);
        c.fill(Paint::solid(k.outline));
    }
    return c;
}

Canvas dorsal_turret() {
    const Look& k = look();
    Canvas c(54, 56);
    // A stalk down into the shell, then the turret on it.
    c.polygon({{26, 30}, {44, 30}, {48, 56}, {22, 56}});
    c.shade(k.flesh, k.outline, 1.0, 120);
    barrel(c, {1, 28}, 30, 6, 0);
    c.ellipse(34, 26, 17, 12);
    c.shade(k.chitin, k.outline, 1.2, 120);
    c.polygon({{28, 16}, {40, 2}, {44, 16}});
    c.shade(k.bone, k.outline);
    c.orb(38, 25, 4, k.acid_core, k.acid.darker(0.2));
    return c;
}

// ---- shots ----
std::vector<Frame> orb_frames(const Color& core, const Color& rim, double r) {
    const int size = int(std::ceil(r * 2 + 4));
    const art::FrameBox box{.width = size, .height = size, .xoffset = -size / 2, .yoffset = -size / 2};
    return art::frames_of(box, 2, [&](Canvas& c, int f) {
        const double rr = f == 0 ? r : r + 0.8;
        c.orb(size / 2.0, size / 2.0, rr, core, rim);
        c.circle(size / 2.0, size / 2.0, rr);
        c.stroke(Paint::solid(rim.darker(0.5)), 1.0);
    });
}

std::vector<Frame> bolt_frames() {
    const Look& k = look();
    Canvas c(28, 10);
    c.polygon({{1, 5}, {8, 1}, {27, 3.5}, {27, 6.5}, {8, 9}});
    c.fill_outlined(Paint::linear({0, 0}, {28, 0}, {{0, Color{1, 1, 1}}, {0.3, k.flesh.light}, {1, k.flesh.dark.with_alpha(0.4)}}),
                    k.outline, 0.8);
    return one_frame(std::move(c), -14, -5);
}

std::vector<Frame> spore_frames() {
    const Look& k = look();
    return art::frames_of({.width = 26, .height = 26, .xoffset = -13, .yoffset = -13}, 4, [&](Canvas& c, int f) {
        const double pulse = 1 + 0.12 * std::sin(f * kPi / 2);
        for (int i = 0; i < 8; ++i) {
            const double a = i * kPi / 4 + f * 0.2;
            c.line({13, 13}, {13 + std::cos(a) * 12 * pulse, 13 + std::sin(a) * 12 * pulse});
            c.stroke(Paint::solid(k.outline), 2.6);
            c.line({13, 13}, {13 + std::cos(a) * 11 * pulse, 13 + std::sin(a) * 11 * pulse});
            c.stroke(Paint::solid(k.chitin.light), 1.2);
        }
        c.circle(13, 13, 7 * pulse);
        c.shade(k.chitin, k.outline);
        c.orb(13, 13, 3.5 * pulse, k.acid_core, k.acid);
    });
}

std::vector<Frame> parasite_frames() {
    const Look& k = look();
    return art::frames_of({.width = 24, .height = 24, .xoffset = -12, .yoffset = -12}, 5, [&](Canvas& c, int f) {
        const double phase = f / 5.0 * 2 * kPi;
        std::vector<Pt> body;
        for (int i = 0; i < 7; ++i) {
            const double t = i / 6.0;
            body.push_back({4 + 16 * t, 12 + 6 * std::sin(phase + t * 5)});
        }
        c.smooth(body, false);
        c.stroke(Paint::solid(k.outline), 7.0);
        c.smooth(body, false);
        c.stroke(Paint::solid(k.acid.darker(0.3)), 5.0);
        c.smooth(body, false);
        c.stroke(Paint::solid(k.acid_core), 1.5);
        c.circle(body.front().x, body.front().y, 3.5);
        c.fill_outlined(Paint::solid(k.flesh.mid), k.outline, 0.8);
    });
}

// The heart's place and size on the shell's face (shell coordinates).
constexpr double kHeartX = -20, kHeartY = 124, kHeartR = 21;

// A gun's frame widened to take in the heart: the vein from the gun (its
// point `from`, in the gun image) to the heart, the heart, then the gun.
std::vector<Frame> fed_by_heart(Canvas gun, int xoffset, int yoffset, Pt at, Pt from) {
    const Look& k = look();
    // The gun image's corner and the heart's box, in shell coordinates.
    const double gx = at.x + xoffset, gy = at.y + yoffset;
    const double left = std::min(gx, kHeartX - kHeartR - 2), top = std::min(gy, kHeartY - kHeartR - 2);
    const double right = std::max(gx + gun.width(), kHeartX + kHeartR + 2);
    const double bottom = std::max(gy + gun.height(), kHeartY + kHeartR + 2);
    Canvas c(int(std::ceil(right - left)), int(std::ceil(bottom - top)));
    const Pt heart{kHeartX - left, kHeartY - top}, vein_from{gx - left + from.x, gy - top + from.y};
    const Pt bend{(heart.x + vein_from.x) / 2 + 10, (heart.y + vein_from.y) / 2};
    c.smooth({vein_from, bend, heart}, false);
    c.stroke(Paint::solid(k.outline), 9);
    c.smooth({vein_from, bend, heart}, false);
    c.stroke(Paint::solid(k.flesh.mid), 6);
    c.smooth({vein_from, bend, heart}, false);
    c.stroke(Paint::solid(k.flesh.light.with_alpha(0.7)), 1.5);
    c.circle(heart.x, heart.y, kHeartR);
    c.fill_outlined(Paint::radial({heart.x - 6, heart.y - 6}, 0, kHeartR,
                                  {{0, k.acid_core}, {0.35, k.flesh.light}, {0.8, k.flesh.mid}, {1, k.flesh.dark}}),
                    k.outline, 1.4);
    c.circle(heart.x, heart.y, kHeartR * 0.45);
    c.stroke(Paint::solid(k.flesh.dark.with_alpha(0.8)), 1.5);
    c.draw(gun, gx - left, gy - top);
    std::vector<Frame> frames;
    frames.push_back(
        {.image = std::move(c), .xoffset = int(std::lround(left - at.x)), .yoffset = int(std::lround(top - at.y))});
    return frames;
}

}  // namespace

void add_boss(worlds::World& world) {
    const Look& k = look();
    world.sprite("finalbossshell", shell_frames());
    // Image pixels of the muzzles: the gun's (-25, 50) and (-45, 20) less the offsets.
    world.sprite("finalbossgunone", fed_by_heart(jaw_cannon({1, 8}, {21, 38}, false), -46, 12, {20, 90}, {50, 24}));
    world.sprite("finalbossgunthree", fed_by_heart(jaw_cannon({3, 4}, {23, 34}, true), -48, 16, {-10, 85}, {50, 24}));
    world.sprite("finalbossguntwo", fed_by_heart(chin_pod(), -14, 42, {-18, 100}, {20, 6}));
    world.sprite("finalbossgunfour", fed_by_heart(eye_cluster(), -6, -6, {-40, -15}, {22, 32}));
    world.sprite("finalbossgunfive", fed_by_heart(dorsal_turret(), -24, -8, {67, -75}, {27, 54}));
    world.sprite("finalbossshotone", orb_frames(k.acid_core, k.acid, 6));
    world.sprite("finalbossshottwo", bolt_frames());
    world.sprite("finalbossshotthree", spore_frames());
    world.sprite("citybossshotone", parasite_frames());
}

}  // namespace last
