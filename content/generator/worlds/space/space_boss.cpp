// The space battleship and its eight cannons.
//
// The ship flies on the scenery layer with its cannons as children placed at
// fixed points of it: upper cannons at (43, 127), (227, 93), (377, 125),
// (551, 126) from its position, lower cannons at (97, 300), (228, 308),
// (375, 275), (555, 278). An upper cannon stands like a floor turret (foot 30
// rows below its position) and a lower one hangs like a ceiling turret (mount
// at its position). The hull (solid to shots, rows 157 to 268) lies between
// the two rows of cannons.
//
// Its sweep carries it along the top of the screen (position y -205, rows
// 205 and down of the ship in view) and back along the bottom (y 215, rows
// up to 201 in view); it comes in at the height of the top run. The upper
// cannons stand on barbettes that reach down into the hull and are fought on
// the bottom run. Each lower cannon hangs from a tower that rises through
// the hull to 170 rows above its mount, so it can be fought on both runs:
// its turret under the keel on the top run, its tower above the deck on the
// bottom run. Tower and barbette are the cannon's own picture, so a shot into
// them counts where no hull stands before them; the pictures of
// neighbouring cannons never overlap, so one shot hits one cannon.
//
// Coming in along the top, the upper cannons stay above the screen (below
// row 191 of the ship nothing of them is drawn), out of reach of every shot
// and blast: whatever is shot on the way in, cannons are left when the ship
// arrives to stop the level (with none left it would never stop it).
//
// The cannons' frames follow the direction tables of their behaviour: upper
// frames aim left, up-left, steeper, up, then round to right (8); lower frames
// aim left, then down-left through down (3) to right (7) and a little above
// right (8).
#include <cmath>

#include "generator/art/prelude.h"
#include "generator/worlds/common/turret.h"
#include "generator/worlds/space/space_art.h"

