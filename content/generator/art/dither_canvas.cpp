// The canvas side of the dithering (the rest needs no cairo).
#include "generator/art/canvas.h"
#include "generator/art/dither.h"

namespace art {

void dither_565(Canvas& canvas) {
    canvas.map_pixels([](int x, int y, Color& p) {
        if (p.a <= 0) return;
        p.r = grid_value(dithered_level(p.r, 5, x, y), 5) / 255.0;
        p.g = grid_value(dithered_level(p.g, 6, x, y), 6) / 255.0;
        p.b = grid_value(dithered_level(p.b, 5, x, y), 5) / 255.0;
    });
}

}  // namespace art
