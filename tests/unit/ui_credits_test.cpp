// The about and ending screens: the scroll, the restart, the text's place,
// the click that leaves, the 35 ms frame on the virtual clock.
#include "state/game_states.h"
#include "ui_test_helpers.h"

using namespace ui_test;

namespace {

class CreditsTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        win.ending_picture = solid(640, 480, kGrey);
        win.creditscroll = 260;
    }
    // Runs frames with no back buffer: only the scroll, clicks and clock work
    // (rendering the text thousands of times would dominate the run time).
    void skip(int frames, void (Velmora_Win::*frame)()) {
        Surface* back_buffer = win.backsurf;
        win.backsurf = nullptr;
        for (int i = 0; i < frames; ++i) (win.*frame)();
        win.backsurf = back_buffer;
    }
    // The first row holding pure text red (-1: none); fails on red left of x 25.
    int first_red_row() const {
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x)
                if (back(x, y) == kRed) {
                    EXPECT_GE(x, 25);
                    return y;
                }
        return -1;
    }
};

TEST_F(CreditsTest, AboutRestartsBelowTheScreenOnFrame2161) {
    win.about_game();
    EXPECT_GE(first_red_row(), 459);  // "Velmora" at y 459, cut by the screen's bottom
    const uint32_t start = now_ms();
    skip(2159, &Velmora_Win::about_game);
    EXPECT_EQ(win.creditscroll, -1900);
    EXPECT_GE(now_ms() - start, 2159u * 35u);

    win.about_game();
    EXPECT_EQ(win.creditscroll, 300);  // "Velmora" at y 500
    EXPECT_EQ(first_red_row(), -1);
    skip(41, &Velmora_Win::about_game);
    win.about_game();
    EXPECT_GE(first_red_row(), 458);
}

TEST_F(CreditsTest, EndingTextLeavesTheScreenForGood) {
    win.play_ending();
    const int congratulations = first_red_row();
    EXPECT_GE(congratulations, 259);
    EXPECT_LT(congratulations, 259 + 28);
    skip(2098, &Velmora_Win::play_ending);
    win.play_ending();
    EXPECT_GE(first_red_row(), 10);  // the last line at y 10
    skip(38, &Velmora_Win::play_ending);
    win.play_ending();  // frame 2139
    EXPECT_EQ(first_red_row(), -1);
    skip(1000, &Velmora_Win::play_ending);
    win.play_ending();
    EXPECT_EQ(first_red_row(), -1);
    EXPECT_EQ(win.creditscroll, 260 - 3140);
}

TEST_F(CreditsTest, OnlyTheReleaseLeaves) {
    win.game_state = kStateAbout;
    mouse(10, 10, {true});
    win.about_game();
    EXPECT_EQ(win.game_state, kStateAbout);
    mouse(10, 10, {false});
    win.about_game();
    EXPECT_EQ(win.game_state, kStateTitleMenu);
    EXPECT_EQ(win.creditscroll, 258);  // the leaving frame still scrolls
}

}  // namespace
