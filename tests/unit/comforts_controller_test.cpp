// A game controller as player two's keys: what a reading presses and releases.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/Velmora_Win.h"
#include "platform/controller_map.h"

namespace {

using platform::Event;
using platform::EventType;
using platform::PadMapper;
using platform::PadState;

// "+0x64 -0x60": key downs and ups in order.
std::string keys(const std::vector<Event>& events) {
    std::string out;
    char buffer[16];
    for (const Event& e : events) {
        std::snprintf(buffer, sizeof buffer, "%s%s0x%02X", out.empty() ? "" : " ",
                      e.type == EventType::KeyDown ? "+" : "-", e.vkey);
        out += buffer;
    }
    return out;
}

std::string step(PadMapper& pad, const PadState& state) {
    std::vector<Event> events;
    pad.update(state, events);
    return keys(events);
}

}  // namespace

TEST(ComfortsController, TheKeysItPressesAreTheOnesPlayerTwoAndTheMenuRead) {
    EXPECT_EQ(Velmora_Win::key_slot(platform::kPadLeftKey), 9);
    EXPECT_EQ(Velmora_Win::key_slot(platform::kPadUpKey), 10);
    EXPECT_EQ(Velmora_Win::key_slot(platform::kPadRightKey), 11);
    EXPECT_EQ(Velmora_Win::key_slot(platform::kPadDownKey), 12);
    EXPECT_EQ(Velmora_Win::key_slot(platform::kPadFireKey), 13);
    EXPECT_EQ(platform::kPadMenuKey, 0x1B);
}

TEST(ComfortsController, StickCountsOnlyPastTheDeadZoneAndLetsGoWithALittleSlack) {
    PadMapper pad;
    pad.set_dead_zone(25);  // 8191 of 32767
    PadState s;
    s.left_x = -8000;
    EXPECT_EQ(step(pad, s), "");
    s.left_x = -9000;
    EXPECT_EQ(step(pad, s), "+0x64");
    s.left_x = -7000;  // back inside the edge, but not by much: still held
    EXPECT_EQ(step(pad, s), "");
    s.left_x = -6000;
    EXPECT_EQ(step(pad, s), "-0x64");

    // Diagonals press both keys; y grows downwards.
    s = {};
    s.left_x = 30000;
    s.left_y = 30000;
    EXPECT_EQ(step(pad, s), "+0x66 +0x65");
    s.left_y = -30000;
    EXPECT_EQ(step(pad, s), "+0x68 -0x65");
}

TEST(ComfortsController, DpadAndStickHoldTheSameKeyTogether) {
    PadMapper pad;
    PadState s;
    s.dpad_up = true;
    EXPECT_EQ(step(pad, s), "+0x68");
    s.left_y = -32768;
    EXPECT_EQ(step(pad, s), "");  // already held: no second press
    s.dpad_up = false;
    EXPECT_EQ(step(pad, s), "");  // the stick still holds it
    s.left_y = 0;
    EXPECT_EQ(step(pad, s), "-0x68");
}

TEST(ComfortsController, FaceButtonOrTriggerFireStartIsEscapeAndTheMenusGetButtonsOfTheirOwn) {
    PadMapper pad;
    PadState s;
    s.right_trigger = 5000;
    EXPECT_EQ(step(pad, s), "");
    s.right_trigger = 20000;
    EXPECT_EQ(step(pad, s), "+0x60");  // the trigger fires but presses nothing in a menu
    s.south = true;
    s.right_trigger = 0;
    EXPECT_EQ(step(pad, s), "+0xC3");
    s.south = false;
    s.start = true;
    // Start's own key before its Escape.
    EXPECT_EQ(step(pad, s), "-0x60 -0xC3 +0xCF +0x1B");
    s.start = false;
    s.east = true;
    EXPECT_EQ(step(pad, s), "+0xC4 -0xCF -0x1B");
    s.east = false;
    EXPECT_EQ(step(pad, s), "-0xC4");
}

TEST(ComfortsController, ReleaseAllLetsGoOfEverythingHeldOnce) {
    PadMapper pad;
    PadState s;
    s.left_x = 32767;
    s.south = true;
    step(pad, s);
    std::vector<Event> events;
    pad.release_all(events);
    EXPECT_EQ(keys(events), "-0x66 -0x60 -0xC3");
    events.clear();
    pad.release_all(events);
    EXPECT_TRUE(events.empty());
    // A stick still leaning after the release presses again on the next reading.
    EXPECT_EQ(step(pad, s), "+0x66 +0x60 +0xC3");
}

TEST(ComfortsController, DeadZoneIsKeptWithinReason) {
    PadMapper pad;
    PadState s;
    pad.set_dead_zone(500);  // taken as 90 %
    s.left_x = 31000;
    EXPECT_EQ(step(pad, s), "+0x66");
    pad.set_dead_zone(-3);  // taken as 0: any lean counts
    s.left_x = 0;
    step(pad, s);
    s.left_x = 1;
    EXPECT_EQ(step(pad, s), "+0x66");
}
