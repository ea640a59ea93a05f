// Bitmap files into surfaces (strides, row order, colour tables, odd headers),
// and pictures of surfaces out as PNG, read back through libpng.
#include <gtest/gtest.h>
#include <png.h>

#include <vector>

#include "display/screenshot.h"
#include "support/temp_dir.h"
#include "support/test_window.h"
#include "writers/bmp_writer.h"

namespace {

using writers::BmpOptions;
using writers::Image;
using writers::IndexedImage;
using writers::Rgb;

// A w x h picture whose every pixel differs: red = 10 * x, green = 10 * y, blue 7.
Image gradient(int w, int h) {
    Image img(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) img.at(x, y) = Rgb{uint8_t(10 * x), uint8_t(10 * y), 7};
    return img;
}

IndexedImage indexed(int w, int h, int colours) {
    IndexedImage img;
    img.width = w;
    img.height = h;
    for (int i = 0; i < colours; ++i) img.palette.push_back(Rgb{uint8_t(i * 16), uint8_t(255 - i), 9});
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) img.indices.push_back(uint8_t((x + y * w) % colours));
    return img;
}

class Bitmaps : public ::testing::Test {
protected:
    TempDir dir;
    std::string write(const std::string& name, const std::vector<uint8_t>& bytes) {
        const std::string path = dir.file(name);
        EXPECT_TRUE(writers::write_file(path, bytes));
        return path;
    }
    // Loads into `win` and checks no surface is left behind when it fails.
    Surface* load(TestWindow& win, const std::string& path, int installpalette = 0) {
        const size_t before = win.live_surfaces.size();
        Surface* s = win.CreateSurface(path.c_str(), installpalette, 0);
        if (s == nullptr) {
            EXPECT_EQ(win.live_surfaces.size(), before) << path;
        }
        return s;
    }
};

TEST_F(Bitmaps, TrueColourRowsLandBottomUpInEveryDepth) {
    // 3 pixels wide: 9 data bytes and 3 fill bytes per stored row.
    const Image img = gradient(3, 4);
    const std::string path = write("g.bmp", writers::encode_bmp24(img));
    for (int depth : {15, 16, 24, 32}) {
        TestWindow win(depth);
        Surface* s = load(win, path);
        ASSERT_NE(s, nullptr) << depth;
        ASSERT_EQ(s->width, 3);
        ASSERT_EQ(s->height, 4);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 3; ++x) {
                const Rgb c = img.at(x, y);
                EXPECT_EQ(s->get_pixel(x, y), win.RGBtoPixel(c.r, c.g, c.b)) << depth << " " << x << "," << y;
            }
    }
    // A stored image size of 0 means: compute it.
    BmpOptions zero;
    zero.image_size = 0;
    TestWindow win(16);
    Surface* a = load(win, path);
    Surface* b = load(win, write("z.bmp", writers::encode_bmp24(img, zero)));
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(a->pixels, b->pixels);
}

TEST_F(Bitmaps, PureBlueAndPaddedEightBitRows) {
    Image blue(1, 1, Rgb{0, 0, 255});
    const std::string bpath = write("b.bmp", writers::encode_bmp24(blue));
    TestWindow w16(16), w32(32);
    EXPECT_EQ(load(w16, bpath)->get_pixel(0, 0), 0x001Fu);
    EXPECT_EQ(load(w32, bpath)->get_pixel(0, 0), 0x0000FFu);

    // 5 pixels wide: an 8-byte stride whose fill bytes must not show.
    const IndexedImage img = indexed(5, 3, 16);
    const std::string path = write("i.bmp", writers::encode_bmp8(img));
    Surface* s = load(w16, path);
    ASSERT_NE(s, nullptr);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) {
            const Rgb c = img.palette[img.indices[size_t(y) * 5 + x]];
            EXPECT_EQ(s->get_pixel(x, y), w16.RGBtoPixel(c.r, c.g, c.b)) << x << "," << y;
        }
    TestWindow w8(8);
    Surface* s8 = load(w8, path, 1);
    ASSERT_NE(s8, nullptr);
    EXPECT_EQ(s8->get_pixel(4, 2), img.indices[2 * 5 + 4]);
    ASSERT_NE(w8.palette, nullptr);
    EXPECT_EQ(w8.palette->entries[15].red, 15 * 16);
    EXPECT_EQ(w8.palette->entries[16].red, 0);  // beyond the short table
}

