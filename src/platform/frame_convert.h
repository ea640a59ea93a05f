// Finished pictures in any display format to 32-bit XRGB for the screen.
#pragma once

#include <cstdint>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "platform/platform.h"

namespace platform {

// True when the picture's pixels are 16-bit 5-6-5 and can be shown as they are.
bool is_rgb565(const FrameFormat& format);

// Converts a width x height picture (rows `pitch` bytes apart) to packed
// 0x00RRGGBB pixels in `out` (width * height entries). 8-bit pictures go
// through the palette (a grey ramp without one).
void frame_to_xrgb(const void* pixels, int pitch, int width, int height, const FrameFormat& format,
                   uint32_t* out);
// The same for a 5-6-5 picture (what frame_to_xrgb does for one).
void rgb565_to_xrgb(const uint8_t* pixels, int pitch, int width, int height, uint32_t* out);

#ifdef __SSE2__
// Eight 5-6-5 pixels to eight XRGB ones (the first four in `lo`), rounded as
// frame_to_xrgb rounds. Every step fits 16 bits; the compiler does not find
// this itself.
struct Xrgb8 {
    __m128i lo, hi;
};
inline Xrgb8 rgb565x8_to_xrgb(__m128i v) {
    const __m128i five = _mm_set1_epi16(31), six = _mm_set1_epi16(63);
    const __m128i k527 = _mm_set1_epi16(527), k259 = _mm_set1_epi16(259);
    const __m128i k23 = _mm_set1_epi16(23), k33 = _mm_set1_epi16(33);
    const __m128i r = _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(_mm_srli_epi16(v, 11), k527), k23), 6);
    const __m128i g =
        _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(_mm_and_si128(_mm_srli_epi16(v, 5), six), k259), k33), 6);
    const __m128i b = _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(_mm_and_si128(v, five), k527), k23), 6);
    const __m128i gb = _mm_or_si128(_mm_slli_epi16(g, 8), b);
    return {_mm_unpacklo_epi16(gb, r), _mm_unpackhi_epi16(gb, r)};
}
#endif

}  // namespace platform
