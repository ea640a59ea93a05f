// The headers of a bitmap file, judged before the loader allocates anything:
// what it will refuse anyway (its form, its depth on this display, its size)
// costs no surface.
#pragma once

#include <cstddef>
#include <cstdint>

#include "display/types.h"

namespace bitmap_header {

// The 14-byte file header and the 40-byte info header.
constexpr size_t kBytes = 54;

// The largest picture the loader takes. The game shows nothing larger than
// its 640 x 480 screen (307,200 pixels, also its largest picture); a sprite
// may be wider than the screen and scroll through it, so a side may be as
// long as a surface's, and a strip that long and a screen high still fits
// (16384 x 512). 8 M pixels is 27 screens, 16 MiB in the game's 16 bits.
constexpr int kMaxSide = 16384;
constexpr int64_t kMaxPixels = int64_t{8} << 20;

enum class Verdict {
    Loadable,
    NotBitmap,    // no "BM", or not even a whole file header's dimensions
    CutShort,     // the file ends inside its headers
    NoPixels,     // a width or height of 0 or less (a negative height is stored top-down)
    TooLarge,     // beyond kMaxSide or kMaxPixels
    Compressed,
    Depth,        // bits per pixel this display's conversions do not take
};

// The info header of a file's first kBytes bytes.
BITMAPINFOHEADER info_of(const uint8_t* bytes);

// Whether the loader converts pictures of `file_bits` per pixel to a display
// of `display_depth` bits (8 to 8, 15 or 16; 24 to 15, 16, 24 or 32).
bool converts(int file_bits, uint32_t display_depth);

// The loader's verdict on a file whose first `size` bytes (up to kBytes) are
// `bytes`, for a display of `display_depth` bits.
Verdict judge(const uint8_t* bytes, size_t size, uint32_t display_depth);

}  // namespace bitmap_header