namespace space {

namespace {

constexpr int kLeft = -112, kTop = 22;  // the ship image's corner relative to the ship's position
constexpr int kWidth = 892, kHeight = 416;

constexpr double kDeck = 157, kKeel = 268;
// The stern castle, beyond the last cannon's tower: it shields nothing, so it
// rises and sinks far beyond the hull and keeps part of the ship in view at
// the screen's edges as it sweeps.
constexpr double kSternLeft = 684, kSternRight = 748, kSternTop = 30, kSternBottom = 432;

// An upper cannon's barbette (from its position): a block under the turret
// down into the hull (the highest cannon's reaches the deck).
constexpr double kBarbetteLeft = -16, kBarbetteRight = 70, kBarbetteTop = 22, kBarbetteBottom = 64;
// A lower cannon's tower (from its position), right of its turret.
constexpr double kTowerLeft = 84, kTowerRight = 110, kTowerTop = -170;

const Ramp& plate() {
    static const Ramp r{Color::hex(0x22243a), Color::hex(0x6a6f88), Color::hex(0xc8ccdc)};
    return r;
}
const Ramp& dark_plate() {
    static const Ramp r{Color::hex(0x12121e), Color::hex(0x34364a), Color::hex(0x6a6e84)};
    return r;
}

// Rows of lit windows inside the current clip.
void windows(Canvas& c, double x0, double x1, const std::vector<double>& rows, const char* seed) {
    art::Random random(art::seed_of(seed));
    for (double y : rows)
        for (double x = x0; x < x1; x += 9) {
            if (random.chance(0.25)) continue;
            c.rect(x, y, 4, 3);
            c.fill(Paint::solid(random.chance(0.7) ? Color::hex(0xffe890) : Color::hex(0x90e8ff)));
        }
}

const std::vector<Pt>& hull_outline() {
    static const std::vector<Pt> pts{
        // A long ram at mid-height, a blunt bow, the deck, the keel.
        {-108, 206}, {-86, 198}, {-34, 194}, {-18, kDeck + 14}, {6, kDeck}, {kSternLeft + 4, kDeck},
        {kSternLeft + 4, kKeel}, {6, kKeel}, {-18, kKeel - 18}, {-34, 222}, {-86, 214}};
    return pts;
}

void stern(Canvas& c) {
    const Look& k = look();
    for (double y : {70.0, 150.0, 212.0, 274.0, 392.0}) {
        c.ellipse(kSternRight + 14, y, 16, 9);
        c.fill(Paint::radial({kSternRight, y}, 0, 26,
                             {{0, Color{1, 1, 1}}, {0.4, k.engine.lighter(0.4)}, {1, k.engine.with_alpha(0)}}));
    }
    const std::vector<Pt> outline{{kSternLeft, kSternTop + 14},    {kSternLeft + 16, kSternTop},
                                  {kSternRight - 6, kSternTop},    {kSternRight, kSternTop + 10},
                                  {kSternRight, kSternBottom - 10}, {kSternRight - 6, kSternBottom},
                                  {kSternLeft + 16, kSternBottom}, {kSternLeft, kSternBottom - 14}};
    c.polygon(outline);
    c.fill(Paint::linear({kSternLeft, 0}, {kSternRight, 0}, {{0, plate().light}, {0.35, plate().mid}, {1, dark_plate().dark}}));
    {
        auto s = c.scoped();
        c.polygon(outline).clip();
        for (double y = kSternTop + 20; y < kSternBottom; y += 22) {
            c.rect(kSternLeft, y, kSternRight - kSternLeft, 2);
            c.fill(Paint::solid(dark_plate().dark.with_alpha(0.8)));
        }
        std::vector<double> rows;
        for (double y = kSternTop + 28; y < kSternBottom - 12; y += 22) rows.push_back(y);
        windows(c, kSternLeft + 10, kSternRight - 14, rows, "spaceboss stern");
        for (double y : {kSternTop + 6, kSternBottom - 12}) {
            c.rect(kSternLeft, y, kSternRight - kSternLeft, 6);
            c.fill(Paint::vertical(y, y + 6, {{0, k.red.light}, {1, k.red.dark}}));
        }
        c.rounded_rect(kSternLeft + 18, kSternTop + 14, 30, 7, 2);
        c.fill_outlined(Paint::vertical(kSternTop + 14, kSternTop + 21, {{0, k.glass.light}, {1, k.glass.dark}}),
                        k.outline, 1.0);
    }
    c.polygon(outline);
    c.stroke(Paint::solid(k.outline), 1.6);
    for (double y : {70.0, 150.0, 212.0, 274.0, 392.0}) {
        c.rounded_rect(kSternRight - 2, y - 10, 10, 20, 3);
        c.shade(k.gunmetal, k.outline, 1.0);
    }
    c.orb(kSternLeft + 30, kSternTop + 1, 3, Color{1, 1, 1}, k.red.mid);
    c.orb(kSternLeft + 30, kSternBottom - 1, 3, Color{1, 1, 1}, Color::hex(0x40ff80));
}

void hull(Canvas& c) {
    const Look& k = look();
    stern(c);

    const std::vector<Pt>& body = hull_outline();
    c.polygon(body);
    c.fill(Paint::vertical(kDeck, kKeel, {{0, plate().light}, {0.25, plate().mid}, {0.6, plate().dark}, {1, dark_plate().dark}}));
    {
        auto s = c.scoped();
        c.polygon(body).clip();
        // Armour belts: a dark lower hull and a lit upper deck edge.
        c.rect(-30, 230, kSternLeft + 40, kKeel - 230);
        c.fill(Paint::vertical(230, kKeel, {{0, dark_plate().mid}, {1, dark_plate().dark}}));
        c.rect(-30, kDeck, kSternLeft + 40, 6);
        c.fill(Paint::vertical(kDeck, kDeck + 6, {{0, plate().light}, {1, plate().mid}}));
        // Plate seams.
        for (double y : {180.0, 202.0, 230.0, 250.0}) c.line({-40, y}, {kSternLeft + 4, y});
        for (int x = 40; x < kSternLeft; x += 38) c.line({double(x), kDeck}, {double(x), kKeel});
        c.stroke(Paint::solid(dark_plate().dark.with_alpha(0.7)), 1.0, false);
        for (double y : {181.0, 203.0, 231.0}) c.line({-40, y}, {kSternLeft + 4, y});
        c.stroke(Paint::solid(plate().light.with_alpha(0.35)), 1.0, false);
        // A red band with chevrons along the ram.
        c.polygon({{-110, 202}, {150, 202}, {160, 210}, {-110, 210}});
        c.fill(Paint::vertical(202, 210, {{0, k.red.light}, {1, k.red.dark}}));
        for (int i = 0; i < 4; ++i) {
            const double x = -60 + i * 16;
            c.polygon({{x, 212}, {x + 7, 218}, {x, 224}, {x + 5, 224}, {x + 12, 218}, {x + 5, 212}});
        }
        c.fill(Paint::solid(Color::hex(0xf0d040)));
        windows(c, 170, kSternLeft - 10, {168.0, 188.0, 192.0, 214.0, 218.0}, "spaceboss windows");
        // The bridge: a long glass band under the deck edge, forward.
        c.rounded_rect(-10, 166, 120, 10, 3);
        c.fill_outlined(Paint::vertical(166, 176, {{0, k.glass.light}, {1, k.glass.dark}}), k.outline, 1.0);
        c.line({-6, 169.5}, {106, 169.5});
        c.stroke(Paint::solid(Color{1, 1, 1, 0.6}), 1.0, false);
        // Hangar bays and vents along the lower hull.
        for (double x = 100; x < kSternLeft - 60; x += 130) {
            c.rounded_rect(x, 236, 44, 18, 2);
            c.fill_outlined(Paint::vertical(236, 254, {{0, Color::hex(0x05060c)}, {1, Color::hex(0x1a2030)}}), k.outline, 1.0);
            c.rect(x + 4, 239, 36, 2);
            c.fill(Paint::solid(k.engine.with_alpha(0.5)));
        }
        for (double x = 70; x < kSternLeft - 20; x += 60)
            for (int i = 0; i < 4; ++i) c.rect(x + i * 5, 259, 3, 4);
        c.fill(Paint::solid(Color::hex(0x0a0a12)));
    }
    c.polygon(body);
    c.stroke(Paint::solid(k.outline), 1.6);
    // A bright rim along the top line.
    c.polyline({{-86, 199.5}, {-34, 195.5}});
    c.polyline({{-16, kDeck + 14}, {6, kDeck + 1.5}, {kSternLeft, kDeck + 1.5}});
    c.stroke(Paint::solid(Color{1, 1, 1, 0.6}), 1.0);
    // Running lights along the deck and the keel.
    for (double x = 130; x < kSternLeft; x += 48) {
        c.orb(x, kDeck + 10, 1.8, Color{1, 1, 1}, k.red.mid);
        c.orb(x + 20, kKeel - 3, 1.8, Color{1, 1, 1}, Color::hex(0x40ff80));
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
    s.dome_width = 28;
    s.dome_height = 26;
    return s;
}

// A plated column or block filling the current path: lit from the left, with
// seams, a row of ports down its middle and a hazard band at one end.
void plated(Canvas& c, double x0, double y0, double x1, double y1, bool band_on_top) {
    const Look& k = look();
    c.fill_keep(Paint::linear({x0, 0}, {x1, 0}, {{0, plate().light}, {0.3, plate().mid}, {1, plate().dark}}));
    auto s = c.scoped();
    c.clip();
    for (double y = y0 + 16; y < y1; y += 20) {
        c.rect(x0, y, x1 - x0, 1.5);
        c.fill(Paint::solid(dark_plate().dark.with_alpha(0.75)));
    }
    for (double y = y0 + 8; y < y1 - 8; y += 20) {
        c.rect((x0 + x1) / 2 - 3, y, 6, 4);
        c.fill(Paint::solid(Color::hex(0x90e8ff)));
    }
    const double band = band_on_top ? y0 : y1 - 6;
    c.rect(x0, band, x1 - x0, 6);
    c.fill(Paint::vertical(band, band + 6, {{0, k.red.light}, {1, k.red.dark}}));
}

// An upper cannon on its barbette; (px, py) is the pivot, the cannon's
// position lies at (px - 40, py - 8).
worlds::TurretPainter on_barbette() {
    const worlds::TurretPainter turret = worlds::dome_turret(cannon_style(), false);
    return [turret](Canvas& c, double px, double py, double angle) {
        const Look& k = look();
        const double ox = px - 40, oy = py - 8;
        // The barbette with a sloped front.
        const std::vector<Pt> block{{ox + kBarbetteLeft, oy + kBarbetteTop + 14}, {ox + kBarbetteLeft + 14, oy + kBarbetteTop},
                                    {ox + kBarbetteRight, oy + kBarbetteTop},     {ox + kBarbetteRight, oy + kBarbetteBottom},
                                    {ox + kBarbetteLeft, oy + kBarbetteBottom}};
        c.polygon(block);
        plated(c, ox + kBarbetteLeft, oy + kBarbetteTop, ox + kBarbetteRight, oy + kBarbetteBottom, true);
        c.polygon(block);
        c.stroke(Paint::solid(k.outline), 1.4);
        c.polyline({{ox + kBarbetteLeft + 1, oy + kBarbetteTop + 14}, {ox + kBarbetteLeft + 14, oy + kBarbetteTop + 1},
                    {ox + kBarbetteRight - 1, oy + kBarbetteTop + 1}});
        c.stroke(Paint::solid(Color{1, 1, 1, 0.5}), 1.0);
        turret(c, px, py, angle);
    };
}

// A lower cannon hanging from its tower; (px, py) is the pivot, the cannon's
// position lies at (px - 40, py - 22).
worlds::TurretPainter on_tower() {
    const worlds::TurretPainter turret = worlds::dome_turret(cannon_style(), true);
    return [turret](Canvas& c, double px, double py, double angle) {
        const Look& k = look();
        const double ox = px - 40, oy = py - 22;
        // The arm from the tower over the turret's mount.
        c.rect(ox + 40, oy - 6, kTowerRight - 40, 10);
        c.shade(dark_plate(), k.outline, 1.2, 100);
        const std::vector<Pt> tower{{ox + kTowerLeft, oy + kTowerTop + 12}, {ox + kTowerLeft + 10, oy + kTowerTop},
                                    {ox + kTowerRight, oy + kTowerTop},      {ox + kTowerRight, oy + 4},
                                    {ox + kTowerLeft, oy + 4}};
        c.polygon(tower);
        plated(c, ox + kTowerLeft, oy + kTowerTop, ox + kTowerRight, oy + 4, true);
        c.polygon(tower);
        c.stroke(Paint::solid(k.outline), 1.4);
        c.orb(ox + (kTowerLeft + kTowerRight) / 2, oy + kTowerTop + 10, 2.2, Color{1, 1, 1}, Color::hex(0x40ff80));
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
    // Boxes from the cannon's position: the barbette's left edge to beyond
    // the barrel aimed right, the barrel aimed up to the barbette's foot; the
    // barrel aimed left to the tower's right edge, the tower's top to the
    // barrel aimed down.
    const art::FrameBox barbette{.width = 100,
                                 .height = 100,
                                 .xoffset = int(kBarbetteLeft) - 4,
                                 .yoffset = -34,
                                 .origin_x = 40 - (kBarbetteLeft - 4),
                                 .origin_y = 42};
    const art::FrameBox tower{.width = 120,
                              .height = 248,
                              .xoffset = -4,
                              .yoffset = int(kTowerTop) - 4,
                              .origin_x = 44,
                              .origin_y = 22 - (kTowerTop - 4)};
    world.sprite("spacebosscannonup", worlds::turret_frames(barbette, upper, on_barbette()));
    world.sprite("spacebosscannondown", worlds::turret_frames(tower, lower, on_tower()));
}

}  // namespace space
