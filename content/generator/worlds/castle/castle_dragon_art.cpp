// The dragon painter shared by the castle's dragons.
#include <cmath>

#include "generator/art/prelude.h"
#include "generator/worlds/castle/castle.h"

namespace castle {

namespace {

Ramp darker(const Ramp& r, double k) { return Ramp{r.dark.darker(k), r.mid.darker(k), r.light.darker(k)}; }

void leg(Canvas& c, const DragonColours& col, Pt hip, Pt foot, bool far) {
    const Look& k = look();
    const Ramp scales = far ? darker(col.scales, 0.35) : col.scales;
    const Pt knee{(hip.x + foot.x) / 2 + 3, (hip.y + foot.y) / 2 - 1};
    c.polyline({hip, knee, foot});
    c.stroke(Paint::solid(k.outline), 6.5);
    c.polyline({hip, knee, foot});
    c.stroke(Paint::solid(scales.mid), 4.5);
    // Claws.
    c.polygon({{foot.x - 4.5, foot.y + 2}, {foot.x - 1, foot.y - 2}, {foot.x + 3, foot.y - 1}, {foot.x + 3, foot.y + 2}});
    c.fill_outlined(Paint::solid(scales.dark), k.outline, 0.8);
}

void wing(Canvas& c, const DragonColours& col, double lift, bool far) {
    const Look& k = look();
    const Ramp membrane = far ? darker(col.wing, 0.35) : col.wing;
    const Pt root{2, -8};
    const Pt elbow{10 - 2 * lift, -8 - 16 * lift};
    const Pt tip{26 - 4 * std::abs(lift), -8 - 26 * lift};
    const Pt back{30, -4 - 6 * lift};
    const std::vector<Pt> sail = {root, elbow, tip, {tip.x + 2, (tip.y + back.y) / 2 + 3}, back,
                                  {20, -4 + 2 * lift}, {12, -4}};
    c.polygon(sail);
    c.shade(membrane, k.outline, 1.0, lift > 0 ? 120 : 240);
    // Finger bones across the membrane.
    for (const Pt& end : std::vector<Pt>{{tip.x + 2, (tip.y + back.y) / 2 + 3}, back, {20, -4 + 2 * lift}}) {
        c.line(elbow, end);
        c.stroke(Paint::solid(membrane.dark.with_alpha(0.8)), 0.9);
    }
    c.polyline({root, elbow, tip});
    c.stroke(Paint::solid(membrane.light.with_alpha(0.7)), 1.0);
}

}  // namespace

void draw_dragon(Canvas& c, const DragonColours& col, const DragonPose& pose, double cx, double cy, double scale) {
    const Look& k = look();
    auto scope = c.scoped();
    c.translate(cx, cy);
    c.scale(scale, scale);
    const double lift = pose.flying ? pose.wing : 0.55;

    // Far side first: wing and legs.
    wing(c, col, pose.flying ? lift * 0.8 + 0.15 : 0.7, true);
    const double s = pose.walk * 2 * kPi;
    if (pose.flying) {
        leg(c, col, {-4, 6}, {2, 16}, true);
        leg(c, col, {14, 6}, {22, 15}, true);
    } else {
        leg(c, col, {-4, 7}, {-4 - 6 * std::cos(s + kPi), 20 - std::max(0.0, 4 * std::sin(s + kPi))}, true);
        leg(c, col, {14, 7}, {14 - 6 * std::cos(s), 20 - std::max(0.0, 4 * std::sin(s))}, true);
    }
    // Tail: a tapering curve ending in a spade.
    const double sway = pose.flying ? 3 * pose.wing : 2 * std::sin(s);
    const std::vector<Pt> tail = {{16, -6}, {30, -4 + sway * 0.3}, {40, 2 + sway}, {44, 6 + sway},
                                  {38, 5 + sway}, {28, 4}, {16, 5}};
    c.smooth(tail);
    c.shade(col.scales, k.outline, 1.0, 110);
    c.polygon({{42, 4 + sway}, {49, 1 + sway}, {47, 8 + sway}, {43, 9 + sway}});
    c.shade(col.scales, k.outline);
    // Body and belly.
    c.ellipse(4, 0, 18, 10.5);
    c.shade(col.scales, k.outline, 1.0, 110);
    {
        auto clip = c.scoped();
        c.ellipse(4, 0, 18, 10.5).clip();
        c.ellipse(2, 9, 17, 6);
        c.fill(Paint::vertical(3, 15, {{0, col.belly.light}, {1, col.belly.mid}}));
        for (double bx = -10; bx < 18; bx += 5) {
            c.line({bx, 4}, {bx + 1, 12});
            c.stroke(Paint::solid(col.belly.dark.with_alpha(0.6)), 0.8);
        }
    }
    // Spines along the back.
    for (int i = 0; i < 5; ++i) {
        const double x = -8 + i * 6, y = -10 + std::abs(i - 2) * 0.8;
        c.polygon({{x - 2, y + 1.5}, {x + 1, y - 4}, {x + 2.5, y + 1.5}});
        c.fill_outlined(Paint::solid(col.belly.mid), k.outline, 0.7);
    }
    // Neck curving up to the head.
    const std::vector<Pt> neck = {{-6, -8}, {-16, -14}, {-22, -22}, {-18, -12}, {-8, 2}};
    c.smooth(neck);
    c.shade(col.scales, k.outline, 1.0, 110);
    // Lower jaw, hinged under the ear.
    const double jaw = pose.jaw * 28 * kPi / 180;
    const Pt hinge{-24, -14};
    const Pt chin{hinge.x - 12 * std::cos(jaw), hinge.y + 12 * std::sin(jaw)};
    c.polygon({hinge, {chin.x, chin.y - 1.5}, {chin.x + 1, chin.y + 1.5}, {hinge.x + 2, hinge.y + 3}});
    c.shade(col.scales, k.outline, 0.9);
    if (pose.jaw > 0.3) {
        c.polygon({hinge, {chin.x + 1, chin.y - 1.5}, {-37, -16.5}});
        c.fill(Paint::solid(Color::hex(0x400808)));
        if (pose.jaw > 0.8) c.orb(-33, -15, 3.2, Color{1, 1, 0.8}, k.fire_glow);
    }
    // Skull and snout.
    const std::vector<Pt> head = {{-18, -20}, {-22, -26}, {-30, -24}, {-38, -19.5}, {-38, -16.5}, {-30, -15.5}, {-22, -13}};
    c.polygon(head);
    c.shade(col.scales, k.outline, 1.0, 120);
    c.polygon({{-20, -24}, {-14, -31}, {-17, -23}});
    c.fill_outlined(Paint::solid(col.belly.light), k.outline, 0.8);
    c.circle(-26, -21, 1.6);
    c.fill(Paint::solid(Color::hex(0xffe040)));
    c.circle(-35.5, -19, 0.8);
    c.fill(Paint::solid(k.outline));
    // Near side: legs and wing.
    if (pose.flying) {
        leg(c, col, {-2, 7}, {4, 17}, false);
        leg(c, col, {16, 7}, {24, 16}, false);
    } else {
        leg(c, col, {-2, 8}, {-2 - 6 * std::cos(s), 21 - std::max(0.0, 4 * std::sin(s))}, false);
        leg(c, col, {16, 8}, {16 - 6 * std::cos(s + kPi), 21 - std::max(0.0, 4 * std::sin(s + kPi))}, false);
    }
    wing(c, col, pose.flying ? lift : 0.55, false);
    c.highlight(-2, -6, 6, 2, 0.4);
}

}  // namespace castle
