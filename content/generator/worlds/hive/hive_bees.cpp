// The hive's bees and beetle craft, all facing left, drawn large enough to
// hold their own against the comb's cells (the bees at 1.6 times, the beetle
// and the wasp at 1.3 times their first size: larger pictures, larger hit
// areas).
//
// hivebeebluefly and hivebeeyellow loop 4 frames of wing beat.
// hivebeeblueattack steps one frame forward every frame and then holds the
// last: 6 frames in which it curls its sting forward. hivebeeyellowattack
// loops 4 frames of a stretched, charging bee.
// hivegreenship plays 6 frames back and forth, its wing cases opening to the
// last; it dashes whenever it shows frame 4 and fires from (x - 5, y + 20),
// its mandible gun. hiveorangeship plays 4 frames back and forth and fires
// from (x, y + 10) and (x, y + 30): the two stings at its front.
#include <cmath>

#include "generator/art/prelude.h"
#include "generator/worlds/hive/hive_art.h"

namespace hive {

namespace {

void wings(Canvas& c, double x, double y, double beat) {
    const Look& k = look();
    // beat 0: wings up, 1: wings down.
    for (int w = 0; w < 2; ++w) {
        const double angle = -70 + beat * 95 + w * 18;
        auto s = c.scoped();
        c.translate(x + w * 4, y);
        c.rotate_deg(angle);
        c.ellipse(9, 0, 10, 4);
        c.fill_outlined(Paint::linear({0, 0}, {18, 0}, {{0, k.wing.with_alpha(0.95)}, {1, k.wing.mixed(k.blue.light, 0.4)}}),
                        k.outline, 0.8);
        c.line({2, 0}, {16, 0});
        c.stroke(Paint::solid(k.blue.mid.with_alpha(0.6)), 0.6);
    }
}

// A bee centred near (0, 0), head to the left. curl 0..1 swings the abdomen
// under and forward; stretch lengthens it; angry reddens the eyes.
void bee(Canvas& c, const Ramp& stripe, double beat, double curl, double stretch, bool angry) {
    const Look& k = look();
    // Abdomen, hinged at the waist (x 3), turned down and forward by the curl.
    {
        auto s = c.scoped();
        c.translate(3, 1);
        c.rotate_deg(curl * 110);
        const double L = 14 + stretch * 4;
        c.polygon({{L + 3, -0.5}, {L + 9, 0.5}, {L + 3, 1.8}});
        c.fill_outlined(Paint::solid(k.chitin.dark), k.outline, 0.8);
        c.ellipse(L * 0.55 + 1, 0.5, L * 0.55 + 1, 6);
        c.shade(stripe, k.outline, 1.0, 110);
        {
            auto clip = c.scoped();
            c.ellipse(L * 0.55 + 1, 0.5, L * 0.55 + 1, 6).clip();
            for (double x = 4; x < L + 2; x += 5) c.rect(x, -7, 2.4, 15);
            c.fill(Paint::solid(Color::hex(0x100804)));
        }
    }
    // Legs.
    for (int i = 0; i < 3; ++i) {
        c.polyline({{-3 + i * 3.0, 4}, {-5 + i * 3.0, 9}, {-7 + i * 3.0, 10}});
    }
    c.stroke(Paint::solid(k.outline), 1.1);
    // Thorax and head.
    c.ellipse(-1, 0, 6, 5.5);
    c.shade(k.chitin, k.outline);
    c.circle(-9, 0, 4.6);
    c.shade(stripe, k.outline);
    c.ellipse(-11, -1, 2.2, 2.8);
    c.fill(Paint::radial({-11.6, -1.8}, 0, 3, {{0, Color{1, 1, 1}}, {0.4, angry ? Color::hex(0xff4a2a) : Color::hex(0x3a2a60)},
                                                {1, Color::hex(0x080410)}}));
    // Antennae.
    c.polyline({{-10, -4}, {-13, -9}, {-16, -9}});
    c.stroke(Paint::solid(k.outline), 1.0);
    wings(c, -2, -4, beat);
}

void beetle(Canvas& c, double open) {
    const Look& k = look();
    // Hind wings spread from under the cases as they open.
    if (open > 0.1) {
        for (int w = 0; w < 2; ++w) {
            auto s = c.scoped();
            c.translate(2, -4);
            c.rotate_deg(-20 - open * 50 - w * 14);
            c.ellipse(14, 0, 16 * open, 4.5);
            c.fill_outlined(Paint::solid(k.wing.with_alpha(0.9)), k.outline, 0.8);
        }
    }
    // Body.
    c.ellipse(4, 3, 18, 10);
    c.shade(k.chitin, k.outline);
    // Wing case, lifting at the front edge.
    {
        auto s = c.scoped();
        c.translate(-8, -2);
        c.rotate_deg(-open * 28);
        c.smooth({{0, 0}, {8, -8}, {24, -7}, {32, 0}, {22, 4}, {6, 4}});
        c.shade(k.green, k.outline, 1.0, 115);
        c.line({2, 0.5}, {30, 0});
        c.stroke(Paint::solid(k.green.dark), 0.8);
        c.highlight(14, -5, 6, 1.6, 0.8);
    }
    // Head with mandibles and the gun between them.
    c.circle(-16, 6, 6);
    c.shade(k.chitin, k.outline);
    c.polygon({{-20, 4}, {-28, 2}, {-27, 5}, {-21, 7}});
    c.polygon({{-20, 9}, {-28, 12}, {-27, 9}, {-21, 7.5}});
    c.fill_outlined(Paint::solid(k.chitin.light), k.outline, 0.8);
    c.rect(-27, 6, 8, 2.4);
    c.fill_outlined(Paint::solid(k.amber.mid), k.outline, 0.6);
    c.circle(-17, 3.5, 1.8);
    c.fill(Paint::solid(k.glow));
    for (int i = 0; i < 3; ++i) c.polyline({{-4 + i * 7.0, 11}, {-7 + i * 7.0, 17}});
    c.stroke(Paint::solid(k.outline), 1.4);
}

// `sting` is the stings' row either side of the centre, so the caller can
// keep them on the shot rows whatever the scale.
void wasp_ship(Canvas& c, double beat, double sting) {
    const Look& k = look();
    wings(c, 8, -6, beat);
    // Twin stings forward.
    for (double y : {-sting, sting}) {
        c.polygon({{-30, y}, {-14, y - 3}, {-12, y + 3}});
        c.fill_outlined(Paint::solid(k.chitin.light), k.outline, 0.9);
    }
    // Abdomen behind.
    c.ellipse(18, 2, 16, 10);
    c.shade(k.orange, k.outline);
    {
        auto s = c.scoped();
        c.ellipse(18, 2, 16, 10).clip();
        for (double x = 8; x < 34; x += 7) c.rect(x, -10, 3, 24);
        c.fill(Paint::solid(Color::hex(0x1a0a04)));
    }
    // Armoured front, the stings' mounts.
    c.smooth({{-16, -12}, {-4, -16}, {6, -10}, {6, 12}, {-4, 16}, {-16, 12}, {-20, 0}});
    c.shade(k.orange, k.outline, 1.0, 115);
    for (double y : {-sting, sting}) {
        c.circle(-14, y, 3);
        c.shade(k.chitin, k.outline, 0.8);
    }
    c.ellipse(-6, -2, 4, 5);
    c.fill(Paint::radial({-7, -3}, 0, 5, {{0, Color{1, 1, 1}}, {0.4, Color::hex(0x60ff60)}, {1, Color::hex(0x0a3a0a)}}));
    c.highlight(-6, -12, 6, 2, 0.7);
}

constexpr double kBeeScale = 1.6, kCraftScale = 1.3;

}  // namespace

void add_bees(worlds::World& world) {
    const Look& k = look();
    const auto beat = [](int i) { return 0.5 - 0.5 * std::cos(i * kPi / 2); };  // up, half, down, half
    // The bee's body stays at (x + 16, y + 12) in every form.
    constexpr art::FrameBox kBee{
        .width = 74, .height = 80, .xoffset = -12, .yoffset = -26, .origin_x = 28, .origin_y = 38};
    const auto big = [](Canvas& c) { c.scale(kBeeScale, kBeeScale); };
    world.sprite("hivebeebluefly", art::frames_of(kBee, 4, [&](Canvas& c, int i) {
                     big(c);
                     bee(c, k.blue, beat(i), 0, 0, false);
                 }));
    world.sprite("hivebeeblueattack", art::frames_of(kBee, 6, [&](Canvas& c, int i) {
                     big(c);
                     bee(c, k.blue, beat(i), i / 5.0, 0, i >= 3);
                 }));
    world.sprite("hivebeeyellow", art::frames_of(kBee, 4, [&](Canvas& c, int i) {
                     big(c);
                     bee(c, k.yellow, beat(i), 0, 0, false);
                 }));
    world.sprite("hivebeeyellowattack", art::frames_of(kBee, 4, [&](Canvas& c, int i) {
                     big(c);
                     c.rotate_deg(-8);
                     bee(c, k.yellow, beat(i), 0, 1, true);
                 }));
}

void add_craft(worlds::World& world) {
    // The beetle's gun stays by (x - 5, y + 20), the wasp's stings on rows
    // y + 10 and y + 30.
    world.sprite("hivegreenship",
                 art::frames_of({.width = 80, .height = 76, .xoffset = -8, .yoffset = -30, .origin_x = 38, .origin_y = 44},
                                6, [](Canvas& c, int i) {
                                    c.scale(kCraftScale, kCraftScale);
                                    beetle(c, i / 5.0);
                                }));
    world.sprite("hiveorangeship",
                 art::frames_of({.width = 94, .height = 70, .xoffset = -8, .yoffset = -19, .origin_x = 40, .origin_y = 39},
                                4, [](Canvas& c, int i) {
                                    c.scale(kCraftScale, kCraftScale);
                                    wasp_ship(c, 0.5 - 0.5 * std::cos(i * kPi / 3), 10 / kCraftScale);
                                }));
}

}  // namespace hive
