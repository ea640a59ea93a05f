// The platform layer's pure parts and the headless back end; the SDL back
// end once for real when a display is available.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "platform/frame_convert.h"
#include "platform/input_options.h"
#include "platform/platform.h"
#include "platform/scaling.h"
#include "platform/sdl_keymap.h"
#include "platform/sharp_scale.h"
#include "platform/whole_scale.h"
#include "platform/stop_signals.h"

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
    expect_rect(platform::place_picture(1000, 2000, 640, 480, Scaling::Fit), 0, 625, 1000, 750);
    expect_rect(platform::place_picture(1920, 1080, 640, 480, Scaling::Stretch), 0, 0, 1920, 1080);
    expect_rect(platform::place_picture(0, 1080, 640, 480, Scaling::Fit), 0, 0, 0, 0);
    expect_rect(platform::place_picture(1920, 1080, 0, 480, Scaling::Auto), 0, 0, 0, 0);
}

// The screens players have, full screen: where the picture goes and whether
// it is scaled sharp (not a whole multiple) or goes there as it is.
struct ScreenCase {
    int w, h;
    PictureRect place;
    bool sharp;
};

void expect_plans(Scaling scaling, const std::vector<ScreenCase>& cases) {
    for (const ScreenCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.w) + "x" + std::to_string(c.h));
        const platform::PicturePlan plan = platform::plan_picture(c.w, c.h, 640, 480, scaling);
        expect_rect(plan.place, c.place.x, c.place.y, c.place.w, c.place.h);
        EXPECT_EQ(plan.sharp, c.sharp);
    }
}

TEST(Scaling, AutoTakesWholeMultiplesOnlyWhenTheyNearlyFillTheScreen) {
    expect_plans(Scaling::Auto, {
                                    {1366, 768, {171, 0, 1024, 768}, true},      // 1x would fill 62%
                                    {1600, 900, {200, 0, 1200, 900}, true},      // 1x: 53%
                                    {1920, 1080, {320, 60, 1280, 960}, false},   // 2x: 89%
                                    {2560, 1440, {320, 0, 1920, 1440}, false},   // 3x: all of the height
                                    {3840, 2160, {640, 120, 2560, 1920}, false}, // 4x: 89%
                                    {640, 480, {0, 0, 640, 480}, false},
                                    {1280, 1024, {0, 32, 1280, 960}, false},     // 2x fills the 4:3 fit
                                });
    // The 85% line itself: 480 of 564 is just above it, 480 of 565 just below.
    expect_rect(platform::place_picture(800, 564, 640, 480, Scaling::Auto), 80, 42, 640, 480);
    expect_rect(platform::place_picture(800, 565, 640, 480, Scaling::Auto), 23, 0, 753, 565);
}

TEST(Scaling, FitIsAsLargeAsFitsAndDrawnSharp) {
    expect_plans(Scaling::Fit, {
                                   {1366, 768, {171, 0, 1024, 768}, true},
                                   {1600, 900, {200, 0, 1200, 900}, true},
                                   {1920, 1080, {240, 0, 1440, 1080}, true},
                                   {2560, 1440, {320, 0, 1920, 1440}, false},  // exactly 3x
                                   {3840, 2160, {480, 0, 2880, 2160}, true},
                                   {640, 480, {0, 0, 640, 480}, false},
                               });
    // Smaller than the picture: sharp too (averaged down). Stretch stays nearest.
    EXPECT_TRUE(platform::plan_picture(600, 400, 640, 480, Scaling::Integer).sharp);
    EXPECT_FALSE(platform::plan_picture(1366, 768, 640, 480, Scaling::Stretch).sharp);
}

