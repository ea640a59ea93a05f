// Hold-to-fire: a held fire control reaches the ships' fire gate as taps on
// alternate frames, and a recording keeps the real presses with the choice
// they were played with.
#include <fstream>
#include <string>

#include "app/autofire.h"
#include "app/options.h"
#include "app/run_control.h"
#include "display/DirectDrawApp.h"
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

TEST_F(Autofire, EachPlayerHasTheirOwnChoice) {
    set_player_autofire(2, true);
    frames(2, true, false, true);  // both held: player one's hold is one press, player two's taps
    EXPECT_FALSE(p1_fire_button_up);
    EXPECT_TRUE(p2_fire_button_up);
    set_autofire(false);
    set_player_autofire(1, true);
    reset_autofire_taps();
    frames(2, true, false, true);
    EXPECT_TRUE(p1_fire_button_up);
    EXPECT_FALSE(p2_fire_button_up);
}

// Whose fire taps comes from the script (which an explicit --autofire and a
// guest's own choice overrule) and goes on to the recording as one line.
TEST(AutofireRecording, TheRecordingKeepsRealPressesAndWhoseChoiceHeld) {
    struct Case {
        const char* script_line;  // after the header; "" for none
        bool machine;             // what this machine's velmora.cfg says
        int command_line;         // --autofire: -1 not given
        bool guest;               // the script of a network game's guest
        bool one, two;            // the choices the run plays with
        const char* recorded;     // the recording's line; "" for none
    };
    const Case cases[] = {
        {"autofire", false, -1, false, true, true, "autofire"},
        {"autofire 1", true, -1, false, true, false, "autofire 1"},
        {"autofire 2", false, -1, false, false, true, "autofire 2"},
        {"autofire 1\nautofire 2", false, -1, false, true, true, "autofire"},
        {"", true, -1, false, false, false, ""},
        {"autofire", true, 0, false, false, false, ""},
        {"", false, 1, false, true, true, "autofire"},
        {"autofire", false, -1, true, false, false, ""},
        {"", true, -1, true, true, true, "autofire"},
    };
    TempDir dir;
    for (const Case& c : cases) {
        const std::string script = dir.file("held.txt");
        std::ofstream(script) << "velmora-input 2\n" << c.script_line << "\n20 key down 0x20\n200 key up 0x20\n";
        set_autofire(c.command_line >= 0 ? c.command_line == 1 : c.machine);  // as main() does
        LaunchOptions options;
        options.headless = true;
        options.input_file = script;
        options.record_file = dir.file("again.txt");
        options.autofire = c.command_line;
        options.settings_from_host = c.guest;
        std::string error;
        {
            RunControl control;
            ASSERT_TRUE(control.prepare(options, error)) << error;
            EXPECT_EQ(player_autofire(1), c.one) << c.script_line;
            EXPECT_EQ(player_autofire(2), c.two) << c.script_line;
            DirectDrawApp app;
            control.attach(app);
        }
        std::ifstream again(options.record_file);
        std::string header, seed, next;
        std::getline(again, header);
        std::getline(again, seed);
        std::getline(again, next);
        EXPECT_EQ(next, c.recorded) << c.script_line;
    }
    set_autofire(false);
    control_rules = ControlRules{};  // the version-2 scripts set their own
}
