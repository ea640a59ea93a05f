#include "display/screenshot.h"

#include <vector>

#include "display/pixel_codec.h"
#include "util/png_write.h"

bool save_surface_png(const Surface& surface, const Palette* palette, const std::string& path) {
    if (surface.width <= 0 || surface.height <= 0) return false;
    if (surface.pixels.size() < static_cast<size_t>(surface.pitch) * surface.height) return false;
    std::vector<uint8_t> rgb(static_cast<size_t>(surface.width) * surface.height * 3);
    size_t o = 0;
    for (int y = 0; y < surface.height; ++y)
        for (int x = 0; x < surface.width; ++x, o += 3)
            pixel_codec::decode(surface.format, palette, surface.get_pixel(x, y), rgb[o], rgb[o + 1],
                                rgb[o + 2]);
    return write_png_rgb(path, surface.width, surface.height, rgb);
}
