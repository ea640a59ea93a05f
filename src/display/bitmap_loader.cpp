// Loading uncompressed bitmap files into surfaces of the display's format.
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <unordered_set>
#include <vector>

#include "display/DirectDrawWin.h"
#include "display/bitmap_header.h"
#include "util/file_read.h"

namespace {

uint32_t le32(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24; }

size_t read_some(std::istream& in, void* out, size_t n) {
    in.read(static_cast<char*>(out), static_cast<std::streamsize>(n));
    return static_cast<size_t>(in.gcount());
}

// Pictures are loaded from the current directory, which level loading
// changes: a message names the file by its whole path.
std::string whole_path(const char* filename) {
    if (filename[0] == '/') return filename;
    char dir[4096];
    if (::getcwd(dir, sizeof dir) == nullptr) return filename;
    return std::string(dir) + "/" + filename;
}

}  // namespace

BOOL DirectDrawWin::GetBmpDimensions(const char* filename, int& width, int& height) {
    if (filename == nullptr) return 0;
    file_read::InputFile in(filename);
    if (!in) return 0;
    uint8_t head[26];
    if (read_some(in, head, sizeof head) != sizeof head || head[0] != 'B' || head[1] != 'M') return 0;
    width = static_cast<int32_t>(le32(head + 18));
    height = static_cast<int32_t>(le32(head + 22));
    return 1;
}

Surface* DirectDrawWin::CreateSurface(const char* filename, BOOL installpalette, int memflag) {
    if (filename == nullptr) return nullptr;
    file_read::InputFile in(filename);
    if (!in) return nullptr;
    const uint64_t file_size = in.size();

    // Everything the loader would refuse, it refuses before the surface
    // exists: a 54-byte header can claim 8 M pixels of a depth never drawn.
    uint8_t head[bitmap_header::kBytes];
    const size_t head_size = read_some(in, head, sizeof head);
    if (bitmap_header::judge(head, head_size, displaydepth) != bitmap_header::Verdict::Loadable) return nullptr;
    const BITMAPINFOHEADER info = bitmap_header::info_of(head);
    const int width = info.biWidth, height = info.biHeight;

    Surface* surf = CreateSurface(width, height, memflag);
    if (surf == nullptr) return nullptr;
    auto fail = [&]() -> Surface* {
        ReleaseSurface(surf);
        return nullptr;
    };

    // The colour table (or the pixels) follow the info header as sized by its
    // own size field; the file header's pixel-data offset is not consulted.
    uint64_t pos = 14 + uint64_t(info.biSize);
    const uint64_t stride = (uint64_t(info.biBitCount / 8) * uint64_t(width) + 3) & ~uint64_t{3};
    const uint64_t needed = stride * uint64_t(height);
    const uint64_t image_size = info.biSizeImage == 0 ? needed : info.biSizeImage;
    auto remaining = [&]() { return pos < file_size ? file_size - pos : 0; };

    std::vector<RGBQUAD> table;
    uint64_t colours = 0;
    if (info.biBitCount == 8) {
        colours = info.biClrUsed == 0 ? 256 : info.biClrUsed;
        // Only the entries the file really holds are read, and no more than a
        // palette takes; the pixels still start where the full table would end.
        table.resize(static_cast<size_t>(std::min<uint64_t>({colours, 256, remaining() / 4})));
        in.clear();
        in.seekg(static_cast<std::streamoff>(pos));
        for (RGBQUAD& q : table) {
            uint8_t e[4];
            if (read_some(in, e, 4) != 4) return fail();
            q = RGBQUAD{e[0], e[1], e[2], e[3]};
        }
        pos += colours * 4;
        if (installpalette != 0) CreatePalette(table.data(), static_cast<int>(table.size()));
    }

    // A pixel part shorter than the picture is taken as far as it goes; the
    // conversion reads the missing rest as zero. Bytes past the picture are
    // never read, whatever the header's image size says.
    const uint64_t take = std::min({image_size, needed, remaining()});
    std::vector<uint8_t> pixels(static_cast<size_t>(std::max<uint64_t>(take, 1)), 0);
    if (take > 0) {
        in.clear();
        in.seekg(static_cast<std::streamoff>(pos));
        if (read_some(in, pixels.data(), static_cast<size_t>(take)) != take) return fail();
    }

    if (Copy_Bmp_Surface(surf, &info, pixels.data(), static_cast<size_t>(take),
                         table.empty() ? nullptr : table.data(), static_cast<int>(table.size())) == 0)
        return fail();

    if (take < needed && name_damaged_pictures) {
        const std::string path = whole_path(filename);
        static std::unordered_set<std::string> named;
        if (named.insert(path).second) {
            std::string damage;
            if (colours > 256)
                damage = "its header says " + std::to_string(colours) + " colours, more than a table holds";
            else if (table.size() < colours)
                damage = "the file ends inside its colour table (" + std::to_string(table.size()) + " of " +
                         std::to_string(colours) + " colours)";
            else if (image_size < needed && image_size < remaining())
                damage = "its header gives its pixels " + std::to_string(image_size) + " bytes where " +
                         std::to_string(width) + " x " + std::to_string(height) + " needs " + std::to_string(needed);
            else
                damage = "the file ends " + std::to_string(needed - take) + " bytes short of its pixels";
            std::fprintf(stderr, "velmora: damaged picture %s: %s; %s\n", path.c_str(), damage.c_str(),
                         info.biBitCount == 8 ? "the missing part shows in colour 0" : "the missing part is black");
        }
    }
    return surf;
}
