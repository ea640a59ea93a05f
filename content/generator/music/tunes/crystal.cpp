// CRYSTAL, the Crystal world: F lydian, 104 bpm, bright and cold. A glass
// melody that rings into its own echo, wooden-bar sixteenths, a choir, bells,
// a soft flute answer, light percussion with a sparkle of hats; a still
// interlude of bars and choir, and the lydian turn leading back to the theme.
#include "generator/music/arrange.h"
#include "generator/music/presets.h"
#include "generator/music/tunes.h"

namespace music {

namespace {

enum Channel {
    kGlass, kEcho, kMallet, kFlute, kBass, kChoirA, kChoirB, kChoirC, kBell, kKick, kRim, kHat, kPerc, kChannels
};
constexpr int kBar = 16;

const char* const kShine =
    "5 - 3 - 7 - 5 - | 4 - 2 - 6 - 4 - | 5 - 7 - 2' - 3' - | 2' - - - 7 - 6 4 |"
    "3 - 6 - 1' - 3' - | 3' - 2' - 7 - 5 - | 3' - 1' - 7 - 5 - | 4 - - - 2 - - - ";
const char* const kShine2 =
    "5 - 3 5 7 - 5 - | 4 - 2 4 6 - 4 - | 5 - 7 - 2' - 3' 5' | 4' - - - 2' - 7 - |"
    "3 - 6 - 1' - 3' 2' | 3' - 2' - 7 - 5 3 | 3' - 1' - 7 - 5 - | 1 - - - - - - - ";
const char* const kAnswer =
    "6 - - - 5 - 3 - | 5 - - - 3 - 2 - | 4 - - - 2 - 4 - | 5 - - - - - . . |"
    "6 - - - 1' - 6 - | 5 - - - 3 - 5 - | 4 - - - 6 - 5 - | 4 - - - - - . . ";

}  // namespace

writers::S3mModule crystal_tune() {
    Song song("Velmora - crystal", kChannels, 104);
    const Key key{5, Mode::Lydian};  // F lydian

    const int glass = song.add("glass", tones::glass());
    const int mallet = song.add("mallet", tones::mallet());
    const int flute = song.add("flute", tones::flute());
    const int choir = song.add("choir", tones::choir(51));
    const int bell = song.add("bell", tones::bell());
    const int bass = song.add("round bass", tones::bass_sub());
    const int kick = song.add("soft kick", drums::kick(0.6, 50));
    const int rim = song.add("rim", drums::rim());
    const int hat = song.add("tiny hat", drums::hat(0.025, 17));
    const int shaker = song.add("shaker", drums::shaker());
    const int crash = song.add("crash", drums::crash(24));

    song.pans({6, 11, 3, 8, 7, 4, 8, 12, 10, 7, 9, 11, 5});
    song.global_volume(52);

    Line lead = ringing(kGlass, glass, 4, 46);
    Line bars_line = ringing(kMallet, mallet, 4, 28, 1);
    Line answer{kFlute, flute, 4, 38};
    answer.vibrato = 0x32;
    Line chime = ringing(kBell, bell, 5, 26, 16);
    Pad voices{{kChoirA, kChoirB, kChoirC}, choir, 24, 57, 76};
    Bass low{kBass, bass, 46, 29};
    Drum kick_drum{kKick, kick, -1, 46, 60, 601};
    Drum rim_drum{kRim, rim, -1, 30, 60, 602};
    Drum hats{kHat, hat, shaker, 24, 60, 603};

    const auto shine = progression(key, "1M7 2 1M7 2 6 5 3 2");
    const auto shine_home = progression(key, "1M7 2 1M7 2 6 5 3 1");
    const auto turn = progression(key, "6 3 2 5 6 3 2 2");
    const char* const kSparkle = "0 2 4 2 5 4 2 4 3 2 4 2 5 4 6 4";

    int row = 0;
    // Intro: wooden bars alone, then the choir breathes in.
    arpeggio(song, bars_line, row, progression(key, "1M7 2 1M7 2"), kBar, kSparkle, 60);
    pad(song, voices, row + 2 * kBar, progression(key, "1M7 2"), kBar);
    play(song, key, chime, row + 2 * kBar, "5 4");
    song.dynamics({}, row, row + 4 * kBar, 0.6, 1.0);
    row += 4 * kBar;

    const int first = row;
    play(song, key, lead, row, kShine);
    arpeggio(song, bars_line, row, shine, kBar, kSparkle, 60);
    pad(song, voices, row, shine, kBar);
    bassline(song, low, row, shine, kBar, "R - - - - - 5 -");
    beat(song, hats, row, 8 * kBar, "x.x.xax.x.x.xaxx");
    beat(song, kick_drum, row + 4 * kBar, 4 * kBar, "x.........x.....");
    row += 8 * kBar;

    song.note(kPerc, row, crash, 60, 30);
    play(song, key, lead, row, kShine2);
    arpeggio(song, bars_line, row, shine_home, kBar, kSparkle, 60);
    pad(song, voices, row, shine_home, kBar);
    play(song, key, chime, row, "5 3 5 4 3 5 5 1");
    bassline(song, low, row, shine_home, kBar, "R - - 5 - - 8 -");
    beat(song, kick_drum, row, 8 * kBar, "x.........x.....");
    beat(song, rim_drum, row, 8 * kBar, "....x.......x...");
    beat(song, hats, row, 8 * kBar, "x.x.xax.x.x.xaxx");
    row += 8 * kBar;

    // The flute answers in the relative minor colours; the glass echoes it.
    play(song, key, answer, row, kAnswer);
    play(song, key, lead, row + 4, kAnswer, 2);
    arpeggio(song, bars_line, row, turn, kBar, "0 1 2 3 4 3 2 1 0 1 2 3 4 5 4 3", 57);
    pad(song, voices, row, turn, kBar);
    bassline(song, low, row, turn, kBar, "R - - 5 - 8 - 5");
    beat(song, kick_drum, row, 8 * kBar, "x.........x...x.");
    beat(song, rim_drum, row, 8 * kBar, "....x.......x...");
    beat(song, hats, row, 8 * kBar, "x.x.x.x.x.x.x.x.");
    row += 8 * kBar;

    // Theme again with bells marking the bars.
    song.note(kPerc, row, crash, 60, 32);
    song.cut(kFlute, row);
    play(song, key, lead, row, kShine);
    play(song, key, chime, row, "5 4 5 4 3 5 3 2");
    arpeggio(song, bars_line, row, shine, kBar, kSparkle, 60);
    pad(song, voices, row, shine, kBar);
    bassline(song, low, row, shine, kBar, "R - - 5 - - 8 -");
    beat(song, kick_drum, row, 8 * kBar, "x.........x.....");
    beat(song, rim_drum, row, 8 * kBar, "....x.......x..x");
    beat(song, hats, row, 8 * kBar, "x.x.xax.x.x.xaxx");
    row += 8 * kBar;

    // Interlude: only the bars and the choir, hushed.
    const auto still = progression(key, "1M7 2 6 2 1M7 2 3 5");
    arpeggio(song, bars_line, row, still, kBar, "0 2 4 . 5 . 4 2 0 . 2 . 4 . . .", 60);
    pad(song, voices, row, still, kBar);
    bassline(song, low, row, still, kBar, "R - - - - - - - ");
    play(song, key, chime, row + 4 * kBar, "5 . 4 .");
    song.dynamics({}, row, row + 8 * kBar, 0.45, 0.5);
    row += 8 * kBar;

    // The answer and the theme together, the bells too: the fullest.
    song.note(kPerc, row, crash, 60, 38);
    play(song, key, answer, row, kAnswer);
    play(song, key, lead, row, kShine2);
    play(song, key, chime, row, "5 3 5 4 3 5 5 1");
    arpeggio(song, bars_line, row, shine_home, kBar, kSparkle, 60);
    pad(song, voices, row, shine_home, kBar);
    bassline(song, low, row, shine_home, kBar, "R - - 5 - - 8 -");
    beat(song, kick_drum, row, 8 * kBar, "x.........x...x.");
    beat(song, rim_drum, row, 8 * kBar, "....x.......x...");
    beat(song, hats, row, 8 * kBar, "x.x.xax.x.x.xaxx");
    song.dynamics({kMallet, kChoirA, kChoirB, kChoirC, kBass, kKick, kRim, kHat}, row, row + 8 * kBar, 1.15, 1.15);
    row += 8 * kBar;

    // Turn: the lydian second rises to the dominant and the theme rings again.
    const auto rise = progression(key, "2 2 5 5");
    play(song, key, lead, row, "4 - 2 - 6 - 4 - | 2' - - - 7 - - - | 5 - 7 - 2' - 3' - | 2' - - - - - . . ");
    play(song, key, chime, row, "4 2 5 5");
    arpeggio(song, bars_line, row, rise, kBar, kSparkle, 60);
    pad(song, voices, row, rise, kBar);
    bassline(song, low, row, rise, kBar, "R - - - 5 - - - ");
    beat(song, hats, row, 4 * kBar, "x.x.x.x.x.x.xaxx");
    beat(song, kick_drum, row, 4 * kBar, "x.........x.....");
    beat(song, rim_drum, row + 3 * kBar, kBar, "....x...x.x.x.x.");
    row += 4 * kBar;
    echo(song, kGlass, kEcho, first, row, 3, 0.45);
    song.end_at(row);
    song.loop_back_to(first);
    return song.build();
}

}  // namespace music
