// HIVE, the Hive world: C harmonic minor, 128 bpm, busy. A buzzing lead with a
// quick waver, swarms of squares flickering through each chord on both sides,
// a bass pulsing in sixteenths, strings underneath, tight drums; the swarm
// alone and low before it builds, and a turn of hits back to the work.
#include "generator/music/arrange.h"
#include "generator/music/presets.h"
#include "generator/music/tunes.h"

namespace music {

namespace {

enum Channel {
    kLead, kEcho, kSwarmL, kSwarmR, kBass, kPadA, kPadB, kPadC, kKick, kClap, kHat, kShaker, kChannels
};
constexpr int kBar = 16;

const char* const kWork =
    "5 - 4 3 4 - 5 - | 6 - 5 4 3 - 1 - | 4 - 3 2 3 - 4 - | 5 - 4 - 2 - 7, - |"
    "1' - 7 6 5 - 3 - | 6 - - 1' 3' - 1' - | 2' - 1' 7 6 - 4 - | 5 - - - - - . . ";
const char* const kWork2 =
    "5 4 5 4 3 - 4 - 5 6 5 4 5 - - - | 6 5 6 5 4 - 3 - 1 - 2 - 3 - - - |"
    "4 3 4 3 2 - 3 - 4 5 4 3 4 - - - | 5 - 4 - 2 - 7, - 2 - 4 - 5 - 7 - |"
    "1' 7 1' 7 6 - 5 - 3 - 5 - 1' - - - | 6 - - - 1' - - - 3' 2' 3' 2' 1' - - - |"
    "2' 1' 2' 1' 7 - 6 - 4 - 6 - 7 - - - | 1' - - - - - - - - - - - . - - - ";
const char* const kQueen =
    "3' - - - - - 2' - | 1' - - - 6 - - - | 1' - - - 7 - 6 - | 5 - - - - - . . |"
    "3' - - - 4' - 3' - | 1' - - - 6 - 4 - | 7 - 1' - 2' - 4' - | 5' - - - - - - - ";

// A square on the chord's root flickering through its third and fifth.
void swarm(Song& song, int channel, int instrument, int row, const std::vector<Chord>& chords, int octave,
           int volume) {
    for (size_t i = 0; i < chords.size(); ++i) {
        const Chord& c = chords[i];
        const int third = ((c.tones[1] - c.root) % 12 + 12) % 12;
        const int fifth = ((c.tones[2] - c.root) % 12 + 12) % 12;
        const int at = row + int(i) * kBar;
        song.note(channel, at, instrument, 12 * (octave + 1) + c.root, volume);
        for (int r = 0; r < kBar; ++r) song.effect(channel, at + r, 'J', uint8_t(third << 4 | fifth));
    }
}

}  // namespace

writers::S3mModule hive_tune() {
    Song song("Velmora - hive", kChannels, 128);
    const Key key{0, Mode::HarmonicMinor};  // C harmonic minor

    const int lead = song.add("buzz", tones::buzz());
    const int square = song.add("swarm square", tones::lead_square(0.2));
    const int bass = song.add("pulse bass", tones::bass_synth(1.1, 0.45));
    const int strings = song.add("strings", tones::strings(71));
    const int kick = song.add("kick", drums::kick(0.9, 50));
    const int clap = song.add("clap", drums::clap());
    const HatPair hat = add_hats(song, 0.035, 0.25, 18);
    const int shaker = song.add("shaker", drums::shaker());
    const int crash = song.add("crash", drums::crash(26));

    song.pans({7, 10, 2, 13, 7, 4, 8, 11, 7, 8, 10, 5});

    Line melody{kLead, lead, 4, 42};
    melody.vibrato = 0x82;
    melody.vibrato_after = 3;
    Bass pulse{kBass, bass, 48, 31};
    pulse.step = 1;
    Pad strings_pad{{kPadA, kPadB, kPadC}, strings, 22, 55, 74};
    Drum kick_drum{kKick, kick, -1, 54, 60, 801};
    Drum clap_drum{kClap, clap, -1, 42, 60, 802};
    Drum hats{kHat, hat.closed, hat.open, 26, 60, 803};
    Drum shaker_drum{kShaker, shaker, crash, 22, 60, 804};

    const auto work = progression(key, "1 6 4 5 1 6 2 5");
    const auto work_home = progression(key, "1 6 4 5 1 6 2 1");
    const auto queen = progression(key, "6 4 1 5 6 4 5 5");
    const auto build = progression(key, "4 1 4 1 6 6 5 5");
    const char* const kPulse = "R r R r R r 8 r R r R r 8 r 5 r";

    auto drums_at = [&](int at, int bars) {
        beat(song, kick_drum, at, bars * kBar, "x...x...x...x...");
        beat(song, clap_drum, at, bars * kBar, "....x.......x...");
        beat(song, hats, at, bars * kBar, "xoxoxoxoxoxoxoxa");
        beat(song, shaker_drum, at, bars * kBar, "..x...x...x...x.");
    };

    int row = 0;
    // Intro: the swarm gathers, then the pulse.
    swarm(song, kSwarmL, square, row, progression(key, "1 6 4 5 1 6 4 5"), 5, 20);
    swarm(song, kSwarmR, square, row + 2 * kBar, progression(key, "6 4 5 1 6 4"), 4, 18);
    bassline(song, pulse, row + 4 * kBar, progression(key, "1 6 4 5"), kBar, kPulse);
    beat(song, hats, row + 4 * kBar, 4 * kBar, "xoxoxoxoxoxoxoxo");
    song.dynamics({}, row, row + 8 * kBar, 0.3, 1.0);
    row += 8 * kBar;

    const int first = row;
    song.note(kShaker, row, crash, 60, 40);
    play(song, key, melody, row, kWork);
    swarm(song, kSwarmL, square, row, work, 5, 16);
    pad(song, strings_pad, row, work, kBar);
    bassline(song, pulse, row, work, kBar, kPulse);
    drums_at(row, 8);
    row += 8 * kBar;

    Line busy = melody;
    busy.step = 1;
    busy.vibrato_after = 6;
    play(song, key, busy, row, kWork2);
    swarm(song, kSwarmL, square, row, work_home, 5, 16);
    swarm(song, kSwarmR, square, row, work_home, 4, 14);
    pad(song, strings_pad, row, work_home, kBar);
    bassline(song, pulse, row, work_home, kBar, kPulse);
    drums_at(row, 8);
    row += 8 * kBar;

    // The queen: long notes, the strings forward, the swarm quiet.
    song.note(kShaker, row, crash, 60, 40);
    Line slow = melody;
    slow.vibrato = 0x53;
    play(song, key, slow, row, kQueen);
    pad(song, strings_pad, row, queen, kBar);
    swarm(song, kSwarmR, square, row, queen, 4, 12);
    song.cut(kSwarmL, row);
    bassline(song, pulse, row, queen, kBar, "R - - - R - - - R - - - 8 - 5 -");
    beat(song, kick_drum, row, 8 * kBar, "x.......x.......");
    beat(song, clap_drum, row, 8 * kBar, "....x.......x...");
    beat(song, hats, row, 8 * kBar, "x.x.x.x.x.x.x.x.");
    song.dynamics({kPadA, kPadB, kPadC}, row, row + 8 * kBar, 1.3, 1.3);
    row += 8 * kBar;

    // Build: the swarm alone on both sides, growing, the clap doubling.
    song.cut(kLead, row);
    swarm(song, kSwarmL, square, row, build, 5, 22);
    swarm(song, kSwarmR, square, row, build, 4, 20);
    bassline(song, pulse, row, build, kBar, "R - - - - - - - R - - - - - - - ");
    beat(song, kick_drum, row + 4 * kBar, 4 * kBar, "x...x...x...x...");
    beat(song, clap_drum, row + 4 * kBar, 2 * kBar, "....x.......x...");
    beat(song, clap_drum, row + 6 * kBar, 2 * kBar, "x.x.x.x.x.x.xxxx");
    song.dynamics({}, row, row + 5 * kBar, 0.4, 0.5);
    song.dynamics({}, row + 5 * kBar, row + 8 * kBar, 0.5, 1.0);
    row += 8 * kBar;

    // All together: the lead and its echo over everything.
    song.note(kShaker, row, crash, 60, 44);
    play(song, key, busy, row, kWork2);
    swarm(song, kSwarmL, square, row, work_home, 5, 16);
    swarm(song, kSwarmR, square, row, work_home, 4, 14);
    pad(song, strings_pad, row, work_home, kBar);
    bassline(song, pulse, row, work_home, kBar, kPulse);
    drums_at(row, 8);
    row += 8 * kBar;

    song.dynamics({kPadA, kPadB, kPadC, kBass, kKick, kClap, kHat}, row - 8 * kBar, row, 1.12, 1.12);

    // Turn: the swarm hangs on the dominant, the clap rolls, back to work.
    const auto turn = progression(key, "6 4 2 5");
    play(song, key, melody, row, "6 - 5 4 3 - 1 - | 2 - - - 7, - - - | 4 - 3 2 3 - 4 - | 5 - - - 7, - . . ");
    swarm(song, kSwarmL, square, row, turn, 5, 16);
    swarm(song, kSwarmR, square, row, turn, 4, 14);
    pad(song, strings_pad, row, turn, kBar);
    bassline(song, pulse, row, turn, kBar, kPulse);
    drums_at(row, 3);
    beat(song, kick_drum, row + 3 * kBar, kBar, "x...x...x...x...");
    beat(song, clap_drum, row + 3 * kBar, kBar, "x.x.x.x.x.x.xxxx");
    beat(song, hats, row + 3 * kBar, kBar, "xoxoxoxoxoxoxoxo");
    row += 4 * kBar;
    echo(song, kLead, kEcho, first, row, 3, 0.35);
    song.end_at(row);
    song.loop_back_to(first);
    return song.build();
}

}  // namespace music
