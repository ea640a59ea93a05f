// The pieces of the two 31-pixel status bands.
//
// The status bar lays them out by x alone; their y comes from here:
//  - "bar", "bar2", "buble" are lowered to y -1 by the status bar, so their
//    31-row images carry a y offset of 1 and fill rows 0..30.
//  - "bar" (plain plate) and "bar2" (display plate) are 32 wide: they are laid
//    every 32 pixels and must tile. "buble" is a 32-wide capsule whose left
//    half ends a run on the left and whose right half ends one on the right:
//    the layout covers the other half with a bar every time.
//  - "score" stands at y 7: its 10 digit frames (frame d + 1 = digit d) are
//    12 x 15 with a y offset of 1, centred in 13-pixel cells; the seventh cell
//    of a score ends at x 303, inside the area the status bar clears.
//  - "shieldbar": frame 1 (the 124-wide plate) at (0, 0) and (320, 0); frame 2
//    (the trough) at (7, 7) and (327, 7); frame 3 is stamped one pixel apart
//    from x 9 onwards, both when the shield grows and when it shrinks. So it
//    is a lit column followed by two dark trough columns: growing paints the
//    bar on, shrinking paints it off from the right.
//  - Weapon icons stand at the slot x with the level digit 10 or 12 pixels to
//    their right, so they are 10 wide; ship and drone icons sit on a 32-wide
//    display plate.
#include <cmath>

#include "generator/art/prelude.h"
#include "generator/standard/ship_art.h"
#include "generator/standard/standard_sprites.h"

