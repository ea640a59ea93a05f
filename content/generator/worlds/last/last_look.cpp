// The last world's materials.
#include "generator/art/prelude.h"
#include "generator/worlds/last/last.h"

namespace last {

const Look& look() {
    static const Look l = [] {
        Look k;
        k.outline = Color::hex(0x0a0610);
        k.chitin = Ramp{Color::hex(0x160a20), Color::hex(0x44285a), Color::hex(0xa878c8)};
        k.flesh = Ramp{Color::hex(0x3a0612), Color::hex(0xa01838), Color::hex(0xff7090)};
        k.bone = Ramp{Color::hex(0x4a4438), Color::hex(0xb8ae96), Color::hex(0xf6eedc)};
        k.metal = Ramp{Color::hex(0x1c1c26), Color::hex(0x545466), Color::hex(0xb0b0c4)};
        k.acid = Color::hex(0x7aff4a);
        k.acid_core = Color::hex(0xeeffd8);
        k.ember = Color::hex(0xff5a2a);
        return k;
    }();
    return l;
}

}  // namespace last
