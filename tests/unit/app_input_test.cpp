// Keys into slots, the Escape toggle, and the mouse path: cursor clamp, click
// queue and the drains the screens and play use.
#include <gtest/gtest.h>

#include <vector>

#include "app/Velmora_Win.h"
#include "app/fire_taps.h"
#include "behaviours/player_state.h"
#include "platform/platform.h"
#include "sprites/Sprite.h"
#include "state/game_states.h"
#include "state/globals.h"
#include "support/input_events.h"

namespace {
using platform::Event;
using test_events::button;
using test_events::motion;

class AppInput : public ::testing::Test {
protected:
    void SetUp() override {
        reset_globals_to_program_start();
        control_rules = ControlRules{};
        Velmora_Win::mouseclickqueue.clear();
        Velmora_Win::cursor_width = 10;
        Velmora_Win::cursor_height = 20;
        win.InitMouse();  // also forgets carried sub-pixel motion
    }
    void TearDown() override {
        delete Sprite::the_level;
        Sprite::the_level = nullptr;
        Velmora_Win::cursor_width = Velmora_Win::cursor_height = 0;
        Velmora_Win::mouse_sensitivity = 1.0;
    }
    void batch(const std::vector<Event>& events) {
        win.OnMouseBatch(events.data(), static_cast<int>(events.size()));
    }
    Velmora_Win win;
};
}  // namespace

TEST_F(AppInput, KeysReachTheirSlotsAndOthersAreIgnored) {
    win.OnKeyDown(0x11, 1, 0);  // Ctrl (either side arrives as 0x11)
    win.OnKeyDown(0x65, 1, 0);  // keypad 5 is down, not a centre key
    win.OnKeyDown(0x62, 1, 0);  // keypad 2, Alt and Shift do nothing
    win.OnKeyDown(0x12, 1, 0);
    win.OnKeyDown(0x10, 1, 0);
    EXPECT_TRUE(keycodes[13]);
    EXPECT_TRUE(keycodes[12]);
    win.OnKeyUp(0x11, 1, 0);
    EXPECT_FALSE(keycodes[13]);
    int held = 0;
    for (bool k : keycodes) held += k;
    EXPECT_EQ(held, 1);
    EXPECT_EQ(Velmora_Win::key_slot(0x60), 13);
}

TEST_F(AppInput, EscapeTogglesPlayAndMenuOnlyWithALevelAndNotAfterTheEnding) {
    win.game_state = kStateTitleMenu;
    win.OnKeyDown(0x1B, 1, 0);
    EXPECT_EQ(win.game_state, kStateTitleMenu) << "no game yet";

    Sprite::the_level = new std::list<Sprite*>;
    win.game_state = kStatePlaying;
    win.OnKeyDown(0x1B, 1, 0);
    EXPECT_EQ(win.game_state, kStateTitleMenu);
    win.shownscore1 = win.shownhitpoints2 = 90;
    win.OnKeyDown(0x1B, 1, 0);
    EXPECT_EQ(win.game_state, kStatePlaying);
    EXPECT_EQ(win.shownscore1, -1) << "the bars redraw in full on resuming";
    EXPECT_EQ(win.shownhitpoints2, 4);
    win.game_state = kStateOptions;
    win.OnKeyDown(0x1B, 1, 0);
    EXPECT_EQ(win.game_state, kStateOptions);

    // After the ending (the exit portal of the last world raised the level
    // past the one loaded), Escape on the title resumes nothing until a new game.
    win.loaded_level = 10;
    currentlevel = 11;
    win.game_state = kStateTitleMenu;
    for (int press = 0; press < 12; ++press) win.OnKeyDown(0x1B, 1, 0);
    EXPECT_EQ(win.game_state, kStateTitleMenu);
    EXPECT_EQ(currentlevel, 11);

    currentlevel = win.loaded_level = 1;  // a new game has loaded its first level
    win.OnKeyDown(0x1B, 1, 0);
    EXPECT_EQ(win.game_state, kStatePlaying);
}

