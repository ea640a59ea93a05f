// Start-up through the logo screens to the title menu, and quitting, through
// the real program run headless. (Repeatable runs: the replay tests.)
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "state/game_states.h"
#include "whole_game_fixture.h"
#include "writers/data_writers.h"

using namespace scenario;

namespace {
class AppStartup : public whole_game::GameRun {
protected:
    void SetUp() override { ASSERT_TRUE(write_minimal_data_tree(data.path())); }
};
}  // namespace

TEST_F(AppStartup, EachLogoHoldsALittleOverTwoSecondsThenTheTitleMenu) {
    const RunResult r = run(300, {}, {}, whole_game::every(1, 300));
    ASSERT_EQ(r.exit_code, 0) << r.output;
    long studio = 0, title = 0;
    for (long f = 1; f <= 300; ++f) {
        if (value(f, "game_state") == kStateStudioLogo && studio == 0) studio = f;
        if (value(f, "game_state") == kStateTitleMenu && title == 0) title = f;
    }
    ASSERT_GT(studio, 0);
    ASSERT_GT(title, studio);
    // frame_time is reset at each switch; frames last about 17 ms here.
    for (const long long held : {value(studio, "frame_time") - value(1, "frame_time"),
                                 value(title, "frame_time") - value(studio, "frame_time")}) {
        EXPECT_GT(held, 2000);
        EXPECT_LE(held, 2020);
    }
    EXPECT_FALSE(std::filesystem::exists(data.file("Other/Preferences.txt")))
        << "a frame limit is not a quit: nothing is saved";
}

// Then Quit (512.., 428..) is clicked on the title menu.
TEST_F(AppStartup, ALeftClickSkipsALogoAndQuitSavesThePreferencesAndEnds) {
    ASSERT_TRUE(writers::write_text(data.file("Other/Preferences.txt"), "4\n6\n"));
    const RunResult r = run(100,
                            {"10 mouse button 0 down", "11 mouse button 0 up",
                             "20 mouse button 0 down", "20 mouse button 0 up",  // too quick
                             "30 mouse button 1 down", "31 mouse button 1 up",  // right button
                             "40 mouse button 0 down", "41 mouse button 0 up",
                             "45 mouse move 230 200", "46 mouse button 0 down", "47 mouse button 0 up"},
                            {}, {9, 10, 39, 40, 47, 100});
    ASSERT_EQ(r.exit_code, 0) << r.output;
    EXPECT_EQ(values("game_state"), (std::vector<long long>{kStatePublisherLogo, kStateStudioLogo, kStateStudioLogo,
                                                            kStateTitleMenu, kStateQuit}));
    EXPECT_FALSE(std::filesystem::exists(dump_path(100))) << "the program ended at the quit";
    EXPECT_EQ(value(9, "fxvolume"), 4);
    EXPECT_EQ(read_file(data.file("Other/Preferences.txt")), "4\n6\n");
}
