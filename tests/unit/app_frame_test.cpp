// The paced play frame, quitting and closing the window.
#include <gtest/gtest.h>

#include <filesystem>
#include <list>

#include "app/Velmora_Win.h"
#include "platform/platform.h"
#include "sprites/Sprite.h"
#include "state/game_states.h"
#include "state/globals.h"
#include "support/scenario.h"
#include "support/sprite_fixtures.h"
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
    win.game_state = kStatePlaying;
    const uint32_t start = now_ms();
    win.game_loop();
    EXPECT_EQ(now_ms() - start, 45u);
    EXPECT_EQ(win.game_state, kStatePlaying);

    currentlevel = 2;  // the exit portal: this frame completes, then state 9
    g_themousebutton = true;
    win.game_loop();
    EXPECT_EQ(win.game_state, kStateLevelEnded);
    EXPECT_FALSE(g_themousebutton);

    currentlevel = 1;
    win.game_state = kStatePlaying;
    gameover = true;
    win.game_loop();
    EXPECT_EQ(win.game_state, kStateLevelEnded);
}

// Play frames through DrawScene on a back end whose presents take time, as a
// slow display's do. The clock is virtual: the periods are exact.
class PlayPacing : public ::testing::Test {
protected:
    void SetUp() override {
        reset_globals_to_program_start();
        ASSERT_TRUE(setup_headless_display(win));
        Sprite::set_window_ptr(&win);
        make_master("drifter", 1, 8, 8);
        place("drifter", 600, 100, 0);  // scrolls, so every picture differs from the last
        scroll = 1;
        currentlevel = win.loaded_level = 1;
        win.game_state = kStatePlaying;
    }
    void TearDown() override {
        clear_sprites();
        Sprite::set_window_ptr(nullptr);
        reset_globals_to_program_start();
    }
    // Milliseconds between the presents of `frames` play frames.
    std::vector<uint64_t> periods(int frames) {
        be->present_times_us.clear();
        for (int i = 0; i < frames; ++i) win.DrawScene();
        std::vector<uint64_t> out;
        for (size_t i = 1; i < be->present_times_us.size(); ++i)
            out.push_back((be->present_times_us[i] - be->present_times_us[i - 1]) / 1000);
        return out;
    }
    ScopedRecordingBackend be;
    Velmora_Win win;
};

TEST_F(PlayPacing, ASlowPresentDoesNotLengthenThePeriod) {
    // 44 ms of presenting leaves the next frame 1 ms: it still ends on time.
    for (uint64_t cost : {0u, 7000u, 44000u}) {
        be->present_cost_us = cost;
        const std::vector<uint64_t> p = periods(12);
        ASSERT_EQ(p.size(), 11u);
        for (uint64_t period : p) EXPECT_EQ(period, 46u) << "presenting takes " << cost << " us";
    }
}

TEST_F(PlayPacing, AFrameOverrunningByMoreThanAPeriodRestartsTheSchedule) {
    be->present_cost_us = 5000;
    be->present_costs_us = {5000, 5000, 5000, 100000};  // the fourth present stalls
    const std::vector<uint64_t> p = periods(10);
    ASSERT_EQ(p.size(), 9u);
    EXPECT_EQ(p[0], 46u);
    EXPECT_EQ(p[1], 46u);
    // The frame after the stall starts at once and lasts a whole frame: no
    // run of short frames to make up the time.
    EXPECT_EQ(p[2], 46u);
    EXPECT_EQ(p[3], 100u + 1u + 45u);
    for (size_t i = 4; i < p.size(); ++i) EXPECT_EQ(p[i], 46u) << i;

    // Leaving play for a frame (Escape to the title) starts afresh too.
    win.game_state = kStateTitleMenu;
    win.DrawScene();
    win.game_state = kStatePlaying;
    const uint32_t start = now_ms();
    win.DrawScene();
    EXPECT_EQ(win.frame_time, start + 45u);
}

TEST(PlayFrameScheduleClock, CarriesDeadlinesAcrossTheMillisecondWrap) {
    PlayFrameSchedule schedule;
    const uint32_t first = schedule.next_deadline(0xFFFFFFF0u);
    EXPECT_EQ(first, 0xFFFFFFF0u + 45u);
    EXPECT_EQ(schedule.next_deadline(first + 30u), first + 46u);  // wrapped past zero
    schedule.restart();
    EXPECT_EQ(schedule.next_deadline(500u), 545u);
}

TEST_F(AppFrame, ClosingTheWindowQuitsThroughTheQuitStateThatSavesAndEndsWithoutAFlip) {
    TempDir dir;
    ScopedChdir here(dir.path());
    std::filesystem::create_directories("Other");
    fxvolume = 6;
    win.game_state = kStateTitleMenu;
    win.OnCloseRequest();
    EXPECT_EQ(win.game_state, kStateQuit);
    EXPECT_FALSE(win.CloseMessagePosted());
    const uint64_t before = platform::backend().now_us();
    win.DrawScene();
    EXPECT_TRUE(win.CloseMessagePosted());
    EXPECT_EQ(platform::backend().now_us(), before) << "no flip and no sleep after quitting";
    EXPECT_EQ(scenario::read_file("Other/Preferences.txt"), "6\n10\n");

    // Before the first frame nothing was read, so nothing may be overwritten.
    std::filesystem::remove("Other/Preferences.txt");
    Velmora_Win fresh;
    fresh.OnCloseRequest();
    EXPECT_TRUE(fresh.CloseMessagePosted());
    fresh.DrawScene();
    EXPECT_EQ(fresh.game_state, kStateStartUp);
    EXPECT_FALSE(std::filesystem::exists("Other/Preferences.txt"));
}
