// Windows bitmap files: 24-bit and 8-bit palettised, uncompressed, bottom-up.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace writers {

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};

// A true-colour picture, rows top-down.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;  // width * height

    Image() = default;
    Image(int w, int h, Rgb fill = {}) : width(w), height(h), pixels(size_t(w) * h, fill) {}
    Rgb& at(int x, int y) { return pixels[size_t(y) * width + x]; }
    const Rgb& at(int x, int y) const { return pixels[size_t(y) * width + x]; }
};

// A palettised picture, rows top-down.
struct IndexedImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> indices;  // width * height
    std::vector<Rgb> palette;      // 1..256 entries
};

// Header fields a test may want to falsify; the defaults give a correct file.
struct BmpOptions {
    int32_t colors_used = -1;      // -1: the palette size (8-bit) or 0 (24-bit)
    int32_t image_size = -1;       // -1: the true size; 0 is allowed ("compute it")
    uint32_t info_header_size = 40;
    uint32_t compression = 0;
    int32_t height_sign = 1;       // -1 writes a negative (top-down) height
};

std::vector<uint8_t> encode_bmp24(const Image& image, const BmpOptions& options = {});
std::vector<uint8_t> encode_bmp8(const IndexedImage& image, const BmpOptions& options = {});

// Reduces a picture to at most `max_colors` colours. Colours listed in `keep`
// (for example the transparent key) are kept exact and never used for others.
IndexedImage quantize(const Image& image, int max_colors = 256, const std::vector<Rgb>& keep = {});

bool write_file(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace writers
