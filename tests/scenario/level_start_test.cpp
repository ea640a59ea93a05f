// Starting a game through the title menu of the real program run headless:
// the level file becomes the level list, and sprites scroll into view.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/scenario.h"
#include "support/temp_dir.h"
#include "writers/bmp_writer.h"
#include "writers/data_writers.h"

using namespace scenario;

namespace {

class LevelStart : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(write_minimal_data_tree(data.path()));
        ASSERT_TRUE(writers::make_directories(data.file("Levels/Standard/Sprites")));
        ASSERT_TRUE(writers::make_directories(data.file("Levels/Standard/Bitmaps")));
        ASSERT_TRUE(writers::write_text(data.file("Levels/Standard/Sprites/Rock.SPT"), "0 0\n"));
        writers::Image rock(40, 20, writers::Rgb{120, 90, 60});
        rock.at(0, 0) = writers::Rgb{0, 255, 0};
        ASSERT_TRUE(writers::write_file(data.file("Levels/Standard/Bitmaps/rock1.BMP"),
                                        writers::encode_bmp24(rock)));
    }

    void level_file(const std::string& text) {
        ASSERT_TRUE(writers::make_directories(data.file("Levels/Space/Levels")));
        ASSERT_TRUE(writers::write_text(data.file("Levels/Space/Levels/NORMAL.LVL"), text));
    }

    // Skips both logos, clicks 1 Player and dumps every frame.
    RunResult start_one_player_game(long frames) {
        EXPECT_TRUE(write_input_script(out.file("in.txt"),
                                       {"2 mouse button 0 down", "4 mouse button 0 up",
                                        "6 mouse move -120 200", "8 mouse button 0 down",
                                        "9 mouse button 0 up"}));
        std::vector<std::string> args = {"--headless", "--data", data.path(), "--seed", "3",
                                         "--frames", std::to_string(frames), "--input",
                                         out.file("in.txt")};
        for (long f = 1; f <= frames; ++f)
            args.insert(args.end(), {"--dump-state", std::to_string(f) + ":" + dump_path(f)});
        return run_velmora(args, {{"XDG_CONFIG_HOME", out.file("config")}, {"VELMORA_DATA", ""}});
    }
    std::string dump_path(long frame) { return out.file(std::to_string(frame) + ".txt"); }
    long long value(long frame, const char* key) {
        return dump_number(read_state_dump(dump_path(frame)), key);
    }
    // The first frame that ended in `state`, or 0.
    long first_frame_in(int state, long frames) {
        for (long f = 1; f <= frames; ++f)
            if (value(f, "game_state") == state) return f;
        return 0;
    }

    TempDir data;
    TempDir out;
};

}  // namespace

TEST_F(LevelStart, LevelRecordsScrollIntoViewOnTheTwentyFirstRebuild) {
    // On screen behind, far right on the scenery layer, wholly off the left edge.
    level_file("100 100 3 rock\n700 200 1 rock\n-40 50 0 rock\n");
    const long frames = 60;
    const RunResult r = start_one_player_game(frames);
    ASSERT_EQ(r.exit_code, 0) << r.output;
    const long loaded = first_frame_in(8, frames);
    ASSERT_GT(loaded, 0) << "the game never reached play";
    EXPECT_EQ(value(loaded, "loaded_level"), 1);
    EXPECT_EQ(value(loaded, "scroll"), 1);
    EXPECT_EQ(value(loaded, "level_sprites"), 3);
    // Loading rebuilt the list once; every play frame rebuilds it again.
    EXPECT_EQ(value(loaded, "active_sprites"), 1);
    EXPECT_EQ(value(loaded + 19, "active_sprites"), 1);
    EXPECT_EQ(value(loaded + 20, "active_sprites"), 2);
    EXPECT_EQ(value(loaded + 20, "level_sprites"), 3);  // nothing off screen is dropped
}

TEST_F(LevelStart, AWorldWithoutALevelFileGoesBackToTheTitle) {
    const long frames = 30;
    const RunResult r = start_one_player_game(frames);
    ASSERT_EQ(r.exit_code, 0) << r.output;
    const long loading = first_frame_in(7, frames);
    ASSERT_GT(loading, 0);
    EXPECT_EQ(value(loading + 1, "game_state"), 4);
    EXPECT_EQ(value(loading + 1, "level_sprites"), 0);
    EXPECT_EQ(value(frames, "game_state"), 4);
}
