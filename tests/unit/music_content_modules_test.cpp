// The twelve generated tunes in the build's data directory: each is a module
// that plays its intro once and then loops from its theme, with samples that
// do not click at their joins; libmikmod plays every tune past its end and
// resumes at the theme without a gap, with sections that differ in loudness,
// and a second player, openmpt123, follows the same loop; nothing clips; a
// second generator run writes the same bytes.
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

// The orders as they play, following speed and tempo changes and breaks, to
// the jump back at the end: how long one pass lasts, the order it jumps back
// to and when that order first started. `loop_order` stays -1 for a song
// that ends; `seconds` is -1 if the orders go anywhere else.
struct Plan {
    double seconds = 0;
    int loop_order = -1;
    double loop_from = 0;
};

Plan plan_of(const writers::S3mModule& m) {
    Plan plan;
    std::map<int, double> started;
    int speed = m.initial_speed, tempo = m.initial_tempo, row = 0;
    for (int order = 0; order < int(m.orders.size());) {
        if (m.orders[size_t(order)] == writers::kS3mOrderMarker) {
            ++order;
            continue;
        }
        started.emplace(order, plan.seconds);
        const writers::S3mPattern& p = m.patterns.at(m.orders[size_t(order)]);
        int next = order + 1, next_row = 0;
        for (; row < writers::kS3mRows; ++row) {
            int jump = -1;
            bool broken = false;
            for (int ch = 0; ch < p.channels; ++ch) {
                const writers::S3mCell& c = p.at(row, ch);
                if (c.command == 'A') speed = c.info;
                if (c.command == 'T') tempo = c.info;
                if (c.command == 'B') jump = c.info;
                if (c.command == 'C') broken = true;
            }
            plan.seconds += speed * 2.5 / tempo;
            if (jump >= 0) {
                if (jump > order || !started.count(jump)) return Plan{-1, -1, 0};
                plan.loop_order = jump;
                plan.loop_from = started[jump];
                return plan;
            }
            if (broken) break;
        }
        order = next;
        row = next_row;
    }
    return plan;
}

double db(double ratio) { return 20 * std::log10(std::max(ratio, 1e-9)); }

// A tune as libmikmod mixes it (the game's driver and settings): once
// through, round its loop once more, and with the loop then turned off (as
// the game does when its state wants another tune) on to its end.
struct Round {
    double jumped_at = -1;  // when the order first went back
    int resumed_order = -1;
    double ended_at = -1;   // when the player stopped
    double peak_db = -200;
    double rms_db = -200;   // of the whole mix
    long saturated = 0;
    std::vector<double> energy;  // mean square of each 10 ms
};

constexpr int kChunk = 441;  // 10 ms
constexpr double kChunkSeconds = 0.01;

Round play_round(const std::string& path, const Plan& plan, int* channels) {
    Round out;
    MODULE* module = Player_Load(path.c_str(), 16, 0);
    if (module == nullptr) return out;
    *channels = module->numchn;
    Player_Start(module);
    std::vector<int16_t> buffer(size_t(kChunk) * 2);
    double sum = 0;
    int peak = 0, order = 0;
    const double limit = 2 * plan.seconds + 30;
    for (double t = 0; Player_Active() && t < limit; t += kChunkSeconds) {
        music_mix(buffer.data(), kChunk);
        double square = 0;
        for (int16_t v : buffer) {
            peak = std::max(peak, std::abs(int(v)));
            out.saturated += (v == 32767 || v == -32768) ? 1 : 0;
            square += double(v) * v;
        }
        sum += square;
        out.energy.push_back(square / double(buffer.size()) / (32768.0 * 32768.0));
        const int now = Player_GetOrder();
        if (now < order && out.jumped_at < 0) {
            out.jumped_at = t + kChunkSeconds;
            out.resumed_order = now;
        }
        order = now;
        // Near the second jump, the game's way of letting a tune end.
        if (out.jumped_at >= 0 && t > out.jumped_at + (plan.seconds - plan.loop_from) - 2 && module->loop) {
            MikMod_Lock();
            module->loop = 0;
            MikMod_Unlock();
        }
        out.ended_at = t + kChunkSeconds;
    }
    if (Player_Active()) out.ended_at = -1;
    Player_Stop();
    Player_Free(module);
    out.peak_db = db(peak / 32768.0);
    out.rms_db = db(std::sqrt(sum / double(std::max<size_t>(out.energy.size() * buffer.size(), 1))) / 32768.0);
    return out;
}

