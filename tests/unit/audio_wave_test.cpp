// The wave reader on sound and broken files, and conversion to the mixer's format.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "audio/convert.h"
#include "audio/wave.h"
#include "support/temp_dir.h"
#include "writers/bmp_writer.h"
#include "writers/data_writers.h"

namespace {

struct OpenWave {
    WaveFile* file = nullptr;
    WAVEFORMATEX* format = nullptr;
    WaveChunk riff, data;
    int open_error = -1;
    int data_error = -1;

    explicit OpenWave(const std::string& path) {
        open_error = WaveOpenFile(path.c_str(), &file, &format, &riff);
        if (open_error == 0) data_error = WaveStartDataRead(&file, &data, &riff);
    }
    ~OpenWave() { WaveCloseReadFile(&file, &format); }
};

std::string write(const TempDir& dir, const std::string& name, const std::vector<uint8_t>& bytes) {
    const std::string path = dir.file(name);
    EXPECT_TRUE(writers::write_file(path, bytes));
    return path;
}

void put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + size_t(i)] = uint8_t(v >> (8 * i));
}

// Offsets in a file from encode_wav: RIFF header 12, "fmt " header at 12.
constexpr size_t kFmtSizeField = 16;
constexpr size_t kFmtContents = 20;

}  // namespace

TEST(WaveReader, PcmFormatBecomesAnExtendedRecordAndDataReadsBack) {
    TempDir dir;
    const std::vector<int16_t> samples = {100, -200, 300, -400, 500};
    const std::string path = write(dir, "pcm.wav", writers::encode_wav(samples));

    OpenWave w(path);
    ASSERT_EQ(w.open_error, 0);
    ASSERT_EQ(w.data_error, 0);
    EXPECT_EQ(w.format->wFormatTag, 1);
    EXPECT_EQ(w.format->nChannels, 1);
    EXPECT_EQ(w.format->nSamplesPerSec, 22050u);
    EXPECT_EQ(w.format->wBitsPerSample, 16);
    EXPECT_EQ(w.format->cbSize, 0);
    EXPECT_EQ(w.data.size, 10u);

    // Asking for more than the chunk holds gives exactly the chunk.
    std::vector<uint8_t> buffer(64, 0xAA);
    uint32_t actual = 0;
    EXPECT_EQ(WaveReadFile(w.file, 64, buffer.data(), &w.data, &actual), 0);
    EXPECT_EQ(actual, 10u);
    EXPECT_EQ(w.data.size, 0u);
    int16_t first = 0;
    std::memcpy(&first, buffer.data(), 2);
    EXPECT_EQ(first, 100);
    EXPECT_EQ(buffer[10], 0xAA);

    WaveCloseReadFile(&w.file, &w.format);
    EXPECT_EQ(w.file, nullptr);
    EXPECT_EQ(w.format, nullptr);
}

TEST(WaveReader, NonPcmFormatKeepsItsExtraBytes) {
    TempDir dir;
    writers::WaveOptions options;
    options.fmt_extra_bytes = 22;
    const std::string path = write(dir, "ext.wav", writers::encode_wav({1, 2, 3, 4}, options));

    OpenWave w(path);
    ASSERT_EQ(w.open_error, 0);
    ASSERT_EQ(w.data_error, 0);
    EXPECT_EQ(w.format->wFormatTag, 0xFFFE);
    ASSERT_EQ(w.format->cbSize, 22);
    const auto* extra = reinterpret_cast<const uint8_t*>(w.format) + sizeof(WAVEFORMATEX);
    for (int i = 0; i < 22; ++i) EXPECT_EQ(extra[i], i);
}

TEST(WaveReader, ShortDataReportsWhatWasThere) {
    TempDir dir;
    writers::WaveOptions options;
    options.data_size_override = 1000;
    const std::string path = write(dir, "short.wav", writers::encode_wav({7, 8, 9}, options));

    OpenWave w(path);
    ASSERT_EQ(w.data_error, 0);
    EXPECT_EQ(w.data.size, 1000u);
    std::vector<uint8_t> buffer(1000);
    uint32_t actual = 0;
    EXPECT_EQ(WaveReadFile(w.file, 1000, buffer.data(), &w.data, &actual), WAVE_ERR_CORRUPT);
    EXPECT_EQ(actual, 6u);
}

