// Rectangle copies with clipping and source colour key, and colour fills.
#include <cstring>
#include <vector>

#include "display/DirectDrawWin.h"
#include "display/pixel_codec.h"

namespace {

// Rectangle arithmetic in 64 bits, so that no position a caller passes can overflow.
struct Span {
    long long left, top, right, bottom;
};

// The copy primitive: `src_rect` of `src` to (dx, dy) of `dest`. Like a
// hardware blitter it refuses (draws nothing) a rectangle that does not lie
// wholly inside either surface, or surfaces of different pixel sizes.
void copy_rect(Surface& dest, long long dx, long long dy, const Surface& src, const Span& sr,
               bool use_key) {
    if (sr.right <= sr.left || sr.bottom <= sr.top) return;
    if (sr.left < 0 || sr.top < 0 || sr.right > src.width || sr.bottom > src.height) return;
    const int w = static_cast<int>(sr.right - sr.left);
    const int h = static_cast<int>(sr.bottom - sr.top);
    if (dx < 0 || dy < 0 || dx + w > dest.width || dy + h > dest.height) return;
    const RECT src_rect{static_cast<int>(sr.left), static_cast<int>(sr.top),
                        static_cast<int>(sr.right), static_cast<int>(sr.bottom)};
    const int bpp = src.bytes_per_pixel();
    if (bpp != dest.bytes_per_pixel()) return;

    // A copy within one surface may overlap: read from a snapshot.
    std::vector<uint8_t> snapshot;
    const uint8_t* src_base = src.pixels.data();
    if (&src == &dest) {
        snapshot = src.pixels;
        src_base = snapshot.data();
    }
    const size_t row_bytes = static_cast<size_t>(w) * bpp;
    const bool keyed = use_key && src.has_colorkey;
    const uint32_t key = src.colorkey & pixel_codec::value_mask(bpp);

    for (int y = 0; y < h; ++y) {
        const uint8_t* s = src_base + static_cast<size_t>(src_rect.top + y) * src.pitch +
                           static_cast<size_t>(src_rect.left) * bpp;
        uint8_t* d = dest.row(static_cast<int>(dy) + y) + static_cast<size_t>(dx) * bpp;
        if (!keyed) {
            std::memcpy(d, s, row_bytes);
            continue;
        }
        for (int x = 0; x < w; ++x, s += bpp, d += bpp) {
            uint32_t v = 0;
            for (int i = 0; i < bpp; ++i) v |= uint32_t(s[i]) << (8 * i);
            if (v != key) std::memcpy(d, s, static_cast<size_t>(bpp));
        }
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
    uint8_t pattern[4];
    for (int i = 0; i < 4; ++i) pattern[i] = static_cast<uint8_t>(v >> (8 * i));
    for (int y = r.top; y < r.bottom; ++y) {
        uint8_t* d = surf->row(y) + static_cast<size_t>(r.left) * bpp;
        for (int x = r.left; x < r.right; ++x, d += bpp) std::memcpy(d, pattern, static_cast<size_t>(bpp));
    }
    return 1;
}

BOOL DirectDrawWin::ClearSurface(Surface* surf, int r, int g, int b, const RECT* rect) {
    if (surf == nullptr) return 0;
    return ClearSurface(surf, RGBtoPixel(r, g, b), rect);
}
