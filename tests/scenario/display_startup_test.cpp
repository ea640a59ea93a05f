// The real program meeting a machine's display: none at all, and a bare X
// server (no window manager) where it starts full screen with the player's
// default settings and is stopped by SIGTERM.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "support/scenario.h"
#include "support/temp_dir.h"
#include "support/virtual_x.h"

namespace {
std::string asan_options_without_leak_check() {
    const char* inherited = std::getenv("ASAN_OPTIONS");
    return std::string(inherited != nullptr ? inherited : "") + ":detect_leaks=0";
}

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

// Waits up to `seconds` for the child to end; its exit status, or -1.
int wait_for_exit(pid_t child, int seconds) {
    for (int i = 0; i < seconds * 50; ++i) {
        int status = 0;
        const pid_t done = ::waitpid(child, &status, WNOHANG);
        if (done == child) return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        if (done < 0 && errno != EINTR) return -1;
        ::usleep(20000);
    }
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    return -1;
}

TEST(DisplayStartup, FullScreenOnABareServerShowsTheWholePictureAndSigtermQuitsThroughTheGame) {
    VirtualX x(1366, 768);
    if (!x.ok()) GTEST_SKIP() << "no Xvfb";
    TempDir tmp;
    const std::string data = tmp.file("data");
    ASSERT_TRUE(scenario::write_minimal_data_tree(data));
    const std::string config = tmp.file("config");
    const std::vector<std::string> env_text = {"DISPLAY=" + x.name(), "SDL_VIDEODRIVER=x11",
                                               "SDL_AUDIODRIVER=dummy", "HOME=" + tmp.path(),
                                               "XDG_CONFIG_HOME=" + config, "PATH=/usr/bin:/bin",
                                               // libdbus and the GL libraries leave blocks at exit
                                               "ASAN_OPTIONS=" + asan_options_without_leak_check()};
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::vector<std::string> args = {VELMORA_BINARY, "--data", data};
        std::vector<char*> argv, envp;
        for (std::string& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        std::vector<std::string> env = env_text;
        for (std::string& e : env) envp.push_back(e.data());
        envp.push_back(nullptr);
        ::alarm(120);
        ::execve(argv[0], argv.data(), envp.data());
        _exit(127);
    }
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

    ::kill(child, SIGTERM);
    EXPECT_EQ(wait_for_exit(child, 30), 0);
    // It quit through the game's own quit, which keeps the volumes.
    EXPECT_TRUE(std::filesystem::exists(data + "/Other/Preferences.txt"));
    EXPECT_NE(scenario::read_file(config + "/velmora/velmora.cfg").find("scaling = auto"), std::string::npos);
}

}  // namespace
