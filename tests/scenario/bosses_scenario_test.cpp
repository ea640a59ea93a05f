// Boss fights in the real program, run headless on a small data tree: the
// level stops when the boss arrives, moves on once it is beaten, and the exit
// portal beyond it loads the next level.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/scenario.h"
#include "support/temp_dir.h"
#include "writers/bmp_writer.h"
#include "writers/data_writers.h"

using namespace scenario;

namespace {

constexpr long kDumpEvery = 10;

class BossScenario : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(write_minimal_data_tree(data.path()));
        for (const char* d : {"Levels/Standard/Sprites", "Levels/Standard/Bitmaps"})
            ASSERT_TRUE(writers::make_directories(data.file(d)));
        sprite("entranceportal", 2, 40, 80);
        sprite("exitportal", 2, 40, 200);
        sprite("playerone", 5, 40, 20);
        sprite("drone", 1, 12, 8);
        sprite("blueshot", 5, 30, 6);
        // The next world: only an entrance, so that loading it succeeds.
        level("Metal", {{100, 150, 0, "entranceportal"}});
    }

    // A sprite of `frames` solid w x h images, the top-left pixel transparent.
    void sprite(const std::string& name, int frames, int w, int h) {
        std::vector<writers::FrameOffset> offsets(static_cast<size_t>(frames));
        ASSERT_TRUE(writers::write_text(data.file("Levels/Standard/Sprites/" + name + ".SPT"),
                                        writers::encode_spt(offsets)));
        for (int i = 1; i <= frames; ++i) {
            writers::Image image(w, h, writers::Rgb{static_cast<uint8_t>(40 * i), 90, 160});
            image.at(0, 0) = writers::Rgb{0, 255, 0};
            ASSERT_TRUE(writers::write_file(
                data.file("Levels/Standard/Bitmaps/" + name + std::to_string(i) + ".BMP"),
                writers::encode_bmp24(image)));
        }
    }

    void level(const std::string& world, const std::vector<writers::LevelRecord>& records) {
        ASSERT_TRUE(writers::make_directories(data.file("Levels/" + world + "/Levels")));
        ASSERT_TRUE(writers::write_text(data.file("Levels/" + world + "/Levels/NORMAL.LVL"),
                                        writers::encode_lvl(records)));
    }

    // Through the logos into a one-player game, invulnerable; from frame
    // `fire_from` on (0: never) the player taps the fire key every other frame.
    RunResult play(long frames, long fire_from) {
        std::vector<std::string> input = {"2 mouse button 0 down", "4 mouse button 0 up",
                                          "6 mouse move -120 200", "8 mouse button 0 down",
                                          "9 mouse button 0 up"};
        for (long f = fire_from; fire_from > 0 && f + 1 < frames; f += 2) {
            input.push_back(std::to_string(f) + " key down 0x20");
            input.push_back(std::to_string(f + 1) + " key up 0x20");
        }
        EXPECT_TRUE(write_input_script(out.file("in.txt"), input));
        std::vector<std::string> args = {"--headless", "--god", "--data", data.path(), "--seed", "5",
                                         "--frames", std::to_string(frames), "--input", out.file("in.txt")};
        for (long f = kDumpEvery; f <= frames; f += kDumpEvery)
            args.insert(args.end(), {"--dump-state", std::to_string(f) + ":" + dump_path(f)});
        return run_velmora(args, {{"XDG_CONFIG_HOME", out.file("config")}, {"VELMORA_DATA", ""}});
    }
    std::string dump_path(long frame) { return out.file(std::to_string(frame) + ".txt"); }
    long long value(long frame, const char* key) { return dump_number(read_state_dump(dump_path(frame)), key); }

    // The fight as the dumps saw it: first dump with the level held, first
    // later dump with it moving again in the same level, first dump in level 2.
    struct Fight {
        long held = 0, released = 0, next_level = 0;
    };
    Fight follow(long frames) {
        Fight f;
        for (long t = kDumpEvery; t <= frames; t += kDumpEvery) {
            if (value(t, "game_state") != 8) continue;
            const long long level = value(t, "loaded_level");
            const long long scroll = value(t, "scroll");
            if (level == 1 && f.held == 0 && scroll < 1) f.held = t;
            if (level == 1 && f.held != 0 && f.released == 0 && scroll == 1) f.released = t;
            if (level == 2 && f.next_level == 0) f.next_level = t;
        }
        return f;
    }

    TempDir data;
    TempDir out;
};

}  // namespace

TEST_F(BossScenario, CaveBossShotDownLetsTheLevelRunOnToTheExit) {
    sprite("caveboss", 4, 80, 100);
    sprite("testwall", 1, 100, 10);
    // The ship appears at (60, 205); its shots cross y 211. Two walls keep the
    // riding boss across that line.
    level("Space", {{100, 150, 0, "entranceportal"},
                    {760, 160, 0, "caveboss"},
                    {750, 140, 0, "testwall"},
                    {750, 270, 0, "testwall"},
                    {1100, 100, 0, "exitportal"}});
    const long frames = 1000;
    // Held fire until the boss has arrived: one shot down on its way in would
    // open the gate before it could close it.
    const RunResult r = play(frames, 160);
    ASSERT_EQ(r.exit_code, 0) << r.output;
    const Fight f = follow(frames);
    ASSERT_GT(f.held, 0) << "the boss never stopped the level";
    EXPECT_EQ(value(f.held, "scroll"), 0);
    ASSERT_GT(f.released, f.held) << "the boss was never beaten";
    ASSERT_GT(f.next_level, f.released) << "the exit portal was never reached";
    EXPECT_EQ(value(f.next_level, "currentlevel"), 2);
}

TEST_F(BossScenario, HiveBossOutlastedWithoutFiringEndsItsLevel) {
    sprite("hiveboss", 4, 100, 320);
    sprite("hivebossshot", 3, 16, 16);
    level("Space", {{100, 150, 0, "entranceportal"},
                    {700, 40, 0, "hiveboss"},
                    {1000, 100, 0, "exitportal"}});
    const long frames = 1500;
    const RunResult r = play(frames, 0);
    ASSERT_EQ(r.exit_code, 0) << r.output;
    const Fight f = follow(frames);
    ASSERT_GT(f.held, 0);
    // 51 volleys, one every 16 frames, hold the level for about 800 frames.
    ASSERT_GT(f.released, f.held + 780);
    ASSERT_GT(f.next_level, f.released);
}
