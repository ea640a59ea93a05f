// The S3M writer where a reader that shares its mistakes would not notice
// (parapointers, sample headers and data), what libmikmod reads back, the checks that catch modules players would reject, and its
// reader on good and damaged files.
#include <gtest/gtest.h>
#include <mikmod.h>

#include <cstring>
#include <string>
#include <vector>

#include "audio/music.h"
#include "music_modules.h"
#include "support/temp_dir.h"
#include "writers/bmp_writer.h"
#include "writers/s3m_writer.h"

namespace {

using writers::S3mCell;
using writers::S3mModule;
using writers::S3mPattern;
using writers::S3mSample;

uint32_t u16(const std::vector<uint8_t>& b, size_t at) { return uint32_t(b.at(at) | b.at(at + 1) << 8); }
uint32_t u32(const std::vector<uint8_t>& b, size_t at) { return u16(b, at) | u16(b, at + 2) << 16; }

// Three channels, two samples (8-bit looped, 16-bit one-shot), two patterns
// holding every shape of cell, orders with a marker and a repeat.
S3mModule varied_module() {
    S3mModule m;
    m.title = "Varied";
    m.channels = 3;
    m.global_volume = 50;
    m.initial_speed = 5;
    m.initial_tempo = 140;
    m.master_volume = 60;
    m.channel_pan = {2, 13, 7};
    S3mSample looped;
    looped.name = "loop";
    looped.filename = "LOOP.RAW";
    for (int i = 0; i < 40; ++i) looped.data.push_back(int16_t((i % 8) * 4096 - 16384));
    looped.loop = true;
    looped.loop_start = 8;
    looped.loop_end = 40;
    looped.c2spd = 16726;
    looped.volume = 40;
    S3mSample wide;
    wide.name = "wide";
    wide.sixteen_bit = true;
    wide.data = {0, 1, -1, 32767, -32768, 1234, -4321};
    wide.c2spd = 22050;
    m.samples = {looped, wide};

    S3mPattern a(3), b(3);
    a.at(0, 0) = {writers::s3m_note(5, 0), 1, -1, 0, 0};     // note and sample
    a.at(0, 2) = {writers::kS3mNoNote, 0, 33, 0, 0};           // volume alone
    a.at(1, 1) = {writers::kS3mNoNote, 0, -1, 'H', 0x34};      // effect alone
    a.at(2, 0) = {writers::s3m_note(3, 11), 2, 64, 'G', 0x20}; // everything
    a.at(3, 2) = {writers::kS3mNoteOff, 0, -1, 0, 0};
    a.at(63, 1) = {writers::s3m_note(7, 11), 1, 0, 'T', 90};
    b.at(10, 2) = {writers::s3m_note(0, 0), 2, 12, 'C', 0x00};
    m.patterns = {a, b};
    m.orders = {0, writers::kS3mOrderMarker, 1, 0};
    return m;
}

// Walks a packed pattern: its rows and the bytes each row took.
std::vector<std::vector<uint8_t>> packed_rows(const std::vector<uint8_t>& bytes, size_t at) {
    std::vector<std::vector<uint8_t>> rows(1);
    const size_t end = at + u16(bytes, at);
    for (size_t i = at + 2; i < end;) {
        const uint8_t what = bytes.at(i++);
        if (what == 0) {
            rows.emplace_back();
            continue;
        }
        const size_t n = ((what & 0x20) ? 2 : 0) + ((what & 0x40) ? 1 : 0) + ((what & 0x80) ? 2 : 0);
        rows.back().push_back(what);
        rows.back().insert(rows.back().end(), bytes.begin() + long(i), bytes.begin() + long(i + n));
        i += n;
    }
    rows.pop_back();  // after the last terminator
    return rows;
}

}  // namespace

TEST(MusicWriterBytes, ParapointersLeadToSampleHeadersDataAndPatterns) {
    const S3mModule m = varied_module();
    const std::vector<uint8_t> b = writers::encode_s3m(m);
    const size_t sample_pointers = 0x66;
    const size_t pattern_pointers = sample_pointers + 4;

    size_t patterns_end = 0;
    for (size_t p = 0; p < 2; ++p) {
        const size_t at = size_t(u16(b, pattern_pointers + 2 * p)) * 16;
        ASSERT_GT(at, pattern_pointers);
        ASSERT_LE(at + u16(b, at), b.size());
        EXPECT_EQ(packed_rows(b, at).size(), 64u) << "pattern " << p << " packs 64 rows";
        patterns_end = std::max(patterns_end, at + u16(b, at));
    }
    for (size_t s = 0; s < 2; ++s) {
        const S3mSample& want = m.samples[s];
        const size_t h = size_t(u16(b, sample_pointers + 2 * s)) * 16;
        ASSERT_LE(h + 0x50, b.size());
        EXPECT_EQ(b[h], 1) << "a sampled instrument";
        EXPECT_EQ(std::memcmp(&b[h + 0x4C], "SCRS", 4), 0);
        EXPECT_EQ(u32(b, h + 0x10), want.data.size());
        EXPECT_EQ(u32(b, h + 0x14), want.loop_start);
        EXPECT_EQ(u32(b, h + 0x18), want.loop_end);
        EXPECT_EQ(b[h + 0x1C], want.volume);
        EXPECT_EQ(b[h + 0x1F], (want.loop ? 1 : 0) | (want.sixteen_bit ? 4 : 0));
        EXPECT_EQ(u32(b, h + 0x20), want.c2spd);
        // The memory segment: its high byte first, then the low word.
        const size_t data = (size_t(b[h + 0x0D]) << 16 | u16(b, h + 0x0E)) * 16;
        EXPECT_GE(data, patterns_end) << "sample data after the patterns";
        for (size_t i = 0; i < want.data.size(); ++i) {
            if (want.sixteen_bit) {
                EXPECT_EQ(u16(b, data + 2 * i), uint16_t(want.data[i]) ^ 0x8000u) << i;
            } else {
                EXPECT_EQ(b.at(data + i), uint8_t((want.data[i] >> 8) + 128)) << i;
            }
        }
    }
}

