// The mountain army: a camouflaged helicopter, a hover tank that turns its
// gun toward the ship, and a two-legged walker.
//
// Hover tank: aims from (x + 30, y + 10) with frames 1..6 (left, round
// through up, to a little right of up) and fires from the floor-turret
// muzzles, so its gun turns about (x + 30, y + 5); its skirt is the lowest
// row, 33 below y, which rests on the ground.
// Walker: fires from (x - 5, y + 10): its chin gun ends at (x, y + 10); its
// feet are the lowest rows, about 61 below y.
#include <cmath>

#include "generator/art/prelude.h"
#include "generator/worlds/common/rotorcraft.h"
#include "generator/worlds/mountain/mountain.h"

namespace mountain {

namespace {

std::vector<Frame> camo_helicopter() {
    const Look& k = look();
    worlds::RotorcraftLook l;
    l.hull = k.camo;
    l.trim = Ramp{Color::hex(0x262c1c), Color::hex(0x48522e), Color::hex(0x7c8a52)};
    l.glass = k.glass;
    l.metal = k.steel;
    l.outline = k.outline;
    l.camo = {Color::hex(0x3a4226), Color::hex(0x8a7a50), Color::hex(0x2a2a1e)};
    l.marking = Color::hex(0xd8cc9a);
    l.seed = art::seed_of("mountaincamohelicopter");
    return worlds::helicopter_frames(l, 4);
}

// ---- hover tank ----
constexpr double kTankPivotX = 40, kTankPivotY = 42;

void tank_hull(Canvas& c) {
    const Look& k = look();
    // Hover skirt glow: the lowest opaque rows, what the tank rests on.
    c.ellipse(44, 68, 34, 3);
    c.fill(Paint::radial({44, 68}, 0, 34, {{0, k.energy_core}, {0.5, k.energy}, {1, k.energy.darker(0.5)}}));
    // Skirt and hull.
    c.polygon({{8, 62}, {14, 52}, {78, 52}, {88, 62}, {80, 67}, {14, 67}});
    c.shade(Ramp{Color::hex(0x1e2218), Color::hex(0x3c4430), Color::hex(0x66704e)}, k.outline);
    c.polygon({{6, 54}, {14, 42}, {70, 40}, {86, 46}, {86, 54}, {70, 58}, {16, 58}});
    c.shade(k.camo, k.outline, 1.0, 100);
    {
        auto s = c.scoped();
        c.polygon({{6, 54}, {14, 42}, {70, 40}, {86, 46}, {86, 54}, {70, 58}, {16, 58}}).clip();
        art::Random r(art::seed_of("hovertank"));
        for (int i = 0; i < 9; ++i) {
            c.ellipse(r.range(10, 84), r.range(42, 58), r.range(4, 8), r.range(2, 3.5));
            c.fill(Paint::solid((i % 2 ? Color::hex(0x8a7a50) : Color::hex(0x2e3420)).with_alpha(0.85)));
        }
        c.line({12, 54}, {84, 52});
        c.stroke(Paint::solid(k.outline.with_alpha(0.6)), 1.0);
    }
    // Vents along the skirt.
    for (int i = 0; i < 6; ++i) {
        c.rect(20 + i * 10, 60, 6, 3);
        c.fill(Paint::solid(k.energy.with_alpha(0.9)));
    }
    c.polyline({{16, 43.5}, {68, 41.5}});
    c.stroke(Paint::solid(Color{1, 1, 1, 0.35}), 1.0);
}

void tank_turret(Canvas& c, double angle) {
    const Look& k = look();
    // Barrel first, so the turret's dome covers its root.
    {
        auto s = c.scoped();
        c.translate(kTankPivotX, kTankPivotY);
        c.rotate_deg(angle);
        c.rect(6, -2.5, 30, 5);
        c.shade(k.steel, k.outline, 1.0, angle > 90 && angle < 270 ? 270 : 90);
        c.rect(31, -3.5, 6, 7);
        c.shade(k.steel, k.outline);
        c.rect(14, -3.2, 3, 6.4);
        c.fill(Paint::solid(k.steel.dark));
    }
    c.new_path();
    cairo_save(c.cr());
    cairo_translate(c.cr(), kTankPivotX, kTankPivotY + 1);
    cairo_scale(c.cr(), 15, 11);
    cairo_arc_negative(c.cr(), 0, 0, 1, 0, -kPi);
    cairo_close_path(c.cr());
    cairo_restore(c.cr());
    c.shade(k.camo, k.outline, 1.0, 115);
    c.rect(kTankPivotX - 9, kTankPivotY - 6, 6, 3);
    c.fill_outlined(Paint::solid(k.glass.light), k.outline, 0.8);
    c.highlight(kTankPivotX - 4, kTankPivotY - 7, 5, 1.8, 0.5);
}

std::vector<Frame> hover_tank() {
    std::vector<Frame> frames;
    for (int d = 1; d <= 6; ++d) {
        Canvas c(96, 72);
        tank_hull(c);
        tank_turret(c, art::direction_degrees(d));
        frames.push_back({.image = std::move(c), .xoffset = 30 - int(kTankPivotX), .yoffset = 5 - int(kTankPivotY)});
    }
    return frames;
}

// ---- walker ----
// Knee of a two-bone leg from hip to foot, bending backwards (to the right).
Pt knee_of(Pt hip, Pt foot, double thigh, double shin) {
    const double dx = foot.x - hip.x, dy = foot.y - hip.y;
    const double d = std::min(std::sqrt(dx * dx + dy * dy), thigh + shin - 0.01);
    const double a = std::atan2(dy, dx);
    const double cos_k = (thigh * thigh + d * d - shin * shin) / (2 * thigh * d);
    const double k = std::acos(std::clamp(cos_k, -1.0, 1.0));
    return {hip.x + thigh * std::cos(a - k), hip.y + thigh * std::sin(a - k)};
}

void walker_leg(Canvas& c, Pt hip, Pt foot, bool far) {
    const Look& k = look();
    const Ramp metal = far ? Ramp{k.steel.dark.darker(0.3), k.steel.dark, k.steel.mid} : k.steel;
    const Ramp armour = far ? Ramp{k.camo.dark.darker(0.3), k.camo.dark, k.camo.mid} : k.camo;
    const Pt knee = knee_of(hip, foot, 17, 19);
    c.line(hip, knee);
    c.stroke(Paint::solid(k.outline), 7.5);
    c.line(hip, knee);
    c.stroke(Paint::solid(armour.mid), 5.5);
    c.line(knee, foot);
    c.stroke(Paint::solid(k.outline), 5.5);
    c.line(knee, foot);
    c.stroke(Paint::solid(metal.mid), 3.5);
    c.circle(knee.x, knee.y, 3.2);
    c.shade(metal, k.outline, 0.8);
    // Splayed foot.
    c.polygon({{foot.x - 7, foot.y + 3}, {foot.x - 4, foot.y - 1.5}, {foot.x + 5, foot.y - 1.5}, {foot.x + 7, foot.y + 3}});
    c.shade(metal, k.outline, 0.8);
}

Canvas walker_frame(double phase) {
    const Look& k = look();
    Canvas c(64, 72);
    const Pt hip{34, 36};
    const double ground = 66;
    const auto foot_at = [&](double p) {
        // Stance: the foot slides back along the ground; swing: it lifts forward.
        const double s = std::sin(p * 2 * kPi), co = std::cos(p * 2 * kPi);
        return Pt{hip.x - 1 + 11 * co, ground - (s > 0 ? 7 * s : 0)};
    };
    walker_leg(c, {hip.x + 3, hip.y}, foot_at(phase + 0.5), true);
    // Body: an armoured cockpit pod leaning forward.
    const double bob = 1.2 * std::abs(std::sin(phase * 2 * kPi));
    c.translate(0, -bob);
    c.polygon({{6, 20}, {12, 10}, {30, 6}, {50, 10}, {56, 22}, {50, 36}, {30, 40}, {14, 34}});
    c.shade(k.camo, k.outline, 1.0, 115);
    {
        auto s = c.scoped();
        c.polygon({{6, 20}, {12, 10}, {30, 6}, {50, 10}, {56, 22}, {50, 36}, {30, 40}, {14, 34}}).clip();
        c.ellipse(40, 16, 7, 4);
        c.fill(Paint::solid(Color::hex(0x8a7a50).with_alpha(0.9)));
        c.ellipse(22, 32, 8, 4);
        c.fill(Paint::solid(Color::hex(0x2e3420).with_alpha(0.9)));
        c.line({10, 26}, {54, 26});
        c.stroke(Paint::solid(k.outline.with_alpha(0.55)), 1.0);
    }
    // Visor.
    c.polygon({{9, 18}, {14, 12}, {28, 10}, {26, 19}});
    c.shade(k.glass, k.outline, 0.9, 130);
    c.highlight(16, 13.5, 3, 1, 0.9);
    // Chin gun: its muzzle is the walker's firing point.
    c.rect(1, 16, 14, 4);
    c.shade(k.steel, k.outline, 0.8, 90);
    c.rect(0.5, 15, 3, 6);
    c.shade(k.steel, k.outline, 0.8);
    // Antenna and a missile box on the back.
    c.line({46, 10}, {52, 1});
    c.stroke(Paint::solid(k.outline), 1.2);
    c.rounded_rect(44, 14, 14, 12, 2);
    c.shade(k.khaki, k.outline);
    for (int i = 0; i < 3; ++i) {
        const int column = i % 2, row = i / 2;  // two lamps, one below
        c.circle(48 + column * 5, 18 + row * 5, 1.5);
        c.fill(Paint::solid(Color::hex(0xc03020)));
    }
    c.translate(0, bob);
    walker_leg(c, hip, foot_at(phase), false);
    return c;
}

std::vector<Frame> walker() {
    std::vector<Frame> frames;
    constexpr int kFrames = 8;
    for (int i = 0; i < kFrames; ++i)
        frames.push_back({.image = walker_frame(double(i) / kFrames), .xoffset = -1, .yoffset = -8});
    return frames;
}

}  // namespace

void add_craft(worlds::World& world) {
    world.sprite("mountaincamohelicopter", camo_helicopter());
    world.sprite("hovertank", hover_tank());
    world.sprite("landwalker", walker());
}

}  // namespace mountain
