// The game run headless through every world over damaged data: broken
// pictures, definitions, level records, sound effects and music, and level
// files that are missing, empty or not files. It must follow the failure rules
// and never crash or trip a sanitizer.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "app/world_list.h"
#include "support/hostile_data.h"
#include "support/scenario.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;
using hostile::kStartOnePlayer;
using hostile::RunResult;

namespace {

constexpr long kDumpStep = 5;

class HostileWorlds : public ::testing::Test {
protected:
    RunResult run(long frames, std::vector<std::string> input = kStartOnePlayer) {
        frames_ = frames;
        EXPECT_TRUE(scenario::write_input_script(out.file("in.txt"), input));
        std::vector<std::string> args = {"--headless", "--god",    "--data",   data.path(),
                                         "--seed",     "3",        "--frames", std::to_string(frames),
                                         "--input",    out.file("in.txt")};
        for (long f = kDumpStep; f <= frames; f += kDumpStep)
            args.insert(args.end(), {"--dump-state", std::to_string(f) + ":" + out.file(std::to_string(f) + ".txt")});
        hostile::RunOptions options;
        options.env = {{"XDG_CONFIG_HOME", out.file("config")}, {"VELMORA_DATA", ""}};
        RunResult r = hostile::run_game(args, options);
        EXPECT_EQ(r.exit_code, 0) << r.output.substr(0, 4000);
        EXPECT_FALSE(hostile::sanitizer_reported(r.output)) << r.output.substr(0, 4000);
        return r;
    }
    std::vector<long long> values(const char* key) {
        return hostile::dumped_values({out.path(), kDumpStep}, frames_, key);
    }
    // The levels the last run played (state 8 seen with that level loaded).
    std::set<long long> levels_played() {
        const std::vector<long long> state = values("game_state");
        const std::vector<long long> level = values("loaded_level");
        std::set<long long> played;
        for (size_t i = 0; i < std::min(state.size(), level.size()); ++i)
            if (state[i] == 8) played.insert(level[i]);
        return played;
    }
    bool state_seen(long long wanted) {
        const std::vector<long long> state = values("game_state");
        return std::find(state.begin(), state.end(), wanted) != state.end();
    }
    std::string world(int level) const {
        return data.path() + "/Levels/" + world_list::kEntries[level - 1].name + "/";
    }

    TempDir data;
    TempDir out;
    long frames_ = 0;
};

std::set<long long> all_levels() {
    std::set<long long> levels;
    for (int level = 1; level <= world_list::kCount; ++level) levels.insert(level);
    return levels;
}

}  // namespace

TEST_F(HostileWorlds, DamagedPicturesDefinitionsAndRecordsInEveryWorld) {
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
    const std::string shared = data.path() + "/Levels/Standard/Bitmaps/";
    size_t next = 0;
    for (const char* file : {"smoke1.BMP", "smoke3.BMP", "standardexplosion2.BMP", "blueshot1.BMP",
                             "powerup1.BMP", "shield1.BMP", "score3.BMP", "shieldbar1.BMP"}) {
        if (!fs::exists(shared + file)) continue;
        ASSERT_TRUE(hostile::put(shared + file, bitmaps[next++ % bitmaps.size()].bytes));
    }

    run(1200);
    EXPECT_EQ(levels_played(), all_levels());
    EXPECT_TRUE(state_seen(13)) << "the ending follows the last world";
}

TEST_F(HostileWorlds, DamagedSoundEffectsAndMusicEverywhere) {
    ASSERT_TRUE(hostile::make_tour_tree(data.path(), 40));
    const std::vector<hostile::Sample> waves = hostile::damaged_waves();
    const char* effects[] = {"g3", "g4", "g5", "g9", "ex9", "scream", "yeah", "drip", "trap", "click", "tick", "orchit"};
    size_t i = 0;
    for (const char* name : effects)
        ASSERT_TRUE(hostile::put(data.file(std::string("Sound/") + name + ".WAV"), waves[i++ % waves.size()].bytes));
    const std::vector<hostile::Sample> modules = hostile::damaged_modules();
    const char* tunes[] = {"SLINKY", "SEIZURE", "CRYSTAL", "PURPLE", "HIVE", "ORB", "CASTLE02",
                           "SONG39", "ASTRONUK", "SWAN", "DILEMMA", "ASTROV2"};
    i = 0;
    for (const char* name : tunes)
        ASSERT_TRUE(hostile::put(data.file(std::string("MUSIC/") + name + ".S3M"), modules[i++ % modules.size()].bytes));

    // Fire all the way (the ships' sounds), through every world into the
    // ending, where every frame retries a tune that never loads.
    std::vector<std::string> input = kStartOnePlayer;
    input.push_back("12 key down 0x20");
    run(900, input);
    EXPECT_EQ(levels_played(), all_levels());
    EXPECT_TRUE(state_seen(13));
}

TEST_F(HostileWorlds, MissingOrUnreadableLevelFilesLeadBackToTheTitle) {
    // World 3's layout file is a directory. (A missing one: the unit tests of
    // loading; a FIFO: the special-files scenario.)
    ASSERT_TRUE(hostile::make_tour_tree(data.path(), 30));
    fs::remove(world(3) + "Levels/NORMAL.LVL");
    fs::create_directories(world(3) + "Levels/NORMAL.LVL");
    run(300);
    EXPECT_EQ(levels_played(), (std::set<long long>{1, 2}));
    EXPECT_EQ(values("game_state").back(), 4);
    EXPECT_EQ(values("currentlevel").back(), 3);
}

TEST_F(HostileWorlds, EmptyLevelsAndWorldsWithoutDefinitionsLoadAsEmptyLevels) {
    ASSERT_TRUE(hostile::make_tour_tree(data.path(), 30));
    // An empty layout file: a level with nothing in it, left with Escape.
    ASSERT_TRUE(hostile::put(world(1) + "Levels/NORMAL.LVL", std::string()));
    std::vector<std::string> input = kStartOnePlayer;
    input.insert(input.end(), {"60 key down 0x1B", "61 key up 0x1B"});
    run(100, input);
    const std::vector<long long> state = values("game_state");
    const std::vector<long long> sprites = values("level_sprites");
    ASSERT_GE(state.size(), 11u);
    EXPECT_EQ(state[10], 8);  // frame 55: still in the empty level
    EXPECT_EQ(sprites[10], 0);
    EXPECT_EQ(state.back(), 4);

    // No shared definitions at all, and a world whose Sprites/ is a file: the
    // records name nothing and the level is empty too.
    fs::remove_all(data.file("Levels/Standard"));
    ASSERT_TRUE(hostile::put(world(1) + "Levels/NORMAL.LVL", std::string("100 150 0 entranceportal\n")));
    fs::remove_all(world(1) + "Sprites");
    ASSERT_TRUE(hostile::put(world(1) + "Sprites", std::string("not a directory")));
    run(100, input);
    EXPECT_EQ(values("level_sprites")[10], 0);
    EXPECT_EQ(values("game_state")[10], 8);
}
