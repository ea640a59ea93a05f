// ASTRONUK, the City world: E dorian, 112 bpm, funky. A slapped bass in
// syncopated sixteenths, clavinet chords on the off-beats, brass for the
// theme and for stabs, a square synth solo, drums with ghost notes and
// sixteenth hats that swing a little.
#include "generator/music/arrange.h"
#include "generator/music/presets.h"
#include "generator/music/tunes.h"

namespace music {

namespace {

enum Channel {
    kLead, kEcho, kBass, kClavA, kClavB, kClavC, kStabA, kStabB, kStabC, kKick, kSnare, kHat, kPerc, kChannels
};
constexpr int kBar = 16;

const char* const kStreet =
    "5 . 5 7 . 1' . . | ~1' - 7 5 . 6 5 . | 3 . 3 5 . 7 5 3 | 4 - - - . . . . |"
    "5 . 5 7 . 1' . 2' | 3' - 2' 1' . 7 . 6 | 5 . 3 . 5 7 . . | 1' - - - . . . . ";
const char* const kStreet2 =
    "5 . 5 7 . 1' . . | ~1' - 7 5 . 6 5 . | 3 . 3 5 . 7 5 3 | 4 - 3 - 2 - . . |"
    "5 . 5 7 . 1' . 2' | 3' - 2' 1' . 7 . 6 | 5 . 7 . 2' 1' 7 5 | 1 - - - . . . . ";
const char* const kUptown =
    "6 - - 5 6 - 1' - | 7 - 6 - 5 - 4 - | 2 - - 4 - - 6 - | 7 - - - - - . . |"
    "7 - - 6 7 - 2' - | 3' - 2' - 7 - 5 - | #7 - - - 2' - 4' - | 5' - - - - - . . ";
const char* const kSolo =
    "1' . 7 5 . 3 . 5 | ~7 - - - 5 . 4 . | 3 5 7 1' . 2' . 3' | ~2' - - - 1' . . . |"
    "5' . 4' 3' . 2' . 1' | 2' - 1' - 7 . 5 . | 3 . 5 . 7 . 1' 2' | ~1' - - - - - . . ";

}  // namespace

writers::S3mModule city_tune() {
    Song song("Velmora - city", kChannels, 112);
    const Key key{4, Mode::Dorian};  // E dorian

    const int brass = song.add("brass", tones::brass());
    const int synth = song.add("solo square", tones::lead_square(0.4));
    const int bass = song.add("slap bass", tones::bass_pluck());
    const int clav = song.add("clavinet", tones::clav());
    const int kick = song.add("kick", drums::kick(1.0, 50));
    const int snare = song.add("snare", drums::snare(200, 0.9));
    const HatPair hat = add_hats(song, 0.04, 0.3, 22);
    const int clap = song.add("clap", drums::clap());
    const int crash = song.add("crash", drums::crash(30));

    song.pans({7, 11, 7, 3, 5, 11, 4, 9, 12, 7, 8, 10, 6});

    Line melody{kLead, brass, 4, 50};
    melody.vibrato_after = 6;
    melody.glide = 0x30;
    Line solo{kLead, synth, 4, 46};
    solo.vibrato = 0x54;
    solo.glide = 0x28;
    Bass slap{kBass, bass, 58, 28};
    slap.step = 1;
    slap.cut_rests = true;
    Pad clav_pad{{kClavA, kClavB, kClavC}, clav, 26, 55, 72};
    Pad stabs{{kStabA, kStabB, kStabC}, brass, 28, 57, 76};
    Drum kick_drum{kKick, kick, -1, 60, 60, 1201};
    Drum snare_drum{kSnare, snare, clap, 52, 60, 1202};
    Drum hats{kHat, hat.closed, hat.open, 30, 60, 1203};
    hats.swing = 1;

    const auto vamp = progression(key, "17 47 17 47 17 47 17 47");
    const auto uptown = progression(key, "47 47 7 7 37 37 57M 57M");
    const char* const kSlap = "R . . R . 8 . R . . 5 . 7 . 8 .";
    const char* const kComp = ". x . x . . x . . x . x . . x .";

    auto groove = [&](int at, int bars) {
        beat(song, kick_drum, at, bars * kBar, "x..x..x...x..x..");
        beat(song, snare_drum, at, bars * kBar, "....x..o.o..x..o");
        beat(song, hats, at, bars * kBar, "XoxoXoxoXoxoXoxa");
    };

    int row = 0;
    // Intro: drums and bass, then the clavinet.
    groove(row, 4);
    bassline(song, slap, row, progression(key, "17 47 17 47"), kBar, kSlap);
    pad(song, clav_pad, row + 2 * kBar, progression(key, "17 47"), kBar, kComp, 1);
    song.dynamics({}, row, row + 4 * kBar, 0.6, 0.95);
    row += 4 * kBar;

    const int first = row;
    song.note(kPerc, row, crash, 60, 36);
    play(song, key, melody, row, kStreet);
    pad(song, clav_pad, row, vamp, kBar, kComp, 1);
    bassline(song, slap, row, vamp, kBar, kSlap);
    groove(row, 8);
    row += 8 * kBar;

    play(song, key, melody, row, kStreet2);
    pad(song, clav_pad, row, vamp, kBar, kComp, 1);
    pad(song, stabs, row, vamp, kBar, ". . . . . . . . . . x - . . x .", 1);
    bassline(song, slap, row, vamp, kBar, kSlap);
    groove(row, 8);
    row += 8 * kBar;

    // Uptown: new chords, a singing melody, the stabs answering.
    song.note(kPerc, row, crash, 60, 36);
    play(song, key, melody, row, kUptown);
    pad(song, clav_pad, row, uptown, kBar, kComp, 1);
    pad(song, stabs, row, uptown, kBar, "x - . . . . . . . . . . . . . .", 1);
    bassline(song, slap, row, uptown, kBar, "R . . 8 . R . 5 R . . 8 . 5 > .");
    groove(row, 8);
    row += 8 * kBar;

    // Breakdown: bass and drums alone, the clap on every beat at the end.
    song.cut(kLead, row);
    bassline(song, slap, row, progression(key, "17 47 17 47"), kBar, "R . 8 R . 8 R . 5 . 7 . 8 . 5 7");
    beat(song, kick_drum, row, 4 * kBar, "x..x..x...x..x..");
    beat(song, hats, row, 4 * kBar, "x.x.x.x.x.x.x.x.");
    beat(song, snare_drum, row, 3 * kBar, "....a.......a...");
    beat(song, snare_drum, row + 3 * kBar, kBar, "a...a...a.a.a.aa");
    song.dynamics({}, row, row + 4 * kBar, 0.7, 1.0);
    row += 4 * kBar;

    // The square takes a solo over the vamp.
    song.note(kPerc, row, crash, 60, 40);
    play(song, key, solo, row, kSolo);
    pad(song, clav_pad, row, vamp, kBar, kComp, 1);
    bassline(song, slap, row, vamp, kBar, kSlap);
    groove(row, 8);
    row += 8 * kBar;

    // The theme with everyone.
    song.note(kPerc, row, crash, 60, 40);
    play(song, key, melody, row, kStreet2);
    pad(song, clav_pad, row, vamp, kBar, kComp, 1);
    pad(song, stabs, row, vamp, kBar, ". . . . . . . . . . x - . . x .", 1);
    bassline(song, slap, row, vamp, kBar, kSlap);
    groove(row, 8);
    row += 8 * kBar;

    // Out: four hits together and a last chord that rings.
    const auto out = progression(key, "47 47 17 17");
    pad(song, stabs, row, out, kBar, "x - . . . . x - . . . . x - . .", 1);
    bassline(song, slap, row, out, kBar, "R . . . . . R . . . . . R . . .");
    pad(song, stabs, row + 2 * kBar, progression(key, "19"), 2 * kBar);
    play(song, key, melody, row + 2 * kBar, "5 - - - - - - - | - - - - - - - . ");
    beat(song, kick_drum, row, 2 * kBar, "x.....x.....x...");
    beat(song, snare_drum, row, 2 * kBar, "x.....x.....x...");
    song.note(kPerc, row + 2 * kBar, crash, 60, 44);
    song.note(kKick, row + 2 * kBar, kick, 60, 58);
    song.note(kBass, row + 2 * kBar, bass, 28, 56);
    song.dynamics({}, row + 2 * kBar, row + 4 * kBar, 1.0, 0.0);
    echo(song, kLead, kEcho, first, row + 4 * kBar, 3, 0.35);
    song.end_at(row + 4 * kBar);
    return song.build();
}

}  // namespace music
