// A game for one without a mouse, through the real program run headless with
// scripted input: the keyboard alone and a controller alone steer and fire
// player one's ship; a tap pressed and released between two play frames
// fires; and a recording made before these rules replays as it was made.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "state/game_states.h"
#include "whole_game_fixture.h"

using namespace scenario;

namespace {

constexpr long kTitleShows = 300;
constexpr long kSteer = 400;  // the ship has come out of the entrance portal
const std::vector<int> kPadA = {0x60, 0xC3};
const std::vector<int> kPadStart = {0xCF, 0x1B};

void press(std::vector<std::string>& s, long frame, const std::vector<int>& keys) {
    for (int key : keys) s.push_back(std::to_string(frame) + " key down " + std::to_string(key));
    for (int key : keys) s.push_back(std::to_string(frame + 1) + " key up " + std::to_string(key));
}

void hold(std::vector<std::string>& s, long from, long to, int key) {
    s.push_back(std::to_string(from) + " key down " + std::to_string(key));
    s.push_back(std::to_string(to) + " key up " + std::to_string(key));
}

// Down and up again before the next frame: the quickest tap there is.
void tap(std::vector<std::string>& s, long frame, int key) {
    s.push_back(std::to_string(frame) + " key down " + std::to_string(key));
    s.push_back(std::to_string(frame) + " key up " + std::to_string(key));
}

class AppPlayOnKeys : public whole_game::GameRun {
protected:
    void SetUp() override {
        // An empty level of the last world with only the entrance portal.
        ASSERT_TRUE(whole_game::write_fixture_data(data.path(), "Last", {}, {{100, 150, 0, "entranceportal"}}));
        script_version = 3;
    }
    // The ship's reference point before and after the steering, and the
    // player shots alive at the end (beyond the masters of the level).
    struct Flight {
        long long x0, y0, x1, y1, shots;
    };
    Flight fly(const std::vector<std::string>& s) {
        const RunResult r = run(kSteer + 40, s, {"--god", "--start-level", "10"}, {kSteer - 1, kSteer + 30, kSteer + 40});
        EXPECT_EQ(r.exit_code, 0) << r.output;
        EXPECT_EQ(value(kSteer - 1, "game_state"), kStatePlaying) << trace();
        return {value(kSteer - 1, "player1h"), value(kSteer - 1, "player1v"), value(kSteer + 30, "player1h"),
                value(kSteer + 30, "player1v"),
                value(kSteer + 40, "live_hitclass3") - value(kSteer - 1, "live_hitclass3")};
    }
};

}  // namespace

TEST_F(AppPlayOnKeys, TheKeyboardAloneOrAControllerAloneSteersAndFiresPlayerOne) {
    struct Controls {
        std::vector<int> show, start;  // the title's highlight, then a game for one
        int right, down, fire;
    };
    for (const Controls& c : {Controls{{0x0D}, {0x0D}, 0x27, 0x28, 0x11},  // arrows and Ctrl
                              Controls{kPadStart, kPadA, 0x66, 0x65, 0x60}}) {  // stick and A
        SCOPED_TRACE(c.fire);
        std::vector<std::string> s;
        press(s, kTitleShows, c.show);
        press(s, kTitleShows + 2, c.start);
        hold(s, kSteer, kSteer + 20, c.right);
        hold(s, kSteer + 5, kSteer + 15, c.down);
        for (long f = kSteer + 32; f < kSteer + 40; f += 2) press(s, f, {c.fire});
        const Flight flight = fly(s);
        EXPECT_GT(flight.x1, flight.x0 + 100);
        EXPECT_GT(flight.y1, flight.y0 + 30);
        EXPECT_GT(flight.shots, 0);
    }
}

TEST_F(AppPlayOnKeys, TapsBetweenTwoPlayFramesFireAndOlderRecordingsReplayAsMade) {
    std::vector<std::string> s;
    press(s, kTitleShows, {0x0D});
    press(s, kTitleShows + 2, {0x0D});
    hold(s, kSteer, kSteer + 20, 0x27);
    for (long f = kSteer + 32; f < kSteer + 40; f += 2) tap(s, f, 0x20);
    const Flight now = fly(s);
    EXPECT_GT(now.x1, now.x0 + 100);
    // Every tap fires: the ship from its second press (a fresh ship's reload),
    // each drone from its first: 3 + 2 * 4.
    EXPECT_EQ(now.shots, 11);

    // The same input as a version-2 recording: the arrows were player two's
    // alone and the taps went unseen.
    script_version = 2;
    const Flight before = fly(s);
    EXPECT_EQ(before.x1, before.x0);
    EXPECT_EQ(before.y1, before.y0);
    EXPECT_EQ(before.shots, 0);
}
