// ORB, the Mountain world: D mixolydian, 90 bpm, broad. Brass in long
// phrases and later in pairs, strings and choir, timpani and toms, drums in
// half time; the flat seventh gives the climb its open, modal colour. A
// hushed rise of choir and strings before the summit, and a cadence that
// opens onto the climb again.
#include "generator/music/arrange.h"
#include "generator/music/presets.h"
#include "generator/music/tunes.h"

namespace music {

namespace {

enum Channel {
    kBrass, kHorn, kBells, kBass, kStrA, kStrB, kStrC, kChoirA, kChoirB, kChoirC, kKick, kSnare, kToms, kTimpani,
    kChannels
};
constexpr int kBar = 16;

const char* const kClimb = "1 - 5 - | 7 - 5 4 | 4 - 6 1' | 5 - - - | 1' - 7 6 | 7 - 5 - | 6 5 4 6 | 5 - - - ";
const char* const kClimb2 = "1 - 5 - | 7 - 5 4 | 4 - 6 1' | 5 - - - | 1' - 2' 3' | 2' - 1' 7 | 1' 2' 1' 7 | 1' - - - ";
const char* const kRidge = "3' - 2' 1' | 2' - 1' 6 | 1' - 5 3 | 5 - - - | 6 - 1' 2' | 3' - 2' 1' | 2' - 1' 7 | 4 - - - ";

}  // namespace

writers::S3mModule mountain_tune() {
    Song song("Velmora - mountain", kChannels, 90);
    const Key key{2, Mode::Mixolydian};  // D mixolydian

    const int brass = song.add("brass", tones::brass());
    const int bell = song.add("bell", tones::bell());
    const int bass = song.add("soft bass", tones::bass_synth(0.6, 0.2));
    const int strings = song.add("strings", tones::strings(81));
    const int choir = song.add("choir", tones::choir(82));
    const int kick = song.add("kick", drums::kick(0.9, 45));
    const int snare = song.add("snare", drums::snare(170, 0.8));
    const int tom = song.add("tom", drums::tom(100));
    const int timpani = song.add("timpani", drums::timpani(73.4));
    const int crash = song.add("crash", drums::crash(27));

    song.pans({6, 10, 9, 7, 3, 8, 12, 2, 7, 13, 7, 8, 5, 9});
    song.global_volume(56);

    Line lead{kBrass, brass, 4, 46};
    lead.step = 4;
    lead.vibrato = 0x32;
    lead.vibrato_after = 6;
    Line horn = lead;
    horn.channel = kHorn;
    horn.volume = 34;
    Line bells = ringing(kBells, bell, 5, 26, 16);
    Bass low{kBass, bass, 50, 33};
    Pad strings_pad{{kStrA, kStrB, kStrC}, strings, 26, 50, 71};
    Pad choir_pad{{kChoirA, kChoirB, kChoirC}, choir, 22, 57, 76};
    Drum kick_drum{kKick, kick, -1, 52, 60, 901};
    Drum snare_drum{kSnare, snare, -1, 46, 60, 902};
    Drum toms{kToms, tom, -1, 44, 60, 903};

    const auto climb = progression(key, "1 7 4 1 1 7 4 5");
    const auto climb_home = progression(key, "1 7 4 1 1 7 5 1");
    const auto ridge = progression(key, "6 4 1 1 6 4 7 7");

    auto timpani_on = [&](int at, int note, int volume) { song.note(kTimpani, at, timpani, note, volume); };
    auto half_time = [&](int at, int bars) {
        beat(song, kick_drum, at, bars * kBar, "x.........x.....");
        beat(song, snare_drum, at, bars * kBar, "........x.......");
    };

    int row = 0;
    // Intro: strings and timpani, the choir above.
    pad(song, strings_pad, row, progression(key, "1 7 4 1"), kBar);
    pad(song, choir_pad, row + 2 * kBar, progression(key, "4 1"), kBar);
    const int roots[] = {60, 58, 53, 60};  // D, C, G, D
    for (int b = 0; b < 4; ++b) timpani_on(row + b * kBar, roots[b], 40 + 4 * b);
    beat(song, toms, row + 3 * kBar, kBar, "........1.1.2.3.");
    song.dynamics({}, row, row + 4 * kBar, 0.6, 1.0);
    row += 4 * kBar;

    const int theme = row;
    song.note(kTimpani, row, crash, 60, 40);
    play(song, key, lead, row, kClimb);
    pad(song, strings_pad, row, climb, kBar);
    bassline(song, low, row, climb, kBar, "R - - - - - 5 - ");
    half_time(row, 8);
    row += 8 * kBar;

    play(song, key, lead, row, kClimb2);
    pad(song, strings_pad, row, climb_home, kBar);
    pad(song, choir_pad, row, climb_home, kBar);
    play(song, key, bells, row, "1' 5 1' 7 3' 2' 5 1'");
    bassline(song, low, row, climb_home, kBar, "R - - - 5 - 8 - ");
    half_time(row, 7);
    beat(song, toms, row + 7 * kBar, kBar, "1.1.2.2.3.3.4.4.");
    row += 8 * kBar;

    // The ridge: a second melody, choir carrying, toms walking.
    song.note(kTimpani, row, crash, 60, 40);
    play(song, key, lead, row, kRidge);
    pad(song, choir_pad, row, ridge, kBar);
    pad(song, strings_pad, row, ridge, kBar, "x - - - - - - - x - - - - - x - ");
    bassline(song, low, row, ridge, kBar, "R - - 5 - - 8 - ");
    half_time(row, 8);
    beat(song, toms, row, 8 * kBar, "..........2...3.");
    row += 8 * kBar;

    // Rise: no brass; choir and strings hushed, then a timpani roll swells.
    song.cut(kBrass, row);
    const auto rise = progression(key, "6 4 1 1 4 4 5 5");
    pad(song, choir_pad, row, rise, kBar);
    pad(song, strings_pad, row, rise, kBar);
    bassline(song, low, row, rise, kBar, "R - - - - - - - ");
    play(song, key, bells, row, "3' 1' 5 . 1' 6 5 .");
    for (int r = 4 * kBar; r < 8 * kBar; r += (r < 6 * kBar ? 4 : 2))
        timpani_on(row + r, r < 6 * kBar ? 53 : 55, 24 + (r - 4 * kBar) / 3);
    song.dynamics({}, row, row + 4 * kBar, 0.45, 0.5);
    song.dynamics({}, row + 4 * kBar, row + 8 * kBar, 0.5, 1.1);
    row += 8 * kBar;

    // Summit: the climb in two brass voices, bells, everything.
    song.note(kTimpani, row, crash, 60, 48);
    play(song, key, lead, row, kClimb2);
    play(song, key, horn, row, kClimb2, -2);
    play(song, key, bells, row, "1' 5 1' 7 3' 2' 5 1'");
    pad(song, strings_pad, row, climb_home, kBar);
    pad(song, choir_pad, row, climb_home, kBar);
    bassline(song, low, row, climb_home, kBar, "R - - - 5 - 8 - ");
    half_time(row, 8);
    beat(song, toms, row + 6 * kBar, 2 * kBar, "..........2...3.");
    row += 8 * kBar;

    song.dynamics({kStrA, kStrB, kStrC, kChoirA, kChoirB, kChoirC, kBass, kKick, kSnare}, row - 8 * kBar, row,
                  1.12, 1.12);

    // Far view: a broad cadence that halts on the dominant, toms walking
    // back up to the climb.
    const auto view = progression(key, "4 7 4 5");
    play(song, key, lead, row, "6 - 4 - | 7 - 5 - | 1' - 6 - | 5 - - . ");
    play(song, key, horn, row, "4 - 2 - | 5 - 3 - | 4 - 4 - | 2 - - . ");
    pad(song, strings_pad, row, view, kBar);
    pad(song, choir_pad, row, view, kBar);
    bassline(song, low, row, view, kBar, "R - - - 5 - - - ");
    half_time(row, 3);
    beat(song, toms, row + 3 * kBar, kBar, "1.1.2.2.3.3.4.4.");
    timpani_on(row + 3 * kBar, 55, 36);
    row += 4 * kBar;
    song.end_at(row);
    song.loop_back_to(theme);
    return song.build();
}

}  // namespace music
