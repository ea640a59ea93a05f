// Makes the desktop icons from the game's own art (display/game_icon.h: the
// same picture the game gives its window), as RGBA PNG files of the sizes
// asked for.
//
//   velmora-icon SHIP.BMP OUTDIR SIZE...   writes OUTDIR/SIZExSIZE/apps/velmora.png
#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "display/game_icon.h"
#include "tools/tool_window.h"

namespace {

// The rows of an 0xAARRGGBB picture as R, G, B, A bytes.
std::vector<uint8_t> rgba_bytes(const std::vector<uint32_t>& argb) {
    std::vector<uint8_t> bytes(argb.size() * 4);
    for (size_t i = 0; i < argb.size(); ++i) {
        bytes[i * 4 + 0] = static_cast<uint8_t>(argb[i] >> 16);
        bytes[i * 4 + 1] = static_cast<uint8_t>(argb[i] >> 8);
        bytes[i * 4 + 2] = static_cast<uint8_t>(argb[i]);
        bytes[i * 4 + 3] = static_cast<uint8_t>(argb[i] >> 24);
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

bool write_png_rgba(const std::string& path, int size, const std::vector<uint32_t>& argb) {
    const std::vector<uint8_t> bytes = rgba_bytes(argb);
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    const bool ok = info != nullptr && encode_png(f, png, info, size, size, bytes.data());
    if (png != nullptr) png_destroy_write_struct(&png, info != nullptr ? &info : nullptr);
    return (std::fclose(f) == 0) && ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: velmora-icon SHIP.BMP OUTDIR SIZE...\n");
        return 2;
    }
    ToolWindow window;
    if (!window.ready()) {
        std::fprintf(stderr, "velmora-icon: no display to load the ship with\n");
        return 1;
    }
    for (int i = 3; i < argc; ++i) {
        const int n = std::atoi(argv[i]);
        if (n < 16 || n > 1024) {
            std::fprintf(stderr, "velmora-icon: size '%s' is not 16..1024\n", argv[i]);
            return 2;
        }
        const std::vector<uint32_t> icon = draw_game_icon(window, argv[1], n);
        if (icon.empty()) {
            std::fprintf(stderr, "velmora-icon: cannot read the ship from '%s'\n", argv[1]);
            return 1;
        }
        const std::string dir = std::string(argv[2]) + "/" + std::to_string(n) + "x" + std::to_string(n) + "/apps";
        std::error_code ec;
        std::filesystem::create_directories(dir, ec);
        if (!write_png_rgba(dir + "/velmora.png", n, icon)) {
            std::fprintf(stderr, "velmora-icon: cannot write %s/velmora.png\n", dir.c_str());
            return 1;
        }
    }
    return 0;
}
