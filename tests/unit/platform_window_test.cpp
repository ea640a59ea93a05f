// The SDL back end's window on a real X server without a window manager
// (Xvfb): what is on the screen, read back from the server, not what SDL
// believes. Skipped where Xvfb is not installed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/frame_convert.h"
#include "platform/platform.h"
#include "support/virtual_x.h"

namespace {

constexpr int kW = 640, kH = 480;

// Grey, with a band of 2-pixel white and black stripes across the middle.
std::vector<uint16_t> striped_picture() {
    std::vector<uint16_t> p(size_t(kW) * kH, 0x8410);  // mid grey in 5-6-5
    for (int y = 200; y < 280; ++y)
        for (int x = 100; x < 540; ++x) p[size_t(y) * kW + x] = (x / 2) % 2 == 0 ? 0xFFFF : 0x0000;
    return p;
}

// Shows the picture until the screen holds `want` (or about three seconds
// pass: the server and SDL talk asynchronously). Returns the last capture.
std::vector<uint32_t> show_until(platform::Backend& b, const VirtualX& x, const std::vector<uint16_t>& picture,
                                 const Box& want) {
    std::vector<uint32_t> screen;
    for (int attempt = 0; attempt < 150; ++attempt) {
        platform::Event e;
        while (b.poll_event(e)) {
        }
        b.present(picture.data(), kW * 2, kW, kH, platform::FrameFormat{});
        screen = x.capture();
        const Box got = bright_box(screen, x.width(), x.height());
        if (got.x == want.x && got.y == want.y && got.w == want.w && got.h == want.h) break;
        b.wait_until_us(b.now_us() + 20000);
    }
    return screen;
}

void expect_box(const std::vector<uint32_t>& screen, const VirtualX& x, const Box& want) {
    const Box got = bright_box(screen, x.width(), x.height());
    EXPECT_EQ(got.x, want.x);
    EXPECT_EQ(got.y, want.y);
    EXPECT_EQ(got.w, want.w);
    EXPECT_EQ(got.h, want.h);
}

std::unique_ptr<platform::Backend> sdl_on(const VirtualX& x) {
    if (!x.ok()) return nullptr;
    return platform::make_sdl_backend();
}

TEST(SdlWindow, FullScreenOnABareServerShowsTheWholePictureCentredAndSharp) {
    VirtualX x(1366, 768);
    auto b = sdl_on(x);
    if (!b) GTEST_SKIP() << "no Xvfb";
    platform::WindowOptions options;  // the defaults: full screen, auto
    options.title = "test";
    ASSERT_TRUE(b->open_window(options));
    // 1x would fill 62% of the height: the largest 4:3 picture, 1024 x 768.
    const Box want{171, 0, 1024, 768};
    const std::vector<uint32_t> screen = show_until(*b, x, striped_picture(), want);
    expect_box(screen, x, want);

    // Picture row 240 (the middle of the stripes) is screen row 384. Every
    // stripe is 2 picture pixels, 3.2 screen pixels: drawn sharp, each holds
    // 3.2 pixels' worth of white (nearest sampling gives 3 or 4: uneven), and
    // between full white and full black lies at most one blended pixel
    // (plain filtering blurs over two or more).
    const uint32_t* row = &screen[size_t(384) * 1366];
    int blended_run = 0, longest_blend = 0;
    for (int sx = 171 + 170; sx < 171 + 860; ++sx) {
        const int v = int(row[sx] & 0xFF);
        blended_run = v > 8 && v < 247 ? blended_run + 1 : 0;
        longest_blend = std::max(longest_blend, blended_run);
    }
    EXPECT_LE(longest_blend, 1);
    double least = 1e9, most = 0;
    for (int px = 120; px < 520; px += 4) {  // a white stripe starts at every fourth picture column
        const double from = 171 + px * 1.6, to = from + 3.2;
        double ink = 0;
        for (int sx = int(from) - 1; sx <= int(to) + 1; ++sx) ink += (row[sx] & 0xFF) / 255.0;
        least = std::min(least, ink);
        most = std::max(most, ink);
    }
    EXPECT_NEAR(least, 3.2, 0.15);
    EXPECT_NEAR(most, 3.2, 0.15);
}

TEST(SdlWindow, APictureFollowsTheWindowsRealSizeAndTheWindowIsKnownToTheDesktop) {
    VirtualX x(1366, 768);
    auto b = sdl_on(x);
    if (!b) GTEST_SKIP() << "no Xvfb";
    std::vector<uint32_t> icon(64 * 64, 0xFF2040A0u);
    b->set_window_icon(64, 64, icon.data());
    platform::WindowOptions options;
    options.fullscreen = false;
    options.scale = 1;
    options.title = "test";
    ASSERT_TRUE(b->open_window(options));
    const std::vector<uint16_t> picture = striped_picture();
    show_until(*b, x, picture, Box{363, 144, 640, 480});

    unsigned long id = 0;
    int wx = 0, wy = 0, ww = 0, wh = 0;
    ASSERT_TRUE(x.find_window("velmora", id, wx, wy, ww, wh));  // the class the desktop entry names
    EXPECT_EQ(b->displays().at(0).description.rfind("Display 0: ", 0), 0u);  // counted as --display counts
    EXPECT_EQ(x.icon_cardinals(id), 2 + 64 * 64);
    EXPECT_EQ(ww, 640);
    EXPECT_EQ(wh, 480);

    // Someone else gives the window another size: 1000 x 600, where 1x would
    // fill 80% of the height, so the picture is 800 x 600 in its middle.
    x.resize_window(id, 1000, 600);
    const Box want{wx + 100, wy, 800, 600};
    expect_box(show_until(*b, x, picture, want), x, want);
}

// A window at twice the picture's size: every picture pixel is a 2 x 2
// square of exactly its colour, whichever renderer enlarges it.
// Scale 2 goes through the X server's enlargement, scale 3 (whose inverse
// the server's fixed point cannot hold) through the window's surface.
TEST(SdlWindow, AWindowAtAWholeScaleShowsEachPixelAsASquare) {
    for (const int scale : {2, 3}) {
        SCOPED_TRACE(scale);
        VirtualX x(kW * scale, kH * scale + 64);
        auto b = sdl_on(x);
        if (!b) GTEST_SKIP() << "no Xvfb";
        platform::WindowOptions options;
        options.fullscreen = false;
        options.scale = scale;
        options.title = "test";
        ASSERT_TRUE(b->open_window(options));
        const std::vector<uint16_t> picture = striped_picture();
        const std::vector<uint32_t> screen = show_until(*b, x, picture, Box{0, 32, kW * scale, kH * scale});
        unsigned long id = 0;
        int wx = 0, wy = 0, ww = 0, wh = 0;
        ASSERT_TRUE(x.find_window("velmora", id, wx, wy, ww, wh));
        ASSERT_EQ(ww, kW * scale);
        ASSERT_EQ(wh, kH * scale);
        std::vector<uint32_t> wanted(picture.size());
        platform::frame_to_xrgb(picture.data(), kW * 2, kW, kH, platform::FrameFormat{}, wanted.data());
        int wrong = 0;
        for (int sy = 0; sy < wh && wy + sy < x.height(); ++sy)
            for (int sx = 0; sx < ww; ++sx)
                wrong += screen[size_t(wy + sy) * x.width() + wx + sx] != wanted[size_t(sy / scale) * kW + sx / scale];
        EXPECT_EQ(wrong, 0) << "in the window at " << wx << "," << wy;
    }
}

// The session ends under a running game: it ends too, instead of waiting on
// the dead connection forever at full speed.
TEST(SdlWindowDeathTest, WhenTheXServerGoesAwayTheGameEnds) {
    if (!std::filesystem::exists("/usr/bin/Xvfb")) GTEST_SKIP() << "no Xvfb";
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            VirtualX x(800, 600);
            auto b = sdl_on(x);
            if (!b) std::_Exit(3);
            platform::WindowOptions options;
            options.fullscreen = false;
            options.scale = 1;
            options.title = "test";
            if (!b->open_window(options)) std::_Exit(4);
            const std::vector<uint16_t> picture = striped_picture();
            x.stop();
            for (int frame = 0; frame < 500; ++frame) {
                platform::Event e;
                while (b->poll_event(e)) {
                }
                b->present(picture.data(), kW * 2, kW, kH, platform::FrameFormat{});
                b->wait_until_us(b->now_us() + 10000);
            }
            std::_Exit(5);
        },
        ::testing::ExitedWithCode(1), "the connection to the display was lost");
}

}  // namespace
