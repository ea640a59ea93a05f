// Colour to pixel conversion in the active display format.
#include <cstdlib>

#include "display/DirectDrawWin.h"

namespace {
// Lowest and highest set bit of a mask; a zero mask gives shift 0, bits 1.
void mask_layout(uint32_t mask, uint16_t& shift, uint16_t& bits) {
    int low = 0;
    if (mask != 0)
        while (((mask >> low) & 1u) == 0) ++low;
    int high = 0;
    if (mask != 0) {
        high = 31;
        while (((mask >> high) & 1u) == 0) --high;
    }
    shift = static_cast<uint16_t>(low);
    bits = static_cast<uint16_t>(high - low + 1);
}

// One component scaled to an n-bit field: v / (256 / 2^n), truncated toward zero.
// Not masked: out-of-range components spill into the neighbouring field.
uint32_t scaled_part(int v, int n) {
    int step = (n >= 0 && n < 9) ? 256 >> n : 1;
    if (step == 0) step = 1;
    return static_cast<uint32_t>(v / step);
}
}  // namespace

BOOL DirectDrawWin::StorePixelFormatData() {
    if (primsurf == nullptr) return 0;
    const PixelFormat& f = primsurf->format;
    mask_layout(f.rmask, redshift, redbits);
    mask_layout(f.gmask, greenshift, greenbits);
    mask_layout(f.bmask, blueshift, bluebits);
    return 1;
}

uint32_t DirectDrawWin::RGBtoPixel(int r, int g, int b) {
    switch (displaydepth) {
        case 8: {
            if (palette == nullptr) return 0;
            int best = 30000;
            uint32_t best_index = 0;
            for (int i = 0; i < 256; ++i) {
                const Palette::Entry& e = palette->entries[i];
                const int d = std::abs(e.red - r) + std::abs(e.green - g) + std::abs(e.blue - b);
                if (d == 0) return static_cast<uint32_t>(i);
                if (d < best) {  // ties keep the earlier entry
                    best = d;
                    best_index = static_cast<uint32_t>(i);
                }
            }
            return best_index;
        }
        case 15:  // 5-5-5 modes are 16-bit modes with other masks
        case 16:
            return (scaled_part(r, redbits) << redshift) | (scaled_part(g, greenbits) << greenshift) |
                   (scaled_part(b, bluebits) << blueshift);
        case 24:
        case 32:
            return (static_cast<uint32_t>(r) << redshift) | (static_cast<uint32_t>(g) << greenshift) |
                   (static_cast<uint32_t>(b) << blueshift);
        default:
            return 0;
    }
}
