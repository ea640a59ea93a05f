// Pixel values <-> colour components for the formats surfaces can have.
#pragma once

#include <cstdint>

#include "display/Surface.h"

namespace pixel_codec {

// The format of a display mode of `depth` bits per pixel.
PixelFormat format_for_depth(uint32_t depth);

// The bits a pixel of `bytes_per_pixel` bytes keeps.
inline uint32_t value_mask(int bytes_per_pixel) {
    return bytes_per_pixel >= 4 ? 0xFFFFFFFFu : (1u << (8 * bytes_per_pixel)) - 1u;
}

// Expands one pixel to 0..255 components. Palettised formats look the index up
// in `palette` (grey ramp when there is none).
void decode(const PixelFormat& format, const Palette* palette, uint32_t pixel, uint8_t& r,
            uint8_t& g, uint8_t& b);

// Packs 0..255 components into a pixel of a true-colour format (8-bit: 0).
uint32_t encode(const PixelFormat& format, uint8_t r, uint8_t g, uint8_t b);

}  // namespace pixel_codec
