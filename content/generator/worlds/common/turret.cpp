#include "generator/worlds/common/turret.h"

#include "generator/art/prelude.h"
namespace worlds {

std::vector<double> floor_turret_angles() {
    std::vector<double> a;
    for (int d = 1; d <= 9; ++d) a.push_back(art::direction_degrees(d));
    return a;
}

std::vector<double> ceiling_turret_angles() {
    std::vector<double> a{art::direction_degrees(1)};
    for (int f = 2; f <= 8; ++f) a.push_back(art::direction_degrees(18 - f));
    return a;
}

std::vector<art::Frame> turret_frames(const art::FrameBox& box, const std::vector<double>& angles,
                                      const TurretPainter& paint) {
    std::vector<art::Frame> frames;
    for (double angle : angles) {
        Canvas c(box.width, box.height);
        paint(c, box.origin_x, box.origin_y, angle);
        frames.push_back({.image = std::move(c), .xoffset = box.xoffset, .yoffset = box.yoffset});
    }
    return frames;
}

namespace {

void barrel(Canvas& c, const TurretStyle& s, double px, double py, double angle) {
    auto scope = c.scoped();
    c.translate(px, py);
    c.rotate_deg(angle);
    const double w = s.barrel_width, L = s.barrel_length;
    // Lit along the side facing the upper left whatever the aim: the ramp runs
    // across the barrel, flipped when the barrel points left.
    const bool left = angle > 90 && angle < 270;
    const Color lit = s.barrel.light, shade = s.barrel.dark;
    const auto across = [&](double half) {
        return Paint::vertical(-half, half, {{0, left ? shade : lit}, {0.5, s.barrel.mid}, {1, left ? lit : shade}});
    };
    c.rect(4, -w / 2, L - 4, w);
    c.fill_outlined(across(w / 2), s.outline, 1.0);
    c.rect(L - 6, -w / 2 - 1.5, 6, w + 3);
    c.fill_outlined(across(w / 2 + 1.5), s.outline, 1.0);
    c.rect(L * 0.45, -w / 2 - 0.5, 3, w + 1);
    c.fill_outlined(across(w / 2), s.outline, 0.8);
    c.rect(L - 1.5, -w / 2 + 1.5, 1.5, w - 3);
    c.fill(Paint::solid(Color{0.05, 0.05, 0.05}));
}

}  // namespace

TurretPainter dome_turret(const TurretStyle& s, bool ceiling) {
    return [s, ceiling](Canvas& c, double px, double py, double angle) {
        const double dir = ceiling ? -1 : 1;  // +1: the foot is below the pivot
        // The dome's flat side; the foot plate lies beyond it, against the mount.
        const double foot_y = ceiling ? py - 14 : py + 14;
        const double half_foot = s.dome_width + 6;
        c.rounded_rect(px - half_foot, ceiling ? foot_y - 8 : foot_y, 2 * half_foot, 8, 2);
        c.shade(s.foot, s.outline);
        for (double bx : {px - s.dome_width, px + s.dome_width}) {
            c.circle(bx, foot_y + dir * 4, 1.4);
            c.fill(Paint::solid(s.foot.light));
        }
        // Dome: the half facing away from the mount.
        c.new_path();
        cairo_save(c.cr());
        cairo_translate(c.cr(), px, foot_y);
        cairo_scale(c.cr(), s.dome_width, s.dome_height);
        if (ceiling)
            cairo_arc(c.cr(), 0, 0, 1, 0, 3.14159265358979);
        else
            cairo_arc_negative(c.cr(), 0, 0, 1, 0, -3.14159265358979);
        cairo_close_path(c.cr());
        cairo_restore(c.cr());
        c.shade(s.dome, s.outline, 1.0, ceiling ? 130 : 110);
        // Armour seams and the eye.
        c.arc(px, foot_y, s.dome_height * 0.65, ceiling ? 20 : 200, ceiling ? 160 : 340);
        c.stroke(Paint::solid(s.dome.dark.with_alpha(0.8)), 1.0);
        c.circle(px - 11, foot_y - dir * 7, 2.6);
        c.fill_outlined(Paint::radial({px - 11.6, foot_y - dir * 7 - 0.6}, 0, 2.6, {{0, Color{1, 1, 1}}, {1, s.light}}),
                        s.outline, 0.8);
        c.highlight(px - 8, foot_y - dir * 13, 5, 2.2, 0.55);
        // Barrel and its collar.
        barrel(c, s, px, py, angle);
        c.circle(px, py, 7);
        c.shade(s.dome, s.outline, 1.0);
        c.circle(px, py, 2.4);
        c.fill(Paint::solid(s.dome.dark));
    };
}

}  // namespace worlds
