// The game run headless through every world over damaged data: broken
// pictures, definitions, level records, sound effects and music; level files
// that are missing, empty or not files; FIFOs wherever the game and its
// settings read, files of one endless line, and files no one may read. It
// must follow the failure rules and never crash, block, grow without bound or
// trip a sanitizer.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/run_control.h"
#include "state/game_states.h"
#include "state/world_list.h"
#include "support/fixture_world.h"
#include "support/hostile_data.h"
#include "whole_game_fixture.h"

namespace fs = std::filesystem;
using hostile::kStartOnePlayer;
using scenario::RunResult;

namespace {

class HostileWorlds : public whole_game::GameRun {
protected:
    void SetUp() override { seed = 3; }
    // Plays `frames` frames in god mode from the title menu with the input
    // script `input`, a state dump every 5 frames.
    RunResult play(long frames, const std::vector<std::string>& input = kStartOnePlayer) {
        RunResult r = run(frames, input, {"--god"}, whole_game::every(5, frames));
        expect_clean(r);
        return r;
    }
    std::string world(int level) const {
        return data.path() + "/Levels/" + world_list::kEntries[level - 1].name + "/";
    }
    bool ending_seen() const {
        const std::vector<long long> state = values("game_state");
        return std::find(state.begin(), state.end(), 13) != state.end();
    }
    void fifo(const std::string& path) {
        fs::remove(path);
        fs::create_directories(fs::path(path).parent_path());
        ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0) << path;
    }
};

const std::vector<long long> kAllLevels = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};

// Escape at frame 60, in the level.
std::vector<std::string> start_then_escape() {
    std::vector<std::string> input = kStartOnePlayer;
    input.insert(input.end(), {"60 key down 0x1B", "61 key up 0x1B"});
    return input;
}

}  // namespace

TEST_F(HostileWorlds, DamagedPicturesDefinitionsRecordsSoundsAndMusicInEveryWorld) {
    ASSERT_TRUE(hostile::make_tour_tree(data.path(), 60, hostile::odd_level_records()));
    for (int level = 1; level <= world_list::kCount; ++level) {
        const std::string records = hostile::add_damaged_sprites(world(level));
        // The damaged sprites go before the malformed record that ends the file.
        const std::string path = world(level) + "Levels/NORMAL.LVL";
        std::string text = scenario::read_file(path);
        text.insert(text.find("5 5 five oops"), records);
        ASSERT_TRUE(hostile::put(path, text));
    }
    // Shared pictures the play itself draws: explosions, smoke, shots.
    const std::vector<hostile::Sample> bitmaps = hostile::damaged_bitmaps();
    size_t i = 0;
    for (const char* file : {"smoke1.BMP", "smoke3.BMP", "standardexplosion2.BMP", "blueshot1.BMP",
                             "powerup1.BMP", "shield1.BMP", "score3.BMP", "shieldbar1.BMP"}) {
        const std::string path = data.path() + "/Levels/Standard/Bitmaps/" + file;
        if (fs::exists(path)) {
            ASSERT_TRUE(hostile::put(path, bitmaps[i++ % bitmaps.size()].bytes));
        }
    }
    const std::vector<hostile::Sample> waves = hostile::damaged_waves();
    i = 0;
    for (const char* name : {"g3", "g4", "g5", "g9", "ex9", "scream", "yeah", "drip", "trap", "click", "tick", "orchit"})
        ASSERT_TRUE(hostile::put(data.file(std::string("Sound/") + name + ".WAV"), waves[i++ % waves.size()].bytes));
    const std::vector<hostile::Sample> modules = hostile::damaged_modules();
    i = 0;
    for (const char* name : {"SLINKY", "SEIZURE", "CRYSTAL", "PURPLE", "HIVE", "ORB", "CASTLE02", "SONG39",
                             "ASTRONUK", "SWAN", "DILEMMA", "ASTROV2"})
        ASSERT_TRUE(hostile::put(data.file(std::string("MUSIC/") + name + ".S3M"), modules[i++ % modules.size()].bytes));

    // Fire all the way (the ships' sounds and shots), through every world
    // into the ending, where every frame retries a tune that never loads.
    std::vector<std::string> input = kStartOnePlayer;
    input.push_back("12 key down 0x20");
    play(1200, input);
    EXPECT_EQ(levels_played(), kAllLevels);
    EXPECT_TRUE(ending_seen()) << "the ending follows the last world";
}

