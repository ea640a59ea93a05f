// Files that are no files, lines without end and files no one may read: FIFOs
// wherever the game and its settings read, input scripts and
// level files of one endless line, and a data set the checker may not read.
// Nothing may block, grow without bound or be reported for what it is not.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "support/hostile_data.h"
#include "support/scenario.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;
using hostile::kStartOnePlayer;
using hostile::RunResult;

namespace {

constexpr long kDumpStep = 5;

class HostileSpecialFiles : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(hostile::make_tour_tree(data.path(), 30)); }

    RunResult run(const std::vector<std::string>& extra, long frames = 0, unsigned timeout = 120) {
        std::vector<std::string> args = {"--headless", "--god", "--data", data.path(), "--seed", "3"};
        if (frames > 0) {
            frames_ = frames;
            args.insert(args.end(), {"--frames", std::to_string(frames)});
            for (long f = kDumpStep; f <= frames; f += kDumpStep)
                args.insert(args.end(),
                            {"--dump-state", std::to_string(f) + ":" + out.file(std::to_string(f) + ".txt")});
        }
        args.insert(args.end(), extra.begin(), extra.end());
        hostile::RunOptions options;
        options.env = {{"XDG_CONFIG_HOME", out.file("config")}, {"VELMORA_DATA", ""}};
        options.timeout_seconds = timeout;
        RunResult r = hostile::run_game(args, options);
        EXPECT_EQ(r.signal, 0) << "killed: it hung\n" << r.output.substr(0, 4000);
        EXPECT_FALSE(hostile::sanitizer_reported(r.output)) << r.output.substr(0, 4000);
        return r;
    }
    // Plays from the title menu with the input script `input`.
    RunResult play(long frames, const std::vector<std::string>& input = kStartOnePlayer) {
        EXPECT_TRUE(scenario::write_input_script(out.file("in.txt"), input));
        RunResult r = run({"--input", out.file("in.txt")}, frames);
        EXPECT_EQ(r.exit_code, 0) << r.output.substr(0, 4000);
        return r;
    }
    std::vector<long long> values(const char* key) {
        return hostile::dumped_values({out.path(), kDumpStep}, frames_, key);
    }
    void fifo(const std::string& path) {
        fs::remove(path);
        fs::create_directories(fs::path(path).parent_path());
        ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0) << path;
    }
    std::string world(const char* name) const { return data.path() + "/Levels/" + name + "/"; }

    TempDir data;
    TempDir out;
    long frames_ = 0;
};

}  // namespace

TEST_F(HostileSpecialFiles, FifosAnywhereNeitherBlockNorCountAsFiles) {
    // No writer ever comes: opening any of these for reading would wait forever.
    const std::vector<std::string> fifos = {
        data.file("Other/Preferences.txt"),          world("Metal") + "Levels/NORMAL.LVL",
        data.file("Levels/Standard/Bitmaps/smoke1.BMP"), world("Space") + "Sprites/pipe.SPT",
        data.file("Sound/g4.WAV"),                   data.file("MUSIC/SLINKY.S3M"),
        out.file("config/velmora/velmora.cfg"),
    };
    for (const std::string& f : fifos) fifo(f);
    play(300);
    // The defaults for the settings, level 1 played, and world 2 without a
    // layout file: back to the title menu.
    EXPECT_EQ(values("fxvolume").front(), 10);
    const std::vector<long long> state = values("game_state"), level = values("loaded_level");
    ASSERT_FALSE(state.empty());
    bool played_first = false;
    for (size_t i = 0; i < state.size() && i < level.size(); ++i) played_first |= state[i] == 8 && level[i] == 1;
    EXPECT_TRUE(played_first);
    EXPECT_EQ(state.back(), 4);
    EXPECT_EQ(values("currentlevel").back(), 2);
    for (const std::string& f : fifos) EXPECT_TRUE(fs::is_fifo(f)) << f << " was replaced";
}

TEST_F(HostileSpecialFiles, EndlessLinesEndTheReadingPromptlyWithAMessage) {
    // An input script that never ends, and one endless line.
    const auto started = std::chrono::steady_clock::now();
    RunResult r = run({"--input", "/dev/zero"}, 0, 30);
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_NE(r.output.find("cannot read input script '/dev/zero': not a regular file"), std::string::npos)
        << r.output;
    ASSERT_TRUE(hostile::put(out.file("long.txt"), "velmora-input 1\n10 quit\n" + std::string(3 << 20, '0')));
    r = run({"--input", out.file("long.txt")}, 0, 30);
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_NE(r.output.find("long.txt: line 3 is longer than 4096 bytes"), std::string::npos) << r.output;
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(20));

    // A layout file and a definition that start with an endless line: the
    // level holds nothing, the sprite has no offsets, and both are named.
    const std::string endless(3 << 20, '1');
    ASSERT_TRUE(hostile::put(world("Space") + "Levels/NORMAL.LVL", endless + "\n100 150 0 entranceportal\n"));
    ASSERT_TRUE(hostile::put(data.file("Levels/Standard/Sprites/smoke.SPT"), endless));
    std::vector<std::string> input = kStartOnePlayer;
    input.insert(input.end(), {"60 key down 0x1B", "61 key up 0x1B"});
    r = play(100, input);
    const std::vector<long long> state = values("game_state"), sprites = values("level_sprites");
    ASSERT_GE(state.size(), 11u);
    EXPECT_EQ(state[10], 8);  // frame 55: in the empty level
    EXPECT_EQ(sprites[10], 0);
    EXPECT_NE(r.output.find("velmora: Levels/Space/Levels/NORMAL.LVL: line 1 is longer than 1048576 bytes"),
              std::string::npos)
        << r.output.substr(0, 2000);
    EXPECT_NE(r.output.find("velmora: Levels/Standard/Sprites/smoke.SPT: line 1 is longer than"), std::string::npos);
}

TEST_F(HostileSpecialFiles, FilesNoOneMayReadAreReportedForThat) {
    const std::vector<std::string> locked = {"Levels/Space/Bitmaps/spacewhiteship1.BMP", "Levels/Resource/ok_up.BMP",
                                             "Sound/g3.WAV", "Levels/Cave/Levels/NORMAL.LVL"};
    for (const std::string& rel : locked) {
        ASSERT_TRUE(fs::exists(data.file(rel))) << rel;
        ::chmod(data.file(rel).c_str(), 0);
    }
    hostile::RunOptions options;
    options.without_override = true;
    const RunResult r = hostile::run_game({"--check-data", data.path()}, options);
    if (r.setup_refused) GTEST_SKIP() << "cannot run the check without root's override here";
    EXPECT_EQ(r.exit_code, 1);
    for (const std::string& rel : locked)
        EXPECT_NE(r.output.find(rel + ": error: cannot be read (permission)"), std::string::npos) << rel << "\n"
                                                                                                << r.output;
}
