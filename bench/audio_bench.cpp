// Audio costs: mixing effects and music per second of sound, and the
// keep-alive's retry of a tune whose file is missing.
#include <benchmark/benchmark.h>

#include <time.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "app/Velmora_Win.h"
#include "audio/Sample.h"
#include "audio/mixer.h"
#include "audio/music.h"
#include "state/game_states.h"
#include "support/temp_dir.h"
#include "writers/bmp_writer.h"
#include "writers/data_writers.h"
#include "writers/s3m_writer.h"

namespace {

constexpr int kEffects = 12;
constexpr int kMusicChannels = 8;

// Eight channels of held, looped notes: a busy tune for the software mixer.
writers::S3mModule busy_tune() {
    writers::S3mModule m;
    m.channels = kMusicChannels;
    m.initial_speed = 32;
    m.initial_tempo = 32;  // 2.5 s a row: the pattern lasts minutes
    writers::S3mSample s;
    for (int i = 0; i < 256; ++i) s.data.push_back(int16_t(8000 * std::sin(2 * M_PI * i / 256.0)));
    s.sixteen_bit = true;
    s.loop = true;
    s.loop_end = 256;
    m.samples = {s};
    writers::S3mPattern p(kMusicChannels);
    for (int ch = 0; ch < kMusicChannels; ++ch) {
        p.at(0, ch).note = writers::s3m_note(4 + ch % 3, (ch * 5) % 12);
        p.at(0, ch).instrument = 1;
    }
    m.patterns = {p};
    m.orders = {0};
    return m;
}

double thread_cpu_seconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

class AudioSetup {
public:
    AudioSetup() : in_(dir_.path()) {
        writers::make_directories("MUSIC");
        writers::write_file("MUSIC/BUSY.S3M", writers::encode_s3m(busy_tune()));
    }
    void start_music() {
        if (!music_init() || !music_load("MUSIC/BUSY.S3M")) return;
        music_set_volume(128);
        music_start();
    }
    void start_effects() {
        for (int i = 0; i < kEffects; ++i) {
            std::vector<int16_t> frames(size_t(mixer::kRate) * 2);
            for (size_t f = 0; f < frames.size(); ++f) frames[f] = int16_t((f * 37 + size_t(i) * 101) % 6000);
            voices_.push_back(mixer::add_voice(std::move(frames)));
        }
    }
    void keep_effects_playing() {
        for (int v : voices_)
            if (!mixer::playing(v)) mixer::play(v);
    }
    ~AudioSetup() {
        music_shutdown();
        mixer::remove_all_voices();
    }

private:
    TempDir dir_;
    ScopedChdir in_;
    std::vector<int> voices_;
};

// One iteration mixes one second of sound, pulled in device-sized buffers;
// the time per iteration is the mixing cost per second of audio.
void mix_one_second(benchmark::State& state, bool effects, bool music) {
    AudioSetup setup;
    if (effects) setup.start_effects();
    if (music) setup.start_music();
    std::vector<int16_t> buffer(size_t(mixer::kBufferFrames) * 2);
    const double start = thread_cpu_seconds();
    for (auto _ : state) {
        if (effects) setup.keep_effects_playing();
        if (music && !music_active()) setup.start_music();
        for (int done = 0; done < mixer::kRate; done += mixer::kBufferFrames) {
            mixer::mix(buffer.data(), mixer::kBufferFrames);
            benchmark::DoNotOptimize(buffer.data());
        }
    }
    const double elapsed = thread_cpu_seconds() - start;
    state.counters["callback_buffer_ms"] = 1000.0 * mixer::kBufferFrames / mixer::kRate;
    // Each iteration is one second of sound: its processor time is the share
    // of one core that playback takes.
    state.counters["pct_of_one_core"] = 100.0 * elapsed / double(std::max<int64_t>(state.iterations(), 1));
}

void BM_MixTwelveEffectsOneSecond(benchmark::State& state) { mix_one_second(state, true, false); }
void BM_MixMusicOneSecond(benchmark::State& state) { mix_one_second(state, false, true); }
void BM_MixEffectsAndMusicOneSecond(benchmark::State& state) { mix_one_second(state, true, true); }

// The keep-alive's frame when the state's tune does not exist.
void BM_KeepAliveWithMissingTune(benchmark::State& state) {
    TempDir dir;
    ScopedChdir in(dir.path());
    Velmora_Win win;
    win.game_state = kStateAbout;
    music_init();
    win.keep_music_alive();  // the first failure is a full attempt
    for (auto _ : state) win.keep_music_alive();
    music_shutdown();
}

// What each of those frames would cost if every retry restarted libmikmod.
void BM_FullRestartAndFailedLoad(benchmark::State& state) {
    TempDir dir;
    ScopedChdir in(dir.path());
    for (auto _ : state) {
        music_shutdown();
        music_init();
        benchmark::DoNotOptimize(music_load("MUSIC/DILEMMA.S3M"));
    }
    music_shutdown();
}

}  // namespace

BENCHMARK(BM_MixTwelveEffectsOneSecond)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MixMusicOneSecond)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MixEffectsAndMusicOneSecond)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KeepAliveWithMissingTune)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FullRestartAndFailedLoad)->Unit(benchmark::kMicrosecond);

