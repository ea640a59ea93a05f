#include "generator/worlds/common/rotorcraft.h"

#include "generator/art/prelude.h"
#include <cmath>

namespace worlds {

namespace {

// Fuselage outline: nose at the left, cabin, tapering boom to the tail.
const std::vector<Pt> kFuselage = {{5, 25},  {8, 19},  {14, 14}, {24, 12}, {40, 12}, {48, 15}, {60, 17},
                                   {72, 16}, {74, 20}, {62, 22}, {48, 25}, {44, 30}, {30, 33}, {14, 32},
                                   {7, 29}};

void camo_blotches(Canvas& c, const RotorcraftLook& look) {
    if (look.camo.empty()) return;
    auto scope = c.scoped();
    c.polygon(kFuselage).clip();
    art::Random random(look.seed);
    for (int i = 0; i < 14; ++i) {
        const double x = random.range(6, 74), y = random.range(11, 33);
        std::vector<Pt> blob;
        const int corners = 6;
        for (int k = 0; k < corners; ++k) {
            const double a = 2 * kPi * k / corners;
            const double r = random.range(2.5, 5.5);
            blob.push_back({x + std::cos(a) * r * 1.4, y + std::sin(a) * r});
        }
        c.smooth(blob);
        c.fill(Paint::solid(look.camo[size_t(i) % look.camo.size()].with_alpha(0.9)));
    }
}

void main_rotor(Canvas& c, const RotorcraftLook& look, double phase) {
    // Seen from the side the blades sweep a flat disc; each blade's length on
    // screen is the cosine of its angle.
    const double hub_x = 36, hub_y = 6;
    c.ellipse(hub_x, hub_y, 35, 2.2);
    c.fill(Paint::solid(look.blade.lighter(0.55).with_alpha(0.35)));
    for (int blade = 0; blade < 2; ++blade) {
        const double a = (phase + blade) * kPi;
        const double reach = 34 * std::cos(a);
        const double depth = 1.6 * std::sin(a);
        c.line({hub_x, hub_y}, {hub_x + reach, hub_y + depth});
        c.stroke(Paint::solid(look.outline), 3.2);
        c.line({hub_x, hub_y}, {hub_x + reach, hub_y + depth});
        c.stroke(Paint::solid(look.blade), 1.6);
    }
    c.rounded_rect(hub_x - 3, hub_y - 1.5, 6, 4, 1);
    c.shade(look.metal, look.outline, 0.8);
}

void tail_rotor(Canvas& c, const RotorcraftLook& look, double phase) {
    const double cx = 73, cy = 12;
    c.circle(cx, cy, 6.5);
    c.fill(Paint::solid(look.blade.lighter(0.5).with_alpha(0.3)));
    const double a = phase * 2 * kPi;
    const Pt tip{cx + 6 * std::cos(a), cy + 6 * std::sin(a)};
    c.line({2 * cx - tip.x, 2 * cy - tip.y}, tip);
    c.stroke(Paint::solid(look.blade), 1.6);
}

}  // namespace

Canvas draw_helicopter(const RotorcraftLook& look, double phase) {
    Canvas c(kRotorcraftWidth, kRotorcraftHeight);
    // Skids.
    c.polyline({{12, 38}, {14, 36}, {44, 36}, {46, 38}});
    c.stroke(Paint::solid(look.outline), 2.8);
    c.polyline({{12, 38}, {14, 36}, {44, 36}, {46, 38}});
    c.stroke(Paint::solid(look.metal.mid), 1.2);
    for (double sx : {20.0, 38.0}) {
        c.line({sx, 36}, {sx + 2, 31});
        c.stroke(Paint::solid(look.metal.dark), 1.4);
    }
    // Tail fin and stabiliser.
    c.polygon({{66, 17}, {70, 6}, {76, 5}, {75, 19}});
    c.shade(look.trim, look.outline);
    c.polygon({{60, 20}, {66, 26}, {70, 26}, {68, 20}});
    c.shade(look.trim, look.outline);
    // Fuselage.
    c.polygon(kFuselage);
    c.shade(look.hull, look.outline, 1.0, 100);
    camo_blotches(c, look);
    if (look.marking.a > 0) {
        c.rect(54, 16, 4, 7);
        c.fill(Paint::solid(look.marking));
    }
    // Engine cowl on the cabin roof.
    c.rounded_rect(26, 8, 20, 6, 2.5);
    c.shade(look.trim, look.outline);
    c.rect(40, 9.5, 4, 2.5);
    c.fill(Paint::solid(look.outline.with_alpha(0.8)));
    // Canopy.
    c.smooth({{7, 23}, {11, 16}, {18, 13.5}, {24, 14}, {24, 22}, {12, 24}});
    c.shade(look.glass, look.outline, 1.0, 130);
    c.highlight(14, 17, 3, 1.2);
    // Stub wing with a rocket pod.
    c.rounded_rect(26, 25, 16, 5, 2);
    c.shade(look.trim, look.outline);
    // Chin gun: the muzzle is the family's firing point.
    c.rect(4, 23, 12, 3);
    c.shade(look.metal, look.outline, 0.8, 90);
    c.circle(16, 25, 3);
    c.shade(look.metal, look.outline, 0.8);
    // Window of the cabin door and a highlight along the back.
    c.rounded_rect(28, 17, 7, 5, 1.5);
    c.fill_outlined(Paint::solid(look.glass.mid), look.outline, 0.8);
    c.polyline({{20, 13.6}, {40, 13.2}, {56, 17.4}});
    c.stroke(Paint::solid(Color{1, 1, 1, 0.35}), 0.9);
    tail_rotor(c, look, phase * 2);
    main_rotor(c, look, phase);
    return c;
}

std::vector<art::Frame> helicopter_frames(const RotorcraftLook& look, int count) {
    std::vector<art::Frame> frames;
    for (int i = 0; i < count; ++i)
        frames.push_back({.image = draw_helicopter(look, double(i) / count),
                          .xoffset = kRotorcraftXOffset,
                          .yoffset = kRotorcraftYOffset});
    return frames;
}

}  // namespace worlds
