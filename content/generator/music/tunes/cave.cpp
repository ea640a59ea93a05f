// SONG39, the Cave and the last world: B minor with a dark flat second,
// 100 bpm. It starts from a drone and water dripping into a long echo, grows
// a muted ostinato and a heartbeat, brings in a low saw melody, and climbs to
// full drums and the melody doubled an octave up before sinking back to the
// heartbeat, where it goes round again.
#include "generator/music/arrange.h"
#include "generator/music/presets.h"
#include "generator/music/tunes.h"

namespace music {

namespace {

enum Channel {
    kLead, kHarmony, kDrip, kDripEcho, kOstinato, kDrone, kStrA, kStrB, kStrC, kKick, kSnare, kHat, kToms, kChoirA,
    kChoirB, kChannels
};
constexpr int kBar = 16;

const char* const kDescent =
    "5 - - - 4 - 3 - | 3 - - - 2 - 1 - | 1 - 3 - 5 - 1' - | 7 - - - - - . . |"
    "5 - - - 6 - 5 - | 4 - - - 3 - 2 - | b2 - - - 4 - 6 - | #7 - - - 5 - - - ";
const char* const kDescent2 =
    "5 - - 6 5 - 4 3 | 3 - - 4 3 - 2 1 | 1 - 3 - 5 - 1' 2' | 1' - - - 7 - - - |"
    "5 - - - 6 - 1' - | 2' - - - 1' - 7 - | 6 - - - 4 - b2 - | 1 - - - - - . . ";
const char* const kDrips = "5' . . 1' . 3' . . | . 5 . . 1' . . . | 4' . . . 1' . 5 . | . . 3' . . . 1' . ";

}  // namespace

writers::S3mModule cave_tune() {
    Song song("Velmora - cave", kChannels, 100);
    const Key key{11, Mode::Minor};  // B minor

    const int lead = song.add("low saw", tones::lead_saw(10, 0.8));
    const int bell = song.add("drip", tones::bell());
    const int pluck = song.add("muted pluck", tones::pluck(0.6));
    const int drone = song.add("drone", tones::bass_sub());
    const int strings = song.add("dark strings", tones::strings(101));
    const int choir = song.add("low choir", tones::choir(102));
    const int kick = song.add("kick", drums::kick(1.0, 44));
    const int snare = song.add("snare", drums::snare(180, 1.0));
    const HatPair hat = add_hats(song, 0.04, 0.3, 20);
    const int tom = song.add("far tom", drums::tom(90));
    const int crash = song.add("crash", drums::crash(29));
    const int riser = song.add("riser", drums::riser(2.4));

    song.pans({7, 9, 4, 12, 10, 7, 3, 8, 12, 7, 8, 10, 5, 2, 13});
    song.global_volume(51);

    Line melody{kLead, lead, 3, 46};
    melody.vibrato = 0x43;
    Line drips = ringing(kDrip, bell, 4, 26);
    Line ostinato = ringing(kOstinato, pluck, 3, 26, 1);
    Bass pedal{kDrone, drone, 50, 35};
    Pad strings_pad{{kStrA, kStrB, kStrC}, strings, 24, 47, 66};
    Pad choir_pad{{kChoirA, kChoirB}, choir, 24, 55, 71};
    Drum kick_drum{kKick, kick, -1, 54, 60, 1101};
    Drum snare_drum{kSnare, snare, -1, 46, 60, 1102};
    Drum hats{kHat, hat.closed, hat.open, 26, 60, 1103};
    Drum toms{kToms, tom, crash, 38, 60, 1104};

    const auto gloom = progression(key, "1 1 b2 1 1 1 b2 1");
    const auto descent = progression(key, "1 6 3 7 1 6 b2 5M");
    const auto descent_home = progression(key, "1 6 3 7 1 6 b2 1");
    const auto tension = progression(key, "b2 b2 1 1 b2 b2 5M 5M");
    const char* const kPulse = "0 1 2 1 0 1 2 3 0 1 2 1 0 1 3 2";

    auto full_drums = [&](int at, int bars) {
        beat(song, kick_drum, at, bars * kBar, "x.....x.x.....x.");
        beat(song, snare_drum, at, bars * kBar, "....x.......x...");
        beat(song, hats, at, bars * kBar, "xoxoxoxoxoxoxoxa");
    };

    int row = 0;
    // Darkness: a drone, drips, low strings.
    bassline(song, pedal, row, gloom, kBar, "R - - - - - - - ");
    play(song, key, drips, row, kDrips);
    pad(song, strings_pad, row + 4 * kBar, progression(key, "1 1 b2 1"), kBar);
    song.dynamics({}, row, row + 8 * kBar, 0.35, 0.5);
    row += 8 * kBar;

    // The ostinato and a heartbeat.
    const int heartbeat = row;
    arpeggio(song, ostinato, row, gloom, kBar, kPulse, 47);
    pad(song, strings_pad, row, gloom, kBar);
    bassline(song, pedal, row, gloom, kBar, "R - - - - - - - ");
    beat(song, kick_drum, row, 8 * kBar, "x..x............");
    beat(song, toms, row + 4 * kBar, 4 * kBar, "..........1.....");
    song.dynamics({kOstinato}, row, row + 8 * kBar, 0.6, 1.0);
    song.dynamics({}, row, row + 8 * kBar, 0.5, 0.6);
    row += 8 * kBar;

    // The melody, low.
    const int first = row;
    play(song, key, melody, row, kDescent);
    arpeggio(song, ostinato, row, descent, kBar, kPulse, 47);
    pad(song, strings_pad, row, descent, kBar);
    bassline(song, pedal, row, descent, kBar, "R - - - - - 5 - ");
    beat(song, kick_drum, row, 8 * kBar, "x..x......x.....");
    beat(song, snare_drum, row, 8 * kBar, "........x.......");
    beat(song, hats, row, 8 * kBar, "x.x.x.x.x.x.x.x.");
    play(song, key, drips, row, kDrips);
    row += 8 * kBar;

    // Driving: full drums, the melody answered.
    song.note(kToms, row, crash, 60, 42);
    play(song, key, melody, row, kDescent2);
    arpeggio(song, ostinato, row, descent_home, kBar, kPulse, 47);
    pad(song, strings_pad, row, descent_home, kBar);
    pad(song, choir_pad, row, descent_home, kBar);
    bassline(song, pedal, row, descent_home, kBar, "R - - R - - 5 - ");
    full_drums(row, 8);
    row += 8 * kBar;

    // Tension: drums drop to toms, the choir swells, a riser into the climb.
    song.cut(kLead, row);
    pad(song, choir_pad, row, tension, kBar);
    pad(song, strings_pad, row, tension, kBar);
    arpeggio(song, ostinato, row, tension, kBar, "0 1 2 3 4 3 2 1 0 1 2 3 4 5 4 3", 47);
    bassline(song, pedal, row, tension, kBar, "R - - - - - - - ");
    beat(song, toms, row, 6 * kBar, "1.....1...2.....");
    beat(song, kick_drum, row + 6 * kBar, 2 * kBar, "x...x...x...x.x.");
    beat(song, snare_drum, row + 7 * kBar, kBar, "x.x.x.x.xxxxXXXX");
    play(song, key, drips, row, kDrips);
    song.note(kHat, row + 7 * kBar - 4, riser, 60, 40);
    song.dynamics({}, row, row + 8 * kBar, 0.55, 1.05);
    row += 8 * kBar;

    // The climb: the melody an octave up with its harmony, everything.
    song.note(kToms, row, crash, 60, 50);
    Line high = melody;
    high.octave = 4;
    high.volume = 44;
    play(song, key, high, row, kDescent2);
    Line under = high;
    under.channel = kHarmony;
    under.volume = 32;
    play(song, key, under, row, kDescent2, -2);
    arpeggio(song, ostinato, row, descent_home, kBar, kPulse, 47);
    pad(song, strings_pad, row, descent_home, kBar);
    pad(song, choir_pad, row, descent_home, kBar);
    bassline(song, pedal, row, descent_home, kBar, "R - - R - - 5 - ");
    full_drums(row, 8);
    row += 8 * kBar;

    // Sinking back: ostinato, drone and drips, down to the heartbeat again.
    const auto fall = progression(key, "1 1 b2 1");
    play(song, key, melody, row, "5 - - - 4 - 3 - | 2 - - - 1 - - - | 1 - - - - - - - | - - - - - - - . ");
    arpeggio(song, ostinato, row, fall, kBar, kPulse, 47);
    pad(song, strings_pad, row, fall, kBar);
    bassline(song, pedal, row, fall, kBar, "R - - - - - - - ");
    beat(song, kick_drum, row, 4 * kBar, "x..x............");
    beat(song, hats, row, 2 * kBar, "x.x.x.x.x.x.x.x.");
    play(song, key, drips, row, "5' . . 1' . 3' . . | . 5 . . 1' . . . | 1' . . . . . . . ");
    song.dynamics({}, row, row + 4 * kBar, 1.0, 0.5);
    row += 4 * kBar;
    echo(song, kLead, kHarmony, first, first + 16 * kBar, 3, 0.35);
    echo(song, kDrip, kDripEcho, 0, row, 6, 0.55);
    song.end_at(row);
    song.loop_back_to(heartbeat);
    return song.build();
}

}  // namespace music
