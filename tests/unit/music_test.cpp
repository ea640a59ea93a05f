// Music through libmikmod and our output driver: settings, the driver's life
// cycle, tunes that loop or end and restart from memory, missing tunes, the
// audio thread.
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "app/Velmora_Win.h"
#include "audio/Sample.h"
#include "audio/limiter.h"
#include "audio/mixer.h"
#include "audio/music.h"
#include "music_modules.h"
#include "state/game_states.h"
#include "state/globals.h"
#include "support/temp_dir.h"
#include "writers/bmp_writer.h"
#include "writers/data_writers.h"

namespace {

bool silent_pull(int frames) {
    std::vector<int16_t> out(size_t(frames) * 2);
    mixer::mix(out.data(), frames);
    for (int16_t s : out)
        if (s != 0) return false;
    return true;
}

// Pulls the mixer until the tune ends: the seconds it took, or -1.
double seconds_until_end() {
    for (int frames = 0; frames < mixer::kRate * 2; frames += 256) {
        if (!music_active()) return double(frames) / mixer::kRate;
        silent_pull(256);
    }
    return -1;
}

class MusicPlayback : public ::testing::Test {
protected:
    void SetUp() override {
        music_shutdown();
        Sample::release_all();
        music_set_volume(128);
        ASSERT_TRUE(writers::make_directories("MUSIC"));
    }
    void TearDown() override { music_shutdown(); }

    static void write_tune(const std::string& name, const writers::S3mModule& m) {
        ASSERT_TRUE(writers::check_s3m(m).empty());
        ASSERT_TRUE(writers::write_file("MUSIC/" + name, writers::encode_s3m(m)));
    }

    TempDir dir;
    ScopedChdir in{dir.path()};
};

}  // namespace

TEST(MusicSettings, BufferOptionVolumeAndTuneTable) {
    const struct {
        const char* options;
        int fragsize;
    } options[] = {{"buffer=12", 4096}, {"", 4096}, {"buffer=11", 65536}, {"x=3,buffer=19", 524288},
                   {"buffer=20", 65536}};
    for (const auto& o : options) {
        music_parse_options(o.options);
        EXPECT_EQ(music_fragsize(), o.fragsize) << o.options;
    }
    const long settings[] = {5, 7, 10, 0, 15, -3};
    const int volumes[] = {64, 89, 128, 0, 128, 0};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(music_volume_for(settings[i]), volumes[i]) << settings[i];

    const char* worlds[] = {"SLINKY", "SEIZURE",  "CRYSTAL", "PURPLE", "HIVE", "ORB",
                            "CASTLE02", "SONG39", "ASTRONUK", "SONG39", "SWAN"};
    for (int level = 1; level <= 11; ++level)
        EXPECT_EQ(music_file_for(8, level), "MUSIC/" + std::string(worlds[level - 1]) + ".S3M");
    EXPECT_EQ(music_file_for(8, 12), nullptr);
    EXPECT_STREQ(music_file_for(3, 1), "MUSIC/DILEMMA.S3M");
    for (int state : {0, 1, 4, 9, 12, 13}) EXPECT_STREQ(music_file_for(state, 3), "MUSIC/ASTROV2.S3M");
}

TEST_F(MusicPlayback, DriverSurvivesAHundredStartStopCycles) {
    write_tune("SHORT.S3M", music_fixtures::short_tune());
    for (int cycle = 0; cycle < 100; ++cycle) {
        ASSERT_TRUE(music_init() && music_load("MUSIC/SHORT.S3M")) << cycle;
        music_start();
        ASSERT_FALSE(silent_pull(512)) << cycle;
        music_shutdown();
        silent_pull(mixer::Limiter::kLatencyFrames);  // what the limiter still held
        ASSERT_TRUE(silent_pull(64)) << cycle;
    }
}

TEST_F(MusicPlayback, VolumeZeroSilencesEveryTuneLoadedAfterIt) {
    write_tune("A.S3M", music_fixtures::short_tune(16));
    write_tune("B.S3M", music_fixtures::short_tune(16));
    ASSERT_TRUE(music_init());
    music_set_volume(music_volume_for(0));  // nothing loaded yet
    for (const char* tune : {"MUSIC/A.S3M", "MUSIC/B.S3M"}) {
        ASSERT_TRUE(music_load(tune));
        music_start();
        EXPECT_TRUE(silent_pull(4096)) << tune;
    }
    music_set_volume(music_volume_for(10));
    EXPECT_FALSE(silent_pull(1024));
}

TEST_F(MusicPlayback, ATuneThatJumpsBackLoopsAsItWasWritten) {
    write_tune("ASTROV2.S3M", music_fixtures::looping_tune());  // 0.24 s, then B00
    Velmora_Win win;
    win.game_state = kStateTitleMenu;
    win.start_music_system();
    for (int frames = 0; frames < mixer::kRate; frames += 256) {  // four times round
        ASSERT_TRUE(music_active()) << frames;
        silent_pull(256);
    }
    EXPECT_FALSE(silent_pull(256));
    win.stop_music_system();
    EXPECT_FALSE(music_loaded());
}

