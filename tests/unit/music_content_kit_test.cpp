// The music generator's kit: the additive synthesis and its zones, the song
// grid and how it becomes patterns and orders. The generator links its sources into its own program
// only, so they are compiled into this test here.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "generator/music/arrange.cpp"  // NOLINT(bugprone-suspicious-include)
#include "generator/music/instruments.cpp"  // NOLINT(bugprone-suspicious-include)
#include "generator/music/song.cpp"  // NOLINT(bugprone-suspicious-include)
#include "generator/music/synth.cpp"  // NOLINT(bugprone-suspicious-include)
#include "generator/music/theory.cpp"  // NOLINT(bugprone-suspicious-include)

namespace {

using namespace music;

// Magnitude of one frequency (cycles per sample) in a stretch of signal.
double magnitude(const std::vector<double>& s, size_t from, size_t to, double cycles_per_sample) {
    double re = 0, im = 0;
    for (size_t i = from; i < to; ++i) {
        re += s[i] * std::cos(2 * std::numbers::pi * cycles_per_sample * double(i));
        im += s[i] * std::sin(2 * std::numbers::pi * cycles_per_sample * double(i));
    }
    return std::hypot(re, im) / double(to - from);
}

Tone sine() {
    Tone t;
    t.wave = [](int h) { return h == 1 ? 1.0 : 0.0; };
    t.attack = 0.05;
    t.loop = 0.2;
    return t;
}

}  // namespace

TEST(MusicKitSynth, LoopsAreWholeCyclesAndJoinSeamlessly) {
    Tone t = tones::strings(3);
    const Rendered r = render(t, 40.0, 220.0);
    ASSERT_TRUE(r.looped);
    const uint32_t length = r.loop_end - r.loop_start;
    const double cycles = double(length) / r.period;
    EXPECT_NEAR(cycles, std::round(cycles), 1e-9) << "the loop holds whole cycles";
    // The sample after the loop would be its first one again.
    double step = 0;
    for (uint32_t i = r.loop_start + 1; i < r.loop_end; ++i)
        step = std::max(step, std::abs(r.data[i] - r.data[i - 1]));
    EXPECT_LE(std::abs(r.data[r.loop_start] - r.data[r.loop_end - 1]), step * 1.05);
    // Detuned voices beat within the loop: its loudness is not constant.
    double low = 1e9, high = 0;
    const uint32_t window = uint32_t(r.period * 4);
    for (uint32_t w = r.loop_start; w + window < r.loop_end; w += window) {
        double e = 0;
        for (uint32_t i = w; i < w + window; ++i) e += r.data[i] * r.data[i];
        low = std::min(low, e);
        high = std::max(high, e);
    }
    EXPECT_GT(high, low * 1.2);
}

TEST(MusicKitSynth, HarmonicsStopShortOfTheSamplesNyquist) {
    Tone t;
    t.wave = saw;
    t.attack = 0.01;
    t.loop = 0.1;
    const double period = 20;  // a naive saw here would reach its tenth harmonic
    const Rendered r = render(t, period, 440.0);
    const double fundamental = magnitude(r.data, r.loop_start, r.loop_end, 1 / r.period);
    EXPECT_GT(magnitude(r.data, r.loop_start, r.loop_end, 2 / r.period), fundamental * 0.3);
    for (int h = 7; h <= 10; ++h)
        EXPECT_LT(magnitude(r.data, r.loop_start, r.loop_end, h / r.period), fundamental * 1e-6) << h;
}

