// The paced play frame, quitting and closing the window.
#include <gtest/gtest.h>

#include <filesystem>
#include <list>

#include "app/Velmora_Win.h"
#include "app/globals.h"
#include "platform/platform.h"
#include "sprites/Sprite.h"
#include "support/scenario.h"
#include "support/temp_dir.h"
#include "support/test_window.h"

namespace {
class AppFrame : public ::testing::Test {
protected:
    void SetUp() override {
        reset_globals_to_program_start();
        ASSERT_TRUE(setup_headless_display(win));
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

    currentlevel = 2;  // the exit portal: this frame completes, then state 9
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

TEST_F(AppFrame, QuitSavesAndEndsTheFrameWithoutAFlip) {
    TempDir dir;
    ScopedChdir here(dir.path());
    std::filesystem::create_directories("Other");
    fxvolume = 6;
    win.game_state = 14;
    const uint64_t before = platform::backend().now_us();
    win.DrawScene();
    EXPECT_TRUE(win.CloseMessagePosted());
    EXPECT_EQ(platform::backend().now_us(), before) << "no flip and no sleep after quitting";
    EXPECT_EQ(scenario::read_file("Other/Preferences.txt"), "6\n10\n");
}

TEST_F(AppFrame, ClosingTheWindowQuitsThroughTheQuitState) {
    win.game_state = 4;
    win.OnCloseRequest();
    EXPECT_EQ(win.game_state, 14);
    EXPECT_FALSE(win.CloseMessagePosted());

    // Before the first frame nothing was read, so nothing may be overwritten.
    TempDir dir;
    ScopedChdir here(dir.path());
    Velmora_Win fresh;
    fresh.OnCloseRequest();
    EXPECT_TRUE(fresh.CloseMessagePosted());
    fresh.DrawScene();
    EXPECT_EQ(fresh.game_state, 0);
    EXPECT_FALSE(std::filesystem::exists("Other/Preferences.txt"));
}
