// Bitmap pixel data (bottom-up rows, 4-byte aligned) to surface pixels of the
// display's format.
#include <algorithm>
#include <cstring>
#include <vector>

#include "display/DirectDrawWin.h"

namespace {

size_t file_stride(int bits_per_pixel, int width) {
    return (static_cast<size_t>(bits_per_pixel / 8) * static_cast<size_t>(width) + 3) & ~size_t{3};
}

// Stored rows of a pixel block. Rows the data does not (fully) hold read as
// zero, so a header that claims more than the file has can never make us read
// past the buffer.
class StoredRows {
public:
    StoredRows(const uint8_t* data, size_t size, size_t stride)
        : data_(data), size_(size), stride_(stride), scratch_(stride) {}

    const uint8_t* row(int k) {
        const size_t offset = static_cast<size_t>(k) * stride_;
        if (offset <= size_ && size_ - offset >= stride_) return data_ + offset;
        std::fill(scratch_.begin(), scratch_.end(), uint8_t{0});
        if (offset < size_) std::memcpy(scratch_.data(), data_ + offset, size_ - offset);
        return scratch_.data();
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t stride_;
    std::vector<uint8_t> scratch_;
};

// The frame every conversion shares: checks, then convert(surface row, stored
// row, pixel count) per row. Stored row k lands on surface row height - 1 - k.
// The file's size is clipped to the surface's, never the other way round.
template <typename RowFn>
BOOL convert_rows(Surface* surf, const uint8_t* pixels, size_t pixel_bytes, int width, int height,
                  int file_bits, int surface_bytes, RowFn convert) {
    if (surf == nullptr || pixels == nullptr) return 0;
    if (width <= 0 || height <= 0) return 0;
    if (surf->bytes_per_pixel() != surface_bytes) return 0;
    const size_t stride = file_stride(file_bits, width);
    StoredRows rows(pixels, pixel_bytes, stride);
    const int cols = std::min(width, surf->width);
    const int lines = std::min(height, surf->height);
    // Stored rows wholly past the data all read as zero and so convert alike:
    // in a picture cut short, the first is converted and the others copied.
    const size_t rows_held = (pixel_bytes + stride - 1) / stride;
    const uint8_t* missing = nullptr;
    for (int y = 0; y < lines; ++y) {
        const size_t k = static_cast<size_t>(height - 1 - y);
        if (k >= rows_held && missing != nullptr) {
            std::memcpy(surf->row(y), missing, static_cast<size_t>(cols) * static_cast<size_t>(surface_bytes));
            continue;
        }
        convert(surf->row(y), rows.row(static_cast<int>(k)), cols);
        if (k >= rows_held) missing = surf->row(y);
    }
    return 1;
}

// A 0..255 component in an n-bit field (same as RGBtoPixel for 0..255).
uint32_t field(uint8_t v, int n) { return n >= 8 ? v : uint32_t(v) >> (8 - n); }

void store(uint8_t* d, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) d[i] = static_cast<uint8_t>(v >> (8 * i));
}

}  // namespace

BOOL DirectDrawWin::Copy_Bmp_Surface(Surface* surf, const BITMAPINFOHEADER* info,
                                     const uint8_t* pixels, size_t pixel_bytes,
                                     const RGBQUAD* colortable, int colors) {
    if (surf == nullptr || info == nullptr || pixels == nullptr) return 0;
    const int w = info->biWidth, h = info->biHeight;
    const bool to16 = displaydepth == 16 || displaydepth == 15;
    if (info->biBitCount == 8 && displaydepth == 8) return Copy_Bmp08_Surface08(surf, pixels, pixel_bytes, w, h);
    if (info->biBitCount == 8 && to16)
        return Copy_Bmp8_Surface16(surf, pixels, pixel_bytes, w, h, colortable, colors);
    if (info->biBitCount == 24 && to16) return Copy_Bmp24_Surface16(surf, pixels, pixel_bytes, w, h);
    if (info->biBitCount == 24 && displaydepth == 24) return Copy_Bmp24_Surface24(surf, pixels, pixel_bytes, w, h);
    if (info->biBitCount == 24 && displaydepth == 32) return Copy_Bmp24_Surface32(surf, pixels, pixel_bytes, w, h);
    return 0;
}

