// The two ships, their drones and the shield flash.
//
// Sizes come from the ship behaviour: the ship moves in x 0..580, y 0..395 of
// a 640 x 416 field, so a 60 x 21 image just reaches the edges; its reference
// point (x + 20, y + 10) lies on the centre line, and the muzzles (x + 42..55,
// y + 5..9) sit at the gun under the nose. Drones hang at (ship x - 25,
// ship y - 40) and (ship x - 25, ship y + 43) and are kept in x 0..620, so
// they are 20 wide. The shield flash is spawned at (ship x - 10, ship y - 15):
// an 80 x 52 image centres it on the ship.
#include <cmath>

#include "generator/art/prelude.h"
#include "generator/standard/ship_art.h"
#include "generator/standard/standard_sprites.h"

namespace standard {

namespace {

constexpr int kShipWidth = 60, kShipHeight = 21;
constexpr int kTiltFrames = 5;  // frame 3 is level flight

std::vector<Frame> ship_frames(const ShipLook& look) {
    return art::frames_of({.width = kShipWidth, .height = kShipHeight}, kTiltFrames, [&](Canvas& c, int i) {
        const double roll = (i - 2) / 2.0;  // -1, -0.5, 0, 0.5, 1
        draw_ship(c, look, 0, 0, 1.0, roll);
    });
}

std::vector<Frame> drone_frames() {
    constexpr int kCount = 8;
    return art::frames_of({.width = 20, .height = 20}, kCount,
                          [&](Canvas& c, int i) { draw_drone(c, 0, -0.5, 1.0, double(i) / kCount); });
}

// A hexagon lattice of energy inside an ellipse that swells and fades.
std::vector<Frame> shield_frames() {
    std::vector<Frame> frames;
    constexpr int kCount = 6;
    const double cx = 40, cy = 26;
    for (int i = 0; i < kCount; ++i) {
        const double t = double(i) / (kCount - 1);
        Canvas c(80, 52);
        const double s = 0.84 + 0.16 * t;
        const double rx = 37.5 * s, ry = 23.5 * s;
        const Color hot = Color{1, 1, 1}.mixed(Color::hex(0x62e8ff), std::min(1.0, t * 2.0));
        const Color cool = Color::hex(0x2a8cff).mixed(Color::hex(0x1a2a9a), t);
        const double fade = 1.0 - t * 0.75;
        // The lattice, faint: dithering turns it into a see-through mesh.
        {
            auto scope = c.scoped();
            c.ellipse(cx, cy, rx - 1.5, ry - 1.5).clip();
            const double cell = 7.0;
            for (int row = -5; row <= 5; ++row)
                for (int col = -7; col <= 7; ++col) {
                    const double hx = cx + col * cell * 1.5, hy = cy + row * cell * 1.732 + (col & 1) * cell * 0.866;
                    std::vector<art::Pt> hex;
                    for (int k = 0; k < 6; ++k)
                        hex.push_back({hx + cell * 0.92 * std::cos(k * 1.0471975512),
                                       hy + cell * 0.92 * std::sin(k * 1.0471975512)});
                    c.polygon(hex);
                }
            c.stroke(Paint::solid(hot.mixed(cool, 0.4).with_alpha(0.55 * fade)), 1.0);
            // Brighter towards the rim, like a bubble.
            c.ellipse(cx, cy, rx, ry);
            c.fill(Paint::radial({cx, cy}, 0, rx, {{0, cool.with_alpha(0)}, {0.7, cool.with_alpha(0.12 * fade)},
                                                    {1, hot.with_alpha(0.5 * fade)}}));
        }
        // The rim.
        c.ellipse(cx, cy, rx - 1, ry - 1);
        c.stroke(Paint::solid(cool.with_alpha(fade)), 3.4 * (1 - t) + 1.0);
        c.ellipse(cx, cy, rx - 1, ry - 1);
        c.stroke(Paint::solid(hot.with_alpha(fade)), 1.6 * (1 - t) + 0.6);
        // A glint where the light strikes the bubble (the path is built in a
        // scaled space, stroked in pixels).
        c.save();
        c.translate(cx, cy);
        c.scale(rx - 4, ry - 4);
        c.arc(0, 0, 1.0, 205, 245);
        c.restore();
        c.stroke(Paint::solid(Color{1, 1, 1, fade}), 2.0 * (1 - t) + 0.8);
        frames.push_back({.image = std::move(c), .edges = art::Edges::Dither});
    }
    return frames;
}

}  // namespace

void add_ship_sprites(SpriteList& out) {
    out.push_back({"playerone", ship_frames(player_one_look())});
    out.push_back({"playertwo", ship_frames(player_two_look())});
    out.push_back({"drone", drone_frames()});
    out.push_back({"shield", shield_frames()});
}

}  // namespace standard
