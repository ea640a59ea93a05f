// The generated sound effects read through the game's wave reader and are
// clean 16-bit mono PCM: no clipping, no click at either end, short; all at
// one loudness, each dying away to silence; the two pick-ups alike by their
// loudest 400 ms; the lost ship's wail ending in a blast.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "audio/wave.h"

namespace fs = std::filesystem;

namespace {

struct Pcm {
    WAVEFORMATEX format{};
    std::vector<int16_t> samples;
};

// Reads a whole file with WaveOpenFile / WaveStartDataRead / WaveReadFile.
bool read_wave(const fs::path& file, Pcm& out) {
    WaveFile* handle = nullptr;
    WAVEFORMATEX* format = nullptr;
    WaveChunk riff, data;
    if (WaveOpenFile(file.c_str(), &handle, &format, &riff) != 0) return false;
    bool ok = WaveStartDataRead(&handle, &data, &riff) == 0;
    if (ok) {
        out.format = *format;
        std::vector<uint8_t> bytes(data.size);
        uint32_t actual = 0;
        ok = WaveReadFile(handle, data.size, bytes.data(), &data, &actual) == 0 && actual == bytes.size();
        out.samples.resize(bytes.size() / 2);
        for (size_t i = 0; i < out.samples.size(); ++i)
            out.samples[i] = int16_t(uint16_t(bytes[2 * i] | bytes[2 * i + 1] << 8));
    }
    WaveCloseReadFile(&handle, &format);
    return ok;
}

const char* const kEffects[] = {"g3", "g4", "g5", "g9", "ex9", "scream", "yeah", "drip", "trap", "click", "tick", "orchit"};

// RMS of samples [from, to) in dB of full scale.
double rms_db(const std::vector<int16_t>& s, size_t from, size_t to) {
    double sum = 0;
    for (size_t i = from; i < to; ++i) sum += double(s[i]) * s[i];
    const double rms = to > from ? std::sqrt(sum / double(to - from)) / 32768.0 : 0.0;
    return rms > 0 ? 20 * std::log10(rms) : -200.0;
}

// RMS in dB of the loudest `window` samples in a row, a shorter sound
// counting the silence after it; `at` gets where that stretch starts.
double loudest_db(const std::vector<int16_t>& s, size_t window, size_t* at = nullptr) {
    std::vector<double> square(std::max(s.size(), window), 0.0);
    for (size_t i = 0; i < s.size(); ++i) square[i] = double(s[i]) * s[i];
    double sum = 0, best = -1;
    for (size_t i = 0; i < square.size(); ++i) {
        sum += square[i];
        if (i >= window) sum -= square[i - window];
        if (i + 1 >= window && sum > best) {
            best = sum;
            if (at != nullptr) *at = i + 1 - window;
        }
    }
    const double rms = std::sqrt(std::max(best, 0.0) / double(window)) / 32768.0;
    return rms > 0 ? 20 * std::log10(rms) : -200.0;
}

// The same samples through a one-pole low-pass at `hz`.
std::vector<int16_t> low_band(const std::vector<int16_t>& s, double rate, double hz) {
    std::vector<int16_t> out(s.size());
    const double a = 1 - std::exp(-2 * M_PI * hz / rate);
    double y = 0;
    for (size_t i = 0; i < s.size(); ++i) out[i] = int16_t(std::lround(y += a * (s[i] - y)));
    return out;
}

// Loudness is the RMS over the whole sound: the wail of a lost ship must not
// drown the rest, nor the shield's clang vanish under them. Every effect
// dies away: its last 5 ms lie 38 dB under its loudness. The boss's blast
// keeps its rumble going into its last 0.7 s before it fades.
TEST(ContentSounds, EveryEffectIsCleanShortMonoPcmAtOneLoudnessFadingToSilence) {
    const fs::path dir = fs::path(VELMORA_DATA) / "Sound";
    ASSERT_TRUE(fs::is_directory(dir)) << "no generated data in " << VELMORA_DATA;
    double quietest = 0, loudest = -200;
    for (const char* name : kEffects) {
        SCOPED_TRACE(name);
        Pcm pcm;
        ASSERT_TRUE(read_wave(dir / (std::string(name) + ".WAV"), pcm));
        const std::vector<int16_t>& s = pcm.samples;
        const size_t rate = pcm.format.nSamplesPerSec;
        EXPECT_EQ(pcm.format.wFormatTag, 1);
        EXPECT_EQ(pcm.format.nChannels, 1);
        EXPECT_EQ(pcm.format.wBitsPerSample, 16);
        EXPECT_TRUE(rate == 22050 || rate == 44100);
        ASSERT_FALSE(s.empty());
        EXPECT_LE(double(s.size()) / double(rate), 2.5);
        int peak = 0;
        long long sum = 0;
        for (int16_t v : s) {
            peak = std::max(peak, std::abs(int(v)));
            sum += v;
        }
        EXPECT_LT(peak, 32000) << "clips";
        // Starts and stops at rest (no click when it starts or is cut off),
        // without an offset that would thump when the buffer starts.
        EXPECT_LT(std::abs(int(s.front())), 1500);
        EXPECT_LT(std::abs(int(s.back())), 1500);
        EXPECT_LT(std::abs(double(sum) / double(s.size())), 1200.0);

        const double loudness = rms_db(s, 0, s.size());
        quietest = std::min(quietest, loudness);
        loudest = std::max(loudest, loudness);
        EXPECT_GT(loudness, -20.0);
        EXPECT_LT(loudness, -14.0);
        const size_t tail = std::min(s.size(), rate / 200);
        EXPECT_LT(rms_db(s, s.size() - tail, s.size()), loudness - 38) << "cut off, not faded";
        if (std::string(name) == "ex9") {
            const size_t last = std::min(s.size(), rate * 7 / 10);
            EXPECT_GT(rms_db(s, s.size() - last, s.size()), loudness - 20) << "the rumble dies too soon";
        }
    }
    EXPECT_LE(loudest - quietest, 3.0);
}

// The pick-ups are heard as a pair and are short: the ear weighs a short
// sound over about 400 ms, so they match there. The lost ship's wail ends in
// a blast: what follows the wail is louder than its start and carries the
// low thump and rumble (energy under 200 Hz) the wail lacks.
TEST(ContentSounds, PickupsMatchOverTheirLoudest400MsAndTheLostShipsWailEndsInABlast) {
    const fs::path dir = fs::path(VELMORA_DATA) / "Sound";
    Pcm yeah, drip, scream;
    ASSERT_TRUE(read_wave(dir / "yeah.WAV", yeah) && read_wave(dir / "drip.WAV", drip) &&
                read_wave(dir / "scream.WAV", scream));
    const size_t rate = yeah.format.nSamplesPerSec;
    ASSERT_EQ(drip.format.nSamplesPerSec, rate);
    EXPECT_NEAR(loudest_db(yeah.samples, rate * 2 / 5), loudest_db(drip.samples, rate * 2 / 5), 3.0);

    const std::vector<int16_t>& s = scream.samples;
    const size_t window = scream.format.nSamplesPerSec / 5;  // 200 ms
    ASSERT_GT(s.size(), 3 * window);
    size_t blast = 0;
    const double loudest = loudest_db(s, window, &blast);
    EXPECT_GE(blast, window) << "the loudest part is the wail, not a blast after it";
    EXPECT_GT(loudest, rms_db(s, 0, window) + 4.0);
    const std::vector<int16_t> low = low_band(s, double(scream.format.nSamplesPerSec), 200);
    const double low_share_wail = rms_db(low, 0, window) - rms_db(s, 0, window);
    const double low_share_blast = rms_db(low, blast, blast + window) - rms_db(s, blast, blast + window);
    EXPECT_GT(low_share_blast, low_share_wail + 8.0) << "no thump under the blast";
}

}  // namespace
