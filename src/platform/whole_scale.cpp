#include "platform/whole_scale.h"

#include <cstring>
#include <vector>

#include "platform/frame_convert.h"

namespace platform {

namespace {

#ifdef __SSE2__
// Doubles one row into two screen rows with stores that bypass the cache:
// the screen's memory is only written here and read by the display server,
// so loading it into the cache first would double the memory traffic.
// Needs both rows 16-byte aligned; returns how many source pixels it did.
int double_row_streaming(const uint32_t* in, int src_w, uint32_t* row0, uint32_t* row1) {
    if ((reinterpret_cast<uintptr_t>(row0) | reinterpret_cast<uintptr_t>(row1)) % 16 != 0) return 0;
    int x = 0;
    for (; x + 4 <= src_w; x += 4) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + x));
        const __m128i lo = _mm_unpacklo_epi32(v, v), hi = _mm_unpackhi_epi32(v, v);
        _mm_stream_si128(reinterpret_cast<__m128i*>(row0 + 2 * x), lo);
        _mm_stream_si128(reinterpret_cast<__m128i*>(row0 + 2 * x + 4), hi);
        _mm_stream_si128(reinterpret_cast<__m128i*>(row1 + 2 * x), lo);
        _mm_stream_si128(reinterpret_cast<__m128i*>(row1 + 2 * x + 4), hi);
    }
    return x;
}

// The same from 5-6-5 pixels, converted on the way: nothing but the screen's
// two rows is written.
int double_565_row_streaming(const uint16_t* in, int src_w, uint32_t* row0, uint32_t* row1) {
    if ((reinterpret_cast<uintptr_t>(row0) | reinterpret_cast<uintptr_t>(row1)) % 16 != 0) return 0;
    int x = 0;
    for (; x + 8 <= src_w; x += 8) {
        const Xrgb8 c = rgb565x8_to_xrgb(_mm_loadu_si128(reinterpret_cast<const __m128i*>(in + x)));
        const __m128i q[4] = {_mm_unpacklo_epi32(c.lo, c.lo), _mm_unpackhi_epi32(c.lo, c.lo),
                              _mm_unpacklo_epi32(c.hi, c.hi), _mm_unpackhi_epi32(c.hi, c.hi)};
        for (int i = 0; i < 4; ++i) {
            _mm_stream_si128(reinterpret_cast<__m128i*>(row0 + 2 * x + 4 * i), q[i]);
            _mm_stream_si128(reinterpret_cast<__m128i*>(row1 + 2 * x + 4 * i), q[i]);
        }
    }
    return x;
}
#endif

}  // namespace

void scale_whole(const uint32_t* src, int src_w, int src_h, int factor, uint32_t* dst, size_t dst_pitch) {
    if (src == nullptr || dst == nullptr || src_w < 1 || src_h < 1 || factor < 1) return;
    const size_t row_bytes = static_cast<size_t>(src_w) * factor * sizeof(uint32_t);
    auto* out = reinterpret_cast<uint8_t*>(dst);
    for (int y = 0; y < src_h; ++y, out += dst_pitch * factor) {
        const uint32_t* in = src + static_cast<size_t>(y) * src_w;
        auto* first = reinterpret_cast<uint32_t*>(out);
        if (factor == 1) {
            std::memcpy(first, in, row_bytes);
            continue;
        }
        if (factor == 2) {  // the common window
            auto* second = reinterpret_cast<uint32_t*>(out + dst_pitch);
            int x = 0;
#ifdef __SSE2__
            x = double_row_streaming(in, src_w, first, second);
#endif
            for (; x < src_w; ++x) first[2 * x] = first[2 * x + 1] = second[2 * x] = second[2 * x + 1] = in[x];
            continue;
        }
        for (int x = 0; x < src_w; ++x)
            for (int i = 0; i < factor; ++i) first[static_cast<size_t>(x) * factor + i] = in[x];
        // The other rows of this picture row are copies of the first.
        for (int i = 1; i < factor; ++i) std::memcpy(out + dst_pitch * i, first, row_bytes);
    }
#ifdef __SSE2__
    _mm_sfence();  // the streamed stores are seen before the picture is handed on
#endif
}

void scale_whole_565(const uint16_t* src, int src_w, int src_h, int factor, uint32_t* dst, size_t dst_pitch,
                     const uint8_t* rows) {
    if (src == nullptr || dst == nullptr || src_w < 1 || src_h < 1 || factor < 1) return;
    std::vector<uint32_t> converted;  // a row the fast path could not do whole
    auto* out = reinterpret_cast<uint8_t*>(dst);
    for (int y = 0; y < src_h; ++y, out += dst_pitch * factor) {
        if (rows != nullptr && rows[y] == 0) continue;
        const uint16_t* in = src + static_cast<size_t>(y) * src_w;
        auto* first = reinterpret_cast<uint32_t*>(out);
        if (factor == 1) {
            rgb565_to_xrgb(reinterpret_cast<const uint8_t*>(in), src_w * 2, src_w, 1, first);
            continue;
        }
        int done = 0;
#ifdef __SSE2__
        if (factor == 2) done = double_565_row_streaming(in, src_w, first, reinterpret_cast<uint32_t*>(out + dst_pitch));
#endif
        if (done == src_w) continue;
        converted.resize(static_cast<size_t>(src_w - done));
        rgb565_to_xrgb(reinterpret_cast<const uint8_t*>(in + done), (src_w - done) * 2, src_w - done, 1,
                       converted.data());
        scale_whole(converted.data(), src_w - done, 1, factor, first + static_cast<size_t>(done) * factor, dst_pitch);
    }
#ifdef __SSE2__
    _mm_sfence();
#endif
}

}  // namespace platform
