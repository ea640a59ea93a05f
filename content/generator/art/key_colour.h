// The transparent key colour and how partly covered pixels resolve against
// it. No cairo here: the pixels come in as premultiplied ARGB words (cairo's
// image format), so this part is usable and testable on its own.
#pragma once

#include <cstdint>
#include <vector>

#include "writers/bmp_writer.h"

namespace art {

inline constexpr writers::Rgb kKeyColour{0, 255, 0};
inline constexpr writers::Rgb kBlack{0, 0, 0};

// How a partly covered pixel of a sprite becomes all or nothing.
enum class Edges {
    Threshold,  // covered at least half: opaque
    Dither,     // ordered 4 x 4 dither by coverage: soft edges, smoke, fading light
};

// True when a 15- or 16-bit display turns `c` into the same pixel as `key`.
bool collides_with_key(writers::Rgb c, writers::Rgb key);
// `c` moved just far enough from `key` that no display depth confuses them.
writers::Rgb away_from_key(writers::Rgb c, writers::Rgb key);

// Premultiplied ARGB words (alpha in the top byte), `stride` words a row, to
// an image of `key` and opaque colours: covered pixels keep their own colour
// (un-premultiplied, never mixed with the key), colours close to the key are
// moved away from it, and with `key_corner` the top-left pixel becomes `key`.
writers::Image resolve_coverage(const uint32_t* argb, int width, int height, int stride, writers::Rgb key,
                                Edges edges, bool key_corner);
// The same words laid over an opaque background colour.
writers::Image flatten(const uint32_t* argb, int width, int height, int stride, writers::Rgb background);

// At most 256 colours, `exact` colours first and unchanged, no other entry
// colliding with the first of them.
writers::IndexedImage palettise(const writers::Image& image, const std::vector<writers::Rgb>& exact);

}  // namespace art