TEST_F(AppInput, CursorIsClampedOnBothSidesAndPublishedEveryFrame) {
    batch({motion(5000, 5000)});
    EXPECT_EQ(Velmora_Win::curx, 639 - 10);
    EXPECT_EQ(Velmora_Win::cury, 479 - 20);
    EXPECT_EQ(g_themouse_h, 629);
    batch({motion(-100000, -3), motion(0, -100000)});
    EXPECT_EQ(Velmora_Win::oldcurx, 629);
    EXPECT_EQ(Velmora_Win::curx, 0);
    EXPECT_EQ(Velmora_Win::cury, 0);

    // Steering re-centres the cursor; a frame without motion publishes that.
    Velmora_Win::curx = 320;
    batch({});
    EXPECT_EQ(g_themouse_h, 320);

    // Slow motion at a low sensitivity adds up instead of rounding away.
    Velmora_Win::mouse_sensitivity = 0.25;
    for (int i = 0; i < 8; ++i) batch({motion(1, 1)});
    EXPECT_EQ(Velmora_Win::curx, 322);
}

TEST_F(AppInput, ClicksAreQueuedInOrderAndOnlyTheLeftButtonActs) {
    batch({motion(10, 0), button(0, true), button(1, true), button(2, true), motion(5, 0),
           button(0, false)});
    ASSERT_EQ(Velmora_Win::mouseclickqueue.size(), 3u) << "buttons 0 and 1 only";
    EXPECT_EQ(Velmora_Win::mouseclickqueue.back().x, 330);  // oldest at the back
    EXPECT_EQ(Velmora_Win::mouseclickqueue.front().x, 335);

    bool down = true, arrived = false;
    win.drain_clicks(down, &arrived);
    EXPECT_FALSE(down) << "press and release in one frame: the reader ends with the release";
    EXPECT_TRUE(arrived);
    EXPECT_TRUE(Velmora_Win::mouseclickqueue.empty());

    batch({button(1, false)});
    win.drain_clicks(down, &arrived);
    EXPECT_FALSE(arrived) << "the right button is dropped";
}

// Play reads a press released again before its frame as held for that frame;
// the menus take their presses themselves.
TEST_F(AppInput, ATapBetweenTwoPlayFramesIsHeldForThatFrameOnly) {
    struct Seen {
        bool mouse, space, ctrl;
    };
    const auto play_frame = [&] {
        Seen during{};
        {
            const PlayFireControls fire(win);
            during = {g_themousebutton, keycodes[4], keycodes[13]};
        }
        EXPECT_FALSE(g_themousebutton || keycodes[4] || keycodes[13]) << "released again after the frame";
        return during;
    };
    const auto tap_all = [&] {
        batch({button(0, true), button(0, false)});
        for (unsigned key : {0x20u, 0x60u}) {  // Space; keypad 0, a controller's A
            win.OnKeyDown(key, 0, 0);
            win.OnKeyUp(key, 0, 0);
        }
    };

    win.game_state = kStatePlaying;
    tap_all();
    Seen seen = play_frame();
    EXPECT_TRUE(seen.mouse && seen.space && seen.ctrl);
    seen = play_frame();
    EXPECT_FALSE(seen.mouse || seen.space || seen.ctrl) << "one frame only";

    // Taken by a menu screen: not play's.
    tap_all();
    bool down = false;
    win.drain_clicks(down);
    batch({button(0, true), button(0, false)});
    seen = play_frame();
    EXPECT_TRUE(seen.mouse);
    EXPECT_FALSE(seen.space || seen.ctrl);

    // Escape leaves play: the taps made before it are forgotten.
    win.OnKeyDown(0x20, 0, 0);
    win.OnKeyUp(0x20, 0, 0);
    win.OnKeyDown(0x1B, 0, 0);
    EXPECT_EQ(win.game_state, kStateTitleMenu);
    win.game_state = kStatePlaying;
    EXPECT_FALSE(play_frame().space);
}