TEST(Scaling, WindowsFitTheUsableAreaWithTheirFrame) {
    using platform::Borders;
    const Borders title_bar{20, 0, 0, 0};
    // A frame on a 2560 x 1440 screen: 3x would put the frame off the screen.
    platform::WindowFit f = platform::fit_window({0, 0, 2560, 1440}, title_bar, 640, 480, 0);
    expect_rect(f.client, 640, 250, 1280, 960);
    EXPECT_EQ(f.scale, 2);
    EXPECT_FALSE(f.lowered);
    // No window manager, no frame: 3x fills the height exactly.
    f = platform::fit_window({0, 0, 2560, 1440}, Borders{}, 640, 480, 0);
    expect_rect(f.client, 320, 0, 1920, 1440);
    // A scale asked for that does not fit is lowered, and says so.
    f = platform::fit_window({0, 0, 1280, 1024}, title_bar, 640, 480, 4);
    expect_rect(f.client, 0, 42, 1280, 960);
    EXPECT_TRUE(f.lowered);
    f = platform::fit_window({0, 0, 1280, 1024}, title_bar, 640, 480, 1);
    expect_rect(f.client, 320, 282, 640, 480);
    EXPECT_FALSE(f.lowered);
    // A panel on the left moves the area; the window is centred in what is left.
    f = platform::fit_window({64, 0, 1856, 1080}, Borders{30, 0, 0, 0}, 640, 480, 0);
    expect_rect(f.client, 352, 75, 1280, 960);
    // Too small even for 1x: the largest 4:3 client that fits with its frame.
    f = platform::fit_window({0, 0, 640, 480}, Borders{24, 1, 1, 1}, 640, 480, 0);
    expect_rect(f.client, 17, 24, 606, 455);
    EXPECT_EQ(f.scale, 0);
    EXPECT_TRUE(platform::fit_window({0, 0, 640, 480}, Borders{24, 1, 1, 1}, 640, 480, 1).lowered);
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
    // The fast 5-6-5 path rounds every value as v * 255 / max does.
    std::vector<uint16_t> all(65536);
    for (uint32_t v = 0; v < 65536; ++v) all[v] = static_cast<uint16_t>(v);
    std::vector<uint32_t> wide(65536);
    platform::frame_to_xrgb(all.data(), 65536 * 2, 65536, 1, f565, wide.data());
    for (uint32_t v = 0; v < 65536; ++v) {
        const uint32_t r = ((v >> 11) * 255 + 15) / 31, g = (((v >> 5) & 63) * 255 + 31) / 63,
                       b = ((v & 31) * 255 + 15) / 31;
        ASSERT_EQ(wide[v], r << 16 | g << 8 | b) << v;
    }

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
    ASSERT_NE(b, nullptr) << platform::kNoDisplayMessage;
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

// Each case runs in a child process: the handlers are process-wide.
TEST(StopSignalsDeathTest, AStopEndsTheProgramAtOnceUnlessTheGameLoopIsReadingEvents) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    // Start-up (nobody polls yet): killed by the signal, as without a handler.
    EXPECT_EXIT(
        {
            platform::install_stop_signals();
            std::raise(SIGTERM);
            std::_Exit(3);
        },
        ::testing::KilledBySignal(SIGTERM), "");
    // The game loop polls: the first stop becomes one Quit, a second one kills.
    EXPECT_EXIT(
        {
            platform::install_stop_signals();
            if (platform::take_stop_request()) std::_Exit(3);
            std::raise(SIGINT);
            if (!platform::take_stop_request() || platform::take_stop_request()) std::_Exit(4);
            std::raise(SIGTERM);
            std::_Exit(5);
        },
        ::testing::KilledBySignal(SIGTERM), "");
    // A dialog waiting for an answer: nothing would read a Quit, so it kills.
    EXPECT_EXIT(
        {
            platform::install_stop_signals();
            platform::take_stop_request();
            const platform::BlockingScope dialog;
            std::raise(SIGINT);
            std::_Exit(3);
        },
        ::testing::KilledBySignal(SIGINT), "");
}

// Ended or only a zombie waiting for its parent to collect it.
bool process_gone(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string id, name, state;
    return !(stat >> id >> name >> state) || state == "Z";
}

// SDL shows its dialogs from a child process; stopping the game while one
// waits must not leave the dialog on the screen.
TEST(StopSignals, ADialogsChildProcessEndsWithTheGame) {
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    const pid_t game = ::fork();
    ASSERT_GE(game, 0);
    if (game == 0) {
        platform::install_stop_signals();
        platform::take_stop_request();
        const platform::BlockingScope dialog;
        const pid_t box = ::fork();
        if (box == 0)
            for (;;) ::pause();
        if (::write(fds[1], &box, sizeof box) != sizeof box) std::_Exit(3);
        for (;;) ::pause();
    }
    pid_t box = 0;
    ASSERT_EQ(::read(fds[0], &box, sizeof box), static_cast<ssize_t>(sizeof box));
    ::close(fds[0]);
    ::close(fds[1]);
    ::kill(game, SIGTERM);
    int status = 0;
    ASSERT_EQ(::waitpid(game, &status, 0), game);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM);
    bool gone = false;
    for (int i = 0; i < 200 && !gone; ++i) {
        gone = process_gone(box);
        if (!gone) ::usleep(10000);
    }
    EXPECT_TRUE(gone);
    if (!gone) ::kill(box, SIGKILL);
}

