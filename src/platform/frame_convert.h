// Finished pictures in any display format to 32-bit XRGB for the screen.
#pragma once

#include <cstdint>

#include "platform/platform.h"

namespace platform {

// True when the picture's pixels are 16-bit 5-6-5 and can be shown as they are.
bool is_rgb565(const FrameFormat& format);

// Converts a width x height picture (rows `pitch` bytes apart) to packed
// 0x00RRGGBB pixels in `out` (width * height entries). 8-bit pictures go
// through the palette (a grey ramp without one).
void frame_to_xrgb(const void* pixels, int pitch, int width, int height, const FrameFormat& format,
                   uint32_t* out);
// The same for a 5-6-5 picture (what frame_to_xrgb does for one).
void rgb565_to_xrgb(const uint8_t* pixels, int pitch, int width, int height, uint32_t* out);

}  // namespace platform
