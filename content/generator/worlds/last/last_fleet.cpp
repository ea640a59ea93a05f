// The last world's armada: its own art for behaviours other worlds share.
//
// "citywhiteship" (weaving dart): 7 frames, 4 level, lower frames nose up;
// gun at (x, y + 20). "citygreenship" (diver): 11 frames, 6 level, diving
// toward 11; gun at (x, y + 20). "crystalredship" (zigzag wasp): 4 frames of
// wing beat, sting at (x - 5, y + 10). "metalgreenship" (emerging fighter): 5
// frames, 1 nose up (rising), 3 level, 5 nose down (sinking); gun at
// (x - 4, y + 10). "metalopenerup": a floor pod whose petals open over 6
// frames (66 x 48 at offsets (0, -12), its foot on row y + 36); its
// fighter appears at (x + 20, y) and rises out of it: stand it at
// y = floor - 36. "metalopenerdown": the same pod upside down, its back on
// row y - 12; its fighter appears at (x + 20, y + 10) and sinks: hang it at
// y = roof + 8, so the back grips the roof and the fighter starts clear of
// it. "silvercannonup" and "silvercannondown": the shared turret frames in
// chitin and bone.
// "rocketship": a bone spear with an acid exhaust, 4 frames.
// "mountainbosscannonup" and "mountainbosscannondown": the sentinels, bone
// guns on chitin roots with an ember eye and an acid mouth.
#include <cmath>

#include "generator/art/prelude.h"
#include "generator/worlds/common/sentinel.h"
#include "generator/worlds/common/turret.h"
#include "generator/worlds/last/last.h"

