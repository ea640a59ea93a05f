// The space battleship and its eight cannons.
//
// The ship flies on the scenery layer with its cannons as children placed at
// fixed points of it: upper cannons at (43, 127), (227, 93), (377, 125),
// (551, 126) from its position, lower cannons at (97, 300), (228, 308),
// (375, 275), (555, 278). An upper cannon stands like a floor turret (foot 30
// rows below its position) and a lower one hangs like a ceiling turret (mount
// at its position), so the deck runs at 157, 123 (the bridge), 155, 156 and the
// keel at 300, 308, 275, 278 under those points: they stand on towers and
// hang from pylons on a slimmer spine, so a ship can fly in close to them. The cannons' frames follow
// the direction tables of their behaviour: upper frames aim left, up-left,
// steeper, up, then round to right (8); lower frames aim left, then down-left
// through down (3) to right (7) and a little above right (8).
#include <cmath>

#include "generator/worlds/common/turret.h"
#include "generator/worlds/space/space_art.h"

namespace space {

using art::Canvas;
using art::Color;
using art::Paint;
using art::Pt;
using art::Ramp;

namespace {

constexpr int kLeft = -24, kTop = 40;  // the image's corner relative to the ship's position
constexpr int kWidth = 704, kHeight = 292;

// The spine of the ship runs from row 185 to row 250; towers rise from it to
// the upper cannons' feet and pylons hang from it to the lower cannons' mounts.
constexpr double kSpineTop = 185, kSpineBottom = 250;

const std::vector<Pt>& hull_outline() {
    static const std::vector<Pt> pts{
        // Prow and top line with the towers (feet of the upper cannons at 83, 267, 417, 591).
        {-18, 222}, {0, 205},   {30, 190},  {50, kSpineTop}, {56, kSpineTop}, {60, 157},  {108, 157},
        {112, kSpineTop}, {204, kSpineTop}, {212, 140}, {228, 123}, {306, 123}, {320, 140}, {328, kSpineTop},
        {388, kSpineTop}, {392, 155}, {442, 155}, {446, kSpineTop}, {562, kSpineTop}, {566, 156}, {614, 156},
        {620, 168}, {662, 170},
        // Stern.
        {666, 240}, {652, kSpineBottom},
        // Keel with the pylons (mounts of the lower cannons at 137, 268, 415, 595).
        {622, kSpineBottom}, {618, 278}, {572, 278}, {568, kSpineBottom}, {442, kSpineBottom}, {438, 275},
        {392, 275}, {388, kSpineBottom}, {296, kSpineBottom}, {290, 308}, {246, 308}, {240, kSpineBottom},
        {164, kSpineBottom}, {160, 300}, {114, 300}, {110, kSpineBottom}, {50, 248}, {20, 238}};
    return pts;
}

void hull(Canvas& c) {
    const Look& k = look();
    const Ramp plate{Color::hex(0x22243a), Color::hex(0x6a6f88), Color::hex(0xc8ccdc)};
    const Ramp dark{Color::hex(0x12121e), Color::hex(0x34364a), Color::hex(0x6a6e84)};

    // Antenna mast on the bridge, behind the hull.
    c.polyline({{262, 124}, {262, 76}});
    c.stroke(Paint::solid(k.outline), 4);
    c.polyline({{262, 124}, {262, 76}});
    c.stroke(Paint::solid(plate.mid), 2);
    c.polyline({{246, 96}, {278, 96}});
    c.stroke(Paint::solid(k.outline), 3);
    c.polyline({{246, 96}, {278, 96}});
    c.stroke(Paint::solid(plate.light), 1.2);
    c.orb(262, 74, 3, Color{1, 1, 1}, k.red.mid);

    // Engine exhaust at the stern.
    for (double y : {188.0, 212.0, 236.0}) {
        c.ellipse(682, y, 14, 8);
        c.fill(Paint::radial({668, y}, 0, 24, {{0, Color{1, 1, 1}}, {0.4, k.engine.lighter(0.4)}, {1, k.engine.with_alpha(0)}}));
    }

    const std::vector<Pt>& body = hull_outline();
    c.polygon(body);
    c.fill(Paint::vertical(120, 310, {{0, plate.light}, {0.3, plate.mid}, {0.62, plate.dark}, {1, dark.dark}}));
    {
        auto s = c.scoped();
        c.polygon(body).clip();
        // Lower armour band and the pylons, darker.
        c.rect(-30, 232, 730, 90);
        c.fill(Paint::vertical(232, 310, {{0, dark.mid}, {1, dark.dark}}));
        // Plate seams.
        for (double y : {196.0, 222.0}) c.line({-30, y}, {700, y});
        for (int x = 40; x < 660; x += 38) c.line({double(x), 120}, {double(x), 320});
        c.stroke(Paint::solid(dark.dark.with_alpha(0.7)), 1.0, false);
        for (double y : {197.0, 223.0}) c.line({-30, y}, {700, y});
        c.stroke(Paint::solid(plate.light.with_alpha(0.35)), 1.0, false);
        // Hazard-red caps on the towers.
        for (const Pt& t : std::vector<Pt>{{60, 157}, {392, 155}, {566, 156}}) {
            c.rect(t.x, t.y, 50, 5);
            c.fill(Paint::vertical(t.y, t.y + 5, {{0, k.red.light}, {1, k.red.dark}}));
        }
        // A red band with chevrons at the prow.
        c.polygon({{-30, 203}, {120, 203}, {130, 211}, {-30, 211}});
        c.fill(Paint::vertical(203, 211, {{0, k.red.light}, {1, k.red.dark}}));
        for (int i = 0; i < 4; ++i) {
            const double x = 30 + i * 16;
            c.polygon({{x, 214}, {x + 8, 222}, {x, 230}, {x + 5, 230}, {x + 13, 222}, {x + 5, 214}});
        }
        c.fill(Paint::solid(Color::hex(0xf0d040)));
        // Rows of lit windows along the spine.
        art::Random random(art::seed_of("spaceboss windows"));
        for (int row = 0; row < 2; ++row) {
            const double y = 203 + row * 12;
            for (double x = 150; x < 640; x += 9) {
                if (random.chance(0.22)) continue;
                c.rect(x, y, 4, 3);
                c.fill(Paint::solid(random.chance(0.7) ? Color::hex(0xffe890) : Color::hex(0x90e8ff)));
            }
        }
        // The bridge's glass band.
        c.rect(228, 132, 78, 9);
        c.fill(Paint::vertical(132, 141, {{0, k.glass.light}, {1, k.glass.dark}}));
        c.line({228, 136}, {306, 136});
        c.stroke(Paint::solid(Color{1, 1, 1, 0.6}), 1.0, false);
        // Vents along the lower band.
        for (double x = 80; x < 620; x += 60) {
            for (int i = 0; i < 4; ++i) c.rect(x + i * 5, 236, 3, 10);
        }
        c.fill(Paint::solid(Color::hex(0x0a0a12)));
        // Stern engine housings.
        for (double y : {178.0, 202.0, 226.0}) {
            c.rounded_rect(630, y, 36, 20, 3);
            c.shade(dark, k.outline, 1.0);
            c.rect(660, y + 4, 6, 12);
            c.fill(Paint::solid(k.engine.lighter(0.5)));
        }
    }
    c.polygon(body);
    c.stroke(Paint::solid(k.outline), 1.6);
    // A bright rim along the top line.
    c.polyline({{-4, 205}, {30, 191.5}, {50, kSpineTop + 1.5}, {56, kSpineTop + 1.5}});
    c.polyline({{60, 158.5}, {108, 158.5}});
    c.polyline({{112, kSpineTop + 1.5}, {204, kSpineTop + 1.5}});
    c.polyline({{228, 124.5}, {306, 124.5}});
    c.polyline({{328, kSpineTop + 1.5}, {388, kSpineTop + 1.5}});
    c.polyline({{392, 156.5}, {442, 156.5}});
    c.polyline({{446, kSpineTop + 1.5}, {562, kSpineTop + 1.5}});
    c.polyline({{566, 157.5}, {614, 157.5}});
    c.stroke(Paint::solid(Color{1, 1, 1, 0.6}), 1.0);
    // Running lights along the spine.
    for (double x = 130; x < 640; x += 48) {
        c.orb(x, kSpineTop + 4, 1.8, Color{1, 1, 1}, k.red.mid);
        c.orb(x + 20, kSpineBottom - 4, 1.8, Color{1, 1, 1}, Color::hex(0x40ff80));
    }
    // Mounting rings where the cannons sit.
    for (const Pt& p : std::vector<Pt>{{84, 157}, {268, 123}, {418, 155}, {592, 156}}) {
        c.ellipse(p.x, p.y, 30, 4);
        c.shade(dark, k.outline, 1.0);
    }
    for (const Pt& p : std::vector<Pt>{{138, 300}, {269, 308}, {416, 275}, {596, 278}}) {
        c.ellipse(p.x, p.y, 30, 4);
        c.shade(dark, k.outline, 1.0);
    }
}

worlds::TurretStyle cannon_style() {
    const Look& k = look();
    worlds::TurretStyle s;
    s.dome = Ramp{Color::hex(0x3a0c14), Color::hex(0x9a2430), Color::hex(0xff9a90)};
    s.barrel = k.gunmetal;
    s.foot = Ramp{Color::hex(0x1a1a26), Color::hex(0x44485c), Color::hex(0x8a90a6)};
    s.outline = k.outline;
    s.light = Color::hex(0xffe040);
    s.barrel_length = 36;
    s.barrel_width = 10;
    // Broad domes: the cannons are the only parts of the ship that take hits.
    s.dome_width = 28;
    s.dome_height = 26;
    return s;
}

}  // namespace

void add_boss(worlds::World& world) {
    Canvas c(kWidth, kHeight);
    {
        auto s = c.scoped();
        c.translate(-kLeft, -kTop);
        hull(c);
    }
    world.sprite("spaceboss", std::move(c), kLeft, kTop);

    const double d = 22.5;
    const std::vector<double> upper{180, 180 + 1.5 * d, 180 + 3 * d, 270, 270 + d, 315, 315 + d, 360};
    const std::vector<double> lower{180, 90 + d, 90, 90 - d, 45, d, 0, -d / 2};
    world.sprite("spacebosscannonup",
                 worlds::turret_frames(worlds::kFloorTurret, upper, worlds::dome_turret(cannon_style(), false)));
    world.sprite("spacebosscannondown",
                 worlds::turret_frames(worlds::kCeilingTurret, lower, worlds::dome_turret(cannon_style(), true)));
}

}  // namespace space