TEST_F(HostileWorlds, MissingOrUnreadableLevelFilesLeadBackToTheTitle) {
    // World 3's layout file is a directory. (A missing one: the unit tests of
    // loading; a FIFO: below.)
    ASSERT_TRUE(hostile::make_tour_tree(data.path(), 30));
    fs::remove(world(3) + "Levels/NORMAL.LVL");
    fs::create_directories(world(3) + "Levels/NORMAL.LVL");
    play(300);
    EXPECT_EQ(levels_played(), (std::vector<long long>{1, 2}));
    EXPECT_EQ(values("game_state").back(), kStateTitleMenu);
    EXPECT_EQ(values("currentlevel").back(), 3);
}

// Levels that load empty and are left with Escape: an empty layout file; one
// that starts with an endless line (named, as is a definition that does); no
// shared definitions at all and a world whose Sprites/ is a file.
TEST_F(HostileWorlds, EmptyEndlessAndUndefinedLevelsLoadEmpty) {
    ASSERT_TRUE(hostile::make_tour_tree(data.path(), 30));
    const std::string layout = world(1) + "Levels/NORMAL.LVL";
    const auto play_empty = [&](const char* what) {
        SCOPED_TRACE(what);
        const RunResult r = play(100, start_then_escape());
        EXPECT_EQ(value(55, "game_state"), kStatePlaying) << "in the empty level";
        EXPECT_EQ(value(55, "level_sprites"), 0);
        EXPECT_EQ(values("game_state").back(), kStateTitleMenu);
        return r;
    };
    ASSERT_TRUE(hostile::put(layout, std::string()));
    play_empty("empty layout");

    const std::string endless(3 << 20, '1');
    ASSERT_TRUE(hostile::put(layout, endless + "\n100 150 0 entranceportal\n"));
    ASSERT_TRUE(hostile::put(data.file("Levels/Standard/Sprites/smoke.SPT"), endless));
    const RunResult r = play_empty("endless first lines");
    EXPECT_NE(r.output.find("velmora: Levels/Space/Levels/NORMAL.LVL: line 1 is longer than 1048576 bytes"),
              std::string::npos)
        << r.output.substr(0, 2000);
    EXPECT_NE(r.output.find("velmora: Levels/Standard/Sprites/smoke.SPT: line 1 is longer than"), std::string::npos);

    fs::remove_all(data.file("Levels/Standard"));
    ASSERT_TRUE(hostile::put(layout, std::string("100 150 0 entranceportal\n")));
    fs::remove_all(world(1) + "Sprites");
    ASSERT_TRUE(hostile::put(world(1) + "Sprites", std::string("not a directory")));
    play_empty("no definitions");
}

TEST_F(HostileWorlds, FifosAnywhereNeitherBlockNorCountAsFiles) {
    ASSERT_TRUE(hostile::make_tour_tree(data.path(), 30));
    // No writer ever comes: opening any of these for reading would wait forever.
    const std::vector<std::string> fifos = {
        data.file("Other/Preferences.txt"),          world(2) + "Levels/NORMAL.LVL",
        data.file("Levels/Standard/Bitmaps/smoke1.BMP"), world(1) + "Sprites/pipe.SPT",
        data.file("Sound/g4.WAV"),                   data.file("MUSIC/SLINKY.S3M"),
        out.file("config/velmora/velmora.cfg"),
    };
    for (const std::string& f : fifos) fifo(f);
    timeout_seconds = 120;
    play(300);
    // The defaults for the settings, level 1 played, and world 2 without a
    // layout file: back to the title menu.
    EXPECT_EQ(values("fxvolume").front(), 10);
    EXPECT_EQ(levels_played(), (std::vector<long long>{1}));
    EXPECT_EQ(values("game_state").back(), kStateTitleMenu);
    EXPECT_EQ(values("currentlevel").back(), 2);
    for (const std::string& f : fifos) EXPECT_TRUE(fs::is_fifo(f)) << f << " was replaced";
}

