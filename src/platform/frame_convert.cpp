#include "platform/frame_convert.h"

#include <bit>
#include <cstring>


namespace platform {
namespace {
struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    int bits = 0;
    explicit Channel(uint32_t m) : mask(m), shift(m ? std::countr_zero(m) : 0), bits(std::popcount(m)) {}

    // Channel value scaled to 0..255, full intensity staying 255.
    uint32_t expand(uint32_t pixel) const {
        if (bits == 0) return 0;
        const uint32_t v = (pixel & mask) >> shift;
        if (bits >= 8) return v >> (bits - 8);
        const uint32_t max = (1u << bits) - 1u;
        return (v * 255u + max / 2) / max;
    }
};
}  // namespace

bool is_rgb565(const FrameFormat& f) {
    return f.depth == 16 && f.rmask == 0xF800 && f.gmask == 0x07E0 && f.bmask == 0x001F;
}

// The game's own format, every frame without a graphics card: the same
// rounding as Channel::expand (rgb565x8_to_xrgb does eight pixels at once).
namespace {
inline uint32_t rgb565_pixel(uint16_t v) {
    const uint32_t r = ((v >> 11) * 527u + 23u) >> 6;
    const uint32_t g = (((v >> 5) & 63u) * 259u + 33u) >> 6;
    const uint32_t b = ((v & 31u) * 527u + 23u) >> 6;
    return r << 16 | g << 8 | b;
}
}  // namespace

void rgb565_to_xrgb(const uint8_t* base, int pitch, int width, int height, uint32_t* out) {
    for (int y = 0; y < height; ++y) {
        const uint8_t* p = base + static_cast<size_t>(y) * pitch;
        uint32_t* o = out + static_cast<size_t>(y) * width;
        int x = 0;
#ifdef __SSE2__
        for (; x + 8 <= width; x += 8) {
            const Xrgb8 c = rgb565x8_to_xrgb(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 2 * x)));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(o + x), c.lo);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(o + x + 4), c.hi);
        }
#endif
        for (; x < width; ++x) {
            uint16_t v = 0;
            std::memcpy(&v, p + 2 * x, 2);  // little-endian, as every target we build for
            o[x] = rgb565_pixel(v);
        }
    }
}

void frame_to_xrgb(const void* pixels, int pitch, int width, int height, const FrameFormat& f,
                   uint32_t* out) {
    const auto* base = static_cast<const uint8_t*>(pixels);
    if (is_rgb565(f)) {
        rgb565_to_xrgb(base, pitch, width, height, out);
        return;
    }
    const int bpp = f.depth == 15 ? 2 : (f.depth + 7) / 8;
    const Channel r(f.rmask), g(f.gmask), b(f.bmask);
    for (int y = 0; y < height; ++y) {
        const uint8_t* p = base + static_cast<size_t>(y) * pitch;
        uint32_t* o = out + static_cast<size_t>(y) * width;
        for (int x = 0; x < width; ++x, p += bpp) {
            uint32_t v = 0;
            for (int i = 0; i < bpp; ++i) v |= uint32_t(p[i]) << (8 * i);
            if (f.depth == 8) {
                o[x] = f.palette != nullptr ? (f.palette[v & 0xFF] & 0xFFFFFFu) : (v * 0x010101u);
            } else {
                o[x] = r.expand(v) << 16 | g.expand(v) << 8 | b.expand(v);
            }
        }
    }
}

}  // namespace platform
