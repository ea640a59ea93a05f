// Pictures written into the window's surface a changed row at a time: the
// fused convert-and-enlarge primitive, and what the X server ends up showing
// when only some rows of a picture changed.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/frame_convert.h"
#include "platform/platform.h"
#include "platform/whole_scale.h"
#include "support/virtual_x.h"

namespace {

uint16_t some_colour(int x, int y) { return static_cast<uint16_t>((x * 2654435761u) ^ (y * 40503u)); }

// Same pixels as converting and then enlarging, for widths with and without
// a tail the vector loop leaves, destinations aligned or not, and only the
// flagged rows touched.
TEST(WholeScale565, WritesWhatConvertingThenEnlargingWrites) {
    for (const int w : {1, 7, 8, 9, 33, 640}) {
        for (const int factor : {1, 2, 3}) {
            for (const size_t offset : {size_t{0}, size_t{1}}) {  // in pixels: 4 bytes off a 16-byte line
                SCOPED_TRACE(testing::Message() << "width " << w << " factor " << factor << " offset " << offset);
                const int h = 5;
                std::vector<uint16_t> src(size_t(w) * h);
                for (int y = 0; y < h; ++y)
                    for (int x = 0; x < w; ++x) src[size_t(y) * w + x] = some_colour(x, y);
                std::vector<uint32_t> xrgb(src.size());
                platform::rgb565_to_xrgb(reinterpret_cast<const uint8_t*>(src.data()), w * 2, w, h, xrgb.data());
                const size_t pitch_px = size_t(w) * factor + 8;
                std::vector<uint32_t> want(pitch_px * h * factor + 16, 0xDEADBEEF), got = want;
                platform::scale_whole(xrgb.data(), w, h, factor, want.data() + offset, pitch_px * 4);
                const uint8_t rows[] = {1, 0, 1, 1, 0};
                platform::scale_whole_565(src.data(), w, h, factor, got.data() + offset, pitch_px * 4, rows);
                for (int y = 0; y < h * factor; ++y)
                    for (size_t x = 0; x < pitch_px; ++x) {
                        const size_t i = offset + y * pitch_px + x;
                        const uint32_t expected = rows[y / factor] != 0 ? want[i] : 0xDEADBEEF;
                        ASSERT_EQ(got[i], expected) << "at " << x << "," << y;
                    }
            }
        }
    }
}

constexpr int kW = 640, kH = 480;

// What the server shows in the window, against `picture` enlarged twice;
// tries for up to about three seconds (the server and SDL talk
// asynchronously), presenting the picture again each time.
int wrong_pixels(platform::Backend& b, const VirtualX& x, const std::vector<uint16_t>& picture) {
    std::vector<uint32_t> wanted(picture.size());
    platform::rgb565_to_xrgb(reinterpret_cast<const uint8_t*>(picture.data()), kW * 2, kW, kH, wanted.data());
    int wrong = -1;
    for (int attempt = 0; attempt < 150 && wrong != 0; ++attempt) {
        platform::Event e;
        while (b.poll_event(e)) {
        }
        b.present(picture.data(), kW * 2, kW, kH, platform::FrameFormat{});
        const std::vector<uint32_t> screen = x.capture();
        unsigned long id = 0;
        int wx = 0, wy = 0, ww = 0, wh = 0;
        if (!x.find_window("velmora", id, wx, wy, ww, wh) || ww != 2 * kW || wh != 2 * kH) continue;
        wrong = 0;
        for (int sy = 0; sy < wh && wy + sy < x.height(); ++sy)
            for (int sx = 0; sx < ww; ++sx)
                wrong += screen[size_t(wy + sy) * x.width() + wx + sx] != wanted[size_t(sy / 2) * kW + sx / 2];
        if (wrong != 0) b.wait_until_us(b.now_us() + 20000);
    }
    return wrong;
}

TEST(SdlWindow, PicturesThatChangeSomeRowsShowWhole) {
    VirtualX x(1280, 1024);
    if (!x.ok()) GTEST_SKIP() << "no Xvfb";
    auto b = platform::make_sdl_backend();
    platform::WindowOptions options;
    options.fullscreen = false;
    options.scale = 2;
    options.title = "test";
    options.renderer = platform::RendererSetting::Software;
    ASSERT_TRUE(b->open_window(options));

    std::vector<uint16_t> picture(size_t(kW) * kH);
    for (int y = 0; y < kH; ++y)
        for (int x0 = 0; x0 < kW; ++x0) picture[size_t(y) * kW + x0] = some_colour(x0, y);
    EXPECT_EQ(wrong_pixels(*b, x, picture), 0);
    // A band at the top, one row in the middle and the bottom row change.
    for (int y : {0, 1, 2, 3, 241, kH - 1})
        for (int x0 = 0; x0 < kW; ++x0) picture[size_t(y) * kW + x0] = some_colour(x0 + 7, y + 3);
    EXPECT_EQ(wrong_pixels(*b, x, picture), 0);
    // Back to an earlier row, and a row changed in one pixel only.
    for (int x0 = 0; x0 < kW; ++x0) picture[size_t(241) * kW + x0] = some_colour(x0, 241);
    picture[size_t(400) * kW + 639] ^= 0xFFFF;
    EXPECT_EQ(wrong_pixels(*b, x, picture), 0);
}

}  // namespace
