// The twelve generated tunes in the build's data directory: each is a module
// made to play once through and end, with samples that do not click at their
// joins; libmikmod and a second player, openmpt123, each play every tune to
// its end, audibly and without clipping; a second generator run writes the
// same bytes.
#include <gtest/gtest.h>
#include <mikmod.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "audio/music.h"
#include "support/temp_dir.h"
#include "writers/s3m_writer.h"

namespace fs = std::filesystem;

namespace {

const char* const kTunes[] = {"ASTROV2.S3M", "DILEMMA.S3M", "SLINKY.S3M",   "SEIZURE.S3M",
                              "CRYSTAL.S3M", "PURPLE.S3M",  "HIVE.S3M",     "ORB.S3M",
                              "CASTLE02.S3M", "SONG39.S3M", "ASTRONUK.S3M", "SWAN.S3M"};

std::string tune_path(const char* name) { return std::string(VELMORA_DATA) + "/MUSIC/" + name; }

std::vector<uint8_t> bytes_of(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// Each file read once for all the tests.
const std::optional<writers::S3mModule>& tune(const char* name) {
    static std::map<std::string, std::optional<writers::S3mModule>> read;
    auto found = read.find(name);
    if (found == read.end()) found = read.emplace(name, writers::decode_s3m(bytes_of(tune_path(name)))).first;
    return found->second;
}

// Seconds the orders take to play, following speed and tempo changes and
// breaks; -1 if anything jumps (a song that could come back to a place).
double planned_seconds(const writers::S3mModule& m) {
    double seconds = 0;
    int speed = m.initial_speed, tempo = m.initial_tempo;
    for (uint8_t order : m.orders) {
        if (order == writers::kS3mOrderMarker) continue;
        const writers::S3mPattern& p = m.patterns.at(order);
        for (int row = 0; row < writers::kS3mRows; ++row) {
            bool broken = false;
            for (int ch = 0; ch < p.channels; ++ch) {
                const writers::S3mCell& c = p.at(row, ch);
                if (c.command == 'A') speed = c.info;
                if (c.command == 'T') tempo = c.info;
                if (c.command == 'B') return -1;
                broken = broken || c.command == 'C';
            }
            seconds += speed * 2.5 / tempo;
            if (broken) break;
        }
    }
    return seconds;
}

double db(double ratio) { return 20 * std::log10(std::max(ratio, 1e-9)); }

struct Playback {
    double seconds = 0;
    double peak_db = -200;
    double rms_db = -200;
    double tail_db = -200;  // the last 100 ms
    long saturated = 0;
};

// Mixes the file through libmikmod (the game's driver and settings) until
// the player says it is over, or 240 s.
Playback play_to_end(const std::string& path, int* channels) {
    Playback out;
    MODULE* module = Player_Load(path.c_str(), 16, 0);
    if (module == nullptr) return out;
    *channels = module->numchn;
    Player_Start(module);
    constexpr int kFrames = 4410;  // 100 ms
    std::vector<int16_t> buffer(size_t(kFrames) * 2);
    double sum = 0, tail = 0;
    long count = 0;
    int peak = 0;
    while (Player_Active() && out.seconds < 240) {
        music_mix(buffer.data(), kFrames);
        tail = 0;
        for (int16_t v : buffer) {
            peak = std::max(peak, std::abs(int(v)));
            out.saturated += (v == 32767 || v == -32768) ? 1 : 0;
            sum += double(v) * v;
            tail += double(v) * v;
        }
        count += long(buffer.size());
        out.seconds += 0.1;
    }
    Player_Stop();
    Player_Free(module);
    out.peak_db = db(peak / 32768.0);
    out.rms_db = db(std::sqrt(sum / double(std::max(count, 1L))) / 32768.0);
    out.tail_db = db(std::sqrt(tail / double(buffer.size())) / 32768.0);
    return out;
}

// Length and levels of a 16-bit stereo wave file; seconds 0 if it is not one.
Playback wave_levels(const std::vector<uint8_t>& w, int rate) {
    Playback out;
    auto u32 = [&](size_t at) { return uint32_t(w[at] | w[at + 1] << 8 | w[at + 2] << 16 | uint32_t(w[at + 3]) << 24); };
    if (w.size() < 12 || std::memcmp(w.data(), "RIFF", 4) != 0 || std::memcmp(w.data() + 8, "WAVE", 4) != 0)
        return out;
    for (size_t at = 12; at + 8 <= w.size();) {
        const size_t size = u32(at + 4);
        if (std::memcmp(&w[at], "data", 4) == 0) {
            const size_t count = std::min(size, w.size() - at - 8) / 2;
            double sum = 0, tail = 0;
            int peak = 0;
            const size_t tail_from = count > size_t(rate / 5) ? count - size_t(rate / 5) : 0;  // 100 ms of stereo
            for (size_t i = 0; i < count; ++i) {
                const int v = int16_t(uint16_t(w[at + 8 + 2 * i] | w[at + 9 + 2 * i] << 8));
                peak = std::max(peak, std::abs(v));
                out.saturated += (v == 32767 || v == -32768) ? 1 : 0;
                sum += double(v) * v;
                if (i >= tail_from) tail += double(v) * v;
            }
            out.seconds = double(count) / 2 / rate;
            out.peak_db = db(peak / 32768.0);
            out.rms_db = db(std::sqrt(sum / double(std::max<size_t>(count, 1))) / 32768.0);
            out.tail_db = db(std::sqrt(tail / double(std::max<size_t>(count - tail_from, 1))) / 32768.0);
            return out;
        }
        at += 8 + size + (size & 1);
    }
    return out;
}

}  // namespace

TEST(MusicModules, EveryTuneIsThereAndPlaysOnceThrough) {
    for (const char* name : kTunes) {
        SCOPED_TRACE(name);
        const std::optional<writers::S3mModule>& m = tune(name);
        ASSERT_TRUE(m.has_value()) << "missing or unreadable: " << tune_path(name);
        EXPECT_TRUE(writers::check_s3m(*m).empty());
        EXPECT_LE(m->channels, 16);
        EXPECT_GT(m->global_volume, 0);
        EXPECT_GE(m->samples.size(), 6u) << "bass, leads, pads, drums";
        // Only the last order may break off its pattern: anywhere else a
        // break would skip music, and no order may jump.
        for (size_t o = 0; o < m->orders.size(); ++o) {
            const writers::S3mPattern& p = m->patterns.at(m->orders[o]);
            for (const writers::S3mCell& c : p.cells) {
                EXPECT_NE(c.command, 'B');
                if (c.command == 'C') {
                    EXPECT_EQ(o + 1, m->orders.size()) << "break in order " << o;
                }
            }
        }
        const double seconds = planned_seconds(*m);
        EXPECT_GE(seconds, 60.0);
        EXPECT_LE(seconds, 180.0);
    }
}

TEST(MusicModules, SamplesJoinAndEndWithoutClicks) {
    for (const char* name : kTunes) {
        const std::optional<writers::S3mModule>& m = tune(name);
        ASSERT_TRUE(m.has_value()) << name;
        for (const writers::S3mSample& s : m->samples) {
            SCOPED_TRACE(std::string(name) + " / " + s.name);
            ASSERT_GT(s.data.size(), 64u);
            int peak = 0;
            for (int16_t v : s.data) peak = std::max(peak, std::abs(int(v)));
            EXPECT_GT(peak, 8000) << "a sample that uses little of its range is noisy";
            EXPECT_LT(std::abs(int(s.data.front())), 256) << "starts from silence";
            if (!s.loop) {
                EXPECT_LT(std::abs(int(s.data.back())), 256) << "a one-shot ends in silence";
                continue;
            }
            // The jump from the loop's end back to its start is no bigger
            // than the steps inside the loop: the join is seamless.
            ASSERT_LT(s.loop_start, s.loop_end);
            ASSERT_LE(s.loop_end, s.data.size());
            int step = 0;
            for (uint32_t i = s.loop_start + 1; i < s.loop_end; ++i)
                step = std::max(step, std::abs(s.data[i] - s.data[i - 1]));
            const int join = std::abs(s.data[s.loop_start] - s.data[s.loop_end - 1]);
            EXPECT_LE(join, step + step / 4 + 8) << "loop join " << join << ", largest step " << step;
        }
    }
}

TEST(MusicModules, LibmikmodMixesEachTuneToItsEndAudiblyWithoutClipping) {
    ASSERT_TRUE(music_init());
    for (const char* name : kTunes) {
        SCOPED_TRACE(name);
        const std::optional<writers::S3mModule>& m = tune(name);
        ASSERT_TRUE(m.has_value());
        int channels = 0;
        const Playback p = play_to_end(tune_path(name), &channels);
        EXPECT_GT(channels, 0) << "Player_Load failed";
        EXPECT_LE(channels, 16);
        // The player stopped by itself, when the orders ran out.
        EXPECT_NEAR(p.seconds, planned_seconds(*m), 0.25);
        EXPECT_EQ(p.saturated, 0);
        EXPECT_LT(p.peak_db, -0.5);
        EXPECT_GT(p.rms_db, -28.0) << "too quiet";
        EXPECT_LT(p.tail_db, -40.0) << "the tune is cut off rather than ending";
        std::printf("%-13s libmikmod: %6.1f s, peak %5.1f dBFS, RMS %5.1f dBFS\n", name, p.seconds, p.peak_db,
                    p.rms_db);
    }
    music_shutdown();
}

TEST(MusicModules, SecondPlayerPlaysEachTuneItsLengthAudiblyWithoutClipping) {
    if (std::system("command -v openmpt123 >/dev/null 2>&1") != 0) GTEST_SKIP() << "openmpt123 not installed";
    TempDir dir;
    for (const char* name : kTunes) {
        SCOPED_TRACE(name);
        const std::optional<writers::S3mModule>& m = tune(name);
        ASSERT_TRUE(m.has_value());
        // It renders beside its input: a copy in the temporary directory.
        const std::string copy = dir.file(name);
        fs::copy_file(tune_path(name), copy, fs::copy_options::overwrite_existing);
        const std::string command = "openmpt123 --quiet --render --force --no-float --samplerate 11025 '" + copy +
                                    "' > /dev/null 2>&1";
        ASSERT_EQ(std::system(command.c_str()), 0);
        const Playback p = wave_levels(bytes_of(copy + ".wav"), 11025);
        EXPECT_NEAR(p.seconds, planned_seconds(*m), 0.5) << "its render stops within the last rows";
        EXPECT_EQ(p.saturated, 0);
        EXPECT_GT(p.rms_db, -28.0) << "too quiet";
        EXPECT_LT(p.tail_db, -40.0) << "the tune is cut off rather than ending";
    }
}

TEST(MusicModules, GeneratorWritesTheSameBytesAgain) {
    const fs::path data = VELMORA_DATA;
    const fs::path generator = data.parent_path() / "velmora-content";
    ASSERT_TRUE(fs::exists(generator)) << generator;
    TempDir out;
    const std::string command = "'" + generator.string() + "' '" + out.path() + "' music > /dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    for (const char* name : kTunes) {
        const std::vector<uint8_t> again = bytes_of(fs::path(out.path()) / "MUSIC" / name);
        EXPECT_FALSE(again.empty()) << name;
        EXPECT_TRUE(again == bytes_of(tune_path(name))) << name << " differs";
    }
}
