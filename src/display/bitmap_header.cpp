#include "display/bitmap_header.h"

namespace bitmap_header {

namespace {
uint32_t le32(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24; }
uint16_t le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

// Where GetBmpDimensions finds the height's last byte.
constexpr size_t kDimensionBytes = 26;
}  // namespace

BITMAPINFOHEADER info_of(const uint8_t* bytes) {
    const uint8_t* p = bytes + 14;
    BITMAPINFOHEADER h;
    h.biSize = le32(p);
    h.biWidth = static_cast<int32_t>(le32(p + 4));
    h.biHeight = static_cast<int32_t>(le32(p + 8));
    h.biPlanes = le16(p + 12);
    h.biBitCount = le16(p + 14);
    h.biCompression = le32(p + 16);
    h.biSizeImage = le32(p + 20);
    h.biXPelsPerMeter = static_cast<int32_t>(le32(p + 24));
    h.biYPelsPerMeter = static_cast<int32_t>(le32(p + 28));
    h.biClrUsed = le32(p + 32);
    h.biClrImportant = le32(p + 36);
    return h;
}

bool converts(int file_bits, uint32_t display_depth) {
    const bool to16 = display_depth == 15 || display_depth == 16;
    if (file_bits == 8) return display_depth == 8 || to16;
    if (file_bits == 24) return to16 || display_depth == 24 || display_depth == 32;
    return false;
}

Verdict judge(const uint8_t* bytes, size_t size, uint32_t display_depth) {
    if (size < kDimensionBytes || bytes[0] != 'B' || bytes[1] != 'M') return Verdict::NotBitmap;
    if (size < kBytes) return Verdict::CutShort;
    const BITMAPINFOHEADER info = info_of(bytes);
    if (info.biWidth <= 0 || info.biHeight <= 0) return Verdict::NoPixels;
    if (info.biWidth > kMaxSide || info.biHeight > kMaxSide ||
        int64_t{info.biWidth} * info.biHeight > kMaxPixels)
        return Verdict::TooLarge;
    if (info.biCompression != 0) return Verdict::Compressed;
    if (!converts(info.biBitCount, display_depth)) return Verdict::Depth;
    return Verdict::Loadable;
}

}  // namespace bitmap_header
