// SLINKY, the Space world: C dorian, 118 bpm. A square lead that glides,
// sixteenth arpeggios echoing from side to side, glassy bells, a sinuous bass
// and four-on-the-floor drums; a weightless middle, hushed and without drums,
// the theme doubled at full strength, and a turn back to the theme.
#include "generator/music/arrange.h"
#include "generator/music/presets.h"
#include "generator/music/tunes.h"

namespace music {

namespace {

enum Channel {
    kLead, kEcho, kArp, kArpEcho, kBass, kPadA, kPadB, kPadC, kGlass, kKick, kClap, kHat, kPerc, kChannels
};
constexpr int kBar = 16;

const char* const kThemeA =
    "1' - - - 7 - 5 - | 6 - - - ~5 - - - | 3 - 4 - 5 - 7 - | 1' - - - 2' - 1' - |"
    "3' - - - 1' - - - | 2' - - - 4' - - - | 5' - 4' 3' ~4' - 3' - | 2' - - - - - . . ";
const char* const kThemeA2 =
    "1' - - 2' 7 - 5 - | 6 - 5 - ~4 - 5 - | 3 - 4 - 5 - 1' - | 7 - 6 - 5 - 4 - |"
    "3' - - 2' 1' - - - | 2' - 1' - 7 - 4' - | 5' - 4' 3' 2' - 3' - | 1' - - - - - . . ";
const char* const kThemeB =
    "1' - - 3' - - 5' - | 4' - - - 2' - - - | 7 - 1' 2' - - 4' - | 3' - - - - - . . |"
    "3' - - 1' - - b6 - | 7 - 1' 2' 4' - 2' - | 1' - - 6 - - 4 - | #7 - - 2' - - 5' - ";

}  // namespace

writers::S3mModule space_tune() {
    Song song("Velmora - space", kChannels, 118);
    const Key key{0, Mode::Dorian};  // C dorian

    const int lead = song.add("square lead", tones::lead_square(0.3));
    const int blip = song.add("square arp", tones::lead_square(0.5));
    const int glass = song.add("glass", tones::glass());
    const int bass = song.add("slinky bass", tones::bass_synth(0.8, 0.55));
    const int pad_tone = song.add("warm pad", tones::warm_pad(41));
    const int kick = song.add("kick", drums::kick(0.8, 48));
    const int clap = song.add("clap", drums::clap());
    const HatPair hat = add_hats(song, 0.045, 0.3, 13);
    const int crash = song.add("crash", drums::crash(22));
    const int riser = song.add("riser", drums::riser(2.0));

    song.pans({7, 11, 3, 12, 7, 4, 8, 11, 10, 7, 8, 9, 6});
    song.global_volume(54);

    Line melody{kLead, lead, 5, 42};
    melody.vibrato = 0x24;
    melody.glide = 0x20;
    Line arp = ringing(kArp, blip, 4, 22, 1);
    Line bells = ringing(kGlass, glass, 5, 30, 4);
    Bass slinky{kBass, bass, 50, 31};
    Pad pad_voices{{kPadA, kPadB, kPadC}, pad_tone, 26, 55, 75};
    Drum kick_drum{kKick, kick, -1, 54, 60, 401};
    Drum clap_drum{kClap, clap, -1, 40, 60, 402};
    Drum hats{kHat, hat.closed, hat.open, 28, 60, 403};

    const auto home = progression(key, "17 4 17 4 b6M7 7 17 57");
    const auto home_close = progression(key, "17 4 17 4 b6M7 7 57 17");
    const auto away = progression(key, "b6M7 7 57 17 b6M7 7 4 5M");
    const auto drift = progression(key, "b6M7 b6M7 47 47 b6M7 7 5M 5M");
    const char* const kRipple = "0 2 1 3 2 4 3 5 4 2 3 1 2 0 1 2";

    int row = 0;
    // Intro: pad and arpeggio out of nothing, bells; hats and kick join.
    pad(song, pad_voices, row, home, kBar);
    arpeggio(song, arp, row, home, kBar, kRipple, 53);
    arpeggio(song, bells, row + 2 * kBar, progression(key, "17 4 17 4 b6M7 7"), kBar, "4 . 2 .", 72);
    beat(song, hats, row + 4 * kBar, 4 * kBar, "o.x.o.x.o.x.o.xa");
    beat(song, kick_drum, row + 6 * kBar, 2 * kBar, "x...x...x...x...");
    song.note(kPerc, row + 7 * kBar, riser, 60, 34);
    song.dynamics({}, row, row + 8 * kBar, 0.5, 1.0);
    row += 8 * kBar;

    const int theme = row;
    song.note(kPerc, row, crash, 60, 40);
    play(song, key, melody, row, kThemeA);
    pad(song, pad_voices, row, home, kBar);
    arpeggio(song, arp, row, home, kBar, kRipple, 53);
    bassline(song, slinky, row, home, kBar, "R - . 8 R . 5 >");
    beat(song, kick_drum, row, 8 * kBar, "x...x...x...x...");
    beat(song, clap_drum, row, 8 * kBar, "....x.......x...");
    beat(song, hats, row, 8 * kBar, "o.x.o.x.o.x.o.xa");
    row += 8 * kBar;

    song.note(kPerc, row, crash, 60, 36);
    play(song, key, melody, row, kThemeA2);
    pad(song, pad_voices, row, home_close, kBar);
    arpeggio(song, arp, row, home_close, kBar, kRipple, 53);
    arpeggio(song, bells, row, home_close, kBar, ". 4 . 2", 72);
    bassline(song, slinky, row, home_close, kBar, "R - . 8 R . 5 >");
    beat(song, kick_drum, row, 8 * kBar, "x...x...x...x...");
    beat(song, clap_drum, row, 8 * kBar, "....x.......x..o");
    beat(song, hats, row, 8 * kBar, "o.x.o.x.o.x.o.xa");
    row += 8 * kBar;

    song.note(kPerc, row, crash, 60, 40);
    play(song, key, melody, row, kThemeB);
    pad(song, pad_voices, row, away, kBar);
    arpeggio(song, arp, row, away, kBar, "0 1 2 3 4 3 2 1", 53);
    bassline(song, slinky, row, away, kBar, "R 8 . R 8 . 5 7");
    beat(song, kick_drum, row, 8 * kBar, "x...x...x...x...");
    beat(song, clap_drum, row, 8 * kBar, "....x.......x...");
    beat(song, hats, row, 8 * kBar, "x.x.X.x.x.x.X.xa");
    row += 8 * kBar;

    // Weightless: bells and pad drift, the arpeggio thins out, no drums.
    song.cut(kLead, row);
    pad(song, pad_voices, row, drift, kBar);
    Line slow_bells = bells;
    slow_bells.volume = 34;
    arpeggio(song, slow_bells, row, drift, kBar, "0 2 4 3", 67);
    Line sparse = arp;
    sparse.step = 2;
    arpeggio(song, sparse, row, drift, kBar, "0 . 2 . 4 . 2 .", 53);
    bassline(song, slinky, row, drift, kBar, "R - - - - - - - ");
    beat(song, hats, row + 6 * kBar, 2 * kBar, "x...x...x...x.x.");
    song.note(kPerc, row + 7 * kBar, riser, 60, 40);
    song.dynamics({kPadA, kPadB, kPadC}, row, row + 8 * kBar, 1.2, 1.0);
    song.dynamics({}, row, row + 6 * kBar, 0.42, 0.48);
    song.dynamics({}, row + 6 * kBar, row + 8 * kBar, 0.48, 0.9);
    row += 8 * kBar;

    // Home again, the lead doubled a third lower by the bells.
    song.note(kPerc, row, crash, 60, 44);
    play(song, key, melody, row, kThemeA2);
    Line third = bells;
    third.step = 2;
    third.volume = 26;
    play(song, key, third, row, kThemeA2, -2);
    pad(song, pad_voices, row, home_close, kBar);
    arpeggio(song, arp, row, home_close, kBar, kRipple, 53);
    bassline(song, slinky, row, home_close, kBar, "R - . 8 R . 5 >");
    beat(song, kick_drum, row, 8 * kBar, "x...x...x...x...");
    beat(song, clap_drum, row, 8 * kBar, "....x.......x..o");
    beat(song, hats, row, 8 * kBar, "x.x.X.x.x.x.X.xa");
    row += 8 * kBar;

    song.dynamics({kPadA, kPadB, kPadC, kArp, kBass, kKick, kClap, kHat}, row - 8 * kBar, row, 1.12, 1.12);

    // Turn: the chords lift to the dominant under a riser; the theme again.
    const auto turn = progression(key, "b6M7 7 4 5M");
    play(song, key, melody, row, "3' - - - 2' - - - | 4' - - - 2' - - - | 1' - - - 7 - 6 - | #7 - - - - - . . ");
    pad(song, pad_voices, row, turn, kBar);
    arpeggio(song, arp, row, turn, kBar, kRipple, 53);
    bassline(song, slinky, row, turn, kBar, "R - . 8 R . 5 >");
    beat(song, kick_drum, row, 4 * kBar, "x...x...x...x...");
    beat(song, clap_drum, row, 3 * kBar, "....x.......x...");
    beat(song, clap_drum, row + 3 * kBar, kBar, "....x...x.x.xxxx");
    beat(song, hats, row, 4 * kBar, "o.x.o.x.o.x.o.xa");
    song.note(kPerc, row + 3 * kBar, riser, 60, 36);
    row += 4 * kBar;
    echo(song, kLead, kEcho, theme, row, 3, 0.4);
    echo(song, kArp, kArpEcho, 0, row, 3, 0.5);
    song.end_at(row);
    song.loop_back_to(theme);
    return song.build();
}

}  // namespace music
