// Hold-to-fire: a held fire control reaches the ships' fire gate as taps on
// alternate frames, and a recording keeps the real presses with the choice
// they were played with.
#include <fstream>
#include <string>

#include "app/autofire.h"
#include "app/options.h"
#include "app/run_control.h"
#include "players_fixture.h"
#include "support/temp_dir.h"

namespace {

class Autofire : public PlayField {
protected:
    void SetUp() override {
        PlayField::SetUp();
        reset_autofire_taps();
        player1 = player2 = playersdie = true;
        player1hitpoints = player2hitpoints = 100;
        p1_positionX = 100;
        p1_positionY = 100;
        p2_positionX = 100;
        p2_positionY = 300;
        p1_lastMouseX = g_themouse_h = p2_lastMouseX = 320;
        p1_lastMouseY = g_themouse_v = p2_lastMouseY = 240;
        one = place("playerone", 100, 100);
        two = place("playertwo", 100, 300);
    }
    void TearDown() override {
        set_autofire(false);
        PlayField::TearDown();
    }

    // Play frames as the frame loop runs them, with player one's and player
    // two's fire controls as `p1` and `p2` say for each frame.
    void frames(int n, bool p1_space, bool p1_mouse, bool p2) {
        for (int i = 0; i < n; ++i) {
            keycodes[4] = p1_space;
            g_themousebutton = p1_mouse;
            keycodes[13] = p2;
            const HeldFireAsTaps taps;
            step(one);
            step(two);
        }
    }
    Sprite* one = nullptr;
    Sprite* two = nullptr;
};

}  // namespace

TEST_F(Autofire, HeldFireTapsOnAlternateFramesThroughTheGate) {
    for (const int weapon : {1, 5}) {  // blue laser; star, whose reload counts nine presses
        // Tapping by hand, autofire off: pressed on even frames, released on odd.
        SetUp();
        p1powerupitem = p2powerupitem = weapon;
        for (int i = 0; i < 15; ++i) {
            frames(1, true, false, true);
            frames(1, false, false, false);
        }
        const int tapped = count("blueshot") + count("starshot");
        EXPECT_GE(tapped, 4) << weapon;

        SetUp();
        p1powerupitem = p2powerupitem = weapon;
        frames(30, true, false, true);
        EXPECT_LT(count("blueshot") + count("starshot"), tapped) << "without autofire a hold is one press";

        SetUp();
        p1powerupitem = p2powerupitem = weapon;
        set_autofire(true);
        frames(30, true, true, true);  // Space and the mouse button both held
        EXPECT_EQ(count("blueshot") + count("starshot"), tapped) << weapon;
        EXPECT_TRUE(keycodes[4] && g_themousebutton && keycodes[13]) << "the real state is back after the frame";
        set_autofire(false);
    }
}

TEST_F(Autofire, ANewHoldBeginsWithAPress) {
    set_autofire(true);
    frames(3, true, false, false);   // pressed, released, pressed
    frames(1, false, false, false);  // let go
    frames(1, true, false, false);
    EXPECT_FALSE(p1_fire_button_up) << "the first frame of a hold is a press";
    frames(1, true, false, false);
    EXPECT_TRUE(p1_fire_button_up);
}

TEST(AutofireRecording, TheRecordingKeepsRealPressesAndItsChoiceWins) {
    TempDir dir;
    const std::string script = dir.file("held.txt");
    {
        std::ofstream out(script);
        out << "velmora-input 2\nautofire\n20 key down 0x20\n200 key up 0x20\n";
    }
    for (const bool machine : {false, true}) {
        set_autofire(machine);  // what this machine's velmora.cfg says
        LaunchOptions options;
        options.headless = true;
        options.input_file = script;
        options.record_file = dir.file("again.txt");
        std::string error;
        {
            RunControl control;
            ASSERT_TRUE(control.prepare(options, error)) << error;
            EXPECT_TRUE(autofire()) << "the script's choice, whatever the machine says";
        }
        std::ifstream again(options.record_file);
        std::string header, seed, choice;
        std::getline(again, header);
        std::getline(again, seed);
        std::getline(again, choice);
        EXPECT_EQ(choice, "autofire");
    }

    {
        std::ofstream out(script);
        out << "velmora-input 1\n20 key down 0x20\n";
    }
    set_autofire(true);
    LaunchOptions options;
    options.headless = true;
    options.input_file = script;
    std::string error;
    RunControl control;
    ASSERT_TRUE(control.prepare(options, error)) << error;
    EXPECT_FALSE(autofire()) << "a script without the choice was played without autofire";
    set_autofire(false);
}