TEST(MusicWriterBytes, ReaderGivesBackWhatWasWritten) {
    const S3mModule m = varied_module();
    const std::vector<uint8_t> bytes = writers::encode_s3m(m);
    const std::optional<S3mModule> r = writers::decode_s3m(bytes);
    ASSERT_TRUE(r.has_value());
    // Written again it is the same file: every field the writer stores came
    // back (libmikmod reading our tunes pins where the writer puts them).
    EXPECT_TRUE(writers::encode_s3m(*r) == bytes);
    EXPECT_EQ(r->title, m.title);
    EXPECT_EQ(r->channel_pan, m.channel_pan);
    EXPECT_EQ(r->orders, m.orders);
    ASSERT_EQ(r->samples.size(), 2u);
    for (size_t s = 0; s < 2; ++s) {
        const S3mSample& a = m.samples[s];
        const S3mSample& z = r->samples[s];
        EXPECT_TRUE(z.name == a.name && z.filename == a.filename && z.loop == a.loop && z.c2spd == a.c2spd) << s;
        ASSERT_EQ(z.data.size(), a.data.size());
        for (size_t i = 0; i < a.data.size(); ++i)
            EXPECT_EQ(z.data[i], a.sixteen_bit ? a.data[i] : int16_t(a.data[i] & ~0xFF)) << s << ":" << i;
    }
    for (size_t p = 0; p < 2; ++p)
        for (int row = 0; row < writers::kS3mRows; ++row)
            for (int ch = 0; ch < 3; ++ch) {
                const S3mCell& a = m.patterns[p].at(row, ch);
                const S3mCell& z = r->patterns.at(p).at(row, ch);
                EXPECT_TRUE(a.note == z.note && a.instrument == z.instrument && a.volume == z.volume &&
                            a.command == z.command && a.info == z.info)
                    << "pattern " << p << " row " << row << " channel " << ch;
            }
}

TEST(MusicWriterBytes, ReaderRefusesDamagedFilesWithoutReadingPastThem) {
    const std::vector<uint8_t> good = writers::encode_s3m(varied_module());
    // Every truncation: the data a file ends with is always needed.
    for (size_t n = 0; n < good.size(); n += (n < 0x100 ? 1 : 7)) {
        const std::vector<uint8_t> cut(good.begin(), good.begin() + long(n));
        EXPECT_FALSE(writers::decode_s3m(cut).has_value()) << n;
    }
    std::vector<uint8_t> bad = good;
    bad[0x2C] = 'X';
    EXPECT_FALSE(writers::decode_s3m(bad).has_value()) << "no SCRM mark";
    bad = good;
    bad[0x66] = 0xFF;
    bad[0x67] = 0xFF;
    EXPECT_FALSE(writers::decode_s3m(bad).has_value()) << "sample parapointer past the end";
    bad = good;
    const size_t h = size_t(u16(good, 0x66)) * 16;
    bad[h + 0x10] = 0xFF;
    bad[h + 0x13] = 0x7F;
    EXPECT_FALSE(writers::decode_s3m(bad).has_value()) << "sample longer than the file";
    bad = good;
    const size_t p = size_t(u16(good, 0x6A)) * 16;
    bad[p] = 4;  // the packed rows claim fewer bytes than 64 rows need
    bad[p + 1] = 0;
    EXPECT_FALSE(writers::decode_s3m(bad).has_value()) << "pattern shorter than its rows";
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
    ASSERT_EQ(mod->numsmp, 2);
    EXPECT_EQ(mod->samples[0].length, 64u);
    EXPECT_EQ(mod->samples[0].loopend, 64u);
    EXPECT_TRUE(mod->samples[0].flags & SF_LOOP);
    EXPECT_TRUE(mod->samples[1].flags & SF_16BITS);
    Player_Free(mod);
    music_shutdown();
}

TEST(S3mWriter, ChecksWhatPlayersReject) {
    EXPECT_TRUE(writers::check_s3m(music_fixtures::looping_tune()).empty());
    using Edit = void (*)(writers::S3mModule&);
    const Edit faults[] = {
        [](writers::S3mModule& m) { m.patterns[1].at(1, 0).info = 2; },  // Bxx past the orders
        [](writers::S3mModule& m) { m.patterns[0].at(1, 0) = {255, 0, -1, 'C', 0x64}; },  // row 64
        [](writers::S3mModule& m) { m.patterns[0].at(1, 0) = {255, 0, -1, 'C', 0x0A}; },  // not decimal
        [](writers::S3mModule& m) { m.initial_speed = 0; },
        [](writers::S3mModule& m) { m.initial_tempo = 20; },
        [](writers::S3mModule& m) { m.global_volume = 0; },
        [](writers::S3mModule& m) { m.orders.push_back(7); },
        [](writers::S3mModule& m) { m.samples[0].loop_end = 65; },
        [](writers::S3mModule& m) { m.patterns[0].at(0, 0).instrument = 3; },
    };
    for (size_t i = 0; i < std::size(faults); ++i) {
        writers::S3mModule m = music_fixtures::looping_tune();
        faults[i](m);
        EXPECT_EQ(writers::check_s3m(m).size(), 1u) << i;
    }
}
