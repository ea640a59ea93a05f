// The mountain world's materials.
#include "generator/art/prelude.h"
#include "generator/worlds/mountain/mountain.h"

namespace mountain {

const Look& look() {
    static const Look l = [] {
        Look k;
        k.outline = Color::hex(0x14121c);
        k.rock = Ramp{Color::hex(0x27232f), Color::hex(0x5f5866), Color::hex(0xaea4ac)};
        k.snow = Ramp{Color::hex(0x8f9cc8), Color::hex(0xd4dcf2), Color::hex(0xffffff)};
        k.camo = Ramp{Color::hex(0x2c3420), Color::hex(0x5b6a3a), Color::hex(0x9aa86a)};
        k.khaki = Ramp{Color::hex(0x4c4230), Color::hex(0x9a8a5e), Color::hex(0xd8cc9a)};
        k.bronze = Ramp{Color::hex(0x4a2c14), Color::hex(0xa8702e), Color::hex(0xf4c878)};
        k.steel = Ramp{Color::hex(0x2a2e36), Color::hex(0x6c7480), Color::hex(0xc8d0da)};
        k.glass = Ramp{Color::hex(0x3a1c06), Color::hex(0xc87a1a), Color::hex(0xffe49a)};
        k.energy = Color::hex(0x3ad8ff);
        k.energy_core = Color::hex(0xe8fcff);
        return k;
    }();
    return l;
}

}  // namespace mountain