TEST_F(Bitmaps, RefusedFormatsYieldNothing) {
    TestWindow w16(16), w8(8), w24(24), w32(32);
    const Image img = gradient(4, 4);
    BmpOptions rle;
    rle.compression = 1;
    EXPECT_EQ(load(w16, write("c.bmp", writers::encode_bmp24(img, rle))), nullptr);

    std::vector<uint8_t> bytes = writers::encode_bmp24(img);
    for (uint16_t bits : {4, 32}) {
        bytes[28] = uint8_t(bits);
        EXPECT_EQ(load(w16, write("d" + std::to_string(bits) + ".bmp", bytes)), nullptr) << bits;
    }
    bytes = writers::encode_bmp24(img);
    bytes[0] = 'X';
    EXPECT_EQ(load(w16, write("x.bmp", bytes)), nullptr);

    const std::string eight = write("e.bmp", writers::encode_bmp8(indexed(4, 4, 4)));
    EXPECT_EQ(load(w24, eight), nullptr);
    EXPECT_EQ(load(w32, eight), nullptr);
    EXPECT_EQ(load(w8, write("t.bmp", writers::encode_bmp24(img))), nullptr);

    BmpOptions top_down;
    top_down.height_sign = -1;
    EXPECT_EQ(load(w16, write("n.bmp", writers::encode_bmp24(img, top_down))), nullptr);

    // Headers alone: the most pixels the loader takes is a picture (cut
    // short, so mostly black); one column more is refused.
    std::vector<uint8_t> claim = writers::encode_bmp24(img);
    claim.resize(54);
    const auto sized = [&claim](uint32_t w, uint32_t h) {
        for (int i = 0; i < 4; ++i) {
            claim[18 + size_t(i)] = uint8_t(w >> (8 * i));
            claim[22 + size_t(i)] = uint8_t(h >> (8 * i));
        }
        return claim;
    };
    Surface* largest = load(w16, write("largest.bmp", sized(4096, 2048)));
    ASSERT_NE(largest, nullptr);
    w16.ReleaseSurface(largest);
    EXPECT_EQ(load(w16, write("wider.bmp", sized(4097, 2048))), nullptr);
    EXPECT_EQ(load(w16, write("tall.bmp", sized(1, 16385))), nullptr);

    EXPECT_EQ(load(w16, dir.file("missing.bmp")), nullptr);
    int w = -7, h = -7;
    EXPECT_EQ(DirectDrawWin::GetBmpDimensions(dir.file("missing.bmp").c_str(), w, h), 0);
    EXPECT_EQ(w, -7);
}

TEST_F(Bitmaps, AbsurdAndTruncatedFilesStayInsideTheirBuffers) {
    TestWindow win(16);
    std::vector<uint8_t> bytes = writers::encode_bmp24(gradient(4, 4));
    // Absurd dimensions.
    std::vector<uint8_t> huge = bytes;
    huge[18] = huge[19] = huge[20] = 0xFF;
    huge[21] = 0x7F;
    EXPECT_EQ(load(win, write("h.bmp", huge)), nullptr);

    // Cut inside the header: nothing.
    EXPECT_EQ(load(win, write("short.bmp", std::vector<uint8_t>(bytes.begin(), bytes.begin() + 40))), nullptr);

    // Cut inside the pixels: the rows present load, the rest is black. Stored
    // rows are bottom-up, so the bottom row survives.
    const Image img = gradient(4, 4);
    std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + 54 + 12 + 5);
    Surface* s = load(win, write("cut.bmp", cut));
    ASSERT_NE(s, nullptr);
    const Rgb bottom = img.at(2, 3);
    EXPECT_EQ(s->get_pixel(2, 3), win.RGBtoPixel(bottom.r, bottom.g, bottom.b));
    EXPECT_EQ(s->get_pixel(0, 0), 0u);

    // An image size far beyond the file, and a colour table that claims
    // millions of entries: read only what is there.
    BmpOptions big;
    big.image_size = 0x7FFFFFFF;
    EXPECT_NE(load(win, write("big.bmp", writers::encode_bmp24(img, big))), nullptr);
    BmpOptions many;
    many.colors_used = 0x3FFFFFFF;
    const IndexedImage four = indexed(4, 4, 4);
    Surface* m = load(win, write("many.bmp", writers::encode_bmp8(four, many)));
    ASSERT_NE(m, nullptr);  // no pixels left after such a table: all index 0
    EXPECT_EQ(m->get_pixel(3, 3), win.RGBtoPixel(four.palette[0].r, four.palette[0].g, four.palette[0].b));
    std::vector<uint8_t> far = bytes;
    far[14] = far[15] = 0x00;
    far[16] = far[17] = 0xFF;  // info header "size" 0xFFFF0000
    Surface* f = load(win, write("far.bmp", far));
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->get_pixel(1, 1), 0u);

    // Indices beyond the colour table are black.
    IndexedImage two = indexed(3, 1, 2);
    two.indices = {0, 1, 200};
    Surface* o = load(win, write("o.bmp", writers::encode_bmp8(two)));
    ASSERT_NE(o, nullptr);
    EXPECT_EQ(o->get_pixel(2, 0), 0u);
    EXPECT_EQ(o->get_pixel(1, 0), win.RGBtoPixel(two.palette[1].r, two.palette[1].g, two.palette[1].b));
}

