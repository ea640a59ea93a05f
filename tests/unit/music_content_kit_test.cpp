// The music generator's kit: keys and chords, phrases, the additive synthesis
// and its zones, the song grid and how it becomes patterns and orders, and
// the writing helpers. The generator links its sources into its own program
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

std::vector<int> pitch_classes(const Chord& c) { return c.tones; }

Tone sine() {
    Tone t;
    t.wave = [](int h) { return h == 1 ? 1.0 : 0.0; };
    t.attack = 0.05;
    t.loop = 0.2;
    return t;
}

// The cell as the song holds it before building: MIDI note and instrument id + 1.
const writers::S3mCell& at(const Song& song, int channel, int row) {
    static const writers::S3mCell empty;
    const writers::S3mCell* c = song.cell(channel, row);
    return c != nullptr ? *c : empty;
}

}  // namespace

TEST(MusicKitTheory, ScalesDegreesAndChords) {
    const Key d_minor{2, Mode::Minor};
    EXPECT_EQ(d_minor.note(0, 4), 62);
    EXPECT_EQ(d_minor.note(7, 4), 74);
    EXPECT_EQ(d_minor.note(-1, 4), 60) << "the seventh below the tonic";
    EXPECT_EQ(d_minor.note(6, 4, 1), 73) << "raised seventh";
    const Key a_harmonic{9, Mode::HarmonicMinor};
    EXPECT_EQ(a_harmonic.note(6, 4), 80) << "G sharp";
    EXPECT_EQ(Key({4, Mode::Phrygian}).note(1, 4), 65) << "the flat second";
    EXPECT_EQ(Key({5, Mode::Lydian}).note(3, 4), 71) << "the raised fourth";
    EXPECT_EQ(Key({7, Mode::Mixolydian}).note(6, 4), 77) << "the flat seventh";
    EXPECT_EQ(Key({2, Mode::Dorian}).note(5, 4), 71) << "the major sixth";

    const Key c_major{0, Mode::Major};
    EXPECT_EQ(pitch_classes(chord(c_major, "1")), (std::vector<int>{0, 4, 7}));
    EXPECT_EQ(pitch_classes(chord(c_major, "2")), (std::vector<int>{2, 5, 9})) << "diatonic: D minor";
    EXPECT_EQ(pitch_classes(chord(c_major, "57")), (std::vector<int>{7, 11, 2, 5}));
    EXPECT_EQ(pitch_classes(chord(c_major, "b7")), (std::vector<int>{10, 2, 5})) << "borrowed: B flat major";
    EXPECT_EQ(pitch_classes(chord(c_major, "4M7")), (std::vector<int>{5, 9, 0, 4}));
    EXPECT_EQ(pitch_classes(chord(c_major, "1s4")), (std::vector<int>{0, 5, 7}));
    EXPECT_EQ(pitch_classes(chord(c_major, "19")), (std::vector<int>{0, 4, 7, 2}));
    EXPECT_EQ(pitch_classes(chord(c_major, "5p")), (std::vector<int>{7, 2}));
    EXPECT_EQ(pitch_classes(chord(a_harmonic, "57M")), (std::vector<int>{4, 8, 11, 2})) << "E7 in A minor";
    EXPECT_EQ(pitch_classes(chord(a_harmonic, "2")), (std::vector<int>{11, 2, 5})) << "B diminished";
    EXPECT_EQ(progression(c_major, "1 | 4  5 |").size(), 3u);
}

TEST(MusicKitTheory, PhrasesReadHoldsRestsOctavesAndMarks) {
    const Phrase p = parse_phrase("1 - 5' | ~b3, . - 7? #4");
    ASSERT_EQ(p.notes.size(), 6u);
    EXPECT_EQ(p.length, 8);
    EXPECT_EQ(p.notes[0].length, 2);
    EXPECT_EQ(p.notes[1].start, 2);
    EXPECT_EQ(p.notes[1].degree, 11);
    EXPECT_EQ(p.notes[2].start, 3) << "bar marks take no step";
    EXPECT_EQ(p.notes[2].degree, -5);
    EXPECT_EQ(p.notes[2].accidental, -1);
    EXPECT_TRUE(p.notes[2].slide);
    EXPECT_TRUE(p.notes[3].rest);
    EXPECT_EQ(p.notes[3].length, 2) << "a rest held";
    EXPECT_EQ(p.notes[4].start, 6);
    EXPECT_EQ(p.notes[4].accent, -1);
    EXPECT_EQ(p.notes[5].accidental, 1);

    const Phrase q = parse_phrase("5! 3? #4");
    EXPECT_EQ(q.notes[0].accent, 1);
    const Phrase lower = shift(q, -2);
    EXPECT_EQ(lower.notes[0].degree, 2);
    EXPECT_EQ(lower.notes[2].degree, 1);
}

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