BOOL DirectDrawWin::Copy_Bmp08_Surface08(Surface* surf, const uint8_t* pixels, size_t pixel_bytes,
                                         int width, int height) {
    // Indices copied as they are: no remapping to the current palette.
    return convert_rows(surf, pixels, pixel_bytes, width, height, 8, 1,
                        [](uint8_t* d, const uint8_t* s, int n) { std::memcpy(d, s, static_cast<size_t>(n)); });
}

BOOL DirectDrawWin::Copy_Bmp8_Surface16(Surface* surf, const uint8_t* pixels, size_t pixel_bytes,
                                        int width, int height, const RGBQUAD* colortable,
                                        int colors) {
    // Each table entry once; indices the table does not hold are black.
    uint16_t lookup[256] = {};
    const int known = colortable == nullptr ? 0 : std::clamp(colors, 0, 256);
    for (int i = 0; i < known; ++i) {
        const RGBQUAD& c = colortable[i];
        lookup[i] = static_cast<uint16_t>((field(c.rgbGreen, greenbits) << greenshift) |
                                          (field(c.rgbRed, redbits) << redshift) |
                                          (field(c.rgbBlue, bluebits) << blueshift));
    }
    return convert_rows(surf, pixels, pixel_bytes, width, height, 8, 2,
                        [&lookup](uint8_t* d, const uint8_t* s, int n) {
                            for (int x = 0; x < n; ++x) store(d + 2 * x, lookup[s[x]], 2);
                        });
}

BOOL DirectDrawWin::Copy_Bmp24_Surface16(Surface* surf, const uint8_t* pixels, size_t pixel_bytes,
                                         int width, int height) {
    return convert_rows(surf, pixels, pixel_bytes, width, height, 24, 2,
                        [this](uint8_t* d, const uint8_t* s, int n) {
                            for (int x = 0; x < n; ++x, s += 3) {
                                const uint32_t v = (field(s[1], greenbits) << greenshift) |
                                                   (field(s[2], redbits) << redshift) |
                                                   (field(s[0], bluebits) << blueshift);
                                store(d + 2 * x, v, 2);
                            }
                        });
}

BOOL DirectDrawWin::Copy_Bmp24_Surface24(Surface* surf, const uint8_t* pixels, size_t pixel_bytes,
                                         int width, int height) {
    const bool same_layout = redshift == 16 && greenshift == 8 && blueshift == 0;
    return convert_rows(surf, pixels, pixel_bytes, width, height, 24, 3,
                        [this, same_layout](uint8_t* d, const uint8_t* s, int n) {
                            if (same_layout) {
                                std::memcpy(d, s, static_cast<size_t>(n) * 3);
                                return;
                            }
                            for (int x = 0; x < n; ++x, s += 3) {
                                const uint32_t v = (uint32_t(s[1]) << greenshift) |
                                                   (uint32_t(s[2]) << redshift) |
                                                   (uint32_t(s[0]) << blueshift);
                                store(d + 3 * x, v, 3);
                            }
                        });
}

BOOL DirectDrawWin::Copy_Bmp24_Surface32(Surface* surf, const uint8_t* pixels, size_t pixel_bytes,
                                         int width, int height) {
    return convert_rows(surf, pixels, pixel_bytes, width, height, 24, 4,
                        [this](uint8_t* d, const uint8_t* s, int n) {
                            for (int x = 0; x < n; ++x, s += 3) {
                                const uint32_t v = (uint32_t(s[1]) << greenshift) |
                                                   (uint32_t(s[2]) << redshift) |
                                                   (uint32_t(s[0]) << blueshift);
                                store(d + 4 * x, v, 4);
                            }
                        });
}
