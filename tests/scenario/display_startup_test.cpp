// The real program meeting a machine's display: none at all, and a bare X
// server (no window manager) where it starts full screen with the player's
// default settings and is stopped by SIGTERM.
#include <signal.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "support/child_process.h"
#include "support/scenario.h"
#include "support/temp_dir.h"
#include "support/virtual_x.h"

namespace {
TEST(DisplayStartup, WithoutADisplayItSaysSoAndEndsInsteadOfRunningUnseen) {
    TempDir tmp;
    ASSERT_TRUE(scenario::write_minimal_data_tree(tmp.file("data")));
    // No X11, no Wayland, no driver asked for: SDL would fall back to its
    // offscreen driver and the game would run invisibly.
    const scenario::RunResult r = scenario::run_velmora(
        {"--data", tmp.file("data")},
        {{"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}, {"SDL_VIDEODRIVER", ""}, {"HOME", tmp.path()},
         {"XDG_CONFIG_HOME", tmp.file("config")}},
        60);
    EXPECT_EQ(r.exit_code, 1) << r.output;
    EXPECT_NE(r.output.find("velmora: no display found: set DISPLAY or WAYLAND_DISPLAY, or use --headless"),
              std::string::npos)
        << r.output;
}

TEST(DisplayStartup, FullScreenOnABareServerShowsTheWholePictureAndSigtermQuitsThroughTheGame) {
    VirtualX x(1366, 768);
    if (!x.ok()) GTEST_SKIP() << "no Xvfb";
    TempDir tmp;
    const std::string data = tmp.file("data");
    ASSERT_TRUE(scenario::write_minimal_data_tree(data));
    const std::string config = tmp.file("config");
    const char* asan = std::getenv("ASAN_OPTIONS");
    scenario::ChildProcess game;
    ASSERT_TRUE(game.start({"--data", data}, tmp.file("game.log"),
                           {{"SDL_AUDIODRIVER", "dummy"}, {"WAYLAND_DISPLAY", ""}, {"VELMORA_DATA", ""},
                            {"HOME", tmp.path()}, {"XDG_CONFIG_HOME", config},
                            // libdbus and the GL libraries leave blocks at exit
                            {"ASAN_OPTIONS", std::string(asan != nullptr ? asan : "") + ":detect_leaks=0"}}));
    // The first logo, a full 640 x 480 picture, shown as the largest 4:3
    // picture that fits: 1024 x 768 in the middle of the screen.
    const Box want{171, 0, 1024, 768};
    Box got;
    for (int i = 0; i < 500; ++i) {
        got = bright_box(x.capture(), x.width(), x.height());
        if (got.x == want.x && got.y == want.y && got.w == want.w && got.h == want.h) break;
        ::usleep(20000);
    }
    EXPECT_EQ(got.x, want.x);
    EXPECT_EQ(got.y, want.y);
    EXPECT_EQ(got.w, want.w);
    EXPECT_EQ(got.h, want.h);

    game.kill(SIGTERM);
    EXPECT_EQ(game.wait(30000), 0) << game.output();
    // It quit through the game's own quit, which keeps the volumes.
    EXPECT_TRUE(std::filesystem::exists(data + "/Other/Preferences.txt"));
    EXPECT_NE(scenario::read_file(config + "/velmora/velmora.cfg").find("scaling = auto"), std::string::npos);
}

}  // namespace