namespace last {

namespace {

void exhaust(Canvas& c, double x, double y, double len, double h) {
    const Look& k = look();
    c.ellipse(x + len / 2, y, len / 2 + 1, h);
    c.fill(Paint::radial({x + 1, y}, 0, len, {{0, k.acid_core}, {0.45, k.acid}, {1, k.acid.darker(0.5)}}));
}

void gun_pod(Canvas& c, double tip_x, double y, double len) {
    const Look& k = look();
    c.rect(tip_x, y - 1.5, len, 3);
    c.shade(k.bone, k.outline, 0.8, 90);
}

// ---- dart: drawn about its pivot, gun tip at (-30, 8) ----
void paint_dart(Canvas& c, int) {
    const Look& k = look();
    exhaust(c, 22, 0, 9, 3);
    c.polygon({{4, -3}, {18, -16}, {24, -15}, {20, -3}});
    c.shade(k.chitin, k.outline);
    const std::vector<Pt> hull = {{-30, 0}, {-14, -6}, {10, -7}, {24, -3}, {24, 3}, {10, 7}, {-14, 6}};
    c.polygon(hull);
    c.shade(k.chitin, k.outline, 1.0, 110);
    c.polygon({{0, 3}, {18, 15}, {24, 14}, {18, 3}});
    c.shade(k.chitin, k.outline);
    c.polyline({{-26, 0}, {20, 0}});
    c.stroke(Paint::solid(k.flesh.mid), 1.6);
    c.ellipse(-12, -2.5, 6, 2.8);
    c.fill_outlined(Paint::radial({-13, -3}, 0, 6, {{0, k.acid_core}, {1, k.acid.darker(0.3)}}), k.outline, 0.8);
    gun_pod(c, -30, 8, 16);
}

// ---- diver: gun tip at (-30, 4) ----
void paint_diver(Canvas& c, int) {
    const Look& k = look();
    exhaust(c, 20, 0, 10, 3.5);
    // Scythe wings swept forward.
    c.polygon({{10, -4}, {-8, -17}, {-14, -16}, {0, -4}});
    c.shade(k.flesh, k.outline);
    const std::vector<Pt> hull = {{-28, 0}, {-18, -6}, {8, -7}, {22, -3}, {22, 4}, {8, 7}, {-18, 6}};
    c.polygon(hull);
    c.shade(k.flesh, k.outline, 1.0, 110);
    c.polygon({{10, 4}, {-8, 17}, {-14, 16}, {0, 4}});
    c.shade(k.flesh, k.outline);
    for (double x = -12; x < 16; x += 6) {
        c.line({x, -6}, {x + 2, 6});
        c.stroke(Paint::solid(k.flesh.dark), 1.0);
    }
    c.orb(-16, -1, 3, k.acid_core, k.acid);
    gun_pod(c, -30, 4, 14);
}

// ---- wasp: 52 x 30, sting at (3, 16) ----
Canvas wasp(int frame) {
    const Look& k = look();
    Canvas c(52, 30);
    const double beat = std::sin(frame * kPi / 2);
    // Wings, a blur of membrane above the body.
    for (int w = 0; w < 2; ++w) {
        const double lift = 10 + 6 * beat - w * 4;
        c.ellipse(28 + w * 6, 12 - lift * 0.5, 10, 3 + lift * 0.3);
        c.fill_outlined(Paint::solid(Color::hex(0xc0e8ff).with_alpha(0.7)), k.outline, 0.8);
    }
    // Abdomen, thorax and head.
    c.ellipse(38, 16, 12, 7);
    c.shade(k.flesh, k.outline, 1.0, 110);
    {
        auto s = c.scoped();
        c.ellipse(38, 16, 12, 7).clip();
        for (double x = 30; x < 52; x += 5) {
            c.rect(x, 8, 2.5, 16);
            c.fill(Paint::solid(k.outline.with_alpha(0.8)));
        }
    }
    c.ellipse(22, 15, 7, 6);
    c.shade(k.chitin, k.outline);
    c.circle(12, 14, 6);
    c.shade(k.chitin, k.outline);
    c.circle(10, 12, 2.5);
    c.fill(Paint::solid(k.acid));
    // The sting, pointing forward.
    c.polygon({{3, 16}, {10, 14}, {10, 18}});
    c.fill_outlined(Paint::solid(k.bone.light), k.outline, 0.8);
    // Legs tucked under.
    for (double lx : {18.0, 23.0, 28.0}) {
        c.line({lx, 20}, {lx - 4, 27});
        c.stroke(Paint::solid(k.outline), 1.2);
    }
    return c;
}

std::vector<Frame> wasp_frames() {
    std::vector<Frame> frames;
    for (int f = 0; f < 4; ++f) frames.push_back({.image = wasp(f), .xoffset = -8, .yoffset = -6});
    return frames;
}

// ---- emerging fighter: gun tip at (-28, 0) from its pivot ----
void paint_fighter(Canvas& c, int) {
    const Look& k = look();
    exhaust(c, 18, 0, 8, 3);
    c.polygon({{-4, -5}, {8, -14}, {16, -14}, {10, -4}});
    c.shade(k.bone, k.outline);
    c.ellipse(-2, 0, 20, 7);
    c.shade(k.chitin, k.outline, 1.0, 110);
    c.polygon({{-4, 5}, {8, 14}, {16, 14}, {10, 4}});
    c.shade(k.bone, k.outline);
    c.ellipse(-10, -2, 5, 3);
    c.fill_outlined(Paint::radial({-11, -3}, 0, 5, {{0, k.acid_core}, {1, k.acid.darker(0.3)}}), k.outline, 0.8);
    gun_pod(c, -28, 0, 10);
}

// ---- pods ----
Canvas pod(double open, bool hanging) {
    const Look& k = look();
    Canvas c(66, 48);
    // Drawn standing; the hanging pod is the mirror image below a stalk.
    const double base = 44;
    c.ellipse(33, base - 6, 30, 10);
    c.shade(k.chitin, k.outline, 1.0, 110);
    // Petals opening outward from the mouth at (33, base - 16).
    const Pt mouth{33, base - 16};
    c.ellipse(mouth.x, mouth.y + 2, 14, 5);
    c.fill(Paint::radial({mouth.x, mouth.y + 2}, 0, 14, {{0, k.acid_core.with_alpha(open)}, {0.5, k.acid.with_alpha(0.3 + 0.7 * open)},
                                                          {1, k.flesh.dark}}));
    for (int i = 0; i < 5; ++i) {
        const double side = -1 + i * 0.5;  // -1 .. 1 across the mouth
        const double tilt = (side * 20 + side * 50 * open) * kPi / 180;
        const double len = 16 - std::abs(side) * 3;
        const Pt root{mouth.x + side * 10, mouth.y + 3};
        const Pt tip{root.x + std::sin(tilt) * len, root.y - std::cos(tilt) * len};
        const Pt left{root.x - 4, root.y}, right{root.x + 4, root.y};
        c.smooth({left, {tip.x - 2, tip.y + 3}, tip, {tip.x + 2, tip.y + 3}, right});
        c.shade(k.flesh, k.outline, 0.9, 120);
    }
    if (hanging) return c.flipped(false, true);
    return c;
}

std::vector<Frame> pod_frames(bool hanging) {
    std::vector<Frame> frames;
    for (int f = 0; f < 6; ++f) {
        Canvas c = pod(f / 5.0, hanging);
        frames.push_back({.image = std::move(c), .yoffset = -12});
    }
    return frames;
}

std::vector<Frame> spear_frames() {
    const Look& k = look();
    return art::frames_of({.width = 80, .height = 22, .yoffset = -11}, 4, [&](Canvas& c, int f) {
        const double flame = 9 + 4 * std::sin(f * kPi / 2);
        exhaust(c, 60, 11, flame + 4, 3.5);
        for (double dir : {-1.0, 1.0}) {
            c.polygon({{44, 11 + dir * 3}, {58, 11 + dir * 9}, {62, 11 + dir * 9}, {56, 11 + dir * 3}});
            c.shade(k.chitin, k.outline);
        }
        c.polygon({{1, 11}, {16, 6}, {58, 7}, {60, 11}, {58, 15}, {16, 16}});
        c.shade(k.bone, k.outline, 1.0, 100);
        for (double x = 20; x < 56; x += 8) {
            c.line({x, 7}, {x, 15});
            c.stroke(Paint::solid(k.bone.dark), 1.0);
        }
        c.orb(12, 11, 2.5, k.acid_core, k.acid);
    });
}

worlds::TurretStyle turret_style() {
    const Look& k = look();
    worlds::TurretStyle s;
    s.dome = k.chitin;
    s.barrel = k.bone;
    s.foot = k.flesh;
    s.outline = k.outline;
    s.light = k.acid;
    s.barrel_length = 36;
    s.barrel_width = 7;
    return s;
}

}  // namespace

void add_fleet(worlds::World& world) {
    world.sprite(
        "citywhiteship",
        art::turned_frames({.width = 64, .height = 34, .xoffset = -2, .yoffset = -4, .origin_x = 32, .origin_y = 16},
                           art::pitches(7, 4, 9), paint_dart));
    world.sprite(
        "citygreenship",
        art::turned_frames({.width = 64, .height = 40, .xoffset = -2, .yoffset = -2, .origin_x = 32, .origin_y = 18},
                           art::pitches(11, 6, 7), paint_diver));
    world.sprite("crystalredship", wasp_frames());
    world.sprite(
        "metalgreenship",
        art::turned_frames({.width = 56, .height = 44, .xoffset = -4, .yoffset = -12, .origin_x = 28, .origin_y = 22},
                           art::pitches(5, 3, 15), paint_fighter));
    world.sprite("metalopenerup", pod_frames(false));
    world.sprite("metalopenerdown", pod_frames(true));
    const worlds::TurretStyle style = turret_style();
    world.sprite("silvercannonup", worlds::turret_frames(worlds::kFloorTurret, worlds::floor_turret_angles(),
                                                         worlds::dome_turret(style, false)));
    world.sprite("silvercannondown", worlds::turret_frames(worlds::kCeilingTurret, worlds::ceiling_turret_angles(),
                                                           worlds::dome_turret(style, true)));
    world.sprite("rocketship", spear_frames());
}

void add_sentinels(worlds::World& world) {
    const Look& k = look();
    const worlds::SentinelStyle style{
        .mound = k.chitin, .barrel = k.bone, .veins = k.flesh.mid, .eye = k.ember, .mouth = k.acid, .outline = k.outline};
    world.sprite("mountainbosscannonup", worlds::sentinel_frames(style, true));
    world.sprite("mountainbosscannondown", worlds::sentinel_frames(style, false));
}

}  // namespace last
