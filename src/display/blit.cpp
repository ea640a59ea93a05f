// Rectangle copies with clipping and source colour key, and colour fills.
#include <algorithm>
#include <cstring>
#include <vector>

#include "display/DirectDrawWin.h"
#include "display/key_spans.h"
#include "display/pixel_codec.h"

namespace {

// Rectangle arithmetic in 64 bits, so that no position a caller passes can overflow.
struct Span {
    long long left, top, right, bottom;
};

// One pixel of N bytes, least significant byte first. Fixed-size memcpy
// compiles to a plain load or store, and lets the row loops vectorise.
template <int N>
struct Pixel;
template <>
struct Pixel<1> {
    using Word = uint8_t;
};
template <>
struct Pixel<2> {
    using Word = uint16_t;
};
template <>
struct Pixel<4> {
    using Word = uint32_t;
};

// A keyed row: every source pixel but the key lands on the destination. The
// destination is rewritten with its own value where the key is, which a
// compiler can turn into a vector blend; no other thread draws.
// The source colour key, already cut to the pixel size.
struct ColourKey {
    uint32_t value;
};

template <int N>
void keyed_row(uint8_t* d, const uint8_t* s, size_t w, ColourKey key) {
    using Word = typename Pixel<N>::Word;
    const auto k = static_cast<Word>(key.value);
    for (size_t x = 0; x < w; ++x) {
        Word sv, dv;
        std::memcpy(&sv, s + x * N, N);
        std::memcpy(&dv, d + x * N, N);
        const Word out = sv != k ? sv : dv;
        std::memcpy(d + x * N, &out, N);
    }
}

// 24-bit pixels have no machine word; compare the three bytes.
template <>
void keyed_row<3>(uint8_t* d, const uint8_t* s, size_t w, ColourKey key) {
    for (size_t x = 0; x < w; ++x, s += 3, d += 3) {
        const uint32_t v = uint32_t(s[0]) | uint32_t(s[1]) << 8 | uint32_t(s[2]) << 16;
        if (v != key.value) std::memcpy(d, s, 3);
    }
}

using KeyedRow = void (*)(uint8_t*, const uint8_t*, size_t, ColourKey);

KeyedRow keyed_row_for(int bpp) {
    switch (bpp) {
        case 1: return keyed_row<1>;
        case 2: return keyed_row<2>;
        case 3: return keyed_row<3>;
        default: return keyed_row<4>;
    }
}

// A run of a sprite row is a few dozen bytes: copied inline in fixed-size
// pieces (the last one overlapping the one before), not through a call.
inline void copy_run(uint8_t* d, const uint8_t* s, size_t n) {
    if (n >= 32) {
        for (size_t i = 0; i + 32 < n; i += 32) std::memcpy(d + i, s + i, 32);
        std::memcpy(d + n - 32, s + n - 32, 32);
    } else if (n >= 16) {
        std::memcpy(d, s, 16);
        std::memcpy(d + n - 16, s + n - 16, 16);
    } else if (n >= 8) {
        std::memcpy(d, s, 8);
        std::memcpy(d + n - 8, s + n - 8, 8);
    } else if (n >= 4) {
        std::memcpy(d, s, 4);
        std::memcpy(d + n - 4, s + n - 4, 4);
    } else {
        for (size_t i = 0; i < n; ++i) d[i] = s[i];
    }
}

// Columns [left, right) of source row `y` (whose first pixel `s` points at)
// to `d`: only the runs that differ from the key are written.
void keyed_row_copy(const KeySpans& spans, size_t y, uint8_t* d, const uint8_t* s, size_t left, size_t right,
                    size_t bpp, KeyedRow compare_row, ColourKey key) {
    const KeySpans::Run* run = spans.runs.data() + spans.row_start[y];
    const KeySpans::Run* const end = spans.runs.data() + spans.row_start[y + 1];
    const bool compare = spans.compare_row[y] != 0;
    for (; run != end; ++run) {
        const size_t b = std::max<size_t>(run->begin, left);
        const size_t e = std::min<size_t>(run->end, right);
        if (b >= e) continue;
        uint8_t* to = d + (b - left) * bpp;
        const uint8_t* from = s + b * bpp;
        if (compare)
            compare_row(to, from, e - b, key);
        else
            copy_run(to, from, (e - b) * bpp);
    }
}

// The copy primitive: `sr` of `src` to (dx, dy) of `dest`. Like a
// hardware blitter it refuses (draws nothing) a rectangle that does not lie
// wholly inside either surface, or surfaces of different pixel sizes.
void copy_rect(Surface& dest, long long dx, long long dy, const Surface& src, const Span& sr,
               bool use_key) {
    if (sr.right <= sr.left || sr.bottom <= sr.top) return;
    if (sr.left < 0 || sr.top < 0 || sr.right > src.width || sr.bottom > src.height) return;
    const int w = static_cast<int>(sr.right - sr.left);
    const int h = static_cast<int>(sr.bottom - sr.top);
    if (dx < 0 || dy < 0 || dx + w > dest.width || dy + h > dest.height) return;
    const int bpp = src.bytes_per_pixel();
    if (bpp != dest.bytes_per_pixel()) return;
    const size_t row_bytes = static_cast<size_t>(w) * bpp;
    const size_t src_left = static_cast<size_t>(sr.left) * bpp;

    // A copy within one surface may overlap: read from a copy of the rows it reads.
    std::vector<uint8_t> snapshot;
    const uint8_t* src_base = src.pixels.data() + static_cast<size_t>(sr.top) * src.pitch;
    if (&src == &dest) {
        snapshot.assign(src_base, src_base + static_cast<size_t>(h) * src.pitch);
        src_base = snapshot.data();
    }
    const ColourKey key{src.colorkey & pixel_codec::value_mask(bpp)};
    // Held here: the destination's spans go now, and it may be the source.
    std::shared_ptr<const KeySpans> spans;
    if (use_key && src.has_colorkey) spans = key_spans_for(src, key.value);
    // An image without a key pixel (a backdrop) copies like an unkeyed one.
    if (spans != nullptr && spans->opaque) spans.reset();
    const KeyedRow compare_row = keyed_row_for(bpp);
    dest.pixels_changed();

    for (int y = 0; y < h; ++y) {
        const uint8_t* s = src_base + static_cast<size_t>(y) * src.pitch;
        uint8_t* d = dest.pixels.data() + static_cast<size_t>(dy + y) * dest.pitch + static_cast<size_t>(dx) * bpp;
        if (spans == nullptr)
            std::memcpy(d, s + src_left, row_bytes);
        else
            keyed_row_copy(*spans, static_cast<size_t>(sr.top + y), d, s, static_cast<size_t>(sr.left),
                           static_cast<size_t>(sr.right), static_cast<size_t>(bpp), compare_row, key);
    }
}

}  // namespace

