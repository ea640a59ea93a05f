// ASTRONUK, the City world: E dorian, 112 bpm, funky. A slapped bass in
// syncopated sixteenths, clavinet chords on the off-beats, brass for the
// theme and for stabs, drums with ghost notes and sixteenth hats that swing
// a little. The sections change the band: uptown goes half-time under long
// electric-piano chords; at night only the piano, a shaker and a soft bass
// are left; the square's solo rides a four-on-the-floor disco beat; the
// theme comes back with everyone, and a turn of stabs leads round again.
#include "generator/music/arrange.h"
#include "generator/music/presets.h"
#include "generator/music/tunes.h"

namespace music {

namespace {

// The clavinet's three channels carry the electric piano where the clavinet rests.
enum Channel {
    kLead, kEcho, kBass, kClavA, kClavB, kClavC, kStabA, kStabB, kStabC, kKick, kSnare, kHat, kPerc, kKeys,
    kChannels
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
    const int piano = song.add("electric piano", tones::epiano());
    const int kick = song.add("kick", drums::kick(1.0, 50));
    const int snare = song.add("snare", drums::snare(200, 0.9));
    const HatPair hat = add_hats(song, 0.04, 0.3, 22);
    const int clap = song.add("clap", drums::clap());
    const int crash = song.add("crash", drums::crash(30));
    const int shaker = song.add("shaker", drums::shaker());

    song.pans({7, 11, 7, 3, 5, 11, 4, 9, 12, 7, 8, 10, 6, 9});

    Line melody{kLead, brass, 4, 50};
    melody.vibrato_after = 6;
    melody.glide = 0x30;
    Line solo{kLead, synth, 4, 46};
    solo.vibrato = 0x54;
    solo.glide = 0x28;
    Line keys_line = ringing(kKeys, piano, 5, 30);
    Bass slap{kBass, bass, 58, 28};
    slap.step = 1;
    slap.cut_rests = true;
    Pad clav_pad{{kClavA, kClavB, kClavC}, clav, 26, 55, 72};
    Pad keys{{kClavA, kClavB, kClavC}, piano, 26, 52, 71};
    Pad stabs{{kStabA, kStabB, kStabC}, brass, 28, 57, 76};
    Drum kick_drum{kKick, kick, -1, 60, 60, 1201};
    Drum snare_drum{kSnare, snare, clap, 52, 60, 1202};
    Drum hats{kHat, hat.closed, hat.open, 30, 60, 1203};
    hats.swing = 1;
    Drum shakes{kPerc, shaker, crash, 24, 60, 1204};

    const auto vamp = progression(key, "17 47 17 47 17 47 17 47");
    const auto uptown = progression(key, "47 47 7 7 37 37 57M 57M");
    const auto night = progression(key, "17 47 27 57 17 47 3 47");
    const char* const kSlap = "R . . R . 8 . R . . 5 . 7 . 8 .";
    const char* const kComp = ". x . x . . x . . x . x . . x .";
    // The two pads share channels: each strikes afresh where it takes over.
    const auto take_over = [](Pad& p) { p.sounding = false; };

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

    // Street: the brass theme over clavinet and slap.
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

    // Uptown: half time. The clavinet rests; electric-piano chords hold, the
    // bass plays long notes, the brass sings over a slow backbeat.
    song.note(kPerc, row, crash, 60, 32);
    take_over(keys);
    Line sung = melody;
    sung.volume = 42;
    play(song, key, sung, row, kUptown);
    pad(song, keys, row, uptown, kBar);
    bassline(song, slap, row, uptown, kBar, "R - - - - - - . 5 - - . R - 8 .");
    beat(song, kick_drum, row, 8 * kBar, "x.........x.....");
    beat(song, snare_drum, row, 8 * kBar, "........x.......");
    beat(song, hats, row, 8 * kBar, "x.x.x.x.x.x.x.x.");
    song.dynamics({}, row, row + 8 * kBar, 0.8, 0.8);
    row += 8 * kBar;

    // Night: the piano picks out the chords alone over a shaker and a soft
    // bass; in the last two bars the claps call the band back.
    song.cut(kLead, row);
    arpeggio(song, keys_line, row, night, kBar, "0 2 4 2 5 4 2 4", 57);
    take_over(keys);
    pad(song, keys, row, night, kBar, "x - - - - - - - - - - - . . . .", 1);
    bassline(song, slap, row, night, kBar, "R - - - - - - . R - - - 5 - - . ");
    beat(song, shakes, row, 8 * kBar, "x.o.x.o.x.o.x.oo");
    beat(song, hats, row + 4 * kBar, 2 * kBar, "....x.......x...");
    beat(song, snare_drum, row + 6 * kBar, 2 * kBar, "a...a...a.a.a.aa");
    beat(song, kick_drum, row + 6 * kBar, 2 * kBar, "x...x...x...x...");
    song.dynamics({}, row, row + 6 * kBar, 0.5, 0.55);
    song.dynamics({}, row + 6 * kBar, row + 8 * kBar, 0.55, 0.9);
    row += 8 * kBar;

    // The square's solo on a disco beat: kick on every beat, open hats on
    // the off-beats, the bass in octaves, the clavinet back.
    song.note(kPerc, row, crash, 60, 40);
    take_over(clav_pad);
    play(song, key, solo, row, kSolo);
    pad(song, clav_pad, row, vamp, kBar, kComp, 1);
    bassline(song, slap, row, vamp, kBar, "R . 8 . R . 8 . R . 8 . R . 8 .");
    beat(song, kick_drum, row, 8 * kBar, "x...x...x...x...");
    beat(song, snare_drum, row, 8 * kBar, "....x.......x...");
    beat(song, hats, row, 8 * kBar, "x.a.x.a.x.a.x.a.");
    row += 8 * kBar;

    // The theme with everyone: brass, stabs, clavinet, the piano ringing above.
    song.note(kPerc, row, crash, 60, 44);
    play(song, key, melody, row, kStreet2);
    pad(song, clav_pad, row, vamp, kBar, kComp, 1);
    pad(song, stabs, row, vamp, kBar, ". . . . . . . . . . x - . . x .", 1);
    play(song, key, keys_line, row, kStreet2);
    bassline(song, slap, row, vamp, kBar, kSlap);
    groove(row, 8);
    song.dynamics({kBass, kClavA, kClavB, kClavC, kKick, kSnare, kHat}, row, row + 8 * kBar, 1.1, 1.1);
    row += 8 * kBar;

    // Turn: stabs on the four and the dominant, a clap fill, and round again.
    const auto turn = progression(key, "47 47 57M 57M");
    pad(song, stabs, row, turn, kBar, "x - . . . . x - . . . . x - . .", 1);
    pad(song, clav_pad, row, turn, kBar, kComp, 1);
    bassline(song, slap, row, turn, kBar, kSlap);
    play(song, key, melody, row, "6 - - - 5 - 4 - | 3 - - - 2 - 1 - | #7, - - - 2 - 4 - | 5 - - - - - . . ");
    groove(row, 3);
    beat(song, kick_drum, row + 3 * kBar, kBar, "x...x...x...x...");
    beat(song, snare_drum, row + 3 * kBar, kBar, "a...a...a.a.a.aa");
    beat(song, hats, row + 3 * kBar, kBar, "x.x.x.x.x.x.x.x.");
    row += 4 * kBar;
    echo(song, kLead, kEcho, first, row, 3, 0.35);
    song.end_at(row);
    song.loop_back_to(first);
    return song.build();
}

}  // namespace music
