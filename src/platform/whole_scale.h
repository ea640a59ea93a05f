// Enlarging a finished picture by a whole multiple with nearest sampling, for
// renderers that would do it a pixel at a time (SDL's software renderer).
#pragma once

#include <cstddef>
#include <cstdint>

namespace platform {

// `src`: src_w x src_h pixels, rows packed. Writes (src_w * factor) x
// (src_h * factor) pixels to `dst`, whose rows are `dst_pitch` bytes apart.
// Factors and sizes below 1 do nothing.
void scale_whole(const uint32_t* src, int src_w, int src_h, int factor, uint32_t* dst, size_t dst_pitch);
// The same from 5-6-5 pixels, converted as rgb565_to_xrgb converts them.
// With `rows` (src_h flags), only the picture rows flagged are written.
void scale_whole_565(const uint16_t* src, int src_w, int src_h, int factor, uint32_t* dst, size_t dst_pitch,
                     const uint8_t* rows = nullptr);

}  // namespace platform
