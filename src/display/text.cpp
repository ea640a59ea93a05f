// Text on a surface: the platform's coverage mask blended in the surface's format.
#include <algorithm>

#include "display/DirectDrawWin.h"
#include "display/pixel_codec.h"
#include "platform/platform.h"

namespace {
uint8_t mix(uint8_t under, int over, int alpha) {
    return static_cast<uint8_t>((under * (255 - alpha) + std::clamp(over, 0, 255) * alpha + 127) / 255);
}
}  // namespace

BOOL DirectDrawWin::DrawText(Surface* surf, int x, int y, const std::string& text, int r, int g,
                             int b, int cell_height) {
    if (surf == nullptr) return 0;
    platform::TextMask mask;
    if (!platform::render_text(text, cell_height, mask)) return 0;

    const PixelFormat& f = surf->format;
    const bool palettised = f.depth == 8;
    // Palettised surfaces cannot blend: a glyph pixel is either the nearest
    // palette colour or left alone.
    const uint32_t solid = palettised ? RGBtoPixel(r, g, b) : 0;

    const int x0 = std::max(0, -x), y0 = std::max(0, -y);
    const int x1 = std::min(mask.width, surf->width - x);
    const int y1 = std::min(mask.height, surf->height - y);
    for (int my = y0; my < y1; ++my) {
        for (int mx = x0; mx < x1; ++mx) {
            const int a = mask.alpha[static_cast<size_t>(my) * mask.width + mx];
            if (a == 0) continue;
            const int sx = x + mx, sy = y + my;
            if (palettised) {
                if (a >= 128) surf->put_pixel(sx, sy, solid);
                continue;
            }
            uint8_t ur = 0, ug = 0, ub = 0;
            pixel_codec::decode(f, nullptr, surf->get_pixel(sx, sy), ur, ug, ub);
            surf->put_pixel(sx, sy, pixel_codec::encode(f, mix(ur, r, a), mix(ug, g, a), mix(ub, b, a)));
        }
    }
    return 1;
}
