// Pictures of surfaces as PNG, read back through libpng.
#include <gtest/gtest.h>
#include <png.h>

#include <vector>

#include "display/screenshot.h"
#include "support/temp_dir.h"
#include "support/test_window.h"

namespace {

std::vector<uint8_t> read_rgb(const std::string& path, int& w, int& h) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&image, path.c_str()) == 0) return {};
    image.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> out(PNG_IMAGE_SIZE(image));
    if (png_image_finish_read(&image, nullptr, out.data(), 0, nullptr) == 0) return {};
    w = static_cast<int>(image.width);
    h = static_cast<int>(image.height);
    return out;
}

TEST(Screenshot, EveryDepthComesOutAsRgb) {
    TempDir dir;
    for (int depth : {8, 15, 16, 24, 32}) {
        TestWindow win(depth);
        RGBQUAD table[3] = {{0, 0, 0, 0}, {0, 0, 255, 0}, {255, 255, 255, 0}};
        win.CreatePalette(table, 3);
        Surface* s = win.CreateSurface(3, 2);  // odd width: rows padded
        win.ClearSurface(s, 0, 0, 0, nullptr);
        s->put_pixel(0, 0, win.RGBtoPixel(255, 0, 0));
        s->put_pixel(2, 1, win.RGBtoPixel(255, 255, 255));
        const std::string path = dir.file("s" + std::to_string(depth) + ".png");
        ASSERT_TRUE(save_surface_png(*s, win.palette, path)) << depth;
        int w = 0, h = 0;
        const std::vector<uint8_t> rgb = read_rgb(path, w, h);
        ASSERT_EQ(w, 3);
        ASSERT_EQ(h, 2);
        EXPECT_EQ((std::vector<uint8_t>(rgb.begin(), rgb.begin() + 6)), (std::vector<uint8_t>{255, 0, 0, 0, 0, 0})) << depth;
        EXPECT_EQ((std::vector<uint8_t>(rgb.end() - 3, rgb.end())), (std::vector<uint8_t>{255, 255, 255})) << depth;
    }
    TestWindow win;
    EXPECT_FALSE(save_surface_png(*win.primsurf, nullptr, dir.file("no/such/dir/x.png")));
}

}  // namespace
