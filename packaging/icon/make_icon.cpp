// Makes the desktop icons from the game's own art: player one's ship in level
// flight on a rounded night-blue tile, as RGBA PNG files of the sizes asked for.
//
//   velmora-icon SHIP.BMP OUTDIR SIZE...   writes OUTDIR/SIZExSIZE/apps/velmora.png
#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "display/Surface.h"
#include "display/pixel_codec.h"
#include "tools/tool_window.h"

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

// The sprite's opaque pixels (the key colour is transparent), cropped.
bool load_ship(const std::string& path, Picture& out) {
    ToolWindow window;
    if (!window.ready()) return false;
    Surface* s = window.CreateSurface(path.c_str(), 0, 0);
    if (s == nullptr) return false;
    const uint32_t key = s->format.gmask;
    int left = s->width, top = s->height, right = -1, bottom = -1;
    for (int y = 0; y < s->height; ++y)
        for (int x = 0; x < s->width; ++x)
            if (s->get_pixel(x, y) != key) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
    if (right < 0) return false;
    out.w = right - left + 1;
    out.h = bottom - top + 1;
    out.px.assign(static_cast<size_t>(out.w) * out.h, Rgba{});
    for (int y = 0; y < out.h; ++y)
        for (int x = 0; x < out.w; ++x) {
            const uint32_t p = s->get_pixel(left + x, top + y);
            if (p == key) continue;
            uint8_t r = 0, g = 0, b = 0;
            pixel_codec::decode(s->format, nullptr, p, r, g, b);
            out.at(x, y) = {r / 255.f, g / 255.f, b / 255.f, 1.f};
        }
    window.ReleaseSurface(s);
    return true;
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

Picture make_icon(const Picture& ship, int n) {
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

// The rows of `pic`, straight (not premultiplied) RGBA bytes.
std::vector<uint8_t> rgba_bytes(const Picture& pic) {
    std::vector<uint8_t> bytes(static_cast<size_t>(pic.w) * pic.h * 4);
    for (size_t i = 0; i < pic.px.size(); ++i) {
        const Rgba& p = pic.px[i];
        const float a = std::clamp(p.a, 0.f, 1.f);
        const auto channel = [a](float c) {
            return static_cast<uint8_t>(std::lround(std::clamp(a > 0 ? c / a : 0.f, 0.f, 1.f) * 255));
        };
        uint8_t* o = &bytes[i * 4];
        o[0] = channel(p.r), o[1] = channel(p.g), o[2] = channel(p.b);
        o[3] = static_cast<uint8_t>(std::lround(a * 255));
    }
    return bytes;
}

// libpng reports errors by longjmp: nothing with a destructor lives in here.
bool encode_png(std::FILE* f, png_structp png, png_infop info, int w, int h, const uint8_t* bytes) {
    if (setjmp(png_jmpbuf(png)) != 0) return false;
    png_init_io(png, f);
    png_set_IHDR(png, info, static_cast<png_uint_32>(w), static_cast<png_uint_32>(h), 8, PNG_COLOR_TYPE_RGBA,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < h; ++y) png_write_row(png, bytes + static_cast<size_t>(y) * w * 4);
    png_write_end(png, nullptr);
    return true;
}

bool write_png_rgba(const std::string& path, const Picture& pic) {
    const std::vector<uint8_t> bytes = rgba_bytes(pic);
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    const bool ok = info != nullptr && encode_png(f, png, info, pic.w, pic.h, bytes.data());
    if (png != nullptr) png_destroy_write_struct(&png, info != nullptr ? &info : nullptr);
    return (std::fclose(f) == 0) && ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: velmora-icon SHIP.BMP OUTDIR SIZE...\n");
        return 2;
    }
    Picture ship;
    if (!load_ship(argv[1], ship)) {
        std::fprintf(stderr, "velmora-icon: cannot read the ship from '%s'\n", argv[1]);
        return 1;
    }
    for (int i = 3; i < argc; ++i) {
        const int n = std::atoi(argv[i]);
        if (n < 16 || n > 1024) {
            std::fprintf(stderr, "velmora-icon: size '%s' is not 16..1024\n", argv[i]);
            return 2;
        }
        const std::string dir = std::string(argv[2]) + "/" + std::to_string(n) + "x" + std::to_string(n) + "/apps";
        std::error_code ec;
        std::filesystem::create_directories(dir, ec);
        if (!write_png_rgba(dir + "/velmora.png", make_icon(ship, n))) {
            std::fprintf(stderr, "velmora-icon: cannot write %s/velmora.png\n", dir.c_str());
            return 1;
        }
    }
    return 0;
}
