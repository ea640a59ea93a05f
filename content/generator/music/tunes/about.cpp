// DILEMMA, behind the credits: A minor, 88 bpm, unhurried. Electric piano
// comping a falling circle of fifths, a flute that asks and answers, a soft
// pad, round bass and brushed percussion that swings a little; a long
// interlude where the piano thinks alone, and a turn back to the question.
#include "generator/music/arrange.h"
#include "generator/music/presets.h"
#include "generator/music/tunes.h"

namespace music {

namespace {

enum Channel {
    kFlute, kEcho, kKeysLine, kBass, kKeysA, kKeysB, kKeysC, kPadA, kPadB, kPadC, kKick, kRim, kShaker, kChannels
};
constexpr int kBar = 16;

const char* const kAsk =
    "3 - - 5 - - 1' - | 7 - 6 - 5 - 4 - | 2 - - 4 - - 7 - | 5 - - - - - . . |"
    "6 - - 1' - - 3' - | 2' - 1' - 7 - 6 - | #7 - - 2' - - 1' #7 | 2' - - - - - . . ";
const char* const kAskAgain =
    "3 - - 5 - 6 1' - | 7 - 6 5 - 4 3 - | 2 - - 4 - 5 7 - | 5 - - 3 - - . . |"
    "6 - - 1' - 2' 3' - | 4' - 3' 2' 1' - 7 6 | #7 - 2' - 4' - 3' 2' | 1' - - - - - . . ";
const char* const kAnswer =
    "1' - - 3' - - 2' 1' | 7 - - 2' - - 4' - | 3' - - - 2' - 1' - | 3' - 2' 1' 7 - 5 - |"
    "4 - - 6 - - 1' - | #7 - - 2' - - 4' - | 3' - - 2' 1' - 5 - | 1' - - - - - . . ";

}  // namespace

writers::S3mModule about_tune() {
    Song song("Velmora - about", kChannels, 88);
    const Key key{9, Mode::Minor};  // A minor

    const int flute = song.add("flute", tones::flute());
    const int keys = song.add("electric piano", tones::epiano());
    const int pad_tone = song.add("warm pad", tones::warm_pad(31));
    const int bass = song.add("round bass", tones::bass_sub());
    const int kick = song.add("soft kick", drums::kick(0.5, 46));
    const int rim = song.add("rim", drums::rim());
    const int shaker = song.add("shaker", drums::shaker());
    const int ride = song.add("ride", drums::ride());

    song.pans({7, 11, 4, 7, 4, 8, 11, 2, 7, 13, 7, 9, 5});
    song.global_volume(42);

    Line lead{kFlute, flute, 4, 42};
    lead.vibrato = 0x42;
    lead.vibrato_after = 6;
    Line keys_line = ringing(kKeysLine, keys, 4, 30);
    Pad comp{{kKeysA, kKeysB, kKeysC}, keys, 20, 57, 76};
    Pad warm{{kPadA, kPadB, kPadC}, pad_tone, 18, 52, 72};
    Bass round{kBass, bass, 44, 33};
    Drum kick_drum{kKick, kick, -1, 44, 60, 301};
    Drum rim_drum{kRim, rim, ride, 30, 60, 302};
    Drum shaker_drum{kShaker, shaker, -1, 22, 60, 303};
    shaker_drum.swing = 2;

    const auto circle = progression(key, "17 47 7 37 67 27 57M 57M");
    const auto circle_home = progression(key, "17 47 7 37 67 27 57M 1");
    const auto bright = progression(key, "67 7 37 17 47 57M 17 17");
    const char* const kComp = "x - - x - - x -";

    int row = 0;
    // Intro: the piano alone, then the pad.
    pad(song, comp, row, progression(key, "17 47 7 37"), kBar, kComp);
    pad(song, warm, row + 2 * kBar, progression(key, "7 37"), kBar);
    song.dynamics({}, row, row + 4 * kBar, 0.7, 1.0);
    row += 4 * kBar;

    // The question.
    const int first = row;
    play(song, key, lead, row, kAsk);
    pad(song, comp, row, circle, kBar, kComp);
    pad(song, warm, row, circle, kBar);
    bassline(song, round, row, circle, kBar, "R - - - - - 5 -");
    beat(song, kick_drum, row, 8 * kBar, "x.........x.....");
    beat(song, rim_drum, row, 8 * kBar, "....x.......x...");
    beat(song, shaker_drum, row + 4 * kBar, 4 * kBar, "x.o.x.o.x.o.x.oo");
    row += 8 * kBar;

    // Asked again, the piano walking under it.
    play(song, key, lead, row, kAskAgain);
    arpeggio(song, keys_line, row, circle_home, kBar, "0 2 1 3 2 4 3 5", 60);
    pad(song, comp, row, circle_home, kBar, "x - - - - - x -");
    pad(song, warm, row, circle_home, kBar);
    bassline(song, round, row, circle_home, kBar, "R - - 5 - - 8 -");
    beat(song, kick_drum, row, 8 * kBar, "x.........x.....");
    beat(song, rim_drum, row, 8 * kBar, "....x.......x..o");
    beat(song, shaker_drum, row, 8 * kBar, "x.o.x.o.x.o.x.oo");
    row += 8 * kBar;

    // The answer, higher and brighter, with the ride.
    play(song, key, lead, row, kAnswer);
    pad(song, comp, row, bright, kBar, kComp);
    pad(song, warm, row, bright, kBar);
    bassline(song, round, row, bright, kBar, "R - - 5 - 8 - 5");
    beat(song, kick_drum, row, 8 * kBar, "x.........x...x.");
    beat(song, rim_drum, row, 8 * kBar, "a...x...a...x...");
    beat(song, shaker_drum, row, 8 * kBar, "x.o.x.o.x.o.x.oo");
    row += 8 * kBar;

    // Interlude: the piano thinks it over alone, softly; no drums, no flute.
    const auto think = progression(key, "17 47 17 47 67 27 37 57M");
    song.cut(kFlute, row);
    arpeggio(song, keys_line, row, think, kBar, "0 1 2 4 3 2 1 2", 57);
    pad(song, warm, row, think, kBar);
    bassline(song, round, row, think, kBar, "R - - - - - - - ");
    song.dynamics({}, row, row + 8 * kBar, 0.55, 0.6);
    row += 8 * kBar;

    // The question once more, the piano in thirds beneath the flute, the
    // ride and the walking piano back: the fullest the tune gets.
    play(song, key, lead, row, kAskAgain);
    Line under = keys_line;
    under.volume = 26;
    play(song, key, under, row, kAskAgain, -2);
    pad(song, comp, row, circle_home, kBar, kComp);
    pad(song, warm, row, circle_home, kBar);
    bassline(song, round, row, circle_home, kBar, "R - - 5 - - 8 -");
    beat(song, kick_drum, row, 8 * kBar, "x.........x...x.");
    beat(song, rim_drum, row, 8 * kBar, "a...x...a...x..o");
    beat(song, shaker_drum, row, 8 * kBar, "x.o.x.o.x.o.x.oo");
    song.dynamics({kKeysA, kKeysB, kKeysC, kPadA, kPadB, kPadC, kBass}, row, row + 8 * kBar, 1.2, 1.2);
    row += 8 * kBar;

    // Turn: no answer after all; it comes to rest on the dominant and asks again.
    play(song, key, lead, row, "6 - - 5 - - 4 - | #7 - - - 2' - - - | 1' - - - 7 - 6 - | #7 - - - - - . . ");
    const auto turn = progression(key, "67 27 57M 57M");
    pad(song, comp, row, turn, kBar, kComp);
    pad(song, warm, row, turn, kBar);
    bassline(song, round, row, turn, kBar, "R - - 5 - - 8 -");
    beat(song, kick_drum, row, 4 * kBar, "x.........x.....");
    beat(song, rim_drum, row, 4 * kBar, "....x.......x...");
    beat(song, shaker_drum, row, 4 * kBar, "x.o.x.o.x.o.x.oo");
    row += 4 * kBar;
    echo(song, kFlute, kEcho, first, row, 6, 0.35);
    song.end_at(row);
    song.loop_back_to(first);
    return song.build();
}

}  // namespace music
