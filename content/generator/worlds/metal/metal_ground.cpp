// The metal world's ground units and fittings.
//
// silvercannonup / silvercannondown: the shared turret frames (common/turret.h).
// radarup / radardown: a dish turning to and fro (8 frames, played back and
// forth); up stands on the floor with its foot at row 64, down hangs from row 0.
// metalopenerup / metalopenerdown: hatches whose doors open over 12 frames
// (1..3 shut, 11..12 wide open); a fighter leaves on the second frame wide
// open, from (x + 20, y) rising or (x + 20, y + 10) sinking, so the housing
// (90 x 34, foot at row 34 / top at row 0) hides it at first.
// crusher: one master for three pieces: frame 1 the housing (88 x 22) that
// hangs from the roof, frame 2 the press head spawned at (x + 15, y + 24),
// frame 3 a 7-row piece of piston rod spawned at (head x + 23, head y - 7)
// behind the head on every stroke down. Head and rod hurt like shots.
// landwalker: a walking gun on two legs, 6 frames of stride; it stands on its
// feet (row 57) and fires from (x - 5, y + 10), its cannon's mouth.
#include <cmath>

#include "generator/art/prelude.h"
#include "generator/worlds/common/turret.h"
#include "generator/worlds/metal/metal_art.h"

namespace metal {

namespace {

// ---- radar ----

// hang mirrors it top to bottom; the light still comes from above.
void radar(Canvas& c, int frame, bool hang) {
    const Look& k = look();
    auto s = c.scoped();
    if (hang) {
        c.translate(0, 64);
        c.scale(1, -1);
    }
    const double light = hang ? 250 : 110;
    // Foot and mast.
    c.rounded_rect(10, 56, 36, 8, 2);
    c.shade(k.dark, k.outline, 1.0, light);
    c.polygon({{22, 57}, {25, 30}, {31, 30}, {34, 57}});
    c.shade(k.steel, k.outline, 1.0, light);
    hazard_band(c, 22, 50, 12, 5);
    c.rect(22, 50, 12, 5);
    c.stroke(Paint::solid(k.outline), 1.0);
    // The dish turns about the mast: seen from the side it narrows and
    // shows its back or its face.
    const double a = (frame / 7.0 - 0.5) * 0.9 * kPi;  // -81..81 degrees
    const double width = 24 * std::cos(a) + 3;
    const double lean = 10 * std::sin(a);
    c.ellipse(28 + lean * 0.3, 18, width, 12);
    c.shade(std::sin(a) > 0 ? k.steel : Ramp{k.steel.dark, k.steel.mid, k.steel.light.mixed(k.lamp, 0.2)}, k.outline,
            1.0, light);
    c.ellipse(28 + lean * 0.3, 18, width * 0.62, 7);
    c.fill(Paint::solid(k.steel.dark.with_alpha(0.5)));
    // Feed horn in front of the dish.
    c.line({28 + lean * 0.3, 18}, {28 + lean * 1.6, 8});
    c.stroke(Paint::solid(k.outline), 2.4);
    c.orb(28 + lean * 1.6, 8, 2.4, Color{1, 1, 1}, k.lamp);
    c.rect(25, 26, 6, 5);
    c.fill_outlined(Paint::solid(k.dark.mid), k.outline, 1.0);
}

// ---- hatches ----

// open 0..1; hang puts the housing against the roof and opens downwards.
void hatch(Canvas& c, double open, int frame, bool hang) {
    const Look& k = look();
    auto s = c.scoped();
    // Drawn as a floor hatch whose housing spans rows 0..34 below (0, 0).
    if (hang) {
        c.translate(0, 34);
        c.scale(1, -1);
    } else {
        c.translate(0, 48);
    }
    const double light = hang ? 250 : 110;
    // Housing.
    c.polygon({{0, 34}, {2, 4}, {88, 4}, {90, 34}});
    c.shade(k.steel, k.outline, 1.0, light);
    {
        auto clip = c.scoped();
        c.polygon({{0, 34}, {2, 4}, {88, 4}, {90, 34}}).clip();
        hazard_band(c, 0, 26, 90, 6);
        for (double x : {8.0, 82.0})
            for (double y : {10.0, 20.0}) {
                c.circle(x, y, 1.4);
                c.fill(Paint::solid(k.steel.light));
            }
    }
    // The shaft inside, lit by a warning lamp once the doors part.
    c.rect(10, 0, 70, 6);
    c.fill_outlined(Paint::solid(Color::hex(0x06070a)), k.outline, 1.0);
    if (open > 0.05) {
        const bool lit = frame % 2 == 0;
        c.orb(45, 3, 2.6, Color{1, 1, 1}, lit ? k.lamp : k.red.dark);
    }
    // Two doors hinged at the shaft's ends, swinging up and out.
    const double angle = open * 100.0;
    for (int side = 0; side < 2; ++side) {
        auto d = c.scoped();
        const double hx = side == 0 ? 8 : 82;
        c.translate(hx, 2);
        c.rotate_deg(side == 0 ? -angle : angle);
        const double dir = side == 0 ? 1 : -1;
        c.rect(side == 0 ? 0 : -37, -3, 37, 5);
        c.shade(k.dark, k.outline, 1.0, light);
        c.rect(side == 0 ? 2 : -35, -2, 33, 2);
        c.fill(Paint::solid(k.hazard.mid));
        c.circle(0, 0, 2.6);
        c.fill_outlined(Paint::solid(k.steel.mid), k.outline, 1.0);
        (void)dir;
    }
}

// ---- crusher ----

Canvas crusher_housing() {
    const Look& k = look();
    Canvas c(88, 22);
    c.rect(6, 0, 76, 14);
    c.shade(k.dark, k.outline);
    hazard_band(c, 7, 2, 74, 5);
    c.rect(6, 0, 76, 14);
    c.stroke(Paint::solid(k.outline), 1.0);
    c.polygon({{0, 12}, {88, 12}, {82, 21}, {6, 21}});
    c.shade(k.steel, k.outline);
    c.rect(36, 15, 16, 6);
    c.fill(Paint::solid(Color::hex(0x06070a)));
    for (double x : {14.0, 74.0}) c.orb(x, 16.5, 2.2, Color{1, 1, 1}, k.lamp);
    return c;
}

Canvas crusher_head() {
    const Look& k = look();
    Canvas c(58, 26);
    c.rect(23, 0, 12, 4);
    c.shade(k.steel, k.outline);
    c.rounded_rect(2, 3, 54, 15, 2);
    c.shade(k.steel, k.outline);
    hazard_band(c, 3, 8, 52, 5);
    c.rounded_rect(2, 3, 54, 15, 2);
    c.stroke(Paint::solid(k.outline), 1.0);
    // Teeth.
    std::vector<Pt> teeth{{2, 17}};
    for (int i = 0; i < 9; ++i) {
        teeth.push_back({4 + i * 6.0, 25});
        teeth.push_back({7 + i * 6.0, 17});
    }
    teeth.push_back({56, 17});
    c.polygon(teeth);
    c.shade(Ramp{k.steel.dark, k.steel.light, Color{1, 1, 1}}, k.outline, 1.0, 100);
    return c;
}

Canvas crusher_rod() {
    const Look& k = look();
    Canvas c(12, 7);
    c.rect(1.5, -1, 9, 9);
    c.fill(Paint::linear({1.5, 0}, {10.5, 0}, {{0, k.steel.light}, {0.35, Color{1, 1, 1}}, {1, k.steel.dark}}));
    c.line({1.5, -1}, {1.5, 8});
    c.line({10.5, -1}, {10.5, 8});
    c.stroke(Paint::solid(k.outline), 1.0, false);
    return c;
}

// ---- land walker ----

// A leg from the hip through a backward knee to a flat foot; t 0..1 is the
// stride phase of this leg.
void walker_leg(Canvas& c, double hip_x, double hip_y, double t, const Ramp& ramp, const Color& outline) {
    // Foot on the ground for the first half, lifted and swung forward after.
    const double stance = t < 0.5;
    const double foot_x = stance ? hip_x + 12 - 48 * t : hip_x - 12 + 48 * (t - 0.5);
    const double foot_y = stance ? 56 : 56 - 7 * std::sin((t - 0.5) * 2 * kPi);
    const double knee_x = (hip_x + foot_x) / 2 + 9, knee_y = (hip_y + foot_y) / 2 + 1;
    c.polyline({{hip_x, hip_y}, {knee_x, knee_y}, {foot_x, foot_y - 3}});
    c.stroke(Paint::solid(outline), 6.4);
    c.polyline({{hip_x, hip_y}, {knee_x, knee_y}, {foot_x, foot_y - 3}});
    c.stroke(Paint::solid(ramp.mid), 4.2);
    c.circle(knee_x, knee_y, 3);
    c.shade(ramp, outline);
    c.polygon({{foot_x - 7, foot_y}, {foot_x - 4, foot_y - 4}, {foot_x + 5, foot_y - 4}, {foot_x + 8, foot_y}});
    c.shade(ramp, outline);
}

void land_walker(Canvas& c, int frame) {
    const Look& k = look();
    const double t = frame / 6.0;
    const double bob = 1.5 * std::abs(std::sin(t * 2 * kPi));
    // Far leg, darker.
    walker_leg(c, 30, 32 - bob, std::fmod(t + 0.5, 1.0), k.dark, k.outline);
    // Cab.
    const std::vector<Pt> cab{{8, 10 - bob}, {16, 2 - bob}, {46, 2 - bob}, {54, 12 - bob}, {50, 30 - bob}, {14, 30 - bob}};
    c.polygon(cab);
    c.shade(k.rust, k.outline, 1.0, 105);
    {
        auto s = c.scoped();
        c.polygon(cab).clip();
        hazard_band(c, 0, 24 - bob, 60, 5);
        c.line({30, 0}, {30, 30});
        c.stroke(Paint::solid(k.rust.dark), 0.8, false);
    }
    // Cannon, pointing ahead.
    c.rect(-1, 7 - bob, 18, 6);
    c.shade(k.dark, k.outline);
    c.rect(-1, 6 - bob, 4, 8);
    c.shade(k.dark, k.outline);
    // Visor.
    c.polygon({{18, 6 - bob}, {40, 6 - bob}, {42, 12 - bob}, {20, 12 - bob}});
    c.fill_outlined(Paint::vertical(6, 12, {{0, Color::hex(0xffe080)}, {1, k.lamp}}), k.outline, 1.0);
    c.highlight(28, 4 - bob, 8, 1.4, 0.5);
    // Near leg.
    walker_leg(c, 32, 32 - bob, t, k.steel, k.outline);
}

worlds::TurretStyle silver_turret() {
    const Look& k = look();
    worlds::TurretStyle s;
    s.dome = k.steel;
    s.barrel = k.dark;
    s.foot = Ramp{k.hazard.dark, k.hazard.mid, k.hazard.light};
    s.outline = k.outline;
    s.light = Color::hex(0xff3a20);
    return s;
}

}  // namespace

void add_ground(worlds::World& world) {
    world.sprite("silvercannonup", worlds::turret_frames(worlds::kFloorTurret, worlds::floor_turret_angles(),
                                                         worlds::dome_turret(silver_turret(), false)));
    world.sprite("silvercannondown", worlds::turret_frames(worlds::kCeilingTurret, worlds::ceiling_turret_angles(),
                                                           worlds::dome_turret(silver_turret(), true)));
    world.sprite("radarup",
                 art::frames_of({.width = 56, .height = 66}, 8, [](Canvas& c, int i) { radar(c, i, false); }));
    world.sprite("radardown",
                 art::frames_of({.width = 56, .height = 66}, 8, [](Canvas& c, int i) { radar(c, i, true); }));
    const auto opening = [](int i) { return std::clamp((i - 2) / 8.0, 0.0, 1.0); };
    world.sprite("metalopenerup", art::frames_of({.width = 92, .height = 84, .yoffset = -48}, 12,
                                                 [&](Canvas& c, int i) { hatch(c, opening(i), i, false); }));
    world.sprite("metalopenerdown", art::frames_of({.width = 92, .height = 84}, 12,
                                                   [&](Canvas& c, int i) { hatch(c, opening(i), i, true); }));
    std::vector<art::Frame> crusher;
    crusher.push_back({crusher_housing(), 0, 0});
    crusher.push_back({crusher_head(), 0, 0});
    crusher.push_back({crusher_rod(), 0, 0});
    world.sprite("crusher", crusher);
    world.sprite("landwalker", art::frames_of({.width = 60, .height = 60}, 6, land_walker));
}

}  // namespace metal
