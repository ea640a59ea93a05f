// The cave world's materials.
#include "generator/art/prelude.h"
#include "generator/worlds/cave/cave.h"

namespace cave {

const Look& look() {
    static const Look l = [] {
        Look k;
        k.outline = Color::hex(0x140c08);
        k.rock = Ramp{Color::hex(0x24170f), Color::hex(0x6e4b30), Color::hex(0xc8925e)};
        k.rust = Ramp{Color::hex(0x4a140c), Color::hex(0xb03a22), Color::hex(0xff9a66)};
        k.hazard = Ramp{Color::hex(0x5a4208), Color::hex(0xd8a018), Color::hex(0xfff08a)};
        k.steel = Ramp{Color::hex(0x26282c), Color::hex(0x6a6e74), Color::hex(0xc4c8cc)};
        k.glass = Ramp{Color::hex(0x06302c), Color::hex(0x20a89a), Color::hex(0xb8fff0)};
        k.crystal = Ramp{Color::hex(0x0c4a4a), Color::hex(0x2ad0b8), Color::hex(0xd8fff6)};
        k.lava = Color::hex(0xff6a1c);
        k.crystal_glow = Color::hex(0x40f0d0);
        return k;
    }();
    return l;
}

}  // namespace cave
