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
    std::string why;

    OpenWave(const TempDir& dir, const std::vector<uint8_t>& bytes) {
        const std::string path = dir.file("t.wav");
        EXPECT_TRUE(writers::write_file(path, bytes));
        open_error = WaveOpenFile(path.c_str(), &file, &format, &riff, &why);
        if (open_error == 0) data_error = WaveStartDataRead(&file, &data, &riff);
    }
    ~OpenWave() { WaveCloseReadFile(&file, &format); }
};

void put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    if (b.size() < at + 4) return;
    for (int i = 0; i < 4; ++i) b[at + size_t(i)] = uint8_t(v >> (8 * i));
}

// In files from encode_wav the "fmt " chunk's size field is at 16, its contents at 20.
constexpr size_t kFmtSize = 16;
constexpr size_t kFmt = 20;

}  // namespace

TEST(WaveReader, ReadsPcmAndExtendedFormatsAndShortData) {
    TempDir dir;
    {
        OpenWave w(dir, writers::encode_wav({100, -200, 300, -400, 500}));
        ASSERT_EQ(w.data_error, 0);
        EXPECT_EQ(w.format->cbSize, 0);  // the 16-byte chunk becomes an 18-byte record
        EXPECT_EQ(w.format->nSamplesPerSec, 22050u);
        std::vector<uint8_t> buffer(64, 0xAA);
        uint32_t actual = 0;
        EXPECT_EQ(WaveReadFile(w.file, 64, buffer.data(), &w.data, &actual), 0);
        EXPECT_EQ(actual, 10u);  // never past the chunk
        EXPECT_EQ(buffer[0], 100);
        EXPECT_EQ(buffer[10], 0xAA);
    }
    {
        writers::WaveOptions o;
        o.fmt_extra_bytes = 22;
        OpenWave w(dir, writers::encode_wav({1, 2, 3, 4}, o));
        ASSERT_EQ(w.data_error, 0);
        ASSERT_EQ(w.format->cbSize, 22);
        EXPECT_EQ(reinterpret_cast<const uint8_t*>(w.format)[sizeof(WAVEFORMATEX) + 21], 21);
    }
    {
        writers::WaveOptions o;
        o.data_size_override = 1000;
        OpenWave w(dir, writers::encode_wav({7, 8, 9}, o));
        std::vector<uint8_t> buffer(1000);
        uint32_t actual = 0;
        EXPECT_EQ(WaveReadFile(w.file, 1000, buffer.data(), &w.data, &actual), WAVE_ERR_CORRUPT);
        EXPECT_EQ(actual, 6u);
    }
}

TEST(WaveReader, RejectsMissingForeignAndLyingFiles) {
    TempDir dir;
    const std::vector<uint8_t> good = writers::encode_wav({1, 2, 3, 4});
    writers::WaveOptions extended;
    extended.fmt_extra_bytes = 4;
    auto edit = [](std::vector<uint8_t> b, size_t at, uint32_t v) {
        put32(b, at, v);
        return b;
    };
    const std::vector<uint8_t> ext = writers::encode_wav({1, 2}, extended);
    // The same code covers several faults: the reason tells them apart.
    const struct {
        const char* what;
        std::vector<uint8_t> bytes;
        int open_error, data_error;
        const char* reason;
    } cases[] = {
        {"not RIFF", {'h', 'e', 'l', 'l', 'o'}, WAVE_ERR_NOTWAVE, -1, "not a RIFF WAVE file"},
        {"not WAVE", edit(good, 8, 0x20495641 /* "AVI " */), WAVE_ERR_NOTWAVE, -1, "not a RIFF WAVE file"},
        {"no format", edit(good, 12, 0x20544D46 /* "FMT " */), WAVE_ERR_NOTWAVE, -1, "no \"fmt \" chunk"},
        {"format below 16 bytes", edit(good, kFmtSize, 12), WAVE_ERR_NOTWAVE, -1,
         "its \"fmt \" chunk has 12 bytes, fewer than the 16 bytes of a wave format"},
        {"ends inside the format", {good.begin(), good.begin() + kFmt + 6}, WAVE_ERR_READFORMAT, -1,
         "the file ends inside the 16 bytes of a wave format"},
        {"extra count past its chunk", edit(ext, kFmt + 16, 200), WAVE_ERR_NOTWAVE, -1,
         "its format names 200 extra bytes, but its \"fmt \" chunk has room for 4"},
        {"ends inside the extra bytes", {ext.begin(), ext.begin() + kFmt + 20}, WAVE_ERR_NOTWAVE, -1,
         "the file ends inside the 4 extra bytes of its format"},
        {"format size past the file", edit(good, kFmtSize, 0xFFFFFFF0u), 0, WAVE_ERR_CORRUPT, ""},
        {"RIFF size past the file", edit(good, 4, 0xFFFFFFFFu), 0, 0, ""},
        {"RIFF size unknown", edit(good, 4, 0), 0, 0, ""},
        {"no data chunk", {good.begin(), good.begin() + kFmt + 16}, 0, WAVE_ERR_CORRUPT, ""},
    };
    for (const auto& c : cases) {
        OpenWave w(dir, c.bytes);
        EXPECT_EQ(w.open_error, c.open_error) << c.what;
        EXPECT_EQ(w.data_error, c.data_error) << c.what;
        EXPECT_EQ(c.open_error != 0, w.file == nullptr && w.format == nullptr) << c.what;
        EXPECT_EQ(w.why, c.reason) << c.what;
    }
    WaveFile* file = nullptr;
    WAVEFORMATEX* format = nullptr;
    WaveChunk riff;
    EXPECT_EQ(WaveOpenFile(dir.file("none.wav").c_str(), &file, &format, &riff), WAVE_ERR_CANNOTOPEN);
}

TEST(WaveConversion, ResamplesToStereoAtTheMixerRate) {
    const WAVEFORMATEX mono8{1, 1, 22050, 22050, 1, 8, 0};
    const uint8_t bytes[] = {128, 192, 64};  // 0, +64, -64 in 8-bit steps
    const std::vector<int16_t> out = convert_wave(mono8, bytes, sizeof bytes);
    ASSERT_EQ(out.size(), 12u);  // twice the frames, both sides
    const int16_t expected[] = {0, 8192, 16384, 0, -16384, -16384};
    for (size_t i = 0; i < 6; ++i) EXPECT_TRUE(out[2 * i] == expected[i] && out[2 * i + 1] == expected[i]) << i;

    const WAVEFORMATEX stereo16{1, 2, 44100, 176400, 4, 16, 0};
    const int16_t frames[] = {1000, -1000, 2000, -2000};
    EXPECT_EQ(convert_wave(stereo16, reinterpret_cast<const uint8_t*>(frames), sizeof frames),
              std::vector<int16_t>(std::begin(frames), std::end(frames)));

    const WAVEFORMATEX float32{3, 1, 44100, 176400, 4, 32, 0};
    const WAVEFORMATEX no_rate{1, 1, 0, 0, 1, 8, 0};
    EXPECT_TRUE(convert_wave(float32, bytes, sizeof bytes).empty());
    EXPECT_TRUE(convert_wave(no_rate, bytes, sizeof bytes).empty());
}
