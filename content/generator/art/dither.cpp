#include "generator/art/dither.h"

#include <algorithm>
#include <cmath>

namespace art {

namespace {

// The 8 x 8 Bayer matrix: thresholds 0..63 spread so every 2 x 2, 4 x 4 and
// 8 x 8 block holds an even mix.
constexpr int kBayer8[8][8] = {
    {0, 32, 8, 40, 2, 34, 10, 42},  {48, 16, 56, 24, 50, 18, 58, 26}, {12, 44, 4, 36, 14, 46, 6, 38},
    {60, 28, 52, 20, 62, 30, 54, 22}, {3, 35, 11, 43, 1, 33, 9, 41},  {51, 19, 59, 27, 49, 17, 57, 25},
    {15, 47, 7, 39, 13, 45, 5, 37},  {63, 31, 55, 23, 61, 29, 53, 21}};

double bayer_threshold(int x, int y) { return (kBayer8[y & 7][x & 7] + 0.5) / 64.0; }

}  // namespace

uint8_t grid_value(int level, int bits) {
    const int top = (1 << bits) - 1;
    return uint8_t(std::lround(std::clamp(level, 0, top) * 255.0 / top));
}

int dithered_level(double value, int bits, int x, int y) {
    const int top = (1 << bits) - 1;
    // A colour already on the grid stays where it is.
    const int byte = int(std::lround(std::clamp(value, 0.0, 1.0) * 255));
    const int nearest = int(std::lround(byte * top / 255.0));
    if (grid_value(nearest, bits) == byte) return nearest;
    const double scaled = std::clamp(value, 0.0, 1.0) * top;
    const int base = int(std::floor(scaled));
    return std::min(top, base + (scaled - base > bayer_threshold(x, y) ? 1 : 0));
}

void dither_565(writers::Image& image) {
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            writers::Rgb& p = image.at(x, y);
            p.r = grid_value(dithered_level(p.r / 255.0, 5, x, y), 5);
            p.g = grid_value(dithered_level(p.g / 255.0, 6, x, y), 6);
            p.b = grid_value(dithered_level(p.b / 255.0, 5, x, y), 5);
        }
}

}  // namespace art
