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

}  // namespace art
