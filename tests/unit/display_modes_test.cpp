// Window creation: driver order and choice, mode list and sort, the 640 x 480
// x 16 choice, failures and what they leave behind.
#include <gtest/gtest.h>

#include <string>

#include "app/Velmora_Win.h"
#include "app/config.h"
#include "support/temp_dir.h"
#include "support/test_window.h"

namespace {

using platform::DisplayInfo;
using platform::VideoMode;

// A window with the game's own mode choice; SelectDriver can be forced.
class SetupWindow : public DirectDrawWin {
public:
    int forced_driver = -100;
    int activations = 0;
    void DrawScene() override {}
    int SelectDriver() override { return forced_driver == -100 ? DirectDrawWin::SelectDriver() : forced_driver; }
    int SelectInitialDisplayMode() override {
        for (int i = 0; i < nummodes; ++i)
            if (modes[i].width == 640 && modes[i].height == 480 && modes[i].depth == 16) return i;
        return -1;
    }
    BOOL CreateCustomSurfaces() override {
        ++activations;
        return 1;
    }
    void RestoreSurfaces() override {}
};

// The game's driver and mode choice over the display layer's set-up alone
// (without the game's input devices and content).
class GameChoiceWindow : public Velmora_Win {
public:
    // Skipping the game window's own start-up is the point here.
    int OnCreate() override { return DirectDrawWin::OnCreate(); }  // NOLINT(bugprone-parent-virtual-call)
    void OnDestroy() override { DirectDrawWin::OnDestroy(); }      // NOLINT(bugprone-parent-virtual-call)
};

// The settings file the chooser writes to, for one test.
class ScopedChoicesFile {
public:
    explicit ScopedChoicesFile(const std::string& path) { set_choices_file(path); }
    ~ScopedChoicesFile() { set_choices_file(""); }
    ScopedChoicesFile(const ScopedChoicesFile&) = delete;
    ScopedChoicesFile& operator=(const ScopedChoicesFile&) = delete;
};

void two_displays(RecordingBackend& be) {
    be.display_list = {{"main", "Display 0: main", true}, {"side", "Display 1: side", false}};
    be.mode_lists = {{{640, 480, 16}}, {{640, 480, 16}}};
}

TEST(Modes, SortRunsBySizeThenDepthAndTheGamePicks640x480x16) {
    ScopedRecordingBackend be;
    be->mode_lists = {{{800, 600, 8}, {640, 480, 32}, {640, 480, 16}, {320, 200, 8}}};
    GameChoiceWindow win;
    win.window_title = "t";
    ASSERT_EQ(win.DirectDrawWin::OnCreate(), 0);
    ASSERT_EQ(win.nummodes, 4);
    const DisplayModeInfo want[] = {{320, 200, 8}, {640, 480, 16}, {640, 480, 32}, {800, 600, 8}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(win.modes[i].width, want[i].width) << i;
        EXPECT_EQ(win.modes[i].height, want[i].height) << i;
        EXPECT_EQ(win.modes[i].depth, want[i].depth) << i;
    }
    EXPECT_EQ(win.curmode, 1);
    EXPECT_EQ(win.displaydepth, 16u);
    EXPECT_EQ(win.displayrect.right, 640);
    EXPECT_EQ(win.primsurf->format.gmask, 0x07E0u);
    EXPECT_NE(win.backsurf, nullptr);

    uint32_t w = 0, h = 0, d = 0;
    EXPECT_EQ(win.GetDisplayModeDimensions(3, w, h, d), 1);
    EXPECT_EQ(w, 800u);
    EXPECT_EQ(win.GetDisplayModeDimensions(win.nummodes, w, h, d), 0);
    EXPECT_EQ(win.GetDisplayModeDimensions(-1, w, h, d), 0);
    EXPECT_TRUE(be->dialogs.empty());
}

TEST(Modes, NoUsableModeRestoresTheDesktopAndFails) {
    ScopedRecordingBackend be;
    be->mode_lists = {{{640, 480, 32}, {800, 600, 16}}};
    GameChoiceWindow win;
    ASSERT_EQ(win.Create("t", 101), 0);
    EXPECT_EQ(win.ddraw, nullptr);
    EXPECT_FALSE(be->window_is_open);
    ASSERT_EQ(be->messages.size(), 1u);
    EXPECT_EQ(win.primsurf, nullptr);
    EXPECT_EQ(win.numdrivers, 0);  // the failed window was destroyed
}

TEST(Modes, ListsAreCutAtTheirLimits) {
    ScopedRecordingBackend be;
    be->display_list.clear();
    for (int i = 0; i < 12; ++i) be->display_list.push_back({"d" + std::to_string(i), "D" + std::to_string(i), i == 0});
    std::vector<VideoMode> many;
    for (uint32_t i = 0; i < 150; ++i) many.push_back({100 + i, 100, 8});
    many.push_back({640, 480, 16});  // beyond the cut: not seen
    be->mode_lists = {many};
    SetupWindow win;
    EXPECT_EQ(win.OnCreate(), -1);
    EXPECT_EQ(win.numdrivers, 10);
    EXPECT_EQ(win.nummodes, 100);
}

TEST(Drivers, ThePrimaryComesFirstAndTheDialogListsItFirst) {
    ScopedRecordingBackend be;
    be->display_list = {{"left", "Left screen", false}, {"main", "Main screen", true}};
    be->mode_lists = {{{640, 480, 16}}, {{640, 480, 16}}};
    be->choice = 0;
    GameChoiceWindow win;
    ASSERT_EQ(win.Create("t", 101), 1);
    ASSERT_EQ(be->dialogs.size(), 1u);
    EXPECT_EQ(be->dialogs[0], (std::vector<std::string>{"Main screen", "Left screen"}));
    EXPECT_EQ(win.drivers[0].guid, nullptr);
    EXPECT_NE(win.drivers[1].guid, nullptr);
    EXPECT_STREQ(win.drivers[1].name, "left");
    EXPECT_EQ(win.DriverDisplayIndex(0), 1);
    EXPECT_EQ(win.DriverDisplayIndex(1), 0);
    ASSERT_NE(win.ddraw, nullptr);
    EXPECT_EQ(win.ddraw->display_index, 1);
    EXPECT_EQ(be->windows_opened.back().display, 1);

    uint8_t* guid = reinterpret_cast<uint8_t*>(1);
    char* description = nullptr;
    EXPECT_EQ(win.GetDriverInfo(0, &guid, &description, nullptr), 1);
    EXPECT_EQ(guid, nullptr);
    EXPECT_STREQ(description, "Main screen");
    EXPECT_EQ(win.GetDriverInfo(2, &guid, &description, nullptr), 0);

    win.OnDestroy();
    EXPECT_FALSE(be->window_is_open);
    EXPECT_EQ(win.drivers[1].guid, nullptr);
    EXPECT_EQ(win.primsurf, nullptr);
}

TEST(Drivers, CancelAndBadChoicesFailCreation) {
    ScopedRecordingBackend be;
    be->display_list = {{"a", "A", true}, {"b", "B", false}};
    be->mode_lists = {{{640, 480, 16}}, {{640, 480, 16}}};
    be->choice = -1;
    {
        TempDir tmp;
        const ScopedChoicesFile settings(tmp.file("velmora.cfg"));
        GameChoiceWindow win;
        EXPECT_EQ(win.Create("t", 101), 0);
        EXPECT_TRUE(be->messages.empty());  // cancelling is no error: no message box
        EXPECT_TRUE(win.quit_by_player);    // and the program ends without a failure
        EXPECT_TRUE(be->windows_opened.empty());
        EXPECT_FALSE(be->window_is_open);
        EXPECT_EQ(load_settings(tmp.file("velmora.cfg")).display, -1);  // nothing kept
    }
    {
        SetupWindow win;
        win.forced_driver = 2;
        EXPECT_EQ(win.OnCreate(), -1);
        ASSERT_EQ(be->messages.size(), 1u);
        EXPECT_EQ(be->messages[0], "Invalid DirectDraw driver selected\n");
        EXPECT_EQ(win.activations, 0);
    }
    be->display_list.clear();
    SetupWindow none;
    EXPECT_EQ(none.OnCreate(), -1);
    EXPECT_EQ(be->messages.back(), "No DirectDraw drivers detected");
}

TEST(Drivers, TheChoiceIsAskedBeforeAnyWindowAndKeptForTheNextRun) {
    TempDir tmp;
    const std::string cfg = tmp.file("velmora.cfg");
    const ScopedChoicesFile settings(cfg);
    ScopedRecordingBackend be;
    two_displays(*be);
    be->choice = 1;
    {
        GameChoiceWindow win;
        ASSERT_EQ(win.Create("t", 101), 1);
        ASSERT_EQ(be->dialogs.size(), 1u);
        EXPECT_EQ(be->dialogs[0], (std::vector<std::string>{"Display 0: main", "Display 1: side"}));
        EXPECT_NE(be->dialog_texts[0].find("choose a display"), std::string::npos) << be->dialog_texts[0];
        EXPECT_NE(be->dialog_texts[0].find(cfg), std::string::npos);  // says where the answer goes
        // The one window opened is the one on the chosen display.
        ASSERT_EQ(be->windows_opened.size(), 1u);
        EXPECT_EQ(be->windows_opened[0].display, 1);
        win.OnDestroy();
    }
    const Settings kept = load_settings(cfg);
    EXPECT_EQ(kept.display, 1);
    GameChoiceWindow next_run;
    next_run.preferred_display = kept.display;
    ASSERT_EQ(next_run.Create("t", 101), 1);
    EXPECT_EQ(be->dialogs.size(), 1u);  // not asked again
    EXPECT_EQ(next_run.ddraw->display_index, 1);
}

TEST(Drivers, AMissingDisplayIsReportedThenAskedForOrTheOnlyOneTaken) {
    {
        ScopedRecordingBackend be;
        two_displays(*be);
        be->choice = 0;
        GameChoiceWindow win;
        win.preferred_display = 7;
        testing::internal::CaptureStderr();
        ASSERT_EQ(win.Create("t", 101), 1);
        EXPECT_NE(testing::internal::GetCapturedStderr().find("there is no display 7"), std::string::npos);
        ASSERT_EQ(be->dialogs.size(), 1u);
        EXPECT_NE(be->dialog_texts[0].find("There is no display 7"), std::string::npos);
        EXPECT_EQ(win.ddraw->display_index, 0);
    }
    ScopedRecordingBackend be;
    GameChoiceWindow win;
    win.preferred_display = 3;
    testing::internal::CaptureStderr();
    ASSERT_EQ(win.Create("t", 101), 1);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("using display 0"), std::string::npos);
    EXPECT_TRUE(be->dialogs.empty());
    EXPECT_EQ(win.ddraw->display_index, 0);
}

