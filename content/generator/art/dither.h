// Ordered dithering to the 16-bit display's colour grid: 5 bits of red and
// blue, 6 of green. The game converts every colour to that grid by dropping
// low bits, so a smooth gradient would show in bands; dithered when it is
// made, it shows as a fine even pattern instead, and the display keeps every
// pixel as it is. An 8 x 8 threshold matrix tiled from (0, 0): the same
// picture always gives the same pixels, and pictures whose width is a multiple
// of 8 repeat without a seam.
#pragma once

#include <cstdint>

#include "writers/bmp_writer.h"

namespace art {

class Canvas;

// The 0..255 value of a level of an n-bit channel, as the display widens it
// back (dropping the low bits of the result gives the level again).
uint8_t grid_value(int level, int bits);

// The dithered level (0 .. 2^bits - 1) of a 0..1 channel value at (x, y).
int dithered_level(double value, int bits, int x, int y);

// Every pixel's colour moved to the grid (alpha is left alone).
void dither_565(Canvas& canvas);
void dither_565(writers::Image& image);

}  // namespace art
