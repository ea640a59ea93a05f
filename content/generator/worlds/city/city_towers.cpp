// More of the street's towers, each its own kind of building: a glass
// office, a stepped tower of the thirties, a brick tenement with fire
// escapes and a water tank, a hotel with its sign down its side, a parking
// garage, an apartment block with balconies, an office with a billboard on
// its roof. Solid scenery like the plain towers: the whole image stands in
// the way, so roof fittings are drawn solid too.
#include <cmath>

#include "generator/art/prelude.h"
#include "generator/worlds/city/city.h"

namespace city {

namespace {

// Whether a window is lit, how: warm, cool (a screen), or dark.
Color window_colour(art::Random& r, double lit) {
    const Look& k = look();
    const double roll = r.uniform();
    if (roll < lit) return k.window;
    if (roll < lit + 0.08) return Color::hex(0x9ad8ff);
    return Color::hex(0x1c1e30);
}

void body(Canvas& c, double x, double y, double w, double h, const Ramp& material, uint64_t seed) {
    const Look& k = look();
    c.rect(x, y, w, h);
    art::textured(c, material, art::Noise(seed), 0.08, 0.25, 100);
    c.rect(x, y, w, h);
    c.stroke(Paint::solid(k.outline), 1.5);
    // The lit edge facing the light.
    c.line({x + 1.5, y + 2}, {x + 1.5, y + h});
    c.stroke(Paint::solid(material.light.with_alpha(0.6)), 1.5);
}

void beacon(Canvas& c, double x, double y) { c.orb(x, y, 2, Color{1, 1, 1}, Color::hex(0xff3030)); }

// A glass office: a curtain wall in floors, whole floors lit where people
// work late, a plant room on the roof.
Canvas glass_office(int w, int h) {
    const Look& k = look();
    Canvas c(w, h);
    const double roof = 30;
    c.rect(w * 0.25, roof - 12, w * 0.5, 12);
    c.shade(k.steel, k.outline);
    // A radio mast on the plant room, thin and easy to miss at night.
    c.line({w * 0.68, roof - 12}, {w * 0.68, 4});
    c.stroke(Paint::solid(k.outline), 1.6);
    beacon(c, w * 0.68, 4);
    c.rect(1, roof, w - 2, h - roof);
    c.fill(Paint::linear({0, roof}, {double(w), double(h)}, {{0, Color::hex(0x2a5a78)}, {0.5, Color::hex(0x163a52)},
                                                            {1, Color::hex(0x0c2032)}}));
    art::Random r(art::seed_of("citytowere"));
    for (double y = roof + 4; y < h - 6; y += 9) {
        const bool floor_lit = r.chance(0.3);
        for (double x = 4; x < w - 4; x += 7) {
            c.rect(x, y, 5.5, 5);
            c.fill(Paint::solid(floor_lit ? (r.chance(0.85) ? Color::hex(0xe8f4ff) : Color::hex(0x6ab0d8))
                                          : (r.chance(0.12) ? k.window : Color::hex(0x10283a))));
        }
    }
    // Reflections slanting across the glass.
    for (double x = -h * 0.3; x < w; x += 38) {
        c.polygon({{x, double(h)}, {x + 10, double(h)}, {x + 10 + h * 0.3, roof}, {x + h * 0.3, roof}});
        c.fill(Paint::solid(Color{0.8, 0.95, 1, 0.08}));
    }
    c.rect(1, roof, w - 2, h - roof);
    c.stroke(Paint::solid(k.outline), 1.5);
    return c;
}

// A stepped tower of the thirties: three setbacks, piers running up between
// columns of windows, a spire with a light.
Canvas stepped_tower(int w, int h) {
    const Look& k = look();
    Canvas c(w, h);
    const Ramp stone{Color::hex(0x3a3044), Color::hex(0x8a7a8a), Color::hex(0xd8c8c0)};
    const double spire = 34;
    const double steps[3][2] = {{0.0, 1.0}, {0.14, 0.72}, {0.26, 0.48}};  // inset, height share
    for (const auto& st : steps) {
        const double inset = w * st[0], top = h - (h - spire) * st[1];
        body(c, inset + 1, top, w - 2 * inset - 2, h - top, stone, art::seed_of("citytowerf"));
    }
    art::Random r(art::seed_of("citytowerf windows"));
    for (const auto& st : steps) {
        const double inset = w * st[0], top = h - (h - spire) * st[1];
        for (double x = inset + 6; x < w - inset - 8; x += 8) {
            c.rect(x + 4, top + 4, 2, h - top - 4);
            c.fill(Paint::solid(stone.dark.with_alpha(0.7)));  // the piers' shadow
            for (double y = top + 6; y < h - 8; y += 10) {
                c.rect(x, y, 3.5, 6);
                c.fill(Paint::solid(window_colour(r, 0.4)));
            }
        }
    }
    c.polygon({{w * 0.5 - 4, spire}, {w * 0.5, spire * 0.45}, {w * 0.5 + 4, spire}});
    c.shade(k.steel, k.outline, 1.0, 90);
    c.line({w * 0.5, spire * 0.45}, {w * 0.5, 4});
    c.stroke(Paint::solid(k.outline), 1.4);
    beacon(c, w * 0.5, 4);
    return c;
}

// A brick tenement: fire escapes zigzagging down its face, a water tank on
// legs on the roof.
Canvas tenement(int w, int h) {
    const Look& k = look();
    Canvas c(w, h);
    const double roof = 34;
    // The tank, solid from the roof up.
    c.rect(w * 0.62, roof - 12, 3, 12);
    c.rect(w * 0.62 + 20, roof - 12, 3, 12);
    c.fill(Paint::solid(k.steel.dark));
    c.rect(w * 0.62 - 2, roof - 12, 27, 3);
    c.fill(Paint::solid(k.steel.dark));
    c.rounded_rect(w * 0.62 - 2, 6, 27, roof - 17, 3);
    c.shade(Ramp{Color::hex(0x2a1a10), Color::hex(0x6a4a2a), Color::hex(0xa8805a)}, k.outline);
    c.polygon({{w * 0.62 - 3, 7}, {w * 0.62 + 11.5, 1}, {w * 0.62 + 26, 7}});
    c.shade(k.steel, k.outline);
    body(c, 1, roof, w - 2, h - roof, k.brick, art::seed_of("citytowerg"));
    art::Random r(art::seed_of("citytowerg windows"));
    for (double y = roof + 8; y < h - 10; y += 14)
        for (double x = 8; x < w - 8; x += 12) {
            c.rect(x, y, 5, 8);
            c.fill_outlined(Paint::solid(window_colour(r, 0.45)), Color::hex(0xd8c0a0), 0.6);
        }
    // Fire escapes: landings and ladders in black iron.
    for (double y = roof + 16; y < h - 14; y += 28) {
        c.rect(w * 0.2, y, w * 0.34, 2);
        c.rect(w * 0.2, y + 14, w * 0.34, 2);
        c.fill(Paint::solid(Color::hex(0x101014)));
        c.line({w * 0.22, y + 2}, {w * 0.52, y + 14});
        c.line({w * 0.52, y + 16}, {w * 0.22, y + 28});
        c.stroke(Paint::solid(Color::hex(0x101014)), 1.2);
    }
    return c;
}

// A hotel: cream walls, its name in pink neon down its side, an awning over
// the door.
Canvas hotel(int w, int h) {
    const Look& k = look();
    Canvas c(w, h);
    const Ramp cream{Color::hex(0x5a4a40), Color::hex(0xb8a488), Color::hex(0xf0e0c0)};
    body(c, 1, 8, w - 2, h - 8, cream, art::seed_of("citytowerh"));
    c.rect(0, 8, w, 4);
    c.shade(k.concrete, k.outline, 1.0, 90);
    art::Random r(art::seed_of("citytowerh windows"));
    for (double y = 20; y < h - 30; y += 11)
        for (double x = 8; x < w - 22; x += 10) {
            c.rect(x, y, 6, 6);
            c.fill(Paint::solid(window_colour(r, 0.5)));
            c.rect(x - 1, y + 6, 8, 1.5);
            c.fill(Paint::solid(cream.dark));
        }
    // The sign down the right side.
    c.rounded_rect(w - 17, 24, 14, 76, 3);
    c.fill_outlined(Paint::solid(Color::hex(0x180a1c)), k.outline, 1.0);
    const std::string name = "HOTEL";
    for (size_t i = 0; i < name.size(); ++i) sign_text(c, w - 10, 28 + double(i) * 14.5, name.substr(i, 1), 8, k.neon_pink);
    // The door and its awning.
    c.rect(w * 0.3, h - 22, w * 0.3, 20);
    c.fill_outlined(Paint::vertical(h - 22, h - 2, {{0, Color::hex(0xfff0b0)}, {1, k.window.darker(0.2)}}), k.outline, 1.0);
    c.polygon({{w * 0.24, h - 24.0}, {w * 0.66, h - 24.0}, {w * 0.7, h - 30.0}, {w * 0.2, h - 30.0}});
    c.fill_outlined(Paint::solid(Color::hex(0x8a1a4a)), k.outline, 1.0);
    return c;
}

// A parking garage: open floors with the cars' lights inside, a ramp's
// slant on the end.
Canvas garage(int w, int h) {
    const Look& k = look();
    Canvas c(w, h);
    body(c, 1, 4, w - 2, h - 4, k.concrete, art::seed_of("citytoweri"));
    art::Random r(art::seed_of("citytoweri cars"));
    for (double y = 12; y < h - 8; y += 20) {
        c.rect(6, y, w - 12, 11);
        c.fill(Paint::solid(Color::hex(0x0c0c16)));
        for (double x = 10; x < w - 16; x += r.range(12, 22)) {
            if (!r.chance(0.6)) continue;
            const bool facing = r.chance(0.5);
            c.rect(x, y + 6, 2, 1.5);
            c.rect(x + 7, y + 6, 2, 1.5);
            c.fill(Paint::solid(facing ? Color::hex(0xfff4d0) : Color::hex(0xff2a20)));
        }
        c.line({6, y + 11}, {w - 6.0, y + 11});
        c.stroke(Paint::solid(k.concrete.light), 1.0);
    }
    c.rounded_rect(w - 30, h - 14, 24, 8, 2);
    c.fill_outlined(Paint::solid(Color::hex(0x1a3a8a)), k.outline, 0.8);
    sign_text(c, w - 18, h - 13, "P", 5, Color{1, 1, 1}, 0.8);
    return c;
}

// An apartment block: balconies on alternate bays, the blue light of
// screens in many windows, plants on the balconies.
Canvas apartments(int w, int h) {
    const Look& k = look();
    Canvas c(w, h);
    const Ramp render{Color::hex(0x2a2438), Color::hex(0x6a5a7a), Color::hex(0xb0a0c0)};
    body(c, 1, 6, w - 2, h - 6, render, art::seed_of("citytowerj"));
    art::Random r(art::seed_of("citytowerj windows"));
    for (double y = 16; y < h - 10; y += 16) {
        for (double x = 7; x < w - 10; x += 14) {
            const double roll = r.uniform();
            c.rect(x, y, 8, 8);
            c.fill(Paint::solid(roll < 0.25 ? Color::hex(0x5ab0ff) : roll < 0.55 ? k.window : Color::hex(0x181828)));
        }
        // A balcony rail every other bay.
        for (double x = 5 + (int(y) % 32 < 16 ? 0 : 14); x < w - 12; x += 28) {
            c.rect(x, y + 9, 12, 4);
            c.fill_outlined(Paint::solid(render.dark), k.outline, 0.6);
            if (r.chance(0.4)) {
                c.circle(x + 3, y + 8, 2);
                c.fill(Paint::solid(Color::hex(0x2a6a3a)));
            }
        }
    }
    return c;
}

// An office with a billboard on its roof, lit from below.
Canvas billboard(int w, int h) {
    const Look& k = look();
    Canvas c(w, h);
    const double roof = 56;
    for (double lx : {w * 0.2, w * 0.5, w * 0.8}) {
        c.rect(lx - 1.5, 40, 3, roof - 40);
        c.fill(Paint::solid(k.steel.dark));
    }
    c.rect(w * 0.1, 40, w * 0.8, 2);
    c.fill(Paint::solid(k.steel.dark));
    c.rect(2, 2, w - 4, 38);
    c.fill_outlined(Paint::vertical(2, 40, {{0, Color::hex(0x1a0a2a)}, {1, Color::hex(0x3a1050)}}), k.outline, 1.2);
    // The advertisement: a fizzing glass and a word.
    c.polygon({{14, 9}, {30, 9}, {25, 24}, {19, 24}});
    c.fill_outlined(Paint::solid(k.neon_cyan), k.outline, 0.8);
    c.rect(21, 24, 2, 8);
    c.rect(16, 32, 12, 2);
    c.fill(Paint::solid(k.neon_cyan));
    for (const Pt& b : std::vector<Pt>{{20, 14}, {24, 18}, {22, 11}}) {
        c.circle(b.x, b.y, 1.1);
        c.fill(Paint::solid(Color{1, 1, 1}));
    }
    sign_text(c, w * 0.62, 14, "FIZZ", 13, Color::hex(0xffe040), 1.0, 1.5);
    c.polygon({{w * 0.1, 40}, {w * 0.9, 40}, {double(w), roof}, {0, roof}});
    c.fill(Paint::solid(Color{1, 0.95, 0.8, 0.12}));
    body(c, 1, roof, w - 2, h - roof, Ramp{Color::hex(0x1c242a), Color::hex(0x44545e), Color::hex(0x8aa0aa)},
         art::seed_of("citytowerk"));
    art::Random r(art::seed_of("citytowerk windows"));
    for (double y = roof + 8; y < h - 6; y += 12)
        for (double x = 8; x < w - 6; x += 9) {
            c.rect(x, y, 5, 7);
            c.fill(Paint::solid(window_colour(r, 0.35)));
        }
    return c;
}

}  // namespace

Canvas more_tower(const std::string& name, int w, int h) {
    if (name == "citytowere") return glass_office(w, h);
    if (name == "citytowerf") return stepped_tower(w, h);
    if (name == "citytowerg") return tenement(w, h);
    if (name == "citytowerh") return hotel(w, h);
    if (name == "citytoweri") return garage(w, h);
    if (name == "citytowerj") return apartments(w, h);
    return billboard(w, h);
}

}  // namespace city
