// Sound effects through the mixer, pulled directly as the audio callback
// would, and the limiter that keeps their sum with the music in range.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/Velmora_Win.h"
#include "audio/Sample.h"
#include "audio/limiter.h"
#include "audio/mixer.h"
#include "audio/music.h"
#include "audio/sliding_minimum.h"
#include "platform/platform.h"
#include "state/game_states.h"
#include "state/globals.h"
#include "support/temp_dir.h"
#include "writers/bmp_writer.h"
#include "writers/data_writers.h"

namespace {

using mixer::Limiter;
constexpr size_t kLatency = Limiter::kLatencyFrames;

// The next `frames` frames the mixer makes from now: what the limiter still
// delays is pulled first and dropped.
std::vector<int16_t> pull(int frames) {
    std::vector<int16_t> out((size_t(frames) + kLatency) * 2);
    mixer::mix(out.data(), frames + Limiter::kLatencyFrames);
    return std::vector<int16_t>(out.begin() + std::ptrdiff_t(2 * kLatency), out.end());
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

TEST(EffectVolume, EachStepIsATenthOfFullLevelLikeTheMusic) {
    for (long step = 0; step <= 10; ++step) {
        const double share = mixer::gain_for(volume_for_fx(step)) / 65536.0;
        EXPECT_NEAR(share, step / 10.0, 0.001) << step;
        // The music bar's share for the same step.
        EXPECT_NEAR(share, music_volume_for(step) / 128.0, 0.01) << step;
    }
    EXPECT_EQ(volume_for_fx(0), kSilentVolume);
    EXPECT_EQ(volume_for_fx(15), 0);  // as a preferences file may hold them
    EXPECT_EQ(volume_for_fx(-3), kSilentVolume);
    EXPECT_EQ(mixer::gain_for(kSilentVolume), 0);
}

TEST_F(EffectMixer, EffectsAddAndScaleAfterTheLimitersDelay) {
    const int a = constant_voice(10000, 100);
    const int b = constant_voice(2500, 50);
    mixer::play(a);
    mixer::play(b);
    std::vector<int16_t> raw(2 * (kLatency + 1));
    mixer::mix(raw.data(), Limiter::kLatencyFrames + 1);
    EXPECT_EQ(raw[2 * kLatency - 1], 0) << "nothing leaves before the look-ahead is full";
    EXPECT_EQ(raw[2 * kLatency], 12500);

    Sample::release_all();
    const int c = constant_voice(10000, 100);
    const int d = constant_voice(2500, 50);
    mixer::play(c);
    mixer::play(d);
    std::vector<int16_t> out = pull(100);
    EXPECT_EQ(out[0], 12500);
    EXPECT_EQ(out[2 * 50], 10000);  // d has ended
    EXPECT_FALSE(mixer::playing(d));

    mixer::set_volume(c, -1000);
    mixer::play(c);
    EXPECT_NEAR(pull(1)[0], 3162, 1);
}

TEST_F(EffectMixer, LoudEffectsTogetherAreLimitedNotClipped) {
    mixer::play(constant_voice(30000, 4000));
    mixer::play(constant_voice(20000, 4000));
    mixer::play(constant_voice(-30000, 2000));  // cancels for a while
    const std::vector<int16_t> out = pull(4000);
    for (int16_t v : out) {
        ASSERT_LE(v, Limiter::kCeiling);
        ASSERT_GE(v, -Limiter::kCeiling);
    }
    EXPECT_EQ(out[2 * 100], 20000);  // 30000 + 20000 - 30000 passes untouched
    EXPECT_EQ(out[2 * 3999], Limiter::kCeiling);
}

// A tone at full scale, as the loudest music can be, and an effect at full
// scale starting over it a third of a second in.
TEST(MixLimiter, FullScaleToneAndEffectStayInsideTheRangeWithoutFlatTops) {
    Limiter limiter;
    const size_t frames = mixer::kRate;  // one second
    std::vector<int32_t> in(2 * frames);
    for (size_t f = 0; f < frames; ++f) {
        const double t = double(f) / mixer::kRate;
        int32_t v = int32_t(std::lround(32767 * std::sin(2 * M_PI * 220 * t)));
        if (f >= frames / 3) v += int32_t(std::lround(32767 * std::sin(2 * M_PI * 1300 * t)));
        in[2 * f] = in[2 * f + 1] = v;
    }
    std::vector<int16_t> out(in.size());
    float last_gain = 1.0f, steepest = 0.0f;
    for (size_t f = 0; f < frames; ++f) {
        limiter.process(&in[2 * f], &out[2 * f], 1);
        steepest = std::max(steepest, std::abs(limiter.gain() - last_gain));
        last_gain = limiter.gain();
    }
    int at_rail = 0, at_ceiling = 0, clamped = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        at_rail += out[i] >= 32767 || out[i] <= -32767;
        at_ceiling += std::abs(out[i]) >= Limiter::kCeiling - 1;
        clamped += std::abs(in[i]) >= Limiter::kCeiling;
    }
    EXPECT_EQ(at_rail, 0);
    // A clamp would flatten every crest of the sum; the limiter turns the whole
    // mix down, so only a crest's very top touches the ceiling.
    EXPECT_LT(at_ceiling * 10, clamped) << at_ceiling << " of " << clamped;
    // The gain moves in ramps across the look-ahead, never in a step.
    EXPECT_LE(steepest, 1.0f / Limiter::kLookAheadFrames + 1e-4f);
    // The tone alone, before the effect: within 1 dB of what went in.
    double in_power = 0, out_power = 0;
    for (size_t f = kLatency; f < frames / 3 - 1000; ++f) {
        const double before = in[2 * (f - kLatency)], after = out[2 * f];
        in_power += before * before;
        out_power += after * after;
    }
    EXPECT_LT(10 * std::log10(in_power / out_power), 1.0);
}

TEST(MixLimiter, QuietPassesUntouchedAndTheGainRecoversAfterAPeak) {
    Limiter limiter;
    std::vector<int32_t> in(2 * 4096);
    for (size_t i = 0; i < in.size(); ++i) in[i] = int32_t(i % 200) * 100 - 10000;
    std::vector<int16_t> out(in.size());
    limiter.process(in.data(), out.data(), 4096);
    for (size_t f = kLatency; f < 4096; ++f) ASSERT_EQ(out[2 * f], in[2 * (f - kLatency)]) << f;

    std::vector<int32_t> burst(2 * 441, 60000);  // 10 ms twice full scale
    std::vector<int16_t> scratch(burst.size());
    limiter.process(burst.data(), scratch.data(), 441);
    std::vector<int32_t> quiet(2 * 441, 1000);
    limiter.process(quiet.data(), scratch.data(), 441);
    EXPECT_LT(limiter.gain(), 0.9f) << "10 ms after the peak it is still coming back";
    for (int i = 0; i < 40; ++i) limiter.process(quiet.data(), scratch.data(), 441);
    EXPECT_EQ(limiter.gain(), 1.0f) << "0.4 s later the mix is back at full level";
    EXPECT_EQ(scratch.back(), 1000);
}

// The limiter's window minimum is kept incrementally; it must give what a
// scan of the window gives, for rising, falling and repeated values.
TEST(MixLimiter, TheWindowsLowestIsWhatAScanFinds) {
    std::srand(5);
    std::vector<float> values;
    for (int i = 0; i < 3000; ++i) {
        const int kind = (i / 200) % 3;  // noise, a slow fall, a flat stretch
        values.push_back(kind == 0 ? float(std::rand() % 1000) / 1000.0f
                                   : kind == 1 ? 1.0f - float(i % 200) / 200.0f : 0.25f);
    }
    auto check = [&values](auto window, size_t n) {
        for (size_t i = 0; i < values.size(); ++i) {
            float scan = i + 1 < n ? 1.0f : values[i];  // values before the first count as 1
            for (size_t j = i + 1 >= n ? i + 1 - n : 0; j <= i; ++j) scan = std::min(scan, values[j]);
            ASSERT_EQ(window.push(values[i]), scan) << "window " << n << ", value " << i;
        }
    };
    check(mixer::SlidingMinimum<1>(1.0f), 1);
    check(mixer::SlidingMinimum<7>(1.0f), 7);
    check(mixer::SlidingMinimum<Limiter::kLookAheadFrames>(1.0f), Limiter::kLookAheadFrames);
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
    fxvolume = 5;
    Sample::set_volume();
    thesample.play("yeah");
    EXPECT_NEAR(pull(1)[0], 4000, 1);  // half
}

// The effects are loaded with the window, before start-up reads the stored
// volumes; the first sound must already play at the stored level.
TEST_F(EffectMixer, StoredVolumesAreHeardFromTheFirstSound) {
    TempDir dir;
    ScopedChdir in(dir.path());
    ASSERT_TRUE(writers::make_directories("Sound") && writers::make_directories("Other"));
    writers::WaveOptions o;
    o.rate = 44100;
    ASSERT_TRUE(writers::write_file("Sound/yeah.WAV", writers::encode_wav({20000, 20000}, o)));
    if (!platform::has_backend()) platform::install_backend(platform::make_headless_backend());
    for (const char* stored : {"0\n0\n", "4\n10\n"}) {
        ASSERT_TRUE(writers::write_text("Other/Preferences.txt", stored));
        Velmora_Win win;
        win.load_sounds();
        win.run_state_handler();  // start-up: the preferences, then the sound system
        EXPECT_EQ(win.game_state, kStatePublisherLogo);
        thesample.play("yeah");
        const int16_t first = pull(1)[0];
        if (fxvolume == 0) EXPECT_EQ(first, 0) << stored;
        else EXPECT_NEAR(first, 8000, 8) << stored;  // 4 of 10: 0.4 of full level
        win.stop_music_system();
        Sample::release_all();
    }
}
