// The space battleship and its eight cannons.
//
// The ship flies on the scenery layer with its cannons as children placed at
// fixed points of it: upper cannons at (43, 127), (227, 93), (377, 125),
// (551, 126) from its position, lower cannons at (97, 300), (228, 308),
// (375, 275), (555, 278). An upper cannon stands like a floor turret (foot 30
// rows below its position) and a lower one hangs like a ceiling turret (mount
// at its position). The hull fills rows 157 to 275; each cannon carries its
// own tower down to the deck or pylon up to the keel, so nothing but
// the cannons themselves stands between a ship and the next cannon: shots
// that would have struck a tower strike the cannon on it. The cannons' frames
// follow the direction tables of their behaviour: upper frames aim left,
// up-left, steeper, up, then round to right (8); lower frames aim left, then
// down-left through down (3) to right (7) and a little above right (8).
#include <cmath>

#include "generator/art/prelude.h"
#include "generator/worlds/common/turret.h"
#include "generator/worlds/space/space_art.h"

namespace space {

namespace {

constexpr int kLeft = -100, kTop = 86;  // the image's corner relative to the ship's position
constexpr int kWidth = 828, kHeight = 264;

// The hull fills the rows between the upper cannons' feet and the lower
// cannons' mounts (157 to 275) and nothing above or below them, so from the
// left only cannons stand in front of cannons. A tall hull also keeps a good
// part of the ship on screen at both ends of its sweep.
constexpr double kDeck = 157, kKeel = 275;

// Rows a tower climbs from the deck to the highest upper cannon's foot, and a
// pylon hangs from the keel to the lowest lower cannon's mount; one cannon
// picture serves every slot, so the shorter columns sink into the hull.
constexpr int kTowerRows = int(kDeck) - 123 + 6;
constexpr int kPylonRows = 308 - int(kKeel) + 6;

const std::vector<Pt>& hull_outline() {
    static const std::vector<Pt> pts{
        // A long ram at mid-height, a blunt bow, the deck, the keel.
        {-96, 216}, {-80, 206}, {-30, 200}, {-18, kDeck + 14}, {6, kDeck}, {660, kDeck}, {660, kKeel},
        {6, kKeel}, {-18, kKeel - 14}, {-30, 236}, {-80, 230}};
    return pts;
}

// Behind the last cannons the stern castle rises and sinks far beyond the
// hull (it shields nothing), so part of the ship stays in view at the screen's
// edges as it sweeps.
const std::vector<Pt>& stern_outline() {
    static const std::vector<Pt> pts{{646, 100}, {690, 92},  {700, 120}, {700, 316}, {690, 344},
                                     {646, 336}, {656, 300}, {656, 136}};
    return pts;
}

void hull(Canvas& c) {
    const Look& k = look();
    const Ramp plate{Color::hex(0x22243a), Color::hex(0x6a6f88), Color::hex(0xc8ccdc)};
    const Ramp dark{Color::hex(0x12121e), Color::hex(0x34364a), Color::hex(0x6a6e84)};

    // Engine exhaust at the stern.
    for (double y : {130.0, 216.0, 302.0}) {
        c.ellipse(712, y, 14, 9);
        c.fill(Paint::radial({698, y}, 0, 24, {{0, Color{1, 1, 1}}, {0.4, k.engine.lighter(0.4)}, {1, k.engine.with_alpha(0)}}));
    }

    // The stern castle, behind the hull's end.
    const std::vector<Pt>& stern = stern_outline();
    c.polygon(stern);
    c.fill(Paint::linear({646, 0}, {700, 0}, {{0, plate.light}, {0.4, plate.mid}, {1, dark.dark}}));
    {
        auto s = c.scoped();
        c.polygon(stern).clip();
        for (double y = 110; y < 330; y += 22) {
            c.rect(650, y, 50, 2);
            c.fill(Paint::solid(dark.dark.with_alpha(0.8)));
            c.rect(664, y + 7, 14, 4);
            c.fill(Paint::solid(Color::hex(0xffe890)));
        }
        c.rect(646, 96, 60, 6);
        c.fill(Paint::vertical(96, 102, {{0, k.red.light}, {1, k.red.dark}}));
        c.rect(646, 334, 60, 6);
        c.fill(Paint::vertical(334, 340, {{0, k.red.light}, {1, k.red.dark}}));
    }
    c.polygon(stern);
    c.stroke(Paint::solid(k.outline), 1.6);
    c.orb(690, 96, 3, Color{1, 1, 1}, k.red.mid);
    c.orb(690, 340, 3, Color{1, 1, 1}, Color::hex(0x40ff80));

    const std::vector<Pt>& body = hull_outline();
    c.polygon(body);
    c.fill(Paint::vertical(kDeck, kKeel, {{0, plate.light}, {0.25, plate.mid}, {0.6, plate.dark}, {1, dark.dark}}));
    {
        auto s = c.scoped();
        c.polygon(body).clip();
        // Armour belts: a dark lower hull and a lit upper deck edge.
        c.rect(-30, 236, 730, 50);
        c.fill(Paint::vertical(236, kKeel, {{0, dark.mid}, {1, dark.dark}}));
        c.rect(-30, kDeck, 730, 6);
        c.fill(Paint::vertical(kDeck, kDeck + 6, {{0, plate.light}, {1, plate.mid}}));
        // Plate seams.
        for (double y : {180.0, 204.0, 236.0, 256.0}) c.line({-30, y}, {700, y});
        for (int x = 40; x < 660; x += 38) c.line({double(x), kDeck}, {double(x), kKeel});
        c.stroke(Paint::solid(dark.dark.with_alpha(0.7)), 1.0, false);
        for (double y : {181.0, 205.0, 237.0}) c.line({-30, y}, {700, y});
        c.stroke(Paint::solid(plate.light.with_alpha(0.35)), 1.0, false);
        // A red band with chevrons along the ram.
        c.polygon({{-100, 209}, {150, 209}, {160, 217}, {-100, 217}});
        c.fill(Paint::vertical(209, 217, {{0, k.red.light}, {1, k.red.dark}}));
        for (int i = 0; i < 4; ++i) {
            const double x = 36 + i * 16;
            c.polygon({{x, 220}, {x + 8, 228}, {x, 236}, {x + 5, 236}, {x + 13, 228}, {x + 5, 220}});
        }
        c.fill(Paint::solid(Color::hex(0xf0d040)));
        // Decks of lit windows.
        art::Random random(art::seed_of("spaceboss windows"));
        for (double y : {168.0, 188.0, 192.0, 222.0, 226.0}) {
            for (double x = 170; x < 640; x += 9) {
                if (random.chance(0.25)) continue;
                c.rect(x, y, 4, 3);
                c.fill(Paint::solid(random.chance(0.7) ? Color::hex(0xffe890) : Color::hex(0x90e8ff)));
            }
        }
        // The bridge: a long glass band under the deck edge, forward.
        c.rounded_rect(20, 166, 110, 10, 3);
        c.fill_outlined(Paint::vertical(166, 176, {{0, k.glass.light}, {1, k.glass.dark}}), k.outline, 1.0);
        c.line({24, 169.5}, {126, 169.5});
        c.stroke(Paint::solid(Color{1, 1, 1, 0.6}), 1.0, false);
        // Hangar bays and vents along the lower hull.
        for (double x = 120; x < 600; x += 120) {
            c.rounded_rect(x, 242, 44, 22, 2);
            c.fill_outlined(Paint::vertical(242, 264, {{0, Color::hex(0x05060c)}, {1, Color::hex(0x1a2030)}}), k.outline, 1.0);
            c.rect(x + 4, 246, 36, 2);
            c.fill(Paint::solid(k.engine.with_alpha(0.5)));
        }
        for (double x = 90; x < 620; x += 60) {
            for (int i = 0; i < 4; ++i) c.rect(x + i * 5, 268, 3, 5);
        }
        c.fill(Paint::solid(Color::hex(0x0a0a12)));
    }
    c.polygon(body);
    c.stroke(Paint::solid(k.outline), 1.6);
    // A bright rim along the top line.
    c.polyline({{-80, 207.5}, {-30, 201.5}});
    c.polyline({{-16, kDeck + 14}, {6, kDeck + 1.5}, {628, kDeck + 1.5}});
    c.stroke(Paint::solid(Color{1, 1, 1, 0.6}), 1.0);
    // Running lights along the deck and the keel.
    for (double x = 130; x < 640; x += 48) {
        c.orb(x, kDeck + 10, 1.8, Color{1, 1, 1}, k.red.mid);
        c.orb(x + 20, kKeel - 4, 1.8, Color{1, 1, 1}, Color::hex(0x40ff80));
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

// A cannon on its column: a tower under an upper one (from its foot plate
// down), a pylon over a lower one (from the image's top to its mount).
worlds::TurretPainter on_column(bool ceiling) {
    const worlds::TurretPainter turret = worlds::dome_turret(cannon_style(), ceiling);
    return [turret, ceiling](Canvas& c, double px, double py, double angle) {
        const Look& k = look();
        const Ramp plate{Color::hex(0x22243a), Color::hex(0x6a6f88), Color::hex(0xc8ccdc)};
        const double top = ceiling ? -1 : py + 14 + 8, bottom = ceiling ? py - 14 - 8 : c.height() + 1;
        c.rect(px - 22, top, 44, bottom - top);
        c.fill_outlined(Paint::linear({px - 22, 0}, {px + 22, 0}, {{0, plate.light}, {0.35, plate.mid}, {1, plate.dark}}),
                        k.outline, 1.2);
        // Hazard bands and a row of ports down the column.
        const double band = ceiling ? bottom - 7 : top + 2;
        c.rect(px - 21, band, 42, 5);
        c.fill(Paint::vertical(band, band + 5, {{0, k.red.light}, {1, k.red.dark}}));
        for (double y = (ceiling ? top + 8 : top + 14); y < (ceiling ? bottom - 12 : bottom - 8); y += 11) {
            c.rect(px - 3, y, 6, 4);
            c.fill(Paint::solid(Color::hex(0x90e8ff)));
        }
        turret(c, px, py, angle);
    };
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
    art::FrameBox tower = worlds::kFloorTurret;
    tower.height += kTowerRows;
    art::FrameBox pylon = worlds::kCeilingTurret;
    pylon.height += kPylonRows;
    pylon.yoffset -= kPylonRows;
    pylon.origin_y += kPylonRows;
    world.sprite("spacebosscannonup", worlds::turret_frames(tower, upper, on_column(false)));
    world.sprite("spacebosscannondown", worlds::turret_frames(pylon, lower, on_column(true)));
}

}  // namespace space
