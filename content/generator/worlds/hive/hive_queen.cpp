// The hive queen: a towering mass of comb and flesh that cannot be hurt. She
// spits spores from two mouths, the upper at (x + 87, y + 10) and the lower,
// at the end of a trunk, at (x - 10, y + 300); her image is drawn around those
// points. hivebossshot, the spore, pulses back and forth over 6 frames and is
// centred on its position.
#include <cmath>

#include "generator/art/prelude.h"
#include "generator/worlds/hive/hive_art.h"

namespace hive {

namespace {

constexpr int kLeft = -52, kTop = -34;  // the image's corner relative to the queen's position

void maw(Canvas& c, double x, double y, double r) {
    const Look& k = look();
    c.circle(x, y, r + 5);
    c.shade(k.flesh, k.outline, 1.2);
    c.circle(x, y, r);
    c.fill_outlined(Paint::radial({x, y}, 0, r, {{0, Color{1, 1, 1}}, {0.3, k.glow}, {0.7, k.orange.mid}, {1, Color::hex(0x2a0604)}}),
                    k.outline, 1.2);
    for (int i = 0; i < 8; ++i) {
        const double a = i * kPi / 4;
        c.polygon({{x + std::cos(a - 0.2) * (r + 1), y + std::sin(a - 0.2) * (r + 1)},
                   {x + std::cos(a) * (r - 5), y + std::sin(a) * (r - 5)},
                   {x + std::cos(a + 0.2) * (r + 1), y + std::sin(a + 0.2) * (r + 1)}});
    }
    c.fill_outlined(Paint::solid(Color::hex(0xfff0d0)), k.outline, 0.6);
}

Canvas queen() {
    const Look& k = look();
    Canvas c(300, 400);
    auto s = c.scoped();
    c.translate(-kLeft, -kTop);
    // The trunk reaching down to the lower mouth.
    c.smooth({{40, 230}, {10, 262}, {-4, 286}, {-16, 296}, {-12, 312}, {8, 306}, {30, 286}, {56, 262}}, true);
    c.shade(k.flesh, k.outline, 1.4, 115);
    for (int i = 0; i < 5; ++i) {
        const double t = i / 5.0;
        c.arc(40 - t * 44, 248 + t * 52, 14 - t * 4, 20, 200);
    }
    c.stroke(Paint::solid(k.flesh.dark), 1.4);
    // The body.
    const std::vector<Pt> body{{60, -18}, {120, -26}, {190, 10}, {226, 110}, {236, 230}, {224, 340},
                               {150, 356}, {60, 346}, {30, 290}, {44, 200}, {34, 120}, {40, 40}};
    c.smooth(body);
    c.shade(k.wax, k.outline, 1.6, 120);
    {
        auto clip = c.scoped();
        c.smooth(body).clip();
        // Comb plating over the body, cells lit from the upper left.
        const double r = 12;
        for (int col = 0; col < 14; ++col)
            for (int row = 0; row < 18; ++row) {
                const double cx = 30 + col * r * 1.5, cy = -30 + row * r * 1.732 + (col % 2) * r * 0.866;
                hexagon(c, cx, cy, r - 1.2);
                const double t = 0.3 + 0.5 * std::exp(-std::pow((cx - 90) / 90.0, 2) - std::pow((cy - 90) / 140.0, 2));
                c.fill_outlined(Paint::radial({cx - 3, cy - 3}, 0, r, {{0, k.amber.at(t + 0.35)}, {1, k.amber.at(t)}}),
                                k.wax.dark, 1.0);
            }
        // Darker underside.
        c.rect(-40, 260, 300, 120);
        c.fill(Paint::vertical(260, 360, {{0, Color{0, 0, 0, 0}}, {1, Color{0.05, 0.02, 0, 0.6}}}));
    }
    // The compound eye in the middle of her.
    c.ellipse(130, 150, 40, 48);
    c.shade(Ramp{Color::hex(0x0a0408), Color::hex(0x5a0a2a), Color::hex(0xff6a8a)}, k.outline, 1.6, 120);
    {
        auto clip = c.scoped();
        c.ellipse(130, 150, 38, 46).clip();
        for (int col = 0; col < 10; ++col)
            for (int row = 0; row < 12; ++row) {
                hexagon(c, 94 + col * 7.5, 104 + row * 8.6 + (col % 2) * 4.3, 4.4);
            }
        c.stroke(Paint::solid(Color::hex(0x1a0208).with_alpha(0.8)), 0.8);
    }
    c.highlight(114, 126, 12, 8, 0.85);
    // Mandibles around the upper mouth.
    c.polygon({{60, 10}, {48, -14}, {70, -4}});
    c.polygon({{116, 8}, {128, -16}, {104, -4}});
    c.shade(k.chitin, k.outline);
    maw(c, 87, 10, 15);
    maw(c, -10, 300, 11);
    // Wings folded along her back.
    for (int w = 0; w < 2; ++w) {
        const double cx = 216 + w * 8, cy = 120 + w * 20;
        c.ellipse(cx, cy, 18, 70);
        c.fill_outlined(Paint::linear({200, 60}, {240, 200},
                                      {{0, Color::hex(0xc8b890)}, {0.5, Color::hex(0x8a7a5a)}, {1, Color::hex(0x5a4a30)}}),
                        k.outline, 1.0);
        for (int v = -2; v <= 2; ++v) c.line({cx + v * 2, cy - 66}, {cx + v * 6, cy + 66});
        c.stroke(Paint::solid(Color::hex(0x3a2a14).with_alpha(0.7)), 0.8);
        c.highlight(cx - 6, cy - 40, 5, 20, 0.35);
    }
    return c;
}

void spore(Canvas& c, int frame) {
    const Look& k = look();
    const double pulse = frame / 5.0;
    for (int i = 0; i < 6; ++i) {
        const double a = (i * 60 + frame * 8) * kPi / 180;
        const double r0 = 7, r1 = 12 + pulse * 1.5;
        c.polygon({{std::cos(a - 0.25) * r0, std::sin(a - 0.25) * r0}, {std::cos(a) * r1, std::sin(a) * r1},
                   {std::cos(a + 0.25) * r0, std::sin(a + 0.25) * r0}});
    }
    c.fill_outlined(Paint::solid(k.orange.mid), k.outline, 0.8);
    c.circle(0, 0, 8 + pulse);
    c.fill_outlined(Paint::radial({-2, -2}, 0, 9, {{0, Color{1, 1, 1}}, {0.4, k.glow}, {1, k.orange.mid}}), k.outline, 1.0);
}

}  // namespace

void hexagon(Canvas& c, double cx, double cy, double r) {
    std::vector<Pt> pts;
    for (int i = 0; i < 6; ++i) pts.push_back({cx + r * std::cos(i * kPi / 3), cy + r * std::sin(i * kPi / 3)});
    c.polygon(pts);
}

void add_queen(worlds::World& world) {
    world.sprite("hiveboss", queen(), kLeft, kTop);
    world.sprite(
        "hivebossshot",
        art::frames_of({.width = 30, .height = 30, .xoffset = -15, .yoffset = -15, .origin_x = 15, .origin_y = 15}, 6,
                       spore));
}

}  // namespace hive
