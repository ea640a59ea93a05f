// Cave fixtures: rusted dome turrets on the floor and roof, and the hatches
// the red ships come out of.
//
// Hatches stand on layer 0 (the ships they release move through the level's
// solid layer only where nothing blocks them). Floor hatch: a bunker 30 rows
// high whose doors open upward (frames 1 shut .. 6 open); it releases its
// ship at (x + 20, y), which rises 55 pixels from inside the bunker: stand it
// at y = floor surface - 30. Roof hatch: the same bunker hanging, top row at
// y - 1; its ship appears at (x + 20, y + 20) and sinks 60: hang it at
// y = roof surface.
#include <cmath>

#include "generator/art/prelude.h"
#include "generator/worlds/cave/cave.h"
#include "generator/worlds/common/turret.h"
#include "generator/worlds/common/sentinel.h"

namespace cave {

namespace {

worlds::TurretStyle turret_style() {
    const Look& k = look();
    worlds::TurretStyle s;
    s.dome = k.rust;
    s.barrel = k.steel;
    s.foot = k.rock;
    s.outline = k.outline;
    s.light = k.crystal_glow;
    s.barrel_length = 36;
    s.barrel_width = 7;
    return s;
}

constexpr int kHatchW = 66, kHatchH = 30;

// `open` 0..1; `hanging` draws the roof version (mirrored top to bottom).
Canvas hatch(double open, bool hanging) {
    const Look& k = look();
    Canvas c(kHatchW, kHatchH + 2);
    // The bunker: a low riveted dome on a stone footing.
    c.rect(3, 22, 60, 8);
    art::textured(c, k.rock, art::Noise(art::seed_of("cavehatchstone")), 0.2, 0.5);
    c.rect(3, 22, 60, 8);
    c.stroke(Paint::solid(k.outline), 1.0);
    const std::vector<Pt> shell = {{6, 23}, {10, 12}, {20, 8}, {46, 8}, {56, 12}, {60, 23}};
    c.polygon(shell);
    c.shade(k.steel, k.outline, 1.0, 110);
    for (double x = 12; x < 58; x += 8) {
        c.circle(x, 19, 1.1);
        c.fill(Paint::solid(k.steel.light));
    }
    // The mouth, and the two doors swinging up out of it.
    c.rect(18, 8, 30, 4);
    c.fill(Paint::solid(Color::hex(0x060404)));
    c.rect(18, 8.5, 30, 2.5);
    c.fill(Paint::solid(k.lava.with_alpha(0.6 * open)));
    const double a = open * 80 * 3.14159265358979 / 180;
    const double len = 15;
    for (int side = 0; side < 2; ++side) {
        const double hx = side == 0 ? 18 : 48;
        const double dir = side == 0 ? 1 : -1;
        const Pt tip{hx + dir * len * std::cos(a), 9 - len * std::sin(a)};
        c.line({hx, 9}, tip);
        c.stroke(Paint::solid(k.outline), 5.0);
        c.line({hx, 9}, tip);
        c.stroke(Paint::solid(k.hazard.mid), 3.0);
    }
    // Warning lamps.
    c.orb(8, 15, 2, Color{1, 1, 1}, open > 0.5 ? Color::hex(0xff3a20) : Color::hex(0x802010));
    c.orb(58, 15, 2, Color{1, 1, 1}, open > 0.5 ? Color::hex(0xff3a20) : Color::hex(0x802010));
    if (hanging) return c.flipped(false, true);
    return c;
}

std::vector<Frame> hatch_frames(bool hanging) {
    std::vector<Frame> frames;
    constexpr int kFrames = 6;
    for (int f = 0; f < kFrames; ++f)
        frames.push_back({.image = hatch(double(f) / (kFrames - 1), hanging), .yoffset = hanging ? -2 : 0});
    return frames;
}

}  // namespace

void add_fixtures(worlds::World& world) {
    const worlds::TurretStyle style = turret_style();
    world.sprite("cavecannonup",
                 worlds::turret_frames(worlds::kFloorTurret, worlds::floor_turret_angles(), worlds::dome_turret(style, false)));
    world.sprite("cavecannondown", worlds::turret_frames(worlds::kCeilingTurret, worlds::ceiling_turret_angles(),
                                                         worlds::dome_turret(style, true)));
    world.sprite("caveopenerup", hatch_frames(false));
    world.sprite("caveopenerdown", hatch_frames(true));
}


// The sentinels: rusted guns on rock roots, lava showing through the cracks.
void add_sentinels(worlds::World& world) {
    const Look& k = look();
    const worlds::SentinelStyle style{
        .mound = k.rock, .barrel = k.rust, .veins = k.lava, .eye = k.lava, .mouth = k.crystal_glow, .outline = k.outline};
    world.sprite("mountainbosscannonup", worlds::sentinel_frames(style, true));
    world.sprite("mountainbosscannondown", worlds::sentinel_frames(style, false));
}

}  // namespace cave
