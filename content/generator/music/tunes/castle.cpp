// CASTLE02, the Castle world: A harmonic minor in 3/4, 116 bpm (twelve rows a
// bar). An organ melody in the manner of a dark minuet, harpsichord figures,
// a walking plucked bass, choir, timpani and a marching rim; the middle turns
// to C major and comes back through E major, down into a low crypt, and a
// plagal turn leads back to the minuet.
#include "generator/music/arrange.h"
#include "generator/music/presets.h"
#include "generator/music/tunes.h"

namespace music {

namespace {

enum Channel {
    kOrgan, kEcho, kHarpsi, kBass, kPadA, kPadB, kPadC, kChoirA, kChoirB, kChoirC, kRim, kTimpani, kToms, kChannels
};
constexpr int kBar = 12;

const char* const kMinuet =
    "5 - 1' - 7 1' | 6 - 4 - 3 4 | 2 - 7, - 5, - | 1 - - - - . |"
    "1' - - 7 6 - | 4 - 6 - 1' - | 2' - 1' 7 6 - | 7 - - - - . ";
const char* const kMinuet2 =
    "5 - 1' - 7 1' | 6 - 4 - 3 4 | 2 - 7, - 5, - | 1 - - 2 3 - |"
    "1' - - 7 6 - | 4 - 6 - 1' - | 7 - 2' - 5 - | 1' - - - - . ";
// In C major.
const char* const kHall =
    "3' - - 2' 1' - | 2' - 7 - 5 - | 1' - - 7 6 - | 7 - - - 5 - |"
    "6 - 1' - 4' - | 3' - 2' - 1' - | 2' - 4' - 6 - | #5 - - - 7 - ";

}  // namespace

writers::S3mModule castle_tune() {
    Song song("Velmora - castle", kChannels, 116);
    const Key key{9, Mode::HarmonicMinor};  // A harmonic minor
    const Key hall{0, Mode::Major};         // C major, for the middle

    const int organ = song.add("organ", tones::organ());
    const int harpsichord = song.add("harpsichord", tones::harpsichord());
    const int bass = song.add("plucked bass", tones::bass_pluck());
    const int choir = song.add("choir", tones::choir(91));
    const int rim = song.add("rim", drums::rim());
    const int timpani = song.add("timpani", drums::timpani(110));
    const int tom = song.add("tom", drums::tom(130));
    const int crash = song.add("crash", drums::crash(28));

    song.pans({7, 11, 4, 7, 3, 8, 12, 2, 7, 13, 9, 6, 5});

    Line lead{kOrgan, organ, 4, 46};
    lead.vibrato = 0x22;
    lead.vibrato_after = 6;
    Line figures = ringing(kHarpsi, harpsichord, 4, 34);
    Bass walk{kBass, bass, 56, 33};
    walk.step = 4;
    walk.cut_rests = false;
    Pad organ_pad{{kPadA, kPadB, kPadC}, organ, 21, 52, 71};
    Pad choir_pad{{kChoirA, kChoirB, kChoirC}, choir, 24, 57, 76};
    Drum march{kRim, rim, -1, 28, 60, 1001};
    Drum toms{kToms, tom, crash, 40, 60, 1002};

    const auto minuet = progression(key, "1 4 5 1 6 4 2 5");
    const auto minuet_home = progression(key, "1 4 5 1 6 2 5 1");
    const auto great_hall = progression(hall, "1 5 6 3 4 1 2 3M");
    const auto crypt = progression(key, "1 1 6 6 4 4 5 5");
    const char* const kTurns = "0 2 4 2 3 2";

    auto timpani_downbeats = [&](int at, const std::vector<Chord>& chords, int volume) {
        for (size_t i = 0; i < chords.size(); ++i) {
            // The drum sounds A at C-5; the root within a fifth below to a third above it.
            int offset = (chords[i].root - 9 + 12) % 12;
            if (offset > 4) offset -= 12;
            song.note(kTimpani, at + int(i) * kBar, timpani, 60 + offset, volume);
        }
    };

    int row = 0;
    // Intro: harpsichord turns over a marching rim.
    arpeggio(song, figures, row, progression(key, "1 4 5 1"), kBar, kTurns, 57);
    beat(song, march, row + 2 * kBar, 2 * kBar, "x...x.x.x.o.");
    row += 4 * kBar;

    const int minuet_start = row;
    for (int pass = 0; pass < 2; ++pass) {
        const auto& chords = pass == 0 ? minuet : minuet_home;
        play(song, key, lead, row, pass == 0 ? kMinuet : kMinuet2);
        arpeggio(song, figures, row, chords, kBar, kTurns, 57);
        pad(song, organ_pad, row, chords, kBar);
        bassline(song, walk, row, chords, kBar, pass == 0 ? "R 5 3" : "R 3 5");
        beat(song, march, row, 8 * kBar, "x...x...x.o.");
        timpani_downbeats(row, chords, 34);
        row += 8 * kBar;
    }

    // The great hall, in C major: harpsichord takes the tune, then the organ.
    song.note(kToms, row, crash, 60, 36);
    play(song, hall, figures, row, kHall);
    pad(song, choir_pad, row, great_hall, kBar);
    bassline(song, walk, row, great_hall, kBar, "R 3 5");
    beat(song, march, row, 8 * kBar, "x.o.x.o.x.o.");
    row += 8 * kBar;
    play(song, hall, lead, row, kHall);
    play(song, hall, figures, row, kHall, -2);
    pad(song, choir_pad, row, great_hall, kBar);
    pad(song, organ_pad, row, great_hall, kBar);
    bassline(song, walk, row, great_hall, kBar, "R 5 8");
    beat(song, march, row, 8 * kBar, "x.o.x.o.x.o.");
    beat(song, toms, row + 7 * kBar, kBar, "1.2.3.4.5.6.");
    timpani_downbeats(row, great_hall, 34);
    row += 8 * kBar;

    // The crypt: choir and organ alone and low, then the harpsichord and a
    // timpani roll climb back to the minuet.
    song.cut(kOrgan, row);
    pad(song, choir_pad, row, crypt, kBar);
    pad(song, organ_pad, row, crypt, kBar);
    bassline(song, walk, row, crypt, kBar, "R - - ");
    song.dynamics({}, row, row + 8 * kBar, 0.42, 0.48);
    row += 8 * kBar;
    const auto climb = progression(key, "4 4 5 5");
    pad(song, choir_pad, row, climb, kBar);
    pad(song, organ_pad, row, climb, kBar);
    bassline(song, walk, row, climb, kBar, "R - - ");
    for (int r = 0; r < 4 * kBar; r += 2) song.note(kTimpani, row + r, timpani, 55, 18 + r / 2);
    arpeggio(song, figures, row, climb, kBar, "0 1 2 3 4 5", 57);
    song.dynamics({}, row, row + 4 * kBar, 0.5, 1.05);
    row += 4 * kBar;

    // The minuet twice more: plain, then with the choir and a harmony.
    song.note(kToms, row, crash, 60, 40);
    for (int pass = 0; pass < 2; ++pass) {
        const auto& chords = pass == 0 ? minuet : minuet_home;
        play(song, key, lead, row, pass == 0 ? kMinuet : kMinuet2);
        if (pass == 1) {
            Line third = figures;
            third.channel = kEcho;
            third.volume = 26;
            play(song, key, third, row, kMinuet2, -2);
            pad(song, choir_pad, row, chords, kBar);
        }
        arpeggio(song, figures, row, chords, kBar, kTurns, 57);
        pad(song, organ_pad, row, chords, kBar);
        bassline(song, walk, row, chords, kBar, "R 3 5");
        beat(song, march, row, 8 * kBar, pass == 0 ? "x...x...x.o." : "x.o.x.o.x.oo");
        timpani_downbeats(row, chords, 36);
        row += 8 * kBar;
    }

    song.dynamics({kPadA, kPadB, kPadC, kChoirA, kChoirB, kChoirC, kBass, kRim}, row - 8 * kBar, row, 1.12, 1.12);

    // Turn: a plagal step to the dominant, the toms marching back to the minuet.
    const auto turn = progression(key, "4 5 4 5");
    play(song, key, lead, row, "6 - 4 - 3 4 | 2 - 7, - - - | 4 - 6 - 1' 6 | #7 - - - - . ");
    pad(song, organ_pad, row, turn, kBar);
    pad(song, choir_pad, row, turn, kBar);
    arpeggio(song, figures, row, turn, kBar, kTurns, 57);
    bassline(song, walk, row, turn, kBar, "R 5 3");
    beat(song, march, row, 3 * kBar, "x.o.x.o.x.o.");
    beat(song, toms, row + 3 * kBar, kBar, "1.2.3.4.5.6.");
    timpani_downbeats(row, turn, 36);
    row += 4 * kBar;
    song.end_at(row);
    song.loop_back_to(minuet_start);
    return song.build();
}

}  // namespace music
