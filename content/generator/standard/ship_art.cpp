#include "generator/standard/ship_art.h"

#include "generator/art/prelude.h"
#include <algorithm>
#include <cmath>

namespace standard {

ShipLook player_one_look() {
    ShipLook l;
    l.hull = Ramp{Color::hex(0x4a5670), Color::hex(0xa9b6cc), Color::hex(0xeef3fa)};
    l.stripe = Ramp::of(Color::hex(0x1f7cff));
    l.fin = Ramp{Color::hex(0x1d2a55), Color::hex(0x3b5aa8), Color::hex(0x7d9be0)};
    l.glass = Ramp{Color::hex(0x062a45), Color::hex(0x1b8fc7), Color::hex(0xaef6ff)};
    l.engine = Color::hex(0x46c8ff);
    l.outline = Color::hex(0x0d1020);
    return l;
}

ShipLook player_two_look() {
    ShipLook l;
    l.hull = Ramp{Color::hex(0x4d4650), Color::hex(0xa49ca6), Color::hex(0xf4eef0)};
    l.stripe = Ramp::of(Color::hex(0xe02a2a));
    l.fin = Ramp{Color::hex(0x4a1216), Color::hex(0x9a2a2c), Color::hex(0xe2706a)};
    l.glass = Ramp{Color::hex(0x3a1a05), Color::hex(0xd08a1a), Color::hex(0xfff0a0)};
    l.engine = Color::hex(0xffa040);
    l.outline = Color::hex(0x180c10);
    return l;
}

void draw_ship(art::Canvas& c, const ShipLook& look, double x, double y, double scale, double roll, bool flame) {
    roll = std::clamp(roll, -1.0, 1.0);
    auto scope = c.scoped();
    c.translate(x, y);
    c.scale(scale, scale);
    // A small pitch with the bank makes the tilt frames read at a glance.
    c.translate(30, 11);
    c.rotate_deg(-roll * 3.0);
    c.translate(-30, -11);
    const double line = (scale <= 1.0 ? 1.0 : 1.0 + 0.35 * scale) / scale;

    // How far the wings reach beyond the body in this bank.
    const double near_wing = 3.2 + 2.4 * roll;               // below the belly
    const double far_wing = std::max(0.0, 0.6 + 3.2 * roll);  // above the back
    const double belly = 15.4 - 0.6 * roll;                   // belly line
    const double back = 7.0 + 0.4 * roll;                     // upper line

    // Far wing, behind the body.
    if (far_wing > 0.3) {
        c.polygon({{33, back + 0.6}, {19, back - far_wing}, {13, back - far_wing}, {15, back + 1.0}});
        c.shade(look.fin, look.outline, line, 100);
    }

    // Exhaust flame behind the nozzle.
    if (flame) {
        c.ellipse(4.2, 11.2, 4.0, 2.3);
        c.fill(Paint::radial({6, 11.2}, 0, 4.5,
                             {{0, Color{1, 1, 1}}, {0.45, look.engine.lighter(0.4)}, {1, look.engine.darker(0.35)}}));
    }

    // Dorsal fin.
    c.polygon({{8, back + 1.8}, {4.6, back - 4.6}, {8.6, back - 5.0}, {20, back + 0.4}});
    c.shade(look.fin, look.outline, line, 120);

    // Body.
    const std::vector<Pt> body = {{6, 9.2},   {12, back + 0.7}, {20, back + 0.1}, {28, back - 0.2},
                                  {38, back + 0.2}, {46, back + 1.2}, {53, 9.8},  {59.5, 11.4},
                                  {53.5, 13.0}, {46, belly - 1.0}, {36, belly - 0.3}, {24, belly},
                                  {14, belly},  {8, belly - 0.5},  {6, 13.2}};
    c.polygon(body);
    c.shade(look.hull, look.outline, line, 95);

    // Underside panel shows when the belly turns to the viewer.
    {
        auto s = c.scoped();
        c.polygon(body).clip();
        const double under = 1.6 - 1.2 * roll;
        c.rect(0, belly - under, 60, under + 1);
        c.fill(Paint::solid(look.hull.dark.with_alpha(0.85)));
        // The player's colour: a stripe from the intake to the nose.
        c.polygon({{13, 10.8}, {50, 10.6}, {57, 11.6}, {50, 12.4}, {13, 12.5}});
        c.fill(Paint::vertical(10.6, 12.6, {{0, look.stripe.light}, {1, look.stripe.dark}}));
        // Panel lines.
        c.line({22, back + 0.6}, {22, belly - 0.5});
        c.line({46.5, back + 1.6}, {46.5, belly - 1.4});
        c.stroke(Paint::solid(look.hull.dark.with_alpha(0.7)), 0.7 / std::max(1.0, scale * 0.5), false);
    }

    // Engine nozzle.
    c.rounded_rect(4.5, 9.0, 4.5, 4.6, 1.0);
    c.shade(Ramp{Color::hex(0x202530), Color::hex(0x5a6070), Color::hex(0xa0a8b8)}, look.outline, line, 90);

    // Gun under the nose: the blue laser leaves from its muzzle.
    c.rect(38, belly - 1.6, 12, 1.6);
    c.shade(Ramp{Color::hex(0x2a2e38), Color::hex(0x70788a), Color::hex(0xc8d0e0)}, look.outline, line * 0.8, 90);

    // Canopy: sits higher and shows more glass when the top turns to the viewer.
    const double lift = 0.9 * roll;
    const double tall = 1.0 + 0.25 * roll;
    const std::vector<Pt> canopy = {{27, back + 0.3},
                                    {31, back - 2.6 * tall - lift},
                                    {37.5, back - 3.3 * tall - lift},
                                    {43.5, back - 1.8 * tall - lift},
                                    {47, back + 1.2},
                                    {38, back + 1.5},
                                    {30, back + 1.3}};
    c.smooth(canopy);
    c.shade(look.glass, look.outline, line, 130);
    c.highlight(35.5, back - 2.0 * tall - lift, 2.6, 0.9, 0.95);

    // Near wing, swept back below the body.
    c.polygon({{36, belly - 0.8}, {17, belly + near_wing}, {10.5, belly + near_wing}, {13, belly - 0.8}});
    c.shade(look.fin, look.outline, line, 110);
    // Its stripe of player colour.
    c.polygon({{25, belly + near_wing * 0.35}, {17.5, belly + near_wing * 0.85}, {14, belly + near_wing * 0.85},
               {17, belly + near_wing * 0.35}});
    c.fill(Paint::solid(look.stripe.mid));

    // A bright rim along the top of the body.
    c.polyline({{14, back + 1.1}, {28, back + 0.6}, {38, back + 0.9}});
    c.stroke(Paint::solid(Color{1, 1, 1, 0.55}), 0.8 / std::max(1.0, scale * 0.6));
}

void draw_drone(art::Canvas& c, double x, double y, double scale, double phase) {
    const Color outline = Color::hex(0x0d1020);
    const Ramp shell{Color::hex(0x3a4358), Color::hex(0x9aa6bc), Color::hex(0xf0f4fa)};
    const Ramp fin{Color::hex(0x1d2a55), Color::hex(0x3b5aa8), Color::hex(0x7d9be0)};
    auto scope = c.scoped();
    c.translate(x, y);
    c.scale(scale, scale);
    const double line = (scale <= 1.0 ? 1.0 : 1.0 + 0.35 * scale) / scale;

    // Thruster glow at the back.
    c.ellipse(3.4, 10.5, 3.0, 1.9);
    c.fill(Paint::radial({4.5, 10.5}, 0, 3.5, {{0, Color{1, 1, 1}}, {0.5, Color::hex(0x8fe6ff)}, {1, Color::hex(0x1c6ed8)}}));
    // Fins above and below.
    c.polygon({{8, 5.5}, {5.2, 1.6}, {8.4, 1.6}, {13, 5.0}});
    c.shade(fin, outline, line, 120);
    c.polygon({{8, 15.5}, {5.2, 19.2}, {8.4, 19.2}, {13, 16.0}});
    c.shade(fin, outline, line, 120);
    // The shell.
    c.ellipse(11, 10.5, 7.6, 6.4);
    c.shade(shell, outline, line, 120);
    // A band of lights turning around the pod: the lit segment moves with phase.
    {
        auto s = c.scoped();
        c.ellipse(11, 10.5, 7.0, 5.8).clip();
        c.rect(3, 9.2, 16, 2.8);
        c.fill(Paint::solid(Color::hex(0x141a30)));
        // Six lamps round the band; the lit ones face the viewer.
        for (int i = 0; i < 6; ++i) {
            const double u = std::fmod(phase + i / 6.0, 1.0);   // position around the pod
            const double px = 11 + 7.0 * std::sin(u * 2 * 3.14159265358979);
            const double front = std::cos(u * 2 * 3.14159265358979);  // > 0 faces the viewer
            if (front <= 0.05) continue;
            c.ellipse(px, 10.6, 1.5 * front + 0.3, 1.2);
            c.fill(Paint::solid(i % 2 ? Color::hex(0x2a70c0) : Color::hex(0x60e0ff).mixed(Color{1, 1, 1}, 0.5 * front)));
        }
    }
    // Eye-like sensor at the front.
    c.circle(16.3, 10.5, 1.9);
    c.fill_outlined(Paint::radial({16.0, 10.0}, 0, 2.0, {{0, Color{1, 1, 1}}, {0.5, Color::hex(0xff6a6a)}, {1, Color::hex(0x801010)}}),
                    outline, line * 0.8);
    c.highlight(9, 7.2, 2.6, 1.2, 0.9);
}

}  // namespace standard
