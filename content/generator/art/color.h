// Colours, shade ramps and per-world palettes of the art kit.
#pragma once

#include <cstdint>
#include <string>

namespace art {

// A straight (not premultiplied) colour, components 0..1.
struct Color {
    double r = 0, g = 0, b = 0, a = 1;

    static Color rgb(int red, int green, int blue, double alpha = 1.0) {
        return Color{red / 255.0, green / 255.0, blue / 255.0, alpha};
    }
    // 0xRRGGBB
    static Color hex(uint32_t rrggbb, double alpha = 1.0) {
        return rgb(int(rrggbb >> 16 & 0xFF), int(rrggbb >> 8 & 0xFF), int(rrggbb & 0xFF), alpha);
    }

    Color with_alpha(double alpha) const { return Color{r, g, b, alpha}; }
    // t = 0 gives this colour, t = 1 gives `other` (alpha included).
    Color mixed(const Color& other, double t) const {
        return Color{r + (other.r - r) * t, g + (other.g - g) * t, b + (other.b - b) * t,
                     a + (other.a - a) * t};
    }
    Color lighter(double t) const { return mixed(Color{1, 1, 1, a}, t); }
    Color darker(double t) const { return mixed(Color{0, 0, 0, a}, t); }
    // Multiplies the rgb components (a quick way to tint or dim).
    Color scaled(double k) const { return Color{r * k, g * k, b * k, a}; }
};

// Three shades of one material, lit from the top left: the body of most
// shapes is `mid`, the lit side `light`, the side away from the light `dark`.
struct Ramp {
    Color dark, mid, light;

    // A ramp around `base`: darker and slightly cooler shadows, warmer light.
    static Ramp of(const Color& base, double contrast = 1.0);
    // t = 0 dark, 0.5 mid, 1 light, continuous in between.
    Color at(double t) const;
};

}  // namespace art