namespace standard {

namespace {

constexpr int kBand = 31;
constexpr int kPiece = 32;

const Color kOutline = Color::hex(0x0a0c14);
// Plain plate: gunmetal. Display plate: deep blue.
const art::Ramp kPlate{Color::hex(0x323a4c), Color::hex(0x5c6880), Color::hex(0xa8b4c8)};
const art::Ramp kDisplay{Color::hex(0x0c1426), Color::hex(0x1a2a48), Color::hex(0x3a5a88)};
// The shield trough and the energy that fills it.
const Color kTroughTop = Color::hex(0x060a14), kTroughBottom = Color::hex(0x141c30);
const Color kEnergyTop = Color::hex(0xd8fff8), kEnergyMid = Color::hex(0x30d8c8), kEnergyBottom = Color::hex(0x0a6a7a);

// The vertical profile shared by every plate so that pieces join seamlessly:
// outline rows 0 and 30, a lit row below the top, a dark row above the bottom.
void plate(Canvas& c, double x, double w, const art::Ramp& r) {
    c.rect(x, 1, w, kBand - 2);
    c.fill(Paint::vertical(1, kBand - 1, {{0, r.light}, {0.12, r.mid.lighter(0.1)}, {0.75, r.mid}, {1, r.dark}}));
    c.rect(x, 1, w, 1);
    c.fill(Paint::solid(r.light.lighter(0.35)));
    c.rect(x, kBand - 3, w, 1);
    c.fill(Paint::solid(r.dark.darker(0.2)));
    c.rect(x, 0, w, 1);
    c.fill(Paint::solid(kOutline));
    c.rect(x, kBand - 1, w, 1);
    c.fill(Paint::solid(kOutline));
}

// A capsule `w` wide: `plate` inside a rounded outline.
Canvas capsule(int w, const art::Ramp& r) {
    Canvas c(w, kBand);
    {
        auto s = c.scoped();
        c.rounded_rect(0.5, 0.5, w - 1, kBand - 1, 11).clip();
        plate(c, 0, w, r);
    }
    c.rounded_rect(0.5, 0.5, w - 1, kBand - 1, 11);
    c.stroke(Paint::solid(kOutline), 1.0);
    return c;
}

std::vector<Frame> bar_frames() {
    Canvas c(kPiece, kBand);
    plate(c, 0, kPiece, kPlate);
    // Grooves along the plate and a rivet at each end of the slot.
    for (int y : {4, 26}) {
        c.rect(0, y, kPiece, 1);
        c.fill(Paint::solid(kPlate.dark.with_alpha(0.8)));
    }
    for (double x : {3.5, 28.5})
        for (double y : {8.5, 22.5}) {
            c.circle(x, y, 1.3);
            c.fill(Paint::radial({x - 0.4, y - 0.4}, 0, 1.4, {{0, kPlate.light.lighter(0.5)}, {1, kPlate.dark}}));
        }
    std::vector<Frame> frames;
    frames.push_back({.image = std::move(c), .yoffset = 1});
    return frames;
}

std::vector<Frame> bar2_frames() {
    Canvas c(kPiece, kBand);
    plate(c, 0, kPiece, kDisplay);
    // Faint scan lines give the display its glass.
    for (int y = 4; y < kBand - 4; y += 2) {
        c.rect(0, y, kPiece, 1);
        c.fill(Paint::solid(Color{0, 0, 0, 0.18}));
    }
    std::vector<Frame> frames;
    frames.push_back({.image = std::move(c), .yoffset = 1});
    return frames;
}

std::vector<Frame> buble_frames() {
    std::vector<Frame> frames;
    frames.push_back({.image = capsule(kPiece, kDisplay), .yoffset = 1});
    return frames;
}

// One trough row's colour, shared by frame 2 and the dark columns of frame 3.
Paint trough_paint() { return Paint::vertical(8, 23, {{0, kTroughTop}, {1, kTroughBottom}}); }
Paint energy_paint() {
    return Paint::vertical(8, 23, {{0, kEnergyTop}, {0.25, kEnergyMid}, {1, kEnergyBottom}});
}

std::vector<Frame> shieldbar_frames() {
    std::vector<Frame> frames;
    // Frame 1: the plate, with a small shield emblem at its right end.
    {
        Canvas c = capsule(124, kPlate);
        const double ex = 116, ey = 15.5;
        c.polygon({{ex - 4.5, ey - 6}, {ex + 4.5, ey - 6}, {ex + 4.5, ey - 1}, {ex, ey + 6}, {ex - 4.5, ey - 1}});
        c.fill_outlined(Paint::vertical(ey - 6, ey + 6, {{0, kEnergyTop}, {1, kEnergyBottom}}), kOutline, 1.0);
        frames.push_back({.image = std::move(c)});
    }
    // Frame 2: the trough, 104 x 17 at (7, 7); its interior is x 8..109,
    // rows 8..22, and the first two columns show the minimum charge.
    {
        Canvas c(104, 17);
        c.rect(0, 0, 104, 17);
        c.fill(Paint::solid(kOutline));
        c.save();
        c.translate(0, -7);  // paints in band rows, like frame 3
        c.rect(1, 8, 102, 15);
        c.fill(trough_paint());
        c.rect(1, 8, 2, 15);
        c.fill(energy_paint());
        c.restore();
        frames.push_back({.image = std::move(c)});
    }
    // Frame 3: one lit column and two trough columns, rows 8..22 when at y 7.
    // Its first row stays empty: the top-left pixel of a sprite image is
    // always the key colour, and it must not eat a row of the bar.
    {
        Canvas c(3, 16);
        c.save();
        c.translate(0, -7);
        c.rect(0, 8, 1, 15);
        c.fill(energy_paint());
        c.rect(1, 8, 2, 15);
        c.fill(trough_paint());
        c.restore();
        frames.push_back({.image = std::move(c)});
    }
    return frames;
}

std::vector<Frame> score_frames() {
    std::vector<Frame> frames;
    for (int d = 0; d <= 9; ++d) {
        Canvas c(12, 15);
        art::TextStyle s;
        s.height = 11;
        s.weight = 1.05;
        s.tracking = 0;
        s.outline_width = 1.0;
        s.outline = Color::hex(0x04060c);
        s.fill = {{0, Color::hex(0xfff8d0)}, {0.5, Color::hex(0xffd040)}, {1, Color::hex(0xe07810)}};
        art::draw_text(c, 6, 2, std::to_string(d), s, art::Align::Centre);
        frames.push_back({.image = std::move(c), .yoffset = 1});
    }
    return frames;
}

// A 10 x 22 cartridge in the weapon's colour with its symbol.
Canvas cartridge(uint32_t light, uint32_t mid, uint32_t dark) {
    Canvas c(10, 22);
    c.rounded_rect(0.5, 0.5, 9, 21, 3);
    c.fill_outlined(Paint::linear({0, 0}, {10, 0}, {{0, Color::hex(light)}, {0.45, Color::hex(mid)}, {1, Color::hex(dark)}}),
                    kOutline, 1.0);
    c.rect(1, 4, 8, 14);
    c.fill(Paint::solid(Color::hex(0x0a0e1a)));
    return c;
}

std::vector<Frame> one(Canvas c, int xoffset, int yoffset) {
    std::vector<Frame> frames;
    frames.push_back({.image = std::move(c), .xoffset = xoffset, .yoffset = yoffset});
    return frames;
}

void add_weapon_icons(SpriteList& out) {
    constexpr int kTop = 4;  // rows 4..25 of the band
    {
        Canvas c = cartridge(0x9ad8ff, 0x2a7cff, 0x0c2a8a);
        c.rect(4, 5.5, 2, 11);
        c.fill(Paint::vertical(5, 17, {{0, Color{1, 1, 1}}, {1, Color::hex(0x3c8cff)}}));
        out.push_back({"blueicon", one(std::move(c), 0, kTop)});
    }
    {
        Canvas c = cartridge(0xffa8a8, 0xe02a2a, 0x5a0808);
        c.polygon({{5, 5}, {6.6, 8}, {6.6, 14}, {7.8, 16.5}, {2.2, 16.5}, {3.4, 14}, {3.4, 8}});
        c.fill_outlined(Paint::solid(Color::hex(0xe8eef8)), Color::hex(0x501010), 0.6);
        out.push_back({"missileicon", one(std::move(c), 0, kTop)});
    }
    {
        Canvas c = cartridge(0xffd8a0, 0xf07a10, 0x6a2a04);
        c.arc(5, 12.5, 3.4, 200, 340);
        c.stroke(Paint::solid(Color::hex(0xffe080)), 1.0);
        c.polygon({{5, 5.2}, {6.4, 8}, {6.4, 12}, {3.6, 12}, {3.6, 8}});
        c.fill(Paint::solid(Color::hex(0xffc060)));
        c.circle(5, 15.5, 1.3);
        c.fill(Paint::solid(Color::hex(0xff5020)));
        out.push_back({"heatseekericon", one(std::move(c), 0, kTop)});
    }
    {
        Canvas c = cartridge(0xf0b0ff, 0xb040e8, 0x40085a);
        art::energy_orb(c, 5, 11, 3.4, Color::hex(0xe04cff), Color::hex(0x5a0c9a), 0.1, 2);
        out.push_back({"photonicon", one(std::move(c), 0, kTop)});
    }
    {
        Canvas c = cartridge(0xfff4b0, 0xf0c010, 0x6a4a04);
        c.star(5, 11.2, 5, 3.8, 1.6);
        c.fill(Paint::radial({5, 11}, 0, 4, {{0, Color{1, 1, 1}}, {1, Color::hex(0xffc020)}}));
        out.push_back({"staricon", one(std::move(c), 0, kTop)});
    }
}

}  // namespace

void add_status_sprites(SpriteList& out) {
    out.push_back({"bar", bar_frames()});
    out.push_back({"bar2", bar2_frames()});
    out.push_back({"buble", buble_frames()});
    out.push_back({"shieldbar", shieldbar_frames()});
    out.push_back({"score", score_frames()});
    add_weapon_icons(out);
    {
        // Ship pictures on the 32-wide display plate at x 16 and 432.
        Canvas one_icon(28, 12), two_icon(28, 12);
        draw_ship(one_icon, player_one_look(), 0, 0.5, 0.46, 0.3);
        draw_ship(two_icon, player_two_look(), 0, 0.5, 0.46, 0.3);
        out.push_back({"playeroneicon", one(std::move(one_icon), 2, 10)});
        out.push_back({"playertwoicon", one(std::move(two_icon), 2, 10)});
    }
    {
        Canvas drone(16, 16);
        draw_drone(drone, 0.5, 0.5, 0.75, 0.0);
        out.push_back({"droneicon", one(std::move(drone), 8, 8)});
    }
}

}  // namespace standard
