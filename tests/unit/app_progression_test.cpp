// What follows the end of a level, starting a game, and the continue screen.
#include <gtest/gtest.h>

#include "app/Velmora_Win.h"
#include "state/game_states.h"
#include "state/globals.h"
#include "support/test_window.h"

namespace {
// The continue screen with 100 x 40 OK and Cancel buttons.
class AppContinueScreen : public ::testing::Test {
protected:
    void SetUp() override {
        reset_globals_to_program_start();
        Velmora_Win::mouseclickqueue.clear();
        ASSERT_TRUE(setup_headless_display(win));
        for (Surface** s : {&win.ok_up, &win.ok_down, &win.cancel_up, &win.cancel_down})
            *s = win.CreateSurface(100, 40);
        win.game_state = kStateContinue;
    }
    // One frame with the cursor at (x, y) and these left-button records.
    int frame(int x, int y, std::initializer_list<bool> presses) {
        Velmora_Win::curx = x;
        Velmora_Win::cury = y;
        for (bool p : presses) Velmora_Win::mouseclickqueue.push_front(MouseClickData{x, y, 0, p});
        win.retry_level();
        const int state = win.game_state;
        win.game_state = kStateContinue;
        return state;
    }
    Velmora_Win win;
};
}  // namespace

TEST(AppProgression, EndGameAndResetGame) {
    reset_globals_to_program_start();
    Velmora_Win win;
    struct Case { bool p1, p2; int hp1, hp2, next; };
    const Case cases[] = {{true, false, 0, 0, 10}, {true, false, 1, 0, 7}, {true, false, -20, 0, 10},
                          {true, true, 0, 50, 7},  {true, true, 50, 0, 7}, {true, true, 0, 0, 10}};
    for (const Case& c : cases) {
        player1 = c.p1;
        player2 = c.p2;
        player1hitpoints = c.hp1;
        player2hitpoints = c.hp2;
        win.end_game();
        EXPECT_EQ(win.game_state, c.next) << c.p1 << c.p2 << " " << c.hp1 << "," << c.hp2;
    }

    currentlevel = 5;
    player2 = false;
    player1score = 4000;
    player2hitpoints = 30;
    gameover = true;
    win.reset_game();
    EXPECT_EQ(win.game_state, kStateLoadLevel);
    EXPECT_EQ(currentlevel, 5) << "a retry keeps the lost level";
    EXPECT_EQ(player1score, 0);
    EXPECT_EQ(player1hitpoints, 100);
    EXPECT_EQ(player2hitpoints, 0);
    EXPECT_FALSE(gameover);
    EXPECT_TRUE(playersdie);
    god_mode = true;
    win.reset_game();
    EXPECT_FALSE(playersdie);
}

TEST_F(AppContinueScreen, TheReleaseDecidesOnInclusiveAreasAndOkWinsWhereTheyOverlap) {
    EXPECT_EQ(frame(460, 270, {true}), 10);  // pressed on OK ...
    EXPECT_EQ(frame(340, 270, {false}), 4);  // ... released on Cancel
    EXPECT_EQ(frame(450 + 100, 260 + 40, {true, false}), 6);  // OK's far corner, one frame
    EXPECT_EQ(frame(450 + 101, 260 + 40, {true, false}), 10);
    EXPECT_EQ(frame(330, 259, {true, false}), 10);
    EXPECT_EQ(frame(330, 260, {true, false}), 4);
    EXPECT_EQ(frame(20, 20, {true, false}), 10);
    // A release followed by a new press in the same frame leaves the button down.
    EXPECT_EQ(frame(460, 270, {false, true}), 10);
    EXPECT_TRUE(win.mouse_down);
    // OK wins where the buttons overlap.
    win.mouse_down = false;
    win.cancel_up = win.CreateSurface(200, 40);  // Cancel now reaches under OK
    EXPECT_EQ(frame(455, 270, {true, false}), 6);
}
