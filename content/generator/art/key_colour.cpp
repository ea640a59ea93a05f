#include "generator/art/key_colour.h"

#include <algorithm>
#include <cmath>

namespace art {

namespace {
constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

uint8_t unpremultiply(uint32_t channel, uint32_t alpha) {
    return uint8_t(std::min(255.0, std::round(double(channel) * 255.0 / double(alpha))));
}
}  // namespace

bool collides_with_key(writers::Rgb c, writers::Rgb key) {
    // Five bits per channel is the coarsest format the game can run in; a
    // colour that matches there matches in 5-6-5 too.
    return (c.r >> 3) == (key.r >> 3) && (c.g >> 3) == (key.g >> 3) && (c.b >> 3) == (key.b >> 3);
}

writers::Rgb away_from_key(writers::Rgb c, writers::Rgb key) {
    if (!collides_with_key(c, key)) return c;
    const auto push = [](uint8_t v, uint8_t k) {
        return uint8_t(k >= 128 ? std::max(0, v - 14) : std::min(255, v + 14));
    };
    const bool has_full = key.r == 255 || key.g == 255 || key.b == 255;
    if (has_full) {
        // A bright key (pure green): dim only its full channels.
        if (key.r == 255) c.r = push(c.r, key.r);
        if (key.g == 255) c.g = push(c.g, key.g);
        if (key.b == 255) c.b = push(c.b, key.b);
    } else {
        c.r = push(c.r, key.r);
        c.g = push(c.g, key.g);
        c.b = push(c.b, key.b);
    }
    return c;
}

writers::Image resolve_coverage(const uint32_t* argb, int width, int height, int stride, writers::Rgb key,
                                Edges edges, bool key_corner) {
    writers::Image out(width, height, key);
    for (int y = 0; y < height; ++y) {
        const uint32_t* row = argb + size_t(y) * size_t(stride);
        for (int x = 0; x < width; ++x) {
            const uint32_t v = row[x];
            const uint32_t a = v >> 24;
            if (a == 0) continue;
            const bool opaque = edges == Edges::Threshold ? a >= 128
                                                          : double(a) / 255.0 > (kBayer[y & 3][x & 3] + 0.5) / 16.0;
            if (!opaque) continue;
            const writers::Rgb c{unpremultiply(v >> 16 & 0xFF, a), unpremultiply(v >> 8 & 0xFF, a),
                                 unpremultiply(v & 0xFF, a)};
            out.at(x, y) = away_from_key(c, key);
        }
    }
    if (key_corner && width > 0 && height > 0) out.at(0, 0) = key;
    return out;
}

writers::Image flatten(const uint32_t* argb, int width, int height, int stride, writers::Rgb background) {
    writers::Image out(width, height);
    const auto byte = [](double v) { return uint8_t(std::lround(std::clamp(v, 0.0, 255.0))); };
    for (int y = 0; y < height; ++y) {
        const uint32_t* row = argb + size_t(y) * size_t(stride);
        for (int x = 0; x < width; ++x) {
            // Premultiplied source over the background.
            const uint32_t v = row[x];
            const double rest = 1.0 - double(v >> 24) / 255.0;
            out.at(x, y) = writers::Rgb{byte(double(v >> 16 & 0xFF) + background.r * rest),
                                        byte(double(v >> 8 & 0xFF) + background.g * rest),
                                        byte(double(v & 0xFF) + background.b * rest)};
        }
    }
    return out;
}

writers::IndexedImage palettise(const writers::Image& image, const std::vector<writers::Rgb>& exact) {
    writers::IndexedImage out = writers::quantize(image, 256, exact);
    if (!exact.empty())
        for (size_t i = exact.size(); i < out.palette.size(); ++i)
            out.palette[i] = away_from_key(out.palette[i], exact.front());
    return out;
}

}  // namespace art
