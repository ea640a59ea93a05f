// The window's overlay slot shared by the settings notice and the network
// game's label: neither may empty the other's picture, and a freed slot goes
// to whoever waits.
#include "display/overlay_hold.h"

#include <gtest/gtest.h>

#include "support/test_window.h"

namespace {

TEST(OverlayHold, EachUserFreesOnlyItsOwnPictureAndAWaitingUserGetsTheSlotWhenFreed) {
    TestWindow window;
    ASSERT_TRUE(window.ok);
    OverlayHold notice, label;
    int notice_drawn = 0, label_drawn = 0;
    const auto draw_notice = [&](Surface&) { ++notice_drawn; };
    const auto draw_label = [&](Surface&) { ++label_drawn; };
    Surface picture{};

    ASSERT_TRUE(notice.take(window, draw_notice));
    EXPECT_FALSE(label.take(window, draw_label)) << "the slot is taken: the label waits";
    label.release(window);  // the network game has nothing to show: not its picture to empty
    ASSERT_TRUE(window.overlay);
    window.overlay(picture);
    EXPECT_EQ(notice_drawn, 1);
    EXPECT_EQ(label_drawn, 0);
    EXPECT_TRUE(notice.holds(window));
    EXPECT_FALSE(label.holds(window));

    // Taking again while holding keeps the first drawing.
    EXPECT_TRUE(notice.take(window, draw_label));
    window.overlay(picture);
    EXPECT_EQ(notice_drawn, 2);

    notice.release(window);
    EXPECT_FALSE(window.overlay);
    EXPECT_TRUE(label.take(window, draw_label));
    window.overlay(picture);
    EXPECT_EQ(label_drawn, 1);
}

TEST(OverlayHold, APictureSetByHandIsNobodysToEmpty) {
    TestWindow window;
    ASSERT_TRUE(window.ok);
    OverlayHold hold;
    window.overlay = [](Surface&) {};  // a third user chaining by hand
    EXPECT_FALSE(hold.take(window, [](Surface&) {}));
    hold.release(window);
    EXPECT_TRUE(window.overlay);
    EXPECT_FALSE(hold.holds(window));
}

}  // namespace
