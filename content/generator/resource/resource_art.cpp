#include "generator/resource/resource_art.h"

#include "generator/art/prelude.h"
namespace resource {

art::Canvas button(const art::Canvas& backdrop, const std::string& label, bool pressed) {
    art::Canvas c = backdrop.clone();
    const double w = c.width(), h = c.height();
    const art::Ramp face{Color::hex(0x141a2e), Color::hex(0x34446a), Color::hex(0x90a8d8)};
    const Color outline = Color::hex(0x05070e);
    // A soft shadow under the raised button.
    if (!pressed) {
        c.rounded_rect(2, 3, w - 2, h - 3, 8);
        c.fill(Paint::solid(Color{0, 0, 0, 0.45}));
    }
    art::panel(c, pressed ? 1 : 0, pressed ? 1 : 0, w - 1, h - 1, 8, face, outline, pressed);
    if (pressed) {
        // Lit from inside when held.
        auto s = c.scoped();
        c.rounded_rect(3, 3, w - 5, h - 5, 6).clip();
        c.rounded_rect(3, 3, w - 5, h - 5, 6);
        c.stroke(Paint::solid(Color::hex(0x40c8ff, 0.55)), 3.0);
    }
    // A thin accent line under the label.
    c.rect(w * 0.2, h - 7, w * 0.6, 1);
    c.fill(Paint::linear({w * 0.2, 0}, {w * 0.8, 0},
                         {{0, Color::hex(0x40c8ff, 0)}, {0.5, Color::hex(pressed ? 0xa0f0ff : 0x40a0ff)}, {1, Color::hex(0x40c8ff, 0)}}));
    art::TextStyle s;
    s.height = 11;
    s.weight = 1.15;
    s.tracking = 1.3;
    s.outline_width = 1.5;
    s.outline = outline;
    s.fill = pressed ? std::vector<art::Stop>{{0, Color::hex(0xe8ffff)}, {1, Color::hex(0x48c8ff)}}
                     : std::vector<art::Stop>{{0, Color{1, 1, 1}}, {1, Color::hex(0xb0c4e8)}};
    const double shift = pressed ? 1 : 0;
    art::draw_text(c, w / 2 + shift, (h - s.height) / 2 - 1.5 + shift, label, s, art::Align::Centre);
    return c;
}

art::TextStyle chrome_style(double height) {
    art::TextStyle s;
    s.height = height;
    s.weight = 1.2;
    s.tracking = 1.7;
    s.slant = 0.16;
    s.outline = Color::hex(0x060a1c);
    s.outline_width = std::max(1.5, height / 22);
    // Sky above the horizon, dark ground just below it, light again at the foot.
    s.fill = {{0.0, Color::hex(0xffffff)},  {0.22, Color::hex(0xd8ecff)}, {0.48, Color::hex(0x6a9ce0)},
              {0.5, Color::hex(0x10204a)},  {0.56, Color::hex(0x284c90)}, {0.85, Color::hex(0x9ac4ff)},
              {1.0, Color::hex(0xe8f4ff)}};
    s.sheen = true;
    return s;
}

art::Canvas black(int w, int h) {
    art::Canvas c(w, h);
    c.clear(Color{0, 0, 0});
    return c;
}

std::string resource_path(const std::string& name) { return "Levels/Resource/" + name + ".BMP"; }

}  // namespace resource
