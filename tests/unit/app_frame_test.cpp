// The frame: logo screens, the paced play frame, quitting and closing.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <list>
#include <sstream>

#include "app/Velmora_Win.h"
#include "app/globals.h"
#include "platform/platform.h"
#include "sprites/Sprite.h"
#include "support/temp_dir.h"
#include "support/test_window.h"

namespace {
class AppFrame : public ::testing::Test {
protected:
    void SetUp() override {
        reset_globals_to_program_start();
        Velmora_Win::mouseclickqueue.clear();
        ASSERT_TRUE(setup_headless_display(win));
    }
    void TearDown() override { Velmora_Win::mouseclickqueue.clear(); }
    static uint64_t now_us() { return platform::backend().now_us(); }
    void press(bool pressed) {
        Velmora_Win::mouseclickqueue.push_front(MouseClickData{0, 0, 0, pressed});
    }
    Velmora_Win win;
};
}  // namespace

TEST_F(AppFrame, PlayFrameHoldsFortyFiveMillisecondsAndNoticesALevelEnd) {
    Sprite::the_level = new std::list<Sprite*>;
    currentlevel = win.loaded_level = 1;
    win.game_state = 8;
    const uint32_t start = now_ms();
    win.game_loop();
    EXPECT_EQ(now_ms() - start, 45u);
    EXPECT_EQ(win.game_state, 8);

    // The exit portal raised the level: this frame still completes, then state 9.
    currentlevel = 2;
    g_themousebutton = true;
    win.game_loop();
    EXPECT_EQ(win.game_state, 9);
    EXPECT_FALSE(g_themousebutton);

    currentlevel = 1;
    win.game_state = 8;
    gameover = true;
    win.game_loop();
    EXPECT_EQ(win.game_state, 9);
}

TEST_F(AppFrame, ClicksSkipTheLogosAndAHeldButtonSkipsBoth) {
    win.publisher_logo = win.CreateSurface(640, 480);
    win.studio_logo = win.CreateSurface(640, 480);
    win.game_state = 1;
    win.frame_time = now_ms();
    press(true);
    press(false);  // pressed and released within one frame: not noticed
    win.DrawScene();
    EXPECT_EQ(win.game_state, 1);

    press(true);
    win.DrawScene();
    EXPECT_EQ(win.game_state, 2);
    EXPECT_NE(win.studio_logo, nullptr);
    win.DrawScene();  // still held
    EXPECT_EQ(win.game_state, 4);
    EXPECT_EQ(win.publisher_logo, nullptr);
    EXPECT_EQ(win.studio_logo, nullptr);
}

TEST_F(AppFrame, QuitSavesAndEndsTheFrameWithoutAFlip) {
    TempDir dir;
    ScopedChdir here(dir.path());
    std::filesystem::create_directories("Other");
    fxvolume = 6;
    win.game_state = 14;
    const uint64_t before = now_us();
    win.DrawScene();
    EXPECT_TRUE(win.CloseMessagePosted());
    EXPECT_EQ(now_us(), before) << "no flip and no sleep after the quit state";
    std::ifstream in("Other/Preferences.txt");
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), "6\n10\n");
}

TEST_F(AppFrame, ClosingTheWindowQuitsThroughTheQuitState) {
    win.game_state = 4;
    win.OnCloseRequest();
    EXPECT_EQ(win.game_state, 14);
    EXPECT_FALSE(win.CloseMessagePosted());

    // Before the first frame nothing was read, so nothing is written.
    TempDir dir;
    ScopedChdir here(dir.path());
    Velmora_Win fresh;
    fresh.OnCloseRequest();
    EXPECT_TRUE(fresh.CloseMessagePosted());
    fresh.DrawScene();
    EXPECT_EQ(fresh.game_state, 0);
    EXPECT_FALSE(std::filesystem::exists("Other/Preferences.txt"));
}