// RMS in dBFS of the chunks from `from` to `to` seconds.
double level(const Round& r, double from, double to) {
    const size_t a = size_t(std::lround(std::max(0.0, from) / kChunkSeconds));
    const size_t b = std::min(r.energy.size(), size_t(std::lround(std::max(0.0, to) / kChunkSeconds)));
    double sum = 0;
    for (size_t i = a; i < b; ++i) sum += r.energy[i];
    return b > a ? 10 * std::log10(std::max(sum / double(b - a), 1e-20)) : -200;
}

struct Playback {
    double seconds = 0;
    double peak_db = -200;
    double rms_db = -200;
    long saturated = 0;
    std::vector<double> envelope;  // dBFS of each 100 ms
};

// RMS in dBFS of the 4 s from `at`.
double four_seconds_from(const Playback& p, double at) {
    const size_t i = size_t(std::lround(std::max(0.0, at) * 10));
    if (i + 40 > p.envelope.size()) return -200;
    double sum = 0;
    for (size_t k = i; k < i + 40; ++k) sum += std::pow(10.0, p.envelope[k] / 10);
    return 10 * std::log10(sum / 40);
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
            double sum = 0, window = 0;
            int peak = 0;
            const size_t per_window = size_t(rate / 10) * 2;  // 100 ms of stereo
            for (size_t i = 0; i < count; ++i) {
                const int v = int16_t(uint16_t(w[at + 8 + 2 * i] | w[at + 9 + 2 * i] << 8));
                peak = std::max(peak, std::abs(v));
                out.saturated += (v == 32767 || v == -32768) ? 1 : 0;
                sum += double(v) * v;
                window += double(v) * v;
                if ((i + 1) % per_window == 0) {
                    out.envelope.push_back(10 * std::log10(std::max(window / double(per_window), 1.0) / (32768.0 * 32768.0)));
                    window = 0;
                }
            }
            out.seconds = double(count) / 2 / rate;
            out.peak_db = db(peak / 32768.0);
            out.rms_db = db(std::sqrt(sum / double(std::max<size_t>(count, 1))) / 32768.0);
            return out;
        }
        at += 8 + size + (size & 1);
    }
    return out;
}

}  // namespace