TEST(MusicKitSynth, ZonesPlayInTuneAtTheirC2spd) {
    const Instrument inst = pitched("sine", sine(), 28, 96);
    ASSERT_EQ(inst.zones.size(), 6u);
    int previous_top = 27;
    for (const Instrument::Zone& z : inst.zones) {
        SCOPED_TRACE(z.top);
        EXPECT_GT(z.top, previous_top);
        previous_top = z.top;
        EXPECT_GE(z.sample.c2spd, 4000u);
        EXPECT_LE(z.sample.c2spd, 60000u);
        EXPECT_EQ(z.shift % 12, 0);
        // Count cycles in the loop: at c2spd the sample must sound the note
        // that is written as C-5, MIDI 60 moved back by the shift.
        const auto& d = z.sample.data;
        int rises = d[z.sample.loop_end - 1] < 0 && d[z.sample.loop_start] >= 0 ? 1 : 0;  // across the join
        for (uint32_t i = z.sample.loop_start + 1; i < z.sample.loop_end; ++i) rises += d[i - 1] < 0 && d[i] >= 0 ? 1 : 0;
        const double period = double(z.sample.loop_end - z.sample.loop_start) / rises;
        const double hz = double(z.sample.c2spd) / period;
        EXPECT_NEAR(1200 * std::log2(hz / midi_hz(60 - z.shift)), 0.0, 2.0) << "cents off";
    }
    EXPECT_EQ(inst.zones.back().top, 96);
}

TEST(MusicKitSynth, EveryRecipeMakesAFiniteAudibleSample) {
    const Tone recipes[] = {tones::bass_synth(), tones::bass_sub(), tones::bass_pluck(), tones::lead_saw(),
                            tones::lead_square(), tones::brass(), tones::flute(), tones::strings(),
                            tones::choir(), tones::warm_pad(), tones::organ(), tones::pluck(),
                            tones::harpsichord(), tones::epiano(), tones::bell(), tones::glass(),
                            tones::mallet(), tones::clav(), tones::buzz()};
    std::vector<writers::S3mSample> samples;
    for (const Tone& t : recipes) samples.push_back(pitched("t", t, 60, 64).zones.at(0).sample);
    for (const Signal& s : {drums::kick(), drums::snare(), drums::clap(), drums::hat(0.05), drums::crash(),
                            drums::ride(), drums::tom(), drums::shaker(), drums::rim(), drums::clank(),
                            drums::timpani(), drums::riser(1.0)}) {
        for (double v : s) ASSERT_TRUE(std::isfinite(v));
        samples.push_back(unpitched("d", s, drums::kRate).zones.at(0).sample);
    }
    for (size_t i = 0; i < samples.size(); ++i) {
        const writers::S3mSample& s = samples[i];
        int peak = 0;
        for (int16_t v : s.data) peak = std::max(peak, std::abs(int(v)));
        EXPECT_GT(peak, 30000) << "sample " << i << " is scaled to full range";
        EXPECT_EQ(s.data.front(), 0) << i;
        if (!s.loop) {
            EXPECT_LT(std::abs(int(s.data.back())), 64) << i;
        }
    }
}

TEST(MusicKitSynth, FiltersPassAndStopWhereTheySay) {
    const double rate = 24000;
    auto level = [&](Pass kind, double hz) {
        Signal s = sweep(4800, rate, constant(hz), constant(1.0));
        filter(s, rate, kind, constant(1000), 0.7);
        double e = 0;
        for (size_t i = 2400; i < s.size(); ++i) e += s[i] * s[i];
        return std::sqrt(e / 2400);
    };
    EXPECT_GT(level(Pass::Low, 200), 0.6);
    EXPECT_LT(level(Pass::Low, 8000), 0.03);
    EXPECT_GT(level(Pass::High, 8000), 0.6);
    EXPECT_LT(level(Pass::High, 100), 0.03);
    EXPECT_LT(level(Pass::Band, 8000), 0.15);
    EXPECT_GT(level(Pass::Band, 1000), 0.4);
}

