// Music through libmikmod and our output driver: the state table, volumes, the
// driver's life cycle, tunes that end and restart, and missing tunes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/Velmora_Win.h"
#include "app/globals.h"
#include "audio/Sample.h"
#include "audio/mixer.h"
#include "audio/music.h"
#include "music_modules.h"
#include "support/temp_dir.h"
#include "writers/bmp_writer.h"
#include "writers/data_writers.h"

namespace {

bool silent(const std::vector<int16_t>& v) {
    for (int16_t s : v)
        if (s != 0) return false;
    return true;
}

std::vector<int16_t> pull(int frames) {
    std::vector<int16_t> out(size_t(frames) * 2);
    mixer::mix(out.data(), frames);
    return out;
}

// Pulls the mixer until the tune ends; returns the frames it took, or -1.
long frames_until_end(long limit) {
    long frames = 0;
    while (music_active()) {
        if (frames >= limit) return -1;
        pull(mixer::kBufferFrames);
        frames += mixer::kBufferFrames;
    }
    return frames;
}

class MusicPlayback : public ::testing::Test {
protected:
    void SetUp() override {
        music_shutdown();
        Sample::release_all();
        music_set_volume(128);
        ASSERT_TRUE(writers::make_directories(dir.file("MUSIC")));
    }
    void TearDown() override { music_shutdown(); }

    void write_tune(const std::string& name, const writers::S3mModule& m) {
        ASSERT_TRUE(writers::check_s3m(m).empty());
        ASSERT_TRUE(writers::write_file(dir.file("MUSIC/" + name), writers::encode_s3m(m)));
    }

    TempDir dir;
    ScopedChdir in{dir.path()};
};

}  // namespace

TEST(MusicSettings, FragmentSizeFromTheBufferOption) {
    music_parse_options("buffer=12");
    EXPECT_EQ(music_fragsize(), 4096);
    music_parse_options("");  // no option: the size stays
    EXPECT_EQ(music_fragsize(), 4096);
    music_parse_options("buffer=11");
    EXPECT_EQ(music_fragsize(), 65536);
    music_parse_options("other=3,buffer=19");
    EXPECT_EQ(music_fragsize(), 524288);
    music_parse_options("buffer=20");
    EXPECT_EQ(music_fragsize(), 65536);
}

TEST(MusicSettings, PlayerVolumeFromTheSetting) {
    EXPECT_EQ(music_volume_for(5), 64);
    EXPECT_EQ(music_volume_for(7), 89);
    EXPECT_EQ(music_volume_for(10), 128);
    EXPECT_EQ(music_volume_for(0), 0);
    EXPECT_EQ(music_volume_for(15), 128);  // preferences are not range-checked
    EXPECT_EQ(music_volume_for(-3), 0);
}

TEST(MusicSettings, TuneOfEachStateAndLevel) {
    const char* worlds[] = {"SLINKY", "SEIZURE", "CRYSTAL", "PURPLE", "HIVE", "ORB",
                            "CASTLE02", "SONG39", "ASTRONUK", "SONG39", "SWAN"};
    for (int level = 1; level <= 11; ++level)
        EXPECT_EQ(std::string(music_file_for(8, level)), "MUSIC/" + std::string(worlds[level - 1]) + ".S3M");
    EXPECT_EQ(music_file_for(8, 0), nullptr);
    EXPECT_EQ(music_file_for(8, 12), nullptr);
    EXPECT_STREQ(music_file_for(3, 5), "MUSIC/DILEMMA.S3M");
    for (int state : {0, 1, 4, 7, 9, 12, 13}) EXPECT_STREQ(music_file_for(state, 3), "MUSIC/ASTROV2.S3M");

    Velmora_Win win;
    win.game_state = 8;
    currentlevel = 7;
    EXPECT_STREQ(win.music_for_state(), "MUSIC/CASTLE02.S3M");
}

TEST_F(MusicPlayback, DriverSurvivesAHundredStartStopCycles) {
    write_tune("SHORT.S3M", music_fixtures::short_tune());
    for (int cycle = 0; cycle < 100; ++cycle) {
        ASSERT_TRUE(music_init()) << cycle;
        ASSERT_TRUE(music_load("MUSIC/SHORT.S3M")) << cycle;
        music_start();
        ASSERT_TRUE(music_active()) << cycle;
        ASSERT_FALSE(silent(pull(512))) << cycle;
        music_shutdown();
        ASSERT_FALSE(music_loaded());
        ASSERT_TRUE(silent(pull(64))) << cycle;
    }
}

TEST_F(MusicPlayback, VolumeZeroSilencesEveryTuneLoadedAfterIt) {
    write_tune("A.S3M", music_fixtures::short_tune(16));
    write_tune("B.S3M", music_fixtures::looping_tune());
    ASSERT_TRUE(music_init());
    music_set_volume(music_volume_for(0));
    ASSERT_TRUE(music_load("MUSIC/A.S3M"));
    music_start();
    EXPECT_TRUE(silent(pull(4096)));

    ASSERT_TRUE(music_load("MUSIC/B.S3M"));
    music_start();
    EXPECT_TRUE(silent(pull(4096)));
    music_set_volume(music_volume_for(10));
    EXPECT_FALSE(silent(pull(1024)));
}

TEST_F(MusicPlayback, TuneThatJumpsBackStillEnds) {
    write_tune("LOOP.S3M", music_fixtures::looping_tune());
    ASSERT_TRUE(music_init());
    ASSERT_TRUE(music_load("MUSIC/LOOP.S3M"));
    music_start();
    // Two orders of two 60 ms rows: about 0.24 s, then the jump back is not taken.
    const long frames = frames_until_end(mixer::kRate * 2);
    ASSERT_GT(frames, 0);
    EXPECT_NEAR(double(frames) / mixer::kRate, 0.24, 0.05);
}

TEST_F(MusicPlayback, EndedTuneRestartsThroughTheKeepAlive) {
    write_tune("ASTROV2.S3M", music_fixtures::short_tune());
    Velmora_Win win;
    win.game_state = 4;
    musicvolume = 10;
    win.start_music_system();
    ASSERT_TRUE(music_active());

    ASSERT_GT(frames_until_end(mixer::kRate), 0);
    win.keep_music_alive();
    EXPECT_TRUE(music_active());
    EXPECT_FALSE(silent(pull(512)));
    // Still playing: the keep-alive only updates it.
    win.keep_music_alive();
    EXPECT_TRUE(music_active());
    // From the beginning: the whole tune plays again.
    EXPECT_NEAR(double(frames_until_end(mixer::kRate) + 512) / mixer::kRate, 0.24, 0.03);
    win.stop_music_system();
    EXPECT_FALSE(music_loaded());
}

TEST_F(MusicPlayback, MissingTuneIsRetriedUntilItAppears) {
    Velmora_Win win;
    win.game_state = 3;
    for (int frame = 0; frame < 3; ++frame) {
        win.keep_music_alive();
        EXPECT_FALSE(music_loaded());
    }
    write_tune("DILEMMA.S3M", music_fixtures::short_tune());
    win.keep_music_alive();
    EXPECT_TRUE(music_loaded());
    EXPECT_TRUE(music_active());

    // Leaving for a state whose tune is missing drops the old one when it ends.
    win.game_state = 8;
    currentlevel = 1;
    ASSERT_GT(frames_until_end(mixer::kRate), 0);
    win.keep_music_alive();
    EXPECT_FALSE(music_loaded());
}
