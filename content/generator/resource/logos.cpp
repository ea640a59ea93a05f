// The publisher's and the studio's logo screens, 640 x 480.
//
// Ferrolux, the publisher: iron and light, a forged hexagon around a flare.
// Quornash Software, the studio: a ring with a comet for the tail of its Q.
#include <cmath>

#include "generator/art/prelude.h"
#include "generator/resource/resource_art.h"

namespace resource {

namespace {

constexpr int kWidth = 640, kHeight = 480;

std::vector<art::Pt> hexagon(double cx, double cy, double r) {
    std::vector<art::Pt> pts;
    for (int k = 0; k < 6; ++k) pts.push_back({cx + r * std::cos(k * kPi / 3 + kPi / 6), cy + r * std::sin(k * kPi / 3 + kPi / 6)});
    return pts;
}

// A four-pointed flare of white light.
void flare(Canvas& c, double cx, double cy, double r, const Color& tint) {
    c.glow(cx, cy, r * 1.6, tint, 0.9);
    c.star(cx, cy, 4, r, r * 0.12, -90);
    c.fill(Paint::radial({cx, cy}, 0, r, {{0, Color{1, 1, 1}}, {0.4, tint.lighter(0.6)}, {1, tint.with_alpha(0)}}));
    c.star(cx, cy, 4, r * 0.45, r * 0.08, -45);
    c.fill(Paint::radial({cx, cy}, 0, r * 0.45, {{0, Color{1, 1, 1}}, {1, tint.with_alpha(0)}}));
    c.circle(cx, cy, r * 0.1);
    c.fill(Paint::solid(Color{1, 1, 1}));
}

Canvas ferrolux() {
    Canvas c(kWidth, kHeight);
    c.fill_all(Paint::radial({320, 210}, 0, 420, {{0, Color::hex(0x2a2c34)}, {0.6, Color::hex(0x121318)}, {1, Color::hex(0x040405)}}));
    // Brushed-metal grain: faint horizontal noise.
    {
        const art::Noise grain(art::seed_of("ferrolux-grain"));
        c.map_pixels([&](int x, int y, Color& p) {
            const double n = grain.at(x * 0.02, y * 0.9) - 0.5;
            p = Color{std::clamp(p.r + n * 0.05, 0.0, 1.0), std::clamp(p.g + n * 0.05, 0.0, 1.0),
                      std::clamp(p.b + n * 0.055, 0.0, 1.0), 1};
        });
    }
    const double cx = 320, cy = 180;
    // The forged hexagon: outer bevel, inner face, a hollow with the flare.
    c.polygon(hexagon(cx + 4, cy + 6, 96));
    c.fill(Paint::solid(Color{0, 0, 0, 0.6}));
    c.polygon(hexagon(cx, cy, 96));
    c.fill_outlined(Paint::linear({cx - 90, cy - 90}, {cx + 90, cy + 90},
                                  {{0, Color::hex(0xe8ecf2)}, {0.35, Color::hex(0x8a909c)}, {0.7, Color::hex(0x3a3e48)},
                                   {1, Color::hex(0x1a1c22)}}),
                    Color::hex(0x050507), 2.5);
    c.polygon(hexagon(cx, cy, 78));
    c.fill_outlined(Paint::linear({cx - 70, cy - 70}, {cx + 70, cy + 70},
                                  {{0, Color::hex(0x2a2e36)}, {0.5, Color::hex(0x5a606c)}, {1, Color::hex(0xb8bec8)}}),
                    Color::hex(0x050507), 2.0);
    c.polygon(hexagon(cx, cy, 50));
    c.fill_outlined(Paint::radial({cx, cy}, 0, 55, {{0, Color::hex(0xffd080)}, {0.45, Color::hex(0xd0500a)}, {1, Color::hex(0x200600)}}),
                    Color::hex(0x050507), 2.0);
    // Bolts at the corners of the face.
    for (const art::Pt& p : hexagon(cx, cy, 87)) {
        c.circle(p.x, p.y, 4.2);
        c.fill_outlined(Paint::radial({p.x - 1.5, p.y - 1.5}, 0, 5, {{0, Color::hex(0xf0f4f8)}, {1, Color::hex(0x40444c)}}),
                        Color::hex(0x050507), 1.2);
    }
    flare(c, cx, cy, 70, Color::hex(0xffb060));

    art::TextStyle name;
    name.height = 46;
    name.weight = 1.25;
    name.tracking = 2.6;
    name.outline = Color::hex(0x040405);
    name.outline_width = 2.5;
    name.shadow = Color{0, 0, 0, 0.8};
    name.shadow_dx = 3;
    name.shadow_dy = 4;
    name.fill = {{0, Color::hex(0xffffff)}, {0.45, Color::hex(0xc4cad4)}, {0.55, Color::hex(0x6a707c)},
                 {1, Color::hex(0xd8dde6)}};
    name.sheen = true;
    art::draw_text(c, cx, 316, "FERROLUX", name, art::Align::Centre);
    // A bar of molten metal under the name.
    const double bar_w = art::text_width("FERROLUX", name) * 0.9;
    c.glow(cx, 384, 150, Color::hex(0xff6a10), 0.55);
    c.rounded_rect(cx - bar_w / 2, 381, bar_w, 6, 3);
    c.fill(Paint::linear({cx - bar_w / 2, 0}, {cx + bar_w / 2, 0},
                         {{0, Color::hex(0x801800)}, {0.5, Color::hex(0xfff0a0)}, {1, Color::hex(0x801800)}}));
    art::TextStyle tag;
    tag.height = 12;
    tag.weight = 1.0;
    tag.tracking = 6;
    tag.outline_width = 0;
    tag.fill = {{0, Color::hex(0xa8aeb8)}, {1, Color::hex(0x70767f)}};
    art::draw_text(c, cx, 402, "INTERACTIVE", tag, art::Align::Centre);
    return c;
}

Canvas quornash() {
    Canvas c(kWidth, kHeight);
    c.fill_all(Paint::radial({320, 200}, 0, 430, {{0, Color::hex(0x0c3a38)}, {0.55, Color::hex(0x061c20)}, {1, Color::hex(0x010608)}}));
    art::Random random(art::seed_of("quornash-stars"));
    art::starfield(c, random, 160, 0.55);
    const double cx = 320, cy = 185, r = 88;
    // The comet that makes the tail of the Q: a swoosh from upper left, round
    // the ring, out through the lower right.
    c.glow(cx, cy, 190, Color::hex(0x40ffc0), 0.25);
    c.circle(cx, cy, r);
    c.stroke(Paint::solid(Color::hex(0x020a0a)), 34);
    c.circle(cx, cy, r);
    c.stroke(Paint::linear({cx - r, cy - r}, {cx + r, cy + r},
                           {{0, Color::hex(0xd8fff0)}, {0.3, Color::hex(0x40e0a0)}, {0.7, Color::hex(0x0a7a5a)}, {1, Color::hex(0x043a2c)}}),
             28);
    c.circle(cx, cy, r + 12);
    c.stroke(Paint::solid(Color{1, 1, 1, 0.25}), 1.5);
    c.circle(cx, cy, r - 12);
    c.stroke(Paint::solid(Color{0, 0, 0, 0.45}), 2.0);
    // Tail: a bar leaving the ring at the lower right.
    c.polygon({{cx + 50, cy + 64}, {cx + 128, cy + 116}, {cx + 137, cy + 106}, {cx + 64, cy + 50}});
    c.fill_outlined(Paint::linear({cx + 50, cy + 50}, {cx + 135, cy + 112},
                                  {{0, Color::hex(0x063a2c)}, {0.4, Color::hex(0x40e0a0)}, {1, Color::hex(0xe8fff8)}}),
                    Color::hex(0x020a0a), 3);
    // The comet's head at the end of the tail.
    c.glow(cx + 134, cy + 112, 60, Color::hex(0x80ffd8), 1.0);
    c.circle(cx + 134, cy + 112, 9);
    c.fill(Paint::radial({cx + 132, cy + 110}, 0, 9, {{0, Color{1, 1, 1}}, {1, Color::hex(0x60ffc8)}}));
    // A planet caught inside the ring.
    c.circle(cx, cy, 40);
    c.fill(Paint::radial({cx - 14, cy - 16}, 0, {cx, cy}, 42,
                         {{0, Color::hex(0xfff8c0)}, {0.3, Color::hex(0xf0a030)}, {0.8, Color::hex(0x802a08)}, {1, Color::hex(0x300a02)}}));

    art::TextStyle name;
    name.height = 50;
    name.weight = 1.3;
    name.tracking = 2.0;
    name.outline = Color::hex(0x01100c);
    name.outline_width = 2.5;
    name.shadow = Color{0, 0, 0, 0.8};
    name.shadow_dx = 3;
    name.shadow_dy = 4;
    name.fill = {{0, Color::hex(0xf0fff8)}, {0.4, Color::hex(0x70f0b8)}, {1, Color::hex(0x0a8a5a)}};
    name.sheen = true;
    art::draw_text(c, cx, 318, "QUORNASH", name, art::Align::Centre);
    art::TextStyle sub;
    sub.height = 16;
    sub.weight = 1.1;
    sub.tracking = 7;
    sub.outline_width = 1.5;
    sub.outline = Color::hex(0x01100c);
    sub.fill = {{0, Color::hex(0xe8f8f0)}, {1, Color::hex(0x90b8a8)}};
    art::draw_text(c, cx, 392, "SOFTWARE", sub, art::Align::Centre);
    return c;
}

}  // namespace

void write_logos(art::Output& out) {
    out.picture(resource_path("ferrolux_logo"), art::flat_image(ferrolux()), art::Depth::True24);
    out.picture(resource_path("quornash_logo"), art::flat_image(quornash()), art::Depth::True24);
}

}  // namespace resource
