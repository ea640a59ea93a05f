// The platform layer's pure parts and the headless back end; the SDL back
// end once for real when a display is available.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/frame_convert.h"
#include "platform/input_options.h"
#include "platform/platform.h"
#include "platform/scaling.h"
#include "platform/sdl_keymap.h"

namespace {

using platform::PictureRect;
using platform::Scaling;

void expect_rect(const PictureRect& r, int x, int y, int w, int h) {
    EXPECT_EQ(r.x, x);
    EXPECT_EQ(r.y, y);
    EXPECT_EQ(r.w, w);
    EXPECT_EQ(r.h, h);
}

TEST(Scaling, IntegerFitAndStretchPlacement) {
    expect_rect(platform::place_picture(1920, 1080, 640, 480, Scaling::Integer), 320, 60, 1280, 960);
    expect_rect(platform::place_picture(3840, 2160, 640, 480, Scaling::Integer), 640, 120, 2560, 1920);
    expect_rect(platform::place_picture(640, 480, 640, 480, Scaling::Integer), 0, 0, 640, 480);
    // Smaller than the picture: integer gives way to an aspect-correct fit.
    expect_rect(platform::place_picture(600, 400, 640, 480, Scaling::Integer), 33, 0, 533, 400);
    expect_rect(platform::place_picture(1920, 1080, 640, 480, Scaling::Fit), 240, 0, 1440, 1080);
    expect_rect(platform::place_picture(1000, 2000, 640, 480, Scaling::Fit), 0, 625, 1000, 750);
    expect_rect(platform::place_picture(1920, 1080, 640, 480, Scaling::Stretch), 0, 0, 1920, 1080);
    expect_rect(platform::place_picture(0, 1080, 640, 480, Scaling::Fit), 0, 0, 0, 0);
    EXPECT_EQ(platform::largest_scale(1920, 1050, 640, 480), 2);
    EXPECT_EQ(platform::largest_scale(500, 400, 640, 480), 1);
}

TEST(FrameConvert, EveryDepthBecomesXrgb) {
    using platform::FrameFormat;
    uint32_t out[2] = {};
    const uint16_t p565[4] = {0xFFFF, 0x07E0, 0xDEAD, 0xDEAD};  // 2 pixels, 2 of row padding
    FrameFormat f565;
    EXPECT_TRUE(platform::is_rgb565(f565));
    platform::frame_to_xrgb(p565, 8, 2, 1, f565, out);
    EXPECT_EQ(out[0], 0xFFFFFFu);
    EXPECT_EQ(out[1], 0x00FF00u);

    const uint16_t p555[2] = {0x7C00, 0x001F};
    const FrameFormat f555{15, 0x7C00, 0x03E0, 0x001F, nullptr};
    EXPECT_FALSE(platform::is_rgb565(f555));
    platform::frame_to_xrgb(p555, 4, 2, 1, f555, out);
    EXPECT_EQ(out[0], 0xFF0000u);
    EXPECT_EQ(out[1], 0x0000FFu);

    const uint8_t p24[8] = {0x56, 0x34, 0x12, 0xFF, 0xEE, 0xDD, 0, 0};
    platform::frame_to_xrgb(p24, 8, 2, 1, FrameFormat{24, 0xFF0000, 0xFF00, 0xFF, nullptr}, out);
    EXPECT_EQ(out[0], 0x123456u);
    EXPECT_EQ(out[1], 0xDDEEFFu);

    // Two rows with a pitch wider than the pixels: the padding never shows.
    const uint8_t p8[8] = {1, 2, 9, 9, 0, 1, 9, 9};
    uint32_t palette[256] = {};
    palette[1] = 0xFF102030u;
    uint32_t out4[4] = {};
    platform::frame_to_xrgb(p8, 4, 2, 2, FrameFormat{8, 0, 0, 0, palette}, out4);
    EXPECT_EQ(out4[0], 0x102030u);
    EXPECT_EQ(out4[1], 0u);
    EXPECT_EQ(out4[2], 0u);
    EXPECT_EQ(out4[3], 0x102030u);
}

TEST(Keymap, KeypadByPositionLettersByLayout) {
    EXPECT_EQ(platform::vkey_for(SDL_SCANCODE_KP_0, SDLK_INSERT), 0x60);  // NumLock off
    EXPECT_EQ(platform::vkey_for(SDL_SCANCODE_KP_9, SDLK_PAGEUP), 0x69);
    EXPECT_EQ(platform::vkey_for(SDL_SCANCODE_RCTRL, SDLK_RCTRL), 0x11);
    EXPECT_EQ(platform::vkey_for(SDL_SCANCODE_Q, SDLK_a), 'A');             // the layout's letter
    EXPECT_EQ(platform::vkey_for(SDL_SCANCODE_1, SDLK_AMPERSAND), '1');     // no digit there: position
    EXPECT_EQ(platform::vkey_for(SDL_SCANCODE_APPLICATION, SDLK_APPLICATION), 0);
}

TEST(Keymap, KeysNamedForAJobArriveAsThatJobsCode) {
    platform::InputOptions options;
    options.keys[platform::kPlayerTwoUp] = "W";
    options.keys[platform::kPlayerOneFire] = "Return, Keypad 0";
    platform::set_input_options(options);
    EXPECT_EQ(platform::game_vkey_for(SDL_SCANCODE_W, SDLK_w), 0x26);
    EXPECT_EQ(platform::game_vkey_for(SDL_SCANCODE_RETURN, SDLK_RETURN), 0x20);
    EXPECT_EQ(platform::game_vkey_for(SDL_SCANCODE_KP_0, SDLK_KP_0), 0x20) << "named: no longer player two's";
    // Named nowhere: their own codes, so the menus and the old jobs still have them.
    EXPECT_EQ(platform::game_vkey_for(SDL_SCANCODE_UP, SDLK_UP), 0x26);
    EXPECT_EQ(platform::game_vkey_for(SDL_SCANCODE_SPACE, SDLK_SPACE), 0x20);
    EXPECT_EQ(platform::game_vkey_for(SDL_SCANCODE_ESCAPE, SDLK_ESCAPE), 0x1B);
    EXPECT_EQ(platform::game_vkey_for(SDL_SCANCODE_RCTRL, SDLK_RCTRL), 0x11);

    options.keys[platform::kPlayerTwoDown] = "Nonsense";  // the settings reader refuses it; here too
    platform::set_input_options(options);
    EXPECT_EQ(platform::game_vkey_for(SDL_SCANCODE_DOWN, SDLK_DOWN), 0x28);

    platform::set_input_options(platform::InputOptions{});
    EXPECT_EQ(platform::game_vkey_for(SDL_SCANCODE_W, SDLK_w), 'W');
    EXPECT_EQ(platform::game_vkey_for(SDL_SCANCODE_KP_0, SDLK_KP_0), 0x60);
}

TEST(Headless, VirtualClockAndQuietDevices) {
    auto b = platform::make_headless_backend();
    EXPECT_TRUE(b->headless());
    EXPECT_EQ(b->now_us(), 0u);
    b->wait_until_us(45000);
    EXPECT_EQ(b->now_ms(), 45u);
    b->wait_until_us(10);  // never backwards
    EXPECT_EQ(b->now_us(), 45000u);
    b->sleep_ms(1);
    EXPECT_EQ(b->now_us(), 46000u);

    int found = 0;
    for (const platform::VideoMode& m : b->modes(0))
        if (m.width == 640 && m.height == 480) found |= 1 << (m.depth - 8);
    for (int depth : {8, 15, 16, 24, 32}) EXPECT_TRUE(found & (1 << (depth - 8))) << depth;

    EXPECT_FALSE(b->open_audio([](void*, int16_t*, int) {}, nullptr, 44100, 1024));
}

// Needs a real display (run under a virtual X server to exercise it).
TEST(SdlBackend, OpensAWindowAndShowsAPicture) {
    if (std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr)
        GTEST_SKIP() << "no display";
    auto b = platform::make_sdl_backend();
    ASSERT_FALSE(b->displays().empty());
    platform::WindowOptions options;
    options.fullscreen = false;
    options.scale = 1;
    options.title = "test";
    ASSERT_TRUE(b->open_window(options));
    std::vector<uint16_t> picture(640 * 480, 0xF800);
    b->present(picture.data(), 640 * 2, 640, 480, platform::FrameFormat{});
    std::vector<uint8_t> indexed(640 * 480, 1);
    uint32_t palette[256] = {0, 0x00FF00};
    b->present(indexed.data(), 640, 640, 480, platform::FrameFormat{8, 0, 0, 0, palette});
    platform::Event e;
    while (b->poll_event(e)) {
    }
    const uint64_t t0 = b->now_us();
    b->wait_until_us(t0 + 5000);
    EXPECT_GE(b->now_us(), t0 + 5000);
    EXPECT_LT(b->now_us(), t0 + 50000);
    b->toggle_fullscreen();
    b->close_window();
}

}  // namespace