// A tune loops only in the state that wants it: left for another state it
// ends at its jump back and that state's tune follows, as a tune that runs
// off its end does; coming back before then keeps it looping.
TEST_F(MusicPlayback, ALoopingTuneLeftForAnotherStateEndsAtItsJumpAndTheStatesTuneFollows) {
    write_tune("DILEMMA.S3M", music_fixtures::looping_tune());  // 0.24 s a pass
    write_tune("ASTROV2.S3M", music_fixtures::short_tune(8));   // 0.48 s, no jump
    Velmora_Win win;
    win.game_state = kStateAbout;
    win.load_music();
    const auto play_frames = [&](double seconds) {
        for (int frames = 0; frames < seconds * mixer::kRate; frames += 256) {
            win.keep_music_alive();
            silent_pull(256);
        }
    };
    play_frames(1.0);  // four passes
    ASSERT_TRUE(music_active());

    win.game_state = kStateTitleMenu;  // back to the title menu
    win.keep_music_alive();
    win.game_state = kStateAbout;  // and to the about screen again before the jump
    play_frames(1.0);
    ASSERT_TRUE(music_active()) << "wanted again: loops on";

    win.game_state = kStateTitleMenu;
    win.keep_music_alive();
    const double left = seconds_until_end();
    EXPECT_GE(left, 0.0);
    EXPECT_LE(left, 0.27) << "the about tune plays on to its jump, no further";
    win.keep_music_alive();  // the title tune, from its start, to its end
    ASSERT_TRUE(music_active());
    EXPECT_NEAR(seconds_until_end(), 0.48, 0.03);
    win.stop_music_system();
}

TEST_F(MusicPlayback, ATuneThatEndsStartsAgainFromMemory) {
    write_tune("ASTROV2.S3M", music_fixtures::short_tune());  // 0.24 s, no jump
    Velmora_Win win;
    win.game_state = kStateTitleMenu;
    win.start_music_system();
    // Gone from the disk: a restart that read the file again would fail.
    ASSERT_TRUE(std::filesystem::remove("MUSIC/ASTROV2.S3M"));
    for (int round = 0; round < 3; ++round) {
        // The whole tune each time (a restart may start a tick, 20 ms, late).
        EXPECT_NEAR(seconds_until_end(), 0.24, 0.03) << round;
        win.keep_music_alive();
        ASSERT_TRUE(music_active()) << round;
        EXPECT_FALSE(silent_pull(256)) << round;
        win.keep_music_alive();  // still playing: only updated
        EXPECT_NEAR(seconds_until_end() + 256.0 / mixer::kRate, 0.24, 0.03) << "the whole tune again";
        win.keep_music_alive();
    }
    // Another state's tune is another file: that one is loaded.
    write_tune("DILEMMA.S3M", music_fixtures::looping_tune());
    win.game_state = kStateAbout;
    win.load_music();
    EXPECT_TRUE(music_active());
    win.stop_music_system();
}

TEST_F(MusicPlayback, MissingTuneIsRetriedUntilItAppears) {
    Velmora_Win win;
    win.game_state = kStateAbout;
    for (int frame = 0; frame < 3; ++frame) win.keep_music_alive();
    EXPECT_FALSE(music_loaded());
    write_tune("DILEMMA.S3M", music_fixtures::short_tune());
    win.keep_music_alive();
    EXPECT_TRUE(music_active());
}

TEST_F(MusicPlayback, AudioThreadPullsWhileTheGameRestartsMusicAndEffects) {
    write_tune("SHORT.S3M", music_fixtures::short_tune());
    const int effect = mixer::add_voice(std::vector<int16_t>(2000, 500));
    std::atomic<bool> done{false};
    std::atomic<long> pulls{0};
    std::thread audio([&] {
        while (!done) {
            silent_pull(mixer::kBufferFrames);
            ++pulls;
        }
    });
    while (pulls == 0) std::this_thread::yield();
    // A deadlock hangs here; a race or a use after free shows under the sanitizers.
    for (int cycle = 0; cycle < 30; ++cycle) {
        music_init();
        music_load("MUSIC/SHORT.S3M");
        music_start();
        music_set_volume(cycle % 2 == 0 ? 0 : 128);
        music_loop_only(cycle % 3 == 0 ? "MUSIC/SHORT.S3M" : nullptr);  // the player reads it as it mixes
        mixer::play(effect);
        mixer::set_volume(effect, -100L * cycle);
        music_update();
        music_shutdown();
    }
    done = true;
    audio.join();
    mixer::remove_all_voices();
}
