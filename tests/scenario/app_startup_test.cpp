// Start-up through the logo screens to the title menu, quitting, and
// repeatable headless runs, all by running the real program.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "support/scenario.h"
#include "support/temp_dir.h"

using namespace scenario;

namespace {
class AppStartup : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(write_minimal_data_tree(data.path())); }

    RunResult run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--headless", "--data", data.path()});
        return run_velmora(args, {{"XDG_CONFIG_HOME", out.file("config")}, {"VELMORA_DATA", ""}});
    }
    // --dump-state arguments for frames first..last into out/<frame>.txt.
    std::vector<std::string> dumps(long first, long last) {
        std::vector<std::string> args;
        for (long f = first; f <= last; ++f) {
            args.push_back("--dump-state");
            args.push_back(std::to_string(f) + ":" + dump_path(f));
        }
        return args;
    }
    std::string dump_path(long frame) { return out.file(std::to_string(frame) + ".txt"); }
    long long state_after(long frame) { return dump_number(read_state_dump(dump_path(frame)), "game_state"); }

    TempDir data;
    TempDir out;
};

std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}
}  // namespace

TEST_F(AppStartup, EachLogoHoldsALittleOverTwoSecondsThenTheTitleMenu) {
    const long frames = 300;
    const RunResult r = run(std::vector<std::string>{"--frames", std::to_string(frames)} + dumps(1, frames));
    ASSERT_EQ(r.exit_code, 0) << r.output;

    EXPECT_EQ(state_after(1), 1);
    const long long start = dump_number(read_state_dump(dump_path(1)), "frame_time");
    long studio = 0, title = 0;
    for (long f = 1; f <= frames; ++f) {
        const long long s = state_after(f);
        if (s == 2 && studio == 0) studio = f;
        if (s == 4 && title == 0) title = f;
    }
    ASSERT_GT(studio, 0);
    ASSERT_GT(title, studio);
    const long long studio_start = dump_number(read_state_dump(dump_path(studio)), "frame_time");
    const long long title_start = dump_number(read_state_dump(dump_path(title)), "frame_time");
    // Frames last about 17 ms here (the flip's pacing), so "a little over" is
    // under one frame more.
    EXPECT_GT(studio_start - start, 2000);
    EXPECT_LE(studio_start - start, 2020);
    EXPECT_GT(title_start - studio_start, 2000);
    EXPECT_LE(title_start - studio_start, 2020);
    EXPECT_EQ(state_after(frames), 4);
    // Stopping at the frame limit is not quitting: nothing was saved.
    EXPECT_FALSE(std::filesystem::exists(data.file("Other/Preferences.txt")));
}

TEST_F(AppStartup, ALeftClickSkipsALogo) {
    ASSERT_TRUE(write_input_script(out.file("in.txt"), {
        "10 mouse button 0 down", "11 mouse button 0 up",
        "20 mouse button 0 down", "20 mouse button 0 up",  // too quick to be seen
        "30 mouse button 1 down", "31 mouse button 1 up",  // the right button does nothing
        "40 mouse button 0 down", "41 mouse button 0 up",
    }));
    const RunResult r = run(std::vector<std::string>{"--frames", "42", "--input", out.file("in.txt")} +
                            dumps(9, 42));
    ASSERT_EQ(r.exit_code, 0) << r.output;
    EXPECT_EQ(state_after(9), 1);
    EXPECT_EQ(state_after(10), 2);
    EXPECT_EQ(state_after(11), 2);
    EXPECT_EQ(state_after(20), 2);
    EXPECT_EQ(state_after(31), 2);
    EXPECT_EQ(state_after(39), 2);
    EXPECT_EQ(state_after(40), 4);
}

TEST_F(AppStartup, QuitOnTheTitleMenuSavesThePreferencesAndEnds) {
    {
        std::ofstream prefs(data.file("Other/Preferences.txt"));
        prefs << "4\n6\n";
    }
    // Hold the button through both logos, release on the title menu, then
    // move onto Quit (512..612 x 428..468) and click it.
    ASSERT_TRUE(write_input_script(out.file("in.txt"), {
        "5 mouse button 0 down", "7 mouse button 0 up",
        "9 mouse move 230 200",
        "10 mouse button 0 down", "11 mouse button 0 up",
    }));
    const RunResult r = run(std::vector<std::string>{"--frames", "100", "--input", out.file("in.txt")} +
                            dumps(5, 12) + dumps(100, 100));
    ASSERT_EQ(r.exit_code, 0) << r.output;
    EXPECT_EQ(state_after(6), 4);
    EXPECT_EQ(dump_number(read_state_dump(dump_path(6)), "fxvolume"), 4);
    EXPECT_EQ(dump_number(read_state_dump(dump_path(9)), "curx"), 550);
    EXPECT_EQ(dump_number(read_state_dump(dump_path(9)), "cury"), 440);
    EXPECT_EQ(state_after(11), 14);
    EXPECT_FALSE(std::filesystem::exists(dump_path(100))) << "the program ended at the quit";
    EXPECT_EQ(read_file(data.file("Other/Preferences.txt")), "4\n6\n");
}

TEST_F(AppStartup, TheSameSeedAndInputGiveTheSameDumps) {
    ASSERT_TRUE(write_input_script(out.file("in.txt"), {
        "3 key down 0x20", "8 mouse move -40 17", "8 mouse button 0 down", "10 mouse button 0 up",
        "12 mouse move 1000 1000", "14 key up 0x20", "20 mouse move -400 0",
        "21 mouse button 0 down", "22 mouse button 0 up",  // 1 Player: no level here, back to the title
        "30 key down 0x1B", "31 key up 0x1B",
    }));
    std::map<long, std::string> first;
    for (int run_number = 0; run_number < 2; ++run_number) {
        const RunResult r = run(std::vector<std::string>{"--frames", "60", "--seed", "7", "--input",
                                                         out.file("in.txt")} + dumps(1, 60));
        ASSERT_EQ(r.exit_code, 0) << r.output;
        for (long f = 1; f <= 60; ++f) {
            const std::string text = read_file(dump_path(f));
            ASSERT_FALSE(text.empty()) << f;
            if (run_number == 0) first[f] = text;
            else EXPECT_EQ(text, first[f]) << "frame " << f;
        }
    }
}

TEST_F(AppStartup, BadInputScriptOrDataDirectoryStopsTheStart) {
    ASSERT_TRUE(write_input_script(out.file("bad.txt"), {"5 quit", "6 key down 0x20 twice"}));
    RunResult r = run({"--frames", "5", "--input", out.file("bad.txt")});
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_NE(r.output.find("line 3"), std::string::npos) << r.output;

    r = run_velmora({"--headless", "--data", out.file("nowhere"), "--frames", "5"});
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_NE(r.output.find("nowhere"), std::string::npos) << r.output;

    r = run_velmora({"--frames", "zero"});
    EXPECT_EQ(r.exit_code, 2);
}
