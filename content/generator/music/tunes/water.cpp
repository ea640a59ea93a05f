// PURPLE, the Water world: G dorian in a rolling 6/8, 100 bpm (twelve rows
// a bar). A harp that never stops flowing, a flute with a slow waver, glass
// drops falling into a long echo, a soft pad and round bass, and light
// percussion that marks the two beats of each bar; deep, hushed water in the
// middle, and the current turning back into the tide.
#include "generator/music/arrange.h"
#include "generator/music/presets.h"
#include "generator/music/tunes.h"

namespace music {

namespace {

enum Channel {
    kFlute, kEcho, kHarp, kDrops, kDropEcho, kBass, kPadA, kPadB, kPadC, kKick, kRim, kShaker, kChannels
};
constexpr int kBar = 12;

const char* const kTide =
    "5 - - 4 3 4 | 5 - - - 6 5 | 3 - - 2 1 2 | 4 - - 3 4 6 |"
    "5 - - - 3 5 | 4 - - 3 2 1 | 2 - - 3 4 5 | 5 - - - - . ";
const char* const kTide2 =
    "5 - - 4 3 4 | 5 - 6 7 6 5 | 3 - - 2 1 2 | 4 - - 3 4 6 |"
    "1' - - 7 6 5 | 4 - - 3 2 1 | 2 - 3 4 5 7, | 1 - - - - . ";
const char* const kCurrent =
    "3' - - 2' 1' 7 | 1' - - - 6 5 | 7 - - 1' 2' 3' | 2' - - - - . |"
    "3' - - 4' 3' 2' | 1' - - 6 5 6 | 6 - - 4 - 2 | #7 - - - 5 - ";

}  // namespace

writers::S3mModule water_tune() {
    Song song("Velmora - water", kChannels, 100);
    const Key key{7, Mode::Dorian};  // G dorian

    const int flute = song.add("flute", tones::flute());
    const int harp = song.add("harp", tones::pluck(0.8));
    const int glass = song.add("glass drop", tones::glass());
    const int pad_tone = song.add("warm pad", tones::warm_pad(61));
    const int bass = song.add("round bass", tones::bass_sub());
    const int kick = song.add("soft kick", drums::kick(0.5, 44));
    const int rim = song.add("rim", drums::rim());
    const int shaker = song.add("shaker", drums::shaker());
    const int crash = song.add("wash", drums::crash(25));

    song.pans({7, 10, 4, 11, 3, 7, 3, 8, 12, 7, 9, 5});
    song.global_volume(41);

    Line lead{kFlute, flute, 4, 44};
    lead.vibrato = 0x23;
    lead.vibrato_after = 5;
    Line roll = ringing(kHarp, harp, 4, 28);
    Line drops = ringing(kDrops, glass, 5, 26, 6);
    Pad pad_voices{{kPadA, kPadB, kPadC}, pad_tone, 22, 53, 72};
    Bass low{kBass, bass, 48, 31};
    Drum kick_drum{kKick, kick, -1, 44, 60, 701};
    Drum rim_drum{kRim, rim, crash, 28, 60, 702};
    Drum shaker_drum{kShaker, shaker, -1, 22, 60, 703};

    const auto tide = progression(key, "17 4 17 4 3 7 5 5");
    const auto tide_home = progression(key, "17 4 17 4 3 7 5 17");
    const auto current = progression(key, "3 4 7 17 3 4 2 5M");
    const auto deep = progression(key, "4 4 3 3 7 7 5M 5M");
    const char* const kFlow = "0 2 4 5 4 2";

    int row = 0;
    // Intro: the harp, drops, the pad rising.
    arpeggio(song, roll, row, progression(key, "17 4 17 4"), kBar, kFlow, 55);
    pad(song, pad_voices, row + 2 * kBar, progression(key, "17 4"), kBar);
    play(song, key, drops, row + kBar, "5 . 3 . 1' . ");
    song.dynamics({}, row, row + 4 * kBar, 0.55, 1.0);
    row += 4 * kBar;

    const int first = row;
    play(song, key, lead, row, kTide);
    arpeggio(song, roll, row, tide, kBar, kFlow, 55);
    pad(song, pad_voices, row, tide, kBar);
    bassline(song, low, row, tide, kBar, "R - - 5 - - ");
    beat(song, shaker_drum, row, 8 * kBar, "x.o.o.x.o.o.");
    beat(song, kick_drum, row + 4 * kBar, 4 * kBar, "x...........");
    row += 8 * kBar;

    play(song, key, lead, row, kTide2);
    arpeggio(song, roll, row, tide_home, kBar, "0 2 4 5 6 4", 55);
    pad(song, pad_voices, row, tide_home, kBar);
    play(song, key, drops, row, ". 5 . 3 . 1' . 5 . 3 . 2' . 4 . 5 ");
    bassline(song, low, row, tide_home, kBar, "R - - 5 - - ");
    beat(song, kick_drum, row, 8 * kBar, "x...........");
    beat(song, rim_drum, row, 8 * kBar, "......x.....");
    beat(song, shaker_drum, row, 8 * kBar, "x.o.o.x.o.o.");
    row += 8 * kBar;

    // The current: higher, fuller.
    song.note(kRim, row, crash, 60, 30);
    play(song, key, lead, row, kCurrent);
    arpeggio(song, roll, row, current, kBar, "0 2 4 6 4 2", 55);
    pad(song, pad_voices, row, current, kBar);
    bassline(song, low, row, current, kBar, "R - - 5 - 8 ");
    beat(song, kick_drum, row, 8 * kBar, "x.....x.....");
    beat(song, rim_drum, row, 8 * kBar, "......x....o");
    beat(song, shaker_drum, row, 8 * kBar, "x.o.o.x.o.o.");
    row += 8 * kBar;

    // Deep water: no flute, no beat; drops and harp over slow chords.
    song.cut(kFlute, row);
    arpeggio(song, roll, row, deep, kBar, "0 1 2 3 2 1", 53);
    pad(song, pad_voices, row, deep, kBar);
    Line slow_drops = drops;
    slow_drops.volume = 32;
    play(song, key, slow_drops, row, "1' . 6 . 5 . 4 . 3' . 2' . #7 . 2' . ");
    bassline(song, low, row, deep, kBar, "R - - - - - ");
    song.dynamics({kPadA, kPadB, kPadC}, row, row + 8 * kBar, 1.15, 0.9);
    song.dynamics({}, row, row + 8 * kBar, 0.45, 0.5);
    row += 8 * kBar;

    // The tide returns, harp doubling the flute a third below.
    song.note(kRim, row, crash, 60, 30);
    play(song, key, lead, row, kTide2);
    Line under = roll;
    under.channel = kDrops;
    under.volume = 26;
    play(song, key, under, row, kTide2, -2);
    arpeggio(song, roll, row, tide_home, kBar, kFlow, 55);
    pad(song, pad_voices, row, tide_home, kBar);
    bassline(song, low, row, tide_home, kBar, "R - - 5 - - ");
    beat(song, kick_drum, row, 8 * kBar, "x.....x.....");
    beat(song, rim_drum, row, 8 * kBar, "......x.....");
    beat(song, shaker_drum, row, 8 * kBar, "x.o.o.x.o.o.");
    row += 8 * kBar;

    song.dynamics({kHarp, kPadA, kPadB, kPadC, kBass, kKick, kRim, kShaker}, row - 8 * kBar, row, 1.15, 1.15);

    // Turn: the current swells once more and settles on the dominant.
    const auto turn = progression(key, "3 4 5M 5M");
    play(song, key, lead, row, "3' - - 2' 1' 7 | 1' - - 6 5 6 | 7 - - - 2' - | #7 - - - - . ");
    arpeggio(song, roll, row, turn, kBar, "0 2 4 6 4 2", 55);
    pad(song, pad_voices, row, turn, kBar);
    bassline(song, low, row, turn, kBar, "R - - 5 - 8 ");
    beat(song, kick_drum, row, 4 * kBar, "x.....x.....");
    beat(song, rim_drum, row, 3 * kBar, "......x....o");
    beat(song, rim_drum, row + 3 * kBar, kBar, "......x.x.xx");
    beat(song, shaker_drum, row, 4 * kBar, "x.o.o.x.o.o.");
    row += 4 * kBar;
    echo(song, kFlute, kEcho, first, row, 3, 0.35);
    echo(song, kDrops, kDropEcho, 0, row, 6, 0.5);
    song.end_at(row);
    song.loop_back_to(first);
    return song.build();
}

}  // namespace music