TEST(MusicModules, EveryTuneIsThereAndLoopsBackPastItsIntro) {
    for (const char* name : kTunes) {
        SCOPED_TRACE(name);
        const std::optional<writers::S3mModule>& m = tune(name);
        ASSERT_TRUE(m.has_value()) << "missing or unreadable: " << tune_path(name);
        EXPECT_TRUE(writers::check_s3m(*m).empty());
        EXPECT_LE(m->channels, 16);
        EXPECT_GT(m->global_volume, 0);
        EXPECT_GE(m->samples.size(), 6u) << "bass, leads, pads, drums";
        const Plan plan = plan_of(*m);
        ASSERT_GT(plan.seconds, 0) << "the orders jump somewhere other than back at the end";
        // One jump, on the last order, back past the intro; a break only
        // where the intro ends: anywhere else one would skip music.
        ASSERT_GT(plan.loop_order, 0) << "no jump back past the intro";
        for (size_t o = 0; o < m->orders.size(); ++o) {
            for (const writers::S3mCell& c : m->patterns.at(m->orders[o]).cells) {
                if (c.command == 'B') {
                    EXPECT_EQ(o + 1, m->orders.size()) << "jump in order " << o;
                }
                if (c.command == 'C') {
                    EXPECT_EQ(int(o) + 1, plan.loop_order) << "break in order " << o;
                }
            }
        }
        EXPECT_GE(plan.loop_from, 3.0) << "an intro before the theme";
        EXPECT_LE(plan.loop_from, 30.0);
        EXPECT_GE(plan.seconds - plan.loop_from, 60.0) << "the loop";
        EXPECT_LE(plan.seconds, 180.0);
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

// Past its end each tune goes on at its theme, without a dip into near
// silence at the seam, and its loop ends at its jump once the loop is off.
// Over the loop the loudness of 8-second stretches differs by several dB:
// quiet sections and full ones, not one level throughout.
TEST(MusicModules, LibmikmodLoopsEachTuneAtItsThemeWithSectionsOfDifferentLoudness) {
    ASSERT_TRUE(music_init());
    for (const char* name : kTunes) {
        SCOPED_TRACE(name);
        const std::optional<writers::S3mModule>& m = tune(name);
        ASSERT_TRUE(m.has_value());
        const Plan plan = plan_of(*m);
        int channels = 0;
        const Round r = play_round(tune_path(name), plan, &channels);
        EXPECT_GT(channels, 0) << "Player_Load failed";
        EXPECT_LE(channels, 16);
        EXPECT_NEAR(r.jumped_at, plan.seconds, 0.25);
        EXPECT_EQ(r.resumed_order, plan.loop_order);
        const double loop = plan.seconds - plan.loop_from;
        EXPECT_NEAR(r.ended_at - r.jumped_at, loop, 0.25) << "with the loop off it ends at its jump";
        EXPECT_EQ(r.saturated, 0);
        EXPECT_LT(r.peak_db, -0.5);
        EXPECT_GT(r.rms_db, -28.0) << "too quiet";

        double seam = 0;
        for (double t = r.jumped_at - 4; t < r.jumped_at + 4; t += 0.25) seam = std::min(seam, level(r, t, t + 0.25));
        EXPECT_GT(seam, -30.0) << "near silence where the tune loops";
        double quietest = 0, loudest = -200;
        for (double t = r.jumped_at; t + 8 <= r.jumped_at + loop; t += 8) {
            quietest = std::min(quietest, level(r, t, t + 8));
            loudest = std::max(loudest, level(r, t, t + 8));
        }
        EXPECT_GE(loudest - quietest, 6.0) << "sections all at one loudness";
        EXPECT_GT(quietest, -32.0) << "a section too quiet to hear over the game";
        std::printf("%-13s libmikmod: pass %5.1f s, loop from %4.1f s (%5.1f s), peak %5.1f dBFS, RMS %5.1f dBFS, "
                    "8 s blocks %5.1f .. %5.1f (%4.1f dB), seam %5.1f dBFS\n",
                    name, r.jumped_at, plan.loop_from, loop, r.peak_db, r.rms_db, quietest, loudest,
                    loudest - quietest, seam);
    }
    music_shutdown();
}

// openmpt123 follows the same jump: asked to play the loop once more, it
// plays on past the end of a pass as loud as where the theme began, not as
// softly as the intro.
TEST(MusicModules, SecondPlayerLoopsEachTuneTheSameWayAudiblyWithoutClipping) {
    if (std::system("command -v openmpt123 >/dev/null 2>&1") != 0) GTEST_SKIP() << "openmpt123 not installed";
    TempDir dir;
    for (const char* name : kTunes) {
        SCOPED_TRACE(name);
        const std::optional<writers::S3mModule>& m = tune(name);
        ASSERT_TRUE(m.has_value());
        const Plan plan = plan_of(*m);
        // It renders beside its input: a copy in the temporary directory.
        const std::string copy = dir.file(name);
        fs::copy_file(tune_path(name), copy, fs::copy_options::overwrite_existing);
        const std::string command = "openmpt123 --quiet --render --force --no-float --repeat 1 --samplerate 11025 '" +
                                    copy + "' > /dev/null 2>&1";
        ASSERT_EQ(std::system(command.c_str()), 0);
        const Playback p = wave_levels(bytes_of(copy + ".wav"), 11025);
        EXPECT_GE(p.seconds, 2 * plan.seconds - plan.loop_from - 0.5);
        EXPECT_NEAR(four_seconds_from(p, plan.seconds), four_seconds_from(p, plan.loop_from), 1.0)
            << "after the jump it does not sound as the theme did";
        EXPECT_EQ(p.saturated, 0);
        EXPECT_GT(p.rms_db, -28.0) << "too quiet";
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