TEST(MusicKitSong, DynamicsScaleNotesAndFollowHeldOnes) {
    Song song("t", 1, 125);
    const int tone = song.add("sine", sine());
    song.note(0, 0, tone, 60, 40);
    song.note(0, 10, tone, 62, 40);
    song.cut(0, 12);
    song.dynamics({}, 0, 20, 1.0, 0.0);
    song.end_at(20);
    const writers::S3mModule m = song.build();
    const writers::S3mPattern& p = m.patterns.at(0);
    EXPECT_EQ(p.at(0, 0).volume, 40);
    int last = 40;
    for (int row = 1; row < 10; ++row) {
        ASSERT_GE(p.at(row, 0).volume, 0) << "the held note follows the fade, row " << row;
        EXPECT_LT(p.at(row, 0).volume, last);
        last = p.at(row, 0).volume;
    }
    EXPECT_EQ(p.at(10, 0).volume, 20) << "a new note at half way comes in at half its volume";
    EXPECT_EQ(p.at(12, 0).note, writers::kS3mNoteOff);
    for (int row = 13; row < 20; ++row) EXPECT_LT(p.at(row, 0).volume, 0) << "nothing sounds after the cut";
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

TEST(MusicKitArrange, BassPadsAndArpeggiosFollowTheChords) {
    const Key c_major{0, Mode::Major};
    Song song("t", 6, 125);
    const int tone = song.add("sine", sine());
    const auto chords = progression(c_major, "1 6 4 5");

    Bass bass{0, tone, 50, 28, 2, true};
    bassline(song, bass, 0, chords, 8, "R 8 5 >");
    EXPECT_EQ(at(song, 0, 0).note, 36) << "C within 28..39";
    EXPECT_EQ(at(song, 0, 2).note, 48);
    EXPECT_EQ(at(song, 0, 4).note, 43) << "the fifth above the root";
    EXPECT_EQ(at(song, 0, 6).note, 32) << "a semitone below the next root, A";
    EXPECT_EQ(at(song, 0, 8).note, 33);
    EXPECT_EQ(at(song, 0, 30).note, 35) << "after G comes C again";

    Pad voices{{1, 2, 3}, tone, 30, 55, 76};
    pad(song, voices, 0, chords, 8);
    std::vector<int> previous;
    for (int i = 0; i < 4; ++i) {
        std::vector<int> sounding;
        for (int ch = 1; ch <= 3; ++ch) {
            int row = i * 8;
            while (row > 0 && at(song, ch, row).instrument == 0) row -= 8;  // held from before
            sounding.push_back(at(song, ch, row).note);
        }
        std::vector<int> classes;
        for (int n : sounding) classes.push_back(n % 12);
        for (int t : chords[size_t(i)].tones) EXPECT_NE(std::find(classes.begin(), classes.end(), t), classes.end());
        if (!previous.empty()) {
            for (size_t v = 0; v < 3; ++v) EXPECT_LE(std::abs(sounding[v] - previous[v]), 4) << "voices move little";
        }
        previous = sounding;
    }
    EXPECT_EQ(at(song, 1, 8).instrument, 0) << "C stays from C major to A minor: not struck again";

    Line arp{4, tone, 4, 30};
    arp.step = 1;
    arpeggio(song, arp, 0, {chords[0]}, 4, "0 1 2 3", 60);
    EXPECT_EQ(at(song, 4, 0).note, 60);
    EXPECT_EQ(at(song, 4, 1).note, 64);
    EXPECT_EQ(at(song, 4, 3).note, 72);
}

TEST(MusicKitArrange, MelodiesEchoesAndBeats) {
    const Key c_major{0, Mode::Major};
    Song song("t", 4, 125);
    const int tone = song.add("sine", sine());
    Line lead{0, tone, 4, 40};
    lead.vibrato_after = 3;
    const int end = play(song, c_major, lead, 0, "1 - - ~3! . 5?");
    EXPECT_EQ(end, 12);
    EXPECT_EQ(at(song, 0, 0).note, 60);
    EXPECT_EQ(at(song, 0, 2).command, 0);
    EXPECT_EQ(at(song, 0, 3).command, 'H') << "wavers once held three rows";
    EXPECT_EQ(at(song, 0, 6).command, 'G') << "glides into the marked note";
    EXPECT_EQ(at(song, 0, 6).volume, 48);
    EXPECT_EQ(at(song, 0, 8).note, writers::kS3mNoteOff);
    EXPECT_EQ(at(song, 0, 10).volume, 32);

    echo(song, 0, 1, 0, 12, 3, 0.5);
    EXPECT_EQ(at(song, 1, 3).note, 60);
    EXPECT_EQ(at(song, 1, 3).volume, 20);
    EXPECT_EQ(at(song, 1, 11).note, writers::kS3mNoteOff);

    Drum hats{2, tone, -1, 40, 60, 0};
    hats.swing = 2;
    beat(song, hats, 0, 8, "Xxo.1234");
    EXPECT_EQ(at(song, 2, 0).volume, 50);
    EXPECT_EQ(at(song, 2, 1).volume, 40);
    EXPECT_EQ(at(song, 2, 2).volume, 20);
    EXPECT_EQ(at(song, 2, 3).instrument, 0);
    EXPECT_EQ(at(song, 2, 5).note, 57) << "toms step down";
    EXPECT_EQ(at(song, 2, 1).command, 'S');
    EXPECT_EQ(at(song, 2, 1).info, 0xD2) << "off-beat sixteenths come late";
    EXPECT_EQ(at(song, 2, 0).command, 0);
}