TEST_F(HostileWorlds, EndlessInputScriptsEndTheReadingPromptlyWithAMessage) {
    ASSERT_TRUE(scenario::write_minimal_data_tree(data.path()));
    // An input script that never ends, and one endless line.
    const auto started = std::chrono::steady_clock::now();
    timeout_seconds = 30;
    RunResult r = run(100, {}, {"--input", "/dev/zero"});
    expect_clean(r, 1);
    EXPECT_NE(r.output.find("cannot read input script '/dev/zero': not a regular file"), std::string::npos)
        << r.output;
    ASSERT_TRUE(hostile::put(out.file("long.txt"), "velmora-input 1\n10 quit\n" + std::string(3 << 20, '0')));
    r = run(100, {}, {"--input", out.file("long.txt")});
    expect_clean(r, 1);
    EXPECT_NE(r.output.find("long.txt: line 3 is longer than 4096 bytes"), std::string::npos) << r.output;
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(20));
}

// A script longer than the cap is refused by its size before a line is read
// (this one is a hole after its header: read, it would be one endless line).
// One within the cap takes memory by its events, not by what the game once
// kept for each, twice over while growing and again to sort.
TEST_F(HostileWorlds, InputScriptsBeyondTheCapAreRefusedAtOnceAndLargeOnesCostTheirEvents) {
    ASSERT_TRUE(scenario::write_minimal_data_tree(data.path()));
    ASSERT_TRUE(hostile::put(out.file("huge.txt"), std::string("velmora-input 1\n")));
    fs::resize_file(out.file("huge.txt"), kMaxInputScriptBytes + 1);
    RunResult r = run(10, {}, {"--input", out.file("huge.txt")});
    expect_clean(r, 1);
    EXPECT_NE(r.output.find("huge.txt: 33554433 bytes; an input script may have at most 33554432 (32 MiB)"),
              std::string::npos)
        << r.output;

    constexpr long kEvents = 1000000;
    {
        std::ofstream script(out.file("large.txt"));
        script << "velmora-input 1\n";
        // Past the frames played: parsed, never injected.
        for (long i = 0; i < kEvents; ++i) script << 1000 + i << " mouse move " << i % 7 << " -1\n";
    }
    ASSERT_LT(fs::file_size(out.file("large.txt")), kMaxInputScriptBytes);
    r = run(10, {}, {"--input", out.file("large.txt")});
    expect_clean(r);
    const long with_script_kb = r.peak_rss_kb;
    r = run(10, {"10 quit"});
    expect_clean(r);
    const long extra_bytes = (with_script_kb - r.peak_rss_kb) * 1024;
    EXPECT_LT(extra_bytes, 32 * kEvents) << "peak " << with_script_kb << " KiB with the script, " << r.peak_rss_kb
                                         << " KiB without";
}

TEST_F(HostileWorlds, FilesNoOneMayReadAreReportedForThat) {
    ASSERT_TRUE(hostile::make_tour_tree(data.path(), 30));
    const std::vector<std::string> locked = {fixture_world::kDir + "/Bitmaps/spacewhiteship1.BMP", "Levels/Resource/ok_up.BMP",
                                             "Sound/g3.WAV", "Levels/Cave/Levels/NORMAL.LVL"};
    for (const std::string& rel : locked) {
        ASSERT_TRUE(fs::exists(data.file(rel))) << rel;
        ::chmod(data.file(rel).c_str(), 0);
    }
    scenario::RunOptions options;
    options.without_override = true;
    const RunResult r = scenario::run_program(VELMORA_BINARY, {"--check-data", data.path()}, options);
    if (r.setup_refused) GTEST_SKIP() << "cannot run the check without root's override here";
    EXPECT_EQ(r.exit_code, 1);
    for (const std::string& rel : locked)
        EXPECT_NE(r.output.find(rel + ": error: cannot be read (permission)"), std::string::npos) << rel << "\n"
                                                                                                << r.output;
}
