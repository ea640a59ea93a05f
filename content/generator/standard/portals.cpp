// The entrance and exit portals and the game-over sign.
//
// A portal is drawn whole and cut in two frames: frame 1 the left piece, frame
// 2 the right piece, which the behaviour places 40 (entrance) or 30 (exit)
// pixels to the right, so the pieces are 40 and 30 wide. Ships come out at
// (portal x + 20, portal y + 55): 132 pixels of height put them in the middle.
// The game-over sign is spawned at (140, 180) and loops: 360 x 56 centres it.
#include <cmath>

#include "generator/art/prelude.h"
#include "generator/standard/standard_sprites.h"

namespace standard {

namespace {

constexpr int kPortalHeight = 132;

// A gate: a ring of plated metal around a spiralling vortex.
Canvas portal(int width, const Color& deep, const Color& bright, uint64_t seed) {
    Canvas c(width, kPortalHeight);
    const double cx = width / 2.0, cy = kPortalHeight / 2.0;
    const double rx = width / 2.0 - 2, ry = kPortalHeight / 2.0 - 2;
    const art::Noise noise(seed);
    const Color outline = Color::hex(0x0a0c18);

    // The vortex, pixel by pixel: spiral arms in elliptical coordinates.
    Canvas vortex(width, kPortalHeight);
    vortex.map_pixels([&](int x, int y, Color& out) {
        const double u = (x + 0.5 - cx) / (rx - 5), v = (y + 0.5 - cy) / (ry - 5);
        const double r = std::sqrt(u * u + v * v);
        if (r > 1.0) return;
        const double angle = std::atan2(v, u);
        const double spiral = std::sin(angle * 3 + r * 9.0 + noise.at(u * 3 + 5, v * 3) * 2.5);
        const double arms = 0.5 + 0.5 * spiral;
        const double core = std::pow(1.0 - r, 2.2);
        const double light = std::clamp(arms * 0.55 * (0.3 + r) + core * 1.3, 0.0, 1.0);
        out = deep.mixed(bright, light).mixed(Color{1, 1, 1}, std::max(0.0, light - 0.75) * 3.0);
    });
    c.draw(vortex, 0, 0);

    // The ring, plated, with lamps down both sides.
    c.ellipse(cx, cy, rx - 2.5, ry - 2.5);
    c.stroke(Paint::solid(outline), 8.5);
    c.ellipse(cx, cy, rx - 2.5, ry - 2.5);
    c.stroke(Paint::linear({0, 0}, {double(width), double(kPortalHeight)},
                           {{0, Color::hex(0xe8eef8)}, {0.4, Color::hex(0x8890a4)}, {1, Color::hex(0x2a2e3c)}}),
             6.5);
    c.ellipse(cx, cy, rx - 2.5, ry - 2.5);
    c.stroke(Paint::solid(Color{1, 1, 1, 0.35}), 1.0);
    for (int k = 0; k < 12; ++k) {
        const double a = (k + 0.5) * 2 * kPi / 12;
        const double lx = cx + (rx - 2.5) * std::cos(a), ly = cy + (ry - 2.5) * std::sin(a);
        c.circle(lx, ly, 1.9);
        c.fill_outlined(Paint::radial({lx - 0.5, ly - 0.5}, 0, 2.0, {{0, Color{1, 1, 1}}, {1, bright}}), outline, 0.8);
    }
    // Clamps at the top and bottom of the ring.
    for (double yy : {3.0, kPortalHeight - 11.0}) {
        c.rounded_rect(cx - 7, yy, 14, 8, 2);
        c.shade(art::Ramp{Color::hex(0x2a2e3c), Color::hex(0x7a8296), Color::hex(0xd8e0ee)}, outline, 1.0, 100);
    }
    return c;
}

std::vector<Frame> split(const Canvas& whole, int left_width) {
    std::vector<Frame> frames;
    frames.push_back({.image = whole.crop(0, 0, left_width, whole.height())});
    frames.push_back({.image = whole.crop(left_width, 0, whole.width() - left_width, whole.height())});
    return frames;
}

std::vector<Frame> gameover_frames() {
    constexpr int kCount = 8;
    return art::frames_of({.width = 360, .height = 56}, kCount, [&](Canvas& c, int i) {
        art::TextStyle s;
        s.height = 38;
        s.weight = 1.15;
        s.tracking = 1.5;
        s.outline = Color::hex(0x1a0404);
        s.outline_width = 2.5;
        s.shadow = Color::hex(0x1a0404);
        s.shadow_dx = 2;
        s.shadow_dy = 3;
        s.fill = {{0, Color::hex(0xffe0a0)}, {0.3, Color::hex(0xff5a2a)}, {0.7, Color::hex(0xb01010)},
                  {1, Color::hex(0x500808)}};
        art::draw_text(c, 178, 7, "GAME OVER", s, art::Align::Centre);
        // A band of light sweeping across the letters: drawn onto a copy of
        // the letters alone (ATOP keeps it inside them), then laid on top.
        const double sweep = -60 + 480.0 * i / kCount;
        Canvas body(360, 56);
        art::TextStyle inner = s;
        inner.outline_width = 0;
        inner.shadow_dx = inner.shadow_dy = 0;
        const double left = 178 - art::text_width("GAME OVER", s) / 2 + s.outline_width;
        art::draw_text(body, left, 7, "GAME OVER", inner);
        cairo_set_operator(body.cr(), CAIRO_OPERATOR_ATOP);
        body.polygon({{sweep, 0}, {sweep + 26, 0}, {sweep + 6, 56}, {sweep - 20, 56}});
        body.fill(Paint::solid(Color{1, 1, 0.85, 0.75}));
        c.draw(body, 0, 0);
    });
}

}  // namespace

void add_portal_sprites(SpriteList& out) {
    out.push_back({"entranceportal",
                   split(portal(80, Color::hex(0x0a1450), Color::hex(0x48b8ff), art::seed_of("entranceportal")), 40)});
    out.push_back({"exitportal",
                   split(portal(60, Color::hex(0x0a3a14), Color::hex(0x8cff60), art::seed_of("exitportal")), 30)});
    out.push_back({"gameover", gameover_frames()});
}

}  // namespace standard
