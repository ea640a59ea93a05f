// The generated sound effects read through the game's wave reader and are
// clean 16-bit mono PCM: no clipping, no click at either end, short.
#include <gtest/gtest.h>

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

TEST(ContentSounds, EveryEffectIsCleanShortMonoPcm) {
    const fs::path dir = fs::path(VELMORA_DATA) / "Sound";
    ASSERT_TRUE(fs::is_directory(dir)) << "no generated data in " << VELMORA_DATA;
    for (const char* name : {"g3", "g4", "g5", "g9", "ex9", "scream", "yeah", "drip", "trap", "click", "tick", "orchit"}) {
        Pcm pcm;
        ASSERT_TRUE(read_wave(dir / (std::string(name) + ".WAV"), pcm)) << name;
        EXPECT_EQ(pcm.format.wFormatTag, 1) << name;
        EXPECT_EQ(pcm.format.nChannels, 1) << name;
        EXPECT_EQ(pcm.format.wBitsPerSample, 16) << name;
        EXPECT_TRUE(pcm.format.nSamplesPerSec == 22050 || pcm.format.nSamplesPerSec == 44100) << name;
        ASSERT_FALSE(pcm.samples.empty()) << name;
        const double seconds = double(pcm.samples.size()) / pcm.format.nSamplesPerSec;
        EXPECT_LE(seconds, 2.5) << name;

        int peak = 0;
        long long sum = 0;
        for (int16_t s : pcm.samples) {
            peak = std::max(peak, std::abs(int(s)));
            sum += s;
        }
        EXPECT_LT(peak, 32000) << name << " clips";
        EXPECT_GT(peak, 12000) << name << " is too quiet";
        // Starts and stops at rest: no click when it starts or is cut off.
        EXPECT_LT(std::abs(int(pcm.samples.front())), 1500) << name;
        EXPECT_LT(std::abs(int(pcm.samples.back())), 1500) << name;
        // No offset that would thump when the buffer starts.
        EXPECT_LT(std::abs(double(sum) / double(pcm.samples.size())), 1200.0) << name;
    }
}

}  // namespace
