// The picture behind the about and ending screens: the pilot heading home.
// Red lines of text rise over it from x 25, most ending before x 470 and the
// longest near 555, so that side is the night: deep blue sky, dim violet
// cloud and what is left of Velmora, a fading ring, all kept dark enough
// that pure red stands out at least three to one. The light is at the right
// edge: dawn over the limb of the home world, the ship and its drones flying
// into it.
#include <algorithm>
#include <cmath>

#include "generator/art/prelude.h"
#include "generator/resource/resource_art.h"
#include "generator/standard/ship_art.h"

namespace resource {

namespace {

constexpr int kWidth = 640, kHeight = 480;

double linear(double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); }
double gamma(double v) { return v <= 0.0031308 ? v * 12.92 : 1.055 * std::pow(v, 1 / 2.4) - 0.055; }

// The brightest a pixel may be (relative luminance) at column x: red text has
// 3:1 against up to 0.0375; the long lines alone reach past x 470.
double ceiling_at(double x) {
    if (x < 470) return 0.03;
    if (x < 560) return 0.03 + (x - 470) / 90 * 0.09;
    return std::min(1.0, 0.12 + (x - 560) / 40 * 0.88);
}

// Keeps the text's side in shadow: what the light spills past its ceiling is
// pressed back under it, softly, so a glow's edge still reads as a glow.
void shade_text_side(Canvas& c) {
    c.map_pixels([](int x, int, Color& p) {
        const double r = linear(p.r), g = linear(p.g), b = linear(p.b);
        const double lum = 0.2126 * r + 0.7152 * g + 0.0722 * b;
        const double top = ceiling_at(x), knee = top * 0.6;
        if (lum <= knee) return;
        const double target = knee + (top - knee) * std::tanh((lum - knee) / (top - knee));
        const double k = target / lum;
        p = Color{gamma(r * k), gamma(g * k), gamma(b * k), p.a};
    });
}

void sky(Canvas& c) {
    c.rect(0, 0, kWidth, kHeight);
    c.fill(Paint::linear({0, 0}, {kWidth, kHeight * 0.3},
                         {{0, Color::hex(0x020308)}, {0.55, Color::hex(0x050a1e)}, {1, Color::hex(0x0e1840)}}));
    art::nebula(c, art::Noise(art::seed_of("ending-nebula")),
                {Color::hex(0x060820), Color::hex(0x121546), Color::hex(0x241c5c)}, 0.0055, 0.5, 0.75);
    // Faint stars everywhere, small; the bright ones only where no text runs.
    art::Random faint(art::seed_of("ending-stars"));
    art::starfield(c, faint, 320, 0.3);
    auto s = c.scoped();
    c.rect(560, 0, kWidth - 560, kHeight).clip();
    art::Random bright(art::seed_of("ending-bright-stars"));
    art::starfield(c, bright, 45, 0.9);
}

// Velmora is gone: a torn shell of glowing gas spreading where it was, an
// ember at its heart, high on the left, dim enough to lie under the text.
void remnant(Canvas& c) {
    const double cx = 228, cy = 148, r = 96;
    const art::Noise noise(art::seed_of("ending-remnant"));
    Canvas gas(kWidth, kHeight);
    gas.map_pixels([&](int x, int y, Color& p) {
        const double dx = (x + 0.5 - cx) / r, dy = (y + 0.5 - cy) / (r * 0.84);
        const double d = std::sqrt(dx * dx + dy * dy);
        if (d > 1.6) return;
        const double torn = noise.fractal(x * 0.035, y * 0.035, 5, 0.55);
        const double shell = std::exp(-std::pow((d - 1.0 + 0.25 * (torn - 0.5)) / 0.13, 2));
        const double inner = 0.35 * std::exp(-d * d / 0.25);
        const double strands = std::pow(std::abs(std::sin(std::atan2(dy, dx) * 7 + torn * 9)), 6.0);
        const double glow = shell * (0.2 + 1.2 * torn * torn + 0.5 * strands) + inner * torn;
        const Color hue = Color::hex(0xd070ff).mixed(Color::hex(0x5070ff), std::clamp(d - 0.6, 0.0, 1.0));
        p = hue.with_alpha(std::min(0.8, glow * 0.5));
    });
    c.draw(gas, 0, 0);
    c.glow(cx, cy, 16, Color::hex(0xffb0f0), 0.7);
}

// The home world at dawn: its night side toward the text, scattered with the
// lights of its towns, the day coming round its limb at the right edge under
// a rising sun.
void home(Canvas& c) {
    c.glow(662, 256, 240, Color::hex(0xff9050), 0.5);
    c.glow(648, 266, 80, Color::hex(0xffe8c0), 0.95);
    c.glow(641, 270, 24, Color{1, 1, 1}, 1.0);
    const double cx = 700, cy = 662, r = 400;
    // Light from beyond the right edge, a little behind the world: a crescent.
    const double lx = 0.80, ly = -0.42, lz = -0.42;
    const art::Noise clouds(art::seed_of("ending-home")), towns(art::seed_of("ending-towns"));
    art::Random sparkle(art::seed_of("ending-lights"));
    Canvas world(kWidth, kHeight);
    world.map_pixels([&](int x, int y, Color& p) {
        const double dx = (x + 0.5 - cx) / r, dy = (y + 0.5 - cy) / r;
        const double d2 = dx * dx + dy * dy;
        const double d = std::sqrt(d2);
        if (d > 1.06) return;
        if (d > 1.0) {
            // The air above the limb, lit where the sun reaches it.
            const double sun = std::clamp(dx * lx + dy * ly + 0.25, 0.0, 1.0);
            const double fall = 1.0 - (d - 1.0) / 0.06;
            p = Color::hex(0x7ad8ff).mixed(Color::hex(0xffd8a0), sun * 0.6).with_alpha(fall * fall * (0.12 + 0.8 * sun));
            return;
        }
        const double dz = std::sqrt(1.0 - d2);
        const double day = std::clamp((dx * lx + dy * ly + dz * lz) * 2.2, 0.0, 1.0);
        const double band = clouds.fractal(dx * 2.6 + 3.0, dy * 8.0 + dx * 0.9, 5, 0.55);
        const Color ground = Color::hex(0x0a2a30).mixed(Color::hex(0x3a7a68), band);
        const Color cloud = Color::hex(0xe8f0ff);
        const double cover = std::clamp((clouds.fractal(dx * 5 + 11, dy * 11, 4) - 0.55) * 3, 0.0, 1.0);
        Color lit = ground.mixed(cloud, cover * 0.8).scaled(0.25 + 0.75 * day);
        // Night: a deep blue-green hint of the clouds, and the towns' lights.
        Color night = Color::hex(0x03080c).mixed(Color::hex(0x0a1a24), band * 0.6 + cover * 0.4);
        const double settled = towns.fractal(dx * 9 + 5, dy * 9 + 2, 3);
        const double chance = sparkle.uniform();
        if (settled > 0.66 && chance < (settled - 0.66) * 0.35)
            night = Color::hex(0xffc870).scaled(0.45 + 0.55 * sparkle.uniform());
        else if (settled > 0.62)
            night = night.mixed(Color::hex(0x6a4a20), (settled - 0.62) * 1.5);  // the towns' glow on the clouds
        Color out = night.mixed(lit, day);
        // Air along the rim, bluer and brighter towards the sun.
        const double rim = std::pow(1.0 - dz, 4.0);
        out = out.mixed(Color::hex(0x7ad8ff), rim * (0.15 + 0.75 * std::clamp(dx * lx + dy * ly + 0.2, 0.0, 1.0)));
        const double edge = std::clamp((1.0 - d) * r, 0.0, 1.0);
        p = out.with_alpha(edge);
    });
    c.draw(world, 0, 0);
}

// The pilot and both drones, small, their trails running back to the left.
void flight(Canvas& c) {
    const struct {
        double x, y, scale;
    } craft[] = {{590, 192, 0.85}, {548, 160, 0.38}, {552, 228, 0.38}};
    for (const auto& k : craft) {
        const double len = 190 * k.scale / 0.85;
        c.line({k.x - len, k.y + len * 0.09}, {k.x - 8, k.y});
        c.stroke(Paint::linear({k.x - len, 0}, {k.x, 0},
                               {{0, Color::hex(0x60b8ff, 0)}, {1, Color::hex(0x9adcff, 0.55)}}),
                 1.4);
    }
    for (int i = 1; i < 3; ++i) {
        auto s = c.scoped();
        c.translate(craft[i].x, craft[i].y);
        c.rotate_deg(-5);
        c.glow(-6, 0, 8, Color::hex(0x46c8ff), 0.8);
        standard::draw_drone(c, 0, 0, craft[i].scale, 0.3);
    }
    auto s = c.scoped();
    c.translate(craft[0].x - 20, craft[0].y - 8);
    c.rotate_deg(-5);
    c.glow(4, 7, 18, Color::hex(0x46c8ff), 0.9);
    standard::draw_ship(c, standard::player_one_look(), 0, 0, craft[0].scale, 0.2);
}

}  // namespace

void write_ending(art::Output& out) {
    Canvas c(kWidth, kHeight);
    sky(c);
    remnant(c);
    home(c);
    flight(c);
    shade_text_side(c);
    out.picture(resource_path("ending"), art::flat_image(c), art::Depth::True24);
}

}  // namespace resource
