// Hives, tendrils and chitin cannons.
//
// hivedown hangs from the roof (row 0) and lets a bee drop from (x + 30,
// y + 25): the bee starts inside the nest and falls out of the hole at its
// bottom. hiveup stands on the floor (row 72) and lets a bee rise from
// (x + 25, y), out of the hole at its top. hivetendralsdown / hivetendralsup
// sway back and forth over 8 frames, rooted at row 0 / row 100.
// hivecannonup / hivecannondown: the shared turret frames in chitin.
#include <cmath>

#include "generator/art/prelude.h"
#include "generator/worlds/common/turret.h"
#include "generator/worlds/hive/hive_art.h"

namespace hive {

namespace {

// A papery nest of stacked bands between `top` and `bottom`, widest at 60 %.
void nest(Canvas& c, double cx, double top, double bottom, double half_width, bool hole_at_bottom) {
    const Look& k = look();
    const double h = bottom - top;
    std::vector<Pt> shape;
    for (int i = 0; i <= 12; ++i) {
        const double t = i / 12.0;
        const double w = half_width * std::sin(std::pow(t, hole_at_bottom ? 0.75 : 1.3) * kPi) + 5;
        shape.push_back({cx + w, top + t * h});
    }
    for (int i = 12; i >= 0; --i) {
        const double t = i / 12.0;
        const double w = half_width * std::sin(std::pow(t, hole_at_bottom ? 0.75 : 1.3) * kPi) + 5;
        shape.push_back({cx - w, top + t * h});
    }
    c.smooth(shape);
    c.shade(k.wax, k.outline, 1.2, 115);
    {
        auto s = c.scoped();
        c.smooth(shape).clip();
        for (double y = top + 8; y < bottom; y += 9) {
            c.smooth({{cx - half_width - 6, y + 3}, {cx - half_width * 0.4, y - 1}, {cx + half_width * 0.4, y + 1},
                      {cx + half_width + 6, y - 2}},
                     false);
            c.stroke(Paint::solid(k.wax.dark.with_alpha(0.8)), 1.6);
            c.smooth({{cx - half_width - 6, y + 4.5}, {cx - half_width * 0.4, y + 0.5}, {cx + half_width * 0.4, y + 2.5},
                      {cx + half_width + 6, y - 0.5}},
                     false);
            c.stroke(Paint::solid(k.wax.light.with_alpha(0.5)), 0.8);
        }
        c.highlight(cx - half_width * 0.4, top + h * 0.35, half_width * 0.3, h * 0.2, 0.45);
    }
    // The hole the bees use, glowing inside.
    const double hy = hole_at_bottom ? bottom - 5 : top + 5;
    c.ellipse(cx, hy, 11, 5);
    c.fill_outlined(Paint::radial({cx, hy}, 0, 11, {{0, k.glow}, {0.6, k.amber.mid}, {1, Color::hex(0x1a0a02)}}), k.outline, 1.2);
}

// Fleshy tendrils rooted at (0, 0), growing along +y, swaying by `sway` -1..1.
void tendrils(Canvas& c, double sway) {
    const Look& k = look();
    const double lengths[] = {92, 70, 82};
    const double xs[] = {-8, 4, 12};
    for (int t = 0; t < 3; ++t) {
        std::vector<Pt> pts;
        for (int j = 0; j <= 8; ++j) {
            const double y = j * lengths[t] / 8;
            pts.push_back({xs[t] + sway * std::pow(j / 8.0, 1.6) * 12 * (t == 1 ? -0.7 : 1.0) + std::sin(j * 0.9 + t) * 2, y});
        }
        for (int pass = 0; pass < 2; ++pass) {
            for (size_t j = 1; j < pts.size(); ++j) {
                const double w = (7.5 - j * 0.7) + (pass == 0 ? 2.2 : 0);
                c.line(pts[j - 1], pts[j]);
                c.stroke(Paint::solid(pass == 0 ? k.outline : k.flesh.mid.mixed(k.flesh.light, 0.3 - j * 0.03)), w);
            }
        }
        // Suckers along the inner side.
        for (size_t j = 2; j < pts.size(); j += 2) {
            c.circle(pts[j].x + 2, pts[j].y, 1.4);
            c.fill(Paint::solid(k.flesh.light));
        }
        c.orb(pts.back().x, pts.back().y, 2.6, Color{1, 1, 1}, k.glow);
    }
    c.ellipse(2, 0, 18, 6);
    c.shade(k.flesh, k.outline);
}

worlds::TurretStyle chitin_turret() {
    const Look& k = look();
    worlds::TurretStyle s;
    s.dome = k.chitin;
    s.barrel = k.amber;
    s.foot = k.wax;
    s.outline = k.outline;
    s.light = Color::hex(0x80ff40);
    return s;
}

}  // namespace

void add_nests(worlds::World& world) {
    {
        Canvas c(92, 92);
        nest(c, 46, 2, 86, 38, true);
        c.rect(40, 0, 12, 6);
        c.shade(look().wax, look().outline);
        world.sprite("hivedown", std::move(c), 0, 0);
    }
    {
        Canvas c(86, 78);
        nest(c, 41, 4, 78, 36, false);
        world.sprite("hiveup", std::move(c), 0, -4);
    }
    world.sprite("hivetendralsdown", art::frames_of({.width = 48, .height = 104, .origin_x = 20, .origin_y = 2}, 8,
                                                    [](Canvas& c, int i) { tendrils(c, -1 + 2 * i / 7.0); }));
    world.sprite("hivetendralsup",
                 art::frames_of({.width = 48, .height = 104, .origin_x = 20, .origin_y = 102}, 8, [](Canvas& c, int i) {
                     c.scale(1, -1);
                     tendrils(c, -1 + 2 * i / 7.0);
                 }));
    world.sprite("hivecannonup", worlds::turret_frames(worlds::kFloorTurret, worlds::floor_turret_angles(),
                                                       worlds::dome_turret(chitin_turret(), false)));
    world.sprite("hivecannondown", worlds::turret_frames(worlds::kCeilingTurret, worlds::ceiling_turret_angles(),
                                                         worlds::dome_turret(chitin_turret(), true)));
}

}  // namespace hive
