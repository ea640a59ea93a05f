// ASTROV2, the title tune: D minor, 132 bpm, a broad saw lead over strings,
// driving bass and full drums. Intro, theme, theme with bells, a brighter
// second theme, a long hushed breakdown that builds, the theme in two voices
// over the whole band, and a turn on the dominant back to the theme.
#include "generator/music/arrange.h"
#include "generator/music/presets.h"
#include "generator/music/tunes.h"

namespace music {

namespace {

enum Channel { kLead, kEcho, kBells, kBass, kPadA, kPadB, kPadC, kArp, kKick, kSnare, kHat, kPerc, kChannels };
constexpr int kBar = 16;

const char* const kThemeA =
    "1 - 5 - 1' - - 7 | 6 - 5 4 5 - - - | 3 - 5 - 1' - 3' - | 2' - - 1' 7 - 5 - |"
    "1 - 5 - 1' - 2' 3' | 4' - - 3' 2' - 1' - | 7 - 1' 2' 1' - 7 6 | #7 - - - 5 - . . ";
// The theme again, ending on the tonic and more ornamented.
const char* const kThemeA2 =
    "1 - 5 - 1' - 2' 7 | 6 - 5 4 5 6 5 - | 3 - 5 - 1' - 3' 4' | 5' - 4' 3' 2' - 1' - |"
    "1 - 5 - 1' - 2' 3' | 4' - 5' 4' 3' - 2' - | #7 - 1' 2' 3' - 2' #7 | 1' - - - - - . . ";
// Second theme, brighter, around the relative major.
const char* const kThemeB =
    "3' - - 2' 1' - 6 - | 7 - 1' 2' 5 - - - | 1' - 7 6 5 - 3 - | 4 - 5 6 ~5 - - - |"
    "3' - - 2' 1' - 6 - | 7 - 1' 2' 3' - 4' - | 5' - 4' 3' 2' - 1' 2' | 2' - - - - - . . ";
const char* const kBridge =
    "5 - - - - - 4 3 | 4 - - - . . . . | 3 - - - - - 2 1 | 2 - - - . . . . |"
    "5 - - - - - 6 7 | 1' - - - 2' - 3' - | 4' - - - 3' - 2' - | #7 - - - - - - - ";

}  // namespace

writers::S3mModule title_tune() {
    Song song("Velmora - title", kChannels, 132);
    const Key key{2, Mode::Minor};  // D minor

    const int lead = song.add("saw lead", tones::lead_saw(8, 1.0));
    const int bells = song.add("bell", tones::bell());
    const int bass = song.add("bass", tones::bass_synth(1.0, 0.35));
    const int strings = song.add("strings", tones::strings(11));
    const int harp = song.add("pluck", tones::pluck(1.1));
    const int kick = song.add("kick", drums::kick(1.0, 50));
    const int snare = song.add("snare", drums::snare(195, 1.0));
    const HatPair hat = add_hats(song, 0.05, 0.4, 11);
    const int crash = song.add("crash", drums::crash());
    const int tom = song.add("tom", drums::tom(140));
    const int riser = song.add("riser", drums::riser(1.8));

    song.pans({6, 10, 4, 7, 3, 8, 12, 11, 7, 8, 10, 5});

    Line melody{kLead, lead, 4, 46};
    Line bell_line = ringing(kBells, bells, 5, 34);
    Line arp = ringing(kArp, harp, 4, 30);
    Bass bassline_{kBass, bass, 50, 33};
    Pad strings_pad{{kPadA, kPadB, kPadC}, strings, 26, 53, 74};
    Drum kick_drum{kKick, kick, -1, 56, 60, 101};
    Drum snare_drum{kSnare, snare, -1, 48, 60, 102};
    Drum hats{kHat, hat.closed, hat.open, 30, 60, 103};
    Drum perc{kPerc, tom, crash, 40, 60, 0};

    const auto verse = progression(key, "1 6 3 7 1 6 4 5M");
    const auto verse_home = progression(key, "1 6 3 7 1 6 5M 1");
    const auto second = progression(key, "6 7 3 1 6 7 5m 5M");
    const auto bridge = progression(key, "4 5m 6 3 4 5m 6 5M");

    int row = 0;
    // Intro: strings and plucked arpeggio, hats, then kick; a swell into the theme.
    pad(song, strings_pad, row, progression(key, "1 6 3 7 1 6 3 7"), kBar);
    arpeggio(song, arp, row, progression(key, "1 6 3 7 1 6 3 7"), kBar, "0 1 2 3 4 3 2 1", 57);
    beat(song, hats, row + 4 * kBar, 4 * kBar, "x.o.x.o.x.o.x.oa");
    beat(song, kick_drum, row + 4 * kBar, 4 * kBar, "x...x...x...x...");
    song.note(kPerc, row + 7 * kBar, riser, 60, 36);
    song.dynamics({}, row, row + 8 * kBar, 0.55, 1.0);
    row += 8 * kBar;

    // Theme.
    const int theme = row;
    song.note(kPerc, row, crash, 60, 44);
    play(song, key, melody, row, kThemeA);
    pad(song, strings_pad, row, verse, kBar);
    bassline(song, bassline_, row, verse, kBar, "R R 8 R R R 8 >");
    beat(song, kick_drum, row, 7 * kBar, "x.....x.x.......");
    beat(song, snare_drum, row, 7 * kBar, "....x.......x..o");
    beat(song, hats, row, 8 * kBar, "x.x.X.x.x.x.X.xa");
    beat(song, kick_drum, row + 7 * kBar, kBar, "x.....x.x.x.x...");
    beat(song, snare_drum, row + 7 * kBar, kBar, "....x.......xoxx");
    row += 8 * kBar;

    // Theme again, bells answering, arpeggio back.
    song.note(kPerc, row, crash, 60, 40);
    play(song, key, melody, row, kThemeA2);
    play(song, key, bell_line, row + 4, "5 - - - 3' - - - . . . . . . . . | 5 - - - 1' - - - . . . . . . . . |"
                                        "5 - - - 3' - - - . . . . . . . . | 4 - - - 2' - - - . . . . . . . . ");
    pad(song, strings_pad, row, verse_home, kBar);
    arpeggio(song, arp, row, verse_home, kBar, "0 2 4 2 3 2 4 2", 57);
    bassline(song, bassline_, row, verse_home, kBar, "R R 8 R 5 R 8 >");
    beat(song, kick_drum, row, 7 * kBar, "x.....x.x.....x.");
    beat(song, snare_drum, row, 7 * kBar, "....x.......x...");
    beat(song, hats, row, 8 * kBar, "x.x.X.x.x.x.X.xa");
    beat(song, kick_drum, row + 7 * kBar, kBar, "x.....x.........");
    beat(song, perc, row + 7 * kBar, kBar, "........1.2.3.4.");
    beat(song, snare_drum, row + 7 * kBar, kBar, "....x...........");
    row += 8 * kBar;

    // Second theme.
    song.note(kPerc, row, crash, 60, 44);
    play(song, key, melody, row, kThemeB);
    pad(song, strings_pad, row, second, kBar);
    bassline(song, bassline_, row, second, kBar, "R . R 8 . 8 R 5");
    beat(song, kick_drum, row, 8 * kBar, "x.....x...x.....");
    beat(song, snare_drum, row, 8 * kBar, "....x.......x.o.");
    beat(song, hats, row, 8 * kBar, "X.xxX.xxX.xxX.xa");
    row += 8 * kBar;

    // Breakdown: the band drops away; the lead sings softly over strings
    // and the arpeggio, then snare, hats and a riser build back up.
    const int breakdown = row;
    Line soft = melody;
    soft.volume = 34;
    play(song, key, soft, row, kBridge);
    pad(song, strings_pad, row, bridge, kBar);
    arpeggio(song, arp, row, bridge, kBar, "0 1 2 3 2 1 2 3", 57);
    bassline(song, bassline_, row, bridge, kBar, "R - - - - - - - ");
    song.dynamics({}, breakdown, breakdown + 8 * kBar, 0.5, 0.6);
    row += 8 * kBar;
    const auto build = progression(key, "4 5m 6 5M");
    play(song, key, soft, row, "5 - - - - - 6 7 | 1' - - - 2' - 3' - | 4' - - - 3' - 2' - | #7 - - - - - - - ");
    pad(song, strings_pad, row, build, kBar);
    arpeggio(song, arp, row, build, kBar, "0 1 2 3 2 1 2 3", 57);
    bassline(song, bassline_, row, build, kBar, "R - R - R - R - ");
    beat(song, hats, row, 4 * kBar, "x...x...x...x...");
    beat(song, kick_drum, row + 2 * kBar, 2 * kBar, "x...x...x...x...");
    beat(song, snare_drum, row + 2 * kBar, kBar, "x.......x.......");
    beat(song, snare_drum, row + 3 * kBar, kBar, "x...x...x.x.xxxx");
    song.dynamics({kSnare}, row + 2 * kBar, row + 4 * kBar, 0.4, 1.1);
    song.note(kPerc, row + 3 * kBar, riser, 60, 40);
    song.dynamics({}, row, row + 4 * kBar, 0.6, 1.0);
    row += 4 * kBar;

    // The theme in two voices, the bells an octave over it, full band.
    song.note(kPerc, row, crash, 60, 52);
    Line loud = melody;
    loud.volume = 52;
    play(song, key, loud, row, kThemeA2);
    Line harmony = bell_line;
    harmony.volume = 30;
    play(song, key, harmony, row, kThemeA2, -2);
    pad(song, strings_pad, row, verse_home, kBar);
    arpeggio(song, arp, row, verse_home, kBar, "0 2 4 2 3 2 4 2", 57);
    bassline(song, bassline_, row, verse_home, kBar, "R R 8 R R R 8 >");
    beat(song, kick_drum, row, 8 * kBar, "x.....x.x.....x.");
    beat(song, snare_drum, row, 8 * kBar, "....x.......x..o");
    beat(song, hats, row, 8 * kBar, "X.x.X.x.X.x.X.xa");
    song.dynamics({kPadA, kPadB, kPadC, kArp, kBass, kKick, kSnare, kHat}, row, row + 8 * kBar, 1.15, 1.15);
    row += 8 * kBar;

    // Turn: a cadence that stops on the dominant, a tom run, and the theme
    // comes round again.
    const auto turn = progression(key, "6 4 5M 5M");
    song.note(kPerc, row, crash, 60, 44);
    play(song, key, melody, row, "3' - - - 2' - 1' - | 4' - - - 3' - 2' - | #7 - - - 2' - - - | #7 - - - 5 - . . ");
    pad(song, strings_pad, row, turn, kBar);
    arpeggio(song, arp, row, turn, kBar, "0 2 4 2 3 2 4 2", 57);
    bassline(song, bassline_, row, turn, kBar, "R - R - 8 - R - ");
    beat(song, kick_drum, row, 3 * kBar, "x.......x.......");
    beat(song, snare_drum, row, 3 * kBar, "....x.......x...");
    beat(song, hats, row, 3 * kBar, "x.x.x.x.x.x.x.x.");
    beat(song, kick_drum, row + 3 * kBar, kBar, "x.......x.......");
    beat(song, perc, row + 3 * kBar, kBar, "........1.2.3.4.");
    row += 4 * kBar;
    echo(song, kLead, kEcho, theme, row, 3, 0.4);
    song.end_at(row);
    song.loop_back_to(theme);
    return song.build();
}

}  // namespace music
