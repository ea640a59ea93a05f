// The options screen's rows below the volumes and the Controls screen: each
// answers the mouse, the keys and a controller, and writes its change to the
// settings file at once, keeping the file's comments and unknown keys.
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "app/autofire.h"
#include "app/choices.h"
#include "app/config.h"
#include "app/options.h"
#include "display/DirectDrawApp.h"
#include "platform/input_options.h"
#include "state/game_states.h"
#include "support/temp_dir.h"
#include "ui/controls_screen.h"
#include "ui/menu_navigation.h"
#include "ui_test_helpers.h"
#include "writers/data_writers.h"

using namespace ui_test;

namespace {

constexpr unsigned kDown = 0x28, kLeft = 0x25, kRight = 0x27, kEnter = 0x0D, kEscape = 0x1B;
constexpr unsigned kPadDown = 0x65, kPadA = 0xC3, kPadFire = 0x60, kPadB = 0xC4;

class OptionRows : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        win.left_arrow_up = win.right_arrow_up = solid(30, 30, kBlue);
        win.left_arrow_down = win.right_arrow_down = solid(30, 30, kYellow);
        win.ok_up = solid(60, 30, kCyan);
        win.ok_down = solid(60, 30, kMagenta);
        win.red_bar = solid(10, 10, kRed);
        win.game_state = kStateOptions;
        path = dir.file("velmora.cfg");
        ASSERT_TRUE(writers::write_text(path, "# my notes\nautofire = no   # tap, tap\nmine = 3\n"));
        set_choices_file(path);
        choices() = Settings{};
        launch_options() = LaunchOptions{};
        set_autofire(false);
        platform::set_input_options(platform::InputOptions{});
    }
    void TearDown() override {
        set_choices_file("");
        choices() = Settings{};
        launch_options() = LaunchOptions{};
        set_autofire(false);
        platform::set_input_options(platform::InputOptions{});
        UiTest::TearDown();
    }
    // The next frame: keys arrive (with the keyboard's code of each, or 0),
    // then the screen draws.
    void frame(std::initializer_list<unsigned> keys = {}, int32_t code = 0) {
        ++app.frames_run;
        for (unsigned key : keys) win.OnKeyDown(key, 0, static_cast<unsigned>(code));
        win.draw_option_interface();
    }
    void click(int x, int y) {
        mouse(x, y, {true, false});
        frame();
    }
    std::string file() const {
        std::ifstream in(path);
        std::ostringstream all;
        all << in.rdbuf();
        return all.str();
    }
    bool file_has(const std::string& line) const { return ("\n" + file()).find("\n" + line + "\n") != std::string::npos; }
    static int32_t code_of(const char* name) {
        std::vector<int32_t> codes;
        std::string bad;
        return platform::key_codes_for_names(name, codes, bad) ? codes.front() : 0;
    }
    // Some pixel of the message line below the Controls screen's rows in the
    // refusal's red.
    bool refusal_shown() const {
        for (int y = 345; y < 368; ++y)
            for (int x = 90; x < 400; ++x) {
                const uint32_t p = back(x, y);
                if ((p >> 11) > 24 && ((p >> 5) & 0x3F) < 32) return true;
            }
        return false;
    }

    DirectDrawApp app;  // the frame counter the menus read
    TempDir dir;
    std::string path;
};

constexpr int kRowX = 200;
int row_y(int row) { return 342 + 23 * row + 10; }

}  // namespace

TEST_F(OptionRows, EachRowAnswersMouseKeysAndControllerAndIsWrittenAtOnce) {
    click(kRowX, row_y(0));  // autofire, by the mouse
    EXPECT_TRUE(autofire_now());
    EXPECT_EQ(file(), "# my notes\nautofire = yes   # tap, tap\nmine = 3\n") << "comments and unknown keys kept";

    frame({kDown});  // shows the highlight on the effects row
    frame({kDown, kDown, kDown});  // music, autofire, full screen
    frame({kRight});
    EXPECT_FALSE(fullscreen_now());
    EXPECT_TRUE(file_has("fullscreen = no"));
    frame({kDown, kRight, kLeft, kLeft});  // scaling: integer, auto, stretch
    EXPECT_EQ(scaling_now(), platform::Scaling::Stretch);
    EXPECT_TRUE(file_has("scaling = stretch"));

    frame({kPadDown, kPadFire, kPadA});  // the controller: smooth motion off
    EXPECT_EQ(launch_options().motion, MotionMode::Original);
    EXPECT_TRUE(file_has("motion = original"));
    EXPECT_TRUE(file_has("# my notes"));

    frame({kPadDown, kPadDown});  // past Controls to OK; volumes untouched all along
    EXPECT_EQ(fxvolume, 10);
    frame({kEnter});
    EXPECT_EQ(win.game_state, kStateTitleMenu);

    // A network game's options are the volumes alone.
    launch_options().host_port = 27183;
    win.game_state = kStateOptions;
    click(kRowX, row_y(0));
    EXPECT_TRUE(autofire_now());
}

TEST_F(OptionRows, ControlsScreenRebindsByAPressAndRefusesAKeyAnotherJobHas) {
    click(kRowX, row_y(4));
    ASSERT_TRUE(controls_screen_open());

    frame({kDown});  // shows the highlight on player one's fire
    frame({kDown, kEnter});  // player two up: waits for its key
    frame({0x57}, code_of("W"));
    EXPECT_EQ(choices().keys[platform::kPlayerTwoUp], "W");
    EXPECT_EQ(platform::input_options().keys[platform::kPlayerTwoUp], "W") << "the game reads it at once";
    EXPECT_TRUE(file_has("keys.p2_up = W"));

    frame({kEnter});
    frame({0x11}, code_of("Right Ctrl"));  // player two's fire has it
    EXPECT_EQ(choices().keys[platform::kPlayerTwoUp], "W");
    frame();
    EXPECT_TRUE(refusal_shown());

    // A controller's buttons give no key: A waits on, B cancels.
    frame({kEnter});
    frame({kPadFire, kPadA});
    frame({kPadB});
    frame({0x41}, code_of("A"));  // no longer waiting: nothing changes
    EXPECT_EQ(choices().keys[platform::kPlayerTwoUp], "W");

    // By the mouse: player one's fire row, then Escape cancels; OK goes back.
    mouse(kRowX, 124 + 10, {true, false});
    frame();
    frame({kEscape});
    EXPECT_EQ(choices().keys[platform::kPlayerOneFire], "Space");
    EXPECT_TRUE(controls_screen_open());
    click(580, 410);
    EXPECT_FALSE(controls_screen_open());
    EXPECT_EQ(win.game_state, kStateOptions);
    EXPECT_TRUE(file_has("# my notes"));
}
