#include "display/pixel_codec.h"

#include <bit>

namespace pixel_codec {
namespace {
// Scales a channel value of the mask's width to 0..255 (replicating high bits
// so that full intensity stays 255).
uint8_t expand(uint32_t pixel, uint32_t mask) {
    if (mask == 0) return 0;
    const int shift = std::countr_zero(mask);
    const int bits = std::popcount(mask);
    uint32_t v = (pixel & mask) >> shift;
    if (bits >= 8) return static_cast<uint8_t>(v >> (bits - 8));
    uint32_t out = 0;
    for (int filled = 0; filled < 8; filled += bits) out = (out << bits) | v;
    return static_cast<uint8_t>(out >> ((8 + bits - 1) / bits * bits - 8));
}

uint32_t compress(uint8_t v, uint32_t mask) {
    if (mask == 0) return 0;
    const int shift = std::countr_zero(mask);
    const int bits = std::popcount(mask);
    const uint32_t scaled = bits >= 8 ? uint32_t(v) << (bits - 8) : uint32_t(v) >> (8 - bits);
    return (scaled << shift) & mask;
}
}  // namespace

PixelFormat format_for_depth(uint32_t depth) {
    switch (depth) {
        case 8: return PixelFormat{8, 0, 0, 0};
        case 15: return PixelFormat{15, 0x7C00, 0x03E0, 0x001F};
        case 16: return PixelFormat{16, 0xF800, 0x07E0, 0x001F};
        default: return PixelFormat{depth, 0xFF0000, 0x00FF00, 0x0000FF};
    }
}

void decode(const PixelFormat& format, const Palette* palette, uint32_t pixel, uint8_t& r,
            uint8_t& g, uint8_t& b) {
    if (format.depth == 8) {
        const uint8_t index = static_cast<uint8_t>(pixel);
        if (palette != nullptr) {
            r = palette->entries[index].red;
            g = palette->entries[index].green;
            b = palette->entries[index].blue;
        } else {
            r = g = b = index;
        }
        return;
    }
    r = expand(pixel, format.rmask);
    g = expand(pixel, format.gmask);
    b = expand(pixel, format.bmask);
}

uint32_t encode(const PixelFormat& format, uint8_t r, uint8_t g, uint8_t b) {
    return compress(r, format.rmask) | compress(g, format.gmask) | compress(b, format.bmask);
}

}  // namespace pixel_codec
