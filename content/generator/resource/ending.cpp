// The picture behind the about and ending screens. Red lines of text scroll
// over all of it from x 25, so it stays dark and quiet: night sky, and at
// the bottom the rim of a world with the sun rising behind it.
#include <cmath>

#include "generator/art/prelude.h"
#include "generator/resource/resource_art.h"
#include "generator/standard/ship_art.h"

namespace resource {

void write_ending(art::Output& out) {
    Canvas c(640, 480);
    art::space_gradient(c, Color::hex(0x01020a), Color::hex(0x0a0c22));
    art::nebula(c, art::Noise(art::seed_of("ending-nebula")),
                {Color::hex(0x06081a), Color::hex(0x141a4a), Color::hex(0x1a3a6a)}, 0.005, 0.45, 0.6);
    art::Random random(art::seed_of("ending-stars"));
    art::starfield(c, random, 300, 0.55);

    // Sunrise behind the planet's rim.
    c.glow(470, 470, 260, Color::hex(0xffa050), 0.55);
    c.glow(470, 462, 90, Color::hex(0xfff0c0), 0.8);
    // The planet: a huge dark disc whose rim the sun lights.
    const double cx = 320, cy = 1320, r = 880;
    c.circle(cx, cy, r);
    c.fill(Paint::radial({470, 440}, 0, {cx, cy}, r,
                         {{0, Color::hex(0x2a3040)}, {0.25, Color::hex(0x0c1018)}, {1, Color::hex(0x04060a)}}));
    c.circle(cx, cy, r);
    c.stroke(Paint::linear({80, 0}, {640, 0}, {{0, Color::hex(0x3a6aff, 0.2)}, {0.6, Color::hex(0xffd8a0, 0.9)},
                                               {0.75, Color::hex(0xffffff)}, {1, Color::hex(0x6a9aff, 0.3)}}),
             2.5);
    c.circle(cx, cy, r + 3);
    c.stroke(Paint::linear({80, 0}, {640, 0}, {{0, Color::hex(0x3a6aff, 0.05)}, {0.7, Color::hex(0x80b0ff, 0.4)},
                                               {1, Color::hex(0x3a6aff, 0.05)}}),
             5);
    // A ship heading home, small against the dawn.
    {
        auto s = c.scoped();
        c.translate(372, 392);
        c.rotate_deg(8);
        c.glow(2, 6, 16, Color::hex(0x46c8ff), 0.9);
        standard::draw_ship(c, standard::player_one_look(), 0, 0, 0.55, 0.2);
    }
    out.picture(resource_path("ending"), art::flat_image(c), art::Depth::True24);
}

}  // namespace resource
