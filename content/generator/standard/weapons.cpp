// Player shots, the missile smoke and the enemy shots.
//
// The ship's gun line is y + 11 (centre of its 22-pixel image). Each shot's
// y offset brings its centre onto that line from the spawn point the firing
// code uses: blue laser (x + 42, y + 6), missile (x + 50, y + 9 +- 2i),
// heat-seeker (x + 55, y + 5), photon (x + 45, y), star (x + 45, y - 12).
// The photon bursts at (photon x + 10, photon y); smoke puffs at the
// heat-seeker's own (x, y) every frame. Enemy shots aim their position at a
// point of the ship, so they are centred on it.
#include <algorithm>
#include <cmath>

#include "generator/art/prelude.h"
#include "generator/standard/standard_sprites.h"

namespace standard {

namespace {

const Color kOutline = Color::hex(0x0d1020);

// Weapon levels 1..5: the bolt grows longer and thicker.
std::vector<Frame> blueshot_frames() {
    std::vector<Frame> frames;
    for (int level = 1; level <= 5; ++level) {
        const int w = 16 + 6 * level, h = 3 + 2 * level;
        Canvas c(w + 2, h + 2);
        const double cy = (h + 2) / 2.0;
        // Outer glow, body, white core: a capsule tapering to the back.
        c.polygon({{1, cy}, {6, 1.0}, {w - h / 2.0 + 1, 1.0}, {w + 1.0, cy}, {w - h / 2.0 + 1, h + 1.0}, {6, h + 1.0}});
        c.fill(Paint::vertical(1, h + 1, {{0, Color::hex(0x1838c8)}, {0.5, Color::hex(0x3c8cff)}, {1, Color::hex(0x1838c8)}}));
        c.polygon({{4, cy}, {8, cy - h * 0.3}, {w - h * 0.35, cy - h * 0.3}, {w - 0.5, cy},
                   {w - h * 0.35, cy + h * 0.3}, {8, cy + h * 0.3}});
        c.fill(Paint::linear({4, 0}, {double(w), 0}, {{0, Color::hex(0x7fd8ff)}, {0.6, Color{1, 1, 1}}, {1, Color{1, 1, 1}}}));
        // Centre on the gun line: spawned at y + 6, the line is y + 11.
        frames.push_back({.image = std::move(c), .yoffset = 5 - (h + 2) / 2});
    }
    return frames;
}

// One missile pointing right, 18 x 7.
void draw_missile_body(Canvas& c, double x, double y, const Ramp& body, const Color& nose) {
    // Flame.
    c.ellipse(x + 2.2, y + 3.5, 2.4, 1.5);
    c.fill(Paint::radial({x + 3, y + 3.5}, 0, 2.6, {{0, Color{1, 1, 1}}, {0.5, Color::hex(0xffd040)}, {1, Color::hex(0xe04010)}}));
    // Fins.
    c.polygon({{x + 4, y + 0.5}, {x + 8, y + 2.4}, {x + 8, y + 4.6}, {x + 4, y + 6.5}});
    c.fill_outlined(Paint::solid(Color::hex(0x8a2020)), kOutline, 0.8);
    // Body and nose.
    c.polygon({{x + 4.5, y + 2}, {x + 13, y + 2}, {x + 17.5, y + 3.5}, {x + 13, y + 5}, {x + 4.5, y + 5}});
    c.shade(body, kOutline, 0.8, 90);
    c.polygon({{x + 12.5, y + 2.2}, {x + 17.5, y + 3.5}, {x + 12.5, y + 4.8}});
    c.fill(Paint::solid(nose));
}

std::vector<Frame> missile_frames() {
    Canvas c(19, 7);
    draw_missile_body(c, 0.5, 0, Ramp{Color::hex(0x50586a), Color::hex(0xb8c0d0), Color::hex(0xf4f8ff)},
                      Color::hex(0xe83030));
    // Spawned at y + 9 (+- 2i): centre on y + 11 at the middle of the fan.
    std::vector<Frame> frames;
    frames.push_back({.image = std::move(c), .yoffset = -1});
    return frames;
}

// 16 headings, frame 1 pointing left and turning clockwise (5 up, 9 right, 13 down).
std::vector<Frame> heatseeker_frames() {
    std::vector<Frame> frames;
    for (int d = 1; d <= 16; ++d) {
        Canvas c(18, 18);
        const double angle = 180.0 + (d - 1) * 22.5;
        {
            auto s = c.scoped();
            c.translate(9, 9);
            c.rotate_deg(angle);
            c.translate(-9, -3.5);
            draw_missile_body(c, 0.2, 0, Ramp{Color::hex(0x6a3a10), Color::hex(0xe08a28), Color::hex(0xffe0a0)},
                              Color::hex(0xfff4c0));
            // Seeker band.
            c.rect(11, 2, 1.2, 3);
            c.fill(Paint::solid(Color::hex(0x303848)));
        }
        // Its centre follows (x, y + 5), the spawn point's height on the gun line.
        frames.push_back({.image = std::move(c), .xoffset = -9, .yoffset = -4});
    }
    return frames;
}

// A puff left behind by the heat-seeker: grows, greys and thins out.
std::vector<Frame> smoke_frames() {
    std::vector<Frame> frames;
    constexpr int kCount = 6;
    for (int i = 0; i < kCount; ++i) {
        const double t = double(i) / (kCount - 1);
        Canvas c(14, 14);
        const double r = 2.2 + 4.2 * t;
        const Color warm = Color::hex(0xffd9a0).mixed(Color::hex(0x9a9aa2), std::min(1.0, t * 2.5));
        const Color edge = Color::hex(0x6a6a74).mixed(Color::hex(0x40404a), t);
        const double alpha = 1.0 - t * 0.8;
        c.circle(7, 7.5, r);
        c.fill(Paint::radial({6.2, 6.5}, 0, {7, 7.5}, r, {{0, warm.with_alpha(alpha)}, {1, edge.with_alpha(alpha * 0.55)}}));
        c.circle(7 + r * 0.35, 7.5 - r * 0.3, r * 0.55);
        c.fill(Paint::solid(warm.lighter(0.2).with_alpha(alpha * 0.6)));
        // Centred on the heat-seeker's centre, (x, y + 5).
        frames.push_back({.image = std::move(c), .xoffset = -7, .yoffset = -2, .edges = art::Edges::Dither});
    }
    return frames;
}

std::vector<Frame> photon_frames() {
    constexpr int kCount = 6;
    return art::frames_of({.width = 22, .height = 22}, kCount, [&](Canvas& c, int i) {
        const double pulse = 0.5 + 0.5 * std::cos(2 * kPi * i / kCount);
        art::energy_orb(c, 11, 11, 8.2 + 1.2 * pulse, Color::hex(0xe04cff), Color::hex(0x5a0c9a), double(i) / kCount);
        // Spawned at (x + 45, y): centre (x + 56, y + 11) on the gun line.
    });
}

// The photon's burst: a ring that races outwards and a core that dies.
std::vector<Frame> photonexplosion_frames() {
    std::vector<Frame> frames;
    constexpr int kCount = 5;
    for (int i = 0; i < kCount; ++i) {
        const double t = double(i) / (kCount - 1);
        Canvas c(48, 48);
        const double ring = 8 + 14 * t;
        c.circle(24, 24, ring);
        c.stroke(Paint::solid(Color::hex(0xff9cff).mixed(Color::hex(0x7a20c0), t)), 4.5 - 2.5 * t);
        c.circle(24, 24, ring);
        c.stroke(Paint::solid(Color{1, 1, 1, 1 - t}), 1.6 - t);
        const double core = 9 * (1 - t) + 1.5;
        art::energy_orb(c, 24, 24, core, Color::hex(0xe04cff), Color::hex(0x5a0c9a), t * 0.5, 2);
        // Sparks thrown out along eight spokes.
        for (int k = 0; k < 8; ++k) {
            const double a = k * kPi / 4 + 0.3;
            const double r = ring * (0.55 + 0.4 * ((k % 2) ? 1 : 0.6));
            c.circle(24 + std::cos(a) * r, 24 + std::sin(a) * r, 1.6 * (1 - t) + 0.6);
            c.fill(Paint::solid(Color{1, 0.85, 1, 1 - t * 0.6}));
        }
        // Spawned at (photon x + 10, photon y); the photon's centre is 11 lower.
        frames.push_back({.image = std::move(c), .xoffset = -23, .yoffset = -13, .edges = art::Edges::Dither});
    }
    return frames;
}

// How many steps (4-neighbour) each opaque pixel of a sprite image lies from
// the nearest transparent one: 1 on the silhouette's edge; 0 where transparent.
// Opaque is what the sprite writer keeps (at least half covered).
std::vector<int> depth_inside(Canvas& c) {
    const int w = c.width(), h = c.height();
    std::vector<int> depth(size_t(w) * size_t(h), 0);
    c.map_pixels([&](int x, int y, Color& col) {
        if (col.a * 255 >= 127.5) depth[size_t(y) * size_t(w) + size_t(x)] = 1 << 20;
    });
    const auto at = [&](int x, int y) { return x < 0 || y < 0 || x >= w || y >= h ? 0 : depth[size_t(y) * size_t(w) + size_t(x)]; };
    for (bool changed = true; changed;) {
        changed = false;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                int& d = depth[size_t(y) * size_t(w) + size_t(x)];
                if (d == 0) continue;
                const int nearest = std::min({at(x - 1, y), at(x + 1, y), at(x, y - 1), at(x, y + 1)}) + 1;
                if (nearest < d) {
                    d = nearest;
                    changed = true;
                }
            }
    }
    return depth;
}

// A spinning five-pointed star; its fragments use the same images. Gold alone
// vanishes among lit windows and honey walls, so the star wears a near-black
// rim and a red-hot band inside its own silhouette (its hit area stays as it
// was): a dark-ringed shape reads on any ground, light or dark.
std::vector<Frame> starshot_frames() {
    constexpr int kCount = 6;
    return art::frames_of({.width = 20, .height = 20, .yoffset = 12}, kCount, [&](Canvas& c, int i) {
        const double rot = -90 + i * 72.0 / kCount;
        c.star(10, 10, 5, 9.2, 4.0, rot);
        c.fill_outlined(Paint::radial({9, 9}, 0, 9.5, {{0, Color{1, 1, 1}}, {0.35, Color::hex(0xfff27a)}, {1, Color::hex(0xf08a10)}}),
                        Color::hex(0x5a2a04), 1.0);
        c.star(10, 10, 5, 4.6, 2.0, rot);
        c.fill(Paint::solid(Color{1, 1, 0.92}));
        // Spawned at (x + 45, y - 12): centre (x + 55, y + 10), the gun line.
        const std::vector<int> depth = depth_inside(c);
        c.map_pixels([&](int x, int y, Color& col) {
            const int d = depth[size_t(y) * size_t(c.width()) + size_t(x)];
            if (d == 0) col = Color{0, 0, 0, 0};
            else if (d == 1) col = Color::hex(0x1a0610);
            else if (d == 2) col = Color::hex(0xe8400c);
            else col.a = 1;
        });
    });
}

// The common enemy shot: a hot red bead that throbs.
std::vector<Frame> enemyshot_frames() {
    constexpr int kCount = 4;
    return art::frames_of({.width = 13, .height = 13, .xoffset = -6, .yoffset = -6}, kCount, [&](Canvas& c, int i) {
        const double pulse = 0.5 + 0.5 * std::cos(2 * kPi * i / kCount);
        c.circle(6.5, 6.5, 5.0 + 0.8 * pulse);
        c.fill_outlined(Paint::radial({6.5, 6.5}, 0, 5.8, {{0, Color{1, 1, 1}}, {0.35, Color::hex(0xffe070)},
                                                             {0.7, Color::hex(0xff4020)}, {1, Color::hex(0x901008)}}),
                        Color::hex(0x300404), 1.0);
    });
}

// The heavy enemy shot: a spiked green-white ring that spins.
std::vector<Frame> enemyshottwo_frames() {
    constexpr int kCount = 4;
    return art::frames_of({.width = 17, .height = 17, .xoffset = -8, .yoffset = -8}, kCount, [&](Canvas& c, int i) {
        c.star(8.5, 8.5, 6, 8.0, 4.6, -90 + i * 15.0);
        c.fill_outlined(Paint::radial({8.5, 8.5}, 0, 8, {{0, Color{1, 1, 1}}, {0.45, Color::hex(0xd0ff70)},
                                                         {1, Color::hex(0x2e9a18)}}),
                        Color::hex(0x0a2a06), 1.0);
        c.circle(8.5, 8.5, 2.6);
        c.fill(Paint::solid(Color{1, 1, 1}));
    });
}

}  // namespace

void add_weapon_sprites(SpriteList& out) {
    out.push_back({"blueshot", blueshot_frames()});
    out.push_back({"missile", missile_frames()});
    out.push_back({"heatseekingmissile", heatseeker_frames()});
    out.push_back({"smoke", smoke_frames()});
    out.push_back({"photon", photon_frames()});
    out.push_back({"photonexplosion", photonexplosion_frames()});
    out.push_back({"starshot", starshot_frames()});
    out.push_back({"enemyshot", enemyshot_frames()});
    out.push_back({"enemyshottwo", enemyshottwo_frames()});
}

}  // namespace standard
