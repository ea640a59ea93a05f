// The title picture and the five title buttons.
//
// The buttons stand at y 428, 122 pixels apart from x 24 (About, 1 Player,
// 2 Player, Options, Quit). At 104 x 40 the last ends at x 616 and y 468,
// inside the screen, with 18 pixels between neighbours. They are copied
// without a colour key, so each is drawn over the part of the title picture
// it covers and its rounded corners show the picture.
#include <cmath>

#include "generator/art/prelude.h"
#include "generator/resource/resource_art.h"
#include "generator/standard/ship_art.h"

namespace resource {

namespace {

constexpr int kWidth = 640, kHeight = 480;
constexpr int kButtonY = 428, kButtonW = 104, kButtonH = 40;
constexpr int kFirstButtonX = 24, kButtonStep = 122;

void backdrop(Canvas& c) {
    art::space_gradient(c, Color::hex(0x020310), Color::hex(0x160a2c));
    art::nebula(c, art::Noise(art::seed_of("title-nebula")),
                {Color::hex(0x1a0830), Color::hex(0x5a1860), Color::hex(0x2a5a9a), Color::hex(0x9adcff)}, 0.0065, 0.55,
                0.85);
    art::Random random(art::seed_of("title-stars"));
    art::starfield(c, random, 420, 0.9);
    // A far sun low on the right.
    c.glow(600, 250, 220, Color::hex(0xff9a5a), 0.35);
    // The first world, filling the lower right.
    art::planet(c, 505, 395, 175,
                art::Ramp{Color::hex(0x10283a), Color::hex(0x2a7a8a), Color::hex(0xd8c890)}, Color::hex(0x7ad8ff),
                art::Noise(art::seed_of("title-planet")), 150);
}

void hero(Canvas& c) {
    // Speed streaks behind the ship.
    art::Random random(art::seed_of("title-streaks"));
    for (int i = 0; i < 26; ++i) {
        const double y = random.range(190, 330), x = random.range(0, 140), len = random.range(40, 160);
        c.line({x, y}, {x + len, y - len * 0.14});
        c.stroke(Paint::linear({x, 0}, {x + len, 0}, {{0, Color::hex(0x9adcff, 0)}, {1, Color::hex(0x9adcff, 0.45)}}),
                 random.range(0.8, 2.0));
    }
    const standard::ShipLook look = standard::player_one_look();
    auto s = c.scoped();
    c.translate(120, 262);
    c.rotate_deg(-8);
    // Laser bolts ahead of the gun, in the ship's own direction.
    for (int i = 0; i < 3; ++i) {
        const double x = 290 + i * 95, y = 4.2 * 13.4 + (i == 1 ? -3 : 0);
        c.glow(x + 20, y, 30, Color::hex(0x3c8cff), 0.7);
        c.rounded_rect(x, y - 3.5, 44, 7, 3.5);
        c.fill(Paint::vertical(y - 3.5, y + 3.5,
                               {{0, Color::hex(0x3c8cff)}, {0.5, Color{1, 1, 1}}, {1, Color::hex(0x3c8cff)}}));
    }
    c.glow(10, 46, 70, look.engine, 0.8);
    standard::draw_ship(c, look, 0, 0, 4.2, 0.45);
    standard::draw_drone(c, -70, -92, 2.2, 0.15);
    standard::draw_drone(c, -52, 100, 2.2, 0.65);
}

void logo(Canvas& c) {
    art::TextStyle s = chrome_style(80);
    s.glow = Color::hex(0x3ca0ff, 0.9);
    s.glow_radius = 9;
    s.shadow = Color{0, 0, 0, 0.7};
    s.shadow_dx = 4;
    s.shadow_dy = 5;
    art::draw_text(c, kWidth / 2.0, 42, "VELMORA", s, art::Align::Centre);
    art::TextStyle tag;
    tag.height = 11;
    tag.weight = 1.0;
    tag.tracking = 4.2;
    tag.outline_width = 1.5;
    tag.outline = Color::hex(0x02040c);
    tag.fill = {{0, Color::hex(0xfff0c8)}, {1, Color::hex(0xffa040)}};
    art::draw_text(c, kWidth / 2.0, 146, "TEN WORLDS - ONE PILOT", tag, art::Align::Centre);
}

void button_strip(Canvas& c) {
    c.rect(0, 416, kWidth, 64);
    c.fill(Paint::vertical(416, 480, {{0, Color::hex(0x0a1024, 0.55)}, {1, Color::hex(0x02040a, 0.9)}}));
    c.rect(0, 416, kWidth, 1);
    c.fill(Paint::linear({0, 0}, {kWidth, 0}, {{0, Color::hex(0x40a0ff, 0)}, {0.5, Color::hex(0x80d0ff, 0.9)},
                                               {1, Color::hex(0x40a0ff, 0)}}));
    art::TextStyle credit;
    credit.height = 7;
    credit.weight = 1.0;
    credit.tracking = 2.2;
    credit.outline_width = 0;
    credit.fill = {{0, Color::hex(0x8090b0)}, {1, Color::hex(0x8090b0)}};
    art::draw_text(c, kWidth / 2.0, 473, "A QUORNASH SOFTWARE GAME - PUBLISHED BY FERROLUX", credit, art::Align::Centre);
}

}  // namespace

void write_title(art::Output& out) {
    Canvas title(kWidth, kHeight);
    backdrop(title);
    hero(title);
    logo(title);
    button_strip(title);
    out.picture(resource_path("titlescreen"), art::flat_image(title), art::Depth::True24);

    struct Button {
        const char* file;
        const char* label;
    };
    const Button buttons[] = {{"about", "ABOUT"}, {"1player", "1 PLAYER"}, {"2player", "2 PLAYER"},
                              {"options", "OPTIONS"}, {"quit", "QUIT"}};
    for (int i = 0; i < 5; ++i) {
        const Canvas under = title.crop(kFirstButtonX + i * kButtonStep, kButtonY, kButtonW, kButtonH);
        for (bool pressed : {false, true}) {
            const Canvas picture = button(under, buttons[i].label, pressed);
            out.picture(resource_path(std::string(buttons[i].file) + (pressed ? "down" : "up")),
                        art::flat_image(picture), art::Depth::Indexed8);
        }
    }
}

}  // namespace resource