uint32_t channel(uint32_t p) { return p & 0xFF; }

TEST(SharpScale, EveryPicturePixelKeepsItsWidthAndOnlyEdgesBlend) {
    // 2-pixel white and black stripes, 640 -> 1024 (1.6x): each stripe is
    // 3.2 screen pixels wide.
    std::vector<uint32_t> src(640 * 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 640; ++x) src[size_t(y) * 640 + x] = (x / 2) % 2 == 0 ? 0xFFFFFFu : 0u;
    std::vector<uint32_t> dst(1024 * 3);
    platform::SharpScaler scaler;
    scaler.scale(src.data(), 640, 2, dst.data(), 1024, 3);
    const uint32_t* row = &dst[1024];
    int blend_run = 0;
    for (int x = 0; x < 1024; ++x) {
        const uint32_t v = channel(row[x]);
        blend_run = v != 0 && v != 255 ? blend_run + 1 : 0;
        ASSERT_LE(blend_run, 1) << x;  // never blurred over two pixels
        EXPECT_EQ(row[x], v * 0x010101u) << x;  // grey stays grey: the channels move together
    }
    for (int stripe = 0; stripe < 160; ++stripe) {  // all the same width
        double ink = 0;
        for (int x = int(stripe * 6.4) - 1; x <= int(stripe * 6.4 + 3.2) + 1; ++x)
            if (x >= 0 && x < 1024) ink += channel(row[x]) / 255.0;
        EXPECT_NEAR(ink, 3.2, 0.02) << stripe;
    }
}

TEST(SharpScale, WholeMultiplesFlatColoursAndReductionsKeepWhatTheyShould) {
    platform::SharpScaler scaler;
    // A whole multiple is plain repetition.
    const std::vector<uint32_t> two = {0x102030u, 0xA0B0C0u};
    std::vector<uint32_t> out(6);
    scaler.scale(two.data(), 2, 1, out.data(), 6, 1);
    EXPECT_EQ(out, (std::vector<uint32_t>{0x102030u, 0x102030u, 0x102030u, 0xA0B0C0u, 0xA0B0C0u, 0xA0B0C0u}));
    // A flat picture stays flat at any size, larger or smaller.
    const std::vector<uint32_t> flat(640 * 480, 0x3C7AE1u);
    for (const auto& [w, h] : std::vector<std::pair<int, int>>{{1366, 768}, {1000, 600}, {300, 200}, {1, 1}}) {
        std::vector<uint32_t> o(size_t(w) * h, 0);
        scaler.scale(flat.data(), 640, 480, o.data(), w, h);
        EXPECT_TRUE(std::all_of(o.begin(), o.end(), [](uint32_t p) { return p == 0x3C7AE1u; })) << w << "x" << h;
    }
    // Smaller than the picture: each screen pixel averages what it covers.
    std::vector<uint32_t> checker(640 * 480);
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) checker[size_t(y) * 640 + x] = (x + y) % 2 == 0 ? 0xFFFFFFu : 0u;
    std::vector<uint32_t> small(64 * 48);
    scaler.scale(checker.data(), 640, 480, small.data(), 64, 48);
    for (uint32_t p : small) EXPECT_NEAR(double(channel(p)), 127.5, 1.0);
}

TEST(WholeScale, EachPixelBecomesASquareAndRowsKeepTheirPitch) {
    // 3 x 2 picture, every pixel its own colour.
    const std::vector<uint32_t> src = {1, 2, 3, 4, 5, 6};
    for (int factor : {1, 2, 3}) {
        SCOPED_TRACE(factor);
        const int w = 3 * factor, h = 2 * factor, pitch = w + 2;  // rows wider than the picture
        std::vector<uint32_t> dst(size_t(pitch) * h, 0xDEADu);
        platform::scale_whole(src.data(), 3, 2, factor, dst.data(), size_t(pitch) * 4);
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) EXPECT_EQ(dst[size_t(y) * pitch + x], src[size_t(y / factor) * 3 + x / factor]);
            EXPECT_EQ(dst[size_t(y) * pitch + w], 0xDEADu) << "past the row";
        }
    }
    std::vector<uint32_t> untouched(4, 7);
    platform::scale_whole(src.data(), 3, 2, 0, untouched.data(), 16);
    EXPECT_EQ(untouched, std::vector<uint32_t>(4, 7));
}

}  // namespace
