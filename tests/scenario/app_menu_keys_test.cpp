// The menus without a mouse, through the real program run headless with
// scripted keys: the keyboard through the title, options and about screens,
// a controller alone through a whole game to the ending and out, and the
// continue screen. A controller reaches the game as keys: its stick and d-pad
// as the keypad's arrows, A as 0x60 and 0xC3, B as 0xC4, Start as 0xCF and
// Escape.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "state/game_states.h"
#include "whole_game_fixture.h"

using namespace scenario;

namespace {

constexpr long kTitleShows = 300;  // the logos have timed out by then
const std::initializer_list<int> kPadA = {0x60, 0xC3};
const std::initializer_list<int> kPadStart = {0xCF, 0x1B};

// Keys pressed together in `frame` and let go in the next.
void press(std::vector<std::string>& script, long frame, std::initializer_list<int> keys) {
    for (int key : keys) script.push_back(std::to_string(frame) + " key down " + std::to_string(key));
    for (int key : keys) script.push_back(std::to_string(frame + 1) + " key up " + std::to_string(key));
}

using AppMenuKeys = whole_game::GameRun;

}  // namespace

TEST_F(AppMenuKeys, KeyboardWorksTheTitleTheAboutScreenAndTheOptions) {
    ASSERT_TRUE(write_minimal_data_tree(data.path()));
    const long t = kTitleShows;
    std::vector<std::string> s;
    press(s, t, {0x27});       // shows the highlight on 1 Player
    press(s, t + 2, {0x25});   // About
    press(s, t + 4, {0x0D});   // opens it
    press(s, t + 8, {0x1B});   // Escape backs out
    press(s, t + 10, {0x28});  // a new visit: the highlight shows on 1 Player again
    press(s, t + 12, {0x28});  // 2 Player
    press(s, t + 14, {0x28});  // Options
    press(s, t + 16, {0x0D});
    press(s, t + 18, {0x27});  // shows the highlight on the effects row
    press(s, t + 20, {0x27});  // already 10
    press(s, t + 22, {0x25});  // 9
    press(s, t + 24, {0x28});  // music row
    press(s, t + 26, {0x25});  // 9
    for (long f = t + 28; f <= t + 38; f += 2) press(s, f, {0x28});  // the five rows below, then OK
    press(s, t + 40, {0x25});  // no volume on OK
    press(s, t + 42, {0x0D});  // back to the title
    press(s, t + 44, {0x1B});  // no game to go back to: nothing
    press(s, t + 46, {0xC4});  // B: nothing here either
    press(s, t + 48, {0x0D});  // shows the highlight
    press(s, t + 50, {0x27});  // 2 Player
    press(s, t + 52, {0x0D});  // starts a game (this data has no level: back to the title)
    const std::vector<long> dumps = {t + 3, t + 4, t + 8, t + 16, t + 41, t + 42, t + 47, t + 52};
    const RunResult r = run(t + 60, s, {}, dumps);
    ASSERT_EQ(r.exit_code, 0) << r.output;
    // The first key only shows where the keys are.
    EXPECT_EQ(values("game_state"), (std::vector<long long>{kStateTitleMenu, kStateAbout, kStateTitleMenu, kStateOptions,
                                                            kStateOptions, kStateTitleMenu, kStateTitleMenu,
                                                            kStateNewGame}));
    EXPECT_EQ(value(t + 41, "fxvolume"), 9);
    EXPECT_EQ(value(t + 41, "musicvolume"), 9);
    EXPECT_EQ(value(t + 52, "player2"), 1);
}

TEST_F(AppMenuKeys, AControllerAlonePlaysAGameToTheEndingAndQuits) {
    // The last world: both portals close together, an invincible ship.
    ASSERT_TRUE(whole_game::write_fixture_data(
        data.path(), "Last", {},
        {{100, 150, 0, "entranceportal"}, {240, 142, 0, "exitportal"}, {330, 0, 0, "exitportal"},
         {420, 284, 0, "exitportal"}}));
    const std::vector<std::string> args = {"--start-level", "10", "--god"};
    std::vector<std::string> s;
    press(s, kTitleShows, kPadStart);  // no game to go back to: Start shows the highlight
    press(s, kTitleShows + 2, kPadA);  // and A starts a game for one player
    ASSERT_EQ(run(2000, s, args).exit_code, 0);
    const long ending = frame_of("ending");
    ASSERT_GT(ending, kTitleShows) << trace();

    press(s, ending + 5, kPadA);    // too soon after the last level: not taken
    press(s, ending + 40, kPadA);   // back to the title
    const long t = ending + 41;
    // The finished game cannot be resumed, so Start (with its Escape) works
    // the title as it does before a first game.
    press(s, t + 1, kPadStart);     // shows the highlight on 1 Player
    for (long f : {t + 3, t + 5, t + 7}) press(s, f, {0x66});  // the stick to the right, to Quit
    press(s, t + 9, kPadStart);
    const RunResult r = run(4000, s, args);
    ASSERT_EQ(r.exit_code, 0) << r.output;
    EXPECT_EQ(frame_of("new-game players 1"), kTitleShows + 2);
    EXPECT_EQ(frame_of("title", 1), ending + 40);
    EXPECT_EQ(frame_of("quit"), t + 9);
    EXPECT_GE(frame_of("end-of-run quit"), t + 9);
    EXPECT_EQ(read_file(data.file("Other/Preferences.txt")), "10\n10\n") << "a quit saves";
}

TEST_F(AppMenuKeys, ContinueScreenTakesArrowsEnterAndTheControllersStart) {
    // A wall the ship cannot leave: every start of the level is lost.
    ASSERT_TRUE(whole_game::write_fixture_data(data.path(), "Last", {{"wall", 1280, 416, 1, {90, 90, 120}}},
                                               {{100, 150, 0, "entranceportal"}, {0, 0, 0, "wall"}}));
    const std::vector<std::string> args = {"--start-level", "10"};
    std::vector<std::string> s;
    press(s, kTitleShows, {0x0D});
    press(s, kTitleShows + 2, {0x0D});
    ASSERT_EQ(run(3000, s, args).exit_code, 0);
    const long first = frame_of("continue-screen");
    ASSERT_GT(first, kTitleShows) << trace();

    press(s, first + 2, {0x25});   // shows the highlight, on OK
    press(s, first + 4, {0x25});   // Cancel
    press(s, first + 6, {0x27});   // OK
    press(s, first + 8, {0xC4});   // B: nothing
    press(s, first + 10, {0x1B});  // Escape: nothing
    press(s, first + 12, {0x0D});  // play the level again
    ASSERT_EQ(run(6000, s, args).exit_code, 0);
    EXPECT_EQ(frame_of("new-game players 1", 1), first + 12);
    const long second = frame_of("continue-screen", 1);
    ASSERT_GT(second, first + 12);

    press(s, second + 2, kPadStart);  // shows the highlight
    press(s, second + 4, {0x68});     // up: Cancel
    press(s, second + 6, kPadStart);  // gives up
    ASSERT_EQ(run(second + 20, s, args).exit_code, 0);
    EXPECT_EQ(frame_of("title", 1), second + 6);
}
