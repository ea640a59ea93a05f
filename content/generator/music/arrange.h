// Writing music into a Song: melodies from phrases, echoes, bass lines and
// pads from chord progressions, arpeggios and drum patterns. Rows count from
// the start of the song; every function returns the row after what it wrote.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "generator/music/song.h"
#include "generator/music/theory.h"

namespace music {

// How a melodic part plays.
struct Line {
    int channel = 0;
    int instrument = 0;
    int octave = 4;          // octave of the tonic (degree 1); 4 is middle C's
    int volume = 48;
    int step = 2;            // rows per phrase token
    int vibrato_after = 4;   // rows a note is held before it starts to waver; 0: never
    uint8_t vibrato = 0x33;  // Hxy: speed x, depth y
    uint8_t glide = 0x18;    // Gxx for notes marked ~
    uint8_t flicker = 0;     // Jxy: each note flickers through +x and +y semitones instead of wavering
    bool cut_rests = true;   // a rest silences the note; otherwise it rings on
    int accent = 8;          // volume a ! adds and a ? takes
};

int play(Song& song, const Key& key, const Line& line, int row, const Phrase& phrase);
// `degrees` moves the phrase along the scale (-2: a third below).
int play(Song& song, const Key& key, const Line& line, int row, std::string_view phrase, int degrees = 0);

// Copies what channel `from` plays in rows [first, end) to channel `to`,
// `delay` rows later and at `scale` of the volume.
void echo(Song& song, int from, int to, int first, int end, int delay, double scale);

struct Bass {
    int channel = 0;
    int instrument = 0;
    int volume = 52;
    int low = 28;  // roots fall in low .. low + 11 (28: E1)
    int step = 2;
    bool cut_rests = true;
};
// A pattern played over every chord, one token per step, repeated to fill
// `rows_per_chord`: R the root, 8 the root an octave up, 3 5 7 the chord's
// third, fifth and seventh (the octave when it has none), > a semitone below
// the next chord's root, r a soft root, - hold, . rest.
int bassline(Song& song, const Bass& bass, int row, const std::vector<Chord>& chords, int rows_per_chord,
             std::string_view pattern);

struct Pad {
    std::vector<int> channels;  // one voice each
    int instrument = 0;
    int volume = 32;
    int low = 55;
    int high = 77;
    std::vector<int> voicing{};  // the notes played last; the next chord moves from them
    bool sounding = false;     // whether they still sound (held)
};
// Each chord voiced close to the one before. `rhythm` (one token per `step`
// rows, repeated over each chord): x strike, - hold, . rest; empty: one
// strike held for the whole chord, tones that stay are not struck again.
int pad(Song& song, Pad& pad, int row, const std::vector<Chord>& chords, int rows_per_chord,
        std::string_view rhythm = "", int step = 2);

// Broken chords: digits 0..9 pick the chord's tones counted upwards from the
// first at or above `low`; - hold, . rest; one token per line.step rows,
// repeated over each chord.
int arpeggio(Song& song, const Line& line, int row, const std::vector<Chord>& chords, int rows_per_chord,
             std::string_view pattern, int low);

struct Drum {
    int channel = 0;
    int instrument = 0;  // x X o
    int alternate = -1;  // a A
    int volume = 48;
    int note = 60;
    uint64_t seed = 0;   // non-zero: slight variation of every hit's volume
    int swing = 0;       // ticks the off-beat sixteenths come late
};
// One character per row, the pattern repeated for `rows` rows: x a hit, X an
// accent, o a ghost, a A the alternate instrument, 1..9 the instrument
// pitched lower step by step (tom runs), . nothing.
int beat(Song& song, Drum& drum, int row, int rows, std::string_view pattern);

}  // namespace music