BOOL DirectDrawWin::BltSurface(Surface* dest, Surface* src, int xpos, int ypos, BOOL srccolorkey) {
    if (dest == nullptr || src == nullptr) return 0;
    const long long W = dest->width, H = dest->height;
    const long long w = src->width, h = src->height;
    long long x = xpos, y = ypos;
    Span srect{0, 0, w, h};
    if (x >= W || y >= H || x + w <= 0 || y + h <= 0) return 0;
    if (x + w > W) srect.right -= x + w - W;
    if (y + h > H) srect.bottom -= y + h - H;
    // Both copy paths of a blitter give the same pixels; one primitive serves them.
    if (x < 0) {
        srect.left = -x;
        x = 0;
    }
    if (y < 0) {
        srect.top = -y;
        y = 0;
    }
    copy_rect(*dest, x, y, *src, srect, srccolorkey != 0);
    return 1;
}

BOOL DirectDrawWin::BltSurface(Surface* dest, Surface* src, int xpos, int ypos, BOOL srccolorkey,
                               const RECT* clip) {
    if (dest == nullptr || src == nullptr) return 0;
    if (clip == nullptr) return BltSurface(dest, src, xpos, ypos, srccolorkey);
    long long x = static_cast<long long>(xpos) + clip->left;
    long long y = static_cast<long long>(ypos) + clip->top;
    const long long w = src->width, h = src->height;
    Span srect{0, 0, w, h};
    if (x + w > clip->right) srect.right -= x + w - clip->right;
    if (y + h > clip->bottom) srect.bottom -= y + h - clip->bottom;
    if (x < clip->left) {
        srect.left = clip->left - x;
        x = clip->left;
    }
    if (y < clip->top) {
        srect.top = clip->top - y;
        y = clip->top;
    }
    // No early rejection: an emptied source rectangle simply draws nothing.
    copy_rect(*dest, x, y, *src, srect, srccolorkey != 0);
    return 1;
}

BOOL DirectDrawWin::ClearSurface(Surface* surf, uint32_t color, const RECT* rect) {
    if (surf == nullptr) return 0;
    const RECT r = rect != nullptr ? *rect : RECT{0, 0, surf->width, surf->height};
    // A fill outside the surface is refused, as a blitter would.
    if (r.left < 0 || r.top < 0 || r.right > surf->width || r.bottom > surf->height ||
        r.left > r.right || r.top > r.bottom)
        return 0;
    const int bpp = surf->bytes_per_pixel();
    const uint32_t v = color & pixel_codec::value_mask(bpp);
    if (r.right == r.left || r.bottom == r.top) return 1;
    uint8_t pattern[4];
    for (int i = 0; i < 4; ++i) pattern[i] = static_cast<uint8_t>(v >> (8 * i));
    // Fill the first row pixel by pixel, then copy it down.
    const size_t row_bytes = static_cast<size_t>(r.right - r.left) * bpp;
    uint8_t* first = surf->row(r.top) + static_cast<size_t>(r.left) * bpp;
    if (bpp == 1) {
        std::memset(first, pattern[0], row_bytes);
    } else {
        for (size_t i = 0; i < row_bytes; i += static_cast<size_t>(bpp))
            std::memcpy(first + i, pattern, static_cast<size_t>(bpp));
    }
    for (int y = r.top + 1; y < r.bottom; ++y)
        std::memcpy(surf->row(y) + static_cast<size_t>(r.left) * bpp, first, row_bytes);
    return 1;
}

BOOL DirectDrawWin::ClearSurface(Surface* surf, int r, int g, int b, const RECT* rect) {
    if (surf == nullptr) return 0;
    return ClearSurface(surf, RGBtoPixel(r, g, b), rect);
}
