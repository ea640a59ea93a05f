#include "generator/art/color.h"

#include <algorithm>

namespace art {

Ramp Ramp::of(const Color& base, double contrast) {
    const double k = std::clamp(contrast, 0.2, 2.0);
    // Shadows lean towards blue, light towards warm white: reads as lit metal.
    const Color shadow = base.scaled(1.0 - 0.45 * k).mixed(Color{0.05, 0.06, 0.16, base.a}, 0.18 * k);
    const Color light = base.mixed(Color{1.0, 0.98, 0.92, base.a}, 0.42 * k);
    return Ramp{shadow, base, light};
}

Color Ramp::at(double t) const {
    t = std::clamp(t, 0.0, 1.0);
    return t < 0.5 ? dark.mixed(mid, t * 2.0) : mid.mixed(light, (t - 0.5) * 2.0);
}

Palette standard_palette() {
    Palette p;
    p.name = "standard";
    p.outline = Color::hex(0x10131f);
    p.hull = Ramp::of(Color::hex(0x8c9ab4));
    p.trim = Ramp::of(Color::hex(0x3d4f78));
    p.accent = Ramp::of(Color::hex(0x2f8cff));
    p.metal = Ramp::of(Color::hex(0x6e7480));
    p.glass = Ramp::between(Color::hex(0x0b3a5c), Color::hex(0x9ff4ff));
    p.glow = Color::hex(0x7fe3ff);
    p.sky_top = Color::hex(0x04040f);
    p.sky_bottom = Color::hex(0x1a0f35);
    return p;
}

Palette make_palette(const std::string& name, const Color& hull, const Color& trim, const Color& accent,
                     const Color& glow, const Color& sky_top, const Color& sky_bottom) {
    Palette p = standard_palette();
    p.name = name;
    p.hull = Ramp::of(hull);
    p.trim = Ramp::of(trim);
    p.accent = Ramp::of(accent);
    p.glow = glow;
    p.sky_top = sky_top;
    p.sky_bottom = sky_bottom;
    return p;
}

}  // namespace art