TEST(WaveReader, RejectsMissingForeignAndBrokenFiles) {
    TempDir dir;
    const std::vector<uint8_t> good = writers::encode_wav({1, 2, 3, 4});

    auto with = [&](auto edit) {
        std::vector<uint8_t> b = good;
        edit(b);
        return b;
    };
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
        int open_error;
        int data_error;  // checked when the file opens
    };
    const std::vector<Case> cases = {
        {"not RIFF", {'h', 'e', 'l', 'l', 'o'}, WAVE_ERR_NOTWAVE, 0},
        {"RIFF but not WAVE", with([](auto& b) { std::memcpy(&b[8], "AVI ", 4); }), WAVE_ERR_NOTWAVE, 0},
        {"format chunk below 16 bytes", with([](auto& b) { put32(b, kFmtSizeField, 12); }), WAVE_ERR_NOTWAVE, 0},
        {"file ends inside the format", std::vector<uint8_t>(good.begin(), good.begin() + kFmtContents + 6),
         WAVE_ERR_READFORMAT, 0},
        {"format chunk size runs past the file", with([](auto& b) { put32(b, kFmtSizeField, 0xFFFFFFF0u); }),
         0, WAVE_ERR_CORRUPT},
        {"RIFF size larger than the file", with([](auto& b) { put32(b, 4, 0xFFFFFFFFu); }), 0, 0},
        {"RIFF size unknown (0)", with([](auto& b) { put32(b, 4, 0); }), 0, 0},
        {"no data chunk", std::vector<uint8_t>(good.begin(), good.begin() + kFmtContents + 16), 0,
         WAVE_ERR_CORRUPT},
    };
    for (const Case& c : cases) {
        OpenWave w(write(dir, "case.wav", c.bytes));
        EXPECT_EQ(w.open_error, c.open_error) << c.what;
        if (c.open_error != 0) {
            EXPECT_EQ(w.file, nullptr) << c.what;
            EXPECT_EQ(w.format, nullptr) << c.what;
        } else {
            EXPECT_EQ(w.data_error, c.data_error) << c.what;
        }
    }

    OpenWave missing(dir.file("nothing.wav"));
    EXPECT_EQ(missing.open_error, WAVE_ERR_CANNOTOPEN);
    EXPECT_EQ(missing.file, nullptr);
}

TEST(WaveReader, ExtraByteCountLargerThanItsChunkIsRejected) {
    TempDir dir;
    writers::WaveOptions options;
    options.fmt_extra_bytes = 4;
    std::vector<uint8_t> bytes = writers::encode_wav({1, 2}, options);
    bytes[kFmtContents + 16] = 200;  // claims 200 extra bytes in a 22-byte chunk
    OpenWave w(write(dir, "liar.wav", bytes));
    EXPECT_EQ(w.open_error, WAVE_ERR_NOTWAVE);
}

TEST(WaveConversion, ResamplesToStereoAtTheMixerRate) {
    WAVEFORMATEX f{1, 1, 22050, 22050, 1, 8, 0};
    const uint8_t mono8[] = {128, 192, 64};  // 0, +64, -64 (in 8-bit steps)
    std::vector<int16_t> out = convert_wave(f, mono8, sizeof mono8);
    ASSERT_EQ(out.size(), 12u);  // 3 frames at 22050 Hz = 6 at 44100, two sides
    const int16_t expected[] = {0, 8192, 16384, 0, -16384, -16384};
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(out[2 * i], expected[i]) << i;
        EXPECT_EQ(out[2 * i + 1], expected[i]) << i;
    }

    WAVEFORMATEX stereo{1, 2, 44100, 176400, 4, 16, 0};
    const int16_t frames[] = {1000, -1000, 2000, -2000};
    out = convert_wave(stereo, reinterpret_cast<const uint8_t*>(frames), sizeof frames);
    EXPECT_EQ(out, std::vector<int16_t>(std::begin(frames), std::end(frames)));

    WAVEFORMATEX float32{3, 1, 44100, 176400, 4, 32, 0};
    EXPECT_TRUE(convert_wave(float32, mono8, sizeof mono8).empty());
    WAVEFORMATEX no_rate{1, 1, 0, 0, 1, 8, 0};
    EXPECT_TRUE(convert_wave(no_rate, mono8, sizeof mono8).empty());
}
