#include "audio/mixer.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <mutex>

#include "audio/limiter.h"
#include "audio/music.h"
#include "platform/platform.h"

namespace mixer {

namespace {

constexpr int32_t kUnityGain = 65536;
constexpr long kSilentHundredthsDb = -10000;
// Headless pulls catch up at most this much audio at once (a stalled clock
// or a long load is not worth mixing).
constexpr uint64_t kMaxCatchUpUs = 2'000'000;

struct Voice {
    std::vector<int16_t> frames;  // interleaved stereo
    size_t position = 0;          // next frame to play
    bool playing = false;
    int32_t gain = kUnityGain;
};

struct State {
    std::mutex lock;  // voices: the game thread edits them, the audio thread mixes them
    std::vector<Voice> voices;
    bool device_open = false;     // game thread only
    uint64_t last_pull_us = 0;    // game thread only
    bool pulled_before = false;
    uint64_t remainder = 0;  // clock time not yet turned into whole frames, in us * kRate
    Limiter limiter;                       // whoever mixes: the audio thread, or the game headless
    std::atomic<bool> limiter_reset{false};  // asked by the game thread, done by the mixing one
};

// Never destroyed: the audio thread may still run while statics are torn down.
State& state() {
    static State* s = new State;
    return *s;
}

void add_voice_into(Voice& v, int32_t* acc, int frames) {
    const size_t total = v.frames.size() / 2;
    const size_t n = std::min(total - v.position, size_t(frames));
    const int16_t* src = v.frames.data() + 2 * v.position;
    for (size_t i = 0; i < 2 * n; ++i) acc[i] += (int32_t(src[i]) * v.gain) >> 16;
    v.position += n;
    if (v.position >= total) v.playing = false;
}

void device_callback(void* /*userdata*/, int16_t* out, int frames) { mix(out, frames); }

}  // namespace

int32_t gain_for(long hundredths_db) {
    if (hundredths_db <= kSilentHundredthsDb) return 0;
    if (hundredths_db >= 0) return kUnityGain;
    return int32_t(std::lround(kUnityGain * std::pow(10.0, double(hundredths_db) / 2000.0)));
}

int add_voice(std::vector<int16_t> stereo_frames) {
    State& s = state();
    stereo_frames.resize(stereo_frames.size() & ~size_t(1));
    std::lock_guard<std::mutex> guard(s.lock);
    s.voices.push_back(Voice{std::move(stereo_frames)});
    return int(s.voices.size()) - 1;
}

void remove_all_voices() {
    State& s = state();
    std::vector<Voice> old;
    {
        std::lock_guard<std::mutex> guard(s.lock);
        old.swap(s.voices);
    }
    // `old` frees the sample data outside the lock. What the old voices left
    // in the limiter's delay line goes too.
    s.limiter_reset = true;
}

void play(int voice) {
    State& s = state();
    std::lock_guard<std::mutex> guard(s.lock);
    if (voice < 0 || size_t(voice) >= s.voices.size()) return;
    Voice& v = s.voices[size_t(voice)];
    v.position = 0;
    v.playing = !v.frames.empty();
}

void stop(int voice) {
    State& s = state();
    std::lock_guard<std::mutex> guard(s.lock);
    if (voice >= 0 && size_t(voice) < s.voices.size()) s.voices[size_t(voice)].playing = false;
}

bool playing(int voice) {
    State& s = state();
    std::lock_guard<std::mutex> guard(s.lock);
    return voice >= 0 && size_t(voice) < s.voices.size() && s.voices[size_t(voice)].playing;
}

void set_volume(int voice, long hundredths_db) {
    const int32_t gain = gain_for(hundredths_db);
    State& s = state();
    std::lock_guard<std::mutex> guard(s.lock);
    if (voice >= 0 && size_t(voice) < s.voices.size()) s.voices[size_t(voice)].gain = gain;
}

void mix(int16_t* out, int frames) {
    State& s = state();
    int16_t music[2 * kBufferFrames];
    int32_t acc[2 * kBufferFrames];
    if (s.limiter_reset.exchange(false)) s.limiter.reset();
    while (frames > 0) {
        const int n = std::min(frames, kBufferFrames);
        // The music takes libmikmod's lock, the effects ours: never both at once.
        music_mix(music, n);
        for (int i = 0; i < 2 * n; ++i) acc[i] = music[i];
        {
            std::lock_guard<std::mutex> guard(s.lock);
            for (Voice& v : s.voices)
                if (v.playing) add_voice_into(v, acc, n);
        }
        s.limiter.process(acc, out, n);
        out += 2 * n;
        frames -= n;
    }
}

bool open_device() {
    State& s = state();
    if (s.device_open) return true;
    if (!platform::has_backend()) return false;
    s.device_open = platform::backend().open_audio(&device_callback, nullptr, kRate, kBufferFrames);
    return s.device_open;
}

void close_device() {
    State& s = state();
    if (!s.device_open) return;
    if (platform::has_backend()) platform::backend().close_audio();
    s.device_open = false;
}

bool device_open() { return state().device_open; }

void advance_without_device(uint64_t now_us) {
    State& s = state();
    if (s.device_open) return;
    if (!s.pulled_before || now_us < s.last_pull_us) {
        s.pulled_before = true;
        s.last_pull_us = now_us;
        s.remainder = 0;
        return;
    }
    const uint64_t elapsed = std::min(now_us - s.last_pull_us, kMaxCatchUpUs);
    s.last_pull_us = now_us;
    // Keep the remainder so many short steps add up to the right length.
    const uint64_t scaled = elapsed * uint64_t(kRate) + s.remainder;
    const uint64_t frames = scaled / 1'000'000;
    s.remainder = scaled % 1'000'000;
    int16_t scratch[2 * kBufferFrames];
    for (uint64_t left = frames; left > 0;) {
        const int n = int(std::min<uint64_t>(left, kBufferFrames));
        mix(scratch, n);
        left -= uint64_t(n);
    }
}

}  // namespace mixer
