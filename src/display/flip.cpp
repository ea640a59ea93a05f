// Showing the picture: the flip of the screen pair, paced like a 60 Hz display.
#include <array>
#include <cstring>
#include <utility>

#include "display/DirectDrawWin.h"
#include "platform/platform.h"

namespace {
constexpr uint64_t kRefreshUs = 16667;

std::array<uint32_t, 256> palette_colours(const Palette* palette) {
    std::array<uint32_t, 256> colours{};
    if (palette != nullptr)
        for (size_t i = 0; i < colours.size(); ++i) {
            const Palette::Entry& e = palette->entries[i];
            colours[i] = uint32_t(e.red) << 16 | uint32_t(e.green) << 8 | e.blue;
        }
    return colours;
}
}  // namespace

// Hands the picture to the back end unless it is the one shown last: a menu
// redraws the same picture every frame, and an upload and a scaled draw of
// the whole screen cost far more than comparing it.
void DirectDrawWin::show(const Surface& s) {
    const std::array<uint32_t, 256> colours = palette_colours(palette);
    const bool paletted = s.format.depth == 8;
    const bool same = shown.valid && shown.width == s.width && shown.height == s.height &&
                      shown.pitch == s.pitch && shown.depth == s.format.depth && shown.pixels == s.pixels &&
                      (!paletted || shown.colours == colours);
    if (same) return;
    shown.valid = true;
    shown.width = s.width;
    shown.height = s.height;
    shown.pitch = s.pitch;
    shown.depth = s.format.depth;
    shown.pixels = s.pixels;
    shown.colours = colours;

    platform::FrameFormat format;
    format.depth = static_cast<int>(s.format.depth);
    format.rmask = s.format.rmask;
    format.gmask = s.format.gmask;
    format.bmask = s.format.bmask;
    if (paletted) format.palette = colours.data();
    platform::backend().present(s.pixels.data(), s.pitch, s.width, s.height, format);
}

BOOL DirectDrawWin::Flip() {
    if (primsurf == nullptr || backsurf == nullptr) return 0;
    // Swapping the buffers, not the surfaces: primsurf and backsurf stay valid.
    std::swap(primsurf->pixels, backsurf->pixels);
    primsurf->pixels_changed();
    backsurf->pixels_changed();
    platform::Backend& be = platform::backend();
    // Only menus flip faster than a screen refreshes; nothing needs the
    // moment exactly, so this wait never spins.
    if (flipped_once) be.sleep_until_us(last_flip_us + kRefreshUs);
    last_flip_us = be.now_us();
    flipped_once = true;
    show(*primsurf);
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
    show(*primsurf);
    return 1;
}