TEST(Drivers, TheWindowGetsTheGamesIconDrawnFromItsData) {
    ScopedRecordingBackend be;
    const ScopedChdir in_data(VELMORA_DATA);
    GameChoiceWindow win;
    ASSERT_EQ(win.Create("t", 101), 1);
    ASSERT_EQ(be->icon_size, 64);
    EXPECT_EQ(be->icon.front() >> 24, 0u);                      // a rounded corner: transparent
    EXPECT_EQ(be->icon[32 * 64 + 32] >> 24, 0xFFu);            // the ship in the middle
    EXPECT_NE(be->icon[32 * 64 + 32], be->icon[6 * 64 + 32]);  // on its tile
}

TEST(Drivers, DriverTableCopiesWhatItIsGiven) {
    SetupWindow win;
    const uint8_t id[16] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
    char text[] = "desc";
    EXPECT_EQ(DirectDrawWin::DriverAvailable(id, text, "nm", &win), 1);
    text[0] = 'X';
    EXPECT_STREQ(win.drivers[0].description, "desc");
    EXPECT_EQ(win.drivers[0].guid[15], 16);
    EXPECT_NE(win.drivers[0].guid, id);
    EXPECT_EQ(win.DriverDisplayIndex(0), -1);  // not one of ours
}

TEST(FatalDeathTest, ShowsTheMessageAndExitsWithOne) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    ensure_headless_backend();
    TestWindow win;
    win.window_title = "Game";
    EXPECT_EXIT(Fatal("cursor missing"), ::testing::ExitedWithCode(1), "Game: cursor missing");
}

}  // namespace
