#include "display/game_icon.h"

#include <algorithm>
#include <cmath>

#include "display/DirectDrawWin.h"
#include "display/pixel_codec.h"

namespace {

struct Rgba {
    float r = 0, g = 0, b = 0, a = 0;  // premultiplied, 0..1
};

struct Picture {
    int w = 0, h = 0;
    std::vector<Rgba> px;
    Rgba& at(int x, int y) { return px[static_cast<size_t>(y) * w + x]; }
    const Rgba& at(int x, int y) const { return px[static_cast<size_t>(y) * w + x]; }
};

bool is_key(const Surface& s, uint32_t pixel) {
    uint8_t r = 0, g = 0, b = 0;
    pixel_codec::decode(s.format, s.palette, pixel, r, g, b);
    return r == 0 && g == 255 && b == 0;  // the sprites' transparent green
}

// The sprite's opaque pixels, cropped.
bool load_ship(DirectDrawWin& window, const std::string& path, Picture& out) {
    Surface* s = window.CreateSurface(path.c_str(), 0, 0);
    if (s == nullptr) return false;
    int left = s->width, top = s->height, right = -1, bottom = -1;
    for (int y = 0; y < s->height; ++y)
        for (int x = 0; x < s->width; ++x)
            if (!is_key(*s, s->get_pixel(x, y))) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
    if (right >= 0) {
        out.w = right - left + 1;
        out.h = bottom - top + 1;
        out.px.assign(static_cast<size_t>(out.w) * out.h, Rgba{});
        for (int y = 0; y < out.h; ++y)
            for (int x = 0; x < out.w; ++x) {
                const uint32_t p = s->get_pixel(left + x, top + y);
                if (is_key(*s, p)) continue;
                uint8_t r = 0, g = 0, b = 0;
                pixel_codec::decode(s->format, s->palette, p, r, g, b);
                out.at(x, y) = {r / 255.f, g / 255.f, b / 255.f, 1.f};
            }
    }
    window.ReleaseSurface(s);
    return right >= 0;
}

// Whole multiples stay sharp; smaller sizes average the pixels they cover.
Picture resize(const Picture& src, int max_w, int max_h) {
    const double fit = std::min(double(max_w) / src.w, double(max_h) / src.h);
    Picture out;
    if (fit >= 1.0) {
        const int k = static_cast<int>(fit);
        out.w = src.w * k;
        out.h = src.h * k;
        out.px.resize(static_cast<size_t>(out.w) * out.h);
        for (int y = 0; y < out.h; ++y)
            for (int x = 0; x < out.w; ++x) out.at(x, y) = src.at(x / k, y / k);
        return out;
    }
    out.w = std::max(1, static_cast<int>(std::lround(src.w * fit)));
    out.h = std::max(1, static_cast<int>(std::lround(src.h * fit)));
    out.px.resize(static_cast<size_t>(out.w) * out.h);
    const double sx = double(src.w) / out.w, sy = double(src.h) / out.h;
    for (int y = 0; y < out.h; ++y)
        for (int x = 0; x < out.w; ++x) {
            Rgba sum;
            double area = 0;
            for (int v = int(y * sy); v < std::min(src.h, int(std::ceil((y + 1) * sy))); ++v)
                for (int u = int(x * sx); u < std::min(src.w, int(std::ceil((x + 1) * sx))); ++u) {
                    const double cover = (std::min((x + 1) * sx, u + 1.0) - std::max(x * sx, double(u))) *
                                         (std::min((y + 1) * sy, v + 1.0) - std::max(y * sy, double(v)));
                    const Rgba& p = src.at(u, v);
                    sum.r += float(p.r * cover), sum.g += float(p.g * cover), sum.b += float(p.b * cover);
                    sum.a += float(p.a * cover);
                    area += cover;
                }
            if (area > 0) sum = {float(sum.r / area), float(sum.g / area), float(sum.b / area), float(sum.a / area)};
            out.at(x, y) = sum;
        }
    return out;
}

// Coverage of a rounded square of side n at pixel (x, y), 4 x 4 samples.
float tile_coverage(int x, int y, int n) {
    const double radius = n * 0.18, inset = n * 0.03;
    int inside = 0;
    for (int j = 0; j < 4; ++j)
        for (int i = 0; i < 4; ++i) {
            const double px = x + (i + 0.5) / 4, py = y + (j + 0.5) / 4;
            const double lo = inset + radius, hi = n - inset - radius;
            const double dx = px < lo ? lo - px : (px > hi ? px - hi : 0);
            const double dy = py < lo ? lo - py : (py > hi ? py - hi : 0);
            if (px >= inset && px <= n - inset && py >= inset && py <= n - inset &&
                dx * dx + dy * dy <= radius * radius)
                ++inside;
        }
    return inside / 16.f;
}

Picture compose(const Picture& ship, int n) {
    Picture icon;
    icon.w = icon.h = n;
    icon.px.resize(static_cast<size_t>(n) * n);
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            const float a = tile_coverage(x, y, n);
            const float t = float(y) / float(n);  // night blue, lighter towards the bottom
            icon.at(x, y) = {a * (0.05f + 0.08f * t), a * (0.07f + 0.12f * t), a * (0.16f + 0.22f * t), a};
        }
    const int margin = std::max(1, n / 10);
    const Picture s = resize(ship, n - 2 * margin, n - 2 * margin);
    const int ox = (n - s.w) / 2, oy = (n - s.h) / 2;
    for (int y = 0; y < s.h; ++y)
        for (int x = 0; x < s.w; ++x) {
            const Rgba& p = s.at(x, y);
            Rgba& d = icon.at(ox + x, oy + y);
            d = {p.r + d.r * (1 - p.a), p.g + d.g * (1 - p.a), p.b + d.b * (1 - p.a), p.a + d.a * (1 - p.a)};
        }
    return icon;
}

uint32_t straight_argb(const Rgba& p) {
    const float a = std::clamp(p.a, 0.f, 1.f);
    const auto channel = [a](float c) {
        return static_cast<uint32_t>(std::lround(std::clamp(a > 0 ? c / a : 0.f, 0.f, 1.f) * 255));
    };
    return static_cast<uint32_t>(std::lround(a * 255)) << 24 | channel(p.r) << 16 | channel(p.g) << 8 |
           channel(p.b);
}

}  // namespace

std::vector<uint32_t> draw_game_icon(DirectDrawWin& window, const std::string& ship_bmp, int size) {
    Picture ship;
    if (size < 1 || !load_ship(window, ship_bmp, ship)) return {};
    const Picture icon = compose(ship, size);
    std::vector<uint32_t> argb(icon.px.size());
    std::transform(icon.px.begin(), icon.px.end(), argb.begin(), straight_argb);
    return argb;
}
