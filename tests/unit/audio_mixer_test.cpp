// Sound effects through the mixer, pulled directly as the audio callback would.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "app/Velmora_Win.h"
#include "app/globals.h"
#include "audio/Sample.h"
#include "audio/mixer.h"
#include "audio/music.h"
#include "support/temp_dir.h"
#include "writers/bmp_writer.h"
#include "writers/data_writers.h"

namespace {

std::vector<int16_t> pull(int frames) {
    std::vector<int16_t> out(size_t(frames) * 2);
    mixer::mix(out.data(), frames);
    return out;
}

int constant_voice(int16_t value, int frames) {
    return mixer::add_voice(std::vector<int16_t>(size_t(frames) * 2, value));
}

bool silent(const std::vector<int16_t>& v) {
    for (int16_t s : v)
        if (s != 0) return false;
    return true;
}

class EffectMixer : public ::testing::Test {
protected:
    void SetUp() override {
        music_shutdown();
        Sample::release_all();
        fxvolume = 10;
    }
    void TearDown() override { Sample::release_all(); }
};

}  // namespace

TEST(EffectVolume, HundredthsOfADecibelFromTheClampedSetting) {
    EXPECT_EQ(volume_for_fx(10), 0);
    EXPECT_EQ(volume_for_fx(9), -1000);
    EXPECT_EQ(volume_for_fx(0), -10000);
    EXPECT_EQ(volume_for_fx(15), 0);
    EXPECT_EQ(volume_for_fx(-3), -10000);
    EXPECT_EQ(mixer::gain_for(0), 65536);
    EXPECT_EQ(mixer::gain_for(-10000), 0);
    EXPECT_NEAR(mixer::gain_for(-600) / 65536.0, 0.501, 1e-3);  // -6 dB halves
}

TEST_F(EffectMixer, EffectsAddScaleAndSaturate) {
    const int a = constant_voice(10000, 100);
    const int b = constant_voice(2500, 50);
    mixer::play(a);
    mixer::play(b);
    std::vector<int16_t> out = pull(100);
    EXPECT_EQ(out[0], 12500);
    EXPECT_EQ(out[2 * 50], 10000);  // b has ended
    EXPECT_FALSE(mixer::playing(b));

    mixer::set_volume(a, -1000);
    mixer::play(a);
    EXPECT_NEAR(pull(1)[0], 3162, 1);
    mixer::set_volume(a, 0);
    const int loud = constant_voice(30000, 10);
    mixer::play(a);
    mixer::play(loud);
    EXPECT_EQ(pull(1)[1], 32767);
    mixer::stop(a);
    mixer::stop(loud);
    mixer::play(constant_voice(-30000, 10));
    mixer::play(constant_voice(-20000, 10));
    EXPECT_EQ(pull(1)[0], -32768);
}

TEST_F(EffectMixer, PlayingAgainRestartsInsteadOfDoubling) {
    std::vector<int16_t> ramp;
    for (int i = 0; i < 200; ++i) ramp.insert(ramp.end(), {int16_t(i), int16_t(i)});
    const int v = mixer::add_voice(ramp);
    mixer::play(v);
    pull(50);
    mixer::play(v);
    EXPECT_EQ(pull(3), (std::vector<int16_t>{0, 0, 1, 1, 2, 2}));
}

TEST_F(EffectMixer, LoadsTheTableInOrderAndKeepsMissingOnesSilent) {
    TempDir dir;
    ScopedChdir in(dir.path());
    ASSERT_TRUE(writers::make_directories("Sound"));
    const std::vector<std::string> names = {"g3",   "g4",   "g5",   "g9",    "ex9",  "scream",
                                            "yeah", "drip", "trap", "click", "tick", "orchit"};
    writers::WaveOptions o;
    o.rate = 44100;
    for (const std::string& n : names) {
        if (n == "g5") continue;
        ASSERT_TRUE(writers::write_file("Sound/" + n + ".WAV", writers::encode_wav({8000, 8000}, o)));
    }
    Velmora_Win win;
    win.load_sounds();

    ASSERT_EQ(Sample::listofsamples.size(), names.size());
    for (size_t i = 0; i < names.size(); ++i) EXPECT_EQ(Sample::listofsamples[i]->name, names[i]);
    thesample.play("g5");
    thesample.play("no such effect");
    EXPECT_TRUE(silent(pull(4)));
    thesample.play("g3");
    EXPECT_EQ(pull(3), (std::vector<int16_t>{8000, 8000, 8000, 8000, 0, 0}));

    fxvolume = -7;  // as a preferences file may hold it
    Sample::set_volume();
    thesample.play("yeah");
    EXPECT_TRUE(silent(pull(2)));
    fxvolume = 9;
    Sample::set_volume();
    thesample.play("yeah");
    EXPECT_NEAR(pull(1)[0], 2530, 1);  // -10 dB
}
