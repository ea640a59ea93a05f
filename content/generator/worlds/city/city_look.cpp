// The city world's materials.
#include "generator/art/prelude.h"
#include "generator/worlds/city/city.h"

namespace city {

const Look& look() {
    static const Look l = [] {
        Look k;
        k.outline = Color::hex(0x0c0e1a);
        k.white = Ramp{Color::hex(0x6a7488), Color::hex(0xc8d0dc), Color::hex(0xffffff)};
        k.green = Ramp{Color::hex(0x0e3a1e), Color::hex(0x2e9a48), Color::hex(0xa8f0a0)};
        k.frog = Ramp{Color::hex(0x2a4a0c), Color::hex(0x7ab42a), Color::hex(0xe0f890)};
        k.police = Ramp{Color::hex(0x0c1c4a), Color::hex(0x2a5ac8), Color::hex(0x9cc4ff)};
        k.steel = Ramp{Color::hex(0x24262e), Color::hex(0x646a78), Color::hex(0xc0c8d6)};
        k.glass = Ramp{Color::hex(0x061a38), Color::hex(0x2a7ad0), Color::hex(0xc8f0ff)};
        k.concrete = Ramp{Color::hex(0x1e2030), Color::hex(0x4a4c62), Color::hex(0x8a8ca4)};
        k.brick = Ramp{Color::hex(0x3a1612), Color::hex(0x8a3a2a), Color::hex(0xd07a5a)};
        k.hull = Ramp{Color::hex(0x1a1424), Color::hex(0x4a3a5e), Color::hex(0x9a86b8)};
        k.gold = Ramp{Color::hex(0x5a3a08), Color::hex(0xc8901e), Color::hex(0xffe08a)};
        k.neon_pink = Color::hex(0xff3ab8);
        k.neon_cyan = Color::hex(0x3af0ff);
        k.window = Color::hex(0xffd67a);
        return k;
    }();
    return l;
}

void sign_text(art::Canvas& c, double x, double y, const std::string& text, double height, const art::Color& glow,
               double weight, double tracking) {
    art::TextStyle ts;
    ts.height = height;
    ts.weight = weight;
    ts.tracking = tracking;
    ts.fill = {{0, Color{1, 1, 1}}, {1, glow}};
    ts.outline_width = 0;
    art::draw_text(c, x, y, text, ts, art::Align::Centre);
}

}  // namespace city
