// SEIZURE, the Metal world: E phrygian, 150 bpm, hard. A galloping bass
// riff, gritty power chords, a bright saw lead that later runs in sixteenths
// and plays in thirds with a twin, struck-metal percussion, a half-time
// middle where a square flickers through chords, held down low until a snare
// roll lifts it, and a turn of hits back to the theme.
#include "generator/music/arrange.h"
#include "generator/music/presets.h"
#include "generator/music/tunes.h"

namespace music {

namespace {

enum Channel {
    kLead, kTwin, kFlicker, kBass, kRhythmA, kRhythmB, kRhythmC, kKick, kSnare, kHat, kClank, kCrash, kChannels
};
constexpr int kBar = 16;

// The riff: a gallop on E with the flat second biting, two bars.
const char* const kRiff =
    "1 - 1 1 1 - 1 1 2 - 1 1 1 - 1' - | 1 - 1 1 1 - 1 1 3 - 2 - 1 - 7, - ";
const char* const kRiffTurn =
    "1 - 1 1 1 - 1 1 2 - 1 1 1 - 1' - | 7, - 7, 7, 7, - 7, 7, 6, - 6, 6, 6, - 5, - ";
const char* const kTheme =
    "1' - - - 7 - 1' - | 2' - 1' - 7 - 5 - | 6 - - - 5 - 6 - | 1' - - - - - . . |"
    "3' - - - 2' - 1' - | 2' - 1' - 7 - 6 - | 7 - - - 1' - 2' - | 1' - 7 - 6 - - - ";
const char* const kTheme2 =
    "1' - 2' - 1' 7 1' - | 2' - 3' - 2' 1' 7 5 | 6 - 7 - 6 5 6 - | 1' - - - 5' - - - |"
    "3' - 4' - 3' 2' 1' - | 2' - 1' 7 6 - 5 - | 7 - 1' - 2' - 3' - | 1' - - - - - . . ";
const char* const kRun =
    "1' 7 6 5 6 7 1' 2' 3' 2' 1' 7 1' 2' 3' 4' | 5' 4' 3' 2' 3' 2' 1' 7 1' 7 6 5 6 5 4 3 |"
    "2 3 4 5 6 5 4 3 4 5 6 7 1' 2' 1' 7 | 1' - - - - - - - ~2' - - - 1' - - - ";

}  // namespace

writers::S3mModule metal_tune() {
    Song song("Velmora - metal", kChannels, 150);
    const Key key{4, Mode::Phrygian};  // E phrygian

    const int lead = song.add("bright saw", tones::lead_saw(12, 1.5));
    const int grit = song.add("grit chords", tones::lead_saw(16, 1.2));
    const int square = song.add("flicker square", tones::lead_square(0.25));
    const int bass = song.add("hard bass", tones::bass_synth(1.4, 0.6));
    const int kick = song.add("kick", drums::kick(1.2, 52));
    const int snare = song.add("snare", drums::snare(210, 1.2));
    const HatPair hat = add_hats(song, 0.04, 0.35, 15);
    const int clank = song.add("clank", drums::clank());
    const int crash = song.add("crash", drums::crash(23));
    const int tom = song.add("tom", drums::tom(120));

    song.pans({5, 10, 8, 7, 3, 12, 7, 7, 8, 10, 4, 6});

    Line melody{kLead, lead, 4, 44};
    melody.vibrato = 0x46;
    Line twin = melody;
    twin.channel = kTwin;
    twin.volume = 34;
    Line flicker{kFlicker, square, 5, 24};
    flicker.flicker = 0x37;
    Line riff{kBass, bass, 2, 52};
    riff.step = 1;
    riff.vibrato_after = 0;
    Pad rhythm{{kRhythmA, kRhythmB, kRhythmC}, grit, 26, 40, 60};
    Drum kick_drum{kKick, kick, -1, 56, 60, 501};
    Drum snare_drum{kSnare, snare, -1, 50, 60, 502};
    Drum hats{kHat, hat.closed, hat.open, 30, 60, 503};
    Drum metal{kClank, clank, -1, 34, 60, 504};
    Drum toms{kCrash, tom, crash, 44, 60, 0};

    const auto riff_chords = progression(key, "1p 1p 1p 1p 1p 1p 7p 6p");
    const auto turn_chords = progression(key, "1p 2p 1p 1p 1p 2p 7p 6p");
    const char* const kStab = "x - - . x - . . x - - . x - x -";

    auto riff_bars = [&](int at, int bars, bool turn) {
        for (int b = 0; b < bars; b += 2)
            play(song, key, riff, at + b * kBar, (b / 2) % 2 == 1 && turn ? kRiffTurn : kRiff);
    };
    auto full_drums = [&](int at, int bars) {
        beat(song, kick_drum, at, bars * kBar, "x.x...x.x.x...x.");
        beat(song, snare_drum, at, bars * kBar, "....x.......x...");
        beat(song, hats, at, bars * kBar, "x.x.x.x.x.x.x.xa");
        beat(song, metal, at, bars * kBar, "......x.......x.");
    };

    int row = 0;
    // Intro: the riff alone over a pulse of metal, then chords and drums.
    riff_bars(row, 8, false);
    beat(song, metal, row, 4 * kBar, "x.......x.......");
    beat(song, kick_drum, row, 4 * kBar, "x...x...x...x...");
    pad(song, rhythm, row + 4 * kBar, progression(key, "1p 1p 7p 6p"), kBar, kStab, 1);
    full_drums(row + 4 * kBar, 3);
    beat(song, snare_drum, row + 7 * kBar, kBar, "x.x.x.x.xxxxXXXX");
    song.dynamics({kSnare}, row + 7 * kBar, row + 8 * kBar, 0.5, 1.1);
    song.dynamics({}, row, row + 8 * kBar, 0.55, 1.0);
    row += 8 * kBar;

    // Theme.
    const int theme = row;
    song.note(kCrash, row, crash, 60, 48);
    play(song, key, melody, row, kTheme);
    riff_bars(row, 8, true);
    pad(song, rhythm, row, riff_chords, kBar, kStab, 1);
    full_drums(row, 8);
    row += 8 * kBar;

    // Second theme, the riff turning.
    song.note(kCrash, row, crash, 60, 48);
    play(song, key, melody, row, kTheme2);
    riff_bars(row, 8, true);
    pad(song, rhythm, row, turn_chords, kBar, kStab, 1);
    full_drums(row, 7);
    beat(song, toms, row + 7 * kBar, kBar, "1.1.2.2.3.3.4.4.");
    beat(song, kick_drum, row + 7 * kBar, kBar, "x.......x.......");
    row += 8 * kBar;

    // Half time: long chords, the square flickering through them.
    song.note(kCrash, row, crash, 60, 44);
    song.cut(kLead, row);
    const auto heavy = progression(key, "1p 1p 2p 2p 1p 1p 7p 7p");
    pad(song, rhythm, row, heavy, kBar, "x - - - - - - - - - - - - - - -", 1);
    play(song, key, flicker, row,
         "1 - - - - - - - - - - - - - - - | 1 - - - - - - - 2 - - - - - - - |"
         "1 - - - - - - - - - - - - - - - | 7, - - - - - - - 7, - - - - - - - ");
    play(song, key, riff, row, "1 - - - - - - - - - - - - - 1 1 | 2 - - - - - - - - - - - - - 2 2 |"
                               "1 - - - - - - - - - - - - - 1 1 | 7, - - - - - - - - - - - 6, - 7, - |"
                               "1 - - - - - - - - - - - - - 1 1 | 2 - - - - - - - - - - - - - 2 2 |"
                               "1 - - - - - - - - - - - - - 1 1 | 7, - - - - - - - - - - - 6, - 7, - ");
    beat(song, kick_drum, row, 8 * kBar, "x.....x.x.......");
    beat(song, snare_drum, row, 8 * kBar, "........x.......");
    beat(song, hats, row, 8 * kBar, "x...x...x...x...");
    beat(song, metal, row, 8 * kBar, "..x.......x...x.");
    song.dynamics({}, row, row + 8 * kBar, 0.42, 0.48);
    row += 8 * kBar;
    // The riff creeps back in under the chords and the drums build.
    riff_bars(row, 4, false);
    pad(song, rhythm, row, progression(key, "1p 1p 7p 6p"), kBar, kStab, 1);
    beat(song, kick_drum, row, 3 * kBar, "x...x...x...x...");
    beat(song, hats, row, 3 * kBar, "x.x.x.x.x.x.x.x.");
    beat(song, metal, row, 4 * kBar, "x.......x.......");
    beat(song, snare_drum, row + 2 * kBar, kBar, "x.......x.......");
    beat(song, snare_drum, row + 3 * kBar, kBar, "x.x.x.x.xxxxXXXX");
    song.dynamics({}, row, row + 4 * kBar, 0.5, 1.0);
    row += 4 * kBar;

    // The run: sixteenths over the riff.
    song.note(kCrash, row, crash, 60, 48);
    song.cut(kFlicker, row);
    Line runner = melody;
    runner.step = 1;
    runner.vibrato_after = 6;
    play(song, key, runner, row, kRun);
    play(song, key, runner, row + 4 * kBar, kRun, 2);
    riff_bars(row, 8, true);
    pad(song, rhythm, row, turn_chords, kBar, kStab, 1);
    full_drums(row, 7);
    beat(song, snare_drum, row + 7 * kBar, kBar, "x.x.x.x.xxxxXXXX");
    row += 8 * kBar;

    // The theme with its twin a third below.
    song.note(kCrash, row, crash, 60, 52);
    play(song, key, melody, row, kTheme2);
    play(song, key, twin, row, kTheme2, -2);
    riff_bars(row, 8, true);
    pad(song, rhythm, row, riff_chords, kBar, kStab, 1);
    full_drums(row, 8);
    row += 8 * kBar;

    song.dynamics({kRhythmA, kRhythmB, kRhythmC, kBass, kKick, kSnare, kHat}, row - 8 * kBar, row, 1.08, 1.08);

    // Turn: hits together, then the snare rolls back into the theme.
    const auto hits = progression(key, "1p 1p 2p 7p");
    pad(song, rhythm, row, hits, kBar, "x - - . x - - . x - . x - . x -", 1);
    play(song, key, riff, row, "1 - - - 1 - - - 1 - - 1 - - 1 - | 1 - - - 1 - - - 1 - - 1 - - 1 - |"
                               "2 - - - 2 - - - 2 - - 2 - - 2 - | 7, - - - 7, - - - 7, 7, 7, 7, 7, 7, 7, 7, ");
    play(song, key, melody, row, "1' - - - 7 - 1' - | 2' - 1' - 7 - 5 - | 2' - - - - - - - | 7 - - - - - . . ");
    beat(song, kick_drum, row, 3 * kBar, "x...x...x..x..x.");
    beat(song, snare_drum, row, 3 * kBar, "x...x...x..x..x.");
    song.note(kCrash, row, crash, 60, 50);
    beat(song, snare_drum, row + 3 * kBar, kBar, "x.x.x.x.xxxxXXXX");
    beat(song, kick_drum, row + 3 * kBar, kBar, "x...x...x...x...");
    row += 4 * kBar;
    song.end_at(row);
    song.loop_back_to(theme);
    return song.build();
}

}  // namespace music
