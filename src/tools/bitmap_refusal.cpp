#include "tools/bitmap_refusal.h"

#include "display/bitmap_header.h"
#include "util/file_read.h"

namespace data_check {

namespace {

using bitmap_header::kMaxPixels;
using bitmap_header::kMaxSide;
constexpr size_t kHeaderBytes = bitmap_header::kBytes;

// Compression values of the info header.
constexpr uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitfields = 3, kJpeg = 4, kPng = 5, kAlphaBitfields = 6;

uint32_t le32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

const char* const kTrueColour =
    "; save it as a 24-bit bitmap (ImageMagick: -alpha off -type TrueColor BMP3:NAME.BMP; docs/modding.md)";

std::string depth_reason(uint32_t bits, uint32_t compression) {
    const bool masks = compression == kBitfields || compression == kAlphaBitfields;
    if (bits == 32)
        return std::string("32 bits per pixel") + (masks ? " with colour masks" : "") +
               " (ImageMagick writes these for a picture with an alpha channel); the game reads 8-bit "
               "palettised or 24-bit bitmaps only" + kTrueColour;
    if (bits == 16)
        return std::string("16 bits per pixel") + (masks ? " with colour masks (RGB565)" : " (RGB555)") +
               "; the game reads 8-bit palettised or 24-bit bitmaps only" + kTrueColour;
    if (bits == 1 || bits == 4)
        return std::to_string(bits) +
               " bits per pixel (ImageMagick writes these for pictures of few colours); the game reads 8-bit "
               "palettised or 24-bit bitmaps only" + kTrueColour;
    return std::to_string(bits) + " bits per pixel; the game reads 8-bit palettised or 24-bit bitmaps only" +
           kTrueColour;
}

}  // namespace

std::string bitmap_refusal(const std::vector<uint8_t>& b) {
    if (b.size() >= 8 && b[0] == 0x89 && b[1] == 'P' && b[2] == 'N' && b[3] == 'G')
        return "a PNG picture, not a Windows bitmap" + std::string(kTrueColour);
    if (b.size() < 2 || b[0] != 'B' || b[1] != 'M') return "not a Windows bitmap (it does not start with \"BM\")";
    if (b.size() < kHeaderBytes)
        return "cut short inside its headers (" + std::to_string(b.size()) + " of at least 54 bytes)";
    const uint32_t info_size = le32(&b[14]);
    const auto width = static_cast<int32_t>(le32(&b[18]));
    const auto height = static_cast<int32_t>(le32(&b[22]));
    const uint32_t bits = uint32_t(b[28]) | uint32_t(b[29]) << 8;
    const uint32_t compression = le32(&b[30]);
    if (info_size < 40)
        return "an old OS/2 bitmap (a " + std::to_string(info_size) +
               "-byte header); the game reads Windows bitmaps" + kTrueColour;
    // The depth first: a 32- or 16-bit picture with colour masks is not
    // compressed, whatever its compression field says.
    if (bits != 8 && bits != 24) return depth_reason(bits, compression);
    if (compression == kRle8 || compression == kRle4)
        return "compressed with run-length encoding; save it uncompressed (ImageMagick: -compress None "
               "BMP3:NAME.BMP; GIMP: untick \"Run-Length Encoded\")";
    if (compression == kJpeg || compression == kPng)
        return std::string("a ") + (compression == kJpeg ? "JPEG" : "PNG") +
               " picture inside a bitmap header" + kTrueColour;
    if (compression != kRgb)
        return "compression method " + std::to_string(compression) + "; the game reads uncompressed bitmaps only" +
               kTrueColour;
    if (height < 0) return "stored top-down (negative height); the game reads bitmaps stored bottom-up" +
                           std::string(kTrueColour);
    if (width <= 0 || height == 0) return "no pixels (" + std::to_string(width) + " x " + std::to_string(height) + ")";
    if (width > kMaxSide || height > kMaxSide || int64_t{width} * height > kMaxPixels)
        return std::to_string(width) + " x " + std::to_string(height) + " is larger than the game loads (" +
               std::to_string(kMaxSide) + " on a side, " + std::to_string(kMaxPixels >> 20) + " M pixels)";
    return "the file is damaged";
}

std::string bitmap_refusal_of_file(const std::string& path) {
    std::vector<uint8_t> bytes;
    file_read::OpenError why = file_read::OpenError::None;
    if (!file_read::read_prefix(path, kHeaderBytes, bytes, &why)) return file_read::describe(why);
    return bitmap_refusal(bytes);
}

}  // namespace data_check