TEST_F(Bitmaps, APictureCutShortIsNamedOnceAndOthersNever) {
    TestWindow win(16);
    const std::vector<uint8_t> whole = writers::encode_bmp24(gradient(4, 4));
    const std::string cut = write("cut.bmp", {whole.begin(), whole.begin() + 54 + 20});
    BmpOptions small_size;
    small_size.image_size = 16;
    const std::string sized = write("sized.bmp", writers::encode_bmp24(gradient(4, 4), small_size));
    const std::vector<uint8_t> eight = writers::encode_bmp8(indexed(4, 4, 4));
    const std::string no_colours = write("table.bmp", {eight.begin(), eight.begin() + 54 + 6});
    const std::string good = write("good.bmp", whole);
    std::vector<uint8_t> deep = whole;
    deep[28] = 32;
    const std::string refused = write("deep.bmp", deep);

    ::testing::internal::CaptureStderr();
    for (int pass = 0; pass < 2; ++pass)
        for (const std::string& path : {cut, sized, no_colours, good, refused})
            if (Surface* s = load(win, path)) win.ReleaseSurface(s);
    TestWindow other(16), quiet(16);
    if (Surface* s = load(other, cut)) other.ReleaseSurface(s);  // once per process, not per window
    quiet.name_damaged_pictures = false;
    if (Surface* s = load(quiet, write("quiet.bmp", {whole.begin(), whole.begin() + 60}))) quiet.ReleaseSurface(s);
    const std::string said = ::testing::internal::GetCapturedStderr();

    EXPECT_EQ(said,
              "velmora: damaged picture " + cut + ": the file ends 28 bytes short of its pixels; the missing "
              "part is black\n"
              "velmora: damaged picture " + sized + ": its header gives its pixels 16 bytes where 4 x 4 needs "
              "48; the missing part is black\n"
              "velmora: damaged picture " + no_colours + ": the file ends inside its colour table (1 of 4 "
              "colours); the missing part shows in colour 0\n");
}

TEST(BitmapCopy, ConversionsRefuseMismatchedSurfacesAndNullData) {
    TestWindow win(16);
    Surface* s = win.CreateSurface(2, 2);
    const uint8_t px[16] = {};
    BITMAPINFOHEADER info;
    info.biWidth = 2;
    info.biHeight = 2;
    info.biBitCount = 24;
    EXPECT_EQ(win.Copy_Bmp_Surface(s, &info, px, sizeof px, nullptr, 0), 1);
    EXPECT_EQ(win.Copy_Bmp_Surface(s, nullptr, px, sizeof px, nullptr, 0), 0);
    EXPECT_EQ(win.Copy_Bmp_Surface(s, &info, nullptr, 0, nullptr, 0), 0);
    EXPECT_EQ(win.Copy_Bmp24_Surface32(s, px, sizeof px, 2, 2), 0);  // 2-byte surface
    // A header larger than the surface is cut to the surface.
    EXPECT_EQ(win.Copy_Bmp24_Surface16(s, px, sizeof px, 50, 50), 1);
}

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
