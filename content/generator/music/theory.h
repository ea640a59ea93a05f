// Keys, chords and written phrases: the vocabulary the tunes are composed in.
#pragma once

#include <string_view>
#include <vector>

namespace music {

enum class Mode { Major, Minor, Dorian, Phrygian, Lydian, Mixolydian, HarmonicMinor };

struct Key {
    int tonic = 0;  // pitch class, 0 = C
    Mode mode = Mode::Major;

    // The MIDI note of a scale degree (0 = the tonic, 7 = the tonic an octave
    // up, negative below it) counted from the tonic in `octave` (4: the
    // octave of middle C), raised or lowered by `accidental` semitones.
    int note(int degree, int octave, int accidental = 0) const;
    // Pitch class of a degree.
    int pitch_class(int degree, int accidental = 0) const;
};

struct Chord {
    int root = 0;            // pitch class
    std::vector<int> tones;  // pitch classes: root, third, fifth, then any added tones
};

// A chord named by its scale degree: "1", "6", "b7", with optional
// qualities after it: "m", "M" (minor or major third), "7" (diatonic
// seventh), "M7", "m7", "9", "s2", "s4" (suspended), "dim", "+", "p" (root
// and fifth only, a power chord). Without an
// accidental the triad is built from the key's own scale; with one it is major.
Chord chord(const Key& key, std::string_view name);
// Chords separated by spaces; '|' marks are ignored.
std::vector<Chord> progression(const Key& key, std::string_view names);

// One note (or rest) of a written phrase, in units of the phrase's step.
struct PhraseNote {
    int start = 0;
    int length = 1;
    bool rest = false;
    int degree = 0;      // from the tonic, octaves included
    int accidental = 0;  // semitones
    bool slide = false;  // glide into it from the note before
    int accent = 0;      // -1 soft, 0 plain, 1 strong
};

struct Phrase {
    std::vector<PhraseNote> notes;
    int length = 0;  // units
};

// Tokens separated by spaces, one step each:
//   5  5'  5,  b3  #4  a scale degree (1..7), ' an octave up, , one down
//   ~5        glide into the note       5!  5?  accented, soft
//   -         hold the note (or rest) before      .  a rest
//   |         ignored (bar marks for reading)
Phrase parse_phrase(std::string_view text);
// The same phrase moved by scale steps (harmonies a third below: -2).
Phrase shift(const Phrase& phrase, int degrees);

}  // namespace music
