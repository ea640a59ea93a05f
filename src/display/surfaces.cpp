// Off-screen surfaces, the flipping pair, surface queries and the per-frame
// lost-surface check.
#include <algorithm>
#include <new>

#include "display/DirectDrawWin.h"
#include "display/key_spans.h"
#include "display/pixel_codec.h"

namespace {
constexpr int kMaxSide = 16384;
constexpr long long kMaxPixels = 64LL * 1024 * 1024;
// All surfaces of a window together. A bitmap header of a few bytes may claim
// the largest picture, and a sprite has up to 99 frames: without a budget a
// small data set could make us allocate gigabytes.
constexpr size_t kMaxLiveBytes = size_t(256) << 20;

size_t live_bytes(const std::unordered_set<Surface*>& live) {
    size_t total = 0;
    for (const Surface* s : live) total += s->pixels.size();
    return total;
}
}  // namespace

Surface* DirectDrawWin::CreateSurface(int width, int height, int /*memflag*/) {
    // Sizes come straight from bitmap headers: refuse what no picture can be.
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) return nullptr;
    if (static_cast<long long>(width) * height > kMaxPixels) return nullptr;
    auto* s = new (std::nothrow) Surface;
    if (s == nullptr) return nullptr;
    s->width = width;
    s->height = height;
    s->format = pixelformat;
    // Rows padded to 4 bytes, so pitch and width * bytes per pixel differ for
    // odd widths, as they do on real display memory.
    s->pitch = (width * s->bytes_per_pixel() + 3) & ~3;
    const size_t bytes = static_cast<size_t>(s->pitch) * static_cast<size_t>(height);
    if (bytes > kMaxLiveBytes - std::min(kMaxLiveBytes, live_bytes(live_surfaces))) {
        delete s;
        return nullptr;
    }
    try {
        s->pixels.assign(static_cast<size_t>(s->pitch) * height, 0);
    } catch (const std::bad_alloc&) {
        delete s;
        return nullptr;
    }
    live_surfaces.insert(s);
    return s;
}

void DirectDrawWin::ReleaseSurface(Surface* surface) {
    if (surface == nullptr) return;
    // The back buffer belongs to the chain and goes only with the primary.
    if (surface == backsurf) return;
    if (surface == primsurf) {
        ReleaseFlippingPair();
        return;
    }
    live_surfaces.erase(surface);
    delete surface;
}

void DirectDrawWin::ReleaseFlippingPair() {
    for (Surface** s : {&backsurf, &primsurf}) {
        if (*s == nullptr) continue;
        live_surfaces.erase(*s);
        delete *s;
        *s = nullptr;
    }
}

BOOL DirectDrawWin::CreateFlippingSurfaces() {
    if (primsurf != nullptr) ReleaseFlippingPair();
    const int w = displayrect.right - displayrect.left;
    const int h = displayrect.bottom - displayrect.top;
    primsurf = CreateSurface(w, h);
    if (primsurf == nullptr) return 0;
    backsurf = CreateSurface(w, h);
    if (backsurf == nullptr) return 0;  // the primary stays, as the contract says
    primsurf->palette = palette;
    ClearSurface(primsurf, 0u, nullptr);
    ClearSurface(backsurf, 0u, nullptr);
    flipped_once = false;
    front_presented_once = false;
    shown.valid = false;
    return 1;
}

BOOL DirectDrawWin::GetSurfaceDimensions(const Surface* surf, uint32_t& width, uint32_t& height) {
    if (surf == nullptr) return 0;
    width = static_cast<uint32_t>(surf->width);
    height = static_cast<uint32_t>(surf->height);
    return 1;
}

BOOL DirectDrawWin::GetSurfaceRect(const Surface* surf, RECT& rect) {
    if (surf == nullptr) return 0;
    rect = RECT{0, 0, surf->width, surf->height};
    return 1;
}

BOOL DirectDrawWin::SetColorKey(Surface* surf, uint32_t key) {
    if (surf == nullptr) return 0;
    surf->has_colorkey = true;
    surf->colorkey = key;
    // Images get their key when loaded: work out where it is now, not in the
    // frame that first draws them.
    key_spans_for(*surf, key & pixel_codec::value_mask(surf->bytes_per_pixel()));
    return 1;
}

BOOL DirectDrawWin::PreDrawScene() {
    if (windowactive == 0) return 0;
    // Memory surfaces are never lost here; the check stays for back ends that can lose them.
    bool restored = false;
    if (primsurf != nullptr && primsurf->lost) {
        primsurf->lost = false;
        restored = true;
    }
    if (backsurf != nullptr && backsurf->lost) {
        backsurf->lost = false;
        restored = true;
    }
    if (restored) RestoreSurfaces();
    return windowactive;
}
