// Keys into slots, the Escape toggle, and the mouse path: cursor clamp, click
// queue and the drain that the screens use.
#include <gtest/gtest.h>

#include <vector>

#include "app/Velmora_Win.h"
#include "app/globals.h"
#include "platform/platform.h"
#include "sprites/Sprite.h"

namespace {
using platform::Event;
using platform::EventType;

Event motion(int dx, int dy) {
    Event e;
    e.type = EventType::MouseMotion;
    e.dx = dx;
    e.dy = dy;
    return e;
}

Event button(int b, bool pressed) {
    Event e;
    e.type = EventType::MouseButton;
    e.button = b;
    e.pressed = pressed;
    return e;
}

class AppInput : public ::testing::Test {
protected:
    void SetUp() override {
        reset_globals_to_program_start();
        Velmora_Win::mouseclickqueue.clear();
        Velmora_Win::cursor_width = 10;
        Velmora_Win::cursor_height = 20;
        Velmora_Win::mouse_sensitivity = 1.0;
        win.InitMouse();  // also forgets any carried sub-pixel motion
    }
    void TearDown() override {
        delete Sprite::the_level;
        Sprite::the_level = nullptr;
        Velmora_Win::cursor_width = Velmora_Win::cursor_height = 0;
        Velmora_Win::mouse_sensitivity = 1.0;
        Velmora_Win::mouseclickqueue.clear();
    }
    void batch(const std::vector<Event>& events) {
        win.OnMouseBatch(events.data(), static_cast<int>(events.size()));
    }
    Velmora_Win win;
};
}  // namespace

TEST_F(AppInput, KeysReachTheirSlotsAndOthersAreIgnored) {
    EXPECT_EQ(Velmora_Win::key_slot(0x65), 12);  // keypad 5 is down, not a centre key
    EXPECT_EQ(Velmora_Win::key_slot(0x62), -1);  // keypad 2 does nothing
    EXPECT_EQ(Velmora_Win::key_slot(0x11), 13);  // Ctrl (both sides arrive as 0x11)
    EXPECT_EQ(Velmora_Win::key_slot(0x60), 13);
    EXPECT_EQ(Velmora_Win::key_slot(0x12), -1);  // Alt
    EXPECT_EQ(Velmora_Win::key_slot(0x10), -1);  // Shift
    EXPECT_EQ(Velmora_Win::key_slot(0x20), 4);

    win.OnKeyDown(0x11, 1, 0);
    win.OnKeyDown(0x65, 1, 0);
    EXPECT_TRUE(keycodes[13]);
    EXPECT_TRUE(keycodes[12]);
    win.OnKeyUp(0x11, 1, 0);
    EXPECT_FALSE(keycodes[13]);
    EXPECT_TRUE(keycodes[12]);
    // Alt and Shift touch no slot at all.
    win.OnKeyDown(0x12, 1, 0);
    win.OnKeyDown(0x10, 1, 0);
    int held = 0;
    for (bool k : keycodes) held += k;
    EXPECT_EQ(held, 1);
}

TEST_F(AppInput, EscapeTogglesPlayAndMenuOnlyWithALevel) {
    win.game_state = 4;
    win.OnKeyDown(0x1B, 1, 0);
    EXPECT_EQ(win.game_state, 4) << "no game yet: Escape on the title menu does nothing";

    Sprite::the_level = new std::list<Sprite*>;
    win.game_state = 8;
    win.OnKeyDown(0x1B, 1, 0);
    EXPECT_EQ(win.game_state, 4);
    win.shownscore1 = win.shownscore2 = 1234;
    win.shownhitpoints1 = win.shownhitpoints2 = 90;
    win.OnKeyDown(0x1B, 1, 0);
    EXPECT_EQ(win.game_state, 8);
    // The bars are redrawn in full on resuming.
    EXPECT_EQ(win.shownscore1, -1);
    EXPECT_EQ(win.shownscore2, -1);
    EXPECT_EQ(win.shownhitpoints1, 4);
    EXPECT_EQ(win.shownhitpoints2, 4);

    win.OnKeyUp(0x1B, 1, 0);
    EXPECT_EQ(win.game_state, 8) << "only key-down toggles";
    win.game_state = 12;
    win.OnKeyDown(0x1B, 1, 0);
    EXPECT_EQ(win.game_state, 12);
}

TEST_F(AppInput, CursorIsClampedOnBothSidesAndPublished) {
    batch({motion(5000, 5000)});
    EXPECT_EQ(Velmora_Win::curx, 639 - 10);
    EXPECT_EQ(Velmora_Win::cury, 479 - 20);
    EXPECT_EQ(g_themouse_h, 629);
    EXPECT_EQ(g_themouse_v, 459);

    batch({motion(-100000, -3), motion(0, -100000)});
    EXPECT_EQ(Velmora_Win::oldcurx, 629);
    EXPECT_EQ(Velmora_Win::curx, 0);
    EXPECT_EQ(Velmora_Win::cury, 0);

    // Player one's steering puts the cursor back in the centre; a frame
    // without motion publishes that, not the last batch's position.
    Velmora_Win::curx = 320;
    Velmora_Win::cury = 240;
    batch({});
    EXPECT_EQ(g_themouse_h, 320);
    EXPECT_EQ(g_themouse_v, 240);
}

TEST_F(AppInput, SlowMotionAtLowSensitivityIsNotLost) {
    Velmora_Win::mouse_sensitivity = 0.25;
    for (int i = 0; i < 8; ++i) batch({motion(1, -1)});
    EXPECT_EQ(Velmora_Win::curx, 322);
    EXPECT_EQ(Velmora_Win::cury, 238);
}

TEST_F(AppInput, PressAndReleaseInOneFrameAreBothQueuedInOrder) {
    batch({motion(10, 0), button(0, true), motion(5, 0), button(0, false)});
    ASSERT_EQ(Velmora_Win::mouseclickqueue.size(), 2u);
    // Oldest at the back, each with the position it happened at.
    EXPECT_TRUE(Velmora_Win::mouseclickqueue.back().pressed);
    EXPECT_EQ(Velmora_Win::mouseclickqueue.back().x, 330);
    EXPECT_EQ(Velmora_Win::mouseclickqueue.front().x, 335);

    bool down = true;
    bool arrived = false;
    win.drain_clicks(down, &arrived);
    EXPECT_FALSE(down) << "the reader ends with the release";
    EXPECT_TRUE(arrived);
    EXPECT_TRUE(Velmora_Win::mouseclickqueue.empty());

    win.drain_clicks(down, &arrived);
    EXPECT_FALSE(arrived) << "an empty drain reports nothing new";
}

TEST_F(AppInput, RightButtonNeverActsAndOtherButtonsAreNotQueued) {
    batch({button(1, true), button(2, true), button(4, false)});
    EXPECT_EQ(Velmora_Win::mouseclickqueue.size(), 1u);
    bool down = false;
    bool arrived = true;
    win.drain_clicks(down, &arrived);
    EXPECT_FALSE(down);
    EXPECT_FALSE(arrived);
    EXPECT_TRUE(Velmora_Win::mouseclickqueue.empty());
}
