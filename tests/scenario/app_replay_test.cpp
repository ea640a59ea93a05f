// A game played on the generated data from a script: two runs with the same
// seed and input are the same run, frame for frame and pixel for pixel.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/scenario.h"
#include "support/temp_dir.h"

using namespace scenario;

namespace {
bool generated_data_present() {
    const std::string d = VELMORA_DATA;
    for (const char* f : {"/Levels/Resource/cursor_08.BMP", "/Levels/Resource/titlescreen.BMP",
                          "/Levels/Resource/1playerdown.BMP", "/Levels/Space/Levels/NORMAL.LVL"})
        if (!std::filesystem::exists(d + f)) return false;
    return true;
}
}  // namespace

TEST(AppReplay, APlayedLevelReplaysIdentically) {
    if (!generated_data_present()) GTEST_SKIP() << "the generated data is not complete yet";
    TempDir out;
    // Skip the logos, choose 1 Player (146.., 428..), then fly and fire.
    ASSERT_TRUE(write_input_script(out.file("in.txt"), {
        "2 mouse button 0 down", "4 mouse button 0 up", "6 mouse move -120 200",
        "8 mouse button 0 down", "9 mouse button 0 up",
        "20 key down 0x20", "30 mouse move 0 -60", "45 mouse move 80 10", "60 mouse move -20 40",
        "90 key up 0x20", "100 key down 0x20", "120 mouse move 30 -30", "200 key up 0x20",
    }));
    const long frames = 300;
    std::vector<std::string> args = {"--headless", "--data", VELMORA_DATA, "--seed", "11",
                                     "--frames", std::to_string(frames), "--input",
                                     out.file("in.txt")};
    std::vector<std::string> first;
    for (int run = 0; run < 2; ++run) {
        std::vector<std::string> a = args;
        const std::string prefix = out.file("run" + std::to_string(run) + "-");
        for (long f = 20; f <= frames; f += 20) {
            a.push_back("--dump-state");
            a.push_back(std::to_string(f) + ":" + prefix + std::to_string(f) + ".txt");
        }
        a.push_back("--screenshot");
        a.push_back(std::to_string(frames) + ":" + prefix + "shot.png");
        const RunResult r = run_velmora(a, {{"XDG_CONFIG_HOME", out.file("config")}});
        ASSERT_EQ(r.exit_code, 0) << r.output;

        std::vector<std::string> files;
        for (long f = 20; f <= frames; f += 20) files.push_back(read_file(prefix + std::to_string(f) + ".txt"));
        files.push_back(read_file(prefix + "shot.png"));
        EXPECT_EQ(dump_number(read_state_dump(prefix + "20.txt"), "game_state"), 8)
            << "the script should have started a game";
        if (run == 0) {
            first = files;
            continue;
        }
        ASSERT_EQ(files.size(), first.size());
        for (size_t i = 0; i < files.size(); ++i) {
            EXPECT_FALSE(files[i].empty()) << i;
            EXPECT_EQ(files[i], first[i]) << "output " << i << " differs between the runs";
        }
    }
}
