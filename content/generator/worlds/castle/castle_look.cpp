// The castle world's materials.
#include "generator/art/prelude.h"
#include "generator/worlds/castle/castle.h"

namespace castle {

const Look& look() {
    static const Look l = [] {
        Look k;
        k.outline = Color::hex(0x120e14);
        k.stone = Ramp{Color::hex(0x2e2c38), Color::hex(0x6c6a7a), Color::hex(0xb8b6c4)};
        k.wood = Ramp{Color::hex(0x3a2010), Color::hex(0x8a5a2e), Color::hex(0xd8a466)};
        k.grass = Ramp{Color::hex(0x12301a), Color::hex(0x2e6a30), Color::hex(0x8ac864)};
        k.roof = Ramp{Color::hex(0x3a1016), Color::hex(0x8e2a2e), Color::hex(0xe07466)};
        k.gold = Ramp{Color::hex(0x5a3a08), Color::hex(0xd0a02a), Color::hex(0xfff0a0)};
        k.cloth = Ramp{Color::hex(0x241052), Color::hex(0x5a34b0), Color::hex(0xb49aff)};
        k.steel = Ramp{Color::hex(0x2a2c34), Color::hex(0x70747e), Color::hex(0xd0d4dc)};
        k.green_scales = Ramp{Color::hex(0x0e2e12), Color::hex(0x3a8a32), Color::hex(0xb4e86a)};
        k.red_scales = Ramp{Color::hex(0x3a0808), Color::hex(0xb02a1e), Color::hex(0xffa060)};
        k.belly = Ramp{Color::hex(0x6a4a1a), Color::hex(0xd8b060), Color::hex(0xfff0b0)};
        k.wing_green = Ramp{Color::hex(0x1a3a1a), Color::hex(0x4a7a3a), Color::hex(0x9ac870)};
        k.wing_red = Ramp{Color::hex(0x4a0e0e), Color::hex(0x9a3a2a), Color::hex(0xe88a60)};
        k.moon = Color::hex(0xfff4d8);
        k.fire_glow = Color::hex(0xff8a20);
        return k;
    }();
    return l;
}

}  // namespace castle
