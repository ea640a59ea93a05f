#include "util/png_write.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>

namespace {
struct FileCloser {
    std::FILE* f;
    ~FileCloser() {
        if (f != nullptr) std::fclose(f);
    }
};
}  // namespace

bool write_png_rgb(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb) {
    if (width <= 0 || height <= 0) return false;
    if (rgb.size() < static_cast<size_t>(width) * static_cast<size_t>(height) * 3) return false;
    FileCloser file{std::fopen(path.c_str(), "wb")};
    if (file.f == nullptr) return false;

    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (png == nullptr) return false;
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    // libpng reports errors by longjmp; nothing with a destructor is created below.
    if (setjmp(png_jmpbuf(png))) {  // NOLINT(cert-err52-cpp)
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file.f);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y) {
        auto* row = const_cast<png_bytep>(rgb.data() + static_cast<size_t>(y) * width * 3);
        png_write_row(png, row);
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fflush(file.f) == 0;
}
