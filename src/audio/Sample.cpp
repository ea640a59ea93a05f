#include "audio/Sample.h"

#include <algorithm>
#include <cmath>

#include "audio/convert.h"
#include "audio/mixer.h"
#include "audio/wave.h"
#include "state/globals.h"

namespace {

constexpr uint32_t kReadBlock = 64 * 1024;
// A data chunk may claim up to 4 GiB; reading stops at the file's end or here.
constexpr size_t kMaxDataBytes = size_t(64) * 1024 * 1024;

// The data chunk's bytes as far as the file holds them.
std::vector<uint8_t> read_data(WaveFile* file, WaveChunk& data) {
    std::vector<uint8_t> bytes;
    while (data.size > 0 && bytes.size() < kMaxDataBytes) {
        const size_t at = bytes.size();
        const uint32_t want = std::min<uint32_t>(data.size, kReadBlock);
        bytes.resize(at + want);
        uint32_t got = 0;
        const int error = WaveReadFile(file, want, bytes.data() + at, &data, &got);
        bytes.resize(at + got);
        if (error != 0 || got == 0) break;
    }
    return bytes;
}

// Reads and converts "Sound/<name>.WAV"; empty when missing or unusable.
std::vector<int16_t> load_effect(const std::string& name) {
    const std::string path = "Sound/" + name + ".WAV";
    WaveFile* file = nullptr;
    WAVEFORMATEX* format = nullptr;
    WaveChunk riff;
    WaveChunk data;
    std::vector<int16_t> frames;
    if (WaveOpenFile(path.c_str(), &file, &format, &riff) == 0 &&
        WaveStartDataRead(&file, &data, &riff) == 0) {
        const std::vector<uint8_t> bytes = read_data(file, data);
        frames = convert_wave(*format, bytes.data(), bytes.size());
    }
    WaveCloseReadFile(&file, &format);
    return frames;
}

}  // namespace

long volume_for_fx(long fx) {
    // The preferences file may hold anything; the mixer gets 0..10. Each step
    // is a tenth of full level, as the music's bar, so the low half of the bar
    // is still heard: 5 is half, 1 a tenth (-20 dB), 0 silent.
    const long step = std::clamp(fx, 0L, 10L);
    if (step == 0) return kSilentVolume;
    return std::lround(2000.0 * std::log10(double(step) / 10.0));
}

Sample::~Sample() {
    auto& list = listofsamples;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

void Sample::init_sound() { mixer::open_device(); }

void Sample::load(const std::string& sample_name) {
    name = sample_name;
    std::vector<int16_t> frames = load_effect(sample_name);
    voice = frames.empty() ? -1 : mixer::add_voice(std::move(frames));
    // Listed even without data: the name stays known and plays nothing.
    if (std::find(listofsamples.begin(), listofsamples.end(), this) == listofsamples.end())
        listofsamples.push_back(this);
    if (voice >= 0) mixer::set_volume(voice, volume_for_fx(fxvolume));
}

void Sample::play(const std::string& sample_name) {
    for (Sample* s : listofsamples) {
        if (s->name == sample_name) {
            mixer::play(s->voice);
            return;
        }
    }
}

void Sample::set_volume() {
    const long volume = volume_for_fx(fxvolume);
    for (Sample* s : listofsamples)
        if (s->voice >= 0) mixer::set_volume(s->voice, volume);
}

void Sample::release_all() {
    // Each destructor takes its sample off the list.
    while (!listofsamples.empty()) delete listofsamples.back();
    mixer::remove_all_voices();
}
