// Starting a game, what follows the end of a level, and the continue screen.
#include <gtest/gtest.h>

#include "app/Velmora_Win.h"
#include "app/globals.h"
#include "support/test_window.h"

namespace {
struct EndCase {
    bool p1, p2;
    int hp1, hp2;
    int next_state;
};

class AppProgression : public ::testing::Test {
protected:
    void SetUp() override {
        reset_globals_to_program_start();
        Velmora_Win::mouseclickqueue.clear();
    }
    void TearDown() override { Velmora_Win::mouseclickqueue.clear(); }
    Velmora_Win win;
};

// The continue screen with 100 x 40 OK and Cancel buttons.
class AppContinueScreen : public AppProgression {
protected:
    void SetUp() override {
        AppProgression::SetUp();
        ASSERT_TRUE(setup_headless_display(win));
        win.ok_up = win.CreateSurface(100, 40);
        win.ok_down = win.CreateSurface(100, 40);
        win.cancel_up = win.CreateSurface(100, 40);
        win.cancel_down = win.CreateSurface(100, 40);
        ASSERT_NE(win.ok_up, nullptr);
        ASSERT_NE(win.cancel_up, nullptr);
        win.game_state = 10;
        win.mouse_down = false;
    }
    // One frame: the cursor is at (x, y) when the given buttons arrive.
    void frame(int x, int y, std::initializer_list<bool> presses) {
        Velmora_Win::curx = x;
        Velmora_Win::cury = y;
        for (bool p : presses) Velmora_Win::mouseclickqueue.push_front(MouseClickData{x, y, 0, p});
        win.retry_level();
    }
};
}  // namespace

TEST_F(AppProgression, EndGameDecidesBetweenContinueScreenAndNextLevel) {
    const EndCase cases[] = {
        {true, false, 0, 0, 10},    // one player, down
        {true, false, 1, 0, 7},     // one player alive
        {true, false, -20, 0, 10},  // below zero is down too
        {true, true, 0, 50, 7},     // two players, one down: play goes on
        {true, true, 50, 0, 7},
        {true, true, 0, 0, 10},     // both down
    };
    for (const EndCase& c : cases) {
        player1 = c.p1;
        player2 = c.p2;
        player1hitpoints = c.hp1;
        player2hitpoints = c.hp2;
        win.game_state = 9;
        win.end_game();
        EXPECT_EQ(win.game_state, c.next_state)
            << "players " << c.p1 << c.p2 << " hit points " << c.hp1 << "," << c.hp2;
    }
}

TEST_F(AppProgression, ResetGameRestoresPlayersButKeepsTheLevel) {
    currentlevel = 5;
    player1 = true;
    player2 = false;
    player1score = 4000;
    player2score = 70;
    player2hitpoints = 30;
    gameover = true;
    win.reset_game();
    EXPECT_EQ(win.game_state, 7);
    EXPECT_EQ(currentlevel, 5);
    EXPECT_EQ(player1score, 0);
    EXPECT_EQ(player2score, 0);
    EXPECT_EQ(player1hitpoints, 100);
    EXPECT_EQ(player2hitpoints, 0) << "a player not taking part has no shield";
    EXPECT_FALSE(gameover);
    EXPECT_TRUE(playersdie);
    EXPECT_EQ(maxstars, 10);

    god_mode = true;
    win.reset_game();
    EXPECT_FALSE(playersdie);
}

TEST_F(AppContinueScreen, ReleaseDecidesWhereverThePressWas) {
    frame(460, 270, {true});  // press on OK
    EXPECT_EQ(win.game_state, 10);
    EXPECT_TRUE(win.mouse_down);
    frame(340, 270, {false});  // released over Cancel
    EXPECT_EQ(win.game_state, 4);
}

TEST_F(AppContinueScreen, AreasIncludeBothEdges) {
    frame(450 + 100, 260 + 40, {true, false});  // OK's bottom-right corner, one frame
    EXPECT_EQ(win.game_state, 6);

    win.game_state = 10;
    frame(450 + 101, 260 + 40, {true, false});
    EXPECT_EQ(win.game_state, 10);
    frame(330, 259, {true, false});  // just above Cancel
    EXPECT_EQ(win.game_state, 10);
    frame(330, 260, {true, false});
    EXPECT_EQ(win.game_state, 4);
}

TEST_F(AppContinueScreen, OnlyAReleaseActs) {
    frame(20, 20, {true, false});  // outside both buttons
    EXPECT_EQ(win.game_state, 10);
    // A release followed by a new press in the same frame leaves the button down.
    win.mouse_down = true;
    frame(460, 270, {false, true});
    EXPECT_EQ(win.game_state, 10);
    // Right-button records never act.
    Velmora_Win::mouseclickqueue.push_front(MouseClickData{460, 270, 1, false});
    win.mouse_down = false;
    win.retry_level();
    EXPECT_EQ(win.game_state, 10);
}

TEST_F(AppContinueScreen, OkWinsWhereTheButtonsOverlap) {
    // Cancel moved under OK's left edge: a release there chooses OK.
    win.ReleaseSurface(win.cancel_up);
    win.cancel_up = win.CreateSurface(200, 40);
    frame(455, 270, {true, false});
    EXPECT_EQ(win.game_state, 6);
}
