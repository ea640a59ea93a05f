#include "picture_probe.h"

#include <cstring>

#include "display/Surface.h"
#include "sprites/Sprite.h"

namespace bench {
namespace {
constexpr int kFieldTop = 32, kFieldBottom = 448, kFieldRight = 640;

uint16_t pixel_at(const uint8_t* row, int x) {
    uint16_t v = 0;
    std::memcpy(&v, row + 2 * x, 2);
    return v;
}
}  // namespace

ImageMatch find_sprite(const PresentedPicture& picture, const Sprite& sprite, int x0, int x1, int y0, int y1,
                       double tolerance) {
    ImageMatch best;
    const Sprite::frame* f = sprite.current_frame();
    if (f == nullptr || f->surface == nullptr || f->surface->bytes_per_pixel() != 2 || picture.pixels == nullptr)
        return best;
    const Surface& image = *f->surface;
    const uint32_t key = image.has_colorkey ? image.colorkey : 0x07E0;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            long opaque = 0, differ = 0;
            for (int iy = 0; iy < image.height; ++iy) {
                const int sy = kFieldTop + y + f->yoffset + iy;
                if (sy < kFieldTop || sy >= kFieldBottom || sy >= picture.height) continue;
                const uint8_t* in = image.row(iy);
                const uint8_t* out = picture.pixels + static_cast<size_t>(sy) * picture.pitch;
                for (int ix = 0; ix < image.width; ++ix) {
                    const int sx = x + f->xoffset + ix;
                    if (sx < 0 || sx >= kFieldRight || sx >= picture.width) continue;
                    const uint16_t v = pixel_at(in, ix);
                    if (v == key) continue;
                    ++opaque;
                    differ += pixel_at(out, sx) != v;
                }
            }
            // Too little of it on screen to tell it from anything else.
            if (opaque < 16) continue;
            const double share = double(differ) / double(opaque);
            if (share < best.mismatch) best = {share <= tolerance, x, y, share};
        }
    return best;
}

}  // namespace bench
