// The bonus power-up and the five weapon power-ups.
//
// They bounce inside x <= 620 and y 0..395 of the 640 x 416 field, so they
// are 20 x 20 with no offset. Weapon power-ups start on a random frame 1..6
// and every power-up loops: 8 frames each, the last leading back to the first.
#include <cmath>

#include "generator/art/prelude.h"
#include "generator/standard/standard_sprites.h"

namespace standard {

namespace {

constexpr int kFrames = 8;
const Color kOutline = Color::hex(0x120c04);

// A gold medallion turning about its upright axis (half a turn: it looks the
// same from both sides, so eight frames close the loop).
std::vector<Frame> bonus_frames() {
    return art::frames_of({.width = 20, .height = 20}, kFrames, [&](Canvas& c, int i) {
        const double turn = std::cos(i * kPi / kFrames);
        const double rx = std::max(1.6, 8.5 * std::abs(turn));
        const double edge = 2.2 * std::sqrt(1 - turn * turn);  // the rim seen edge-on
        // Rim behind the face.
        if (edge > 0.4) {
            c.ellipse(10 + edge * 0.5, 10.5, rx, 8.5);
            c.fill_outlined(Paint::solid(Color::hex(0x9a5a08)), kOutline, 1.0);
            c.rect(10 - edge * 0.5, 2, edge, 17);
            c.fill(Paint::vertical(2, 19, {{0, Color::hex(0xffd860)}, {1, Color::hex(0x8a4a06)}}));
        }
        c.ellipse(10 - edge * 0.5, 10.5, rx, 8.5);
        c.fill_outlined(Paint::radial({10 - rx * 0.4, 7}, 0, {10, 10.5}, 9.5,
                                      {{0, Color{1, 1, 0.9}}, {0.35, Color::hex(0xffd23a)}, {1, Color::hex(0xb06a08)}}),
                        kOutline, 1.0);
        // An embossed star on the face, squeezed with it.
        if (rx > 3.5) {
            // The path is made in the squeezed space and painted in pixels.
            c.save();
            c.translate(10 - edge * 0.5, 10.5);
            c.scale(rx / 8.5, 1.0);
            c.star(0, 0, 5, 5.0, 2.1);
            c.restore();
            c.fill_outlined(Paint::solid(Color::hex(0xfff2b0)), Color::hex(0xa06008), 0.8);
        }
        c.highlight(10 - rx * 0.45 - edge * 0.5, 6.5, std::max(0.8, rx * 0.3), 1.6, 0.9);
    });
}

struct WeaponLook {
    const char* name;
    const char* letter;
    uint32_t light, mid, dark;
};

// A glass sphere in the weapon's colour with its letter, and a spark that
// circles it.
std::vector<Frame> weapon_frames(const WeaponLook& w) {
    const Color light = Color::hex(w.light), mid = Color::hex(w.mid), dark = Color::hex(w.dark);
    return art::frames_of({.width = 20, .height = 20}, kFrames, [&](Canvas& c, int i) {
        const double a = 2 * kPi * i / kFrames;
        const double pulse = 0.5 + 0.5 * std::cos(a);
        c.circle(10, 10, 8.6);
        c.fill_outlined(Paint::radial({8, 7.5}, 0, {10, 10}, 9,
                                      {{0, light.lighter(0.5)}, {0.45, mid.lighter(0.15 * pulse)}, {1, dark}}),
                        Color::hex(0x080a14), 1.0);
        // Inner ring of light.
        c.circle(10, 10, 6.6);
        c.stroke(Paint::solid(light.with_alpha(0.45 + 0.4 * pulse)), 0.9);
        art::TextStyle letter;
        letter.height = 8;
        letter.weight = 1.25;
        letter.tracking = 0;
        letter.outline_width = 1.0;
        letter.outline = dark.darker(0.6);
        letter.fill = {{0, Color{1, 1, 1}}, {1, light.lighter(0.55)}};
        art::draw_text(c, 10.3, 6.0, w.letter, letter, art::Align::Centre);
        c.highlight(7.4, 5.6, 2.8, 1.6, 0.85);
        // The circling spark.
        const double sx = 10 + 8.0 * std::cos(a - kPi / 2), sy = 10 + 8.0 * std::sin(a - kPi / 2);
        c.star(sx, sy, 4, 2.8, 0.9, 45.0 * i);
        c.fill(Paint::solid(Color{1, 1, 1}));
    });
}

}  // namespace

void add_powerup_sprites(SpriteList& out) {
    out.push_back({"powerup", bonus_frames()});
    // Weapon numbers 1..5: blue laser, missiles, heat-seeker, photon, star.
    const WeaponLook looks[] = {
        {"bluepowerup", "L", 0x8fd8ff, 0x2a7cff, 0x0c2a8a},
        {"missilepowerup", "M", 0xffa0a0, 0xe02a2a, 0x5a0808},
        {"heatseekerpowerup", "H", 0xffd090, 0xf07a10, 0x6a2a04},
        {"photonpowerup", "P", 0xf0a8ff, 0xb040e8, 0x40085a},
        {"starpowerup", "S", 0xfff4a0, 0xf0c010, 0x6a4a04},
    };
    for (const WeaponLook& w : looks) out.push_back({w.name, weapon_frames(w)});
}

}  // namespace standard
