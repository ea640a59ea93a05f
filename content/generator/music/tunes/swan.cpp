// SWAN: a slow waltz in G major, 84 bpm in 3/4 (twelve rows a bar). Bass on
// the first beat, harp on the second and third, strings beneath a flute; a
// middle in E minor carried by a bell; the flute returns in two voices.
#include "generator/music/arrange.h"
#include "generator/music/presets.h"
#include "generator/music/tunes.h"

namespace music {

namespace {

enum Channel {
    kFlute, kSecond, kBell, kBass, kHarpA, kHarpB, kHarpC, kStrA, kStrB, kStrC, kHarpRun, kTimpani, kChannels
};
constexpr int kBar = 12;

const char* const kGlide =
    "5 - - - 3 4 | 5 - - - 7 - | 1' - 7 - 6 - | 5 - - - - . |"
    "3 - 5 - 1' - | 6 - 1' - 3' - | 2' - 1' - 7 - | 5 - - - - . ";
const char* const kGlide2 =
    "5 - - - 3 4 | 5 - - - 7 - | 1' - 7 - 6 - | 5 - - - 4 3 |"
    "3 - 5 - 1' - | 6 - 1' - 3' - | 2' - 1' - 7 - | 1' - - - - . ";
const char* const kLake =
    "4 - - 5 6 - | 5 - - 6 7 - | 7 - - 1' 2' - | 3' - - - - . |"
    "3' - 2' - 1' - | 2' - 1' - 7 - | 1' - - - 5 - | 1' - - - - . ";

}  // namespace

writers::S3mModule swan_tune() {
    Song song("Velmora - swan", kChannels, 84);
    const Key key{7, Mode::Major};  // G major

    const int flute = song.add("flute", tones::flute());
    const int bell = song.add("bell", tones::bell());
    const int harp = song.add("harp", tones::pluck(0.9));
    const int strings = song.add("strings", tones::strings(121));
    const int bass = song.add("round bass", tones::bass_sub());
    const int timpani = song.add("timpani", drums::timpani(98));

    song.pans({7, 10, 9, 7, 4, 7, 10, 3, 8, 12, 5, 7});
    song.global_volume(42);

    Line lead{kFlute, flute, 4, 46};
    lead.vibrato = 0x32;
    lead.vibrato_after = 5;
    Line second = lead;
    second.channel = kSecond;
    second.volume = 32;
    Line bell_line = ringing(kBell, bell, 4, 36);
    Line run = ringing(kHarpRun, harp, 4, 26);
    Pad pah{{kHarpA, kHarpB, kHarpC}, harp, 20, 59, 76};
    Pad strings_pad{{kStrA, kStrB, kStrC}, strings, 22, 50, 69};
    Bass oom{kBass, bass, 46, 31};
    oom.step = 4;
    oom.cut_rests = false;

    const auto glide = progression(key, "1 3 4 1 6 2 5 5");
    const auto glide_home = progression(key, "1 3 4 1 6 2 5 1");
    const auto lake = progression(key, "4 5 3 6 2 5 1 1");
    const auto dusk = progression(key, "6 6 3 3 4 4 5 5");
    const char* const kWaltz = ". x x";

    int row = 0;
    // Intro: harp rising over strings.
    arpeggio(song, run, row, progression(key, "1 4 1 5"), kBar, "0 1 2 3 4 5", 55);
    pad(song, strings_pad, row, progression(key, "1 4 1 5"), kBar);
    song.dynamics({}, row, row + 4 * kBar, 0.6, 1.0);
    row += 4 * kBar;

    const int first = row;
    play(song, key, lead, row, kGlide);
    pad(song, pah, row, glide, kBar, kWaltz, 4);
    pad(song, strings_pad, row, glide, kBar);
    bassline(song, oom, row, glide, kBar, "R - -");
    row += 8 * kBar;

    play(song, key, lead, row, kGlide2);
    pad(song, pah, row, glide_home, kBar, kWaltz, 4);
    pad(song, strings_pad, row, glide_home, kBar);
    bassline(song, oom, row, glide_home, kBar, "R - 5");
    play(song, key, bell_line, row + 3 * kBar, "5' - - - - - | . . . . . . | . . . . . . | . . . . . . | 5' - - - - - ");
    row += 8 * kBar;

    // The lake: a second tune, lower, the harp flowing.
    play(song, key, lead, row, kLake);
    pad(song, strings_pad, row, lake, kBar);
    arpeggio(song, run, row, lake, kBar, "0 1 2 3 2 1", 55);
    bassline(song, oom, row, lake, kBar, "R - 5");
    song.note(kTimpani, row + 7 * kBar, timpani, 60, 30);
    row += 8 * kBar;

    // Dusk, in E minor: the bell sings, strings alone beneath.
    song.cut(kFlute, row);
    play(song, key, bell_line, row, "6 - - 5 - - | 3' - - - - - | 5 - - 3 - - | 7 - - - - - |"
                                    "4 - - 3 - - | 1' - - - - - | 2' - - 1' - - | 2 - - 7, - - ");
    pad(song, strings_pad, row, dusk, kBar);
    arpeggio(song, run, row, dusk, kBar, "0 . 2 . 1 .", 52);
    bassline(song, oom, row, dusk, kBar, "R - -");
    for (int r = 6 * kBar; r < 8 * kBar; r += 2) song.note(kTimpani, row + r, timpani, 55, 14 + (r - 6 * kBar));
    song.dynamics({kStrA, kStrB, kStrC}, row, row + 8 * kBar, 1.1, 1.0);
    song.dynamics({}, row, row + 6 * kBar, 0.5, 0.55);
    song.dynamics({}, row + 6 * kBar, row + 8 * kBar, 0.55, 0.9);
    row += 8 * kBar;

    // The first tune once more, flute in two voices.
    play(song, key, lead, row, kGlide2);
    play(song, key, second, row, kGlide2, -2);
    pad(song, pah, row, glide_home, kBar, kWaltz, 4);
    pad(song, strings_pad, row, glide_home, kBar);
    bassline(song, oom, row, glide_home, kBar, "R - 5");
    row += 8 * kBar;

    song.dynamics({kHarpA, kHarpB, kHarpC, kStrA, kStrB, kStrC, kBass}, row - 8 * kBar, row, 1.15, 1.15);

    // Turn: the harp climbs to the dominant and the first tune glides in again.
    const auto turn = progression(key, "4 2 5 5");
    play(song, key, lead, row, "6 - - - 4 - | 5 - - - 2 - | 4 - - 5 6 - | 7 - - - - . ");
    pad(song, strings_pad, row, turn, kBar);
    arpeggio(song, run, row, turn, kBar, "0 1 2 3 4 5", 55);
    bassline(song, oom, row, turn, kBar, "R - 5");
    play(song, key, bell_line, row + 2 * kBar, "5 - - - - -");
    song.note(kTimpani, row + 3 * kBar, timpani, 62, 26);
    row += 4 * kBar;
    echo(song, kFlute, kSecond, first, first + 24 * kBar, 3, 0.3);
    song.end_at(row);
    song.loop_back_to(first);
    return song.build();
}

}  // namespace music