TEST(MusicKitSong, BuildsPatternsOrdersABreakAndSharedRepeats) {
    Song song("t", 2, 125);
    const int tone = song.add("sine", sine());
    const int drum = song.add("click", noise(200, 1), 8000.0);
    const int unused = song.add("never played", tones::organ());
    (void)unused;
    // Rows 0..63 and 64..127 identical; 128..149 different; ends at 150.
    for (int block = 0; block < 2; ++block) {
        song.note(0, block * 64, tone, 60, 40);
        song.note(1, block * 64 + 8, drum, 60, 50);
    }
    song.note(0, 130, tone, 84, 30);
    song.tempo(0, 140);
    song.tempo(140, 100);
    song.end_at(150);
    const writers::S3mModule m = song.build();
    EXPECT_TRUE(writers::check_s3m(m).empty());
    EXPECT_EQ(m.channels, 3) << "two for the music, one for tempo and the end";
    EXPECT_EQ(m.initial_tempo, 140);
    EXPECT_EQ(m.orders, (std::vector<uint8_t>{0, 0, 1}));
    ASSERT_EQ(m.patterns.size(), 2u);
    EXPECT_EQ(m.patterns[1].at(140 - 128, 2).command, 'T');
    EXPECT_EQ(m.patterns[1].at(149 - 128, 2).command, 'C') << "break on the last row";
    EXPECT_EQ(m.patterns[1].at(149 - 128, 2).info, 0);
    // Two zones of the sine (60 and 84 are more than an octave apart), one drum.
    EXPECT_EQ(m.samples.size(), 3u) << "an instrument never played is left out";
    const writers::S3mCell& low = m.patterns[0].at(0, 0);
    const writers::S3mCell& high = m.patterns[1].at(2, 0);
    EXPECT_NE(low.instrument, high.instrument);
    EXPECT_EQ(m.patterns[0].at(8, 1).note, writers::s3m_note(5, 0)) << "drums play at C-5";
}

// A song that loops: its intro (48 rows, not a whole pattern) is broken off
// so the theme starts an order; the last row jumps back to that order; the
// tempo the end slowed to is set back where the theme starts; at that row
// the note the intro holds is struck again and a channel silent there is
// cut, whatever the ending left sounding; a drum's one-shot is left alone.
TEST(MusicKitSong, ALoopJumpsBackToTheThemeAsItSoundedTheFirstTime) {
    Song song("t", 3, 125);
    const int tone = song.add("sine", sine());
    const int drum = song.add("click", noise(200, 1), 8000.0);
    song.note(0, 0, tone, 60, 40);        // held from the intro into the theme
    song.note(1, 40, drum, 60, 50);       // a one-shot before the theme
    song.note(0, 100, tone, 67, 30);      // the theme's own next note
    song.note(2, 120, tone, 72, 20);      // held by the ending into the jump
    song.tempo(110, 90);
    song.end_at(130);
    song.loop_back_to(48);
    const writers::S3mModule m = song.build();
    ASSERT_TRUE(writers::check_s3m(m).empty());
    // Orders: the intro (48 rows), then 64 + 18 rows from the theme on.
    ASSERT_EQ(m.orders.size(), 3u);
    const writers::S3mPattern& intro = m.patterns[m.orders[0]];
    const writers::S3mPattern& theme = m.patterns[m.orders[1]];
    const writers::S3mPattern& ending = m.patterns[m.orders[2]];
    EXPECT_EQ(intro.at(47, 3).command, 'C');
    EXPECT_EQ(ending.at(130 - 112 - 1, 3).command, 'B');
    EXPECT_EQ(ending.at(130 - 112 - 1, 3).info, 1) << "back to the theme's order";
    for (const writers::S3mCell& c : ending.cells) EXPECT_NE(c.command, 'C');
    EXPECT_EQ(theme.at(0, 3).command, 'T');
    EXPECT_EQ(theme.at(0, 3).info, 125);
    EXPECT_EQ(theme.at(0, 0).note, intro.at(0, 0).note) << "the held note, struck again";
    EXPECT_EQ(theme.at(0, 0).volume, 40);
    EXPECT_EQ(theme.at(0, 1).note, writers::kS3mNoNote) << "the click has died away";
    EXPECT_EQ(theme.at(0, 2).note, writers::kS3mNoteOff) << "the ending's note stops at the jump";
}

TEST(MusicKitSong, CallsOutsideTheGridAreIgnored) {
    Song song("t", 2, 125);
    const int tone = song.add("sine", sine());
    song.note(-1, 0, tone, 60, 40);
    song.note(2, 0, tone, 60, 40);
    song.note(0, -5, tone, 60, 40);
    song.note(0, 0, 7, 60, 40);
    song.cut(5, 3);
    song.volume(0, -1, 10);
    EXPECT_FALSE(song.effect(9, 0, 'H', 0x11));
    EXPECT_EQ(song.rows(), 0);
    EXPECT_TRUE(song.effect(0, 4, 'H', 0x11));
    EXPECT_FALSE(song.effect(0, 4, 'J', 0x37)) << "one effect to a cell";
}
