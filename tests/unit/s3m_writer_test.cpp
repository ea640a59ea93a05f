// The S3M writer: what libmikmod and a second, independent player read back,
// and the checks that catch modules players would reject.
#include <gtest/gtest.h>

#include <mikmod.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "audio/music.h"
#include "audio/wave.h"
#include "music_modules.h"
#include "support/temp_dir.h"
#include "writers/bmp_writer.h"
#include "writers/s3m_writer.h"

namespace {

uint16_t le16(const std::vector<uint8_t>& b, size_t at) { return uint16_t(b[at] | b[at + 1] << 8); }

std::string run(const std::string& command) {
    std::string output;
    if (FILE* p = ::popen(command.c_str(), "r")) {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, p) != nullptr) output += buffer;
        ::pclose(p);
    }
    return output;
}

}  // namespace

TEST(S3mWriter, HeaderSampleAndPatternLayout) {
    writers::S3mModule m = music_fixtures::looping_tune();
    m.samples.push_back(music_fixtures::tone(true));
    const std::vector<uint8_t> b = writers::encode_s3m(m);

    EXPECT_EQ(std::memcmp(&b[0x2C], "SCRM", 4), 0);
    EXPECT_EQ(le16(b, 0x20), 4);  // two orders, the end mark, padded to even
    EXPECT_EQ(le16(b, 0x22), 2);
    EXPECT_EQ(le16(b, 0x24), 2);
    EXPECT_EQ(b[0x31], 3);
    EXPECT_EQ(b[0x32], 125);
    EXPECT_EQ(b[0x60 + 2], 255);

    for (int i = 0; i < 2; ++i) {
        const size_t header = size_t(le16(b, 0x60 + 4 + 2 * size_t(i))) * 16;
        ASSERT_LT(header + 0x50, b.size());
        EXPECT_EQ(std::memcmp(&b[header + 0x4C], "SCRS", 4), 0);
        const size_t data = ((size_t(b[header + 0x0D]) << 16) | le16(b, header + 0x0E)) * 16;
        const int16_t first = m.samples[size_t(i)].data[1];
        if (i == 0) {
            EXPECT_EQ(b[data + 1], uint8_t((first >> 8) + 128));
        } else {
            EXPECT_EQ(le16(b, data + 2), uint16_t(uint16_t(first) ^ 0x8000));
        }
    }
    // A pattern's packed length covers its 64 row ends and its own two bytes.
    const size_t pattern = size_t(le16(b, 0x60 + 4 + 4)) * 16;
    const size_t length = le16(b, pattern);
    size_t row_ends = 0;
    for (size_t at = pattern + 2; at < pattern + length;) {
        const uint8_t what = b[at++];
        if (what == 0) {
            ++row_ends;
            continue;
        }
        at += (what & 0x20 ? 2 : 0) + (what & 0x40 ? 1 : 0) + (what & 0x80 ? 2 : 0);
    }
    EXPECT_EQ(row_ends, 64u);
}

TEST(S3mWriter, LibmikmodReadsWhatWasWritten) {
    TempDir dir;
    writers::S3mModule m = music_fixtures::looping_tune();
    m.samples.push_back(music_fixtures::tone(true));
    const std::string path = dir.file("t.s3m");
    ASSERT_TRUE(writers::write_file(path, writers::encode_s3m(m)));

    ASSERT_TRUE(music_init());
    MODULE* mod = Player_Load(path.c_str(), 16, 0);
    ASSERT_NE(mod, nullptr);
    EXPECT_EQ(mod->numpos, 2);
    EXPECT_EQ(mod->numchn, 2);
    EXPECT_EQ(mod->initspeed, 3);
    EXPECT_EQ(mod->inittempo, 125);
    EXPECT_EQ(mod->initvolume, 128);
    ASSERT_EQ(mod->numsmp, 2);
    EXPECT_EQ(mod->samples[0].length, 64u);
    EXPECT_TRUE(mod->samples[0].flags & SF_LOOP);
    EXPECT_EQ(mod->samples[0].loopend, 64u);
    EXPECT_TRUE(mod->samples[1].flags & SF_16BITS);
    Player_Free(mod);
    music_shutdown();
}

TEST(S3mWriter, ChecksWhatPlayersReject) {
    EXPECT_TRUE(writers::check_s3m(music_fixtures::looping_tune()).empty());

    auto problems_with = [](auto edit) {
        writers::S3mModule m = music_fixtures::looping_tune();
        edit(m);
        return writers::check_s3m(m).size();
    };
    EXPECT_EQ(problems_with([](auto& m) { m.patterns[1].at(1, 0).info = 2; }), 1u);  // Bxx past the orders
    EXPECT_EQ(problems_with([](auto& m) { m.patterns[0].at(1, 0) = {255, 0, -1, 'C', 0x64}; }), 1u);
    EXPECT_EQ(problems_with([](auto& m) { m.patterns[0].at(1, 0) = {255, 0, -1, 'C', 0x0A}; }), 1u);
    EXPECT_EQ(problems_with([](auto& m) { m.initial_speed = 0; }), 1u);
    EXPECT_EQ(problems_with([](auto& m) { m.initial_tempo = 20; }), 1u);
    EXPECT_EQ(problems_with([](auto& m) { m.global_volume = 0; }), 1u);
    EXPECT_EQ(problems_with([](auto& m) { m.orders.push_back(7); }), 1u);
    EXPECT_EQ(problems_with([](auto& m) { m.samples[0].loop_end = 65; }), 1u);
    EXPECT_EQ(problems_with([](auto& m) { m.patterns[0].at(0, 0).instrument = 3; }), 1u);
}

TEST(S3mWriter, SecondPlayerRendersTheTunesToTheirLength) {
    if (std::system("command -v openmpt123 >/dev/null 2>&1") != 0) GTEST_SKIP() << "openmpt123 not installed";
    TempDir dir;
    const struct {
        const char* name;
        writers::S3mModule module;
    } tunes[] = {{"short.s3m", music_fixtures::short_tune()}, {"loop.s3m", music_fixtures::looping_tune()}};
    for (const auto& t : tunes) {
        const std::string path = dir.file(t.name);
        ASSERT_TRUE(writers::write_file(path, writers::encode_s3m(t.module)));
        const std::string command =
            "openmpt123 -q --render --force --no-float --samplerate 44100 '" + path + "' >/dev/null 2>&1";
        ASSERT_EQ(std::system(command.c_str()), 0) << t.name;

        WaveFile* file = nullptr;
        WAVEFORMATEX* format = nullptr;
        WaveChunk riff, data;
        ASSERT_EQ(WaveOpenFile((path + ".wav").c_str(), &file, &format, &riff), 0) << t.name;
        ASSERT_EQ(WaveStartDataRead(&file, &data, &riff), 0);
        EXPECT_EQ(format->wBitsPerSample, 16);
        // The render runs on a little past the end (the player's decay tail).
        const double seconds = double(data.size) / (4.0 * 44100);
        EXPECT_GE(seconds, 0.24) << t.name;
        EXPECT_LT(seconds, 0.40) << t.name;
        std::vector<uint8_t> bytes(data.size);
        uint32_t got = 0;
        WaveReadFile(file, data.size, bytes.data(), &data, &got);
        size_t nonzero = 0;
        for (uint8_t v : bytes) nonzero += v != 0;
        EXPECT_GT(nonzero, bytes.size() / 2) << t.name;
        WaveCloseReadFile(&file, &format);

        EXPECT_NE(run("openmpt123 --info '" + path + "' 2>&1").find("Duration...: 00:00.240"), std::string::npos)
            << t.name;
    }
}
