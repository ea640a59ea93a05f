// Start-up, menus and quitting over damaged data: broken interface pictures
// and data directories the settings cannot be written into. (A broken cursor:
// the start-up errors scenario and the bitmap loader's tests.)
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/hostile_data.h"
#include "support/scenario.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;
using hostile::RunResult;

namespace {

class HostileStartup : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(hostile::make_tour_tree(data.path())); }

    // Runs until the window is closed at frame `quit_at` (0: never), with a
    // state dump after `dump_at`.
    RunResult run(long frames, long quit_at, std::vector<std::string> input = {},
                  bool without_override = false) {
        if (quit_at > 0) input.push_back(std::to_string(quit_at) + " quit");
        EXPECT_TRUE(scenario::write_input_script(out.file("in.txt"), input));
        hostile::RunOptions options;
        options.env = {{"XDG_CONFIG_HOME", out.file("config")}, {"VELMORA_DATA", ""}};
        options.without_override = without_override;
        return hostile::run_game({"--headless", "--data", data.path(), "--frames", std::to_string(frames),
                                  "--input", out.file("in.txt"), "--dump-state", "3:" + out.file("3.txt")},
                                 options);
    }
    void expect_clean(const RunResult& r, int exit_code = 0) {
        EXPECT_EQ(r.exit_code, exit_code) << r.output.substr(0, 4000);
        EXPECT_FALSE(hostile::sanitizer_reported(r.output)) << r.output.substr(0, 4000);
    }
    long long volume(const char* key) {
        return scenario::dump_number(scenario::read_state_dump(out.file("3.txt")), key);
    }
    std::string config_prefs() { return out.file("config/velmora/Preferences.txt"); }

    TempDir data;
    TempDir out;
};

}  // namespace

TEST_F(HostileStartup, BrokenInterfacePicturesDrawNothingAndTheGameStillQuits) {
    const std::vector<hostile::Sample> bitmaps = hostile::damaged_bitmaps();
    size_t i = 0;
    for (const auto& entry : fs::directory_iterator(data.file("Levels/Resource"))) {
        if (entry.path().filename() == "cursor_08.BMP") continue;
        ASSERT_TRUE(hostile::put(entry.path().string(), bitmaps[i++ % bitmaps.size()].bytes));
    }
    // Clicks everywhere a button would be, on screens that have none to show.
    std::vector<std::string> input = {"3 mouse button 0 down", "5 mouse button 0 up"};
    for (int k = 0; k < 10; ++k) {
        const int f = 10 + 6 * k;
        input.push_back(std::to_string(f) + " mouse move " + std::to_string(k % 2 ? 120 : -100) + " 40");
        input.push_back(std::to_string(f + 1) + " mouse button 0 down");
        input.push_back(std::to_string(f + 2) + " mouse button 0 up");
    }
    const RunResult r = run(200, 150, input);
    expect_clean(r);
    EXPECT_EQ(scenario::read_file(data.file("Other/Preferences.txt")), "10\n10\n");
}

TEST_F(HostileStartup, SettingsFindAPlaceWhenOtherIsMissingOrAFile) {
    fs::remove_all(data.file("Other"));
    expect_clean(run(20, 10));
    EXPECT_EQ(scenario::read_file(data.file("Other/Preferences.txt")), "10\n10\n") << "Other is made";

    fs::remove_all(data.file("Other"));
    ASSERT_TRUE(hostile::put(data.file("Other"), std::string("a file, not a directory")));
    expect_clean(run(20, 10));
    EXPECT_EQ(scenario::read_file(data.file("Other")), "a file, not a directory");
    EXPECT_EQ(scenario::read_file(config_prefs()), "10\n10\n");
}

TEST_F(HostileStartup, AReadOnlyDataDirectoryIsLeftUntouched) {
    ASSERT_TRUE(hostile::put(data.file("Other/Preferences.txt"), std::string("4\n6\n")));
    for (const std::string& dir : {data.path(), data.file("Other")}) ::chmod(dir.c_str(), 0555);
    const RunResult r = run(20, 10, {}, true);
    for (const std::string& dir : {data.path(), data.file("Other")}) ::chmod(dir.c_str(), 0755);
    if (r.setup_refused) GTEST_SKIP() << "cannot run the game without root's override here";
    expect_clean(r);
    EXPECT_EQ(volume("fxvolume"), 4) << "read from the data set";
    EXPECT_EQ(scenario::read_file(data.file("Other/Preferences.txt")), "4\n6\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(data.file("Other")), fs::directory_iterator()), 1)
        << "no temporary file left in the data";
    EXPECT_EQ(scenario::read_file(config_prefs()), "4\n6\n");
}
