// Loading uncompressed bitmap files into surfaces of the display's format.
#include <algorithm>
#include <vector>

#include "display/DirectDrawWin.h"
#include "util/file_read.h"

namespace {

uint32_t le32(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24; }
uint16_t le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

bool read_exact(std::istream& in, void* out, size_t n) {
    in.read(static_cast<char*>(out), static_cast<std::streamsize>(n));
    return static_cast<size_t>(in.gcount()) == n;
}

BITMAPINFOHEADER parse_info(const uint8_t* p) {
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

}  // namespace

BOOL DirectDrawWin::GetBmpDimensions(const char* filename, int& width, int& height) {
    if (filename == nullptr) return 0;
    file_read::InputFile in(filename);
    if (!in) return 0;
    uint8_t head[26];
    if (!read_exact(in, head, sizeof head) || head[0] != 'B' || head[1] != 'M') return 0;
    width = static_cast<int32_t>(le32(head + 18));
    height = static_cast<int32_t>(le32(head + 22));
    return 1;
}

Surface* DirectDrawWin::CreateSurface(const char* filename, BOOL installpalette, int memflag) {
    int width = 0, height = 0;
    if (GetBmpDimensions(filename, width, height) == 0) return nullptr;
    // Refuses absurd and top-down (negative) sizes before anything is read.
    Surface* surf = CreateSurface(width, height, memflag);
    if (surf == nullptr) return nullptr;
    auto fail = [&]() -> Surface* {
        ReleaseSurface(surf);
        return nullptr;
    };

    file_read::InputFile in(filename);
    if (!in) return fail();
    const uint64_t file_size = in.size();

    uint8_t file_header[14];
    if (!read_exact(in, file_header, sizeof file_header) || file_header[0] != 'B' || file_header[1] != 'M')
        return fail();
    uint8_t info_bytes[40];
    if (!read_exact(in, info_bytes, sizeof info_bytes)) return fail();
    const BITMAPINFOHEADER info = parse_info(info_bytes);

    // The colour table (or the pixels) follow the info header as sized by its
    // own size field; the file header's pixel-data offset is not consulted.
    uint64_t pos = 14 + uint64_t(info.biSize);
    uint64_t image_size = info.biSizeImage;
    if (image_size == 0) {
        const uint64_t stride = (uint64_t(info.biBitCount / 8) * uint64_t(width) + 3) & ~uint64_t{3};
        image_size = stride * uint64_t(height);
    }
    if (info.biCompression != 0) return fail();

    auto remaining = [&]() { return pos < file_size ? file_size - pos : 0; };
    std::vector<RGBQUAD> table;
    if (info.biBitCount == 8) {
        const uint64_t count = info.biClrUsed == 0 ? 256 : info.biClrUsed;
        // Only the entries the file really holds are read; the pixels still
        // start where the full table would end.
        const uint64_t present = std::min(count, remaining() / 4);
        table.resize(present);
        in.clear();
        in.seekg(static_cast<std::streamoff>(pos));
        for (RGBQUAD& q : table) {
            uint8_t e[4];
            if (!read_exact(in, e, 4)) return fail();
            q = RGBQUAD{e[0], e[1], e[2], e[3]};
        }
        pos += count * 4;
        if (installpalette != 0) CreatePalette(table.data(), static_cast<int>(table.size()));
    }

    // A pixel part shorter than the image size is taken as far as it goes; the
    // conversion reads the missing rest as zero.
    const uint64_t take = std::min(image_size, remaining());
    std::vector<uint8_t> pixels(static_cast<size_t>(std::max<uint64_t>(take, 1)), 0);
    if (take > 0) {
        in.clear();
        in.seekg(static_cast<std::streamoff>(pos));
        if (!read_exact(in, pixels.data(), static_cast<size_t>(take))) return fail();
    }

    if (Copy_Bmp_Surface(surf, &info, pixels.data(), static_cast<size_t>(take),
                         table.empty() ? nullptr : table.data(), static_cast<int>(table.size())) == 0)
        return fail();
    return surf;
}
