// An off-screen or screen surface: a rectangle of pixels in the display's pixel
// format, kept in memory, with an optional single-value source colour key.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

struct PixelFormat {
    uint32_t depth = 16;  // bits per pixel: 8, 15, 16, 24 or 32
    uint32_t rmask = 0xF800;
    uint32_t gmask = 0x07E0;
    uint32_t bmask = 0x001F;

    int bytes_per_pixel() const { return depth == 15 ? 2 : static_cast<int>((depth + 7) / 8); }
};

// A 256-entry display palette (8-bit modes).
struct Palette {
    struct Entry {
        uint8_t red = 0, green = 0, blue = 0, flags = 0;
    };
    std::array<Entry, 256> entries{};
};

struct KeySpans;  // display/key_spans.h

struct Surface {
    int width = 0;
    int height = 0;
    int pitch = 0;  // bytes per row, at least width * bytes per pixel
    PixelFormat format;
    std::vector<uint8_t> pixels;  // pitch * height bytes

    bool has_colorkey = false;
    uint32_t colorkey = 0;  // source colour key, low == high
    bool lost = false;      // screen surfaces only
    Palette* palette = nullptr;  // attached palette (primary surface in 8-bit modes)

    // Where the pixels differ from the colour key, row by row: worked out at
    // the first keyed copy from the surface, so later copies skip the key.
    // Writing through row() or put_pixel drops it and counts a change;
    // whoever writes to `pixels` directly must call pixels_changed().
    mutable std::shared_ptr<const KeySpans> key_spans;
    uint64_t changes = 0;  // how the front surface is known to be the picture shown
    void pixels_changed() {
        key_spans.reset();
        ++changes;
    }

    int bytes_per_pixel() const { return format.bytes_per_pixel(); }
    uint8_t* row(int y) {
        pixels_changed();
        return pixels.data() + static_cast<size_t>(y) * pitch;
    }
    const uint8_t* row(int y) const { return pixels.data() + static_cast<size_t>(y) * pitch; }

    // Whole-pixel access; the caller keeps (x, y) inside the surface.
    uint32_t get_pixel(int x, int y) const;
    void put_pixel(int x, int y, uint32_t value);
};

inline uint32_t Surface::get_pixel(int x, int y) const {
    const uint8_t* p = row(y) + static_cast<size_t>(x) * bytes_per_pixel();
    switch (bytes_per_pixel()) {
        case 1: return p[0];
        case 2: return uint32_t(p[0]) | uint32_t(p[1]) << 8;
        case 3: return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16;
        default: return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
    }
}

inline void Surface::put_pixel(int x, int y, uint32_t value) {
    uint8_t* p = row(y) + static_cast<size_t>(x) * bytes_per_pixel();
    for (int i = 0; i < bytes_per_pixel(); ++i) p[i] = static_cast<uint8_t>(value >> (8 * i));
}
