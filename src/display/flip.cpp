// Showing the picture: the flip of the screen pair, paced like a 60 Hz display.
#include <array>
#include <utility>

#include "display/DirectDrawWin.h"
#include "platform/platform.h"

namespace {
constexpr uint64_t kRefreshUs = 16667;

void show(const Surface& s, const Palette* palette) {
    platform::FrameFormat format;
    format.depth = static_cast<int>(s.format.depth);
    format.rmask = s.format.rmask;
    format.gmask = s.format.gmask;
    format.bmask = s.format.bmask;
    std::array<uint32_t, 256> colours{};
    if (s.format.depth == 8) {
        if (palette != nullptr)
            for (size_t i = 0; i < colours.size(); ++i) {
                const Palette::Entry& e = palette->entries[i];
                colours[i] = uint32_t(e.red) << 16 | uint32_t(e.green) << 8 | e.blue;
            }
        format.palette = colours.data();
    }
    platform::backend().present(s.pixels.data(), s.pitch, s.width, s.height, format);
}
}  // namespace

BOOL DirectDrawWin::Flip() {
    if (primsurf == nullptr || backsurf == nullptr) return 0;
    // Swapping the buffers, not the surfaces: primsurf and backsurf stay valid.
    std::swap(primsurf->pixels, backsurf->pixels);
    platform::Backend& be = platform::backend();
    if (flipped_once) be.wait_until_us(last_flip_us + kRefreshUs);
    last_flip_us = be.now_us();
    flipped_once = true;
    if (overlay) {
        Surface picture = *primsurf;
        overlay(picture);
        show(picture, palette);
    } else {
        show(*primsurf, palette);
    }
    return 1;
}

BOOL DirectDrawWin::PresentFront() {
    if (primsurf == nullptr) return 0;
    // The loading bar grows once per sprite definition, far faster than a
    // screen refreshes; showing every step cost more than the load itself.
    platform::Backend& be = platform::backend();
    const uint64_t now = be.now_us();
    if (front_presented_once && now - last_front_present_us < kRefreshUs) return 1;
    last_front_present_us = now;
    front_presented_once = true;
    show(*primsurf, palette);
    return 1;
}

BOOL DirectDrawWin::PresentSurface(const Surface& picture) {
    if (primsurf == nullptr) return 0;
    show(picture, palette);
    return 1;
}
