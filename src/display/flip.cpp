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

void present_surface(const Surface& s, const std::array<uint32_t, 256>& colours) {
    platform::FrameFormat format;
    format.depth = static_cast<int>(s.format.depth);
    format.rmask = s.format.rmask;
    format.gmask = s.format.gmask;
    format.bmask = s.format.bmask;
    if (s.format.depth == 8) format.palette = colours.data();
    platform::backend().present(s.pixels.data(), s.pitch, s.width, s.height, format);
}
}  // namespace

bool DirectDrawWin::front_is_shown(const std::array<uint32_t, 256>& colours) const {
    return shown.valid && primsurf->pixels.data() == shown.buffer && primsurf->changes == shown.changes &&
           (primsurf->format.depth != 8 || shown.colours == colours);
}

void DirectDrawWin::note_shown(const std::array<uint32_t, 256>& colours) {
    shown.valid = true;
    shown.buffer = primsurf->pixels.data();
    shown.changes = primsurf->changes;
    shown.colours = colours;
}

void DirectDrawWin::show(const std::array<uint32_t, 256>& colours) {
    present_surface(*primsurf, colours);
    note_shown(colours);
}

BOOL DirectDrawWin::Flip() {
    if (primsurf == nullptr || backsurf == nullptr) return 0;
    // A menu draws the same picture every frame; an upload and a scaled draw
    // of the whole screen cost far more than comparing it with the one the
    // front surface still holds.
    const std::array<uint32_t, 256> colours = palette_colours(palette);
    const bool unchanged = front_is_shown(colours) && backsurf->pixels == primsurf->pixels;
    swap_pair();
    platform::Backend& be = platform::backend();
    // Only menus flip faster than a screen refreshes; nothing needs the
    // moment exactly, so this wait never spins.
    if (flipped_once) be.sleep_until_us(last_flip_us + kRefreshUs);
    last_flip_us = be.now_us();
    flipped_once = true;
    if (overlay) show_with_overlay(colours);
    else if (unchanged) note_shown(colours);
    else show(colours);
    return 1;
}

void DirectDrawWin::swap_pair() {
    // Swapping the buffers, not the surfaces: primsurf and backsurf stay valid.
    std::swap(primsurf->pixels, backsurf->pixels);
    primsurf->pixels_changed();
    backsurf->pixels_changed();
}

void DirectDrawWin::show_with_overlay(const std::array<uint32_t, 256>& colours) {
    Surface picture = *primsurf;
    overlay(picture);
    present_surface(picture, colours);
    shown.valid = false;  // the window holds more than the front surface
}

BOOL DirectDrawWin::SwapBuffers() {
    if (primsurf == nullptr || backsurf == nullptr) return 0;
    swap_pair();
    return 1;
}

BOOL DirectDrawWin::ShowFront() {
    if (primsurf == nullptr) return 0;
    const std::array<uint32_t, 256> colours = palette_colours(palette);
    if (overlay) show_with_overlay(colours);
    else show(colours);
    return 1;
}

BOOL DirectDrawWin::PresentFront() {
    if (primsurf == nullptr) return 0;
    // The loading bar grows once per sprite definition, far faster than a
    // screen refreshes; showing every step cost more than the load itself.
    platform::Backend& be = platform::backend();
    const uint64_t now = be.now_us();
    if (front_presented_once && now - last_front_present_us < kRefreshUs) return 1;
    const std::array<uint32_t, 256> colours = palette_colours(palette);
    if (front_is_shown(colours)) return 1;  // nothing drawn on it since
    last_front_present_us = now;
    front_presented_once = true;
    show(colours);
    return 1;
}

BOOL DirectDrawWin::PresentSurface(const Surface& picture) {
    if (primsurf == nullptr) return 0;
    present_surface(picture, palette_colours(palette));
    shown.valid = false;
    return 1;
}
