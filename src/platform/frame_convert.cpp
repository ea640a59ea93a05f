#include "platform/frame_convert.h"

#include <bit>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

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
// rounding as Channel::expand. Every step fits 16 bits, eight pixels a step
// where the processor has SSE2 (the compiler does not find this itself).
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
        const __m128i five = _mm_set1_epi16(31), six = _mm_set1_epi16(63);
        const __m128i k527 = _mm_set1_epi16(527), k259 = _mm_set1_epi16(259);
        const __m128i k23 = _mm_set1_epi16(23), k33 = _mm_set1_epi16(33);
        for (; x + 8 <= width; x += 8) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 2 * x));
            const __m128i r = _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(_mm_srli_epi16(v, 11), k527), k23), 6);
            const __m128i g = _mm_srli_epi16(
                _mm_add_epi16(_mm_mullo_epi16(_mm_and_si128(_mm_srli_epi16(v, 5), six), k259), k33), 6);
            const __m128i b = _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(_mm_and_si128(v, five), k527), k23), 6);
            const __m128i gb = _mm_or_si128(_mm_slli_epi16(g, 8), b);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(o + x), _mm_unpacklo_epi16(gb, r));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(o + x + 4), _mm_unpackhi_epi16(gb, r));
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
