// The generated sound effects read through the game's wave reader and are
// clean 16-bit mono PCM: no clipping, no click at either end, short; all at
// one loudness, each dying away to silence.
#include <gtest/gtest.h>

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

}  // namespace
