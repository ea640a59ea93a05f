// The menus' keyboard highlight: hidden until a key is used on the screen, a
// frame around the chosen button, and which key presses count.
#include <vector>

#include "display/DirectDrawApp.h"
#include "state/game_states.h"
#include "ui/menu_navigation.h"
#include "ui_test_helpers.h"

using namespace ui_test;

namespace {

class MenuKeysTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        win.titlescreen = solid(640, 480, kGrey);
        for (Surface* Velmora_Win::*button : {&Velmora_Win::about_up, &Velmora_Win::oneplayer_up,
                                               &Velmora_Win::twoplayer_up, &Velmora_Win::options_up,
                                               &Velmora_Win::quit_up, &Velmora_Win::about_down,
                                               &Velmora_Win::oneplayer_down, &Velmora_Win::twoplayer_down,
                                               &Velmora_Win::options_down, &Velmora_Win::quit_down})
            win.*button = solid(100, 40, kBlue);
        win.game_state = kStateTitleMenu;
        highlight = win.RGBtoPixel(255, 208, 32);
    }
    // The next frame of the application loop: keys arrive, then the screen draws.
    void frame(std::initializer_list<unsigned> keys = {}, bool repeat = false) {
        ++app.frames_run;
        for (unsigned key : keys) win.OnKeyDown(key, repeat ? 1 : 0, 0);
        win.draw_user_interface();
    }
    // The highlight's colour just left of the title button at x.
    bool framed(int x) const { return back(x - 4, 448) == highlight; }
    int framed_count() const {
        int n = 0;
        for (int x : {24, 146, 268, 390, 512}) n += framed(x) ? 1 : 0;
        return n;
    }

    DirectDrawApp app;  // the frame counter the menus read
    uint32_t highlight = 0;
};

}  // namespace

TEST_F(MenuKeysTest, HighlightShowsOnlyAfterAKeyOnThisScreenAndMovesRound) {
    frame();
    mouse(30, 430, {true});  // a mouse player sees what they always saw
    frame();
    EXPECT_EQ(framed_count(), 0);
    mouse(600, 100, {false});

    frame({0x20, 0x11});  // keys the menus do not read
    EXPECT_EQ(framed_count(), 0);
    frame({0x27});  // the first arrow only shows where it is
    EXPECT_TRUE(framed(146));
    EXPECT_EQ(framed_count(), 1);
    frame({0x25, 0x25});  // About, then round to Quit
    EXPECT_TRUE(framed(512));
    EXPECT_EQ(framed_count(), 1);
    EXPECT_EQ(win.game_state, kStateTitleMenu);

    // Leaving the screen for a frame and coming back starts over.
    ++app.frames_run;
    frame();
    EXPECT_EQ(framed_count(), 0);
}

TEST_F(MenuKeysTest, HeldKeysNeverShowTheHighlightNorPressAndOldKeysAreDropped) {
    frame();
    frame({0x27, 0x0D}, true);  // auto-repeat from a key held since before
    EXPECT_EQ(framed_count(), 0);
    frame({0x27});
    frame({0x27}, true);  // once shown, holding an arrow moves on
    EXPECT_TRUE(framed(268));
    frame({0x0D}, true);
    EXPECT_EQ(win.game_state, kStateTitleMenu) << "a held Enter does not press again";

    // Keys that arrived while another screen showed, or in an earlier frame.
    win.game_state = kStatePlaying;
    win.OnKeyDown(0x0D, 0, 0);
    win.game_state = kStateTitleMenu;
    win.draw_user_interface();
    EXPECT_EQ(win.game_state, kStateTitleMenu);
    win.OnKeyDown(0x0D, 0, 0);
    frame();
    EXPECT_EQ(win.game_state, kStateTitleMenu);

    frame({0x0D});
    EXPECT_EQ(win.game_state, kStateNewGame);
    EXPECT_TRUE(player1 && player2);
}
